// Repeating a row of the protocol (double click) or of the CV-group table.
#include "intellibox/ui/frmZentrale.h"

#include "app/core/AppContext.h"
#include "intellibox/core/ZentraleStations.h"
#include "programming/core/CvGroupTable.h"
#include "programming/core/ProtocolTable.h"
#include "programming/ui/ProtocolGrid.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>

void frmZentrale::protocolRowActivated(int row) {
    if (row < 0 || row >= m_protocol->rowCount())
        return;
    const CvRow entry = m_protocol->rows().at(row);
    runRow(entry.action, entry.cv, entry.value);
}

void frmZentrale::runCurrentRow(int r) {
    const CvRow row = m_groupTable->row(r);
    runRow(row.action, row.cv, row.value);
}

void frmZentrale::runRow(const QString& action, const QString& cv, const QString& value) {
    txtRegister->setText(cv);
    txtWert->setText(value);
    if (action == QLatin1String("S")) {
        writeDispatch();
    } else if (action == QLatin1String("L")) {
        // Only where this window can read; elsewhere the row just fills the fields.
        const StationRules* r = station();
        if (r && r->canRead && m_ctx.DecoderType == QLatin1String("DCC") && !chkHGPR->isChecked())
            readCv();
    }
}
