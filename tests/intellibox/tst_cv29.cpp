#include "Cv29Panel.h"
#include "FakeZentraleHost.h"
#include "MarkedLook.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestCv29 : public QObject {
    Q_OBJECT

    QString text(const Cv29Panel& p, const QString& name) { return p.findChild<QLabel*>(name)->text(); }
    QString digits(const Cv29Panel& p) {
        QString out;
        for (int bit = 5; bit >= 0; --bit)
            out += text(p, QStringLiteral("lblCV29IIByte_%1").arg(bit));
        return out;
    }
    // A user's click comes a moment after the last one, when the station has answered.
    void click(SimulatedZentrale& z, const Cv29Panel& p, const QString& name) {
        z.clock.advance(1000);
        QTest::mouseClick(p.findChild<QPushButton*>(name), Qt::LeftButton);
    }

    // The P50X commands the station received since `from` of them.
    static QStringList commandsSince(const SimulatedZentrale& z, qsizetype from) {
        return z.station.p50xCommands().mid(from);
    }

private slots:
    void startState() {
        SimulatedZentrale z;
        Cv29Panel p(z.host);
        QCOMPARE(digits(p), QStringLiteral("000000"));
        QCOMPARE(text(p, "lblCV29IIByte_6"), QStringLiteral("0 0"));
        QCOMPARE(text(p, "lblCV29IIByte_8"), QString());
        QCOMPARE(text(p, "lblCV29II_3"), QStringLiteral("RailCom aus "));
        QCOMPARE(text(p, "lblCV29II_4"), QStringLiteral(" Kennlinie aus CV 2, 5 & 6 "));
        QVERIFY(!p.findChild<QPushButton*>("btnCV29IISchreiben")->isEnabled());
        QCOMPARE(p.findChild<QPushButton*>("btnCV29IILesen")->text(), QStringLiteral("CV lesen"));
        QCOMPARE(p.findChild<QPushButton*>("btnCV29IISchreiben")->toolTip(), QStringLiteral(" CV 29 schreiben "));
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
        SimulatedZentrale z(cu);
        z.station.setCv(29, value);
        Cv29Panel p(z.host);
        click(z, p, "btnCV29IILesen");
        QCOMPARE(z.station.p50xCommands(), QStringList({"XPTRD 29", "XPT0"}));
        QCOMPARE(this->digits(p), digits);
        for (int bit = 0; bit < 6; ++bit)
            QCOMPARE(text(p, QStringLiteral("lblCV29II_%1").arg(bit)), texts[bit]);
        auto* valueLabel = p.findChild<QLabel*>("lblCV29IIByte_8");
        QCOMPARE(valueLabel->text(), QString::number(value));
        QVERIFY(isMarked(valueLabel));
        QCOMPARE(valueLabel->toolTip(), QStringLiteral(" aktueller, eingelesener Wert "));
        QCOMPARE(z.host.status(), QStringLiteral(" Lesevorgang beendet ..."));
        QVERIFY(!z.host.busy);
        QVERIFY(z.host.protocol.isEmpty());
    }

    // After a read of 200 the first toggle forms the value from bits 0..5 alone; the
    // written value is what the decoder then holds.
    void toggleAndWrite() {
        SimulatedZentrale z;
        z.station.setCv(29, 200);
        Cv29Panel p(z.host);
        click(z, p, "btnCV29IILesen");
        click(z, p, "btnCV29II_0");
        auto* valueLabel = p.findChild<QLabel*>("lblCV29IIByte_8");
        QCOMPARE(valueLabel->text(), QStringLiteral("9"));
        QVERIFY(!isMarked(valueLabel));
        QCOMPARE(valueLabel->toolTip(), QStringLiteral(" geänderter / zu schreibender Wert "));
        QCOMPARE(text(p, "lblCV29II_0"), QStringLiteral(" Fahrtrichtung invertieren "));
        click(z, p, "btnCV29II_5");
        QCOMPARE(valueLabel->text(), QStringLiteral("41"));
        QCOMPARE(text(p, "lblCV29II_5"), QStringLiteral(" lange Adresse aus CV 17 & 18 "));
        click(z, p, "btnCV29II_3");
        QCOMPARE(text(p, "lblCV29II_3"), QStringLiteral(" RailCom aus "));
        click(z, p, "btnCV29II_3");
        QCOMPARE(text(p, "lblCV29II_3"), QStringLiteral(" RailCom ein  "));
        QVERIFY(p.findChild<QPushButton*>("btnCV29IISchreiben")->isEnabled());

        const qsizetype before = z.station.p50xCommands().size();
        click(z, p, "btnCV29IISchreiben");
        QCOMPARE(commandsSince(z, before), QStringList({"XPTWD 29,41", "XPT0"}));
        QCOMPARE(z.station.cv(29), std::optional<int>(41));
        QCOMPARE(z.host.status(), QStringLiteral(" Schreibvorgang beendet ..."));
        QCOMPARE(valueLabel->text(), QStringLiteral("41"));
    }

    void toggleTwiceAfterRead() {
        SimulatedZentrale z;
        z.station.setCv(29, 1);
        Cv29Panel p(z.host);
        click(z, p, "btnCV29IILesen");
        click(z, p, "btnCV29II_0");
        QCOMPARE(text(p, "lblCV29II_0"), QStringLiteral(" Fahrtrichtung normal "));
        click(z, p, "btnCV29II_0");
        QCOMPARE(text(p, "lblCV29II_0"), QStringLiteral(" Fahrtrichtung invertieren "));
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
        SimulatedZentrale z;
        z.station.setCv(29, 38);
        z.host.notifier.expectMessages = true;
        Cv29Panel p(z.host);
        click(z, p, "btnCV29II_1");  // enables the write button
        if (error.isEmpty())
            z.station.setFault(SimulatedStation::Fault::Silent);
        else
            z.station.setProgrammingError(error);
        click(z, p, "btnCV29IILesen");
        QCOMPARE(digits(p), QStringLiteral("??????"));
        QCOMPARE(text(p, "lblCV29IIByte_8"), QStringLiteral("?"));
        if (error.isEmpty()) {
            QCOMPARE(z.station.p50xCommands(), QStringList({"XPTRD 29"}));
            QCOMPARE(z.host.status(), QStringLiteral(" Programmierung abgebrochen..."));
            QCOMPARE(z.host.notifier.messages.size(), 1);
            QCOMPARE(z.host.notifier.messages[0].text, QStringLiteral("Die IB antwortet nicht !          "));
        } else {
            QCOMPARE(z.station.p50xCommands(), QStringList({"XPTRD 29", "XPT0"}));
            QCOMPARE(z.host.status(), QStringLiteral(" Lesevorgang abgebrochen, Fehler: ") + error);
            QCOMPARE(z.host.notifier.beeps, 1);
        }
        const qsizetype messagesBefore = z.host.notifier.messages.size();

        click(z, p, "btnCV29II_2");
        QCOMPARE(digits(p), QStringLiteral("??????"));

        const qsizetype before = z.station.p50xCommands().size();
        click(z, p, "btnCV29IISchreiben");
        QCOMPARE(z.station.p50xCommands().size(), before);
        QCOMPARE(z.host.notifier.messages.size(), messagesBefore + 1);
        QCOMPARE(z.host.notifier.messages.last().icon, Notifier::Icon::Critical);
        QCOMPARE(z.station.cv(29), std::optional<int>(38));
        QVERIFY(!z.host.busy);
    }

    void writeErrorStillEndsProgramming() {
        SimulatedZentrale z;
        z.station.setProgrammingError(QStringLiteral("No ack"));
        Cv29Panel p(z.host);
        click(z, p, "btnCV29II_1");
        click(z, p, "btnCV29IISchreiben");
        QCOMPARE(z.station.p50xCommands(), QStringList({"XPTWD 29,2", "XPT0"}));
        QCOMPARE(z.host.status(), QStringLiteral(" Schreibvorgang abgebrochen, Fehler: No ack"));
        QCOMPARE(z.host.notifier.beeps, 1);
        QCOMPARE(z.station.cv(29), std::optional<int>(6));
    }

    // The 6021 speaks no P50X: the station operations beep and send nothing.
    void noP50xOn6021() {
        SimulatedZentrale z(QStringLiteral("6021"));
        Cv29Panel p(z.host);
        click(z, p, "btnCV29IILesen");
        click(z, p, "btnCV29II_0");
        click(z, p, "btnCV29IISchreiben");
        QVERIFY(z.station.traffic().isEmpty());
        QCOMPARE(z.host.notifier.beeps, 2);
    }

    void renderPanel() {
        SimulatedZentrale z;
        z.station.setCv(29, 38);
        Cv29Panel p(z.host);
        click(z, p, "btnCV29IILesen");
        p.show();
        QVERIFY(p.grab().save(QStringLiteral("/tmp/quillex_cv29panel.png")));
    }
};

QTEST_MAIN(TestCv29)
#include "tst_cv29.moc"
