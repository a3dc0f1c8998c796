#include "intellibox/ui/frmIB.h"

#include "app/core/AppContext.h"
#include "app/core/ErrorReport.h"
#include "base/core/Failure.h"
#include "app/core/Notifier.h"
#include "app/core/TextFile.h"
#include "base/core/TextNumbers.h"
#include "app/ui/MenuRechtsbuendig.h"
#include "app/ui/RisingScrollBar.h"
#include "app/ui/StationWindow.h"
#include "app/ui/UnkeyedPushButton.h"
#include "intellibox/core/DriveCommands.h"
#include "intellibox/core/IbSettings.h"
#include "link/core/P50xCommands.h"
#include "link/core/StationLink.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
namespace Text {
const QString caption = QStringLiteral(" Intellibox");
const QString lesen = QStringLiteral("&lesen");
const QString von = QStringLiteral("von");
const QString bis = QStringLiteral("bis");
const QString liste = QStringLiteral("Liste ' von / bis '");
const QString motorolaQuestion = QStringLiteral(" IntelliBox für die Programmierung von Märklin-Loks  richtig eingestellt ?");
const QString testen = QStringLiteral("&testen");
const QString so663 = QStringLiteral("Sonderoption 663 = 1");
const QString lokdatenformat = QStringLiteral("Lokdatenformat Adr. 80");
const QString p50 = QStringLiteral("P50");
const QString p50x = QStringLiteral("P50X");
const QString powerOff = QStringLiteral("Power off");
const QString powerOn = QStringLiteral("Power on");
const QString tipPowerOff = QStringLiteral(" Zentrale abschalten ");
const QString tipPowerOn = QStringLiteral(" Zentrale einschalten ");
const QString version = QStringLiteral("Version");
const std::array<QString, 6> versionKeys{QStringLiteral("SPU"), QStringLiteral("KPU"), QStringLiteral("PPU"),
                                         QStringLiteral("LIPU"), QStringLiteral("DNG"), QStringLiteral("Ser. Nr.")};
const QString antwort = QStringLiteral("Antwort der IntelliBox");
const QString datei = QStringLiteral("&Datei");
const QString schliessen = QStringLiteral("s&chließen");
const QString hilfe = QStringLiteral("&?");
const QString listeSpeichern = QStringLiteral("Liste in Datei speichern");
const QString invalidOption = QStringLiteral(" Keine gültige Sonderoption eingegeben !");
const QString vonBis = QStringLiteral(" ' von' darf nicht grösser als ' bis' sein !");
const QString abgebrochen = QStringLiteral(" Programmierung abgebrochen...");
const QString timeout = QStringLiteral("Die IntelliBox antwortet nicht !          ");
const QString tenBlanks = QStringLiteral("          ");
const QString soFile = QStringLiteral("_SO.txt");
}  // namespace Text

constexpr qint64 answerDeadlineMs = 20000;

QLineEdit* digitField(const QString& name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(3);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), field));
    return field;
}

// The number a field's text stands for, held to 16 bits.
int fieldNumber(const QLineEdit* field) {
    return int(qBound(qint64(-32768), roundHalfEven(leadingNumber(field->text())), qint64(32767)));
}
}  // namespace

frmIB::frmIB(AppContext& ctx, StationLink& link, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_link(link), m_guard(new StationWindowGuard(*this, ctx, link)) {
    setObjectName(QStringLiteral("frmIB"));
    m_guard->setLineLost([window = QPointer<frmIB>(this)] {
        if (window)
            window->setStatus(QString());
    });
    setWindowTitle(Text::caption);
    if (parent)
        move(parent->window()->pos());

    auto* bar = new QMenuBar(this);
    QMenu* mnuDatei = bar->addMenu(Text::datei);
    mnuDatei->setObjectName(QStringLiteral("mnuDatei"));
    QAction* mnuDatei_schliessen = mnuDatei->addAction(Text::schliessen, this, &QDialog::close);
    mnuDatei_schliessen->setObjectName(QStringLiteral("mnuDatei_schliessen"));
    QAction* mnuHilfe = bar->addAction(Text::hilfe);
    mnuHilfe->setObjectName(QStringLiteral("mnuHilfe"));
    QAction* mnuSchliessen = bar->addAction(Text::schliessen, this, &QDialog::close);
    mnuSchliessen->setObjectName(QStringLiteral("mnuSchliessen"));
    MenuRechtsbuendig(bar, 2);

    m_mnuPopUp = new QMenu(this);
    m_mnuPopUp->setObjectName(QStringLiteral("mnuPopUp"));
    QAction* save = m_mnuPopUp->addAction(Text::listeSpeichern, this, &frmIB::mnuPopUp_Datei_Click);
    save->setObjectName(QStringLiteral("mnuPopUp_Datei"));

    // Single special option.
    m_txtSO = digitField(QStringLiteral("txtSO"), this);
    m_txtSO->setText(QStringLiteral("1"));
    m_txtSO->installEventFilter(this);
    m_scrSO = new RisingScrollBar(this);
    m_scrSO->setObjectName(QStringLiteral("scrSO"));
    m_scrSO->setRisingRange(1, 999);
    m_scrSO->setRisingValue(1);
    m_scrSO->setFixedHeight(m_txtSO->sizeHint().height());
    // The three "&lesen" buttons share one access key: the single read keeps it.
    for (int i = 1; i <= 2; ++i) {
        m_btnLesen[i] = i == 1 ? new QPushButton(Text::lesen, this) : new UnkeyedPushButton(Text::lesen, this);
        m_btnLesen[i]->setObjectName(QStringLiteral("btnLesen_%1").arg(i));
        m_btnLesen[i]->setAutoDefault(false);
        connect(m_btnLesen[i], &QPushButton::clicked, this, [this, i] { btnLesen_Clicked(i); });
        m_lblSO[i] = new QLabel(this);
        m_lblSO[i]->setObjectName(QStringLiteral("lblSO_%1").arg(i));
        m_lblSO[i]->setFrameShape(QFrame::Panel);
        m_lblSO[i]->setFrameShadow(QFrame::Sunken);
        m_lblSO[i]->setMinimumWidth(40);
        m_lblSO[i]->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    auto* single = new QGroupBox(this);
    auto* singleRow = new QHBoxLayout(single);
    singleRow->addWidget(m_txtSO);
    singleRow->addWidget(m_scrSO);
    singleRow->addWidget(m_btnLesen[1]);
    singleRow->addWidget(m_lblSO[1]);

    // Range.
    m_txtVon = digitField(QStringLiteral("txtVon"), this);
    m_txtBis = digitField(QStringLiteral("txtBis"), this);
    m_lstSO = new QListWidget(this);
    m_lstSO->setObjectName(QStringLiteral("lstSO"));
    m_lstSO->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_lstSO, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_mnuPopUp->exec(m_lstSO->viewport()->mapToGlobal(at)); });
    auto* range = new QGroupBox(Text::liste, this);
    auto* rangeGrid = new QGridLayout(range);
    rangeGrid->addWidget(new QLabel(Text::von, range), 0, 0);
    rangeGrid->addWidget(m_txtVon, 0, 1);
    rangeGrid->addWidget(new QLabel(Text::bis, range), 0, 2);
    rangeGrid->addWidget(m_txtBis, 0, 3);
    rangeGrid->addWidget(m_btnLesen[2], 0, 4);
    rangeGrid->addWidget(m_lblSO[2], 0, 5);
    rangeGrid->addWidget(m_lstSO, 1, 0, 1, 6);

    // Motorola-format test.
    m_btnMotorola = new QPushButton(Text::testen, this);
    m_btnMotorola->setObjectName(QStringLiteral("btnMotorola"));
    m_btnMotorola->setAutoDefault(false);
    m_chk663 = new QCheckBox(Text::so663, this);
    m_chk663->setObjectName(QStringLiteral("chk663"));
    m_chkLokdatenformat = new QCheckBox(Text::lokdatenformat, this);
    m_chkLokdatenformat->setObjectName(QStringLiteral("chkLokdatenformat"));
    auto* motorola = new QGroupBox(this);
    auto* motorolaGrid = new QGridLayout(motorola);
    motorolaGrid->addWidget(new QLabel(Text::motorolaQuestion, motorola), 0, 0, 1, 2);
    motorolaGrid->addWidget(m_btnMotorola, 1, 0, 2, 1);
    motorolaGrid->addWidget(m_chk663, 1, 1);
    motorolaGrid->addWidget(m_chkLokdatenformat, 2, 1);

    // Power.
    auto* power = new QGroupBox(this);
    auto* powerGrid = new QGridLayout(power);
    powerGrid->addWidget(new QLabel(Text::p50, power), 0, 0, Qt::AlignCenter);
    powerGrid->addWidget(new QLabel(Text::p50x, power), 0, 1, Qt::AlignCenter);
    for (int i = 0; i < 4; ++i) {
        const bool on = i % 2 == 1;
        m_btnPower[i] = new QPushButton(on ? Text::powerOn : Text::powerOff, this);
        m_btnPower[i]->setObjectName(QStringLiteral("btnPower_%1").arg(i));
        m_btnPower[i]->setToolTip(on ? Text::tipPowerOn : Text::tipPowerOff);
        m_btnPower[i]->setAutoDefault(false);
        connect(m_btnPower[i], &QPushButton::clicked, this, [this, i] { btnPower_Clicked(i); });
        powerGrid->addWidget(m_btnPower[i], 1 + i % 2, i / 2);
    }

    // Version.
    m_btnVersion = new UnkeyedPushButton(Text::lesen, this);
    m_btnVersion->setObjectName(QStringLiteral("btnVersion"));
    m_btnVersion->setAutoDefault(false);
    auto* versionBox = new QGroupBox(Text::version, this);
    auto* versionGrid = new QGridLayout(versionBox);
    versionGrid->addWidget(m_btnVersion, 0, 0, 1, 2);
    for (int i = 0; i < 6; ++i) {
        m_lblVersion[i] = new QLabel(this);
        m_lblVersion[i]->setObjectName(QStringLiteral("lblVersion_%1").arg(i));
        m_lblVersion[i]->setFrameShape(QFrame::Panel);
        m_lblVersion[i]->setFrameShadow(QFrame::Sunken);
        m_lblVersion[i]->setMinimumWidth(90);
        versionGrid->addWidget(new QLabel(Text::versionKeys[i], versionBox), 1 + i, 0);
        versionGrid->addWidget(m_lblVersion[i], 1 + i, 1);
    }

    m_stbStatus = new QStatusBar(this);
    m_stbStatus->setObjectName(QStringLiteral("stbStatus"));
    m_stbStatus->setSizeGripEnabled(false);
    m_statusPanel = new QLabel(m_stbStatus);
    m_statusPanel->setObjectName(QStringLiteral("stbStatus_1"));
    m_stbStatus->addWidget(m_statusPanel, 1);

    auto* grid = new QGridLayout;
    grid->addWidget(single, 0, 0);
    grid->addWidget(range, 1, 0, 3, 1);
    grid->addWidget(motorola, 0, 1, 1, 2);
    grid->addWidget(power, 1, 1);
    grid->addWidget(versionBox, 1, 2, 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(Text::antwort, this));
    layout->addWidget(m_stbStatus);

    connect(m_txtSO, &QLineEdit::textChanged, this, &frmIB::txtSO_Change);
    connect(m_scrSO, &RisingScrollBar::risingValueChanged, this, [this](int v) { m_txtSO->setText(QString::number(v)); });
    connect(m_btnMotorola, &QPushButton::clicked, this, &frmIB::btnMotorola_Clicked);
    connect(m_btnVersion, &QPushButton::clicked, this, &frmIB::btnVersion_Clicked);
    connect(m_txtBis, &QLineEdit::textChanged, this, [this] { m_btnLesen[2]->setDefault(true); });
}

QString frmIB::statusText() const { return m_statusPanel->text(); }

void frmIB::setStatus(const QString& text) { m_statusPanel->setText(text); }

void frmIB::closeEvent(QCloseEvent* event) {
    // A waiting query ends at its next poll; closing is never refused.
    m_guard->windowClosing();
    QDialog::closeEvent(event);
}

bool frmIB::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtSO && event->type() == QEvent::KeyPress)
        setStatus(QString());
    return QDialog::eventFilter(watched, event);
}

void frmIB::txtSO_Change() {
    m_btnLesen[1]->setDefault(true);
    m_lblSO[1]->setText(QStringLiteral("?"));
    const int n = fieldNumber(m_txtSO);
    // The spin control covers 1..999; other texts leave it where it is.
    if (n >= m_scrSO->risingMinimum() && n <= m_scrSO->risingMaximum()) {
        const QSignalBlocker block(m_scrSO);
        m_scrSO->setRisingValue(n);
    }
}

template <typename Body>
void frmIB::operation(Body body) {
    const QPointer<frmIB> alive(this);
    // The P50 power buttons stay usable: their byte goes out at once.
    const std::array<QPushButton*, 6> buttons{m_btnLesen[1], m_btnLesen[2], m_btnMotorola,
                                              m_btnPower[2], m_btnPower[3], m_btnVersion};
    const bool ran = m_guard->run([&] {
        for (QPushButton* b : buttons)
            b->setEnabled(false);
        setCursor(Qt::BusyCursor);
        body();
    });
    if (!ran || !alive)
        return;
    unsetCursor();
    for (QPushButton* b : buttons)
        b->setEnabled(true);
}

bool frmIB::query(const QString& command, qint64 pauseMs, QString& answer) {
    const StationLink::Reply reply = m_link.askP50X(command, pauseMs, answerDeadlineMs);
    answer = reply.text();
    if (reply.answered())
        return true;
    // A port failure has been reported already; closing the window is the user's own doing.
    if (reply.outcome == StationLink::Outcome::TimedOut) {
        setStatus(Text::abgebrochen);
        m_ctx.ui().message(Text::timeout, Notifier::Icon::Critical, Notifier::OkOnly, Text::caption);
    }
    return false;
}

void frmIB::btnLesen_Clicked(int index) {
    if (index == 1)
        readSingle();
    else if (index == 2)
        readRange();
}

void frmIB::readSingle() {
    const int n = fieldNumber(m_txtSO);
    if (n < 1) {
        setStatus(Text::invalidOption);
        m_txtSO->setText(QStringLiteral("?"));
        return;
    }
    operation([&] {
        QString answer;
        if (!query(P50x::XSO(n), 100, answer))
            return;
        m_lblSO[1]->setText(IbSettings::leadingValue(answer));
        setStatus(answer);
    });
}

void frmIB::readRange() {
    const int from = fieldNumber(m_txtVon);
    const int to = fieldNumber(m_txtBis);
    m_lstSO->clear();
    if (from > to) {
        setStatus(Text::vonBis);
        return;
    }
    operation([&] {
        for (int n = from; n <= to; ++n) {
            QString answer;
            if (!query(P50x::XSO(n), 10, answer))
                return;  // a silent station or the closing window ends the list
            m_lblSO[2]->setText(QString::number(n));
            m_lstSO->addItem(IbSettings::soListLine(n, answer));
            setStatus(answer);
        }
    });
}

void frmIB::btnMotorola_Clicked() {
    operation([&] {
        m_chk663->setChecked(false);
        m_chkLokdatenformat->setChecked(false);
        QString first;
        if (!query(P50x::XSO(663), 0, first))
            return;
        m_lblSO[1]->setText(IbSettings::leadingValue(first));
        setStatus(first);
        m_chk663->setChecked(IbSettings::option663Set(first));
        m_link.Warten(1000);
        QString second;
        if (!query(P50x::XLC(80), 0, second))
            return;
        // Both answers, ten blanks apart, are the one answer text the value and the format
        // are taken from: the value from its start, "Mot old" from anywhere in it.
        const QString both = first + Text::tenBlanks + second;
        m_lblSO[1]->setText(IbSettings::leadingValue(both));
        setStatus(both);
        m_chkLokdatenformat->setChecked(IbSettings::motorolaOldFormat(both));
    });
}

void frmIB::btnPower_Clicked(int index) {
    if (index == 0 || index == 1) {
        // No exchange guard: track power must be cut at once, also while another query waits.
        m_link.writeAtOnce(DriveCommands::powerByte(index == 1));
        return;
    }
    if (index != 2 && index != 3)
        return;
    operation([&] {
        QString answer;
        if (!query(index == 2 ? P50x::XStop() : P50x::XGo(), 0, answer))
            return;
        m_lblSO[1]->setText(IbSettings::leadingValue(answer));
        setStatus(answer);
    });
}

void frmIB::btnVersion_Clicked() {
    operation([&] {
        QString answer;
        if (!query(P50x::XV(), 100, answer))
            return;
        setStatus(answer);
        const auto fields = IbSettings::versionFields(answer);
        for (size_t i = 0; i < fields.size(); ++i)
            m_lblVersion[i]->setText(fields[i]);
    });
}

void frmIB::mnuPopUp_Datei_Click() {
    QStringList lines;
    for (int i = 0; i < m_lstSO->count(); ++i)
        lines.append(m_lstSO->item(i)->text());
    try {
        writeTextLines(QDir(m_ctx.dataFolder).filePath(Text::soFile), lines);
    } catch (const Failure& failure) {
        ZentraleFehlerbehandlung(m_ctx, failure);
    }
}
