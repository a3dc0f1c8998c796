#include "selectrix/core/SlxIbLink.h"

#include "link/core/StationLink.h"

SlxIbLink::SlxIbLink(StationLink& link, const bool* stop) : m_link(link), m_stop(stop) {}

SlxIbLink::Reply SlxIbLink::ask(const QString& command, qint64 deadlineMs) {
    Reply reply;
    // What a given-up command may still bring is no answer to this one.
    m_link.settleLateAnswers(m_stop);
    if (m_stop && *m_stop) {
        reply.outcome = Reply::Outcome::Stopped;
        return reply;
    }
    m_link.emptyInput();
    m_link.sendP50X(command);
    const StationLink::Answer answer = m_link.waitForAnswer(deadlineMs, m_stop);
    reply.text = answer.text;
    if (answer.complete)
        reply.outcome = Reply::Outcome::Answered;
    else if (answer.failed)
        reply.outcome = Reply::Outcome::Failed;
    else if (answer.aborted)
        reply.outcome = Reply::Outcome::Stopped;
    return reply;
}

void SlxIbLink::tell(const QString& command) {
    m_link.sendP50X(command);
}
