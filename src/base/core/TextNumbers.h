#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Number and text conversions shared by the windows.

// The decimal value of hexadecimal text (0-9, A-F in either case; reading stops at the
// first other character, empty gives 0), with at least two digits: "0A" -> "10", "5" -> "05".
QString HexToDec(const QString& hex);

// Eight bit digits, bit 7 first; "*" in front above 255 (then all ones), all zeros below 0.
QString DecToBin(qint32 n);

// The number that the text's leading characters form (after leading blanks: an optional
// sign, digits, a decimal point with digits, an exponent), 0 when there is none, so ""
// and "?" are 0. This is how a field's text is taken as a number.
double leadingNumber(const QString& text);
// The same number, but nothing when the text starts with none (or with one beyond the range
// of a double): an emptied field, or one that holds no number.
std::optional<double> startingNumber(const QString& text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4);
// values beyond the qint64 range are clamped, NaN gives 0.
qint64 roundHalfEven(double value);

// The whole number the text stands for when the text, less surrounding blanks, is a
// number as leadingNumber reads it (fractions rounded half to even) within [min, max];
// nothing otherwise ("12abc", "", out of range).
std::optional<qint64> toWholeNumber(const QString& text, qint64 min, qint64 max);

// A number as the program's text files hold it: one
// blank in front (the minus sign in its place when negative) and one blank after.
QString printedNumber(qint64 n);

// n in decimal with at least `digits` digits, zeros in front ("000" format): 5 -> "005".
QString zeroPadded(qint64 n, int digits);
