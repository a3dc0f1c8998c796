#pragma once

#include <QString>

class Failure;
struct AppContext;

// The central error report: tells the user about a failed file or port operation by its
// error number. Handlers catch the Failure of their own steps, call this and end.
// For a missing port (8002) it asks whether to show the port help (Yes), go on (No) or
// end the program (Cancel) and stores the answer in ctx.Antwort. A cancelled file dialog
// (32755) and 429 show nothing.
void ZentraleFehlerbehandlung(AppContext& ctx, const Failure& failure);

// The description shown in the general message for error numbers that carry none.
QString errorDescription(int number);
