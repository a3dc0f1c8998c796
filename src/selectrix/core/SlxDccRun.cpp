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
    m_host.setBusyPointer(true);
    m_host.setDccValue(Text::unreadable);
    const CvResult read = readCv(int(*cv));
    if (read.ok()) {
        m_host.setDccValue(QString::number(read.value));
        step(SlxRunText::readDone);
        logRow(QStringLiteral("L"), int(*cv), read.value);
    }
    finish();
    m_host.setBusyPointer(false);
    return read.ok() ? Outcome::Done : ended();
}

SlxDccRun::Outcome SlxDccRun::DCC_ModeWrite() {
    const std::optional<qint64> cv = toWholeNumber(m_input.cv, cvMin, cvMax);
    if (!cv)
        return refuse(Text::cvName, cvMin, cvMax, SlxRunText::titleWrite);
    // "?" is what a failed read left in the field.
    const std::optional<qint64> value = toWholeNumber(m_input.value, valueMin, valueMax);
    if (!value)
        return refuse(Text::valueName, valueMin, valueMax, SlxRunText::titleWrite);
    m_host.setBusyPointer(true);
    const CvResult written = writeCv(int(*cv), int(*value));
    finish();
    if (written.ok()) {
        step(SlxRunText::writeDone);
        // The central does not confirm the write.
        logRow(QStringLiteral("S"), int(*cv), int(*value));
    }
    m_host.setBusyPointer(false);
    return written.ok() ? Outcome::Done : ended();
}

CvResult SlxDccRun::carryOut(const std::function<Outcome(std::optional<int>& value)>& steps) {
    std::optional<int> value;
    const Outcome outcome = guarded([&] { return steps(value); });
    CvResult result;
    if (outcome == Outcome::Done) {
        result.outcome = CvResult::Outcome::Ok;
        result.value = value.value_or(-1);
    } else if (outcome == Outcome::Stopped) {
        result.outcome = m_access.failed() ? CvResult::Outcome::PortFailed : CvResult::Outcome::Aborted;
    } else {
        result.outcome = centralSilent() ? CvResult::Outcome::TimedOut : CvResult::Outcome::Refused;
    }
    return result;
}

CvResult SlxDccRun::readCv(int cv) {
    return carryOut([this, cv](std::optional<int>& value) {
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
        if (*result == dccReadError) {
            m_carriedOut = true;
            step(Text::readError);
            return Outcome::Ended;
        }
        const std::optional<quint8> read = readAfterPause(dccValue, QString());
        if (!read)
            return ended();
        m_carriedOut = true;
        value = *read;
        return Outcome::Done;
    });
}

CvResult SlxDccRun::writeCv(int cv, int value) {
    return carryOut([this, cv, value](std::optional<int>&) {
        if (!switchProgrammingOn(false))
            return ended();
        writeStep(parameterByte1, cv, Text::writeAddress);
        writeStep(dccValue, value, Text::writeData);
        writeStep(control, controlDcc, SlxRunText::writeDecoder);
        m_carriedOut = true;
        return Outcome::Done;
    });
}

void SlxDccRun::finish() {
    if (!m_carriedOut || m_access.failed())
        return;
    m_carriedOut = false;
    for (int i = 0; i < closingWrites; ++i) {
        if (!m_access.write(control, controlOff))
            return;
        m_access.pause(closingPauseMs);
    }
}

void SlxDccRun::logRow(const QString& act, int cv, int value) {
    m_host.writeProtokoll(act, QString::number(cv), QString::number(value), QStringLiteral("DCC"), QStringLiteral(" "),
                          QStringLiteral(" "));
}
