#pragma once

#include <QtGlobal>
#include <optional>

class SelectrixChannelAccess;

// The short operations on a Selectrix central that take no run: track power and its state,
// and switching the programming function off by hand. A state read looks for its answer
// 100 ms after the request at the earliest and waits for it as long as any read; nothing
// means no answer.
namespace SlxCentral {

constexpr qint64 stateReadMs = 100;

// Writes track power on or off, then reads it back.
std::optional<quint8> switchTrackPower(SelectrixChannelAccess& access, bool on);
// Reads the track-power channel.
std::optional<quint8> readTrackPower(SelectrixChannelAccess& access);
// Channel 106 := 0.
void switchProgrammingOff(SelectrixChannelAccess& access);

}  // namespace SlxCentral
