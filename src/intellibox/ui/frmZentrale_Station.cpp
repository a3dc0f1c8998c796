// Station and decoder-type choice of the programming window.
#include "frmZentrale.h"

#include "AppContext.h"
#include "Notifier.h"
#include "ProtocolTable.h"
#include "ZentraleGeometry.h"
#include "ZentraleStations.h"

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

using namespace ZentraleGeometry;

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
    markStationLabels(index, pressed);
    for (QWidget* w : std::initializer_list<QWidget*>{btnSchreiben, optTyp[0], optTyp[1], lstRegister, txtRegister,
                                                      scrRegister, txtWert, scrWert})
        w->setEnabled(true);
    if (auto* address = named<QLineEdit>(QStringLiteral("txtAdresse")))
        address->clear();
    if (pressed)
        applyStationRules(index);
    if (!m_ctx.CuName.isEmpty())
        selectFirstRegister();
}

void frmZentrale::markStationLabels(int index, bool pressed) {
    for (QLabel* l : lblUnit) {
        l->setAutoFillBackground(false);
        l->setFrameShape(QFrame::NoFrame);
        QFont f = l->font();
        f.setBold(false);
        l->setFont(f);
        l->setStyleSheet(QStringLiteral("color: black;"));
    }
    QLabel* l = lblUnit[index];
    QFont f = l->font();
    f.setBold(pressed);
    l->setFont(f);
    l->setFrameShape(pressed ? QFrame::Box : QFrame::NoFrame);
    l->setStyleSheet(QStringLiteral("color: white; background-color: #000080;"));
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
    pnlAdresse->setVisible(r.addressSearch);
    pnlMC->setVisible(r.programmingVariants);
    if (r.programmingVariants)
        pnlMC->move(pnlAdresse->x(), pnlMC->y());
    mnuDatei_Kennlinie->setEnabled(false);  // the speed-curve editor is not built
    btnKennlinie->setEnabled(false);
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
    applyToDrivePanel();
}

void frmZentrale::decoderTypeClicked(int index) {
    lstRegister->clear();
    const bool dcc = index == ZentraleStations::TypeDcc;
    m_ctx.DecoderType = ZentraleStations::decoderTypeName(index);
    lstRegister->resize(lstRegister->width(), px(ZentraleStations::registerListHeight(index)));
    lstRegister->addItems(ZentraleStations::registerList(index));
    btnLesen->setEnabled(dcc);
    mnuDatei_CVGruppen->setEnabled(dcc);
    rbnCVGruppen->setEnabled(dcc);
    if (dcc) {
        chkHGPR->setEnabled(true);
        setTrackText(ZentraleStations::programmingTrackText());
    } else {
        chkHGPR->setEnabled(false);
        chkHGPR->setChecked(false);
        if (rbnCVGruppen->isChecked())
            showCvGroupView(false);
        if (m_ctx.CuName == QLatin1String("6021") || m_ctx.CuName == QLatin1String("MC"))
            setTrackText(ZentraleStations::mainTrackText());
        else if (m_ctx.CuName == QLatin1String("IB"))
            setTrackText(ZentraleStations::programmingTrackText());
    }
    const QString header = dcc ? QStringLiteral("CV") : QStringLiteral("Register");
    m_protocol->setCvHeader(header);
    lblRegister->setText(header);
    applyToDrivePanel();
    if (!m_ctx.CuName.isEmpty())
        selectFirstRegister();
}

void frmZentrale::hgprClicked() {
    const bool mainTrack = chkHGPR->isChecked();
    setTrackText(mainTrack ? ZentraleStations::mainTrackText() : ZentraleStations::programmingTrackText());
    if (auto* search = named<QWidget>(QStringLiteral("btnSearchAdress")))
        search->setVisible(!mainTrack);
    btnLesen->setEnabled(!mainTrack);
}

bool frmZentrale::mainTrackProgramming() const {
    return chkHGPR->isChecked();
}

void frmZentrale::setTrackText(const QString& text) {
    stbGleis->setText(text);
}

void frmZentrale::gleisClicked() {
    if (m_ctx.DecoderType != QLatin1String("fx") && m_ctx.DecoderType != QLatin1String("mfx"))
        return;
    if (m_ctx.CuName == QLatin1String("6021"))
        m_ctx.ui().showHelp(m_ctx.HelpFile, QStringLiteral("Zelvo_6021.htm"));
    else if (m_ctx.CuName == QLatin1String("MC"))
        m_ctx.ui().showHelp(m_ctx.HelpFile, QStringLiteral("Zelvo_MC.htm"));
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

// The driving desk is placed later; its controls follow the station and type by name.
void frmZentrale::applyToDrivePanel() {
    const StationRules* r = ZentraleStations::rules(m_ctx.ZentraleIndex);
    if (r && r->cuName == m_ctx.CuName) {
        if (auto* address = named<QLineEdit>(QStringLiteral("txtAdresse")))
            address->setMaxLength(r->addressMaxLength);
        for (int i = 0; i < 2; ++i)
            if (auto* b = named<QWidget>(QStringLiteral("btnFahrtrichtungswechsel_%1").arg(i)))
                b->setEnabled(r->p50x);
    }
    const bool dcc = m_ctx.DecoderType == QLatin1String("DCC");
    for (int i = 5; i <= 8; ++i)
        if (auto* f = named<QWidget>(QStringLiteral("chkFunctions_%1").arg(i)))
            f->setEnabled(dcc);
}
