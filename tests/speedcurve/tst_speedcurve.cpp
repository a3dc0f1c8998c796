#include "speedcurve/core/SpeedCurve.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using Values = SpeedCurve::Values;

Values parse(const QString& text) {
    Values v{};
    const QStringList parts = text.split(u' ', Qt::SkipEmptyParts);
    for (int i = 0; i < SpeedCurve::steps; ++i)
        v[std::size_t(i)] = parts.value(i).toInt();
    return v;
}

QString text(const Values& v) {
    QStringList parts;
    for (int x : v)
        parts.append(QString::number(x));
    return parts.join(u' ');
}

void setAll(SpeedCurve& curve, const Values& v) {
    for (int step = 1; step <= SpeedCurve::steps; ++step)
        curve.setValue(step, v[std::size_t(step - 1)]);
}

void markAllTransferred(SpeedCurve& curve) {
    for (int step = 1; step <= SpeedCurve::steps; ++step)
        curve.setMark(step, SpeedCurve::Mark::Transferred);
}

}  // namespace

class TestSpeedCurve : public QObject {
    Q_OBJECT
private slots:
    // The straight line between steps 1 and 28, rounded on the scroll bar's position
    // (255 - value) half to even; steps 1 and 28 stay.
    void linearShaping_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0 to 255") << 0 << 255
                                  << "0 9 19 28 38 47 57 66 76 85 94 104 113 123 132 142 151 161 170 179 189 198 208 "
                                     "217 227 236 246 255";
        QTest::newRow("255 to 0") << 255 << 0
                                  << "255 246 236 227 217 208 198 189 179 170 161 151 142 132 123 113 104 94 85 76 66 "
                                     "57 47 38 28 19 9 0";
        QTest::newRow("falling 200 to 10") << 200 << 10
                                           << "200 193 186 179 172 165 158 151 144 137 130 123 116 109 101 94 87 80 73 "
                                              "66 59 52 45 38 31 24 17 10";
        QTest::newRow("flat") << 5 << 5 << "5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5";
        QTest::newRow("shallow 1 to 30") << 1 << 30
                                         << "1 2 3 4 5 6 7 9 10 11 12 13 14 15 16 17 18 19 20 21 22 24 25 26 27 28 29 30";
    }
    void linearShaping() {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, expected);
        SpeedCurve curve;
        Values start{};
        start.fill(77);
        start.front() = first;
        start.back() = last;
        setAll(curve, start);
        curve.makeLinear();
        QCOMPARE(text(curve.values()), expected);
        // The two examples worked by hand: scroll 246 (245.56) and 123 (122.78).
        if (first == 0 && last == 255) {
            QCOMPARE(curve.scrollValue(2), 246);
            QCOMPARE(curve.value(2), 9);
            QCOMPARE(curve.scrollValue(15), 123);
            QCOMPARE(curve.value(15), 132);
        }
    }

    void designCurveIsStraightAndUnsent() {
        SpeedCurve curve;
        QCOMPARE(curve.value(1), 0);
        QCOMPARE(curve.value(2), 9);
        QCOMPARE(curve.value(28), 255);
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            QCOMPARE(curve.mark(step), SpeedCurve::Mark::Changed);
    }

    // Raise and lower move every step one unit and stop at 255 and 0.
    void raiseAndLower_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("raise");
        QTest::addColumn<QString>("expected");
        const QString edges = "0 255 1 254 128 0 255 0 255 0 255 0 255 0 255 0 255 0 255 0 255 0 255 0 255 0 255 0";
        QTest::newRow("raise") << edges << true
                               << "1 255 2 255 129 1 255 1 255 1 255 1 255 1 255 1 255 1 255 1 255 1 255 1 255 1 255 1";
        QTest::newRow("lower") << edges << false
                               << "0 254 0 253 127 0 254 0 254 0 254 0 254 0 254 0 254 0 254 0 254 0 254 0 254 0 254 0";
    }
    void raiseAndLower() {
        QFETCH(QString, start);
        QFETCH(bool, raise);
        QFETCH(QString, expected);
        SpeedCurve curve;
        setAll(curve, parse(start));
        markAllTransferred(curve);
        raise ? curve.raise() : curve.lower();
        QCOMPARE(text(curve.values()), expected);
        // Only the steps that moved turn red.
        const Values before = parse(start);
        for (int step = 1; step <= SpeedCurve::steps; ++step) {
            const bool moved = before[std::size_t(step - 1)] != curve.value(step);
            QCOMPARE(curve.mark(step), moved ? SpeedCurve::Mark::Changed : SpeedCurve::Mark::Transferred);
        }
    }

    // The pointer's distance from the grab point in twips, 15 to a value unit; moving down
    // raises the scroll value (lowers the step), limited to the bar's range.
    void dragMapping_data() {
        QTest::addColumn<int>("scroll");
        QTest::addColumn<double>("yTwips");
        QTest::addColumn<double>("grabTwips");
        QTest::addColumn<int>("expected");
        QTest::newRow("no move") << 100 << 60.0 << 60.0 << 100;
        QTest::newRow("one pixel down") << 100 << 75.0 << 60.0 << 101;
        QTest::newRow("ten pixels up") << 100 << -90.0 << 60.0 << 90;
        QTest::newRow("half a pixel rounds to even, down") << 100 << 67.5 << 60.0 << 100;
        QTest::newRow("half a pixel rounds to even, up") << 101 << 67.5 << 60.0 << 102;
        QTest::newRow("just over half") << 100 << 68.0 << 60.0 << 101;
        QTest::newRow("past the top") << 5 << -600.0 << 60.0 << 0;
        QTest::newRow("past the bottom") << 250 << 900.0 << 60.0 << 255;
        QTest::newRow("at the bottom") << 255 << 120.0 << 60.0 << 255;
    }
    void dragMapping() {
        QFETCH(int, scroll);
        QFETCH(double, yTwips);
        QFETCH(double, grabTwips);
        QFETCH(int, expected);
        QCOMPARE(SpeedCurve::dragScrollValue(scroll, yTwips, grabTwips), expected);
    }

    // A value change marks its step red and is reported once, also while a transfer runs;
    // the transfer marks a step it read or wrote green only while the step still shows that
    // value; setting the same value changes nothing.
    void marksFollowChanges() {
        SpeedCurve curve;
        markAllTransferred(curve);
        QSignalSpy changed(&curve, &SpeedCurve::stepChanged);

        curve.setValue(3, curve.value(3));
        QCOMPARE(changed.size(), 0);
        QCOMPARE(curve.mark(3), SpeedCurve::Mark::Transferred);

        curve.setScrollValue(3, 200);
        QCOMPARE(curve.value(3), 55);
        QCOMPARE(curve.mark(3), SpeedCurve::Mark::Changed);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 3);

        curve.setValue(4, 99);
        curve.markTransferred(4, 99);
        QCOMPARE(curve.mark(4), SpeedCurve::Mark::Transferred);
        curve.setValue(5, 98);
        curve.markTransferred(5, 97);
        QCOMPARE(curve.mark(5), SpeedCurve::Mark::Changed);
        curve.setValue(4, 100);
        QCOMPARE(curve.mark(4), SpeedCurve::Mark::Changed);
    }

    void valuesAreLimited() {
        SpeedCurve curve;
        curve.setValue(1, -4);
        curve.setValue(2, 300);
        curve.setScrollValue(3, 400);
        QCOMPARE(curve.value(1), 0);
        QCOMPARE(curve.value(2), 255);
        QCOMPARE(curve.value(3), 0);
    }
};

QTEST_GUILESS_MAIN(TestSpeedCurve)
#include "tst_speedcurve.moc"
