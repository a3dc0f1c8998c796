// The Selectrix window's protocol: saved as a text file through the main window's file
// dialog, and printed.
#include "selectrix/ui/frmSelectrix.h"

#include "app/ui/FileCommands.h"
#include "app/ui/FileDialog.h"
#include "selectrix/core/SxProtokoll.h"
#include "selectrix/ui/SxProtokollPrintout.h"

void frmSelectrix::saveProtocol() {
    FileCommands::saveProtocol(m_ctx, m_dialog, Dialog::OverwritePrompt, m_SxProtokoll->fileLines());
}

void frmSelectrix::printProtocol() {
    SxProtokollPrintout::print(m_ctx, m_SxProtokoll->rows(), m_askHeading, this);
}
