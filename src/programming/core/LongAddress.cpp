#include "programming/core/LongAddress.h"

#include "base/core/TextNumbers.h"

#include <algorithm>
#include <cmath>

namespace LongAddress {

Cvs toCvs(qint64 address) {
    // Floor division, so that the two CVs always give back the address.
    qint64 high = address / 256;
    if (address % 256 < 0)
        --high;
    return {192 + high, address - 256 * high};
}

namespace {
// The fields hold a few digits; a number beyond any address is held where the conversions
// cannot overflow.
constexpr qint64 limit = 1'000'000'000'000;
qint64 held(qint64 n) { return std::clamp(n, -limit, limit); }
}  // namespace

qint64 fromCvs(qint64 cv17, qint64 cv18) {
    return (held(cv17) - 192) * 256 + held(cv18);
}

qint64 fieldNumber(const QString& text) {
    return static_cast<qint64>(std::trunc(std::clamp(leadingNumber(text), -double(limit), double(limit))));
}

void toCvTexts(const QString& addressText, QString& cv17Text, QString& cv18Text) {
    const Cvs cvs = toCvs(fieldNumber(addressText));
    cv17Text = QString::number(cvs.cv17);
    cv18Text = QString::number(cvs.cv18);
}

QString fromCvTexts(const QString& cv17Text, const QString& cv18Text) {
    return QString::number(fromCvs(fieldNumber(cv17Text), fieldNumber(cv18Text)));
}

}  // namespace LongAddress
