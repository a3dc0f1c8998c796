// The Kühn T145 / Viessmann 5246 editor's table on the engine: one CV per output row
// (condition + effect, key ticks), CV 55 from effect cycle and dim rate, the three bits of
// CV 56, read-back and the lists.
#include "MappingTestKit.h"
#include "mapping/core/MakerTables.h"
#include "mapping/core/MappingModel.h"

#include <QTest>

using namespace mapping;
using namespace mappingtest;

namespace {
enum Column { Condition = 2, Effect = 3, Value = 5, F1 = 6, KeyCv = 14, KeyValue = 15 };
enum Row { A = 0, B, C, D };
CellRef fa(int row, int col) {
    return {T145Ticks, row, col};
}
const CellRef cycle{T145Rates, 0, 0};
const CellRef rate{T145Rates, 0, 1};
CellRef bit(int b) {
    return {T145Panel, 0, b};
}
}  // namespace

class TestKuehnT145 : public QObject {
    Q_OBJECT

private slots:
    void keyTicks_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("cv");  // 0: row A, no CV
        QTest::addColumn<int>("value");
        QTest::newRow("F1 + F4 in row C") << int(C) << QList<int>{1, 4} << 59 << 9;
        QTest::newRow("F8 in row B") << int(B) << QList<int>{8} << 58 << 128;
        QTest::newRow("F1..F8 in row D") << int(D) << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 60 << 255;
        QTest::newRow("F1 + F4 in row A count nowhere") << int(A) << QList<int>{1, 4} << 0 << 0;
    }
    void keyTicks() {
        QFETCH(int, row);
        QFETCH(QList<int>, keys);
        QFETCH(int, cv);
        QFETCH(int, value);
        MappingModel m(kuehnT145Table());
        for (int k : keys)
            QVERIFY(m.setTick(fa(row, F1 + k - 1), true));
        if (cv) {
            QCOMPARE(m.cvValue(cv), value);
            QCOMPARE(m.text(fa(row, KeyCv)), QString::number(cv));
            QCOMPARE(m.text(fa(row, KeyValue)), QString::number(value));
        }
        QCOMPARE(m.saveLines(true), cv ? writeLines({cv}, {value}) : QStringList());
        // A key column is yellow while any output has a tick in it.
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(m.columnColour(T145Ticks, F1 + k - 1), keys.contains(k) ? Colour::Yellow : Colour::FaceGrey);
        QCOMPARE(m.cellColour(fa(row, F1 + keys.first() - 1)), Colour::Yellow);
        QCOMPARE(m.text(fa(A, KeyCv)), QStringLiteral("---"));
        QCOMPARE(m.text(fa(A, KeyValue)), QStringLiteral("---"));
    }

    void configuration_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("condition");
        QTest::addColumn<int>("effect");
        QTest::addColumn<QStringList>("shown");  // condition, effect, value
        QTest::newRow("aus wenn vorwärts + Blitzlicht on B")
            << int(B) << 64 << 2 << QStringList{"aus wenn vorwärts", "Blitzlicht", "66"};
        QTest::newRow("dimmen wenn F3 ein + Kupplungsmode on D")
            << int(D) << 128 << 12 << QStringList{"dimmen wenn F3 ein", "Kupplungsmode", "140"};
        QTest::newRow("aus wenn rückwärts on A") << int(A) << 32 << 0 << QStringList{"aus wenn rückwärts", "ein / aus", "32"};
        QTest::newRow("pulierendes Licht on C") << int(C) << 0 << 1 << QStringList{"keine Bedingung", "pulierendes Licht", "1"};
    }
    void configuration() {
        QFETCH(int, row);
        QFETCH(int, condition);
        QFETCH(int, effect);
        QFETCH(QStringList, shown);
        MappingModel m(kuehnT145Table());
        m.setNumber(fa(row, Condition), condition);
        m.setNumber(fa(row, Effect), effect);
        QCOMPARE((QStringList{m.text(fa(row, Condition)), m.text(fa(row, Effect)), m.text(fa(row, Value))}), shown);
        QCOMPARE(m.cvValue(49 + row), shown.last().toInt());
        QCOMPARE(m.text(fa(row, 4)), QString::number(49 + row));
    }

    // An exact list entry of each part comes first; only a part that is none falls back to its
    // lowest bit, and a part of 0 leaves its cell.
    void configurationReadBack_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("shown");  // condition, effect, value of row A
        QTest::newRow("Kupplungsmode") << "S 049 012" << QStringList{"aus wenn vorwärts", "Kupplungsmode", "12"};
        QTest::newRow("160: lowest condition bit, effect left")
            << "S 049 160" << QStringList{"aus wenn rückwärts", "Blitzlicht", "160"};
        QTest::newRow("66") << "S 049 066" << QStringList{"aus wenn vorwärts", "Blitzlicht", "66"};
        QTest::newRow("3: lowest effect bit") << "S 049 003" << QStringList{"aus wenn vorwärts", "pulierendes Licht", "3"};
        QTest::newRow("dimmen wenn F3 ein + Dimmen") << "S 049 144" << QStringList{"dimmen wenn F3 ein", "Dimmen", "144"};
        QTest::newRow("0 changes nothing") << "S 049 000" << QStringList{"aus wenn vorwärts", "Blitzlicht", "66"};
    }
    void configurationReadBack() {
        QFETCH(QString, line);
        QFETCH(QStringList, shown);
        MappingModel m(kuehnT145Table());
        m.setNumber(fa(A, Condition), 64);
        m.setNumber(fa(A, Effect), 2);
        m.readBack({line});
        QCOMPARE((QStringList{m.text(fa(A, Condition)), m.text(fa(A, Effect)), m.text(fa(A, Value))}), shown);
        QCOMPARE(m.cvValue(49), shown.last().toInt());
    }

    void cycleAndRate_data() {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("value");
        QTest::newRow("3 and 5") << 3 << 5 << 35;
        QTest::newRow("9 and 7") << 9 << 7 << 97;
        QTest::newRow("0 and 7") << 0 << 7 << 7;
    }
    void cycleAndRate() {
        QFETCH(int, cycle);
        QFETCH(int, rate);
        QFETCH(int, value);
        MappingModel m(kuehnT145Table());
        m.setNumber(::cycle, cycle);
        m.setNumber(::rate, rate);
        QCOMPARE(m.cvValue(55), value);
        QCOMPARE(m.text({T145Rates, 0, 2}), QStringLiteral("55"));
        QCOMPARE(m.text({T145Rates, 0, 3}), QString::number(value));
    }

    // A CV 55 that does not split into cycle 0..9 and rate 0..7 keeps its value, sets only
    // the part that is in range, and the rest of the list is read.
    void cycleAndRateReadBack_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QList<int>>("shown");  // cycle, rate, value
        QTest::newRow("S 055 007") << "S 055 007" << QList<int>{0, 7, 7};
        QTest::newRow("S 055 035") << "S 055 035" << QList<int>{3, 5, 35};
        QTest::newRow("S 055 009: rate out of range") << "S 055 009" << QList<int>{0, 2, 9};
        QTest::newRow("S 055 098: rate out of range") << "S 055 098" << QList<int>{9, 2, 98};
        QTest::newRow("S 055 103: cycle out of range") << "S 055 103" << QList<int>{4, 3, 103};
        QTest::newRow("S 055 199: neither in range") << "S 055 199" << QList<int>{4, 2, 199};
    }
    void cycleAndRateReadBack() {
        QFETCH(QString, line);
        QFETCH(QList<int>, shown);
        MappingModel m(kuehnT145Table());
        m.setNumber(cycle, 4);
        m.setNumber(rate, 2);
        m.readBack({line, "S 050 066", "S 056 001"});
        QCOMPARE((QList<int>{m.number(cycle), m.number(rate), m.cvValue(55)}), shown);
        QCOMPARE(m.cvValue(50), 66);
        QCOMPARE(m.cvValue(56), 1);
    }

    void optionBits_data() {
        QTest::addColumn<QList<int>>("bits");
        QTest::addColumn<int>("value");
        QTest::newRow("first and third") << QList<int>{0, 2} << 5;
        QTest::newRow("first again") << QList<int>{0, 2, 0} << 4;
        QTest::newRow("all three") << QList<int>{0, 1, 2} << 7;
    }
    void optionBits() {
        QFETCH(QList<int>, bits);
        QFETCH(int, value);
        MappingModel m(kuehnT145Table());
        for (int b : bits)
            m.setTick(bit(b), !m.isTicked(bit(b)));
        QCOMPARE(m.cvValue(56), value);
        QCOMPARE(m.saveLines(true), writeLines({56}, {value}));
    }

    void optionBitsReadBack_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("value");
        QTest::newRow("S 056 005") << "S 056 005" << 5;
        QTest::newRow("bits 3..7 are ignored") << "S 056 255" << 7;
        QTest::newRow("bit 3 alone") << "S 056 008" << 0;
    }
    void optionBitsReadBack() {
        QFETCH(QString, line);
        QFETCH(int, value);
        MappingModel m(kuehnT145Table());
        m.setTick(bit(1), true);
        m.readBack({line});
        QCOMPARE(m.cvValue(56), value);
        for (int b = 0; b < 8; ++b)
            QCOMPARE(m.isTicked(bit(b)), (value & (1 << b)) != 0);
    }

    void keysReadBack() {
        MappingModel m(kuehnT145Table());
        m.setTick(fa(C, F1 + 7), true);
        m.readBack({"S 059 009", "S 058 000", "S 057 255", "S 061 001"});
        QVERIFY(m.isTicked(fa(C, F1)));
        QVERIFY(m.isTicked(fa(C, F1 + 3)));
        QVERIFY(m.isTicked(fa(C, F1 + 7)));  // a read merges
        QCOMPARE(m.cvValue(59), 9);
        QCOMPARE(m.cvValue(58), 0);
        for (int k = 0; k < 8; ++k)
            QVERIFY(!m.isTicked(fa(A, F1 + k)));
        QCOMPARE(m.saveLines(true), QStringList{QStringLiteral("S 059 009")});
    }

    void lists() {
        MappingModel m(kuehnT145Table());
        QCOMPARE(m.saveLines(false), (QStringList{"S 049 000", "S 050 000", "S 051 000", "S 052 000", "S 058 000",
                                                  "S 059 000", "S 060 000", "S 055 000", "S 056 000"}));
        QCOMPARE(m.saveLines(true), QStringList());
        QCOMPARE(m.readListLines(), (QStringList{"L 049", "L 050", "L 051", "L 052", "L 055", "L 056", "L 058", "L 059",
                                                 "L 060"}));
        m.setNumber(fa(B, Effect), 16);
        m.setTick(fa(D, F1 + 1), true);
        m.setNumber(rate, 3);
        m.setTick(bit(2), true);
        QCOMPARE(m.saveLines(true), (QStringList{"S 050 016", "S 060 002", "S 055 003", "S 056 004"}));
        QCOMPARE(m.clipboardLines(true), m.saveLines(true));
    }

    void clear() {
        MappingModel m(kuehnT145Table());
        m.readBack({"S 049 160", "S 058 255", "S 055 097", "S 056 007"});
        m.setTick(fa(A, F1), true);
        m.clear();
        QCOMPARE(m.saveLines(true), QStringList());
        QCOMPARE(m.text(fa(A, Condition)), QStringLiteral("keine Bedingung"));
        QCOMPARE(m.number(cycle), 0);
        QCOMPARE(m.number(rate), 0);
        QVERIFY(!m.isTicked(fa(A, F1)));
        QCOMPARE(m.text(fa(A, KeyValue)), QStringLiteral("---"));
        QCOMPARE(m.columnColour(T145Ticks, F1), Colour::FaceGrey);
    }

    // No cell takes typed text: the lists are picked, the values computed.
    void typedTextReachesNoCell() {
        QCOMPARE(typedCells(MappingModel(kuehnT145Table())), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestKuehnT145)
#include "tst_kuehn_t145.moc"
