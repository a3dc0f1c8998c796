#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

class StationLink;

// The bus channels of a Selectrix central over the serial line: two bytes per exchange, no
// framing, no check byte. Writing channel c (0..127) with v (0..255) sends c + 128 and v,
// answered by nothing; reading channel c sends c and 0, answered by one byte, the channel's
// content. Both bytes go out in one write. Of the bytes a read takes in, the first is the
// answer and the rest are dropped.
//
// It works inside the exchange its caller holds; the exchange's cancel ends a waiting read
// at its next poll (the window closing, the program shutting down). Port failures are thrown
// as Failure by the port and left to the caller.
class SelectrixChannelAccess {
public:
    static constexpr int maxChannel = 127;
    static constexpr int maxValue = 255;

    explicit SelectrixChannelAccess(StationLink& link);

    // The bytes of one write or read; nothing for a channel or value outside its byte.
    static std::optional<QByteArray> writeCommand(int channel, int value);
    static std::optional<QByteArray> readCommand(int channel);

    // False, and nothing sent, when channel or value are out of range.
    bool write(int channel, int value);
    bool sendRead(int channel);
    // Drops whatever waits in the input.
    void emptyInput();

    struct Answer {
        enum class Outcome { Value, TimedOut, Stopped };
        Outcome outcome = Outcome::TimedOut;
        quint8 value = 0;
        bool ok() const { return outcome == Outcome::Value; }
    };
    // Takes the input until a take is not empty or `deadlineMs` (negative: none) has passed
    // since the call, sleeping on the port between two takes while the user interface runs.
    // A byte that came with the last take still counts.
    Answer awaitAnswer(qint64 deadlineMs);
    // sendRead, then awaitAnswer.
    Answer read(int channel, qint64 deadlineMs);
    // The first byte of what waits now, without waiting; nothing when nothing waits.
    std::optional<quint8> takeWaiting();

    // The blocking pause: no window events meanwhile.
    void pause(qint64 ms);

private:
    StationLink& m_link;
};
