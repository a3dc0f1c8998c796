#include "intellibox/ui/frmZentrale.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "app/core/TextNumbers.h"
#include "app/ui/MenuRechtsbuendig.h"
#include "app/ui/RisingScrollBar.h"
#include "app/ui/StationWindow.h"
#include "intellibox/core/ZentraleStations.h"
#include "intellibox/ui/AddressSearchPanel.h"
#include "intellibox/ui/DrivePanel.h"
#include "intellibox/ui/ZentraleTexts.h"
#include "programming/core/CvGroupRun.h"
#include "programming/core/CvGroupTable.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/core/ProgrammingTexts.h"
#include "programming/core/ProtocolTable.h"
#include "programming/ui/AddressPanel.h"
#include "programming/ui/Cv29Panel.h"
#include "programming/ui/CvGroupGrid.h"
#include "programming/ui/ProgrammingLooks.h"
#include "programming/ui/ProtocolGrid.h"
#include "programming/ui/TablePrintout.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <limits>

using namespace ProgrammingLooks;

frmZentrale::frmZentrale(AppContext& ctx, StationLink& stationLink, Dialog& dialog, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_link(stationLink), m_dialog(dialog),
      m_guard(new StationWindowGuard(*this, ctx, stationLink)) {
    setObjectName(QStringLiteral("frmZentrale"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(ZentraleTexts::caption());
    m_protocol = new ProtocolTable(this);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmZentraleClient"));
    setCentralWidget(central);
    buildToolbar(central);
    buildDecoderPanel(central);
    buildSidePanels(central);
    buildViews(central);
    buildMenus();
    formLoad();
}

frmZentrale::~frmZentrale() {
    formUnload();
}

void frmZentrale::buildMenus() {
    QMenuBar* bar = menuBar();
    auto action = [this](QMenu* menu, const QString& name, const char* text) {
        QAction* a = menu->addAction(tr8(text));
        a->setObjectName(name);
        return a;
    };
    auto separator = [](QMenu* menu, const QString& name) { menu->addSeparator()->setObjectName(name); };

    QMenu* datei = bar->addMenu(tr8(ZentraleTexts::mnuDatei));
    datei->setObjectName(QStringLiteral("mnuDatei"));
    mnuDatei_Kennlinie = action(datei, QStringLiteral("mnuDatei_Kennlinie"), ZentraleTexts::mnuDatei_Kennlinie);
    mnuDatei_Kennlinie->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    mnuDatei_CVGruppen = action(datei, QStringLiteral("mnuDatei_CVGruppen"), ZentraleTexts::mnuDatei_CVGruppen);
    mnuDatei_CVGruppen->setCheckable(true);
    mnuDatei_Softwarestand =
        action(datei, QStringLiteral("mnuDatei_Softwarestand"), ZentraleTexts::mnuDatei_Softwarestand);
    separator(datei, QStringLiteral("mnuDatei_L1"));
    mnuDatei_LA = action(datei, QStringLiteral("mnuDatei_LA"), ZentraleTexts::mnuDatei_LA);
    mnuDatei_LA->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuDatei_LA->setCheckable(true);
    mnuDatei_CV29 = action(datei, QStringLiteral("mnuDatei_CV29"), ZentraleTexts::mnuDatei_CV29);
    mnuDatei_CV29->setCheckable(true);
    separator(datei, QStringLiteral("mnuDatei_L2"));
    QAction* beenden = action(datei, QStringLiteral("mnuDatei_schliessen"), ZentraleTexts::mnuDatei_schliessen);

    QMenu* bearbeiten = bar->addMenu(tr8(ZentraleTexts::mnuBearbeiten));
    bearbeiten->setObjectName(QStringLiteral("mnuBearbeiten"));
    // Cut, copy and paste act on the control with the focus, mostly the CV-group table.
    bearbeiten->addActions({grdGR->cutAction(), grdGR->copyAction(), grdGR->pasteAction()});

    QAction* hilfe = bar->addAction(tr8(ZentraleTexts::mnuHilfe));
    hilfe->setObjectName(QStringLiteral("mnuHilfe"));
    QAction* schliessen = bar->addAction(tr8(ZentraleTexts::mnuSchliessen));
    schliessen->setObjectName(QStringLiteral("mnuSchliessen"));

    // The two pop-up menus never show in the bar.
    mnuPopUp = new QMenu(this);
    mnuPopUp->setObjectName(QStringLiteral("mnuPopUp"));
    QAction* speichern = action(mnuPopUp, QStringLiteral("mnuPopUp_speichern"), ZentraleTexts::mnuPopUp_speichern);
    QAction* moveExport = action(mnuPopUp, QStringLiteral("mnuPopUp_MoVeExport"), ZentraleTexts::mnuPopUp_MoVeExport);
    mnuPopUp->addSeparator();
    QAction* editieren = action(mnuPopUp, QStringLiteral("mnuPopUp_Editieren"), ZentraleTexts::mnuPopUp_Editieren);
    QAction* drucken = action(mnuPopUp, QStringLiteral("mnuPopUp_drucken"), ZentraleTexts::mnuPopUp_drucken);
    QAction* loeschen = action(mnuPopUp, QStringLiteral("mnuPopUp_loeschen"), ZentraleTexts::mnuPopUp_loeschen);


    connect(mnuDatei_Kennlinie, &QAction::triggered, this, [this] {
        if (m_openSpeedCurve)
            m_openSpeedCurve();
    });
    connect(btnKennlinie, &QToolButton::clicked, mnuDatei_Kennlinie, &QAction::trigger);
    connect(mnuDatei_CVGruppen, &QAction::triggered, this, [this](bool on) { showCvGroupView(on); });
    connect(mnuDatei_LA, &QAction::triggered, this, [this](bool on) { showLaView(on); });
    connect(mnuDatei_CV29, &QAction::triggered, this, [this](bool on) { showCv29View(on); });
    connect(mnuDatei_Softwarestand, &QAction::triggered, this, [this] { readVersion(); });
    connect(beenden, &QAction::triggered, this, &QWidget::close);
    connect(schliessen, &QAction::triggered, this, &QWidget::close);
    connect(hilfe, &QAction::triggered, this, [this] { showHelp(); });
    connect(editieren, &QAction::triggered, this, [this] { protocolEditMode(); });
    connect(loeschen, &QAction::triggered, this, [this] { m_protocol->clear(); });
    connect(speichern, &QAction::triggered, this, [this] {
        protocolFileAction([this](const QList<CvRow>& rows) { TableFileCommands::saveProtocol(m_ctx, m_dialog, rows); });
    });
    connect(moveExport, &QAction::triggered, this, [this] {
        protocolFileAction([this](const QList<CvRow>& rows) {
            TableFileCommands::exportProtocolMove(m_ctx, m_dialog, rows,
                                                  [this](const QString& caption) { lblDatei->setText(caption); });
        });
    });
    connect(drucken, &QAction::triggered, this, [this] {
        protocolFileAction([this](const QList<CvRow>& rows) {
            TablePrintout::print(m_ctx, TablePrintout::Kind::Protocol, rows, TableFileCommands::inputBox(this), this);
        });
    });
}

void frmZentrale::buildToolbar(QWidget* central) {
    pnlToolbar = panel(central, QStringLiteral("pnlToolbar"));
    setGeometryTwips(pnlToolbar, 0, 0, 14100, 390);

    btnKennlinie = new QToolButton(pnlToolbar);
    btnKennlinie->setObjectName(QStringLiteral("btnKennlinie"));
    btnKennlinie->setToolTip(tr8(ZentraleTexts::kennlinieTip));
    btnKennlinie->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    setGeometryTwips(btnKennlinie, 15, 15, 360, 360);

    auto* dummy = panel(pnlToolbar, QStringLiteral("pnlDummy_1"), QFrame::NoFrame);
    setGeometryTwips(dummy, 375, 15, 90, 360);

    SSPanel1 = panel(pnlToolbar, QStringLiteral("SSPanel1"), QFrame::NoFrame);
    setGeometryTwips(SSPanel1, 1665, 15, 6165, 360);
    scrSize = new QScrollBar(Qt::Horizontal, SSPanel1);
    scrSize->setObjectName(QStringLiteral("scrSize"));
    scrSize->setRange(0, 182);
    scrSize->setSingleStep(10);
    scrSize->setPageStep(100);
    setGeometryTwips(scrSize, 30, 30, 1395, 285);
    scrSize->hide();
    connect(scrSize, &QScrollBar::valueChanged, this, [this](int v) { scrSizeChanged(v); });

    pnlDatei = panel(pnlToolbar, QStringLiteral("pnlDatei"), QFrame::NoFrame);
    setGeometryTwips(pnlDatei, 7830, 15, 6255, 360);
    // The panel's caption: the file the CV-group table or the protocol went to last.
    lblDatei = new QLabel(pnlDatei);
    lblDatei->setObjectName(QStringLiteral("lblDatei"));
    lblDatei->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setGeometryTwips(lblDatei, 1785, 15, 4410, 330);
    rbnCVGruppen = ribbon(pnlDatei, QStringLiteral("rbnCVGruppen"), QStringLiteral("GR"), ZentraleTexts::cvGruppenTip);
    setGeometryTwips(rbnCVGruppen, 465, 15, 360, 360);
    rbnLA = ribbon(pnlDatei, QStringLiteral("rbnLA"), QStringLiteral("LA"), ZentraleTexts::laTip);
    setGeometryTwips(rbnLA, 825, 15, 390, 360);
    rbnCV29 = ribbon(pnlDatei, QStringLiteral("rbnCV29"), QStringLiteral("29"), ZentraleTexts::cv29Tip);
    setGeometryTwips(rbnCV29, 1215, 15, 450, 360);

    connect(rbnCVGruppen, &QToolButton::clicked, this, [this](bool on) { showCvGroupView(on); });
    connect(rbnLA, &QToolButton::clicked, this, [this](bool on) { showLaView(on); });
    connect(rbnCV29, &QToolButton::clicked, this, [this](bool on) { showCv29View(on); });
}

void frmZentrale::buildDecoderPanel(QWidget* central) {
    pnlDecoder = panel(central, QStringLiteral("pnlDecoder"), QFrame::NoFrame);
    setGeometryTwips(pnlDecoder, 150, 540, 7635, 5445);

    pnlUnit = panel(pnlDecoder, QStringLiteral("pnlUnit"));
    setGeometryTwips(pnlUnit, 120, 120, 2685, 1155);
    unitGroup = new QButtonGroup(this);
    unitGroup->setExclusive(true);
    for (int i = 0; i < 3; ++i) {
        btnUnit[i] = ribbon(pnlUnit, QStringLiteral("btnUnit_%1").arg(i), QString(), nullptr);
        btnUnit[i]->setToolTip(ZentraleTexts::unitTip(i));
        btnUnit[i]->setIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
        btnUnit[i]->setIconSize(QSize(twips(480), twips(480)));
        setGeometryTwips(btnUnit[i], 120 + i * 870, 90, 720, 660);
        unitGroup->addButton(btnUnit[i], i);
        lblUnit[i] = new QLabel(ZentraleTexts::unitLabel(i), pnlUnit);
        lblUnit[i]->setObjectName(QStringLiteral("lblUnit_%1").arg(i));
        lblUnit[i]->setAlignment(Qt::AlignCenter);
        setGeometryTwips(lblUnit[i], 120 + i * 870, 795, 720, 255);
        lblUnit[i]->installEventFilter(this);
    }
    // Only the press acts: the group also reports the release of the button before.
    connect(unitGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            stationButtonChanged(id, true);
    });

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

    lblRegister = new QLabel(QStringLiteral("Register"), pnlDecoder);
    lblRegister->setObjectName(QStringLiteral("lblRegister"));
    setGeometryTwips(lblRegister, 180, 1800, 1095, 255);
    txtRegister = new QLineEdit(QStringLiteral("1"), pnlDecoder);
    txtRegister->setObjectName(QStringLiteral("txtRegister"));
    txtRegister->setToolTip(tr8(ZentraleTexts::registerTip));
    txtRegister->setMaxLength(4);
    txtRegister->setAlignment(Qt::AlignRight);
    setGeometryTwips(txtRegister, 180, 2070, 840, 345);
    scrRegister = new RisingScrollBar(pnlDecoder);
    scrRegister->setObjectName(QStringLiteral("scrRegister"));
    scrRegister->setToolTip(tr8(ZentraleTexts::registerTip));
    scrRegister->setRisingRange(0, 1024);
    scrRegister->setRisingValue(1);
    setGeometryTwips(scrRegister, 1020, 2070, 255, 345);

    auto* wertLabel = new QLabel(tr8(ZentraleTexts::wertLabel), pnlDecoder);
    setGeometryTwips(wertLabel, 1500, 1800, 900, 255);
    txtWert = new QLineEdit(QStringLiteral("0"), pnlDecoder);
    txtWert->setObjectName(QStringLiteral("txtWert"));
    txtWert->setToolTip(tr8(ZentraleTexts::wertTip));
    txtWert->setMaxLength(3);
    txtWert->setAlignment(Qt::AlignRight);
    setGeometryTwips(txtWert, 1500, 2070, 720, 345);
    scrWert = new RisingScrollBar(pnlDecoder);
    scrWert->setObjectName(QStringLiteral("scrWert"));
    scrWert->setToolTip(tr8(ZentraleTexts::wertTip));
    scrWert->setRisingRange(0, 255);
    setGeometryTwips(scrWert, 2220, 2070, 255, 345);
    btnProgrammierhilfe = new QPushButton(tr8(ZentraleTexts::hilfeCaption), pnlDecoder);
    btnProgrammierhilfe->setObjectName(QStringLiteral("btnProgrammierhilfe"));
    btnProgrammierhilfe->setToolTip(tr8(ZentraleTexts::hilfeTip));
    btnProgrammierhilfe->setEnabled(false);
    setGeometryTwips(btnProgrammierhilfe, 2580, 2070, 345, 345);
    for (QWidget* w : std::initializer_list<QWidget*>{txtRegister, scrRegister, txtWert, scrWert})
        w->setEnabled(false);

    btnLesen = new QPushButton(tr8(ZentraleTexts::lesenCaption), pnlDecoder);
    btnLesen->setObjectName(QStringLiteral("btnLesen"));
    btnLesen->setToolTip(tr8(ZentraleTexts::lesenTip));
    setGeometryTwips(btnLesen, 3120, 1800, 1275, 345);
    btnLesen->hide();
    btnSchreiben = new QPushButton(tr8(ZentraleTexts::schreibenCaption), pnlDecoder);
    btnSchreiben->setObjectName(QStringLiteral("btnSchreiben"));
    btnSchreiben->setToolTip(tr8(ZentraleTexts::schreibenTip));
    setGeometryTwips(btnSchreiben, 3120, 2190, 1275, 345);

    lstRegister = new QListWidget(pnlDecoder);
    lstRegister->setObjectName(QStringLiteral("lstRegister"));
    lstRegister->setToolTip(tr8(ZentraleTexts::registerListTip));
    lstRegister->setEnabled(false);
    setGeometryTwips(lstRegister, 180, 2580, 4215, 1020);

    auto* protokollLabel = new QLabel(tr8(ZentraleTexts::protocolLabel), pnlDecoder);
    setGeometryTwips(protokollLabel, 5040, 330, 2490, 255);
    grdKP = new ProtocolGrid(ProtocolGrid::Options{true, true}, pnlDecoder);
    grdKP->setObjectName(QStringLiteral("grdKP"));
    grdKP->setToolTip(tr8(ZentraleTexts::protocolTip));
    grdKP->setTable(m_protocol);
    setGeometryTwips(grdKP, 5040, 600, 2490, 4365);
    grdKP->fitColumns();

    stbGleis = statusPanel(pnlDecoder, QStringLiteral("stbGleis"), ZentraleTexts::gleisTip);
    setGeometryTwips(stbGleis, 60, 4635, 4950, 330);
    stbGleis->installEventFilter(this);
    stbStatus = statusPanel(pnlDecoder, QStringLiteral("stbStatus"), ZentraleTexts::statusTip);
    setGeometryTwips(stbStatus, 60, 5025, 7470, 330);

    connect(btnLesen, &QPushButton::clicked, this, [this] { readCv(); });
    connect(btnSchreiben, &QPushButton::clicked, this, [this] { writeDispatch(); });
    connect(btnProgrammierhilfe, &QPushButton::clicked, this, [this] {
        if (m_openProgrammingAid)
            m_openProgrammingAid();
    });
    connect(lstRegister, &QListWidget::itemClicked, this, [this] { registerListClicked(); });
    connect(txtRegister, &QLineEdit::textChanged, this, [this](const QString& t) { registerTextChanged(t); });
    connect(txtWert, &QLineEdit::textChanged, this, [this](const QString& t) { wertTextChanged(t); });
    connect(scrRegister, &RisingScrollBar::risingValueChanged, this,
            [this](int v) { txtRegister->setText(QString::number(v)); });
    connect(scrWert, &RisingScrollBar::risingValueChanged, this, [this](int v) {
        if (!m_readWertOverride)
            txtWert->setText(QString::number(v));
    });
    txtRegister->installEventFilter(this);
    txtWert->installEventFilter(this);
    connect(grdKP, &ProtocolGrid::rowActivated, this, [this](int row) { protocolRowActivated(row); });
    connect(grdKP, &ProtocolGrid::menuRequested, this, [this](const QPoint& p) { protocolMenuRequested(p); });
}

void frmZentrale::buildSidePanels(QWidget* central) {
    // The right-hand side slides over the decoder panel in the small layout.
    pnlFahrpult = new DrivePanel(panelHost(), central);
    pnlFahrpult->setAutoFillBackground(true);
    setGeometryTwips(pnlFahrpult, 7920, 540, 3225, 5445);
    connect(pnlAdresse, &AddressSearchPanel::addressFound, pnlFahrpult, &DrivePanel::setAddress);

    pnlParameter = panel(central, QStringLiteral("pnlParameter"));
    pnlParameter->setAutoFillBackground(true);
    setGeometryTwips(pnlParameter, 11280, 540, 2655, 2475);
    heading(pnlParameter, ZentraleTexts::parameterHeading, 120, 60, 2000);
    setGeometryTwips(new QLabel(tr8(ZentraleTexts::delayLabel1), pnlParameter), 120, 420, 1200, 255);
    setGeometryTwips(new QLabel(tr8(ZentraleTexts::delayLabel2), pnlParameter), 120, 660, 1200, 255);
    txtDelay = new QLineEdit(QStringLiteral("0"), pnlParameter);
    txtDelay->setObjectName(QStringLiteral("txtDelay"));
    txtDelay->setToolTip(tr8(ZentraleTexts::delayTip));
    txtDelay->setAlignment(Qt::AlignRight);
    setGeometryTwips(txtDelay, 1320, 480, 720, 330);
    setGeometryTwips(new QLabel(tr8(ZentraleTexts::delayUnit), pnlParameter), 2070, 525, 540, 255);
    const char* powerCaptions[] = {ZentraleTexts::powerOffCaption, ZentraleTexts::powerOnCaption};
    const char* powerTips[] = {ZentraleTexts::powerOffTip, ZentraleTexts::powerOnTip};
    for (int i = 0; i < 2; ++i) {
        btnPower[i] = new QPushButton(tr8(powerCaptions[i]), pnlParameter);
        btnPower[i]->setObjectName(QStringLiteral("btnPower_%1").arg(i));
        btnPower[i]->setToolTip(tr8(powerTips[i]));
        btnPower[i]->setEnabled(false);  // until loading is done
        setGeometryTwips(btnPower[i], 120 + i * 1230, 1200, 1170, 435);
        connect(btnPower[i], &QPushButton::clicked, pnlFahrpult, [this, i] { pnlFahrpult->btnPower_Clicked(i); });
    }
    connect(txtDelay, &QLineEdit::textChanged, this, [this](const QString& t) { delayChanged(t); });

    creditLabel = new QLabel(tr8(ZentraleTexts::credit), central);
    creditLabel->setObjectName(QStringLiteral("lblCredit"));
    creditLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setGeometryTwips(creditLabel, 10740, 5700, 2430, 255);
    creditLabel->lower();
    creditPicture = ::creditPicture(central);
    setGeometryTwips(creditPicture, 13230, 5640, 345, 345);
    creditPicture->lower();
}

void frmZentrale::buildViews(QWidget* central) {
    // The views cover what lies below them; each places itself parked below the window.
    AddressPanel::Options addressOptions;
    addressOptions.longAddressMaximum = [this] {
        const StationRules* r = station();
        return qint64(r ? r->longAddressMaximum : 0);
    };
    pnlLA = new AddressPanel(panelHost(),
                             {p50xProgrammers(P50xProgrammer::panel()), p50xProgrammers(P50xProgrammer::basisSwitch())},
                             addressOptions, central);
    pnlLA->setAutoFillBackground(true);
    pnlCV29 = new Cv29Panel(panelHost(), p50xProgrammers(P50xProgrammer::panel()), {}, central);
    pnlCV29->setAutoFillBackground(true);
    // A parked view takes neither the focus nor an access key ("&schreiben" of the address
    // view would take Alt+S from the decoder panel's write button).
    pnlLA->setEnabled(false);
    pnlCV29->setEnabled(false);

    m_groupTable = new CvGroupTable(CvGroupTable::LetterRule::ByDecoderType, this);
    grdGR = new CvGroupGrid(m_ctx, m_dialog, *m_groupTable, {}, central);
    grdGR->setObjectName(QStringLiteral("grdGR"));
    QFont gridFont = grdGR->font();
    gridFont.setPointSize(10);
    grdGR->setFont(gridFont);
    setGeometryTwips(grdGR, 7890, parkedGridTop, 6045, 1095);
    grdGR->hide();
    m_groupRun = new CvGroupRun(m_ctx, *this, *m_groupTable, m_link.clock(), this);
    grdGR->followRun(m_groupRun);
    connect(grdGR, &CvGroupGrid::tableRunRequested, this, [this] { runTable(); });
    connect(grdGR, &CvGroupGrid::fileCaptionChanged, lblDatei, &QLabel::setText);
    connect(grdGR, &CvGroupGrid::currentRowRunRequested, this, [this](int r) {
        const CvRow row = m_groupTable->row(r);
        runRow(row.action, row.cv, row.value);
    });
}

void frmZentrale::formLoad() {
    // Steps 3 to 17 are independent: one that cannot be done does not stop the others.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenTwips = screen ? pixelsToTwips(screen->geometry().width()) : 14400;
    m_largeLayout = screenTwips >= 12030;
    const int width = m_largeLayout ? 14145 : 11370;
    const int height = m_largeLayout ? 6780 : 6810;
    // The given sizes include the frame and title bar of the window.
    resize(twips(width - 120), twips(height - 405));
    scrSize->setVisible(!m_largeLayout);
    moveTwips(this, m_ctx.PosZentraleLeft, m_ctx.PosZentraleTop);
    MenuRechtsbuendig(this, 3);

    mnuDatei_Kennlinie->setEnabled(false);
    btnKennlinie->setEnabled(false);
    mnuDatei_Softwarestand->setEnabled(false);
    mnuDatei_CVGruppen->setEnabled(false);
    rbnCVGruppen->setEnabled(false);
    rbnLA->setEnabled(false);
    mnuDatei_LA->setEnabled(false);

    m_protocol->clear();
    m_groupTable->clear();
    pnlFahrpult->loadFahrstufen();

    pressStation(m_ctx.ZentraleIndex);
    selectDecoderType(m_ctx.DecoderTypIndex);
    subHelpFile();
    if (m_ctx.Delay < 0)
        m_ctx.Delay = 1000;
    txtDelay->setText(QString::number(m_ctx.Delay));

    pnlDecoder->setEnabled(true);
    pnlFahrpult->setEnabled(true);
    btnPower[0]->setEnabled(true);
    btnPower[1]->setEnabled(true);
}

void frmZentrale::closeEvent(QCloseEvent* event) {
    formUnload();
    event->accept();
}

void frmZentrale::formUnload() {
    // Closing and the destructor both come here; the steps run once.
    if (m_unloaded)
        return;
    m_unloaded = true;
    // A running transfer and a running station wait learn of the closing here.
    m_ctx.Abbruch = true;
    // The window's running exchange ends at its wait; an address search and a table run
    // still switch the programming track off ("XPT0").
    if (pnlAdresse->isSearching())
        pnlAdresse->stopSearch();
    m_guard->windowClosing();

    const QPoint position = positionTwips(this);
    m_ctx.PosZentraleLeft = position.x();
    m_ctx.PosZentraleTop = position.y();
    for (int i = 0; i < 3; ++i) {
        if (optTyp[i]->isChecked()) {
            m_ctx.DecoderTypIndex = static_cast<qint16>(i);
            break;
        }
    }
    if (m_closeCompanions)
        m_closeCompanions();
    setBusyPointer(false);
}

void frmZentrale::scrSizeChanged(int v) {
    moveLeft(pnlFahrpult, 7890 - 15 * v);
    moveLeft(pnlParameter, 11250 - 15 * v);
    moveLeft(grdGR, 7890 - 15 * v);
    moveLeft(creditLabel, 10740 - 15 * v);
    moveLeft(creditPicture, 13230 - 15 * v);
}

void frmZentrale::showCv29View(bool shown) {
    rbnCV29->setChecked(shown);
    mnuDatei_CV29->setChecked(shown);
    if (shown)
        pnlCV29->move(pnlLA->x(), twips(viewTop));
    else
        moveTop(pnlCV29, parkedPanelTop);
    pnlCV29->setEnabled(shown);
    pnlCV29->raise();
    updateDecoderPanelEnabled();
}

void frmZentrale::showLaView(bool shown) {
    rbnLA->setChecked(shown);
    mnuDatei_LA->setChecked(shown);
    moveTop(pnlLA, shown ? viewTop : parkedPanelTop);
    pnlLA->setEnabled(shown);
    pnlLA->raise();
    if (shown && rbnCV29->isChecked())
        showCv29View(false);
    updateDecoderPanelEnabled();
}

void frmZentrale::showCvGroupView(bool shown) {
    rbnCVGruppen->setChecked(shown);
    mnuDatei_CVGruppen->setChecked(shown);
    if (shown) {
        grdGR->setGeometry(grdGR->x(), twips(540), grdGR->width(), twips(5430));
        grdGR->show();
        grdGR->raise();
    } else {
        moveTop(grdGR, parkedGridTop);
        grdGR->hide();
    }
    updateDecoderPanelEnabled();
}

void frmZentrale::updateDecoderPanelEnabled() {
    pnlDecoder->setEnabled(!rbnCV29->isChecked() && !rbnLA->isChecked() && !rbnCVGruppen->isChecked());
}

void frmZentrale::delayChanged(const QString& text) {
    const qint64 ms = roundHalfEven(leadingNumber(text));
    m_ctx.Delay = static_cast<qint32>(
        std::clamp<qint64>(ms, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

void frmZentrale::showHelp() {
    m_ctx.ui().showHelp(m_ctx.HelpFile, m_ctx.HelpPage);
}

void frmZentrale::setProgrammingAidOpener(std::function<void()> open) {
    m_openProgrammingAid = std::move(open);
    btnProgrammierhilfe->setEnabled(bool(m_openProgrammingAid));
}

PanelHost frmZentrale::panelHost() {
    return {m_ctx, *this, *m_guard, [this](const CvResult& result) {
                // The panels' reads and writes wait as the read does and say so.
                tellUnanswered(m_ctx, *this, result, ProgrammingTexts::readTitle(m_ctx.DecoderType));
            }};
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

void frmZentrale::setStatus(const QString& text) {
    stbStatus->setText(text);
}

QString frmZentrale::status() const {
    return stbStatus->text();
}

void frmZentrale::setBusyPointer(bool busy) {
    if (m_ctx.notifier)
        m_ctx.notifier->setBusy(busy);
}
