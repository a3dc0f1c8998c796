// The ESU LokPilot V3.0 editor as a user meets it: opened from the main menu, ticked with the
// mouse in both tick grids, scrolled by scrGrid, effects and brightness set with the value
// list and scrDim, and a mapping saved and read into a fresh editor.
#include "EditorRig.h"
#include "TestFiles.h"
#include "app/ui/Twips.h"
#include "mapping/core/MakerTables.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

using namespace mapping;
using namespace mappingtest;

namespace {
enum Column { Effect = 2, Brightness = 3, Value = 5 };
constexpr int f1Forward = 6;  // condition k = 6: tick column 12 in grdFA, column 7 elsewhere
constexpr int f3Reverse = 11;

struct EsuRig : EditorRig {
    MappingEditor* e = nullptr;
    MappingGrid* fa = nullptr;
    MappingGrid* cv = nullptr;
    MappingGrid* faB = nullptr;
    MappingGrid* cvB = nullptr;
    EsuRig() { openEditor(); }
    void openEditor() {
        e = open(QStringLiteral("mnuFM_ESU"));
        QVERIFY(e);
        fa = e->grid(QStringLiteral("grdFA"));
        cv = e->grid(QStringLiteral("grdCV"));
        faB = e->grid(QStringLiteral("grdFA_B"));
        cvB = e->grid(QStringLiteral("grdCV_B"));
        QVERIFY(fa && cv && faB && cvB);
    }
    QScrollBar* bar(const char* name) const { return e->findChild<QScrollBar*>(QString::fromLatin1(name)); }
    // The left edge of a cell's column in window coordinates.
    int left(MappingGrid* grid, int col) const {
        return grid->viewport()->mapTo(e, grid->visualRect(grid->cellIndex(0, col)).topLeft()).x();
    }
};
}  // namespace

class TestEsuWindow : public QObject {
    Q_OBJECT

private slots:
    void opensFromTheMainMenu() {
        EsuRig rig;
        expectOpened(rig, rig.e, QStringLiteral("frmFM_ESU"), QStringLiteral(" Function Mapping ESU LokPilot V3.0"),
                     QStringLiteral("Zelvo_FM_ESU.htm"));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(rig.e->size(), QSize(twips(15360), twips(7440)));
        QCOMPARE(menuTexts(rig.e), (QStringList{"alle CVs in Datei speichern", "nur CVs > 0 in Datei speichern", "",
                                     "alle CVs ins Clipboard schreiben", "nur CVs > 0 ins Clipboard schreiben", "",
                                     "Mapping aus Datei einlesen", "", "aktuelles Mapping löschen", "", "s&chließen",
                                     "|", "Einlese-Datei erzeugen"}));
        QCOMPARE(rig.bar("scrDim")->value(), 15);
        QCOMPARE(rig.bar("scrDim")->maximum(), 15);
        QCOMPARE(rig.bar("scrGrid")->value(), 6);
        QCOMPARE(rig.bar("scrGrid")->minimum(), 6);
        QCOMPARE(rig.bar("scrGrid")->maximum(), 26);
        QCOMPARE(rig.bar("scrGrid")->pageStep(), 10);
        QCOMPARE(shown(rig.fa, 3, 0), QStringLiteral("AUX 2"));
        QCOMPARE(shown(rig.fa, 3, Effect), QStringLiteral("ein / aus"));
        QCOMPARE(rig.fa->model()->headerData(12, Qt::Horizontal).toString(), QStringLiteral("F1  V"));
    }

    void ticksMarkOneConditionInBothGrids() {
        EsuRig rig;
        const int col = 6 + f1Forward;
        clickCell(rig.fa, 0, col);
        clickCell(rig.fa, 3, col);
        QCOMPARE(shown(rig.cv, 0, f1Forward + 1), QStringLiteral("147"));
        QCOMPARE(shown(rig.cv, 1, f1Forward + 1), QStringLiteral("9"));
        QCOMPARE(background(rig.fa, 1, col), yellow);
        QCOMPARE(background(rig.faB, 0, f1Forward + 1), yellow);
        QCOMPARE(background(rig.faB, 0, f1Forward), faceGrey);
        clickCell(rig.fa, 0, col);
        clickCell(rig.fa, 3, col);
        QCOMPARE(shown(rig.cv, 1, f1Forward + 1), QStringLiteral("0"));
        QCOMPARE(background(rig.faB, 0, f1Forward + 1), faceGrey);

        clickCell(rig.faB, 2, f3Reverse + 1);
        QVERIFY(ticked(rig.faB, 2, f3Reverse + 1));
        QCOMPARE(shown(rig.cvB, 0, f3Reverse + 1), QStringLiteral("163"));
        QCOMPARE(shown(rig.cvB, 1, f3Reverse + 1), QStringLiteral("128"));
        QCOMPARE(background(rig.fa, 5, 6 + f3Reverse), yellow);
    }

    void scrGridShowsTheSameConditionsInAllGrids_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("first");  // the first condition shown
        QTest::newRow("6") << 6 << "St.  V";
        QTest::newRow("7") << 7 << "St.  R";
        QTest::newRow("26") << 26 << "F8  V";
    }
    void scrGridShowsTheSameConditionsInAllGrids() {
        QFETCH(int, value);
        QFETCH(QString, first);
        EsuRig rig;
        rig.bar("scrGrid")->setValue(26);
        rig.bar("scrGrid")->setValue(value);
        const int k = value - 6;
        QCOMPARE(rig.fa->model()->headerData(value, Qt::Horizontal).toString(), first);
        QVERIFY(!rig.fa->isColumnHidden(value));
        QCOMPARE(rig.fa->isColumnHidden(value - 1), k > 0);
        QVERIFY(!rig.fa->isColumnHidden(5));  // the output columns stay
        for (MappingGrid* g : {rig.cv, rig.faB, rig.cvB}) {
            QVERIFY(!g->isColumnHidden(0));
            QVERIFY(!g->isColumnHidden(k + 1));
            QCOMPARE(g->isColumnHidden(k), k > 0);
            QCOMPARE(rig.left(g, k + 1), rig.left(rig.fa, value));
            QCOMPARE(rig.left(g, k + 16), rig.left(rig.fa, value + 15));
        }
        // The last condition shown lies inside every grid.
        QVERIFY(rig.fa->visualRect(rig.fa->cellIndex(0, value + 15)).right() < rig.fa->viewport()->width());
        QVERIFY(rig.cvB->visualRect(rig.cvB->cellIndex(0, k + 16)).right() < rig.cvB->viewport()->width());
    }

    void effectAndBrightnessFollowTheCurrentRow() {
        EsuRig rig;
        QScrollBar* dim = rig.bar("scrDim");
        chooseInCell(rig.fa, 2, Effect, QStringLiteral("Strobe"));
        QCOMPARE(shown(rig.fa, 2, Effect), QStringLiteral("Strobe"));
        QCOMPARE(shown(rig.fa, 2, Value), QStringLiteral("63"));
        rig.notifier.expectMessages = true;
        rig.answers = {rig.path("strobe.txt")};
        rig.e->action(QStringLiteral("mnuDatei_speichern_1"))->trigger();
        QVERIFY(fileBytes(rig.path("strobe.txt")).contains("S 115 063\r\n"));

        dim->setValue(7);
        QCOMPARE(shown(rig.fa, 2, Brightness), QStringLiteral("7"));
        QCOMPARE(shown(rig.fa, 2, Value), QStringLiteral("55"));
        clickCell(rig.fa, 0, 0);
        QCOMPARE(dim->value(), 15);
        QCOMPARE(shown(rig.fa, 2, Value), QStringLiteral("55"));
        clickCell(rig.fa, 2, 0);
        QCOMPARE(dim->value(), 7);

        // After Delete the bar shows the current row's brightness, and the row keeps it.
        rig.notifier.answer = Notifier::Yes;
        rig.e->action(QStringLiteral("mnuDatei_Del"))->trigger();
        QCOMPARE(dim->value(), 15);
        for (int r = 0; r < 6; ++r)
            QCOMPARE(shown(rig.fa, r, Value), QStringLiteral("15"));
        QCOMPARE(shown(rig.fa, 2, Effect), QStringLiteral("ein / aus"));
    }

    void typedKeysChangeNoValue() {
        EsuRig rig;
        auto type = [](MappingGrid* g, int row, int col, const QString& keys) {
            g->setCurrentIndex(g->cellIndex(row, col));
            QTest::keyClicks(g, keys);
        };
        type(rig.fa, 0, Effect, QStringLiteral("x1"));
        type(rig.fa, 0, Brightness, QStringLiteral("3"));
        type(rig.fa, 0, Value, QStringLiteral("99"));
        type(rig.fa, 0, 0, QStringLiteral("Heck"));
        type(rig.cv, 1, 1, QStringLiteral("12"));
        type(rig.cvB, 1, 1, QStringLiteral("12"));
        type(rig.fa, 1, 6, QStringLiteral("x1"));
        type(rig.faB, 1, 1, QStringLiteral("x1"));
        QCOMPARE(rig.e->model().saveLines(false), MappingModel(esuTable()).saveLines(false));
        QCOMPARE(shown(rig.fa, 0, 0), QStringLiteral("Licht vorne"));
        // Space ticks, in both tick grids.
        type(rig.fa, 1, 6, QStringLiteral(" "));
        type(rig.faB, 1, 2, QStringLiteral(" "));
        QVERIFY(ticked(rig.fa, 1, 6));
        QVERIFY(ticked(rig.faB, 1, 2));
        QCOMPARE(rig.e->model().cvValue(129), 2);
        QCOMPARE(rig.e->model().cvValue(133), 2);
    }

    // A mapping with effects and brightness, saved and read into a fresh editor.
    void savedMappingComesBack() {
        EsuRig rig;
        clickCell(rig.fa, 0, 6 + f1Forward);
        clickCell(rig.fa, 3, 6 + f1Forward);
        clickCell(rig.faB, 2, f3Reverse + 1);
        chooseInCell(rig.fa, 4, Effect, QStringLiteral("Gyrolight"));
        rig.bar("scrDim")->setValue(4);
        chooseInCell(rig.fa, 1, Effect, QStringLiteral("Marslight"));
        rig.bar("scrDim")->setValue(0);
        rig.bar("scrGrid")->setValue(26);
        clickCell(rig.fa, 5, 41);  // F15 R
        rig.notifier.expectMessages = true;
        const QString path = rig.path("esu.txt");
        rig.answers = {path};
        rig.e->action(QStringLiteral("mnuDatei_speichern_0"))->trigger();
        const QByteArray file = fileBytes(path);
        QCOMPARE(file.count("\r\n"), 78);
        QVERIFY(file.startsWith("S 113 015\r\nS 114 128\r\nS 115 015\r\nS 116 015\r\nS 117 148\r\nS 118 015\r\n"));
        QVERIFY(file.contains("S 147 009\r\n"));
        QVERIFY(file.contains("S 234 032\r\n"));
        QVERIFY(file.contains("S 163 128\r\n"));
        QVERIFY(file.endsWith("S 235 000\r\n"));

        const MappingModel& built = rig.e->model();
        QStringList before;
        for (MappingGrid* g : {rig.fa, rig.cv, rig.faB, rig.cvB}) {
            for (int r = 0; r < g->model()->rowCount(); ++r)
                for (int c = 0; c < g->model()->columnCount(); ++c)
                    before << shown(g, r, c) + (ticked(g, r, c) ? QStringLiteral("*") : QString());
        }
        QVERIFY(built.cvValue(114) == 128);
        rig.e->action(QStringLiteral("mnuSchliessen"))->trigger();
        MainWindowRig::flushDeletes();

        rig.openEditor();
        rig.answers = {path};
        rig.e->action(QStringLiteral("mnuDatei_einlesen"))->trigger();
        QStringList after;
        for (MappingGrid* g : {rig.fa, rig.cv, rig.faB, rig.cvB}) {
            for (int r = 0; r < g->model()->rowCount(); ++r)
                for (int c = 0; c < g->model()->columnCount(); ++c)
                    after << shown(g, r, c) + (ticked(g, r, c) ? QStringLiteral("*") : QString());
        }
        QCOMPARE(after, before);
        QCOMPARE(shown(rig.fa, 1, Effect), QStringLiteral("Marslight"));
        QCOMPARE(shown(rig.fa, 4, Brightness), QStringLiteral("4"));
        clickCell(rig.fa, 4, 0);
        QCOMPARE(rig.bar("scrDim")->value(), 4);
        QCOMPARE(background(rig.faB, 0, f1Forward + 1), yellow);
    }

    void clipboardAndReadList() {
        EsuRig rig;
        clickCell(rig.fa, 2, 6 + 4);  // AUX 1 under F0 V
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        rig.e->action(QStringLiteral("mnuDatei_Clipboard_1"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("S 113 015\rS 114 015\rS 115 015\rS 116 015\rS 117 015\rS 118 015\rS 141 004"));
        rig.e->action(QStringLiteral("mnuDatei_Clipboard_0"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text().count(u'\r'), 77);

        rig.answers = {rig.path("list.txt")};
        rig.e->action(QStringLiteral("mnuExtras_Einlesedatei"))->trigger();
        QByteArray list;
        for (int cv = 113; cv <= 118; ++cv)
            list += "L " + QByteArray::number(cv) + "\r\n";
        for (int first : {129, 130})
            for (int cv = first; cv <= first + 105; cv += 3)
                list += "L " + QByteArray::number(cv) + "\r\n";
        QCOMPARE(fileBytes(rig.path("list.txt")), list);
        QVERIFY(rig.notifier.messages.isEmpty());
    }
};

QTEST_MAIN(TestEsuWindow)
#include "tst_esuwindow.moc"
