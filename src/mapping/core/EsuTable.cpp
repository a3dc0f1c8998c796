#include "mapping/core/MakerTables.h"

namespace mapping {

namespace {
constexpr int outputs = 6;        // rows of grdFA: CV 113..118
constexpr int firstOutputCv = 113;
constexpr int firstTick = 6;      // tick column of condition 0 in grdFA
enum Column { Effect = 2, Brightness = 3, Value = 5 };  // of an output row

ValueList effects() {
    return {{0, QStringLiteral("ein / aus")},
            {16, QStringLiteral("Blinklicht 1")},
            {32, QStringLiteral("Blinklicht 2")},
            {48, QStringLiteral("Strobe")},
            {64, QStringLiteral("Double Strobe")},
            {80, QStringLiteral("Feuerbüchse")},
            {96, QStringLiteral("Rauchgenerator")},
            {112, QStringLiteral("Licht auf / abblenden")},
            {128, QStringLiteral("Marslight")},
            {144, QStringLiteral("Gyrolight")},
            {160, QStringLiteral("Rule 17 FW")},
            {176, QStringLiteral("Rule 17 REV")},
            {192, QStringLiteral("Pulse / Telexkupplung")}};
}

// Condition k's value grid: column k + 1 holds CV firstCv + 3k and carries the condition's
// caption, every column 480 twips wide.
GridSpec conditionValues(const QString& name, int firstCv) {
    QList<int> cvs;
    for (int k = 0; k < esuConditions; ++k)
        cvs.append(firstCv + 3 * k);
    GridSpec g = valueGrid(name, cvs);
    g.headers = true;
    g.columns[0].width = 600;  // room for "Wert"
    for (int k = 0; k < esuConditions; ++k)
        g.columns[k + 1].caption = esuConditionCaption(k);
    return g;
}

}  // namespace

QString esuConditionCaption(int k) {
    static const char* const fixed[] = {"St.  V", "St.  R", "Fa.  V", "Fa.  R"};
    if (k < 4)
        return QString::fromLatin1(fixed[k]);
    return QStringLiteral("F%1  %2").arg((k - 4) / 2).arg(QChar(k % 2 == 0 ? u'V' : u'R'));
}

EditorTable esuTable() {
    EditorTable t;
    t.name = QStringLiteral("frmFM_ESU");
    t.caption = QStringLiteral(" Function Mapping ESU LokPilot V3.0");
    t.helpPage = QStringLiteral("Zelvo_FM_ESU.htm");
    t.width = 15360;
    t.height = 7440;

    GridSpec fa;
    fa.name = QStringLiteral("grdFA");
    fa.caption = QStringLiteral("Funktionstastenzuordnung A");
    fa.rows = outputs;
    fa.cols = 43;  // column 42 stays empty
    fa.geometry = {120, 60, 0, 0};
    fa.typing = Typing::TicksBySpace;
    fa.columns.append(labelColumn(QStringLiteral("Ausgang"), 1200,
                                  {"Licht vorne", "Licht hinten", "AUX 1", "AUX 2", "AUX 3", "AUX 4"}));
    fa.columns.append(labelColumn(QStringLiteral("Farbe"), 690, {"weiss", "gelb", "grün", "violett"}));
    fa.columns.append(choiceColumn(QStringLiteral("Funktion"), 1995, effects()));
    fa.columns.append(numberColumn(QStringLiteral("Helligkeit"), 840, 15, 0, 15));
    QStringList outputCvs;
    for (int r = 0; r < outputs; ++r)
        outputCvs.append(QString::number(firstOutputCv + r));
    fa.columns.append(labelColumn(QString(), 480, outputCvs, Align::Center));
    fa.columns.append(numberColumn(QStringLiteral("Wert"), 480, 15));
    for (int k = 0; k < esuConditions; ++k)
        fa.columns.append(tickColumn(esuConditionCaption(k)));
    fa.splits = {{QStringLiteral("Funktionsausgänge"), 0, Value},
                 {QStringLiteral("Funktionstasten"), firstTick, firstTick + esuConditions - 1}};

    GridSpec cv = conditionValues(QStringLiteral("grdCV"), 129);
    cv.geometry = {0, 2700, 0, 0};
    cv.underGrid = EsuTicks;
    cv.underCol = firstTick;
    cv.alignCol = 1;

    GridSpec faB;
    faB.name = QStringLiteral("grdFA_B");
    faB.caption = QString(33, u' ') + QStringLiteral("Funktionstastenzuordnung B");
    faB.rows = 3;
    faB.cols = 43;  // columns 37..42 stay empty
    faB.geometry = {0, 3720, 0, 0};
    faB.typing = Typing::TicksBySpace;
    faB.underGrid = EsuTicks;
    faB.underCol = firstTick;
    faB.alignCol = 1;
    faB.columns.append(labelColumn(QStringLiteral("Funktion"), 2700,
                                   {"Beschleunigung ein / aus", "Rangiergang ein / aus", "dynamische Bremse (V 3.5)"}));
    for (int k = 0; k < esuConditions; ++k)
        faB.columns.append(tickColumn(esuConditionCaption(k)));
    faB.splits = {{QStringLiteral("interne Funktionen"), 0, 0},
                  {QStringLiteral("Funktionstasten"), 1, esuConditions}};

    GridSpec cvB = conditionValues(QStringLiteral("grdCV_B"), 130);
    cvB.geometry = {0, 5490, 0, 0};
    cvB.underGrid = EsuTicksB;
    cvB.underCol = 1;
    cvB.alignCol = 1;
    t.grids = {fa, cv, faB, cvB};

    t.labels.append({QStringLiteral("lblHelligkeit"), QStringLiteral("Helligkeit"), {120, 2760, 1200, 255}});
    SliderSpec dim;
    dim.name = QStringLiteral("scrDim");
    dim.geometry = {120, 3015, 2400, 255};
    dim.target = {EsuTicks, 0, Brightness};
    dim.max = 15;
    dim.followsCurrentRow = true;
    t.sliders.append(dim);

    // Per output: "Wert" = effect + brightness. A read-back value splits into its upper and
    // lower four bits, so values above 207 keep their brightness within 0..15.
    for (int r = 0; r < outputs; ++r) {
        Composite c;
        c.cv = firstOutputCv + r;
        c.value = {EsuTicks, r, Value};
        c.addends = {{{EsuTicks, r, Effect}, 1}, {{EsuTicks, r, Brightness}, 1}};
        c.decode = maskDecoder({0xF0, 0x0F});
        c.storesZero = true;  // 0 is no start value here (15 is)
        t.composites.append(c);
        t.saveOrder.append(c.cv);
    }

    // Condition k: its outputs (rows 0..5 = bits 0..5) and its internal functions (rows 0, 1
    // and 2 = bits 0, 1 and 7). One condition is marked in both tick grids at once.
    QList<int> internalCvs;
    for (int k = 0; k < esuConditions; ++k) {
        BitBinding a;
        a.cv = 129 + 3 * k;
        a.value = {EsuValues, 1, k + 1};
        a.cells = columnBits(EsuTicks, firstTick + k, 0, outputs);
        BitBinding b;
        b.cv = 130 + 3 * k;
        b.value = {EsuValuesB, 1, k + 1};
        b.cells = {{{EsuTicksB, 0, k + 1}, 1}, {{EsuTicksB, 1, k + 1}, 2}, {{EsuTicksB, 2, k + 1}, 128}};
        t.bindings << a << b;
        t.marks.append({{{EsuTicks, firstTick + k}, {EsuTicksB, k + 1}}, {a.value, b.value}, {}});
        t.saveOrder.append(a.cv);
        internalCvs.append(b.cv);
    }
    t.saveOrder += internalCvs;
    t.readList = t.saveOrder;
    return t;
}

}  // namespace mapping
