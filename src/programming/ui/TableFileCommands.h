#pragma once

#include "app/core/CvRow.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Dialog;
class QWidget;
struct AppContext;

// What the table handlers of the programming windows share: the file dialog with its text
// filter, the input box, and the protocol's file operations (the protocol grid's pop-up
// items "Protokoll in Datei &speichern" and "Protokoll in MoVe-Datei e&xportieren").
namespace TableFileCommands {

extern const QString textFilter;  // "Text-Dateien (*.TXT)|*.txt"

// An input box: the entered text, or nothing on Cancel.
using AskText = std::function<std::optional<QString>(const QString& prompt, const QString& title)>;
AskText inputBox(QWidget* parent);

// Shows the open or save dialog with the text filter; throws Failure(32755) on Cancel.
// An empty name comes back empty: the operation ends.
QString chooseTextFile(Dialog& dialog, bool save);

// Runs a file operation; a Failure goes to the central error report (a cancelled dialog
// shows nothing there).
void reportFailures(AppContext& ctx, const std::function<void()>& operation);

// The protocol's rows as the window's store holds them (action, CV, value); the window
// commits its grid's pending edit first.
void saveProtocol(AppContext& ctx, Dialog& dialog, const QList<CvRow>& rows);
// Also shows the file in the caption of `pnlDatei` through `setCaption`.
void exportProtocolMove(AppContext& ctx, Dialog& dialog, const QList<CvRow>& rows,
                        const std::function<void(const QString&)>& setCaption);

}  // namespace TableFileCommands
