#include "app/core/TextFile.h"
#include "speedcurve/core/SpeedCurveFile.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

using Loaded = SpeedCurveFile::Loaded;
using Outcome = Loaded::Outcome;

SpeedCurve::Values sampleValues() {
    SpeedCurve::Values v{};
    for (int i = 0; i < SpeedCurve::steps; ++i)
        v[std::size_t(i)] = (i * 37 + 5) % 256;
    v.front() = 0;
    v.back() = 255;
    return v;
}

// `count` lines "  0cv vvv", each followed by `end`.
QByteArray curveBytes(int count, const QByteArray& end = "\r\n") {
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += "  " + QByteArray::number(66 + i).rightJustified(3, '0') + ' ' +
                 QByteArray::number(i * 9 % 256).rightJustified(3, '0') + end;
    return bytes;
}

}  // namespace

class TestCurveFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    // 28 lines of two blanks, the CV in three digits, a blank and the value in three
    // digits, each ended by CR LF; loading gives the same values back.
    void roundTrip() {
        const QString path = dir.filePath(QStringLiteral("kurve.txt"));
        writeTextLines(path, SpeedCurveFile::lines(sampleValues()));
        const QByteArray bytes = fileBytes(path);
        QCOMPARE(bytes.size(), 28 * 11);
        QVERIFY(bytes.startsWith("  067 000\r\n  068 042\r\n  069 079\r\n"));
        QVERIFY(bytes.endsWith("  093 199\r\n  094 255\r\n"));
        const Loaded loaded = SpeedCurveFile::load(path);
        QCOMPARE(loaded.outcome, Outcome::Ok);
        QCOMPARE(loaded.values, sampleValues());
    }

    // Lines are counted by their ends; a load with another count than 28 is refused
    // with the count found.
    void lineCount_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("lines");
        QTest::newRow("28 lines") << curveBytes(28) << 28;
        QTest::newRow("27 lines") << curveBytes(27) << 27;
        QTest::newRow("29 lines") << curveBytes(29) << 29;
        QTest::newRow("LF only") << curveBytes(28, "\n") << 28;
        QTest::newRow("CR only") << curveBytes(28, "\r") << 28;
        QTest::newRow("last line without end") << curveBytes(28).chopped(2) << 27;
        QTest::newRow("text after the last line end") << curveBytes(28) + "  095 001" << 28;
        QTest::newRow("empty") << QByteArray() << 0;
    }
    void lineCount() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, lines);
        const QString path = dir.filePath(QStringLiteral("count.txt"));
        QVERIFY(writeFileBytes(path, bytes));
        const Loaded loaded = SpeedCurveFile::load(path);
        if (lines == 28) {
            QCOMPARE(loaded.outcome, Outcome::Ok);
            QCOMPARE(loaded.values[1], 18);
            QCOMPARE(loaded.values[27], 28 * 9 % 256);
        } else {
            QCOMPARE(loaded.outcome, Outcome::WrongLineCount);
            QCOMPARE(loaded.lines, lines);
            QCOMPARE(SpeedCurveFile::wrongLineCountText(lines),
                     QStringLiteral("Eine Kennliniendatei muß 28 Zeilen haben !            \r\r"
                                    "Die zu ladende Datei hat dagegen %1 Zeilen       ")
                         .arg(lines));
        }
    }

    // Only the whole number a line ends in counts; anything but a number 0..255 there
    // refuses the whole file.
    void lineValue_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("value");  // -1: refused
        QTest::newRow("as written") << "  067 128" << 128;
        QTest::newRow("zero") << "  067 000" << 0;
        QTest::newRow("CV ignored") << "  999 007" << 7;
        QTest::newRow("blanks skipped") << "  067  12" << 12;
        QTest::newRow("blanks after it") << "  067 128  " << 128;
        QTest::newRow("tab before it") << "067\t128" << 128;
        QTest::newRow("leading zeros") << "  067 0000255" << 255;
        QTest::newRow("only three characters") << "255" << 255;
        QTest::newRow("short line") << "9" << 9;
        QTest::newRow("300") << "  067 300" << -1;
        QTest::newRow("256") << "  067 256" << -1;
        QTest::newRow("four digits") << "  067 1200" << -1;
        QTest::newRow("joined to the CV") << "  067200" << -1;
        QTest::newRow("many digits") << "  067 99999999999999999999" << -1;
        QTest::newRow("letters") << "  067 abc" << -1;
        QTest::newRow("letter in front") << "  067 x12" << -1;
        QTest::newRow("sign") << "  067 -12" << -1;
        QTest::newRow("letter behind") << "  067 128x" << -1;
        QTest::newRow("one number, blanks after it") << "  067    " << 67;
        QTest::newRow("empty") << "" << -1;
    }
    void lineValue() {
        QFETCH(QString, line);
        QFETCH(int, value);
        const auto got = SpeedCurveFile::lineValue(line);
        QCOMPARE(got.value_or(-1), value);
    }

    void badValueNamesTheLine() {
        QByteArray bytes = curveBytes(28);
        bytes.replace("  071 045", "  071 1200");
        const QString path = dir.filePath(QStringLiteral("bad.txt"));
        QVERIFY(writeFileBytes(path, bytes));
        const Loaded loaded = SpeedCurveFile::load(path);
        QCOMPARE(loaded.outcome, Outcome::BadValue);
        QCOMPARE(loaded.badLine, 5);
        QVERIFY(SpeedCurveFile::badValueText(5).startsWith(QStringLiteral("Zeile 5 ")));
    }

    void missingFile() {
        QCOMPARE(SpeedCurveFile::load(dir.filePath(QStringLiteral("fehlt.txt"))).outcome, Outcome::Missing);
        QCOMPARE(SpeedCurveFile::load(dir.path()).outcome, Outcome::Missing);
    }

    void savedText() {
        QCOMPARE(SpeedCurveFile::savedText(QStringLiteral("/tmp/k.txt")),
                 QStringLiteral("Kennlinie unter \r\r/tmp/k.txt          \r\rgespeichert !           "));
    }

private:
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(TestCurveFile)
#include "tst_curvefile.moc"
