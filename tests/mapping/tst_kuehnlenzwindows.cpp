// The Kühn T145 / Viessmann 5246, Kühn N025 and Lenz GoldSerie editors as a user meets them:
// opened from the main menu, built with the mouse, saved, and read back into a fresh editor.
#include "EditorRig.h"
#include "app/ui/Twips.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace mapping;
using namespace mappingtest;

namespace {

const QColor green(0, 192, 0);

QString labelText(const MappingEditor* e, const QString& name) {
    const auto* label = e->findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<no %1>").arg(name);
}

void clickButton(const MappingEditor* e, const QString& name) {
    auto* button = e->findChild<QPushButton*>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

// A click on the arrow at one end of a bar.
void clickArrow(QScrollBar* bar, bool right) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(right ? bar->width() - 3 : 3, bar->height() / 2));
}

// Closes the editor and opens the entry again: a fresh editor.
MappingEditor* reopen(EditorRig& rig, MappingEditor* e, const QString& entry) {
    e->close();
    MainWindowRig::flushDeletes();
    return rig.open(entry);
}

}  // namespace

class TestKuehnLenzWindows : public QObject {
    Q_OBJECT

private slots:
    void opensFromTheMainMenu_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("grids");
        QTest::addColumn<QSize>("size");  // twips; a width of 0 fits the grids
        QTest::addColumn<QString>("extras");
        const QString t145 = QStringLiteral(" Function Mapping Kühn T145 und Viessmann 5246");
        QTest::newRow("Kühn T145") << "mnuDatei_mnuKuehn_Kuehn_T145" << "frmFM_Kuehn_T145" << t145
                                   << "Zelvo_FM_Kuehn.htm" << QStringList{"grdFA", "grd55"} << QSize(0, 6660) << "";
        QTest::newRow("Viessmann 5246") << "mnuDatei_Viessmann_5246" << "frmFM_Kuehn_T145" << t145
                                        << "Zelvo_FM_Kuehn.htm" << QStringList{"grdFA", "grd55"} << QSize(0, 6660) << "";
        QTest::newRow("Kühn N025") << "mnuDatei_mnuKuehn_KuehnN025" << "frmFM_Kuehn_N025" << " Function Mapping Kühn N025"
                                   << "Zelvo_FM_Kuehn_N025.htm" << QStringList{"grdFA", "grd58", "grd55"}
                                   << QSize(13005, 8010) << "";
        QTest::newRow("Lenz") << "mnuExtras_Lenz" << "frmFM_Lenz" << "  Function Mapping Lenz" << "Zelvo_FM_Lenz.htm"
                              << QStringList{"grdFA", "grdCV", "grd5764", "grd5556", "grd60", "grd62"}
                              << QSize(11610, 9360) << "Mapping-Assistent";
    }
    void opensFromTheMainMenu() {
        QFETCH(QString, entry);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, page);
        QFETCH(QStringList, grids);
        QFETCH(QSize, size);
        QFETCH(QString, extras);
        EditorRig rig;
        QVERIFY(rig.window->entry(entry)->isEnabled());
        MappingEditor* e = rig.open(entry);
        expectOpened(rig, e, name, caption, page);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(e->height(), twips(size.height()));
        if (size.width())
            QCOMPARE(e->width(), twips(size.width()));
        for (const QString& grid : grids)
            QVERIFY2(e->grid(grid), qPrintable(grid));
        QStringList texts{"alle CVs in Datei speichern", "nur CVs > 0 in Datei speichern", "",
                          "alle CVs ins Clipboard schreiben", "nur CVs > 0 ins Clipboard schreiben", "",
                          "Mapping aus Datei einlesen", "", "aktuelles Mapping löschen", "", "s&chließen", "|",
                          "Einlese-Datei erzeugen"};
        if (!extras.isEmpty())
            texts << extras;
        QCOMPARE(menuTexts(e), texts);
        // A right click on any grid opens the File menu.
        for (const QString& grid : grids) {
            clickCell(e->grid(grid), 0, 0, Qt::RightButton);
            QVERIFY2(e->mnuDatei()->isVisible(), qPrintable(grid));
            e->mnuDatei()->close();
        }
        if (!extras.isEmpty()) {
            // "Mapping-Assistent" does nothing.
            e->action(QStringLiteral("mnuExtras_Assistent"))->trigger();
            QCOMPARE(e->model().saveLines(true), QStringList());
        }
        QVERIFY(rig.notifier.messages.isEmpty());
    }

    void lenz() {
        EditorRig rig;
        const QString entry = QStringLiteral("mnuExtras_Lenz");
        MappingEditor* e = rig.open(entry);
        MappingGrid* fa = e->grid(QStringLiteral("grdFA"));
        MappingGrid* cv = e->grid(QStringLiteral("grdCV"));
        MappingGrid* internal = e->grid(QStringLiteral("grd5764"));
        MappingGrid* ab = e->grid(QStringLiteral("grd60"));
        // The F0 V columns of grdFA, grdCV and grd5764 stand one under the other.
        const auto leftOf = [e](MappingGrid* g, int col) {
            return g->viewport()->mapTo(e, g->visualRect(g->cellIndex(0, col)).topLeft()).x();
        };
        QCOMPARE(leftOf(cv, 1), leftOf(fa, 1));
        QCOMPARE(leftOf(internal, 3), leftOf(fa, 1));
        QCOMPARE(leftOf(internal, 12), leftOf(fa, 10));
        // The effect grids show their row 0 and nothing of the unused row 1.
        for (const char* name : {"grd60", "grd62"}) {
            MappingGrid* g = e->grid(QString::fromLatin1(name));
            QCOMPARE(g->viewport()->height(), g->rowHeight(0));
        }

        clickCell(fa, 0, 1);  // A under F0 V
        QVERIFY(ticked(fa, 0, 1));
        QCOMPARE(shown(cv, 1, 1), QStringLiteral("8"));
        QCOMPARE(background(fa, 4, 1), yellow);
        QCOMPARE(background(internal, 0, 3), yellow);
        clickCell(fa, 5, 5);  // F under F3: taken back
        QVERIFY(!ticked(fa, 5, 5));
        QCOMPARE(shown(cv, 1, 5), QStringLiteral("0"));
        clickCell(internal, 1, 6);  // "Rangiergang" under F2 and F5
        clickCell(internal, 1, 9);
        QCOMPARE(shown(internal, 1, 2), QStringLiteral("18"));
        QCOMPARE(background(fa, 7, 4), yellow);
        QCOMPARE(background(fa, 7, 7), yellow);
        QCOMPARE(background(internal, 3, 9), yellow);
        QCOMPARE(background(fa, 7, 5), faceGrey);
        // Space ticks; names take text; computed cells do not.
        fa->setCurrentIndex(fa->cellIndex(7, 10));
        QTest::keyClick(fa, Qt::Key_Space);
        QCOMPARE(shown(cv, 1, 10), QStringLiteral("128"));
        cv->setCurrentIndex(cv->cellIndex(1, 3));
        QTest::keyClicks(cv, QStringLiteral("12"));
        QCOMPARE(shown(cv, 1, 3), QStringLiteral("0"));
        fa->setCurrentIndex(fa->cellIndex(1, 0));
        QTest::keyClick(fa, 'H');  // the first key opens the cell's editor
        auto* edit = fa->viewport()->findChild<QLineEdit*>();
        QVERIFY(edit);
        QTest::keyClicks(edit, QStringLiteral("eck"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents();  // the grid commits a closing editor later
        QCOMPARE(shown(fa, 1, 0), QStringLiteral("Heck"));

        QScrollBar* dim = e->slider(QStringLiteral("scrDim_1"));
        QVERIFY(dim && e->slider(QStringLiteral("scrDim_0")));
        QCOMPARE(dim->maximum(), 255);
        dim->setValue(200);
        QCOMPARE(shown(e->grid(QStringLiteral("grd5556")), 1, 2), QStringLiteral("200"));
        chooseInCell(ab, 0, 0, QStringLiteral("Gyralight"));
        chooseInCell(ab, 0, 1, QStringLiteral("Doppelblitz"));
        QCOMPARE(shown(ab, 0, 3), QStringLiteral("42"));
        const QStringList built = e->model().saveLines(true);
        QCOMPARE(built, (QStringList{"S 056 200", "S 058 018", "S 033 008", "S 042 128", "S 060 042"}));

        rig.notifier.expectMessages = true;
        const QString path = rig.path("lenz.txt");
        rig.answers = {path, rig.path("list.txt")};
        e->mnuDatei_speichern_Click(0);
        e->mnuExtras_Einlesedatei_Click();
        QCOMPARE(fileBytes(rig.path("list.txt")),
                 QByteArray("L 055\r\nL 056\r\nL 057\r\nL 058\r\nL 059\r\nL 060\r\nL 061\r\nL 062\r\nL 064\r\n"));

        e = reopen(rig, e, entry);
        rig.answers = {path};
        e->mnuDatei_einlesen_Click();
        QCOMPARE(e->model().saveLines(true), built);
        fa = e->grid(QStringLiteral("grdFA"));
        QVERIFY(ticked(fa, 0, 1));
        QVERIFY(ticked(e->grid(QStringLiteral("grd5764")), 1, 9));
        QCOMPARE(e->slider(QStringLiteral("scrDim_1"))->value(), 200);
        QCOMPARE(shown(e->grid(QStringLiteral("grd60")), 0, 0), QStringLiteral("Gyralight"));
        QCOMPARE(shown(e->grid(QStringLiteral("grd60")), 0, 1), QStringLiteral("Doppelblitz"));
        QCOMPARE(rig.notifier.messages.size(), 1);  // the save's
    }

    void kuehnT145() {
        EditorRig rig;
        MappingEditor* e = rig.open(QStringLiteral("mnuDatei_Viessmann_5246"));
        MappingGrid* fa = e->grid(QStringLiteral("grdFA"));
        MappingGrid* rates = e->grid(QStringLiteral("grd55"));
        QCOMPARE(labelText(e, QStringLiteral("pnlHinweis_Caption")),
                 QStringLiteral(" Ausgang A wird immer durch F0 / Function  gesteuert"));
        QCOMPARE(labelText(e, QStringLiteral("lblZykluszeit")), QStringLiteral("0,5 sec                    3 Sec"));
        QCOMPARE(labelText(e, QStringLiteral("lblDimmrate")), QStringLiteral("dunkel                          hell"));
        QCOMPARE(labelText(e, QStringLiteral("lblCV56_0")), QStringLiteral("Ausgang B richtungsabhängig schalten "));
        QCOMPARE(labelText(e, QStringLiteral("lblCV56_1")), QStringLiteral("Lastregelung aus "));
        QCOMPARE(labelText(e, QStringLiteral("lblCV56_2")), QStringLiteral("Rangiergang aus (F4) "));

        clickCell(fa, 2, 6);  // F1 and F4 in row C
        clickCell(fa, 2, 9);
        QCOMPARE(shown(fa, 2, 15), QStringLiteral("9"));
        clickCell(fa, 0, 7);  // F2 in row A: yellow, no value
        QVERIFY(ticked(fa, 0, 7));
        QCOMPARE(background(fa, 3, 7), yellow);
        QCOMPARE(shown(fa, 0, 15), QStringLiteral("---"));
        chooseInCell(fa, 1, 2, QStringLiteral("aus wenn vorwärts"));
        chooseInCell(fa, 1, 3, QStringLiteral("Blitzlicht"));
        QCOMPARE(shown(fa, 1, 5), QStringLiteral("66"));

        QScrollBar* cycle = e->slider(QStringLiteral("scrEffekte"));
        QScrollBar* rate = e->slider(QStringLiteral("scrDimmrate"));
        QVERIFY(cycle && rate);
        QCOMPARE(cycle->maximum(), 9);
        QCOMPARE(rate->maximum(), 7);
        for (int i = 0; i < 3; ++i)
            clickArrow(cycle, true);
        for (int i = 0; i < 5; ++i)
            clickArrow(rate, false);  // towards "dunkel"
        QCOMPARE(rate->value(), 5);
        QCOMPARE(shown(rates, 0, 3), QStringLiteral("35"));

        clickButton(e, QStringLiteral("btnCV56_0"));
        clickButton(e, QStringLiteral("btnCV56_2"));
        QCOMPARE(labelText(e, QStringLiteral("lblCV56Byte_8")), QStringLiteral("5"));
        QCOMPARE(labelText(e, QStringLiteral("lblCV56_0")), QStringLiteral(" Ausgang B richtungsunabhängig schalten "));
        QCOMPARE(labelText(e, QStringLiteral("lblCV56_2")), QStringLiteral(" Rangiergang ein  (F4) "));
        clickButton(e, QStringLiteral("btnCV56_0"));
        QCOMPARE(labelText(e, QStringLiteral("lblCV56Byte_8")), QStringLiteral("4"));
        QCOMPARE(labelText(e, QStringLiteral("lblCV56_0")), QStringLiteral(" Ausgang B richtungsabhängig schalten "));

        e->mnuDatei_Clipboard_Click(1);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("S 050 066\rS 059 009\rS 055 035\rS 056 004"));
        rig.notifier.expectMessages = true;
        const QString path = rig.path("t145.txt");
        rig.answers = {path};
        e->mnuDatei_speichern_Click(1);
        QCOMPARE(fileBytes(path), QByteArray("S 050 066\r\nS 059 009\r\nS 055 035\r\nS 056 004\r\n"));

        // The other entry opens the same editor, fresh; the file brings the mapping back.
        e = reopen(rig, e, QStringLiteral("mnuDatei_mnuKuehn_Kuehn_T145"));
        QCOMPARE(e->objectName(), QStringLiteral("frmFM_Kuehn_T145"));
        QCOMPARE(e->model().saveLines(true), QStringList());
        const QString odd = rig.path("odd.txt");
        QVERIFY(writeFileBytes(odd, "S 055 009\r\nS 051 002\r\n"));
        rig.answers = {path, odd};
        e->mnuDatei_einlesen_Click();
        fa = e->grid(QStringLiteral("grdFA"));
        QCOMPARE(shown(fa, 1, 2), QStringLiteral("aus wenn vorwärts"));
        QCOMPARE(shown(fa, 1, 3), QStringLiteral("Blitzlicht"));
        QVERIFY(ticked(fa, 2, 6) && ticked(fa, 2, 9));
        QCOMPARE(e->slider(QStringLiteral("scrEffekte"))->value(), 3);
        QCOMPARE(e->slider(QStringLiteral("scrDimmrate"))->value(), 5);
        QCOMPARE(labelText(e, QStringLiteral("lblCV56Byte_8")), QStringLiteral("4"));
        QCOMPARE(labelText(e, QStringLiteral("lblCV56Byte_2")), QStringLiteral("1"));
        QCOMPARE(labelText(e, QStringLiteral("lblCV56_2")), QStringLiteral(" Rangiergang ein  (F4) "));
        // S 055 009 does not split: the value stays, the dim rate keeps its bar, and the rest is read.
        e->mnuDatei_einlesen_Click();
        QCOMPARE(shown(e->grid(QStringLiteral("grd55")), 0, 3), QStringLiteral("9"));
        QCOMPARE(e->slider(QStringLiteral("scrEffekte"))->value(), 0);
        QCOMPARE(e->slider(QStringLiteral("scrDimmrate"))->value(), 5);
        QCOMPARE(shown(fa, 2, 3), QStringLiteral("Blitzlicht"));
        QCOMPARE(rig.notifier.messages.size(), 1);  // the save's; no error

        rig.notifier.answer = Notifier::Yes;
        e->mnuDatei_Del_Click();
        QCOMPARE(e->model().saveLines(true), QStringList());
        QCOMPARE(e->slider(QStringLiteral("scrDimmrate"))->value(), 0);
        QCOMPARE(labelText(e, QStringLiteral("lblCV56Byte_8")), QStringLiteral("0"));
        QCOMPARE(labelText(e, QStringLiteral("lblCV56_2")), QStringLiteral(" Rangiergang aus (F4) "));
        QCOMPARE(background(fa, 2, 6), faceGrey);
    }

    void kuehnN025() {
        EditorRig rig;
        const QString entry = QStringLiteral("mnuDatei_mnuKuehn_KuehnN025");
        MappingEditor* e = rig.open(entry);
        MappingGrid* fa = e->grid(QStringLiteral("grdFA"));
        MappingGrid* keys = e->grid(QStringLiteral("grd58"));
        clickCell(fa, 1, 2);  // "Dimmen wenn F3 EIN" and "pulsierendes Licht" for B
        clickCell(fa, 1, 9);
        QCOMPARE(shown(fa, 1, 11), QStringLiteral("129"));
        QCOMPARE(background(fa, 1, 2), green);
        QVERIFY(!background(fa, 0, 2).isValid());  // no column marking
        QCOMPARE(background(fa, 0, 11), QColor(255, 255, 255));
        clickCell(keys, 0, 2);  // row A takes no ticks
        QVERIFY(!ticked(keys, 0, 2));
        clickCell(keys, 1, 2);
        clickCell(keys, 1, 3);
        QCOMPARE(shown(keys, 1, 10), QStringLiteral("6"));
        QCOMPARE(background(keys, 1, 3), green);
        keys->setCurrentIndex(keys->cellIndex(1, 10));
        QTest::keyClicks(keys, QStringLiteral("99 "));
        QCOMPARE(shown(keys, 1, 10), QStringLiteral("6"));
        clickButton(e, QStringLiteral("btnCV56_1"));
        QVERIFY(!e->findChild<QPushButton*>(QStringLiteral("btnCV56_3")));
        e->slider(QStringLiteral("scrEffekte"))->setValue(9);
        const QStringList built = e->model().saveLines(false);
        QCOMPARE(built, (QStringList{"S 049 000", "S 050 129", "S 055 090", "S 056 002", "S 058 006"}));

        rig.notifier.expectMessages = true;
        const QString path = rig.path("n025.txt");
        rig.answers = {path};
        e->mnuDatei_speichern_Click(0);
        e = reopen(rig, e, entry);
        rig.answers = {path};
        e->mnuDatei_einlesen_Click();
        QCOMPARE(e->model().saveLines(false), built);
        QVERIFY(ticked(e->grid(QStringLiteral("grd58")), 1, 3));
        QVERIFY(ticked(e->grid(QStringLiteral("grdFA")), 1, 9));
        QCOMPARE(e->slider(QStringLiteral("scrEffekte"))->value(), 9);
        QCOMPARE(labelText(e, QStringLiteral("lblCV56_1")), QStringLiteral(" Lastregelung ein  "));
    }
};

QTEST_MAIN(TestKuehnLenzWindows)
#include "tst_kuehnlenzwindows.moc"
