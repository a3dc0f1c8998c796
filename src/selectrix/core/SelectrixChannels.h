#pragma once

// The bus channels of the Selectrix central that the window uses, and their values.
namespace SlxChannel {

constexpr int parameterByte1 = 104;  // SX1 byte 1, the extended byte, the DCC CV number
constexpr int parameterByte2 = 105;  // SX1 byte 2
constexpr int control = 106;         // programming control
constexpr int dccValue = 107;
constexpr int status = 109;          // programming state, read only
constexpr int trackPower = 127;

constexpr int controlOff = 0;
constexpr int controlProgrammingOn = 64;
constexpr int controlReadBase = 192;       // + SxModus: read the decoder's parameters
constexpr int controlExtendedRead = 193;
constexpr int controlWrite = 201;          // write the prepared bytes into the decoder
constexpr int controlDcc = 206;          // carry out a DCC read or write

constexpr int dccReadError = 255;  // in 105 after a DCC read that failed

constexpr int extendedReadAnnounce = 9;    // byte 1 that announces a read of the extended byte
constexpr int extendedWriteByte2 = 128;    // byte 2 that goes with an extended write

constexpr int statusNotFree = 64;   // before programming is on: someone else programs
constexpr int statusReady = 96;     // after programming on: both bits set when ready
constexpr int statusProvided = 64;  // after a read command: the parameters are there

constexpr int powerOnBit = 128;

}  // namespace SlxChannel
