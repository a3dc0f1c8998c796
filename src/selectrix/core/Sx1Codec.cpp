#include "selectrix/core/Sx1Codec.h"

#include "base/core/TextNumbers.h"

namespace Sx1 {

quint8 byte1(const Sx1Parameters& p) {
    return static_cast<quint8>((p.ge & 7) + (p.be & 7) * 8 + ((p.im - 1) & 3) * 64);
}

quint8 byte2(const Sx1Parameters& p) {
    return static_cast<quint8>((p.adr & 127) + ((p.ha - 1) & 1) * 128);
}

Sx1Parameters decode(quint8 b1, quint8 b2) {
    Sx1Parameters p;
    p.ge = b1 & 7;
    p.be = (b1 & 56) / 8;
    p.im = (b1 & 192) / 64 + 1;
    p.adr = b2 & 127;
    p.ha = (b2 & 128) / 128 + 1;
    return p;
}

int SxErweitert(bool motor, bool licht, bool gleis) {
    return int(motor) + 2 * int(licht) + (gleis ? 0 : 4);
}

quint8 extendedByte(const SxExtendedSettings& s) {
    return static_cast<quint8>(SxErweitert(s.motor, s.licht, s.gleis) + (s.imErw & 7) * 8 + ((s.beErw - 1) & 1) * 64);
}

SxExtendedSettings decodeExtended(quint8 byte) {
    // Bit 2 is stored inverted: set when "Gleis" is not ticked.
    const int x = (byte & 7) ^ 4;
    SxExtendedSettings s;
    s.motor = x & 1;
    s.licht = x & 2;
    s.gleis = x & 4;
    s.imErw = (byte & 56) / 8;
    s.beErw = (byte & 64) / 64 + 1;
    return s;
}

namespace {
// Checks one field; false (and `bad` filled) when its text is not a number of its list.
bool take(const QString& text, const char* name, int min, int max, int& value, BadField& bad) {
    const std::optional<qint64> n = toWholeNumber(text, min, max);
    if (!n) {
        bad = {QString::fromUtf8(name), min, max};
        return false;
    }
    value = int(*n);
    return true;
}
}  // namespace

Checked checkParameters(const QString& adr, const QString& ge, const QString& be, const QString& im,
                        const QString& ha) {
    Checked c;
    Sx1Parameters p;
    if (take(adr, "ADR", adrMin, adrMax, p.adr, c.bad) && take(ge, "GE", 0, geMax, p.ge, c.bad) &&
        take(be, "BE", 0, beMax, p.be, c.bad) && take(im, "IM", imMin, imMax, p.im, c.bad) &&
        take(ha, "HA", haMin, haMax, p.ha, c.bad))
        c.parameters = p;
    return c;
}

CheckedExtended checkExtended(bool motor, bool licht, bool gleis, const QString& imErw, const QString& beErw) {
    CheckedExtended c;
    SxExtendedSettings s{motor, licht, gleis, 1, 1};
    if (take(imErw, "Motorregelung / Impw", imMin, imMax, s.imErw, c.bad) &&
        take(beErw, "Wirkung der ABE", haMin, haMax, s.beErw, c.bad))
        c.settings = s;
    return c;
}

}  // namespace Sx1
