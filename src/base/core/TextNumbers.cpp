#include "base/core/TextNumbers.h"


#include <cmath>
#include <limits>

QString HexToDec(const QString& hex) {
    quint64 value = 0;
    for (const QChar c : hex) {
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c.unicode() - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c.unicode() - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c.unicode() - u'A' + 10;
        if (digit < 0)
            break;
        if (value > (std::numeric_limits<quint64>::max() >> 4))
            break;  // longer than any byte value the callers pass; keep what fits
        value = value * 16 + quint64(digit);
    }
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString DecToBin(qint32 n) {
    QString result = n > 255 ? QStringLiteral("*") : QString();
    for (qint32 weight = 128; weight >= 1; weight /= 2) {
        if (n >= weight) {
            result += u'1';
            n -= weight;
        } else {
            result += u'0';
        }
    }
    return result;
}

namespace {

// Length of the number at `pos` by the grammar of leadingNumber, 0 when there is none.
qsizetype numberLength(const QString& text, qsizetype pos) {
    const qsizetype start = pos;
    const qsizetype size = text.size();
    auto isDigit = [&](qsizetype i) { return i < size && text.at(i) >= u'0' && text.at(i) <= u'9'; };
    if (pos < size && (text.at(pos) == u'+' || text.at(pos) == u'-'))
        ++pos;
    qsizetype digits = 0;
    while (isDigit(pos)) {
        ++pos;
        ++digits;
    }
    if (pos < size && text.at(pos) == u'.') {
        qsizetype after = pos + 1;
        while (isDigit(after)) {
            ++after;
            ++digits;
        }
        pos = after;
    }
    if (digits == 0)
        return 0;
    if (pos < size && (text.at(pos) == u'e' || text.at(pos) == u'E')) {
        qsizetype exp = pos + 1;
        if (exp < size && (text.at(exp) == u'+' || text.at(exp) == u'-'))
            ++exp;
        if (isDigit(exp)) {
            while (isDigit(exp))
                ++exp;
            pos = exp;
        }
    }
    return pos - start;
}

qsizetype skipBlanks(const QString& text, qsizetype pos) {
    while (pos < text.size() && (text.at(pos) == u' ' || text.at(pos) == u'\t'))
        ++pos;
    return pos;
}

}  // namespace

double leadingNumber(const QString& text) {
    return startingNumber(text).value_or(0);
}

std::optional<double> startingNumber(const QString& text) {
    const qsizetype start = skipBlanks(text, 0);
    const qsizetype length = numberLength(text, start);
    if (length == 0)
        return std::nullopt;
    bool ok = false;
    const double value = QStringView(text).mid(start, length).toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

qint64 roundHalfEven(double value) {
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);  // default rounding mode: ties to even
    if (rounded >= 9223372036854775807.0)
        return std::numeric_limits<qint64>::max();
    if (rounded <= -9223372036854775808.0)
        return std::numeric_limits<qint64>::min();
    return qint64(rounded);
}

std::optional<qint64> toWholeNumber(const QString& text, qint64 min, qint64 max) {
    const qsizetype start = skipBlanks(text, 0);
    const qsizetype length = numberLength(text, start);
    if (length == 0 || skipBlanks(text, start + length) != text.size())
        return std::nullopt;
    bool ok = false;
    const double value = QStringView(text).mid(start, length).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < double(min) || rounded > double(max) || std::fabs(rounded) >= 9.2e18)
        return std::nullopt;
    return qint64(rounded);
}

QString printedNumber(qint64 n) {
    return n < 0 ? QString::number(n) + u' ' : u' ' + QString::number(n) + u' ';
}

QString zeroPadded(qint64 n, int digits) {
    // The magnitude as unsigned, so that the smallest qint64 has one too.
    const quint64 magnitude = n < 0 ? 0 - quint64(n) : quint64(n);
    const QString text = QStringLiteral("%1").arg(magnitude, digits, 10, QLatin1Char('0'));
    return n < 0 ? u'-' + text : text;
}
