#include "intellibox/core/AddressSearch.h"

#include "base/core/TextNumbers.h"
#include "link/core/P50xCommands.h"
#include "link/core/StationLink.h"

namespace {
const QString stoppedText = QStringLiteral("Lesevorgang abgebrochen...");
constexpr qint64 trackPauseMs = 1000;
constexpr int maxAddress = 9999;
}  // namespace

AddressSearch::AddressSearch(StationLink& link, QObject* parent)
    : QObject(parent), m_link(link) {
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

AddressSearch::Result AddressSearch::run() {
    Result result;
    m_running = true;
    m_seconds = 0;
    m_timer.start();
    emit statusChanged(QString());

    const auto ended = [this] {
        m_timer.stop();
        m_seconds = 0;
        m_running = false;
    };
    StationLink::Reply answer;
    if (m_link.tellP50X(P50x::XPT1()) == StationLink::Outcome::Done) {
        m_link.Warten(trackPauseMs);
        answer = m_link.askP50X(P50x::XPTMS(), 0, -1, [this] { emit waitingChanged(true); });
        emit waitingChanged(false);
    } else {
        answer.outcome = StationLink::Outcome::Failed;
    }
    ended();
    if (answer.outcome == StationLink::Outcome::Failed) {
        // The link has reported the failure; the port takes nothing more.
        result.outcome = Outcome::PortFailed;
        return result;
    }
    m_link.tellP50X(P50x::XPT0());
    m_link.Warten(trackPauseMs);

    if (!answer.answered()) {
        result.outcome = Outcome::Stopped;
        result.statusText = stoppedText;
    } else {
        result.statusText = answer.text();
        const double number = leadingNumber(answer.text());
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
