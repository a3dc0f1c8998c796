#include "mapping/core/MakerTables.h"

namespace mapping {

namespace {
constexpr int outputs = 4;  // X1..X4, each row its own CVs

// Store columns of grdFA.
enum Column {
    Name = 0,
    F1 = 1,  // F1..F4, then F0: bits 0..4 of the first key CV
    Keys1Cv = 6,
    Keys1Value = 7,
    F5 = 8,  // F5..F8: bits 0..3 of the second key CV
    Keys2Cv = 12,
    Keys2Value = 13,
    Bar = 14,
    BrightnessCv = 15,
    BrightnessValue = 16,
    Effect = 17,
    EffectCv = 18,
    EffectValue = 19,
};

struct OutputCvs {
    int keys1;
    int keys2;
    int brightness;
    int effect;
};
const OutputCvs rows[outputs] = {{57, 41, 52, 62}, {58, 42, 53, 63}, {56, 40, 51, 61}, {55, 39, 50, 60}};

ValueList effects() {
    return {{0, QStringLiteral("ein / aus")},
            {1, QStringLiteral("Flackern")},
            {2, QStringLiteral("Strobe")},
            {4, QStringLiteral("Marslight")},
            {8, QStringLiteral("vorwärts aus")},
            {16, QStringLiteral("rückwärts aus")},
            {32, QStringLiteral("blinken 2 Hz Phase A")},
            {64, QStringLiteral("blinken 2 Hz Phase B")},
            {128, QStringLiteral("blinken 1 Hz")}};
}

ColumnSpec cvColumn(int OutputCvs::*cv) {
    QStringList texts;
    for (const OutputCvs& r : rows)
        texts.append(QString::number(r.*cv));
    return labelColumn(QStringLiteral("CV"), 630, texts, Align::Center);
}
}  // namespace

EditorTable tamsLdg8Table() {
    EditorTable t;
    t.name = QStringLiteral("frmFM_Tams_LDG8");
    t.caption = QStringLiteral(" Funktion Mapping Tams LD-G-8");
    t.helpPage = QStringLiteral("Zelvo_FM_TAMS.htm");
    t.menu.readBack = QStringLiteral("Mapping einlesen");

    GridSpec fa;
    fa.name = QStringLiteral("grdFA");
    fa.rows = outputs;
    fa.cols = 21;  // column 20 stays empty
    fa.geometry = {120, 120, 0, 0};
    // Keys typed into the grid reach its cells: names may be typed (they are never saved),
    // Space ticks a key cell.
    fa.typing = Typing::TicksBySpace;
    ColumnSpec name = labelColumn(QStringLiteral("Ausgang"), 1200, {"X1", "X2", "X3", "X4"});
    name.typed = true;
    name.upperCase = true;
    name.maxLength = 20;
    fa.columns.append(name);
    for (const char* key : {"F1", "F2", "F3", "F4", "F0"})
        fa.columns.append(tickColumn(QString::fromLatin1(key)));
    fa.columns.append(cvColumn(&OutputCvs::keys1));
    fa.columns.append(numberColumn(QStringLiteral("Wert"), 630));
    for (const char* key : {"F5", "F6", "F7", "F8"})
        fa.columns.append(tickColumn(QString::fromLatin1(key)));
    fa.columns.append(cvColumn(&OutputCvs::keys2));
    fa.columns.append(numberColumn(QStringLiteral("Wert"), 630));
    fa.columns.append(sliderColumn(QStringLiteral("Einstellung"), 1200, BrightnessValue, QStringLiteral("scrDim"), 63));
    fa.columns.append(cvColumn(&OutputCvs::brightness));
    fa.columns.append(numberColumn(QStringLiteral("Wert"), 630, 0, 0, 63));
    // Wide enough for "blinken 2 Hz Phase B".
    fa.columns.append(choiceColumn(QStringLiteral("Effekt"), 2160, effects()));
    fa.columns.append(cvColumn(&OutputCvs::effect));
    fa.columns.append(numberColumn(QStringLiteral("Wert"), 630));
    fa.splits = {{QStringLiteral("F.- Ausgänge"), Name, Name},
                 {QStringLiteral("Funktionstasten 1 ... 4"), F1, Keys1Value},
                 {QStringLiteral("Funktionstasten 5 ... 8"), F5, Keys2Value},
                 {QStringLiteral("Dimmen / Helligkeit"), Bar, BrightnessValue},
                 {QStringLiteral("Effekte"), Effect, EffectValue}};
    t.grids = {fa};

    for (int r = 0; r < outputs; ++r) {
        BitBinding keys1;  // F1..F4 bits 0..3, F0 bit 4
        keys1.cv = rows[r].keys1;
        keys1.value = {Ldg8Ticks, r, Keys1Value};
        keys1.cells = rowBits(Ldg8Ticks, r, F1, 5);
        BitBinding keys2;
        keys2.cv = rows[r].keys2;
        keys2.value = {Ldg8Ticks, r, Keys2Value};
        keys2.cells = rowBits(Ldg8Ticks, r, F5, 4);
        t.bindings << keys1 << keys2;
        t.scalars.append(Scalar{rows[r].brightness, {Ldg8Ticks, r, BrightnessValue}});
        // The chosen effect is the value itself, never a sum.
        Composite effect;
        effect.cv = rows[r].effect;
        effect.value = {Ldg8Ticks, r, EffectValue};
        effect.addends = {{{Ldg8Ticks, r, Effect}, 1}};
        effect.decode = maskDecoder({0xFF});
        t.composites.append(effect);
        t.saveOrder << keys1.cv << keys2.cv << rows[r].brightness << effect.cv;
    }
    // A key column is marked while any output holds a tick in it.
    for (int col : {1, 2, 3, 4, 5, 8, 9, 10, 11})
        t.marks.append({{{Ldg8Ticks, col}}, {}, {{Ldg8Ticks, col}}});
    // CV 59 is read too, though no cell holds it.
    t.readList = cvRange(39, 42) + cvRange(50, 53) + cvRange(55, 63);
    return t;
}

}  // namespace mapping
