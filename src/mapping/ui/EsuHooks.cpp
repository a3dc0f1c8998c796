#include "mapping/ui/EsuHooks.h"

#include "app/ui/Twips.h"
#include "mapping/core/MakerTables.h"
#include "mapping/ui/MappingEditor.h"
#include "mapping/ui/MappingGrid.h"

#include <QHeaderView>
#include <QScrollBar>

using namespace mapping;

namespace {

constexpr int shownConditions = 16;
// scrGrid's value is the first shown tick column of grdFA: 6 shows condition 0 first, 26
// condition 20 (then the last of 16 shown is condition 35).
constexpr int firstTickA = 6;
constexpr int lastFirst = firstTickA + esuConditions - shownConditions;

struct GridPlace {
    int grid;
    int firstCondition;  // the column of condition 0
};
constexpr GridPlace places[] = {{EsuTicks, firstTickA}, {EsuValues, 1}, {EsuTicksB, 1}, {EsuValuesB, 1}};

class EsuHooks : public EditorHooks {
public:
    void build(MappingEditor& editor) override {
        for (const GridPlace& p : places)
            fitToShownConditions(editor.grid(p.grid), p.firstCondition);
        MappingGrid* fa = editor.grid(EsuTicks);
        MappingGrid* last = editor.grid(EsuValuesB);
        auto* bar = new QScrollBar(Qt::Horizontal, editor.content());
        bar->setObjectName(QStringLiteral("scrGrid"));
        bar->setRange(firstTickA, lastFirst);
        bar->setSingleStep(1);
        bar->setPageStep(10);
        bar->setValue(firstTickA);
        // Under the tick columns, as wide as the conditions shown.
        const int left = fa->x() + fa->frameWidth() + fa->horizontalHeader()->sectionPosition(firstTickA);
        bar->setGeometry(left, last->geometry().bottom() + 1 + twips(75), shownConditions * fa->columnWidth(firstTickA),
                         twips(255));
        QObject::connect(bar, &QScrollBar::valueChanged, bar, [&editor](int v) { scrGrid_Change(editor, v); });
    }

    // The first shown condition column := v in grdFA and v - 5 in the other grids.
    static void scrGrid_Change(MappingEditor& editor, int v) {
        const int firstShown = v - firstTickA;
        for (const GridPlace& p : places) {
            MappingGrid* view = editor.grid(p.grid);
            for (int k = 0; k < esuConditions; ++k)
                view->setColumnHidden(p.firstCondition + k, k < firstShown);
        }
    }

private:
    // The grid shows its leading columns and 16 conditions; the rest lies beyond its edge.
    static void fitToShownConditions(MappingGrid* view, int firstCondition) {
        int width = 2 * view->frameWidth();
        for (int c = 0; c < firstCondition + shownConditions; ++c) {
            if (!view->isColumnHidden(c))
                width += view->columnWidth(c);
        }
        view->resize(width, view->height());
    }
};

}  // namespace

std::unique_ptr<EditorHooks> esuHooks() {
    return std::make_unique<EsuHooks>();
}
