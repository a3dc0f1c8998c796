#include "programming/core/CvInput.h"

namespace CvInput {

namespace {
std::optional<int> digitsOnly(const QString& text, int maxDigits) {
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    int n = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}
}  // namespace

std::optional<qint16> cvNumber(const QString& text) {
    const auto n = digitsOnly(text, 4);
    if (!n || *n < 1 || *n > maxCv)
        return std::nullopt;
    return static_cast<qint16>(*n);
}

bool isWriteValue(const QString& text) {
    const auto n = digitsOnly(text, 3);
    return n && *n <= 255;
}

std::optional<qint16> locoAddress(const QString& text) {
    // Address 0 would reach every decoder on the main track.
    const auto n = digitsOnly(text, 4);
    if (!n || *n < 1)
        return std::nullopt;
    return static_cast<qint16>(*n);
}

int registerOfListRow(const QString& row) {
    return digitsOnly(row.left(3).trimmed(), 3).value_or(0);
}

}  // namespace CvInput
