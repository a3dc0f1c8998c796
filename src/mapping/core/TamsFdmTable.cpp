#include "mapping/core/MakerTables.h"

namespace mapping {

namespace {
constexpr int keys = 14;      // F0 V, F0 R, F1..F12: CV 33..46
constexpr int outputs = 5;    // AUX 1..AUX 5, bit = row
constexpr int settingRows = 4;  // AUX 1..AUX 4 have settings

// Store columns of grdFE: four settings of three columns each.
enum SettingColumn {
    Dim = 1,
    Direction = 4,
    Coupler = 7,
    Blink = 10,
};
constexpr int valueOffset = 2;  // the "Wert" column beside a setting, after its "CV" column

ValueList directions() {
    return {{0, QStringLiteral("keine")},
            {1, QStringLiteral("F1 aus bei vorwärts")},
            {2, QStringLiteral("F1 aus bei rückwärts")},
            {4, QStringLiteral("Ausgang aus bei vorwärts")},
            {8, QStringLiteral("Ausgang aus bei rückwärts")},
            {16, QStringLiteral("Rangierlicht bei F3")},
            {32, QStringLiteral("Rangierlicht bei F4")}};
}

QStringList auxNames(int count) {
    QStringList names;
    for (int n = 1; n <= count; ++n)
        names.append(QStringLiteral("AUX %1").arg(n));
    return names;
}

// A scroll bar in the "Einstellung" cell of each row (named name_1 .. name_4 by output).
ColumnSpec barColumn(const QString& name, int max, int target) {
    ColumnSpec bar = sliderColumn(QStringLiteral("Einstellung"), 1200, target, name, max, 10, 1);
    bar.align = Align::Left;
    bar.sliderSelectsRow = true;
    return bar;
}

// The "CV" and "Wert" columns of a setting whose CVs are firstCv + row.
void appendCvAndValue(GridSpec& grid, int firstCv, int max, int start) {
    QStringList cvs;
    for (int r = 0; r < settingRows; ++r)
        cvs.append(QString::number(firstCv + r));
    grid.columns.append(labelColumn(QStringLiteral("CV"), 660, cvs, Align::Center));
    grid.columns.append(numberColumn(QStringLiteral("Wert"), 660, start, 0, max));
}
}  // namespace

EditorTable tamsFdmTable() {
    EditorTable t;
    t.name = QStringLiteral("frmFM_Tams_FDM");
    t.caption = QStringLiteral(" Function Mapping Tams FD-M");
    t.helpPage = QStringLiteral("Zelvo_FM_TAMS_FDM.htm");
    t.menu.readList = QStringLiteral("Einlesedatei erzeugen");
    t.menu.factory = QStringLiteral("Werkseinstellung");

    GridSpec fm;
    fm.name = QStringLiteral("grdFM");
    fm.rows = outputs;
    fm.cols = 20;  // columns 15..19 stay empty
    fm.geometry = {120, 120, 0, 0};
    fm.typing = Typing::TicksBySpace;  // no filter on typed keys: Space ticks
    fm.columns.append(labelColumn(QStringLiteral("Ausgang"), 1695, auxNames(outputs)));
    fm.columns += keyColumns(keys);
    fm.columns[1].caption = QStringLiteral("F0 V");
    fm.columns[2].caption = QStringLiteral("F0 R");
    fm.splits = {{QStringLiteral("Funktionsausgänge"), 0, 0}, {QStringLiteral("Funktionstasten"), 1, keys}};

    GridSpec cv = valueGrid(QStringLiteral("grdCV"), cvRange(33, 46));
    cv.geometry = {0, 2280, 0, 0};
    cv.underGrid = FdmTicks;
    cv.underCol = 1;
    cv.alignCol = 1;

    GridSpec fe;
    fe.name = QStringLiteral("grdFE");
    fe.rows = settingRows;
    fe.cols = 13;
    fe.geometry = {120, 3000, 0, 0};
    fe.columns.append(labelColumn(QStringLiteral("Ausgang"), 1695, auxNames(settingRows)));
    fe.columns.append(barColumn(QStringLiteral("scrDim"), 64, Dim + valueOffset));
    appendCvAndValue(fe, 49, 64, 0);
    fe.columns.append(choiceColumn(QStringLiteral("Einstellung"), 2850, directions()));
    appendCvAndValue(fe, 53, 255, 0);
    fe.columns.append(barColumn(QStringLiteral("scrKupplung"), 255, Coupler + valueOffset));
    appendCvAndValue(fe, 57, 255, 0);
    fe.columns.append(barColumn(QStringLiteral("scrBlink"), 255, Blink + valueOffset));
    appendCvAndValue(fe, 61, 255, 255);
    fe.splits = {{QStringLiteral("Funktionsausgänge"), 0, 0},
                 {QStringLiteral("Dimmen"), Dim, Dim + valueOffset},
                 {QStringLiteral("Richtung"), Direction, Direction + valueOffset},
                 {QStringLiteral("Kupplung"), Coupler, Coupler + valueOffset},
                 {QStringLiteral("Tastverhältnis Blinken"), Blink, Blink + valueOffset}};
    t.grids = {fm, cv, fe};

    // Every value read back counts, 0 included: a 0 for CV 33..46 clears the value and
    // leaves the ticks.
    addKeyBindings(t, FdmTicks, FdmValues, 1, 33, QList<BitWindow>(keys, BitWindow{0, outputs, 0}));
    for (BitBinding& b : t.bindings)
        b.storesZero = true;
    for (int r = 0; r < settingRows; ++r) {
        auto scalar = [&](int number, int col) {
            t.scalars.append(Scalar{number, {FdmSettings, r, col + valueOffset}, true});
            t.saveOrder.append(number);
        };
        scalar(49 + r, Dim);
        Composite direction;
        direction.cv = 53 + r;
        direction.value = {FdmSettings, r, Direction + valueOffset};
        direction.addends = {{{FdmSettings, r, Direction}, 1}};
        direction.decode = maskDecoder({0xFF});
        direction.storesZero = true;
        t.composites.append(direction);
        t.saveOrder.append(direction.cv);
        scalar(57 + r, Coupler);
        scalar(61 + r, Blink);
    }
    t.readList = cvRange(39, 46) + cvRange(49, 64);

    t.factory.ticks = diagonal(FdmTicks, 1, settingRows);
    for (int r = 0; r < settingRows; ++r)
        t.factory.values << CvValue{49 + r, 64} << CvValue{61 + r, 255};
    return t;
}

}  // namespace mapping
