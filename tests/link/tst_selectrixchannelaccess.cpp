#include "RecordingPort.h"
#include "link/core/SelectrixChannelAccess.h"

#include <QTest>

// The Selectrix channel bytes against the public descriptions, and the read's wait.
class TestSelectrixChannelAccess : public QObject {
    Q_OBJECT
private slots:
    void commands_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("S01 read channel 5") << false << 5 << 0 << QByteArray::fromHex("0500");
        QTest::newRow("S02 loco 5 forward, speed 10, light") << true << 5 << 0x4A << QByteArray::fromHex("854A");
        QTest::newRow("S03 loco 5 reverse, speed 31, F1") << true << 5 << 0xBF << QByteArray::fromHex("85BF");
        QTest::newRow("S04 power on") << true << 127 << 0x80 << QByteArray::fromHex("FF80");
        QTest::newRow("S04 power off") << true << 127 << 0 << QByteArray::fromHex("FF00");
        QTest::newRow("S05 bus 0") << true << 126 << 0 << QByteArray::fromHex("FE00");
        QTest::newRow("S05 bus 1") << true << 126 << 1 << QByteArray::fromHex("FE01");
        QTest::newRow("read track power") << false << 127 << 0 << QByteArray::fromHex("7F00");
        QTest::newRow("programming off") << true << 106 << 0 << QByteArray::fromHex("EA00");
        QTest::newRow("channel 0, value 255") << true << 0 << 255 << QByteArray::fromHex("80FF");
        QTest::newRow("channel 128") << true << 128 << 0 << QByteArray();
        QTest::newRow("channel -1") << true << -1 << 0 << QByteArray();
        QTest::newRow("value 256") << true << 3 << 256 << QByteArray();
        QTest::newRow("value -1") << true << 3 << -1 << QByteArray();
        QTest::newRow("read channel 128") << false << 128 << 0 << QByteArray();
    }
    void commands() {
        QFETCH(bool, write);
        QFETCH(int, channel);
        QFETCH(int, value);
        QFETCH(QByteArray, bytes);
        const std::optional<QByteArray> command = write ? SelectrixChannelAccess::writeCommand(channel, value)
                                                        : SelectrixChannelAccess::readCommand(channel);
        QCOMPARE(command.value_or(QByteArray()), bytes);

        // Both bytes in one write; nothing at all for a command that does not fit.
        RecordingLink r;
        SelectrixChannelAccess access(r.link);
        QCOMPARE(write ? access.write(channel, value) : access.sendRead(channel), !bytes.isEmpty());
        QCOMPARE(r.port.writes, bytes.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{bytes});
    }

    // The first byte of a take is the answer; what came with it is dropped.
    void answerIsFirstByte() {
        RecordingLink r;
        SelectrixChannelAccess access(r.link);
        r.port.reads = {QByteArray(), QByteArray(), QByteArray::fromHex("C3A5")};
        const auto answer = access.read(109);
        QVERIFY(answer.ok());
        QCOMPARE(answer.value, quint8(0xC3));
        QVERIFY(r.port.reads.isEmpty());
    }

    void deadline_data() {
        QTest::addColumn<qint64>("arrivesAt");  // -1: never
        QTest::addColumn<bool>("answered");
        QTest::newRow("silent") << qint64(-1) << false;
        QTest::newRow("within the deadline") << qint64(1500) << true;
        QTest::newRow("with the last take") << qint64(2001) << true;
        QTest::newRow("too late") << qint64(2600) << false;
    }
    void deadline() {
        QFETCH(qint64, arrivesAt);
        QFETCH(bool, answered);
        RecordingLink r;
        SelectrixChannelAccess access(r.link);
        bool queued = false;
        r.clock.onYield = [&] {
            if (!queued && arrivesAt >= 0 && r.clock.ticks() >= arrivesAt) {
                queued = true;
                r.port.reads.append(QByteArray(1, '\x80'));
            }
        };
        const auto answer = access.read(104);
        QCOMPARE(answer.ok(), answered);
        if (!answered) {
            const qint64 deadline = SelectrixChannelAccess::readDeadlineMs;
            QCOMPARE(answer.outcome, SelectrixChannelAccess::Answer::Outcome::TimedOut);
            QVERIFY(r.clock.ticks() > deadline);
            QVERIFY(r.clock.ticks() < deadline + 100);
        }
    }

    // Closing the window (its exchange cancelled) ends a wait.
    void stopEndsTheWait() {
        RecordingLink r;
        SelectrixChannelAccess access(r.link);
        r.clock.onYield = [&] {
            if (r.clock.ticks() >= 1000)
                r.exchange.cancel();
        };
        const auto answer = access.read(104);
        QCOMPARE(answer.outcome, SelectrixChannelAccess::Answer::Outcome::Stopped);
        QVERIFY(r.clock.ticks() >= 1000 && r.clock.ticks() < 1100);
    }
};

QTEST_GUILESS_MAIN(TestSelectrixChannelAccess)
#include "tst_selectrixchannelaccess.moc"
