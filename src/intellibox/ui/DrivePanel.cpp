#include "intellibox/ui/DrivePanel.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "app/ui/FieldBarCoupling.h"
#include "app/ui/RisingScrollBar.h"
#include "app/ui/StationWindow.h"
#include "intellibox/core/DriveCommands.h"
#include "link/core/P50xCommands.h"
#include "intellibox/core/ZentraleStations.h"
#include "link/core/StationLink.h"
#include "programming/ui/DriveDesk.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
namespace Text {
const QString tipRueckwaerts = QStringLiteral(" rückwärts ");
const QString tipVorwaerts = QStringLiteral("  vorwärts ");
const QString wechsel = QStringLiteral("<<<   >>>");
const QString tipWechsel = QStringLiteral(" Fahrtrichtung wechseln ");
const QString funktion = QStringLiteral("Funktion");
const QString tipFunktion = QStringLiteral(" Funktion ");
const QString tooHigh = QStringLiteral("Der eingegebene Wert liegt über der max. möglichen Fahrstufe !     ");
const QString tooHighTitle = QStringLiteral(" Lokomotive anfahren ...");
}  // namespace Text

bool is6021(const AppContext& ctx) {
    const StationRules* r = ZentraleStations::named(ctx.CuName);
    return r && r->station == ZentraleStations::Station::Cu6021;
}
bool isP50X(const AppContext& ctx) {
    const StationRules* r = ZentraleStations::named(ctx.CuName);
    return r && r->p50x;
}
}  // namespace

DrivePanel::DrivePanel(const PanelHost& host, QWidget* parent)
    // The 6021's address is held to 1..255 by its bar; the others' is not.
    : QGroupBox(DriveDesk::heading, parent), m_host(host), m_desk(this, 255, [this] { return is6021(m_host.ctx); }) {
    setObjectName(QStringLiteral("pnlFahrpult"));

    // The station choice sets the length for each station (applyStation).
    m_desk.txtAdresse->setMaxLength(4);
    m_desk.txtFahrstufe->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), m_desk.txtFahrstufe));
    // A start step above the mode's largest step becomes that step.
    FieldBarRules stepRules;
    stepRules.echo = false;
    stepRules.holdTop = true;
    new FieldBarCoupling(m_desk.txtFahrstufe, m_desk.scrFahrstufe, std::move(stepRules));

    auto* back = new QToolButton(this);
    back->setArrowType(Qt::LeftArrow);
    back->setToolTip(Text::tipRueckwaerts);
    auto* forward = new QToolButton(this);
    forward->setArrowType(Qt::RightArrow);
    forward->setToolTip(Text::tipVorwaerts);
    auto* reverse = new QPushButton(Text::wechsel, this);
    reverse->setToolTip(Text::tipWechsel);
    m_btnRichtung = {back, forward, reverse};
    for (int i = 0; i < 3; ++i) {
        m_btnRichtung[i]->setObjectName(QStringLiteral("btnFahrtrichtungswechsel_%1").arg(i));
        connect(m_btnRichtung[i], &QAbstractButton::clicked, this, [this, i] { btnFahrtrichtungswechsel_Clicked(i); });
    }

    m_chkFunktion = new QCheckBox(Text::funktion, this);
    m_chkFunktion->setObjectName(QStringLiteral("chkFunktion"));
    m_chkFunktion->setToolTip(Text::tipFunktion);
    for (int i = 1; i <= 8; ++i) {
        auto* box = new QCheckBox(QStringLiteral("F%1").arg(i), this);
        box->setObjectName(QStringLiteral("chkFunctions_%1").arg(i));
        box->setToolTip(QStringLiteral(" Funktion %1 ").arg(i));
        m_chkFunctions[i] = box;
        connect(box, &QCheckBox::toggled, this, [this] { chkFunctions_Click(); });
    }

    auto* grid = new QGridLayout(this);
    m_desk.placeIn(grid);
    auto* directionRow = new QHBoxLayout;
    directionRow->addWidget(back);
    directionRow->addWidget(reverse);
    directionRow->addWidget(forward);
    grid->addLayout(directionRow, 6, 1);
    grid->addWidget(m_chkFunktion, 7, 1);
    auto* functions = new QGridLayout;
    for (int i = 1; i <= 8; ++i)
        functions->addWidget(m_chkFunctions[i], (i - 1) % 4, (i - 1) / 4);
    grid->addLayout(functions, 8, 0, 1, 2);

    connect(m_desk.scrFahrstufen, &QScrollBar::valueChanged, this, &DrivePanel::scrFahrstufen_Change);
    connect(m_desk.sldFahrstufen, &QSlider::valueChanged, this, &DrivePanel::sldFahrstufen_ValueChanged);
    connect(m_desk.btnAnfahren, &QPushButton::clicked, this, &DrivePanel::btnAnfahren_Clicked);
    connect(m_desk.btnStop, &QPushButton::clicked, this, &DrivePanel::btnStop_Clicked);
    connect(m_chkFunktion, &QCheckBox::toggled, this, &DrivePanel::chkFunktion_Click);
    connect(m_desk.txtAdresse, &QLineEdit::textChanged, this, &DrivePanel::txtAdresse_Change);
    // A typed start step: Enter starts.
    connect(m_desk.txtFahrstufe, &QLineEdit::textChanged, this, [this] { m_desk.btnAnfahren->setDefault(true); });
    connect(m_desk.txtFahrstufe, &QLineEdit::returnPressed, m_desk.btnAnfahren, &QPushButton::click);

    applyMode(m_desk.scrFahrstufen->value());
}

void DrivePanel::applyStation() {
    const bool p50 = is6021(m_host.ctx);
    // The 6021's speed codes are 0..14 (+16 light): it drives in 14 steps, and the other
    // modes are not offered to it. Holding the range moves the selector to 14 steps.
    m_desk.scrFahrstufen->setRange(DriveCommands::minMode, p50 ? DriveCommands::minMode : DriveCommands::maxMode);
    m_desk.scrFahrstufen->setEnabled(!p50);
    m_desk.txtAdresse->setMaxLength(p50 ? 3 : 4);
    m_btnRichtung[0]->setEnabled(!p50);
    m_btnRichtung[1]->setEnabled(!p50);
}

void DrivePanel::applyDecoderType() {
    const bool dcc = m_host.ctx.DecoderType == QLatin1String("DCC");
    for (int i = 5; i <= 8; ++i)
        m_chkFunctions[i]->setEnabled(dcc);
}

void DrivePanel::clearAddress() { m_desk.txtAdresse->clear(); }

void DrivePanel::loadFahrstufen() {
    bool ok = false;
    const int value = m_host.ctx.Fahrstufen.trimmed().toInt(&ok);
    // A stored value outside the selector's range leaves the selector where it is.
    if (ok && value >= DriveCommands::minMode && value <= DriveCommands::maxMode) {
        if (value == m_desk.scrFahrstufen->value())
            scrFahrstufen_Change(value);
        else
            m_desk.scrFahrstufen->setValue(value);
    }
    moveSliderTo(0);
}

void DrivePanel::setAddress(int address) { m_desk.txtAdresse->setText(QString::number(address)); }

QString DrivePanel::addressText() const { return m_desk.txtAdresse->text(); }

int DrivePanel::mode() const { return m_desk.scrFahrstufen->value(); }

std::array<bool, 4> DrivePanel::functions1to4() const {
    return {m_chkFunctions[1]->isChecked(), m_chkFunctions[2]->isChecked(), m_chkFunctions[3]->isChecked(),
            m_chkFunctions[4]->isChecked()};
}

void DrivePanel::scrFahrstufen_Change(int value) {
    if (applyMode(value))
        m_host.ctx.Fahrstufen = QString::number(value);
}

bool DrivePanel::applyMode(int value) {
    const int steps = DriveCommands::stepsOfMode(value);
    if (steps == 0)
        return false;
    m_desk.sldFahrstufen->setPageStep(value == 4 ? 8 : 1);
    m_desk.lblFahrstufen->setText(QString::number(steps));
    m_desk.scrFahrstufe->setRisingMaximum(steps);
    m_maxStep = static_cast<qint16>(steps);
    {
        const QSignalBlocker block(m_desk.sldFahrstufen);
        m_desk.sldFahrstufen->setRange(0, steps);
        m_desk.sldFahrstufen->setValue(0);
    }
    // The slider now stands at 0: the step must agree, or the light box would drive on.
    m_step = 0;
    m_desk.lblFahrstufe->setText(QStringLiteral("0"));
    updateStepLabel();
    return true;
}

void DrivePanel::moveSliderTo(qint16 step) {
    const QSignalBlocker block(m_desk.sldFahrstufen);
    m_desk.sldFahrstufen->setValue(step);
    m_step = static_cast<qint16>(m_desk.sldFahrstufen->value());
    m_desk.lblFahrstufe->setText(QString::number(m_step));
    updateStepLabel();
}

void DrivePanel::sldFahrstufen_ValueChanged(int value) {
    m_step = static_cast<qint16>(value);
    m_desk.lblFahrstufe->setText(QString::number(m_step));
    updateStepLabel();
    sendDriveState();
}

void DrivePanel::btnAnfahren_Clicked() {
    const int v = m_desk.txtFahrstufe->text().toInt();
    if (v > m_maxStep) {
        m_host.ctx.ui().message(Text::tooHigh, Notifier::Icon::Critical, Notifier::OkOnly, Text::tooHighTitle);
        m_desk.txtFahrstufe->setFocus();
        m_desk.txtFahrstufe->setSelection(0, 3);
        return;
    }
    moveSliderTo(static_cast<qint16>(v));
    sendDriveState();
}

void DrivePanel::btnStop_Clicked() {
    moveSliderTo(0);
    sendDriveState();
}

void DrivePanel::btnFahrtrichtungswechsel_Clicked(int index) {
    const bool light = m_chkFunktion->isChecked();
    const AppContext& ctx = m_host.ctx;
    switch (index) {
    case 0:
    case 1:
        m_direction = static_cast<qint16>(index);
        if (ensureAddress(false))
            writeP50X(P50x::XLDirection(addressText().trimmed(), light ? 1 : 0, m_direction));
        break;
    case 2:
        moveSliderTo(0);
        if (is6021(ctx)) {
            writeP50(DriveCommands::p50ReverseCode(light));
        } else {
            m_direction = m_direction == 1 ? 0 : 1;
            SendenP50X();
        }
        break;
    default:
        break;
    }
}

void DrivePanel::chkFunktion_Click() {
    // A new address unticks the light: the command with the light off goes to that address,
    // and to none while the field holds no address (typing, or a search that found none).
    if (m_addressChanging && !addressUsable(is6021(m_host.ctx)))
        return;
    sendDriveState();
}

void DrivePanel::chkFunctions_Click() {
    if (m_suppressFunctions)
        return;
    const AppContext& ctx = m_host.ctx;
    if (is6021(ctx)) {
        writeP50(DriveCommands::p50FunctionCode(functions1to4()));
    } else if (isP50X(ctx)) {
        std::array<bool, 8> f{};
        for (int i = 1; i <= 8; ++i)
            f[i - 1] = m_chkFunctions[i]->isChecked();
        if (ensureAddress(false))
            writeP50X(P50x::XF(addressText().trimmed(), f));
    }
}

void DrivePanel::txtAdresse_Change() {
    m_suppressFunctions = true;
    m_addressChanging = true;
    m_chkFunktion->setChecked(false);
    m_addressChanging = false;
    for (int i = 1; i <= 8; ++i)
        m_chkFunctions[i]->setChecked(false);
    m_suppressFunctions = false;
}

void DrivePanel::updateStepLabel() {
    const int n = m_desk.lblFahrstufen->text().toInt();
    const int x = m_desk.lblFahrstufe->text().toInt();
    const int a = n * 5 / 10;
    const int b = n * 8 / 10;
    QColor background(0, 255, 0);
    QColor text(Qt::black);
    if (x > b) {
        background = QColor(255, 0, 0);
        text = Qt::white;
    } else if (x > a) {
        background = QColor(255, 255, 0);
    }
    QPalette p = m_desk.lblFahrstufe->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    m_desk.lblFahrstufe->setPalette(p);
}

void DrivePanel::sendDriveState() {
    const AppContext& ctx = m_host.ctx;
    if (is6021(ctx)) {
        if (const auto code = DriveCommands::p50DriveCode(m_step, m_chkFunktion->isChecked()))
            writeP50(*code);
    } else
        SendenP50X();
}

void DrivePanel::SendenP50X() {
    if (!ensureAddress(false))
        return;
    const qint16 speed = DriveCommands::xlSpeed(mode(), m_step);
    writeP50X(P50x::XL(addressText().trimmed(), speed, m_chkFunktion->isChecked(), m_direction,
                                       functions1to4()));
}

bool DrivePanel::addressUsable(bool p50Pair) const {
    const QString text = addressText();
    return p50Pair ? DriveCommands::p50Address(text).has_value() : DriveCommands::p50xAddress(text).has_value();
}

bool DrivePanel::ensureAddress(bool p50Pair) {
    const bool ok = addressUsable(p50Pair);
    if (!ok)
        DriveDesk::refuseAddress(m_host);
    return ok;
}

void DrivePanel::writeP50X(const QString& command) {
    m_host.guard.run([&] { m_host.guard.link().tellP50X(command); });
}

void DrivePanel::writeP50(int code) {
    if (!ensureAddress(true))
        return;
    m_host.guard.run([&] { m_host.guard.link().Senden6021(QString::number(code), addressText().trimmed()); });
}

void DrivePanel::btnPower_Clicked(int index) {
    DriveDesk::switchPowerAtOnce(m_host, DriveCommands::powerByte(index != 0));
}
