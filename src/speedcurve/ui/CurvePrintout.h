#pragma once

#include "app/ui/InputBox.h"
#include "speedcurve/core/SpeedCurve.h"

#include <QDate>
#include <QString>

class Printout;
class QWidget;
struct AppContext;

// The speed-curve printout: date, optional heading, the chart of the 28 steps, the value
// row, the table of CVs and values and the credit line.
namespace CurvePrintout {

// Asks for the heading (Cancel: nothing printed), opens the printer (none and no PDF file
// chosen: the user is told, nothing printed) and prints the curve.
void print(AppContext& ctx, const SpeedCurve::Values& values, const AskText& ask, QWidget* parent = nullptr);

// The page itself on `out`; ends the document.
void KennlinieAusdruck(Printout& out, const QString& heading, const QDate& date, const SpeedCurve::Values& values);

}  // namespace CurvePrintout
