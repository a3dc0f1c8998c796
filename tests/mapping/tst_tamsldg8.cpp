// The Tams LD-G-8 editor: one grid, one row per output X1..X4 with its own key CVs (F0 as
// bit 4), brightness bar and effect; key columns marked by any tick; read-back, lists and
// Delete; and the window as the main menu opens it.
#include "EditorRig.h"
#include "MappingTestKit.h"
#include "TestFiles.h"
#include "mapping/core/MakerTables.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using namespace mapping;
using namespace mappingtest;

namespace {
enum Column { Name = 0, F1 = 1, F0 = 5, Keys1Value = 7, F5 = 8, F8 = 11, Keys2Value = 13, BrightnessValue = 16,
              Effect = 17, EffectValue = 19 };

CellRef cell(int row, int col) {
    return {Ldg8Ticks, row, col};
}
}  // namespace

class TestTamsLdg8 : public QObject {
    Q_OBJECT

private slots:
    void keys_data() {
        QTest::addColumn<QList<int>>("cells");  // row, column, ...
        QTest::addColumn<QStringList>("lines");  // "nur CVs > 0"
        QTest::newRow("F0 of X1 is bit 4") << QList<int>{0, F0} << QStringList{"S 057 016"};
        QTest::newRow("F1 of X1") << QList<int>{0, F1} << QStringList{"S 057 001"};
        QTest::newRow("F5 of X4") << QList<int>{3, F5} << QStringList{"S 039 001"};
        QTest::newRow("F8 of X2") << QList<int>{1, F8} << QStringList{"S 042 008"};
        QTest::newRow("X2 changes only its own CVs")
            << QList<int>{1, F1, 1, 4, 1, F0} << QStringList{"S 058 025"};
        QTest::newRow("X3 both groups") << QList<int>{2, 2, 2, 9} << QStringList{"S 056 002", "S 040 002"};
    }
    void keys() {
        QFETCH(QList<int>, cells);
        QFETCH(QStringList, lines);
        MappingModel m(tamsLdg8Table());
        for (int i = 0; i < cells.size(); i += 2)
            QVERIFY(m.setTick(cell(cells.at(i), cells.at(i + 1)), true));
        QCOMPARE(m.saveLines(true), lines);
    }

    void anyTickMarksTheColumn() {
        MappingModel m(tamsLdg8Table());
        QCOMPARE(m.columnColour(Ldg8Ticks, F0), Colour::FaceGrey);
        m.setTick(cell(1, F0), true);
        m.setTick(cell(3, F0), true);
        QCOMPARE(m.columnColour(Ldg8Ticks, F0), Colour::Yellow);
        m.setTick(cell(1, F0), false);
        QCOMPARE(m.columnColour(Ldg8Ticks, F0), Colour::Yellow);
        m.setTick(cell(3, F0), false);
        QCOMPARE(m.columnColour(Ldg8Ticks, F0), Colour::FaceGrey);
        QCOMPARE(m.columnColour(Ldg8Ticks, Keys1Value), Colour::None);
    }

    void effectReplacesTheValue() {
        MappingModel m(tamsLdg8Table());
        m.setNumber(cell(2, Effect), 128);
        QCOMPARE(m.text(cell(2, Effect)), QStringLiteral("blinken 1 Hz"));
        QCOMPARE(m.cvValue(61), 128);
        m.setNumber(cell(2, Effect), 16);
        QCOMPARE(m.cvValue(61), 16);
        QCOMPARE(m.text(cell(2, EffectValue)), QStringLiteral("16"));
    }

    void readBack_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("cells");  // row, col, text, ...
        QTest::newRow("CV 57 = 16 ticks F0 of X1") << QStringList{"S 057 016"} << QStringList{"0", "5", "1", "0", "7", "16"};
        QTest::newRow("CV 57 = 0 changes nothing") << QStringList{"S 057 000"} << QStringList{"0", "1", "1", "0", "7", "1"};
        QTest::newRow("CV 57 = 255 ticks F1..F4 and F0, value kept")
            << QStringList{"S 057 255"} << QStringList{"0", "2", "1", "0", "4", "1", "0", "5", "1", "0", "7", "255"};
        QTest::newRow("CV 39 = 9 ticks F5 and F8 of X4")
            << QStringList{"S 039 009"} << QStringList{"3", "8", "1", "3", "11", "1", "3", "13", "9"};
        QTest::newRow("CV 51 = 40") << QStringList{"S 051 040"} << QStringList{"2", "16", "40"};
        QTest::newRow("brightness above 63 is kept") << QStringList{"S 050 100"} << QStringList{"3", "16", "100"};
        QTest::newRow("CV 63 = 4") << QStringList{"S 063 004"} << QStringList{"1", "17", "Marslight", "1", "19", "4"};
        QTest::newRow("an effect without an entry shows its number")
            << QStringList{"S 060 003"} << QStringList{"3", "17", "3", "3", "19", "3"};
        QTest::newRow("CV 59 changes nothing") << QStringList{"S 059 255"} << QStringList{"0", "7", "1", "1", "7", "0"};
    }
    void readBack() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, cells);
        MappingModel m(tamsLdg8Table());
        m.setTick(cell(0, F1), true);
        m.readBack(lines);
        for (int i = 0; i < cells.size(); i += 3) {
            const CellRef c = cell(cells.at(i).toInt(), cells.at(i + 1).toInt());
            const QString text = m.kind(c) == CellKind::Tick ? QString::number(m.isTicked(c)) : m.text(c);
            QCOMPARE(text, cells.at(i + 2));
        }
        QVERIFY(m.isTicked(cell(0, F1)));
    }

    void readValueStaysUntilTheNextTick() {
        MappingModel m(tamsLdg8Table());
        m.readBack({"S 057 255"});
        QCOMPARE(m.columnColour(Ldg8Ticks, F0), Colour::Yellow);
        QCOMPARE(m.cvValue(57), 255);
        m.setTick(cell(0, F0), true);
        QCOMPARE(m.cvValue(57), 31);
    }

    void lists() {
        MappingModel m(tamsLdg8Table());
        const QStringList all = writeLines({57, 41, 52, 62, 58, 42, 53, 63, 56, 40, 51, 61, 55, 39, 50, 60}, {});
        QCOMPARE(m.saveLines(false), all);
        QCOMPARE(m.clipboardLines(false), all);
        QCOMPARE(m.saveLines(true), QStringList());
        QCOMPARE(m.readListLines(), readLines(cvRange(39, 42) + cvRange(50, 53) + cvRange(55, 63)));
        QVERIFY(m.readListLines().contains(QStringLiteral("L 059")));
        QCOMPARE(m.readListLines().size(), 17);
        // Only the names take typed text, and they are no part of the lists.
        QCOMPARE(typedCells(m), (QStringList{"0,0,0", "0,1,0", "0,2,0", "0,3,0"}));
        QVERIFY(m.setText(cell(0, Name), QStringLiteral("spitze")));
        QCOMPARE(m.text(cell(0, Name)), QStringLiteral("SPITZE"));
        QVERIFY(!m.setText(cell(0, Name), QString(21, u'x')));
        QCOMPARE(m.saveLines(false), all);
    }

    void deleteClearsEverything() {
        MappingModel m(tamsLdg8Table());
        m.readBack({"S 057 031", "S 041 015", "S 052 063", "S 062 128", "S 050 010"});
        m.setText(cell(3, Name), QStringLiteral("HECK"));
        m.clear();
        QCOMPARE(m.saveLines(true), QStringList());
        for (int col : {1, 2, 3, 4, 5, 8, 9, 10, 11})
            QCOMPARE(m.columnColour(Ldg8Ticks, col), Colour::FaceGrey);
        QCOMPARE(m.text(cell(0, Effect)), QStringLiteral("ein / aus"));
        QCOMPARE(m.text(cell(3, Name)), QStringLiteral("HECK"));
    }

    void window() {
        EditorRig rig;
        MappingEditor* e = rig.open(QStringLiteral("mnuFM_Tams_LDG8"));
        QVERIFY(e);
        QCOMPARE(e->objectName(), QStringLiteral("frmFM_Tams_LDG8"));
        QCOMPARE(e->windowTitle(), QStringLiteral(" Funktion Mapping Tams LD-G-8"));
        QCOMPARE(rig.ctx.HelpPage, QStringLiteral("Zelvo_FM_TAMS.htm"));
        QVERIFY(!rig.notifier.busy);
        QCOMPARE(e->action(QStringLiteral("mnuDatei_einlesen"))->text(), QStringLiteral("Mapping einlesen"));
        QVERIFY(!e->action(QStringLiteral("mnuExtras_Default")));
        MappingGrid* fa = e->grid(QStringLiteral("grdFA"));
        QVERIFY(fa);

        clickCell(fa, 0, F0);
        QCOMPARE(shown(fa, 0, Keys1Value), QStringLiteral("16"));
        QCOMPARE(background(fa, 2, F0), yellow);
        QCOMPARE(background(fa, 2, F1), faceGrey);
        // Space ticks the current key cell.
        fa->setCurrentIndex(fa->cellIndex(3, F5));
        QTest::keyClick(fa, Qt::Key_Space);
        QCOMPARE(shown(fa, 3, Keys2Value), QStringLiteral("1"));
        chooseInCell(fa, 2, Effect, QStringLiteral("blinken 1 Hz"));
        QCOMPARE(shown(fa, 2, EffectValue), QStringLiteral("128"));
        QScrollBar* bar = e->slider(QStringLiteral("scrDim_1"));
        QVERIFY(bar);
        QCOMPARE(bar->maximum(), 63);
        bar->setValue(40);
        QCOMPARE(shown(fa, 1, BrightnessValue), QStringLiteral("40"));

        // A name may be typed, in capitals; a value cell takes nothing.
        fa->setCurrentIndex(fa->cellIndex(0, Name));
        fa->edit(fa->cellIndex(0, Name));
        auto* edit = fa->viewport()->findChild<QLineEdit*>();
        QVERIFY(edit);
        QCOMPARE(edit->maxLength(), 20);
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("vorn"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents();  // the edit is committed after the key
        QCOMPARE(shown(fa, 0, Name), QStringLiteral("VORN"));
        fa->setCurrentIndex(fa->cellIndex(0, Keys1Value));
        QTest::keyClicks(fa, QStringLiteral("9"));
        QCOMPARE(shown(fa, 0, Keys1Value), QStringLiteral("16"));

        rig.notifier.expectMessages = true;
        const QString path = rig.path("ldg8.txt");
        rig.answers = {path};
        e->action(QStringLiteral("mnuDatei_speichern_1"))->trigger();
        QCOMPARE(fileBytes(path), QByteArray("S 057 016\r\nS 053 040\r\nS 061 128\r\nS 039 001\r\n"));
        const QStringList saved = e->model().saveLines(false);
        e->close();
        MainWindowRig::flushDeletes();

        MappingEditor* fresh = rig.open(QStringLiteral("mnuFM_Tams_LDG8"));
        rig.answers = {path};
        fresh->action(QStringLiteral("mnuDatei_einlesen"))->trigger();
        QCOMPARE(fresh->model().saveLines(false), saved);
        QCOMPARE(fresh->slider(QStringLiteral("scrDim_1"))->value(), 40);
        QVERIFY(ticked(fresh->grid(QStringLiteral("grdFA")), 0, F0));
        QCOMPARE(background(fresh->grid(QStringLiteral("grdFA")), 1, F0), yellow);
        fresh->model().readBack({"S 052 100"});
        QCOMPARE(fresh->slider(QStringLiteral("scrDim_0"))->value(), 63);
        QCOMPARE(shown(fresh->grid(QStringLiteral("grdFA")), 0, BrightnessValue), QStringLiteral("100"));

        rig.notifier.answer = Notifier::Yes;
        fresh->action(QStringLiteral("mnuDatei_Del"))->trigger();
        QCOMPARE(fresh->model().saveLines(true), QStringList());
        QCOMPARE(fresh->slider(QStringLiteral("scrDim_1"))->value(), 0);
        QCOMPARE(background(fresh->grid(QStringLiteral("grdFA")), 0, F0), faceGrey);
    }
};

QTEST_MAIN(TestTamsLdg8)
#include "tst_tamsldg8.moc"
