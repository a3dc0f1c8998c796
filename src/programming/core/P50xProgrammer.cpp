#include "programming/core/P50xProgrammer.h"

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
    StationLink::Reply reply;
    if (write && m_form.trackOnBeforeWrites && !m_trackSwitchedOn) {
        m_trackSwitchedOn = true;
        // Its answer is awaited as a write's, so that it is not taken for the write's own.
        reply = m_link.askP50X(P50x::XPT1(), 0, m_form.writeDeadlineMs);
        if (reply.answered())
            reply = m_link.askP50X(text, m_form.writePauseMs, m_form.writeDeadlineMs);
    } else {
        reply = m_link.askP50X(text, write ? m_form.writePauseMs : 0,
                               write ? m_form.writeDeadlineMs : m_form.readDeadlineMs);
    }
    result.answer = reply.text();
    switch (reply.outcome) {
    case StationLink::Outcome::Failed:
        m_trackOn = false;
        result.outcome = CvResult::Outcome::PortFailed;
        return result;
    case StationLink::Outcome::Stopped:
        return givenUp(CvResult::Outcome::Aborted);
    case StationLink::Outcome::TimedOut:
        return givenUp(CvResult::Outcome::TimedOut);
    case StationLink::Outcome::Done:
        break;
    }
    m_trackOn = true;
    result.shown = P50xAnswer::shownText(result.answer);
    result.brief = P50xAnswer::firstTwo(result.answer);
    switch (kind) {
    case Kind::Read:
        if (const auto value = P50xAnswer::cvValue(result.answer)) {
            result.outcome = CvResult::Outcome::Ok;
            result.value = *value;
        } else {
            result.outcome = CvResult::Outcome::Refused;
        }
        break;
    case Kind::LongRead:
        if (const auto value = P50xAnswer::readValue(result.answer)) {
            result.outcome = CvResult::Outcome::Ok;
            result.value = int(std::clamp<qint64>(*value, -0x7fffffff, 0x7fffffff));
        } else {
            result.outcome = CvResult::Outcome::Refused;
        }
        break;
    case Kind::Write:
        result.outcome = P50xAnswer::writeSucceeded(result.answer) ? CvResult::Outcome::Ok : CvResult::Outcome::Refused;
        break;
    }
    return result;
}

void P50xProgrammer::finish() {
    if (!m_trackOn)
        return;
    m_trackOn = false;
    m_link.tellP50X(P50x::XPT0());
}
