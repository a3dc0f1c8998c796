#include "link/core/StationLink.h"

#include "app/core/AppContext.h"
#include "link/core/Clock.h"
#include "app/core/Failure.h"
#include "app/core/Notifier.h"
#include "link/core/SerialPort.h"

#include <algorithm>
#include <cmath>

namespace {
// The CTS line has no notification: its wait looks again this often.
constexpr int ctsPollMs = 20;
}

StationLink::StationLink(AppContext& ctx, SerialPort& port, Clock& clock)
    : m_ctx(ctx), m_port(port), m_clock(clock) {}

StationLink::Exchange::Exchange(StationLink& link) : m_link(link), m_owner(!link.m_busy) {
    if (m_owner) {
        m_link.m_busy = true;
        m_link.m_abortRequested = false;
    } else if (m_link.m_ctx.notifier) {
        m_link.m_ctx.notifier->beep();
    }
}

StationLink::Exchange::~Exchange() {
    if (m_owner)
        m_link.m_busy = false;
}

QByteArray StationLink::takeInput() {
    const QByteArray input = m_port.readAll();
    if (const qsizetype answers = input.count(']')) {
        m_unanswered = int(std::max<qsizetype>(0, m_unanswered - answers));
        if (m_unanswered == 0)
            m_lateAnswer = false;
    }
    return input;
}

void StationLink::emptyInput() {
    settleLateAnswers();
    (void)takeInput();
}

void StationLink::settleLateAnswers(const bool* abortFlag) {
    if (!lateAnswerPossible()) {
        m_lateAnswer = false;
        return;
    }
    const auto stop = [this, abortFlag] { return abortAsked(abortFlag); };
    const qint64 begin = m_clock.ticks();
    qint64 lastInput = begin;
    try {
        for (;;) {
            if (!takeInput().isEmpty())
                lastInput = m_clock.ticks();
            if (!m_lateAnswer)
                return;  // every owed "]" has passed
            if (stop())
                return;
            const qint64 now = m_clock.ticks();
            const qint64 end = std::min(lastInput + settleQuietMs, begin + settleLimitMs);
            if (now >= end)
                break;
            m_port.waitForInput(end - now, stop);
        }
    } catch (const Failure&) {
        // The port has gone: nothing of the old answers will come through it.
        m_unanswered = 0;
        m_lateAnswer = false;
        throw;
    }
    // Quiet: what has not begun by now is not coming.
    m_unanswered = 0;
    m_lateAnswer = false;
}

void StationLink::sendP50X(const QString& command) {
    m_port.write(command.toLatin1() + '\r');
    // The cold start answers nothing and forgets what the station still owed.
    if (command == QLatin1String("X@@"))
        m_unanswered = 0;
    else
        ++m_unanswered;
}

void StationLink::writeAtOnce(const QByteArray& bytes) {
    m_port.write(bytes);
}

void StationLink::reportFailure(const Failure& failure) {
    if (m_failureReport)
        m_failureReport(failure);
}

StationLink::Answer StationLink::waitForAnswer(qint64 deadlineMs, const bool* abortFlag) {
    Answer answer;
    const qint64 start = m_clock.ticks();
    const auto stop = [this, abortFlag] { return abortAsked(abortFlag); };
    try {
        for (;;) {
            answer.text += QString::fromLatin1(takeInput());
            if (answer.text.contains(u']')) {
                answer.complete = true;
                return answer;
            }
            if (stop()) {
                answer.aborted = true;
                break;
            }
            const qint64 now = m_clock.ticks();
            if (deadlineMs >= 0 && now > start + deadlineMs)
                break;
            m_port.waitForInput(deadlineMs < 0 ? -1 : start + deadlineMs + 1 - now, stop);
        }
    } catch (const Failure& failure) {
        answer.failed = true;
        reportFailure(failure);
        return answer;
    }
    // Given up on: the station may still be working on it and answer later.
    m_lateAnswer = true;
    return answer;
}

StationLink::CtsWait StationLink::waitForCts(qint64 deadlineMs, const bool* abortFlag) {
    const qint64 start = m_clock.ticks();
    try {
        for (;;) {
            const std::optional<bool> cts = m_port.cts();
            if (cts.value_or(false) || (!cts && deadlineMs < 0))
                return CtsWait::On;  // without a deadline an unknown line would be waited on forever
            if (m_abortRequested || (abortFlag && *abortFlag))
                return CtsWait::Aborted;
            m_clock.yield();
            if (deadlineMs >= 0 && m_clock.ticks() > start + deadlineMs)
                return cts.has_value() ? CtsWait::Off : CtsWait::On;
            m_clock.pause(ctsPollMs);
        }
    } catch (const Failure& failure) {
        reportFailure(failure);
        return CtsWait::Failed;
    }
}

QString StationLink::AntwortP50X() {
    const Answer answer = waitForAnswer(20000);
    if (answer.complete)
        return answer.text;
    // An abort or a port failure (already reported) ends the run without the time-out steps.
    if (!answer.aborted && !answer.failed) {
        if (m_statusView)
            m_statusView->showStatus(QStringLiteral(" Programmierung abgebrochen..."));
        try {
            sendP50X(QStringLiteral("XPT0"));
        } catch (const Failure& failure) {
            reportFailure(failure);
        }
        m_ctx.ui().message(QStringLiteral("Die ") + m_ctx.CuName + QStringLiteral(" antwortet nicht !          "),
                           Notifier::Icon::Critical, Notifier::OkOnly,
                           QStringLiteral(" ") + m_ctx.DecoderType + QStringLiteral("-Decoder programmieren..."));
    }
    if (m_statusView)
        m_statusView->setBusyPointer(false);
    return QStringLiteral("Fehler");
}

QByteArray StationLink::xpressNetFrame(const QByteArray& message, bool usbHeader) {
    if (message.isEmpty() || message.size() > maxXpressNetMessage)
        return {};
    QByteArray frame;
    if (usbHeader)
        frame += QByteArray("\xFF\xFE", 2);
    char check = 0;
    for (char byte : message)
        check = static_cast<char>(check ^ byte);
    frame += message;
    frame += check;
    return frame;
}

bool StationLink::SendenXpressNet(const QByteArray& message) {
    const QByteArray frame = xpressNetFrame(message, m_ctx.LenzInterfaceType == 1);
    if (frame.isEmpty())
        return false;
    m_port.write(frame);
    return true;
}

namespace {
// The numeric value of a typed number, rounded half to even as the stored routines did;
// nullopt when the text is no number.
std::optional<double> numberOf(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return std::nearbyint(value);
}
}  // namespace

std::optional<QByteArray> StationLink::p50Pair(const QString& code, const QString& address) {
    const std::optional<double> a = numberOf(address);
    // An address that does not fit its byte would reach another locomotive: refuse it.
    if (!a || *a < 0 || *a > 255)
        return std::nullopt;
    const std::optional<double> c = numberOf(code);
    const int codeByte = (c && *c >= 0 && *c < 255) ? int(*c) : 0;
    QByteArray pair;
    pair += static_cast<char>(codeByte);
    pair += static_cast<char>(int(*a));
    return pair;
}

bool StationLink::Senden6021(const QString& code, const QString& address) {
    const std::optional<QByteArray> pair = p50Pair(code, address);
    if (!pair)
        return false;
    m_port.write(*pair);
    return true;
}

qint16 StationLink::SendenXL(qint16 a, qint16 b, qint16 c, qint16 d, qint16 e, qint16 f, qint16 g, qint16 h) {
    const auto b5 = static_cast<qint16>(b * 5);
    sendP50X(QStringLiteral("XL %1, %2, %3,%4,%5,%6,%7,%8").arg(a).arg(b5).arg(c).arg(d).arg(e).arg(f).arg(g).arg(h));
    return b5;
}

void StationLink::Warten(qint64 ms) {
    m_clock.pause(ms);
}
