// The mapping engine on a table that has one of every piece the maker tables use: an
// offset bit window with refused ticks, a row-per-CV binding with a reversed bit order,
// an exact 8-bit panel, composites from value lists and from weighted addends, settings with
// start values other than 0, a derived unit text and marks across two grids.
#include "mapping/core/MappingModel.h"

#include <QTest>

using namespace mapping;

namespace {

enum Grid { Ticks = 0, Values, Panel, Rates, Effects, Output, Settings };

ValueList digits(int step, int count) {
    ValueList list;
    for (int i = 0; i < count; ++i)
        list.append({i * step, QStringLiteral("E%1").arg(i * step)});
    return list;
}

EditorTable probeTable() {
    EditorTable t;
    t.name = QStringLiteral("frmProbe");

    GridSpec fa;  // rows 0..7; col 1 = CV 33 rows A..E as bits 3..7, col 2 = CV 43 rows D..H as bits 0..4
    fa.name = QStringLiteral("grdFA");
    fa.rows = 8;
    fa.cols = 6;
    fa.columns = {labelColumn(QStringLiteral("Ausgang"), 900, {"A", "B", "C", "D", "E", "F", "G", "H"}),
                  tickColumn(QStringLiteral("F0")), tickColumn(QStringLiteral("F9")),
                  tickColumn(QStringLiteral("F1")), tickColumn(QStringLiteral("R1")), numberColumn("Wert", 480)};
    fa.columns[0].typed = true;
    GridSpec cv = valueGrid(QStringLiteral("grdCV"), {33, 43});

    GridSpec panel = togglePanel(QStringLiteral("pnlCV49"));

    GridSpec rates;  // CV 55 = 10 x cycle (0..9) + rate (0..7)
    rates.name = QStringLiteral("grd55");
    rates.rows = 1;
    rates.cols = 4;
    rates.columns = {numberColumn("Zyklus", 900, 0, 0, 9), numberColumn("Rate", 900, 0, 0, 7),
                     labelColumn("CV", 480, {"55"}), numberColumn("Wert", 480)};

    GridSpec effects;  // CV 60 = A (units) + B (tens)
    effects.name = QStringLiteral("grd60");
    effects.rows = 1;
    effects.cols = 4;
    effects.columns = {choiceColumn("A", 900, digits(1, 5)), choiceColumn("B", 900, digits(10, 5)),
                       labelColumn("CV", 480, {"60"}), numberColumn("Wert", 480)};

    GridSpec output;  // CV 113 = effect (multiples of 16) + brightness (start 15)
    output.name = QStringLiteral("grdOut");
    output.rows = 1;
    output.cols = 3;
    output.columns = {choiceColumn("Funktion", 900, digits(16, 4)), numberColumn("Helligkeit", 480, 15, 0, 15),
                      numberColumn("Wert", 480, 15)};

    GridSpec settings;  // CV 50 typed 0..255 (start 32), CV 56 (start 60) with a unit text, CV 57 (start 0)
    settings.name = QStringLiteral("grdSet");
    settings.rows = 3;
    settings.cols = 3;
    settings.columns = {labelColumn("CV", 480, {"50", "56", "57"}), numberColumn("Wert", 480), labelColumn("", 900, {})};
    settings.columns[1].typed = true;
    settings.cells = {{0, 1, CellKind::Number, {}, 32}, {1, 1, CellKind::Number, {}, 60}};

    t.grids = {fa, cv, panel, rates, effects, output, settings};

    BitBinding b33;
    b33.cv = 33;
    b33.value = {Values, 1, 1};
    b33.cells = columnBits(Ticks, 1, 0, 5, 3);
    b33.refused = {{Ticks, 5, 1}, {Ticks, 6, 1}, {Ticks, 7, 1}};
    BitBinding b43;
    b43.cv = 43;
    b43.value = {Values, 1, 2};
    b43.cells = columnBits(Ticks, 2, 3, 5);
    b43.refused = {{Ticks, 0, 2}, {Ticks, 1, 2}, {Ticks, 2, 2}};
    const BitBinding b49 = togglePanelBinding(49, Panel);
    BitBinding b58;  // row H, columns 3 and 4 counted down from bit 1
    b58.cv = 58;
    b58.value = {Ticks, 7, 5};
    b58.cells = rowBits(Ticks, 7, 3, 2, 1, -1);
    t.bindings = {b33, b43, b49, b58};

    Composite c55;
    c55.cv = 55;
    c55.value = {Rates, 0, 3};
    c55.addends = {{{Rates, 0, 0}, 10}, {{Rates, 0, 1}, 1}};
    c55.decode = [](int v) -> QList<std::optional<int>> {
        const int cycle = v / 10;
        const int rate = v % 10;
        return {cycle <= 9 ? std::optional<int>(cycle) : std::nullopt, rate <= 7 ? std::optional<int>(rate) : std::nullopt};
    };
    Composite c60;
    c60.cv = 60;
    c60.value = {Effects, 0, 3};
    c60.addends = {{{Effects, 0, 0}, 1}, {{Effects, 0, 1}, 1}};
    c60.decode = [](int v) -> QList<std::optional<int>> { return {v % 10, 10 * ((v / 10) % 10)}; };
    Composite c113;
    c113.cv = 113;
    c113.value = {Output, 0, 2};
    c113.addends = {{{Output, 0, 0}, 1}, {{Output, 0, 1}, 1}};
    c113.decode = maskDecoder({240, 15});
    t.composites = {c55, c60, c113};

    t.scalars = {{50, {Settings, 0, 1}}, {56, {Settings, 1, 1}}, {57, {Settings, 2, 1}}};
    t.derived = {{{Settings, 1, 2}, {Settings, 1, 1}, [](int v) {
                      return QString::number(v / 20.0, 'f', 2).replace(u'.', u',') + QStringLiteral(" Sec.");
                  }}};
    // F0 lights when CV 33 is above 0 or F1 holds a tick; both columns are coloured.
    t.marks = {{{{Ticks, 1}, {Ticks, 3}}, {{Values, 1, 1}}, {{Ticks, 3}}}, {{{Ticks, 2}}, {{Values, 1, 2}}, {}}};

    t.saveOrder = {33, 43, 49, 55, 60, 113, 50, 56, 57, 58};
    t.clipboardOrder = {33, 43};
    t.readList = {33, 43, 55};
    t.factory.ticks = {{Ticks, 0, 1}, {Ticks, 4, 2}};
    t.factory.values = {{49, 0}, {50, 32}};
    return t;
}

CellRef cell(int grid, int row, int col) {
    return {grid, row, col};
}

}  // namespace

class TestMappingModel : public QObject {
    Q_OBJECT

private slots:
    void probeTableIsSound() { QCOMPARE(checkTable(probeTable()), QStringList()); }

    void bitWindows_data() {
        QTest::addColumn<QList<int>>("rowsInF0");  // ticked rows of column 1
        QTest::addColumn<QList<int>>("rowsInF9");  // ticked rows of column 2
        QTest::addColumn<int>("cv33");
        QTest::addColumn<int>("cv43");
        QTest::addColumn<int>("ticksKept");
        QTest::newRow("A under F0 is bit 3") << QList<int>{0} << QList<int>{} << 8 << 0 << 1;
        QTest::newRow("E under F0 is bit 7") << QList<int>{4} << QList<int>{} << 128 << 0 << 1;
        QTest::newRow("F..H under F0 refused") << QList<int>{5, 6, 7} << QList<int>{} << 0 << 0 << 0;
        QTest::newRow("D under F9 is bit 0") << QList<int>{} << QList<int>{3} << 0 << 1 << 1;
        QTest::newRow("A..C under F9 refused") << QList<int>{} << QList<int>{0, 1, 2} << 0 << 0 << 0;
        QTest::newRow("whole windows") << QList<int>{0, 1, 2, 3, 4} << QList<int>{3, 4, 5, 6, 7} << 248 << 31 << 10;
    }
    void bitWindows() {
        QFETCH(QList<int>, rowsInF0);
        QFETCH(QList<int>, rowsInF9);
        QFETCH(int, cv33);
        QFETCH(int, cv43);
        QFETCH(int, ticksKept);
        MappingModel m(probeTable());
        for (int r : rowsInF0)
            m.setTick(cell(Ticks, r, 1), true);
        for (int r : rowsInF9)
            m.setTick(cell(Ticks, r, 2), true);
        QCOMPARE(m.cvValue(33), cv33);
        QCOMPARE(m.cvValue(43), cv43);
        QCOMPARE(m.text(cell(Values, 1, 1)), QString::number(cv33));
        int ticks = 0;
        for (int r = 0; r < 8; ++r)
            ticks += int(m.isTicked(cell(Ticks, r, 1))) + int(m.isTicked(cell(Ticks, r, 2)));
        QCOMPARE(ticks, ticksKept);
    }

    void untickRecomputes() {
        MappingModel m(probeTable());
        m.setTick(cell(Ticks, 0, 1), true);
        m.setTick(cell(Ticks, 4, 1), true);
        QCOMPARE(m.cvValue(33), 136);
        m.setTick(cell(Ticks, 0, 1), false);
        QCOMPARE(m.cvValue(33), 128);
        QVERIFY(!m.setTick(cell(Ticks, 0, 0), true));  // a label takes no tick
        QVERIFY(!m.setTick(cell(Ticks, 6, 1), true));  // refused
    }

    void reversedRowBits() {
        MappingModel m(probeTable());
        m.setTick(cell(Ticks, 7, 3), true);
        QCOMPARE(m.cvValue(58), 2);
        m.setTick(cell(Ticks, 7, 4), true);
        QCOMPARE(m.cvValue(58), 3);
        m.CVeinlesen(58, 1);
        QCOMPARE(m.cvValue(58), 1);
        QVERIFY(m.isTicked(cell(Ticks, 7, 4)));
        QVERIFY(m.isTicked(cell(Ticks, 7, 3)));  // added ticks stay: a read merges
    }

    void readBackAddsTicksAndKeepsTheValue_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("cv33");
        QTest::addColumn<QList<int>>("ticked");
        QTest::newRow("bits 3 and 7") << "S 033 136" << 136 << QList<int>{0, 4};
        QTest::newRow("bits without a row are ignored") << "S 033 255" << 255 << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("bits 0..2 only") << "S 033 007" << 7 << QList<int>{};
        QTest::newRow("zero is ignored") << "S 033 000" << 0 << QList<int>{};
    }
    void readBackAddsTicksAndKeepsTheValue() {
        QFETCH(QString, line);
        QFETCH(int, cv33);
        QFETCH(QList<int>, ticked);
        MappingModel m(probeTable());
        m.readBack({line});
        QCOMPARE(m.cvValue(33), cv33);
        QList<int> rows;
        for (int r = 0; r < 8; ++r) {
            if (m.isTicked(cell(Ticks, r, 1)))
                rows.append(r);
        }
        QCOMPARE(rows, ticked);
        // The next tick recomputes from the ticks alone.
        m.setTick(cell(Ticks, 1, 1), true);
        int expected = 16;
        for (int r : ticked)
            expected |= 1 << (r + 3);
        QCOMPARE(m.cvValue(33), expected);
    }

    void exactPanelFollowsTheValue() {
        MappingModel m(probeTable());
        m.setTick(cell(Panel, 0, 0), true);
        m.setTick(cell(Panel, 0, 1), true);
        QCOMPARE(m.cvValue(49), 3);
        QCOMPARE(m.cellColour(cell(Panel, 0, 0)), Colour::None);
        m.CVeinlesen(49, 24);
        QCOMPARE(m.cvValue(49), 24);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(m.isTicked(cell(Panel, 0, i)), i == 3 || i == 4);
        m.CVeinlesen(49, 0);  // 0 is the start value: nothing to do
        QCOMPARE(m.cvValue(49), 24);
    }

    void panelOfFewerBitsHoldsOnlyThose_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("held");
        QTest::newRow("all bits") << 255 << 7;
        QTest::newRow("bits 0 and 2") << 5 << 5;
        QTest::newRow("bit 3 alone") << 8 << 0;
    }
    void panelOfFewerBitsHoldsOnlyThose() {
        QFETCH(int, value);
        QFETCH(int, held);
        EditorTable t = probeTable();
        t.bindings[2].cells = rowBits(Panel, 0, 0, 3);
        MappingModel m(t);
        m.CVeinlesen(49, 2);
        m.CVeinlesen(49, value);
        QCOMPARE(m.cvValue(49), held);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(m.isTicked(cell(Panel, 0, i)), i < 3 && (held & (1 << i)) != 0);
        QCOMPARE(m.saveLines(false).at(2), QStringLiteral("S 049 %1").arg(held, 3, 10, QLatin1Char('0')));
    }

    void composites_data() {
        QTest::addColumn<int>("cv");
        QTest::addColumn<int>("value");
        QTest::addColumn<QStringList>("shown");  // addends then value, as the cells show them
        QTest::newRow("weighted addends") << 55 << 35 << QStringList{"3", "5", "35"};
        QTest::newRow("rate 7") << 55 << 7 << QStringList{"0", "7", "7"};
        QTest::newRow("rate out of range keeps it") << 55 << 9 << QStringList{"0", "2", "9"};
        QTest::newRow("cycle out of range keeps it") << 55 << 120 << QStringList{"1", "0", "120"};
        QTest::newRow("two lists") << 60 << 42 << QStringList{"E2", "E40", "42"};
        QTest::newRow("digit without an entry") << 60 << 97 << QStringList{"7", "90", "97"};
        QTest::newRow("masked") << 113 << 63 << QStringList{"E48", "15", "63"};
        QTest::newRow("effect without an entry") << 113 << 210 << QStringList{"208", "2", "210"};
        QTest::newRow("0 where the start is 15") << 113 << 0 << QStringList{"E0", "0", "0"};
        QTest::newRow("0 where the start is 0") << 60 << 0 << QStringList{"E0", "E0", "0"};
    }
    void composites() {
        QFETCH(int, cv);
        QFETCH(int, value);
        QFETCH(QStringList, shown);
        MappingModel m(probeTable());
        const int g = cv == 55 ? Rates : cv == 60 ? Effects : Output;
        const int valueCol = cv == 113 ? 2 : 3;
        m.setNumber(cell(Rates, 0, 1), 2);
        m.setNumber(cell(Rates, 0, 0), 1);  // so that an addend left alone shows
        m.CVeinlesen(cv, value);
        QCOMPARE((QStringList{m.text(cell(g, 0, 0)), m.text(cell(g, 0, 1)), m.text(cell(g, 0, valueCol))}), shown);
        QCOMPARE(m.cvValue(cv), value);
    }

    void compositeStoresZeroWhereAsked() {
        EditorTable t = probeTable();
        t.composites[1].storesZero = true;
        MappingModel m(t);
        m.CVeinlesen(60, 42);
        m.CVeinlesen(60, 0);
        QCOMPARE(m.cvValue(60), 0);
        QCOMPARE(m.text(cell(Effects, 0, 1)), QStringLiteral("E0"));
    }

    void choicesAndSlidersRecompute() {
        MappingModel m(probeTable());
        QCOMPARE(m.cvValue(113), 15);
        m.setNumber(cell(Output, 0, 0), 48);
        QCOMPARE(m.cvValue(113), 63);
        m.setNumber(cell(Output, 0, 1), 4);
        QCOMPARE(m.cvValue(113), 52);
        m.setNumber(cell(Rates, 0, 0), 3);
        m.setNumber(cell(Rates, 0, 1), 5);
        QCOMPARE(m.cvValue(55), 35);
        // After a read-back that the addends cannot show, the next change sums the addends.
        m.CVeinlesen(60, 142);
        QCOMPARE(m.cvValue(60), 142);
        m.setNumber(cell(Effects, 0, 0), 1);
        QCOMPARE(m.cvValue(60), 41);
    }

    void scalarsAndTheZeroRule_data() {
        QTest::addColumn<int>("cv");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("storesZero");
        QTest::newRow("typed CV read back") << 50 << 20 << 20 << false;
        QTest::newRow("0 differs from 32") << 50 << 0 << 0 << false;
        QTest::newRow("0 differs from 60") << 56 << 0 << 0 << false;
        QTest::newRow("0 is the start") << 57 << 0 << 7 << false;
        QTest::newRow("0 where the table asks for it") << 57 << 0 << 0 << true;
        QTest::newRow("beyond any slider") << 57 << 250 << 250 << false;
    }
    void scalarsAndTheZeroRule() {
        QFETCH(int, cv);
        QFETCH(int, value);
        QFETCH(int, result);
        QFETCH(bool, storesZero);
        EditorTable t = probeTable();
        t.scalars[2].storesZero = storesZero;
        MappingModel m(t);
        m.setNumber(cell(Settings, 2, 1), 7);
        m.CVeinlesen(cv, value);
        QCOMPARE(m.cvValue(cv), result);
    }

    void typedText_data() {
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole number") << int(Settings) << 0 << 1 << "200" << true << "200";
        QTest::newRow("blanks around") << int(Settings) << 0 << 1 << " 12 " << true << "12";
        QTest::newRow("too large") << int(Settings) << 0 << 1 << "256" << false << "32";
        QTest::newRow("letters") << int(Settings) << 0 << 1 << "abc" << false << "32";
        QTest::newRow("digits and letters") << int(Settings) << 0 << 1 << "12abc" << false << "32";
        QTest::newRow("computed value") << int(Values) << 1 << 1 << "5" << false << "0";
        QTest::newRow("computed composite") << int(Rates) << 0 << 3 << "5" << false << "0";
        QTest::newRow("CV label") << int(Settings) << 0 << 0 << "51" << false << "50";
        QTest::newRow("derived text") << int(Settings) << 1 << 2 << "x" << false << "3,00 Sec.";
        QTest::newRow("typed name") << int(Ticks) << 2 << 0 << "Rücklicht" << true << "Rücklicht";
    }
    void typedText() {
        QFETCH(int, grid);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(bool, taken);
        QFETCH(QString, shown);
        MappingModel m(probeTable());
        QCOMPARE(m.setText(cell(grid, row, col), text), taken);
        QCOMPARE(m.text(cell(grid, row, col)), shown);
    }

    void typedNamesInCapitalsAndLength_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("shown");
        QTest::newRow("small letters") << "x1 neu" << true << "X1 NEU";
        QTest::newRow("umlaut") << "rück" << true << "RÜCK";
        QTest::newRow("six characters") << "abcdef" << true << "ABCDEF";
        QTest::newRow("seven characters") << "abcdefg" << false << "A";
    }
    void typedNamesInCapitalsAndLength() {
        QFETCH(QString, text);
        QFETCH(bool, taken);
        QFETCH(QString, shown);
        EditorTable t = probeTable();
        t.grids[Ticks].columns[0].upperCase = true;
        t.grids[Ticks].columns[0].maxLength = 6;
        MappingModel m(t);
        QCOMPARE(m.setText(cell(Ticks, 0, 0), text), taken);
        QCOMPARE(m.text(cell(Ticks, 0, 0)), shown);
    }

    void derivedTextFollows() {
        MappingModel m(probeTable());
        m.setNumber(cell(Settings, 1, 1), 255);
        QCOMPARE(m.text(cell(Settings, 1, 2)), QStringLiteral("12,75 Sec."));
        m.CVeinlesen(56, 40);
        QCOMPARE(m.text(cell(Settings, 1, 2)), QStringLiteral("2,00 Sec."));
    }

    void marks_data() {
        QTest::addColumn<QList<int>>("tickCell");  // row, col; empty: none
        QTest::addColumn<int>("f0");
        QTest::addColumn<int>("f1");
        QTest::addColumn<int>("f9");
        const int y = Colour::Yellow;
        const int g = Colour::FaceGrey;
        QTest::newRow("nothing") << QList<int>{} << g << g << g;
        QTest::newRow("CV 33 above 0") << QList<int>{0, 1} << y << y << g;
        QTest::newRow("a tick that counts nowhere") << QList<int>{2, 3} << y << y << g;
        QTest::newRow("CV 43 above 0") << QList<int>{3, 2} << g << g << y;
    }
    void marks() {
        QFETCH(QList<int>, tickCell);
        QFETCH(int, f0);
        QFETCH(int, f1);
        QFETCH(int, f9);
        MappingModel m(probeTable());
        if (!tickCell.isEmpty())
            m.setTick(cell(Ticks, tickCell[0], tickCell[1]), true);
        QCOMPARE(m.columnColour(Ticks, 1), f0);
        QCOMPARE(m.columnColour(Ticks, 3), f1);
        QCOMPARE(m.columnColour(Ticks, 2), f9);
        QCOMPARE(m.columnColour(Ticks, 0), Colour::None);
        if (!tickCell.isEmpty())
            QCOMPARE(m.cellColour(cell(Ticks, tickCell[0], tickCell[1])), Colour::Yellow);
    }

    void markFollowsReadBackValueAlone() {
        MappingModel m(probeTable());
        m.CVeinlesen(33, 3);  // no row for bits 0 and 1, yet the CV is above 0
        QCOMPARE(m.columnColour(Ticks, 1), Colour::Yellow);
        QVERIFY(!m.isTicked(cell(Ticks, 0, 1)));
    }

    void readBackPairs_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("pairs");  // cv, value, cv, value, ...
        QTest::newRow("write line") << QStringList{"S 033 001"} << QList<int>{33, 1};
        QTest::newRow("letters and remarks are ignored")
            << QStringList{"L 034 002", "  035 003 Licht", "X 036 004remark"} << QList<int>{34, 2, 35, 3, 36, 4};
        QTest::newRow("table line with padding") << QStringList{"S 33  12  "} << QList<int>{33, 12};
        QTest::newRow("read-list line has no value") << QStringList{"L 033", "S 034"} << QList<int>{};
        QTest::newRow("no number in the value field") << QStringList{"S 033 abc", "S 033 -12"} << QList<int>{};
        QTest::newRow("value 0 is a value") << QStringList{"S 050 000"} << QList<int>{50, 0};
        QTest::newRow("value above 255 is none") << QStringList{"S 033 2550", "S 033 256"} << QList<int>{};
        QTest::newRow("four-digit CV survives") << QStringList{"S 1024 006"} << QList<int>{1024, 6};
        QTest::newRow("garbage and blanks") << QStringList{"", "   ", "hello world"} << QList<int>{};
        QTest::newRow("in file order") << QStringList{"S 046 128", "S 033 001"} << QList<int>{46, 128, 33, 1};
    }
    void readBackPairs() {
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, pairs);
        QList<int> got;
        for (const CvPair& p : mapping::readBackPairs(lines))
            got << p.cv << p.value;
        QCOMPARE(got, pairs);
    }

    void readBackGoesOnAfterLinesItCannotUse() {
        MappingModel m(probeTable());
        int notified = 0;
        m.setListener([&] { ++notified; });
        m.readBack({"S 033 255", "S 999 001", "garbage", "S 113 230", "S 055 099", "S 050 020"});
        QCOMPARE(notified, 1);
        QCOMPARE(m.cvValue(33), 255);
        QCOMPARE(m.cvValue(113), 230);
        QCOMPARE(m.text(cell(Output, 0, 0)), QStringLiteral("224"));
        QCOMPARE(m.cvValue(55), 99);
        QCOMPARE(m.cvValue(50), 20);
    }

    void lists() {
        MappingModel m(probeTable());
        QCOMPARE(m.saveLines(false), (QStringList{"S 033 000", "S 043 000", "S 049 000", "S 055 000", "S 060 000",
                                                  "S 113 015", "S 050 032", "S 056 060", "S 057 000", "S 058 000"}));
        QCOMPARE(m.saveLines(true), (QStringList{"S 113 015", "S 050 032", "S 056 060"}));
        m.setTick(cell(Ticks, 3, 2), true);
        QCOMPARE(m.clipboardLines(true), (QStringList{"S 043 001"}));
        QCOMPARE(m.clipboardLines(false), (QStringList{"S 033 000", "S 043 001"}));
        QCOMPARE(m.readListLines(), (QStringList{"L 033", "L 043", "L 055"}));
    }

    void clearRestoresStartValuesAndKeepsNames() {
        MappingModel m(probeTable());
        m.setText(cell(Ticks, 0, 0), QStringLiteral("Spitze"));
        m.readBack({"S 033 255", "S 049 017", "S 113 063", "S 050 001", "S 056 007", "S 060 042"});
        m.setTick(cell(Ticks, 3, 2), true);
        m.clear();
        const MappingModel fresh(probeTable());
        QCOMPARE(m.saveLines(false), fresh.saveLines(false));
        for (int r = 0; r < 8; ++r) {
            for (int c = 1; c <= 4; ++c)
                QVERIFY(!m.isTicked(cell(Ticks, r, c)));
        }
        QVERIFY(!m.isTicked(cell(Panel, 0, 0)));
        QCOMPARE(m.text(cell(Ticks, 0, 0)), QStringLiteral("Spitze"));
        QCOMPARE(m.columnColour(Ticks, 1), Colour::FaceGrey);
    }

    void factoryTicksThroughTheTickPathAndAssignsValues() {
        MappingModel m(probeTable());
        m.readBack({"S 049 024", "S 050 010", "S 033 016"});
        m.applyFactory();  // as after a delete answered No
        QCOMPARE(m.cvValue(33), 8 + 16);   // the factory tick joins the one there
        QCOMPARE(m.cvValue(43), 2);        // row E under F9 is bit 1
        QCOMPARE(m.cvValue(49), 0);        // assigned exactly, bits cleared
        QVERIFY(!m.isTicked(cell(Panel, 0, 3)));
        QCOMPARE(m.cvValue(50), 32);
        QCOMPARE(m.columnColour(Ticks, 2), Colour::Yellow);
    }

    void checkTableFindsMistakes_data() {
        QTest::addColumn<int>("mistake");
        QTest::addColumn<QString>("problem");
        QTest::newRow("CV twice") << 0 << "CV 33 named twice";
        QTest::newRow("cell outside") << 1 << "bit of CV 33 outside its grid: (0, 8, 1)";
        QTest::newRow("bit on a label") << 2 << "bit of CV 33 has the wrong kind of cell: (0, 0, 0)";
        QTest::newRow("save order") << 3 << "save order names CV 99, which no binding, composite or scalar holds";
        QTest::newRow("weight") << 4 << "CV 33: weight 3 is not one bit";
        QTest::newRow("no decoder") << 5 << "CV 55 has no decoder";
    }
    void checkTableFindsMistakes() {
        QFETCH(int, mistake);
        QFETCH(QString, problem);
        EditorTable t = probeTable();
        switch (mistake) {
        case 0: t.scalars.append(Scalar{33, {Settings, 2, 1}}); break;
        case 1: t.bindings[0].cells.append({{Ticks, 8, 1}, 1}); break;
        case 2: t.bindings[0].cells[0].cell = {Ticks, 0, 0}; break;
        case 3: t.saveOrder.append(99); break;
        case 4: t.bindings[0].cells[0].weight = 3; break;
        case 5: t.composites[0].decode = {}; break;
        }
        QVERIFY2(checkTable(t).contains(problem), qPrintable(checkTable(t).join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestMappingModel)
#include "tst_mappingmodel.moc"
