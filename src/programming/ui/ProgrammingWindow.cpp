#include "programming/ui/ProgrammingWindow.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "base/core/TextNumbers.h"
#include "app/ui/FieldBarCoupling.h"
#include "app/ui/MenuRechtsbuendig.h"
#include "app/ui/RisingScrollBar.h"
#include "app/ui/StationWindow.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/core/ProgrammingTexts.h"
#include "programming/core/ProtocolTable.h"
#include "programming/ui/CvGroupGrid.h"
#include "programming/ui/ProgrammingLooks.h"
#include "programming/ui/ProgrammingWindowTexts.h"
#include "programming/ui/TablePrintout.h"

#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <limits>

using namespace ProgrammingLooks;
namespace Texts = ProgrammingWindowTexts;

ProgrammingWindow::ProgrammingWindow(AppContext& ctx, StationLink& stationLink, Dialog& dialog, Frame frame,
                                     QWidget* parent)
    : StationFrame(ctx, stationLink, dialog, frame.objectName, frame.caption, parent), m_frame(std::move(frame)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_protocol = new ProtocolTable(this);
    m_groupTable = new CvGroupTable(m_frame.letterRule, this);

    auto* central = new QWidget(this);
    central->setObjectName(m_frame.objectName + QStringLiteral("Client"));
    setCentralWidget(central);
    buildToolbar(central);
    pnlDecoder = panel(central, QStringLiteral("pnlDecoder"), QFrame::NoFrame);
    setGeometryTwips(pnlDecoder, 150, 540, 7635, down(5445));
}

ProgrammingWindow::~ProgrammingWindow() = default;

void ProgrammingWindow::buildToolbar(QWidget* central) {
    pnlToolbar = panel(central, QStringLiteral("pnlToolbar"));
    setGeometryTwips(pnlToolbar, 0, 0, m_frame.toolbarWidth, 390);

    btnKennlinie = new QToolButton(pnlToolbar);
    btnKennlinie->setObjectName(QStringLiteral("btnKennlinie"));
    btnKennlinie->setToolTip(tr8(Texts::kennlinieTip));
    btnKennlinie->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    btnKennlinie->setEnabled(false);
    setGeometryTwips(btnKennlinie, 15, 15, 360, 360);

    auto* dummy = panel(pnlToolbar, QStringLiteral("pnlDummy_1"), QFrame::NoFrame);
    setGeometryTwips(dummy, 375, 15, 90, 360);

    SSPanel1 = panel(pnlToolbar, QStringLiteral("SSPanel1"), QFrame::NoFrame);
    setGeometryTwips(SSPanel1, 1665, 15, 6165, 360);
    setGeometryTwips(buildSizeBar(SSPanel1, 182), 30, 30, 1395, 285);

    pnlDatei = panel(pnlToolbar, QStringLiteral("pnlDatei"), QFrame::NoFrame);
    setGeometryTwips(pnlDatei, 7830, 15, m_frame.toolbarWidth - 7845, 360);
    // The panel's caption: the file the CV-group table or the protocol went to last.
    lblDatei = new QLabel(pnlDatei);
    lblDatei->setObjectName(QStringLiteral("lblDatei"));
    lblDatei->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setGeometryTwips(lblDatei, 1785, 15, m_frame.toolbarWidth - 9690, 330);
    rbnCVGruppen = ribbon(pnlDatei, QStringLiteral("rbnCVGruppen"), QStringLiteral("GR"), Texts::cvGruppenTip);
    setGeometryTwips(rbnCVGruppen, 465, 15, 360, 360);
    rbnLA = ribbon(pnlDatei, QStringLiteral("rbnLA"), QStringLiteral("LA"), Texts::laTip);
    setGeometryTwips(rbnLA, 825, 15, 390, 360);
    rbnCV29 = ribbon(pnlDatei, QStringLiteral("rbnCV29"), QStringLiteral("29"), Texts::cv29Tip);
    setGeometryTwips(rbnCV29, 1215, 15, 450, 360);

    connect(btnKennlinie, &QToolButton::clicked, this, [this] {
        if (m_openSpeedCurve)
            m_openSpeedCurve();
    });
    connect(rbnCVGruppen, &QToolButton::clicked, this, [this](bool on) { showCvGroupView(on); });
    connect(rbnLA, &QToolButton::clicked, this, [this](bool on) { showLaView(on); });
    connect(rbnCV29, &QToolButton::clicked, this, [this](bool on) { showCv29View(on); });
}

void ProgrammingWindow::buildDecoderPanel() {
    lblRegister = new QLabel(QStringLiteral("Register"), pnlDecoder);
    lblRegister->setObjectName(QStringLiteral("lblRegister"));
    setGeometryTwips(lblRegister, 180, 1800, 1095, 255);
    const NumberFieldWithBar cv(pnlDecoder, m_frame.cvFieldName, m_frame.cvBarName, QStringLiteral("1"),
                                tr8(Texts::registerTip), m_frame.cvBarMinimum, m_frame.cvBarMaximum, m_frame.cvRules);
    cv.place(180, 2070, 840, 345);
    txtCvField = cv.field;
    scrCvField = cv.bar;
    txtCvField->setMaxLength(4);

    auto* wertLabel = new QLabel(tr8(Texts::wertLabel), pnlDecoder);
    setGeometryTwips(wertLabel, 1500, 1800, 900, 255);
    const NumberFieldWithBar wert(pnlDecoder, QStringLiteral("txtWert"), QStringLiteral("scrWert"), QStringLiteral("0"),
                                  tr8(Texts::wertTip), 0, 255, m_frame.wertRules);
    wert.place(1500, 2070, 720, 345);
    txtWert = wert.field;
    scrWert = wert.bar;
    txtWert->setMaxLength(3);
    btnProgrammierhilfe = new QPushButton(tr8(Texts::hilfeCaption), pnlDecoder);
    btnProgrammierhilfe->setObjectName(QStringLiteral("btnProgrammierhilfe"));
    btnProgrammierhilfe->setToolTip(tr8(Texts::hilfeTip));
    btnProgrammierhilfe->setEnabled(false);
    setGeometryTwips(btnProgrammierhilfe, 2580, 2070, 345, 345);

    btnLesen = new QPushButton(tr8(Texts::lesenCaption), pnlDecoder);
    btnLesen->setObjectName(QStringLiteral("btnLesen"));
    btnLesen->setToolTip(tr8(Texts::lesenTip));
    setGeometryTwips(btnLesen, 3120, 1800, 1275, 345);
    btnSchreiben = new QPushButton(tr8(Texts::schreibenCaption), pnlDecoder);
    btnSchreiben->setObjectName(QStringLiteral("btnSchreiben"));
    btnSchreiben->setToolTip(tr8(Texts::schreibenTip));
    setGeometryTwips(btnSchreiben, 3120, 2190, 1275, 345);

    lstRegister = new QListWidget(pnlDecoder);
    lstRegister->setObjectName(QStringLiteral("lstRegister"));
    lstRegister->setToolTip(tr8(Texts::registerListTip));
    setGeometryTwips(lstRegister, 180, 2580, 4215, 1020);

    auto* protokollLabel = new QLabel(tr8(Texts::protocolLabel), pnlDecoder);
    setGeometryTwips(protokollLabel, 5040, 330, 2490, 255);
    grdKP = new ProtocolGrid(m_frame.protocolOptions, pnlDecoder);
    grdKP->setObjectName(QStringLiteral("grdKP"));
    grdKP->setToolTip(tr8(Texts::protocolTip));
    grdKP->setTable(m_protocol);
    setGeometryTwips(grdKP, 5040, 600, 2490, down(4365));
    grdKP->fitColumns();

    stbStatus = statusPanel(pnlDecoder, QStringLiteral("stbStatus"), Texts::statusTip);
    setGeometryTwips(stbStatus, 60, down(5025), 7470, 330);
    setStatusPanel(stbStatus);

    connect(btnProgrammierhilfe, &QPushButton::clicked, this, [this] {
        if (m_openProgrammingAid)
            m_openProgrammingAid();
    });
    connect(grdKP, &ProtocolGrid::menuRequested, this, [this](const QPoint& p) { mnuPopUp->popup(p); });
}

void ProgrammingWindow::buildParameterPanel(QWidget* central) {
    pnlParameter = panel(central, QStringLiteral("pnlParameter"));
    pnlParameter->setAutoFillBackground(true);
    setGeometryTwips(pnlParameter, m_frame.parameterLeft, 540, 2655, 2475);
    heading(pnlParameter, tr8(Texts::parameterHeading), 120, 60, 2000);
    const DelayControls delay = buildDelayField(pnlParameter);
    setGeometryTwips(delay.label, 120, 420, 1200, 255);
    setGeometryTwips(delay.delayLabel, 120, 660, 1200, 255);
    setGeometryTwips(delay.field, 1320, 480, 720, 330);
    setGeometryTwips(delay.unit, 2070, 525, 540, 255);
    buildPowerButtons(pnlParameter);
    for (int i = 0; i < 2; ++i)
        setGeometryTwips(btnPower[i], 120 + i * 1230, 1200, 1170, 435);
    slideWithSizeBar(pnlParameter, m_frame.slideParameterLeft);

    buildCredit(central, down(5700));
}

void ProgrammingWindow::placeDriveDesk(QWidget* desk) {
    pnlFahrpult = desk;
    pnlFahrpult->setAutoFillBackground(true);
    setGeometryTwips(pnlFahrpult, m_frame.deskLeft, 540, m_frame.deskWidth, down(5445));
    slideWithSizeBar(pnlFahrpult, m_frame.slideDeskLeft);
    // Made after the desk, so the keyboard walks from the protocol to the desk, then here.
    buildParameterPanel(centralWidget());
}

void ProgrammingWindow::buildViews(AddressPanel::Programmers addressProgrammers, AddressPanel::Options addressOptions,
                                   CvProgrammerSource cv29Programmer, Cv29Panel::Options cv29Options) {
    QWidget* central = centralWidget();
    // The views cover what lies below them; each places itself parked below the window.
    pnlLA = new AddressPanel(panelHost(), std::move(addressProgrammers), std::move(addressOptions), central);
    pnlLA->setAutoFillBackground(true);
    pnlCV29 = new Cv29Panel(panelHost(), std::move(cv29Programmer), cv29Options, central);
    pnlCV29->setAutoFillBackground(true);
    // A parked view takes neither the focus nor an access key ("&schreiben" of the address
    // view would take Alt+S from the decoder panel's write button).
    pnlLA->setEnabled(false);
    pnlCV29->setEnabled(false);
    moveTop(pnlLA, parkedPanelTop);
    moveTop(pnlCV29, parkedPanelTop);

    grdGR = new CvGroupGrid(m_ctx, m_dialog, *m_groupTable, m_frame.groupGridOptions, central);
    grdGR->setObjectName(QStringLiteral("grdGR"));
    QFont gridFont = grdGR->font();
    gridFont.setPointSize(10);
    grdGR->setFont(gridFont);
    setGeometryTwips(grdGR, m_frame.slideDeskLeft, parkedGridTop, m_frame.gridWidth, 1095);
    grdGR->hide();
    slideWithSizeBar(grdGR, m_frame.slideDeskLeft);
    connect(grdGR, &CvGroupGrid::tableRunRequested, this, [this] { runTable(); });
    connect(grdGR, &CvGroupGrid::fileCaptionChanged, lblDatei, &QLabel::setText);
    connect(grdGR, &CvGroupGrid::currentRowRunRequested, this, [this](int r) { runCurrentRow(r); });
}

void ProgrammingWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    auto action = [](QMenu* menu, const QString& name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        return a;
    };
    auto separator = [](QMenu* menu, const QString& name) { menu->addSeparator()->setObjectName(name); };

    QMenu* datei = bar->addMenu(m_frame.dateiMenu);
    datei->setObjectName(QStringLiteral("mnuDatei"));
    mnuDatei_Kennlinie = action(datei, QStringLiteral("mnuDatei_Kennlinie"), tr8(Texts::mnuDatei_Kennlinie));
    mnuDatei_Kennlinie->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    mnuDatei_CVGruppen = action(datei, QStringLiteral("mnuDatei_CVGruppen"), m_frame.cvGroupsItem);
    mnuDatei_CVGruppen->setCheckable(true);
    if (m_frame.versionItem)
        mnuDatei_Softwarestand =
            action(datei, QStringLiteral("mnuDatei_Softwarestand"), tr8(Texts::mnuDatei_Softwarestand));
    separator(datei, QStringLiteral("mnuDatei_L1"));
    mnuDatei_LA = action(datei, QStringLiteral("mnuDatei_LA"), tr8(Texts::mnuDatei_LA));
    mnuDatei_LA->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuDatei_LA->setCheckable(true);
    mnuDatei_CV29 = action(datei, QStringLiteral("mnuDatei_CV29"), tr8(Texts::mnuDatei_CV29));
    mnuDatei_CV29->setCheckable(true);
    separator(datei, QStringLiteral("mnuDatei_L2"));
    QAction* beenden = action(datei, QStringLiteral("mnuDatei_schliessen"), m_frame.dateiCloseItem);

    if (m_frame.editMenu) {
        QMenu* bearbeiten = bar->addMenu(tr8(Texts::mnuBearbeiten));
        bearbeiten->setObjectName(QStringLiteral("mnuBearbeiten"));
        // Cut, copy and paste act on the control with the focus, mostly the CV-group table.
        bearbeiten->addActions({grdGR->cutAction(), grdGR->copyAction(), grdGR->pasteAction()});
    }

    QAction* hilfe = bar->addAction(tr8(Texts::mnuHilfe));
    hilfe->setObjectName(QStringLiteral("mnuHilfe"));
    QAction* schliessen = bar->addAction(m_frame.closeItem);
    schliessen->setObjectName(QStringLiteral("mnuSchliessen"));

    buildProtocolMenu();
    QAction* moveExport = action(mnuPopUp, QStringLiteral("mnuPopUp_MoVeExport"), tr8(Texts::mnuPopUp_MoVeExport));
    mnuPopUp->addSeparator();
    QAction* editieren = action(mnuPopUp, QStringLiteral("mnuPopUp_Editieren"), tr8(Texts::mnuPopUp_Editieren));
    addProtocolPrint(mnuPopUp);
    QAction* loeschen = action(mnuPopUp, QStringLiteral("mnuPopUp_loeschen"), tr8(Texts::mnuPopUp_loeschen));

    updateSpeedCurveEntry();
    connect(mnuDatei_Kennlinie, &QAction::triggered, this, [this] {
        if (m_openSpeedCurve)
            m_openSpeedCurve();
    });
    connect(mnuDatei_CVGruppen, &QAction::triggered, this, [this](bool on) { showCvGroupView(on); });
    connect(mnuDatei_LA, &QAction::triggered, this, [this](bool on) { showLaView(on); });
    connect(mnuDatei_CV29, &QAction::triggered, this, [this](bool on) { showCv29View(on); });
    connect(beenden, &QAction::triggered, this, &QWidget::close);
    connect(schliessen, &QAction::triggered, this, &QWidget::close);
    connect(hilfe, &QAction::triggered, this, [this] {
        m_ctx.ui().showHelp(m_ctx.HelpFile, m_frame.helpPage.isEmpty() ? m_ctx.HelpPage : m_frame.helpPage);
    });
    connect(editieren, &QAction::triggered, this, [this] { protocolEditMode(); });
    connect(loeschen, &QAction::triggered, this, [this] { m_protocol->clear(); });
    connect(moveExport, &QAction::triggered, this, [this] {
        protocolFileAction([this](const QList<CvRow>& rows) {
            TableFileCommands::exportProtocolMove(m_ctx, m_dialog, rows,
                                                  [this](const QString& caption) { lblDatei->setText(caption); });
        });
    });
}

void ProgrammingWindow::saveProtocol() {
    protocolFileAction([this](const QList<CvRow>& rows) { TableFileCommands::saveProtocol(m_ctx, m_dialog, rows); });
}

void ProgrammingWindow::printProtocol() {
    protocolFileAction([this](const QList<CvRow>& rows) {
        TablePrintout::print(m_ctx, TablePrintout::Kind::Protocol, rows, m_askHeading, this);
    });
}

void ProgrammingWindow::loadFrame() {
    placeWindow({m_frame.largeWidth, m_frame.largeHeight, m_frame.smallWidth, m_frame.smallHeight});
    MenuRechtsbuendig(this, m_frame.editMenu ? 3 : 2);
    m_protocol->clear();
    m_groupTable->clear();
}

void ProgrammingWindow::showCv29View(bool shown) {
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

void ProgrammingWindow::showLaView(bool shown) {
    rbnLA->setChecked(shown);
    mnuDatei_LA->setChecked(shown);
    moveTop(pnlLA, shown ? viewTop : parkedPanelTop);
    pnlLA->setEnabled(shown);
    pnlLA->raise();
    if (shown && rbnCV29->isChecked())
        showCv29View(false);
    updateDecoderPanelEnabled();
}

void ProgrammingWindow::showCvGroupView(bool shown) {
    rbnCVGruppen->setChecked(shown);
    mnuDatei_CVGruppen->setChecked(shown);
    if (shown) {
        grdGR->setGeometry(grdGR->x(), twips(540), grdGR->width(), twips(down(5430)));
        grdGR->show();
        grdGR->raise();
    } else {
        moveTop(grdGR, parkedGridTop);
        grdGR->hide();
    }
    updateDecoderPanelEnabled();
}

void ProgrammingWindow::updateDecoderPanelEnabled() {
    pnlDecoder->setEnabled(!rbnCV29->isChecked() && !rbnLA->isChecked() && !rbnCVGruppen->isChecked());
}

void ProgrammingWindow::setProgrammingAidOpener(std::function<void()> open) {
    m_openProgrammingAid = std::move(open);
    btnProgrammierhilfe->setEnabled(bool(m_openProgrammingAid));
}

void ProgrammingWindow::setSpeedCurveOpener(std::function<void()> open) {
    m_openSpeedCurve = std::move(open);
    updateSpeedCurveEntry();
}

void ProgrammingWindow::updateSpeedCurveEntry() {
    const bool offered = m_openSpeedCurve && offersSpeedTable();
    btnKennlinie->setEnabled(offered);
    if (mnuDatei_Kennlinie)
        mnuDatei_Kennlinie->setEnabled(offered);
}

StationLink::Exchange ProgrammingWindow::beginExchange() {
    return m_guard->begin();
}

QButtonGroup* ProgrammingWindow::choiceButtons(QFrame* panel, const QString& buttonName, const QString& labelName,
                                              const QStringList& tips, const QStringList& labels,
                                              QStyle::StandardPixmap icon, std::span<QToolButton*> buttons,
                                              std::span<QLabel*> labelsOut, std::function<void(int)> pressed) {
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int i = 0; i < int(buttons.size()); ++i) {
        buttons[i] = ribbon(panel, buttonName + QStringLiteral("_%1").arg(i), QString(), nullptr);
        buttons[i]->setToolTip(tips.value(i));
        buttons[i]->setIcon(style()->standardIcon(icon));
        buttons[i]->setIconSize(QSize(twips(480), twips(480)));
        setGeometryTwips(buttons[i], 120 + i * 870, 90, 720, 660);
        group->addButton(buttons[i], i);
        labelsOut[i] = new QLabel(labels.value(i), panel);
        labelsOut[i]->setObjectName(labelName + QStringLiteral("_%1").arg(i));
        labelsOut[i]->setAlignment(Qt::AlignCenter);
        setGeometryTwips(labelsOut[i], 120 + i * 870, 795, 720, 255);
        labelsOut[i]->installEventFilter(this);
    }
    // Only the press acts: the group also reports the release of the button before.
    connect(group, &QButtonGroup::idToggled, this, [pressed = std::move(pressed)](int id, bool on) {
        if (on)
            pressed(id);
    });
    return group;
}

PanelHost ProgrammingWindow::panelHost() {
    return {m_ctx, *this, *m_guard, [this](const CvResult& result) {
                // The panels' reads and writes wait as the read does and say so.
                tellUnanswered(m_ctx, *this, result, ProgrammingTexts::readTitle(m_ctx.DecoderType));
            }};
}

qint16 ProgrammingWindow::fieldNumber(const QString& text) {
    const qint64 n = roundHalfEven(leadingNumber(text));
    return static_cast<qint16>(std::clamp<qint64>(n, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

void ProgrammingWindow::setStatus(const QString& text) {
    showStatus(text);
}

QString ProgrammingWindow::status() const {
    return statusText();
}

void ProgrammingWindow::setBusyPointer(bool busy) {
    setBusy(busy);
}

void ProgrammingWindow::writeProtokoll(const QString& mode, const QString& cv, const QString& value) {
    m_protocol->append(mode, cv, value);
}

void ProgrammingWindow::setWert(const QString& value) {
    txtWert->setText(value);
}

void ProgrammingWindow::protocolFileAction(const std::function<void(const QList<CvRow>&)>& action) {
    grdKP->commitEdit();
    action(m_protocol->rows());
}

void ProgrammingWindow::protocolEditMode() {
    grdKP->setEditing(true);
    m_protocol->appendEmpty();
    const int row = grdKP->currentIndex().isValid() ? grdKP->currentIndex().row() : m_protocol->rowCount() - 1;
    grdKP->setCurrentIndex(m_protocol->index(row, ProtocolTable::CvColumn));
    grdKP->setFocus();
}
