#include "app/core/ByteCalculator.h"

namespace ByteCalculator {

int sum(const Bits& bits) {
    int s = 0;
    for (int i = 0; i < 8; ++i)
        if (bits[i])
            s += 1 << i;
    return s;
}

Bits bitsFor(qint64 v) {
    Bits bits{};
    for (int i = 7; i >= 0; --i) {
        const qint64 weight = qint64(1) << i;
        if (v >= weight) {
            bits[i] = true;
            v -= weight;
        }
    }
    return bits;
}

QString hexText(int value) {
    return QString::number(value, 16).toUpper();
}

QString bitLabel(int box, int numbering) {
    return QString::number(numbering == 1 ? box + 1 : box);
}

}  // namespace ByteCalculator
