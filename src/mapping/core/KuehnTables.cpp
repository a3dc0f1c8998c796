#include "mapping/core/MakerTables.h"

namespace mapping {

namespace {
constexpr int keys = 8;  // F1..F8
constexpr int effectCv = 55;
constexpr int optionCv = 56;
constexpr int optionBits = 3;
constexpr int barWidth = 2280;  // twips; each bar stands under its column of grd55

ValueList conditions() {
    return {{0, QStringLiteral("keine Bedingung")},
            {32, QStringLiteral("aus wenn rückwärts")},
            {64, QStringLiteral("aus wenn vorwärts")},
            {128, QStringLiteral("dimmen wenn F3 ein")}};
}

ValueList lightEffects() {
    return {{0, QStringLiteral("ein / aus")},
            {1, QStringLiteral("pulierendes Licht")},
            {2, QStringLiteral("Blitzlicht")},
            {4, QStringLiteral("Blinken (Phase B)")},
            {8, QStringLiteral("Blinken (Phase A)")},
            {16, QStringLiteral("Dimmen")},
            {12, QStringLiteral("Kupplungsmode")}};
}

// The part of a configuration value under `mask` as its list cell shows it: the entry that
// is exactly that part, else the lowest set bit; a part of 0 leaves the cell as it is.
std::optional<int> listPart(int value, int mask, const ValueList& list) {
    const int part = value & mask;
    if (part == 0)
        return std::nullopt;
    for (const ListEntry& e : list) {
        if (e.value == part)
            return part;
    }
    return part & -part;
}

// CV 55 = 10 x effect cycle (0..9) + dim rate (0..7); a part out of range leaves its bar.
Decoder cycleAndRate() {
    return [](int v) -> QList<std::optional<int>> {
        const int cycle = v / 10;
        const int rate = v % 10;
        return {cycle <= 9 ? std::optional<int>(cycle) : std::nullopt,
                rate <= 7 ? std::optional<int>(rate) : std::nullopt};
    };
}

// What both Kühn editors share: the note on output A, grd55 with its two bars for CV 55, and
// the store of the CV 56 panel (bits 0..2; the panel itself is the editors' hook). `lead` goes
// in front of the grd55 captions of the two parts.
void addSharedSettings(EditorTable& t, const QString& lead, int top, int panelLeft) {
    t.frames.append({QStringLiteral("pnlHinweis"), QStringLiteral(" Ausgang A wird immer durch F0 / Function  gesteuert"),
                     {120, 120, 5400, 375}, false});

    GridSpec rates;
    rates.name = QStringLiteral("grd55");
    rates.rows = 1;
    rates.cols = 4;
    rates.geometry = {120, top, 0, 0};
    rates.columns = {numberColumn(lead + QStringLiteral("Zykluszeit der Effekte"), barWidth, 0, 0, 9),
                     numberColumn(lead + QStringLiteral("Dimmrate"), barWidth, 0, 0, 7),
                     labelColumn(QStringLiteral("CV"), 480, {QString::number(effectCv)}, Align::Center),
                     numberColumn(QStringLiteral("Wert"), 480)};
    const int ratesGrid = int(t.grids.size());
    t.grids.append(rates);

    GridSpec panel = togglePanel(QStringLiteral("pnlCV56"));
    panel.geometry = {panelLeft, top, 0, 0};
    const int panelGrid = int(t.grids.size());
    t.grids.append(panel);

    const int labelTop = top + 720;
    t.labels.append({QStringLiteral("lblZykluszeit"), QStringLiteral("0,5 sec") + QString(20, u' ') + QStringLiteral("3 Sec"),
                     {120, labelTop, barWidth, 255}});
    t.labels.append({QStringLiteral("lblDimmrate"), QStringLiteral("dunkel") + QString(26, u' ') + QStringLiteral("hell"),
                     {120 + barWidth, labelTop, barWidth, 255}});
    SliderSpec cycle;
    cycle.name = QStringLiteral("scrEffekte");
    cycle.geometry = {120, labelTop + 255, barWidth, 255};
    cycle.target = {ratesGrid, 0, 0};
    cycle.max = 9;
    SliderSpec rate;
    rate.name = QStringLiteral("scrDimmrate");
    rate.geometry = {120 + barWidth, labelTop + 255, barWidth, 255};
    rate.target = {ratesGrid, 0, 1};
    rate.max = 7;
    rate.inverted = true;  // dark (7) at the left
    t.sliders = {cycle, rate};

    Composite c55;
    c55.cv = effectCv;
    c55.value = {ratesGrid, 0, 3};
    c55.addends = {{{ratesGrid, 0, 0}, 10}, {{ratesGrid, 0, 1}, 1}};
    c55.decode = cycleAndRate();
    t.composites.append(c55);

    BitBinding b56 = togglePanelBinding(optionCv, panelGrid);
    b56.cells = rowBits(panelGrid, 0, 0, optionBits);
    t.bindings.append(b56);
}
}  // namespace

EditorTable kuehnT145Table() {
    EditorTable t;
    t.name = QStringLiteral("frmFM_Kuehn_T145");
    t.caption = QStringLiteral(" Function Mapping Kühn T145 und Viessmann 5246");
    t.helpPage = QStringLiteral("Zelvo_FM_Kuehn.htm");
    t.height = 6660;

    constexpr int firstKey = 6;
    constexpr int keyValue = 15;
    GridSpec fa;
    fa.name = QStringLiteral("grdFA");
    fa.rows = 4;
    fa.cols = 16;
    fa.geometry = {120, 600, 0, 0};
    fa.columns = {labelColumn(QStringLiteral("Ausgang"), 840, {"A", "B", "C", "D"}, Align::Center),
                  labelColumn(QStringLiteral("Farbe"), 900,
                              {QStringLiteral("weiss   "), QStringLiteral("gelb"), QStringLiteral("grün"),
                               QStringLiteral("violett")}),
                  choiceColumn(QStringLiteral("Einschaltbedingung"), 1935, conditions()),
                  choiceColumn(QStringLiteral("Lichteffekt"), 1695, lightEffects()),
                  labelColumn(QStringLiteral("CV"), 480, {"49", "50", "51", "52"}, Align::Center),
                  numberColumn(QStringLiteral("Wert"), 480)};
    for (int k = 1; k <= keys; ++k)
        fa.columns.append(tickColumn(QStringLiteral("F%1").arg(k)));
    fa.columns.append(labelColumn(QStringLiteral("CV"), 720, {"---", "58", "59", "60"}, Align::Center));
    fa.columns.append(numberColumn(QStringLiteral("Wert"), 720));
    // Output A always follows F0: it has no key CV.
    fa.cells.append({0, keyValue, CellKind::Label, QStringLiteral("---"), 0});
    fa.splits = {{QStringLiteral("Funktionsausgänge"), 0, firstKey - 1},
                 {QStringLiteral("Funktionstasten"), firstKey, keyValue}};
    t.grids.append(fa);
    addSharedSettings(t, {}, 2640, 6000);

    // CV 49 + row: switch-on condition (bits 5..7) + light effect (bits 0..4).
    for (int r = 0; r < 4; ++r) {
        Composite c;
        c.cv = 49 + r;
        c.value = {T145Ticks, r, 5};
        c.addends = {{{T145Ticks, r, 2}, 1}, {{T145Ticks, r, 3}, 1}};
        c.decode = [](int v) -> QList<std::optional<int>> {
            return {listPart(v, 224, conditions()), listPart(v, 31, lightEffects())};
        };
        t.composites.append(c);
        t.saveOrder.append(c.cv);
    }
    // CV 57 + row for B..D: key Fk is bit k - 1. Ticks in row A count nowhere.
    for (int r = 1; r < 4; ++r) {
        BitBinding b;
        b.cv = 57 + r;
        b.value = {T145Ticks, r, keyValue};
        b.cells = rowBits(T145Ticks, r, firstKey, keys);
        t.bindings.append(b);
        t.saveOrder.append(b.cv);
    }
    // A key column is marked while any output has a tick in it.
    for (int c = firstKey; c < firstKey + keys; ++c)
        t.marks.append({{{T145Ticks, c}}, {}, {{T145Ticks, c}}});

    t.saveOrder << effectCv << optionCv;
    t.readList = cvRange(49, 52) + QList<int>{effectCv, optionCv} + cvRange(58, 60);
    return t;
}

EditorTable kuehnN025Table() {
    EditorTable t;
    t.name = QStringLiteral("frmFM_Kuehn_N025");
    t.caption = QStringLiteral(" Function Mapping Kühn N025");
    t.helpPage = QStringLiteral("Zelvo_FM_Kuehn_N025.htm");
    t.width = 13005;
    t.height = 8010;

    auto valueColumns = [](GridSpec& g, const QStringList& cvs) {
        ColumnSpec cv = labelColumn(QStringLiteral("CV"), 720, cvs, Align::Center);
        ColumnSpec value = numberColumn(QStringLiteral("Wert"), 720);
        cv.background = value.background = Colour::White;
        g.columns << cv << value;
    };

    GridSpec fa;
    fa.name = QStringLiteral("grdFA");
    fa.rows = 2;
    fa.cols = 12;
    fa.geometry = {120, 600, 0, 0};
    fa.tickedColour = Colour::Green;
    fa.captionLines = 2;
    fa.columns = {labelColumn(QStringLiteral("Ausgang"), 840, {"A", "B"}, Align::Center),
                  labelColumn(QStringLiteral("Drahtfarbe"), 960, {QStringLiteral("weiss   "), QStringLiteral("gelb")}),
                  tickColumn(QStringLiteral("Dimmen wenn F3 EIN"), 1500),
                  tickColumn(QStringLiteral("AUS wenn vorwärts"), 1200),
                  tickColumn(QStringLiteral("AUS wenn rückwärts"), 1200),
                  tickColumn(QStringLiteral("Dimmen"), 900),
                  tickColumn(QStringLiteral("Blinken Phase A"), 900),
                  tickColumn(QStringLiteral("Blinken Phase B"), 900),
                  tickColumn(QStringLiteral("Blitzlicht"), 900),
                  tickColumn(QStringLiteral("pulsierendes Licht"), 1350)};
    valueColumns(fa, {"49", "50"});
    fa.splits = {{QStringLiteral(" Funktionsausgänge"), 0, 11}};

    GridSpec ka;
    ka.name = QStringLiteral("grd58");
    ka.rows = 2;
    ka.cols = 11;
    ka.geometry = {120, 2160, 0, 0};
    ka.tickedColour = Colour::Green;
    ka.columns = {labelColumn(QStringLiteral("Ausgang"), 840, {"A", "B"}, Align::Center)};
    for (int k = 1; k <= keys; ++k)
        ka.columns.append(tickColumn(QStringLiteral("F%1").arg(k), 600));
    valueColumns(ka, {QString(), "58"});
    // Output A always follows F0: its row has no CV and takes no ticks.
    for (int c = 1; c <= keys + 2; ++c)
        ka.cells.append({0, c, CellKind::Label, {}, 0});
    ka.splits = {{QStringLiteral(" Zuordnung der Funktionsausgänge zu den Funktionstasten"), 0, 10}};

    t.grids = {fa, ka};
    addSharedSettings(t, QStringLiteral(" "), 3600, 6000);

    // CV 49 (A) and CV 50 (B): one tick per effect, column 2 = bit 7 down to column 9 = bit 0.
    for (int r = 0; r < 2; ++r) {
        BitBinding b;
        b.cv = 49 + r;
        b.value = {N025Effects, r, 11};
        b.cells = rowBits(N025Effects, r, 2, keys, 7, -1);
        t.bindings.append(b);
        t.saveOrder.append(b.cv);
    }
    BitBinding b58;
    b58.cv = 58;
    b58.value = {N025Keys, 1, 10};
    b58.cells = rowBits(N025Keys, 1, 1, keys);
    t.bindings.append(b58);

    t.saveOrder << effectCv << optionCv << 58;
    t.readList = t.saveOrder;
    return t;
}

}  // namespace mapping
