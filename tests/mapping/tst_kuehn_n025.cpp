// The Kühn N025 editor's table on the engine: effect ticks with the bit order reversed,
// the keys of output B, the settings it shares with the T145, green ticks, read-back and
// the lists.
#include "MappingTestKit.h"
#include "mapping/core/MakerTables.h"
#include "mapping/core/MappingModel.h"

#include <QTest>

using namespace mapping;
using namespace mappingtest;

namespace {
enum Row { A = 0, B };
CellRef effect(int row, int col) {
    return {N025Effects, row, col};
}
CellRef key(int row, int k) {
    return {N025Keys, row, k};
}
}  // namespace

class TestKuehnN025 : public QObject {
    Q_OBJECT

private slots:
    void effects_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("cols");
        QTest::addColumn<int>("value");
        QTest::newRow("Dimmen wenn F3 EIN + pulsierendes Licht on B") << int(B) << QList<int>{2, 9} << 129;
        QTest::newRow("AUS wenn vorwärts on A") << int(A) << QList<int>{3} << 64;
        QTest::newRow("AUS wenn rückwärts + Dimmen on A") << int(A) << QList<int>{4, 5} << 48;
        QTest::newRow("Blinken Phase A, B and Blitzlicht on B") << int(B) << QList<int>{6, 7, 8} << 14;
    }
    void effects() {
        QFETCH(int, row);
        QFETCH(QList<int>, cols);
        QFETCH(int, value);
        MappingModel m(kuehnN025Table());
        for (int c : cols)
            QVERIFY(m.setTick(effect(row, c), true));
        QCOMPARE(m.cvValue(49 + row), value);
        QCOMPARE(m.text(effect(row, 10)), QString::number(49 + row));
        QCOMPARE(m.text(effect(row, 11)), QString::number(value));
        // Ticked cells are green; no column is marked.
        QCOMPARE(m.cellColour(effect(row, cols.first())), Colour::Green);
        QCOMPARE(m.columnColour(N025Effects, cols.first()), Colour::None);
        QCOMPARE(m.cellColour(effect(row, 10)), Colour::White);
        QCOMPARE(m.cellColour(effect(row, 11)), Colour::White);
    }

    void keysOfOutputB() {
        MappingModel m(kuehnN025Table());
        QVERIFY(m.setTick(key(B, 2), true));
        QVERIFY(m.setTick(key(B, 3), true));
        QCOMPARE(m.cvValue(58), 6);
        QCOMPARE(m.text({N025Keys, B, 10}), QStringLiteral("6"));
        QCOMPARE(m.cellColour(key(B, 2)), Colour::Green);
        MappingModel fresh(kuehnN025Table());
        fresh.readBack({"S 058 006"});
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(fresh.isTicked(key(B, k)), k == 2 || k == 3);
    }

    // Output A always follows F0: its key row has no CV and takes no ticks.
    void keyRowAHasNoCv() {
        MappingModel m(kuehnN025Table());
        for (int c = 1; c <= 10; ++c) {
            QVERIFY(!m.setTick(key(A, c), true));
            QVERIFY(!m.isTicked(key(A, c)));
            QCOMPARE(m.text(key(A, c)), QString());
        }
        QCOMPARE(m.text({N025Keys, B, 9}), QStringLiteral("58"));
        QCOMPARE(m.saveLines(true), QStringList());
    }

    void readBack_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("ticked");  // grid, row, column, ...
        QTest::addColumn<QStringList>("saved");  // the lines above 0 afterwards
        QTest::newRow("S 049 129") << QStringList{"S 049 129"}
                                   << QList<int>{N025Effects, A, 2, N025Effects, A, 9} << QStringList{"S 049 129"};
        QTest::newRow("S 050 064") << QStringList{"S 050 064"} << QList<int>{N025Effects, B, 3}
                                   << QStringList{"S 050 064"};
        QTest::newRow("S 051 007 and S 060 001 change nothing")
            << QStringList{"S 051 007", "S 060 001", "S 057 003"} << QList<int>{} << QStringList{};
        QTest::newRow("CV 55 and 56 as the T145") << QStringList{"S 055 035", "S 056 255"} << QList<int>{}
                                                  << QStringList{"S 055 035", "S 056 007"};
        QTest::newRow("S 055 009 does not end the read")
            << QStringList{"S 055 009", "S 058 128"} << QList<int>{N025Keys, B, 8} << QStringList{"S 055 009", "S 058 128"};
    }
    void readBack() {
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, ticked);
        QFETCH(QStringList, saved);
        MappingModel m(kuehnN025Table());
        m.readBack(lines);
        QList<int> got;
        for (int g : {int(N025Effects), int(N025Keys)}) {
            for (int r = 0; r < m.grid(g).rows; ++r) {
                for (int c = 0; c < m.grid(g).cols; ++c) {
                    if (m.isTicked({g, r, c}))
                        got << g << r << c;
                }
            }
        }
        QCOMPARE(got, ticked);
        QCOMPARE(m.saveLines(true), saved);
    }

    void lists() {
        MappingModel m(kuehnN025Table());
        QCOMPARE(m.saveLines(false), (QStringList{"S 049 000", "S 050 000", "S 055 000", "S 056 000", "S 058 000"}));
        QCOMPARE(m.saveLines(true), QStringList());
        QCOMPARE(m.readListLines(), (QStringList{"L 049", "L 050", "L 055", "L 056", "L 058"}));
        m.setTick(key(B, 1), true);
        m.setTick(effect(A, 9), true);
        m.setNumber({N025Rates, 0, 0}, 2);
        QCOMPARE(m.clipboardLines(true), (QStringList{"S 049 001", "S 055 020", "S 058 001"}));
        m.clear();
        QCOMPARE(m.saveLines(true), QStringList());
        QVERIFY(!m.isTicked(key(B, 1)));
    }

    void typedTextReachesNoCell() {
        QCOMPARE(typedCells(MappingModel(kuehnN025Table())), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestKuehnN025)
#include "tst_kuehn_n025.moc"
