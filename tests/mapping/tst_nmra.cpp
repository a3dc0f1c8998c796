// The NMRA editor's table on the engine: its bit windows, read-back, lists and factory
// settings.
#include "mapping/core/MakerTables.h"
#include "mapping/core/MappingModel.h"

#include <QTest>

using namespace mapping;

namespace {
CellRef tick(int row, int col) {
    return {NmraTicks, row, col};
}
}  // namespace

class TestNmra : public QObject {
    Q_OBJECT

private slots:
    void windows_data() {
        QTest::addColumn<QList<int>>("cells");  // row, column, row, column, ...
        QTest::addColumn<int>("cv");
        QTest::addColumn<int>("value");
        QTest::newRow("rows 0 and 7 under F0 V") << QList<int>{0, 1, 7, 1} << 33 << 129;
        QTest::newRow("row 13 under F0 V counts nothing") << QList<int>{13, 1} << 33 << 0;
        QTest::newRow("row 12 under F0 V counts nothing") << QList<int>{12, 1} << 33 << 0;
        QTest::newRow("rows 2 and 3 under F1") << QList<int>{2, 3, 3, 3} << 35 << 12;
        QTest::newRow("row 7 under F3") << QList<int>{7, 5} << 37 << 128;
        QTest::newRow("row 3 under F4 is bit 0") << QList<int>{3, 6} << 38 << 1;
        QTest::newRow("row 2 under F4 counts nothing") << QList<int>{2, 6} << 38 << 0;
        QTest::newRow("row 10 under F8 is bit 7") << QList<int>{10, 10} << 42 << 128;
        QTest::newRow("row 11 under F8 counts nothing") << QList<int>{11, 10} << 42 << 0;
        QTest::newRow("row 6 under F9 is bit 0") << QList<int>{6, 11} << 43 << 1;
        QTest::newRow("row 0 under F12 counts nothing") << QList<int>{0, 14} << 46 << 0;
        QTest::newRow("row 13 under F12 is bit 7") << QList<int>{13, 14} << 46 << 128;
    }
    void windows() {
        QFETCH(QList<int>, cells);
        QFETCH(int, cv);
        QFETCH(int, value);
        MappingModel m(nmraTable());
        for (int i = 0; i + 1 < cells.size(); i += 2)
            QVERIFY(m.setTick(tick(cells[i], cells[i + 1]), true));
        QCOMPARE(m.cvValue(cv), value);
        QCOMPARE(m.text({NmraValues, 0, cv - 32}), QString::number(cv));
        QCOMPARE(m.text({NmraValues, 1, cv - 32}), QString::number(value));
        // A ticked cell is yellow; its column only when its CV is above 0.
        QCOMPARE(m.cellColour(tick(cells[0], cells[1])), Colour::Yellow);
        QCOMPARE(m.columnColour(NmraTicks, cv - 32), value ? Colour::Yellow : Colour::FaceGrey);
    }

    void clearingTicksTurnsTheColumnGrey() {
        MappingModel m(nmraTable());
        m.setTick(tick(0, 1), true);
        m.setTick(tick(7, 1), true);
        QCOMPARE(m.columnColour(NmraTicks, 1), Colour::Yellow);
        m.setTick(tick(0, 1), false);
        m.setTick(tick(7, 1), false);
        QCOMPARE(m.cvValue(33), 0);
        QCOMPARE(m.columnColour(NmraTicks, 1), Colour::FaceGrey);
        QCOMPARE(m.cellColour(tick(0, 1)), Colour::FaceGrey);
    }

    void captions() {
        const EditorTable t = nmraTable();
        const GridSpec& fa = t.grids.at(NmraTicks);
        QCOMPARE(fa.rows, 14);
        QCOMPARE(fa.cols, 15);
        QStringList keys;
        for (int c = 1; c <= 14; ++c)
            keys.append(fa.columns.at(c).caption);
        QCOMPARE(keys, (QStringList{"F0  V", "F0  R", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10",
                                    "F11", "F12"}));
        QCOMPARE(fa.columns.at(0).caption, QStringLiteral("Ausgang"));
        QCOMPARE(fa.columns.at(0).texts.mid(0, 3), (QStringList{"Licht vorne", "Licht hinten", "FA 1"}));
        QCOMPARE(fa.columns.at(0).texts.last(), QStringLiteral("FA 12"));
        QCOMPARE(fa.splits.at(0).caption, QStringLiteral("Funktionsausgänge"));
        QCOMPARE(fa.splits.at(1).caption, QStringLiteral("Funktionstasten"));
        MappingModel m(t);
        QCOMPARE(m.text({NmraValues, 0, 0}), QStringLiteral("CV"));
        QCOMPARE(m.text({NmraValues, 1, 0}), QStringLiteral("Wert"));
    }

    void readBack_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("ticked");  // row, column, ...
        QTest::addColumn<QList<int>>("values");  // cv, value, ...
        QTest::newRow("CV 38 = 4 ticks row 5 under F4") << QStringList{"S 038 004"} << QList<int>{5, 6} << QList<int>{38, 4};
        QTest::newRow("CV 47 changes nothing") << QStringList{"S 047 255"} << QList<int>{} << QList<int>{};
        QTest::newRow("CV 32 changes nothing") << QStringList{"S 032 255"} << QList<int>{} << QList<int>{};
        QTest::newRow("0 changes nothing") << QStringList{"S 033 000"} << QList<int>{} << QList<int>{};
        QTest::newRow("F12 bits 0 and 7") << QStringList{"S 046 129"} << QList<int>{6, 14, 13, 14} << QList<int>{46, 129};
        QTest::newRow("protocol line with letter L")
            << QStringList{"L 035 012 Licht"} << QList<int>{2, 3, 3, 3} << QList<int>{35, 12};
    }
    void readBack() {
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, ticked);
        QFETCH(QList<int>, values);
        MappingModel m(nmraTable());
        m.readBack(lines);
        QList<int> got;
        for (int c = 1; c <= 14; ++c) {
            for (int r = 0; r < 14; ++r) {
                if (m.isTicked(tick(r, c)))
                    got << r << c;
            }
        }
        QCOMPARE(got, ticked);
        QList<int> nonZero;
        for (int cv = 33; cv <= 46; ++cv) {
            if (m.cvValue(cv))
                nonZero << cv << m.cvValue(cv);
        }
        QCOMPARE(nonZero, values);
    }

    void readIntoAFilledEditorMerges() {
        MappingModel m(nmraTable());
        m.setTick(tick(0, 3), true);   // F1: row 0
        m.setTick(tick(5, 6), true);   // F4: row 5
        m.readBack({"S 035 008"});       // F1: row 3
        QVERIFY(m.isTicked(tick(0, 3)));
        QVERIFY(m.isTicked(tick(3, 3)));
        QCOMPARE(m.cvValue(35), 8);      // the file's value, until the next tick
        QCOMPARE(m.cvValue(38), 4);
        m.setTick(tick(4, 3), true);
        QCOMPARE(m.cvValue(35), 1 + 8 + 16);
    }

    void lists() {
        MappingModel m(nmraTable());
        QStringList all;
        for (int cv = 33; cv <= 46; ++cv)
            all.append(QStringLiteral("S %1 000").arg(cv, 3, 10, QLatin1Char('0')));
        QCOMPARE(m.saveLines(false), all);
        QCOMPARE(m.saveLines(true), QStringList());
        QCOMPARE(m.readListLines(),
                 (QStringList{"L 033", "L 034", "L 035", "L 036", "L 037", "L 038", "L 039", "L 040", "L 125", "L 126",
                              "L 127", "L 128", "L 129", "L 130", "L 131", "L 132"}));
        m.setTick(tick(0, 1), true);
        m.setTick(tick(1, 2), true);
        QCOMPARE(m.clipboardLines(true), (QStringList{"S 033 001", "S 034 002"}));
        QCOMPARE(m.clipboardLines(false), m.saveLines(false));
        QCOMPARE(m.saveLines(false).size(), 14);
    }

    void factory() {
        MappingModel m(nmraTable());
        QVERIFY(m.hasFactory());
        m.clear();
        m.applyFactory();
        QCOMPARE(m.saveLines(false),
                 (QStringList{"S 033 001", "S 034 002", "S 035 004", "S 036 008", "S 037 016", "S 038 004", "S 039 008",
                              "S 040 016", "S 041 032", "S 042 064", "S 043 016", "S 044 032", "S 045 064", "S 046 128"}));
        for (int i = 0; i < 14; ++i) {
            QVERIFY(m.isTicked(tick(i, i + 1)));
            QCOMPARE(m.columnColour(NmraTicks, i + 1), Colour::Yellow);
        }
    }
};

QTEST_GUILESS_MAIN(TestNmra)
#include "tst_nmra.moc"
