#pragma once

#include <QtGlobal>

// Driving a Selectrix locomotive: its address is a channel of the central, and the drive
// byte written to it holds the speed step (bits 0-4), the direction (bit 5 set: backward),
// the light (bit 6) and the function output (bit 7).
namespace SxDrive {

constexpr int addressMin = 0, addressMax = 103;  // 104.. are the central's own channels
constexpr int stepMax = 31;
constexpr int backward = 32;  // SxRichtung
constexpr int light = 64;     // SxLicht
constexpr int function = 128; // SxFunktion

// SxLicht + SxFunktion + SxRichtung + SxFahrstufe, each of them 0 or its bit.
constexpr quint8 SxDriveByte(int licht, int funktion, int richtung, int fahrstufe) {
    return static_cast<quint8>((licht & light) | (funktion & function) | (richtung & backward) | (fahrstufe & stepMax));
}

// The speed label's colours (24-bit, red in the low byte) for the step it shows: green with
// black text up to 15, yellow with black text up to 25, red with white text above.
struct Colours {
    int background;
    int text;
};
constexpr Colours speedColours(int step) {
    if (step <= 15)
        return {0x00FF00, 0x000000};
    if (step <= 25)
        return {0x00FFFF, 0x000000};
    return {0x0000FF, 0xFFFFFF};
}

}  // namespace SxDrive
