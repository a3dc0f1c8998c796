#include "app/core/CvCommandList.h"

#include "base/core/TextNumbers.h"

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

namespace {
bool isAsciiDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// How many digits stand in a row from `offset` on.
qsizetype digitRun(const QString& line, qsizetype offset) {
    qsizetype n = 0;
    while (offset + n < line.size() && isAsciiDigit(line.at(offset + n)))
        ++n;
    return n;
}

// A number field from `offset`. Up to three digits are read from its first three positions;
// four digits fill the whole field. Digits that run on past the field, and a field that holds
// text but no number ("-5"), are no number the list can have meant: they come back as they
// stand, so that the cell shows them and no run sends them. A blank field gives no text.
QString fieldText(const QString& line, qsizetype offset) {
    const QStringView head = QStringView(line).mid(offset).left(fieldWidth - 1);
    if (isBlankLine(head))
        return {};
    if (!startsWithNumber(head))
        return line.mid(offset, fieldWidth).trimmed();
    const qsizetype run = digitRun(line, offset);
    if (run < fieldWidth)
        return QString::number(leadingNumber(QStringView(line).mid(offset).left(fieldWidth - 1)));
    if (run == fieldWidth)
        return QString::number(line.mid(offset, run).toInt());
    return line.mid(offset, run);
}
}  // namespace

CvRow parseLine(const QString& line) {
    CvRow row;
    row.action = line.left(1);
    row.remark = line.mid(remarkOffset, remarkLength);
    const qsizetype cvRun = digitRun(line, cvOffset);
    if (cvRun > fieldWidth) {
        // A table line puts the value right after a four-digit CV ("S 1024006 Licht"), in the
        // three-digit form or in four digits. Any other run of digits holds more than a CV,
        // and no value can be told apart from it.
        if (cvRun != 2 * fieldWidth - 1 && cvRun != 2 * fieldWidth) {
            row.cv = line.mid(cvOffset, cvRun);
            return row;
        }
        row.cv = QString::number(line.mid(cvOffset, fieldWidth).toInt());
        row.value = fieldText(line, valueOffset);
        return row;
    }
    row.cv = fieldText(line, cvOffset);
    if (!startsWithNumber(row.cv))
        row.cv = QStringLiteral("0");
    // A protocol line puts a blank after a four-digit CV ("S 1024 006"); its value follows it.
    qsizetype valueAt = valueOffset;
    if (cvRun == fieldWidth && valueAt < line.size() && line.at(valueAt) == u' ')
        ++valueAt;
    row.value = fieldText(line, valueAt);
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
