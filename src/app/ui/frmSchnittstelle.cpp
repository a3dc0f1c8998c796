#include "app/ui/SmallWindowMenus.h"
#include "app/ui/frmSchnittstelle.h"

#include "app/core/AppContext.h"
#include "app/core/ErrorReport.h"
#include "base/core/Failure.h"
#include "app/ui/KeyFilter.h"
#include "app/ui/MenuRechtsbuendig.h"
#include "app/core/Notifier.h"
#include "app/core/PortSettings.h"
#include "link/core/QtSerialPort.h"
#include "link/core/SerialPort.h"
#include "app/ui/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>

namespace {
namespace Text {
const QString Caption = QStringLiteral(" Schnittstelle");
const QString Schnittstelle = QStringLiteral("Schnittstelle");
const QString Baudrate = QStringLiteral("Baudrate");
const QString Parity = QStringLiteral("Parity");
const QString Datenbits = QStringLiteral("Datenbits");
const QString Stopbits = QStringLiteral("Stopbits");
const QString ComTip = QStringLiteral(" aktuelle Schnittstelle ");
const QString ListTip = QStringLiteral(" freie Schnittstellen ");
const QString ScanCaption = QStringLiteral("COM");
const QString ScanTip = QStringLiteral(" ermittelt alle freien Schnittstellen ");
const QString SetCaption = QStringLiteral("Parameter setzen");
const QString SetTip = QStringLiteral(" initialisiert die Schnittstelle mit den o.a. Parametern und speichert sie ");
const QString HelpPage = QStringLiteral("Zelvo_Schnittstelle.htm");
const QStringList BaudItems = {"2400", "4800", "9600", "19200", "38400", "57600", "128000"};
const QStringList ParityItems = {"N", "E", "O", "M", "S"};
const QStringList DataBitItems = {"6", "7", "8"};
const QStringList StopBitItems = {"1", "2"};
}  // namespace Text

QComboBox* listBox(const QString& name, const QStringList& items) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setEditable(true);  // stored values outside the list still show; the port judges them
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    return box;
}

}  // namespace

QStringList scanFreePorts(SerialPort& port, const QStringList& candidates) {
    const QString own = port.portName();
    QStringList found;
    try {
        if (port.isOpen())
            port.close();
    } catch (const Failure&) {
    }
    for (const QString& candidate : candidates) {
        try {
            port.setPortName(candidate);
            port.open();
            port.close();
            found.append(candidate);
        } catch (const Failure&) {
        }
    }
    try {
        port.setPortName(own);
        if (!port.isOpen())
            port.open();
    } catch (const Failure&) {
    }
    return found;
}

QStringList defaultScanCandidates() {
    QStringList candidates;
    for (int n = 1; n <= 16; ++n)
        candidates.append(QString::number(n));
    // Devices that port numbers 1..16 already reach (ttyS0..ttyS15, COM1..COM16) once.
    static const QRegularExpression byNumber(QStringLiteral("^(ttyS([0-9]|1[0-5])|COM([1-9]|1[0-6]))$"));
    for (const QString& name : QtSerialPort::availablePorts())
        if (!byNumber.match(name).hasMatch() && !candidates.contains(name))
            candidates.append(name);
    return candidates;
}

frmSchnittstelle::frmSchnittstelle(AppContext& ctx, SerialPort& V24, QWidget* mainWindow, QAction* mnuSystem,
                                   QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_V24(V24), m_mainWindow(mainWindow), m_mnuSystem(mnuSystem) {
    setObjectName(QStringLiteral("frmSchnittstelle"));
    setWindowFlag(Qt::Window);
    setWindowTitle(Text::Caption);

    addSmallWindowMenus(this, [this] { m_ctx.ui().showHelp(m_ctx.HelpFile, Text::HelpPage); });

    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("pnlParameter"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(panel);

    m_txtCOM = new QLineEdit;
    m_txtCOM->setObjectName(QStringLiteral("txtCOM"));
    m_txtCOM->setToolTip(Text::ComTip);
    m_txtCOM->setMinimumWidth(110);
    new KeyFilter(m_txtCOM, isPortNameChar);
    m_btnV24 = new QPushButton(Text::ScanCaption);
    m_btnV24->setObjectName(QStringLiteral("btnV24"));
    m_btnV24->setToolTip(Text::ScanTip);
    m_lstV24 = new QListWidget;
    m_lstV24->setObjectName(QStringLiteral("lstV24"));
    m_lstV24->setToolTip(Text::ListTip);

    m_cmbBaudrate = listBox(QStringLiteral("cmbBaudrate"), Text::BaudItems);
    m_cmbBaudrate->setEditText(QStringLiteral("2400"));
    m_cmbParity = listBox(QStringLiteral("cmbParity"), Text::ParityItems);
    m_cmbDatenbits = listBox(QStringLiteral("cmbDatenbits"), Text::DataBitItems);
    m_cmbStopbits = listBox(QStringLiteral("cmbStopbits"), Text::StopBitItems);

    m_btnSetParameter = new QPushButton(Text::SetCaption);
    m_btnSetParameter->setObjectName(QStringLiteral("btnSetParameter"));
    m_btnSetParameter->setToolTip(Text::SetTip);

    grid->addWidget(new QLabel(Text::Schnittstelle), 0, 0);
    grid->addWidget(m_txtCOM, 0, 1);
    grid->addWidget(m_btnV24, 0, 2);
    grid->addWidget(m_lstV24, 1, 1, 4, 2);
    grid->addWidget(new QLabel(Text::Baudrate), 0, 3);
    grid->addWidget(m_cmbBaudrate, 0, 4);
    grid->addWidget(new QLabel(Text::Parity), 1, 3);
    grid->addWidget(m_cmbParity, 1, 4);
    grid->addWidget(new QLabel(Text::Datenbits), 2, 3);
    grid->addWidget(m_cmbDatenbits, 2, 4);
    grid->addWidget(new QLabel(Text::Stopbits), 3, 3);
    grid->addWidget(m_cmbStopbits, 3, 4);
    grid->addWidget(m_btnSetParameter, 5, 1, 1, 4);
    grid->setColumnStretch(1, 1);
    setCentralWidget(panel);

    connect(m_btnSetParameter, &QPushButton::clicked, this, &frmSchnittstelle::btnSetParameter_Click);
    connect(m_btnV24, &QPushButton::clicked, this, &frmSchnittstelle::btnV24_Click);
    connect(m_lstV24, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { m_txtCOM->setText(item->text()); });
}

void frmSchnittstelle::Form_Load() {
    resize(twips(5400), twips(4650));
    const QRect main = m_mainWindow->frameGeometry();
    move(main.left() + main.width() - frameGeometry().width(), main.top() + main.height());
    MenuRechtsbuendig(this, 2);
    m_txtCOM->setText(m_ctx.ComPort);
    subSettings();
}

void frmSchnittstelle::subSettings() {
    const ComSettingsParts parts = splitComSettings(m_ctx.ComSettings);
    m_cmbBaudrate->setEditText(parts.baud);
    m_cmbParity->setEditText(parts.parity);
    m_cmbDatenbits->setEditText(parts.dataBits);
    m_cmbStopbits->setEditText(parts.stopBits);
}

void frmSchnittstelle::btnSetParameter_Click() {
    try {
        if (m_V24.isOpen())
            m_V24.close();
        m_ctx.ComPort = comPortFromField(m_txtCOM->text());
        m_ctx.ComSettings = joinComSettings({m_cmbBaudrate->currentText(), m_cmbParity->currentText(),
                                             m_cmbDatenbits->currentText(), m_cmbStopbits->currentText()});
        m_V24.setPortName(m_ctx.ComPort);
        m_V24.setSettings(m_ctx.ComSettings);
        if (!m_V24.isOpen())
            m_V24.open();
    } catch (const Failure& failure) {
        ZentraleFehlerbehandlung(m_ctx, failure);
    }
}

void frmSchnittstelle::btnV24_Click() {
    setCursor(Qt::BusyCursor);
    m_lstV24->clear();
    m_lstV24->addItems(scanFreePorts(m_V24, scanCandidates()));
    unsetCursor();
}

void frmSchnittstelle::closeEvent(QCloseEvent* event) {
    if (m_mnuSystem)
        m_mnuSystem->setEnabled(m_V24.isOpen());
    event->accept();
}
