#include "programming/core/P50xProgrammer.h"

#include "base/core/Failure.h"
#include "link/core/P50xAnswer.h"
#include "link/core/StationLink.h"

#include <algorithm>

P50xProgrammer::Form P50xProgrammer::tableRun(qint64 writePauseMs) {
    Form f;
    f.writePauseMs = writePauseMs;
    f.finishAfterReadTimeout = true;
    f.finishAfterWriteTimeout = true;
    f.finishAfterCancel = true;
    f.finishAlways = true;
    return f;
}

P50xProgrammer::Form P50xProgrammer::singleCv() {
    Form f;
    f.writeDeadlineMs = P50xAnswer::writeDeadlineMs;
    f.finishAfterWriteTimeout = true;
    return f;
}

P50xProgrammer::Form P50xProgrammer::panel() {
    Form f;
    f.spelling = P50x::tight;
    return f;
}

P50xProgrammer::Form P50xProgrammer::basisSwitch() {
    Form f;
    f.spelling = P50x::spaced;
    return f;
}

P50xProgrammer::Form P50xProgrammer::speedTable(qint64 writePauseMs, bool writeRun) {
    Form f = tableRun(writePauseMs);
    f.writeDeadlineMs = P50xAnswer::writeDeadlineMs;
    f.trackOnBeforeWrites = writeRun;
    return f;
}

P50xProgrammer::P50xProgrammer(StationLink& link, Form form)
    : m_link(link), m_form(form), m_trackOn(form.finishAlways) {}

CvResult P50xProgrammer::readCv(int cv) {
    return command(P50x::XPTRD(static_cast<qint16>(cv), m_form.spelling), Kind::Read);
}

CvResult P50xProgrammer::writeCv(int cv, int value) {
    return writeCvText(cv, QString::number(value));
}

CvResult P50xProgrammer::writeCvText(int cv, const QString& value) {
    return command(P50x::XPTWD(static_cast<qint16>(cv), value, m_form.spelling), Kind::Write);
}

CvResult P50xProgrammer::writeMainTrack(int address, int cv, const QString& value) {
    return command(P50x::XPD(static_cast<qint16>(address), static_cast<qint16>(cv), value), Kind::Write);
}

std::optional<CvResult> P50xProgrammer::readLongAddress() {
    return command(P50x::XPTRL(), Kind::LongRead);
}

std::optional<CvResult> P50xProgrammer::writeLongAddress(int address) {
    return command(P50x::XPTWL(static_cast<qint16>(address)), Kind::Write);
}

StationLink::Answer P50xProgrammer::exchange(const QString& text, qint64 pauseMs, qint64 deadlineMs, bool& sent) {
    sent = false;
    m_link.emptyInput();
    // Cancelled while a late answer was dropped: the command does not go out.
    if (m_link.cancelled())
        return {};
    m_link.sendP50X(text);
    sent = true;
    m_link.Warten(pauseMs);
    return m_link.waitForAnswer(deadlineMs);
}

CvResult P50xProgrammer::command(const QString& text, Kind kind) {
    CvResult result;
    const bool write = kind == Kind::Write;
    const auto givenUp = [&](CvResult::Outcome outcome) {
        // A station that did not answer gets nothing more, unless the operation says so.
        m_trackOn = outcome == CvResult::Outcome::Aborted ? m_form.finishAfterCancel
                    : write                               ? m_form.finishAfterWriteTimeout
                                                          : m_form.finishAfterReadTimeout;
        result.outcome = outcome;
        return result;
    };
    m_portFailed = false;
    StationLink::Answer answer;
    bool sent = false;
    try {
        if (write && m_form.trackOnBeforeWrites && !m_trackSwitchedOn) {
            m_trackSwitchedOn = true;
            answer = exchange(P50x::XPT1(), 0, m_form.writeDeadlineMs, sent);
            if (sent && answer.complete)
                answer = exchange(text, m_form.writePauseMs, m_form.writeDeadlineMs, sent);
        } else {
            answer = exchange(text, write ? m_form.writePauseMs : 0,
                              write ? m_form.writeDeadlineMs : m_form.readDeadlineMs, sent);
        }
        if (!sent)
            return givenUp(CvResult::Outcome::Aborted);
    } catch (const Failure& failure) {
        m_link.reportFailure(failure);
        answer.failed = true;
    }
    result.answer = answer.text;
    if (answer.failed) {
        m_portFailed = true;
        m_trackOn = false;
        result.outcome = CvResult::Outcome::PortFailed;
        return result;
    }
    if (!answer.complete)
        return givenUp(answer.aborted ? CvResult::Outcome::Aborted : CvResult::Outcome::TimedOut);
    m_trackOn = true;
    result.shown = P50xAnswer::shownText(answer.text);
    result.brief = P50xAnswer::firstTwo(answer.text);
    switch (kind) {
    case Kind::Read:
        if (const auto value = P50xAnswer::cvValue(answer.text)) {
            result.outcome = CvResult::Outcome::Ok;
            result.value = *value;
        } else {
            result.outcome = CvResult::Outcome::Refused;
        }
        break;
    case Kind::LongRead:
        if (const auto value = P50xAnswer::readValue(answer.text)) {
            result.outcome = CvResult::Outcome::Ok;
            result.value = int(std::clamp<qint64>(*value, -0x7fffffff, 0x7fffffff));
        } else {
            result.outcome = CvResult::Outcome::Refused;
        }
        break;
    case Kind::Write:
        result.outcome = P50xAnswer::writeSucceeded(answer.text) ? CvResult::Outcome::Ok : CvResult::Outcome::Refused;
        break;
    }
    return result;
}

void P50xProgrammer::finish() {
    if (!m_trackOn || m_portFailed)
        return;
    m_trackOn = false;
    try {
        m_link.sendP50X(P50x::XPT0());
    } catch (const Failure& failure) {
        m_link.reportFailure(failure);
    }
}
