#include "programming/ui/Cv29Panel.h"
#include "FakeZentraleHost.h"
#include "programming/ui/MarkedLook.h"

// The panel as the Intellibox window makes it.
template <> Cv29Panel makePanel<Cv29Panel>(SimulatedZentrale& z) {
    return Cv29Panel(z.panelHost(), z.p50x(P50xProgrammer::panel()), {});
}

using Rig = PanelRig<Cv29Panel>;

namespace {
QString bitDigits(Rig& r) {
    QString out;
    for (int bit = 5; bit >= 0; --bit)
        out += r.text(QStringLiteral("lblCV29IIByte_%1").arg(bit));
    return out;
}
}  // namespace

class TestCv29 : public QObject {
    Q_OBJECT
private slots:
    void startState() {
        Rig r;
        QCOMPARE(bitDigits(r), QStringLiteral("000000"));
        QCOMPARE(r.text("lblCV29IIByte_6"), QStringLiteral("0 0"));
        QCOMPARE(r.text("lblCV29IIByte_8"), QString());
        QCOMPARE(r.text("lblCV29II_3"), QStringLiteral("RailCom aus "));
        QCOMPARE(r.text("lblCV29II_4"), QStringLiteral(" Kennlinie aus CV 2, 5 & 6 "));
        QVERIFY(!r.get<QAbstractButton>("btnCV29IISchreiben")->isEnabled());
        QCOMPARE(r.get<QAbstractButton>("btnCV29IILesen")->text(), QStringLiteral("CV lesen"));
        QCOMPARE(r.get<QAbstractButton>("btnCV29IISchreiben")->toolTip(), QStringLiteral(" CV 29 schreiben "));
    }

    void read_data() {
        QTest::addColumn<QString>("cu");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("38") << "IB" << 38 << "100110"
                            << QStringList{" Fahrtrichtung normal ", " 28 / 128 Step-Modus ", " Analogbetrieb erlaubt ",
                                           " RailCom aus ", " Kennlinie aus CV 2, 5 & 6 ",
                                           " lange Adresse aus CV 17 & 18 "};
        QTest::newRow("200") << "MC" << 200 << "001000"
                             << QStringList{" Fahrtrichtung normal ", " 14 / 27 Step-Modus ", " kein Analogbetrieb ",
                                            " RailCom ein ", " Kennlinie aus CV 2, 5 & 6 ", " Basisadresse CV 1 "};
        QTest::newRow("1") << "IB" << 1 << "000001"
                           << QStringList{" Fahrtrichtung invers ", " 14 / 27 Step-Modus ", " kein Analogbetrieb ",
                                          " RailCom aus ", " Kennlinie aus CV 2, 5 & 6 ", " Basisadresse CV 1 "};
    }
    void read() {
        QFETCH(QString, cu);
        QFETCH(int, value);
        QFETCH(QString, digits);
        QFETCH(QStringList, texts);
        Rig r(cu);
        r.z.station.setCv(29, value);
        r.click("btnCV29IILesen");
        QCOMPARE(r.z.station.p50xCommands(), QStringList({"XPTRD 29", "XPT0"}));
        QCOMPARE(bitDigits(r), digits);
        for (int bit = 0; bit < 6; ++bit)
            QCOMPARE(r.text(QStringLiteral("lblCV29II_%1").arg(bit)), texts[bit]);
        auto* valueLabel = r.label("lblCV29IIByte_8");
        QCOMPARE(valueLabel->text(), QString::number(value));
        QVERIFY(isMarked(valueLabel));
        QCOMPARE(valueLabel->toolTip(), QStringLiteral(" aktueller, eingelesener Wert "));
        QCOMPARE(r.z.host.status(), QStringLiteral(" Lesevorgang beendet ..."));
        QVERIFY(!r.z.host.busy);
        QVERIFY(r.z.host.protocol.isEmpty());
    }

    // After a read of 200 the first toggle forms the value from bits 0..5 alone; the
    // written value is what the decoder then holds.
    void toggleAndWrite() {
        Rig r;
        r.z.station.setCv(29, 200);
        r.click("btnCV29IILesen");
        r.click("btnCV29II_0");
        auto* valueLabel = r.label("lblCV29IIByte_8");
        QCOMPARE(valueLabel->text(), QStringLiteral("9"));
        QVERIFY(!isMarked(valueLabel));
        QCOMPARE(valueLabel->toolTip(), QStringLiteral(" geänderter / zu schreibender Wert "));
        QCOMPARE(r.text("lblCV29II_0"), QStringLiteral(" Fahrtrichtung invertieren "));
        r.click("btnCV29II_5");
        QCOMPARE(valueLabel->text(), QStringLiteral("41"));
        QCOMPARE(r.text("lblCV29II_5"), QStringLiteral(" lange Adresse aus CV 17 & 18 "));
        r.click("btnCV29II_3");
        QCOMPARE(r.text("lblCV29II_3"), QStringLiteral(" RailCom aus "));
        r.click("btnCV29II_3");
        QCOMPARE(r.text("lblCV29II_3"), QStringLiteral(" RailCom ein  "));
        QVERIFY(r.get<QAbstractButton>("btnCV29IISchreiben")->isEnabled());

        const qsizetype before = r.sent();
        r.click("btnCV29IISchreiben");
        QCOMPARE(r.z.commandsSince(before), QStringList({"XPTWD 29,41", "XPT0"}));
        QCOMPARE(r.z.station.cv(29), std::optional<int>(41));
        QCOMPARE(r.z.host.status(), QStringLiteral(" Schreibvorgang beendet ..."));
        QCOMPARE(valueLabel->text(), QStringLiteral("41"));
    }

    void toggleTwiceAfterRead() {
        Rig r;
        r.z.station.setCv(29, 1);
        r.click("btnCV29IILesen");
        r.click("btnCV29II_0");
        QCOMPARE(r.text("lblCV29II_0"), QStringLiteral(" Fahrtrichtung normal "));
        r.click("btnCV29II_0");
        QCOMPARE(r.text("lblCV29II_0"), QStringLiteral(" Fahrtrichtung invertieren "));
    }

    // A read that gets no number keeps "?" everywhere; toggles are refused, and so is the
    // write, which would otherwise wipe the decoder's configuration with 0.
    void failedReadThenRefusedWrite_data() {
        QTest::addColumn<QString>("error");  // empty: the station stays silent
        QTest::newRow("no ack") << "No ack";
        QTest::newRow("short circuit") << "Short!";
        QTest::newRow("time-out") << "";
    }
    void failedReadThenRefusedWrite() {
        QFETCH(QString, error);
        Rig r;
        r.z.station.setCv(29, 38);
        r.z.host.notifier.expectMessages = true;
        r.click("btnCV29II_1");  // enables the write button
        if (error.isEmpty())
            r.z.station.setFault(SimulatedStation::Fault::Silent);
        else
            r.z.station.setProgrammingError(error);
        r.click("btnCV29IILesen");
        QCOMPARE(bitDigits(r), QStringLiteral("??????"));
        QCOMPARE(r.text("lblCV29IIByte_8"), QStringLiteral("?"));
        if (error.isEmpty()) {
            QCOMPARE(r.z.station.p50xCommands(), QStringList({"XPTRD 29"}));
            QCOMPARE(r.z.host.status(), QStringLiteral(" Programmierung abgebrochen..."));
            QCOMPARE(r.z.host.notifier.messages.size(), 1);
            QCOMPARE(r.z.host.notifier.messages[0].text, QStringLiteral("Die IB antwortet nicht !          "));
        } else {
            QCOMPARE(r.z.station.p50xCommands(), QStringList({"XPTRD 29", "XPT0"}));
            QCOMPARE(r.z.host.status(), QStringLiteral(" Lesevorgang abgebrochen, Fehler: ") + error);
            QCOMPARE(r.z.host.notifier.beeps, 1);
        }
        const qsizetype messagesBefore = r.z.host.notifier.messages.size();

        r.click("btnCV29II_2");
        QCOMPARE(bitDigits(r), QStringLiteral("??????"));

        const qsizetype before = r.sent();
        r.click("btnCV29IISchreiben");
        QCOMPARE(r.z.station.p50xCommands().size(), before);
        QCOMPARE(r.z.host.notifier.messages.size(), messagesBefore + 1);
        QCOMPARE(r.z.host.notifier.messages.last().icon, Notifier::Icon::Critical);
        QCOMPARE(r.z.station.cv(29), std::optional<int>(38));
        QVERIFY(!r.z.host.busy);
    }

    // The write answer's one rule on both P50X stations.
    void writeAnswers_data() {
        QTest::addColumn<QString>("cu");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("status");
        QTest::newRow("Intellibox") << "IB" << "" << " Schreibvorgang beendet ...";
        QTest::newRow("MasterControl") << "MC" << "" << " Schreibvorgang beendet ...";
        QTest::newRow("MasterControl no ack") << "MC" << "No ack" << " Schreibvorgang abgebrochen, Fehler: No ack";
    }
    void writeAnswers() {
        QFETCH(QString, cu);
        QFETCH(QString, error);
        Rig r(cu);
        r.z.station.setProgrammingError(error);
        r.click("btnCV29II_1");
        r.click("btnCV29IISchreiben");
        QCOMPARE(r.z.station.p50xCommands(), QStringList({"XPTWD 29,2", "XPT0"}));
        QTEST(r.z.host.status(), "status");
        QCOMPARE(r.z.host.notifier.beeps, error.isEmpty() ? 0 : 1);
    }

    void writeErrorStillEndsProgramming() {
        Rig r;
        r.z.station.setProgrammingError(QStringLiteral("No ack"));
        r.click("btnCV29II_1");
        r.click("btnCV29IISchreiben");
        QCOMPARE(r.z.station.p50xCommands(), QStringList({"XPTWD 29,2", "XPT0"}));
        QCOMPARE(r.z.host.status(), QStringLiteral(" Schreibvorgang abgebrochen, Fehler: No ack"));
        QCOMPARE(r.z.host.notifier.beeps, 1);
        QCOMPARE(r.z.station.cv(29), std::optional<int>(6));
    }

    // The 6021 speaks no P50X: the station operations beep and send nothing.
    void noP50xOn6021() {
        Rig r(QStringLiteral("6021"));
        r.click("btnCV29IILesen");
        r.click("btnCV29II_0");
        r.click("btnCV29IISchreiben");
        QVERIFY(r.z.station.traffic().isEmpty());
        QCOMPARE(r.z.host.notifier.beeps, 2);
    }

    // The Lenz window's panel: no button and no meaning for bit 3, whose digit is still
    // read and kept in a toggle; a toggled 1 reads as after a read.
    void withoutBit3() {
        SimulatedZentrale z;
        Cv29Panel::Options lenzLook;
        lenzLook.bit3Editable = false;
        lenzLook.toggleShowsReadText = true;
        Cv29Panel p(z.panelHost(), z.p50x(P50xProgrammer::panel()), lenzLook);
        QVERIFY(!p.findChild<QAbstractButton*>(QStringLiteral("btnCV29II_3")));
        QVERIFY(!p.findChild<QLabel*>(QStringLiteral("lblCV29II_3")));
        QVERIFY(p.findChild<QAbstractButton*>(QStringLiteral("btnCV29II_2")));
        auto text = [&](const QString& name) { return p.findChild<QLabel*>(name)->text(); };
        z.station.setCv(29, 8);
        QTest::mouseClick(p.findChild<QAbstractButton*>(QStringLiteral("btnCV29IILesen")), Qt::LeftButton);
        QCOMPARE(text(QStringLiteral("lblCV29IIByte_3")), QStringLiteral("1"));
        QTest::mouseClick(p.findChild<QAbstractButton*>(QStringLiteral("btnCV29II_0")), Qt::LeftButton);
        QCOMPARE(text(QStringLiteral("lblCV29IIByte_8")), QStringLiteral("9"));
        QCOMPARE(text(QStringLiteral("lblCV29II_0")), QStringLiteral(" Fahrtrichtung invers "));
        p.btnCV29II_Clicked(3);
        QCOMPARE(text(QStringLiteral("lblCV29IIByte_8")), QStringLiteral("9"));
    }

    void renderPanel() {
        Rig r;
        r.z.station.setCv(29, 38);
        r.click("btnCV29IILesen");
        r.p.show();
        QVERIFY(r.p.grab().save(QStringLiteral("/tmp/quillex_cv29panel.png")));
    }
};

QTEST_MAIN(TestCv29)
#include "tst_cv29.moc"
