#include "selectrix/ui/SxProtokollPrintout.h"

#include "app/core/AppContext.h"
#include "app/core/Version.h"
#include "app/ui/Printout.h"
#include "app/ui/RuledTablePrintout.h"

namespace SxProtokollPrintout {

const QString headingPrompt = QStringLiteral("Protokoll mit  folgender Überschrift versehen: ");
const QString headingTitle = QStringLiteral(" Protokoll drucken...");

namespace {
const RuledTablePrintout::Layout& layout() {
    // "Act." left-aligned at 19, the other cells right-aligned, ending at their cellX.
    static const RuledTablePrintout::Layout table{
        {{QStringLiteral("Act."), 17, 19, false},
         {QStringLiteral("ADR"), 32, 41, true},
         {QStringLiteral("GE"), 53, 56, true},
         {QStringLiteral("BE"), 68, 71, true},
         {QStringLiteral("IM"), 84, 87, true},
         {QStringLiteral("HA"), 98, 101, true},
         {QStringLiteral("M"), 113, 115, true},
         {QStringLiteral("L"), 128, 130, true},
         {QStringLiteral("G"), 142, 144, true},
         {QStringLiteral("IMe"), 154, 157, true},
         {QStringLiteral("HAe"), 169, 172, true}},
        {15, 30, 47, 64, 80, 95, 109, 123, 137, 150, 165, 180, 195},
        createdByCreditText()};
    return table;
}
}  // namespace

void ProtokollAusdruck(Printout& out, const QString& heading, const QDate& date, const QList<SxProtokoll::Row>& rows) {
    QList<QStringList> cells;
    for (const SxProtokoll::Row& row : rows)
        cells.append(QStringList(row.begin(), row.end()));
    RuledTablePrintout::print(out, layout(), heading, date, cells);
}

void print(AppContext& ctx, const QList<SxProtokoll::Row>& rows, const AskText& ask, QWidget* parent) {
    if (std::optional<HeadedPrintout> p = openWithHeading(ctx.ui(), ask, headingPrompt, headingTitle, parent))
        ProtokollAusdruck(*p->out, p->heading, QDate::currentDate(), rows);
}

}  // namespace SxProtokollPrintout
