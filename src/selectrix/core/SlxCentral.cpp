#include "selectrix/core/SlxCentral.h"

#include "link/core/SelectrixChannelAccess.h"
#include "selectrix/core/SelectrixChannels.h"

namespace SlxCentral {

std::optional<quint8> switchTrackPower(SelectrixChannelAccess& access, bool on) {
    if (!access.write(SlxChannel::trackPower, on ? SlxChannel::powerOnBit : 0))
        return std::nullopt;
    access.pause(stateReadMs);
    return readTrackPower(access);
}

std::optional<quint8> readTrackPower(SelectrixChannelAccess& access) {
    const SelectrixChannelAccess::Answer answer = access.read(SlxChannel::trackPower, stateReadMs);
    return answer.ok() ? std::optional<quint8>(answer.value) : std::nullopt;
}

void switchProgrammingOff(SelectrixChannelAccess& access) {
    access.write(SlxChannel::control, SlxChannel::controlOff);
}

}  // namespace SlxCentral
