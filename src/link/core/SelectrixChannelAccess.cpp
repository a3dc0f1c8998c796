#include "link/core/SelectrixChannelAccess.h"

#include "link/core/Clock.h"
#include "link/core/StationLink.h"

namespace {
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

SelectrixChannelAccess::SelectrixChannelAccess(StationLink& link) : m_link(link) {}

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
    m_link.write(*bytes);
    return true;
}

bool SelectrixChannelAccess::sendRead(int channel) {
    const std::optional<QByteArray> bytes = readCommand(channel);
    if (!bytes)
        return false;
    m_link.write(*bytes);
    return true;
}

void SelectrixChannelAccess::emptyInput() {
    (void)m_link.readInput();
}

SelectrixChannelAccess::Answer SelectrixChannelAccess::awaitAnswer(qint64 deadlineMs) {
    const qint64 start = m_link.clock().ticks();
    for (;;) {
        // A byte that came with the last take before the deadline still counts.
        if (const std::optional<quint8> byte = takeWaiting())
            return {Answer::Outcome::Value, *byte};
        if (m_link.cancelled())
            return {Answer::Outcome::Stopped, 0};
        const qint64 now = m_link.clock().ticks();
        if (deadlineMs >= 0 && now > start + deadlineMs)
            return {Answer::Outcome::TimedOut, 0};
        // Sleeps until the byte comes, the deadline passes or the stop is asked for, while
        // the user interface runs.
        m_link.waitForInput(deadlineMs < 0 ? -1 : start + deadlineMs + 1 - now);
    }
}

SelectrixChannelAccess::Answer SelectrixChannelAccess::read(int channel, qint64 deadlineMs) {
    if (!sendRead(channel))
        return {Answer::Outcome::TimedOut, 0};
    return awaitAnswer(deadlineMs);
}

std::optional<quint8> SelectrixChannelAccess::takeWaiting() {
    const QByteArray bytes = m_link.readInput();
    if (bytes.isEmpty())
        return std::nullopt;
    return static_cast<quint8>(bytes.at(0));
}

void SelectrixChannelAccess::pause(qint64 ms) {
    m_link.Warten(ms);
}
