// The Selectrix window's protocol: saved as a text file through the main window's file
// dialog, and printed.
#include "selectrix/ui/frmSelectrix.h"

#include "app/ui/FileCommands.h"
#include "app/ui/FileDialog.h"
#include "selectrix/core/SxProtokoll.h"
#include "selectrix/ui/SxProtokollPrintout.h"

namespace {
const QString savedWhat = QStringLiteral("Das Protokoll");
const QString saveTitle = QStringLiteral(" Protokoll speichern...");
}  // namespace

void frmSelectrix::protokollSpeichern() {
    FileCommands::saveLines(m_ctx, m_dialog, Dialog::OverwritePrompt, m_SxProtokoll->fileLines(), savedWhat, saveTitle);
}

void frmSelectrix::protokollDrucken() {
    SxProtokollPrintout::print(m_ctx, m_SxProtokoll->rows(), m_askHeading, this);
}
