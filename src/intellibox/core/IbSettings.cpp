#include "intellibox/core/IbSettings.h"

#include "base/core/TextNumbers.h"

namespace IbSettings {

QString leadingValue(const QString& answer) { return QString::number(leadingNumber(answer), 'g', 15); }

QString soListLine(int option, const QString& answer) {
    return zeroPadded(option, 3) + QStringLiteral(" > ") + leadingValue(answer);
}

bool option663Set(const QString& answer) { return leadingNumber(answer.left(3)) == 1.0; }

bool motorolaOldFormat(const QString& answer) { return answer.contains(QLatin1String("Mot old")); }

std::array<QString, 6> versionFields(const QString& answer) {
    struct Field {
        const char* key;
        int offset;
        int length;
    };
    static constexpr std::array<Field, 6> fields{{
        {"SPU", 5, 6}, {"KPU", 4, 6}, {"PPU", 4, 4}, {"LIPU", 5, 4}, {"DNG", 4, 4}, {"S/N", 5, 10}}};
    std::array<QString, 6> result;
    for (size_t i = 0; i < fields.size(); ++i) {
        // Positions count from 1, a missing key counts as position 0.
        const qsizetype position = answer.indexOf(QLatin1String(fields[i].key)) + 1;
        const qsizetype start = position + fields[i].offset - 1;
        result[i] = answer.mid(start, fields[i].length);
    }
    return result;
}

}  // namespace IbSettings
