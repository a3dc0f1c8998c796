#include "mapping/core/MakerTables.h"

namespace mapping {

namespace {
constexpr int keys = 14;     // F0 forward, F0 reverse, F1..F12
constexpr int firstCv = 33;  // CV 33..46, one per key
constexpr int outputs = 8;   // A..H
constexpr int internalKeys = 8;  // F1..F8 of the internal functions
constexpr int firstInternalTick = 5;

ValueList effectsA() {
    return {{0, QStringLiteral("ein / aus")},
            {1, QStringLiteral("Marslight")},
            {2, QStringLiteral("Gyralight")},
            {3, QStringLiteral("Blitz (Strobe)")},
            {4, QStringLiteral("Doppelblitz")}};
}
ValueList effectsB() {
    return {{0, QStringLiteral("ein / aus")},
            {10, QStringLiteral("Marslight")},
            {20, QStringLiteral("Gyralight")},
            {30, QStringLiteral("Blitz (Strobe)")},
            {40, QStringLiteral("Doppelblitz")}};
}
ValueList effectsC() {
    return {{0, QStringLiteral("ein / aus")},
            {1, QStringLiteral("Blinken")},
            {2, QStringLiteral("Flackern Typ 1")},
            {3, QStringLiteral("Dimmen CV55")}};
}
ValueList effectsD() {
    return {{0, QStringLiteral("ein / aus")},
            {10, QStringLiteral("Blinken C = D")},
            {20, QStringLiteral("Blinken C <> D")},
            {30, QStringLiteral("Flackern Typ 2")},
            {40, QStringLiteral("Flackern Typ 3")},
            {50, QStringLiteral("Dimmen CV56")}};
}

// CV 60 and CV 62: the first output's effect is the units digit, the second's the tens.
GridSpec effectGrid(const QString& name, const QString& caption, int cv, const QStringList& outputNames,
                    const ValueList& first, const ValueList& second, int left) {
    GridSpec g;
    g.name = name;
    g.rows = 2;  // row 1 is never used
    g.cols = 4;
    g.columns = {choiceColumn(outputNames.at(0), 1455, first), choiceColumn(outputNames.at(1), 1455, second),
                 labelColumn(QStringLiteral("CV"), 480, {QString::number(cv)}, Align::Center),
                 numberColumn(QStringLiteral("Wert"), 480)};
    for (int col = 0; col < g.cols; ++col)
        g.cells.append({1, col, CellKind::Label, {}, 0});
    g.splits = {{caption, 0, 3}};
    g.geometry = {left, 6360, 0, 0};
    // Only row 0 shows: the two caption bands, the row and the grid's one-pixel frame.
    g.geometry.height = 3 * g.rowHeight + 2 * 15;
    return g;
}

Composite effectPair(int cv, int grid) {
    Composite c;
    c.cv = cv;
    c.value = {grid, 0, 3};
    c.addends = {{{grid, 0, 0}, 1}, {{grid, 0, 1}, 1}};
    c.decode = [](int v) -> QList<std::optional<int>> { return {v % 10, 10 * ((v / 10) % 10)}; };
    return c;
}
}  // namespace

EditorTable lenzTable() {
    EditorTable t;
    t.name = QStringLiteral("frmFM_Lenz");
    t.caption = QStringLiteral("  Function Mapping Lenz");
    t.helpPage = QStringLiteral("Zelvo_FM_Lenz.htm");
    t.width = 11610;
    t.height = 9360;
    t.menu.inertExtras = {{QStringLiteral("mnuExtras_Assistent"), QStringLiteral("Mapping-Assistent")}};

    // Typed keys are not discarded here: names take text and Space ticks; computed cells stay computed.
    GridSpec fa;
    fa.name = QStringLiteral("grdFA");
    fa.rows = outputs;
    fa.cols = 20;  // columns 15..19 stay empty
    fa.typing = Typing::TicksBySpace;
    fa.columns.append(labelColumn(QStringLiteral("Ausgang"), 1695, {"A", "B", "C", "D", "E", "F", "G", "H"}));
    fa.columns[0].typed = true;
    fa.columns += keyColumns(keys);
    fa.splits = {{QStringLiteral("Funktionsausgänge"), 0, 0}, {QStringLiteral("Funktionstasten"), 1, keys}};

    GridSpec cv = valueGrid(QStringLiteral("grdCV"), cvRange(firstCv, firstCv + keys - 1));
    cv.columns[1].width = 495;
    cv.geometry = {0, 3120, 0, 0};
    cv.underGrid = LenzTicks;
    cv.underCol = 1;
    cv.alignCol = 1;

    GridSpec internal;
    internal.name = QStringLiteral("grd5764");
    internal.rows = 5;
    internal.cols = 13;
    internal.typing = Typing::TicksBySpace;
    internal.geometry = {0, 3960, 0, 0};
    internal.underGrid = LenzTicks;
    internal.underCol = 1;
    internal.alignCol = 3;
    internal.columns = {labelColumn(QStringLiteral("Funktion"), 2760,
                                    {QStringLiteral("Dimmen ein / aus"), QStringLiteral("Rangiergang"),
                                     QStringLiteral("Anfahr- und Bremsverzögerung"),
                                     QStringLiteral("Effekte A + B ein / aus"), QStringLiteral("Effekte C + D ein / aus")}),
                        labelColumn(QStringLiteral("CV"), 480, {"57", "58", "59", "61", "64"}, Align::Center),
                        numberColumn(QStringLiteral("Wert"), 480)};
    internal.columns[0].typed = true;
    // Under F0 forward and reverse: no internal function follows F0.
    ColumnSpec blank;
    internal.columns << blank << blank;
    for (int k = 1; k <= internalKeys; ++k)
        internal.columns.append(tickColumn(QStringLiteral("F%1").arg(k)));
    internal.splits = {{QStringLiteral("interne Funktionen"), 0, 2}, {QStringLiteral("Funktionstasten"), 3, 12}};
    // grdFA stands so far right that grd5764 starts at the left margin with its F0 columns under grdFA's.
    fa.geometry = {120 + internal.columns[0].width + internal.columns[1].width + internal.columns[2].width -
                       fa.columns[0].width, 120, 0, 0};

    GridSpec brightness;
    brightness.name = QStringLiteral("grd5556");
    brightness.rows = 2;
    brightness.cols = 3;
    brightness.geometry = {120, 120, 0, 0};
    brightness.columns = {labelColumn(QStringLiteral("Ausgang"), 900, {QStringLiteral("A + C"), QStringLiteral("B + D")}),
                          labelColumn(QStringLiteral("CV"), 480, {"55", "56"}, Align::Center),
                          numberColumn(QStringLiteral("Wert"), 480)};
    brightness.columns[0].typed = true;
    brightness.splits = {{QStringLiteral("Helligkeit"), 0, 2}};

    const GridSpec ab = effectGrid(QStringLiteral("grd60"), QStringLiteral("Effekte Ausgang A + B"), 60,
                                   {QStringLiteral("Ausgang A"), QStringLiteral("Ausgang B")}, effectsA(), effectsB(), 120);
    const GridSpec cd = effectGrid(QStringLiteral("grd62"), QStringLiteral("Effekte Ausgang C + D"), 62,
                                   {QStringLiteral("Ausgang C"), QStringLiteral("Ausgang D")}, effectsC(), effectsD(), 4320);
    t.grids = {fa, cv, internal, brightness, ab, cd};

    // The mapping CVs: F0 V..F3 switch A..E from bit 3, F4..F8 A..H from bit 0, F9..F12 D..H
    // from bit 0; a tick outside a key's outputs is taken back.
    QList<BitWindow> windows;
    for (int k = 0; k < keys; ++k)
        windows.append(k < 5 ? BitWindow{0, 5, 3} : k < 10 ? BitWindow{0, 8, 0} : BitWindow{3, 5, 0});
    addKeyBindings(t, LenzTicks, LenzValues, 1, firstCv, windows);
    t.marks.clear();
    for (int k = 0; k < keys; ++k) {
        BitBinding& b = t.bindings[k];
        const int col = k + 1;
        for (int r = 0; r < outputs; ++r) {
            const CellRef c{LenzTicks, r, col};
            if (r < windows.at(k).firstRow || r >= windows.at(k).firstRow + windows.at(k).rows)
                b.refused.append(c);
        }
        // F0..F8 light up together with the same key of the internal functions.
        MarkGroup mark{{{LenzTicks, col}}, {b.value}, {}};
        if (col <= 10) {
            mark.targets.append({Lenz5764, col + 2});
            mark.anyTick.append({Lenz5764, col + 2});
        }
        t.marks.append(mark);
    }
    const QList<int> mappingCvs = t.saveOrder;

    const QList<int> internalCvs{57, 58, 59, 61, 64};
    for (int r = 0; r < internalCvs.size(); ++r) {
        BitBinding b;
        b.cv = internalCvs.at(r);
        b.value = {Lenz5764, r, 2};
        b.cells = rowBits(Lenz5764, r, firstInternalTick, internalKeys);
        t.bindings.append(b);
    }

    t.scalars = {{55, {Lenz5556, 0, 2}}, {56, {Lenz5556, 1, 2}}};
    for (int i = 0; i < 2; ++i) {
        SliderSpec dim;
        dim.name = QStringLiteral("scrDim_%1").arg(i);
        dim.geometry = {120, 1500 + 360 * i, 1920, 255};
        dim.target = {Lenz5556, i, 2};
        t.sliders.append(dim);
    }

    t.composites = {effectPair(60, Lenz60), effectPair(62, Lenz62)};

    t.saveOrder = QList<int>{55, 56} + internalCvs + mappingCvs + QList<int>{60, 62};
    t.readList = cvRange(55, 62) + QList<int>{64};
    return t;
}

}  // namespace mapping
