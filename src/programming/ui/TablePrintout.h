#pragma once

#include "app/core/CvRow.h"
#include "programming/ui/TableFileCommands.h"

#include <QDate>
#include <QList>

class Printout;
class QWidget;
struct AppContext;

// The printouts of the protocol and of the CV-group table: a date line, the heading the user
// typed, a ruled table ("Act.", "CV", "Wert", "Bemerkung") and the credit line. Long tables
// go on over further pages, each with the column headings, its rules and the credit line.
namespace TablePrintout {

enum class Kind { Protocol, CvGroup };

// Asks for the heading (Cancel: nothing printed), opens the printer (none and no PDF
// chosen: Printout tells the user, nothing printed) and prints the rows as they stand.
void print(AppContext& ctx, Kind kind, const QList<CvRow>& rows, const TableFileCommands::AskText& ask,
           QWidget* parent = nullptr);

// The layout itself, in millimetres on `out`; ends the document.
void TabellenAusdruck(Printout& out, Kind kind, const QString& heading, const QDate& date, const QList<CvRow>& rows);

}  // namespace TablePrintout
