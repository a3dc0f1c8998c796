#include "programming/core/CvGroupRun.h"
#include "programming/core/CvGroupTable.h"
#include "programming/core/CvTableFiles.h"
#include "app/core/TextFile.h"
#include "programming/core/P50xProgrammer.h"
#include "programming/core/ProgrammingSession.h"
#include "FakeZentraleHost.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// A table run against a simulated Intellibox; `answers` stand in for the station's own,
// command by command ("" is silence).
struct Rig {
    explicit Rig(const QString& cuName = QStringLiteral("IB")) : z(cuName) {}
    SimulatedZentrale z;
    FakeZentraleHost& host = z.host;
    RecordingNotifier& notifier = z.host.notifier;
    VirtualClock& clock = z.clock;
    CvGroupTable table;
    CvGroupRun run{host.ctx, host, table, clock};
    bool ran = false;
    // The run as the window starts it: inside an exchange taken through the window's guard,
    // with the table run's P50X programmer and a session around it.
    CvGroupRun::Outcome runTable() {
        CvGroupRun::Outcome outcome = CvGroupRun::Outcome::Completed;
        ran = z.guard.run([&] {
            P50xProgrammer programmer(host.link(), P50xProgrammer::tableRun(host.ctx.Delay));
            ProgrammingSession session(host, programmer);
            outcome = run.run(programmer);
        });
        return outcome;
    }
    void script(const QList<QByteArray>& answers) {
        for (const QByteArray& a : answers)
            z.station.scriptAnswer(a);
    }
    QStringList writes() const {
        QStringList w;
        for (const QByteArray& b : z.writes())
            w.append(QString::fromLatin1(b));
        return w;
    }
};

}  // namespace

Q_DECLARE_METATYPE(CvRow)
Q_DECLARE_METATYPE(CvGroupRun::Outcome)

class TestCvGroupRun : public QObject {
    Q_OBJECT
private slots:
    void run_data() {
        QTest::addColumn<QList<CvRow>>("rows");
        QTest::addColumn<QList<QByteArray>>("answers");  // none: the station's own
        QTest::addColumn<CvGroupRun::Outcome>("outcome");
        QTest::addColumn<QStringList>("traffic");
        QTest::addColumn<QList<QStringList>>("protocol");
        QTest::addColumn<QStringList>("values");  // column "Wert" afterwards
        QTest::addColumn<int>("beeps");
        QTest::addColumn<int>("messages");

        const QList<CvRow> edge{{"S", "29", "6", ""}, {"", "1", "3", ""}, {"L", "8", "", ""}};
        QTest::newRow("write, skip, read")
            << edge << QList<QByteArray>{} << CvGroupRun::Outcome::Completed
            << QStringList{"XPTWD29, 6\r", "XPTRD8\r", "XPT0\r"}
            << QList<QStringList>{{"S", "29", "6"}, {"L", "8", "97"}} << QStringList{"6", "3", "97"} << 0 << 0;
        QTest::newRow("second row times out")
            << QList<CvRow>{{"S", "29", "6", ""}, {"L", "1", "", ""}, {"S", "3", "4", ""}}
            << QList<QByteArray>{"Ok\r]", ""} << CvGroupRun::Outcome::TimedOut
            << QStringList{"XPTWD29, 6\r", "XPTRD1\r", "XPT0\r"} << QList<QStringList>{{"S", "29", "6"}}
            << QStringList{"6", "", "4"} << 0 << 1;
        QTest::newRow("failed read keeps the cell, logs nothing")
            << QList<CvRow>{{"L", "8", "12", ""}, {"L", "7", "", ""}}
            << QList<QByteArray>{"No ack\r]", " 5 = $05\r]"} << CvGroupRun::Outcome::Completed
            << QStringList{"XPTRD8\r", "XPTRD7\r", "XPT0\r"} << QList<QStringList>{{"L", "7", "5"}}
            << QStringList{"12", "5"} << 1 << 0;
        QTest::newRow("unknown CV keeps the cell")
            << QList<CvRow>{{"L", "99", "12", ""}} << QList<QByteArray>{} << CvGroupRun::Outcome::Completed
            << QStringList{"XPTRD99\r", "XPT0\r"} << QList<QStringList>{} << QStringList{"12"} << 1 << 0;
        QTest::newRow("failed write beeps, is not logged, run goes on")
            << QList<CvRow>{{"S", "1", "3", ""}, {"S", "29", "6", ""}} << QList<QByteArray>{"No ack\r]"}
            << CvGroupRun::Outcome::Completed << QStringList{"XPTWD1, 3\r", "XPTWD29, 6\r", "XPT0\r"}
            << QList<QStringList>{{"S", "29", "6"}} << QStringList{"3", "6"} << 1 << 0;
        // A MasterControl confirms a write with "]" alone.
        QTest::newRow("answers without Ok are writes")
            << QList<CvRow>{{"S", "1", "3", ""}, {"S", "29", "6", ""}} << QList<QByteArray>{"]", "\r]"}
            << CvGroupRun::Outcome::Completed << QStringList{"XPTWD1, 3\r", "XPTWD29, 6\r", "XPT0\r"}
            << QList<QStringList>{{"S", "1", "3"}, {"S", "29", "6"}} << QStringList{"3", "6"} << 0 << 0;
        // What no single read or write would send is refused row by row: nothing goes out
        // for it, the computer beeps, and the run goes on.
        QTest::newRow("rows outside the CV and value ranges send nothing")
            << QList<CvRow>{{"S", "0", "6", ""},   {"S", "1025", "6", ""}, {"S", "99999", "6", ""},
                            {"S", "29", "256", ""}, {"S", "29", "abc", ""}, {"S", "", "6", ""},
                            {"S", "29", "", ""},    {"L", "abc", "", ""},  {"L", "1025", "", ""},
                            {"S", "1024", "255", ""}, {"L", "1", "", ""}}
            << QList<QByteArray>{} << CvGroupRun::Outcome::Completed
            << QStringList{"XPTWD1024, 255\r", "XPTRD1\r", "XPT0\r"}
            << QList<QStringList>{{"S", "1024", "255"}, {"L", "1", "3"}}
            << QStringList{"6", "6", "6", "256", "abc", "6", "", "", "", "255", "3"} << 9 << 0;
        QTest::newRow("lower-case marks are not run")
            << QList<CvRow>{{"s", "1", "1", ""}, {"l", "2", "", ""}, {" ", "3", "", ""}} << QList<QByteArray>{}
            << CvGroupRun::Outcome::Completed << QStringList{"XPT0\r"} << QList<QStringList>{}
            << QStringList{"1", "", ""} << 0 << 0;
        QTest::newRow("empty table") << QList<CvRow>{} << QList<QByteArray>{} << CvGroupRun::Outcome::Completed
                                     << QStringList{"XPT0\r"} << QList<QStringList>{} << QStringList{} << 0 << 0;
    }
    void run() {
        QFETCH(QList<CvRow>, rows);
        QFETCH(QList<QByteArray>, answers);
        Rig rig;
        rig.notifier.expectMessages = true;
        rig.table.appendRows(rows, QStringLiteral("DCC"));
        rig.script(answers);
        QList<int> reached;
        connect(&rig.run, &CvGroupRun::rowReached, this, [&](int r) { reached.append(r); });

        QTEST(rig.runTable(), "outcome");
        QTEST(rig.writes(), "traffic");
        QTEST(rig.host.protocol, "protocol");
        QStringList values;
        for (const CvRow& row : rig.table.rows())
            values.append(row.value);
        QTEST(values, "values");
        QTEST(rig.notifier.beeps, "beeps");
        QTEST(int(rig.notifier.messages.size()), "messages");
        QVERIFY(!rig.host.busy);
        QVERIFY(!rig.host.link().exchangeRunning());
    }

    void statusTexts() {
        Rig rig;
        rig.table.appendRows({{"S", "29", "6", ""}, {"S", "1", "3", ""}, {"L", "8", "", ""}, {"L", "9", "", ""}},
                             QStringLiteral("DCC"));
        rig.script({"Ok\r]", "Error\r]", "145 = $91\r]", "No decoder\r]"});
        QCOMPARE(rig.runTable(), CvGroupRun::Outcome::Completed);
        QCOMPARE(rig.host.statusLog,
                 (QStringList{"schreibe in CV 29  =  6", "Ok", "schreibe in CV 1  =  3",
                              " Schreibvorgang abgebrochen, Fehler: Error", "145 = $91\r]",
                              " Lesevorgang abgebrochen, Fehler: No decoder"}));
    }

    // A damaged CV list or MoVe file never programs a CV it did not name, nor a value it
    // does not give: such rows are refused and named, the good row is written.
    void damagedListSendsOnlyItsGoodRows_data() {
        QTest::addColumn<bool>("move");  // the lines are a MoVe file, else a CV list
        QTest::addColumn<QString>("decoderType");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("refused");
        QTest::newRow("numbers past their fields")
            << false << "DCC" << QStringList{"S 99999 006", "S 029 999", "L 65536", "S 1025 001", "S 029 006"}
            << "1, 2, 3, 4";
        QTest::newRow("write lines without a number value")
            << false << "DCC" << QStringList{"S 029 -5", "S 29 6", "S 001", "S 029 006"} << "1, 2, 3";
        // In an fx window every loaded row becomes a write; a read list gives no values.
        QTest::newRow("read list in an fx window") << false << "fx" << QStringList{"L 008", "  001", "S 029 006"}
                                                   << "1, 2";
        QTest::newRow("MoVe lines without a number value")
            << true << "DCC" << QStringList{"1", "91;+1192119", "5;-3", "7;x;?;?;", "29;Licht;?;?;6"}
            << "1, 2, 3, 4";
    }
    void damagedListSendsOnlyItsGoodRows() {
        QFETCH(bool, move);
        QFETCH(QString, decoderType);
        QFETCH(QStringList, lines);
        QFETCH(QString, refused);
        Rig rig;
        if (move) {
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("move.txt"));
            writeTextLines(path, lines);
            CvTableFiles::importMove(path, rig.table);
        } else {
            rig.table.appendLines(lines, decoderType);
        }
        QCOMPARE(rig.runTable(), CvGroupRun::Outcome::Completed);
        QCOMPARE(rig.writes(), (QStringList{"XPTWD29, 6\r", "XPT0\r"}));
        QCOMPARE(rig.host.protocol, (QList<QStringList>{{"S", "29", "6"}}));
        QCOMPARE(rig.notifier.beeps, int(refused.count(u',') + 1));
        QCOMPARE(rig.host.status(), CvGroupRun::refusedRowsText(refused.split(QStringLiteral(", "))));
    }

    // The status names a refused row while the run is at it, and all of them at its end.
    void refusedRowsAreNamed() {
        Rig rig;
        rig.table.appendRows({{"S", "29", "6", ""}, {"S", "2000", "6", ""}, {"S", "1", "300", ""}},
                             QStringLiteral("DCC"));
        QCOMPARE(rig.runTable(), CvGroupRun::Outcome::Completed);
        QCOMPARE(rig.host.statusLog,
                 (QStringList{"schreibe in CV 29  =  6", "Ok", " Zeile 2: Ungültige CV-Nummer, nichts gesendet",
                              " Zeile 3: Ungültiger Wert, nichts gesendet",
                              " Nicht gesendet wegen ungültiger CV oder ungültigem Wert: Zeile 2, 3"}));
        QCOMPARE(rig.notifier.beeps, 2);
    }

    // Against a simulated MasterControl, whose writes answer CR "]": every row is logged.
    void masterControlWritesAreLogged() {
        Rig rig(QStringLiteral("MC"));
        SimulatedZentrale& z = rig.z;
        rig.table.appendRows({{"S", "29", "6", ""}, {"S", "1", "3", ""}}, QStringLiteral("DCC"));
        QCOMPARE(rig.runTable(), CvGroupRun::Outcome::Completed);
        QCOMPARE(z.host.protocol, (QList<QStringList>{{"S", "29", "6"}, {"S", "1", "3"}}));
        QCOMPARE(z.host.statusLog.at(1), QString());
        QCOMPARE(z.station.cv(29), std::optional<int>(6));
        QCOMPARE(z.host.notifier.beeps, 0);
    }

    // A row that goes unanswered for 20000 ms: the status, the track switched off and then
    // the message; the run ends there.
    void timeOutMessage() {
        Rig rig;
        rig.table.appendRows({{"S", "29", "6", ""}, {"S", "1", "3", ""}}, QStringLiteral("DCC"));
        rig.z.station.setFault(SimulatedStation::Fault::Silent);
        QStringList sentAtMessage;
        rig.notifier.answerFor = [&](const RecordingNotifier::Message&) {
            sentAtMessage = rig.writes();
            return int(Notifier::Ok);
        };
        QCOMPARE(rig.runTable(), CvGroupRun::Outcome::TimedOut);
        QCOMPARE(rig.writes(), (QStringList{"XPTWD29, 6\r", "XPT0\r"}));
        QCOMPARE(sentAtMessage, rig.writes());
        const qint64 waited = rig.z.writeTimes().at(1) - rig.z.writeTimes().at(0);
        QVERIFY(waited > 20000 && waited <= 20040);
        QCOMPARE(onlyMessage(rig.notifier),
                 QStringLiteral(" DCC-Decoder programmieren...|"
                                "Die IB antwortet nicht !          "));
        QCOMPARE(rig.notifier.messages[0].icon, Notifier::Icon::Critical);
        QCOMPARE(rig.notifier.messages[0].buttons, Notifier::OkOnly);
        QCOMPARE(rig.host.status(), QStringLiteral(" Programmierung abgebrochen..."));
        QVERIFY(!rig.host.busy);
        QVERIFY(rig.host.protocol.isEmpty());
    }

    // A written row pauses `Delay` before waiting and again after the answer; reads do not.
    void delayPauses() {
        Rig rig;
        rig.host.ctx.Delay = 500;
        rig.z.station.setProgrammingDelay(0);
        rig.table.appendRows({{"S", "29", "6", ""}, {"L", "8", "", ""}}, QStringLiteral("DCC"));
        QCOMPARE(rig.runTable(), CvGroupRun::Outcome::Completed);
        QCOMPARE(rig.writes(), (QStringList{"XPTWD29, 6\r", "XPTRD8\r", "XPT0\r"}));
        // 500 before the wait, nothing for the answer that is waiting when the wait begins,
        // 500 after it; the read's answer is taken the moment it is there.
        const QList<qint64> times = rig.z.writeTimes();
        QCOMPARE(times.at(1) - times.at(0), qint64(500 + 500));
        QCOMPARE(times.at(2) - times.at(1), qint64(0));
    }

    // A run of 28 writes with `Delay` 100 takes its prescribed pauses and the station's own
    // time, and not a moment more: each answer is taken as it arrives.
    void tableRunTakesItsPauses_data() {
        QTest::addColumn<qint64>("work");  // the station's time for one write
        QTest::newRow("station done within the pause") << qint64(60);
        QTest::newRow("station slower than the pause") << qint64(350);
    }
    void tableRunTakesItsPauses() {
        QFETCH(qint64, work);
        Rig rig;
        rig.host.ctx.Delay = 100;
        rig.z.station.setProgrammingDelay(work);
        QList<CvRow> rows;
        for (int step = 1; step <= 28; ++step)
            rows.append({"S", QString::number(66 + step), QString::number(step * 8), ""});
        rig.table.appendRows(rows, QStringLiteral("DCC"));
        QCOMPARE(rig.runTable(), CvGroupRun::Outcome::Completed);
        const QList<qint64> times = rig.z.writeTimes();
        QCOMPARE(times.size(), 29);  // 28 writes and "XPT0"
        const qint64 prescribed = 28 * (std::max<qint64>(work, 100) + 100);
        QCOMPARE(times.last() - times.first(), prescribed);
        QCOMPARE(rig.host.protocol.size(), 28);
    }

    void refusedWhileAnotherExchangeWaits() {
        Rig rig;
        rig.table.appendRows({{"S", "29", "6", ""}}, QStringLiteral("DCC"));
        StationLink::Exchange other(rig.host.link());
        rig.runTable();
        QVERIFY(!rig.ran);
        QVERIFY(rig.z.station.traffic().isEmpty());
        QCOMPARE(rig.notifier.beeps, 1);
        QVERIFY(rig.host.protocol.isEmpty());
    }

    // Closing the window while the second row waits ends the run at once; the track is
    // still switched off and no time-out message appears.
    void abortDuringWait() {
        Rig rig;
        rig.table.appendRows({{"S", "29", "6", ""}, {"L", "8", "", ""}, {"S", "1", "3", ""}}, QStringLiteral("DCC"));
        rig.script({"Ok\r]", ""});
        int yields = 0;
        rig.clock.onYield = [&] {
            if (rig.z.writes().size() == 2 && ++yields == 5)
                rig.z.guard.windowClosing();
        };
        QCOMPARE(rig.runTable(), CvGroupRun::Outcome::Aborted);
        QCOMPARE(rig.writes(), (QStringList{"XPTWD29, 6\r", "XPTRD8\r", "XPT0\r"}));
        QCOMPARE(rig.host.protocol, (QList<QStringList>{{"S", "29", "6"}}));
        QVERIFY(rig.notifier.messages.isEmpty());
        QVERIFY(rig.clock.ticks() - rig.z.writeTimes().at(1) < 1000);
        QVERIFY(!rig.run.isRunning());
    }

    // A failing port ends the run through the central error report, never through a crash.
    void portFailure() {
        Rig rig;
        rig.notifier.expectMessages = true;
        rig.table.appendRows({{"S", "29", "6", ""}}, QStringLiteral("DCC"));
        rig.z.station.vanish();
        QCOMPARE(rig.runTable(), CvGroupRun::Outcome::PortFailed);
        QCOMPARE(rig.notifier.messages.size(), 1);
        QVERIFY(!rig.host.busy);
        QVERIFY(!rig.run.isRunning());
        QVERIFY(!rig.host.link().exchangeRunning());
    }

    // Rows deleted during a wait are not run and do not crash the run.
    void rowsDeletedDuringWait() {
        Rig rig;
        rig.table.appendRows({{"S", "29", "6", ""}, {"S", "1", "3", ""}, {"S", "2", "3", ""}}, QStringLiteral("DCC"));
        rig.clock.onYield = [&] {
            if (rig.table.rowCount() == 3)
                rig.table.clear();
        };
        QCOMPARE(rig.runTable(), CvGroupRun::Outcome::Completed);
        QCOMPARE(rig.writes(), (QStringList{"XPTWD29, 6\r", "XPT0\r"}));
    }
};

QTEST_GUILESS_MAIN(TestCvGroupRun)
#include "tst_cvgrouprun.moc"
