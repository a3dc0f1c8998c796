#pragma once

#include "app/ui/GridView.h"

#include <QColor>
#include <optional>

class ProtocolTable;

// The grid of a protocol table. The Intellibox window colours read and write rows and
// filters the keys typed while editing; the Lenz window shows the same table without both.
// A double click reports the row; what it repeats is the window's business.
class ProtocolGrid : public GridView {
    Q_OBJECT
public:
    struct Options {
        bool rowColours = true;
        bool keyFilter = true;
    };

    explicit ProtocolGrid(Options options, QWidget* parent = nullptr);

    void setTable(ProtocolTable* table);
    ProtocolTable* table() const { return m_table; }
    // Edit mode: cells except "Act." can be changed, the current row is highlighted.
    void setEditing(bool on);
    void fitColumns();
    // Commits a cell edit in progress, keeping the current cell.
    void commitEdit();

    // Row colours by action letter: "L" light green with black text, "S" orange with blue
    // text; others keep the grid's colours.
    static std::optional<QColor> rowBackground(const QString& action);
    static std::optional<QColor> rowText(const QString& action);

    // A key typed in the table (also inside a cell editor). Returns whether it is accepted.
    bool charTyped(QChar c);

signals:
    void rowActivated(int row);
    void menuRequested(const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void enterMove();
    // The width of a column whose header shows `caption` in full.
    int headerWidth(const QString& caption) const;

    Options m_options;
    ProtocolTable* m_table = nullptr;
};
