#include "programming/ui/AddressPanel.h"
#include "FakeZentraleHost.h"
#include "programming/ui/MarkedLook.h"

// The panel as the Intellibox window makes it, with the stations' largest long addresses.
template <> AddressPanel makePanel<AddressPanel>(SimulatedZentrale& z) {
    AddressPanel::Options options;
    options.longAddressMaximum = [&z] { return z.host.ctx.CuName == QLatin1String("MC") ? 10239 : 9999; };
    return AddressPanel(z.panelHost(), {z.p50x(P50xProgrammer::panel()), z.p50x(P50xProgrammer::basisSwitch())},
                        options);
}

namespace {
// The panel against a simulated station whose decoder has basis address 3, long address
// 4797 and CV 29 = 38.
struct Fixture : PanelRig<AddressPanel> {
    explicit Fixture(const QString& cu = QStringLiteral("IB")) : PanelRig(cu) {
        z.station.setCv(17, 210);
        z.station.setCv(18, 189);
        z.station.setCv(29, 38);
    }
    // Conversion buttons work without the station: no pause before them.
    void convert(int direction) {
        QTest::mouseClick(get<QAbstractButton>(QStringLiteral("btnUmrechnenLA_%1").arg(direction)), Qt::LeftButton);
    }
};
}  // namespace

class TestAddressPanel : public QObject {
    Q_OBJECT
private slots:
    void readAddresses() {
        Fixture f;
        f.click("btnLesenLA");
        QCOMPARE(f.z.station.p50xCommands(), QStringList({"XPTRD 1", "XPTRL", "XPT0"}));
        QCOMPARE(f.text("lblBasisAdresse"), QStringLiteral("3"));
        QCOMPARE(f.text("lblLangeAdresse"), QStringLiteral("4797"));
        QVERIFY(isMarked(f.label("lblLangeAdresse")));
        QVERIFY(!isMarked(f.label("lblBasisAdresse")));
        QCOMPARE(f.z.host.status(), QStringLiteral(" Lesevorgang beendet ..."));
        QVERIFY(!f.z.host.busy);
    }

    // A failed read keeps "?" and marks nothing. `answers` stand in for the station's own,
    // command by command ("" is silence); `answer` is the one that fails.
    void failedAddressRead_data() {
        QTest::addColumn<QList<QByteArray>>("answers");
        QTest::addColumn<bool>("cv17Missing");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("basis");
        QTest::addColumn<QString>("longAddress");
        using A = QList<QByteArray>;
        QTest::newRow("basis no ack") << A{"No ack\r]"} << false << "No ack\r]" << QStringList{"XPTRD 1", "XPT0"} << "?" << "";
        QTest::newRow("basis short answer") << A{"]"} << false << "]" << QStringList{"XPTRD 1", "XPT0"} << "?" << "";
        QTest::newRow("long, CV 17 missing") << A{} << true << "No ack\r]" << QStringList{"XPTRD 1", "XPTRL", "XPT0"}
                                             << "3" << "?";
        QTest::newRow("long silent") << A{"3 = $03 = %00000011\r]", ""} << false << "" << QStringList{"XPTRD 1", "XPTRL"}
                                     << "3" << "?";
    }
    void failedAddressRead() {
        QFETCH(QList<QByteArray>, answers);
        QFETCH(bool, cv17Missing);
        QFETCH(QString, answer);
        QFETCH(QStringList, sent);
        QFETCH(QString, basis);
        QFETCH(QString, longAddress);
        Fixture f;
        for (const QByteArray& a : answers)
            f.z.station.scriptAnswer(a);
        if (cv17Missing)
            f.z.station.removeCv(17);
        f.z.host.notifier.expectMessages = true;
        f.click("btnLesenLA");
        QCOMPARE(f.z.station.p50xCommands(), sent);
        QCOMPARE(f.text("lblBasisAdresse"), basis);
        QCOMPARE(f.text("lblLangeAdresse"), longAddress);
        QVERIFY(!isMarked(f.label("lblLangeAdresse")));
        QVERIFY(!f.z.host.busy);
        if (!answer.isEmpty()) {
            QCOMPARE(f.z.host.notifier.beeps, 1);
            QCOMPARE(f.z.host.status(), QStringLiteral(" Lesevorgang abgebrochen, Fehler: ") +
                                       (answer.size() < 2 ? answer : answer.chopped(2)));
        }
    }

    void writeAddresses_data() {
        QTest::addColumn<QString>("cu");
        QTest::addColumn<QString>("basis");
        QTest::addColumn<QString>("longAddress");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("marked");
        QTest::newRow("both") << "IB" << "3" << "1000" << QStringList{"XPTWD 1,3", "XPTWL 1000", "XPT0"} << "" << true;
        QTest::newRow("both empty") << "IB" << "" << "" << QStringList{} << "" << false;
        QTest::newRow("basis only") << "IB" << "3" << "" << QStringList{"XPTWD 1,3", "XPT0"} << "" << false;
        QTest::newRow("long only 4797") << "IB" << "" << "4797" << QStringList{"XPTWL 4797", "XPT0"} << "" << true;
        QTest::newRow("basis 255") << "MC" << "255" << "" << QStringList{"XPTWD 1,255", "XPT0"} << "" << false;
        QTest::newRow("basis 256") << "IB" << "256" << "1000" << QStringList{}
                                   << "Werte > 255 sind nicht zulässig !           " << false;
        QTest::newRow("long 255") << "IB" << "3" << "255" << QStringList{}
                                  << "Werte < 256 sind nicht zulässig !           " << false;
        QTest::newRow("long 256") << "IB" << "" << "256" << QStringList{"XPTWL 256", "XPT0"} << "" << true;
        QTest::newRow("IB 9999") << "IB" << "" << "9999" << QStringList{"XPTWL 9999", "XPT0"} << "" << true;
        QTest::newRow("IB 10000") << "IB" << "" << "10000" << QStringList{}
                                  << "Werte > 9999 sind bei der IB nicht zulässig !           " << false;
        QTest::newRow("MC 10239") << "MC" << "" << "10239" << QStringList{"XPTWL 10239", "XPT0"} << "" << true;
        QTest::newRow("MC 10240") << "MC" << "" << "10240" << QStringList{}
                                  << "Werte > 10239 sind bei der MC nicht zulässig !           " << false;
    }
    void writeAddresses() {
        QFETCH(QString, cu);
        QFETCH(QString, basis);
        QFETCH(QString, longAddress);
        QFETCH(QStringList, sent);
        QFETCH(QString, message);
        QFETCH(bool, marked);
        Fixture f(cu);
        f.z.host.notifier.expectMessages = !message.isEmpty();
        f.field("txtBasisAdresse")->setText(basis);
        f.field("txtLangeAdresse")->setText(longAddress);
        f.click("btnSchreibenLA");
        QCOMPARE(f.z.station.p50xCommands(), sent);
        QCOMPARE(isMarked(f.field("txtLangeAdresse")), marked);
        if (message.isEmpty()) {
            QVERIFY(f.z.host.notifier.messages.isEmpty());
            QCOMPARE(f.z.host.status(), QStringLiteral(" Schreibvorgang beendet... "));
        } else {
            QCOMPARE(f.z.host.notifier.messages.size(), 1);
            QCOMPARE(f.z.host.notifier.messages[0].text, message);
            QCOMPARE(f.z.host.notifier.messages[0].icon, Notifier::Icon::Critical);
        }
        QVERIFY(!f.z.host.busy);
    }

    void writeLongAddressSetsCvs() {
        Fixture f;
        f.field("txtLangeAdresse")->setText(QStringLiteral("4797"));
        f.z.station.setCv(17, 192);
        f.z.station.setCv(18, 3);
        f.z.station.setCv(29, 6);
        f.click("btnSchreibenLA");
        QCOMPARE(f.z.station.cv(17), std::optional<int>(210));
        QCOMPARE(f.z.station.cv(18), std::optional<int>(189));
        QCOMPARE(f.z.station.decoderAddress(), 4797);
        // Read back through the conversion section.
        const qsizetype before = f.sent();
        f.click("bntCV1718");
        QCOMPARE(f.z.commandsSince(before), QStringList({"XPTRD 17", "XPTRD 18", "XPT0"}));
        QCOMPARE(f.field("txtCV17")->text(), QStringLiteral("210"));
        QCOMPARE(f.field("txtCV18")->text(), QStringLiteral("189"));
        QCOMPARE(f.field("txtUmrLA")->text(), QString());
        f.convert(1);
        QCOMPARE(f.field("txtUmrLA")->text(), QStringLiteral("4797"));
    }

    // A MasterControl confirms each write with CR "]" alone: both writes count, the long
    // address is marked. A station error in the long-address write does not.
    void masterControlWriteAnswers_data() {
        QTest::addColumn<QList<QByteArray>>("answers");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<QString>("status");
        QTest::newRow("written") << QList<QByteArray>{} << true << " Schreibvorgang beendet... ";
        QTest::newRow("bare brackets") << QList<QByteArray>{"]", "]"} << true << " Schreibvorgang beendet... ";
        QTest::newRow("long address no ack") << QList<QByteArray>{"\r]", "No ack\r]"} << false
                                             << " Schreibvorgang abgebrochen, Fehler: No ack";
    }
    void masterControlWriteAnswers() {
        QFETCH(QList<QByteArray>, answers);
        QFETCH(bool, marked);
        Fixture f(QStringLiteral("MC"));
        for (const QByteArray& a : answers)
            f.z.station.scriptAnswer(a);
        f.field("txtBasisAdresse")->setText(QStringLiteral("3"));
        f.field("txtLangeAdresse")->setText(QStringLiteral("10000"));
        f.click("btnSchreibenLA");
        QCOMPARE(f.z.station.p50xCommands(), QStringList({"XPTWD 1,3", "XPTWL 10000", "XPT0"}));
        QCOMPARE(isMarked(f.field("txtLangeAdresse")), marked);
        QTEST(f.z.host.status(), "status");
        QCOMPARE(f.z.host.notifier.beeps, marked ? 0 : 1);
    }

    void activateBasisOnMasterControl() {
        Fixture f(QStringLiteral("MC"));
        f.click("btnBasisAdresse");
        QCOMPARE(f.z.station.p50xCommands(), QStringList({"XPTRD 29", "XPTWD 29, 6", "XPT0"}));
        QCOMPARE(f.z.station.cv(29), std::optional<int>(6));
        QVERIFY(isMarked(f.label("lblBasisAdresse")));
        QCOMPARE(f.z.host.notifier.beeps, 0);
    }

    void basisWriteFailsStopsBeforeLongAddress() {
        Fixture f;
        f.z.station.setProgrammingError(QStringLiteral("No ack"));
        f.field("txtBasisAdresse")->setText(QStringLiteral("3"));
        f.field("txtLangeAdresse")->setText(QStringLiteral("1000"));
        f.click("btnSchreibenLA");
        QCOMPARE(f.z.station.p50xCommands(), QStringList({"XPTWD 1,3", "XPT0"}));
        QCOMPARE(f.z.host.status(), QStringLiteral(" Schreibvorgang abgebrochen, Fehler: No ack"));
        QCOMPARE(f.z.host.notifier.beeps, 1);
    }

    // The conversion section's reads leave the basis-address display alone.
    void conversionReads_data() {
        QTest::addColumn<bool>("cv18Missing");
        QTest::addColumn<QString>("cv18");
        QTest::newRow("both read") << false << "189";
        QTest::newRow("CV 18 fails") << true << "?";
    }
    void conversionReads() {
        QFETCH(bool, cv18Missing);
        QFETCH(QString, cv18);
        Fixture f;
        f.click("btnLesenLA");
        if (cv18Missing)
            f.z.station.removeCv(18);
        const qsizetype before = f.sent();
        f.field("txtUmrLA")->setText(QStringLiteral("77"));
        f.click("bntCV1718");
        QCOMPARE(f.z.commandsSince(before), QStringList({"XPTRD 17", "XPTRD 18", "XPT0"}));
        QCOMPARE(f.field("txtCV17")->text(), QStringLiteral("210"));
        QCOMPARE(f.field("txtCV18")->text(), cv18);
        QCOMPARE(f.field("txtUmrLA")->text(), QString());
        QCOMPARE(f.text("lblBasisAdresse"), QStringLiteral("3"));
    }

    void convert_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("cv17");
        QTest::addColumn<QString>("cv18");
        QTest::newRow("100") << "100" << "192" << "100";
        QTest::newRow("128") << "128" << "192" << "128";
        QTest::newRow("4797") << "4797" << "210" << "189";
        QTest::newRow("9999") << "9999" << "231" << "15";
    }
    void convert() {
        QFETCH(QString, address);
        QFETCH(QString, cv17);
        QFETCH(QString, cv18);
        Fixture f;
        f.field("txtUmrLA")->setText(address);
        f.convert(0);
        QCOMPARE(f.field("txtCV17")->text(), cv17);
        QCOMPARE(f.field("txtCV18")->text(), cv18);
        f.field("txtUmrLA")->clear();
        f.convert(1);
        QCOMPARE(f.field("txtUmrLA")->text(), address);
        QVERIFY(f.z.station.traffic().isEmpty());
    }

    void emptyCvFieldsGiveNegativeAddress() {
        Fixture f;
        f.convert(1);
        QCOMPARE(f.field("txtUmrLA")->text(), QStringLiteral("-49152"));
    }

    void keyFilter() {
        Fixture f;
        QLineEdit* field = f.field("txtLangeAdresse");
        QTest::keyClicks(field, QStringLiteral("1a2 -3.4x56"));
        QCOMPARE(field->text(), QStringLiteral("12345"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("1234"));
        QLineEdit* basis = f.field("txtBasisAdresse");
        QTest::keyClicks(basis, QStringLiteral("2555"));
        QCOMPARE(basis->text(), QStringLiteral("255"));
    }

    // The Lenz window's long-address field takes four digits.
    void fourDigitLongAddress() {
        SimulatedZentrale z;
        AddressPanel::Options options;
        options.longAddressDigits = 4;
        AddressPanel p(z.panelHost(), {z.p50x(P50xProgrammer::panel()), z.p50x(P50xProgrammer::basisSwitch())},
                       options);
        auto* field = p.findChild<QLineEdit*>(QStringLiteral("txtLangeAdresse"));
        QTest::keyClicks(field, QStringLiteral("123456"));
        QCOMPARE(field->text(), QStringLiteral("1234"));
        QCOMPARE(field->toolTip(), QStringLiteral(" lange Adresse (CV 17 / 18) "));
        QCOMPARE(p.findChild<QLineEdit*>(QStringLiteral("txtBasisAdresse"))->toolTip(),
                 QStringLiteral(" Bais-Adresse (CV 1)"));
    }

    void readCv29_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("224") << 224 << QStringList{"224", "11", "1", "00000"};
        QTest::newRow("38") << 38 << QStringList{"38", "00", "1", "00110"};
    }
    void readCv29() {
        QFETCH(int, value);
        QFETCH(QStringList, shown);
        Fixture f;
        f.z.station.setCv(29, value);
        f.click("btnCV29");
        QCOMPARE(f.z.station.p50xCommands(), QStringList({"XPTRD 29", "XPT0"}));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(f.label(QStringLiteral("lblCV29_%1").arg(i))->text(), shown[i]);
    }

    void readCv29Fails() {
        Fixture f;
        f.z.station.scriptAnswer("Busy!\r]");
        f.click("btnCV29");
        QCOMPARE(f.text("lblCV29_0"), QStringLiteral("?"));
        QCOMPARE(f.z.host.status(), QStringLiteral(" Lesevorgang abgebrochen, Fehler: Busy!"));
        QCOMPARE(f.z.host.notifier.beeps, 1);
    }

    void activateBasis_data() {
        QTest::addColumn<int>("cv29");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<int>("after");
        QTest::addColumn<bool>("message");
        QTest::newRow("long address in use") << 38 << QStringList{"XPTRD 29", "XPTWD 29, 6", "XPT0"} << 6 << false;
        QTest::newRow("bits 6 and 7 kept") << 230 << QStringList{"XPTRD 29", "XPTWD 29, 198", "XPT0"} << 198 << false;
        QTest::newRow("basis already active") << 2 << QStringList{"XPTRD 29", "XPT0"} << 2 << true;
    }
    void activateBasis() {
        QFETCH(int, cv29);
        QFETCH(QStringList, sent);
        QFETCH(int, after);
        QFETCH(bool, message);
        Fixture f;
        f.z.station.setCv(29, cv29);
        f.z.host.notifier.expectMessages = message;
        f.click("btnLesenLA");  // marks the long address as read
        const qsizetype before = f.sent();
        f.click("btnBasisAdresse");
        QCOMPARE(f.z.commandsSince(before), sent);
        QCOMPARE(f.z.station.cv(29), std::optional<int>(after));
        QVERIFY(isMarked(f.label("lblBasisAdresse")));
        QVERIFY(!isMarked(f.label("lblLangeAdresse")));
        if (message) {
            QCOMPARE(onlyMessage(f.z.host.notifier),
                     QStringLiteral(" Basis-Adresse aktivieren...|"
                                    "Die Basisadresse ist bereits aktiv !            "));
            QCOMPARE(f.z.host.notifier.messages[0].icon, Notifier::Icon::Information);
            QCOMPARE(f.z.host.status(), QStringLiteral("Basisadresse ist aktiv !"));
        } else {
            QCOMPARE(f.z.host.status(), QStringLiteral(" schreibe Konfigurations-Register (CV 29) ..."));
        }
    }

    void activateBasisReadFails() {
        Fixture f;
        f.z.station.setProgrammingError(QStringLiteral("No ack"));
        f.click("btnBasisAdresse");
        QCOMPARE(f.z.station.p50xCommands(), QStringList({"XPTRD 29", "XPT0"}));
        QVERIFY(!isMarked(f.label("lblBasisAdresse")));
        QCOMPARE(f.z.host.notifier.beeps, 1);
    }

    void clearFields() {
        Fixture f;
        f.click("btnLesenLA");
        f.click("btnCV29");
        f.field("txtCV17")->setText(QStringLiteral("1"));
        f.click("btnFelderLoeschen");
        for (const char* name : {"lblBasisAdresse", "lblLangeAdresse", "lblCV29_0", "lblCV29_1"})
            QCOMPARE(f.text(QString::fromLatin1(name)), QString());
        QCOMPARE(f.field("txtCV17")->text(), QString());
        QVERIFY(!isMarked(f.label("lblLangeAdresse")));
    }

    void stationOperationsNeedP50x() {
        Fixture f(QStringLiteral("6021"));
        for (const char* name : {"btnLesenLA", "btnSchreibenLA", "bntCV1718", "btnCV29", "btnBasisAdresse"})
            f.click(name);
        QVERIFY(f.z.station.traffic().isEmpty());
        QCOMPARE(f.z.host.notifier.beeps, 5);
    }

    void portErrorIsReported() {
        Fixture f;
        f.z.station.vanish();
        f.z.host.notifier.expectMessages = true;
        f.z.host.notifier.answer = Notifier::No;
        f.click("btnLesenLA");
        QCOMPARE(f.z.host.notifier.messages.size(), 1);
        QCOMPARE(f.z.host.notifier.messages[0].title, QStringLiteral(" zentrale Fehlerbehandlung..."));
        QVERIFY(!f.z.host.busy);
        QVERIFY(!f.z.host.link().exchangeRunning());
    }

    void renderPanel() {
        Fixture f;
        f.click("btnLesenLA");
        f.click("btnCV29");
        f.field("txtUmrLA")->setText(QStringLiteral("4797"));
        f.convert(0);
        f.p.show();
        QVERIFY(f.p.grab().save(QStringLiteral("/tmp/quillex_addresspanel.png")));
    }
};

QTEST_MAIN(TestAddressPanel)
#include "tst_addresspanel.moc"
