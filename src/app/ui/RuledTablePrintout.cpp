#include "app/ui/RuledTablePrintout.h"

#include "app/ui/Printout.h"

namespace RuledTablePrintout {

namespace {
constexpr double top = 11;
constexpr double fontSize = 14;
// On an A4 page rows stop at 280 and the credit line starts at 290; a shorter page (Letter)
// moves both up so that nothing falls off its foot.
constexpr double rowsBottom = 280;
constexpr double creditY = 290;
constexpr double creditGap = 10;
constexpr double creditX = 5;
double creditLineY(const Printout& out) {
    return qMin(creditY, out.pageHeight());
}
double bottomOfRows(const Printout& out) {
    return qMin(rowsBottom, creditLineY(out) - creditGap);
}
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

class Table {
public:
    Table(Printout& out, const Layout& layout)
        : m_out(out), m_layout(layout), m_left(layout.rules.first()), m_right(layout.rules.last()) {}

    // Top rule, the bold column titles and the rule under them.
    void columnTitles() {
        m_y0 = qRound(m_out.currentY());
        m_out.line(m_left, m_y0, m_right, m_y0);
        m_out.setCurrentY(m_y0);
        m_out.setBold(true);
        for (qsizetype k = 0; k < m_layout.columns.size(); ++k) {
            const Column& c = m_layout.columns.at(k);
            printInCell(m_out, c.titleX, false, cellLeft(k), cellRight(k), c.title);
        }
        m_out.printLine();
        ruleUnderLine();
        m_out.setBold(false);
    }

    void row(const QStringList& cells) {
        for (qsizetype k = 0; k < m_layout.columns.size() && k < cells.size(); ++k) {
            const Column& c = m_layout.columns.at(k);
            printInCell(m_out, c.cellX, c.rightAligned, cellLeft(k), cellRight(k), cells.at(k));
        }
        m_out.printLine();
        ruleUnderLine();
    }

    // The vertical rules from the top rule down to the current y, and the credit line.
    void closePage() {
        const double y = m_out.currentY();
        for (double x : m_layout.rules)
            m_out.line(x, m_y0, x, y);
        m_out.setCurrentY(y);
        printCreditLine(m_out, creditX, creditLineY(m_out), m_layout.credit);
    }

private:
    double cellLeft(qsizetype k) const { return m_layout.rules.value(k, m_left); }
    double cellRight(qsizetype k) const { return m_layout.rules.value(k + 1, m_right); }
    void ruleUnderLine() {
        const double y = m_out.currentY();
        m_out.line(m_left, y, m_right, y);
        m_out.setCurrentY(y);
    }

    Printout& m_out;
    const Layout& m_layout;
    double m_left;
    double m_right;
    double m_y0 = 0;
};

}  // namespace

void print(Printout& out, const Layout& layout, const QString& heading, const QDate& date,
           const QList<QStringList>& rows) {
    Table table(out, layout);
    const double left = layout.rules.first();
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
    table.columnTitles();
    const double bottom = bottomOfRows(out);
    for (const QStringList& cells : rows) {
        if (out.currentY() + out.textHeight() > bottom) {
            table.closePage();
            out.newPage();
            out.setCurrentX(left);
            out.setCurrentY(top);
            table.columnTitles();
        }
        table.row(cells);
    }
    table.closePage();
    out.endDoc();
}

}  // namespace RuledTablePrintout
