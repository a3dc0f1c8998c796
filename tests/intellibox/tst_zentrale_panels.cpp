#include "programming/ui/CvGroupGrid.h"
#include "programming/core/CvGroupTable.h"
#include "ZentraleRig.h"

#include <QAction>

namespace {

using Rig = ZentraleRig;

QList<int> bytes(const QByteArray& b) {
    QList<int> out;
    for (char c : b)
        out << int(quint8(c));
    return out;
}

}  // namespace

// The programming window as the user drives it: each of its parts against the simulated
// station, with the exact traffic.
class TestZentralePanels : public QObject {
    Q_OBJECT
private slots:
    void cv29ReadToggleWrite() {
        Rig rig;
        rig.click("rbnCV29");
        rig.click("btnCV29IILesen");
        QCOMPARE(rig.commands(), (QStringList{"XPTRD 29", "XPT0"}));
        QCOMPARE(rig.label("lblCV29IIByte_8"), QStringLiteral("6"));
        rig.userPause();
        rig.click("btnCV29II_5");  // long address on
        QCOMPARE(rig.label("lblCV29IIByte_8"), QStringLiteral("38"));
        rig.click("btnCV29IISchreiben");
        QCOMPARE(rig.commands(), (QStringList{"XPTRD 29", "XPT0", "XPTWD 29,38", "XPT0"}));
        QCOMPARE(rig.station.cv(29), std::optional<int>(38));
        QCOMPARE(rig.window->status(), QStringLiteral(" Schreibvorgang beendet ..."));
        QVERIFY(!rig.link.exchangeRunning());
        QVERIFY(!rig.notifier.busy);
    }

    // A failed read leaves nothing a write could send.
    void cv29FailedReadRefusesWrite() {
        Rig rig;
        rig.notifier.expectMessages = true;
        rig.window->showCv29View(true);
        rig.station.setProgrammingError(QStringLiteral("No ack"));
        rig.click("btnCV29IILesen");
        rig.click("btnCV29IISchreiben");
        QCOMPARE(rig.commands(), (QStringList{"XPTRD 29", "XPT0"}));
    }

    // The largest long address is the station's: 9999 on an Intellibox, 10239 on a
    // MasterControl.
    void longAddressLimitOfTheStation_data() {
        QTest::addColumn<int>("station");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("refusal");  // empty: written
        QTest::newRow("IB 9999") << 2 << "9999" << "";
        QTest::newRow("IB 10000") << 2 << "10000" << "Werte > 9999 sind bei der IB nicht zulässig !           ";
        QTest::newRow("MC 10239") << 1 << "10239" << "";
        QTest::newRow("MC 10240") << 1 << "10240" << "Werte > 10239 sind bei der MC nicht zulässig !           ";
    }
    void longAddressLimitOfTheStation() {
        QFETCH(int, station);
        QFETCH(QString, address);
        QFETCH(QString, refusal);
        Rig rig(station);
        rig.notifier.expectMessages = !refusal.isEmpty();
        rig.click("rbnLA");
        rig.txt("txtLangeAdresse")->setText(address);
        rig.click("btnSchreibenLA");
        if (refusal.isEmpty()) {
            QCOMPARE(rig.commands(), (QStringList{"XPTWL " + address, "XPT0"}));
        } else {
            QVERIFY(rig.nothingSent());
            QCOMPARE(onlyMessage(rig.notifier), QStringLiteral(" lange Adresse schreiben...|") + refusal);
        }
    }

    void longAddressWriteAndRead() {
        Rig rig;
        rig.click("rbnLA");
        rig.txt("txtLangeAdresse")->setText(QStringLiteral("4797"));
        rig.click("btnSchreibenLA");
        QCOMPARE(rig.commands(), (QStringList{"XPTWL 4797", "XPT0"}));
        QCOMPARE(rig.station.cv(17), std::optional<int>(210));
        QCOMPARE(rig.station.cv(18), std::optional<int>(189));
        rig.userPause();
        rig.click("btnLesenLA");
        QCOMPARE(rig.commands().mid(2), (QStringList{"XPTRD 1", "XPTRL", "XPT0"}));
        QCOMPARE(rig.label("lblBasisAdresse"), QStringLiteral("3"));
        QCOMPARE(rig.label("lblLangeAdresse"), QStringLiteral("4797"));
        // "Felder löschen" empties what was read.
        rig.click("btnFelderLoeschen");
        QCOMPARE(rig.label("lblLangeAdresse"), QString());
        QCOMPARE(rig.txt("txtLangeAdresse")->text(), QString());
    }

    // Register 1 of an mfx decoder through the 6021: P50 bytes only, then the drive desk
    // goes on with the new address.
    void motorolaWriteThrough6021() {
        Rig rig(0, 1);
        rig.txt("txtRegister")->setText(QStringLiteral("1"));
        rig.txt("txtWert")->setText(QStringLiteral("5"));
        rig.click("btnSchreiben");
        QVERIFY(rig.commands().isEmpty());
        QCOMPARE(bytes(rig.station.p50Bytes()),
                 (QList<int>{97, 0, 80, 15, 80, 96, 0, 1, 0, 80, 15, 1, 0, 1, 15, 5, 97, 96}));
        QCOMPARE(rig.rows(), (QList<CvRow>{{"S", "1", "5", {}}}));
        QCOMPARE(rig.txt("txtAdresse")->text(), QStringLiteral("5"));
        QCOMPARE(rig.window->status(), QStringLiteral(" Programmierung beendet !"));
        QVERIFY(!rig.notifier.busy);
    }

    void driveDesk_data() {
        QTest::addColumn<int>("station");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QList<int>>("sentBytes");
        QTest::newRow("IB") << 2 << "XL 3, 35, 0, 0, 0, 0, 0, 0" << QList<int>{97, 96};
        QTest::newRow("MC") << 1 << "XL 3, 35, 0, 0, 0, 0, 0, 0" << QList<int>{97, 96};
        QTest::newRow("6021") << 0 << "" << QList<int>{5, 3, 97, 96};
    }
    void driveDesk() {
        QFETCH(int, station);
        QFETCH(QString, command);
        QFETCH(QList<int>, sentBytes);
        Rig rig(station, station == 0 ? 1 : 2);
        rig.txt("txtAdresse")->setText(QStringLiteral("3"));
        rig.txt("txtFahrstufe")->setText(QStringLiteral("5"));
        rig.click("btnAnfahren");
        rig.click("btnPower_0");
        QVERIFY(!rig.station.powerOn());
        rig.click("btnPower_1");
        QVERIFY(rig.station.powerOn());
        QCOMPARE(rig.commands(), command.isEmpty() ? QStringList{} : QStringList{command});
        QCOMPARE(bytes(rig.station.p50Bytes()), sentBytes);
    }

    // Rows "S", "L" without an answer the station can give, and "L": the failed read logs
    // nothing and leaves its value cell alone.
    void tableRun() {
        Rig rig;
        rig.window->showCvGroupView(true);
        rig.window->groupTable().appendRows({{"S", "29", "6", {}}, {"L", "30", "", {}}, {"L", "8", "", {}}},
                                            QStringLiteral("DCC"));
        rig.station.removeCv(30);
        rig.window->groupGrid().popupAction(QStringLiteral("mnuPopUp_GR_schreiben"))->trigger();
        QCOMPARE(rig.commands(), (QStringList{"XPTWD29, 6", "XPTRD30", "XPTRD8", "XPT0"}));
        QCOMPARE(rig.rows(), (QList<CvRow>{{"S", "29", "6", {}}, {"L", "8", "97", {}}}));
        QCOMPARE(rig.window->groupTable().cell(1, CvGroupTable::Value), QString());
        QCOMPARE(rig.window->groupTable().cell(2, CvGroupTable::Value), QStringLiteral("97"));
        QCOMPARE(rig.notifier.beeps, 1);
        QVERIFY(!rig.link.exchangeRunning());
    }

    // "aktuelle Zeile schreiben / lesen" runs the row through the window's own read.
    void tableCurrentRow() {
        Rig rig;
        rig.window->showCvGroupView(true);
        rig.window->groupTable().appendRows({{"L", "8", "", {}}}, QStringLiteral("DCC"));
        rig.window->groupGrid().setCurrentIndex(rig.window->groupTable().index(0, CvGroupTable::Cv));
        rig.window->groupGrid().popupAction(QStringLiteral("mnuPopUp_GR_aktZeileschreiben"))->trigger();
        QCOMPARE(rig.commands(), (QStringList{"XPTRD8", "XPT0"}));
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("97"));
    }

    void closeDuringTableRun() {
        Rig rig;
        rig.window->showCvGroupView(true);
        rig.window->groupTable().appendRows({{"S", "29", "6", {}}, {"L", "8", "", {}}}, QStringLiteral("DCC"));
        rig.onceAfter(500, [&] { rig.window->close(); });
        rig.window->groupGrid().runTable();
        QCOMPARE(rig.commands(), (QStringList{"XPTWD29, 6", "XPT0"}));
        QVERIFY(rig.rows().isEmpty());
        QVERIFY(rig.notifier.messages.isEmpty());
        QVERIFY(!rig.link.exchangeRunning());
        QVERIFY(rig.clock.ticks() < 2000);
    }

    void addressSearchFindsTheLoco() {
        Rig rig;
        rig.click("btnSearchAdress");
        QCOMPARE(rig.commands(), (QStringList{"XPT1", "XPTMS", "XPT0"}));
        QCOMPARE(rig.txt("txtAdresse")->text(), QStringLiteral("3"));
    }

    void closeDuringAddressSearch() {
        Rig rig;
        rig.txt("txtAdresse")->setText(QStringLiteral("12"));
        rig.onceAfter(2500, [&] { rig.window->close(); });
        rig.click("btnSearchAdress");
        QCOMPARE(rig.commands(), (QStringList{"XPT1", "XPTMS", "XPT0"}));
        QCOMPARE(rig.txt("txtAdresse")->text(), QStringLiteral("12"));
        QVERIFY(rig.clock.ticks() < 5000);
        QVERIFY(!rig.link.exchangeRunning());
        QVERIFY(rig.notifier.messages.isEmpty());
    }

    // While the search waits, the window's other station operations are refused.
    void searchBlocksOtherOperations() {
        Rig rig;
        rig.onceAfter(2500, [&] {
            rig.click("btnLesen");
            rig.click("btnAnfahren");
        });
        rig.click("btnSearchAdress");
        QCOMPARE(rig.commands(), (QStringList{"XPT1", "XPTMS", "XPT0"}));
        QCOMPARE(rig.notifier.beeps, 2);
    }

    // A port that vanishes under any of the window's operations ends in the central error
    // report, never in the event loop.
    void vanishedPortIsReported_data() {
        QTest::addColumn<QString>("button");
        for (const char* name : {"btnLesen", "btnSchreiben", "btnPower_0", "btnAnfahren", "btnCV29IILesen",
                                 "btnLesenLA", "btnSearchAdress"})
            QTest::newRow(name) << QString::fromLatin1(name);
        QTest::newRow("table run") << QString();
    }
    void vanishedPortIsReported() {
        QFETCH(QString, button);
        Rig rig;
        rig.notifier.expectMessages = true;
        rig.txt("txtAdresse")->setText(QStringLiteral("3"));
        rig.txt("txtWert")->setText(QStringLiteral("6"));
        rig.window->groupTable().appendRows({{"S", "29", "6", {}}}, QStringLiteral("DCC"));
        // A parked view takes no clicks: the view of the button is shown first.
        if (button == QLatin1String("btnCV29IILesen"))
            rig.window->showCv29View(true);
        if (button == QLatin1String("btnLesenLA"))
            rig.window->showLaView(true);
        rig.station.vanish();
        if (button.isEmpty())
            rig.window->groupGrid().runTable();
        else
            rig.click(qPrintable(button));
        QVERIFY(!rig.notifier.messages.isEmpty());
        // The step that was running is not going on: its status goes.
        QCOMPARE(rig.window->status(), QString());
        QVERIFY(!rig.notifier.busy);
        QVERIFY(!rig.link.exchangeRunning());
    }
};

QTEST_MAIN(TestZentralePanels)
#include "tst_zentrale_panels.moc"
