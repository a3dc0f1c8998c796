#include "programming/ui/TablePrintout.h"

#include "app/core/AppContext.h"
#include "base/core/TextNumbers.h"
#include "app/ui/Printout.h"
#include "app/ui/RuledTablePrintout.h"

namespace TablePrintout {

namespace {

struct Texts {
    QString prompt;
    QString title;
};
Texts texts(Kind kind) {
    if (kind == Kind::Protocol)
        return {QStringLiteral("Protokoll mit  folgender Überschrift versehen: "), QStringLiteral(" Protokoll drucken...")};
    return {QStringLiteral("Ausdruck mit  folgender Überschrift versehen: "), QStringLiteral(" Tabelle drucken...")};
}

const RuledTablePrintout::Layout& layout() {
    static const RuledTablePrintout::Layout table{
        {{QStringLiteral("Act."), 17, 19, false},
         {QStringLiteral("CV"), 32, 37, true},
         {QStringLiteral("Wert"), 43, 51, true},
         {QStringLiteral("Bemerkung"), 57, 57, false}},
        {15, 27, 40, 55, 195},
        creditText()};
    return table;
}

}  // namespace

void TabellenAusdruck(Printout& out, Kind kind, const QString& heading, const QDate& date, const QList<CvRow>& rows) {
    QList<QStringList> cells;
    for (const CvRow& row : rows) {
        // The protocol prints the rows with a CV, without remarks.
        if (kind == Kind::Protocol) {
            if (leadingNumber(row.cv) > 0)
                cells.append({row.action, row.cv, row.value});
        } else {
            cells.append({row.action, row.cv, row.value, row.remark});
        }
    }
    RuledTablePrintout::print(out, layout(), heading, date, cells);
}

void print(AppContext& ctx, Kind kind, const QList<CvRow>& rows, const TableFileCommands::AskText& ask, QWidget* parent) {
    const Texts t = texts(kind);
    if (std::optional<HeadedPrintout> p = openWithHeading(ctx.ui(), ask, t.prompt, t.title, parent))
        TabellenAusdruck(*p->out, kind, p->heading, QDate::currentDate(), rows);
}

}  // namespace TablePrintout
