#include "selectrix/ui/frmSelectrix.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "base/core/TextNumbers.h"
#include "app/ui/FieldBarCoupling.h"
#include "app/ui/KeyFilter.h"
#include "app/ui/MenuRechtsbuendig.h"
#include "app/ui/StationLooks.h"
#include "app/ui/StationWindow.h"
#include "app/ui/Twips.h"
#include "link/core/SerialPort.h"
#include "link/core/StationLink.h"
#include "programming/core/DccCvList.h"
#include "selectrix/core/Sx1Codec.h"
#include "selectrix/core/SxProtokoll.h"
#include "selectrix/ui/SelectrixTexts.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include "app/ui/GridView.h"
#include <QTableView>
#include <QToolButton>

namespace T = SelectrixTexts;
using namespace StationLooks;

namespace {

// Window widths and height in twips; below the narrow limit the driving panel scrolls.
constexpr int wideWidth = 14550;
constexpr int narrowWidth = 11370;
constexpr int windowHeight = 10215;
// The frame, which the sizes above include.
constexpr int frameWidth = 120;

constexpr int selectrixLeft = 120;
constexpr int panelTop = 540;
constexpr int fahrpultLeft = 10770;
constexpr int dccOffset = 120;

QComboBox* listCombo(QWidget* parent, const QString& name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

void fillCombo(QComboBox* c, int from, int to) {
    c->clear();
    for (int n = from; n <= to; ++n)
        c->addItem(QString::number(n));
    c->setCurrentText(QStringLiteral("1"));
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A number beyond a bar's ends shows as that end in its field; only the CV field keeps a
// number below its bar (0 with the bar at 1).
FieldBarRules heldToTheBar() {
    FieldBarRules rules;
    rules.holdTop = true;
    rules.holdBottom = true;
    return rules;
}

}  // namespace

frmSelectrix::frmSelectrix(AppContext& ctx, StationLink& link, Dialog& dialog, const QStringList& arguments,
                           QWidget* parent)
    : StationFrame(ctx, link, dialog, QStringLiteral("frmSelectrix"), T::caption, parent) {
    m_SxProtokoll = new SxProtokoll(this);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmSelectrixClient"));
    setCentralWidget(central);
    buildToolbar(central);
    buildSelectrixPanel(central);
    buildDccPanel(central);
    buildDrivePanel(central);
    buildMenus();
    Form_Load(arguments);
}

frmSelectrix::~frmSelectrix() {
    unload();
}

void frmSelectrix::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* datei = bar->addMenu(T::mnuDatei);
    datei->setObjectName(QStringLiteral("mnuDatei"));
    mnuDatei_speichern = datei->addAction(T::mnuDatei_speichern);
    mnuDatei_speichern->setObjectName(QStringLiteral("mnuDatei_speichern"));
    mnuDatei_drucken = datei->addAction(T::mnuDatei_drucken);
    mnuDatei_drucken->setObjectName(QStringLiteral("mnuDatei_drucken"));
    datei->addSeparator()->setObjectName(QStringLiteral("mnuDatei_L1"));
    QAction* dateiSchliessen = datei->addAction(T::schliessen);
    dateiSchliessen->setObjectName(QStringLiteral("mnuDatei_schliessen"));
    QAction* hilfe = bar->addAction(T::mnuHilfe);
    hilfe->setObjectName(QStringLiteral("mnuHilfe"));
    QAction* schliessen = bar->addAction(T::schliessen);
    schliessen->setObjectName(QStringLiteral("mnuSchliessen"));

    addProtocolPrint(buildProtocolMenu());

    connect(mnuDatei_speichern, &QAction::triggered, this, [this] { saveProtocol(); });
    connect(mnuDatei_drucken, &QAction::triggered, this, [this] { printProtocol(); });
    connect(dateiSchliessen, &QAction::triggered, this, &QWidget::close);
    connect(schliessen, &QAction::triggered, this, &QWidget::close);
    connect(hilfe, &QAction::triggered, this, [this] { m_ctx.ui().showHelp(m_ctx.HelpFile, T::helpPage); });
}

void frmSelectrix::buildToolbar(QWidget* central) {
    pnlToolbar = panel(central, QStringLiteral("pnlToolbar"));
    setGeometryTwips(pnlToolbar, 0, 0, wideWidth - frameWidth, 420);
    auto tool = [this](const QString& name, const QString& tip, QStyle::StandardPixmap icon, int left) {
        auto* b = new QToolButton(pnlToolbar);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setIcon(style()->standardIcon(icon));
        setGeometryTwips(b, left, 30, 360, 360);
        return b;
    };
    btnSpeichern = tool(QStringLiteral("btnSpeichern"), T::speichernTip, QStyle::SP_DialogSaveButton, 30);
    btnDrucken = tool(QStringLiteral("btnDrucken"), T::druckenTip, QStyle::SP_FileDialogDetailedView, 390);
    connect(btnSpeichern, &QToolButton::clicked, this, [this] { saveProtocol(); });
    connect(btnDrucken, &QToolButton::clicked, this, [this] { printProtocol(); });

    setGeometryTwips(buildSizeBar(pnlToolbar, 248), 1020, 68, 2700, 285);
}

void frmSelectrix::buildSelectrixPanel(QWidget* central) {
    pnlSelectrix = panel(central, QStringLiteral("pnlSelectrix"));
    setGeometryTwips(pnlSelectrix, selectrixLeft, panelTop, 10500, 8340);

    pnlUnit = panel(pnlSelectrix, QStringLiteral("pnlUnit"));
    setGeometryTwips(pnlUnit, 120, 120, 2040, 1155);
    unitGroup = new QButtonGroup(this);
    unitGroup->setExclusive(true);
    for (int i = 0; i < 2; ++i) {
        auto* b = new QToolButton(pnlUnit);
        b->setObjectName(QStringLiteral("btnUnit_%1").arg(i));
        b->setCheckable(true);
        b->setToolTip(T::unitTip[i]);
        b->setIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
        b->setIconSize(QSize(twips(480), twips(480)));
        setGeometryTwips(b, 120 + i * 960, 90, 840, 660);
        unitGroup->addButton(b, i);
        btnUnit[i] = b;
        lblUnit[i] = label(pnlUnit, T::unitLabel[i], 120 + i * 960, 795, 840);
        lblUnit[i]->setObjectName(QStringLiteral("lblUnit_%1").arg(i));
        lblUnit[i]->setAlignment(Qt::AlignCenter);
        lblUnit[i]->installEventFilter(this);
    }
    connect(unitGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) { btnUnit_Click(id, on); });

    auto* modus = panel(pnlSelectrix, QString());
    setGeometryTwips(modus, 2280, 120, 1200, 1155);
    auto* modusGroup = new QButtonGroup(this);
    for (size_t k = 0; k < T::modusIndex.size(); ++k) {
        const int i = T::modusIndex[k];
        auto* o = new QRadioButton(T::modusCaption[k], modus);
        o->setObjectName(QStringLiteral("optModus_%1").arg(i));
        setGeometryTwips(o, 120, 90 + int(k) * 345, 960, 285);
        modusGroup->addButton(o, i);
        optModus[size_t(i)] = o;
    }
    optModus[1]->setChecked(true);
    optModus[2]->setEnabled(false);
    optModus[6]->setEnabled(false);
    connect(modusGroup, &QButtonGroup::idClicked, this, [this](int id) { optModus_Click(id); });

    std::array<QComboBox**, 5> combos{&cmbADR, &cmbGE, &cmbBE, &cmbIM, &cmbHA};
    for (size_t k = 0; k < combos.size(); ++k) {
        const int top = 1440 + int(k) * 420;
        QLabel* l = label(pnlSelectrix, T::parameters[k].label, 120, top + 30, 2880);
        if (k == 0) {
            l->setObjectName(QStringLiteral("lblADR"));
            lblADR = l;
        }
        *combos[k] = listCombo(pnlSelectrix, QString::fromLatin1(T::parameters[k].name));
        setGeometryTwips(*combos[k], 3060, top, 960, 315);
    }

    auto* erweitert = panel(pnlSelectrix, QString());
    setGeometryTwips(erweitert, 120, 3600, 4200, 1740);
    for (size_t k = 0; k < T::changeIndex.size(); ++k) {
        const int i = T::changeIndex[k];
        auto* c = new QCheckBox(T::changeCaption[k], erweitert);
        c->setObjectName(QStringLiteral("chkChange_%1").arg(i));
        c->setToolTip(T::changeTip[k]);
        c->setEnabled(false);
        if (k == 0)
            setGeometryTwips(c, 60, 90, 3000, 285);
        else
            setGeometryTwips(c, 300 + int(k - 1) * 1260, 450, 1200, 285);
        connect(c, &QCheckBox::toggled, this, [this] { chkChange_Click(); });
        chkChange[size_t(i)] = c;
    }
    lblIMerw = label(erweitert, T::lblIMerw, 300, 870, 2520);
    lblIMerw->setObjectName(QStringLiteral("lblIMerw"));
    cmbIMerw = listCombo(erweitert, QStringLiteral("cmbIMerw"));
    setGeometryTwips(cmbIMerw, 2880, 840, 1020, 315);
    lblBEerw = label(erweitert, T::lblBEerw, 300, 1290, 2520);
    lblBEerw->setObjectName(QStringLiteral("lblBEerw"));
    cmbBEerw = listCombo(erweitert, QStringLiteral("cmbBEerw"));
    setGeometryTwips(cmbBEerw, 2880, 1260, 1020, 315);

    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(T::selectrixCaption[i], pnlSelectrix);
        b->setObjectName(QStringLiteral("btnSelectrix_%1").arg(i));
        b->setToolTip(T::selectrixTip[i]);
        b->setAutoDefault(false);
        setGeometryTwips(b, 120 + i * 1380, 5520, 1260, 420);
        connect(b, &QPushButton::clicked, this, [this, i] { btnSelectrix_Click(i); });
        btnSelectrix[i] = b;
    }
    btnProgrammierbit = new QPushButton(T::programmierbit, pnlSelectrix);
    btnProgrammierbit->setObjectName(QStringLiteral("btnProgrammierbit"));
    btnProgrammierbit->setToolTip(T::programmierbitTip);
    btnProgrammierbit->setAutoDefault(false);
    setGeometryTwips(btnProgrammierbit, 2880, 5520, 1500, 420);
    connect(btnProgrammierbit, &QPushButton::clicked, this, [this] { btnProgrammierbit_Click(); });

    grdKP = new GridView(pnlSelectrix);
    grdKP->setObjectName(QStringLiteral("grdKP"));
    grdKP->setModel(m_SxProtokoll);
    grdKP->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdKP->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdKP->setSelectionMode(QAbstractItemView::SingleSelection);
    grdKP->verticalHeader()->setDefaultSectionSize(grdKP->fontMetrics().height() + 4);
    grdKP->verticalHeader()->setMinimumWidth(twips(360));
    grdKP->horizontalHeader()->setMinimumSectionSize(1);
    grdKP->setContextMenuPolicy(Qt::CustomContextMenu);
    setGeometryTwips(grdKP, 4440, 120, 5940, 7680);
    // Eleven columns share the grid's width: BE holds the "DCC" of a DCC row, the check
    // states of M, L and G are one digit.
    const std::array<int, SxProtokoll::ColumnCount> columnTwips{600, 600, 480, 600, 480, 480, 360, 360, 360, 540, 540};
    for (int c = 0; c < SxProtokoll::ColumnCount; ++c)
        grdKP->setColumnWidth(c, twips(columnTwips.at(size_t(c))));
    connect(grdKP, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { mnuPopUp->popup(grdKP->viewport()->mapToGlobal(at)); });

    stbStatus = new QStatusBar(pnlSelectrix);
    stbStatus->setObjectName(QStringLiteral("stbStatus"));
    stbStatus->setSizeGripEnabled(false);
    stbStatusPanel = new QLabel(stbStatus);
    stbStatusPanel->setObjectName(QStringLiteral("stbStatus_1"));
    stbStatusPanel->setFrameShape(QFrame::Panel);
    stbStatusPanel->setFrameShadow(QFrame::Sunken);
    stbStatus->addWidget(stbStatusPanel, 1);
    setGeometryTwips(stbStatus, 60, 7890, 10380, 390);
    setStatusPanel(stbStatusPanel);

    // Typing a number into BE: digits and Backspace only.
    new KeyFilter(cmbBE, isDigit);
}

void frmSelectrix::buildDccPanel(QWidget* central) {
    pnlDCC = panel(central, QStringLiteral("pnlDCC"));
    pnlDCC->setAutoFillBackground(true);
    // Over the parameters, clear of the mode buttons above, the protocol grid to the right
    // and the programming buttons below; the CV list takes the panel's width so that its
    // entries show whole, the CV and value fields stand under it.
    setGeometryTwips(pnlDCC, fahrpultLeft, panelTop + 1380, 4200, 4020);
    heading(pnlDCC, T::dccTitle, 120, 60, 2400);

    lstRegister = new QListWidget(pnlDCC);
    lstRegister->setObjectName(QStringLiteral("lstRegister"));
    lstRegister->setToolTip(T::registerListTip);
    setGeometryTwips(lstRegister, 120, 360, 3960, 2880);
    connect(lstRegister, &QListWidget::itemClicked, this, [this] { lstRegister_Click(); });

    constexpr int fieldsTop = 3480;
    FieldBarRules cvRules;
    cvRules.holdTop = true;
    const NumberFieldWithBar cv(pnlDCC, QStringLiteral("txtRegister"), QStringLiteral("scrRegister"),
                                QStringLiteral("1"), T::registerTip, 1, 999, cvRules);
    cv.place(120, fieldsTop, 720, 315);
    txtRegister = cv.field;
    scrRegister = cv.bar;
    label(pnlDCC, T::wertLabel, 1560, fieldsTop + 30, 600);
    // "?", the mark of a value that could not be read, holds no number: the bar stays.
    const NumberFieldWithBar wert(pnlDCC, QStringLiteral("txtWert"), QStringLiteral("scrWert"), QStringLiteral("0"),
                                  T::wertTip, 0, 255, heldToTheBar());
    wert.place(2160, fieldsTop, 720, 315);
    txtWert = wert.field;
    scrWert = wert.bar;
}

void frmSelectrix::buildDrivePanel(QWidget* central) {
    pnlFahrpult = panel(central, QStringLiteral("pnlFahrpult"));
    pnlFahrpult->setAutoFillBackground(true);
    setGeometryTwips(pnlFahrpult, fahrpultLeft, panelTop, 3540, 8340);
    heading(pnlFahrpult, T::fahrpultTitle, 120, 60, 2400);

    const NumberFieldWithBar adresse(pnlFahrpult, QStringLiteral("txtAdresse"), QStringLiteral("scrAdresse"),
                                     QStringLiteral("0"), T::adresseTip, 0, 103, heldToTheBar());
    adresse.place(120, 420, 780, 315);
    txtAdresse = adresse.field;
    scrAdresse = adresse.bar;
    const NumberFieldWithBar fs(pnlFahrpult, QStringLiteral("txtFS"), QStringLiteral("scrFS"), QStringLiteral("0"),
                                T::fsTip, 0, 31, heldToTheBar());
    fs.place(1500, 420, 780, 315);
    txtFS = fs.field;
    scrFS = fs.bar;
    new KeyFilter(txtAdresse, isDigit);

    btnAnfahren = new QPushButton(T::anfahren, pnlFahrpult);
    btnAnfahren->setObjectName(QStringLiteral("btnAnfahren"));
    btnAnfahren->setToolTip(T::anfahrenTip);
    setGeometryTwips(btnAnfahren, 120, 900, 1500, 375);
    connect(btnAnfahren, &QPushButton::clicked, this, [this] { btnAnfahren_Click(); });
    btnStop = new QPushButton(T::stop, pnlFahrpult);
    btnStop->setObjectName(QStringLiteral("btnStop"));
    btnStop->setToolTip(T::stopTip);
    setGeometryTwips(btnStop, 1740, 900, 1620, 375);
    connect(btnStop, &QPushButton::clicked, this, [this] { btnStop_Click(); });
    sldFS = new QSlider(Qt::Vertical, pnlFahrpult);
    sldFS->setObjectName(QStringLiteral("sldFS"));
    sldFS->setToolTip(T::sldFSTip);
    sldFS->setRange(0, 31);
    // Position 0 at the top: the fastest step; the up key and the wheel move the handle up.
    sldFS->setInvertedAppearance(true);
    sldFS->setInvertedControls(true);
    sldFS->setTickPosition(QSlider::TicksRight);
    sldFS->setTickInterval(4);
    setGeometryTwips(sldFS, 120, 1440, 600, 3000);
    connect(sldFS, &QSlider::valueChanged, this, [this](int position) { sldFS_Change(position); });
    lblFahrstufe = label(pnlFahrpult, QStringLiteral("0"), 900, 1440, 720, 375);
    lblFahrstufe->setObjectName(QStringLiteral("lblFahrstufe"));
    lblFahrstufe->setToolTip(T::fahrstufeTip);
    lblFahrstufe->setAlignment(Qt::AlignCenter);
    lblFahrstufe->setFrameShape(QFrame::Panel);
    lblFahrstufe->setFrameShadow(QFrame::Sunken);
    lblFahrstufe->setAutoFillBackground(true);
    showSpeedStep(0);
    // Pressing one ribbon releases the other; a press of the pressed one changes nothing.
    richtungGroup = new QButtonGroup(this);
    richtungGroup->setExclusive(true);
    for (int i = 0; i < 2; ++i) {
        auto* r = new QToolButton(pnlFahrpult);
        r->setObjectName(QStringLiteral("rbnFR_%1").arg(i));
        r->setCheckable(true);
        r->setToolTip(T::frTip[i]);
        r->setArrowType(i == 0 ? Qt::RightArrow : Qt::LeftArrow);
        setGeometryTwips(r, 900 + i * 780, 2040, 660, 375);
        richtungGroup->addButton(r, i);
        connect(r, &QToolButton::toggled, this, [this, i](bool pressed) {
            if (pressed)
                rbnFR_Click(i);
        });
        rbnFR[i] = r;
    }
    chkLicht = new QCheckBox(T::licht, pnlFahrpult);
    chkLicht->setObjectName(QStringLiteral("chkLicht"));
    chkLicht->setToolTip(T::lichtTip);
    setGeometryTwips(chkLicht, 900, 2640, 2400, 285);
    connect(chkLicht, &QCheckBox::toggled, this, [this] { chkLicht_Click(); });
    chkFunktion = new QCheckBox(T::funktion, pnlFahrpult);
    chkFunktion->setObjectName(QStringLiteral("chkFunktion"));
    setGeometryTwips(chkFunktion, 900, 3000, 2520, 285);
    connect(chkFunktion, &QCheckBox::toggled, this, [this] { chkFunktion_Click(); });

    buildPowerButtons(pnlFahrpult);
    for (int i = 0; i < 2; ++i)
        setGeometryTwips(btnPower[i], 120 + i * 1680, 4680, 1560, 420);
    auto lamp = [this](const QString& name, int top) {
        QLabel* l = label(pnlFahrpult, QString(), 120, top, 255, 255);
        l->setObjectName(name);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setAutoFillBackground(true);
        setLamp(l, grey);
        return l;
    };
    lblSystem = lamp(QStringLiteral("lblSystem"), 5280);
    LabelSystem = label(pnlFahrpult, T::systemBereit, 480, 5280, 2400);
    LabelSystem->setObjectName(QStringLiteral("LabelSystem"));
    lblGleisspannung = lamp(QStringLiteral("lblGleisspannung"), 5640);
    LabelGleisspannung = label(pnlFahrpult, T::gleisspannung, 480, 5640, 2400);
    LabelGleisspannung->setObjectName(QStringLiteral("LabelGleisspannung"));

    const DelayControls delay = buildDelayField(pnlFahrpult);
    Label6 = delay.label;
    Label6->setObjectName(QStringLiteral("Label_6"));
    setGeometryTwips(Label6, 120, 6240, 1320, 255);
    setGeometryTwips(delay.delayLabel, 120, 6480, 1320, 255);
    setGeometryTwips(delay.field, 1500, 6300, 900, 315);
    setGeometryTwips(delay.unit, 2460, 6330, 660, 255);
    new KeyFilter(txtDelay, isDigit);

    slideWithSizeBar(pnlFahrpult, fahrpultLeft);
    buildCredit(central, 9000);
}

void frmSelectrix::Form_Load(const QStringList& arguments) {
    placeWindow({wideWidth, windowHeight, narrowWidth, windowHeight});

    // Exact arguments: a data-folder path that happens to contain "/Test" is not the switch.
    if (arguments.mid(1).contains(QStringLiteral("/Test")))
        txtAdresse->setText(QStringLiteral("80"));
    m_cc2000 = arguments.mid(1).contains(QStringLiteral("/CC2000"));

    MenuRechtsbuendig(this, 2);

    cmbBEerw->setEnabled(false);
    cmbIMerw->setEnabled(false);
    m_SxErweitert = 4;
    m_SxModus = 1;

    pnlFahrpult->hide();
    pnlDCC->hide();
    m_ctx.CuName.clear();

    showDelay();

    subWriteListen();
    m_SxProtokoll->clear();
    sldFS->setValue(32);  // one past the end: the slider takes 31, speed 0

    // Leftovers on the line are dropped, unless another window's exchange is waiting for
    // them.
    if (const StationLink::Exchange exchange(m_link, this); exchange)
        m_link.dropInput();
    // The extended labels are grey until the extended settings are ticked.
    chkChange_Click();
}

void frmSelectrix::subWriteListen() {
    fillCombo(cmbADR, Sx1::adrMin, Sx1::adrMax);
    fillCombo(cmbGE, 0, Sx1::geMax);
    fillCombo(cmbBE, 0, Sx1::beMax);
    fillCombo(cmbIM, Sx1::imMin, Sx1::imMax);
    fillCombo(cmbIMerw, Sx1::imMin, Sx1::imMax);
    fillCombo(cmbHA, Sx1::haMin, Sx1::haMax);
    fillCombo(cmbBEerw, Sx1::haMin, Sx1::haMax);
    lstRegister->clear();
    lstRegister->addItems(dccCvList());
}

bool frmSelectrix::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < 2; ++i) {
            if (watched == lblUnit[i]) {
                btnUnit[i]->setChecked(true);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmSelectrix::btnUnit_Click(int index, bool pressed) {
    m_ctx.ZentraleIndex = static_cast<qint16>(index);
    markStationLabels({lblUnit[0], lblUnit[1]}, index, pressed);
    if (!pressed)
        return;

    m_ctx.CuName = T::cuName[size_t(index)];
    m_ctx.HelpPage = T::unitHelpPage[size_t(index)];
    if (index == 0) {
        optModus[6]->setEnabled(true);
        subCheckSystem();
        btnProgrammierbit->setEnabled(true);
        pnlFahrpult->show();
    } else {
        chkChange[0]->setEnabled(false);
        optModus[1]->setChecked(true);
        optModus_Click(1);
        optModus[6]->setEnabled(false);
        subCheckSystem();
        btnProgrammierbit->setEnabled(false);
        pnlFahrpult->hide();
    }
}

void frmSelectrix::optModus_Click(int index) {
    m_SxModus = index;
    pnlDCC->hide();
    if (index == 6) {
        pnlDCC->move(pnlSelectrix->x() + twips(dccOffset), pnlDCC->y());
        pnlDCC->show();
        pnlDCC->raise();
    }
}

void frmSelectrix::chkChange_Click() {
    const bool on = chkChange[0]->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{chkChange[1], chkChange[2], chkChange[4], cmbIMerw, cmbBEerw})
        w->setEnabled(on);
    const QColor text = on ? lblADR->palette().color(QPalette::WindowText) : colourOf(grey);
    for (QLabel* l : {lblIMerw, lblBEerw}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, text);
        l->setPalette(p);
    }
    m_SxErweitert =
        Sx1::SxErweitert(chkChange[1]->isChecked(), chkChange[2]->isChecked(), chkChange[4]->isChecked());
}

void frmSelectrix::lstRegister_Click() {
    const QListWidgetItem* item = lstRegister->currentItem();
    if (!item)
        return;
    const qint64 cv = roundHalfEven(leadingNumber(item->text().left(3).trimmed()));
    txtRegister->setText(QString::number(cv));
}

QComboBox* frmSelectrix::combo(SxField field) const {
    switch (field) {
    case SxField::ADR: return cmbADR;
    case SxField::GE: return cmbGE;
    case SxField::BE: return cmbBE;
    case SxField::IM: return cmbIM;
    case SxField::HA: return cmbHA;
    case SxField::IMerw: return cmbIMerw;
    case SxField::BEerw: return cmbBEerw;
    }
    return cmbADR;
}

void frmSelectrix::setStatus(const QString& text) {
    showStatus(text);
}

void frmSelectrix::setBusyPointer(bool busy) {
    setBusy(busy);
}

void frmSelectrix::beep() {
    m_ctx.ui().beep();
}

int frmSelectrix::message(const QString& text, Notifier::Icon icon, Notifier::Buttons buttons, const QString& title) {
    const int answer = m_ctx.ui().message(text, icon, buttons, title);
    if (buttons == Notifier::YesNo)
        m_ctx.Antwort = answer;
    return answer;
}

QColor frmSelectrix::colourOf(int rgbLowRed) {
    return QColor(rgbLowRed & 0xFF, (rgbLowRed >> 8) & 0xFF, (rgbLowRed >> 16) & 0xFF);
}

void frmSelectrix::setLamp(QLabel* lamp, int colour) {
    QPalette p = lamp->palette();
    p.setColor(QPalette::Window, colourOf(colour));
    lamp->setPalette(p);
}

void frmSelectrix::setCaptionColour(QLabel* caption, const QColor& colour) {
    QPalette p = caption->palette();
    p.setColor(QPalette::WindowText, colour);
    caption->setPalette(p);
}

void frmSelectrix::setTrackPowerLamp(bool on) {
    setLamp(lblGleisspannung, on ? green : grey);
}

void frmSelectrix::setFieldText(SxField field, const QString& text) {
    combo(field)->setCurrentText(text);
}

void frmSelectrix::setFieldWhite(SxField field, bool white) {
    QComboBox* c = combo(field);
    const QColor colour = white ? QColor(Qt::white) : QColor(Qt::black);
    for (QWidget* w : std::initializer_list<QWidget*>{c, c->lineEdit()}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Text, colour);
        w->setPalette(p);
    }
}

void frmSelectrix::setExtendedChecks(bool motor, bool licht, bool gleis) {
    chkChange[1]->setChecked(motor);
    chkChange[2]->setChecked(licht);
    chkChange[4]->setChecked(gleis);
}

void frmSelectrix::enableExtendedSettings() {
    chkChange[0]->setEnabled(true);
}

void frmSelectrix::takeAddressForDriving() {
    txtAdresse->setText(cmbADR->currentText());
}

void frmSelectrix::writeProtokoll(const QString& act, const QString& adr, const QString& ge, const QString& be,
                                  const QString& im, const QString& ha) {
    m_SxProtokoll->writeProtokoll(act, adr, ge, be, im, ha);
    grdKP->scrollToBottom();
}

void frmSelectrix::setNewestProtocolExtended(const std::array<QString, 5>& cells) {
    m_SxProtokoll->setNewestExtended(cells);
}

void frmSelectrix::setDccValue(const QString& text) {
    txtWert->setText(text);
}
