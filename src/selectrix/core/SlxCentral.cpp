#include "selectrix/core/SlxCentral.h"

#include "link/core/SelectrixChannelAccess.h"
#include "selectrix/core/SelectrixChannels.h"

namespace SlxCentral {

namespace {
std::optional<quint8> stateAfterRequest(SelectrixChannelAccess& access) {
    access.sendRead(SlxChannel::trackPower);
    access.pause(stateReadMs);
    return access.takeWaiting();
}
}  // namespace

std::optional<quint8> switchTrackPower(SelectrixChannelAccess& access, bool on) {
    access.write(SlxChannel::trackPower, on ? SlxChannel::powerOnBit : 0);
    access.pause(stateReadMs);
    access.emptyInput();
    return stateAfterRequest(access);
}

std::optional<quint8> readTrackPower(SelectrixChannelAccess& access) {
    access.emptyInput();
    return stateAfterRequest(access);
}

void switchProgrammingOff(SelectrixChannelAccess& access) {
    access.write(SlxChannel::control, SlxChannel::controlOff);
}

}  // namespace SlxCentral
