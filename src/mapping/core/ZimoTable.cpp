#include "mapping/core/MakerTables.h"

namespace mapping {

namespace {
constexpr int keys = 14;       // F0 forward, F0 reverse, F1..F12
constexpr int firstTick = 5;   // tick column of F0 forward
constexpr int firstCv = 33;    // CV 33..46, one per key
constexpr int outputs = 14;
constexpr int firstEffectCv = 125;  // CV 125 + row: effect and direction of an output

ValueList effects() {
    return {{0, QStringLiteral("ein- / aus")},
            {4, QStringLiteral("Marslicht")},
            {8, QStringLiteral("Random Flicker")},
            {12, QStringLiteral("Blitzlicht")},
            {16, QStringLiteral("Strobe")},
            {20, QStringLiteral("Double Strobe")},
            {24, QStringLiteral("Rundumlicht")},
            {28, QStringLiteral("Gyralite")},
            {32, QStringLiteral("Ditchlight type 1 rechts")},
            {36, QStringLiteral("Ditchlight type 1 links")},
            {40, QStringLiteral("Ditchlight type 2 rechts")},
            {44, QStringLiteral("Ditchlight type 2 links")},
            {48, QStringLiteral("Kupplung lt. CV 115")},
            {52, QStringLiteral("langs. Aufdimmen")}};
}

ValueList directions() {
    return {{0, QStringLiteral("immer")}, {1, QStringLiteral("vorwärts")}, {2, QStringLiteral("rückwärts")}};
}
}  // namespace

EditorTable zimoTable() {
    EditorTable t;
    t.name = QStringLiteral("frmFM_Zimo");
    t.caption = QStringLiteral("  Function Mapping Zimo MX...");
    t.helpPage = QStringLiteral("Zelvo_FM_Zimo.htm");
    t.height = 7500;
    t.menu.saveAboveZero = QStringLiteral("nur CVs >  0 in Datei speichern");
    t.menu.factory = QStringLiteral("&Werkseinstellung");

    GridSpec fa;
    fa.name = QStringLiteral("grdFA");
    fa.rows = outputs;
    fa.cols = 20;  // column 19 stays empty
    fa.geometry = {240, 240, 0, 0};
    fa.columns.append(labelColumn(QStringLiteral("Ausgang"), 1695, nmraOutputNames()));
    fa.columns.append(choiceColumn(QStringLiteral("Funktion / Effekte"), 2370, effects()));
    fa.columns.append(choiceColumn(QStringLiteral("Richtung"), 1095, directions()));
    QStringList effectCvs;
    for (int r = 0; r < outputs; ++r)
        effectCvs.append(QString::number(firstEffectCv + r));
    fa.columns.append(labelColumn(QStringLiteral("CV"), 480, effectCvs, Align::Center));
    fa.columns.append(numberColumn(QStringLiteral("Wert"), 480));
    fa.columns += keyColumns(keys);
    fa.splits = {{QStringLiteral("Funktionsausgänge"), 0, 4},
                 {QStringLiteral("Funktionstasten"), firstTick, firstTick + keys - 1}};

    GridSpec cv = valueGrid(QStringLiteral("grdCV"), cvRange(firstCv, firstCv + keys - 1));
    cv.geometry = {0, 5160, 0, 0};
    cv.underGrid = ZimoTicks;
    cv.underCol = firstTick;
    cv.alignCol = 1;
    t.grids = {fa, cv};

    // The panel behind the grids; a right click on it opens the File menu too.
    t.frames.append({QStringLiteral("SSPanel"), QString(), {120, 120, 0, 0}, true});

    // F0 V..F2 switch rows 0..7, F3..F6 rows 3..10, F7..F12 rows 6..13.
    QList<BitWindow> windows;
    for (int k = 0; k < keys; ++k)
        windows.append(BitWindow{k < 4 ? 0 : k < 8 ? 3 : 6});
    addKeyBindings(t, ZimoTicks, ZimoValues, firstTick, firstCv, windows);
    // Per output: "Wert" = effect (bits 2..7) + direction (bits 0 and 1).
    for (int r = 0; r < outputs; ++r) {
        Composite c;
        c.cv = firstEffectCv + r;
        c.value = {ZimoTicks, r, 4};
        c.addends = {{{ZimoTicks, r, 1}, 1}, {{ZimoTicks, r, 2}, 1}};
        c.decode = maskDecoder({0xFC, 0x03});
        t.composites.append(c);
        t.saveOrder.append(c.cv);
    }
    t.readList = cvRange(33, 40) + cvRange(125, 138);
    t.factory.ticks = diagonal(ZimoTicks, firstTick, outputs);
    return t;
}

}  // namespace mapping
