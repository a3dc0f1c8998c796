#include "programming/ui/ProtocolGrid.h"

#include "programming/core/ProtocolTable.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {

bool acceptedChar(QChar c) {
    return (c >= u'0' && c <= u'9') || c == QChar(8);
}

class ProtocolDelegate : public QStyledItemDelegate {
public:
    ProtocolDelegate(ProtocolGrid* grid, bool colours, bool keyFilter)
        : QStyledItemDelegate(grid), m_grid(grid), m_colours(colours), m_keyFilter(keyFilter) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor); line && m_keyFilter) {
            line->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), line));
            line->installEventFilter(const_cast<ProtocolDelegate*>(this));
        }
        return editor;
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_keyFilter && event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched)) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QChar c = key->text().isEmpty() ? QChar() : key->text().at(0);
            // Tab and Escape keep their meaning in the editor.
            if (!c.isNull() && (c.isPrint() || c == QChar(8) || c == u'\r' || c == u'\n')) {
                if (c == u'\r' || c == u'\n') {
                    // The cell is committed first; the grid then treats Enter as its own.
                    QTimer::singleShot(0, m_grid, [grid = m_grid] {
                        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
                        QCoreApplication::sendEvent(grid, &enter);
                    });
                } else if (!m_grid->charTyped(c)) {
                    return true;
                }
            }
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!m_colours)
            return;
        const QString action = index.siblingAtColumn(ProtocolTable::ActionColumn).data().toString();
        if (auto bg = ProtocolGrid::rowBackground(action))
            option->backgroundBrush = *bg;
        if (auto fg = ProtocolGrid::rowText(action))
            option->palette.setColor(QPalette::Text, *fg);
    }

private:
    ProtocolGrid* m_grid;
    bool m_colours;
    bool m_keyFilter;
};

}  // namespace

ProtocolGrid::ProtocolGrid(Options options, QWidget* parent) : GridView(parent), m_options(options) {
    setItemDelegate(new ProtocolDelegate(this, options.rowColours, options.keyFilter));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")));
    horizontalHeader()->setMinimumSectionSize(fontMetrics().horizontalAdvance(QStringLiteral("00")));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit rowActivated(index.row());
    });
}

void ProtocolGrid::setTable(ProtocolTable* table) {
    m_table = table;
    QTableView::setModel(table);
    // Each new row comes into view once the window's events run: scrolling a long protocol
    // takes about half a millisecond, which a table run's next command must not wait for.
    connect(table, &QAbstractItemModel::rowsInserted, this, [this] { scrollToBottom(); }, Qt::QueuedConnection);
}

void ProtocolGrid::commitEdit() {
    const QModelIndex current = currentIndex();
    // Leaving the cell commits its editor.
    setCurrentIndex(QModelIndex());
    setCurrentIndex(current);
}

void ProtocolGrid::setEditing(bool on) {
    if (m_table)
        m_table->setEditable(on);
    setEditTriggers(on ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::SelectedClicked
                       : QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(on ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
}

int ProtocolGrid::headerWidth(const QString& caption) const {
    QStyleOptionHeader option;
    option.initFrom(horizontalHeader());
    option.text = caption;
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), horizontalHeader()).width();
}

void ProtocolGrid::fitColumns() {
    // The second column fits "Register" (fx and mfx) as well as "CV"; "Wert" takes what is
    // left, also once the scroll bar takes its share of the width.
    setColumnWidth(ProtocolTable::ActionColumn, headerWidth(QStringLiteral("Act.")));
    setColumnWidth(ProtocolTable::CvColumn, headerWidth(QStringLiteral("Register")));
    horizontalHeader()->setSectionResizeMode(ProtocolTable::ValueColumn, QHeaderView::Stretch);
}

std::optional<QColor> ProtocolGrid::rowBackground(const QString& action) {
    if (action == QLatin1String("L"))
        return QColor(0x88, 0xFF, 0x88);
    if (action == QLatin1String("S"))
        return QColor(0xDD, 0xA9, 0x31);
    return std::nullopt;
}

std::optional<QColor> ProtocolGrid::rowText(const QString& action) {
    if (action == QLatin1String("L"))
        return QColor(0x00, 0x00, 0x00);
    if (action == QLatin1String("S"))
        return QColor(0x00, 0x00, 0xFF);
    return std::nullopt;
}

bool ProtocolGrid::charTyped(QChar c) {
    const bool accepted = acceptedChar(c);
    const QModelIndex current = currentIndex();
    if (m_table && current.isValid()) {
        const int column = current.column();
        m_table->markTyped(current.row());
        setCurrentIndex(m_table->index(current.row(), column));
    }
    return accepted;
}

void ProtocolGrid::enterMove() {
    const QModelIndex current = currentIndex();
    if (!m_table || !current.isValid())
        return;
    const int row = qMin(current.row() + 1, m_table->rowCount() - 1);
    setCurrentIndex(m_table->index(row, current.column()));
    charTyped(u',');
    const int column = qMax(current.column() - 1, 0);
    setCurrentIndex(m_table->index(currentIndex().row(), column));
}

void ProtocolGrid::keyPressEvent(QKeyEvent* event) {
    const QChar c = event->text().isEmpty() ? QChar() : event->text().at(0);
    const bool typed = !c.isNull() && (c.isPrint() || c == QChar(8) || c == u'\r' || c == u'\n');
    if (!m_options.keyFilter || !m_table || !m_table->isEditable() || !typed) {
        QTableView::keyPressEvent(event);
        return;
    }
    if (c == u'\r' || c == u'\n') {
        charTyped(c);
        enterMove();
        return;
    }
    // A digit on an editable cell opens its editor, whose filter marks the row.
    const QModelIndex current = currentIndex();
    if (acceptedChar(c) && current.isValid() && (m_table->flags(current) & Qt::ItemIsEditable)) {
        QTableView::keyPressEvent(event);
        return;
    }
    charTyped(c);
}

void ProtocolGrid::contextMenuEvent(QContextMenuEvent* event) {
    emit menuRequested(event->globalPos());
}
