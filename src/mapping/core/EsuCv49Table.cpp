#include "mapping/core/MakerTables.h"

namespace mapping {

EditorTable esuCv49Table() {
    EditorTable t;
    t.name = QStringLiteral("frmESU_CV49");
    t.grids = {togglePanel(QStringLiteral("pnlCV49")), togglePanel(QStringLiteral("pnlCV124"))};
    t.bindings = {togglePanelBinding(49, EsuCv49), togglePanelBinding(124, EsuCv124)};
    return t;
}

}  // namespace mapping
