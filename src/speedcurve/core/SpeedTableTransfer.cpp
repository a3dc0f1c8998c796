#include "speedcurve/core/SpeedTableTransfer.h"

#include "app/core/AppContext.h"
#include "base/core/Failure.h"
#include "app/core/Notifier.h"
#include "lenz/core/LenzCvProgrammer.h"
#include "lenz/core/LenzServiceMode.h"
#include "link/core/P50xCommands.h"
#include "programming/core/CvInput.h"
#include "programming/core/P50xProgrammer.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/core/ProgrammingTexts.h"
#include "speedcurve/core/SpeedCurve.h"

#include <memory>

namespace {

using Outcome = CvResult::Outcome;

// The Lenz station's service mode as the transfer uses it: the window's programming mode
// taken before each CV, the pauses of `Delay`, the read's status texts in the editor, and a
// result in the other mode's form taken with a beep, a warning and one more pause. A refusal
// carries its status line in `shown`.
class LenzTransferProgrammer : public CvProgrammer {
public:
    LenzTransferProgrammer(SpeedCurveHost& host, qint64 delayMs, ZentraleHost& view, Notifier& ui)
        : m_host(host), m_view(view), m_ui(ui), m_delay(delayMs),
          m_serviceMode(host.stationLink(), host.xpressNetUsb()),
          m_programmer(m_serviceMode, host.programmingMode(), ServiceModePauses::speedCurve(delayMs)) {
        m_serviceMode.setStatusView([this](const QString& text) { m_view.setStatus(text); });
    }

    CvResult readCv(int cv) override {
        m_programmer.setMode(m_host.programmingMode());
        CvResult result = m_programmer.readCv(cv);
        using Warning = ServiceModeOutcome::ModeWarning;
        const Warning warning = m_programmer.lastOutcome().warning;
        if (result.ok() && warning != Warning::None) {
            m_ui.beep();
            m_view.setStatus(warning == Warning::Direct ? TransferTexts::inCvMode : TransferTexts::notInCvMode);
            m_host.stationLink().Warten(m_delay);
        }
        return withRefusal(result);
    }
    CvResult writeCv(int cv, int value) override {
        m_programmer.setMode(m_host.programmingMode());
        return withRefusal(m_programmer.writeCv(cv, value));
    }
    void finish() override {}

private:
    CvResult withRefusal(CvResult result) const {
        if (result.outcome != Outcome::Refused)
            return result;
        const ServiceModeOutcome& last = m_programmer.lastOutcome();
        using Kind = ServiceModeOutcome::Kind;
        if (last.kind == Kind::Status)
            result.shown = last.statusText;
        else if (last.kind == Kind::OtherAnswer)
            result.shown = ProgrammingTexts::readError(result.answer);
        else
            result.shown = CvInput::badCvStatus;  // a CV the mode cannot reach: nothing went out
        return result;
    }

    SpeedCurveHost& m_host;
    ZentraleHost& m_view;
    Notifier& m_ui;
    qint64 m_delay;
    LenzServiceMode m_serviceMode;
    LenzCvProgrammer m_programmer;
};

}  // namespace

SpeedTableTransfer::SpeedTableTransfer(AppContext& ctx, SpeedCurve& curve, std::function<void(const QString&)> status)
    : m_ctx(ctx), m_curve(curve), m_showStatus(std::move(status)) {}

SpeedTableTransfer::~SpeedTableTransfer() = default;

void SpeedTableTransfer::write(SpeedCurveHost& host) {
    run(host, Direction::Write);
}

void SpeedTableTransfer::read(SpeedCurveHost& host) {
    run(host, Direction::Read);
}

void SpeedTableTransfer::abort() {
    m_ctx.Abbruch = true;
    if (m_exchange)
        m_exchange->cancel();
}

void SpeedTableTransfer::editorClosing(SpeedCurveHost* host) {
    if (m_exchange) {
        m_exchange->cancel();
        return;
    }
    if (!host || host->speedTableStation() != SpeedCurveHost::Station::P50x)
        return;
    // Another operation of the window waits: it leaves the station as it must.
    StationLink& link = host->stationLink();
    if (link.exchangeRunning())
        return;
    const StationLink::Exchange exchange = host->beginExchange();
    if (!exchange)
        return;
    // A port that is not open has no programming track to leave.
    if (link.portOpen())
        link.tellP50X(P50x::XPT0());
}

void SpeedTableTransfer::run(SpeedCurveHost& host, Direction direction) {
    const SpeedCurveHost::Station station = host.speedTableStation();
    StationLink::Exchange exchange = host.beginExchange();
    if (!exchange)
        return;
    if (station == SpeedCurveHost::Station::None) {
        m_ctx.ui().beep();
        return;
    }
    const bool p50x = station == SpeedCurveHost::Station::P50x;
    m_exchange = &exchange;
    m_host = &host;
    // The pause between the steps is the one set when the run begins.
    m_delay = m_ctx.Delay;
    m_ctx.Abbruch = false;
    m_curve.setTransferRunning(true);

    std::unique_ptr<CvProgrammer> programmer;
    if (p50x)
        programmer = std::make_unique<P50xProgrammer>(host.stationLink(),
                                                      P50xProgrammer::speedTable(m_delay, direction == Direction::Write));
    else
        programmer = std::make_unique<LenzTransferProgrammer>(host, m_delay, static_cast<ZentraleHost&>(*this), m_ctx.ui());
    {
        ProgrammingSession session(*this, *programmer);
        if (direction == Direction::Write)
            writeSteps(*programmer, p50x);
        else
            readSteps(*programmer, p50x);
    }

    m_curve.setTransferRunning(false);
    m_host = nullptr;
    m_exchange = nullptr;
}

void SpeedTableTransfer::writeSteps(CvProgrammer& programmer, bool p50x) {
    for (int step = 1; step <= SpeedCurve::steps; ++step)
        m_curve.setMark(step, SpeedCurve::Mark::Changed);
    for (int step = 1; step <= SpeedCurve::steps; ++step) {
        const int cv = SpeedCurve::cvOf(step);
        // The value as it stands when its step comes.
        const int value = m_curve.value(step);
        setStatus(TransferTexts::writing(cv, value));
        if (p50x)
            setStatus(TransferTexts::writingInto(cv));
        const CvResult written = programmer.writeCv(cv, value);
        if (!written.ok())
            return tellFailure(written, Direction::Write, p50x);
        m_curve.setMark(step, SpeedCurve::Mark::Transferred);
        m_host->stationLink().Warten(m_delay);
        writeProtokoll(QStringLiteral("S"), QString::number(cv), QString::number(value));
        if (m_ctx.Abbruch)
            return setStatus(TransferTexts::writeAborted);
    }
    programmer.finish();
    setStatus(TransferTexts::writeDone);
    m_ctx.ui().beep();
}

void SpeedTableTransfer::readSteps(CvProgrammer& programmer, bool p50x) {
    for (int step = 1; step <= SpeedCurve::steps; ++step) {
        m_curve.setValue(step, 0);
        m_curve.setMark(step, SpeedCurve::Mark::Changed);
    }
    for (int step = 1; step <= SpeedCurve::steps; ++step) {
        const int cv = SpeedCurve::cvOf(step);
        setStatus(TransferTexts::reading(cv));
        const CvResult read = programmer.readCv(cv);
        if (!read.ok())
            return tellFailure(read, Direction::Read, p50x);
        writeProtokoll(QStringLiteral("L"), QString::number(cv), QString::number(read.value));
        m_curve.setMark(step, SpeedCurve::Mark::Transferred);
        m_curve.setValue(step, read.value);
        if (m_ctx.Abbruch)
            return setStatus(TransferTexts::readAborted);
    }
    programmer.finish();
    setStatus(ProgrammingTexts::readDone);
}

void SpeedTableTransfer::tellFailure(const CvResult& result, Direction direction, bool p50x) {
    const bool write = direction == Direction::Write;
    switch (result.outcome) {
    case Outcome::Ok:
    case Outcome::PortFailed:  // the central error report has told
        return;
    case Outcome::Aborted:
        return setStatus(write ? TransferTexts::writeAborted : TransferTexts::readAborted);
    case Outcome::TimedOut:
        if (p50x)
            return tellUnanswered(m_ctx, *this, result,
                                  write ? ProgrammingTexts::writeTitle(m_ctx.DecoderType)
                                        : ProgrammingTexts::readTitle(m_ctx.DecoderType));
        m_ctx.ui().message(LenzServiceMode::noAnswer, Notifier::Icon::Critical, Notifier::OkOnly,
                           LenzServiceMode::noAnswerTitle);
        return;
    case Outcome::Refused:
        m_ctx.ui().beep();
        if (!p50x)
            return setStatus(result.shown);
        return setStatus(write ? ProgrammingTexts::writeError(result.shown) : ProgrammingTexts::readError(result.shown));
    }
}

void SpeedTableTransfer::setStatus(const QString& text) {
    m_status = text;
    if (m_showStatus)
        m_showStatus(text);
}

void SpeedTableTransfer::setBusyPointer(bool busy) {
    if (m_ctx.notifier)
        m_ctx.notifier->setBusy(busy);
}

void SpeedTableTransfer::writeProtokoll(const QString& mode, const QString& cv, const QString& value) {
    if (m_host)
        m_host->writeProtokoll(mode, cv, value);
}
