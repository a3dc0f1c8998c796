// The Uhlenbrock 76400 editor's table on the engine: CV 33..40 from the ticks, CV 49 bit by
// bit, CV 50 typed or read back, the lists, Delete and the factory settings.
#include "mapping/core/MakerTables.h"
#include "mapping/core/MappingModel.h"

#include <QTest>

using namespace mapping;

namespace {
constexpr int firstTick = 2;
const CellRef cv50Cell{Uhlenbrock50, 0, 2};

CellRef tick(int row, int col) {
    return {UhlenbrockTicks, row, col};
}
CellRef bit49(int bit) {
    return {UhlenbrockCv49, 0, bit};
}
}  // namespace

class TestUhlenbrock : public QObject {
    Q_OBJECT

private slots:
    void ticks_data() {
        QTest::addColumn<QList<int>>("cells");  // row, column, ...
        QTest::addColumn<int>("cv");
        QTest::addColumn<int>("value");
        QTest::newRow("Licht vorne on F0 V") << QList<int>{0, 2} << 33 << 1;
        QTest::newRow("row 5 under F6") << QList<int>{5, 9} << 40 << 32;
        QTest::newRow("rows 1 and 4 under F2") << QList<int>{1, 5, 4, 5} << 36 << 18;
        QTest::newRow("every row under F0 R") << QList<int>{0, 3, 1, 3, 2, 3, 3, 3, 4, 3, 5, 3} << 34 << 63;
    }
    void ticks() {
        QFETCH(QList<int>, cells);
        QFETCH(int, cv);
        QFETCH(int, value);
        MappingModel m(uhlenbrockTable());
        for (int i = 0; i + 1 < cells.size(); i += 2)
            QVERIFY(m.setTick(tick(cells[i], cells[i + 1]), true));
        QCOMPARE(m.cvValue(cv), value);
        QCOMPARE(m.text({UhlenbrockValues, 0, cv - 32}), QString::number(cv));
        QCOMPARE(m.text({UhlenbrockValues, 1, cv - 32}), QString::number(value));
        QCOMPARE(m.columnColour(UhlenbrockTicks, cv - 31), Colour::Yellow);
        QCOMPARE(m.columnColour(UhlenbrockTicks, cv == 33 ? 3 : 2), Colour::FaceGrey);
    }

    void cv49Bits_data() {
        QTest::addColumn<QList<int>>("bits");
        QTest::addColumn<int>("value");
        QTest::newRow("bits 3 and 4") << QList<int>{3, 4} << 24;
        QTest::newRow("bit 0 twice") << QList<int>{0, 0} << 0;
        QTest::newRow("bits 3, 4, 3") << QList<int>{3, 4, 3} << 16;
        QTest::newRow("all") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << 255;
    }
    void cv49Bits() {
        QFETCH(QList<int>, bits);
        QFETCH(int, value);
        MappingModel m(uhlenbrockTable());
        for (int b : bits)
            m.setTick(bit49(b), !m.isTicked(bit49(b)));
        QCOMPARE(m.cvValue(49), value);
        QCOMPARE(m.saveLines(false).at(8), QStringLiteral("S 049 %1").arg(value, 3, 10, QLatin1Char('0')));
    }

    void readBack_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("cv49Bits");  // bit 7 first
        QTest::addColumn<int>("cv50");
        QTest::addColumn<QList<int>>("ticks");  // row, column, ...
        QTest::newRow("S 049 024") << QStringList{"S 049 024"} << "00011000" << 32 << QList<int>{};
        QTest::newRow("S 049 000 leaves the bits") << QStringList{"S 049 024", "S 049 000"} << "00011000" << 32
                                                   << QList<int>{};
        QTest::newRow("S 050 020") << QStringList{"S 050 020"} << "00000000" << 20 << QList<int>{};
        // A saved 0 comes back as 0, not as the start value 32; above the bar's range it is kept.
        QTest::newRow("S 050 000") << QStringList{"S 050 000"} << "00000000" << 0 << QList<int>{};
        QTest::newRow("S 050 100") << QStringList{"S 050 100"} << "00000000" << 100 << QList<int>{};
        // Bits 6 and 7 of a key CV have no row.
        QTest::newRow("S 040 224") << QStringList{"S 040 224"} << "00000000" << 32 << QList<int>{5, 9};
        QTest::newRow("S 033 003") << QStringList{"S 033 003"} << "00000000" << 32 << QList<int>{0, 2, 1, 2};
        QTest::newRow("S 041 255 changes nothing") << QStringList{"S 041 255"} << "00000000" << 32 << QList<int>{};
        QTest::newRow("S 051 255 changes nothing") << QStringList{"S 051 255"} << "00000000" << 32 << QList<int>{};
    }
    void readBack() {
        QFETCH(QStringList, lines);
        QFETCH(QString, cv49Bits);
        QFETCH(int, cv50);
        QFETCH(QList<int>, ticks);
        MappingModel m(uhlenbrockTable());
        m.readBack(lines);
        QString bits;
        for (int b = 7; b >= 0; --b)
            bits += m.isTicked(bit49(b)) ? u'1' : u'0';
        QCOMPARE(bits, cv49Bits);
        QCOMPARE(m.cvValue(49), cv49Bits.toInt(nullptr, 2));
        QCOMPARE(m.number(cv50Cell), cv50);
        QList<int> got;
        for (int c = firstTick; c < firstTick + 8; ++c) {
            for (int r = 0; r < 6; ++r) {
                if (m.isTicked(tick(r, c)))
                    got << r << c;
            }
        }
        QCOMPARE(got, ticks);
    }

    void typedCv50() {
        MappingModel m(uhlenbrockTable());
        QVERIFY(m.isTyped(cv50Cell));
        QVERIFY(!m.isTyped({Uhlenbrock50, 0, 0}));
        QVERIFY(!m.isTyped({Uhlenbrock50, 0, 1}));
        QVERIFY(!m.isTyped({UhlenbrockValues, 1, 1}));
        QVERIFY(m.setText(cv50Cell, QStringLiteral("255")));
        QCOMPARE(m.cvValue(50), 255);
        for (const char* bad : {"256", "-1", "12a", ""})
            QVERIFY2(!m.setText(cv50Cell, QString::fromLatin1(bad)), bad);
        QCOMPARE(m.cvValue(50), 255);
        QVERIFY(m.setText(cv50Cell, QStringLiteral("0")));
        QCOMPARE(m.saveLines(false).last(), QStringLiteral("S 050 000"));
    }

    void lists() {
        MappingModel m(uhlenbrockTable());
        QCOMPARE(m.saveLines(false), (QStringList{"S 033 000", "S 034 000", "S 035 000", "S 036 000", "S 037 000",
                                                  "S 038 000", "S 039 000", "S 040 000", "S 049 000", "S 050 032"}));
        QCOMPARE(m.saveLines(true), QStringList{"S 050 032"});
        QCOMPARE(m.readListLines(),
                 (QStringList{"L 033", "L 034", "L 035", "L 036", "L 037", "L 038", "L 039", "L 040"}));
        // The clipboard carries CV 33..40 only.
        m.setTick(tick(0, 2), true);
        m.setTick(bit49(3), true);
        QCOMPARE(m.clipboardLines(true), QStringList{"S 033 001"});
        QCOMPARE(m.clipboardLines(false).size(), 8);
        QCOMPARE(m.saveLines(true), (QStringList{"S 033 001", "S 049 008", "S 050 032"}));
    }

    void factoryThenOnlyAboveZero_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<bool>("clearedFirst");  // the delete question answered Yes
        QTest::addColumn<QStringList>("saved");
        const QStringList factory{"S 033 001", "S 034 002", "S 035 004", "S 036 008", "S 037 016", "S 038 032",
                                  "S 050 032"};
        QTest::newRow("Yes") << QStringList{"S 040 003", "S 049 024", "S 050 010"} << true << factory;
        QTest::newRow("No adds the ticks, CV 49 and 50 set all the same")
            << QStringList{"S 040 003", "S 033 002", "S 049 024", "S 050 010"} << false
            << QStringList{"S 033 003", "S 034 002", "S 035 004", "S 036 008", "S 037 016", "S 038 032", "S 040 003",
                           "S 050 032"};
    }
    void factoryThenOnlyAboveZero() {
        QFETCH(QStringList, before);
        QFETCH(bool, clearedFirst);
        QFETCH(QStringList, saved);
        MappingModel m(uhlenbrockTable());
        QVERIFY(m.hasFactory());
        m.readBack(before);
        if (clearedFirst)
            m.clear();
        m.applyFactory();
        QCOMPARE(m.saveLines(true), saved);
        for (int r = 0; r < 6; ++r) {
            QVERIFY(m.isTicked(tick(r, firstTick + r)));
            QCOMPARE(m.columnColour(UhlenbrockTicks, firstTick + r), Colour::Yellow);
        }
        for (int b = 0; b < 8; ++b)
            QVERIFY(!m.isTicked(bit49(b)));
    }

    void clearRestoresTheStart() {
        MappingModel m(uhlenbrockTable());
        m.readBack({"S 035 063", "S 049 255", "S 050 000"});
        m.clear();
        QCOMPARE(m.saveLines(false), MappingModel(uhlenbrockTable()).saveLines(false));
        QCOMPARE(m.columnColour(UhlenbrockTicks, 4), Colour::FaceGrey);
        QVERIFY(!m.isTicked(tick(5, 4)));
    }
};

QTEST_GUILESS_MAIN(TestUhlenbrock)
#include "tst_uhlenbrock.moc"
