#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The maker table of a function-mapping editor. Every editor is the same engine
// (MappingModel) and the same window (MappingEditor) over one of these tables; a maker's
// editor is written by filling one in (see NmraTable.cpp and ZimoTable.cpp), plus, only
// for screen behaviour no table entry can say, an EditorHooks object (mapping/ui).
//
// Adding an editor: a table function beside nmraTable() in MakerTables.h, its row in
// tests/mapping/tst_makertables.cpp (checkTable and a round trip run on it), and its main-menu
// entry with the table (and hooks) in the list of mapping/ui/MappingEditors.cpp.
//
// The pieces, and how the engine uses them:
//
// * Grids. A grid is a store of rows x columns cells with the row and column indexes the
//   editor's handlers use (column 0 included; columns without a ColumnSpec, or `hidden`,
//   are not shown). Every grid has a name ("grdFA", "grdCV") that becomes the objectName of
//   its item view. A grid shows, above its column captions, its `caption` and its split
//   captions (each over a range of columns); several splits are still one view. It is
//   sized to its rows and columns unless the geometry gives a size, and `underGrid`
//   places it so that one of its columns stands under a column of another grid.
//   A grid of kind Panel has no item view: its cells are the state of a component a hook
//   builds (the 8-bit toggle panel: one row, tick cells 0..7 for the bits and a Number
//   cell for the byte, bound by an ExactBits binding).
//   Each column says what its cells are (CellKind); single cells can say otherwise
//   (GridSpec::cells), e.g. a "---" label in the row that has no CV.
//   Typed keys reach only typed cells (Typing::TicksBySpace also lets Space tick); a
//   right click opens the File menu unless `popsMenu` is false.
//
// * Cells. Label: text, shown as it stands (Number cells that hold CV numbers are labels
//   too). Tick: a check box, ticked or not. Number: a whole number, 0..255 as a rule;
//   it is the value cell of a CV when a binding, composite or scalar names it, and then
//   computed, never typed unless the column is `typed` (typed Labels, such as names, are
//   never saved). Choice: a number picked from a
//   value list; the cell shows the entry's text, or the number itself when no entry has
//   it. Slider: a horizontal scroll bar standing in the cell, moving the Number cell of the
//   same row in column `sliderTarget` (and, with `sliderSelectsRow`, making that row the
//   grid's current row first). A bar shows a value beyond its range at its nearest end and
//   leaves the value as it is. A typed Label may be held to capitals and a length.
//
// * Bit bindings (BitBinding): one CV is the sum of the weights of its ticked cells. A
//   column-per-CV editor binds the cells of one column (columnBits), a row-per-CV editor the
//   cells of one row (rowBits); a bit window with an offset is just another cell list
//   (columnBits(grid, col, firstRow, rows, firstBit)), reversed bit orders step -1. A tick
//   in a cell no binding names changes no value (NMRA rows outside a window). A tick in a
//   `refused` cell is taken back at once (Lenz rows F..H under F0..F3).
//   Read back: the value cell takes the file's value; ReadBack::AddTicks ticks the cells of
//   the set bits and clears none (a read merges into what is there), ReadBack::ExactBits
//   sets every cell to its bit (toggle panels: the state follows the value) and keeps only
//   the bits it has cells for (a panel of three bits holds a value 0..7). A bit without
//   a cell is ignored. A value 0 is ignored unless `storesZero` (then the value cell takes
//   0 and the ticks stay).
//
// * Composites (Composite): the value cell is the sum of factor x addend over its addends,
//   recomputed when one changes (a choice, a slider). Addends are Number or Choice cells;
//   `decode` splits a value read back into its addends (nullopt leaves one as it is).
//   The value cell always shows the file's value, even when the addends cannot show it. A
//   read-back 0 is applied only when the value cell does not start at 0 or `storesZero`.
//
// * Scalars (Scalar): one Number cell is the CV value (a slider or typed text sets it).
//   Read back sets the cell, also beyond a slider's range; 0 is applied only when the cell
//   does not start at 0 or `storesZero`.
//
// * Derived texts (DerivedText): a Label cell whose text follows a Number cell
//   (a unit text such as "3,00 Sec.").
//
// * Marks (MarkGroup): target columns are coloured Colour::Yellow when any source is
//   lit (a value cell above 0, or a tick anywhere in a source column), else
//   Colour::FaceGrey. A ticked cell is shown in its grid's `tickedColour` whatever its
//   column's colour.
//
// * Lists: saveOrder (both saves; "nur CVs > 0" leaves out values of 0), clipboardOrder
//   (empty: the same as saveOrder), readList (the "L" lines; it may name CVs no cell
//   holds). Each CV is named once in the editor: by a binding, a composite or a scalar; the
//   read-back dispatch goes by that. A list is read back whole before it is applied; a line
//   without a value ("L 033"), a value above 255 and a CV the editor does not hold are
//   passed over, and the rest of the list is read.
//
// * Delete: every tick cleared, every Number and Choice cell back to its start value.
//   Factory: the delete's question first, then `factory.ticks` ticked through the same path
//   as a user's tick and `factory.values` assigned (bits exactly, settings decoded).
//
// * Window: caption, size, menu texts, and plain decorations (frames, labels, free sliders).
//   Geometry is in twips inside the window's client area below the menu bar.
namespace mapping {

// 24-bit colours, red in the low byte, as the editors' tables hold them.
namespace Colour {
constexpr int None = -1;  // the grid's ordinary background
constexpr int Yellow = 65535;
constexpr int FaceGrey = 13160660;
constexpr int White = 16777215;
constexpr int Green = 49152;
}  // namespace Colour

struct CellRef {
    int grid = 0;
    int row = 0;
    int col = 0;
    bool operator==(const CellRef&) const = default;
};

struct GridColumn {
    int grid = 0;
    int col = 0;
    bool operator==(const GridColumn&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;   // 0 in a grid: fit the columns
    int height = 0;  // 0 in a grid: fit the rows
};

enum class CellKind { None, Label, Tick, Number, Choice, Slider };
enum class Align { Left, Center, Right };

struct ListEntry {
    int value = 0;
    QString text;
};
using ValueList = QList<ListEntry>;

struct ColumnSpec {
    QString caption;
    int width = 480;  // twips
    Align align = Align::Center;
    CellKind kind = CellKind::None;
    QStringList texts;     // Label: the rows' texts, row 0 first; rows beyond stay empty
    int start = 0;         // Number, Choice: every row's value at load and after Delete
    ValueList list;        // Choice
    int min = 0;           // Number: the range typed text must lie in; Slider: the bar's range
    int max = 255;
    bool typed = false;    // Number (a whole number min..max) or Label takes typed text
    bool upperCase = false;  // typed Label: the text is kept in capitals
    int maxLength = 0;       // typed Label: the most characters it takes; 0: no limit
    int sliderTarget = -1;      // Slider: the Number column of the same row it moves
    QString sliderName;         // Slider: objectName of row r's bar is sliderName_(r + sliderIndexBase)
    int sliderIndexBase = 0;
    bool sliderSelectsRow = false;  // Slider: moving a bar makes its row the grid's current row
    int smallChange = 1;
    int largeChange = 1;
    int background = Colour::None;  // a fixed column colour (e.g. White); marks override it
    bool hidden = false;
};

// One cell that is not what its column says. A Slider cell of a Slider column may give
// its own range and steps (rows of one column with different ranges); maxValue < minValue
// keeps the column's.
struct CellSpec {
    int row = 0;
    int col = 0;
    CellKind kind = CellKind::Label;
    QString text;
    int start = 0;
    int minValue = 0;
    int maxValue = -1;
    int smallChange = 1;
    int largeChange = 1;
};

// Split captions stand above the column captions over their columns first..last.
struct SplitSpec {
    QString caption;
    int first = 0;
    int last = 0;
};

enum class GridKind { Table, Panel };

// What typed keys do in a grid. SwallowAll: nothing reaches a cell but the typed text of
// `typed` columns. TicksBySpace: as SwallowAll, but Space toggles a tick cell.
enum class Typing { SwallowAll, TicksBySpace };

struct GridSpec {
    QString name;
    QString caption;  // a title band over the whole grid, above the split captions
    int rows = 0;
    int cols = 0;
    GridKind kind = GridKind::Table;
    QList<ColumnSpec> columns;  // index = column; columns beyond the list are hidden
    QList<CellSpec> cells;
    QList<SplitSpec> splits;    // none: a plain caption row
    Rect geometry;
    bool headers = true;
    int rowHeight = 285;        // twips
    int captionLines = 1;       // column captions wrap onto as many lines, each a row high
    int tickedColour = Colour::Yellow;  // Colour::None: ticked cells keep the column colour
    Typing typing = Typing::SwallowAll;
    // Places the grid so that its column `alignCol` stands under column `underCol` of grid
    // `underGrid` (the value row under the tick columns); -1: geometry.left as given.
    int underGrid = -1;
    int underCol = 0;
    int alignCol = 0;
    bool popsMenu = true;  // a right click opens "&Datei" as a pop-up
};

struct BitCell {
    CellRef cell;
    int weight = 1;
};

enum class ReadBack { AddTicks, ExactBits };

struct BitBinding {
    int cv = 0;
    CellRef value;
    QList<BitCell> cells;
    ReadBack readBack = ReadBack::AddTicks;
    bool storesZero = false;
    QList<CellRef> refused;  // tick cells whose ticks are taken back at once
};

struct Addend {
    CellRef cell;
    int factor = 1;
};

// The addends of a value read back, one per Addend; nullopt leaves that one as it is.
using Decoder = std::function<QList<std::optional<int>>(int value)>;

struct Composite {
    int cv = 0;
    CellRef value;
    QList<Addend> addends;
    Decoder decode;
    bool storesZero = false;  // a read-back 0 is applied even where the value starts at 0
};

struct Scalar {
    int cv = 0;
    CellRef value;
    bool storesZero = false;
};

struct DerivedText {
    CellRef cell;
    CellRef source;
    std::function<QString(int value)> format;
};

struct MarkGroup {
    QList<GridColumn> targets;
    QList<CellRef> nonZero;      // lit when one of these value cells is above 0
    QList<GridColumn> anyTick;   // lit when one of these columns holds a tick
};

struct CvValue {
    int cv = 0;
    int value = 0;
};

struct Factory {
    QList<CellRef> ticks;
    QList<CvValue> values;
    bool empty() const { return ticks.isEmpty() && values.isEmpty(); }
};

// A frame with an optional caption (a 3D panel, a note panel); a width or height of 0
// reaches to the grids' right or bottom edge and a margin beyond.
struct FrameSpec {
    QString name;
    QString caption;
    Rect geometry;
    bool popsMenu = false;
};

struct LabelSpec {
    QString name;
    QString text;
    Rect geometry;
};

// A horizontal scroll bar outside the grids that moves a Number cell. `followsCurrentRow`:
// it moves the cell of the target grid's current row and shows that row's value when the
// row changes.
struct SliderSpec {
    QString name;
    Rect geometry;
    CellRef target;
    int min = 0;
    int max = 255;
    bool followsCurrentRow = false;
    int smallChange = 1;
    int largeChange = 1;
    bool inverted = false;  // the range's end stands at the left; arrows and keys still step the way they point
    bool followsTyping = true;  // false: a value typed into the target cell leaves the bar where it stands
};

struct MenuTexts {
    QString saveAll = QStringLiteral("alle CVs in Datei speichern");
    QString saveAboveZero = QStringLiteral("nur CVs > 0 in Datei speichern");
    QString clipboardAll = QStringLiteral("alle CVs ins Clipboard schreiben");
    QString clipboardAboveZero = QStringLiteral("nur CVs > 0 ins Clipboard schreiben");
    QString readBack = QStringLiteral("Mapping aus Datei einlesen");
    QString clear = QStringLiteral("aktuelles Mapping löschen");
    QString readList = QStringLiteral("Einlese-Datei erzeugen");
    QString factory;           // empty: the editor has no factory settings
    // Further "E&xtras" entries without an action: objectName and caption.
    QList<QPair<QString, QString>> inertExtras;
};

struct EditorTable {
    QString name;      // the window's objectName, "frmFM_NMRA"
    QString caption;
    QString helpPage;
    int width = 0;     // twips; 0: fit the grids
    int height = 0;
    MenuTexts menu;

    QList<GridSpec> grids;
    QList<FrameSpec> frames;
    QList<LabelSpec> labels;
    QList<SliderSpec> sliders;

    QList<BitBinding> bindings;
    QList<Composite> composites;
    QList<Scalar> scalars;
    QList<DerivedText> derived;
    QList<MarkGroup> marks;

    QList<int> saveOrder;
    QList<int> clipboardOrder;
    QList<int> readList;
    Factory factory;
};

// Builders for the common shapes.

// "F0  V", "F0  R" (two blanks) and "F1".."Fn": `key` 0 and 1 are F0 forward and reverse,
// key k >= 2 is F(k - 1).
QString keyCaption(int key);

// Tick columns captioned keyCaption(0) .. keyCaption(keys - 1), 480 twips wide.
QList<ColumnSpec> keyColumns(int keys);
ColumnSpec labelColumn(const QString& caption, int width, const QStringList& texts, Align align = Align::Left);
ColumnSpec tickColumn(const QString& caption, int width = 480);
ColumnSpec numberColumn(const QString& caption, int width, int start = 0, int min = 0, int max = 255);
ColumnSpec choiceColumn(const QString& caption, int width, const ValueList& list, int start = 0);
// Scroll bars min..max in every row's cell, each moving the Number cell of its row in column
// `target`; row r's bar is named name_(r + indexBase).
ColumnSpec sliderColumn(const QString& caption, int width, int target, const QString& name, int max,
                        int largeChange = 1, int indexBase = 0);

// The cells rows firstRow..firstRow+rows-1 of a column, weights 2^firstBit, 2^(firstBit+1), ...
QList<BitCell> columnBits(int grid, int col, int firstRow, int rows, int firstBit = 0);
// The cells columns firstCol..firstCol+cols-1 of a row; `step` -1 counts the bits down.
QList<BitCell> rowBits(int grid, int row, int firstCol, int cols, int firstBit = 0, int step = 1);

// The value grid: row 0 "CV" and the CV numbers, row 1 "Wert" and the values (0), column 0
// 495 twips wide and the others 480, centred; column k holds cvs[k - 1].
GridSpec valueGrid(const QString& name, const QList<int>& cvs);

// Rows firstRow .. firstRow + rows - 1 of a key column, the first of them bit firstBit.
struct BitWindow {
    int firstRow = 0;
    int rows = 8;
    int firstBit = 0;
};
// One CV per key column, as the NMRA mapping has it: key k (column firstTick + k of grid
// `ticks`) is CV firstCv + k, shown in column firstValue + k of the value grid `values`,
// with the bits of windows[k]; its column is marked while the CV is above 0. Appends the
// bindings, the marks and the CVs to the save order.
void addKeyBindings(EditorTable& table, int ticks, int values, int firstTick, int firstCv,
                    const QList<BitWindow>& windows, int firstValue = 1);
// The cells (row, firstCol + row) for rows 0 .. rows - 1: each output on its own key.
QList<CellRef> diagonal(int grid, int firstCol, int rows);
// first, first + 1, .. last.
QList<int> cvRange(int first, int last);

// The store of an 8-bit toggle panel: one row, tick cells 0..7 for the bits, a Number cell
// 8 for the byte; and its binding, which the panel's state follows exactly on read-back.
GridSpec togglePanel(const QString& name);
BitBinding togglePanelBinding(int cv, int grid);

// Each addend = value & mask.
Decoder maskDecoder(const QList<int>& masks);

// The problems of a table (cells outside their grid, a CV named twice, a list naming an
// unknown CV, ...); empty for a sound table.
QStringList checkTable(const EditorTable& table);

}  // namespace mapping
