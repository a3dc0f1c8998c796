#include "intellibox/core/DriveCommands.h"

namespace DriveCommands {

namespace {
// The address as typed, less surrounding blanks, when it is nothing but 1..maxDigits digits.
std::optional<int> digitsOnly(const QString& text, int maxDigits) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > maxDigits)
        return std::nullopt;
    for (QChar c : t)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return t.toInt();
}

}  // namespace

int stepsOfMode(int mode) {
    switch (mode) {
    case 1: return 14;
    case 2: return 27;
    case 3: return 28;
    case 4: return 128;
    default: return 0;
    }
}

std::optional<int> p50DriveCode(qint16 step, bool light) {
    if (step < 0 || step > p50MaxStep)
        return std::nullopt;
    return step + (light ? 16 : 0);
}

int p50ReverseCode(bool light) { return 15 + (light ? 16 : 0); }

int p50FunctionCode(const std::array<bool, 4>& f) {
    return 64 + (f[0] ? 1 : 0) + (f[1] ? 2 : 0) + (f[2] ? 4 : 0) + (f[3] ? 8 : 0);
}

QByteArray powerByte(bool on) { return QByteArray(1, on ? '\x60' : '\x61'); }

qint16 xlSpeed(int mode, qint16 step) {
    int factor = 0;
    switch (mode) {
    case 1: factor = 7; break;
    case 2:
    case 3: factor = 4; break;
    case 4: factor = 1; break;
    default: break;
    }
    return static_cast<qint16>(step * factor);
}

std::optional<int> p50xAddress(const QString& text) {
    const auto a = digitsOnly(text, 4);
    if (!a || *a < 1)
        return std::nullopt;
    return a;
}

std::optional<int> p50Address(const QString& text) {
    const auto a = digitsOnly(text, 3);
    if (!a || *a < 1 || *a > 255)
        return std::nullopt;
    return a;
}

}  // namespace DriveCommands
