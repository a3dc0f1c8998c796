#include "base/core/Failure.h"
#include "RecordingPort.h"
#include "SimulatedStation.h"
#include "link/core/StationLink.h"
#include "link/core/VirtualClock.h"

#include <QTest>
#include <optional>

namespace {
// The link in front of a simulated Intellibox, with an exchange held for the senders and
// waits (release() lets a test take its own).
struct Rig {
    Rig() : station(clock), link(station, clock) {
        station.open();
        exchange.emplace(link);
    }
    void release() { exchange.reset(); }
    // Sends `command`, which the station takes `work` ms for, and gives up on its answer
    // after `deadline`; from then on the station answers within 1500 ms again.
    void giveUp(const QString& command, qint64 work, qint64 deadline) {
        station.setProgrammingDelay(work);
        link.tellP50X(command);
        QVERIFY(!link.receive(StationLink::Framing::P50x, deadline).answered());
        QVERIFY(link.lateAnswerPossible());
        station.setProgrammingDelay(1500);
    }

    VirtualClock clock;
    SimulatedStation station;
    StationLink link;
    std::optional<StationLink::Exchange> exchange;
};
}  // namespace

// The link routines: P50 pairs, the XL text, and the answer wait with its deadline, cancel
// and the one-exchange rule.
class TestStationLink : public QObject {
    Q_OBJECT
private slots:
    void p50Pairs_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("sent");  // empty: refused
        QTest::newRow("15/80") << "15" << "80" << QByteArray::fromHex("0F50");
        QTest::newRow("255 goes out as 0") << "255" << "3" << QByteArray::fromHex("0003");
        QTest::newRow("-1 goes out as 0") << "-1" << "3" << QByteArray::fromHex("0003");
        QTest::newRow("254 stays") << "254" << "255" << QByteArray::fromHex("FEFF");
        QTest::newRow("rounded half to even") << "2.5" << "3" << QByteArray::fromHex("0203");
        QTest::newRow("blanks around") << " 31 " << " 24" << QByteArray::fromHex("1F18");
        QTest::newRow("code no number") << "x" << "3" << QByteArray::fromHex("0003");
        QTest::newRow("address 256 refused") << "0" << "256" << QByteArray();
        QTest::newRow("address -1 refused") << "0" << "-1" << QByteArray();
        QTest::newRow("address no number") << "0" << "abc" << QByteArray();
        QTest::newRow("address empty") << "0" << "" << QByteArray();
    }
    void p50Pairs() {
        QFETCH(QString, code);
        QFETCH(QString, address);
        QFETCH(QByteArray, sent);
        RecordingLink r;
        QCOMPARE(r.link.Senden6021(code, address), !sent.isEmpty());
        QCOMPARE(r.port.writes, sent.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{sent});
    }

    void xlText_data() {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<int>("returned");
        QTest::newRow("1..8") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << QByteArray("XL 1, 10, 3,4,5,6,7,8\r") << 10;
        QTest::newRow("stop") << QList<int>{12, 0, 1, 0, 0, 0, 0, 0} << QByteArray("XL 12, 0, 1,0,0,0,0,0\r") << 0;
        QTest::newRow("full speed") << QList<int>{103, 31, 0, 1, 1, 0, 1, 0} << QByteArray("XL 103, 155, 0,1,1,0,1,0\r") << 155;
    }
    void xlText() {
        QFETCH(QList<int>, values);
        QFETCH(QByteArray, sent);
        QFETCH(int, returned);
        RecordingLink r;
        auto v = [&](int i) { return qint16(values[i]); };
        QCOMPARE(int(r.link.SendenXL(v(0), v(1), v(2), v(3), v(4), v(5), v(6), v(7))), returned);
        QCOMPARE(r.port.writes, QList<QByteArray>{sent});
    }

    // Where "]" arrives relative to the 20000 ms deadline.
    void deadline_data() {
        QTest::addColumn<qint64>("arrival");
        QTest::addColumn<bool>("complete");
        QTest::newRow("early") << qint64(100) << true;
        QTest::newRow("in the last poll") << qint64(19995) << true;
        QTest::newRow("just at the deadline") << qint64(20000) << true;
        QTest::newRow("too late") << qint64(20500) << false;
    }
    void deadline() {
        QFETCH(qint64, arrival);
        QFETCH(bool, complete);
        Rig rig;
        rig.station.queueAnswer("3 = $03 = %00000011\r]", arrival);
        const StationLink::Reply answer = rig.link.receive(StationLink::Framing::P50x, 20000);
        QCOMPARE(answer.answered(), complete);
        QVERIFY(answer.outcome != StationLink::Outcome::Stopped);
        if (complete) {
            QCOMPARE(answer.text(), QString("3 = $03 = %00000011\r]"));
        } else {
            QVERIFY(answer.text().isEmpty());
            QVERIFY(rig.clock.ticks() > 20000);
            QVERIFY(rig.clock.ticks() <= 20040);
        }
    }

    void splitAnswerJoined() {
        Rig rig;
        rig.station.setFault(SimulatedStation::Fault::Split);
        rig.link.tellP50X("XPTRD 29");
        const StationLink::Reply answer = rig.link.receive(StationLink::Framing::P50x, 20000);
        QVERIFY(answer.answered());
        QCOMPARE(answer.text(), QString("6 = $06 = %00000110\r]"));
    }

    void textAfterTheBracketIsKept() {
        Rig rig;
        rig.station.queueAnswer("Ok\r]3 = ", 10);
        QCOMPARE(rig.link.receive(StationLink::Framing::P50x, 1000).text(), QString("Ok\r]3 = "));
    }

    // A cancel of the exchange ends its wait at the next poll, through the exchange itself
    // (a stop button) or through the link (the program ending); sending stays possible.
    void cancelEndsTheWait_data() {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("exchange") << false;
        QTest::newRow("link") << true;
    }
    void cancelEndsTheWait() {
        QFETCH(bool, throughLink);
        Rig rig;
        rig.station.setFault(SimulatedStation::Fault::Silent);
        rig.clock.onYield = [&] {
            if (rig.clock.ticks() >= 500) {
                if (throughLink)
                    rig.link.cancelExchange();
                else
                    rig.exchange->cancel();
            }
        };
        rig.link.tellP50X("XPTRD 1");
        const StationLink::Reply answer = rig.link.receive(StationLink::Framing::P50x, 20000);
        QVERIFY(answer.outcome == StationLink::Outcome::Stopped);
        QVERIFY(!answer.answered());
        QVERIFY(rig.clock.ticks() < 600);
        QVERIFY(rig.link.cancelled());
        // Every later wait of the exchange ends at once.
        const qint64 before = rig.clock.ticks();
        QVERIFY(rig.link.receive(StationLink::Framing::P50x, 20000).outcome == StationLink::Outcome::Stopped);
        QCOMPARE(rig.clock.ticks(), before);
        rig.link.tellP50X("XPT0");
        QCOMPARE(rig.station.p50xCommands(), (QStringList{"XPTRD 1", "XPT0"}));
        // The next exchange starts without the cancel.
        rig.release();
        StationLink::Exchange next(rig.link);
        QVERIFY(!rig.link.cancelled());
    }

    // The line after a reset: on in time, never on, or a device that cannot tell (which
    // gets the whole deadline); an abort ends the wait at once.
    void ctsWait_data() {
        QTest::addColumn<int>("cts");  // -1: the device cannot tell
        QTest::addColumn<qint64>("resetTime");
        QTest::addColumn<qint64>("deadline");
        QTest::addColumn<qint64>("abortAt");  // -1: no abort
        QTest::addColumn<bool>("result");
        QTest::addColumn<qint64>("endsAt");
        QTest::newRow("on after 1500") << 1 << qint64(1500) << qint64(8000) << qint64(-1) << true << qint64(1500);
        QTest::newRow("never on") << 1 << qint64(-1) << qint64(8000) << qint64(-1) << false << qint64(8020);
        QTest::newRow("cannot tell") << -1 << qint64(1500) << qint64(8000) << qint64(-1) << true << qint64(8020);
        QTest::newRow("cannot tell, no deadline") << -1 << qint64(0) << qint64(-1) << qint64(-1) << true << qint64(0);
        QTest::newRow("aborted") << 1 << qint64(-1) << qint64(8000) << qint64(600) << false << qint64(630);
        QTest::newRow("cannot tell, aborted") << -1 << qint64(0) << qint64(8000) << qint64(600) << false << qint64(630);
    }
    void ctsWait() {
        QFETCH(int, cts);
        QFETCH(qint64, resetTime);
        QFETCH(qint64, deadline);
        QFETCH(qint64, abortAt);
        QFETCH(bool, result);
        QFETCH(qint64, endsAt);
        Rig rig;
        rig.station.setCts(cts < 0 ? std::nullopt : std::optional<bool>(true));
        rig.station.setResetTime(resetTime);
        if (resetTime != 0)
            rig.link.tellP50X("X@@");
        rig.clock.onYield = [&] {
            if (abortAt >= 0 && rig.clock.ticks() >= abortAt)
                rig.link.cancelExchange();
        };
        QVERIFY(!rig.link.cancelled());
        QCOMPARE(rig.link.waitForCts(deadline) == StationLink::CtsWait::On, result);
        QCOMPARE(rig.link.cancelled(), abortAt >= 0);
        QCOMPARE(rig.clock.ticks(), endsAt);
    }

    // The link refuses and holds nothing; telling the user is the window's (its guard beeps).
    void secondExchangeRefused() {
        Rig rig;
        rig.release();
        int refused = 0;
        rig.clock.onYield = [&] {
            // A button pressed while the first exchange waits.
            StationLink::Exchange second(rig.link);
            if (!second)
                ++refused;
            else
                rig.link.tellP50X("XPTRD 2");
        };
        {
            StationLink::Exchange first(rig.link);
            QVERIFY(first);
            QVERIFY(rig.link.exchangeRunning());
            rig.link.tellP50X("XPTRD 1");
            QVERIFY(rig.link.receive(StationLink::Framing::P50x, 20000).answered());
        }
        rig.clock.onYield = nullptr;
        QVERIFY(refused > 0);
        QCOMPARE(rig.station.p50xCommands(), QStringList{"XPTRD 1"});
        QVERIFY(!rig.link.exchangeRunning());
        StationLink::Exchange later(rig.link);
        QVERIFY(later);
    }

    void vanishingStationEndsTheWaitOnce() {
        Rig rig;
        QList<int> reports;
        rig.link.setFailureReport([&](const Failure& f) { reports << f.number(); });
        rig.station.setFault(SimulatedStation::Fault::Vanish);
        rig.link.tellP50X("XPTWD 1, 3");
        QCOMPARE(rig.link.receive(StationLink::Framing::P50x, 20000).outcome, StationLink::Outcome::Failed);
        QCOMPARE(reports, QList<int>{PortError::Lost});
        // The exchange has failed: what it tries next fails at once, unreported.
        const qint64 failedAt = rig.clock.ticks();
        QCOMPARE(rig.link.tellP50X("XPT0"), StationLink::Outcome::Failed);
        QCOMPARE(rig.link.receive(StationLink::Framing::P50x, 100).outcome, StationLink::Outcome::Failed);
        QCOMPARE(rig.clock.ticks(), failedAt);
        QVERIFY(rig.exchange->failed());
        QCOMPARE(reports.size(), 1);
    }

    // A read given up after 20000 ms whose answer the station sends later: before the next
    // command goes out the link takes that answer in and drops it, however it arrives, so
    // the next answer is the next command's own.
    void lateAnswerDropped_data() {
        QTest::addColumn<qint64>("firstWork");  // programming time of the given-up read
        QTest::addColumn<qint64>("characterMs");
        QTest::addColumn<qint64>("sentAt");     // when the next command went out
        QTest::newRow("one second late") << qint64(21000) << qint64(0) << qint64(21000);
        // "97 = $61 = %01100001" CR "]": the "]" is the 22nd byte.
        QTest::newRow("one byte at a time") << qint64(21000) << qint64(4) << qint64(21000 + 21 * 4);
        QTest::newRow("just after the deadline") << qint64(20002) << qint64(0) << qint64(20002);
        // A station busy for longer than the settle (an address search) is not waited for.
        QTest::newRow("quiet line") << qint64(60000) << qint64(0) << qint64(20001 + StationLink::settleQuietMs);
    }
    void lateAnswerDropped() {
        QFETCH(qint64, firstWork);
        QFETCH(qint64, characterMs);
        QFETCH(qint64, sentAt);
        Rig rig;
        rig.station.setCharacterTime(characterMs);
        rig.giveUp("XPTRD 8", firstWork, 20000);
        QCOMPARE(rig.clock.ticks(), qint64(20001));
        rig.link.drain();
        QVERIFY(!rig.link.lateAnswerPossible());
        rig.link.tellP50X("XPTRD 1");
        QCOMPARE(rig.station.traffic().last().time, sentAt);
        const StationLink::Reply answer = rig.link.receive(StationLink::Framing::P50x, 60000);
        QCOMPARE(answer.text(), sentAt < firstWork ? QString("97 = $61 = %01100001\r]") : QString("3 = $03 = %00000011\r]"));
    }

    // A programming-track write given up after its 8000 ms deadline while the station still
    // works on it: its answer comes only at 19 s, and the next read waits for it, then gets
    // its own value.
    void lateWriteAnswerWithinTheWorkingTime() {
        Rig rig;
        rig.giveUp("XPTWD29, 6", 19000, 8000);
        QCOMPARE(rig.clock.ticks(), qint64(8001));
        rig.link.tellP50X("XPT0");
        rig.link.drain();
        // The write's "Ok" at 19000, that of "XPT0" 20 ms later.
        QCOMPARE(rig.clock.ticks(), qint64(19020));
        rig.link.tellP50X("XPTRD 1");
        QCOMPARE(rig.link.receive(StationLink::Framing::P50x, 20000).text(), QString("3 = $03 = %00000011\r]"));
    }

    // Answers given up on one after the other are all dropped; a command sent without
    // waiting ("XPT0" after a time-out) is owed its answer too.
    void severalLateAnswersDropped() {
        Rig rig;
        rig.giveUp("XPTWD 29, 6", 9000, 8000);
        rig.link.tellP50X("XPT0");
        rig.link.drain();
        // The write's "Ok" at 9000, that of "XPT0" 20 ms later.
        QCOMPARE(rig.clock.ticks(), qint64(9020));
        rig.link.tellP50X("XPTRD 1");
        QCOMPARE(rig.link.receive(StationLink::Framing::P50x, 20000).text(), QString("3 = $03 = %00000011\r]"));
    }

    // A command sent without awaiting its answer ("XPT0" at the end of an operation) and
    // another command straight after it: the first answer is dropped before the second goes
    // out, so the second gets its own. A station that leaves it unanswered holds the next
    // command only until that answer would have been in.
    void unawaitedAnswerDropped_data() {
        QTest::addColumn<bool>("answered");
        QTest::addColumn<qint64>("gap");     // between "XPT0" and the next exchange
        QTest::addColumn<qint64>("sentAt");  // when the next command went out
        QTest::newRow("answer still on its way") << true << qint64(0) << qint64(20);
        QTest::newRow("answer already in") << true << qint64(1000) << qint64(1000);
        QTest::newRow("never answered") << false << qint64(0) << StationLink::unawaitedAnswerMs;
        QTest::newRow("never answered, long ago") << false << qint64(1000) << qint64(1000);
    }
    void unawaitedAnswerDropped() {
        QFETCH(bool, answered);
        QFETCH(qint64, gap);
        QFETCH(qint64, sentAt);
        Rig rig;
        if (!answered)
            rig.station.setFault(SimulatedStation::Fault::Silent);
        rig.link.tellP50X("XPT0");
        QVERIFY(rig.link.lateAnswerPossible());
        rig.clock.advance(gap);
        rig.link.drain();
        QVERIFY(!rig.link.lateAnswerPossible());
        rig.station.setFault(SimulatedStation::Fault::None);
        rig.link.tellP50X("XPTRD 1");
        QCOMPARE(rig.station.traffic().last().time, sentAt);
        QCOMPARE(rig.link.receive(StationLink::Framing::P50x, 20000).text(), QString("3 = $03 = %00000011\r]"));
    }

    // The cold start answers nothing: the settle after it waits for no answer of its own.
    void coldStartOwesNoAnswer() {
        Rig rig;
        rig.link.tellP50X("XPTRD 7");
        rig.link.tellP50X("X@@");
        rig.giveUp("XPTRD 8", 21000, 20000);
        rig.link.drain();
        QCOMPARE(rig.clock.ticks(), qint64(21000));
    }

    // A line that never falls quiet holds the next command no longer than the limit.
    void chatteringLineEndsTheSettle() {
        Rig rig;
        rig.station.setFault(SimulatedStation::Fault::Silent);
        rig.giveUp("XPTRD 8", 1500, 20000);
        for (qint64 t = 100; t < 30000; t += 100)
            rig.station.queueAnswer("x", t);
        rig.link.drain();
        QCOMPARE(rig.clock.ticks(), qint64(20001 + StationLink::settleLimitMs));
        QVERIFY(!rig.link.lateAnswerPossible());
    }

    // A cancel during the settle ends it at once; the old answer is still expected, so the
    // next exchange drops it.
    void abortDuringTheSettle() {
        Rig rig;
        {
            rig.giveUp("XPTRD 8", 21000, 20000);
            qint64 abortedAt = -1;
            rig.clock.onYield = [&] {
                if (abortedAt < 0 && rig.clock.ticks() >= 20500) {
                    abortedAt = rig.clock.ticks();
                    rig.link.cancelExchange();
                }
            };
            rig.link.drain();
            QCOMPARE(rig.clock.ticks(), abortedAt);
            QVERIFY(rig.link.lateAnswerPossible());
            rig.clock.onYield = nullptr;
            rig.release();
        }
        StationLink::Exchange next(rig.link);
        rig.link.drain();
        QCOMPARE(rig.clock.ticks(), qint64(21000));
        rig.link.tellP50X("XPTRD 1");
        QCOMPARE(rig.link.receive(StationLink::Framing::P50x, 20000).text(), QString("3 = $03 = %00000011\r]"));
    }

    // An answer that comes byte by byte ends the wait with its "]", not a moment later.
    void answerByteByByte() {
        Rig rig;
        rig.station.setCharacterTime(4);
        rig.link.tellP50X("XPTRD 29");
        const qint64 sent = rig.clock.ticks();
        const StationLink::Reply answer = rig.link.receive(StationLink::Framing::P50x, 20000);
        QCOMPARE(answer.text(), QString("6 = $06 = %00000110\r]"));
        QCOMPARE(rig.clock.ticks() - sent, rig.station.programmingDelay() + 20 * 4);
        QVERIFY(!rig.link.lateAnswerPossible());
    }

    void wartenPauses_data() {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<qint64>("passed");
        QTest::newRow("zero") << qint64(0) << qint64(0);
        QTest::newRow("negative") << qint64(-5) << qint64(0);
        QTest::newRow("1200") << qint64(1200) << qint64(1200);
    }
    void wartenPauses() {
        QFETCH(qint64, ms);
        QFETCH(qint64, passed);
        Rig rig;
        int yields = 0;
        rig.clock.onYield = [&] { ++yields; };
        rig.link.Warten(ms);
        QCOMPARE(rig.clock.ticks(), passed);
        QCOMPARE(yields, 0);  // nothing of the user interface runs during a pause
    }
};

QTEST_GUILESS_MAIN(TestStationLink)
#include "tst_stationlink.moc"
