#include "link/core/SelectrixChannelAccess.h"

#include "link/core/Clock.h"
#include "link/core/SerialPort.h"

namespace {
// Between polls a read blocks this long on the port instead of spinning.
constexpr int pollBlockMs = 20;
constexpr int writeFlag = 0x80;

bool channelFits(int channel) {
    return channel >= 0 && channel <= SelectrixChannelAccess::maxChannel;
}

QByteArray twoBytes(int first, int second) {
    QByteArray bytes;
    bytes += static_cast<char>(first);
    bytes += static_cast<char>(second);
    return bytes;
}
}  // namespace

SelectrixChannelAccess::SelectrixChannelAccess(SerialPort& port, Clock& clock, std::function<bool()> stopRequested)
    : m_port(port), m_clock(clock), m_stopRequested(std::move(stopRequested)) {}

std::optional<QByteArray> SelectrixChannelAccess::writeCommand(int channel, int value) {
    if (!channelFits(channel) || value < 0 || value > maxValue)
        return std::nullopt;
    return twoBytes(channel | writeFlag, value);
}

std::optional<QByteArray> SelectrixChannelAccess::readCommand(int channel) {
    if (!channelFits(channel))
        return std::nullopt;
    return twoBytes(channel, 0);
}

bool SelectrixChannelAccess::write(int channel, int value) {
    const std::optional<QByteArray> bytes = writeCommand(channel, value);
    if (!bytes)
        return false;
    m_port.write(*bytes);
    return true;
}

bool SelectrixChannelAccess::sendRead(int channel) {
    const std::optional<QByteArray> bytes = readCommand(channel);
    if (!bytes)
        return false;
    m_port.write(*bytes);
    return true;
}

void SelectrixChannelAccess::emptyInput() {
    (void)m_port.readAll();
}

SelectrixChannelAccess::Answer SelectrixChannelAccess::awaitAnswer(qint64 deadlineMs) {
    const qint64 start = m_clock.ticks();
    for (;;) {
        if (const std::optional<quint8> byte = takeWaiting())
            return {Answer::Outcome::Value, *byte};
        if (m_stopRequested && m_stopRequested())
            return {Answer::Outcome::Stopped, 0};
        m_clock.yield();
        if (deadlineMs >= 0 && m_clock.ticks() > start + deadlineMs) {
            if (const std::optional<quint8> byte = takeWaiting())
                return {Answer::Outcome::Value, *byte};
            return {Answer::Outcome::TimedOut, 0};
        }
        // Returns at once when input is already waiting.
        m_port.waitForInput(pollBlockMs);
    }
}

SelectrixChannelAccess::Answer SelectrixChannelAccess::read(int channel, qint64 deadlineMs) {
    if (!sendRead(channel))
        return {Answer::Outcome::TimedOut, 0};
    return awaitAnswer(deadlineMs);
}

std::optional<quint8> SelectrixChannelAccess::takeWaiting() {
    const QByteArray bytes = m_port.readAll();
    if (bytes.isEmpty())
        return std::nullopt;
    return static_cast<quint8>(bytes.at(0));
}

void SelectrixChannelAccess::pause(qint64 ms) {
    m_clock.pause(ms);
}
