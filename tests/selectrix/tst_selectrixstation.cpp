#include "SelectrixRig.h"

#include <QTest>

// The simulated Selectrix central against the public channel descriptions and the programming
// channels the window relies on, so that the run and window tests can trust it.
class TestSelectrixStation : public QObject {
    Q_OBJECT

    static std::optional<quint8> read(SelectrixStationRig& r, int channel) {
        const auto answer = r.access.read(channel);
        return answer.ok() ? std::optional<quint8>(answer.value) : std::nullopt;
    }
    static void write(SelectrixStationRig& r, int channel, int value) { r.access.write(channel, value); }

private slots:
    // Track power (S04) and a locomotive channel (S02) as written and read back.
    void channelMemory() {
        SelectrixStationRig r;
        QCOMPARE(read(r, 127), std::optional<quint8>(0x80));
        r.station.write(QByteArray::fromHex("FF00"));
        QVERIFY(!r.station.powerOn());
        QCOMPARE(read(r, 127), std::optional<quint8>(0));
        r.station.write(QByteArray::fromHex("854A"));
        QCOMPARE(read(r, 5), std::optional<quint8>(0x4A));
        r.station.write(QByteArray::fromHex("FF80"));
        QVERIFY(r.station.powerOn());
    }

    // Two bytes may arrive in separate writes: the central pairs them.
    void bytesPairAcrossWrites() {
        SelectrixStationRig r;
        r.station.write(QByteArray::fromHex("85"));
        r.station.write(QByteArray::fromHex("4A05"));
        r.station.write(QByteArray::fromHex("00"));
        QCOMPARE(r.station.readAll(), QByteArray::fromHex("4A"));
    }

    void programmingStatus_data() {
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("ready");
        QTest::addColumn<bool>("decoder");
        QTest::addColumn<int>("beforeOn");
        QTest::addColumn<int>("afterOn");
        QTest::addColumn<int>("afterRead");
        QTest::newRow("free, ready, decoder") << false << true << true << 0 << 96 << 96;
        QTest::newRow("not free") << true << true << true << 64 << 96 << 96;
        QTest::newRow("not ready") << false << false << true << 0 << 32 << 96;
        QTest::newRow("no decoder") << false << true << false << 0 << 96 << 32;
    }
    void programmingStatus() {
        QFETCH(bool, busy);
        QFETCH(bool, ready);
        QFETCH(bool, decoder);
        QFETCH(int, beforeOn);
        QFETCH(int, afterOn);
        QFETCH(int, afterRead);
        SelectrixStationRig r;
        r.station.setSxProgrammingBusy(busy);
        r.station.setSxProgrammingReady(ready);
        r.station.setSxDecoderPresent(decoder);
        QCOMPARE(read(r, 109), std::optional<quint8>(beforeOn));
        write(r, 106, 64);
        QCOMPARE(read(r, 109), std::optional<quint8>(afterOn));
        write(r, 106, 193);
        QCOMPARE(read(r, 109), std::optional<quint8>(afterRead));
        write(r, 106, 0);
        QCOMPARE(read(r, 109), std::optional<quint8>(beforeOn));
    }

    void parameterReadAndWrite() {
        SelectrixStationRig r;
        r.station.setSxDecoder(181, 208);
        write(r, 106, 64);
        write(r, 106, 193);
        QCOMPARE(read(r, 104), std::optional<quint8>(181));
        QCOMPARE(read(r, 105), std::optional<quint8>(208));
        write(r, 104, 0x21);
        write(r, 105, 0x03);
        write(r, 106, 201);
        QCOMPARE(r.station.sxByte1(), quint8(0x21));
        QCOMPARE(r.station.sxByte2(), quint8(0x03));
    }

    // The extended read as the window runs it: the announcement (104 = 9, 105 = 0, 201)
    // outlives 106 := 0, takes the decoder's parameter bytes, and the next read gives the
    // extended byte; a write with 105 = 128 stores it.
    void extendedSettings() {
        SelectrixStationRig r;
        r.station.setSxDecoder(181, 208, 3);
        write(r, 106, 0);
        write(r, 104, 9);
        write(r, 105, 0);
        write(r, 106, 201);
        write(r, 106, 0);
        write(r, 106, 193);
        QCOMPARE(read(r, 104), std::optional<quint8>(3));
        QCOMPARE(r.station.sxByte1(), quint8(9));
        QCOMPARE(r.station.sxByte2(), quint8(0));
        // Only the one read gives the extended byte.
        write(r, 106, 193);
        QCOMPARE(read(r, 104), std::optional<quint8>(9));

        write(r, 104, 100);
        write(r, 105, 128);
        write(r, 106, 201);
        QCOMPARE(r.station.sxExtended(), quint8(100));
        QCOMPARE(r.station.sxByte1(), quint8(9));
    }

    // DCC through the central: 104 names the CV, 106 := 206 reads it into 107 (105 := 0),
    // or writes 107 into it when 107 was written since the last write of 105; a CV the
    // decoder does not have reads as 255 in 105.
    void dccMode_data() {
        QTest::addColumn<int>("cv");
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("value");
        QTest::newRow("CV 3 holds 12") << 3 << true << 0 << 12;
        QTest::newRow("CV 255 holds 0") << 255 << true << 0 << 0;
        QTest::newRow("CV 200 not there") << 200 << false << 255 << 77;
    }
    void dccMode() {
        QFETCH(int, cv);
        QFETCH(bool, present);
        QFETCH(int, result);
        QFETCH(int, value);
        SelectrixStationRig r;
        if (present)
            r.station.setCv(cv, value);
        else
            r.station.removeCv(cv);
        r.station.setChannel(107, 77);
        write(r, 106, 64);
        QCOMPARE(read(r, 109), std::optional<quint8>(96));
        write(r, 104, cv);
        write(r, 105, 0);
        write(r, 106, 206);
        QCOMPARE(read(r, 105), std::optional<quint8>(result));
        QCOMPARE(read(r, 107), std::optional<quint8>(value));

        write(r, 104, cv);
        write(r, 107, 99);
        write(r, 106, 206);
        QCOMPARE(r.station.cv(cv), std::optional<int>(99));
        // A read after it reads, it does not write again.
        r.station.setCv(cv, 5);
        write(r, 105, 0);
        write(r, 106, 206);
        QCOMPARE(read(r, 107), std::optional<quint8>(5));
        QCOMPARE(r.station.cv(cv), std::optional<int>(5));
        write(r, 106, 0);
        QCOMPARE(read(r, 109), std::optional<quint8>(0));
    }

    // Without programming switched on the central carries out no DCC operation.
    void dccNeedsProgramming() {
        SelectrixStationRig r;
        r.station.setChannel(107, 77);
        write(r, 104, 3);
        write(r, 105, 0);
        write(r, 106, 206);
        QCOMPARE(read(r, 107), std::optional<quint8>(77));
        write(r, 107, 1);
        write(r, 106, 206);
        QCOMPARE(r.station.cv(3), std::optional<int>(8));
    }

    void noDecoderLeavesTheChannels() {
        SelectrixStationRig r;
        r.station.setSxDecoderPresent(false);
        r.station.setChannel(104, 17);
        write(r, 106, 64);
        write(r, 106, 193);
        QCOMPARE(read(r, 104), std::optional<quint8>(17));
    }

    void lockedTrackPower() {
        SelectrixStationRig r;
        r.station.setSxTrackPowerLocked(true);
        write(r, 127, 0);
        QCOMPARE(read(r, 127), std::optional<quint8>(0x80));
        QVERIFY(r.station.powerOn());
    }

    void fallsSilent() {
        SelectrixStationRig r;
        r.station.setSxReadsAnswered(2);
        QVERIFY(read(r, 127));
        QVERIFY(read(r, 109));
        QCOMPARE(read(r, 127), std::nullopt);
        // Writes still arrive.
        write(r, 127, 0);
        QVERIFY(!r.station.powerOn());
    }
};

QTEST_GUILESS_MAIN(TestSelectrixStation)
#include "tst_selectrixstation.moc"
