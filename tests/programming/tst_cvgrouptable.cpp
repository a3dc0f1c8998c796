#include "programming/core/CvGroupTable.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(CvRow)

namespace {
QStringList column(const CvGroupTable& table, int c) {
    QStringList cells;
    for (int r = 0; r < table.rowCount(); ++r)
        cells.append(table.cell(r, c));
    return cells;
}
void fill(CvGroupTable& table, const QStringList& cvs) {
    QList<CvRow> rows;
    for (const QString& cv : cvs)
        rows.append({"S", cv, "1", "r" + cv});
    table.appendRows(rows, QStringLiteral("DCC"));
}
}  // namespace

class TestCvGroupTable : public QObject {
    Q_OBJECT
private slots:
    void series_data() {
        QTest::addColumn<QStringList>("cvs");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("last row") << QStringList{"1", "33"} << 1 << 36 << true << QStringList{"1", "33", "34", "35", "36"};
        QTest::newRow("middle row keeps the rows after")
            << QStringList{"10", "33", "50", "51"} << 1 << 35 << true << QStringList{"10", "33", "34", "35"};
        QTest::newRow("middle row grows past the end")
            << QStringList{"33", "50", "51"} << 0 << 37 << true << QStringList{"33", "34", "35", "36", "37"};
        QTest::newRow("target equal to start") << QStringList{"33"} << 0 << 33 << false << QStringList{"33"};
        QTest::newRow("no digits in the answer") << QStringList{"33"} << 0 << 0 << false << QStringList{"33"};
        QTest::newRow("empty table") << QStringList{} << -1 << 3 << true << QStringList{"1", "2", "3"};
        QTest::newRow("target above the last CV") << QStringList{"1022"} << 0 << 99999999 << true
                                                  << QStringList{"1022", "1023", "1024"};
    }
    void series() {
        QFETCH(QStringList, cvs);
        QFETCH(int, row);
        QFETCH(int, target);
        QFETCH(QStringList, after);
        CvGroupTable table;
        fill(table, cvs);
        const int start = qMax(1, cvs.isEmpty() ? 0 : cvs.value(row).toInt());
        const QList<CvRow> before = table.rows();
        QTEST(table.extendSeries(row, start, target), "done");
        QCOMPARE(column(table, CvGroupTable::Cv), after);
        // Cells other than the CV keep their contents; new rows are empty otherwise.
        for (int r = 0; r < table.rowCount(); ++r) {
            if (r < before.size()) {
                QCOMPARE(table.cell(r, CvGroupTable::Value), before.at(r).value);
                QCOMPARE(table.cell(r, CvGroupTable::Remark), before.at(r).remark);
            } else {
                QCOMPARE(table.cell(r, CvGroupTable::Mark), QString());
                QCOMPARE(table.cell(r, CvGroupTable::Value), QString());
            }
        }
    }

    // The middle-row series of the edge case: rows after the series stay, in place.
    void seriesKeepsRowsAfter() {
        CvGroupTable table;
        fill(table, {"10", "33", "50", "51", "52", "53"});
        QVERIFY(table.extendSeries(1, 33, 35));
        QCOMPARE(column(table, CvGroupTable::Cv), (QStringList{"10", "33", "34", "35", "52", "53"}));
        QCOMPARE(column(table, CvGroupTable::Remark), (QStringList{"r10", "r33", "r50", "r51", "r52", "r53"}));
    }

    void letterRule_data() {
        QTest::addColumn<bool>("lenz");
        QTest::addColumn<QString>("decoderType");
        QTest::addColumn<QStringList>("marks");
        QTest::addColumn<QStringList>("values");  // a write keeps a missing value missing
        const QStringList kept{"S", " ", "L", "x"};
        const QStringList shownAsZero{"6", "0", "0", "1"};
        const QStringList allWrites{"S", "S", "S", "S"};
        const QStringList missing{"6", "", "", "1"};
        QTest::newRow("DCC keeps letters") << false << "DCC" << kept << shownAsZero;
        QTest::newRow("fx writes all") << false << "fx" << allWrites << missing;
        QTest::newRow("mfx writes all") << false << "mfx" << allWrites << missing;
        QTest::newRow("Lenz keeps letters for fx") << true << "fx" << kept << shownAsZero;
        QTest::newRow("Lenz keeps letters for DCC") << true << "DCC" << kept << shownAsZero;
    }
    void letterRule() {
        QFETCH(bool, lenz);
        QFETCH(QString, decoderType);
        QFETCH(QStringList, marks);
        CvGroupTable table(lenz ? CvGroupTable::LetterRule::KeepLetters : CvGroupTable::LetterRule::ByDecoderType);
        table.appendRows({{"L", "1", "", "typed"}}, QStringLiteral("DCC"));
        table.appendLines({"S 029 006 Licht", "  008     ", "", "   ", "L 008", "x 001 001"}, decoderType);
        QCOMPARE(table.rowCount(), 5);
        QCOMPARE(column(table, CvGroupTable::Mark).mid(1), marks);
        QCOMPARE(column(table, CvGroupTable::Cv).mid(1), (QStringList{"29", "8", "8", "1"}));
        QTEST(column(table, CvGroupTable::Value).mid(1), "values");
        QCOMPARE(table.row(0), (CvRow{"L", "1", "", "typed"}));
    }

    void keyFilter_data() {
        QTest::addColumn<bool>("lenz");
        QTest::addColumn<QString>("decoderType");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("accepted");
        QTest::addColumn<QString>("rejected");
        QTest::newRow("mark DCC") << false << "DCC" << 0 << "sSlL\b\r" << "xX1 -";
        QTest::newRow("mark fx") << false << "fx" << 0 << "sS\b\r" << "lLx1";
        QTest::newRow("mark mfx") << false << "mfx" << 0 << "sS\b\r" << "lL";
        QTest::newRow("mark Lenz") << true << "fx" << 0 << "sSlL\b\r" << "xX";
        QTest::newRow("CV") << false << "DCC" << 1 << "0123456789\b\r" << "a -.";
        QTest::newRow("value") << true << "DCC" << 2 << "0123456789\b\r" << "a -.";
        QTest::newRow("remark") << false << "fx" << 3 << QString::fromUtf8("aäÜ 1;-\r") << "";
    }
    void keyFilter() {
        QFETCH(bool, lenz);
        QFETCH(QString, decoderType);
        QFETCH(int, column);
        QFETCH(QString, accepted);
        QFETCH(QString, rejected);
        CvGroupTable table(lenz ? CvGroupTable::LetterRule::KeepLetters : CvGroupTable::LetterRule::ByDecoderType);
        for (QChar c : accepted)
            QVERIFY2(table.acceptsCharacter(column, c, decoderType), qPrintable(QString(c)));
        for (QChar c : rejected)
            QVERIFY2(!table.acceptsCharacter(column, c, decoderType), qPrintable(QString(c)));
    }

    void editing() {
        CvGroupTable table;
        fill(table, {"5"});
        QVERIFY(table.setData(table.index(0, 0), QStringLiteral("l")));
        QCOMPARE(table.cell(0, 0), QStringLiteral("L"));
        QVERIFY(table.setData(table.index(0, 1), QStringLiteral("12345")));
        QCOMPARE(table.cell(0, 1), QStringLiteral("123"));
        QCOMPARE(table.headerData(0, Qt::Horizontal).toString(), QStringLiteral("S/L"));
        QCOMPARE(table.headerData(3, Qt::Horizontal).toString(), QStringLiteral("Bemerkung"));
    }

    void rowOperations() {
        CvGroupTable table;
        fill(table, {"1", "2", "3"});
        table.markAll(QStringLiteral("L"));
        QCOMPARE(column(table, 0), (QStringList{"L", "L", "L"}));
        table.insertEmptyRow(1);
        QCOMPARE(column(table, 1), (QStringList{"1", "", "2", "3"}));
        QVERIFY(!table.rowHasCv(1));
        QVERIFY(table.rowHasCv(2));
        table.deleteRow(2);
        QCOMPARE(column(table, 1), (QStringList{"1", "", "3"}));
        table.deleteRow(-1);
        QCOMPARE(column(table, 1), (QStringList{"", "3"}));
        table.clear();
        QCOMPARE(table.rowCount(), 0);
        table.deleteRow(0);
        table.insertEmptyRow(0);
        QCOMPARE(table.rowCount(), 0);
        QVERIFY(!table.rowHasCv(0));
    }
};

QTEST_GUILESS_MAIN(TestCvGroupTable)
#include "tst_cvgrouptable.moc"
