#include "CvCommandList.h"

#include "TextNumbers.h"

#include <QRegularExpression>
#include <limits>

namespace CvCommandList {

int leadingNumber(QStringView text) {
    qint64 number = 0;
    for (QChar c : text) {
        if (c == u' ')
            continue;
        if (!c.isDigit() || c.unicode() > 127)
            break;
        number = number * 10 + (c.unicode() - u'0');
        if (number > std::numeric_limits<int>::max())
            return std::numeric_limits<int>::max();
    }
    return static_cast<int>(number);
}

bool startsWithNumber(QStringView text) {
    for (QChar c : text) {
        if (c == u' ')
            continue;
        return c.unicode() >= u'0' && c.unicode() <= u'9';
    }
    return false;
}

QString threeDigits(int number) {
    return zeroPadded(number, 3);
}

namespace {
bool isWholeNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 9)
        return false;
    for (QChar c : t) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
    }
    return true;
}

QString field(const QString& cell) {
    if (cell.isEmpty())
        return QString(fieldWidth, u' ');
    return cellText(cell).leftJustified(fieldWidth, u' ', true);
}

QString markText(const QString& mark) {
    return mark.isEmpty() ? QStringLiteral(" ") : mark.left(1);
}
}  // namespace

QString cellText(const QString& cell) {
    return isWholeNumber(cell) ? threeDigits(cell.trimmed().toInt()) : cell;
}

QString tableLine(const CvRow& row) {
    return markText(row.action) + u' ' + field(row.cv) + field(row.value) + row.remark;
}

QString protocolLine(const CvRow& row) {
    return markText(row.action) + u' ' + cellText(row.cv) + u' ' + cellText(row.value);
}

QString writeLine(int cv, int value) {
    return QStringLiteral("S ") + threeDigits(cv) + u' ' + threeDigits(value);
}

QString readLine(int cv) {
    return QStringLiteral("L ") + threeDigits(cv);
}

CvRow parseLine(const QString& line) {
    CvRow row;
    row.action = line.left(1);
    row.cv = QString::number(leadingNumber(QStringView(line).mid(cvOffset).left(fieldWidth)));
    row.value = QString::number(leadingNumber(QStringView(line).mid(valueOffset).left(fieldWidth)));
    row.remark = line.mid(remarkOffset, remarkLength);
    return row;
}

bool isBlankLine(QStringView line) {
    for (QChar c : line) {
        if (c != u' ')
            return false;
    }
    return true;
}

QStringList splitText(const QString& text) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines;
    for (const QString& piece : text.split(lineEnd)) {
        if (!isBlankLine(piece))
            lines.append(piece);
    }
    return lines;
}

QString joinForClipboard(const QStringList& lines) {
    return lines.join(u'\r');
}

}  // namespace CvCommandList
