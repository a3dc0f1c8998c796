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
    fa.columns.append(labelColumn(QStringLiteral("Ausgang"), 1695, nmraOutputNames()));
    for (int k = 0; k < keys; ++k)
        fa.columns.append(tickColumn(keyCaption(k)));
    fa.splits = {{QStringLiteral("Funktionsausgänge"), 0, 0}, {QStringLiteral("Funktionstasten"), 1, keys}};

    QList<int> cvs;
    for (int k = 0; k < keys; ++k)
        cvs.append(firstCv + k);
    GridSpec cv = valueGrid(QStringLiteral("grdCV"), cvs);
    cv.geometry = {0, 4920, 0, 0};
    cv.underGrid = NmraTicks;
    cv.underCol = 1;
    cv.alignCol = 1;
    t.grids = {fa, cv};

    // Keys 1..5 switch rows 0..7, keys 6..10 rows 3..10, keys 11..14 rows 6..13; the
    // first row of a key's window is bit 0 of its CV.
    for (int col = 1; col <= keys; ++col) {
        const int firstRow = col <= 5 ? 0 : col <= 10 ? 3 : 6;
        BitBinding b;
        b.cv = firstCv + col - 1;
        b.value = {NmraValues, 1, col};
        b.cells = columnBits(NmraTicks, col, firstRow, 8);
        t.bindings.append(b);
        t.marks.append({{{NmraTicks, col}}, {b.value}, {}});
        t.saveOrder.append(b.cv);
    }
    for (int c = 33; c <= 40; ++c)
        t.readList.append(c);
    for (int c = 125; c <= 132; ++c)
        t.readList.append(c);
    for (int i = 0; i < outputs; ++i)
        t.factory.ticks.append({NmraTicks, i, i + 1});
    return t;
}

}  // namespace mapping
