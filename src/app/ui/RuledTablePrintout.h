#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class Printout;

// The printouts of the programs' tables, in millimetres: "Datum:  " and the date at (15, 11)
// and an empty line, the heading the user typed and an empty line (when there is one), the
// bold column titles between two rules, each row on its line with a rule under it, the
// vertical rules from the top rule down to the last one, and the credit line along the left
// edge. A table longer than the page goes on over further pages, each with the column
// titles, its rules and the credit line.
namespace RuledTablePrintout {

struct Column {
    QString title;
    double titleX;       // where the title starts
    double cellX;        // where a cell starts, or ends when right-aligned
    bool rightAligned;   // measured without its surrounding blanks
};

struct Layout {
    // Column k stands between rules[k] and rules[k + 1]; the first and the last rule are the
    // table's edges, also of the horizontal rules.
    QList<Column> columns;
    QList<double> rules;
    QString credit;
};

// Each row holds its cells in column order; a row with fewer cells leaves the rest empty.
// Ends the document.
void print(Printout& out, const Layout& layout, const QString& heading, const QDate& date,
           const QList<QStringList>& rows);

}  // namespace RuledTablePrintout
