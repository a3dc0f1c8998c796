#include "intellibox/core/LongAddress.h"

#include "app/core/TextNumbers.h"

#include <cmath>

namespace LongAddress {

Cvs toCvs(qint64 address) {
    // Floor division, so that the two CVs always give back the address.
    qint64 high = address / 256;
    if (address % 256 < 0)
        --high;
    return {192 + high, address - 256 * high};
}

qint64 fromCvs(qint64 cv17, qint64 cv18) {
    return (cv17 - 192) * 256 + cv18;
}

qint64 fieldNumber(const QString& text) {
    return static_cast<qint64>(std::trunc(leadingNumber(text)));
}

void toCvTexts(const QString& addressText, QString& cv17Text, QString& cv18Text) {
    const Cvs cvs = toCvs(fieldNumber(addressText));
    cv17Text = QString::number(cvs.cv17);
    cv18Text = QString::number(cvs.cv18);
}

QString fromCvTexts(const QString& cv17Text, const QString& cv18Text) {
    return QString::number(fromCvs(fieldNumber(cv17Text), fieldNumber(cv18Text)));
}

qint64 maximumFor(const QString& cuName) {
    return cuName == QLatin1String("MC") ? 10239 : 9999;
}

}  // namespace LongAddress
