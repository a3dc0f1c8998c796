#include "intellibox/core/DriveCommands.h"
#include "link/core/P50xCommands.h"

#include <QTest>

// The drive commands as text and codes, before they reach a port.
class TestDriveCommands : public QObject {
    Q_OBJECT
private slots:
    void xlSpeed_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("speed");
        QTest::newRow("14 steps, top") << 1 << 14 << 98;
        QTest::newRow("14 steps, 1") << 1 << 1 << 7;
        QTest::newRow("27 steps, top") << 2 << 27 << 108;
        QTest::newRow("28 steps, top") << 3 << 28 << 112;
        QTest::newRow("128 steps, 126") << 4 << 126 << 126;
        QTest::newRow("128 steps, 100") << 4 << 100 << 100;
        QTest::newRow("stop") << 3 << 0 << 0;
        QTest::newRow("unknown mode") << 5 << 10 << 0;
        QTest::newRow("16-bit product wraps") << 1 << 5000 << -30536;
    }
    void xlSpeed() {
        QFETCH(int, mode);
        QFETCH(int, step);
        QFETCH(int, speed);
        QCOMPARE(int(DriveCommands::xlSpeed(mode, qint16(step))), speed);
    }

    void texts() {
        QCOMPARE(P50x::XL(QStringLiteral("3"), 112, true, 1, {true, false, true, false}),
                 QStringLiteral("XL 3, 112, 1, 1, 1, 0, 1, 0"));
        QCOMPARE(P50x::XLDirection(QStringLiteral("1234"), 1, 0), QStringLiteral("XL 1234, 0, 1, 0, 0, 0, 0, 0"));
        QCOMPARE(P50x::XF(QStringLiteral("3"), {true, false, true, false, false, false, false, false}),
                 QStringLiteral("XF 3,1, 0, 1, 0, 0, 0, 0, 0"));
        QCOMPARE(P50x::XF(QStringLiteral("80"), {true, true, true, true, true, true, true, true}),
                 QStringLiteral("XF 80,1, 1, 1, 1, 1, 1, 1, 1"));
    }

    void p50Codes_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("expected");
        // -1: no code; steps beyond 14 would be read as other P50 commands (28 with the
        // light on gives 44, a solenoid-off byte).
        QTest::newRow("step 5 with light") << DriveCommands::p50DriveCode(5, true).value_or(-1) << 21;
        QTest::newRow("step 14 dark") << DriveCommands::p50DriveCode(14, false).value_or(-1) << 14;
        QTest::newRow("step 14 with light") << DriveCommands::p50DriveCode(14, true).value_or(-1) << 30;
        QTest::newRow("stop with light") << DriveCommands::p50DriveCode(0, true).value_or(-1) << 16;
        QTest::newRow("step 15") << DriveCommands::p50DriveCode(15, false).value_or(-1) << -1;
        QTest::newRow("step 28 with light") << DriveCommands::p50DriveCode(28, true).value_or(-1) << -1;
        QTest::newRow("step -1") << DriveCommands::p50DriveCode(-1, false).value_or(-1) << -1;
        QTest::newRow("reverse") << DriveCommands::p50ReverseCode(false) << 15;
        QTest::newRow("reverse with light") << DriveCommands::p50ReverseCode(true) << 31;
        QTest::newRow("F1 and F3") << DriveCommands::p50FunctionCode({true, false, true, false}) << 69;
        QTest::newRow("F1..F4") << DriveCommands::p50FunctionCode({true, true, true, true}) << 79;
        QTest::newRow("none") << DriveCommands::p50FunctionCode({false, false, false, false}) << 64;
    }
    void p50Codes() {
        QFETCH(int, code);
        QFETCH(int, expected);
        QCOMPARE(code, expected);
    }

    void addresses_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("p50x");  // -1: refused
        QTest::addColumn<int>("p50");
        QTest::newRow("1") << "1" << 1 << 1;
        QTest::newRow("255") << "255" << 255 << 255;
        QTest::newRow("256") << "256" << 256 << -1;
        QTest::newRow("9999") << "9999" << 9999 << -1;
        QTest::newRow("10000") << "10000" << -1 << -1;
        QTest::newRow("0") << "0" << -1 << -1;
        QTest::newRow("empty") << "" << -1 << -1;
        QTest::newRow("letters") << "3a" << -1 << -1;
        QTest::newRow("sign") << "-3" << -1 << -1;
        QTest::newRow("blanks around") << " 42 " << 42 << 42;
    }
    void addresses() {
        QFETCH(QString, text);
        QFETCH(int, p50x);
        QFETCH(int, p50);
        QCOMPARE(DriveCommands::p50xAddress(text).value_or(-1), p50x);
        QCOMPARE(DriveCommands::p50Address(text).value_or(-1), p50);
    }

    void power() {
        QCOMPARE(DriveCommands::powerByte(true), QByteArray("\x60"));
        QCOMPARE(DriveCommands::powerByte(false), QByteArray("\x61"));
    }
};

QTEST_GUILESS_MAIN(TestDriveCommands)
#include "tst_drivecommands.moc"
