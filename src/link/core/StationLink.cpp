#include "link/core/StationLink.h"

#include "base/core/Failure.h"
#include "link/core/Clock.h"
#include "link/core/P50xCommands.h"
#include "link/core/SerialPort.h"

#include <algorithm>
#include <cmath>

namespace {
// The CTS line has no notification: its wait looks again this often.
constexpr int ctsPollMs = 20;

// Frames the station sends as the answer to a request (the result request); broadcasts and
// the interface's acknowledgements come and go besides.
bool answerFrame(const QByteArray& frame) {
    using XpressNet::FrameKind;
    const FrameKind kind = XpressNet::classify(frame);
    return kind == FrameKind::Result || kind == FrameKind::ServiceStatus || kind == FrameKind::StationError;
}
}  // namespace

StationLink::StationLink(SerialPort& port, Clock& clock) : m_port(port), m_clock(clock) {}

bool StationLink::portOpen() const {
    return m_port.isOpen();
}

StationLink::Exchange::Exchange(StationLink& link, const void* owner, std::function<void()> lineLost)
    : m_link(link), m_owner(owner), m_held(link.m_current == nullptr), m_lineLost(std::move(lineLost)) {
    if (m_held)
        m_link.m_current = this;
}

StationLink::Exchange::~Exchange() {
    if (!m_held)
        return;
    m_link.m_current = nullptr;
    if (m_failed && m_lineLost)
        m_lineLost();
}

void StationLink::cancelExchange() {
    if (m_current)
        m_current->cancel();
}

void StationLink::assertHeld(const char* what) const {
    Q_UNUSED(what);
    Q_ASSERT_X(m_current, what, "the line is used only inside a held exchange");
}

StationLink::Outcome StationLink::fail(const Failure& failure) {
    forgetOwedAnswers();
    if (m_current) {
        if (m_current->m_failed)
            return Outcome::Failed;
        m_current->m_failed = true;
    }
    if (m_failureReport)
        m_failureReport(failure);
    return Outcome::Failed;
}

void StationLink::payOwed(qsizetype answers) {
    for (; answers > 0 && !m_owedSince.isEmpty(); --answers)
        m_owedSince.removeFirst();
    if (m_owedSince.isEmpty())
        m_lateAnswer = false;
}

QByteArray StationLink::takeInput(Framing framing) {
    const QByteArray input = m_port.readAll();
    if (input.isEmpty())
        return input;
    if (m_owedFraming == Framing::P50x)
        payOwed(input.count(']'));
    else if (m_owedFraming == Framing::Selectrix)
        payOwed(input.size());
    if (framing == Framing::XpressNet)
        m_frames.append(input);
    return input;
}

std::optional<QByteArray> StationLink::nextFrame() {
    std::optional<QByteArray> frame = m_frames.next();
    if (frame && m_owedFraming == Framing::XpressNet && answerFrame(*frame))
        payOwed(1);
    return frame;
}

void StationLink::forgetOwedAnswers() {
    m_owedSince.clear();
    m_lateAnswer = false;
}

bool StationLink::waitForInput(qint64 ms) {
    return m_port.waitForInput(ms, [this] { return cancelled(); });
}

StationLink::Outcome StationLink::send(const QByteArray& bytes) {
    if (failed())
        return Outcome::Failed;
    try {
        m_port.write(bytes);
    } catch (const Failure& failure) {
        return fail(failure);
    }
    return Outcome::Done;
}

StationLink::Outcome StationLink::request(Framing framing, const QByteArray& bytes) {
    assertHeld("request");
    const Outcome sent = send(bytes);
    if (sent != Outcome::Done)
        return sent;
    // A station of another kind cannot answer what the last one owed.
    if (framing != m_owedFraming)
        forgetOwedAnswers();
    m_owedFraming = framing;
    m_owedSince.append(m_clock.ticks());
    return sent;
}

StationLink::Outcome StationLink::write(const QByteArray& bytes) {
    assertHeld("write");
    return send(bytes);
}

StationLink::Outcome StationLink::writeAtOnce(const QByteArray& bytes) {
    // No exchange of its own: it goes out past the running one, whose failure it shares.
    return send(bytes);
}

StationLink::SettleTimes StationLink::settleTimes(Framing framing) {
    switch (framing) {
    case Framing::Selectrix:
        return {selectrixReadMs, selectrixReadMs, settleQuietMs, settleLimitMs};
    case Framing::XpressNet:
        return {unawaitedAnswerMs, xpressNetAnswerMs, settleQuietMs, settleLimitMs};
    case Framing::P50x:
        break;
    }
    return {unawaitedAnswerMs, stationWorkMs, settleQuietMs, settleLimitMs};
}

StationLink::Outcome StationLink::settleLateAnswers() {
    assertHeld("settleLateAnswers");
    if (failed())
        return Outcome::Failed;
    if (m_owedSince.isEmpty()) {
        m_lateAnswer = false;
        return Outcome::Done;
    }
    const SettleTimes times = settleTimes(m_owedFraming);
    const qint64 begin = m_clock.ticks();
    // After a given-up answer the last owed request is answered last, and until its longest
    // working time has passed the station may still be at it, silent; then quiet counts from
    // the settle's start, the end of that working time or the last byte received, whichever
    // is latest. Otherwise the station answers what it owes at once.
    const qint64 lastOwed = m_owedSince.last();
    qint64 quietMs = times.unawaitedMs;
    qint64 lastInput = lastOwed;
    qint64 limit = lastOwed + times.unawaitedMs;
    if (m_lateAnswer) {
        const qint64 workEnd = lastOwed + times.workMs;
        quietMs = times.quietMs;
        lastInput = std::max(begin, workEnd);
        limit = std::max(begin + times.limitMs, workEnd + times.quietMs);
    }
    try {
        for (;;) {
            if (!takeInput(m_owedFraming).isEmpty())
                lastInput = std::max(lastInput, m_clock.ticks());
            while (nextFrame()) {
            }
            if (m_owedSince.isEmpty())
                return Outcome::Done;  // every owed answer has passed
            if (cancelled())
                return Outcome::Stopped;
            const qint64 now = m_clock.ticks();
            const qint64 end = std::min(lastInput + quietMs, limit);
            if (now >= end)
                break;
            waitForInput(end - now);
        }
    } catch (const Failure& failure) {
        return fail(failure);
    }
    // The station's time is up and the line quiet: what has not begun by now is not coming.
    forgetOwedAnswers();
    return Outcome::Done;
}

StationLink::Outcome StationLink::drain() {
    assertHeld("drain");
    const Outcome settled = settleLateAnswers();
    if (settled != Outcome::Done)
        return settled;
    return dropInput();
}

StationLink::Outcome StationLink::dropInput() {
    assertHeld("dropInput");
    if (failed())
        return Outcome::Failed;
    try {
        (void)takeInput(m_owedFraming);
    } catch (const Failure& failure) {
        return fail(failure);
    }
    m_frames.clear();
    return Outcome::Done;
}

std::optional<QByteArray> StationLink::completeAnswer(Framing framing, QByteArray& input) {
    switch (framing) {
    case Framing::P50x:
        if (input.contains(']'))
            return input;
        return std::nullopt;
    case Framing::Selectrix:
        // The first byte is the answer; the rest of the same read is dropped.
        if (!input.isEmpty())
            return input.left(1);
        return std::nullopt;
    case Framing::XpressNet:
        return nextFrame();
    }
    return std::nullopt;
}

StationLink::Reply StationLink::receive(Framing framing, qint64 deadlineMs) {
    assertHeld("receive");
    Reply reply;
    if (failed()) {
        reply.outcome = Outcome::Failed;
        return reply;
    }
    const qint64 start = m_clock.ticks();
    QByteArray input;
    try {
        for (;;) {
            const QByteArray taken = takeInput(framing);
            if (!taken.isEmpty()) {
                reply.taken += taken;
                reply.lastInputAt = m_clock.ticks();
            }
            if (framing != Framing::XpressNet)
                input += taken;
            if (std::optional<QByteArray> answer = completeAnswer(framing, input)) {
                reply.outcome = Outcome::Done;
                reply.bytes = *answer;
                return reply;
            }
            if (cancelled()) {
                reply.outcome = Outcome::Stopped;
                break;
            }
            const qint64 now = m_clock.ticks();
            if (deadlineMs >= 0 && now > start + deadlineMs)
                break;
            const qint64 wait = deadlineMs < 0 ? -1 : start + deadlineMs + 1 - now;
            // A frame that stopped coming in the middle was cut off: its bytes make way for
            // what follows, one at a time.
            if (framing == Framing::XpressNet && !m_frames.pending().isEmpty() && (wait < 0 || wait > frameGapMs)) {
                if (!waitForInput(frameGapMs) && !cancelled())
                    m_frames.lineQuiet();
                continue;
            }
            waitForInput(wait);
        }
    } catch (const Failure& failure) {
        reply.outcome = fail(failure);
        reply.bytes = input;
        return reply;
    }
    if (framing != Framing::XpressNet)
        reply.bytes = input;
    // Given up on: the station may still be working on it and answer later.
    if (!m_owedSince.isEmpty())
        m_lateAnswer = true;
    return reply;
}

StationLink::Reply StationLink::ask(Framing framing, const QByteArray& bytes, qint64 pauseMs, qint64 deadlineMs,
                                    const std::function<void()>& awaiting) {
    Reply reply;
    reply.outcome = drain();
    if (reply.outcome != Outcome::Done)
        return reply;
    // Cancelled while late answers were dropped: the request does not go out.
    if (cancelled()) {
        reply.outcome = Outcome::Stopped;
        return reply;
    }
    reply.outcome = request(framing, bytes);
    if (reply.outcome != Outcome::Done)
        return reply;
    Warten(pauseMs);
    if (awaiting)
        awaiting();
    return receive(framing, deadlineMs);
}

QByteArray StationLink::p50x(const QString& command) {
    return command.toLatin1() + '\r';
}

StationLink::Reply StationLink::askP50X(const QString& command, qint64 pauseMs, qint64 deadlineMs,
                                        const std::function<void()>& awaiting) {
    return ask(Framing::P50x, p50x(command), pauseMs, deadlineMs, awaiting);
}

StationLink::Outcome StationLink::tellP50X(const QString& command) {
    assertHeld("tellP50X");
    // The cold start answers nothing and forgets what the station still owed.
    if (command == QLatin1String("X@@")) {
        const Outcome sent = send(p50x(command));
        if (sent == Outcome::Done)
            forgetOwedAnswers();
        return sent;
    }
    return request(Framing::P50x, p50x(command));
}

StationLink::CtsWait StationLink::waitForCts(qint64 deadlineMs) {
    assertHeld("waitForCts");
    if (failed())
        return CtsWait::Failed;
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
        fail(failure);
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
    return write(frame) == Outcome::Done;
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
    return write(*pair) == Outcome::Done;
}

qint16 StationLink::SendenXL(qint16 a, qint16 b, qint16 c, qint16 d, qint16 e, qint16 f, qint16 g, qint16 h) {
    const auto b5 = static_cast<qint16>(b * 5);
    tellP50X(P50x::XLNumbers(a, b5, c, d, e, f, g, h));
    return b5;
}

void StationLink::Warten(qint64 ms) {
    m_clock.pause(ms);
}
