#include "app/core/CvCommandList.h"

#include "app/core/TextNumbers.h"

#include <QRegularExpression>
#include <algorithm>
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

namespace {
bool isAsciiDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// A field is read from its first three positions, as lists have always been read; a digit
// right after three digits is the fourth digit of a number that fills the whole field.
// `fourDigits` tells which it was.
int fieldNumber(const QString& line, qsizetype offset, bool* fourDigits = nullptr) {
    const QStringView three = QStringView(line).mid(offset).left(fieldWidth - 1);
    const int number = leadingNumber(three);
    const bool threeDigits = three.size() == fieldWidth - 1 && std::all_of(three.begin(), three.end(), isAsciiDigit);
    const qsizetype fourth = offset + fieldWidth - 1;
    const bool four = threeDigits && fourth < line.size() && isAsciiDigit(line.at(fourth));
    if (fourDigits)
        *fourDigits = four;
    return four ? number * 10 + (line.at(fourth).unicode() - u'0') : number;
}
}  // namespace

CvRow parseLine(const QString& line) {
    CvRow row;
    row.action = line.left(1);
    bool fourDigitCv = false;
    row.cv = QString::number(fieldNumber(line, cvOffset, &fourDigitCv));
    // A protocol line puts a blank after a four-digit CV ("S 1024 006"); its value follows it.
    qsizetype valueAt = valueOffset;
    if (fourDigitCv && valueAt < line.size() && line.at(valueAt) == u' ')
        ++valueAt;
    row.value = QString::number(fieldNumber(line, valueAt));
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
