// The Uhlenbrock 76400 editor as a user meets it: opened from the main menu, the CV 49 buttons
// with their texts, red labels and warning, CV 50 by bar and typed value, the lists, Delete
// and the factory settings through their menu entries.
#include "EditorRig.h"
#include "TestFiles.h"
#include "app/ui/Twips.h"
#include "mapping/core/MakerTables.h"
#include "mapping/ui/TogglePanel.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

using namespace mapping;
using namespace mappingtest;

namespace {

const QString hinweis = QStringLiteral(
    "Achtung: Wenn das Motorola-Datenformat über Bit 3 und das DCC-Format über Bit 4 ausgeschaltet sind, erhält der "
    "Decoder keine Fahrbefehle mehr und kann nur noch programmiert werden !");

struct UhlenbrockRig : EditorRig {
    MappingEditor* e = nullptr;
    MappingGrid* fa = nullptr;
    MappingGrid* grd50 = nullptr;
    UhlenbrockRig() {
        e = open(QStringLiteral("mnuFM_Uhlenbrock"));
        QVERIFY(e);
        fa = e->grid(QStringLiteral("grdFA"));
        grd50 = e->grid(QStringLiteral("grd50"));
    }
    template <typename T>
    T* child(const QString& name) const {
        return e->findChild<T*>(name);
    }
    void press(int bit) const {
        QTest::mouseClick(child<QPushButton>(QStringLiteral("btnCV49_%1").arg(bit)), Qt::LeftButton);
    }
    QString text(int bit) const { return child<QLabel>(QStringLiteral("lblCV49_%1").arg(bit))->text(); }
    QString byte() const { return child<QLabel>(QStringLiteral("lblCV49Byte_8"))->text(); }
    QLabel* lblHinweis() const { return child<QLabel>(QStringLiteral("lblHinweis")); }
    QScrollBar* scrDim() const { return e->slider(QStringLiteral("scrDim")); }
    QStringList saved(int index, const char* name) {
        answers = {path(name)};
        notifier.expectMessages = true;
        e->mnuDatei_speichern_Click(index);
        return QString::fromLatin1(fileBytes(path(name))).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};

}  // namespace

class TestUhlenbrockWindow : public QObject {
    Q_OBJECT

private slots:
    void opensFromTheMainMenu() {
        UhlenbrockRig rig;
        expectOpened(rig, rig.e, QStringLiteral("frmFM_Uhlenbrock"), QStringLiteral(" Funktion Mapping Uhlenbrock 76400"),
                     QStringLiteral("Zelvo_FM_Uhlenbrock.htm"));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(rig.e->height(), twips(8755));
        QCOMPARE(menuTexts(rig.e), (QStringList{"alle CVs in Datei speichern", "nur CVs > 0 in Datei speichern", "",
                                     "alle CVs ins Clipboard schreiben", "nur CVs > 0 ins Clipboard schreiben", "",
                                     "Mapping einlesen", "", "aktuelles Mapping löschen", "", "s&chließen", "|",
                                     "Einlese-Datei erzeugen", "&Werkseinstellung"}));
        // At load: the texts of the window's design, no warning, CV 50 at 32.
        QCOMPARE(rig.text(0), QStringLiteral("Motorregelung an "));
        QCOMPARE(rig.text(2), QStringLiteral(" bremst bis auf 0 im Bremsabschnitt "));
        QCOMPARE(rig.text(4), QStringLiteral("Datenformat DCC und Motorola "));
        QCOMPARE(rig.text(7), QStringLiteral("Bremsen nur mit Bremssignal  "));
        QCOMPARE(rig.byte(), QStringLiteral("0"));
        QVERIFY(rig.lblHinweis()->isHidden());
        QCOMPARE(rig.scrDim()->value(), 32);
        QCOMPARE(rig.scrDim()->maximum(), 63);
        QCOMPARE(rig.scrDim()->pageStep(), 10);
        QCOMPARE(shown(rig.grd50, 0, 1), QStringLiteral("50"));
        QCOMPARE(shown(rig.grd50, 0, 2), QStringLiteral("32"));
        QCOMPARE(rig.grd50->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Funktionsausgänge dimmen  "));
        QCOMPARE(shown(rig.fa, 4, 1), QStringLiteral("     -"));
        QVERIFY(rig.child<TogglePanel>(QStringLiteral("pnlCV49")));
    }

    void bitsThreeAndFourWarn() {
        UhlenbrockRig rig;
        const QColor red(255, 0, 0);
        const QColor white(255, 255, 255);
        const QColor blue(0, 0, 192);
        rig.press(3);
        rig.press(4);
        QCOMPARE(rig.byte(), QStringLiteral("24"));
        QCOMPARE(rig.text(3), QStringLiteral(" Datenformat nur DCC "));
        QCOMPARE(rig.text(4), QStringLiteral(" Datenformat nur Motorola "));
        for (int bit : {3, 4}) {
            const QLabel* label = rig.child<QLabel>(QStringLiteral("lblCV49_%1").arg(bit));
            QCOMPARE(label->palette().color(QPalette::Window), red);
            QCOMPARE(label->palette().color(QPalette::WindowText), white);
        }
        QVERIFY(rig.lblHinweis()->isVisible());
        QCOMPARE(rig.lblHinweis()->text(), hinweis);
        QCOMPARE(rig.lblHinweis()->palette().color(QPalette::WindowText), white);
        QCOMPARE(rig.lblHinweis()->palette().color(QPalette::Window), red);
        QVERIFY(rig.lblHinweis()->autoFillBackground());
        rig.press(3);
        QCOMPARE(rig.byte(), QStringLiteral("16"));
        QVERIFY(rig.lblHinweis()->isHidden());
        const QLabel* three = rig.child<QLabel>(QStringLiteral("lblCV49_3"));
        QCOMPARE(three->palette().color(QPalette::Window), white);
        QCOMPARE(three->palette().color(QPalette::WindowText), blue);
        QCOMPARE(rig.text(3), QStringLiteral(" Datenformat DCC und Motorola "));

        rig.press(0);
        rig.press(0);
        QCOMPARE(rig.text(0), QStringLiteral(" Motorregelung an "));
        QCOMPARE(rig.byte(), QStringLiteral("16"));
    }

    void readBackSetsBitsAndCv50() {
        UhlenbrockRig rig;
        QVERIFY(writeFileBytes(rig.path("read.txt"), "S 049 024\r\nS 050 020\r\nS 034 066\r\n"));
        rig.answers = {rig.path("read.txt")};
        rig.e->mnuDatei_einlesen_Click();
        QCOMPARE(rig.byte(), QStringLiteral("24"));
        QVERIFY(rig.lblHinweis()->isVisible());
        QCOMPARE(rig.text(0), QStringLiteral(" Motorregelung an "));
        QCOMPARE(rig.scrDim()->value(), 20);
        QCOMPARE(shown(rig.grd50, 0, 2), QStringLiteral("20"));
        QVERIFY(ticked(rig.fa, 1, 3));
        QVERIFY(!ticked(rig.fa, 5, 3));  // bit 6 has no row
        QCOMPARE(shown(rig.e->grid(QStringLiteral("grdCV")), 1, 2), QStringLiteral("66"));
        // Above the bar's range the value is kept; the bar stands at its end.
        QVERIFY(writeFileBytes(rig.path("high.txt"), "S 050 100\r\n"));
        rig.answers = {rig.path("high.txt")};
        rig.e->mnuDatei_einlesen_Click();
        QCOMPARE(rig.scrDim()->value(), 63);
        QCOMPARE(shown(rig.grd50, 0, 2), QStringLiteral("100"));
        QVERIFY(rig.saved(1, "kept.txt").contains(QStringLiteral("S 050 100")));
    }

    void cv50ByBarAndTypedValue() {
        UhlenbrockRig rig;
        rig.scrDim()->setValue(40);
        QCOMPARE(shown(rig.grd50, 0, 2), QStringLiteral("40"));
        rig.grd50->setCurrentIndex(rig.grd50->cellIndex(0, 2));
        QTest::keyClick(rig.grd50, Qt::Key_F2);
        QTest::keyClick(rig.grd50->focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(rig.grd50->focusWidget(), QStringLiteral("250"));
        rig.e->mnuDatei_Click();  // opening the File menu commits the typed value
        QCOMPARE(shown(rig.grd50, 0, 2), QStringLiteral("250"));
        // A typed value leaves the bar where it stands, also through later changes.
        QCOMPARE(rig.scrDim()->value(), 40);
        clickCell(rig.fa, 0, 2);
        clickCell(rig.fa, 0, 2);
        QCOMPARE(rig.scrDim()->value(), 40);
        // Only a whole number 0..255 is taken; the CV and name cells take nothing.
        QVERIFY(!rig.e->model().setText({Uhlenbrock50, 0, 2}, QStringLiteral("300")));
        rig.grd50->setCurrentIndex(rig.grd50->cellIndex(0, 1));
        QTest::keyClicks(rig.grd50, QStringLiteral("51"));
        rig.grd50->setCurrentIndex(rig.grd50->cellIndex(0, 0));
        QTest::keyClicks(rig.grd50, QStringLiteral("x"));
        rig.e->mnuDatei_Click();
        QCOMPARE(shown(rig.grd50, 0, 1), QStringLiteral("50"));
        QCOMPARE(shown(rig.grd50, 0, 0), QString());
        QCOMPARE(rig.saved(0, "typed.txt").last(), QStringLiteral("S 050 250"));
        // The bar moved by hand sets the cell again.
        rig.scrDim()->setValue(41);
        QCOMPARE(shown(rig.grd50, 0, 2), QStringLiteral("41"));
        // The CV values follow the ticks alone; Space ticks.
        MappingGrid* cv = rig.e->grid(QStringLiteral("grdCV"));
        cv->setCurrentIndex(cv->cellIndex(1, 1));
        QTest::keyClicks(cv, QStringLiteral("12"));
        rig.fa->setCurrentIndex(rig.fa->cellIndex(2, 4));
        QTest::keyClicks(rig.fa, QStringLiteral("x "));
        rig.e->mnuDatei_Click();
        QCOMPARE(shown(cv, 1, 1), QStringLiteral("0"));
        QVERIFY(ticked(rig.fa, 2, 4));
        QCOMPARE(shown(cv, 1, 3), QStringLiteral("4"));
    }

    void listsRightAfterLoading() {
        UhlenbrockRig rig;
        QCOMPARE(rig.saved(0, "all.txt"), (QStringList{"S 033 000", "S 034 000", "S 035 000", "S 036 000", "S 037 000",
                                                       "S 038 000", "S 039 000", "S 040 000", "S 049 000", "S 050 032"}));
        clickCell(rig.fa, 0, 2);
        rig.press(5);
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        rig.e->mnuDatei_Clipboard_Click(1);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("S 033 001"));
        rig.e->mnuDatei_Clipboard_Click(0);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("S 033 001\rS 034 000\rS 035 000\rS 036 000\rS 037 000\rS 038 000\rS 039 000\rS 040 000"));
        rig.answers = {rig.path("list.txt")};
        rig.e->mnuExtras_Einlesedatei_Click();
        QCOMPARE(fileBytes(rig.path("list.txt")),
                 QByteArray("L 033\r\nL 034\r\nL 035\r\nL 036\r\nL 037\r\nL 038\r\nL 039\r\nL 040\r\n"));
    }

    void deleteAndFactory_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("saved");  // "nur CVs > 0" afterwards
        const QStringList before{"S 033 003", "S 040 001", "S 049 024", "S 050 010"};
        QTest::newRow("Delete Yes") << "mnuDatei_Del" << int(Notifier::Yes) << QStringList{"S 050 032"};
        QTest::newRow("Delete No changes nothing") << "mnuDatei_Del" << int(Notifier::No) << before;
        QTest::newRow("factory Yes") << "mnuExtras_Default" << int(Notifier::Yes)
                                     << QStringList{"S 033 001", "S 034 002", "S 035 004", "S 036 008", "S 037 016",
                                                    "S 038 032", "S 050 032"};
        QTest::newRow("factory No") << "mnuExtras_Default" << int(Notifier::No)
                                    << QStringList{"S 033 003", "S 034 002", "S 035 004", "S 036 008", "S 037 016",
                                                   "S 038 032", "S 040 001", "S 050 032"};
    }
    void deleteAndFactory() {
        QFETCH(QString, entry);
        QFETCH(int, answer);
        QFETCH(QStringList, saved);
        UhlenbrockRig rig;
        clickCell(rig.fa, 0, 2);
        clickCell(rig.fa, 1, 2);
        clickCell(rig.fa, 0, 9);
        rig.press(3);
        rig.press(4);
        rig.scrDim()->setValue(10);
        rig.notifier.answer = answer;
        rig.notifier.expectMessages = true;
        rig.e->action(entry)->trigger();
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages.at(0).title, QStringLiteral(" aktuelles Mapping löschen..."));
        QCOMPARE(rig.saved(1, "after.txt"), saved);
        const bool reset = answer == Notifier::Yes || entry == u"mnuExtras_Default";
        QCOMPARE(rig.byte(), reset ? QStringLiteral("0") : QStringLiteral("24"));
        QCOMPARE(rig.lblHinweis()->isVisible(), !reset);
        QCOMPARE(rig.scrDim()->value(), reset ? 32 : 10);
        // Set back, every bit's label names its state; else bit 0 keeps its text of the load.
        QCOMPARE(rig.text(0), reset ? QStringLiteral(" Motorregelung an ") : QStringLiteral("Motorregelung an "));
        QCOMPARE(background(rig.fa, 5, 9), answer == Notifier::Yes ? faceGrey : yellow);  // F6: CV 40
    }
};

QTEST_MAIN(TestUhlenbrockWindow)
#include "tst_uhlenbrockwindow.moc"
