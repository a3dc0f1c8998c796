#include "speedcurve/core/SpeedTableTransfer.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/core/ProgrammingTexts.h"
#include "programming/core/SpeedTableProgrammer.h"
#include "speedcurve/core/SpeedCurve.h"

using Outcome = CvResult::Outcome;

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
    if (!host || !host->offersSpeedTable())
        return;
    // Another operation of the window waits: it leaves the station as it must.
    if (host->stationLink().exchangeRunning())
        return;
    const StationLink::Exchange exchange = host->beginExchange();
    if (!exchange)
        return;
    if (const std::unique_ptr<SpeedTableProgrammer> programmer = host->speedTableProgrammer(*this, m_ctx.Delay, false))
        programmer->leaveOnClosing();
}

void SpeedTableTransfer::run(SpeedCurveHost& host, Direction direction) {
    StationLink::Exchange exchange = host.beginExchange();
    if (!exchange)
        return;
    // The pause between the steps is the one set when the run begins.
    const std::unique_ptr<SpeedTableProgrammer> programmer =
        host.speedTableProgrammer(*this, m_ctx.Delay, direction == Direction::Write);
    if (!programmer) {
        m_ctx.ui().beep();
        return;
    }
    m_exchange = &exchange;
    m_host = &host;
    m_ctx.Abbruch = false;
    {
        ProgrammingSession session(*this, *programmer);
        if (direction == Direction::Write)
            writeSteps(*programmer);
        else
            readSteps(*programmer);
    }
    m_host = nullptr;
    m_exchange = nullptr;
}

void SpeedTableTransfer::writeSteps(SpeedTableProgrammer& programmer) {
    for (int step = 1; step <= SpeedCurve::steps; ++step)
        m_curve.setMark(step, SpeedCurve::Mark::Changed);
    for (int step = 1; step <= SpeedCurve::steps; ++step) {
        const int cv = SpeedCurve::cvOf(step);
        // The value as it stands when its step comes.
        const int value = m_curve.value(step);
        setStatus(TransferTexts::writing(cv, value));
        const CvResult written = programmer.writeCv(cv, value);
        if (!written.ok())
            return tellFailure(programmer, written, Direction::Write);
        m_curve.markTransferred(step, value);
        programmer.pauseAfterWrite();
        writeProtokoll(QStringLiteral("S"), QString::number(cv), QString::number(value));
        if (m_ctx.Abbruch)
            return setStatus(TransferTexts::writeAborted);
    }
    programmer.finish();
    setStatus(TransferTexts::writeDone);
    m_ctx.ui().beep();
}

void SpeedTableTransfer::readSteps(SpeedTableProgrammer& programmer) {
    // Every step stays as it is until it is read: a run that fails leaves the rest red.
    for (int step = 1; step <= SpeedCurve::steps; ++step)
        m_curve.setMark(step, SpeedCurve::Mark::Changed);
    for (int step = 1; step <= SpeedCurve::steps; ++step) {
        const int cv = SpeedCurve::cvOf(step);
        setStatus(TransferTexts::reading(cv));
        const CvResult read = programmer.readCv(cv);
        if (!read.ok())
            return tellFailure(programmer, read, Direction::Read);
        writeProtokoll(QStringLiteral("L"), QString::number(cv), QString::number(read.value));
        m_curve.setValue(step, read.value);
        m_curve.markTransferred(step, read.value);
        if (m_ctx.Abbruch)
            return setStatus(TransferTexts::readAborted);
    }
    programmer.finish();
    setStatus(ProgrammingTexts::readDone);
}

void SpeedTableTransfer::tellFailure(SpeedTableProgrammer& programmer, const CvResult& result, Direction direction) {
    const bool write = direction == Direction::Write;
    switch (result.outcome) {
    case Outcome::Ok:
        return;
    case Outcome::PortFailed:
        // The central error report has told what happened; the step shown is not going on.
        return setStatus(QString());
    case Outcome::Aborted:
        return setStatus(write ? TransferTexts::writeAborted : TransferTexts::readAborted);
    case Outcome::TimedOut:
    case Outcome::Refused:
        return programmer.tellFailure(result, write);
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
