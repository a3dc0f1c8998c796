// The NMRA and Zimo MX editors as a user meets them: opened from the main menu, ticked with
// the mouse, their list commands through the file dialog, the clipboard and the message
// boxes, and a saved list loaded into the Intellibox window's CV-group table.
#include "EditorRig.h"
#include "FakeZentraleHost.h"
#include "FullDisk.h"
#include "RecordingNotifier.h"
#include "TestFiles.h"
#include "app/core/AppContext.h"
#include "app/core/DataFolder.h"
#include "app/ui/FileDialog.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/frmHauptmenu.h"
#include "programming/core/CvGroupTable.h"
#include "programming/ui/CvGroupGrid.h"
#include "intellibox/ui/frmZentrale.h"
#include "mapping/core/MakerTables.h"
#include "mapping/ui/MappingEditor.h"
#include "mapping/ui/MappingEditors.h"
#include "mapping/ui/MappingGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTest>
#include <memory>

using namespace mapping;
using namespace mappingtest;

namespace {

// The tick column of F0 forward.
int firstTick(const QString& entry) {
    return entry == u"mnuFM_NMRA" ? 1 : 5;
}

}  // namespace

class TestMappingWindow : public QObject {
    Q_OBJECT

private slots:
    void editors_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("firstTick");  // tick column of F0 forward
        QTest::newRow("NMRA") << "mnuFM_NMRA" << "frmFM_NMRA" << 1;
        QTest::newRow("Zimo") << "mnuFM_Zimo" << "frmFM_Zimo" << 5;
    }

    void opensFromTheMainMenu_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("menuSetsBusy");
        QTest::newRow("NMRA") << "mnuFM_NMRA" << "frmFM_NMRA" << "  Function Mapping nach NMRA" << "Zelvo_FM_NMRA.htm"
                              << true;
        QTest::newRow("Zimo") << "mnuFM_Zimo" << "frmFM_Zimo" << "  Function Mapping Zimo MX..." << "Zelvo_FM_Zimo.htm"
                              << false;
    }
    void opensFromTheMainMenu() {
        QFETCH(QString, entry);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, page);
        QFETCH(bool, menuSetsBusy);
        EditorRig rig;
        QVERIFY(rig.window->entry(entry)->isEnabled());
        rig.notifier.busy = !menuSetsBusy;  // Zimo: left over from elsewhere, reset all the same
        MappingEditor* e = rig.open(entry);
        expectOpened(rig, e, name, caption, page);
        if (QTest::currentTestFailed())
            return;
        QStringList left;
        for (QAction* a : e->menuBar()->actions())
            left << a->objectName();
        QCOMPARE(left, (QStringList{"mnuDatei", "mnuExtras"}));  // "&?" and "s&chließen" stand right
        e->action(QStringLiteral("mnuHilfe"))->trigger();
        QCOMPARE(rig.notifier.helpPages, QStringList{QStringLiteral("help|") + page});
        // The page shows beside the modal editor and takes keys through the window system,
        // as a user's keys come: it scrolls, Escape closes it, the editor stays open.
        HilfeAnzeigen(findHelpFolder(), 0, page);
        QPointer<HelpWindow> help = HelpWindow::instance();
        QVERIFY(help->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), e);
        QScrollBar* scroll = help->findChild<QTextBrowser*>()->verticalScrollBar();
        help->resize(300, 150);
        help->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help->windowHandle(), Qt::Key_End);
        QVERIFY(scroll->value() > 0);
        QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
        QTRY_VERIFY(!help);
        QVERIFY(e->isVisible());
        // Each opening starts from the defaults; closing asks nothing.
        e->model().setTick({0, 0, firstTick(entry)}, true);
        e->action(QStringLiteral("mnuSchliessen"))->trigger();
        MainWindowRig::flushDeletes();
        QVERIFY(rig.window->findChildren<MappingEditor*>().isEmpty());
        MappingEditor* again = rig.open(entry);
        QCOMPARE(again->model().saveLines(true), QStringList());
        QVERIFY(rig.notifier.messages.isEmpty());
    }

    void menuTexts_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("texts");  // "&Datei" items, then "E&xtras" items
        const QStringList texts{"alle CVs in Datei speichern", "nur CVs >  0 in Datei speichern", "",
                                "alle CVs ins Clipboard schreiben", "nur CVs > 0 ins Clipboard schreiben", "",
                                "Mapping aus Datei einlesen", "", "aktuelles Mapping löschen", "", "s&chließen", "|",
                                "Einlese-Datei erzeugen", "&Werkseinstellung"};
        QTest::newRow("NMRA") << "mnuFM_NMRA" << texts;
        QTest::newRow("Zimo") << "mnuFM_Zimo" << texts;
    }
    void menuTexts() {
        QFETCH(QString, entry);
        QFETCH(QStringList, texts);
        EditorRig rig;
        MappingEditor* e = rig.open(entry);
        QCOMPARE(mappingtest::menuTexts(e), texts);
        QCOMPARE(e->action(QStringLiteral("mnuHilfe"))->text(), QStringLiteral("&?"));
        QCOMPARE(e->action(QStringLiteral("mnuSchliessen"))->text(), QStringLiteral("s&chließen"));
    }

    void tickWithTheMouseAndSave_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("valueCol");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("NMRA Licht vorne on F1") << "mnuFM_NMRA" << 0 << 3 << 3 << "1" << QByteArray("S 035 001\r\n");
        QTest::newRow("NMRA FA 3 on F5") << "mnuFM_NMRA" << 4 << 7 << 7 << "2" << QByteArray("S 039 002\r\n");
        QTest::newRow("Zimo FA 1 on F1") << "mnuFM_Zimo" << 2 << 7 << 3 << "4" << QByteArray("S 035 004\r\n");
    }
    void tickWithTheMouseAndSave() {
        QFETCH(QString, entry);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, valueCol);
        QFETCH(QString, value);
        QFETCH(QByteArray, file);
        EditorRig rig;
        MappingEditor* e = rig.open(entry);
        MappingGrid* fa = e->grid(QStringLiteral("grdFA"));
        MappingGrid* cv = e->grid(QStringLiteral("grdCV"));
        QVERIFY(fa && cv);
        QCOMPARE(background(fa, row, col), faceGrey);
        clickCell(fa, row, col);
        QVERIFY(ticked(fa, row, col));
        QCOMPARE(shown(cv, 1, valueCol), value);
        QCOMPARE(background(fa, row + 1, col), yellow);  // the whole column
        // The value grid's column stands right under its tick column.
        const QPoint tickLeft = fa->viewport()->mapTo(e, fa->visualRect(fa->cellIndex(0, col)).topLeft());
        const QPoint valueLeft = cv->viewport()->mapTo(e, cv->visualRect(cv->cellIndex(0, valueCol)).topLeft());
        QCOMPARE(valueLeft.x(), tickLeft.x());

        rig.notifier.expectMessages = true;
        const QString path = rig.path("mapping.txt");
        rig.answers = {path};
        e->action(QStringLiteral("mnuDatei_speichern_1"))->trigger();
        QCOMPARE(fileBytes(path), file);
        QCOMPARE(rig.dialogSaves, QList<bool>{true});
        QCOMPARE(rig.dialogFlags, QList<int>{Dialog::OverwritePrompt});
        QCOMPARE(onlyMessage(rig.notifier),
                 QStringLiteral(" Tabelle speichern...|Die Tabelle wurde unter \r\r") + path +
                     QStringLiteral("          \r\rgespeichert ! "));
        QCOMPARE(rig.notifier.messages.at(0).icon, Notifier::Icon::Information);

        // A second click takes the tick away again.
        clickCell(fa, row, col);
        QVERIFY(!ticked(fa, row, col));
        QCOMPARE(shown(cv, 1, valueCol), QStringLiteral("0"));
        QCOMPARE(background(fa, row, col), faceGrey);
    }

    void saveAllWritesEveryCv_data() { editors_data(); }
    void saveAllWritesEveryCv() {
        QFETCH(QString, entry);
        EditorRig rig;
        MappingEditor* e = rig.open(entry);
        rig.notifier.expectMessages = true;
        rig.answers = {rig.path("all.txt"), rig.path("none.txt")};
        e->mnuDatei_speichern_Click(0);
        e->mnuDatei_speichern_Click(1);
        QByteArray all;
        for (const QString& line : e->model().saveLines(false))
            all += line.toLatin1() + "\r\n";
        QCOMPARE(fileBytes(rig.path("all.txt")), all);
        QVERIFY(all.startsWith("S 033 000\r\nS 034 000\r\n"));
        QVERIFY(QFile::exists(rig.path("none.txt")));
        QCOMPARE(fileBytes(rig.path("none.txt")), QByteArray());
        QCOMPARE(rig.notifier.messages.size(), 2);  // the message also for the empty file
    }

    // The mapping list and the read list saved over older files on a full disk: the old
    // files keep every byte, no temporary file stays behind, and each failure is reported.
    void saveOnAFullDisk_data() { addFullFolderRows(); }
    void saveOnAFullDisk() {
        FULL_FOLDER_OF_THE_ROW(folder);
        EditorRig rig;
        MappingEditor* e = rig.open(QStringLiteral("mnuFM_NMRA"));
        const QString list = folder.filePath(QStringLiteral("mapping.txt"));
        const QString readList = folder.filePath(QStringLiteral("einlesen.txt"));
        rig.notifier.expectMessages = true;
        rig.answers = {list, readList};
        e->mnuDatei_speichern_Click(0);
        e->mnuExtras_Einlesedatei_Click();
        const QByteArray oldList = fileBytes(list);
        const QByteArray oldReadList = fileBytes(readList);
        QVERIFY(oldList.startsWith("S 033 "));
        QVERIFY(oldReadList.startsWith("L 033"));
        rig.notifier.messages.clear();
        clickCell(e->grid(QStringLiteral("grdFA")), 0, firstTick(QStringLiteral("mnuFM_NMRA")));
        QVERIFY(folder.fill());
        rig.answers = {list, readList};
        e->mnuDatei_speichern_Click(0);
        e->mnuExtras_Einlesedatei_Click();
        folder.release();
        QCOMPARE(fileBytes(list), oldList);
        QCOMPARE(fileBytes(readList), oldReadList);
        QCOMPARE(rig.notifier.messages.size(), 2);
        for (const auto& m : rig.notifier.messages)
            QCOMPARE(m.title + u'|' + m.text, fullDiskReport());
        QCOMPARE(folder.names(), (QStringList{QStringLiteral("einlesen.txt"), QStringLiteral("mapping.txt")}));
    }

    void cancelAndFailures_data() { editors_data(); }
    void cancelAndFailures() {
        QFETCH(QString, entry);
        EditorRig rig;
        MappingEditor* e = rig.open(entry);
        e->mnuDatei_speichern_Click(0);  // cancelled: nothing shown, nothing written
        e->mnuDatei_einlesen_Click();
        e->mnuExtras_Einlesedatei_Click();
        QVERIFY(rig.notifier.messages.isEmpty());
        QCOMPARE(QDir(rig.dir.path()).entryList(QDir::Files), QStringList());

        rig.notifier.expectMessages = true;
        rig.answers = {rig.path("missing/folder/mapping.txt"), rig.path("missing.txt")};
        e->mnuDatei_speichern_Click(0);
        e->mnuDatei_einlesen_Click();
        QCOMPARE(rig.notifier.messages.size(), 2);
        for (const RecordingNotifier::Message& m : rig.notifier.messages) {
            QCOMPARE(m.icon, Notifier::Icon::Critical);
            QVERIFY2(m.text.startsWith(QStringLiteral("Der Zugriff auf die Datei wird verweigert !")), qPrintable(m.text));
        }
        QVERIFY(!rig.notifier.busy);
        QCOMPARE(e->model().saveLines(true), QStringList());
    }

    void clipboard_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("NMRA only above 0") << "mnuFM_NMRA" << 1 << "S 033 001\rS 034 002";
        QTest::newRow("Zimo only above 0") << "mnuFM_Zimo" << 1 << "S 033 001\rS 034 002";
        QTest::newRow("NMRA all") << "mnuFM_NMRA" << 0
                                  << "S 033 001\rS 034 002\rS 035 000\rS 036 000\rS 037 000\rS 038 000\rS 039 000\r"
                                     "S 040 000\rS 041 000\rS 042 000\rS 043 000\rS 044 000\rS 045 000\rS 046 000";
    }
    void clipboard() {
        QFETCH(QString, entry);
        QFETCH(int, index);
        QFETCH(QString, text);
        EditorRig rig;
        MappingEditor* e = rig.open(entry);
        MappingGrid* fa = e->grid(QStringLiteral("grdFA"));
        const int first = firstTick(entry);
        clickCell(fa, 0, first);
        clickCell(fa, 1, first + 1);
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        e->action(QStringLiteral("mnuDatei_Clipboard_%1").arg(index))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        QVERIFY(rig.notifier.messages.isEmpty());
    }

    void clipboardEmptyWhenNothingAboveZero() {
        EditorRig rig;
        MappingEditor* e = rig.open(QStringLiteral("mnuFM_Zimo"));
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        e->mnuDatei_Clipboard_Click(1);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    }

    void readBackAndReadList() {
        EditorRig rig;
        MappingEditor* e = rig.open(QStringLiteral("mnuFM_NMRA"));
        MappingGrid* fa = e->grid(QStringLiteral("grdFA"));
        clickCell(fa, 0, 3);  // a tick that stays: a read merges
        const QString path = rig.path("read.txt");
        QVERIFY(writeFileBytes(path, "S 038 004\r\nL 047 001\nS 035 008 Licht\r"));
        rig.answers = {path, rig.path("list.txt")};
        e->mnuDatei_einlesen_Click();
        QVERIFY(!rig.notifier.busy);
        QVERIFY(ticked(fa, 5, 6));
        QVERIFY(ticked(fa, 0, 3));
        QVERIFY(ticked(fa, 3, 3));
        QCOMPARE(shown(e->grid(QStringLiteral("grdCV")), 1, 3), QStringLiteral("8"));
        QCOMPARE(background(fa, 0, 6), yellow);
        QCOMPARE(rig.dialogSaves, (QList<bool>{false}));
        QCOMPARE(rig.dialogFlags, (QList<int>{0}));

        e->mnuExtras_Einlesedatei_Click();
        QCOMPARE(fileBytes(rig.path("list.txt")),
                 QByteArray("L 033\r\nL 034\r\nL 035\r\nL 036\r\nL 037\r\nL 038\r\nL 039\r\nL 040\r\n"
                            "L 125\r\nL 126\r\nL 127\r\nL 128\r\nL 129\r\nL 130\r\nL 131\r\nL 132\r\n"));
        QVERIFY(rig.notifier.messages.isEmpty());
    }

    void deleteAsks_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("answer");
        QTest::newRow("NMRA Yes") << "mnuFM_NMRA" << int(Notifier::Yes);
        QTest::newRow("NMRA No") << "mnuFM_NMRA" << int(Notifier::No);
        QTest::newRow("Zimo Yes") << "mnuFM_Zimo" << int(Notifier::Yes);
        QTest::newRow("Zimo No") << "mnuFM_Zimo" << int(Notifier::No);
    }
    void deleteAsks() {
        QFETCH(QString, entry);
        QFETCH(int, answer);
        EditorRig rig;
        MappingEditor* e = rig.open(entry);
        MappingModel& m = e->model();
        m.readBack({"S 033 003", "S 040 128", "S 125 018"});
        const QStringList before = m.saveLines(false);
        rig.notifier.answer = answer;
        rig.notifier.expectMessages = true;
        e->action(QStringLiteral("mnuDatei_Del"))->trigger();
        QCOMPARE(rig.notifier.messages.size(), 1);
        const RecordingNotifier::Message& q = rig.notifier.messages.at(0);
        QCOMPARE(q.text, QStringLiteral("Sind Sie sicher ?                 "));
        QCOMPARE(q.title, QStringLiteral(" aktuelles Mapping löschen..."));
        QCOMPARE(q.icon, Notifier::Icon::Question);
        QCOMPARE(q.buttons, Notifier::YesNo);
        QCOMPARE(rig.ctx.Antwort, answer);
        MappingGrid* fa = e->grid(QStringLiteral("grdFA"));
        const int first = firstTick(entry);
        if (answer == Notifier::Yes) {
            QCOMPARE(m.saveLines(true), QStringList());
            QVERIFY(!ticked(fa, 0, first));
            QCOMPARE(background(fa, 0, first), faceGrey);
        } else {
            QCOMPARE(m.saveLines(false), before);
            QVERIFY(ticked(fa, 0, first));
            QCOMPARE(background(fa, 0, first), yellow);
        }
    }

    void factorySettings_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("cv33");
        QTest::newRow("NMRA Yes") << "mnuFM_NMRA" << int(Notifier::Yes) << "S 033 001";
        QTest::newRow("NMRA No keeps what is there") << "mnuFM_NMRA" << int(Notifier::No) << "S 033 129";
        QTest::newRow("Zimo Yes") << "mnuFM_Zimo" << int(Notifier::Yes) << "S 033 001";
        QTest::newRow("Zimo No keeps what is there") << "mnuFM_Zimo" << int(Notifier::No) << "S 033 129";
    }
    void factorySettings() {
        QFETCH(QString, entry);
        QFETCH(int, answer);
        QFETCH(QString, cv33);
        EditorRig rig;
        MappingEditor* e = rig.open(entry);
        const int first = firstTick(entry);
        clickCell(e->grid(QStringLiteral("grdFA")), 7, first);
        rig.notifier.answer = answer;
        rig.notifier.expectMessages = true;
        e->action(QStringLiteral("mnuExtras_Default"))->trigger();
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages.at(0).title, QStringLiteral(" aktuelles Mapping löschen..."));
        QCOMPARE(e->model().saveLines(true).value(0), cv33);
        QCOMPARE(e->model().saveLines(true).size(), 14);
        QCOMPARE(background(e->grid(QStringLiteral("grdFA")), 13, first + 13), yellow);
    }

    void rightClickOpensTheFileMenu_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("opens");
        QTest::newRow("NMRA tick grid right") << "mnuFM_NMRA" << "grdFA" << int(Qt::RightButton) << true;
        QTest::newRow("NMRA tick grid left") << "mnuFM_NMRA" << "grdFA" << int(Qt::LeftButton) << false;
        QTest::newRow("NMRA value grid right") << "mnuFM_NMRA" << "grdCV" << int(Qt::RightButton) << true;
        QTest::newRow("NMRA window right") << "mnuFM_NMRA" << "Form" << int(Qt::RightButton) << true;
        QTest::newRow("NMRA window left") << "mnuFM_NMRA" << "Form" << int(Qt::LeftButton) << false;
        QTest::newRow("Zimo panel right") << "mnuFM_Zimo" << "SSPanel" << int(Qt::RightButton) << true;
        QTest::newRow("Zimo panel left") << "mnuFM_Zimo" << "SSPanel" << int(Qt::LeftButton) << false;
        QTest::newRow("Zimo tick grid right") << "mnuFM_Zimo" << "grdFA" << int(Qt::RightButton) << true;
        // Only the grids with a mouse handler of their own and the window's background open
        // it; panels and grids without one do not pass the click on to the window.
        QTest::newRow("Uhlenbrock tick grid right") << "mnuFM_Uhlenbrock" << "grdFA" << int(Qt::RightButton) << true;
        QTest::newRow("Uhlenbrock CV 50 grid right") << "mnuFM_Uhlenbrock" << "grd50" << int(Qt::RightButton) << true;
        QTest::newRow("Uhlenbrock value grid right") << "mnuFM_Uhlenbrock" << "grdCV" << int(Qt::RightButton) << false;
        QTest::newRow("Uhlenbrock CV 49 panel right") << "mnuFM_Uhlenbrock" << "pnlCV49" << int(Qt::RightButton) << false;
        QTest::newRow("Kühn T145 CV 55 grid right")
            << "mnuDatei_mnuKuehn_Kuehn_T145" << "grd55" << int(Qt::RightButton) << true;
        QTest::newRow("Kühn T145 CV 56 panel right")
            << "mnuDatei_mnuKuehn_Kuehn_T145" << "pnlCV56" << int(Qt::RightButton) << false;
        QTest::newRow("Kühn T145 note right")
            << "mnuDatei_mnuKuehn_Kuehn_T145" << "pnlHinweis" << int(Qt::RightButton) << false;
        QTest::newRow("Kühn T145 window right") << "mnuDatei_mnuKuehn_Kuehn_T145" << "Form" << int(Qt::RightButton) << true;
    }
    void rightClickOpensTheFileMenu() {
        QFETCH(QString, entry);
        QFETCH(QString, where);
        QFETCH(int, button);
        QFETCH(bool, opens);
        EditorRig rig;
        MappingEditor* e = rig.open(entry);
        QWidget* target = e->findChild<QWidget*>(where);
        QVERIFY(target);
        if (auto* grid = qobject_cast<MappingGrid*>(target)) {
            clickCell(grid, 0, 0, Qt::MouseButton(button));
        } else {
            // A spot of the panel or window that no grid covers.
            QPoint spot(3, 3);
            QTest::mouseClick(target, Qt::MouseButton(button), {}, spot);
        }
        QCOMPARE(e->mnuDatei()->isVisible(), opens);
        e->mnuDatei()->close();
    }

    void typingChangesNothing_data() { editors_data(); }
    void typingChangesNothing() {
        QFETCH(QString, entry);
        QFETCH(int, firstTick);
        EditorRig rig;
        MappingEditor* e = rig.open(entry);
        MappingGrid* fa = e->grid(QStringLiteral("grdFA"));
        MappingGrid* cv = e->grid(QStringLiteral("grdCV"));
        fa->setCurrentIndex(fa->cellIndex(0, firstTick));
        QTest::keyClicks(fa, QStringLiteral("x1 "));
        QVERIFY(!ticked(fa, 0, firstTick));
        fa->setCurrentIndex(fa->cellIndex(0, 0));
        QTest::keyClicks(fa, QStringLiteral("Heck"));
        QCOMPARE(shown(fa, 0, 0), QStringLiteral("Licht vorne"));
        cv->setCurrentIndex(cv->cellIndex(1, 1));
        QTest::keyClicks(cv, QStringLiteral("12"));
        QCOMPARE(shown(cv, 1, 1), QStringLiteral("0"));
        QCOMPARE(e->model().saveLines(true), QStringList());
    }

    void zimoEffectChosenWithTheMouse() {
        EditorRig rig;
        MappingEditor* e = rig.open(QStringLiteral("mnuFM_Zimo"));
        MappingGrid* fa = e->grid(QStringLiteral("grdFA"));
        chooseInCell(fa, 3, 1, QStringLiteral("Strobe"));
        QCOMPARE(shown(fa, 3, 1), QStringLiteral("Strobe"));
        QCOMPARE(shown(fa, 3, 4), QStringLiteral("16"));
        chooseInCell(fa, 3, 2, QStringLiteral("rückwärts"));
        QCOMPARE(shown(fa, 3, 2), QStringLiteral("rückwärts"));
        QCOMPARE(shown(fa, 3, 4), QStringLiteral("18"));
        QCOMPARE(e->model().saveLines(true), QStringList{QStringLiteral("S 128 018")});
        // The value cell takes no typed text.
        fa->setCurrentIndex(fa->cellIndex(3, 4));
        QTest::keyClicks(fa, QStringLiteral("99"));
        QCOMPARE(shown(fa, 3, 4), QStringLiteral("18"));
    }

    // What the editors are for: the saved list runs in the Intellibox window.
    void savedListLoadsIntoTheCvGroupTable_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("rows");  // mark, CV, value of the table's rows
        QTest::newRow("NMRA F1 on Licht vorne") << "mnuFM_NMRA" << QStringList{"S", "35", "1"};
        QTest::newRow("Zimo F1 on Licht vorne, Strobe") << "mnuFM_Zimo" << QStringList{"S", "35", "1", "S", "125", "16"};
    }
    void savedListLoadsIntoTheCvGroupTable() {
        QFETCH(QString, entry);
        QFETCH(QStringList, rows);
        EditorRig rig;
        MappingEditor* e = rig.open(entry);
        const bool zimo = entry == u"mnuFM_Zimo";
        clickCell(e->grid(QStringLiteral("grdFA")), 0, zimo ? 7 : 3);
        if (zimo)
            e->model().setNumber({ZimoTicks, 0, 1}, 16);
        rig.notifier.expectMessages = true;
        const QString path = rig.path("mapping.txt");
        rig.answers = {path};
        e->action(QStringLiteral("mnuDatei_speichern_1"))->trigger();

        SimulatedZentrale z;
        frmZentrale zentrale(z.host.ctx, z.host.link(), *rig.dialog);
        rig.answers = {path};
        zentrale.groupGrid().loadTable();
        QStringList got;
        for (const CvRow& row : zentrale.groupGrid().table().rows())
            got << row.action << row.cv << row.value;
        QCOMPARE(got, rows);
        QVERIFY(z.host.notifier.messages.isEmpty());
    }
};

QTEST_MAIN(TestMappingWindow)
#include "tst_mappingwindow.moc"
