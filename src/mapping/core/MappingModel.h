#pragma once

#include "mapping/core/EditorTable.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace mapping {

// The state of one mapping editor: its grids' cells, kept consistent with the maker table's
// bindings, composites and scalars. Every change a user can make goes through here, so a
// tick, a choice or a slider recomputes its CV the same way whatever the editor; the window
// only shows the cells and forwards the user's actions.
class MappingModel {
public:
    explicit MappingModel(EditorTable table);

    const EditorTable& table() const { return m_table; }
    const GridSpec& grid(int g) const { return m_table.grids.at(g); }
    int gridCount() const { return int(m_table.grids.size()); }
    // The grid's index by name, -1 when there is none.
    int gridIndex(const QString& name) const;

    bool contains(const CellRef& c) const;
    CellKind kind(const CellRef& c) const;
    const ColumnSpec& column(int grid, int col) const;
    bool isTicked(const CellRef& c) const;
    int number(const CellRef& c) const;
    // The text a cell shows: a label's text, a number, a choice's list text (the number
    // when no entry has it); empty for a tick cell.
    QString text(const CellRef& c) const;
    // Whether the user may type into the cell.
    bool isTyped(const CellRef& c) const;
    // The start value of a Number or Choice cell (what Delete restores).
    int start(const CellRef& c) const;

    // The colour of a column (a mark group's yellow or grey, or the column's own), and the
    // colour of a cell (its grid's ticked colour when ticked, else its column's).
    int columnColour(int grid, int col) const;
    int cellColour(const CellRef& c) const;
    bool isMarked(int grid, int col) const;

    // A user's tick or untick: the CV of the cell's binding is recomputed. False (and no
    // change) for a cell that is no tick cell or refuses ticks.
    bool setTick(const CellRef& c, bool ticked);
    // A choice, a slider position or a typed number: a composite using the cell is
    // recomputed. False for a cell that takes no number.
    bool setNumber(const CellRef& c, int value);
    // Typed text of a typed Label cell (in capitals where the column says so; longer than
    // its maxLength is refused), or typed digits of a typed Number cell (a whole number
    // within the column's range; anything else is refused: false, no change).
    bool setText(const CellRef& c, const QString& text);

    // The value of a CV the editor holds (0 for one it does not).
    int cvValue(int cv) const;
    bool holdsCv(int cv) const { return m_items.contains(cv); }

    // The command lines of the saves and the clipboard ("S 033 001"), and the read list.
    QStringList saveLines(bool onlyAboveZero) const;
    QStringList clipboardLines(bool onlyAboveZero) const;
    QStringList readListLines() const;

    // Reads command lines back: CV and value of each line as the command-list reader gives
    // them; lines without a value field and values above 255 are left out, CVs the editor
    // does not hold are ignored. The whole list is applied before anyone is told.
    void readBack(const QStringList& lines);
    // One CV and its value read back (the editors' CVeinlesen).
    void CVeinlesen(int cv, int value);

    // Delete: no ticks, every Number and Choice cell at its start value.
    void clear();
    bool hasFactory() const { return !m_table.factory.empty(); }
    // The factory ticks through the tick path and the factory values (no question asked:
    // the window asks its delete question first).
    void applyFactory();

    // Called after every change of the cells, once per operation.
    void setListener(std::function<void()> listener) { m_listener = std::move(listener); }

private:
    enum class ItemKind { Binding, Composite, Scalar };
    struct Item {
        ItemKind kind;
        int index;
    };
    struct Cell {
        int number = 0;
        QString text;
    };

    static qint64 key(const CellRef& c) { return (qint64(c.grid) << 40) | (qint64(c.row) << 20) | c.col; }
    Cell& at(const CellRef& c) { return m_cells[c.grid][c.row * grid(c.grid).cols + c.col]; }
    const Cell& at(const CellRef& c) const { return m_cells[c.grid][c.row * grid(c.grid).cols + c.col]; }
    const CellSpec* cellSpec(const CellRef& c) const;
    CellRef valueCellOf(int cv) const;
    QStringList writeLines(const QList<int>& order, bool onlyAboveZero) const;

    // The cells at load: names and CV numbers, every setting at its start value, no ticks.
    void FillArray();
    void recomputeBinding(int index);
    void recomputeComposites(const CellRef& addend);
    // A value read back or assigned: `exact` sets the bits of an add-ticks binding exactly
    // too, and applies 0 whatever the start value.
    void apply(int cv, int value, bool exact);
    void notify() const;

    EditorTable m_table;
    QList<QList<Cell>> m_cells;
    QHash<int, Item> m_items;              // CV -> what holds it
    QHash<qint64, int> m_bindingOfCell;    // tick cell -> binding
    QHash<qint64, int> m_refused;          // refused tick cell -> binding
    QHash<qint64, QList<int>> m_compositesOfAddend;
    QHash<qint64, int> m_derivedOfCell;
    QHash<qint64, CellSpec> m_overrides;
    std::function<void()> m_listener;
};

// The pairs (CV, value) that a list's lines carry, in their order, as read back.
struct CvPair {
    int cv = 0;
    int value = 0;
    bool operator==(const CvPair&) const = default;
};
QList<CvPair> readBackPairs(const QStringList& lines);

}  // namespace mapping
