#include "mapping/core/MakerTables.h"

#include <iterator>

namespace mapping {

namespace {
constexpr int outputs = 8;     // F0..F7, bit = row
constexpr int keys = 10;       // F0 V, F0 R, F1..F8: CV 33..42
constexpr int dimmed = 11;     // tick column "Dimmen": CV 57
constexpr int effect = 13;     // per output: effect, its CV 154 + row, its value
constexpr int firstEffectCv = 154;

enum SettingColumn { Text = 0, Bar, Cv, Value, Unit };

ValueList effects() {
    return {{0, QStringLiteral("ein / aus")},
            {1, QStringLiteral("Blinken 1")},
            {2, QStringLiteral("Blinken 2")},
            {3, QStringLiteral("Strobe")},
            {4, QStringLiteral("Double Strobe")},
            {5, QStringLiteral("Flashing Headlight")},
            {6, QStringLiteral("Ditch-Light left")},
            {7, QStringLiteral("Ditch-Light right")},
            {8, QStringLiteral("Rotary beacon")},
            {9, QStringLiteral("Gyralight")},
            {10, QStringLiteral("Mars Light")},
            {11, QStringLiteral("Soft Start")}};
}

struct Setting {
    const char* text;
    int cv;
    int start;
    const char* unit;
    int max;
    int largeChange;
};

// The rows of grd5456; the switching time's unit text follows its value.
const Setting settings[] = {
    {"Helligkeit der Funktionsausgänge", 54, 100, "%  ", 100, 10},
    {"Haltestrom der Kupplungsausgänge", 55, 32, "%  ", 100, 10},
    {"Schaltzeit der Kupplungsausgänge", 56, 60, "", 255, 20},
    {"unterer Helligkeitswert bei Lichteffekten (siehe CV 154 ... 161)", 114, 0, "%  ", 100, 10},
    {"Pausendauer bei den Effekten", 115, 0, "", 255, 20},
    {"Dimmwert für Abblenden", 119, 0, "%  ", 100, 10},
    {"Zyklusdauer der Effekte, definiert wie lange ein Effekt dauern soll", 120, 0, "", 255, 20},
};
constexpr int switchingTimeRow = 2;

// CV 56 counts twentieths of a second; the German interface writes a decimal comma
// whatever the machine's locale.
QString seconds(int value) {
    return QString::number(value / 20.0, 'f', 2).replace(u'.', u',') + QStringLiteral(" Sec.");
}
}  // namespace

EditorTable tranTable() {
    EditorTable t;
    t.name = QStringLiteral("frmFM_Tran");
    t.caption = QStringLiteral(" Funktion Mapping Tran DCX...");
    t.helpPage = QStringLiteral("Zelvo_FM_TRAN.htm");

    GridSpec fa;
    fa.name = QStringLiteral("grdFA");
    fa.rows = outputs;
    fa.cols = 20;  // columns 16..19 stay empty
    fa.geometry = {120, 120, 0, 0};
    QStringList names;
    QStringList effectCvs;
    for (int r = 0; r < outputs; ++r) {
        names.append(QStringLiteral("F%1").arg(r));
        effectCvs.append(QString::number(firstEffectCv + r));
    }
    fa.columns.append(labelColumn(QStringLiteral("Ausgang"), 1695, names));
    fa.columns += keyColumns(keys);
    fa.columns[1].caption = QStringLiteral("F0 V");
    fa.columns[2].caption = QStringLiteral("F0 R");
    fa.columns.append(tickColumn(QStringLiteral("Dimmen"), 900));
    fa.columns.append(tickColumn(QStringLiteral("Kupplung"), 960));
    fa.columns.append(choiceColumn(QStringLiteral("Effekt"), 1800, effects()));
    fa.columns.append(labelColumn(QStringLiteral("CV"), 630, effectCvs, Align::Center));
    fa.columns.append(numberColumn(QStringLiteral("Wert"), 630));
    fa.splits = {{QStringLiteral("Funktionsausgänge"), 0, 0},
                 {QStringLiteral("Funktionstasten"), 1, dimmed + 1},
                 {QStringLiteral("Effekte"), effect, effect + 2}};

    GridSpec cv = valueGrid(QStringLiteral("grdCV"), cvRange(33, 42) + QList<int>{57, 58});
    cv.cols = 15;  // columns 13 and 14 stay empty
    cv.columns[dimmed].width = 900;
    cv.columns[dimmed + 1].width = 960;
    cv.geometry = {0, 3120, 0, 0};
    cv.underGrid = TranTicks;
    cv.underCol = 1;
    cv.alignCol = 1;
    cv.popsMenu = false;

    GridSpec set;
    set.name = QStringLiteral("grd5456");
    set.rows = int(std::size(settings));
    set.cols = 5;
    set.geometry = {120, 3900, 0, 0};
    QStringList texts;
    QStringList cvs;
    QStringList units;
    for (int r = 0; r < set.rows; ++r) {
        const Setting& s = settings[r];
        texts.append(QString::fromUtf8(s.text));
        cvs.append(QString::number(s.cv));
        units.append(QString::fromLatin1(s.unit));
        set.cells.append({r, Value, CellKind::Number, {}, s.start});
        set.cells.append({r, Bar, CellKind::Slider, {}, 0, 0, s.max, 1, s.largeChange});
    }
    // Each row's bar has its own range (the cells above).
    ColumnSpec bar = sliderColumn(QStringLiteral("Einstellung"), 1800, Value, QStringLiteral("scrDim"), 255);
    bar.sliderSelectsRow = true;
    set.columns = {labelColumn(QStringLiteral("Funktion"), 6000, texts), bar,
                   labelColumn(QStringLiteral("CV"), 630, cvs, Align::Center), numberColumn(QStringLiteral("Wert"), 630),
                   labelColumn(QString(), 1050, units)};
    t.grids = {fa, cv, set};

    QList<BitWindow> windows(keys);
    addKeyBindings(t, TranTicks, TranValues, 1, 33, windows);
    addKeyBindings(t, TranTicks, TranValues, dimmed, 57, {BitWindow{}, BitWindow{}}, dimmed);
    for (int r = 0; r < outputs; ++r) {
        Composite c;
        c.cv = firstEffectCv + r;
        c.value = {TranTicks, r, effect + 2};
        c.addends = {{{TranTicks, r, effect}, 1}};
        c.decode = maskDecoder({0xFF});
        t.composites.append(c);
        t.saveOrder.append(c.cv);
    }
    // A 0 read back for a setting that starts above 0 is kept as 0.
    for (int r = 0; r < set.rows; ++r) {
        t.scalars.append(Scalar{settings[r].cv, {TranSettings, r, Value}});
        t.saveOrder.append(settings[r].cv);
    }
    t.derived.append({{TranSettings, switchingTimeRow, Unit}, {TranSettings, switchingTimeRow, Value}, seconds});
    t.readList = cvRange(33, 42) + cvRange(54, 58);
    return t;
}

}  // namespace mapping
