#include "intellibox/ui/frmZentrale.h"

#include "app/core/AppContext.h"
#include "app/ui/RisingScrollBar.h"
#include "app/ui/StationWindow.h"
#include "intellibox/core/ZentraleStations.h"
#include "intellibox/ui/AddressSearchPanel.h"
#include "intellibox/ui/DrivePanel.h"
#include "intellibox/ui/ZentraleTexts.h"
#include "programming/core/CvGroupRun.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/ui/CvGroupGrid.h"
#include "programming/ui/ProgrammingLooks.h"
#include "programming/ui/ProtocolGrid.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

using namespace ProgrammingLooks;

ProgrammingWindow::Frame frmZentrale::frame() {
    Frame f;
    f.objectName = QStringLiteral("frmZentrale");
    f.caption = ZentraleTexts::caption();
    f.cvFieldName = QStringLiteral("txtRegister");
    f.cvBarName = QStringLiteral("scrRegister");
    f.dateiMenu = tr8(ZentraleTexts::mnuDatei);
    f.cvGroupsItem = tr8(ZentraleTexts::mnuDatei_CVGruppen);
    f.dateiCloseItem = tr8(ZentraleTexts::mnuDatei_schliessen);
    f.closeItem = tr8(ZentraleTexts::mnuSchliessen);
    f.protocolOptions = ProtocolGrid::Options{true, true};
    f.letterRule = CvGroupTable::LetterRule::ByDecoderType;
    return f;
}

frmZentrale::frmZentrale(AppContext& ctx, StationLink& stationLink, Dialog& dialog, QWidget* parent)
    : ProgrammingWindow(ctx, stationLink, dialog, frame(), parent) {
    buildStationControls();

    m_desk = new DrivePanel(panelHost(), centralWidget());
    placeDriveDesk(m_desk);
    connect(pnlAdresse, &AddressSearchPanel::addressFound, m_desk, &DrivePanel::setAddress);

    AddressPanel::Options addressOptions;
    addressOptions.longAddressMaximum = [this] {
        const StationRules* r = station();
        return qint64(r ? r->longAddressMaximum : 0);
    };
    buildViews({p50xProgrammers(P50xProgrammer::panel()), p50xProgrammers(P50xProgrammer::basisSwitch())},
               addressOptions, p50xProgrammers(P50xProgrammer::panel()), {});
    m_groupRun = new CvGroupRun(m_ctx, *this, *m_groupTable, m_link.clock(), this);
    grdGR->followRun(m_groupRun);
    buildMenus();
    connect(mnuDatei_Softwarestand, &QAction::triggered, this, [this] { readVersion(); });
    connect(grdKP, &ProtocolGrid::rowActivated, this, [this](int row) { protocolRowActivated(row); });
    formLoad();
}

frmZentrale::~frmZentrale() {
    unload();
}

void frmZentrale::buildStationControls() {
    pnlUnit = panel(pnlDecoder, QStringLiteral("pnlUnit"));
    setGeometryTwips(pnlUnit, 120, 120, 2685, 1155);
    QStringList tips;
    QStringList labels;
    for (int i = 0; i < 3; ++i) {
        tips.append(ZentraleTexts::unitTip(i));
        labels.append(ZentraleTexts::unitLabel(i));
    }
    unitGroup = choiceButtons(pnlUnit, QStringLiteral("btnUnit"), QStringLiteral("lblUnit"), tips, labels,
                              QStyle::SP_ComputerIcon, btnUnit, lblUnit, [this](int id) { stationButtonChanged(id, true); });

    pnlAdresse = new AddressSearchPanel(panelHost(), pnlDecoder);
    setGeometryTwips(pnlAdresse, 2820, 120, 915, 1155);
    pnlAdresse->hide();

    pnlMC = panel(pnlDecoder, QStringLiteral("pnlMC"));
    setGeometryTwips(pnlMC, 3780, 120, 915, 1155);
    auto* mcGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        rbnMC[i] = ribbon(pnlMC, QStringLiteral("rbnMC_%1").arg(i), i < 2 ? QString::number(i + 1) : QString(),
                          nullptr);
        if (i < 2)
            rbnMC[i]->setToolTip(ZentraleTexts::mcTip(i));
        setGeometryTwips(rbnMC[i], 120, 60 + i * 345, 675, 315);
        mcGroup->addButton(rbnMC[i], i);
    }
    connect(mcGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            m_mcVariant = id;
    });

    auto* typGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        optTyp[i] = new QRadioButton(ZentraleTexts::typCaption(i), pnlDecoder);
        optTyp[i]->setObjectName(QStringLiteral("optTyp_%1").arg(i));
        optTyp[i]->setToolTip(ZentraleTexts::typTip(i));
        optTyp[i]->setEnabled(false);
        setGeometryTwips(optTyp[i], 180 + i * 900, 1410, 855, 285);
        typGroup->addButton(optTyp[i], i);
    }
    connect(typGroup, &QButtonGroup::idClicked, this, [this](int id) { decoderTypeClicked(id); });

    chkHGPR = new QCheckBox(tr8(ZentraleTexts::hgprCaption), pnlDecoder);
    chkHGPR->setObjectName(QStringLiteral("chkHGPR"));
    chkHGPR->setToolTip(tr8(ZentraleTexts::hgprTip));
    setGeometryTwips(chkHGPR, 2970, 1410, 1095, 285);
    connect(chkHGPR, &QCheckBox::clicked, this, [this] { hgprClicked(); });

    buildDecoderPanel();
    txtRegister = txtCvField;
    scrRegister = scrCvField;
    // The read button and the fields wait for the station choice.
    btnLesen->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{txtRegister, scrRegister, txtWert, scrWert, lstRegister})
        w->setEnabled(false);

    stbGleis = statusPanel(pnlDecoder, QStringLiteral("stbGleis"), ZentraleTexts::gleisTip);
    setGeometryTwips(stbGleis, 60, 4635, 4950, 330);
    stbGleis->installEventFilter(this);

    connect(btnLesen, &QPushButton::clicked, this, [this] { readCv(); });
    connect(btnSchreiben, &QPushButton::clicked, this, [this] { writeDispatch(); });
    connect(lstRegister, &QListWidget::itemClicked, this, [this] { registerListClicked(); });
    connect(txtRegister, &QLineEdit::textChanged, this, [this] { registerTextChanged(); });
    txtRegister->installEventFilter(this);
    txtWert->installEventFilter(this);
}

void frmZentrale::formLoad() {
    // Steps 3 to 17 are independent: one that cannot be done does not stop the others.
    loadFrame();
    mnuDatei_Softwarestand->setEnabled(false);
    mnuDatei_CVGruppen->setEnabled(false);
    rbnCVGruppen->setEnabled(false);
    rbnLA->setEnabled(false);
    mnuDatei_LA->setEnabled(false);
    btnPower[0]->setEnabled(false);  // until loading is done
    btnPower[1]->setEnabled(false);

    m_desk->loadFahrstufen();

    pressStation(m_ctx.ZentraleIndex);
    selectDecoderType(m_ctx.DecoderTypIndex);
    subHelpFile();
    showDelay();

    pnlDecoder->setEnabled(true);
    m_desk->setEnabled(true);
    btnPower[0]->setEnabled(true);
    btnPower[1]->setEnabled(true);
}

void frmZentrale::closingSteps() {
    // An address search and a table run still switch the programming track off ("XPT0").
    m_ctx.Abbruch = true;
    if (pnlAdresse->isSearching())
        pnlAdresse->stopSearch();
    for (int i = 0; i < 3; ++i) {
        if (optTyp[i]->isChecked()) {
            m_ctx.DecoderTypIndex = static_cast<qint16>(i);
            break;
        }
    }
}

void frmZentrale::powerClicked(int index) {
    m_desk->btnPower_Clicked(index);
}

const StationRules* frmZentrale::station() const {
    return ZentraleStations::named(m_ctx.CuName);
}

CvProgrammerSource frmZentrale::p50xProgrammers(P50xProgrammer::Form form) {
    return [this, form]() -> std::unique_ptr<CvProgrammer> {
        const StationRules* r = station();
        if (!r || !r->p50x)
            return nullptr;
        return std::make_unique<P50xProgrammer>(m_link, form);
    };
}

void frmZentrale::runTable() {
    m_guard->run([this] {
        // The pause between the steps is the one set when the run begins.
        P50xProgrammer programmer(m_link, P50xProgrammer::tableRun(m_ctx.Delay));
        ProgrammingSession session(*this, programmer);
        m_groupRun->run(programmer);
    });
}
