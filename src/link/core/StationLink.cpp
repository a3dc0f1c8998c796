#include "link/core/StationLink.h"

#include "base/core/Failure.h"
#include "link/core/Clock.h"
#include "link/core/SerialPort.h"

#include <algorithm>
#include <cmath>

namespace {
// The CTS line has no notification: its wait looks again this often.
constexpr int ctsPollMs = 20;
}

StationLink::StationLink(SerialPort& port, Clock& clock) : m_port(port), m_clock(clock) {}

StationLink::Exchange::Exchange(StationLink& link, const void* owner)
    : m_link(link), m_owner(owner), m_held(link.m_current == nullptr) {
    if (m_held)
        m_link.m_current = this;
}

StationLink::Exchange::~Exchange() {
    if (m_held)
        m_link.m_current = nullptr;
}

void StationLink::cancelExchange() {
    if (m_current)
        m_current->cancel();
}

void StationLink::assertHeld(const char* what) const {
    Q_UNUSED(what);
    Q_ASSERT_X(m_current, what, "the line is used only inside a held exchange");
}

QByteArray StationLink::takeInput() {
    const QByteArray input = m_port.readAll();
    for (qsizetype answers = input.count(']'); answers > 0 && !m_owedSince.isEmpty(); --answers)
        m_owedSince.removeFirst();
    if (m_owedSince.isEmpty())
        m_lateAnswer = false;
    return input;
}

void StationLink::forgetOwedAnswers() {
    m_owedSince.clear();
    m_lateAnswer = false;
}

QByteArray StationLink::readInput() {
    assertHeld("readInput");
    return takeInput();
}

int StationLink::bytesWaiting() {
    assertHeld("bytesWaiting");
    return m_port.bytesWaiting();
}

bool StationLink::waitForInput(qint64 ms) {
    assertHeld("waitForInput");
    return m_port.waitForInput(ms, [this] { return cancelled(); });
}

void StationLink::emptyInput() {
    assertHeld("emptyInput");
    settleLateAnswers();
    (void)takeInput();
}

void StationLink::settleLateAnswers() {
    assertHeld("settleLateAnswers");
    if (m_owedSince.isEmpty()) {
        m_lateAnswer = false;
        return;
    }
    const auto stop = [this] { return cancelled(); };
    const qint64 begin = m_clock.ticks();
    // After a given-up answer the last owed command is answered last, and until its longest
    // working time has passed the station may still be at it, silent; then quiet counts from
    // the settle's start, the end of that working time or the last byte received, whichever
    // is latest. Otherwise the station answers what it owes at once.
    const qint64 lastOwed = m_owedSince.last();
    qint64 quietMs = unawaitedAnswerMs;
    qint64 lastInput = lastOwed;
    qint64 limit = lastOwed + unawaitedAnswerMs;
    if (m_lateAnswer) {
        const qint64 workEnd = lastOwed + stationWorkMs;
        quietMs = settleQuietMs;
        lastInput = std::max(begin, workEnd);
        limit = std::max(begin + settleLimitMs, workEnd + settleQuietMs);
    }
    try {
        for (;;) {
            if (!takeInput().isEmpty())
                lastInput = std::max(lastInput, m_clock.ticks());
            if (m_owedSince.isEmpty())
                return;  // every owed "]" has passed
            if (stop())
                return;
            const qint64 now = m_clock.ticks();
            const qint64 end = std::min(lastInput + quietMs, limit);
            if (now >= end)
                break;
            m_port.waitForInput(end - now, stop);
        }
    } catch (const Failure&) {
        // The port has gone: nothing of the old answers will come through it.
        forgetOwedAnswers();
        throw;
    }
    // The station's time is up and the line quiet: what has not begun by now is not coming.
    forgetOwedAnswers();
}

void StationLink::sendP50X(const QString& command) {
    assertHeld("sendP50X");
    m_port.write(command.toLatin1() + '\r');
    // The cold start answers nothing and forgets what the station still owed.
    if (command == QLatin1String("X@@"))
        forgetOwedAnswers();
    else
        m_owedSince.append(m_clock.ticks());
}

void StationLink::write(const QByteArray& bytes) {
    assertHeld("write");
    m_port.write(bytes);
}

void StationLink::writeAtOnce(const QByteArray& bytes) {
    m_port.write(bytes);
}

void StationLink::reportFailure(const Failure& failure) {
    if (m_failureReport)
        m_failureReport(failure);
}

StationLink::Answer StationLink::waitForAnswer(qint64 deadlineMs) {
    assertHeld("waitForAnswer");
    Answer answer;
    const qint64 start = m_clock.ticks();
    const auto stop = [this] { return cancelled(); };
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

StationLink::CtsWait StationLink::waitForCts(qint64 deadlineMs) {
    assertHeld("waitForCts");
    const qint64 start = m_clock.ticks();
    try {
        for (;;) {
            const std::optional<bool> cts = m_port.cts();
            if (cts.value_or(false) || (!cts && deadlineMs < 0))
                return CtsWait::On;  // without a deadline an unknown line would be waited on forever
            if (cancelled())
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

bool StationLink::SendenXpressNet(const QByteArray& message, bool usbHeader) {
    const QByteArray frame = xpressNetFrame(message, usbHeader);
    if (frame.isEmpty())
        return false;
    write(frame);
    return true;
}

namespace {
// The numeric value of a typed number, rounded half to even;
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
    write(*pair);
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
