#include "programming/ui/TablePrintout.h"

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

constexpr double fontSize = 14;
// The room a text keeps from the rules of its cell, in millimetres.
constexpr double ruleRoom = 1;

// Prints a text of the table staying on the line: left-aligned from x, or ending at x when
// `rightEdge`. Where the printer's font would bring it closer than ruleRoom to a rule of its
// cell (cellLeft..cellRight), it is printed smaller; a right-aligned text is measured
// without its surrounding blanks.
void printInCell(Printout& out, double x, bool rightEdge, double cellLeft, double cellRight, const QString& text) {
    const double width = out.textWidth(rightEdge ? text.trimmed() : text);
    const double room = rightEdge ? x - cellLeft - ruleRoom : cellRight - ruleRoom - x;
    const double y = out.currentY();
    const double ascent = out.ascent();
    // The printed text comes out a little wider than measured at small sizes: 3 % spare.
    // A smaller text stands on the line's baseline.
    if (width > room && room > 0) {
        out.setFontSize(fontSize * 0.97 * room / width);
        out.setCurrentY(y + ascent - out.ascent());
    }
    out.setCurrentX(rightEdge ? x - out.textWidth(text.trimmed()) : x);
    out.printText(text);
    out.setFontSize(fontSize);
    out.setCurrentY(y);
}

// Top rule, the bold column headings and the rule under them; returns the top rule's y.
double columnHeadings(Printout& out) {
    const double y0 = qRound(out.currentY());
    out.line(left, y0, right, y0);
    out.setCurrentY(y0);
    out.setBold(true);
    printInCell(out, 17, false, verticalRules[0], verticalRules[1], QStringLiteral("Act."));
    printInCell(out, 32, false, verticalRules[1], verticalRules[2], QStringLiteral("CV"));
    printInCell(out, 43, false, verticalRules[2], verticalRules[3], QStringLiteral("Wert"));
    printInCell(out, 57, false, verticalRules[3], verticalRules[4], QStringLiteral("Bemerkung"));
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
        printInCell(out, 19, false, verticalRules[0], verticalRules[1], row.action);
        printInCell(out, 37, true, verticalRules[1], verticalRules[2], row.cv);
        printInCell(out, 51, true, verticalRules[2], verticalRules[3], row.value);
        if (kind == Kind::CvGroup)
            printInCell(out, 57, false, verticalRules[3], verticalRules[4], row.remark);
        out.printLine();
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
