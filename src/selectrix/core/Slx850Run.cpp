#include "selectrix/core/Slx850Run.h"

#include "app/core/Failure.h"
#include "link/core/SelectrixChannelAccess.h"
#include "selectrix/core/SelectrixHost.h"
#include "selectrix/core/SelectrixChannels.h"

namespace {

namespace Text {
const QString checkFree = QStringLiteral(" prüfe ob Programmierung frei ...");
const QString noAnswer = QStringLiteral("Die Zentrale antwortet nicht !          ");
const QString notFree = QStringLiteral("Programmierung nicht frei...             ");
const QString free = QStringLiteral(" Programmierung frei...");
const QString checkPower = QStringLiteral(" prüfe ob Gleisspannung ein ...");
const QString powerSwitching = QStringLiteral(" Gleisspannung wird abgeschaltet ...");
const QString powerStaysOn = QStringLiteral("Die Gleisspannung lässt sich nicht abschalten !            ");
const QString powerIsOff = QStringLiteral(" Gleisspannung ist abgeschaltet...");
const QString programmingOn = QStringLiteral(" schalte Programmierfunktion ein ...");
const QString cc2000 = QStringLiteral("CC2000 im Programmiermodus ?           ");
const QString notReady = QStringLiteral("Die Programmierfunktion ist nicht bereit   !       ");
const QString ready = QStringLiteral(" Programmierfunktion bereit ...");
const QString readParameters = QStringLiteral(" lese Decoderparameter ein...");
const QString notProvided = QStringLiteral("Die Parameter wurden nicht ausgelesen   !       ");
const QString provided = QStringLiteral(" Parameter zum Lesen bereitgestellt ...");
const QString readByte1 = QStringLiteral(" lese 1. Datenbyte ein ...");
const QString readByte2 = QStringLiteral(" lese 2. Datenbyte ein ...");
const QString programmingOff = QStringLiteral(" schalte Programmierfunktion aus ...");
const QString powerOn = QStringLiteral(" schalte Gleisspannung ein ...");
const QString readDone = QStringLiteral(" Lesevorgang beendet ...");
const QString writeDone = QStringLiteral(" Schreibvorgang beendet ...");
const QString writeByte1Short = QStringLiteral(" schreibe 1. Datenbyte...");
const QString writeByte1 = QStringLiteral(" schreibe 1. Datenbyte ...");
const QString writeByte2 = QStringLiteral(" schreibe 2. Datenbyte ...");
const QString writeDecoder = QStringLiteral(" schreibe in Decoder ...");
const QString readExtended = QStringLiteral(" lese erweiterte Einstellungen...");
const QString centralReads = QStringLiteral(" schalte Zentrale auf 'lesen' ...");
const QString writeBack = QStringLiteral(" schreibe Decoderwerte zurück...");
const QString badValue = QStringLiteral("Bitte wählen Sie für %1 einen Wert von %2 bis %3 !          ");

// The titles differ in their dots and blanks.
const QString title = QStringLiteral(" Decoder programmieren...");
const QString titleFourDots = QStringLiteral(" Decoder programmieren....");
const QString titleSpaced = QStringLiteral(" Decoder programmieren ...");
const QString titleBlanks = QStringLiteral(" Decoder programmieren   ");
const QString titleWrite = QStringLiteral(" Decoder schreiben...");
}  // namespace Text

constexpr qint64 settleMs = 500;

QString number(int n) {
    return QString::number(n);
}

}  // namespace

using namespace SlxChannel;

Slx850Run::Slx850Run(SelectrixChannelAccess& access, SelectrixHost& host, const Slx850Input& input)
    : m_access(access), m_host(host), m_input(input) {}

void Slx850Run::step(const QString& status) {
    m_host.setStatus(status);
}

void Slx850Run::pause() {
    m_access.pause(m_input.delayMs);
}

void Slx850Run::write(int channel, int value) {
    m_access.write(channel, value);
}

void Slx850Run::writeStep(int channel, int value, const QString& statusText) {
    write(channel, value);
    step(statusText);
    pause();
}

void Slx850Run::setReadingFields(bool white) {
    for (SxField f : {SxField::ADR, SxField::GE, SxField::BE, SxField::IM, SxField::HA})
        m_host.setFieldWhite(f, white);
    m_readFieldsWhite = white;
}

void Slx850Run::logExtended(const SxExtendedSettings& s) {
    auto state = [](bool ticked) { return ticked ? QStringLiteral("1") : QStringLiteral("0"); };
    m_host.setNewestProtocolExtended({state(s.motor), state(s.licht), state(s.gleis), number(s.imErw), number(s.beErw)});
}

std::optional<quint8> Slx850Run::usedAnswer(bool awaitOnly, int channel) {
    const SelectrixChannelAccess::Answer answer =
        awaitOnly ? m_access.awaitAnswer(answerDeadlineMs) : m_access.read(channel, answerDeadlineMs);
    if (answer.ok())
        return answer.value;
    if (answer.outcome == SelectrixChannelAccess::Answer::Outcome::Stopped) {
        m_stopped = true;
        endQuietly();
    } else {
        endWith(Text::noAnswer, Text::title, true);
    }
    return std::nullopt;
}

Slx850Run::Outcome Slx850Run::endWith(const QString& text, const QString& title, bool clearStatus) {
    m_host.message(text, Notifier::Icon::Critical, Notifier::OkOnly, title);
    if (clearStatus)
        step(QString());
    return endQuietly();
}

Slx850Run::Outcome Slx850Run::endQuietly() {
    m_host.setBusyPointer(false);
    // Values that were to be read stay readable.
    if (m_readFieldsWhite)
        setReadingFields(false);
    if (m_extendedFieldsWhite) {
        m_host.setFieldWhite(SxField::IMerw, false);
        m_host.setFieldWhite(SxField::BEerw, false);
        m_extendedFieldsWhite = false;
    }
    return ended();
}

Slx850Run::Outcome Slx850Run::ended() const {
    return m_stopped ? Outcome::Stopped : Outcome::Ended;
}

std::optional<quint8> Slx850Run::readAfterPause(int channel, const QString& statusText) {
    m_access.emptyInput();
    m_access.sendRead(channel);
    if (!statusText.isNull())
        step(statusText);
    pause();
    return awaitSent();
}

Slx850Run::Outcome Slx850Run::SLX850(int index) {
    try {
        return runSteps(index);
    } catch (const Failure&) {
        // The port failed: the caller reports it; the window is left usable.
        endQuietly();
        throw;
    }
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
            m_host.message(Text::badValue.arg(bad.name).arg(bad.min).arg(bad.max), Notifier::Icon::Critical,
                           Notifier::OkOnly, Text::titleWrite);
            return Outcome::Refused;
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
        m_access.emptyInput();
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
        return endWith(Text::powerStaysOn, Text::title, false);

    step(Text::powerIsOff);
    pause();
    writeStep(control, controlProgrammingOn, Text::programmingOn);
    m_access.emptyInput();
    const std::optional<quint8> readiness = readChannel(status);
    if (!readiness)
        return ended();
    if (m_input.cc2000) {
        // That central does not report its readiness: the user says.
        if (m_host.message(Text::cc2000, Notifier::Icon::Question, Notifier::YesNo, Text::titleSpaced) != Notifier::Yes)
            return endQuietly();
    } else if ((*readiness & statusReady) != statusReady) {
        return endWith(Text::notReady, Text::titleSpaced, true);
    } else {
        step(Text::ready);
    }
    pause();

    if (reading) {
        write(control, controlReadBase + m_input.sxModus);
        step(Text::readParameters);
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

        m_access.emptyInput();
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
        step(Text::readDone);
        m_host.enableExtendedSettings();
    } else {
        step(Text::writeDone);
    }
    m_host.takeAddressForDriving();
    m_host.setBusyPointer(false);
    return Outcome::Done;
}

void Slx850Run::subSchreiben(const Sx1Parameters& p) {
    writeStep(parameterByte1, Sx1::byte1(p), Text::writeByte1Short);
    writeStep(parameterByte2, Sx1::byte2(p), Text::writeByte2);
    writeStep(control, controlWrite, Text::writeDecoder);
    pause();
    // Its answer stays in the input until the next operation empties it.
    m_access.sendRead(status);
}

void Slx850Run::subChangeWrite(const SxExtendedSettings& s) {
    writeStep(parameterByte1, Sx1::extendedByte(s), Text::writeByte1);
    writeStep(parameterByte2, extendedWriteByte2, Text::writeByte2);
    writeStep(control, controlWrite, Text::writeDecoder);
    write(control, controlOff);
    pause();
}

bool Slx850Run::readExtendedSettings() {
    step(Text::readExtended);
    write(control, controlOff);
    pause();
    writeStep(parameterByte1, extendedReadAnnounce, Text::writeByte1);
    writeStep(parameterByte2, 0, Text::writeByte2);
    writeStep(control, controlWrite, Text::writeDecoder);
    write(control, controlOff);
    m_access.pause(settleMs);
    m_access.sendRead(trackPower);
    m_access.pause(settleMs);
    writeStep(control, controlExtendedRead, Text::centralReads);
    // This drops the answer about track power.
    m_access.emptyInput();
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
