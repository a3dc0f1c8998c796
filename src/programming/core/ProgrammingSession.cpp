#include "programming/core/ProgrammingSession.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "programming/core/CvProgrammer.h"
#include "programming/core/ProgrammingTexts.h"
#include "programming/core/ZentraleHost.h"

ProgrammingSession::ProgrammingSession(ZentraleHost& host, CvProgrammer* programmer)
    : m_host(&host), m_programmer(programmer) {
    m_host->setBusyPointer(true);
}

ProgrammingSession::~ProgrammingSession() {
    if (m_programmer)
        m_programmer->finish();
    if (m_host)
        m_host->setBusyPointer(false);
}

void tellUnanswered(AppContext& ctx, ZentraleHost& host, const CvResult& result, const QString& title) {
    if (result.outcome != CvResult::Outcome::TimedOut)
        return;
    host.setStatus(ProgrammingTexts::abortedStatus);
    ctx.ui().message(ProgrammingTexts::timeoutText(ctx.CuName), Notifier::Icon::Critical, Notifier::OkOnly, title);
}
