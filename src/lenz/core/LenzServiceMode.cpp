#include "lenz/core/LenzServiceMode.h"

#include "link/core/Clock.h"
#include "link/core/StationLink.h"
#include "link/core/XpressNetReceiver.h"

#include <algorithm>

using XpressNet::FrameKind;
using XpressNet::ProgrammingMode;
using Kind = ServiceModeOutcome::Kind;

const QString LenzServiceMode::sendingRequest = QStringLiteral(" sende Leseabfrage...");
const QString LenzServiceMode::askingResult = QStringLiteral(" frage Leseergebnis ab...");
const QString LenzServiceMode::noAnswer = QStringLiteral("empfange keine Antwort von der Zentrale...      ");
const QString LenzServiceMode::noAnswerTitle = QStringLiteral(" Daten lesen.....");

namespace {
ServiceModeOutcome outcome(Kind kind) {
    ServiceModeOutcome o;
    o.kind = kind;
    return o;
}
}  // namespace

LenzServiceMode::LenzServiceMode(StationLink& link, bool usbHeader) : m_link(link), m_usb(usbHeader) {}

bool LenzServiceMode::cancelled() const {
    return m_link.cancelled();
}

void LenzServiceMode::status(const QString& text) const {
    if (m_status)
        m_status(text);
}

ServiceModeOutcome LenzServiceMode::read(ProgrammingMode mode, int number, const ServiceModePauses& pauses) {
    const std::optional<QByteArray> request = XpressNet::readRequest(mode, number);
    if (!request)
        return outcome(Kind::Refused);
    ServiceModeOutcome answer = transaction(*request, mode, number, pauses, true);
    // The closing pause comes before the row is logged; a station still sending at the
    // limit gets its message at once.
    if (answer.kind == Kind::Value || (answer.kind == Kind::NoAnswer && !answer.stillArriving))
        m_link.Warten(pauses.closingMs);
    return answer;
}

ServiceModeOutcome LenzServiceMode::write(ProgrammingMode mode, int number, int value, const ServiceModePauses& pauses) {
    const std::optional<QByteArray> request = XpressNet::writeRequest(mode, number, value);
    if (!request)
        return outcome(Kind::Refused);
    ServiceModeOutcome answer = transaction(*request, mode, number, pauses, false);
    // The station confirms a write by naming the value it wrote.
    if (answer.kind == Kind::Value && answer.value != value)
        answer.kind = Kind::OtherAnswer;
    return answer;
}

ServiceModeOutcome LenzServiceMode::transaction(const QByteArray& request, ProgrammingMode mode, int number,
                                                const ServiceModePauses& pauses, bool read) {
    if (cancelled())
        return outcome(Kind::Cancelled);
    if (read)
        status(sendingRequest);
    Clock& clock = m_link.clock();
    const qint64 requestAt = clock.ticks();
    if (!m_link.SendenXpressNet(request, m_usb))
        return outcome(Kind::PortFailed);
    m_link.Warten(pauses.beforeResultRequestMs);
    if (cancelled())
        return outcome(Kind::Cancelled);
    if (read)
        status(askingResult);
    // What came so far (the service-mode entry, the interface's acknowledgement) is not the
    // answer.
    ServiceModeOutcome answer = collectAnswer(mode, number, pauses.beforeAnswerMs, pauses.answerLimitMs);
    constexpr quint8 busy = 0x1F;
    while (answer.kind == Kind::Status && quint8(answer.frame.at(1)) == busy &&
           clock.ticks() + busyPauseMs < requestAt + busyLimitMs) {
        m_link.Warten(busyPauseMs);
        if (cancelled())
            return outcome(Kind::Cancelled);
        // The answer of a station that has its result ready is taken as soon as it is in.
        answer = collectAnswer(mode, number, 0, pauses.answerLimitMs);
    }
    return answer;
}

ServiceModeOutcome LenzServiceMode::collectAnswer(ProgrammingMode mode, int number, qint64 pause, qint64 limit) {
    ServiceModeOutcome answer;
    Clock& clock = m_link.clock();
    qint64 start = -1;
    const QByteArray request = StationLink::xpressNetFrame(XpressNet::resultRequest(), m_usb);
    StationLink::Reply reply =
        m_link.ask(StationLink::Framing::XpressNet, request, pause, limit, [&] { start = clock.ticks(); });
    qint64 lastInput = -1;
    for (;;) {
        answer.received += reply.taken;
        if (reply.lastInputAt >= 0)
            lastInput = reply.lastInputAt;
        switch (reply.outcome) {
        case StationLink::Outcome::Stopped:
            answer.kind = Kind::Cancelled;
            return answer;
        case StationLink::Outcome::Failed:
            answer.kind = Kind::PortFailed;
            return answer;
        case StationLink::Outcome::TimedOut:
            answer.kind = Kind::NoAnswer;
            answer.stillArriving = lastInput >= 0 && clock.ticks() - lastInput <= stillArrivingMs;
            return answer;
        case StationLink::Outcome::Done:
            break;
        }
        const QByteArray& frame = reply.bytes;
        switch (XpressNet::classify(frame)) {
        case FrameKind::Result: {
            const XpressNet::ServiceResult result = *XpressNet::serviceResult(frame);
            // A result for another register or CV is not the answer to this request.
            if (result.number != number)
                break;
            answer.kind = Kind::Value;
            answer.frame = frame;
            answer.number = result.number;
            answer.value = result.value;
            if (result.directForm && mode != ProgrammingMode::Direct)
                answer.warning = ServiceModeOutcome::ModeWarning::Direct;
            else if (!result.directForm && mode == ProgrammingMode::Direct)
                answer.warning = ServiceModeOutcome::ModeWarning::NotDirect;
            return answer;
        }
        case FrameKind::ServiceStatus:
            answer.kind = Kind::Status;
            answer.frame = frame;
            answer.statusWord = XpressNet::serviceStatusWord(frame);
            answer.statusText = XpressNet::serviceStatusText(frame);
            return answer;
        case FrameKind::StationError:
            answer.kind = Kind::OtherAnswer;
            answer.frame = frame;
            return answer;
        default:
            break;  // acknowledgements, broadcasts and the like come and go around the answer
        }
        const qint64 remaining = std::max<qint64>(0, start + limit - clock.ticks());
        reply = m_link.receive(StationLink::Framing::XpressNet, remaining);
    }
}
