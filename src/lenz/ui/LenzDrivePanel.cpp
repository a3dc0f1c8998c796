#include "lenz/ui/LenzDrivePanel.h"

#include "app/core/AppContext.h"
#include "base/core/TextNumbers.h"
#include "app/ui/RisingScrollBar.h"
#include "app/ui/StationWindow.h"
#include "link/core/StationLink.h"
#include "programming/ui/ProgrammingLooks.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

namespace {
namespace Text {
const char* const tipVorwaerts = " vorwärts ";
const char* const tipRueckwaerts = " rückwärts ";
const QString licht = QStringLiteral("F0 (Licht)");
const QString tipLicht = QStringLiteral(" Funktion ");
}  // namespace Text

// What each position of the step-mode selector sets.
struct StepMode {
    const char* label;
    int startMaximum;  // the largest raw speed value of the start step
    qint16 stepCount;
    XpressNet::SpeedSteps steps;
    int tickSpacing;
};
constexpr std::array<StepMode, 4> stepModes{{
    {"14", 15, 14, XpressNet::SpeedSteps::Steps14, 1},
    {"27", 27, 27, XpressNet::SpeedSteps::Steps27, 1},
    {"28", 28, 28, XpressNet::SpeedSteps::Steps28, 1},
    {"128", 127, 127, XpressNet::SpeedSteps::Steps128, 8},
}};
const StepMode* stepModeAt(int position) {
    return position >= 1 && position <= int(stepModes.size()) ? &stepModes[size_t(position - 1)] : nullptr;
}

// The number in the address field when it is a locomotive address.
std::optional<int> addressIn(const QLineEdit* field) {
    const std::optional<qint64> a = toWholeNumber(field->text(), 1, 9999);
    return a ? std::optional<int>(int(*a)) : std::nullopt;
}

void colour(QLineEdit* field, const QColor& background, const QColor& text) {
    QPalette p = field->palette();
    p.setColor(QPalette::Base, background);
    p.setColor(QPalette::Text, text);
    field->setPalette(p);
}
}  // namespace

LenzDrivePanel::LenzDrivePanel(const PanelHost& host, std::function<bool()> usbHeader, QWidget* parent)
    : QGroupBox(DriveDesk::heading, parent), m_host(host), m_usbHeader(std::move(usbHeader)), m_desk(this, 9999) {
    setObjectName(QStringLiteral("pnlFahrpult"));

    // Position 0 of the slider is its top end, the fastest step; the keys follow the look.
    m_desk.sldFahrstufen->setInvertedAppearance(true);
    m_desk.sldFahrstufen->setInvertedControls(true);
    // The start step shows the raw value of its scroll bar ("N" for the emergency stop), and
    // the start button sends that value: a typed step would be shown but never sent.
    m_desk.txtFahrstufe->setReadOnly(true);
    // Uncoloured here, the step label need not grow with the desk.
    m_desk.lblFahrstufe->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto* directions = new QButtonGroup(this);
    directions->setExclusive(true);
    const std::array<const char*, 2> tips{Text::tipVorwaerts, Text::tipRueckwaerts};
    for (int i = 0; i < 2; ++i) {
        m_rbnFR[i] = ProgrammingLooks::ribbon(this, QStringLiteral("rbnFR_%1").arg(i), QString(), tips[i]);
        m_rbnFR[i]->setArrowType(i == 0 ? Qt::RightArrow : Qt::LeftArrow);
        directions->addButton(m_rbnFR[i], i);
    }
    m_rbnFR[0]->setChecked(true);

    for (int i = 0; i <= 12; ++i) {
        auto* box = new QCheckBox(i == 0 ? Text::licht : QStringLiteral("F%1").arg(i), this);
        box->setObjectName(QStringLiteral("chkFunctions_%1").arg(i));
        box->setToolTip(i == 0 ? Text::tipLicht : QStringLiteral(" Funktion %1 ").arg(i));
        m_chkFunctions[size_t(i)] = box;
        connect(box, &QCheckBox::toggled, this, [this, i] { chkFunctions_Click(i); });
    }

    auto* grid = new QGridLayout(this);
    m_desk.placeIn(grid);
    auto* directionRow = new QHBoxLayout;
    directionRow->addWidget(m_rbnFR[1]);
    directionRow->addWidget(m_rbnFR[0]);
    grid->addLayout(directionRow, 6, 1);
    grid->addWidget(m_chkFunctions[0], 7, 1);
    // One column per function group.
    auto* functions = new QGridLayout;
    for (int i = 1; i <= 12; ++i)
        functions->addWidget(m_chkFunctions[size_t(i)], (i - 1) % 4, (i - 1) / 4);
    grid->addLayout(functions, 8, 0, 1, 2);

    // The desk opens with 14 steps and the slider at its stop end; `Fahrstufen` stays unread.
    applyStepMode(m_desk.scrFahrstufen->value());
    scrFahrstufe_Change(m_desk.scrFahrstufe->risingValue());

    connect(m_desk.scrFahrstufen, &QScrollBar::valueChanged, this, &LenzDrivePanel::scrFahrstufen_Change);
    connect(m_desk.scrFahrstufe, &RisingScrollBar::risingValueChanged, this, &LenzDrivePanel::scrFahrstufe_Change);
    connect(m_desk.sldFahrstufen, &QSlider::valueChanged, this, &LenzDrivePanel::sldFahrstufen_ValueChanged);
    connect(m_desk.btnAnfahren, &QPushButton::clicked, this, &LenzDrivePanel::btnAnfahren_Clicked);
    connect(m_desk.btnStop, &QPushButton::clicked, this, &LenzDrivePanel::btnStop_Clicked);
}

std::optional<XpressNet::LocoAddress> LenzDrivePanel::ermittleLokadresse() const {
    const std::optional<int> address = addressIn(m_desk.txtAdresse);
    return address ? XpressNet::locoAddress(*address) : std::nullopt;
}

void LenzDrivePanel::btnPower_Clicked(int index) {
    const QByteArray message = index == 0 ? XpressNet::trackPowerOff() : XpressNet::trackPowerOn();
    DriveDesk::switchPowerAtOnce(m_host, XpressNet::frame(message, m_usbHeader && m_usbHeader()));
}

void LenzDrivePanel::scrFahrstufen_Change(int position) {
    if (applyStepMode(position))
        m_host.ctx.Fahrstufen = QString::number(position);
}

bool LenzDrivePanel::applyStepMode(int position) {
    const StepMode* mode = stepModeAt(position);
    if (!mode)
        return false;
    QSlider* slider = m_desk.sldFahrstufen;
    slider->setTickInterval(mode->tickSpacing);
    m_desk.lblFahrstufen->setText(QString::fromLatin1(mode->label));
    m_desk.scrFahrstufe->setRisingMaximum(mode->startMaximum);
    m_stepCount = mode->stepCount;
    m_speedSteps = mode->steps;
    {
        // The slider goes to its stop end; that sends nothing.
        const QSignalBlocker block(slider);
        const int stopEnd = m_desk.lblFahrstufen->text().toInt();
        slider->setRange(0, stopEnd);
        slider->setValue(stopEnd);
    }
    m_desk.lblFahrstufe->setText(QStringLiteral("0"));
    return true;
}

bool LenzDrivePanel::forward() const { return m_rbnFR[0]->isChecked(); }

void LenzDrivePanel::scrFahrstufe_Change(int value) {
    QLineEdit* field = m_desk.txtFahrstufe;
    colour(field, Qt::white, Qt::black);
    if (value == 0) {
        field->setText(QStringLiteral("0"));
    } else if (value == 1) {
        field->setText(QStringLiteral("N"));
        colour(field, Qt::red, Qt::white);
    } else {
        field->setText(QString::number(value - 1));
    }
}

void LenzDrivePanel::sldFahrstufen_ValueChanged(int position) {
    const std::optional<int> address = addressOrRefuse();
    if (!address)
        return;
    int speed = qMax(m_stepCount - position, 0);
    QString shown = QStringLiteral("0");
    if (speed != 0) {
        // Speed value 1 is the emergency stop: the slider skips it.
        ++speed;
        shown = QString::number(speed - 1);
    }
    speed = qMin(speed, 127);
    send(XpressNet::speedAndDirection(*address, m_speedSteps, speed, forward()), [&] {
        m_desk.lblFahrstufe->setText(shown);
        m_currentSpeed = qint16(speed);
    });
}

void LenzDrivePanel::btnAnfahren_Clicked() {
    if (const std::optional<int> address = addressOrRefuse())
        send(XpressNet::speedAndDirection(*address, m_speedSteps, m_desk.scrFahrstufe->risingValue(), forward()));
}

void LenzDrivePanel::btnStop_Clicked() {
    if (const std::optional<int> address = addressOrRefuse())
        send(XpressNet::stopLocomotive(*address));
}

void LenzDrivePanel::chkFunctions_Click(int index) {
    const std::optional<int> address = addressOrRefuse();
    if (!address)
        return;
    quint16 functions = 0;
    for (size_t i = 0; i < m_chkFunctions.size(); ++i)
        if (m_chkFunctions[i]->isChecked())
            functions |= quint16(1u << i);
    send(XpressNet::functionGroup(*address, XpressNet::functionGroupOf(index), functions));
}

std::optional<int> LenzDrivePanel::addressOrRefuse() {
    const std::optional<int> address = addressIn(m_desk.txtAdresse);
    if (!address)
        DriveDesk::refuseAddress(m_host);
    return address;
}

void LenzDrivePanel::send(const std::optional<QByteArray>& message, const std::function<void()>& sent) {
    if (!message)
        return;
    const bool usb = m_usbHeader && m_usbHeader();
    m_host.guard.run([&] {
        if (m_host.guard.link().SendenXpressNet(*message, usb) && sent)
            sent();
    });
}
