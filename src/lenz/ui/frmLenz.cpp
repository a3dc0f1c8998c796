#include "lenz/ui/frmLenz.h"

#include "app/core/AppContext.h"
#include "app/ui/RisingScrollBar.h"
#include "app/ui/StationWindow.h"
#include "app/ui/Twips.h"
#include "lenz/ui/LenzDrivePanel.h"
#include "lenz/core/LenzTexts.h"
#include "programming/core/CvGroupRun.h"
#include "programming/core/CvInput.h"
#include "programming/core/DccCvList.h"
#include "programming/core/ProtocolTable.h"
#include "programming/ui/CvGroupGrid.h"
#include "programming/ui/ProgrammingLooks.h"

#include <QButtonGroup>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

using namespace ProgrammingLooks;

ProgrammingWindow::Frame frmLenz::frame() {
    Frame f;
    f.objectName = QStringLiteral("frmLenz");
    f.caption = LenzTexts::caption;
    f.largeWidth = 14580;
    f.largeHeight = 7650;
    f.smallWidth = 11700;
    f.smallHeight = 7650;
    f.deskLeft = 7890;
    f.deskWidth = 3585;
    f.parameterLeft = 11610;
    f.gridWidth = 6375;
    f.toolbarWidth = 14535;
    f.extraHeight = 870;
    f.slideDeskLeft = 7860;
    f.slideParameterLeft = 11580;
    f.cvFieldName = QStringLiteral("txtCV");
    f.cvBarName = QStringLiteral("scrCV");
    f.cvBarMinimum = 1;
    f.cvBarMaximum = 999;
    // The fields keep what was typed; a value above 255 puts the value bar at 255, and one
    // the bar cannot take (above 8 in register mode, below 0) leaves it alone.
    f.cvRules.echo = false;
    f.wertRules.echo = false;
    f.wertRules.barValue = [](qint64 n, int minimum, int maximum) -> std::optional<int> {
        const qint64 value = std::min<qint64>(n, 255);
        return value >= minimum && value <= maximum ? std::optional<int>(int(value)) : std::nullopt;
    };
    f.dateiMenu = LenzTexts::mnuDatei;
    f.cvGroupsItem = LenzTexts::mnuDatei_CVGruppen;
    f.dateiCloseItem = LenzTexts::mnuDatei_schliessen;
    f.closeItem = LenzTexts::mnuSchliessen;
    f.versionItem = false;
    f.editMenu = false;
    f.helpPage = LenzTexts::helpPage;
    // The protocol has neither row colours nor a key filter here, nor a re-run.
    f.protocolOptions = ProtocolGrid::Options{false, false};
    f.letterRule = CvGroupTable::LetterRule::KeepLetters;
    // Every item of the table's pop-up is offered, and its print item has a key.
    f.groupGridOptions = CvGroupGrid::Options{false, QStringLiteral("Tabelle &drucken")};
    return f;
}

frmLenz::frmLenz(AppContext& ctx, StationLink& stationLink, Dialog& dialog, QWidget* parent)
    : ProgrammingWindow(ctx, stationLink, dialog, frame(), parent) {
    buildOwnControls();

    m_desk = new LenzDrivePanel(panelHost(), [this] { return usbInterface(); }, centralWidget());
    placeDriveDesk(m_desk);

    // The panels read and write as the window's buttons do, so their CVs are in the protocol.
    AddressPanel::Options addressOptions;
    addressOptions.longAddressDigits = 4;
    addressOptions.longAddressMinimum = 1;
    addressOptions.limitNamesStation = false;
    addressOptions.valueText = LenzCvProgrammer::shownNumber;
    addressOptions.goOnAfterFailedRead = true;
    addressOptions.programmerTells = true;
    addressOptions.pauseAfterWrites = true;
    addressOptions.markActiveBasis = false;
    addressOptions.basisActiveStatus = QStringLiteral(" Schreibvorgang abgebrochen ...");
    addressOptions.cv29ReadClearsBits = true;
    Cv29Panel::Options cv29Options;
    cv29Options.bit3Editable = false;
    cv29Options.toggleShowsReadText = true;
    cv29Options.bitCaption = QStringLiteral("<>");
    cv29Options.programmerTells = true;
    buildViews({panelProgrammers(), panelProgrammers()}, addressOptions, panelProgrammers(), cv29Options);

    CvGroupRun::Options runOptions;
    runOptions.windowLogs = true;
    runOptions.failedReadLeavesMark = true;
    runOptions.pauseAfterReads = true;
    runOptions.cvAccepted = [this](int cv) { return XpressNet::numberValid(programmingMode(), cv); };
    runOptions.valueText = LenzCvProgrammer::shownNumber;
    m_groupRun = new CvGroupRun(m_ctx, *this, *m_groupTable, m_link.clock(), runOptions, this);
    grdGR->followRun(m_groupRun);
    buildMenus();
    formLoad();
}

frmLenz::~frmLenz() {
    unload();
}

void frmLenz::buildOwnControls() {
    auto* pnlIF = panel(pnlDecoder, QStringLiteral("pnlIF"));
    setGeometryTwips(pnlIF, 120, 120, 1860, 1155);
    interfaceGroup = choiceButtons(pnlIF, QStringLiteral("btnIF"), QStringLiteral("lblIF"),
                                   {LenzTexts::interfaceTip(0), LenzTexts::interfaceTip(1)},
                                   {LenzTexts::interfaceLabel(0), LenzTexts::interfaceLabel(1)}, QStyle::SP_DriveNetIcon,
                                   btnIF, lblIF, [this](int id) { interfaceChanged(id); });

    btnText = new QPushButton(LenzTexts::testCaption, pnlDecoder);
    btnText->setObjectName(QStringLiteral("btnText"));
    setGeometryTwips(btnText, 3780, 120, 915, 345);
    connect(btnText, &QPushButton::clicked, this, [this] { btnText_Clicked(); });

    auto* modeGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        optProgmode[i] = new QRadioButton(LenzTexts::progmodeCaption(i), pnlDecoder);
        optProgmode[i]->setObjectName(QStringLiteral("optProgmode_%1").arg(i));
        optProgmode[i]->setToolTip(LenzTexts::progmodeTip(i));
        setGeometryTwips(optProgmode[i], 180 + i * 1200, 1410, 1155, 285);
        modeGroup->addButton(optProgmode[i], i);
    }
    optProgmode[1]->setChecked(true);
    connect(modeGroup, &QButtonGroup::idClicked, this, [this](int id) { progmodeClicked(id); });

    buildDecoderPanel();
    txtCV = txtCvField;
    scrCV = scrCvField;
    lblRegister->setText(LenzTexts::cvLabel);
    m_protocol->setCvHeader(LenzTexts::cvLabel);

    connect(btnLesen, &QPushButton::clicked, this, [this] { btnLesen_Clicked(); });
    connect(btnSchreiben, &QPushButton::clicked, this, [this] { btnSchreiben_Clicked(); });
    connect(lstRegister, &QListWidget::itemClicked, this, [this] { registerListClicked(); });
}

void frmLenz::formLoad() {
    loadFrame();
    // The stored interface, shown on its label.
    pressInterface(m_ctx.LenzInterfaceType);
    showDelay();
    lstRegister->addItems(dccCvList());
    showWholeRows(lstRegister);
    lstRegister->setCurrentRow(0);
    registerListClicked();
}

bool frmLenz::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < 2; ++i)
            if (watched == lblIF[i]) {
                pressInterface(i);
                return true;
            }
    }
    return ProgrammingWindow::eventFilter(watched, event);
}

void frmLenz::pressInterface(int index) {
    // A stored value outside the choice leaves both buttons released.
    if (index < 0 || index > 1)
        return;
    if (btnIF[index]->isChecked())
        interfaceChanged(index);
    else
        btnIF[index]->setChecked(true);  // the group reports the press
}

void frmLenz::interfaceChanged(int index) {
    m_ctx.LenzInterfaceType = static_cast<qint16>(index);
    markStationLabels({lblIF[0], lblIF[1]}, index, btnIF[index]->isChecked());
}

bool frmLenz::usbInterface() const {
    return m_ctx.LenzInterfaceType == 1;
}

XpressNet::ProgrammingMode frmLenz::programmingMode() const {
    if (optProgmode[0]->isChecked())
        return XpressNet::ProgrammingMode::Register;
    if (optProgmode[1]->isChecked())
        return XpressNet::ProgrammingMode::Direct;
    return XpressNet::ProgrammingMode::Paged;
}

void frmLenz::progmodeClicked(int index) {
    scrWert->setRisingMaximum(index == 0 ? 8 : 255);
}

void frmLenz::registerListClicked() {
    const QListWidgetItem* item = lstRegister->currentItem();
    if (!item)
        return;
    const int n = CvInput::registerOfListRow(item->text());
    txtCV->setText(QString::number(n));
    txtWert->setText(n == 8 ? QStringLiteral("8") : QStringLiteral("0"));
}

void frmLenz::btnText_Clicked() {
    for (int i = 0; i < 20; ++i)
        writeProtokoll_Lenz(QStringLiteral("L"), txtCV->text(), txtWert->text());
}

void frmLenz::ClearColor() {
    pnlLA->ClearColor();
}

std::optional<XpressNet::LocoAddress> frmLenz::ermittleLokadresse() const {
    return m_desk->ermittleLokadresse();
}

void frmLenz::writeProtokoll_Lenz(const QString& mode, const QString& cv, const QString& value) {
    writeProtokoll(mode, cv, value);
}

void frmLenz::grdGrUpdate() {
    grdGR->grdGrUpdate();
}

void frmLenz::powerClicked(int index) {
    m_desk->btnPower_Clicked(index);
}
