#include "AppContext.h"
#include "RecordingPort.h"
#include "StationLink.h"
#include "VirtualClock.h"

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
    }
    void frames() {
        QFETCH(QByteArray, message);
        QFETCH(QByteArray, serial);
        for (qint16 type : {0, 1}) {
            AppContext ctx;
            ctx.LenzInterfaceType = type;
            RecordingPort port;
            VirtualClock clock;
            StationLink link(ctx, port, clock);
            link.SendenXpressNet(message);
            QCOMPARE(port.writes.size(), 1);
            QCOMPARE(port.writes.first(), type == 1 ? QByteArray::fromHex("FFFE") + serial : serial);
        }
    }
    void emptyMessageSendsNothing() {
        AppContext ctx;
        RecordingPort port;
        VirtualClock clock;
        StationLink link(ctx, port, clock);
        link.SendenXpressNet({});
        QVERIFY(port.writes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestXpressNet)
#include "tst_xpressnet.moc"
