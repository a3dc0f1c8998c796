#include "link/core/P50xAnswer.h"
#include "programming/core/CvInput.h"
#include "programming/core/ProgrammingTexts.h"

#include <QTest>

// The checks of typed CV numbers, values and addresses, and the texts the programming
// windows show for an exchange's outcome.
class TestCvInput : public QObject {
    Q_OBJECT
private slots:
    void texts() {
        QCOMPARE(ProgrammingTexts::timeoutText(QStringLiteral("IB")), QStringLiteral("Die IB antwortet nicht !          "));
        QCOMPARE(ProgrammingTexts::readTitle(QStringLiteral("DCC")), QStringLiteral(" DCC-Decoder lesen..."));
        QCOMPARE(ProgrammingTexts::writeTitle(QStringLiteral("mfx")), QStringLiteral(" mfx-Decoder programmieren..."));
        QCOMPARE(ProgrammingTexts::abortedStatus, QStringLiteral(" Programmierung abgebrochen..."));
    }

    void errorTexts() {
        QCOMPARE(ProgrammingTexts::readError(P50xAnswer::shownText(QStringLiteral("No ack\r]"))),
                 QStringLiteral(" Lesevorgang abgebrochen, Fehler: No ack"));
        QCOMPARE(ProgrammingTexts::writeError(P50xAnswer::shownText(QStringLiteral("]"))), QStringLiteral(" Schreibvorgang abgebrochen, Fehler: ]"));
    }

    void input_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cv");
        QTest::addColumn<bool>("value");
        QTest::addColumn<bool>("address");
        QTest::newRow("8") << "8" << true << true << true;
        QTest::newRow("0") << "0" << false << true << false;  // address 0 reaches every decoder
        QTest::newRow("255") << "255" << true << true << true;
        QTest::newRow("256") << "256" << true << false << true;
        QTest::newRow("1024") << "1024" << true << false << true;
        QTest::newRow("1025") << "1025" << false << false << true;
        QTest::newRow("9999") << "9999" << false << false << true;
        QTest::newRow("10000") << "10000" << false << false << false;
        QTest::newRow("question mark") << "?" << false << false << false;
        QTest::newRow("empty") << "" << false << false << false;
        QTest::newRow("blank") << " 5" << false << false << false;
        QTest::newRow("sign") << "+5" << false << false << false;
        QTest::newRow("fraction") << "5.0" << false << false << false;
    }
    void input() {
        QFETCH(QString, text);
        QFETCH(bool, cv);
        QFETCH(bool, value);
        QFETCH(bool, address);
        QCOMPARE(CvInput::cvNumber(text).has_value(), cv);
        QCOMPARE(CvInput::isWriteValue(text), value);
        QCOMPARE(CvInput::locoAddress(text).has_value(), address);
    }

    void registerRows_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("number");
        QTest::newRow("one digit") << QStringLiteral("8     Herstellerkennung") << 8;
        QTest::newRow("two digits") << QStringLiteral("17   erweiterte Adresse (höherwertig)") << 17;
        QTest::newRow("text") << QStringLiteral("abc") << 0;
    }
    void registerRows() {
        QFETCH(QString, row);
        QFETCH(int, number);
        QCOMPARE(CvInput::registerOfListRow(row), number);
    }
};

QTEST_GUILESS_MAIN(TestCvInput)
#include "tst_cvinput.moc"
