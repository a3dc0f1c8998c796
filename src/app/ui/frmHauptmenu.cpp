#include "app/ui/frmHauptmenu.h"

#include "app/core/AppContext.h"
#include "app/core/ConfigFile.h"
#include "app/core/DataFolder.h"
#include "app/core/ErrorReport.h"
#include "base/core/Failure.h"
#include "app/core/ManufacturerList.h"
#include "app/core/Notifier.h"
#include "app/core/Version.h"
#include "app/ui/LocoPicture.h"
#include "app/ui/MenuRechtsbuendig.h"
#include "app/ui/Twips.h"
#include "app/ui/frmDecoderHersteller.h"
#include "app/ui/frmProgrammierhilfe.h"
#include "app/ui/frmSchnittstelle.h"
#include "link/core/SerialPort.h"
#include "link/core/StationLink.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

namespace Text {
const QString Caption = QStringLiteral(" Quillex");
const QString Title = QStringLiteral("Quillex");
const QString Credit = QStringLiteral("Decoder programmieren mit Intellibox, Lenz und Selectrix  ·  © das Quillex-Team");
const QString Subtitle = QStringLiteral("CV-Programmierung für Modellbahn-Decoder");
const QString SecondInstance = QStringLiteral("Dieses Programm wurde bereits gestartet....          ");
const QString SecondInstanceTitle = QStringLiteral(" Quillex");
const QString LockFile = QStringLiteral("Quillex.lock");
}  // namespace Text

constexpr int closeRetryMs = 50;

struct MenuRow {
    const char* parent;  // objectName of the menu it belongs to; nullptr: the menu bar
    const char* caption;
    const char* name;
    const char* shortcut;  // nullptr: none
    int kind;            // frmHauptmenu::Kind
    const char* mode;    // SystemMode the entry sets, or nullptr
};

}  // namespace

frmHauptmenu::frmHauptmenu(AppContext& ctx, SerialPort& V24, StationLink& link, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_V24(V24), m_link(link) {
    setObjectName(QStringLiteral("frmHauptmenu"));
    setWindowTitle(Text::Caption);
    // The port is the main window's: a failure of it during any window's exchange (cable
    // pulled) goes to the central error report, once.
    m_link.setFailureReport([this](const Failure& failure) { ZentraleFehlerbehandlung(m_ctx, failure); });
    buildMenu();
    buildContent();
}

frmHauptmenu::~frmHauptmenu() = default;

void frmHauptmenu::buildMenu() {
    using K = Kind;
    const char* none = nullptr;
    // The whole menu, in order. Entries whose window is plugged in later start disabled.
    const MenuRow rows[] = {
        {nullptr, "S&ystem", "mnuSystem", none, int(K::Submenu), nullptr},
        {"mnuSystem", "&Motorola / DCC              ", "mnuSystem_MM", "Ctrl+M", int(K::Programming), "DCC"},
        {"mnuSystem", "&Selectrix", "mnuSystem_Selectrix", "Ctrl+S", int(K::Modal), "SLX"},
        {"mnuSystem", "&Lenz", "mnuSystem_Lenz", "Ctrl+L", int(K::Programming), "Lenz"},
        {"mnuSystem", nullptr, "mnuSystem_L1", none, int(K::Separator), nullptr},
        {"mnuSystem", "&b&eenden", "mnuSystem_beenden", none, int(K::Own), nullptr},
        {nullptr, "Funktionsmapping", "mnuFM", none, int(K::Submenu), nullptr},
        {"mnuFM", "&ESU  LokPilot V3.0       ", "mnuFM_ESU", none, int(K::BusyModal), nullptr},
        {"mnuFM", "Kühn", "mnuKuehn", none, int(K::Submenu), nullptr},
        {"mnuKuehn", "Kühn N025", "mnuDatei_mnuKuehn_KuehnN025", none, int(K::BusyModal), nullptr},
        {"mnuKuehn", "&Kühn T145", "mnuDatei_mnuKuehn_Kuehn_T145", none, int(K::BusyModal), nullptr},
        {"mnuFM", "&Lenz GoldSerie", "mnuExtras_Lenz", none, int(K::BusyModal), nullptr},
        {"mnuFM", "&Tams", "mnuFM_Tams", none, int(K::Submenu), nullptr},
        {"mnuFM_Tams", "Lokdecoder LD-G-8", "mnuFM_Tams_LDG8", none, int(K::BusyModal), nullptr},
        {"mnuFM_Tams", "Funktionsdecoder FD-M", "mnuFM_Tams_FDM", none, int(K::BusyModal), nullptr},
        {"mnuFM", "T&ran DCX...", "mnuFM_Tran", none, int(K::BusyModal), nullptr},
        {"mnuFM", "&Uhlenbrock 76400", "mnuFM_Uhlenbrock", none, int(K::BusyModal), nullptr},
        {"mnuFM", "&Viessmann 5246", "mnuDatei_Viessmann_5246", none, int(K::BusyModal), nullptr},
        {"mnuFM", "Zimo MX...", "mnuFM_Zimo", none, int(K::Modal), nullptr},
        {"mnuFM", nullptr, "mnuFM_L1", none, int(K::Separator), nullptr},
        {"mnuFM", "nach &NMRA ", "mnuFM_NMRA", none, int(K::BusyModal), nullptr},
        {nullptr, "E&xtras", "mnuExtras", none, int(K::Submenu), nullptr},
        {"mnuExtras", "&Schnittstelle", "mnuExtras_Schnittstelle", none, int(K::Own), nullptr},
        {"mnuExtras", "&Decoder-Hersteller", "mnuExtras_Decoderhersteller", none, int(K::Own), nullptr},
        {"mnuExtras", "Programmierhilfe", "mnuExtras_PH", none, int(K::Own), "PH"},
        {"mnuExtras", "&Intellibox", "mnuExtras_IB", none, int(K::Modal), nullptr},
        {"mnuExtras", nullptr, "mnuExtras_L1", none, int(K::Separator), nullptr},
        {"mnuExtras", "ESU         ", "muExtras_ESU", none, int(K::Submenu), nullptr},
        {"muExtras_ESU", "CV 49 und CV 124", "muExtras_ESU_CV49", none, int(K::Modal), nullptr},
        {nullptr, "&?", "mnuHilfe", none, int(K::Own), nullptr},
        {nullptr, "b&eenden", "mnuBeenden", none, int(K::Own), nullptr},
    };

    QHash<QString, QMenu*> menus;
    for (const MenuRow& row : rows) {
        const QString name = QString::fromLatin1(row.name);
        const auto kind = Kind(row.kind);
        QMenu* parent = row.parent ? menus.value(QString::fromLatin1(row.parent)) : nullptr;
        QAction* action = nullptr;
        if (kind == Kind::Submenu) {
            QMenu* menu = parent ? parent->addMenu(QString::fromUtf8(row.caption))
                                 : menuBar()->addMenu(QString::fromUtf8(row.caption));
            menu->setObjectName(name);
            menus.insert(name, menu);
            action = menu->menuAction();
        } else if (kind == Kind::Separator) {
            action = parent->addSeparator();
        } else {
            action = parent ? parent->addAction(QString::fromUtf8(row.caption))
                            : menuBar()->addAction(QString::fromUtf8(row.caption));
            if (row.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
            const QString mode = row.mode ? QString::fromLatin1(row.mode) : QString();
            connect(action, &QAction::triggered, this, [this, name, kind, mode] { runEntry(name, kind, mode); });
            action->setEnabled(kind == Kind::Own);
        }
        action->setObjectName(name);
        m_entries.insert(name, action);
    }
    m_mnuSystem = m_entries.value(QStringLiteral("mnuSystem"));
}

void frmHauptmenu::buildContent() {
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("pnlHauptmenu"));
    central->setAutoFillBackground(true);
    QPalette pal = central->palette();
    pal.setColor(QPalette::Window, QColor(0xf4, 0xf1, 0xe8));
    central->setPalette(pal);

    auto* layout = new QGridLayout(central);
    layout->setContentsMargins(14, 10, 14, 8);
    layout->setHorizontalSpacing(18);
    layout->setVerticalSpacing(2);

    layout->addWidget(new LocoPicture, 0, 0, 3, 1, Qt::AlignVCenter);

    // The large title: two labels, the lower one as its shadow.
    QFont titleFont(QStringLiteral("Arial Black"));
    titleFont.setStyleHint(QFont::SansSerif);
    titleFont.setWeight(QFont::Black);
    titleFont.setPixelSize(44);
    auto* titleBox = new QWidget;
    const QSize titleSize = QFontMetrics(titleFont).size(0, Text::Title) + QSize(4, 4);
    titleBox->setFixedSize(titleSize);
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(Text::Title, titleBox);
        label->setObjectName(QStringLiteral("lblTitel_%1").arg(i));
        label->setFont(titleFont);
        label->setStyleSheet(i == 0 ? QStringLiteral("color: #b9b2a0;") : QStringLiteral("color: #1d4e2c;"));
        label->setGeometry(i == 0 ? 3 : 0, i == 0 ? 3 : 0, titleSize.width() - 4, titleSize.height() - 4);
    }
    layout->addWidget(titleBox, 0, 1, Qt::AlignLeft | Qt::AlignBottom);

    auto* subtitle = new QLabel(Text::Subtitle);
    subtitle->setObjectName(QStringLiteral("lblUntertitel"));
    subtitle->setStyleSheet(QStringLiteral("color: #3a506b;"));
    layout->addWidget(subtitle, 1, 1, Qt::AlignLeft | Qt::AlignTop);

    m_lblRelease = new QLabel;
    m_lblRelease->setObjectName(QStringLiteral("lblRelease"));
    m_lblRelease->setStyleSheet(QStringLiteral("color: #3a506b; font-weight: bold;"));
    layout->addWidget(m_lblRelease, 2, 1, Qt::AlignLeft | Qt::AlignTop);

    auto* credit = new QLabel(Text::Credit);
    credit->setObjectName(QStringLiteral("lblCredit"));
    QFont small = credit->font();
    small.setItalic(true);
    small.setPointSizeF(small.pointSizeF() * 0.85);
    credit->setFont(small);
    credit->setStyleSheet(QStringLiteral("color: #6b6457;"));
    layout->addWidget(credit, 3, 0, 1, 2, Qt::AlignRight | Qt::AlignBottom);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(2, 1);

    setCentralWidget(central);
}

void frmHauptmenu::Form_Load() {
    resize(twips(7560), twips(2580));

    QDir().mkpath(m_ctx.dataFolder);
    m_lock = std::make_unique<QLockFile>(QDir(m_ctx.dataFolder).filePath(Text::LockFile));
    m_lock->setStaleLockTime(0);  // a lock is stale only when its process is gone
    if (!m_lock->tryLock(0) && m_lock->error() == QLockFile::LockFailedError) {
        m_lock.reset();
        m_ctx.ui().message(Text::SecondInstance, Notifier::Icon::Critical, Notifier::OkOnly, Text::SecondInstanceTitle);
        m_ctx.ui().endProgram();
    }

    MenuRechtsbuendig(this, 4);
    m_ctx.HelpFile = findHelpFolder();
    m_lblRelease->setText(releaseText());
    // A fresh install gets the shipped maker list, so CV 8 names a maker from the start.
    ManufacturerList::installDefault(m_ctx.dataFolder);

    try {
        ReadConfig(m_ctx);
        m_V24.setPortName(m_ctx.ComPort);
        m_V24.setRts(true);
        m_V24.setSettings(m_ctx.ComSettings);
        if (!m_V24.isOpen())
            m_V24.open();
    } catch (const Failure& failure) {
        ZentraleFehlerbehandlung(m_ctx, failure);
        m_mnuSystem->setEnabled(m_V24.isOpen());
    }
}

void frmHauptmenu::setOpener(const QString& entryName, Opener opener) {
    QAction* action = m_entries.value(entryName);
    if (!action)
        return;
    action->setEnabled(bool(opener));
    if (opener)
        m_openers.insert(entryName, std::move(opener));
    else
        m_openers.remove(entryName);
}

void frmHauptmenu::runEntry(const QString& name, Kind kind, const QString& mode) {
    if (kind == Kind::Own) {
        if (name == u"mnuSystem_beenden" || name == u"mnuBeenden")
            close();
        else if (name == u"mnuExtras_Schnittstelle")
            mnuExtras_Schnittstelle_Click();
        else if (name == u"mnuExtras_Decoderhersteller")
            mnuExtras_Decoderhersteller_Click();
        else if (name == u"mnuExtras_PH")
            mnuExtras_PH_Click();
        else if (name == u"mnuHilfe")
            mnuHilfe_Click();
        return;
    }
    const Opener opener = m_openers.value(name);
    if (!opener)
        return;
    if (!mode.isEmpty())
        m_ctx.SystemMode = mode;
    switch (kind) {
    case Kind::Programming:
        // Disabled only while the programming window loads; then both are usable.
        setEnabled(false);
        opener();
        setEnabled(true);
        break;
    case Kind::BusyModal:
        m_ctx.ui().setBusy(true);  // the editor's own load step resets it
        opener();
        break;
    default:
        opener();
        break;
    }
}

void frmHauptmenu::showModal(QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
}

void frmHauptmenu::mnuExtras_Schnittstelle_Click() {
    auto* window = new frmSchnittstelle(m_ctx, m_V24, this, m_mnuSystem, this);
    if (scanCandidates)
        window->scanCandidates = scanCandidates;
    window->Form_Load();
    showModal(window);
}

void frmHauptmenu::mnuExtras_Decoderhersteller_Click() {
    auto* window = new frmDecoderHersteller(m_ctx, this);
    window->Form_Load();
    showModal(window);
}

void frmHauptmenu::mnuExtras_PH_Click() {
    m_ctx.SystemMode = QStringLiteral("PH");
    showProgrammierhilfe(true);
}

frmProgrammierhilfe* frmHauptmenu::showProgrammierhilfe(bool modal) {
    if (m_programmierhilfe && m_programmierhilfe->isVisible()) {
        m_programmierhilfe->raise();
        m_programmierhilfe->activateWindow();
        return m_programmierhilfe;
    }
    delete m_programmierhilfe;  // a hidden one left over
    m_programmierhilfe = new frmProgrammierhilfe(m_ctx, this, m_targets, this);
    m_programmierhilfe->Form_Load();
    if (modal) {
        showModal(m_programmierhilfe);
    } else {
        m_programmierhilfe->setAttribute(Qt::WA_DeleteOnClose);
        m_programmierhilfe->show();
    }
    return m_programmierhilfe;
}

void frmHauptmenu::closeProgrammierhilfe() {
    if (m_programmierhilfe)
        m_programmierhilfe->close();
}

void frmHauptmenu::mnuHilfe_Click() {
    m_ctx.ui().showHelp(m_ctx.HelpFile, m_ctx.HelpPage);
}

void frmHauptmenu::closeOtherWindows() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == this || !window->isVisible() || window->inherits("QMenu"))
            continue;
        window->close();  // runs the window's own closing steps
        if (window->isVisible())
            window->hide();
    }
}

void frmHauptmenu::closeEvent(QCloseEvent* event) {
    if (m_shutDown) {
        event->accept();
        return;
    }
    if (m_link.exchangeRunning()) {
        // A window waits for a station answer: end that wait and shut down once its
        // handler has returned, so no window is closed under a running handler. The retry
        // is spaced so a handler that still shows a message does not make it spin.
        m_link.cancelExchange();
        event->ignore();
        QTimer::singleShot(closeRetryMs, this, &QWidget::close);
        return;
    }
    m_shutDown = true;
    closeOtherWindows();
    try {
        if (m_V24.isOpen())
            m_V24.close();
    } catch (const Failure&) {
        // Nothing to tell: the program ends and the system releases the port.
    }
    try {
        WriteConfig(m_ctx);
    } catch (const Failure& failure) {
        ZentraleFehlerbehandlung(m_ctx, failure);
    }
    m_lock.reset();
    event->accept();
}
