#include "MainWindowRig.h"
#include "app/core/ManufacturerList.h"
#include "link/core/StationLink.h"
#include "app/ui/Twips.h"
#include "app/core/Version.h"
#include "app/ui/frmDecoderHersteller.h"
#include "app/ui/frmProgrammierhilfe.h"

#include <QApplication>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void noConfigurationFile() {
        MainWindowRig rig;
        rig.window->Form_Load();
        QCOMPARE(rig.port.portName(), QStringLiteral("1"));
        QCOMPARE(rig.port.settings(), QStringLiteral("2400,N,8,1"));
        QVERIFY(rig.port.rts);
        QVERIFY(rig.port.isOpen());
        QVERIFY(rig.window->mnuSystem()->isEnabled());
        QVERIFY(rig.notifier.messages.isEmpty());
        QCOMPARE(rig.window->windowTitle(), QStringLiteral(" Quillex"));
        QCOMPARE(rig.window->findChild<QLabel*>("lblRelease")->text(), releaseText());
        QCOMPARE(SearchHersteller(rig.dir.path(), 97), QStringLiteral("D&H"));  // shipped list installed
    }

    void menuTable_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("enabled");  // before any window is plugged in
        QTest::newRow("MM") << "mnuSystem_MM" << "&Motorola / DCC              " << "Ctrl+M" << false;
        QTest::newRow("SLX") << "mnuSystem_Selectrix" << "&Selectrix" << "Ctrl+S" << false;
        QTest::newRow("Lenz") << "mnuSystem_Lenz" << "&Lenz" << "Ctrl+L" << false;
        QTest::newRow("end") << "mnuSystem_beenden" << "&b&eenden" << "" << true;
        QTest::newRow("ESU") << "mnuFM_ESU" << "&ESU  LokPilot V3.0       " << "" << false;
        QTest::newRow("N025") << "mnuDatei_mnuKuehn_KuehnN025" << "Kühn N025" << "" << false;
        QTest::newRow("NMRA") << "mnuFM_NMRA" << "nach &NMRA " << "" << false;
        QTest::newRow("port") << "mnuExtras_Schnittstelle" << "&Schnittstelle" << "" << true;
        QTest::newRow("makers") << "mnuExtras_Decoderhersteller" << "&Decoder-Hersteller" << "" << true;
        QTest::newRow("aid") << "mnuExtras_PH" << "Programmierhilfe" << "" << true;
        QTest::newRow("IB") << "mnuExtras_IB" << "&Intellibox" << "" << false;
        QTest::newRow("ESU sub") << "muExtras_ESU" << "ESU         " << "" << true;
        QTest::newRow("help") << "mnuHilfe" << "&?" << "" << true;
        QTest::newRow("quit") << "mnuBeenden" << "b&eenden" << "" << true;
    }
    void menuTable() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(bool, enabled);
        MainWindowRig rig;
        QAction* action = rig.window->entry(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut().toString(), shortcut);
        QCOMPARE(action->isEnabled(), enabled);
        rig.window->setOpener(name, [] {});
        QVERIFY(action->isEnabled());
    }

    void helpAndQuitStandRight() {
        MainWindowRig rig;
        rig.window->Form_Load();
        QStringList left;
        for (QAction* a : rig.window->menuBar()->actions())
            left << a->objectName();
        QCOMPARE(left, (QStringList{"mnuSystem", "mnuFM", "mnuExtras"}));
    }

    void startFailures_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<bool>("ended");
        QTest::addColumn<QString>("help");
        const QString missing = QStringLiteral(
            "Fehler 8002:  Der angegebene Anschluß (COM-Port ?) existiert nicht !        \r\rDiesbezügliche Hilfe anzeigen ?");
        QTest::newRow("missing, No") << "99" << "2400,N,8,1" << int(Notifier::No) << missing << 3 << false << "";
        QTest::newRow("missing, Yes") << "99" << "2400,N,8,1" << int(Notifier::Yes) << missing << 3 << false
                                      << "Zelvo_Schnittstelle.htm";
        QTest::newRow("missing, Cancel") << "99" << "2400,N,8,1" << int(Notifier::Cancel) << missing << 3 << true << "";
        QTest::newRow("in use") << "busy" << "2400,N,8,1" << int(Notifier::Ok)
                                << "Fehler 8005:  Der serielle Anschluß wird bereits von einer anderen Anwendung benutzt !   "
                                << 0 << false << "";
        QTest::newRow("bad settings") << "1" << "2400,Q,8,1" << int(Notifier::Ok)
                                      << "bitte überprüfen Sie die Baudrate und wählen Sie einen Eintrag aus der Liste !       "
                                         "\r\rklicken Sie anschliessend auf 'Parameter setzen' ."
                                      << 0 << false << "";
    }
    void startFailures() {
        QFETCH(QString, port);
        QFETCH(QString, settings);
        QFETCH(int, answer);
        QFETCH(QString, text);
        QFETCH(int, buttons);
        QFETCH(bool, ended);
        QFETCH(QString, help);
        MainWindowRig rig;
        rig.writeConfig(port, settings);
        rig.port.failures = {{"99", 8002}, {"busy", 8005}};
        rig.port.rejectedSettings = {"2400,Q,8,1"};
        rig.notifier.expectMessages = true;
        rig.notifier.answer = answer;
        const QByteArray before = rig.configBytes();
        bool programEnded = false;
        try {
            rig.window->Form_Load();
        } catch (const RecordingNotifier::ProgramEnded&) {
            programEnded = true;
        }
        QCOMPARE(programEnded, ended);
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages.at(0).text, text);
        QCOMPARE(int(rig.notifier.messages.at(0).buttons), buttons);
        QCOMPARE(rig.notifier.messages.at(0).icon, Notifier::Icon::Critical);
        QVERIFY(!rig.port.isOpen());
        QCOMPARE(rig.configBytes(), before);
        if (!ended)
            QVERIFY(!rig.window->mnuSystem()->isEnabled());
        QCOMPARE(rig.notifier.helpPages.size(), help.isEmpty() ? 0 : 1);
        if (!help.isEmpty())
            QVERIFY(rig.notifier.helpPages.at(0).endsWith(u'|' + help));
    }

    void secondInstanceRefused() {
        MainWindowRig rig;
        rig.writeConfig("7", "9600,N,8,1");
        const QByteArray before = rig.configBytes();
        QLockFile other(rig.dir.filePath("Quillex.lock"));
        QVERIFY(other.tryLock(0));
        rig.notifier.expectMessages = true;
        QVERIFY_THROWS_EXCEPTION(RecordingNotifier::ProgramEnded, rig.window->Form_Load());
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages.at(0).text, QStringLiteral("Dieses Programm wurde bereits gestartet....          "));
        QCOMPARE(rig.notifier.messages.at(0).title, QStringLiteral(" Quillex"));
        QCOMPARE(rig.notifier.messages.at(0).buttons, Notifier::OkOnly);
        QVERIFY(rig.port.opened.isEmpty());
        QCOMPARE(rig.port.portName(), QString());
        QCOMPARE(rig.configBytes(), before);
        QVERIFY(!QFile::exists(ManufacturerList::filePath(rig.dir.path())));
    }

    void lockReleasedAtShutDown() {
        MainWindowRig first;
        first.window->Form_Load();
        first.window->close();
        MainWindowRig second;
        second.ctx.dataFolder = first.dir.path();
        second.window->Form_Load();  // no message: the first run has ended
        QVERIFY(second.port.isOpen());
    }

    void shutDownWritesConfiguration() {
        MainWindowRig rig;
        rig.window->Form_Load();
        rig.ctx.Delay = 250;
        rig.ctx.ZentraleIndex = 2;
        rig.window->close();
        QVERIFY(!rig.port.isOpen());
        const QByteArray bytes = rig.configBytes();
        QCOMPARE(bytes.count("\r\n"), 28);
        QVERIFY(bytes.startsWith("[COM]\r\n1\r\n\r\n[Settings]\r\n2400,N,8,1\r\n"));
        QVERIFY(bytes.contains("[Delay Kennline schreiben]\r\n 250 \r\n"));
        QVERIFY(bytes.contains("[Zentrale / CU]\r\n 2 \r\n"));
    }

    // The other windows close first, so what they store when closing reaches the file.
    void shutDownClosesOtherWindowsFirst() {
        MainWindowRig rig;
        rig.window->show();
        rig.window->Form_Load();
        rig.entry("mnuExtras_Decoderhersteller")->trigger();
        auto* list = rig.window->findChild<frmDecoderHersteller*>();
        QVERIFY(list && list->isVisible());
        moveTwips(list, 1440, 2880);
        const QPoint stored = positionTwips(list);
        list->model().setData(list->model().index(1, 1), QStringLiteral("Nce"), Qt::EditRole);
        rig.window->close();
        QVERIFY(!list->isVisible());
        QCOMPARE(rig.ctx.PosZentraleLeft, stored.x());
        AppContext back;
        back.dataFolder = rig.dir.path();
        ReadConfig(back);
        QCOMPARE(back.PosZentraleLeft, stored.x());
        QCOMPARE(back.PosZentraleTop, stored.y());
        QCOMPARE(SearchHersteller(rig.dir.path(), 1), QStringLiteral("Nce"));
    }

    void shutDownWriteFailureReported() {
        MainWindowRig rig;
        rig.window->Form_Load();
        QVERIFY(QDir(rig.dir.path()).mkdir("Quillex.cfg"));  // the file cannot be written
        rig.notifier.expectMessages = true;
        rig.window->close();
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages.at(0).title, QStringLiteral(" Datei speichern ..."));
        QVERIFY(!rig.port.isOpen());
    }

    // Closing while a window waits for the station ends that wait; the shut-down follows
    // once the waiting handler has returned.
    void closeDuringStationWait() {
        MainWindowRig rig;
        rig.window->show();
        rig.window->Form_Load();
        bool closedDuringWait = false;
        StationLink::Reply answer;
        rig.clock.onYield = [&] {
            if (!closedDuringWait) {
                closedDuringWait = true;
                rig.window->close();
            }
        };
        {
            StationLink::Exchange exchange(rig.link);
            QVERIFY(bool(exchange));
            answer = rig.link.receive(StationLink::Framing::P50x, 20000);
            QVERIFY(rig.window->isVisible());  // not yet: the handler still runs
            QVERIFY(rig.port.isOpen());
        }
        QVERIFY(closedDuringWait);
        QVERIFY(answer.outcome == StationLink::Outcome::Stopped);
        QVERIFY(rig.clock.ticks() < 20000);
        QTRY_VERIFY(!rig.window->isVisible());
        QVERIFY(!rig.port.isOpen());
        QCOMPARE(rig.configBytes().count("\r\n"), 28);
    }

    void menuSetsSystemMode_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("mode");
        QTest::newRow("MM") << QStringList{"mnuSystem_MM"} << "DCC";
        QTest::newRow("MM then Lenz") << QStringList{"mnuSystem_MM", "mnuSystem_Lenz"} << "Lenz";
        QTest::newRow("Lenz then MM") << QStringList{"mnuSystem_Lenz", "mnuSystem_MM"} << "DCC";
        QTest::newRow("Selectrix") << QStringList{"mnuSystem_Selectrix"} << "SLX";
        QTest::newRow("aid") << QStringList{"mnuSystem_MM", "mnuExtras_PH"} << "PH";
        QTest::newRow("editor keeps mode") << QStringList{"mnuSystem_Lenz", "mnuFM_ESU", "mnuExtras_IB"} << "Lenz";
    }
    void menuSetsSystemMode() {
        QFETCH(QStringList, entries);
        QFETCH(QString, mode);
        MainWindowRig rig;
        rig.window->Form_Load();
        for (const char* name : {"mnuSystem_MM", "mnuSystem_Lenz", "mnuSystem_Selectrix", "mnuFM_ESU", "mnuExtras_IB"})
            rig.window->setOpener(QString::fromLatin1(name), [] {});
        for (const QString& e : entries)
            rig.window->entry(e)->trigger();
        QCOMPARE(rig.ctx.SystemMode, mode);
    }

    void programmingWindowOpensWithMainDisabled() {
        MainWindowRig rig;
        rig.window->Form_Load();
        bool enabledDuringLoad = true;
        QString modeDuringLoad;
        rig.window->setOpener("mnuSystem_MM", [&] {
            enabledDuringLoad = rig.window->isEnabled();
            modeDuringLoad = rig.ctx.SystemMode;
        });
        rig.entry("mnuSystem_MM")->trigger();
        QVERIFY(!enabledDuringLoad);
        QCOMPARE(modeDuringLoad, QStringLiteral("DCC"));
        QVERIFY(rig.window->isEnabled());
    }

    void busyPointer_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("busy");
        QTest::newRow("ESU") << "mnuFM_ESU" << true;
        QTest::newRow("Viessmann") << "mnuDatei_Viessmann_5246" << true;
        QTest::newRow("Zimo") << "mnuFM_Zimo" << false;
        QTest::newRow("CV49") << "muExtras_ESU_CV49" << false;
    }
    void busyPointer() {
        QFETCH(QString, entry);
        QFETCH(bool, busy);
        MainWindowRig rig;
        bool busyWhenShown = false;
        rig.window->setOpener(entry, [&] { busyWhenShown = rig.notifier.busy; });
        rig.window->entry(entry)->trigger();
        QCOMPARE(busyWhenShown, busy);
    }

    void aidBroughtToFrontNotDuplicated() {
        MainWindowRig rig;
        rig.window->show();
        rig.window->Form_Load();
        rig.ctx.SystemMode = QStringLiteral("DCC");
        frmProgrammierhilfe* first = rig.window->showProgrammierhilfe(false);
        rig.entry("mnuExtras_PH")->trigger();
        QCOMPARE(rig.ctx.SystemMode, QStringLiteral("PH"));
        QCOMPARE(rig.window->findChildren<frmProgrammierhilfe*>().size(), 1);
        QCOMPARE(rig.window->showProgrammierhilfe(false), first);
        rig.window->closeProgrammierhilfe();
        MainWindowRig::flushDeletes();
        QVERIFY(rig.window->findChildren<frmProgrammierhilfe*>().isEmpty());
    }

    void helpShowsLastPage() {
        MainWindowRig rig;
        rig.window->Form_Load();
        rig.ctx.HelpPage = QStringLiteral("Zelvo_FM_ESU.htm");
        rig.entry("mnuHilfe")->trigger();
        QCOMPARE(rig.notifier.helpPages, QStringList{rig.ctx.HelpFile + QStringLiteral("|Zelvo_FM_ESU.htm")});
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
