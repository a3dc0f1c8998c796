#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

class StationLink;

// The bus channels of a Selectrix central over the serial line: two bytes per exchange, no
// framing, no check byte. Writing channel c (0..127) with v (0..255) sends c + 128 and v,
// answered by nothing; reading channel c sends c and 0, answered by one byte, the channel's
// content. Both bytes go out in one write. Of the bytes a read takes in, the first is the
// answer and the rest are dropped.
//
// Every read is owed its byte: one whose byte nobody waits for (sendRead) is drained by the
// link before the next read goes out, so no byte is ever taken for another read's.
//
// It works inside the exchange its caller holds; the exchange's cancel ends a waiting read
// at its next poll (the window closing, the program shutting down). A port failure ends the
// call with Failed; the link has reported it.
class SelectrixChannelAccess {
public:
    static constexpr int maxChannel = 127;
    static constexpr int maxValue = 255;
    // Every read whose byte is used waits this long for it.
    static constexpr qint64 readDeadlineMs = 2000;

    explicit SelectrixChannelAccess(StationLink& link);

    // The bytes of one write or read; nothing for a channel or value outside its byte.
    static std::optional<QByteArray> writeCommand(int channel, int value);
    static std::optional<QByteArray> readCommand(int channel);

    // False when channel or value are out of range (nothing sent) or the port failed.
    bool write(int channel, int value);
    // A read whose byte is not awaited now.
    bool sendRead(int channel);

    struct Answer {
        enum class Outcome { Value, TimedOut, Stopped, Failed };
        Outcome outcome = Outcome::TimedOut;
        quint8 value = 0;
        bool ok() const { return outcome == Outcome::Value; }
    };
    // Drains what the central still owes and drops the rest of the input, sends the read,
    // runs `sent` (may be empty: a status text), pauses `pauseMs` (the earliest time to
    // look), then awaits the byte up to readDeadlineMs.
    Answer read(int channel, qint64 pauseMs = 0, const std::function<void()>& sent = {});

    // The blocking pause: no window events meanwhile.
    void pause(qint64 ms);
    // Whether the port failed in this exchange.
    bool failed() const;

private:
    StationLink& m_link;
};
