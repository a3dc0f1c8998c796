#pragma once

#include "app/core/CvRow.h"
#include "app/ui/FileCommands.h"
#include "app/ui/InputBox.h"

#include <QList>
#include <QString>
#include <functional>

class Dialog;
class QWidget;
struct AppContext;

// What the table handlers of the programming windows share: the file dialog with its text
// filter, the input box, and the protocol's file operations (the protocol grid's pop-up
// items "Protokoll in Datei &speichern" and "Protokoll in MoVe-Datei e&xportieren").
namespace TableFileCommands {

using FileCommands::chooseTextFile;
using FileCommands::reportFailures;
using FileCommands::textFilter;

// An input box: the entered text, or nothing on Cancel.
using ::AskText;
using ::inputBox;

// The protocol's rows as the window's store holds them (action, CV, value); the window
// commits its grid's pending edit first.
void saveProtocol(AppContext& ctx, Dialog& dialog, const QList<CvRow>& rows);
// Also shows the file in the caption of `pnlDatei` through `setCaption`.
void exportProtocolMove(AppContext& ctx, Dialog& dialog, const QList<CvRow>& rows,
                        const std::function<void(const QString&)>& setCaption);

}  // namespace TableFileCommands
