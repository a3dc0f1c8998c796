#include "FakeZentraleHost.h"
#include "programming/core/P50xProgrammer.h"
#include "programming/core/ProgrammingSession.h"

#include <QTest>
#include <stdexcept>

Q_DECLARE_METATYPE(CvResult::Outcome)

namespace {
using Outcome = CvResult::Outcome;

// The programmer in front of a simulated Intellibox (CV 1 = 3, CV 8 = 97), inside a held
// exchange, with a session as the windows hold one.
struct Bench {
    explicit Bench(const QString& cuName = QStringLiteral("IB")) : z(cuName) {}
    QStringList commands() const { return z.station.p50xCommands(); }

    SimulatedZentrale z;
    StationLink& link = z.host.link();
    StationLink::Exchange exchange{link};
};

CvResult readAndFinish(Bench& b, P50xProgrammer::Form form, int cv) {
    P50xProgrammer programmer(b.link, form);
    ProgrammingSession session(b.z.host, programmer);
    return programmer.readCv(cv);
}
}  // namespace

// The read/write-CV interface over P50X: the value, the station's refusal, a time-out, a
// cancel and a failing port, and which of them leave the track to be switched off ("XPT0")
// in each form the program uses.
class TestP50xProgrammer : public QObject {
    Q_OBJECT
private slots:
    void read_data() {
        QTest::addColumn<QByteArray>("answer");  // empty: the station's own
        QTest::addColumn<int>("cv");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("value") << QByteArray() << 8 << Outcome::Ok << 97 << "97 = $61 = %01100001";
        QTest::newRow("refused") << QByteArray("No ack\r]") << 8 << Outcome::Refused << -1 << "No ack";
        QTest::newRow("no CV value") << QByteArray("300 = $12C\r]") << 8 << Outcome::Refused << -1 << "300 = $12C";
        QTest::newRow("bracket alone") << QByteArray("]") << 8 << Outcome::Refused << -1 << "]";
        QTest::newRow("answer whole") << QByteArray("6\r]and more") << 29 << Outcome::Ok << 6 << "6\r]and mo";
    }
    void read() {
        QFETCH(QByteArray, answer);
        QFETCH(int, cv);
        Bench b;
        if (!answer.isEmpty())
            b.z.station.scriptAnswer(answer);
        P50xProgrammer programmer(b.link, P50xProgrammer::singleCv());
        const CvResult result = programmer.readCv(cv);
        QTEST(result.outcome, "outcome");
        QTEST(result.value, "value");
        QTEST(result.shown, "shown");
        QCOMPARE(result.answer, answer.isEmpty() ? QStringLiteral("97 = $61 = %01100001\r]") : QString::fromLatin1(answer));
        QCOMPARE(b.commands(), QStringList{"XPTRD" + QString::number(cv)});
        programmer.finish();
        programmer.finish();
        QCOMPARE(b.commands(), (QStringList{"XPTRD" + QString::number(cv), "XPT0"}));
    }

    void write_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("brief");
        QTest::newRow("Intellibox") << QByteArray("Ok\r]") << Outcome::Ok << "Ok";
        QTest::newRow("MasterControl") << QByteArray("\r]") << Outcome::Ok << "";
        QTest::newRow("no decoder") << QByteArray("No decoder\r]") << Outcome::Refused << "No";
        QTest::newRow("unknown command") << QByteArray("Unknown command\r]") << Outcome::Refused << "Un";
    }
    void write() {
        QFETCH(QByteArray, answer);
        Bench b;
        b.z.station.scriptAnswer(answer);
        P50xProgrammer programmer(b.link, P50xProgrammer::singleCv());
        const CvResult result = programmer.writeCv(29, 6);
        QTEST(result.outcome, "outcome");
        QTEST(result.brief, "brief");
        QCOMPARE(b.commands(), QStringList{"XPTWD29, 6"});
    }

    // Every form spells its commands as its operation sends them.
    void spellings_data() {
        QTest::addColumn<int>("form");  // 0 single, 1 table run, 2 panel, 3 basis switch
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("single") << 0 << QStringList{"XPTRD29", "XPTWD29, 6", "XPT0"};
        QTest::newRow("table run") << 1 << QStringList{"XPTRD29", "XPTWD29, 6", "XPT0"};
        QTest::newRow("panel") << 2 << QStringList{"XPTRD 29", "XPTWD 29,6", "XPT0"};
        QTest::newRow("basis switch") << 3 << QStringList{"XPTRD 29", "XPTWD 29, 6", "XPT0"};
    }
    void spellings() {
        QFETCH(int, form);
        const P50xProgrammer::Form forms[] = {P50xProgrammer::singleCv(), P50xProgrammer::tableRun(0),
                                              P50xProgrammer::panel(), P50xProgrammer::basisSwitch()};
        Bench b;
        {
            P50xProgrammer programmer(b.link, forms[form]);
            ProgrammingSession session(b.z.host, programmer);
            QVERIFY(programmer.readCv(29).ok());
            QVERIFY(programmer.writeCv(29, 6).ok());
        }
        QTEST(b.commands(), "commands");
    }

    void longAddress() {
        Bench b;
        {
            P50xProgrammer programmer(b.link, P50xProgrammer::panel());
            ProgrammingSession session(b.z.host, programmer);
            QVERIFY(programmer.writeLongAddress(4797)->ok());
            const std::optional<CvResult> read = programmer.readLongAddress();
            QVERIFY(read && read->ok());
            QCOMPARE(read->value, 4797);
        }
        QCOMPARE(b.commands(), (QStringList{"XPTWL 4797", "XPTRL", "XPT0"}));
        QCOMPARE(b.z.station.decoderAddress(), 4797);
    }

    // What ends an operation without an answer, and whether "XPT0" still follows in the
    // form: the table run and the single write switch the track off after a time-out, the
    // table run also after a cancel; the panels and the single read send nothing more.
    void unanswered_data() {
        QTest::addColumn<int>("form");  // 0 single, 1 table run, 2 panel
        QTest::addColumn<bool>("write");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<qint64>("deadline");
        QTest::addColumn<bool>("trackOff");
        QTest::newRow("single read, time-out") << 0 << false << false << Outcome::TimedOut << qint64(20000) << false;
        QTest::newRow("single write, time-out") << 0 << true << false << Outcome::TimedOut << qint64(8000) << true;
        QTest::newRow("single write, cancel") << 0 << true << true << Outcome::Aborted << qint64(-1) << false;
        QTest::newRow("table read, time-out") << 1 << false << false << Outcome::TimedOut << qint64(20000) << true;
        QTest::newRow("table write, time-out") << 1 << true << false << Outcome::TimedOut << qint64(20000) << true;
        QTest::newRow("table read, cancel") << 1 << false << true << Outcome::Aborted << qint64(-1) << true;
        QTest::newRow("panel read, time-out") << 2 << false << false << Outcome::TimedOut << qint64(20000) << false;
        QTest::newRow("panel write, time-out") << 2 << true << false << Outcome::TimedOut << qint64(20000) << false;
        QTest::newRow("panel read, cancel") << 2 << false << true << Outcome::Aborted << qint64(-1) << false;
    }
    void unanswered() {
        QFETCH(int, form);
        QFETCH(bool, write);
        QFETCH(bool, cancel);
        QFETCH(qint64, deadline);
        QFETCH(bool, trackOff);
        const P50xProgrammer::Form forms[] = {P50xProgrammer::singleCv(), P50xProgrammer::tableRun(0),
                                              P50xProgrammer::panel()};
        Bench b;
        // An earlier command of the same operation was answered: the track is on.
        b.z.station.scriptAnswer("3 = $03 = %00000011\r]");
        b.z.station.scriptAnswer("");
        if (cancel)
            b.z.clock.onYield = [&] {
                if (b.z.clock.ticks() >= 2500)
                    b.exchange.cancel();
            };
        CvResult result;
        qint64 sentAt = 0;
        {
            P50xProgrammer programmer(b.link, forms[form]);
            ProgrammingSession session(b.z.host, programmer);
            QVERIFY(programmer.readCv(1).ok());
            QVERIFY(b.z.host.busy);
            sentAt = b.z.clock.ticks();
            result = write ? programmer.writeCv(29, 6) : programmer.readCv(29);
        }
        QTEST(result.outcome, "outcome");
        if (deadline >= 0) {
            const qint64 waited = b.z.clock.ticks() - sentAt;
            QVERIFY(waited > deadline && waited <= deadline + 40);
        } else {
            QVERIFY(b.z.clock.ticks() < 2600);
        }
        const QString second = write ? QStringLiteral("XPTWD29, 6") : QStringLiteral("XPTRD29");
        QStringList expected{"XPTRD1", second};
        if (form == 2)
            expected = QStringList{"XPTRD 1", write ? QStringLiteral("XPTWD 29,6") : QStringLiteral("XPTRD 29")};
        if (trackOff)
            expected.append(QStringLiteral("XPT0"));
        QCOMPARE(b.commands(), expected);
        QVERIFY(!b.z.host.busy);
        QVERIFY(b.z.host.notifier.messages.isEmpty());
    }

    // Cancelled while a late answer is being dropped, the command does not go out.
    void cancelledBeforeSending() {
        Bench b;
        b.z.station.setProgrammingDelay(21000);
        P50xProgrammer programmer(b.link, P50xProgrammer::singleCv());
        QCOMPARE(programmer.readCv(8).outcome, Outcome::TimedOut);
        b.z.clock.onYield = [&] {
            if (b.z.clock.ticks() >= 20500)
                b.exchange.cancel();
        };
        QCOMPARE(programmer.readCv(1).outcome, Outcome::Aborted);
        QCOMPARE(b.commands(), QStringList{"XPTRD8"});
        programmer.finish();
        QCOMPARE(b.commands(), QStringList{"XPTRD8"});
    }

    // A port that fails is reported once, through the link's report, and nothing more goes
    // to it; the programmer throws nothing.
    void portFailure_data() {
        QTest::addColumn<bool>("duringWait");
        QTest::newRow("gone at once") << false;
        QTest::newRow("gone while waiting") << true;
    }
    void portFailure() {
        QFETCH(bool, duringWait);
        Bench b;
        b.z.host.notifier.expectMessages = true;
        b.z.host.notifier.answer = Notifier::No;
        b.z.vanish(duringWait);
        {
            P50xProgrammer programmer(b.link, P50xProgrammer::tableRun(0));
            ProgrammingSession session(b.z.host, programmer);
            QCOMPARE(programmer.writeCv(29, 6).outcome, Outcome::PortFailed);
        }
        QCOMPARE(b.z.host.notifier.messages.size(), 1);
        QCOMPARE(b.z.host.notifier.messages[0].title, QStringLiteral(" zentrale Fehlerbehandlung..."));
        QVERIFY(!b.z.host.busy);
    }

    // The session finishes on every way out, also when the operation's code throws.
    void sessionFinishesWhenAnOperationThrows() {
        Bench b;
        try {
            P50xProgrammer programmer(b.link, P50xProgrammer::panel());
            ProgrammingSession session(b.z.host, programmer);
            QVERIFY(programmer.readCv(29).ok());
            throw std::runtime_error("the operation's own failure");
        } catch (const std::runtime_error&) {
        }
        QCOMPARE(b.commands(), (QStringList{"XPTRD 29", "XPT0"}));
        QVERIFY(!b.z.host.busy);
    }

    // The table run's form gives the station the pause between sending a write and awaiting
    // its answer, and switches the track off even when nothing was sent.
    void tableRunPauseAndFinish() {
        Bench b;
        b.z.station.setProgrammingDelay(0);
        {
            P50xProgrammer programmer(b.link, P50xProgrammer::tableRun(700));
            QVERIFY(programmer.writeCv(29, 6).ok());
            QVERIFY(b.z.clock.ticks() >= 700);
        }
        {
            P50xProgrammer unused(b.link, P50xProgrammer::tableRun(700));
            ProgrammingSession session(b.z.host, unused);
        }
        QCOMPARE(b.commands(), (QStringList{"XPTWD29, 6", "XPT0"}));
        QCOMPARE(readAndFinish(b, P50xProgrammer::panel(), 1).value, 3);
    }
};

QTEST_GUILESS_MAIN(TestP50xProgrammer)
#include "tst_p50xprogrammer.moc"
