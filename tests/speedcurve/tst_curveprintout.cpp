#include "app/core/AppContext.h"
#include "app/ui/Printout.h"
#include "PdfWords.h"
#include "RecordingNotifier.h"
#include "speedcurve/core/CurvePrintLayout.h"
#include "speedcurve/ui/CurvePrintout.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double pointsPerMm = 72.0 / 25.4;
constexpr double tolerance = 1.5;  // points

SpeedCurve::Values testValues() {
    SpeedCurve::Values v{};
    for (int i = 0; i < SpeedCurve::steps; ++i)
        v[std::size_t(i)] = (i * 53 + 3) % 256;
    v[0] = 0;
    v[27] = 255;
    v[5] = 7;  // one digit: right-aligned it ends where the three-digit ones end
    return v;
}

// Words whose top is within the tolerance of y.
QList<PdfWord> rowAt(const QList<PdfWord>& words, double y) {
    QList<PdfWord> row;
    for (const PdfWord& w : words)
        if (qAbs(w.box.top() - y) < tolerance && w.box.width() > w.box.height() / 4)
            row.append(w);
    std::sort(row.begin(), row.end(), [](const PdfWord& a, const PdfWord& b) { return a.box.left() < b.box.left(); });
    return row;
}

// The page rendered in grey at 4 pixels per point.
QImage render(const QString& pdf, const QString& dir) {
    QProcess process;
    const QString base = dir + QStringLiteral("/page");
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QStringLiteral("288"), QStringLiteral("-gray"), QStringLiteral("-singlefile"), pdf, base});
    if (!process.waitForFinished(60000))
        return {};
    return QImage(base + QStringLiteral(".pgm"));
}

}  // namespace

class TestCurvePrintout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        ctx.notifier = &notifier;
    }
    void cleanup() { Printout::setTestTarget({}); }

    // Date, heading, the chart's step numbers, the value row and the table where the
    // layout puts them (in points from the corner of the printable area), and the credit
    // line running upwards from y 800, or from the foot of a shorter page.
    void page_data() {
        QTest::addColumn<int>("pageSize");
        QTest::newRow("A4") << int(QPageSize::A4);
        QTest::newRow("Letter") << int(QPageSize::Letter);
    }
    void page() {
        QFETCH(int, pageSize);
        const QString pdf = dir.filePath(QStringLiteral("kennlinie%1.pdf").arg(pageSize));
        const QDate date(2024, 3, 9);
        double pageHeight = 0;
        {
            Printout out(pdf, QPageSize::PageSizeId(pageSize));
            out.setUnit(Printout::Unit::Point);
            pageHeight = out.pageHeight();
            CurvePrintout::KennlinieAusdruck(out, QStringLiteral("Lok 218"), date, testValues());
        }
        const QList<PdfWord> words = wordsOf(pdf);
        QVERIFY2(!words.isEmpty(), "pdftotext found no words");

        // The printable area's corner on the page, from the "CV" left of the step numbers.
        const PdfWord* cv = nullptr;
        for (const PdfWord& w : words)
            if (w.text == QStringLiteral("CV") && (!cv || w.box.top() < cv->box.top()))
                cv = &w;
        QVERIFY(cv);
        const QPointF corner = cv->box.topLeft() - QPointF(40, 345);
        auto at = [&](double x, double y) { return corner + QPointF(x, y); };

        const PdfWord* datum = find(words, QStringLiteral("Datum:"));
        QVERIFY(datum);
        QVERIFY(qAbs(datum->box.left() - at(15 * pointsPerMm, 0).x()) < tolerance);
        QVERIFY(qAbs(datum->box.top() - at(0, 5 * pointsPerMm).y()) < tolerance);
        const QList<PdfWord> dateRow = rowAt(words, datum->box.top());
        QCOMPARE(textOf(dateRow), QStringLiteral("Datum: 09.03.2024"));
        const PdfWord* lok = find(words, QStringLiteral("Lok"));
        QVERIFY(lok);
        QCOMPARE(textOf(rowAt(words, lok->box.top())), QStringLiteral("Lok 218"));
        QVERIFY(qAbs(lok->box.left() - datum->box.left()) < tolerance);
        QVERIFY(lok->box.top() > datum->box.bottom() - 1 && lok->box.top() < datum->box.bottom() + 6);

        // Step numbers at y 345, each 6 points left of its step's x (50 + 17 i).
        const QList<PdfWord> cvRow = rowAt(words, at(0, 345).y());
        QCOMPARE(cvRow.size(), 29);
        for (int i = 1; i <= 28; ++i) {
            QCOMPARE(cvRow.at(i).text, QString::number(66 + i));
            QVERIFY2(qAbs(cvRow.at(i).box.left() - at(50 + 17 * i - 6, 0).x()) < tolerance, qPrintable(cvRow.at(i).text));
        }
        // Values at y 358, each a word of its own ending at 55 + 17 i, with room to the next.
        const QList<PdfWord> valueRow = rowAt(words, at(0, 358).y());
        QCOMPARE(valueRow.size(), 29);
        QCOMPARE(valueRow.at(0).text, QStringLiteral("Wert"));
        QVERIFY(qAbs(valueRow.at(0).box.left() - at(34, 0).x()) < tolerance);
        for (int i = 1; i <= 28; ++i) {
            const PdfWord& value = valueRow.at(i);
            QCOMPARE(value.text, QString::number(testValues()[std::size_t(i - 1)]));
            QVERIFY2(qAbs(value.box.right() - at(55 + 17 * i, 0).x()) < tolerance, qPrintable(value.text));
            QVERIFY2(value.box.left() - valueRow.at(i - 1).box.right() > 1.5, qPrintable(value.text));
        }
        // The scales: 0, 20, .., 240 ending at x 50 and at x 550, at y 330 - L, clear of the
        // horizontal grid lines from x 58 to x 532.
        for (int level = 0; level <= 240; level += 20) {
            const QList<PdfWord> row = rowAt(words, at(0, 330 - level).y());
            QStringList ends;
            for (const PdfWord& w : row)
                if (w.text == QString::number(level)) {
                    ends.append(QString::number(qRound(w.box.right() - corner.x())));
                    QVERIFY2(w.box.right() < at(57, 0).x() || w.box.left() > at(533, 0).x(), qPrintable(w.text));
                }
            QCOMPARE(ends, (QStringList{"50", "550"}));
        }

        // The table: the header at y 390, then one row per step, CV at x 50, the value
        // ending at x 112, all above y 779.
        const QList<PdfWord> header = rowAt(words, at(0, CurvePrintLayout::tableTop + 1.5).y());
        QCOMPARE(textOf(header), QStringLiteral("CV Wert"));
        QVERIFY(qAbs(header.at(0).box.left() - at(50, 0).x()) < tolerance);
        QVERIFY(qAbs(header.at(1).box.left() - at(90, 0).x()) < tolerance);
        double lastTop = header.at(0).box.top();
        for (int i = 1; i <= 28; ++i) {
            const QList<PdfWord> row = rowAt(words, at(0, CurvePrintLayout::tableTop + i * CurvePrintLayout::tableRowHeight + 1.5).y());
            QCOMPARE(row.size(), 2);
            QCOMPARE(row.at(0).text, QString::number(66 + i));
            QCOMPARE(row.at(1).text, QString::number(testValues()[std::size_t(i - 1)]));
            QVERIFY(qAbs(row.at(0).box.left() - at(50, 0).x()) < tolerance);
            QVERIFY(qAbs(row.at(1).box.right() - at(112, 0).x()) < tolerance);
            QVERIFY(row.at(0).box.top() > lastTop);
            lastTop = row.at(0).box.top();
            QVERIFY(row.at(0).box.bottom() < at(0, 779).y());
        }

        // The credit line: upright letters turned upwards, beginning at (5, 800) or at
        // the page's foot, at 6 points.
        const PdfWord* credit = find(words, QStringLiteral("(Quillex)"));
        QVERIFY(credit);
        QVERIFY(credit->box.height() > credit->box.width());
        QVERIFY(qAbs(credit->box.left() - at(5, 0).x()) < tolerance);
        QVERIFY(qAbs(credit->box.bottom() - at(0, qMin(800.0, pageHeight)).y()) < tolerance);
        QVERIFY(credit->box.width() < 8);
        QVERIFY(textOf(words).contains(QStringLiteral("(Quillex) created by")));
        QVERIFY(credit->box.bottom() <= corner.y() + pageHeight + 0.5);

        // The chart: each step's circle (radius 2) around (50 + 17 i, 80 + 255 - value);
        // its right edge is dark, the paper beside it is not.
        const QImage image = render(pdf, dir.path());
        QVERIFY(!image.isNull());
        auto grey = [&](double x, double y) { return qGray(image.pixel(qRound((corner.x() + x) * 4), qRound((corner.y() + y) * 4))); };
        for (int i = 1; i <= 28; ++i) {
            const int value = testValues()[std::size_t(i - 1)];
            if (value % 10 == 0)
                continue;  // on a horizontal grid line
            const double x = 50 + 17 * i, y = 80 + 255 - value;
            QVERIFY2(grey(x + 2, y) < 160 || grey(x + 2.25, y) < 160 || grey(x + 1.75, y) < 160, qPrintable(QString::number(i)));
            QVERIFY2(grey(x + 5, y) > 200, qPrintable(QString::number(i)));
        }
    }

    // Cancel prints nothing; an empty heading prints only the date line above the chart.
    void headingQuestion() {
        const QString none = dir.filePath(QStringLiteral("none.pdf"));
        Printout::setTestTarget(none);
        QStringList asked;
        CurvePrintout::print(ctx, testValues(), [&](const QString& prompt, const QString& title) -> std::optional<QString> {
            asked.append(title + u'|' + prompt);
            return std::nullopt;
        });
        QCOMPARE(asked, QStringList{" Kennlinie drucken...|Ausdruck mit  folgender Überschrift versehen: "});
        QVERIFY(!QFile::exists(none));

        const QString plain = dir.filePath(QStringLiteral("plain.pdf"));
        Printout::setTestTarget(plain);
        CurvePrintout::print(ctx, testValues(), [](const QString&, const QString&) -> std::optional<QString> { return QString(); });
        const QList<PdfWord> words = wordsOf(plain);
        const PdfWord* datum = find(words, QStringLiteral("Datum:"));
        QVERIFY(datum);
        QVERIFY(textOf(rowAt(words, datum->box.top())).contains(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))));
        for (const PdfWord& w : words)
            QVERIFY2(w.box.top() < datum->box.bottom() - 1 || w.box.top() > datum->box.top() + 40, qPrintable(w.text));
    }

private:
    QTemporaryDir dir;
    AppContext ctx;
    RecordingNotifier notifier;
};

QTEST_MAIN(TestCurvePrintout)
#include "tst_curveprintout.moc"
