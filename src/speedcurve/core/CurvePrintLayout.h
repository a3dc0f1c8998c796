#pragma once

#include "speedcurve/core/SpeedCurve.h"

#include <QDate>
#include <QList>
#include <QString>

// The page of the speed-curve printout, laid out without a printer: the page head in
// millimetres, everything else in points (1/72 inch) from the top-left corner, y downwards.
// Texts are placed by their top; right-aligned texts end at their x.
namespace CurvePrintLayout {

extern const QString headingPrompt;  // "Ausdruck mit  folgender Überschrift versehen: "
extern const QString headingTitle;   // " Kennlinie drucken..."

// Page head (millimetres): the date line at (15, 5), then the heading below it.
constexpr double headLeftMm = 15;
constexpr double headTopMm = 5;
constexpr double headFontPt = 12;
QString dateLine(const QDate& date);

constexpr double bodyFontPt = 10;
// The value row and the value scales: three digits in less than the 17 points between two
// steps, and the scale labels ending at x 550 clear of the grid, which ends at x 532.
constexpr double smallFontPt = 7.5;

struct Text {
    enum class Anchor { Left, Right };
    QString text;
    double x;
    double y;
    Anchor anchor = Anchor::Left;
    double sizePt = bodyFontPt;
};
struct Line {
    double x1, y1, x2, y2;
};
struct Circle {
    double x, y, radius;
};
struct Body {
    QList<Text> texts;
    QList<Line> lines;
    QList<Circle> circles;
};

// The chart of the 28 steps with its grid and scales, the row of values under it and the
// table of CV numbers and values from y 390 to y 779.
Body body(const SpeedCurve::Values& values);

constexpr double stepX(int step) { return 50 + 17 * step; }
constexpr double tableTop = 390;
constexpr double tableBottom = 779;
constexpr double tableRowHeight = (tableBottom - tableTop) / (SpeedCurve::steps + 1);

// The credit line runs upwards from (5, 800), or from the foot of a shorter page.
constexpr double creditX = 5;
constexpr double creditY = 800;
constexpr double creditSizePt = 6;
double creditLineY(double pageHeight);
QString creditText();

}  // namespace CurvePrintLayout
