#pragma once

#include "app/ui/InputBox.h"
#include "selectrix/core/SxProtokoll.h"

#include <QDate>
#include <QList>
#include <QString>

class Printout;
class QWidget;
struct AppContext;

// The printout of the Selectrix window's protocol: a date line, the heading the user typed,
// a ruled table of every row with its eleven columns ("Act.", "ADR", "GE", "BE", "IM", "HA",
// "M", "L", "G", "IMe", "HAe") and the credit line; long protocols go on over further pages,
// each with the column titles, its rules and the credit line.
namespace SxProtokollPrintout {

extern const QString headingPrompt;  // "Protokoll mit  folgender Überschrift versehen: "
extern const QString headingTitle;   // " Protokoll drucken..."

// Asks for the heading (Cancel: nothing printed), opens the printer (none and no PDF file
// chosen, or one that cannot start: the user is told, nothing printed) and prints the rows.
void print(AppContext& ctx, const QList<SxProtokoll::Row>& rows, const AskText& ask, QWidget* parent = nullptr);

// The layout itself, in millimetres on `out`; ends the document.
void ProtokollAusdruck(Printout& out, const QString& heading, const QDate& date, const QList<SxProtokoll::Row>& rows);

}  // namespace SxProtokollPrintout
