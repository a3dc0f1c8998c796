// The Zimo MX editor's table on the engine: its bit windows, the effect and direction of
// each output (CV 125..138), read-back, lists and factory settings.
#include "mapping/core/MakerTables.h"
#include "mapping/core/MappingModel.h"

#include <QTest>

using namespace mapping;

namespace {
CellRef cell(int row, int col) {
    return {ZimoTicks, row, col};
}
enum Column { Effect = 1, Direction = 2, Cv = 3, Value = 4 };
}  // namespace

class TestZimo : public QObject {
    Q_OBJECT

private slots:
    void windows_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("cv");
        QTest::addColumn<int>("value");
        QTest::newRow("row 0 under F0 V") << 0 << 5 << 33 << 1;
        QTest::newRow("row 7 under F2") << 7 << 8 << 36 << 128;
        QTest::newRow("row 8 under F2 counts nothing") << 8 << 8 << 36 << 0;
        QTest::newRow("row 3 under F3 is bit 0") << 3 << 9 << 37 << 1;
        QTest::newRow("row 2 under F3 counts nothing") << 2 << 9 << 37 << 0;
        QTest::newRow("row 10 under F6 is bit 7") << 10 << 12 << 40 << 128;
        QTest::newRow("row 6 under F7 is bit 0") << 6 << 13 << 41 << 1;
        QTest::newRow("row 5 under F7 counts nothing") << 5 << 13 << 41 << 0;
        QTest::newRow("row 13 under F12 is bit 7") << 13 << 18 << 46 << 128;
    }
    void windows() {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, cv);
        QFETCH(int, value);
        MappingModel m(zimoTable());
        QVERIFY(m.setTick(cell(row, col), true));
        QCOMPARE(m.cvValue(cv), value);
        // Tick column k stands over value column k - 4.
        QCOMPARE(m.text({ZimoValues, 0, col - 4}), QString::number(cv));
        QCOMPARE(m.text({ZimoValues, 1, col - 4}), QString::number(value));
        QCOMPARE(m.columnColour(ZimoTicks, col), value ? Colour::Yellow : Colour::FaceGrey);
    }

    void effectAndDirection_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("value");
        QTest::newRow("Strobe rückwärts in row 3") << 3 << 16 << 2 << 18;
        QTest::newRow("Gyralite vorwärts in row 0") << 0 << 28 << 1 << 29;
        QTest::newRow("langs. Aufdimmen immer in row 13") << 13 << 52 << 0 << 52;
    }
    void effectAndDirection() {
        QFETCH(int, row);
        QFETCH(int, effect);
        QFETCH(int, direction);
        QFETCH(int, value);
        MappingModel m(zimoTable());
        m.setNumber(cell(row, Effect), effect);
        m.setNumber(cell(row, Direction), direction);
        QCOMPARE(m.cvValue(125 + row), value);
        QCOMPARE(m.text(cell(row, Value)), QString::number(value));
        QCOMPARE(m.text(cell(row, Cv)), QString::number(125 + row));
        QVERIFY(m.saveLines(true).contains(QStringLiteral("S %1 %2").arg(125 + row).arg(value, 3, 10, QLatin1Char('0'))));
    }

    void listTexts() {
        MappingModel m(zimoTable());
        QCOMPARE(m.text(cell(0, Effect)), QStringLiteral("ein- / aus"));
        QCOMPARE(m.text(cell(0, Direction)), QStringLiteral("immer"));
        m.setNumber(cell(0, Effect), 48);
        m.setNumber(cell(0, Direction), 1);
        QCOMPARE(m.text(cell(0, Effect)), QStringLiteral("Kupplung lt. CV 115"));
        QCOMPARE(m.text(cell(0, Direction)), QStringLiteral("vorwärts"));
        QCOMPARE(m.column(ZimoTicks, Effect).list.size(), 14);
        QCOMPARE(m.column(ZimoTicks, Effect).caption, QStringLiteral("Funktion / Effekte"));
        QCOMPARE(m.column(ZimoTicks, Direction).caption, QStringLiteral("Richtung"));
    }

    void readBack_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("shown");  // effect, direction, value
        QTest::newRow("CV 126 = 30") << "S 126 030" << 1 << QStringList{"Gyralite", "rückwärts", "30"};
        QTest::newRow("CV 125 = 0 changes nothing") << "S 125 000" << 0 << QStringList{"Strobe", "vorwärts", "17"};
        QTest::newRow("CV 138 = 255") << "S 138 255" << 13 << QStringList{"252", "3", "255"};
        QTest::newRow("CV 139 changes nothing") << "S 139 016" << 0 << QStringList{"Strobe", "vorwärts", "17"};
    }
    void readBack() {
        QFETCH(QString, line);
        QFETCH(int, row);
        QFETCH(QStringList, shown);
        MappingModel m(zimoTable());
        m.setNumber(cell(0, Effect), 16);
        m.setNumber(cell(0, Direction), 1);
        m.readBack({line});
        QCOMPARE((QStringList{m.text(cell(row, Effect)), m.text(cell(row, Direction)), m.text(cell(row, Value))}), shown);
    }

    void readBackTicks() {
        MappingModel m(zimoTable());
        m.readBack({"S 037 005", "S 041 128"});
        QVERIFY(m.isTicked(cell(3, 9)));
        QVERIFY(m.isTicked(cell(5, 9)));
        QVERIFY(m.isTicked(cell(13, 13)));
        QCOMPARE(m.cvValue(37), 5);
        QCOMPARE(m.columnColour(ZimoTicks, 9), Colour::Yellow);
    }

    void lists() {
        MappingModel m(zimoTable());
        QCOMPARE(m.saveLines(false).size(), 28);
        QCOMPARE(m.saveLines(false).first(), QStringLiteral("S 033 000"));
        QCOMPARE(m.saveLines(false).at(14), QStringLiteral("S 125 000"));
        QCOMPARE(m.saveLines(false).last(), QStringLiteral("S 138 000"));
        QCOMPARE(m.saveLines(true), QStringList());
        QStringList readList;
        for (int cv = 33; cv <= 40; ++cv)
            readList.append(QStringLiteral("L %1").arg(cv, 3, 10, QLatin1Char('0')));
        for (int cv = 125; cv <= 138; ++cv)
            readList.append(QStringLiteral("L %1").arg(cv));
        QCOMPARE(m.readListLines(), readList);
        QCOMPARE(m.readListLines().size(), 22);
        // The clipboard carries the effect CVs too.
        m.setTick(cell(0, 5), true);
        m.setNumber(cell(2, Effect), 4);
        QCOMPARE(m.clipboardLines(true), (QStringList{"S 033 001", "S 127 004"}));
    }

    void clearAndFactory() {
        MappingModel m(zimoTable());
        m.setNumber(cell(4, Effect), 20);
        m.setNumber(cell(4, Direction), 2);
        m.setTick(cell(4, 5), true);
        m.clear();
        QCOMPARE(m.text(cell(4, Effect)), QStringLiteral("ein- / aus"));
        QCOMPARE(m.number(cell(4, Direction)), 0);
        QCOMPARE(m.number(cell(4, Value)), 0);
        QVERIFY(!m.isTicked(cell(4, 5)));
        m.applyFactory();
        QCOMPARE(m.saveLines(true),
                 (QStringList{"S 033 001", "S 034 002", "S 035 004", "S 036 008", "S 037 002", "S 038 004", "S 039 008",
                              "S 040 016", "S 041 004", "S 042 008", "S 043 016", "S 044 032", "S 045 064", "S 046 128"}));
    }
};

QTEST_GUILESS_MAIN(TestZimo)
#include "tst_zimo.moc"
