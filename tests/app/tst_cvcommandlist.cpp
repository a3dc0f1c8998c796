#include "app/core/CvCommandList.h"

#include <QTest>

using namespace CvCommandList;

Q_DECLARE_METATYPE(CvRow)

// The command-list line as every writer and reader of CV lists shares it.
class TestCvCommandList : public QObject {
    Q_OBJECT
private slots:
    void tableLineRoundTrip_data() {
        QTest::addColumn<CvRow>("row");
        QTest::addColumn<QString>("line");
        QTest::addColumn<CvRow>("readBack");
        QTest::newRow("write with remark") << CvRow{"S", "29", "6", "Licht"} << "S 029 006 Licht"
                                           << CvRow{"S", "29", "6", "Licht"};
        QTest::newRow("no mark, no value") << CvRow{"", "8", "", ""} << "  008     " << CvRow{" ", "8", "", ""};
        QTest::newRow("read row") << CvRow{"L", "1", "", ""} << "L 001     " << CvRow{"L", "1", "", ""};
        QTest::newRow("four-digit CV") << CvRow{"S", "1024", "255", "oben"} << "S 1024255 oben"
                                       << CvRow{"S", "1024", "255", "oben"};
        QTest::newRow("four-digit CV no value") << CvRow{"L", "1000", "", ""} << "L 1000    "
                                                << CvRow{"L", "1000", "", ""};
        QTest::newRow("umlauts in remark") << CvRow{"S", "33", "1", "Rücklicht ändern"}
                                           << QString::fromUtf8("S 033 001 Rücklicht ändern")
                                           << CvRow{"S", "33", "1", QString::fromUtf8("Rücklicht ändern")};
        QTest::newRow("zero") << CvRow{"S", "0", "0", ""} << "S 000 000 " << CvRow{"S", "0", "0", ""};
        QTest::newRow("text cell kept") << CvRow{"S", "ab", "x", "r"} << "S ab  x   r" << CvRow{"S", "0", "x", "r"};
        QTest::newRow("long text cell cut") << CvRow{"S", "abcdef", "", ""} << "S abcd    " << CvRow{"S", "0", "", ""};
        QTest::newRow("remark blanks kept") << CvRow{"S", "7", "2", "  a  "} << "S 007 002   a  "
                                            << CvRow{"S", "7", "2", "  a  "};
    }
    void tableLineRoundTrip() {
        QFETCH(CvRow, row);
        QFETCH(QString, line);
        QFETCH(CvRow, readBack);
        QCOMPARE(tableLine(row), line);
        QCOMPARE(parseLine(line), readBack);
        // What was read writes the same line again; a CV that is no number reads as 0.
        if (startsWithNumber(row.cv))
            QCOMPARE(tableLine(parseLine(line)), line);
    }

    void readers_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<CvRow>("row");
        QTest::newRow("mapping editor line") << "S 035 004" << CvRow{"S", "35", "4", ""};
        QTest::newRow("read list line") << "L 008" << CvRow{"L", "8", "", ""};
        QTest::newRow("protocol line, four-digit CV") << "S 1024 006" << CvRow{"S", "1024", "6", ""};
        QTest::newRow("three-digit CV then digits") << "S 029 1234" << CvRow{"S", "29", "1234", ""};
        QTest::newRow("short zero") << "S 00 00" << CvRow{"S", "0", "0", ""};
        QTest::newRow("short fields stay apart") << "S 29 6" << CvRow{"S", "29", "", ""};
        QTest::newRow("blank inside a field") << "S 1 2 3 4" << CvRow{"S", "12", "34", ""};
        QTest::newRow("no digits") << "S abc def" << CvRow{"S", "0", "def", ""};
        // A value that is no number stays as it stands, so that no run writes it as 0.
        QTest::newRow("negative value") << "S 029 -5" << CvRow{"S", "29", "-5", ""};
        QTest::newRow("mark only") << "L" << CvRow{"L", "0", "", ""};
        QTest::newRow("lower-case mark kept") << "s 001 002" << CvRow{"s", "1", "2", ""};
        // Digits past a field's end are no number: nothing is shifted into CV and value.
        QTest::newRow("five-digit CV") << "S 99999 006" << CvRow{"S", "99999", "", "6"};
        QTest::newRow("five-digit read CV") << "L 65536" << CvRow{"L", "65536", "", ""};
        QTest::newRow("six digits") << "S 102400 x" << CvRow{"S", "102400", "", ""};
        QTest::newRow("five-digit value") << "S 029 99999" << CvRow{"S", "29", "99999", "9"};
        QTest::newRow("table line, four-digit CV, value after it") << "S 1024006 x" << CvRow{"S", "1024", "6", "x"};
        QTest::newRow("table line, four-digit CV and value") << "S 10241000x" << CvRow{"S", "1024", "1000", "x"};
        QTest::newRow("remark cut at 100")
            << QStringLiteral("S 001 002 ") + QString(120, u'x') << CvRow{"S", "1", "2", QString(100, u'x')};
    }
    void readers() {
        QFETCH(QString, line);
        QFETCH(CvRow, row);
        QCOMPARE(parseLine(line), row);
    }

    void writers() {
        QCOMPARE(writeLine(29, 6), QStringLiteral("S 029 006"));
        QCOMPARE(readLine(8), QStringLiteral("L 008"));
        QCOMPARE(protocolLine({"L", "8", "145", ""}), QStringLiteral("L 008 145"));
        QCOMPARE(protocolLine({"S", "1024", "?", ""}), QStringLiteral("S 1024 ?"));
        QCOMPARE(protocolLine({"", "5", "1", ""}), QStringLiteral("  005 001"));
    }

    void splitText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR, no trailing CR") << "S 029 006\rS 001 003" << QStringList{"S 029 006", "S 001 003"};
        QTest::newRow("CR LF") << "S 029 006\r\nS 001 003\r\n" << QStringList{"S 029 006", "S 001 003"};
        QTest::newRow("LF") << "S 029 006\nL 008\n" << QStringList{"S 029 006", "L 008"};
        QTest::newRow("empty and blank pieces") << "S 029 006\r\r   \rL 008\r" << QStringList{"S 029 006", "L 008"};
        QTest::newRow("mixed") << "\r\nS 001 001\rS 002 002\n\nS 003 003" << QStringList{"S 001 001", "S 002 002", "S 003 003"};
        QTest::newRow("only blanks") << "  \r\n " << QStringList{};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void splitText() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(CvCommandList::splitText(text), lines);
    }

    void clipboardRoundTrip() {
        const QStringList lines{writeLine(33, 1), writeLine(34, 2), writeLine(1024, 12)};
        const QString text = joinForClipboard(lines);
        QCOMPARE(text, QStringLiteral("S 033 001\rS 034 002\rS 1024 012"));
        QCOMPARE(CvCommandList::splitText(text), lines);
    }

    void leadingNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("starts");
        QTest::newRow("plain") << "29" << 29 << true;
        QTest::newRow("leading zeros") << "007" << 7 << true;
        QTest::newRow("blanks ignored") << " 1 2" << 12 << true;
        QTest::newRow("trailing text") << "145 = $91" << 145 << true;
        QTest::newRow("empty") << "" << 0 << false;
        QTest::newRow("question mark") << "?" << 0 << false;
        QTest::newRow("error answer") << "No ack" << 0 << false;
        QTest::newRow("huge saturates") << "99999999999999" << 2147483647 << true;
        QTest::newRow("arabic digit is not a digit") << QString::fromUtf8("\xd9\xa3") << 0 << false;
    }
    void leadingNumbers() {
        QFETCH(QString, text);
        QFETCH(int, number);
        QFETCH(bool, starts);
        QCOMPARE(leadingNumber(text), number);
        QCOMPARE(startsWithNumber(text), starts);
    }
};

QTEST_GUILESS_MAIN(TestCvCommandList)
#include "tst_cvcommandlist.moc"
