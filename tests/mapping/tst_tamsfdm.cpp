// The Tams FD-M editor: outputs AUX 1..AUX 5 under the keys (CV 33..46), the four settings
// of AUX 1..AUX 4 (CV 49..64) with their bars in the cells, the read-back that takes every
// value, 0 included, lists, Delete and factory settings; and the window as the main menu
// opens it, with the current row followed between grdFM and grdFE.
#include "EditorRig.h"
#include "MappingTestKit.h"
#include "TestFiles.h"
#include "mapping/core/MakerTables.h"

#include <QScrollBar>
#include <QTest>

using namespace mapping;
using namespace mappingtest;

namespace {
enum SettingColumn { DimValue = 3, Direction = 4, DirectionValue = 6, CouplerValue = 9, BlinkValue = 12 };

CellRef tick(int row, int col) {
    return {FdmTicks, row, col};
}
CellRef setting(int row, int col) {
    return {FdmSettings, row, col};
}
// CV 49, 53, 57, 61 of AUX 1, then of AUX 2 ...
QList<int> settingCvs() {
    QList<int> cvs;
    for (int r = 0; r < 4; ++r)
        cvs << 49 + r << 53 + r << 57 + r << 61 + r;
    return cvs;
}
}  // namespace

class TestTamsFdm : public QObject {
    Q_OBJECT

private slots:
    void ticks_data() {
        QTest::addColumn<QList<int>>("cells");  // row, column, ...
        QTest::addColumn<int>("cv");
        QTest::addColumn<int>("value");
        QTest::newRow("AUX 3 under F0 V") << QList<int>{2, 1} << 33 << 4;
        QTest::newRow("AUX 5 under F12") << QList<int>{4, 14} << 46 << 16;
        QTest::newRow("AUX 1 and AUX 5 under F0 R") << QList<int>{0, 2, 4, 2} << 34 << 17;
    }
    void ticks() {
        QFETCH(QList<int>, cells);
        QFETCH(int, cv);
        QFETCH(int, value);
        MappingModel m(tamsFdmTable());
        for (int i = 0; i < cells.size(); i += 2)
            QVERIFY(m.setTick(tick(cells.at(i), cells.at(i + 1)), true));
        QCOMPARE(m.cvValue(cv), value);
        QCOMPARE(m.text({FdmValues, 1, cv - 32}), QString::number(value));
        QCOMPARE(m.columnColour(FdmTicks, cv - 32), Colour::Yellow);
    }

    void directionReplacesTheValue() {
        MappingModel m(tamsFdmTable());
        m.setNumber(setting(1, Direction), 16);
        QCOMPARE(m.text(setting(1, Direction)), QStringLiteral("Rangierlicht bei F3"));
        QCOMPARE(m.cvValue(54), 16);
        m.setNumber(setting(1, Direction), 2);
        QCOMPARE(m.cvValue(54), 2);
    }

    void readBackTakesEveryValue_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("cv");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("ticksKept");  // the AUX 2 tick under F1
        QTest::newRow("CV 35 = 0 clears the value, not the ticks") << "S 035 000" << 35 << 0 << true;
        QTest::newRow("CV 35 = 5 adds ticks") << "S 035 005" << 35 << 5 << true;
        QTest::newRow("CV 49 = 0") << "S 049 000" << 49 << 0 << true;
        QTest::newRow("CV 50 above the bar's range is kept") << "S 050 100" << 50 << 100 << true;
        QTest::newRow("CV 54 = 0") << "S 054 000" << 54 << 0 << true;
        QTest::newRow("CV 55 without an entry") << "S 055 003" << 55 << 3 << true;
        QTest::newRow("CV 58 = 0") << "S 058 000" << 58 << 0 << true;
        QTest::newRow("CV 64 = 0") << "S 064 000" << 64 << 0 << true;
        QTest::newRow("CV 47 changes nothing") << "S 047 001" << 35 << 2 << true;
    }
    void readBackTakesEveryValue() {
        QFETCH(QString, line);
        QFETCH(int, cv);
        QFETCH(int, value);
        QFETCH(bool, ticksKept);
        MappingModel m(tamsFdmTable());
        m.setTick(tick(1, 3), true);  // CV 35 = 2
        m.readBack({"S 049 010", "S 054 008", "S 058 100", "S 064 030"});
        m.readBack({line});
        QCOMPARE(m.cvValue(cv), value);
        QCOMPARE(m.isTicked(tick(1, 3)), ticksKept);
    }

    void lists() {
        MappingModel m(tamsFdmTable());
        QList<int> zeros(14, 0);
        QList<int> settings;
        for (int r = 0; r < 4; ++r)
            settings << 0 << 0 << 0 << 255;
        QCOMPARE(m.saveLines(false), writeLines(cvRange(33, 46), zeros) + writeLines(settingCvs(), settings));
        QCOMPARE(m.saveLines(false).size(), 30);
        QCOMPARE(m.saveLines(true), writeLines({61, 62, 63, 64}, {255, 255, 255, 255}));
        QCOMPARE(m.readListLines(), readLines(cvRange(39, 46) + cvRange(49, 64)));
        QCOMPARE(m.readListLines().size(), 24);
        QCOMPARE(typedCells(m), QStringList());
    }

    void deleteKeepsTheBlinkAt255() {
        MappingModel m(tamsFdmTable());
        m.readBack({"S 033 031", "S 046 001", "S 050 064", "S 055 032", "S 059 200", "S 062 010"});
        m.clear();
        QCOMPARE(m.saveLines(true), writeLines({61, 62, 63, 64}, {255, 255, 255, 255}));
        QVERIFY(!m.isTicked(tick(0, 1)));
        QCOMPARE(m.columnColour(FdmTicks, 1), Colour::FaceGrey);
    }

    // Factory settings tick through the common path: what is shown, marked and saved agrees.
    void factory_data() {
        QTest::addColumn<bool>("cleared");  // the delete question answered Yes
        QTest::addColumn<QList<int>>("keys");  // CV 33..36
        QTest::newRow("Yes") << true << QList<int>{1, 2, 4, 8};
        QTest::newRow("No keeps the other ticks") << false << QList<int>{17, 2, 4, 8};
    }
    void factory() {
        QFETCH(bool, cleared);
        QFETCH(QList<int>, keys);
        MappingModel m(tamsFdmTable());
        m.setTick(tick(4, 1), true);  // AUX 5 under F0 V
        m.setNumber(setting(2, Direction), 4);
        m.readBack({"S 059 077", "S 063 010", "S 050 020"});
        if (cleared)
            m.clear();
        m.applyFactory();
        QList<int> settings;
        for (int r = 0; r < 4; ++r) {
            const bool aux3 = r == 2;
            settings << 64 << (aux3 && !cleared ? 4 : 0) << (aux3 && !cleared ? 77 : 0) << 255;
        }
        QCOMPARE(m.saveLines(false), writeLines(cvRange(33, 36), keys) + writeLines(cvRange(37, 46), QList<int>(10, 0)) +
                                         writeLines(settingCvs(), settings));
        for (int r = 0; r < 4; ++r) {
            QVERIFY(m.isTicked(tick(r, r + 1)));
            QCOMPARE(m.columnColour(FdmTicks, r + 1), Colour::Yellow);
        }
        QCOMPARE(m.isTicked(tick(4, 1)), !cleared);
    }

    void window() {
        EditorRig rig;
        MappingEditor* e = rig.open(QStringLiteral("mnuFM_Tams_FDM"));
        QVERIFY(e);
        QCOMPARE(e->objectName(), QStringLiteral("frmFM_Tams_FDM"));
        QCOMPARE(e->windowTitle(), QStringLiteral(" Function Mapping Tams FD-M"));
        QCOMPARE(rig.ctx.HelpPage, QStringLiteral("Zelvo_FM_TAMS_FDM.htm"));
        QVERIFY(!rig.notifier.busy);
        QCOMPARE(e->action(QStringLiteral("mnuExtras_Einlesedatei"))->text(), QStringLiteral("Einlesedatei erzeugen"));
        QCOMPARE(e->action(QStringLiteral("mnuExtras_Default"))->text(), QStringLiteral("Werkseinstellung"));
        MappingGrid* fm = e->grid(QStringLiteral("grdFM"));
        MappingGrid* cv = e->grid(QStringLiteral("grdCV"));
        MappingGrid* fe = e->grid(QStringLiteral("grdFE"));
        QVERIFY(fm && cv && fe);

        clickCell(fm, 2, 1);
        QCOMPARE(shown(cv, 1, 1), QStringLiteral("4"));
        QCOMPARE(background(fm, 0, 1), yellow);
        // The current row follows from grdFM into grdFE, highlighted; AUX 5 has no settings.
        QCOMPARE(fe->currentIndex().row(), 2);
        QCOMPARE(fe->selectionModel()->selectedRows().value(0).row(), 2);
        clickCell(fm, 4, 14);
        QCOMPARE(shown(cv, 1, 14), QStringLiteral("16"));
        QVERIFY(!fe->selectionModel()->hasSelection());
        clickCell(fe, 1, 0);
        QCOMPARE(fm->currentIndex().row(), 1);
        QCOMPARE(fe->selectionModel()->selectedRows().value(0).row(), 1);
        // A bar moved makes its row current in both grids.
        QScrollBar* blink = e->slider(QStringLiteral("scrBlink_3"));
        QVERIFY(blink);
        QCOMPARE(blink->value(), 255);
        blink->setValue(100);
        QCOMPARE(fe->currentIndex().row(), 2);
        QCOMPARE(fm->currentIndex().row(), 2);
        QCOMPARE(shown(fe, 2, BlinkValue), QStringLiteral("100"));
        chooseInCell(fe, 1, Direction, QStringLiteral("Rangierlicht bei F3"));
        QCOMPARE(shown(fe, 1, DirectionValue), QStringLiteral("16"));
        QCOMPARE(fm->currentIndex().row(), 1);
        e->slider(QStringLiteral("scrKupplung_4"))->setValue(200);
        QCOMPARE(e->slider(QStringLiteral("scrDim_1"))->maximum(), 64);
        e->slider(QStringLiteral("scrDim_1"))->setValue(30);
        QCOMPARE(shown(fe, 0, DimValue), QStringLiteral("30"));

        // Typed keys reach no value cell; Space ticks in grdFM.
        fe->setCurrentIndex(fe->cellIndex(0, DimValue));
        QTest::keyClicks(fe, QStringLiteral("5"));
        QCOMPARE(shown(fe, 0, DimValue), QStringLiteral("30"));
        fm->setCurrentIndex(fm->cellIndex(0, 3));
        QTest::keyClick(fm, Qt::Key_Space);
        QCOMPARE(shown(cv, 1, 3), QStringLiteral("1"));

        // Saved and read back into a fresh window.
        rig.notifier.expectMessages = true;
        const QString path = rig.path("fdm.txt");
        rig.answers = {path};
        e->action(QStringLiteral("mnuDatei_speichern_0"))->trigger();
        const QStringList saved = e->model().saveLines(false);
        QCOMPARE(saved.size(), 30);
        e->close();
        MainWindowRig::flushDeletes();
        MappingEditor* fresh = rig.open(QStringLiteral("mnuFM_Tams_FDM"));
        rig.answers = {path};
        fresh->action(QStringLiteral("mnuDatei_einlesen"))->trigger();
        QCOMPARE(fresh->model().saveLines(false), saved);
        QCOMPARE(fresh->slider(QStringLiteral("scrBlink_3"))->value(), 100);
        QCOMPARE(fresh->slider(QStringLiteral("scrKupplung_4"))->value(), 200);
        QCOMPARE(shown(fresh->grid(QStringLiteral("grdFE")), 1, Direction), QStringLiteral("Rangierlicht bei F3"));
        fresh->model().readBack({"S 049 100"});
        QCOMPARE(fresh->slider(QStringLiteral("scrDim_1"))->value(), 64);
        QCOMPARE(shown(fresh->grid(QStringLiteral("grdFE")), 0, DimValue), QStringLiteral("100"));

        // Factory settings answered Yes.
        rig.notifier.answer = Notifier::Yes;
        fresh->action(QStringLiteral("mnuExtras_Default"))->trigger();
        QCOMPARE(rig.notifier.messages.last().title, QStringLiteral(" aktuelles Mapping löschen..."));
        QStringList factory = writeLines(cvRange(33, 36), {1, 2, 4, 8});
        for (int r = 0; r < 4; ++r)
            factory += writeLines({49 + r, 61 + r}, {64, 255});
        QCOMPARE(fresh->model().saveLines(true), factory);
        QCOMPARE(fresh->slider(QStringLiteral("scrDim_4"))->value(), 64);
        QCOMPARE(background(fresh->grid(QStringLiteral("grdFM")), 4, 4), yellow);
    }
};

QTEST_MAIN(TestTamsFdm)
#include "tst_tamsfdm.moc"
