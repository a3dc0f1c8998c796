#include "mapping/core/MakerTables.h"

namespace mapping {

namespace {
constexpr int keys = 8;       // F0 forward, F0 reverse, F1..F6
constexpr int firstTick = 2;  // tick column of F0 forward
constexpr int firstCv = 33;   // CV 33..40, one per key
constexpr int outputs = 6;
constexpr int dimStart = 32;  // CV 50 at load and after Delete
}  // namespace

EditorTable uhlenbrockTable() {
    EditorTable t;
    t.name = QStringLiteral("frmFM_Uhlenbrock");
    t.caption = QStringLiteral(" Funktion Mapping Uhlenbrock 76400");
    t.helpPage = QStringLiteral("Zelvo_FM_Uhlenbrock.htm");
    t.height = 8755;
    t.menu.readBack = QStringLiteral("Mapping einlesen");
    t.menu.factory = QStringLiteral("&Werkseinstellung");

    const QString none = QStringLiteral("     -");
    GridSpec fa;
    fa.name = QStringLiteral("grdFA");
    fa.rows = outputs;
    fa.cols = 20;  // columns 10..19 stay empty
    fa.geometry = {120, 120, 0, 0};
    fa.typing = Typing::TicksBySpace;
    fa.columns.append(labelColumn(QStringLiteral("Ausgang"), 2700,
                                  {"Licht vorne", "Licht hinten", "Sonderfunktionsausgang A 1", "Sonderfunktionsausgang A 2",
                                   "Rangiergang", "Anfahr- / Bremsverzögerung"}));
    fa.columns.append(labelColumn(QStringLiteral("Farbe"), 735, {"weiss", "gelb", "grün", "violett", none, none}));
    fa.columns += keyColumns(keys);
    fa.splits = {{QStringLiteral("Funktionsausgänge"), 0, 1},
                 {QStringLiteral("Funktionstasten"), firstTick, firstTick + keys - 1}};

    GridSpec cv = valueGrid(QStringLiteral("grdCV"), cvRange(firstCv, firstCv + keys - 1));
    cv.geometry = {0, 2460, 0, 0};
    cv.underGrid = UhlenbrockTicks;
    cv.underCol = firstTick;
    cv.alignCol = 1;
    cv.popsMenu = false;

    GridSpec dim;
    dim.name = QStringLiteral("grd50");
    dim.rows = 1;
    dim.cols = 3;
    dim.geometry = {120, 3150, 0, 0};
    ColumnSpec value = numberColumn(QStringLiteral("Wert"), 480, dimStart);
    value.typed = true;
    dim.columns = {labelColumn(QStringLiteral("Funktionsausgänge dimmen  "), 2700, {}),
                   labelColumn(QStringLiteral("CV"), 480, {"50"}, Align::Center), value};

    t.grids = {fa, cv, dim, togglePanel(QStringLiteral("pnlCV49"))};

    SliderSpec bar;
    bar.name = QStringLiteral("scrDim");
    bar.geometry = {3900, 3435, 2400, 255};
    bar.target = {Uhlenbrock50, 0, 2};
    bar.max = 63;
    bar.largeChange = 10;
    bar.followsTyping = false;
    t.sliders.append(bar);

    addKeyBindings(t, UhlenbrockTicks, UhlenbrockValues, firstTick, firstCv, QList<BitWindow>(keys, BitWindow{0, outputs}));
    t.clipboardOrder = t.saveOrder;  // CV 33..40 only
    t.bindings.append(togglePanelBinding(49, UhlenbrockCv49));
    t.scalars.append({50, {Uhlenbrock50, 0, 2}, true});
    t.saveOrder << 49 << 50;
    t.readList = cvRange(33, 40);

    t.factory.ticks = diagonal(UhlenbrockTicks, firstTick, outputs);
    t.factory.values = {{49, 0}, {50, dimStart}};
    return t;
}

}  // namespace mapping
