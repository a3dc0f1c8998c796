#include "selectrix/core/SlxIbLink.h"

#include "link/core/StationLink.h"

SlxIbLink::SlxIbLink(StationLink& link) : m_link(link) {}

SlxIbLink::Reply SlxIbLink::ask(const QString& command, qint64 deadlineMs) {
    Reply reply;
    // What a given-up command may still bring is no answer to this one.
    m_link.settleLateAnswers();
    if (m_link.cancelled()) {
        reply.outcome = Reply::Outcome::Stopped;
        return reply;
    }
    m_link.emptyInput();
    m_link.sendP50X(command);
    const StationLink::Answer answer = m_link.waitForAnswer(deadlineMs);
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
