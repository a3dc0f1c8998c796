#include "link/core/SelectrixChannelAccess.h"

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

using Outcome = SelectrixChannelAccess::Answer::Outcome;

SelectrixChannelAccess::Answer answerOf(const StationLink::Reply& reply) {
    switch (reply.outcome) {
    case StationLink::Outcome::Done:
        return {Outcome::Value, static_cast<quint8>(reply.bytes.at(0))};
    case StationLink::Outcome::Stopped:
        return {Outcome::Stopped, 0};
    case StationLink::Outcome::Failed:
        return {Outcome::Failed, 0};
    case StationLink::Outcome::TimedOut:
        break;
    }
    return {Outcome::TimedOut, 0};
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
    return bytes && m_link.write(*bytes) == StationLink::Outcome::Done;
}

bool SelectrixChannelAccess::sendRead(int channel) {
    const std::optional<QByteArray> bytes = readCommand(channel);
    return bytes && m_link.request(StationLink::Framing::Selectrix, *bytes) == StationLink::Outcome::Done;
}

SelectrixChannelAccess::Answer SelectrixChannelAccess::read(int channel, qint64 pauseMs,
                                                            const std::function<void()>& sent) {
    const std::optional<QByteArray> bytes = readCommand(channel);
    if (!bytes)
        return {Outcome::TimedOut, 0};
    return answerOf(m_link.ask(StationLink::Framing::Selectrix, *bytes, 0, readDeadlineMs, [&] {
        if (sent)
            sent();
        pause(pauseMs);
    }));
}

void SelectrixChannelAccess::pause(qint64 ms) {
    m_link.Warten(ms);
}

bool SelectrixChannelAccess::failed() const {
    return m_link.failed();
}
