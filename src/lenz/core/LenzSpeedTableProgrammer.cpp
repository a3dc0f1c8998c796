#include "lenz/core/LenzSpeedTableProgrammer.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "link/core/StationLink.h"
#include "programming/core/CvInput.h"
#include "programming/core/ProgrammingTexts.h"
#include "programming/core/ZentraleHost.h"

const QString LenzSpeedTableProgrammer::notInCvMode = QStringLiteral(" Achtung, Zentrale antwortet nicht im CV-Modus ...");
const QString LenzSpeedTableProgrammer::inCvMode = QStringLiteral(" Achtung, Zentrale antwortet im CV-Modus ...");

LenzSpeedTableProgrammer::LenzSpeedTableProgrammer(StationLink& link, bool usbHeader, ModeSource mode, AppContext& ctx,
                                                   ZentraleHost& view, qint64 delayMs)
    : SpeedTableProgrammer(link, delayMs), m_mode(std::move(mode)), m_ctx(ctx), m_view(view),
      m_serviceMode(link, usbHeader), m_programmer(m_serviceMode, m_mode(), ServiceModePauses::speedCurve(delayMs)) {
    m_serviceMode.setStatusView([this](const QString& text) { m_view.setStatus(text); });
}

CvResult LenzSpeedTableProgrammer::readCv(int cv) {
    m_programmer.setMode(m_mode());
    CvResult result = m_programmer.readCv(cv);
    using Warning = ServiceModeOutcome::ModeWarning;
    const Warning warning = m_programmer.lastOutcome().warning;
    if (result.ok() && warning != Warning::None) {
        m_ctx.ui().beep();
        m_view.setStatus(warning == Warning::Direct ? inCvMode : notInCvMode);
        m_link.Warten(m_delayMs);
    }
    return withRefusal(result, false);
}

CvResult LenzSpeedTableProgrammer::writeCv(int cv, int value) {
    m_programmer.setMode(m_mode());
    return withRefusal(m_programmer.writeCv(cv, value), true);
}

CvResult LenzSpeedTableProgrammer::withRefusal(CvResult result, bool write) const {
    if (result.outcome != CvResult::Outcome::Refused)
        return result;
    const ServiceModeOutcome& last = m_programmer.lastOutcome();
    using Kind = ServiceModeOutcome::Kind;
    if (last.kind == Kind::Status)
        result.shown = last.statusText;
    else if (last.kind == Kind::OtherAnswer)
        result.shown = write ? ProgrammingTexts::writeError(result.answer) : ProgrammingTexts::readError(result.answer);
    else
        result.shown = CvInput::badCvStatus;  // a CV the mode cannot reach: nothing went out
    return result;
}

void LenzSpeedTableProgrammer::tellFailure(const CvResult& result, bool /*write*/) {
    if (result.outcome == CvResult::Outcome::TimedOut) {
        m_ctx.ui().message(LenzServiceMode::noAnswer, Notifier::Icon::Critical, Notifier::OkOnly,
                           LenzServiceMode::noAnswerTitle);
        return;
    }
    if (result.outcome != CvResult::Outcome::Refused)
        return;
    m_ctx.ui().beep();
    m_view.setStatus(result.shown);
}
