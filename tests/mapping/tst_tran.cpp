// The Tran DCX editor: key, "Dimmen" and "Kupplung" columns (CV 33..42, 57, 58), the effect
// of each output (CV 154..161), the seven settings with their bars and the switching time in
// seconds, read-back, lists and Delete; and the window as the main menu opens it.
#include "EditorRig.h"
#include "MappingTestKit.h"
#include "TestFiles.h"
#include "mapping/core/MakerTables.h"

#include <QMenu>
#include <QScrollBar>
#include <QTest>

using namespace mapping;
using namespace mappingtest;

namespace {
enum Column { EffectChoice = 13, EffectValue = 15 };
enum SettingColumn { Value = 3, Unit = 4 };

// What "nur CVs > 0" saves of the settings as they start.
const QStringList startSettings{"S 054 100", "S 055 032", "S 056 060"};

CellRef tick(int row, int col) {
    return {TranTicks, row, col};
}
CellRef setting(int row, int col) {
    return {TranSettings, row, col};
}
}  // namespace

class TestTran : public QObject {
    Q_OBJECT

private slots:
    void ticks_data() {
        QTest::addColumn<QList<int>>("cells");  // row, column, ...
        QTest::addColumn<int>("cv");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("valueCol");  // its column in grdCV
        QTest::newRow("F0 and F2 under F0 V") << QList<int>{0, 1, 2, 1} << 33 << 5 << 1;
        QTest::newRow("F7 under F0 R") << QList<int>{7, 2} << 34 << 128 << 2;
        QTest::newRow("F1 under F8") << QList<int>{1, 10} << 42 << 2 << 10;
        QTest::newRow("F0 under Dimmen") << QList<int>{0, 11} << 57 << 1 << 11;
        QTest::newRow("F7 under Kupplung") << QList<int>{7, 12} << 58 << 128 << 12;
    }
    void ticks() {
        QFETCH(QList<int>, cells);
        QFETCH(int, cv);
        QFETCH(int, value);
        QFETCH(int, valueCol);
        MappingModel m(tranTable());
        for (int i = 0; i < cells.size(); i += 2)
            QVERIFY(m.setTick(tick(cells.at(i), cells.at(i + 1)), true));
        QCOMPARE(m.cvValue(cv), value);
        QCOMPARE(m.text({TranValues, 0, valueCol}), QString::number(cv));
        QCOMPARE(m.text({TranValues, 1, valueCol}), QString::number(value));
        QCOMPARE(m.columnColour(TranTicks, cells.at(1)), Colour::Yellow);
        QCOMPARE(m.saveLines(true), writeLines({cv}, {value}) + startSettings);
    }

    void effectReplacesTheValue() {
        MappingModel m(tranTable());
        m.setNumber(tick(3, EffectChoice), 10);
        QCOMPARE(m.text(tick(3, EffectChoice)), QStringLiteral("Mars Light"));
        QCOMPARE(m.cvValue(157), 10);
        m.setNumber(tick(3, EffectChoice), 3);
        QCOMPARE(m.text(tick(3, EffectChoice)), QStringLiteral("Strobe"));
        QCOMPARE(m.saveLines(true), QStringList{QStringLiteral("S 157 003")} + startSettings);
    }

    void switchingTimeInSeconds_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("unit");
        QTest::newRow("start") << 60 << "3,00 Sec.";
        QTest::newRow("bar at its end") << 255 << "12,75 Sec.";
        QTest::newRow("one step") << 1 << "0,05 Sec.";
        QTest::newRow("0") << 0 << "0,00 Sec.";
    }
    void switchingTimeInSeconds() {
        QFETCH(int, value);
        QFETCH(QString, unit);
        // Whatever the machine's locale, the interface is German.
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::English));
        MappingModel m(tranTable());
        m.setNumber(setting(2, Value), value);
        QCOMPARE(m.text(setting(2, Unit)), unit);
        QCOMPARE(m.cvValue(56), value);
        QLocale::setDefault(before);
    }

    void readBack_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("cells");  // grid, row, col, text, ...
        QTest::newRow("CV 56 = 40") << QStringList{"S 056 040"} << QStringList{"2", "2", "3", "40", "2", "2", "4", "2,00 Sec."};
        QTest::newRow("CV 157 = 10") << QStringList{"S 157 010"} << QStringList{"0", "3", "13", "Mars Light", "0", "3", "15", "10"};
        QTest::newRow("an effect without an entry shows its number")
            << QStringList{"S 161 012"} << QStringList{"0", "7", "13", "12", "0", "7", "15", "12"};
        QTest::newRow("CV 154 = 0 leaves the effect") << QStringList{"S 154 000"} << QStringList{"0", "0", "13", "Strobe"};
        QTest::newRow("CV 54 = 150 is kept and the read goes on")
            << QStringList{"S 054 150", "S 114 020"} << QStringList{"2", "0", "3", "150", "2", "3", "3", "20"};
        QTest::newRow("a saved 0 of CV 54, 55, 56 comes back as 0")
            << QStringList{"S 054 000", "S 055 000", "S 056 000"}
            << QStringList{"2", "0", "3", "0", "2", "1", "3", "0", "2", "2", "3", "0", "2", "2", "4", "0,00 Sec."};
        QTest::newRow("CV 120 = 200") << QStringList{"S 120 200"} << QStringList{"2", "6", "3", "200"};
        QTest::newRow("CV 58 = 3 ticks F0 and F1 under Kupplung")
            << QStringList{"S 058 003"} << QStringList{"1", "1", "12", "3"};
        QTest::newRow("CV 33 = 0 changes nothing") << QStringList{"S 033 000"} << QStringList{"1", "1", "1", "4"};
        QTest::newRow("CV 59 changes nothing") << QStringList{"S 059 001"} << QStringList{"1", "1", "11", "0"};
    }
    void readBack() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, cells);
        MappingModel m(tranTable());
        m.setTick(tick(2, 1), true);
        m.setNumber(tick(0, EffectChoice), 3);
        m.readBack(lines);
        for (int i = 0; i < cells.size(); i += 4) {
            const CellRef c{cells.at(i).toInt(), cells.at(i + 1).toInt(), cells.at(i + 2).toInt()};
            QCOMPARE(m.text(c), cells.at(i + 3));
        }
        QVERIFY(m.isTicked(tick(2, 1)));
    }

    void lists() {
        MappingModel m(tranTable());
        const QStringList all = writeLines(cvRange(33, 42) + QList<int>{57, 58} + cvRange(154, 161), {}) +
                                writeLines({54, 55, 56, 114, 115, 119, 120}, {100, 32, 60});
        QCOMPARE(m.saveLines(false), all);
        QCOMPARE(m.clipboardLines(false), all);
        QCOMPARE(m.saveLines(true), startSettings);
        QCOMPARE(m.readListLines(), readLines(cvRange(33, 42) + cvRange(54, 58)));
        QCOMPARE(m.readListLines().size(), 15);
        QCOMPARE(typedCells(m), QStringList());
    }

    void deleteGoesBackToTheStartValues() {
        MappingModel m(tranTable());
        m.readBack({"S 033 255", "S 058 001", "S 155 005", "S 054 010", "S 056 200", "S 119 050"});
        m.clear();
        QCOMPARE(m.saveLines(true), startSettings);
        QCOMPARE(m.text(tick(1, EffectChoice)), QStringLiteral("ein / aus"));
        QCOMPARE(m.text(tick(1, EffectValue)), QStringLiteral("0"));
        QCOMPARE(m.text(setting(2, Unit)), QStringLiteral("3,00 Sec."));
        QVERIFY(!m.isTicked(tick(7, 1)));
        QCOMPARE(m.columnColour(TranTicks, 1), Colour::FaceGrey);
    }

    // A user's mapping with ticks, an effect chosen in the drop-down and bars moved in the
    // settings grid, saved and read back into a fresh window from the main menu.
    void window() {
        EditorRig rig;
        MappingEditor* e = rig.open(QStringLiteral("mnuFM_Tran"));
        QVERIFY(e);
        QCOMPARE(e->objectName(), QStringLiteral("frmFM_Tran"));
        QCOMPARE(e->windowTitle(), QStringLiteral(" Funktion Mapping Tran DCX..."));
        QCOMPARE(rig.ctx.HelpPage, QStringLiteral("Zelvo_FM_TRAN.htm"));
        QVERIFY(!rig.notifier.busy);
        QVERIFY(!e->action(QStringLiteral("mnuExtras_Default")));
        MappingGrid* fa = e->grid(QStringLiteral("grdFA"));
        MappingGrid* cv = e->grid(QStringLiteral("grdCV"));
        MappingGrid* set = e->grid(QStringLiteral("grd5456"));
        QVERIFY(fa && cv && set);
        QCOMPARE(fa->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("F0 V"));

        clickCell(fa, 0, 1);
        clickCell(fa, 2, 1);
        clickCell(fa, 7, 12);
        QCOMPARE(shown(cv, 1, 1), QStringLiteral("5"));
        QCOMPARE(shown(cv, 1, 12), QStringLiteral("128"));
        QCOMPARE(background(fa, 4, 12), yellow);
        chooseInCell(fa, 3, EffectChoice, QStringLiteral("Mars Light"));
        QCOMPARE(shown(fa, 3, EffectValue), QStringLiteral("10"));

        QScrollBar* time = e->slider(QStringLiteral("scrDim_2"));
        QVERIFY(time);
        QCOMPARE(time->value(), 60);
        QCOMPARE(time->maximum(), 255);
        QCOMPARE(time->pageStep(), 20);
        QCOMPARE(e->slider(QStringLiteral("scrDim_0"))->maximum(), 100);
        time->setValue(255);
        QCOMPARE(shown(set, 2, Unit), QStringLiteral("12,75 Sec."));
        QCOMPARE(shown(set, 2, Value), QStringLiteral("255"));
        QCOMPARE(set->currentIndex().row(), 2);
        e->slider(QStringLiteral("scrDim_5"))->setValue(40);
        QCOMPARE(set->currentIndex().row(), 5);

        // No typed text reaches a CV or value cell.
        set->setCurrentIndex(set->cellIndex(0, Value));
        QTest::keyClicks(set, QStringLiteral("7"));
        cv->setCurrentIndex(cv->cellIndex(1, 2));
        QTest::keyClicks(cv, QStringLiteral("7"));
        QCOMPARE(shown(set, 0, Value), QStringLiteral("100"));
        QCOMPARE(shown(cv, 1, 2), QStringLiteral("0"));

        // The File menu pops up over grdFA and grd5456, not over grdCV.
        clickCell(cv, 0, 1, Qt::RightButton);
        QVERIFY(!e->mnuDatei()->isVisible());
        clickCell(set, 0, 0, Qt::RightButton);
        QVERIFY(e->mnuDatei()->isVisible());
        e->mnuDatei()->close();

        rig.notifier.expectMessages = true;
        const QString path = rig.path("tran.txt");
        rig.answers = {path};
        e->action(QStringLiteral("mnuDatei_speichern_1"))->trigger();
        QCOMPARE(fileBytes(path), QByteArray("S 033 005\r\nS 058 128\r\nS 157 010\r\nS 054 100\r\nS 055 032\r\n"
                                             "S 056 255\r\nS 119 040\r\n"));
        const QStringList saved = e->model().saveLines(false);
        e->close();
        MainWindowRig::flushDeletes();

        MappingEditor* fresh = rig.open(QStringLiteral("mnuFM_Tran"));
        rig.answers = {path};
        fresh->action(QStringLiteral("mnuDatei_einlesen"))->trigger();
        QCOMPARE(fresh->model().saveLines(false), saved);
        QVERIFY(ticked(fresh->grid(QStringLiteral("grdFA")), 2, 1));
        QCOMPARE(fresh->slider(QStringLiteral("scrDim_2"))->value(), 255);
        QCOMPARE(fresh->slider(QStringLiteral("scrDim_5"))->value(), 40);
        QCOMPARE(shown(fresh->grid(QStringLiteral("grdFA")), 3, EffectChoice), QStringLiteral("Mars Light"));

        // Beyond a bar's range: the value is kept, the bar stands at its end.
        fresh->model().readBack({"S 054 150"});
        QCOMPARE(shown(fresh->grid(QStringLiteral("grd5456")), 0, Value), QStringLiteral("150"));
        QCOMPARE(fresh->slider(QStringLiteral("scrDim_0"))->value(), 100);

        rig.notifier.answer = Notifier::Yes;
        fresh->action(QStringLiteral("mnuDatei_Del"))->trigger();
        QCOMPARE(fresh->slider(QStringLiteral("scrDim_0"))->value(), 100);
        QCOMPARE(fresh->slider(QStringLiteral("scrDim_2"))->value(), 60);
        QCOMPARE(fresh->slider(QStringLiteral("scrDim_5"))->value(), 0);
        QCOMPARE(fresh->model().saveLines(true), startSettings);
    }
};

QTEST_MAIN(TestTran)
#include "tst_tran.moc"
