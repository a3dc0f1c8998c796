#include "speedcurve/core/SpeedCurveFile.h"

#include "app/core/TextFile.h"
#include "base/core/TextNumbers.h"

#include <QFileInfo>

namespace SpeedCurveFile {

const QString savedTitle = QStringLiteral(" Kennlinie auf Datenträger speichern...           ");
const QString invalidFileTitle = QStringLiteral(" ungültige Kennliniendatei...");
const QString missingText = QStringLiteral("Keine Kennlinie gespeichert !          ");
const QString missingTitle = QStringLiteral(" Kennlinie laden... ");

QStringList lines(const SpeedCurve::Values& values) {
    QStringList result;
    for (int step = 1; step <= SpeedCurve::steps; ++step)
        result.append(QStringLiteral("  ") + zeroPadded(SpeedCurve::cvOf(step), 3) + u' ' +
                      zeroPadded(values[std::size_t(step - 1)], 3));
    return result;
}

std::optional<int> lineValue(const QString& line) {
    // The digits the line ends in (blanks after them aside), with a blank, a tab or the
    // line's start in front of them.
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1).isSpace())
        --end;
    qsizetype begin = end;
    while (begin > 0 && line.at(begin - 1) >= u'0' && line.at(begin - 1) <= u'9')
        --begin;
    if (begin > 0 && !line.at(begin - 1).isSpace())
        return std::nullopt;
    if (const auto value = toWholeNumber(line.mid(begin, end - begin), 0, SpeedCurve::maxValue))
        return int(*value);
    return std::nullopt;
}

Loaded load(const QString& path) {
    Loaded loaded;
    if (!QFileInfo(path).isFile()) {
        loaded.outcome = Loaded::Outcome::Missing;
        return loaded;
    }
    const QByteArray bytes = readFileBytes(path);
    QStringList found = splitTextLines(bytes);
    if (!bytes.isEmpty() && !bytes.endsWith('\r') && !bytes.endsWith('\n'))
        found.removeLast();
    if (found.size() != lineCount) {
        loaded.outcome = Loaded::Outcome::WrongLineCount;
        loaded.lines = int(found.size());
        return loaded;
    }
    for (int i = 0; i < lineCount; ++i) {
        const auto value = lineValue(found.at(i));
        if (!value) {
            loaded.outcome = Loaded::Outcome::BadValue;
            loaded.badLine = i + 1;
            return loaded;
        }
        loaded.values[std::size_t(i)] = *value;
    }
    return loaded;
}

QString savedText(const QString& path) {
    return QStringLiteral("Kennlinie unter \r\r") + path + QString(10, u' ') + QStringLiteral("\r\rgespeichert !           ");
}

QString wrongLineCountText(int lines) {
    return QStringLiteral("Eine Kennliniendatei muß 28 Zeilen haben !            \r\rDie zu ladende Datei hat dagegen ") +
           QString::number(lines) + QStringLiteral(" Zeilen       ");
}

QString badValueText(int line) {
    return QStringLiteral("Zeile ") + QString::number(line) +
           QStringLiteral(" der Kennliniendatei endet nicht mit einem Wert von 0 bis 255 !       \r\r"
                          "Die Kennlinie bleibt unverändert.");
}

}  // namespace SpeedCurveFile
