#include "speedcurve/ui/frmKennlinie.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "base/core/TextNumbers.h"
#include "app/ui/FileCommands.h"
#include "app/ui/FileDialog.h"
#include "app/ui/InputBox.h"
#include "app/ui/MenuRechtsbuendig.h"
#include "app/ui/Twips.h"
#include "speedcurve/core/PlanGeometry.h"
#include "speedcurve/core/SpeedCurve.h"
#include "speedcurve/core/SpeedCurveFile.h"
#include "speedcurve/core/SpeedTableTransfer.h"
#include "speedcurve/ui/CurvePrintout.h"
#include "speedcurve/ui/KennlinieTexts.h"
#include "speedcurve/ui/PlanArea.h"
#include "speedcurve/ui/ToolIcons.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTimer>
#include <QToolButton>

using namespace KennlinieTexts;
namespace G = PlanGeometry;

namespace {

// Window and control geometry in twips; the drawing area itself works in pixels.
constexpr int windowWidth = 7380;
constexpr int windowHeight = 7650;
constexpr int toolbarHeight = 390;
constexpr int toolButtonSize = 360;
constexpr int planLeft = 120;
constexpr int planTop = 450;
constexpr int rulerTop = 4680;
constexpr int scrollTop = 4905;
constexpr int scrollHeight = 900;
constexpr int scrollWidth = 225;
constexpr int scrollSpacing = 240;
constexpr int labelRowTop[2] = {5835, 6045};
constexpr int labelHeight = 210;
constexpr int statusTop = 6285;
constexpr int statusHeight = 300;

// Where the two handles stand when the editor opens: top-left corners in the drawing area.
constexpr QPoint handleDesign[3] = {{}, {220, 250}, {390, 190}};

constexpr QRgb rulerColour = 0x000000;

QString pictureName(SpeedCurve::Mark mark) {
    return mark == SpeedCurve::Mark::Transferred ? QStringLiteral("imgMarke_gruen") : QStringLiteral("imgMarke_rot");
}

// The steps' bars are short for their range of 256 values: the style's shortest handle
// nearly fills their track. Their handle is as long as the bar is wide, as on a bar whose
// range is far longer than its page, so that its position shows.
class StepBarStyle : public QProxyStyle {
public:
    explicit StepBarStyle(QObject* owner) : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
        setParent(owner);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_ScrollBarSliderMin && widget)
            return widget->width();
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The ruler's blanks and ticks were spaced for another font: stretch or squeeze the
// letters so that its last number stands under the last step.
QFont rulerFont(QFont font) {
    const QString text = rulerText();
    const QFontMetricsF metrics(font);
    const double lastCentre = metrics.horizontalAdvance(text.chopped(2)) + metrics.horizontalAdvance(text.right(2)) / 2;
    font.setLetterSpacing(QFont::AbsoluteSpacing, (G::centreX(SpeedCurve::steps) - lastCentre) / double(text.size() - 1));
    return font;
}

}  // namespace

frmKennlinie::frmKennlinie(AppContext& ctx, Dialog& dialog, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_dialog(dialog) {
    setObjectName(QStringLiteral("frmKennlinie"));
    setWindowTitle(caption());
    m_curve = new SpeedCurve(this);
    m_transfer = std::make_unique<SpeedTableTransfer>(ctx, *m_curve, [this](const QString& text) { setStatus(text); });
    m_askHeading = inputBox(this);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmKennlinieClient"));
    setCentralWidget(central);
    buildToolbar(central);
    buildPlan(central);
    buildSteps(central);
    buildMenus();
    formLoad();
}

frmKennlinie::~frmKennlinie() {
    formUnload();
}

void frmKennlinie::buildMenus() {
    QMenuBar* bar = menuBar();
    auto add = [](QMenu* menu, const MenuItem& item) {
        if (item.separatorBefore)
            menu->addSeparator();
        QAction* a = menu->addAction(text8(item.caption));
        a->setObjectName(QString::fromLatin1(item.name));
        return a;
    };
    auto addMenu = [bar](const MenuItem& item) {
        QMenu* menu = bar->addMenu(text8(item.caption));
        menu->setObjectName(QString::fromLatin1(item.name));
        return menu;
    };
    auto addBarItem = [bar](const MenuItem& item) {
        QAction* a = bar->addAction(text8(item.caption));
        a->setObjectName(QString::fromLatin1(item.name));
        return a;
    };

    QMenu* datei = addMenu(mnuDatei);
    QAction* speichern = add(datei, mnuDatei_speichern);
    QAction* laden = add(datei, mnuDatei_laden);
    QAction* drucken = add(datei, mnuDatei_drucken);
    QAction* dateiSchliessen = add(datei, mnuDatei_schliessen);
    QMenu* kennlinie = addMenu(mnuKennlinie);
    QAction* linear = add(kennlinie, mnuKennlinie_Linear);
    QAction* exponential = add(kennlinie, mnuKennlinie_Exponential);
    m_writeActions.append(add(kennlinie, mnuKennlinie_Schreiben));
    m_readActions.append(add(kennlinie, mnuKennlinie_Lesen));
    QAction* hilfe = addBarItem(mnuHilfe);
    QAction* schliessen = addBarItem(mnuSchliessen);

    // The pop-up menu of the drawing area never shows in the bar.
    mnuPopUp = new QMenu(this);
    mnuPopUp->setObjectName(QStringLiteral("mnuPopUp"));
    QAction* popLinear = add(mnuPopUp, mnuPopUp_Linear);
    QAction* popExponential = add(mnuPopUp, mnuPopUp_exponentiell);
    QAction* anheben = add(mnuPopUp, mnuPopUp_anheben);
    QAction* absenken = add(mnuPopUp, mnuPopUp_absenken);
    QAction* lineal = add(mnuPopUp, mnuPopUp_Lineal);
    QAction* popSpeichern = add(mnuPopUp, mnuPopUp_speichern);
    QAction* popLaden = add(mnuPopUp, mnuPopUp_laden);
    QAction* popDrucken = add(mnuPopUp, mnuPopUp_drucken);
    m_writeActions.append(add(mnuPopUp, mnuPopUp_schreiben));
    m_readActions.append(add(mnuPopUp, mnuPopUp_einlesen));

    auto on = [this](QAction* action, void (frmKennlinie::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    for (QAction* a : {speichern, popSpeichern})
        on(a, &frmKennlinie::saveCurve);
    for (QAction* a : {laden, popLaden})
        on(a, &frmKennlinie::loadCurve);
    for (QAction* a : {drucken, popDrucken})
        on(a, &frmKennlinie::printCurve);
    for (QAction* a : {linear, popLinear})
        on(a, &frmKennlinie::makeLinear);
    for (QAction* a : {exponential, popExponential})
        on(a, &frmKennlinie::makeExponential);
    on(anheben, &frmKennlinie::raiseCurve);
    on(absenken, &frmKennlinie::lowerCurve);
    on(lineal, &frmKennlinie::hideRuler);
    on(hilfe, &frmKennlinie::showHelp);
    for (QAction* a : {dateiSchliessen, schliessen})
        connect(a, &QAction::triggered, this, &QWidget::close);
    for (QAction* a : m_writeActions)
        on(a, &frmKennlinie::writeRun);
    for (QAction* a : m_readActions)
        on(a, &frmKennlinie::readRun);
}

void frmKennlinie::buildToolbar(QWidget* central) {
    auto* pnlToolbar = new QFrame(central);
    pnlToolbar->setObjectName(QStringLiteral("pnlToolbar"));
    pnlToolbar->setFrameShape(QFrame::StyledPanel);
    pnlToolbar->setFrameShadow(QFrame::Raised);
    setGeometryTwips(pnlToolbar, 0, 0, windowWidth - 120, toolbarHeight);

    using ToolIcons::Tool;
    struct Place {
        const Button& button;
        Tool tool;
        int left;
    };
    // Files, printout, transfer, shaping: each group a little apart from the next.
    const Place places[] = {
        {btnLaden, Tool::Laden, 15},          {btnSpeichern, Tool::Speichern, 375}, {btnDrucken, Tool::Drucken, 825},
        {KennlinieTexts::btnSchreiben, Tool::Schreiben, 1275},
        {KennlinieTexts::btnLesen, Tool::Lesen, 1635},       {KennlinieTexts::btnAbbruch, Tool::Abbruch, 1995},
        {btnLinear, Tool::Linear, 2445},       {btnExp1, Tool::Exponential, 2805},   {btn_heben, Tool::Heben, 3165},
        {btn_senken, Tool::Senken, 3525},
    };
    QHash<QString, QToolButton*> buttons;
    for (const Place& p : places) {
        auto* b = new QToolButton(pnlToolbar);
        b->setObjectName(QString::fromLatin1(p.button.name));
        b->setToolTip(text8(p.button.tip));
        b->setIcon(ToolIcons::icon(p.tool));
        b->setIconSize(QSize(20, 20));
        b->setAutoRaise(true);
        setGeometryTwips(b, p.left, 15, toolButtonSize, toolButtonSize);
        buttons.insert(b->objectName(), b);
    }
    auto on = [this, &buttons](const Button& button, void (frmKennlinie::*handler)()) {
        connect(buttons.value(QString::fromLatin1(button.name)), &QToolButton::clicked, this,
                [this, handler] { (this->*handler)(); });
    };
    on(btnLaden, &frmKennlinie::loadCurve);
    on(btnSpeichern, &frmKennlinie::saveCurve);
    on(btnDrucken, &frmKennlinie::printCurve);
    on(btnLinear, &frmKennlinie::makeLinear);
    on(btnExp1, &frmKennlinie::makeExponential);
    on(btn_heben, &frmKennlinie::raiseCurve);
    on(btn_senken, &frmKennlinie::lowerCurve);

    btnSchreiben = buttons.value(QString::fromLatin1(KennlinieTexts::btnSchreiben.name));
    btnLesen = buttons.value(QString::fromLatin1(KennlinieTexts::btnLesen.name));
    btnAbbruch = buttons.value(QString::fromLatin1(KennlinieTexts::btnAbbruch.name));
    connect(btnSchreiben, &QToolButton::clicked, this, [this] { writeRun(); });
    connect(btnLesen, &QToolButton::clicked, this, [this] { readRun(); });
    connect(btnAbbruch, &QToolButton::clicked, this, [this] { abortRun(); });

    pnlDateiname = new QLabel(pnlToolbar);
    pnlDateiname->setObjectName(QStringLiteral("pnlDateiname"));
    pnlDateiname->setFrameShape(QFrame::Panel);
    pnlDateiname->setFrameShadow(QFrame::Sunken);
    setGeometryTwips(pnlDateiname, 3975, 15, windowWidth - 120 - 3975 - 30, toolButtonSize);
}

void frmKennlinie::buildPlan(QWidget* central) {
    picPlan = new PlanArea(m_drawing, central);
    picPlan->setObjectName(QStringLiteral("picPlan"));
    picPlan->setGeometry(twips(planLeft), twips(planTop), G::width, G::height);
    picPlan->installEventFilter(this);

    for (int k = 0; k < int(hLine.size()); ++k) {
        auto* line = new GridLine(picPlan);
        line->setObjectName(QStringLiteral("hLine_%1").arg(k * G::hLineSpacing));
        line->setGeometry(G::gridLeft, G::hLineY(k * G::hLineSpacing), G::gridRight - G::gridLeft + 1, 1);
        hLine[std::size_t(k)] = line;
    }
    for (int step = 1; step <= SpeedCurve::steps; ++step) {
        auto* line = new GridLine(picPlan);
        line->setObjectName(QStringLiteral("vLine_%1").arg(step));
        line->setGeometry(G::centreX(step), G::gridTop, 1, G::gridBottom - G::gridTop + 1);
        vLine[std::size_t(step)] = line;
    }

    // The two marker pictures a step's marker copies.
    imgMarke_rot = new QLabel(central);
    imgMarke_rot->setObjectName(QStringLiteral("imgMarke_rot"));
    imgMarke_rot->setPixmap(ToolIcons::markerRed());
    imgMarke_rot->hide();
    imgMarke_gruen = new QLabel(central);
    imgMarke_gruen->setObjectName(QStringLiteral("imgMarke_gruen"));
    imgMarke_gruen->setPixmap(ToolIcons::markerGreen());
    imgMarke_gruen->hide();

    for (int step = 1; step <= SpeedCurve::steps; ++step) {
        auto* marke = new QLabel(picPlan);
        marke->setObjectName(QStringLiteral("Marke_%1").arg(step));
        marke->resize(G::markerSize, G::markerSize);
        marke->installEventFilter(this);
        Marke[std::size_t(step)] = marke;
    }
    for (int k = 1; k <= 2; ++k) {
        auto* handle = new QLabel(picPlan);
        handle->setObjectName(QStringLiteral("Anfasser_%1").arg(k));
        handle->setToolTip(handleTip(k));
        handle->setPixmap(ToolIcons::handle());
        handle->setGeometry(QRect(handleDesign[k], QSize(G::markerSize, G::markerSize)));
        handle->installEventFilter(this);
        handle->hide();
        Anfasser[std::size_t(k)] = handle;
    }

    lblCV = new QLabel(rulerText(), central);
    lblCV->setObjectName(QStringLiteral("lblCV"));
    lblCV->setFont(rulerFont(lblCV->font()));
    lblCV->setGeometry(twips(planLeft), twips(rulerTop), G::width, twips(labelHeight));
}

void frmKennlinie::buildSteps(QWidget* central) {
    // Each step's bar and label stand under its marker: the bars 240 twips apart, the
    // labels in two staggered rows, 32 pixels apart within a row.
    const int firstCentre = twips(planLeft) + G::centreX(1);
    auto* barStyle = new StepBarStyle(this);
    for (int step = 1; step <= SpeedCurve::steps; ++step) {
        auto* bar = new QScrollBar(Qt::Vertical, central);
        bar->setObjectName(QStringLiteral("Scroll_%1").arg(step));
        bar->setStyle(barStyle);
        bar->setRange(0, SpeedCurve::maxValue);
        bar->setSingleStep(1);
        bar->setPageStep(10);
        const int left = pixelsToTwips(firstCentre) - scrollWidth / 2 + (step - 1) * scrollSpacing;
        setGeometryTwips(bar, left, scrollTop, scrollWidth, scrollHeight);
        connect(bar, &QScrollBar::valueChanged, this, [this, step](int v) { m_curve->setScrollValue(step, v); });
        Scroll[std::size_t(step)] = bar;

        auto* label = new QLabel(central);
        label->setObjectName(QStringLiteral("FS_%1").arg(step));
        label->setToolTip(stepTip(SpeedCurve::cvOf(step)));
        label->setAlignment(Qt::AlignCenter);
        const int labelWidth = 2 * G::stepWidth;
        label->setGeometry(firstCentre + (step - 1) * G::stepWidth - labelWidth / 2,
                           twips(labelRowTop[(step - 1) % 2]), labelWidth, twips(labelHeight));
        label->installEventFilter(this);
        FS[std::size_t(step)] = label;
    }

    stbStatus = new QLabel(central);
    stbStatus->setObjectName(QStringLiteral("stbStatus"));
    stbStatus->setFrameShape(QFrame::Panel);
    stbStatus->setFrameShadow(QFrame::Sunken);
    setGeometryTwips(stbStatus, 30, statusTop, windowWidth - 120 - 60, statusHeight);

    connect(m_curve, &SpeedCurve::stepChanged, this, &frmKennlinie::showStep);
}

void frmKennlinie::formLoad() {
    // The sizes include the window's frame and title bar.
    resizeWindowTwips(this, windowWidth, windowHeight);
    moveTwips(this, m_ctx.PosKennlinieLeft, m_ctx.PosKennlinieTop);
    MenuRechtsbuendig(this, 3);
    m_kennlinienTyp.clear();
    m_ctx.HelpPage = helpPage();
    // The transfer controls wait for a programming window (setHost).
    setHost(nullptr);
    // The values stay as designed until edited, loaded or read.
    for (int step = 1; step <= SpeedCurve::steps; ++step)
        showStep(step);
}

void frmKennlinie::closeEvent(QCloseEvent* event) {
    formUnload();
    event->accept();
}

void frmKennlinie::formUnload() {
    if (m_closed)
        return;
    m_closed = true;
    const QPoint position = positionTwips(this);
    m_ctx.PosKennlinieLeft = position.x();
    m_ctx.PosKennlinieTop = position.y();
    // A running transfer stops after its step; otherwise the programming track is left.
    m_ctx.Abbruch = true;
    m_transfer->editorClosing(m_host);
}

bool frmKennlinie::event(QEvent* event) {
    // The transfer's steps run in this window's code while the station is awaited: the
    // window goes only when they have ended.
    if (event->type() == QEvent::DeferredDelete && m_transfer->running()) {
        QTimer::singleShot(0, this, &QObject::deleteLater);
        return true;
    }
    return QMainWindow::event(event);
}

void frmKennlinie::setHost(SpeedCurveHost* host) {
    m_host = host;
    const bool usable = host != nullptr;
    btnSchreiben->setEnabled(usable);
    btnLesen->setEnabled(usable);
    btnAbbruch->setEnabled(usable);
    for (QAction* action : m_writeActions + m_readActions)
        action->setEnabled(usable);
}

void frmKennlinie::writeRun() {
    if (m_host && !m_closed)
        m_transfer->write(*m_host);
}

void frmKennlinie::readRun() {
    if (m_host && !m_closed)
        m_transfer->read(*m_host);
}

void frmKennlinie::abortRun() {
    m_transfer->abort();
}

bool frmKennlinie::transferRunning() const {
    return m_transfer->running();
}

void frmKennlinie::setStatus(const QString& text) {
    stbStatus->setText(text);
}

QString frmKennlinie::status() const {
    return stbStatus->text();
}

void frmKennlinie::showStep(int step) {
    const std::size_t i = std::size_t(step);
    const int scroll = m_curve->scrollValue(step);
    Scroll[i]->setValue(scroll);
    Marke[i]->move(G::markerLeft(step), G::markerTop(scroll));
    const QString picture = pictureName(m_curve->mark(step));
    if (Marke[i]->property("picture").toString() != picture) {
        Marke[i]->setProperty("picture", picture);
        Marke[i]->setPixmap((picture == imgMarke_rot->objectName() ? imgMarke_rot : imgMarke_gruen)->pixmap());
    }
    FS[i]->setText(QString::number(m_curve->value(step)));
}

void frmKennlinie::subBezier() {
    const int w = Marke[1]->width() / 2;
    const int h = Marke[1]->height() / 2;
    auto centre = [w, h](const QWidget* widget) { return QPoint(widget->x() + w, widget->y() + h); };
    m_drawing.draw({centre(Marke[1]), centre(Anfasser[1]), centre(Anfasser[2]), centre(Marke[SpeedCurve::steps])});
    picPlan->update();
}

void frmKennlinie::sampleDrawing() {
    m_drawing.sampleInto(*m_curve);
    picPlan->update();
}

void frmKennlinie::clearDrawing() {
    m_drawing.clear();
    picPlan->update();
}

void frmKennlinie::makeLinear() {
    m_kennlinienTyp = QStringLiteral("lin");
    clearDrawing();
    Anfasser[1]->hide();
    Anfasser[2]->hide();
    m_curve->makeLinear();
}

void frmKennlinie::makeExponential() {
    m_kennlinienTyp = QStringLiteral("exp");
    Anfasser[1]->show();
    Anfasser[2]->show();
}

void frmKennlinie::raiseCurve() {
    m_curve->raise();
}

void frmKennlinie::lowerCurve() {
    m_curve->lower();
}

void frmKennlinie::markRuler(int step) {
    hideRuler();
    vLine[std::size_t(step)]->setColour(rulerColour);
}

void frmKennlinie::hideRuler() {
    for (int step = 1; step <= SpeedCurve::steps; ++step)
        vLine[std::size_t(step)]->setColour(GridLine::gridColour);
}

void frmKennlinie::showHelp() {
    m_ctx.ui().showHelp(m_ctx.HelpFile, m_ctx.HelpPage);
}

void frmKennlinie::saveCurve() {
    FileCommands::saveLines(m_ctx, m_dialog, Dialog::OverwritePrompt, SpeedCurveFile::lines(m_curve->values()),
                            SpeedCurveFile::savedText, SpeedCurveFile::savedTitle,
                            [this](const QString& path) { pnlDateiname->setText(QStringLiteral(" ") + path); });
}

void frmKennlinie::loadCurve() {
    using Outcome = SpeedCurveFile::Loaded::Outcome;
    FileCommands::reportFailures(m_ctx, [&] {
        const QString path = FileCommands::chooseTextFile(m_dialog, false, Dialog::OverwritePrompt);
        if (path.isEmpty())
            return;
        const SpeedCurveFile::Loaded loaded = SpeedCurveFile::load(path);
        switch (loaded.outcome) {
        case Outcome::WrongLineCount:
            m_ctx.ui().message(SpeedCurveFile::wrongLineCountText(loaded.lines), Notifier::Icon::Critical,
                               Notifier::OkOnly, SpeedCurveFile::invalidFileTitle);
            return;
        case Outcome::BadValue:
            m_ctx.ui().message(SpeedCurveFile::badValueText(loaded.badLine), Notifier::Icon::Critical,
                               Notifier::OkOnly, SpeedCurveFile::invalidFileTitle);
            return;
        case Outcome::Missing:
            m_ctx.ui().message(SpeedCurveFile::missingText, Notifier::Icon::Warning, Notifier::OkOnly,
                               SpeedCurveFile::missingTitle);
            break;
        case Outcome::Ok:
            m_curve->setValues(loaded.values);
            break;
        }
        pnlDateiname->setText(QStringLiteral(" ") + path);
    });
}

void frmKennlinie::printCurve() {
    CurvePrintout::print(m_ctx, m_curve->values(), m_askHeading, this);
}

bool frmKennlinie::eventFilter(QObject* watched, QEvent* event) {
    for (int step = 1; step <= SpeedCurve::steps; ++step) {
        if (watched == Marke[std::size_t(step)])
            return markerEvent(step, event);
        if (watched == FS[std::size_t(step)]) {
            if (event->type() == QEvent::MouseButtonRelease) {
                auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() == Qt::LeftButton && FS[std::size_t(step)]->rect().contains(mouse->position().toPoint()))
                    markRuler(step);
            }
            return false;
        }
    }
    for (int k = 1; k <= 2; ++k)
        if (watched == Anfasser[std::size_t(k)])
            return handleEvent(k, event);
    if (watched == picPlan && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            mnuPopUp->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool frmKennlinie::markerEvent(int step, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            m_markeZiehen = true;
            m_markeIndex = step;
            m_greifY = roundHalfEven(mouse->position().y() * G::twipsPerPixel);
        }
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_markeZiehen || step != m_markeIndex)
            return true;
        const double yTwips = static_cast<QMouseEvent*>(event)->position().y() * G::twipsPerPixel;
        m_curve->setScrollValue(step, SpeedCurve::dragScrollValue(m_curve->scrollValue(step), yTwips, double(m_greifY)));
        if (m_kennlinienTyp == QStringLiteral("exp"))
            subBezier();
        return true;
    }
    case QEvent::MouseButtonRelease:
        // Whatever the shaping, a drop takes the steps from the drawing, if one is shown.
        sampleDrawing();
        m_markeZiehen = false;
        return true;
    default:
        return false;
    }
}

bool frmKennlinie::handleEvent(int k, QEvent* event) {
    QLabel* handle = Anfasser[std::size_t(k)];
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_draggedHandle = k;
        return true;
    case QEvent::MouseMove: {
        if (m_draggedHandle != k)
            return true;
        const QPoint pointer = handle->mapTo(picPlan, static_cast<QMouseEvent*>(event)->position().toPoint());
        if (!picPlan->rect().contains(pointer))
            return true;
        // The handle's corner follows the pointer up to the limits; there is none above.
        handle->move(std::min(pointer.x(), G::handleMaxLeft), std::min(pointer.y(), G::handleMaxTop));
        subBezier();
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_draggedHandle == k) {
            m_draggedHandle = 0;
            m_markeZiehen = false;
            sampleDrawing();
        }
        return true;
    default:
        return false;
    }
}
