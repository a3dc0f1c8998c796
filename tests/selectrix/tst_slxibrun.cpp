#include "RecordingNotifier.h"
#include "SelectrixRig.h"
#include "TestFiles.h"
#include "app/core/AppContext.h"
#include "link/core/StationLink.h"
#include "selectrix/core/SlxIbRun.h"

#include <QTest>

namespace {

using Values = std::array<int, 5>;

// The Intellibox run on a simulated Intellibox through the station link, on virtual time;
// the window's combos hold 80, 5, 6, 3, 2.
struct IbRig {
    VirtualClock clock;
    SimulatedStation station{clock, SimulatedStation::Kind::Intellibox};
    RecordingNotifier notifier;
    AppContext ctx;
    StationLink link{station, clock};
    // The run works inside its window's exchange; cancelling it is the window closing.
    StationLink::Exchange exchange{link};
    RecordingSelectrixHost host;
    SlxIbInput input{"80", "5", "6", "3", "2", "IB", "DCC"};

    IbRig() {
        ctx.notifier = &notifier;
        station.open();
    }
    SlxIbRun::Outcome run(int index) { return SlxIbRun(link, host, input).SLXIB(index); }
    // When these bytes went out the last time, -1 when never.
    qint64 lastTimeOf(const QByteArray& sent) const {
        qint64 time = -1;
        for (const SimulatedStation::Traffic& traffic : station.traffic())
            if (traffic.toStation && traffic.bytes == sent)
                time = traffic.time;
        return time;
    }
    QStringList fieldTexts() const {
        QStringList texts;
        for (SxField f : {SxField::ADR, SxField::GE, SxField::BE, SxField::IM, SxField::HA})
            texts.append(host.fields.value(f));
        return texts;
    }
};

}  // namespace

// Selectrix decoders through an Intellibox: "XPTSW"/"XPTSR" and their answers over the
// station link, "XPT0" after an answer, the read answer's values, the time-out.
class TestSlxIbRun : public QObject {
    Q_OBJECT
private slots:
    // "XPTSW " with the five values joined by commas, a carriage return; "XPT0" once "]" came.
    void write() {
        IbRig r;
        QCOMPARE(r.run(1), SlxIbRun::Outcome::Done);
        QCOMPARE(r.station.writtenText(), QStringLiteral("XPTSW 80,5,6,3,2\rXPT0\r"));
        QCOMPARE(r.station.sxParameters(), (Values{80, 5, 6, 3, 2}));
        QVERIFY(r.lastTimeOf("XPT0\r") >= r.station.programmingDelay());
        QCOMPARE(r.host.rows, (QList<QStringList>{{"S", "80", "5", "6", "3", "2"}}));
        QCOMPARE(r.host.status(), QStringLiteral(" Programmiervorgang: Ok"));
        QVERIFY(r.host.messages.isEmpty());
        QVERIFY(!r.host.busy);
    }

    // The values sent are those of the lists: blanks around a number are dropped; anything
    // else is refused before a byte goes out.
    void writeChecksTheValues_data() {
        QTest::addColumn<QString>("adr");
        QTest::addColumn<QString>("ha");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("message");
        QTest::newRow("blanks") << " 7 " << "1 " << "XPTSW 7,5,6,3,1\rXPT0\r" << QString();
        QTest::newRow("address 0") << "0" << "1" << QString()
                                   << "Bitte wählen Sie für ADR einen Wert von 1 bis 103 !          ";
        QTest::newRow("address 104") << "104" << "1" << QString()
                                     << "Bitte wählen Sie für ADR einen Wert von 1 bis 103 !          ";
        QTest::newRow("HA abc") << "7" << "abc" << QString() << "Bitte wählen Sie für HA einen Wert von 1 bis 2 !          ";
    }
    void writeChecksTheValues() {
        QFETCH(QString, adr);
        QFETCH(QString, ha);
        QFETCH(QString, sent);
        QFETCH(QString, message);
        IbRig r;
        r.input.adr = adr;
        r.input.ha = ha;
        const SlxIbRun::Outcome outcome = r.run(1);
        QCOMPARE(r.station.writtenText(), sent);
        if (message.isEmpty()) {
            QCOMPARE(outcome, SlxIbRun::Outcome::Done);
            QVERIFY(r.host.messages.isEmpty());
        } else {
            QCOMPARE(outcome, SlxIbRun::Outcome::Refused);
            QCOMPARE(r.host.onlyMessage(), QStringLiteral(" Decoder schreiben...|") + message);
            QVERIFY(r.host.rows.isEmpty());
        }
    }

    // The answer as the simulated Intellibox gives it and as the other form (a blank after
    // each comma): the five values, "XPT0", the row.
    void read_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("station's own") << QByteArray();
        QTest::newRow("blanks after the commas") << QByteArray("= 80, 5, 6, 3, 2\r]");
        QTest::newRow("blanks around the values") << QByteArray("SX =  80 ,5 , 6,3,   2  \r]");
    }
    void read() {
        QFETCH(QByteArray, answer);
        IbRig r;
        r.station.setSxParameters({80, 5, 6, 3, 2});
        if (!answer.isEmpty())
            r.station.scriptAnswer(answer);
        QCOMPARE(r.run(0), SlxIbRun::Outcome::Done);
        QCOMPARE(r.station.p50xCommands(), (QStringList{"XPTSR", "XPT0"}));
        QCOMPARE(r.fieldTexts(), (QStringList{"80", "5", "6", "3", "2"}));
        QCOMPARE(r.host.rows, (QList<QStringList>{{"L", "80", "5", "6", "3", "2"}}));
        QCOMPARE(r.host.status(), QStringLiteral(" Lesevorgang beendet..."));
        QVERIFY(!r.host.anyWhite());
        QVERIFY(r.host.whiteFields.size() == 5);
        QVERIFY(r.host.messages.isEmpty());
        QVERIFY(!r.host.busy);
    }

    // An answer without values: the message, the old values stay, no row, and "XPT0"
    // still goes out.
    void malformedAnswer_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("shown");
        QTest::newRow("error text") << QByteArray("SX read err\r]") << "SX read err";
        QTest::newRow("no =") << QByteArray("80, 5, 6, 3, 2\r]") << "80, 5, 6, 3, 2";
        QTest::newRow("four values") << QByteArray("= 80, 5, 6, 3\r]") << "= 80, 5, 6, 3";
        QTest::newRow("no fifth") << QByteArray("= 80, 5, 6, 3,\r]") << "= 80, 5, 6, 3,";
        QTest::newRow("a letter") << QByteArray("= 80, x, 6, 3, 2\r]") << "= 80, x, 6, 3, 2";
        QTest::newRow("a sign") << QByteArray("= 80, -5, 6, 3, 2\r]") << "= 80, -5, 6, 3, 2";
        QTest::newRow("beyond a byte") << QByteArray("= 800, 5, 6, 3, 2\r]") << "= 800, 5, 6, 3, 2";
        QTest::newRow("] alone") << QByteArray("]") << "]";
    }
    void malformedAnswer() {
        QFETCH(QByteArray, answer);
        QFETCH(QString, shown);
        IbRig r;
        r.station.scriptAnswer(answer);
        QCOMPARE(r.run(0), SlxIbRun::Outcome::Refused);
        QCOMPARE(r.station.p50xCommands(), (QStringList{"XPTSR", "XPT0"}));
        QCOMPARE(r.host.onlyMessage(),
                 QStringLiteral(" DCC Decoder lesen...|Die Antwort der IB enthält keine Decoderwerte:   ") + shown);
        QCOMPARE(r.host.messages[0].icon, Notifier::Icon::Critical);
        QVERIFY(r.host.fields.isEmpty());
        QVERIFY(r.host.rows.isEmpty());
        QVERIFY(!r.host.anyWhite());
        QVERIFY(!r.host.busy);
    }

    // No "]" within 10000 ms: the status, one message with the decoder type in its title,
    // no "XPT0", no row; a read shows the old values again.
    void timeOut_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("title");
        QTest::newRow("read") << 0 << "XPTSR" << " DCC Decoder lesen...";
        QTest::newRow("write") << 1 << "XPTSW 80,5,6,3,2" << " DCC Decoder schreiben...";
    }
    void timeOut() {
        QFETCH(int, index);
        QFETCH(QString, command);
        QFETCH(QString, title);
        IbRig r;
        r.station.setFault(SimulatedStation::Fault::Silent);
        QCOMPARE(r.run(index), SlxIbRun::Outcome::TimedOut);
        QCOMPARE(r.station.p50xCommands(), QStringList{command});
        QCOMPARE(r.clock.ticks(), SlxIbRun::answerDeadlineMs + 1);
        QCOMPARE(r.host.onlyMessage(), title + QStringLiteral("|Die IB antwortet nicht !          "));
        QCOMPARE(r.host.status(), QStringLiteral(" Programmierung abgebrochen..."));
        QVERIFY(r.host.rows.isEmpty());
        QVERIFY(r.host.fields.isEmpty());
        QVERIFY(!r.host.anyWhite());
        QVERIFY(!r.host.busy);
    }

    // A "]" that comes with the last read before the deadline still counts.
    void answerAtTheDeadline() {
        IbRig r;
        r.station.setProgrammingDelay(SlxIbRun::answerDeadlineMs);
        QCOMPARE(r.run(0), SlxIbRun::Outcome::Done);
        QCOMPARE(r.station.p50xCommands(), (QStringList{"XPTSR", "XPT0"}));
    }

    // The answer of a read that timed out comes later: the next run drops it before it sends
    // and takes its own.
    void lateAnswerIsDropped() {
        IbRig r;
        r.station.setSxParameters({9, 1, 1, 1, 1});
        r.station.setProgrammingDelay(12000);
        QCOMPARE(r.run(0), SlxIbRun::Outcome::TimedOut);
        r.host = RecordingSelectrixHost();
        r.station.setProgrammingDelay(1500);
        r.station.setSxParameters({80, 5, 6, 3, 2});
        QCOMPARE(r.run(0), SlxIbRun::Outcome::Done);
        QCOMPARE(r.fieldTexts(), (QStringList{"80", "5", "6", "3", "2"}));
        QVERIFY(r.lastTimeOf("XPTSR\r") >= 12000);
    }

    // A write answer shorter than two characters is shown whole.
    void shortWriteAnswer() {
        IbRig r;
        r.station.scriptAnswer("]");
        QCOMPARE(r.run(1), SlxIbRun::Outcome::Done);
        QCOMPARE(r.host.status(), QStringLiteral(" Programmiervorgang: ]"));
        QCOMPARE(r.station.p50xCommands(), (QStringList{"XPTSW 80,5,6,3,2", "XPT0"}));
    }

    // A write the station answers with one of its error texts is no write: its answer shows,
    // the computer beeps, no row is logged; "XPT0" still goes out.
    void writeRefusedByTheStation_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("No ack") << QByteArray("No ack\r]");
        QTest::newRow("Error") << QByteArray("Error\r]");
        QTest::newRow("SX read err") << QByteArray("SX read err\r]");
    }
    void writeRefusedByTheStation() {
        QFETCH(QByteArray, answer);
        IbRig r;
        r.station.scriptAnswer(answer);
        QCOMPARE(r.run(1), SlxIbRun::Outcome::Refused);
        QCOMPARE(r.station.p50xCommands(), (QStringList{"XPTSW 80,5,6,3,2", "XPT0"}));
        QVERIFY(r.host.rows.isEmpty());
        QCOMPARE(r.host.status(), QStringLiteral(" Programmiervorgang: ") + QString::fromLatin1(answer.chopped(2)));
        QCOMPARE(r.host.beeps, 1);
        QVERIFY(!r.host.busy);
    }

    // The window closes while the answer is awaited: the run ends silently, without "XPT0".
    void stoppedDuringTheWait() {
        IbRig r;
        r.clock.onYield = [&r] {
            if (r.clock.ticks() >= 500)
                r.exchange.cancel();
        };
        QCOMPARE(r.run(0), SlxIbRun::Outcome::Stopped);
        QCOMPARE(r.station.p50xCommands(), QStringList{"XPTSR"});
        QVERIFY(r.host.messages.isEmpty());
        QVERIFY(!r.host.anyWhite());
        QVERIFY(!r.host.busy);
        QVERIFY(r.clock.ticks() < 1500);
    }

    void otherIndexDoesNothing() {
        IbRig r;
        QCOMPARE(r.run(2), SlxIbRun::Outcome::Done);
        QVERIFY(r.station.traffic().isEmpty());
    }

    void readAnswerValues_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("one blank after each comma") << "= 80, 5, 6, 3, 2\r]" << true << QList<int>{80, 5, 6, 3, 2};
        QTest::newRow("no blanks") << "SX = 3,4,2,1,1\r]" << true << QList<int>{3, 4, 2, 1, 1};
        QTest::newRow("no blank before the fifth") << "= 80, 5, 6, 3,2\r]" << true << QList<int>{80, 5, 6, 3, 2};
        QTest::newRow("blanks before the fifth") << "= 80,5,6,3,    2]" << true << QList<int>{80, 5, 6, 3, 2};
        QTest::newRow("more after the fifth") << "=1,2,3,4,5,6\r]" << true << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("the first = counts") << "a=1,2,3,4,5 = 9" << true << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("empty value") << "=1,,3,4,5]" << false << QList<int>{};
        QTest::newRow("fraction") << "=1,2.5,3,4,5]" << false << QList<int>{};
        QTest::newRow("fifth a letter") << "=1,2,3,4,x]" << false << QList<int>{};
        QTest::newRow("empty") << "" << false << QList<int>{};
    }
    void readAnswerValues() {
        QFETCH(QString, answer);
        QFETCH(bool, valid);
        QFETCH(QList<int>, values);
        const auto parsed = SlxIbRun::readAnswerValues(answer);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(QList<int>(parsed->begin(), parsed->end()), values);
    }

    // The port fails while the command goes out: the link reports it once; the fields are
    // readable again.
    void portFails() {
        IbRig r;
        QList<int> failures;
        r.link.setFailureReport([&](const Failure& f) { failures << f.number(); });
        r.station.vanish();
        QCOMPARE(r.run(0), SlxIbRun::Outcome::Stopped);
        QCOMPARE(failures, QList<int>{PortError::Lost});
        QVERIFY(!r.host.busy);
        QVERIFY(!r.host.anyWhite());
    }
};

QTEST_GUILESS_MAIN(TestSlxIbRun)
#include "tst_slxibrun.moc"
