#pragma once

#include <QString>
#include <array>

// The bit model of the programming aid: eight boxes, box i weighing 2^i.
namespace ByteCalculator {

using Bits = std::array<bool, 8>;

int sum(const Bits& bits);
// The boxes the decimal entry ticks for v: from bit 7 down, a bit is ticked while v
// still holds its weight, so a value above 255 ticks all eight and a negative one none.
Bits bitsFor(qint64 v);
// Upper case, without leading zeros: "0" to "FF".
QString hexText(int value);
// The label beside box i: numbered 0..7 (numbering 0) or 1..8 (numbering 1).
QString bitLabel(int box, int numbering);

}  // namespace ByteCalculator
