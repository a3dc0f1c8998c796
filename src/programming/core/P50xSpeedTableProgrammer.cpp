#include "programming/core/P50xSpeedTableProgrammer.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "link/core/P50xCommands.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/core/ProgrammingTexts.h"
#include "programming/core/ZentraleHost.h"

P50xSpeedTableProgrammer::P50xSpeedTableProgrammer(StationLink& link, AppContext& ctx, ZentraleHost& view,
                                                   qint64 delayMs, bool writeRun)
    : SpeedTableProgrammer(link, delayMs), m_ctx(ctx), m_view(view),
      m_programmer(link, P50xProgrammer::speedTable(delayMs, writeRun)) {}

CvResult P50xSpeedTableProgrammer::readCv(int cv) {
    return m_programmer.readCv(cv);
}

CvResult P50xSpeedTableProgrammer::writeCv(int cv, int value) {
    m_view.setStatus(QStringLiteral("schreibe in CV %1").arg(cv));
    return m_programmer.writeCv(cv, value);
}

void P50xSpeedTableProgrammer::finish() {
    m_programmer.finish();
}

void P50xSpeedTableProgrammer::tellFailure(const CvResult& result, bool write) {
    if (result.outcome == CvResult::Outcome::TimedOut)
        return tellUnanswered(m_ctx, m_view, result,
                              write ? ProgrammingTexts::writeTitle(m_ctx.DecoderType)
                                    : ProgrammingTexts::readTitle(m_ctx.DecoderType));
    if (result.outcome != CvResult::Outcome::Refused)
        return;
    m_ctx.ui().beep();
    m_view.setStatus(write ? ProgrammingTexts::writeError(result.shown) : ProgrammingTexts::readError(result.shown));
}

void P50xSpeedTableProgrammer::leaveOnClosing() {
    // A port that is not open has no programming track to leave.
    if (m_link.portOpen())
        m_link.tellP50X(P50x::XPT0());
}
