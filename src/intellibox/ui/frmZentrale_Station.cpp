// Station and decoder-type choice of the programming window.
#include "intellibox/ui/frmZentrale.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "app/ui/RisingScrollBar.h"
#include "app/ui/StationWindow.h"
#include "app/ui/Twips.h"
#include "intellibox/core/ZentraleStations.h"
#include "intellibox/ui/AddressSearchPanel.h"
#include "intellibox/ui/DrivePanel.h"
#include "programming/core/ProtocolTable.h"
#include "programming/ui/CvGroupGrid.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

void frmZentrale::pressStation(int index) {
    // An index outside the table (a stale setting) leaves every station button released.
    if (!ZentraleStations::rules(index))
        return;
    if (btnUnit[index]->isChecked())
        stationButtonChanged(index, true);
    else
        btnUnit[index]->setChecked(true);  // the group reports the press
}

void frmZentrale::selectDecoderType(int index) {
    if (index < 0 || index > 2)
        return;
    // A type the station does not offer falls back to the station's own default.
    if (!optTyp[index]->isEnabled()) {
        const StationRules* r = ZentraleStations::rules(m_ctx.ZentraleIndex);
        if (!r || !optTyp[r->defaultDecoderType]->isEnabled())
            return;
        index = r->defaultDecoderType;
    }
    optTyp[index]->setChecked(true);
    decoderTypeClicked(index);
}

void frmZentrale::stationButtonChanged(int index, bool pressed) {
    m_ctx.ZentraleIndex = static_cast<qint16>(index);
    markStationLabels({lblUnit[0], lblUnit[1], lblUnit[2]}, index, pressed);
    for (QWidget* w : std::initializer_list<QWidget*>{btnSchreiben, optTyp[0], optTyp[1], lstRegister, txtRegister,
                                                      scrRegister, txtWert, scrWert})
        w->setEnabled(true);
    m_desk->clearAddress();
    if (pressed)
        applyStationRules(index);
    if (!m_ctx.CuName.isEmpty())
        selectFirstRegister();
}

void frmZentrale::applyStationRules(int index) {
    const StationRules& r = *ZentraleStations::rules(index);
    m_ctx.CuName = r.cuName;
    m_ctx.HelpPage = r.helpPage;
    if (r.dccEnabled) {
        optTyp[ZentraleStations::TypeDcc]->setEnabled(true);
        optTyp[r.defaultDecoderType]->setChecked(true);
        decoderTypeClicked(r.defaultDecoderType);
    } else {
        optTyp[r.defaultDecoderType]->setChecked(true);
        decoderTypeClicked(r.defaultDecoderType);
        optTyp[ZentraleStations::TypeDcc]->setEnabled(false);
    }
    btnLesen->setVisible(r.canRead);
    if (!r.mainTrackAllowed)
        chkHGPR->setChecked(false);
    chkHGPR->setEnabled(r.mainTrackAllowed);
    pnlMC->setVisible(r.programmingVariants);
    if (r.programmingVariants)
        pnlMC->move(pnlAdresse->x(), pnlMC->y());
    updateSpeedCurveEntry();
    mnuDatei_Softwarestand->setEnabled(r.p50x);
    if (r.track == StationRules::Track::Main)
        setTrackText(ZentraleStations::mainTrackText());
    else if (r.track == StationRules::Track::Programming)
        setTrackText(ZentraleStations::programmingTrackText());
    if (r.hidesGroupTable && rbnCVGruppen->isChecked())
        showCvGroupView(false);
    else if (r.hidesGroupTable)
        grdGR->hide();
    mnuDatei_LA->setEnabled(r.longAddress);
    rbnLA->setEnabled(r.longAddress);
    if (!r.longAddress && rbnLA->isChecked())
        showLaView(false);
    m_desk->applyStation();
    updateSearchPanel();
}

void frmZentrale::decoderTypeClicked(int index) {
    lstRegister->clear();
    const bool dcc = index == ZentraleStations::TypeDcc;
    m_ctx.DecoderType = ZentraleStations::decoderTypeName(index);
    lstRegister->resize(lstRegister->width(), twips(ZentraleStations::registerListHeight(index)));
    lstRegister->addItems(ZentraleStations::registerList(index));
    showWholeRows(lstRegister);
    mnuDatei_CVGruppen->setEnabled(dcc);
    rbnCVGruppen->setEnabled(dcc);
    if (dcc) {
        chkHGPR->setEnabled(true);
        // A main-track tick that stays keeps its warning and its reading lock.
        hgprClicked();
    } else {
        btnLesen->setEnabled(false);
        chkHGPR->setEnabled(false);
        chkHGPR->setChecked(false);
        if (rbnCVGruppen->isChecked())
            showCvGroupView(false);
        // The Motorola track of the station: the 6021 and the MasterControl program on the main
        // track, the Intellibox on its programming track.
        if (const StationRules* r = station()) {
            if (r->station == ZentraleStations::Station::Intellibox)
                setTrackText(ZentraleStations::programmingTrackText());
            else
                setTrackText(ZentraleStations::mainTrackText());
        }
    }
    const QString header = dcc ? QStringLiteral("CV") : QStringLiteral("Register");
    m_protocol->setCvHeader(header);
    lblRegister->setText(header);
    m_desk->applyDecoderType();
    updateSearchPanel();
    if (!m_ctx.CuName.isEmpty())
        selectFirstRegister();
}

void frmZentrale::hgprClicked() {
    const bool mainTrack = chkHGPR->isChecked();
    setTrackText(mainTrack ? ZentraleStations::mainTrackText() : ZentraleStations::programmingTrackText());
    updateSearchPanel();
    btnLesen->setEnabled(!mainTrack);
}

void frmZentrale::setTrackText(const QString& text) {
    stbGleis->setText(text);
}

void frmZentrale::gleisClicked() {
    if (m_ctx.DecoderType != QLatin1String("fx") && m_ctx.DecoderType != QLatin1String("mfx"))
        return;
    // The help on programming Motorola decoders through the 6021 or the MasterControl.
    const StationRules* r = station();
    if (r && r->station != ZentraleStations::Station::Intellibox)
        m_ctx.ui().showHelp(m_ctx.HelpFile, r->helpPage);
}

void frmZentrale::subHelpFile() {
    const QString page = ZentraleStations::helpPage(m_ctx.ZentraleIndex);
    if (!page.isEmpty())
        m_ctx.HelpPage = page;
}

void frmZentrale::selectFirstRegister() {
    if (lstRegister->count() == 0)
        return;
    lstRegister->setCurrentRow(0);
    registerListClicked();
}

// The address search is the Intellibox's, and not for main-track programming.
void frmZentrale::updateSearchPanel() {
    const StationRules* r = ZentraleStations::rules(m_ctx.ZentraleIndex);
    pnlAdresse->setVisible(r && r == station() && r->addressSearch && !chkHGPR->isChecked());
}
