#include "AppContext.h"
#include "CvGroupRun.h"
#include "CvGroupTable.h"
#include "Failure.h"
#include "RecordingNotifier.h"
#include "RecordingPort.h"
#include "StationLink.h"
#include "VirtualClock.h"
#include "ZentraleHost.h"

#include <QTest>

namespace {

// Answers each P50X programming command with the next scripted answer (an empty answer is
// silence) and records every write with its virtual time.
class ScriptedPort : public RecordingPort {
public:
    explicit ScriptedPort(const VirtualClock& clock) : m_clock(clock) {}
    void write(const QByteArray& bytes) override {
        if (failWrites)
            throw Failure(ErrorNumber::PortInUse);
        RecordingPort::write(bytes);
        times.append(m_clock.ticks());
        if ((bytes.startsWith("XPTWD") || bytes.startsWith("XPTRD")) && !answers.isEmpty()) {
            const QByteArray answer = answers.takeFirst();
            if (!answer.isEmpty())
                reads.append(answer);
        }
    }
    QList<QByteArray> answers;
    QList<qint64> times;
    bool failWrites = false;

private:
    const VirtualClock& m_clock;
};

class FakeHost : public ZentraleHost {
public:
    FakeHost(AppContext& ctx, StationLink& link) : m_ctx(ctx), m_link(link) {}
    AppContext& context() override { return m_ctx; }
    StationLink& link() override { return m_link; }
    void setStatus(const QString& text) override { statuses.append(text); }
    QString status() const override { return statuses.value(statuses.size() - 1); }
    void setBusyPointer(bool b) override { busy = b; }
    bool CU_Ready() override { return false; }
    QString CuAnswer() const override { return {}; }
    void writeProtokoll(const QString& mode, const QString& cv, const QString& value) override {
        protocol.append(QStringList{mode, cv, value});
    }
    QStringList statuses;
    QList<QStringList> protocol;
    bool busy = false;

private:
    AppContext& m_ctx;
    StationLink& m_link;
};

struct Rig {
    AppContext ctx;
    RecordingNotifier notifier;
    VirtualClock clock;
    ScriptedPort port{clock};
    StationLink link{ctx, port, clock};
    FakeHost host{ctx, link};
    CvGroupTable table;
    CvGroupRun run{host, table};
    Rig() {
        ctx.notifier = &notifier;
        ctx.CuName = QStringLiteral("IB");
        ctx.DecoderType = QStringLiteral("DCC");
    }
    QStringList writes() const {
        QStringList w;
        for (const QByteArray& b : port.writes)
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
        QTest::addColumn<QList<QByteArray>>("answers");
        QTest::addColumn<CvGroupRun::Outcome>("outcome");
        QTest::addColumn<QStringList>("traffic");
        QTest::addColumn<QList<QStringList>>("protocol");
        QTest::addColumn<QStringList>("values");  // column "Wert" afterwards
        QTest::addColumn<int>("beeps");
        QTest::addColumn<int>("messages");

        const QList<CvRow> edge{{"S", "29", "6", ""}, {"", "1", "3", ""}, {"L", "8", "", ""}};
        QTest::newRow("write, skip, read")
            << edge << QList<QByteArray>{"Ok\r]", "145 = $91 = %10010001\r]"} << CvGroupRun::Outcome::Completed
            << QStringList{"XPTWD29, 6\r", "XPTRD8\r", "XPT0\r"}
            << QList<QStringList>{{"S", "29", "6"}, {"L", "8", "145"}} << QStringList{"6", "3", "145"} << 0 << 0;
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
        QTest::newRow("write without OK beeps, still logged")
            << QList<CvRow>{{"S", "", "300", ""}} << QList<QByteArray>{"Busy!\r]"} << CvGroupRun::Outcome::Completed
            << QStringList{"XPTWD0, 300\r", "XPT0\r"} << QList<QStringList>{{"S", "0", "300"}} << QStringList{"300"}
            << 1 << 0;
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
        rig.port.answers = answers;
        QList<int> reached;
        connect(&rig.run, &CvGroupRun::rowReached, this, [&](int r) { reached.append(r); });

        QTEST(rig.run.run(), "outcome");
        QTEST(rig.writes(), "traffic");
        QTEST(rig.host.protocol, "protocol");
        QStringList values;
        for (const CvRow& row : rig.table.rows())
            values.append(row.value);
        QTEST(values, "values");
        QTEST(rig.notifier.beeps, "beeps");
        QTEST(int(rig.notifier.messages.size()), "messages");
        QVERIFY(!rig.host.busy);
        QVERIFY(!rig.link.exchangeRunning());
    }

    void statusTexts() {
        Rig rig;
        rig.table.appendRows({{"S", "29", "6", ""}, {"S", "1", "3", ""}, {"L", "8", "", ""}, {"L", "9", "", ""}},
                             QStringLiteral("DCC"));
        rig.port.answers = {"Ok\r]", "Error\r]", "145 = $91\r]", "No decoder\r]"};
        QCOMPARE(rig.run.run(), CvGroupRun::Outcome::Completed);
        QCOMPARE(rig.host.statuses,
                 (QStringList{"schreibe in CV 29  =  6", " Schreibvorgang beendet ...", "schreibe in CV 1  =  3",
                              " Schreibvorgang abgebrochen, Fehler: Error", "145 = $91\r]",
                              " Lesevorgang abgebrochen, Fehler: No decoder"}));
    }

    void timeOutMessage() {
        Rig rig;
        rig.notifier.expectMessages = true;
        rig.table.appendRows({{"S", "29", "6", ""}}, QStringLiteral("DCC"));
        rig.port.answers = {""};
        QCOMPARE(rig.run.run(), CvGroupRun::Outcome::TimedOut);
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages.first().text, QStringLiteral("Die IB antwortet nicht !          "));
        QCOMPARE(rig.notifier.messages.first().title, QStringLiteral(" DCC-Decoder programmieren..."));
        QVERIFY(rig.host.protocol.isEmpty());
    }

    // A written row pauses `Delay` before waiting and again after the answer; reads do not.
    void delayPauses() {
        Rig rig;
        rig.ctx.Delay = 500;
        rig.table.appendRows({{"S", "29", "6", ""}, {"L", "8", "", ""}}, QStringLiteral("DCC"));
        rig.port.answers = {"Ok\r]", "3 = $03\r]"};
        QCOMPARE(rig.run.run(), CvGroupRun::Outcome::Completed);
        QCOMPARE(rig.writes(), (QStringList{"XPTWD29, 6\r", "XPTRD8\r", "XPT0\r"}));
        // 500 before the wait, one poll step for the answer, 500 after it.
        QCOMPARE(rig.port.times.at(1) - rig.port.times.at(0), qint64(1010));
        QCOMPARE(rig.port.times.at(2) - rig.port.times.at(1), qint64(10));
    }

    void refusedWhileAnotherExchangeWaits() {
        Rig rig;
        rig.table.appendRows({{"S", "29", "6", ""}}, QStringLiteral("DCC"));
        StationLink::Exchange other(rig.link);
        QCOMPARE(rig.run.run(), CvGroupRun::Outcome::Refused);
        QVERIFY(rig.port.writes.isEmpty());
        QCOMPARE(rig.notifier.beeps, 1);
        QVERIFY(rig.host.protocol.isEmpty());
    }

    // Closing the window while the second row waits ends the run at once; the track is
    // still switched off and no time-out message appears.
    void abortDuringWait() {
        Rig rig;
        rig.table.appendRows({{"S", "29", "6", ""}, {"L", "8", "", ""}, {"S", "1", "3", ""}}, QStringLiteral("DCC"));
        rig.port.answers = {"Ok\r]", ""};
        int yields = 0;
        rig.clock.onYield = [&] {
            if (rig.port.writes.size() == 2 && ++yields == 5)
                rig.run.abort();
        };
        QCOMPARE(rig.run.run(), CvGroupRun::Outcome::Aborted);
        QCOMPARE(rig.writes(), (QStringList{"XPTWD29, 6\r", "XPTRD8\r", "XPT0\r"}));
        QCOMPARE(rig.host.protocol, (QList<QStringList>{{"S", "29", "6"}}));
        QVERIFY(rig.notifier.messages.isEmpty());
        QVERIFY(rig.clock.ticks() < 1000);
        QVERIFY(!rig.run.isRunning());
    }

    // A failing port ends the run through the central error report, never through a crash.
    void portFailure() {
        Rig rig;
        rig.notifier.expectMessages = true;
        rig.table.appendRows({{"S", "29", "6", ""}}, QStringLiteral("DCC"));
        rig.port.failWrites = true;
        QCOMPARE(rig.run.run(), CvGroupRun::Outcome::PortFailed);
        QCOMPARE(rig.notifier.messages.size(), 1);
        QVERIFY(!rig.host.busy);
        QVERIFY(!rig.run.isRunning());
        QVERIFY(!rig.link.exchangeRunning());
    }

    // Rows deleted during a wait are not run and do not crash the run.
    void rowsDeletedDuringWait() {
        Rig rig;
        rig.table.appendRows({{"S", "29", "6", ""}, {"S", "1", "3", ""}, {"S", "2", "3", ""}}, QStringLiteral("DCC"));
        rig.port.answers = {"Ok\r]"};
        rig.clock.onYield = [&] {
            if (rig.table.rowCount() == 3)
                rig.table.clear();
        };
        QCOMPARE(rig.run.run(), CvGroupRun::Outcome::Completed);
        QCOMPARE(rig.writes(), (QStringList{"XPTWD29, 6\r", "XPT0\r"}));
    }
};

QTEST_GUILESS_MAIN(TestCvGroupRun)
#include "tst_cvgrouprun.moc"
