#pragma once

#include <QList>
#include <QMap>
#include <QPair>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The words of a printout as poppler's pdftotext finds them in the PDF.
struct PdfWord {
    QString text;
    QRectF box;  // points, from the top-left of the page
};

// The words of all pages with their boxes; empty when the PDF cannot be read.
inline QList<PdfWord> wordsOf(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000))
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}

inline QString textOf(const QList<PdfWord>& words) {
    QStringList texts;
    for (const PdfWord& w : words)
        texts.append(w.text);
    return texts.join(u' ');
}

// The first word with this text, or null.
inline const PdfWord* find(const QList<PdfWord>& words, const QString& text) {
    for (const PdfWord& w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

// The pages of a PDF as poppler's pdftotext lays them out, one text per page.
inline QStringList pagesOf(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000))
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The left and right edges in millimetres of each word where it first stands, measured
// from the left edge of "Datum:", which the table printouts put at 15 mm.
inline QMap<QString, QPair<double, double>> wordEdgesMm(const QList<PdfWord>& words) {
    const PdfWord* datum = find(words, QStringLiteral("Datum:"));
    const double origin = datum ? datum->box.left() : 0;
    QMap<QString, QPair<double, double>> mm;
    for (const PdfWord& w : words)
        if (!mm.contains(w.text))
            mm.insert(w.text, {15 + (w.box.left() - origin) * 25.4 / 72, 15 + (w.box.right() - origin) * 25.4 / 72});
    return mm;
}
