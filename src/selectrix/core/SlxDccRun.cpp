#include "selectrix/core/SlxDccRun.h"

#include "base/core/TextNumbers.h"
#include "link/core/SelectrixChannelAccess.h"
#include "selectrix/core/SelectrixChannels.h"
#include "selectrix/core/SelectrixHost.h"
#include "selectrix/core/SlxRunTexts.h"

namespace {
namespace Text {
const QString writeCv = QStringLiteral(" schreibe CV-Adresse...");
const QString readError = QStringLiteral(" Lesefehler ! ! ! ");
const QString writeAddress = QStringLiteral(" schreibe Adresse ...");
const QString writeData = QStringLiteral(" schreibe Daten ...");
const QString cvName = QStringLiteral("CV");
const QString valueName = QStringLiteral("Wert");
const QString unreadable = QStringLiteral("?");
}  // namespace Text
}  // namespace

using namespace SlxChannel;

SlxDccRun::SlxDccRun(SelectrixChannelAccess& access, SelectrixHost& host, const SlxDccInput& input)
    : SlxCentralRun(access, host, input.delayMs), m_input(input) {}

SlxDccRun::Outcome SlxDccRun::DCC_ModeRead() {
    const std::optional<qint64> cv = toWholeNumber(m_input.cv, cvMin, cvMax);
    if (!cv)
        return refuse(Text::cvName, cvMin, cvMax, SlxRunText::titleRead);
    return guarded([this, cv] { return readSteps(int(*cv)); });
}

SlxDccRun::Outcome SlxDccRun::DCC_ModeWrite() {
    const std::optional<qint64> cv = toWholeNumber(m_input.cv, cvMin, cvMax);
    if (!cv)
        return refuse(Text::cvName, cvMin, cvMax, SlxRunText::titleWrite);
    // "?" is what a failed read left in the field.
    const std::optional<qint64> value = toWholeNumber(m_input.value, valueMin, valueMax);
    if (!value)
        return refuse(Text::valueName, valueMin, valueMax, SlxRunText::titleWrite);
    return guarded([this, cv, value] { return writeSteps(int(*cv), int(*value)); });
}

SlxDccRun::Outcome SlxDccRun::readSteps(int cv) {
    m_host.setBusyPointer(true);
    m_host.setDccValue(Text::unreadable);
    if (!switchProgrammingOn(false))
        return ended();
    writeStep(parameterByte1, cv, Text::writeCv);
    write(parameterByte2, 0);
    step(Text::writeCv);
    m_access.pause(cvSettleMs);
    write(control, controlDcc);
    step(SlxRunText::readParameters);
    const std::optional<quint8> result = readChannel(parameterByte2);
    if (!result)
        return ended();
    Outcome outcome = Outcome::Done;
    if (*result == dccReadError) {
        step(Text::readError);
        outcome = Outcome::Ended;
    } else {
        const std::optional<quint8> value = readAfterPause(dccValue, QString());
        if (!value)
            return ended();
        m_host.setDccValue(QString::number(*value));
        step(SlxRunText::readDone);
        logRow(QStringLiteral("L"), cv, *value);
    }
    closeProgramming();
    m_host.setBusyPointer(false);
    return outcome;
}

SlxDccRun::Outcome SlxDccRun::writeSteps(int cv, int value) {
    m_host.setBusyPointer(true);
    if (!switchProgrammingOn(false))
        return ended();
    writeStep(parameterByte1, cv, Text::writeAddress);
    writeStep(dccValue, value, Text::writeData);
    writeStep(control, controlDcc, SlxRunText::writeDecoder);
    closeProgramming();
    step(SlxRunText::writeDone);
    // The central does not confirm the write.
    logRow(QStringLiteral("S"), cv, value);
    m_host.setBusyPointer(false);
    return Outcome::Done;
}

void SlxDccRun::closeProgramming() {
    for (int i = 0; i < closingWrites; ++i) {
        write(control, controlOff);
        m_access.pause(closingPauseMs);
    }
}

void SlxDccRun::logRow(const QString& act, int cv, int value) {
    m_host.writeProtokoll(act, QString::number(cv), QString::number(value), QStringLiteral("DCC"), QStringLiteral(" "),
                          QStringLiteral(" "));
}
