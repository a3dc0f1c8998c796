#include "TestFiles.h"
#include "app/core/TextFile.h"
#include "base/core/TextNumbers.h"

#include <QTemporaryDir>
#include <QTest>
#include <limits>

class TestTextNumbers : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString fileWith(const QByteArray& bytes) {
        const QString path = m_dir.filePath(QStringLiteral("file.txt"));
        writeFileBytes(path, bytes);
        return path;
    }

private slots:
    void hexToDec_data() {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << "00";
        QTest::newRow("1f") << "1f" << "31";
        QTest::newRow("0A") << "0A" << "10";
        QTest::newRow("5") << "5" << "05";
        QTest::newRow("FF") << "FF" << "255";
        QTest::newRow("stops at other char") << "1G" << "01";
        QTest::newRow("no digit") << "G1" << "00";
        QTest::newRow("blank") << " 1" << "00";
    }
    void hexToDec() {
        QFETCH(QString, hex);
        QFETCH(QString, expected);
        QCOMPARE(HexToDec(hex), expected);
    }

    void decToBin_data() {
        QTest::addColumn<qint32>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0") << 0 << "00000000";
        QTest::newRow("5") << 5 << "00000101";
        QTest::newRow("128") << 128 << "10000000";
        QTest::newRow("255") << 255 << "11111111";
        QTest::newRow("256") << 256 << "*11111111";
        QTest::newRow("max") << std::numeric_limits<qint32>::max() << "*11111111";
        QTest::newRow("-1") << -1 << "00000000";
        QTest::newRow("min") << std::numeric_limits<qint32>::min() << "00000000";
    }
    void decToBin() {
        QFETCH(qint32, n);
        QFETCH(QString, expected);
        QCOMPARE(DecToBin(n), expected);
    }

    void countLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint32>("expected");
        QByteArray lines28;
        for (int i = 0; i < 28; ++i)
            lines28 += "line\r\n";
        QTest::newRow("28 CR LF lines") << lines28 << 28;
        QTest::newRow("70000 bytes, no line end") << QByteArray(70000, 'x') << 0;
        QByteArray edges(70000, 'x');
        for (int at : {0, 31999, 32000, 32001, 63999, 64000, 69999})
            edges[at] = '\r';
        QTest::newRow("CRs at chunk edges") << edges << 7;
        QTest::newRow("LF only") << QByteArray("a\nb\n") << 0;
        QTest::newRow("last line without end") << QByteArray("a\r\nb") << 1;
        QTest::newRow("empty") << QByteArray() << 0;
    }
    void countLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(qint32, expected);
        QCOMPARE(CountLines(fileWith(bytes)), expected);
    }

    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<bool>("starts");  // with a number
        QTest::newRow("empty") << "" << 0.0 << false;
        QTest::newRow("?") << "?" << 0.0 << false;
        QTest::newRow("zero") << "0" << 0.0 << true;
        QTest::newRow("letters first") << "abc12" << 0.0 << false;
        QTest::newRow("digits then letters") << "12abc" << 12.0 << true;
        QTest::newRow("printed number") << " 5 " << 5.0 << true;
        QTest::newRow("negative") << "-5 " << -5.0 << true;
        QTest::newRow("plus") << "+7" << 7.0 << true;
        QTest::newRow("sign only") << "-" << 0.0 << false;
        QTest::newRow("fraction") << "1.5x" << 1.5 << true;
        QTest::newRow("leading point") << ".5" << 0.5 << true;
        QTest::newRow("comma ends") << "1,5" << 1.0 << true;
        QTest::newRow("exponent") << "1e3" << 1000.0 << true;
        QTest::newRow("bare e") << "1e" << 1.0 << true;
        QTest::newRow("answer text") << "17 = ok]" << 17.0 << true;
        QTest::newRow("huge exponent") << "1e999" << 0.0 << false;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(bool, starts);
        QCOMPARE(::leadingNumber(text), expected);
        QCOMPARE(::startingNumber(text).has_value(), starts);
        if (starts)
            QCOMPARE(*::startingNumber(text), expected);
    }

    void roundHalfEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("0.5") << 0.5 << qint64(0);
        QTest::newRow("1.5") << 1.5 << qint64(2);
        QTest::newRow("2.5") << 2.5 << qint64(2);
        QTest::newRow("2.6") << 2.6 << qint64(3);
        QTest::newRow("-0.5") << -0.5 << qint64(0);
        QTest::newRow("-1.5") << -1.5 << qint64(-2);
        QTest::newRow("huge") << 1e30 << std::numeric_limits<qint64>::max();
        QTest::newRow("huge negative") << -1e30 << std::numeric_limits<qint64>::min();
    }
    void roundHalfEven() {
        QFETCH(double, value);
        QFETCH(qint64, expected);
        QCOMPARE(::roundHalfEven(value), expected);
    }

    void wholeNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("blanks around") << " 12 " << true << qint64(12);
        QTest::newRow("letters after") << "12abc" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("in range edge") << "32767" << true << qint64(32767);
        QTest::newRow("out of range") << "32768" << false << qint64(0);
        QTest::newRow("rounds into range") << "-32768.4" << true << qint64(-32768);
    }
    void wholeNumber() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, expected);
        const auto value = toWholeNumber(text, -32768, 32767);
        QCOMPARE(value.has_value(), valid);
        if (valid)
            QCOMPARE(*value, expected);
    }

    void printedNumbers() {
        QCOMPARE(printedNumber(0), QStringLiteral(" 0 "));
        QCOMPARE(printedNumber(1500), QStringLiteral(" 1500 "));
        QCOMPARE(printedNumber(-120), QStringLiteral("-120 "));
        QCOMPARE(zeroPadded(5, 3), QStringLiteral("005"));
        QCOMPARE(zeroPadded(1024, 3), QStringLiteral("1024"));
        QCOMPARE(zeroPadded(-5, 3), QStringLiteral("-005"));
        QCOMPARE(zeroPadded(std::numeric_limits<qint64>::min(), 3), QStringLiteral("-9223372036854775808"));
    }

    void readLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("mixed") << QByteArray("a\rb\nc\r\nd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("empty lines") << QByteArray("\r\n\r\n") << QStringList{"", ""};
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("Latin-1") << QByteArray("K\xfchn\r\n") << QStringList{QStringLiteral("K\u00fchn")};
    }
    void readLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QCOMPARE(readTextLines(fileWith(bytes)), expected);
    }

    void writeLinesEndsEveryLineWithCrLf() {
        const QString path = m_dir.filePath(QStringLiteral("out.txt"));
        writeTextLines(path, {QStringLiteral("S 029 006"), QString(), QStringLiteral("K\u00fchn")});
        QCOMPARE(fileBytes(path), QByteArray("S 029 006\r\n\r\nK\xfchn\r\n"));
    }

    // A file that cannot be opened is an access error, for every file routine.
    void fileFailuresAreAccessErrors_data() {
        QTest::addColumn<int>("routine");
        QTest::newRow("count lines of a missing file") << 0;
        QTest::newRow("read a missing file") << 1;
        QTest::newRow("write into a missing folder") << 2;
    }
    void fileFailuresAreAccessErrors() {
        QFETCH(int, routine);
        const QString missing = m_dir.filePath(QStringLiteral("no/such/file.txt"));
        const std::function<void()> steps[] = {[&] { CountLines(missing); }, [&] { readTextLines(missing); },
                                              [&] { writeTextLines(missing, {QStringLiteral("x")}); }};
        QCOMPARE(failureOf(steps[routine]), 75);
    }
};

QTEST_GUILESS_MAIN(TestTextNumbers)
#include "tst_textnumbers.moc"
