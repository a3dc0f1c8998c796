#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Dialog;
struct AppContext;

// What the windows' file commands share: the main window's file dialog with the text
// filter, the central error report for their failures, and the save with its confirmation.
namespace FileCommands {

extern const QString textFilter;  // "Text-Dateien (*.TXT)|*.txt"

// Shows the open or save dialog with the text filter and, when given, `flags`
// (Dialog::OverwritePrompt; otherwise the dialog keeps those it has); throws Failure(32755)
// on Cancel. An empty name comes back empty: the operation ends.
QString chooseTextFile(Dialog& dialog, bool save, std::optional<int> flags = std::nullopt);

// Runs a file operation; a Failure goes to the central error report (a cancelled dialog
// shows nothing there).
void reportFailures(AppContext& ctx, const std::function<void()>& operation);

// Asks for the file, writes the lines (a failed save keeps the old file and is reported),
// runs `written` with the path and confirms with `confirmation` (made from the path) in an
// information box titled `title`.
void saveLines(AppContext& ctx, Dialog& dialog, std::optional<int> flags, const QStringList& lines,
               const std::function<QString(const QString& path)>& confirmation, const QString& title,
               const std::function<void(const QString& path)>& written = {});
// The same, confirmed with "<what> wurde unter ...".
void saveLines(AppContext& ctx, Dialog& dialog, std::optional<int> flags, const QStringList& lines,
               const QString& what, const QString& title);

// Saves a window's protocol as these lines: "Das Protokoll wurde unter ...", titled
// " Protokoll speichern...".
void saveProtocol(AppContext& ctx, Dialog& dialog, std::optional<int> flags, const QStringList& lines);

}  // namespace FileCommands
