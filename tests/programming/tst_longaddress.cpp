#include "programming/core/LongAddress.h"

#include <QTest>
#include <limits>

// The NMRA long-address arithmetic and the conversion section's field rules.
class TestLongAddress : public QObject {
    Q_OBJECT
private slots:
    void toAndFromCvs_data() {
        QTest::addColumn<qint64>("address");
        QTest::addColumn<qint64>("cv17");
        QTest::addColumn<qint64>("cv18");
        QTest::newRow("4797") << qint64(4797) << qint64(210) << qint64(189);
        QTest::newRow("1234") << qint64(1234) << qint64(196) << qint64(210);
        QTest::newRow("100") << qint64(100) << qint64(192) << qint64(100);
        QTest::newRow("128") << qint64(128) << qint64(192) << qint64(128);
        QTest::newRow("255") << qint64(255) << qint64(192) << qint64(255);
        QTest::newRow("256") << qint64(256) << qint64(193) << qint64(0);
        QTest::newRow("1000") << qint64(1000) << qint64(195) << qint64(232);
        QTest::newRow("9984") << qint64(9984) << qint64(231) << qint64(0);
        QTest::newRow("9999") << qint64(9999) << qint64(231) << qint64(15);
        QTest::newRow("10239") << qint64(10239) << qint64(231) << qint64(255);
        QTest::newRow("0") << qint64(0) << qint64(192) << qint64(0);
    }
    void toAndFromCvs() {
        QFETCH(qint64, address);
        QFETCH(qint64, cv17);
        QFETCH(qint64, cv18);
        QCOMPARE(LongAddress::toCvs(address), (LongAddress::Cvs{cv17, cv18}));
        QCOMPARE(LongAddress::fromCvs(cv17, cv18), address);
    }

    void fieldConversion_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("cv17");
        QTest::addColumn<QString>("cv18");
        QTest::newRow("empty field") << "" << "192" << "0";
        QTest::newRow("1000") << "1000" << "195" << "232";
        QTest::newRow("leading zeros") << "04797" << "210" << "189";
        // Numbers no field can hold are held at 10^12 instead of overflowing.
        QTest::newRow("huge") << "1e300" << "3906250192" << "0";
        QTest::newRow("huge negative") << "-1e300" << "-3906249808" << "0";
    }

    void extremeCvs() {
        QCOMPARE(LongAddress::fromCvTexts(QStringLiteral("1e300"), QStringLiteral("-1e300")),
                 QStringLiteral("254999999950848"));
        QCOMPARE(LongAddress::fromCvs(std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::min()),
                 qint64(254999999950848));
        QCOMPARE(LongAddress::toCvs(std::numeric_limits<qint64>::min()).cv18, qint64(0));
    }
    void fieldConversion() {
        QFETCH(QString, address);
        QFETCH(QString, cv17);
        QFETCH(QString, cv18);
        QString a;
        QString b;
        LongAddress::toCvTexts(address, a, b);
        QCOMPARE(a, cv17);
        QCOMPARE(b, cv18);
    }
};

QTEST_GUILESS_MAIN(TestLongAddress)
#include "tst_longaddress.moc"
