#include "mapping/ui/frmESU_CV49.h"

#include "app/ui/MenuRechtsbuendig.h"
#include "app/ui/SmallWindowMenus.h"
#include "mapping/core/MakerTables.h"
#include "mapping/ui/TogglePanel.h"

#include <QHBoxLayout>

using namespace mapping;

namespace {

TogglePanelTexts cv49Texts() {
    TogglePanelTexts t;
    t.name = QStringLiteral("CV49");
    t.caption = QStringLiteral("CV 49 (erweiterte Konfiguration)");
    t.bits = {{
        {QStringLiteral(" Lastregelung aus "), QStringLiteral(" Lastregelung ein  "), {}},
        {QStringLiteral(" Taktfrequenz 15 kHz "), QStringLiteral(" Taktfrequenz 30 kHz "), {}},
        {QStringLiteral(" Märklin Delta Modus aus "), QStringLiteral(" Märklin Delta Modus ein  "), {}},
        {QStringLiteral("  Märklin 2. Adresse aus "), QStringLiteral("  Märklin 2. Adresse ein  "), {}},
        {QStringLiteral(" autom. Fahrstufenerkennung aus "), QStringLiteral(" autom. Fahrstufenerkennung ein  "), {}},
        {QStringLiteral(" LGB Modus aus "), QStringLiteral(" LGB Modus ein  "), {}},
        {QStringLiteral(" Zimo Manual Funktion aus "), QStringLiteral(" Zimo Manual Funktion ein  "), {}},
        {QStringLiteral(" Funktionstastentrigger aus "), QStringLiteral(" Funktionstastentrigger ein  "), {}},
    }};
    return t;
}

TogglePanelTexts cv124Texts() {
    TogglePanelTexts t;
    t.name = QStringLiteral("CV124");
    t.caption = QStringLiteral("CV 124");
    // Bit 6 reads the other way round: 1 switches the motor PWM in analogue operation off.
    t.bits = {{
        {QStringLiteral(" Falschfahrbit Motorola aus "), QStringLiteral(" Falschfahrbit Motorola ein  "), {}},
        {QStringLiteral(" Speicherung des Funktionstastenzustandes aus "),
         QStringLiteral(" Speicherung des Funktionstastenzustandes ein  "), {}},
        {QStringLiteral(" Speicherung der akt. Geschwindigkeit aus "),
         QStringLiteral(" Speicherung der akt. Geschwindigkeit ein  "), {}},
        {QStringLiteral(" Anfahren mit Beschleunigungszeit aus "), QStringLiteral("  Anfahren mit Beschleunigungszeit ein  "),
         {}},
        {QStringLiteral(" --- "), QStringLiteral(" ---  "), {}},
        {QStringLiteral(" ---"), QStringLiteral(" ---  "), {}},
        {QStringLiteral(" Motor-PWM im Analogbetrieb ein  "), QStringLiteral(" Motor-PWM im Analogbetrieb aus "), {}},
        {QStringLiteral(" Funktionsausgänge immer volle Helligkeit aus "),
         QStringLiteral(" Funktionsausgänge immer volle Helligkeit ein  "), {}},
    }};
    return t;
}

}  // namespace

frmESU_CV49::frmESU_CV49(QWidget* parent) : QMainWindow(parent), m_model(esuCv49Table()) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("frmESU_CV49"));
    setWindowTitle(QStringLiteral(" ESU"));
    addSmallWindowMenus(this, {});  // "&?" has no page here

    auto* content = new QWidget(this);
    auto* row = new QHBoxLayout(content);
    m_cv49 = new TogglePanel(m_model, EsuCv49, cv49Texts(), content);
    m_cv49->setObjectName(QStringLiteral("pnlCV49"));
    m_cv124 = new TogglePanel(m_model, EsuCv124, cv124Texts(), content);
    m_cv124->setObjectName(QStringLiteral("pnlCV124"));
    row->addWidget(m_cv49);
    row->addWidget(m_cv124);
    setCentralWidget(content);
    m_model.setListener([this] {
        m_cv49->refresh();
        m_cv124->refresh();
    });
}

frmESU_CV49::~frmESU_CV49() {
    // The panels show the model: they go while it is still there.
    m_model.setListener({});
    delete takeCentralWidget();
}

void frmESU_CV49::Form_Load() {
    MenuRechtsbuendig(this, 2);
}
