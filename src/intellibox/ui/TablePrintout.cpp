#include "intellibox/ui/TablePrintout.h"

#include "app/core/AppContext.h"
#include "app/ui/Printout.h"
#include "app/core/TextNumbers.h"

namespace TablePrintout {

namespace {
constexpr double left = 15;
constexpr double right = 195;
constexpr double top = 11;
// On an A4 page rows stop at 280 and the credit line starts at 290; a shorter page (Letter)
// moves both up so that nothing falls off its foot.
constexpr double rowsBottom = 280;
constexpr double creditY = 290;
constexpr double creditGap = 10;
double creditLineY(const Printout& out) {
    return qMin(creditY, out.pageHeight());
}
double bottomOfRows(const Printout& out) {
    return qMin(rowsBottom, creditLineY(out) - creditGap);
}
constexpr double verticalRules[] = {15, 27, 40, 55, 195};

struct Texts {
    QString prompt;
    QString title;
};
Texts texts(Kind kind) {
    if (kind == Kind::Protocol)
        return {QStringLiteral("Protokoll mit  folgender Überschrift versehen: "), QStringLiteral(" Protokoll drucken...")};
    return {QStringLiteral("Ausdruck mit  folgender Überschrift versehen: "), QStringLiteral(" Tabelle drucken...")};
}

// The room a column heading keeps before the rule that closes its cell, in millimetres.
constexpr double headingRoom = 1;
constexpr double fontSize = 14;

// A heading at its place, staying on the line. Where the printer's font would bring it
// closer to the cell's closing rule than headingRoom, it is printed smaller.
void columnHeading(Printout& out, double x, double cellRight, const QString& text) {
    const double width = out.textWidth(text);
    const double room = cellRight - headingRoom - x;
    if (width > room)
        out.setFontSize(fontSize * room / width);
    out.setCurrentX(x);
    out.printText(text);
    out.setFontSize(fontSize);
}

// Top rule, the bold column headings and the rule under them; returns the top rule's y.
double columnHeadings(Printout& out) {
    const double y0 = qRound(out.currentY());
    out.line(left, y0, right, y0);
    out.setCurrentY(y0);
    out.setBold(true);
    columnHeading(out, 17, verticalRules[1], QStringLiteral("Act."));
    columnHeading(out, 32, verticalRules[2], QStringLiteral("CV"));
    columnHeading(out, 43, verticalRules[3], QStringLiteral("Wert"));
    columnHeading(out, 57, verticalRules[4], QStringLiteral("Bemerkung"));
    out.printLine();
    const double y = out.currentY();
    out.line(left, y, right, y);
    out.setCurrentY(y);
    out.setBold(false);
    return y0;
}

// The vertical rules from the top rule down to the current y, and the credit line.
void closePage(Printout& out, double y0) {
    const double y = out.currentY();
    for (double x : verticalRules)
        out.line(x, y0, x, y);
    out.setCurrentY(y);
    printCreditLine(out, 5, creditLineY(out));
}

void rightAligned(Printout& out, double edge, const QString& text) {
    out.setCurrentX(edge - out.textWidth(text.trimmed()));
}
}  // namespace

void TabellenAusdruck(Printout& out, Kind kind, const QString& heading, const QDate& date, const QList<CvRow>& rows) {
    out.setUnit(Printout::Unit::Millimetre);
    out.setFontSize(fontSize);
    out.setCurrentX(left);
    out.setCurrentY(top);
    out.printLine(QStringLiteral("Datum:  ") + date.toString(QStringLiteral("dd.MM.yyyy")));
    out.printLine();
    if (!heading.isEmpty()) {
        out.setCurrentX(left);
        out.printLine(heading);
        out.printLine();
    }
    double y0 = columnHeadings(out);
    const double bottom = bottomOfRows(out);

    for (const CvRow& row : rows) {
        if (kind == Kind::Protocol && leadingNumber(row.cv) <= 0)
            continue;
        if (out.currentY() + out.textHeight() > bottom) {
            closePage(out, y0);
            out.newPage();
            out.setCurrentX(left);
            out.setCurrentY(top);
            y0 = columnHeadings(out);
        }
        out.setCurrentX(19);
        out.printText(row.action);
        rightAligned(out, 37, row.cv);
        out.printText(row.cv);
        rightAligned(out, 51, row.value);
        if (kind == Kind::Protocol) {
            out.printLine(row.value);
        } else {
            out.printText(row.value);
            out.setCurrentX(57);
            out.printLine(row.remark);
        }
        const double y = out.currentY();
        out.line(left, y, right, y);
        out.setCurrentY(y);
    }
    closePage(out, y0);
    out.endDoc();
}

void print(AppContext& ctx, Kind kind, const QList<CvRow>& rows, const TableFileCommands::AskText& ask, QWidget* parent) {
    const Texts t = texts(kind);
    const std::optional<QString> heading = ask(t.prompt, t.title);
    if (!heading)
        return;
    std::unique_ptr<Printout> out = Printout::open(ctx.ui(), parent);
    if (!out)
        return;
    TabellenAusdruck(*out, kind, *heading, QDate::currentDate(), rows);
}

}  // namespace TablePrintout
