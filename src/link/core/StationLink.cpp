#include "StationLink.h"

#include "AppContext.h"
#include "Clock.h"
#include "Notifier.h"
#include "SerialPort.h"

namespace {
// Between polls a wait blocks this long on the port instead of spinning.
constexpr int pollBlockMs = 10;
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

void StationLink::emptyInput() {
    (void)m_port.readAll();
}

void StationLink::sendP50X(const QString& command) {
    m_port.write(command.toLatin1() + '\r');
}

StationLink::Answer StationLink::waitForAnswer(qint64 deadlineMs, const bool* abortFlag) {
    Answer answer;
    const qint64 start = m_clock.ticks();
    for (;;) {
        if (answer.text.contains(u']')) {
            answer.complete = true;
            return answer;
        }
        if (m_abortRequested || (abortFlag && *abortFlag)) {
            answer.aborted = true;
            return answer;
        }
        answer.text += QString::fromLatin1(m_port.readAll());
        m_clock.yield();
        if (deadlineMs >= 0 && m_clock.ticks() > start + deadlineMs) {
            // Text that came with the last poll still counts.
            answer.text += QString::fromLatin1(m_port.readAll());
            answer.complete = answer.text.contains(u']');
            return answer;
        }
        if (m_port.bytesWaiting() == 0)
            m_port.waitForInput(pollBlockMs);
    }
}

QString StationLink::AntwortP50X() {
    const Answer answer = waitForAnswer(20000);
    if (answer.complete)
        return answer.text;
    if (m_statusView)
        m_statusView->showStatus(QStringLiteral(" Programmierung abgebrochen..."));
    if (!answer.aborted) {
        sendP50X(QStringLiteral("XPT0"));
        m_ctx.ui().message(QStringLiteral("Die ") + m_ctx.CuName + QStringLiteral(" antwortet nicht !          "),
                           Notifier::Icon::Critical, Notifier::OkOnly,
                           QStringLiteral(" ") + m_ctx.DecoderType + QStringLiteral("-Decoder programmieren..."));
    }
    if (m_statusView)
        m_statusView->setBusyPointer(false);
    return QStringLiteral("Fehler");
}

void StationLink::SendenXpressNet(const QByteArray& message) {
    if (message.isEmpty())
        return;
    QByteArray frame;
    if (m_ctx.LenzInterfaceType == 1)
        frame += QByteArray("\xFF\xFE", 2);
    char check = 0;
    for (char byte : message)
        check = static_cast<char>(check ^ byte);
    frame += message;
    frame += check;
    m_port.write(frame);
}

bool StationLink::Senden6021(const QString& code, const QString& address) {
    bool ok = false;
    const double codeValue = code.trimmed().toDouble(&ok);
    int c = ok ? qRound(codeValue) : 0;
    if (c >= 255 || c < 0)
        c = 0;
    const double addressValue = address.trimmed().toDouble(&ok);
    const int a = ok ? qRound(addressValue) : -1;
    if (a < 0 || a > 255)
        return false;
    QByteArray pair;
    pair += static_cast<char>(c);
    pair += static_cast<char>(a);
    m_port.write(pair);
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
