#include "speedcurve/core/BezierDrawing.h"

#include "speedcurve/core/PlanGeometry.h"
#include "speedcurve/core/SpeedCurve.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// One coordinate of the curve as a polynomial in t.
struct Cubic {
    double a0, a1, a2, a3;

    static Cubic of(double p0, double p1, double p2, double p3) {
        return {p0, 3 * (p1 - p0), 3 * (p2 - 2 * p1 + p0), p3 - 3 * p2 + 3 * p1 - p0};
    }
    double at(double t) const { return ((a3 * t + a2) * t + a1) * t + a0; }

    // Where the derivative 3 a3 t² + 2 a2 t + a1 is zero, strictly inside (0, 1).
    QList<double> turningPoints() const {
        const double a = 3 * a3, b = 2 * a2, c = a1;
        QList<double> roots;
        if (a == 0) {
            if (b != 0)
                roots.append(-c / b);
        } else {
            const double disc = b * b - 4 * a * c;
            if (disc >= 0) {
                // The stable form: no cancellation between b and the root.
                const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
                roots.append(q / a);
                if (q != 0)
                    roots.append(c / q);
            }
        }
        QList<double> inside;
        for (double t : roots)
            if (t > 0 && t < 1)
                inside.append(t);
        std::sort(inside.begin(), inside.end());
        return inside;
    }
};

int pixel(double v) {
    return int(std::floor(v + 0.5));
}

// Where the monotonic x crosses `target`, moving in `direction` from lo: the last t
// before the crossing and the first one after it, a rounding error apart. Each column's
// stretch ends just before the edge, so no point of the next column counts in it.
std::pair<double, double> crossing(const Cubic& x, double lo, double hi, double target, int direction) {
    for (int i = 0; i < 64; ++i) {
        const double mid = 0.5 * (lo + hi);
        if ((x.at(mid) - target) * direction < 0)
            lo = mid;
        else
            hi = mid;
    }
    return {lo, hi};
}

// The rows y passes for t in [s, e].
PixelRun rowsBetween(int column, const Cubic& y, const QList<double>& yTurns, double s, double e) {
    double low = std::min(y.at(s), y.at(e));
    double high = std::max(y.at(s), y.at(e));
    for (double t : yTurns) {
        if (t > s && t < e) {
            low = std::min(low, y.at(t));
            high = std::max(high, y.at(t));
        }
    }
    return {column, pixel(low), pixel(high)};
}

QList<PixelRun> merged(QList<PixelRun> runs) {
    std::sort(runs.begin(), runs.end(), [](const PixelRun& a, const PixelRun& b) {
        return a.x != b.x ? a.x < b.x : a.top < b.top;
    });
    QList<PixelRun> result;
    for (const PixelRun& run : runs) {
        if (!result.isEmpty() && result.last().x == run.x && run.top <= result.last().bottom + 1)
            result.last().bottom = std::max(result.last().bottom, run.bottom);
        else
            result.append(run);
    }
    return result;
}

}  // namespace

QList<PixelRun> rasterizeCubic(const std::array<QPointF, 4>& p) {
    const Cubic x = Cubic::of(p[0].x(), p[1].x(), p[2].x(), p[3].x());
    const Cubic y = Cubic::of(p[0].y(), p[1].y(), p[2].y(), p[3].y());
    const QList<double> yTurns = y.turningPoints();

    // Between the turning points of x the curve runs one way across the columns; each
    // column's stretch of t ends where x crosses the column's edge.
    QList<double> spans = x.turningPoints();
    spans.prepend(0);
    spans.append(1);
    QList<PixelRun> runs;
    for (qsizetype k = 0; k + 1 < spans.size(); ++k) {
        const double ta = spans[k], tb = spans[k + 1];
        const int first = pixel(x.at(ta));
        const int last = pixel(x.at(tb));
        const int direction = last >= first ? 1 : -1;
        double s = ta;
        for (int column = first;; column += direction) {
            if (column == last) {
                runs.append(rowsBetween(column, y, yTurns, s, tb));
                break;
            }
            const auto [end, next] = crossing(x, s, tb, column + 0.5 * direction, direction);
            runs.append(rowsBetween(column, y, yTurns, s, end));
            s = next;
        }
    }
    return merged(runs);
}

void BezierDrawing::draw(const Points& points) {
    m_points = points;
    m_runs = rasterizeCubic({QPointF(points[0]), QPointF(points[1]), QPointF(points[2]), QPointF(points[3])});
}

std::optional<int> BezierDrawing::lowestPixel(int x, int top, int bottom) const {
    std::optional<int> lowest;
    for (const PixelRun& run : m_runs) {
        if (run.x != x || run.top > bottom || run.bottom < top)
            continue;
        const int y = std::min(run.bottom, bottom);
        if (!lowest || y > *lowest)
            lowest = y;
    }
    return lowest;
}

void BezierDrawing::sampleInto(SpeedCurve& curve) {
    for (int step = 1; step < SpeedCurve::steps; ++step) {
        const auto y = lowestPixel(PlanGeometry::markerLeft(step), PlanGeometry::sampleTop, PlanGeometry::sampleBottom);
        // Rows below value 0 (a handle near the lower limit) give 0.
        if (y)
            curve.setValue(step, qBound(0, PlanGeometry::valueOfRow(*y), SpeedCurve::maxValue));
    }
    clear();
}
