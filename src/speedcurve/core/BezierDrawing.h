#pragma once

#include <QList>
#include <QPoint>
#include <QPointF>
#include <array>
#include <optional>

class SpeedCurve;

// Pixels of column `x` from row `top` down to row `bottom`, both included.
struct PixelRun {
    int x;
    int top;
    int bottom;
    bool operator==(const PixelRun&) const = default;
};

// The pixels a cubic Bézier curve with these four control points covers: every pixel
// (floor(x + 0.5), floor(y + 0.5)) of a point of the curve, so consecutive pixels join.
// Computed from the polynomials, per column as the ranges of rows the curve passes;
// sorted by column, a column may hold several runs where the curve comes back.
QList<PixelRun> rasterizeCubic(const std::array<QPointF, 4>& controlPoints);

// The grey curve of the editor's drawing area, kept as the pixels it covers, so that the
// steps can be sampled from it without reading the screen.
class BezierDrawing {
public:
    using Points = std::array<QPoint, 4>;

    // Erases the curve drawn last and draws the one through these points (centre of the
    // first marker, the two handles' centres, centre of the last marker).
    void draw(const Points& points);
    // The area is cleared; the points of the last curve are kept.
    void clear() { m_runs.clear(); }
    bool isEmpty() const { return m_runs.isEmpty(); }

    // The points of the curve drawn last (all zero before the first drawing).
    const Points& points() const { return m_points; }
    const QList<PixelRun>& runs() const { return m_runs; }

    // The lowest drawn pixel of column x between rows top and bottom.
    std::optional<int> lowestPixel(int x, int top, int bottom) const;

    // Steps 1..27 take the value of the lowest curve pixel at their marker's left edge
    // (limited to 0..255); a step whose column holds no pixel keeps its value, and step 28
    // is never sampled. Then the area is cleared.
    void sampleInto(SpeedCurve& curve);

private:
    Points m_points{};
    QList<PixelRun> m_runs;
};
