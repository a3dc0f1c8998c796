#pragma once

#include "mapping/core/EditorTable.h"

#include <QAbstractTableModel>
#include <QPointer>
#include "app/ui/GridView.h"

namespace mapping {
class MappingModel;
}

// One grid of a mapping editor over the editor's model: the table's rows and columns as
// they are indexed there, check boxes for tick cells (a left click anywhere in the cell
// ticks it), value lists as drop-downs, colours from the marks, split captions above the
// column captions. Typed keys reach only the cells that take typed text. A right click
// asks for the File menu as a pop-up (popupRequested).
class MappingGrid : public GridView {
    Q_OBJECT
public:
    MappingGrid(mapping::MappingModel& model, int grid, QWidget* parent = nullptr);

    int gridIndex() const { return m_grid; }
    mapping::MappingModel& mappingModel() const { return m_model; }
    // The index of a cell in the view's own item model.
    QModelIndex cellIndex(int row, int col) const;

    // Ends an edit in progress so that the model holds the new value.
    void commitEdit();
    // Whether the cell's typed text is being edited (and committed) right now.
    bool editsCell(int row, int col) const;
    // Shows the model's current cells.
    void refresh();
    // Where the grid's caption or a split caption stands in its header (the part of its
    // columns the grid shows); empty for an unknown caption.
    QRect captionBand(const QString& caption) const;
    // The size the grid needs to show all its rows and visible columns, in pixels.
    QSize fittedSize() const;
    // The font of a one-line column caption too wide for its column: the header's, smaller
    // (an invalid QVariant when the caption fits).
    QVariant captionFont(int col) const;

    static QColor colour(int value);

signals:
    void popupRequested(const QPoint& globalPos);
    void currentCellMoved(int row, int col);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class ItemModel;
    class Delegate;
    class SplitHeader;

    mapping::CellRef cellOf(const QModelIndex& index) const { return {m_grid, index.row(), index.column()}; }

    mapping::MappingModel& m_model;
    int m_grid;
    ItemModel* m_items;
    Delegate* m_delegate;
    bool m_openListOnEdit = false;
};
