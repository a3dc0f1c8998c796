#pragma once

#include "app/core/CvRow.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The CV command-list line: action letter in column 1, a blank, the CV from column 3, the
// value from column 7 and a remark from column 11. CV-group tables, protocols and the
// mapping editors write these lines, and read them back through here.
namespace CvCommandList {

// Columns are counted from 1 in the line format; these are 0-based offsets.
constexpr int cvOffset = 2;
constexpr int valueOffset = 6;
constexpr int remarkOffset = 10;
constexpr int fieldWidth = 4;
constexpr int remarkLength = 100;

// The whole number a field starts with, blanks ignored anywhere before and between its
// digits; 0 when it has no leading digit. Saturates instead of overflowing.
int leadingNumber(QStringView text);
// Whether the text (blanks ignored) starts with a digit.
bool startsWithNumber(QStringView text);

// 29 → "029"; four-digit numbers keep all their digits.
QString threeDigits(int number);

// A cell as the command-list writers put it: a number in the three-digit form, any other
// text as it stands.
QString cellText(const QString& cell);

// One line of a CV-group table file: mark (a blank when empty), a blank, CV and value each
// in a four-character field padded on the right, then the remark unchanged.
QString tableLine(const CvRow& row);
// One line of a protocol text file: action, blank, CV, blank, value; no padding.
QString protocolLine(const CvRow& row);
// The write line of the mapping editors ("S 029 006") and their read-list line ("L 008").
QString writeLine(int cv, int value);
QString readLine(int cv);

// Reads one line: the mark is the line's first character, CV and value are the numbers in
// the first three positions of their fields, with a fourth digit when three digits fill
// them (so a four-digit CV survives), the remark is columns 11 to 110. CV and value come
// back as plain decimal numbers ("029" reads as "29"); a CV field without a number gives 0.
// Digits that run on past a field ("S 99999 006", "L 65536") make no number: the cell gets
// those digits as they stand (and, after such a CV, no value), which no table run sends. A
// value field that is blank gives an empty value, and one with text but no number ("-5")
// gives that text: a write line without a usable value is not taken for a write of 0.
CvRow parseLine(const QString& line);
// Lines that hold nothing but blanks make no command.
bool isBlankLine(QStringView line);

// Clipboard text: lines split at CR, LF and CR LF; blank pieces are dropped.
QStringList splitText(const QString& text);
// Clipboard text as the system writes it: lines separated by one CR, none after the last.
QString joinForClipboard(const QStringList& lines);

}  // namespace CvCommandList
