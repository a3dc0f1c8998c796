#include "mapping/ui/UhlenbrockHooks.h"

#include "app/ui/Twips.h"
#include "mapping/core/MakerTables.h"
#include "mapping/ui/MappingEditor.h"
#include "mapping/ui/MappingGrid.h"
#include "mapping/ui/TogglePanel.h"

#include <QLabel>

using namespace mapping;

namespace {

// Bits 3 and 4 together leave the decoder neither DCC nor Motorola.
constexpr int noDataFormat = 24;

const QString hinweis = QStringLiteral("Achtung: Wenn das Motorola-Datenformat über Bit 3 und ") +
                        QStringLiteral("das DCC-Format über Bit 4 ausgeschaltet sind, erhält der ") +
                        QStringLiteral("Decoder keine Fahrbefehle mehr und kann nur noch programmiert werden !");

TogglePanelTexts cv49Texts() {
    TogglePanelTexts t;
    t.name = QStringLiteral("CV49");
    t.caption = QStringLiteral("Lokdecoder-Konfiguration CV 49 ");
    t.alarmMask = noDataFormat;
    // Each bit: its text while 0, while 1, and the one its label shows when the window opens.
    t.bits = {{
        {QStringLiteral(" Motorregelung an "), QStringLiteral(" Motorregelung aus "), QStringLiteral("Motorregelung an ")},
        {QStringLiteral(" SUSI konfiguriert für Soundmodul "),
         QStringLiteral(" SUSI konfiguriert für LISSY Mini-Sendemodul  "),
         QStringLiteral("SUSI konfiguriert für Soundmodul ")},
        {QStringLiteral("  bremst bis auf 0 im Bremsabschnitt "), QStringLiteral("  bremst bis auf Fahrstufe gemäß CV 52 "),
         QStringLiteral(" bremst bis auf 0 im Bremsabschnitt ")},
        {QStringLiteral(" Datenformat DCC und Motorola "), QStringLiteral(" Datenformat nur DCC "),
         QStringLiteral("Datenformat DCC und Motorola ")},
        {QStringLiteral(" Datenformat DCC und Motorola "), QStringLiteral(" Datenformat nur Motorola "),
         QStringLiteral("Datenformat DCC und Motorola ")},
        {QStringLiteral("Dimmung für Ausgang 1 und 2 aus "), QStringLiteral("Dimmung für Ausgang 1 und 2 ein  "), {}},
        {QStringLiteral("Lichtanschlüsse nicht tauschen "), QStringLiteral("Lichtanschlüsse tauschen "), {}},
        {QStringLiteral("Bremsen nur mit Bremssignal  "), QStringLiteral("Bremsen mit analoger Spannung "), {}},
    }};
    return t;
}

class UhlenbrockHooks : public EditorHooks {
public:
    void build(MappingEditor& editor) override {
        m_panel = new TogglePanel(editor.model(), UhlenbrockCv49, cv49Texts(), editor.content());
        m_panel->setObjectName(QStringLiteral("pnlCV49"));
        m_panel->move(twips(120), twips(3840));
        m_panel->resize(editor.grid(UhlenbrockTicks)->width(), m_panel->sizeHint().height());

        m_lblHinweis = new QLabel(editor.content());
        m_lblHinweis->setObjectName(QStringLiteral("lblHinweis"));
        m_lblHinweis->setWordWrap(true);
        // White text; on this platform's light window colour it could not be read, so it
        // stands on the red of the two labels it explains.
        QPalette p = m_lblHinweis->palette();
        p.setColor(QPalette::WindowText, MappingGrid::colour(Colour::White));
        p.setColor(QPalette::Window, MappingGrid::colour(TogglePanel::alarmColour));
        m_lblHinweis->setPalette(p);
        m_lblHinweis->setAutoFillBackground(true);
        m_lblHinweis->setMargin(4);
        QFont bold = m_lblHinweis->font();
        bold.setBold(true);
        m_lblHinweis->setFont(bold);
        m_lblHinweis->setGeometry(m_panel->x(), m_panel->geometry().bottom() + 1 + twips(60), m_panel->width(), twips(780));
        m_lblHinweis->hide();
    }

    // Delete and the factory settings turn every CV 49 bit back through its button.
    void reset(MappingEditor&) override { m_panel->showStateTexts(); }

    void refresh(MappingEditor&) override {
        m_panel->refresh();
        if (m_panel->alarmed())
            showHinweis();
        else
            m_lblHinweis->hide();
    }

private:
    void showHinweis() {
        m_lblHinweis->setText(hinweis);
        m_lblHinweis->show();
    }

    TogglePanel* m_panel = nullptr;
    QLabel* m_lblHinweis = nullptr;
};

}  // namespace

std::unique_ptr<EditorHooks> uhlenbrockHooks() {
    return std::make_unique<UhlenbrockHooks>();
}
