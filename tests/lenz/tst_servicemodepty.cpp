#include "Pty.h"
#include "lenz/core/LenzServiceMode.h"
#include "link/core/StationLink.h"
#include "link/core/QtSerialPort.h"
#include "link/core/RealClock.h"

#include <QTest>
#include <QTimer>

// The service-mode read over the real port on a pseudo-terminal: the answer collection
// sleeps on the port, lets window events run and keeps what each read brings.
class TestServiceModePty : public QObject {
    Q_OBJECT
private slots:
    void resultInPieces_data() {
        QTest::addColumn<bool>("usb");
        QTest::newRow("serial") << false;
        QTest::newRow("LI-USB") << true;
    }
    void resultInPieces() {
        QFETCH(bool, usb);
        Pty pty;
        QtSerialPort port;
        port.setPortName(pty.path);
        port.open();
        RealClock clock;
        StationLink link(port, clock);
        const StationLink::Exchange exchange(link);
        LenzServiceMode serviceMode(link, usb);
        const QByteArray header = usb ? QByteArray::fromHex("FFFE") : QByteArray();
        const QByteArray broadcast = (usb ? QByteArray::fromHex("FFFD") : QByteArray()) + QByteArray::fromHex("610263");
        // Only window events write the station's side, so the answer arrives only if they run
        // while the answer is collected; it comes in three pieces.
        const QList<QByteArray> pieces{broadcast + header + QByteArray::fromHex("6314"), QByteArray::fromHex("1D"),
                                       QByteArray::fromHex("2248") + header + QByteArray::fromHex("010405")};
        for (qsizetype i = 0; i < pieces.size(); ++i)
            QTimer::singleShot(int(40 * (i + 1)), [&pty, piece = pieces[i]] { QVERIFY(pty.writeMaster(piece)); });
        const ServiceModeOutcome o = serviceMode.read(XpressNet::ProgrammingMode::Direct, 29, {0, 0, 3000, 0});
        QCOMPARE(o.kind, ServiceModeOutcome::Kind::Value);
        QCOMPARE(o.number, 29);
        QCOMPARE(o.value, 34);
        const QByteArray sent = header + QByteArray::fromHex("22151D2A") + header + QByteArray::fromHex("211031");
        QCOMPARE(pty.readMaster(sent.size()), sent);
    }
};

QTEST_GUILESS_MAIN(TestServiceModePty)
#include "tst_servicemodepty.moc"
