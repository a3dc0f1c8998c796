#include "app/core/AppContext.h"
#include "app/ui/Printout.h"
#include "PdfWords.h"
#include "RecordingNotifier.h"
#include "programming/ui/TablePrintout.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Every table row of the pages: mark, CV, value and the rest of the line.
QStringList rowsOf(const QStringList& pages) {
    static const QRegularExpression row(QStringLiteral(R"(^[ ]*([SL]?)[ ]+(\d+)[ ]+(\d+)[ ]*(.*?)[ ]*$)"),
                                        QRegularExpression::MultilineOption);
    QStringList rows;
    for (const QString& page : pages) {
        for (auto it = row.globalMatch(page); it.hasNext();) {
            const auto m = it.next();
            rows.append(QStringList{m.captured(1), m.captured(2), m.captured(3), m.captured(4)}.join(u'|'));
        }
    }
    return rows;
}

}  // namespace

class TestCvGroupPrintout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        ctx.notifier = &notifier;
    }
    void cleanup() { Printout::setTestTarget({}); }

    // A long protocol goes over three pages; every row with a CV is printed once, in order,
    // and each page carries the column headings and the credit line. A Letter page is
    // shorter than A4: its rows and credit line stay on it too.
    void protocolOverThreePages_data() {
        QTest::addColumn<int>("pageSize");
        QTest::newRow("A4") << int(QPageSize::A4);
        QTest::newRow("Letter") << int(QPageSize::Letter);
    }
    void protocolOverThreePages() {
        QFETCH(int, pageSize);
        QList<CvRow> protocol;
        QStringList expected;
        for (int i = 1; i <= 100; ++i) {
            const QString mark = i % 2 ? QStringLiteral("S") : QStringLiteral("L");
            protocol.append({mark, QString::number(i), QString::number(i * 7 % 256), {}});
            expected.append(QStringList{mark, QString::number(i), QString::number(i * 7 % 256), {}}.join(u'|'));
            if (i % 25 == 0)
                protocol.append({"E", "0", "9", {}});  // no CV: left out
        }
        const QString pdf = dir.filePath(QStringLiteral("protocol%1.pdf").arg(pageSize));
        QStringList questions;
        const auto ask = [&](const QString& prompt, const QString& title) -> std::optional<QString> {
            questions.append(title + u'|' + prompt);
            return QStringLiteral("Lok 218");
        };
        if (pageSize == QPageSize::A4) {
            Printout::setTestTarget(pdf);
            TablePrintout::print(ctx, TablePrintout::Kind::Protocol, protocol, ask);
            QCOMPARE(questions, QStringList{" Protokoll drucken...|Protokoll mit  folgender Überschrift versehen: "});
        } else {
            Printout out(pdf, QPageSize::PageSizeId(pageSize));
            TablePrintout::TabellenAusdruck(out, TablePrintout::Kind::Protocol, QStringLiteral("Lok 218"),
                                            QDate::currentDate(), protocol);
        }
        // Text that falls off a page's foot is not on the page.
        const QStringList pages = pagesOf(pdf);
        QCOMPARE(pages.size(), 3);
        QCOMPARE(rowsOf(pages), expected);
        QVERIFY(pages.at(0).contains(QRegularExpression(
            QStringLiteral("Datum:\\s+") + QDate::currentDate().toString(QStringLiteral("dd\\.MM\\.yyyy")))));
        QVERIFY(pages.at(0).contains(QStringLiteral("Lok 218")));
        QCOMPARE(pages.filter(QStringLiteral("Datum:")).size(), 1);
        for (const QString& page : pages) {
            QVERIFY(page.contains(QRegularExpression(QStringLiteral("Act.\\s+CV\\s+Wert\\s+Bemerkung"))));
            QVERIFY(page.contains(QStringLiteral("(Quillex)")));
        }
    }

    void cvGroupTable() {
        const QList<CvRow> rows{{"S", "29", "6", "Licht"}, {"", "", "", ""}, {"L", "8", "145", "Hersteller"}};
        const QString pdf = dir.filePath(QStringLiteral("table.pdf"));
        Printout::setTestTarget(pdf);
        TablePrintout::print(ctx, TablePrintout::Kind::CvGroup, rows,
                             [](const QString& prompt, const QString& title) -> std::optional<QString> {
                                 if (title != QStringLiteral(" Tabelle drucken...") ||
                                     prompt != QStringLiteral("Ausdruck mit  folgender Überschrift versehen: "))
                                     return std::nullopt;
                                 return QString();
                             });
        const QStringList pages = pagesOf(pdf);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(rowsOf(pages), (QStringList{"S|29|6|Licht", "L|8|145|Hersteller"}));
    }

    // The bold column headings stand at their places and end at least 1 mm before the rule
    // that closes their cell (rules at 27, 40, 55 mm); texts too wide for their cells are
    // printed smaller.
    void headingsKeepRoomInTheirCells_data() {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("rule");
        QTest::newRow("Act.") << "Act." << 17.0 << 27.0;
        QTest::newRow("CV") << "CV" << 32.0 << 40.0;
        QTest::newRow("Wert") << "Wert" << 43.0 << 55.0;
    }
    void headingsKeepRoomInTheirCells() {
        QFETCH(QString, heading);
        QFETCH(double, x);
        QFETCH(double, rule);
        const QString pdf = dir.filePath(QStringLiteral("headings.pdf"));
        {
            Printout out(pdf);
            TablePrintout::TabellenAusdruck(out, TablePrintout::Kind::CvGroup, QString(), QDate(2024, 5, 1),
                                            {{"S", "1024", "255", "Licht"}, {"L", "8", "97", QString(100, u'x')}});
        }
        const auto edges = wordEdgesMm(wordsOf(pdf));
        QVERIFY2(edges.contains(heading), qPrintable(QStringList(edges.keys()).join(u' ')));
        QVERIFY2(qAbs(edges[heading].first - x) < 0.5, qPrintable(QString::number(edges[heading].first)));
        QVERIFY2(edges[heading].second <= rule - 0.9, qPrintable(QString::number(edges[heading].second)));
        // The cells' texts stay inside their cells too: a four-digit CV, a three-digit value,
        // a remark of 100 characters.
        QVERIFY(qAbs(edges[QStringLiteral("1024")].second - 37) < 0.5);
        QVERIFY(edges[QStringLiteral("1024")].first >= 27.9);
        QVERIFY(qAbs(edges[QStringLiteral("255")].second - 51) < 0.5);
        QVERIFY(edges[QString(100, u'x')].second <= 194.1);
    }

    void cancelPrintsNothing() {
        const QString pdf = dir.filePath(QStringLiteral("none.pdf"));
        Printout::setTestTarget(pdf);
        TablePrintout::print(ctx, TablePrintout::Kind::Protocol, {{"S", "1", "1", {}}},
                             [](const QString&, const QString&) -> std::optional<QString> { return std::nullopt; });
        QVERIFY(!QFile::exists(pdf));
    }

private:
    QTemporaryDir dir;
    AppContext ctx;
    RecordingNotifier notifier;
};

QTEST_MAIN(TestCvGroupPrintout)
#include "tst_cvgroupprintout.moc"
