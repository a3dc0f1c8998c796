#include "selectrix/core/Slx850Run.h"

#include "link/core/SelectrixChannelAccess.h"
#include "selectrix/core/SelectrixHost.h"
#include "selectrix/core/SlxRunTexts.h"
#include "selectrix/core/SelectrixChannels.h"

namespace {

namespace Text {
const QString checkFree = QStringLiteral(" prüfe ob Programmierung frei ...");
const QString notFree = QStringLiteral("Programmierung nicht frei...             ");
const QString free = QStringLiteral(" Programmierung frei...");
const QString checkPower = QStringLiteral(" prüfe ob Gleisspannung ein ...");
const QString powerSwitching = QStringLiteral(" Gleisspannung wird abgeschaltet ...");
const QString powerStaysOn = QStringLiteral("Die Gleisspannung lässt sich nicht abschalten !            ");
const QString powerIsOff = QStringLiteral(" Gleisspannung ist abgeschaltet...");
const QString notProvided = QStringLiteral("Die Parameter wurden nicht ausgelesen   !       ");
const QString provided = QStringLiteral(" Parameter zum Lesen bereitgestellt ...");
const QString readByte1 = QStringLiteral(" lese 1. Datenbyte ein ...");
const QString readByte2 = QStringLiteral(" lese 2. Datenbyte ein ...");
const QString programmingOff = QStringLiteral(" schalte Programmierfunktion aus ...");
const QString powerOn = QStringLiteral(" schalte Gleisspannung ein ...");
const QString writeByte1Short = QStringLiteral(" schreibe 1. Datenbyte...");
const QString writeByte1 = QStringLiteral(" schreibe 1. Datenbyte ...");
const QString writeByte2 = QStringLiteral(" schreibe 2. Datenbyte ...");
const QString readExtended = QStringLiteral(" lese erweiterte Einstellungen...");
const QString centralReads = QStringLiteral(" schalte Zentrale auf 'lesen' ...");
const QString writeBack = QStringLiteral(" schreibe Decoderwerte zurück...");

const QString titleFourDots = QStringLiteral(" Decoder programmieren....");
const QString titleBlanks = QStringLiteral(" Decoder programmieren   ");
}  // namespace Text

constexpr qint64 settleMs = 500;

QString number(int n) {
    return QString::number(n);
}

}  // namespace

using namespace SlxChannel;

Slx850Run::Slx850Run(SelectrixChannelAccess& access, SelectrixHost& host, const Slx850Input& input)
    : SlxCentralRun(access, host, input.delayMs), m_input(input) {}

void Slx850Run::setReadingFields(bool white) {
    for (SxField f : {SxField::ADR, SxField::GE, SxField::BE, SxField::IM, SxField::HA})
        m_host.setFieldWhite(f, white);
    m_readFieldsWhite = white;
}

void Slx850Run::logExtended(const SxExtendedSettings& s) {
    auto state = [](bool ticked) { return ticked ? QStringLiteral("1") : QStringLiteral("0"); };
    m_host.setNewestProtocolExtended({state(s.motor), state(s.licht), state(s.gleis), number(s.imErw), number(s.beErw)});
}

void Slx850Run::restoreFields() {
    // Values that were to be read stay readable.
    if (m_readFieldsWhite)
        setReadingFields(false);
    if (m_extendedFieldsWhite) {
        m_host.setFieldWhite(SxField::IMerw, false);
        m_host.setFieldWhite(SxField::BEerw, false);
        m_extendedFieldsWhite = false;
    }
}

Slx850Run::Outcome Slx850Run::SLX850(int index) {
    return guarded([this, index] { return runSteps(index); });
}

Slx850Run::Outcome Slx850Run::runSteps(int index) {
    const bool reading = index == 0;
    Sx1Parameters parameters;
    SxExtendedSettings extended;
    if (!reading) {
        // Nothing goes onto the line unless every value to write is on its list.
        const Sx1::Checked checked = Sx1::checkParameters(m_input.adr, m_input.ge, m_input.be, m_input.im, m_input.ha);
        Sx1::BadField bad = checked.bad;
        bool valid = checked.parameters.has_value();
        if (valid && m_input.extended) {
            const Sx1::CheckedExtended e =
                Sx1::checkExtended(m_input.motor, m_input.licht, m_input.gleis, m_input.imErw, m_input.beErw);
            valid = e.settings.has_value();
            bad = e.bad;
            if (valid)
                extended = *e.settings;
        }
        if (!valid) {
            return refuse(bad.name, bad.min, bad.max, SlxRunText::titleWrite);
        }
        parameters = *checked.parameters;
    }

    m_host.setBusyPointer(true);
    if (reading) {
        setReadingFields(true);
        if (m_input.extended) {
            m_host.setExtendedChecks(false, false, false);
            m_host.setFieldWhite(SxField::IMerw, true);
            m_host.setFieldWhite(SxField::BEerw, true);
            m_extendedFieldsWhite = true;
        }
    }

    const std::optional<quint8> free = readAfterPause(status, Text::checkFree);
    if (!free)
        return ended();
    if (*free & statusNotFree)
        return endWith(Text::notFree, Text::titleFourDots, true);
    step(Text::free);

    bool switchedOff = false;
    bool powerOff = false;
    for (int pass = 0; pass < maxPowerOffPasses; ++pass) {
        const std::optional<quint8> power = readChannel(trackPower);
        if (!power)
            return ended();
        step(Text::checkPower);
        pause();
        if (!(*power & powerOnBit)) {
            powerOff = true;
            break;
        }
        switchedOff = true;
        write(trackPower, 0);
        step(Text::powerSwitching);
        m_host.setTrackPowerLamp(false);
        pause();
    }
    if (!powerOff)
        return endWith(Text::powerStaysOn, SlxRunText::title, false);

    step(Text::powerIsOff);
    pause();
    if (!switchProgrammingOn(m_input.cc2000))
        return ended();

    if (reading) {
        write(control, controlReadBase + m_input.sxModus);
        step(SlxRunText::readParameters);
        const std::optional<quint8> provided = readAfterPause(status, QString());
        if (!provided)
            return ended();
        if (!(*provided & statusProvided)) {
            // The bytes are read all the same.
            m_host.message(Text::notProvided, Notifier::Icon::Critical, Notifier::OkOnly, Text::titleBlanks);
            step(QString());
        } else {
            step(Text::provided);
        }

        step(Text::readByte1);
        pause();
        const std::optional<quint8> b1 = readChannel(parameterByte1);
        if (!b1)
            return ended();
        const Sx1Parameters fromByte1 = Sx1::decode(*b1, 0);
        m_host.setFieldText(SxField::GE, number(fromByte1.ge));
        m_host.setFieldText(SxField::BE, number(fromByte1.be));
        m_host.setFieldText(SxField::IM, number(fromByte1.im));

        const std::optional<quint8> b2 = readAfterPause(parameterByte2, Text::readByte2);
        if (!b2)
            return ended();
        parameters = Sx1::decode(*b1, *b2);
        m_host.setFieldText(SxField::ADR, number(parameters.adr));
        m_host.setFieldText(SxField::HA, number(parameters.ha));

        setReadingFields(false);
        m_host.writeProtokoll(QStringLiteral("L"), number(parameters.adr), number(parameters.ge),
                              number(parameters.be), number(parameters.im), number(parameters.ha));
        write(control, controlOff);
        pause();
        if (m_input.extended) {
            if (!readExtendedSettings())
                return ended();
            // The extended read went through the parameter bytes: give the decoder its own back.
            subSchreiben(parameters);
        }
    } else {
        if (m_input.extended)
            subChangeWrite(extended);
        subSchreiben(parameters);
        m_host.writeProtokoll(QStringLiteral("S"), number(parameters.adr), number(parameters.ge),
                              number(parameters.be), number(parameters.im), number(parameters.ha));
        if (m_input.extended)
            logExtended(extended);
    }

    write(control, controlOff);
    step(Text::programmingOff);
    if (switchedOff) {
        write(trackPower, powerOnBit);
        step(Text::powerOn);
        m_host.setTrackPowerLamp(true);
    }
    pause();
    if (reading) {
        step(SlxRunText::readDone);
        m_host.enableExtendedSettings();
    } else {
        step(SlxRunText::writeDone);
    }
    m_host.takeAddressForDriving();
    m_host.setBusyPointer(false);
    return Outcome::Done;
}

void Slx850Run::subSchreiben(const Sx1Parameters& p) {
    writeStep(parameterByte1, Sx1::byte1(p), Text::writeByte1Short);
    writeStep(parameterByte2, Sx1::byte2(p), Text::writeByte2);
    writeStep(control, controlWrite, SlxRunText::writeDecoder);
    pause();
    // Its answer is not awaited here: the link lets it pass before the next read goes out.
    m_access.sendRead(status);
}

void Slx850Run::subChangeWrite(const SxExtendedSettings& s) {
    writeStep(parameterByte1, Sx1::extendedByte(s), Text::writeByte1);
    writeStep(parameterByte2, extendedWriteByte2, Text::writeByte2);
    writeStep(control, controlWrite, SlxRunText::writeDecoder);
    write(control, controlOff);
    pause();
}

bool Slx850Run::readExtendedSettings() {
    step(Text::readExtended);
    write(control, controlOff);
    pause();
    writeStep(parameterByte1, extendedReadAnnounce, Text::writeByte1);
    writeStep(parameterByte2, 0, Text::writeByte2);
    writeStep(control, controlWrite, SlxRunText::writeDecoder);
    write(control, controlOff);
    m_access.pause(settleMs);
    // Its answer is collected and not used, so that it cannot answer for another read.
    if (!usedAnswer(m_access.read(trackPower, settleMs)))
        return false;
    writeStep(control, controlExtendedRead, Text::centralReads);
    step(Text::readByte1);
    const std::optional<quint8> byte = readChannel(parameterByte1);
    if (!byte)
        return false;
    pause();
    const SxExtendedSettings s = Sx1::decodeExtended(*byte);
    m_host.setExtendedChecks(s.motor, s.licht, s.gleis);
    m_host.setFieldText(SxField::IMerw, number(s.imErw));
    m_host.setFieldText(SxField::BEerw, number(s.beErw));
    m_host.setFieldWhite(SxField::IMerw, false);
    m_host.setFieldWhite(SxField::BEerw, false);
    m_extendedFieldsWhite = false;
    logExtended(s);
    writeStep(control, controlOff, Text::writeBack);
    return true;
}
