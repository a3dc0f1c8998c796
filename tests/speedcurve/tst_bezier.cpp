#include "speedcurve/core/BezierDrawing.h"
#include "speedcurve/core/PlanGeometry.h"
#include "speedcurve/core/SpeedCurve.h"

#include <QMap>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <cmath>

namespace {

using Points = BezierDrawing::Points;

// The rows each column of the curve covers, found the slow way: the pixel of every point
// of a very fine walk along t. Steps of 2^-20 move far less than a pixel.
QMap<int, QSet<int>> bruteForcePixels(const Points& p) {
    QMap<int, QSet<int>> pixels;
    constexpr int n = 1 << 20;
    for (int k = 0; k <= n; ++k) {
        const double t = double(k) / n, u = 1 - t;
        const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
        const double x = b0 * p[0].x() + b1 * p[1].x() + b2 * p[2].x() + b3 * p[3].x();
        const double y = b0 * p[0].y() + b1 * p[1].y() + b2 * p[2].y() + b3 * p[3].y();
        pixels[int(std::floor(x + 0.5))].insert(int(std::floor(y + 0.5)));
    }
    return pixels;
}

QMap<int, QSet<int>> pixelsOf(const QList<PixelRun>& runs) {
    QMap<int, QSet<int>> pixels;
    for (const PixelRun& run : runs)
        for (int y = run.top; y <= run.bottom; ++y)
            pixels[run.x].insert(y);
    return pixels;
}

std::optional<int> lowestIn(const QSet<int>& rows, int top, int bottom) {
    std::optional<int> lowest;
    for (int y : rows)
        if (y >= top && y <= bottom && (!lowest || y > *lowest))
            lowest = y;
    return lowest;
}

Points points(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3) {
    return {QPoint(x0, y0), QPoint(x1, y1), QPoint(x2, y2), QPoint(x3, y3)};
}

// The curve as the window draws it: from the centre of marker 1 through the centres of the
// two handles (top-left corners given) to the centre of marker 28.
Points windowCurve(int value1, QPoint handle1, QPoint handle2, int value28) {
    const QPoint half(PlanGeometry::markerHalf, PlanGeometry::markerHalf);
    return {QPoint(PlanGeometry::centreX(1), PlanGeometry::markerTop(255 - value1) + PlanGeometry::markerHalf),
            handle1 + half, handle2 + half,
            QPoint(PlanGeometry::centreX(28), PlanGeometry::markerTop(255 - value28) + PlanGeometry::markerHalf)};
}

}  // namespace

Q_DECLARE_METATYPE(BezierDrawing::Points)

class TestBezier : public QObject {
    Q_OBJECT
private slots:
    void curves_data() {
        QTest::addColumn<Points>("p");
        QTest::newRow("design handles") << windowCurve(0, {220, 250}, {390, 190}, 255);
        QTest::newRow("straight line") << points(16, 267, 160, 182, 304, 97, 448, 12);
        QTest::newRow("s-shape") << points(16, 267, 100, 100, 300, 250, 448, 12);
        QTest::newRow("handles at the lower limits") << windowCurve(60, {440, 265}, {440, 265}, 255);
        QTest::newRow("handles left of the start") << points(16, 267, 4, 4, 444, 4, 448, 100);
        QTest::newRow("doubling back") << points(16, 150, 400, 20, 40, 260, 448, 150);
        QTest::newRow("repeated ends") << points(16, 12, 16, 12, 448, 267, 448, 267);
        QTest::newRow("steep start") << points(16, 267, 16, 0, 20, 0, 448, 12);
        QTest::newRow("flat") << points(16, 140, 150, 140, 300, 140, 448, 140);
        QRandomGenerator random(20240611);
        for (int i = 0; i < 24; ++i) {
            const QPoint h1(random.bounded(441), random.bounded(266));
            const QPoint h2(random.bounded(441), random.bounded(266));
            QTest::addRow("random %d", i) << windowCurve(random.bounded(256), h1, h2, random.bounded(256));
        }
    }

    // The computed pixels equal the fine walk's, column by column: the same columns, the
    // same lowest and highest pixel, and no gap inside a column's run.
    void curves() {
        QFETCH(Points, p);
        const QList<PixelRun> runs =
            rasterizeCubic({QPointF(p[0]), QPointF(p[1]), QPointF(p[2]), QPointF(p[3])});
        const QMap<int, QSet<int>> expected = bruteForcePixels(p);
        const QMap<int, QSet<int>> got = pixelsOf(runs);
        QCOMPARE(got.keys(), expected.keys());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const QSet<int>& rows = got[it.key()];
            QCOMPARE(lowestIn(rows, -1000, 1000), lowestIn(it.value(), -1000, 1000));
            QCOMPARE(*std::min_element(rows.begin(), rows.end()), *std::min_element(it.value().begin(), it.value().end()));
            QCOMPARE(rows, it.value());
        }
        // Consecutive pixels join: each column touches the next one, diagonally at least.
        for (auto it = got.cbegin(); std::next(it) != got.cend(); ++it) {
            const auto next = std::next(it);
            QCOMPARE(next.key(), it.key() + 1);
            bool touches = false;
            for (int y : it.value())
                touches = touches || next.value().contains(y - 1) || next.value().contains(y) || next.value().contains(y + 1);
            QVERIFY2(touches, qPrintable(QStringLiteral("gap after column %1").arg(it.key())));
        }

        // Sampling: steps 1..27 take the lowest pixel at their marker's left edge within rows
        // 8..270, limited to 0..255; empty columns and step 28 keep their value.
        SpeedCurve curve;
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            curve.setValue(step, 77);
        BezierDrawing drawing;
        drawing.draw(p);
        QCOMPARE(drawing.points(), p);
        drawing.sampleInto(curve);
        for (int step = 1; step < SpeedCurve::steps; ++step) {
            const auto y = lowestIn(expected.value(PlanGeometry::markerLeft(step)), 8, 270);
            const int value = y ? qBound(0, 267 - *y, 255) : 77;
            QCOMPARE(curve.value(step), value);
        }
        QCOMPARE(curve.value(28), 77);
        QVERIFY(drawing.isEmpty());
        QCOMPARE(drawing.points(), p);
    }

    // A curve dipping below value 0 gives 0, not a value the step cannot hold; step 1 has no
    // pixel at its marker's left edge and keeps its value.
    void sampleBelowZeroIsLimited() {
        BezierDrawing drawing;
        drawing.draw(windowCurve(0, {200, 265}, {300, 265}, 0));
        QVERIFY(drawing.lowestPixel(PlanGeometry::markerLeft(16), 8, 270).value() > 267);
        SpeedCurve curve;
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            curve.setValue(step, 123);
        drawing.sampleInto(curve);
        QCOMPARE(curve.value(1), 123);
        QCOMPARE(curve.value(16), 0);
        QCOMPARE(curve.value(28), 123);
    }

    // After a sampling the area is clear: a second drop without a new drawing samples
    // nothing, and the marks stay as they are.
    void secondSampleTakesNothing() {
        BezierDrawing drawing;
        drawing.draw(windowCurve(0, {220, 250}, {390, 190}, 255));
        SpeedCurve curve;
        drawing.sampleInto(curve);
        for (int step = 1; step <= SpeedCurve::steps; ++step) {
            curve.setValue(step, 50);
            curve.setMark(step, SpeedCurve::Mark::Transferred);
        }
        drawing.sampleInto(curve);
        for (int step = 1; step <= SpeedCurve::steps; ++step) {
            QCOMPARE(curve.value(step), 50);
            QCOMPARE(curve.mark(step), SpeedCurve::Mark::Transferred);
        }
        // A new drawing erases the last one: only its own pixels remain.
        drawing.draw(points(16, 267, 160, 182, 304, 97, 448, 12));
        drawing.draw(points(16, 12, 160, 12, 304, 12, 448, 12));
        QCOMPARE(drawing.lowestPixel(PlanGeometry::markerLeft(10), 8, 270), std::optional<int>(12));
    }
};

QTEST_GUILESS_MAIN(TestBezier)
#include "tst_bezier.moc"
