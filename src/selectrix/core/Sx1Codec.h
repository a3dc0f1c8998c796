#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The five SX1 parameters of a Selectrix locomotive decoder and their two bytes on the
// programming channels 104 and 105, and the decoder's extended-settings byte.
struct Sx1Parameters {
    int adr = 1;  // address
    int ge = 0;   // maximum speed
    int be = 0;   // acceleration / braking
    int im = 1;   // pulse width
    int ha = 1;   // signal-stop section

    bool operator==(const Sx1Parameters&) const = default;
};

struct SxExtendedSettings {
    bool motor = false;  // motor direction swapped
    bool licht = false;  // head and tail light swapped
    bool gleis = false;
    int imErw = 1;       // extended pulse width (motor control)
    int beErw = 1;       // scope of the acceleration

    bool operator==(const SxExtendedSettings&) const = default;
};

namespace Sx1 {

// The lists the window offers; a write takes nothing else.
constexpr int adrMin = 1, adrMax = 103;
constexpr int geMax = 7, beMax = 7;
constexpr int imMin = 1, imMax = 4;
constexpr int haMin = 1, haMax = 2;

// Byte 1 = GE + BE * 8 + (IM - 1) * 64; byte 2 = ADR + (HA - 1) * 128.
quint8 byte1(const Sx1Parameters& p);
quint8 byte2(const Sx1Parameters& p);
// Every byte pair gives parameters (ADR 0..127 as the decoder holds it).
Sx1Parameters decode(quint8 byte1, quint8 byte2);

// The check-box part of the extended byte: Motor + 2 * Licht, plus 4 when Gleis is NOT ticked.
int SxErweitert(bool motor, bool licht, bool gleis);
// SxErweitert + IMerw * 8 + (BEerw - 1) * 64.
quint8 extendedByte(const SxExtendedSettings& s);
// Bits 0-2 with bit 2 inverted are Motor, Licht, Gleis; IMerw = bits 3-5 (0..7, shown as
// read); BEerw = bit 6 + 1. Bit 7 is not used.
SxExtendedSettings decodeExtended(quint8 byte);

// A field whose text is not a number of its list: its name as the window labels it, and
// the list's range.
struct BadField {
    QString name;
    int min = 0;
    int max = 0;
};

// The parameters as the five combo texts give them, when each is a number of its list
// (blanks around it allowed, a fraction rounded half to even); otherwise the first field
// that is not.
struct Checked {
    std::optional<Sx1Parameters> parameters;
    BadField bad;
};
Checked checkParameters(const QString& adr, const QString& ge, const QString& be, const QString& im,
                        const QString& ha);
// The same for the extended settings: IMerw 1..4, BEerw 1..2.
struct CheckedExtended {
    std::optional<SxExtendedSettings> settings;
    BadField bad;
};
CheckedExtended checkExtended(bool motor, bool licht, bool gleis, const QString& imErw, const QString& beErw);

}  // namespace Sx1
