#include "app/core/ManufacturerList.h"

#include "base/core/Failure.h"
#include "app/core/TextFile.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <algorithm>

namespace {

QString chopTrailingBlanks(QString s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == u' ')
        --n;
    s.truncate(n);
    return s;
}

QString fitted(const QString& s, int width) {
    return s.left(width).leftJustified(width, u' ');
}

bool isNumber(const QString& s, int* value) {
    bool ok = false;
    *value = s.trimmed().toInt(&ok);
    return ok;
}

}  // namespace

namespace ManufacturerList {

QString fileName() {
    return QStringLiteral("DecoderHersteller.txt");
}

QString filePath(const QString& dataFolder) {
    return QDir(dataFolder).filePath(fileName());
}

ManufacturerRow parseLine(const QString& line) {
    ManufacturerRow row;
    row.code = line.left(3).trimmed();
    row.shortName = chopTrailingBlanks(line.mid(5, ShortNameWidth));
    row.name = chopTrailingBlanks(line.mid(5 + ShortNameWidth, NameWidth));
    row.remark = line.mid(5 + ShortNameWidth + NameWidth);
    return row;
}

QString formatLine(const ManufacturerRow& row) {
    const QString code = row.code.size() > 3 ? row.code.right(3) : row.code.rightJustified(3, u' ');
    return code + QStringLiteral("  ") + fitted(row.shortName, ShortNameWidth) + fitted(row.name, NameWidth) + row.remark;
}

QList<ManufacturerRow> read(const QString& path) {
    QList<ManufacturerRow> rows;
    for (const QString& line : readTextLines(path))
        rows.append(parseLine(line));
    return rows;
}

void write(const QString& path, const QList<ManufacturerRow>& rows) {
    QStringList lines;
    for (const ManufacturerRow& row : rows)
        lines.append(formatLine(row));
    writeTextLines(path, lines);
}

void sortRows(QList<ManufacturerRow>& rows, int column) {
    if (rows.size() < 3 || column < Code || column > Remark)
        return;
    const auto field = [column](const ManufacturerRow& r) -> const QString& {
        switch (column) {
        case ShortName: return r.shortName;
        case Name: return r.name;
        case Remark: return r.remark;
        default: return r.code;
        }
    };
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin() + 1, rows.end(), [&](const ManufacturerRow& a, const ManufacturerRow& b) {
        if (column == Code) {
            int na = 0, nb = 0;
            const bool aNum = isNumber(a.code, &na), bNum = isNumber(b.code, &nb);
            if (aNum != bNum)
                return aNum;
            if (aNum)
                return na < nb;
        }
        return collator.compare(field(a).trimmed(), field(b).trimmed()) < 0;
    });
}

bool installDefault(const QString& dataFolder) {
    const QString path = filePath(dataFolder);
    if (QFile::exists(path))
        return true;
    QFile shipped(QStringLiteral(":/data/DecoderHersteller.txt"));
    if (!shipped.open(QIODevice::ReadOnly))
        return false;
    try {
        writeTextLines(path, splitTextLines(shipped.readAll()));
    } catch (const Failure&) {
        return false;
    }
    return true;
}

}  // namespace ManufacturerList

QString SearchHersteller(const QString& dataFolder, qint16 id) {
    const QString path = ManufacturerList::filePath(dataFolder);
    if (!QFile::exists(path))
        return QStringLiteral("kD");
    QStringList lines;
    try {
        lines = readTextLines(path);
    } catch (const Failure&) {
        return QStringLiteral("kD");
    }
    if (lines.isEmpty())
        return QStringLiteral("kE");
    const QString wanted = QString::number(id);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const ManufacturerRow row = ManufacturerList::parseLine(lines.at(i));
        if (row.code == wanted)
            return row.shortName.trimmed();
    }
    return QStringLiteral("?");
}
