#pragma once

#include <QTableView>

// The grids of the program: Tab and Shift+Tab leave the grid for the window's next or
// previous control (also from a cell being edited, which is committed first); the arrow
// keys move between the cells.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

protected slots:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};
