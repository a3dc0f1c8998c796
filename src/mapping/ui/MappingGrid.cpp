#include "mapping/ui/MappingGrid.h"

#include "app/ui/Twips.h"
#include "mapping/core/MappingModel.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>

using namespace mapping;

namespace {
constexpr double minCaptionPoints = 5;

Qt::Alignment alignmentOf(Align align) {
    switch (align) {
    case Align::Left: return Qt::AlignLeft | Qt::AlignVCenter;
    case Align::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case Align::Center: break;
    }
    return Qt::AlignCenter;
}
}  // namespace

QColor MappingGrid::colour(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The model's cells as an item model; every change goes to the mapping model, which
// recomputes and tells the window.
class MappingGrid::ItemModel : public QAbstractTableModel {
public:
    ItemModel(MappingModel& model, int grid, QObject* parent) : QAbstractTableModel(parent), m_model(model), m_grid(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : spec().rows; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : spec().cols; }

    QVariant data(const QModelIndex& index, int role) const override {
        const CellRef c{m_grid, index.row(), index.column()};
        const CellKind kind = m_model.kind(c);
        switch (role) {
        case Qt::DisplayRole:
            return kind == CellKind::Tick || kind == CellKind::Slider ? QVariant() : QVariant(m_model.text(c));
        case Qt::EditRole:
            return kind == CellKind::Choice ? QVariant(m_model.number(c)) : QVariant(m_model.text(c));
        case Qt::CheckStateRole:
            if (kind != CellKind::Tick)
                return {};
            return m_model.isTicked(c) ? Qt::Checked : Qt::Unchecked;
        case Qt::BackgroundRole: {
            const int colour = m_model.cellColour(c);
            return colour == Colour::None ? QVariant() : QVariant(MappingGrid::colour(colour));
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignmentOf(m_model.column(m_grid, index.column()).align));
        default:
            return {};
        }
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        const CellRef c{m_grid, index.row(), index.column()};
        switch (m_model.kind(c)) {
        case CellKind::Tick:
            return role == Qt::CheckStateRole && m_model.setTick(c, value.toInt() == Qt::Checked);
        case CellKind::Choice:
            return role == Qt::EditRole && m_model.setNumber(c, value.toInt());
        case CellKind::Number:
        case CellKind::Label:
            return role == Qt::EditRole && m_model.setText(c, value.toString());
        default:
            return false;
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        const CellRef c{m_grid, index.row(), index.column()};
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        const CellKind kind = m_model.kind(c);
        if (kind == CellKind::Tick)
            f |= Qt::ItemIsUserCheckable;
        if (kind == CellKind::Choice || m_model.isTyped(c))
            f |= Qt::ItemIsEditable;
        return f;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal)
            return {};
        if (role == Qt::DisplayRole)
            return m_model.column(m_grid, section).caption;
        if (role == Qt::TextAlignmentRole) {
            const int a = int(alignmentOf(m_model.column(m_grid, section).align));
            return spec().captionLines > 1 ? QVariant(a | Qt::TextWordWrap) : QVariant(a);
        }
        if (role == Qt::FontRole && spec().captionLines == 1)
            return static_cast<const MappingGrid*>(QObject::parent())->captionFont(section);
        return {};
    }

    void refresh() {
        if (rowCount() > 0 && columnCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }

private:
    const GridSpec& spec() const { return m_model.grid(m_grid); }
    MappingModel& m_model;
    int m_grid;
};

// Tick cells: a centred check box on the cell's colour, toggled by a left click anywhere in
// the cell (and by Space where the grid allows it). Choice cells: a drop-down of the value
// list that commits as soon as an entry is picked. Typed number cells: digits only.
class MappingGrid::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(MappingGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (m_grid.m_model.kind(m_grid.cellOf(index)) != CellKind::Tick) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem base = option;
        initStyleOption(&base, index);
        base.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        QStyle* style = m_grid.style();
        style->drawControl(QStyle::CE_ItemViewItem, &base, painter, &m_grid);
        QStyleOptionButton check;
        check.initFrom(&m_grid);
        const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &check, &m_grid);
        const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &check, &m_grid);
        check.rect = QRect(0, 0, w, h);
        check.rect.moveCenter(option.rect.center());
        check.state = QStyle::State_Enabled |
                      (index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &check, painter, &m_grid);
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        if (m_grid.m_model.kind(m_grid.cellOf(index)) != CellKind::Tick)
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        bool toggle = false;
        switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            toggle = mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint());
            break;
        }
        case QEvent::MouseButtonPress:
            // The press is the check box's, yet the cell becomes current as any clicked cell
            // does: what follows the current row relies on it.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && index != m_grid.currentIndex())
                m_grid.setCurrentIndex(index);
            return true;
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::KeyPress:
            toggle = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space &&
                     m_grid.m_model.grid(m_grid.m_grid).typing == Typing::TicksBySpace;
            break;
        default:
            break;
        }
        if (!toggle)
            return false;
        const bool ticked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        model->setData(index, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        return true;
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const CellRef c = m_grid.cellOf(index);
        if (m_grid.m_model.kind(c) == CellKind::Choice) {
            auto* combo = new QComboBox(parent);
            for (const ListEntry& e : m_grid.m_model.column(c.grid, c.col).list)
                combo->addItem(e.text, e.value);
            combo->setPlaceholderText(m_grid.m_model.text(c));
            QObject::connect(combo, &QComboBox::activated, combo, [this, combo] {
                auto* self = const_cast<Delegate*>(this);
                emit self->commitData(combo);
                emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
            });
            if (m_grid.m_openListOnEdit)
                QTimer::singleShot(0, combo, &QComboBox::showPopup);
            m_editor = combo;
            return combo;
        }
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            const ColumnSpec& column = m_grid.m_model.column(c.grid, c.col);
            if (m_grid.m_model.kind(c) == CellKind::Number) {
                edit->setMaxLength(QString::number(column.max).size());
                edit->setValidator(new QIntValidator(column.min, column.max, edit));
            } else if (column.maxLength > 0) {
                edit->setMaxLength(column.maxLength);
            }
        }
        m_editor = editor;
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentIndex(combo->findData(index.data(Qt::EditRole)));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            if (combo->currentIndex() >= 0)
                model->setData(index, combo->currentData(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

    QWidget* openEditor() const { return m_editor; }

private:
    MappingGrid& m_grid;
    mutable QPointer<QWidget> m_editor;
};

// Column captions under the split captions, and the grid's caption above them all; a split
// caption spans its columns, the grid's caption every column.
class MappingGrid::SplitHeader : public QHeaderView {
public:
    SplitHeader(const GridSpec& spec, int rowHeight, QWidget* parent)
        : QHeaderView(Qt::Horizontal, parent), m_caption(spec.caption), m_splits(spec.splits), m_rowHeight(rowHeight),
          m_captionLines(std::max(1, spec.captionLines)) {}

    QSize sizeHint() const override {
        return {QHeaderView::sizeHint().width(), m_rowHeight * (bands() - 1 + m_captionLines)};
    }

    // Where the band of a caption (the grid's or a split's) stands, in the header's viewport;
    // empty for a caption the header does not show.
    QRect band(const QString& caption) const {
        const int height = this->height() / bands();
        int top = 0;
        if (!m_caption.isEmpty()) {
            if (caption == m_caption)
                return bandRect(wholeGrid(), top, height);
            top += height;
        }
        for (const SplitSpec& split : m_splits) {
            if (split.caption == caption)
                return bandRect(split, top, height);
        }
        return {};
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        const int band = m_rowHeight;
        int top = rect.top();
        if (!m_caption.isEmpty()) {
            paintBand(painter, rect, top, band, wholeGrid());
            top += band;
        }
        for (const SplitSpec& split : m_splits) {
            if (logicalIndex >= split.first && logicalIndex <= split.last)
                paintBand(painter, rect, top, band, split);
        }
        if (!m_splits.isEmpty())
            top += band;
        QHeaderView::paintSection(painter, QRect(rect.left(), top, rect.width(), rect.bottom() + 1 - top), logicalIndex);
    }

private:
    int bands() const { return 1 + (m_caption.isEmpty() ? 0 : 1) + (m_splits.isEmpty() ? 0 : 1); }
    SplitSpec wholeGrid() const { return {m_caption, 0, count() - 1}; }

    // The span's columns as far as the grid shows them: a caption over columns that reach
    // beyond the grid's edge stays centred over the part that can be seen.
    QRect bandRect(const SplitSpec& span, int top, int height) const {
        const int left = std::max(spanEdge(span, true), 0);
        const int right = std::min(spanEdge(span, false), viewport()->width());
        return right > left ? QRect(left, top, right - left, height) : QRect();
    }

    // The band over the span's columns, drawn piece by piece by each of its sections.
    void paintBand(QPainter* painter, const QRect& section, int top, int height, const SplitSpec& span) const {
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.rect = bandRect(span, top, height);
        option.section = 0;
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = span.caption;
        option.textAlignment = Qt::AlignCenter;
        painter->save();
        painter->setFont(font());  // not the section's own caption font
        painter->setClipRect(QRect(section.left(), top, section.width(), height));
        style()->drawControl(QStyle::CE_Header, &option, painter, this);
        painter->restore();
    }

    int spanEdge(const SplitSpec& span, bool leftEdge) const {
        if (leftEdge) {
            for (int c = span.first; c <= span.last; ++c) {
                if (!isSectionHidden(c))
                    return sectionViewportPosition(c);
            }
            return 0;
        }
        for (int c = span.last; c >= span.first; --c) {
            if (!isSectionHidden(c))
                return sectionViewportPosition(c) + sectionSize(c);
        }
        return 0;
    }

    QString m_caption;
    QList<SplitSpec> m_splits;
    int m_rowHeight;
    int m_captionLines;
};

MappingGrid::MappingGrid(MappingModel& model, int grid, QWidget* parent)
    : GridView(parent), m_model(model), m_grid(grid), m_items(new ItemModel(model, grid, this)),
      m_delegate(new Delegate(*this)) {
    const GridSpec& spec = model.grid(grid);
    setObjectName(spec.name);
    const int rowHeight = twips(spec.rowHeight);
    setHorizontalHeader(new SplitHeader(spec, rowHeight, this));
    setModel(m_items);
    setItemDelegate(m_delegate);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setVisible(spec.headers);
    horizontalHeader()->viewport()->installEventFilter(this);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);
    setWordWrap(false);
    for (int c = 0; c < spec.cols; ++c) {
        const ColumnSpec& column = model.column(grid, c);
        setColumnWidth(c, twips(column.width));
        setColumnHidden(c, c >= spec.columns.size() || column.hidden);
    }
    // Splits of the same grid are one view here: the grid is sized to show every column, and
    // a grid narrower than its columns never scrolls by itself, so that grids standing one
    // under the other stay aligned (a hook shows other columns by hiding some).
    setAutoScroll(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QModelIndex MappingGrid::cellIndex(int row, int col) const {
    return m_items->index(row, col);
}

void MappingGrid::commitEdit() {
    if (QWidget* editor = m_delegate->openEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool MappingGrid::editsCell(int row, int col) const {
    return state() == QAbstractItemView::EditingState && currentIndex() == cellIndex(row, col);
}

void MappingGrid::refresh() {
    m_items->refresh();
    horizontalHeader()->viewport()->update();
}

QRect MappingGrid::captionBand(const QString& caption) const {
    return static_cast<const SplitHeader*>(horizontalHeader())->band(caption);
}

QVariant MappingGrid::captionFont(int col) const {
    const QHeaderView* header = horizontalHeader();
    const QString caption = m_model.column(m_grid, col).caption;
    const int room = columnWidth(col) - 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) - 2;
    const int needed = header->fontMetrics().horizontalAdvance(caption);
    if (caption.isEmpty() || room <= 0 || needed <= room)
        return {};
    // The columns keep their widths; a caption wider than its column is set smaller.
    QFont font = header->font();
    font.setPointSizeF(std::max(minCaptionPoints, font.pointSizeF() * room / needed));
    return font;
}

QSize MappingGrid::fittedSize() const {
    int width = 2 * frameWidth();
    for (int c = 0; c < m_items->columnCount(); ++c) {
        if (!isColumnHidden(c))
            width += columnWidth(c);
    }
    int height = 2 * frameWidth() + m_items->rowCount() * verticalHeader()->defaultSectionSize();
    if (!horizontalHeader()->isHidden())
        height += horizontalHeader()->sizeHint().height();
    return {width, height};
}

void MappingGrid::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool types = !text.isEmpty() && text.at(0).isPrint();
    if (types) {
        const CellRef c = cellOf(currentIndex());
        const bool space = event->key() == Qt::Key_Space && m_model.kind(c) == CellKind::Tick &&
                           m_model.grid(m_grid).typing == Typing::TicksBySpace;
        if (!currentIndex().isValid() || !(m_model.isTyped(c) || space)) {
            event->accept();  // typed characters reach no cell
            return;
        }
    }
    GridView::keyPressEvent(event);
}

void MappingGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (m_model.grid(m_grid).popsMenu)
            emit popupRequested(event->globalPosition().toPoint());
        return;
    }
    GridView::mousePressEvent(event);
}

void MappingGrid::mouseReleaseEvent(QMouseEvent* event) {
    GridView::mouseReleaseEvent(event);
    // A click on a choice cell drops its list down.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && m_model.kind(cellOf(index)) == CellKind::Choice &&
        state() != QAbstractItemView::EditingState) {
        m_openListOnEdit = true;
        edit(index);
        m_openListOnEdit = false;
    }
}

void MappingGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    GridView::currentChanged(current, previous);
    if (current.isValid() && current != previous)
        emit currentCellMoved(current.row(), current.column());
}

bool MappingGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton && m_model.grid(m_grid).popsMenu) {
            emit popupRequested(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return GridView::eventFilter(watched, event);
}
