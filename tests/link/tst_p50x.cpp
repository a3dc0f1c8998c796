#include "link/core/P50xAnswer.h"
#include "link/core/P50xCommands.h"

#include <QTest>
#include <functional>

class TestP50x : public QObject {
    Q_OBJECT
private slots:
    void commands_data() {
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("expected");
        QTest::newRow("read cv") << P50x::XPTRD(8) << "XPTRD8";
        QTest::newRow("read cv 1024") << P50x::XPTRD(1024) << "XPTRD1024";
        QTest::newRow("read 1") << P50x::XPTRD(1, P50x::spaced) << "XPTRD 1";
        QTest::newRow("read 17") << P50x::XPTRD(17, P50x::tight) << "XPTRD 17";
        QTest::newRow("read 18") << P50x::XPTRD(18, P50x::tight) << "XPTRD 18";
        QTest::newRow("read 29") << P50x::XPTRD(29, P50x::spaced) << "XPTRD 29";
        QTest::newRow("read long") << P50x::XPTRL() << "XPTRL";
        QTest::newRow("write cv") << P50x::XPTWD(29, QStringLiteral("6")) << "XPTWD29, 6";
        QTest::newRow("write as typed") << P50x::XPTWD(1, QStringLiteral("007")) << "XPTWD1, 007";
        QTest::newRow("write 29 spaced") << P50x::XPTWD(29, QStringLiteral("38"), P50x::spaced) << "XPTWD 29, 38";
        QTest::newRow("write 29") << P50x::XPTWD(29, QStringLiteral("38"), P50x::tight) << "XPTWD 29,38";
        QTest::newRow("write 1") << P50x::XPTWD(1, QStringLiteral("3"), P50x::tight) << "XPTWD 1,3";
        QTest::newRow("write long") << P50x::XPTWL(1234) << "XPTWL 1234";
        QTest::newRow("main track") << P50x::XPD(3, 5, QStringLiteral("64")) << "XPD 3, 5, 64";
        QTest::newRow("track off") << P50x::XPT0() << "XPT0";
        QTest::newRow("track on") << P50x::XPT1() << "XPT1";
        QTest::newRow("search") << P50x::XPTMS() << "XPTMS";
        QTest::newRow("version") << P50x::XV() << "XV";
        QTest::newRow("switch-over") << P50x::XAtAt() << "X@@";
        QTest::newRow("mc mode") << P50x::XTPM80() << "XTPM 80";
    }
    void commands() {
        QFETCH(QString, built);
        QFETCH(QString, expected);
        QCOMPARE(built, expected);
    }

    void shownText_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("shown");
        QTest::newRow("read") << "145 = $91 = %10010001\r]" << "145 = $91 = %10010001";
        QTest::newRow("ok") << "Ok\r]" << "Ok";
        QTest::newRow("bracket only") << "]" << "]";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("two") << "\r]" << "";
    }
    void shownText() {
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        QCOMPARE(P50xAnswer::shownText(answer), shown);
    }

    void valueBeforeEquals_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("value");
        QTest::newRow("value") << "145 = $91\r]" << true << "145";
        QTest::newRow("one digit") << "3 = $03 = %00000011\r]" << true << "3";
        QTest::newRow("at start") << " = 5\r]" << false << "";
        QTest::newRow("error") << "No ack\r]" << false << "";
        QTest::newRow("first of two") << "12 = 3 = 4]" << true << "12";
    }
    void valueBeforeEquals() {
        QFETCH(QString, answer);
        QFETCH(bool, found);
        QFETCH(QString, value);
        const auto v = P50xAnswer::valueBeforeEquals(answer);
        QCOMPARE(v.has_value(), found);
        if (found)
            QCOMPARE(*v, value);
    }

    void versionLine() {
        QCOMPARE(P50xAnswer::versionLine(QStringLiteral("V 1.5\rSN 1\r]")), QStringLiteral("V 1.5 SN 1 ]"));
    }

    void readTest_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<qint64>("value");
        QTest::newRow("value with bits") << "38 = $26 = %00100110\r]" << true << qint64(38);
        QTest::newRow("one digit") << "6\r]" << true << qint64(6);
        QTest::newRow("long address") << "4797\r]" << true << qint64(4797);
        QTest::newRow("no ack") << "No ack\r]" << false << qint64(0);
        QTest::newRow("bracket alone") << "]" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("digit then letter") << "5x\r]" << false << qint64(0);
    }
    void readTest() {
        QFETCH(QString, answer);
        QFETCH(bool, numeric);
        QFETCH(qint64, value);
        const auto v = P50xAnswer::readValue(answer);
        QCOMPARE(v.has_value(), numeric);
        if (numeric)
            QCOMPARE(*v, value);
    }

    void cvValue_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("value");  // -1: no CV value
        QTest::newRow("value with bits") << "38 = $26 = %00100110\r]" << 38;
        QTest::newRow("zero") << "0\r]" << 0;
        QTest::newRow("255") << "255\r]" << 255;
        QTest::newRow("256") << "256\r]" << -1;
        QTest::newRow("negative") << "-1\r]" << -1;
        QTest::newRow("no ack") << "No ack\r]" << -1;
    }
    void cvValue() {
        QFETCH(QString, answer);
        QFETCH(int, value);
        const auto v = P50xAnswer::cvValue(answer);
        QCOMPARE(v.value_or(-1), value);
    }

    // One rule for every write answer: the station's error texts (in any letter case) fail,
    // everything else succeeds, the Intellibox's "Ok" as the MasterControl's bare "]".
    void writeAnswer_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("firstTwo");
        QTest::newRow("Intellibox") << "Ok\r]" << true << "Ok";
        QTest::newRow("lower case") << "ok\r]" << true << "ok";
        QTest::newRow("MasterControl") << "\r]" << true << "";
        QTest::newRow("bracket alone") << "]" << true << "";
        const char* errors[] = {"Busy!",   "Short!",      "No decoder", "No ack",         "No page",
                                "Bit read err", "Bit read error", "SX read err", "Timeout", "Error",
                                "ERROR: bad value", "UNKNOWN COMMAND", "Unknown command", "no ACK"};
        for (const char* error : errors)
            QTest::newRow(error) << QString::fromLatin1(error) + QStringLiteral("\r]") << false
                                 << QString::fromLatin1(error).left(2);
    }
    void writeAnswer() {
        QFETCH(QString, answer);
        QTEST(P50xAnswer::writeSucceeded(answer), "written");
        QTEST(P50xAnswer::firstTwo(answer), "firstTwo");
    }

};

QTEST_GUILESS_MAIN(TestP50x)
#include "tst_p50x.moc"
