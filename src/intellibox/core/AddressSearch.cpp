#include "intellibox/core/AddressSearch.h"

#include "app/core/ErrorReport.h"
#include "base/core/Failure.h"
#include "base/core/TextNumbers.h"
#include "link/core/P50xCommands.h"
#include "link/core/StationLink.h"

namespace {
const QString stoppedText = QStringLiteral("Lesevorgang abgebrochen...");
constexpr qint64 trackPauseMs = 1000;
constexpr int maxAddress = 9999;
}  // namespace

AddressSearch::AddressSearch(AppContext& ctx, StationLink& link, QObject* parent)
    : QObject(parent), m_ctx(ctx), m_link(link) {
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &AddressSearch::Timer_Timer);
}

void AddressSearch::Timer_Timer() {
    ++m_seconds;
    emit statusChanged(QStringLiteral("Suchzeit: %1 Sekunden").arg(m_seconds));
}

void AddressSearch::stop() {
    if (m_running)
        m_link.cancelExchange();
}

void AddressSearch::sendXpt0AndPause() {
    m_link.sendP50X(P50x::XPT0());
    m_link.Warten(trackPauseMs);
}

AddressSearch::Result AddressSearch::run() {
    Result result;
    m_running = true;
    m_seconds = 0;
    m_timer.start();
    emit statusChanged(QString());

    StationLink::Answer answer;
    try {
        m_link.sendP50X(P50x::XPT1());
        m_link.Warten(trackPauseMs);
        m_link.emptyInput();
        m_link.sendP50X(P50x::XPTMS());
        emit waitingChanged(true);
        answer = m_link.waitForAnswer(-1);
        emit waitingChanged(false);
        m_timer.stop();
        m_seconds = 0;
        if (answer.failed) {
            // The link has reported the failure; the port takes nothing more.
            m_running = false;
            result.outcome = Outcome::PortFailed;
            return result;
        }
        sendXpt0AndPause();
    } catch (const Failure& failure) {
        m_timer.stop();
        m_seconds = 0;
        emit waitingChanged(false);
        m_running = false;
        ZentraleFehlerbehandlung(m_ctx, failure);
        // Leave the programming track off where the port still takes it.
        try {
            m_link.sendP50X(P50x::XPT0());
        } catch (const Failure&) {
        }
        result.outcome = Outcome::PortFailed;
        return result;
    }
    m_running = false;

    if (answer.aborted || !answer.complete) {
        result.outcome = Outcome::Stopped;
        result.statusText = stoppedText;
    } else {
        result.statusText = answer.text;
        const double number = leadingNumber(answer.text);
        const qint64 address = roundHalfEven(number);
        // Address 0 is no locomotive: the answer then carries no result.
        if (address >= 1 && address <= maxAddress) {
            result.outcome = Outcome::Found;
            result.address = int(address);
        } else {
            result.outcome = Outcome::NoAddress;
        }
    }
    emit statusChanged(result.statusText);
    return result;
}
