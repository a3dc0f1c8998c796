// The Lenz GoldSerie editor's table on the engine: the three offset bit windows with their
// refused ticks, the internal functions and their marking across both grids, brightness,
// the effect pairs of CV 60 and CV 62, read-back and the lists.
#include "MappingTestKit.h"
#include "mapping/core/MakerTables.h"
#include "mapping/core/MappingModel.h"

#include <QTest>

using namespace mapping;
using namespace mappingtest;

namespace {
CellRef tick(int row, int col) {
    return {LenzTicks, row, col};
}
enum Output { A = 0, B, C, D, E, F, G, H };
// grdFA columns: 1 F0 forward, 2 F0 reverse, 3 + n key Fn.
int key(int n) {
    return n + 2;
}
}  // namespace

class TestLenz : public QObject {
    Q_OBJECT

private slots:
    void windows_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("cv");
        QTest::addColumn<int>("value");  // -1: the tick is taken back
        QTest::newRow("A under F0 V is bit 3 of CV 33") << int(A) << 1 << 33 << 8;
        QTest::newRow("E under F0 R is bit 7 of CV 34") << int(E) << 2 << 34 << 128;
        QTest::newRow("C under F3") << int(C) << key(3) << 37 << 32;
        QTest::newRow("F under F3 is refused") << int(F) << key(3) << 37 << -1;
        QTest::newRow("H under F0 V is refused") << int(H) << 1 << 33 << -1;
        QTest::newRow("A under F4 is bit 0 of CV 38") << int(A) << key(4) << 38 << 1;
        QTest::newRow("H under F8 is bit 7 of CV 42") << int(H) << key(8) << 42 << 128;
        QTest::newRow("D under F9 is bit 0 of CV 43") << int(D) << key(9) << 43 << 1;
        QTest::newRow("H under F12 is bit 4 of CV 46") << int(H) << key(12) << 46 << 16;
        QTest::newRow("B under F10 is refused") << int(B) << key(10) << 44 << -1;
        QTest::newRow("C under F12 is refused") << int(C) << key(12) << 46 << -1;
    }
    void windows() {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, cv);
        QFETCH(int, value);
        MappingModel m(lenzTable());
        QCOMPARE(m.setTick(tick(row, col), true), value >= 0);
        QCOMPARE(m.isTicked(tick(row, col)), value >= 0);
        QCOMPARE(m.cvValue(cv), std::max(value, 0));
        QCOMPARE(m.text({LenzValues, 0, col}), QString::number(cv));
        QCOMPARE(m.text({LenzValues, 1, col}), QString::number(std::max(value, 0)));
        QCOMPARE(m.columnColour(LenzTicks, col), value > 0 ? Colour::Yellow : Colour::FaceGrey);
    }

    void internalFunctions_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("cv");
        QTest::addColumn<int>("value");
        QTest::newRow("Rangiergang under F2 and F5") << 1 << QList<int>{2, 5} << 58 << 18;
        QTest::newRow("Dimmen under F1") << 0 << QList<int>{1} << 57 << 1;
        QTest::newRow("Effekte C + D under F8") << 4 << QList<int>{8} << 64 << 128;
        QTest::newRow("Anfahr- und Bremsverzögerung under F1..F8") << 2 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 59
                                                                    << 255;
    }
    void internalFunctions() {
        QFETCH(int, row);
        QFETCH(QList<int>, keys);
        QFETCH(int, cv);
        QFETCH(int, value);
        MappingModel m(lenzTable());
        for (int k : keys)
            QVERIFY(m.setTick({Lenz5764, row, k + 4}, true));
        QCOMPARE(m.cvValue(cv), value);
        QCOMPARE(m.text({Lenz5764, row, 1}), QString::number(cv));
        QCOMPARE(m.text({Lenz5764, row, 2}), QString::number(value));
        // The key columns of both grids light up together; the others stay grey.
        for (int n = 1; n <= 8; ++n) {
            const int colour = keys.contains(n) ? Colour::Yellow : Colour::FaceGrey;
            QCOMPARE(m.columnColour(LenzTicks, key(n)), colour);
            QCOMPARE(m.columnColour(Lenz5764, n + 4), colour);
        }
        QCOMPARE(m.cellColour({Lenz5764, row, keys.first() + 4}), Colour::Yellow);
    }

    void mappingCvsMarkTheInternalColumnsToo() {
        MappingModel m(lenzTable());
        m.setTick(tick(A, 1), true);       // CV 33 above 0: F0 V of both grids
        m.setTick(tick(B, key(3)), true);  // CV 37: F3
        m.setTick(tick(D, key(9)), true);  // CV 43: F9 has no internal column
        QCOMPARE(m.columnColour(Lenz5764, 3), Colour::Yellow);
        QCOMPARE(m.columnColour(Lenz5764, 4), Colour::FaceGrey);
        QCOMPARE(m.columnColour(Lenz5764, key(3) + 2), Colour::Yellow);
        QCOMPARE(m.columnColour(LenzTicks, key(9)), Colour::Yellow);
        QCOMPARE(m.columnColour(Lenz5764, 0), Colour::None);
    }

    void effectPairs_data() {
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("cv");
        QTest::addColumn<QStringList>("shown");  // first, second, value
        QTest::newRow("Gyralight + Doppelblitz") << int(Lenz60) << 2 << 40 << 60
                                                 << QStringList{"Gyralight", "Doppelblitz", "42"};
        QTest::newRow("Marslight + ein / aus") << int(Lenz60) << 1 << 0 << 60 << QStringList{"Marslight", "ein / aus", "1"};
        QTest::newRow("Dimmen CV55 + Dimmen CV56") << int(Lenz62) << 3 << 50 << 62
                                                   << QStringList{"Dimmen CV55", "Dimmen CV56", "53"};
        QTest::newRow("Blinken + Blinken C <> D") << int(Lenz62) << 1 << 20 << 62
                                                  << QStringList{"Blinken", "Blinken C <> D", "21"};
    }
    void effectPairs() {
        QFETCH(int, grid);
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(int, cv);
        QFETCH(QStringList, shown);
        MappingModel m(lenzTable());
        QVERIFY(m.setNumber({grid, 0, 0}, first));
        QVERIFY(m.setNumber({grid, 0, 1}, second));
        QCOMPARE((QStringList{m.text({grid, 0, 0}), m.text({grid, 0, 1}), m.text({grid, 0, 3})}), shown);
        QCOMPARE(m.cvValue(cv), shown.last().toInt());
        QCOMPARE(m.text({grid, 0, 2}), QString::number(cv));
        // Read back into a fresh editor, the pair shows again.
        MappingModel fresh(lenzTable());
        fresh.readBack(m.saveLines(true));
        QCOMPARE((QStringList{fresh.text({grid, 0, 0}), fresh.text({grid, 0, 1}), fresh.text({grid, 0, 3})}), shown);
    }

    void effectReadBack_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("grid");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("CV 60 = 42") << "S 060 042" << int(Lenz60) << QStringList{"Gyralight", "Doppelblitz", "42"};
        QTest::newRow("CV 60 = 3 clears B") << "S 060 003" << int(Lenz60) << QStringList{"Blitz (Strobe)", "ein / aus", "3"};
        QTest::newRow("CV 60 = 0 changes nothing") << "S 060 000" << int(Lenz60)
                                                   << QStringList{"Marslight", "Gyralight", "21"};
        // Digits no list shows are kept and shown as numbers.
        QTest::newRow("CV 60 = 97") << "S 060 097" << int(Lenz60) << QStringList{"7", "90", "97"};
        QTest::newRow("CV 62 = 142 keeps the hundreds") << "S 062 142" << int(Lenz62)
                                                        << QStringList{"Flackern Typ 1", "Flackern Typ 3", "142"};
    }
    void effectReadBack() {
        QFETCH(QString, line);
        QFETCH(int, grid);
        QFETCH(QStringList, shown);
        MappingModel m(lenzTable());
        m.setNumber({Lenz60, 0, 0}, 1);
        m.setNumber({Lenz60, 0, 1}, 20);
        m.readBack({line});
        QCOMPARE((QStringList{m.text({grid, 0, 0}), m.text({grid, 0, 1}), m.text({grid, 0, 3})}), shown);
        QVERIFY(m.saveLines(true).contains(writeLines({grid == Lenz60 ? 60 : 62}, {shown.last().toInt()}).first()));
    }

    // The pair's value is the sum of what its two cells show now, not of parts chosen
    // before a read-back or a delete.
    void effectValueFollowsTheCells() {
        MappingModel m(lenzTable());
        m.setNumber({Lenz60, 0, 0}, 2);
        m.setNumber({Lenz60, 0, 1}, 40);
        m.readBack({"S 060 013"});
        m.setNumber({Lenz60, 0, 0}, 4);
        QCOMPARE(m.cvValue(60), 14);
        m.clear();
        QCOMPARE(m.cvValue(60), 0);
        m.setNumber({Lenz60, 0, 1}, 20);
        QCOMPARE(m.cvValue(60), 20);
        QCOMPARE(m.text({Lenz60, 0, 0}), QStringLiteral("ein / aus"));
    }

    void readBack_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("ticked");  // grid, row, column, ...
        QTest::addColumn<QList<int>>("values");  // cv, value of every CV above 0
        QTest::newRow("CV 33 = 8 ticks A under F0 V") << QStringList{"S 033 008"} << QList<int>{LenzTicks, A, 1}
                                                      << QList<int>{33, 8};
        QTest::newRow("CV 33 bits 0..2 have no output") << QStringList{"S 033 007"} << QList<int>{} << QList<int>{33, 7};
        QTest::newRow("CV 46 bits 5..7 have no output")
            << QStringList{"S 046 225"} << QList<int>{LenzTicks, D, key(12)} << QList<int>{46, 225};
        QTest::newRow("CV 42 = 129") << QStringList{"S 042 129"}
                                     << QList<int>{LenzTicks, A, key(8), LenzTicks, H, key(8)} << QList<int>{42, 129};
        QTest::newRow("CV 58 = 18") << QStringList{"S 058 018"}
                                    << QList<int>{Lenz5764, 1, 6, Lenz5764, 1, 9} << QList<int>{58, 18};
        QTest::newRow("brightness") << QStringList{"S 055 200", "S 056 007"} << QList<int>{} << QList<int>{55, 200, 56, 7};
        QTest::newRow("CV 47, 63 and 0 change nothing")
            << QStringList{"S 047 001", "S 063 001", "S 057 000"} << QList<int>{} << QList<int>{};
    }
    void readBack() {
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, ticked);
        QFETCH(QList<int>, values);
        MappingModel m(lenzTable());
        m.readBack(lines);
        QList<int> got;
        for (int g : {int(LenzTicks), int(Lenz5764)}) {
            for (int r = 0; r < m.grid(g).rows; ++r) {
                for (int c = 0; c < m.grid(g).cols; ++c) {
                    if (m.isTicked({g, r, c}))
                        got << g << r << c;
                }
            }
        }
        QCOMPARE(got, ticked);
        QList<int> nonZero;
        for (int cv = 33; cv <= 64; ++cv) {
            if (m.cvValue(cv))
                nonZero << cv << m.cvValue(cv);
        }
        QCOMPARE(nonZero, values);
    }

    void lists() {
        MappingModel m(lenzTable());
        QCOMPARE(m.saveLines(false), writeLines(QList<int>{55, 56, 57, 58, 59, 61, 64} + cvRange(33, 46) + QList<int>{60, 62}, {}));
        QCOMPARE(m.saveLines(true), QStringList());
        QCOMPARE(m.readListLines(), (QStringList{"L 055", "L 056", "L 057", "L 058", "L 059", "L 060", "L 061", "L 062",
                                                 "L 064"}));
        m.setTick(tick(A, 1), true);
        m.setTick({Lenz5764, 0, 5}, true);
        m.setNumber({Lenz5556, 1, 2}, 9);
        m.setNumber({Lenz62, 0, 0}, 2);
        QCOMPARE(m.saveLines(true), (QStringList{"S 056 009", "S 057 001", "S 033 008", "S 062 002"}));
        QCOMPARE(m.clipboardLines(true), m.saveLines(true));
    }

    // Names take typed text; CV numbers and computed values never do.
    void typedCellsAreTheNames() {
        QStringList names;
        for (int r = 0; r < 8; ++r)
            names << QStringLiteral("%1,%2,0").arg(int(LenzTicks)).arg(r);
        for (int r = 0; r < 5; ++r)
            names << QStringLiteral("%1,%2,0").arg(int(Lenz5764)).arg(r);
        names << QStringLiteral("%1,0,0").arg(int(Lenz5556)) << QStringLiteral("%1,1,0").arg(int(Lenz5556));
        QCOMPARE(typedCells(MappingModel(lenzTable())), names);
    }
};

QTEST_GUILESS_MAIN(TestLenz)
#include "tst_lenz.moc"
