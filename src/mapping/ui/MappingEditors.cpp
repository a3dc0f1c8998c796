#include "mapping/ui/MappingEditors.h"

#include "app/ui/frmHauptmenu.h"
#include "mapping/core/MakerTables.h"
#include "mapping/ui/EsuHooks.h"
#include "mapping/ui/KuehnHooks.h"
#include "mapping/ui/MappingEditor.h"
#include "mapping/ui/FollowingRows.h"
#include "mapping/ui/UhlenbrockHooks.h"
#include "mapping/ui/frmESU_CV49.h"

#include <memory>

namespace {

// A main-menu entry, the table of its editor and, where it has screen behaviour of its
// own, the hooks. Further editors are added here.
struct EditorEntry {
    const char* menuEntry;
    mapping::EditorTable (*table)();
    std::unique_ptr<EditorHooks> (*hooks)();
};

const EditorEntry editors[] = {
    {"mnuFM_NMRA", mapping::nmraTable, nullptr},
    {"mnuFM_Zimo", mapping::zimoTable, nullptr},
    {"mnuFM_Tran", mapping::tranTable, nullptr},
    {"mnuFM_Tams_LDG8", mapping::tamsLdg8Table, nullptr},
    {"mnuFM_Tams_FDM", mapping::tamsFdmTable,
     []() -> std::unique_ptr<EditorHooks> { return std::make_unique<FollowingRows>("grdFM", "grdFE"); }},
    {"mnuFM_ESU", mapping::esuTable, esuHooks},
    {"mnuFM_Uhlenbrock", mapping::uhlenbrockTable, uhlenbrockHooks},
    {"mnuExtras_Lenz", mapping::lenzTable, nullptr},
    {"mnuDatei_mnuKuehn_Kuehn_T145", mapping::kuehnT145Table, kuehnHooks},
    {"mnuDatei_Viessmann_5246", mapping::kuehnT145Table, kuehnHooks},
    {"mnuDatei_mnuKuehn_KuehnN025", mapping::kuehnN025Table, kuehnHooks},
};

}  // namespace

void registerMappingEditors(frmHauptmenu& window, AppContext& ctx, Dialog& dialog) {
    for (const EditorEntry& entry : editors) {
        window.setOpener(QString::fromLatin1(entry.menuEntry), [&window, &ctx, &dialog, entry] {
            auto* editor = new MappingEditor(ctx, dialog, entry.table(), entry.hooks ? entry.hooks() : nullptr, &window);
            editor->setAttribute(Qt::WA_DeleteOnClose);
            editor->setWindowModality(Qt::ApplicationModal);
            editor->Form_Load();
            editor->show();
        });
    }
    // The ESU calculator stands in "E&xtras"; it is no editor and keeps no list.
    window.setOpener(QStringLiteral("muExtras_ESU_CV49"), [&window] {
        auto* calculator = new frmESU_CV49(&window);
        calculator->setAttribute(Qt::WA_DeleteOnClose);
        calculator->setWindowModality(Qt::ApplicationModal);
        calculator->Form_Load();
        calculator->show();
    });
}
