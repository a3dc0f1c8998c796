#pragma once

#include "speedcurve/core/SpeedCurve.h"

#include <QString>
#include <QStringList>
#include <optional>

// The curve file: 28 lines, one per step in step order, each two blanks, the CV number in
// three digits, a blank and the value in three digits ("  067 128"), ended by CR LF.
// Only the value at the end of a line is read back; the CV number is not looked at.
namespace SpeedCurveFile {

constexpr int lineCount = SpeedCurve::steps;

// The lines of a save.
QStringList lines(const SpeedCurve::Values& values);

// A load is checked whole before anything is taken over.
struct Loaded {
    enum class Outcome { Ok, Missing, WrongLineCount, BadValue };
    Outcome outcome = Outcome::Ok;
    SpeedCurve::Values values{};
    int lines = 0;    // line ends found (WrongLineCount)
    int badLine = 0;  // 1-based line whose value is not a number 0..255 (BadValue)
};
// Lines are counted by their ends (CR LF, CR or LF); text after the last line end is no
// line. Throws Failure(75) when the file exists but cannot be read.
Loaded load(const QString& path);

// The value a line holds: the whole number it ends in (a blank or nothing in front of it),
// 0..255; anything else holds none.
std::optional<int> lineValue(const QString& line);

// The texts the editor shows for a save and a load.
QString savedText(const QString& path);
extern const QString savedTitle;
QString wrongLineCountText(int lines);
QString badValueText(int line);
extern const QString invalidFileTitle;
extern const QString missingText;
extern const QString missingTitle;

}  // namespace SpeedCurveFile
