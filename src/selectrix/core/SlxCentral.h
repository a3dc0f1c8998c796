#pragma once

#include <QtGlobal>
#include <optional>

class SelectrixChannelAccess;

// The short operations on a Selectrix central that take no run: track power and its state,
// and switching the programming function off by hand. None of them waits: a state read takes
// what arrived 100 ms after the request, and nothing means no answer.
namespace SlxCentral {

constexpr qint64 stateReadMs = 100;

// Writes track power on or off, then reads it back (the input emptied before the read, so a
// byte left over from earlier cannot answer for it).
std::optional<quint8> switchTrackPower(SelectrixChannelAccess& access, bool on);
// Reads the track-power channel.
std::optional<quint8> readTrackPower(SelectrixChannelAccess& access);
// Channel 106 := 0.
void switchProgrammingOff(SelectrixChannelAccess& access);

}  // namespace SlxCentral
