#include "SelectrixRig.h"
#include "selectrix/core/SlxCentral.h"

#include <QTest>

// Track power, its state and the programming switch on the simulated central, with the exact
// bytes and pauses.
class TestSlxCentral : public QObject {
    Q_OBJECT
private slots:
    void switchTrackPower_data() {
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QStringList>("trace");
        QTest::addColumn<int>("state");  // -1: nothing came
        QTest::newRow("on") << true << false << QStringList{"0 FF80", "100 7F00"} << 128;
        QTest::newRow("off") << false << false << QStringList{"0 FF00", "100 7F00"} << 0;
        QTest::newRow("on, silent") << true << true << QStringList{"0 FF80", "100 7F00"} << -1;
    }
    void switchTrackPower() {
        QFETCH(bool, on);
        QFETCH(bool, silent);
        QFETCH(QStringList, trace);
        QFETCH(int, state);
        SelectrixStationRig r;
        r.station.setAnswerDelay(20);
        r.station.setChannel(127, on ? 0 : 128);
        if (silent)
            r.station.setSxReadsAnswered(0);
        // A byte left over from an earlier read must not answer for track power.
        r.station.queueAnswer(QByteArray(1, on ? '\0' : '\x80'));
        const std::optional<quint8> taken = SlxCentral::switchTrackPower(r.access, on);
        QCOMPARE(r.trace(), trace);
        QCOMPARE(taken, state < 0 ? std::nullopt : std::optional<quint8>(quint8(state)));
        // A silent central is waited for as long as any read.
        QCOMPARE(r.clock.ticks(), silent ? qint64(200 + 2001) : qint64(200));
        QCOMPARE(r.station.powerOn(), on);
    }

    void readTrackPower_data() {
        QTest::addColumn<int>("power");
        QTest::addColumn<qint64>("answerDelay");
        QTest::addColumn<int>("state");
        QTest::addColumn<qint64>("done");
        QTest::newRow("on") << 128 << qint64(20) << 128 << qint64(100);
        QTest::newRow("off") << 0 << qint64(20) << 0 << qint64(100);
        // 100 ms is the earliest time to look: a later answer is awaited as any read's.
        QTest::newRow("answer after 100 ms") << 128 << qint64(150) << 128 << qint64(150);
        QTest::newRow("answer after 700 ms") << 0 << qint64(700) << 0 << qint64(700);
        QTest::newRow("no answer in time") << 128 << qint64(2500) << -1 << qint64(100 + 2001);
    }
    void readTrackPower() {
        QFETCH(int, power);
        QFETCH(qint64, answerDelay);
        QFETCH(int, state);
        QFETCH(qint64, done);
        SelectrixStationRig r;
        r.station.setAnswerDelay(answerDelay);
        r.station.setChannel(127, quint8(power));
        r.station.queueAnswer(QByteArray(1, '\x55'));
        const std::optional<quint8> taken = SlxCentral::readTrackPower(r.access);
        QCOMPARE(r.trace(), QStringList{"0 7F00"});
        QCOMPARE(r.clock.ticks(), done);
        QCOMPARE(taken, state < 0 ? std::nullopt : std::optional<quint8>(quint8(state)));
    }

    void switchProgrammingOff() {
        SelectrixStationRig r;
        r.access.write(106, 64);
        SlxCentral::switchProgrammingOff(r.access);
        QCOMPARE(r.bytes(), (QStringList{"EA40", "EA00"}));
        QCOMPARE(r.station.channel(109), quint8(0));
    }
};

QTEST_GUILESS_MAIN(TestSlxCentral)
#include "tst_slxcentral.moc"
