#include "app/ui/Printout.h"
#include "PdfWords.h"
#include "RecordingNotifier.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

}  // namespace

class TestPrintout : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void currentPositionFollowsOutput() {
        Printout out(m_dir.filePath(QStringLiteral("position.pdf")));
        out.setFontSize(14);
        out.setCurrentX(15);
        out.setCurrentY(11);
        const double width = out.textWidth(QStringLiteral("Datum:  "));
        out.printText(QStringLiteral("Datum:  "));
        QCOMPARE(out.currentX(), 15 + width);
        QCOMPARE(out.currentY(), 11.0);
        out.printLine(QStringLiteral("01.02.2024"));
        QCOMPARE(out.currentX(), 0.0);
        QCOMPARE(out.currentY(), 11 + out.textHeight());
        // One line of 14 points is a little more than 14 points high.
        QVERIFY(out.textHeight() > 14 / kPointsPerMm && out.textHeight() < 2 * 14 / kPointsPerMm);
        out.line(15, 30, 195, 30);
        QCOMPARE(out.currentX(), 195.0);
        QCOMPARE(out.currentY(), 30.0);
        QCOMPARE(out.textWidth(QString()), 0.0);
        const double small = out.textWidth(QStringLiteral("Wert"));
        out.setFontSize(28);
        QVERIFY(out.textWidth(QStringLiteral("Wert")) > 1.9 * small);
        out.setUnit(Printout::Unit::Point);
        QVERIFY(qAbs(out.textHeight() - 28 * 1.0) < 28);
        out.endDoc();
    }

    // Texts land where they were placed, and the credit line runs upwards along the left
    // edge, starting at its point.
    void printedTextsAreFoundInThePdf() {
        const QString pdf = m_dir.filePath(QStringLiteral("texts.pdf"));
        {
            Printout out(pdf);
            out.setFontSize(14);
            out.setCurrentX(15);
            out.setCurrentY(11);
            out.printLine(QStringLiteral("Datum:  01.02.2024"));
            out.setBold(true);
            out.setCurrentX(57);
            out.printLine(QStringLiteral("Bemerkung"));
            out.setBold(false);
            out.line(15, out.currentY(), 195, out.currentY());
            printCreditLine(out);
            out.endDoc();
        }
        const QList<PdfWord> words = wordsOf(pdf);
        const QString all = textOf(words);
        QVERIFY2(all.contains(QStringLiteral("Datum: 01.02.2024")), qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("(Quillex) erstellt vom Quillex-Entwicklerteam")), qPrintable(all));

        const PdfWord* datum = find(words, QStringLiteral("Datum:"));
        const PdfWord* remark = find(words, QStringLiteral("Bemerkung"));
        const PdfWord* credit = find(words, QStringLiteral("(Quillex)"));
        QVERIFY(datum && remark && credit);
        // 42 mm right of the date line's left edge, one line further down.
        QVERIFY(qAbs(remark->box.left() - datum->box.left() - 42 * kPointsPerMm) < 1.5);
        QVERIFY(remark->box.top() > datum->box.bottom() - 1);
        // Upright words are wide, the turned credit is tall; it begins low on the page
        // (279 mm below the date line's top) and stands 10 mm left of the date line.
        QVERIFY(datum->box.width() > datum->box.height());
        QVERIFY(credit->box.height() > credit->box.width());
        QVERIFY(qAbs(credit->box.bottom() - datum->box.top() - 279 * kPointsPerMm) < 3);
        QVERIFY(credit->box.left() - (datum->box.left() - 10 * kPointsPerMm) > -1);
        QVERIFY(credit->box.right() < datum->box.left());
    }

    void nothingPrintsAfterEndDoc() {
        Printout out(m_dir.filePath(QStringLiteral("ended.pdf")));
        out.printLine(QStringLiteral("Erste"));
        out.endDoc();
        out.printLine(QStringLiteral("Zweite"));
        out.line(0, 0, 10, 10);
        PrintTextRotated(out, 5, 100, QStringLiteral("Dritte"), 90);
        const QString all = textOf(wordsOf(m_dir.filePath(QStringLiteral("ended.pdf"))));
        QCOMPARE(all, QStringLiteral("Erste"));
    }

    void testTargetReplacesThePrinter() {
        const QString pdf = m_dir.filePath(QStringLiteral("target.pdf"));
        Printout::setTestTarget(pdf);
        RecordingNotifier ui;
        auto out = Printout::open(ui);
        Printout::setTestTarget({});
        QVERIFY(out);
        out->printLine(QStringLiteral("Probe"));
        out->endDoc();
        QCOMPARE(textOf(wordsOf(pdf)), QStringLiteral("Probe"));
    }
};

QTEST_MAIN(TestPrintout)
#include "tst_printout.moc"
