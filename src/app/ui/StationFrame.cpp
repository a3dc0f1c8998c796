#include "app/ui/StationFrame.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "app/ui/StationWindow.h"
#include "app/ui/Twips.h"
#include "base/core/TextNumbers.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QPointer>
#include <QScrollBar>
#include <algorithm>
#include <limits>
#include <utility>

namespace {
namespace Text {
const QString delayLabel = QStringLiteral("Verzögerung");
const QString delayLabel2 = QStringLiteral("delay");
const QString delayUnit = QStringLiteral("mSec");
const QString delayTip = QStringLiteral(" Verzögerung beim Schreiben einer Kennlinie ");
const std::array<QString, 2> powerCaption{QStringLiteral("Power off"), QStringLiteral("Power on")};
const std::array<QString, 2> powerTip{QStringLiteral(" Zentrale abschalten "), QStringLiteral(" Zentrale einschalten ")};
const QString credit = QStringLiteral("Quillex");
const QString protocolSave = QStringLiteral("Protokoll in Datei &speichern");
const QString protocolPrint = QStringLiteral("Protokoll &drucken");
}  // namespace Text

// The credit line's place in twips; its picture stands right of it, 60 twips higher.
constexpr int creditLabelLeft = 10740;
constexpr int creditPictureLeft = 13230;
constexpr int twipsPerSlideStep = 15;
}  // namespace

StationFrame::StationFrame(AppContext& ctx, StationLink& link, Dialog& dialog, const QString& name,
                           const QString& caption, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_link(link), m_dialog(dialog),
      m_guard(new StationWindowGuard(*this, ctx, link)), m_askHeading(inputBox(this)) {
    setObjectName(name);
    setWindowTitle(caption);
    // After a lost line the step the status showed is not going on; the central error report
    // says what happened.
    m_guard->setLineLost([window = QPointer<StationFrame>(this)] {
        if (window && window->m_statusPanel)
            window->showStatus(QString());
    });
}

StationFrame::~StationFrame() = default;

void StationFrame::placeWindow(const Size& size) {
    const bool narrow = narrowScreen();
    if (narrow)
        resizeWindowTwips(this, size.smallWidth, size.smallHeight);
    else
        resizeWindowTwips(this, size.largeWidth, size.largeHeight);
    scrSize->setVisible(narrow);
    moveTwips(this, m_ctx.PosZentraleLeft, m_ctx.PosZentraleTop);
}

QScrollBar* StationFrame::buildSizeBar(QWidget* parent, int maximum) {
    scrSize = new QScrollBar(Qt::Horizontal, parent);
    scrSize->setObjectName(QStringLiteral("scrSize"));
    scrSize->setRange(0, maximum);
    scrSize->setSingleStep(10);
    scrSize->setPageStep(100);
    scrSize->hide();
    connect(scrSize, &QScrollBar::valueChanged, this, [this](int v) { scrSizeChanged(v); });
    return scrSize;
}

void StationFrame::slideWithSizeBar(QWidget* widget, int left) {
    m_slides.append({widget, left});
}

void StationFrame::scrSizeChanged(int value) {
    for (const auto& [widget, left] : std::as_const(m_slides))
        widget->move(twips(left - twipsPerSlideStep * value), widget->y());
}

void StationFrame::buildCredit(QWidget* central, int top) {
    creditLabel = new QLabel(Text::credit, central);
    creditLabel->setObjectName(QStringLiteral("lblCredit"));
    creditLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setGeometryTwips(creditLabel, creditLabelLeft, top, 2430, 255);
    creditLabel->lower();
    creditPicture = ::creditPicture(central);
    setGeometryTwips(creditPicture, creditPictureLeft, top - 60, 345, 345);
    creditPicture->lower();
    slideWithSizeBar(creditLabel, creditLabelLeft);
    slideWithSizeBar(creditPicture, creditPictureLeft);
}

StationFrame::DelayControls StationFrame::buildDelayField(QWidget* parent) {
    DelayControls c{};
    c.label = new QLabel(Text::delayLabel, parent);
    c.delayLabel = new QLabel(Text::delayLabel2, parent);
    txtDelay = c.field = new QLineEdit(QStringLiteral("0"), parent);
    txtDelay->setObjectName(QStringLiteral("txtDelay"));
    txtDelay->setToolTip(Text::delayTip);
    txtDelay->setAlignment(Qt::AlignRight);
    c.unit = new QLabel(Text::delayUnit, parent);
    connect(txtDelay, &QLineEdit::textChanged, this, [this](const QString& t) { delayChanged(t); });
    return c;
}

void StationFrame::showDelay() {
    if (m_ctx.Delay < 0)
        m_ctx.Delay = 1000;
    txtDelay->setText(QString::number(m_ctx.Delay));
}

void StationFrame::delayChanged(const QString& text) {
    const qint64 ms = roundHalfEven(leadingNumber(text));
    m_ctx.Delay = static_cast<qint32>(
        std::clamp<qint64>(ms, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

void StationFrame::buildPowerButtons(QWidget* parent) {
    for (int i = 0; i < 2; ++i) {
        btnPower[i] = new QPushButton(Text::powerCaption[i], parent);
        btnPower[i]->setObjectName(QStringLiteral("btnPower_%1").arg(i));
        btnPower[i]->setToolTip(Text::powerTip[i]);
        connect(btnPower[i], &QPushButton::clicked, this, [this, i] { powerClicked(i); });
    }
}

QString StationFrame::statusText() const {
    return m_statusPanel->text();
}

void StationFrame::showStatus(const QString& text) {
    m_statusPanel->setText(text);
}

void StationFrame::setBusy(bool busy) {
    if (m_ctx.notifier)
        m_ctx.notifier->setBusy(busy);
}

QMenu* StationFrame::buildProtocolMenu() {
    mnuPopUp = new QMenu(this);
    mnuPopUp->setObjectName(QStringLiteral("mnuPopUp"));
    QAction* save = mnuPopUp->addAction(Text::protocolSave);
    save->setObjectName(QStringLiteral("mnuPopUp_speichern"));
    connect(save, &QAction::triggered, this, [this] { saveProtocol(); });
    return mnuPopUp;
}

QAction* StationFrame::addProtocolPrint(QMenu* menu) {
    QAction* print = menu->addAction(Text::protocolPrint);
    print->setObjectName(QStringLiteral("mnuPopUp_drucken"));
    connect(print, &QAction::triggered, this, [this] { printProtocol(); });
    return print;
}

void StationFrame::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void StationFrame::unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    closingSteps();
    // The window's running exchange ends at its wait.
    m_guard->windowClosing();
    const QPoint position = positionTwips(this);
    m_ctx.PosZentraleLeft = position.x();
    m_ctx.PosZentraleTop = position.y();
    if (m_closeCompanions)
        m_closeCompanions();
    setBusy(false);
}
