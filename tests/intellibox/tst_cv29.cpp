#include "Cv29Panel.h"
#include "FakeZentrale.h"
#include "MarkedLook.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// A station holding one decoder's CV 29: answers reads with the value and writes with "Ok".
struct Station {
    explicit Station(int value) : cv29(value) {}
    int cv29;
    bool silent = false;
    QString readAnswer;  // overrides the read answer when set
    std::optional<QString> operator()(const QString& cmd) {
        if (silent)
            return std::nullopt;
        if (cmd == QLatin1String("XPTRD 29"))
            return readAnswer.isEmpty() ? QStringLiteral("%1 = $xx\r]").arg(cv29) : readAnswer;
        if (cmd.startsWith(QLatin1String("XPTWD 29,"))) {
            cv29 = cmd.mid(9).trimmed().toInt();
            return QStringLiteral("Ok\r]");
        }
        return std::nullopt;
    }
};

}  // namespace

class TestCv29 : public QObject {
    Q_OBJECT

    QString text(const Cv29Panel& p, const QString& name) { return p.findChild<QLabel*>(name)->text(); }
    QString digits(const Cv29Panel& p) {
        QString out;
        for (int bit = 5; bit >= 0; --bit)
            out += text(p, QStringLiteral("lblCV29IIByte_%1").arg(bit));
        return out;
    }
    void click(const Cv29Panel& p, const QString& name) {
        QTest::mouseClick(p.findChild<QPushButton*>(name), Qt::LeftButton);
    }

private slots:
    void startState() {
        FakeZentrale z;
        Cv29Panel p(z);
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
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("38") << 38 << "100110"
                            << QStringList{" Fahrtrichtung normal ", " 28 / 128 Step-Modus ", " Analogbetrieb erlaubt ",
                                           " RailCom aus ", " Kennlinie aus CV 2, 5 & 6 ",
                                           " lange Adresse aus CV 17 & 18 "};
        QTest::newRow("200") << 200 << "001000"
                             << QStringList{" Fahrtrichtung normal ", " 14 / 27 Step-Modus ", " kein Analogbetrieb ",
                                            " RailCom ein ", " Kennlinie aus CV 2, 5 & 6 ", " Basisadresse CV 1 "};
        QTest::newRow("1") << 1 << "000001"
                           << QStringList{" Fahrtrichtung invers ", " 14 / 27 Step-Modus ", " kein Analogbetrieb ",
                                          " RailCom aus ", " Kennlinie aus CV 2, 5 & 6 ", " Basisadresse CV 1 "};
    }
    void read() {
        QFETCH(int, value);
        QFETCH(QString, digits);
        QFETCH(QStringList, texts);
        FakeZentrale z;
        Station st{value};
        z.port.answer = std::ref(st);
        Cv29Panel p(z);
        click(p, "btnCV29IILesen");
        QCOMPARE(z.port.commands(), QStringList({"XPTRD 29", "XPT0"}));
        QCOMPARE(this->digits(p), digits);
        for (int bit = 0; bit < 6; ++bit)
            QCOMPARE(text(p, QStringLiteral("lblCV29II_%1").arg(bit)), texts[bit]);
        auto* valueLabel = p.findChild<QLabel*>("lblCV29IIByte_8");
        QCOMPARE(valueLabel->text(), QString::number(value));
        QVERIFY(isMarked(valueLabel));
        QCOMPARE(valueLabel->toolTip(), QStringLiteral(" aktueller, eingelesener Wert "));
        QCOMPARE(z.status(), QStringLiteral(" Lesevorgang beendet ..."));
        QVERIFY(!z.busy);
        QVERIFY(z.protocol.isEmpty());
    }

    // After a read of 200 the first toggle forms the value from bits 0..5 alone.
    void toggleAndWrite() {
        FakeZentrale z;
        Station st{200};
        z.port.answer = std::ref(st);
        Cv29Panel p(z);
        click(p, "btnCV29IILesen");
        click(p, "btnCV29II_0");
        auto* valueLabel = p.findChild<QLabel*>("lblCV29IIByte_8");
        QCOMPARE(valueLabel->text(), QStringLiteral("9"));
        QVERIFY(!isMarked(valueLabel));
        QCOMPARE(valueLabel->toolTip(), QStringLiteral(" geänderter / zu schreibender Wert "));
        QCOMPARE(text(p, "lblCV29II_0"), QStringLiteral(" Fahrtrichtung invertieren "));
        click(p, "btnCV29II_5");
        QCOMPARE(valueLabel->text(), QStringLiteral("41"));
        QCOMPARE(text(p, "lblCV29II_5"), QStringLiteral(" lange Adresse aus CV 17 & 18 "));
        click(p, "btnCV29II_3");
        QCOMPARE(text(p, "lblCV29II_3"), QStringLiteral(" RailCom aus "));
        click(p, "btnCV29II_3");
        QCOMPARE(text(p, "lblCV29II_3"), QStringLiteral(" RailCom ein  "));
        QVERIFY(p.findChild<QPushButton*>("btnCV29IISchreiben")->isEnabled());

        z.port.writes.clear();
        click(p, "btnCV29IISchreiben");
        QCOMPARE(z.port.commands(), QStringList({"XPTWD 29,41", "XPT0"}));
        QCOMPARE(st.cv29, 41);
        QCOMPARE(z.status(), QStringLiteral(" Schreibvorgang beendet ..."));
        QCOMPARE(valueLabel->text(), QStringLiteral("41"));
    }

    void toggleTwiceAfterRead() {
        FakeZentrale z;
        Station st{1};
        z.port.answer = std::ref(st);
        Cv29Panel p(z);
        click(p, "btnCV29IILesen");
        click(p, "btnCV29II_0");
        QCOMPARE(text(p, "lblCV29II_0"), QStringLiteral(" Fahrtrichtung normal "));
        click(p, "btnCV29II_0");
        QCOMPARE(text(p, "lblCV29II_0"), QStringLiteral(" Fahrtrichtung invertieren "));
    }

    // A read that gets no number keeps "?" everywhere; toggles are refused, and so is the
    // write, which would otherwise wipe the decoder's configuration with 0.
    void failedReadThenRefusedWrite_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("silent");
        QTest::newRow("error answer") << "No ack\r]" << false;
        QTest::newRow("time-out") << "" << true;
    }
    void failedReadThenRefusedWrite() {
        QFETCH(QString, answer);
        QFETCH(bool, silent);
        FakeZentrale z;
        Station st{38};
        z.port.answer = std::ref(st);
        z.notifier.expectMessages = true;
        Cv29Panel p(z);
        click(p, "btnCV29II_1");  // enables the write button
        st.readAnswer = answer;
        st.silent = silent;
        z.port.writes.clear();
        z.notifier.beeps = 0;
        click(p, "btnCV29IILesen");
        QCOMPARE(digits(p), QStringLiteral("??????"));
        QCOMPARE(text(p, "lblCV29IIByte_8"), QStringLiteral("?"));
        if (silent) {
            QCOMPARE(z.port.commands(), QStringList({"XPTRD 29"}));
            QCOMPARE(z.status(), QStringLiteral(" Programmierung abgebrochen..."));
        } else {
            QCOMPARE(z.port.commands(), QStringList({"XPTRD 29", "XPT0"}));
            QCOMPARE(z.status(), QStringLiteral(" Lesevorgang abgebrochen, Fehler: No ack"));
            QCOMPARE(z.notifier.beeps, 1);
        }
        const int messagesBefore = z.notifier.messages.size();

        click(p, "btnCV29II_2");
        QCOMPARE(digits(p), QStringLiteral("??????"));

        z.port.writes.clear();
        click(p, "btnCV29IISchreiben");
        QVERIFY(z.port.writes.isEmpty());
        QCOMPARE(z.notifier.messages.size(), messagesBefore + 1);
        QCOMPARE(z.notifier.messages.last().icon, Notifier::Icon::Critical);
        QCOMPARE(st.cv29, 38);
        QVERIFY(!z.busy);
    }

    void writeErrorStillEndsProgramming() {
        FakeZentrale z;
        z.port.answer = [](const QString& cmd) -> std::optional<QString> {
            if (cmd.startsWith(QLatin1String("XPTWD")))
                return QStringLiteral("No ack\r]");
            return std::nullopt;
        };
        Cv29Panel p(z);
        click(p, "btnCV29II_1");
        click(p, "btnCV29IISchreiben");
        QCOMPARE(z.port.commands(), QStringList({"XPTWD 29,2", "XPT0"}));
        QCOMPARE(z.status(), QStringLiteral(" Schreibvorgang abgebrochen, Fehler: No ack"));
        QCOMPARE(z.notifier.beeps, 1);
    }

    // The 6021 speaks no P50X: the station operations beep and send nothing.
    void noP50xOn6021() {
        FakeZentrale z;
        z.ctx.CuName = QStringLiteral("6021");
        Cv29Panel p(z);
        click(p, "btnCV29IILesen");
        click(p, "btnCV29II_0");
        click(p, "btnCV29IISchreiben");
        QVERIFY(z.port.writes.isEmpty());
        QCOMPARE(z.notifier.beeps, 2);
    }

    void renderPanel() {
        FakeZentrale z;
        Station st{38};
        z.port.answer = std::ref(st);
        Cv29Panel p(z);
        click(p, "btnCV29IILesen");
        p.show();
        QVERIFY(p.grab().save(QStringLiteral("/tmp/quillex_cv29panel.png")));
    }
};

QTEST_MAIN(TestCv29)
#include "tst_cv29.moc"
