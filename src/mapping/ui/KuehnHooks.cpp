#include "mapping/ui/KuehnHooks.h"

#include "app/ui/Twips.h"
#include "mapping/ui/MappingEditor.h"
#include "mapping/ui/TogglePanel.h"

namespace {

TogglePanelTexts optionTexts() {
    TogglePanelTexts t;
    t.name = QStringLiteral("CV56");
    t.caption = QStringLiteral("CV 56 (Konfigurationsregister 1)");
    t.bits[0] = {QStringLiteral(" Ausgang B richtungsabhängig schalten "),
                 QStringLiteral(" Ausgang B richtungsunabhängig schalten "),
                 QStringLiteral("Ausgang B richtungsabhängig schalten ")};
    t.bits[1] = {QStringLiteral(" Lastregelung aus "), QStringLiteral(" Lastregelung ein  "),
                 QStringLiteral("Lastregelung aus ")};
    t.bits[2] = {QStringLiteral(" Rangiergang aus (F4) "), QStringLiteral(" Rangiergang ein  (F4) "),
                 QStringLiteral("Rangiergang aus (F4) ")};
    return t;
}

class KuehnHooks : public EditorHooks {
public:
    void build(MappingEditor& editor) override {
        const mapping::MappingModel& model = editor.model();
        const int g = model.gridIndex(QStringLiteral("pnlCV56"));
        m_panel = new TogglePanel(editor.model(), g, optionTexts(), editor.content());
        m_panel->setObjectName(QStringLiteral("pnlCV56"));
        const mapping::Rect& r = model.grid(g).geometry;
        m_panel->adjustSize();
        m_panel->move(twips(r.left), twips(r.top));
    }
    void refresh(MappingEditor&) override {
        if (m_panel)
            m_panel->refresh();
    }

private:
    TogglePanel* m_panel = nullptr;
};

}  // namespace

std::unique_ptr<EditorHooks> kuehnHooks() {
    return std::make_unique<KuehnHooks>();
}
