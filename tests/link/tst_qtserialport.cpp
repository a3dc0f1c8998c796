#include "link/core/QtSerialPort.h"
#include "Pty.h"
#include "TestFiles.h"

#include <QTest>
#include <QTimer>

namespace {

QByteArray allBytes() {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes;
}

}  // namespace

// The real port over a pseudo-terminal: settings, 8-bit bytes both ways, and the failures
// the central error report tells apart.
class TestQtSerialPort : public QObject {
    Q_OBJECT
private slots:
    void portNames_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("device");
        QTest::newRow("number 1") << "1" << "/dev/ttyS0";
        QTest::newRow("number 4") << " 4 " << "/dev/ttyS3";
        QTest::newRow("number 0") << "0" << "";
        QTest::newRow("device name") << "ttyUSB0" << "ttyUSB0";
        QTest::newRow("path") << "/dev/ttyACM0" << "/dev/ttyACM0";
    }
    void portNames() {
        QFETCH(QString, port);
        QFETCH(QString, device);
        QCOMPARE(QtSerialPort::deviceFor(port), device);
    }

    void settingsTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("default") << "2400,N,8,1" << true;
        QTest::newRow("even 7 2") << "9600,E,7,2" << true;
        QTest::newRow("odd") << "19200,o,8,1" << true;
        QTest::newRow("mark") << "4800,M,8,1" << true;
        QTest::newRow("space") << "4800,S,8,1.5" << true;
        QTest::newRow("bad parity") << "2400,X,8,1" << false;
        QTest::newRow("bad bits") << "2400,N,9,1" << false;
        QTest::newRow("bad stop") << "2400,N,8,3" << false;
        QTest::newRow("no comma") << "2400" << false;
        QTest::newRow("no rate") << "abc,N,8,1" << false;
    }
    void settingsTexts() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(QtSerialPort::parseSettings(text).has_value(), valid);
        QtSerialPort port;
        QCOMPARE(failureOf([&] { port.setSettings(text); }), valid ? 0 : ErrorNumber::InvalidProperty);
        QCOMPARE(port.settings(), valid ? text : QString("2400,N,8,1"));
    }

    void bytesPassUnchanged_data() {
        QTest::addColumn<QString>("settings");
        QTest::newRow("2400,N,8,1") << "2400,N,8,1";
        QTest::newRow("9600,O,8,1") << "9600,O,8,1";
        QTest::newRow("19200,N,8,1") << "19200,N,8,1";
    }
    void bytesPassUnchanged() {
        QFETCH(QString, settings);
        Pty pty;
        QVERIFY(!pty.path.isEmpty());
        QtSerialPort port;
        port.setPortName(pty.path);
        port.setSettings(settings);
        port.setRts(true);  // a pseudo-terminal has no RTS: no failure
        QCOMPARE(failureOf([&] { port.open(); }), 0);
        QVERIFY(port.isOpen());
        QCOMPARE(port.cts(), std::nullopt);

        port.write(allBytes());
        QCOMPARE(pty.readMaster(256), allBytes());

        QVERIFY(pty.writeMaster(allBytes()));
        QByteArray received;
        for (int i = 0; i < 50 && received.size() < 256; ++i) {
            port.waitForInput(100);
            received += port.readAll();
        }
        QCOMPARE(received, allBytes());
        QCOMPARE(port.bytesWaiting(), 0);
        port.close();
        QVERIFY(!port.isOpen());
    }

    void bytesWaitingWithoutEventLoop() {
        Pty pty;
        QtSerialPort port;
        port.setPortName(pty.path);
        port.open();
        QVERIFY(pty.writeMaster("12 = $0C\r]"));
        QVERIFY(port.waitForInput(2000));
        QTRY_COMPARE_WITH_TIMEOUT(port.bytesWaiting(), 10, 2000);
        QCOMPARE(port.readAll(), QByteArray("12 = $0C\r]"));
        QVERIFY(!port.waitForInput(0));
    }

    void openFailures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("number");
        QTest::newRow("missing device") << "/dev/ttyQuillexMissing" << "2400,N,8,1" << ErrorNumber::PortMissing;
        QTest::newRow("port 0") << "0" << "2400,N,8,1" << ErrorNumber::PortMissing;
        // A pseudo-terminal has no parity: the device rejects the setting.
        QTest::newRow("parity the device refuses") << "PTY" << "2400,E,8,1" << ErrorNumber::InvalidProperty;
    }
    void openFailures() {
        QFETCH(QString, name);
        QFETCH(QString, settings);
        QFETCH(int, number);
        Pty pty;
        QtSerialPort port;
        port.setPortName(name == u"PTY" ? pty.path : name);
        port.setSettings(settings);
        QCOMPARE(failureOf([&] { port.open(); }), number);
        QVERIFY(!port.isOpen());
    }

    void secondOpenRefused() {
        Pty pty;
        QtSerialPort first;
        first.setPortName(pty.path);
        first.open();
        QtSerialPort second;
        second.setPortName(pty.path);
        QCOMPARE(failureOf([&] { second.open(); }), ErrorNumber::PortInUse);
        QVERIFY(!second.isOpen());
        first.close();
        second.open();
        QVERIFY(second.isOpen());
    }

    void closedPortWaitsQuietly() {
        QtSerialPort port;
        QCOMPARE(port.readAll(), QByteArray());
        QCOMPARE(port.bytesWaiting(), 0);
        QCOMPARE(port.cts(), std::nullopt);
        QCOMPARE(failureOf([&] { port.write("XV\r"); }), PortError::NotOpen);
    }

    // The other end goes away while a wait sleeps: the wait ends with the loss at once.
    void vanishingDeviceEndsTheWait() {
        Pty pty;
        QtSerialPort port;
        port.setPortName(pty.path);
        port.open();
        QTimer::singleShot(30, [&] { pty.closeMaster(); });
        QCOMPARE(failureOf([&] { port.waitForInput(-1); }), PortError::Lost);
        QVERIFY(!port.isOpen());
    }

    // The other end goes away: one failure, then a closed port, never a storm.
    void vanishingDeviceReportedOnce() {
        Pty pty;
        QtSerialPort port;
        port.setPortName(pty.path);
        port.open();
        pty.closeMaster();
        QList<int> failures;
        for (int i = 0; i < 10; ++i) {
            const int number = failureOf([&] {
                port.waitForInput(20);
                port.readAll();
                port.bytesWaiting();
            });
            if (number != 0)
                failures << number;
        }
        QCOMPARE(failures, QList<int>{PortError::Lost});
        QVERIFY(!port.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestQtSerialPort)
#include "tst_qtserialport.moc"
