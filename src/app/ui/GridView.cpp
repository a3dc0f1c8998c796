#include "app/ui/GridView.h"

GridView::GridView(QWidget* parent) : QTableView(parent) {
    setTabKeyNavigation(false);
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // An editor ends with "edit the next cell" on Tab and "the previous" on Shift+Tab.
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool previous = hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, next || previous ? QAbstractItemDelegate::NoHint : hint);
    if (next || previous)
        focusNextPrevChild(next);
}
