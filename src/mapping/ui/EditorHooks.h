#pragma once

class MappingEditor;

// Screen behaviour of one editor that its maker table cannot say. The window calls these at
// fixed points; a hook reaches everything through the editor: its model (cells and CVs),
// its grids by name (MappingGrid, one item view each, row and column indexes as the table's),
// its sliders, frames and labels by name, and its content widget to place controls of its
// own on (geometry in twips, setGeometryTwips). A change made through the model redraws the
// window by itself (and calls refresh() below).
// Examples of what belongs here: a scroll bar that scrolls several grids together (hide the
// columns before the first visible one), the current row followed from one grid into
// another, an 8-bit toggle panel over a Panel grid, a warning label that follows a value.
class EditorHooks {
public:
    virtual ~EditorHooks() = default;

    // Once, when the window's grids, decorations, sliders and menus stand and the model holds
    // its start contents (after FillArray); the place to add controls. refresh() follows.
    virtual void build(MappingEditor& editor) { (void)editor; }
    // After every change of the mapping (a tick, a choice, a slider, a read-back, Delete,
    // factory settings), once the grids show it. Shows state only: a change of the model
    // from here would come back here.
    virtual void refresh(MappingEditor& editor) { (void)editor; }
    // After "aktuelles Mapping löschen" answered Yes and after the factory settings, once the
    // grids show the result: the mapping was set back as a whole.
    virtual void reset(MappingEditor& editor) { (void)editor; }
    // The current cell of the grid with index `grid` moved to (row, col).
    virtual void currentCellMoved(MappingEditor& editor, int grid, int row, int col) {
        (void)editor;
        (void)grid;
        (void)row;
        (void)col;
    }
};
