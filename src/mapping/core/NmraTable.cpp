#include "mapping/core/MakerTables.h"

namespace mapping {

namespace {
constexpr int keys = 14;     // F0 forward, F0 reverse, F1..F12
constexpr int firstCv = 33;  // CV 33..46, one per key
constexpr int outputs = 14;
}  // namespace

QStringList nmraOutputNames() {
    QStringList names{QStringLiteral("Licht vorne"), QStringLiteral("Licht hinten")};
    for (int n = 1; n <= 12; ++n)
        names.append(QStringLiteral("FA %1").arg(n));
    return names;
}

EditorTable nmraTable() {
    EditorTable t;
    t.name = QStringLiteral("frmFM_NMRA");
    t.caption = QStringLiteral("  Function Mapping nach NMRA");
    t.helpPage = QStringLiteral("Zelvo_FM_NMRA.htm");
    t.height = 7380;
    t.menu.saveAboveZero = QStringLiteral("nur CVs >  0 in Datei speichern");
    t.menu.factory = QStringLiteral("&Werkseinstellung");

    GridSpec fa;
    fa.name = QStringLiteral("grdFA");
    fa.rows = outputs;
    fa.cols = keys + 1;
    fa.geometry = {120, 120, 0, 0};
    fa.columns = QList<ColumnSpec>{labelColumn(QStringLiteral("Ausgang"), 1695, nmraOutputNames())} + keyColumns(keys);
    fa.splits = {{QStringLiteral("Funktionsausgänge"), 0, 0}, {QStringLiteral("Funktionstasten"), 1, keys}};

    GridSpec cv = valueGrid(QStringLiteral("grdCV"), cvRange(firstCv, firstCv + keys - 1));
    cv.geometry = {0, 4920, 0, 0};
    cv.underGrid = NmraTicks;
    cv.underCol = 1;
    cv.alignCol = 1;
    t.grids = {fa, cv};

    // F0 V..F3 switch rows 0..7, F4..F8 rows 3..10, F9..F12 rows 6..13; the first row of a
    // key's window is bit 0 of its CV.
    QList<BitWindow> windows;
    for (int k = 0; k < keys; ++k)
        windows.append(BitWindow{k < 5 ? 0 : k < 10 ? 3 : 6});
    addKeyBindings(t, NmraTicks, NmraValues, 1, firstCv, windows);
    t.readList = cvRange(33, 40) + cvRange(125, 132);
    t.factory.ticks = diagonal(NmraTicks, 1, outputs);
    return t;
}

}  // namespace mapping
