#include "RecordingPort.h"

#include <QTest>

// XpressNet frames against the public vectors: the check byte is the XOR of the message,
// and the LI-USB header stands outside it.
class TestXpressNet : public QObject {
    Q_OBJECT
private slots:
    void frames_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QByteArray>("serial");
        QTest::newRow("direct read CV29") << QByteArray::fromHex("22151D") << QByteArray::fromHex("22151D2A");
        QTest::newRow("direct write CV29=5") << QByteArray::fromHex("23161D05") << QByteArray::fromHex("23161D052D");
        QTest::newRow("paged read CV29") << QByteArray::fromHex("22141D") << QByteArray::fromHex("22141D2B");
        QTest::newRow("paged write CV29=5") << QByteArray::fromHex("23171D05") << QByteArray::fromHex("23171D052C");
        QTest::newRow("register read 5") << QByteArray::fromHex("221105") << QByteArray::fromHex("22110536");
        QTest::newRow("register write 5=5") << QByteArray::fromHex("23120505") << QByteArray::fromHex("2312050531");
        QTest::newRow("result request") << QByteArray::fromHex("2110") << QByteArray::fromHex("211031");
        QTest::newRow("power on") << QByteArray::fromHex("2181") << QByteArray::fromHex("2181A0");
        QTest::newRow("power off") << QByteArray::fromHex("2180") << QByteArray::fromHex("2180A1");
        QTest::newRow("stop all") << QByteArray::fromHex("80") << QByteArray::fromHex("8080");
        QTest::newRow("write CV300 (3.6)") << QByteArray::fromHex("231D2C05") << QByteArray::fromHex("231D2C0517");
        QTest::newRow("stop loco 1234") << QByteArray::fromHex("92C4D2") << QByteArray::fromHex("92C4D284");
        QTest::newRow("128 steps forward") << QByteArray::fromHex("E413C4D2C0") << QByteArray::fromHex("E413C4D2C021");
        QTest::newRow("28 steps forward 14") << QByteArray::fromHex("E412C4D298") << QByteArray::fromHex("E412C4D29878");
        QTest::newRow("14 steps reverse stop") << QByteArray::fromHex("E410C4D200") << QByteArray::fromHex("E410C4D200E2");
        QTest::newRow("group 1 all on") << QByteArray::fromHex("E420C4D21F") << QByteArray::fromHex("E420C4D21FCD");
        QTest::newRow("group 3 all on") << QByteArray::fromHex("E422C4D20F") << QByteArray::fromHex("E422C4D20FDF");
        QTest::newRow("ops write") << QByteArray::fromHex("E6300005EC1C05") << QByteArray::fromHex("E6300005EC1C0526");
        QTest::newRow("turnout 22") << QByteArray::fromHex("52058A") << QByteArray::fromHex("52058ADD");
    }
    void frames() {
        QFETCH(QByteArray, message);
        QFETCH(QByteArray, serial);
        for (qint16 type : {0, 1}) {
            RecordingLink s;
            s.link.SendenXpressNet(message, type == 1);
            QCOMPARE(s.port.writes, QList<QByteArray>{type == 1 ? QByteArray::fromHex("FFFE") + serial : serial});
        }
    }
    // Nothing goes out for an empty message or one longer than 14 bytes.
    void lengthLimits_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("sent");
        QTest::newRow("empty") << 0 << false;
        QTest::newRow("14 bytes") << 14 << true;
        QTest::newRow("15 bytes") << 15 << false;
    }
    void lengthLimits() {
        QFETCH(int, length);
        QFETCH(bool, sent);
        for (qint16 type : {0, 1}) {
            RecordingLink s;
            QCOMPARE(s.link.SendenXpressNet(QByteArray(length, '\x21'), type == 1), sent);
            QCOMPARE(s.port.writes.size(), sent ? 1 : 0);
            if (sent)
                QCOMPARE(s.port.writes.first().size(), length + 1 + (type == 1 ? 2 : 0));
        }
    }
};

QTEST_GUILESS_MAIN(TestXpressNet)
#include "tst_xpressnet.moc"
