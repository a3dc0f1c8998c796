#include "lenz/core/LenzServiceMode.h"

#include "link/core/Clock.h"
#include "link/core/StationLink.h"
#include "link/core/XpressNetReceiver.h"

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

void LenzServiceMode::send(const QByteArray& message) {
    m_link.SendenXpressNet(message, m_usb);
}

ServiceModeOutcome LenzServiceMode::read(ProgrammingMode mode, int number, const ServiceModePauses& pauses) {
    const std::optional<QByteArray> request = XpressNet::readRequest(mode, number);
    if (!request)
        return outcome(Kind::Refused);
    if (cancelled())
        return outcome(Kind::Cancelled);
    try {
        status(sendingRequest);
        send(*request);
        m_link.Warten(pauses.beforeResultRequestMs);
        if (cancelled())
            return outcome(Kind::Cancelled);
        status(askingResult);
        // What came so far (the service-mode entry, the interface's acknowledgement) is
        // not the answer.
        (void)m_link.readInput();
        send(XpressNet::resultRequest());
        m_link.Warten(pauses.beforeAnswerMs);
        if (cancelled())
            return outcome(Kind::Cancelled);
        ServiceModeOutcome answer = collectAnswer(mode, pauses.answerLimitMs);
        // The closing pause comes before the row is logged; a station still sending at the
        // limit gets its message at once.
        if (answer.kind == Kind::Value || (answer.kind == Kind::NoAnswer && !answer.stillArriving))
            m_link.Warten(pauses.closingMs);
        return answer;
    } catch (const Failure& failure) {
        ServiceModeOutcome failed = outcome(Kind::PortFailed);
        failed.failure = failure;
        return failed;
    }
}

ServiceModeOutcome LenzServiceMode::collectAnswer(ProgrammingMode mode, qint64 limitMs) {
    ServiceModeOutcome answer;
    XpressNet::FrameSplitter splitter;
    const qint64 start = m_link.clock().ticks();
    qint64 lastInput = -1;
    for (;;) {
        const QByteArray input = m_link.readInput();
        if (!input.isEmpty())
            lastInput = m_link.clock().ticks();
        answer.received += input;
        splitter.append(input);
        while (const std::optional<QByteArray> frame = splitter.next()) {
            switch (XpressNet::classify(*frame)) {
            case FrameKind::Result: {
                const XpressNet::ServiceResult result = *XpressNet::serviceResult(*frame);
                answer.kind = Kind::Value;
                answer.frame = *frame;
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
                answer.frame = *frame;
                answer.statusWord = XpressNet::serviceStatusWord(*frame);
                answer.statusText = XpressNet::serviceStatusText(*frame);
                return answer;
            case FrameKind::StationError:
                answer.kind = Kind::OtherAnswer;
                answer.frame = *frame;
                return answer;
            default:
                break;  // acknowledgements, broadcasts and the like come and go around the answer
            }
        }
        if (cancelled()) {
            answer.kind = Kind::Cancelled;
            return answer;
        }
        const qint64 now = m_link.clock().ticks();
        if (now > start + limitMs) {
            answer.kind = Kind::NoAnswer;
            answer.stillArriving = lastInput >= 0 && now - lastInput <= stillArrivingMs;
            return answer;
        }
        m_link.waitForInput(start + limitMs + 1 - now);
    }
}

ServiceModeOutcome LenzServiceMode::write(ProgrammingMode mode, int number, int value) {
    const std::optional<QByteArray> message = XpressNet::writeRequest(mode, number, value);
    if (!message)
        return outcome(Kind::Refused);
    if (cancelled())
        return outcome(Kind::Cancelled);
    try {
        send(*message);
        return outcome(Kind::Sent);
    } catch (const Failure& failure) {
        ServiceModeOutcome failed = outcome(Kind::PortFailed);
        failed.failure = failure;
        return failed;
    }
}
