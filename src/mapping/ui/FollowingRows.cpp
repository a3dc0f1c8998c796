#include "mapping/ui/FollowingRows.h"

#include "mapping/ui/MappingEditor.h"
#include "mapping/ui/MappingGrid.h"

void FollowingRows::build(MappingEditor& editor) {
    MappingGrid* follower = editor.grid(m_follower);
    if (!follower)
        return;
    follower->setSelectionBehavior(QAbstractItemView::SelectRows);
    follower->setSelectionMode(QAbstractItemView::SingleSelection);
}

void FollowingRows::currentCellMoved(MappingEditor& editor, int grid, int row, int col) {
    (void)col;
    MappingGrid* lead = editor.grid(m_lead);
    MappingGrid* follower = editor.grid(m_follower);
    if (!lead || !follower)
        return;
    if (grid == lead->gridIndex()) {
        if (row < follower->model()->rowCount())
            follower->selectRow(row);  // moves its current row too, which comes back here
        else
            follower->clearSelection();
    } else if (grid == follower->gridIndex() && row < lead->model()->rowCount()) {
        const QModelIndex current = lead->currentIndex();
        if (!current.isValid() || current.row() != row)
            lead->setCurrentIndex(lead->cellIndex(row, current.isValid() ? current.column() : 0));
    }
}
