#include "mapping/core/MappingModel.h"

#include "app/core/CvCommandList.h"
#include "base/core/TextNumbers.h"

#include <utility>

namespace mapping {

namespace {
constexpr int highestValue = 255;
const ColumnSpec noColumn;
}  // namespace

MappingModel::MappingModel(EditorTable table) : m_table(std::move(table)) {
    for (int g = 0; g < m_table.grids.size(); ++g) {
        for (const CellSpec& s : m_table.grids.at(g).cells)
            m_overrides.insert(key({g, s.row, s.col}), s);
    }
    for (int i = 0; i < m_table.bindings.size(); ++i) {
        const BitBinding& b = m_table.bindings.at(i);
        m_items.insert(b.cv, {ItemKind::Binding, i});
        for (const BitCell& bit : b.cells)
            m_bindingOfCell.insert(key(bit.cell), i);
        for (const CellRef& c : b.refused)
            m_refused.insert(key(c), i);
    }
    for (int i = 0; i < m_table.composites.size(); ++i) {
        const Composite& c = m_table.composites.at(i);
        m_items.insert(c.cv, {ItemKind::Composite, i});
        for (const Addend& p : c.addends)
            m_compositesOfAddend[key(p.cell)].append(i);
    }
    for (int i = 0; i < m_table.scalars.size(); ++i)
        m_items.insert(m_table.scalars.at(i).cv, {ItemKind::Scalar, i});
    for (int i = 0; i < m_table.derived.size(); ++i)
        m_derivedOfCell.insert(key(m_table.derived.at(i).cell), i);
    FillArray();
}

int MappingModel::gridIndex(const QString& name) const {
    for (int g = 0; g < m_table.grids.size(); ++g) {
        if (m_table.grids.at(g).name == name)
            return g;
    }
    return -1;
}

bool MappingModel::contains(const CellRef& c) const {
    return c.grid >= 0 && c.grid < gridCount() && c.row >= 0 && c.row < grid(c.grid).rows && c.col >= 0 &&
           c.col < grid(c.grid).cols;
}

const CellSpec* MappingModel::cellSpec(const CellRef& c) const {
    const auto it = m_overrides.constFind(key(c));
    return it == m_overrides.constEnd() ? nullptr : &it.value();
}

const ColumnSpec& MappingModel::column(int g, int col) const {
    const GridSpec& spec = grid(g);
    return col >= 0 && col < spec.columns.size() ? spec.columns.at(col) : noColumn;
}

CellKind MappingModel::kind(const CellRef& c) const {
    if (!contains(c))
        return CellKind::None;
    if (const CellSpec* s = cellSpec(c))
        return s->kind;
    return column(c.grid, c.col).kind;
}

int MappingModel::start(const CellRef& c) const {
    if (const CellSpec* s = cellSpec(c))
        return s->start;
    return column(c.grid, c.col).start;
}

void MappingModel::FillArray() {
    m_cells.clear();
    for (int g = 0; g < gridCount(); ++g) {
        const GridSpec& spec = grid(g);
        QList<Cell> cells(qsizetype(spec.rows) * spec.cols);
        for (int r = 0; r < spec.rows; ++r) {
            for (int col = 0; col < spec.cols; ++col) {
                Cell& cell = cells[r * spec.cols + col];
                const CellRef ref{g, r, col};
                const CellSpec* s = cellSpec(ref);
                const CellKind k = s ? s->kind : column(g, col).kind;
                if (k == CellKind::Label)
                    cell.text = s ? s->text : column(g, col).texts.value(r);
                else if (k == CellKind::Number || k == CellKind::Choice)
                    cell.number = start(ref);
            }
        }
        m_cells.append(cells);
    }
}

bool MappingModel::isTicked(const CellRef& c) const {
    return kind(c) == CellKind::Tick && at(c).number != 0;
}

int MappingModel::number(const CellRef& c) const {
    const CellKind k = kind(c);
    return k == CellKind::Number || k == CellKind::Choice ? at(c).number : 0;
}

QString MappingModel::text(const CellRef& c) const {
    switch (kind(c)) {
    case CellKind::Label: {
        const auto d = m_derivedOfCell.constFind(key(c));
        if (d != m_derivedOfCell.constEnd()) {
            const DerivedText& derived = m_table.derived.at(d.value());
            return derived.format(number(derived.source));
        }
        return at(c).text;
    }
    case CellKind::Number:
        return QString::number(at(c).number);
    case CellKind::Choice: {
        const int value = at(c).number;
        for (const ListEntry& e : column(c.grid, c.col).list) {
            if (e.value == value)
                return e.text;
        }
        return QString::number(value);
    }
    default:
        return {};
    }
}

bool MappingModel::isTyped(const CellRef& c) const {
    const CellKind k = kind(c);
    return (k == CellKind::Label || k == CellKind::Number) && column(c.grid, c.col).typed &&
           !m_derivedOfCell.contains(key(c));
}

bool MappingModel::isMarked(int g, int col) const {
    for (const MarkGroup& m : m_table.marks) {
        if (!m.targets.contains(GridColumn{g, col}))
            continue;
        for (const CellRef& v : m.nonZero) {
            if (number(v) > 0)
                return true;
        }
        for (const GridColumn& gc : m.anyTick) {
            for (int r = 0; r < grid(gc.grid).rows; ++r) {
                if (isTicked({gc.grid, r, gc.col}))
                    return true;
            }
        }
    }
    return false;
}

int MappingModel::columnColour(int g, int col) const {
    for (const MarkGroup& m : m_table.marks) {
        if (m.targets.contains(GridColumn{g, col}))
            return isMarked(g, col) ? Colour::Yellow : Colour::FaceGrey;
    }
    return column(g, col).background;
}

int MappingModel::cellColour(const CellRef& c) const {
    if (isTicked(c) && grid(c.grid).tickedColour != Colour::None)
        return grid(c.grid).tickedColour;
    return columnColour(c.grid, c.col);
}

bool MappingModel::setTick(const CellRef& c, bool ticked) {
    if (kind(c) != CellKind::Tick)
        return false;
    if (m_refused.contains(key(c))) {
        // Taken back at once: the cell stays as it was (unticked).
        notify();
        return false;
    }
    at(c).number = ticked ? 1 : 0;
    const auto b = m_bindingOfCell.constFind(key(c));
    if (b != m_bindingOfCell.constEnd())
        recomputeBinding(b.value());
    notify();
    return true;
}

bool MappingModel::setNumber(const CellRef& c, int value) {
    const CellKind k = kind(c);
    if (k != CellKind::Number && k != CellKind::Choice)
        return false;
    at(c).number = value;
    recomputeComposites(c);
    notify();
    return true;
}

bool MappingModel::setText(const CellRef& c, const QString& text) {
    if (!isTyped(c))
        return false;
    const ColumnSpec& col = column(c.grid, c.col);
    if (kind(c) == CellKind::Label) {
        if (col.maxLength > 0 && text.size() > col.maxLength)
            return false;
        at(c).text = col.upperCase ? text.toUpper() : text;
        notify();
        return true;
    }
    const std::optional<qint64> value = toWholeNumber(text, col.min, col.max);
    if (!value)
        return false;
    return setNumber(c, int(*value));
}

void MappingModel::recomputeBinding(int index) {
    const BitBinding& b = m_table.bindings.at(index);
    int value = 0;
    for (const BitCell& bit : b.cells) {
        if (isTicked(bit.cell))
            value += bit.weight;
    }
    at(b.value).number = value;
}

void MappingModel::recomputeComposites(const CellRef& addend) {
    for (int index : m_compositesOfAddend.value(key(addend))) {
        const Composite& c = m_table.composites.at(index);
        int value = 0;
        for (const Addend& p : c.addends)
            value += p.factor * number(p.cell);
        at(c.value).number = value;
    }
}

CellRef MappingModel::valueCellOf(int cv) const {
    const Item item = m_items.value(cv);
    switch (item.kind) {
    case ItemKind::Binding: return m_table.bindings.at(item.index).value;
    case ItemKind::Composite: return m_table.composites.at(item.index).value;
    case ItemKind::Scalar: break;
    }
    return m_table.scalars.at(item.index).value;
}

int MappingModel::cvValue(int cv) const {
    return holdsCv(cv) ? number(valueCellOf(cv)) : 0;
}

QStringList MappingModel::writeLines(const QList<int>& order, bool onlyAboveZero) const {
    QStringList lines;
    for (int cv : order) {
        const int value = cvValue(cv);
        if (!onlyAboveZero || value > 0)
            lines.append(CvCommandList::writeLine(cv, value));
    }
    return lines;
}

QStringList MappingModel::saveLines(bool onlyAboveZero) const {
    return writeLines(m_table.saveOrder, onlyAboveZero);
}

QStringList MappingModel::clipboardLines(bool onlyAboveZero) const {
    return writeLines(m_table.clipboardOrder.isEmpty() ? m_table.saveOrder : m_table.clipboardOrder, onlyAboveZero);
}

QStringList MappingModel::readListLines() const {
    QStringList lines;
    for (int cv : m_table.readList)
        lines.append(CvCommandList::readLine(cv));
    return lines;
}

void MappingModel::apply(int cv, int value, bool exact) {
    if (!m_items.contains(cv))
        return;
    const Item item = m_items.value(cv);
    if (item.kind == ItemKind::Binding) {
        const BitBinding& b = m_table.bindings.at(item.index);
        if (value == 0 && !b.storesZero && !exact)
            return;
        const bool setsAll = exact || b.readBack == ReadBack::ExactBits;
        if (b.readBack == ReadBack::ExactBits) {
            // The value is the panel's bits: one the panel cannot show is not kept.
            int shown = 0;
            for (const BitCell& bit : b.cells)
                shown |= value & bit.weight;
            value = shown;
        }
        at(b.value).number = value;
        for (const BitCell& bit : b.cells) {
            const bool set = (value & bit.weight) != 0;
            if (set || setsAll)
                at(bit.cell).number = set ? 1 : 0;
        }
        return;
    }
    const CellRef valueCell = valueCellOf(cv);
    const bool storesZero = item.kind == ItemKind::Composite ? m_table.composites.at(item.index).storesZero
                                                             : m_table.scalars.at(item.index).storesZero;
    // A 0 that is the start value adds nothing; one that differs from it is a setting.
    if (value == 0 && start(valueCell) == 0 && !exact && !storesZero)
        return;
    at(valueCell).number = value;
    if (item.kind == ItemKind::Composite) {
        const Composite& c = m_table.composites.at(item.index);
        const QList<std::optional<int>> addends = c.decode(value);
        for (int i = 0; i < c.addends.size() && i < addends.size(); ++i) {
            if (addends.at(i))
                at(c.addends.at(i).cell).number = *addends.at(i);
        }
    }
}

void MappingModel::CVeinlesen(int cv, int value) {
    apply(cv, value, false);
    notify();
}

void MappingModel::readBack(const QStringList& lines) {
    for (const CvPair& pair : readBackPairs(lines))
        apply(pair.cv, pair.value, false);
    notify();
}

void MappingModel::clear() {
    // Labels keep their text: typed names are no part of the mapping.
    for (int g = 0; g < gridCount(); ++g) {
        for (int r = 0; r < grid(g).rows; ++r) {
            for (int col = 0; col < grid(g).cols; ++col) {
                const CellRef c{g, r, col};
                const CellKind k = kind(c);
                if (k == CellKind::Tick)
                    at(c).number = 0;
                else if (k == CellKind::Number || k == CellKind::Choice)
                    at(c).number = start(c);
            }
        }
    }
    notify();
}

void MappingModel::applyFactory() {
    const std::function<void()> listener = std::exchange(m_listener, {});
    for (const CellRef& c : m_table.factory.ticks)
        setTick(c, true);
    for (const CvValue& v : m_table.factory.values)
        apply(v.cv, v.value, true);
    m_listener = listener;
    notify();
}

void MappingModel::notify() const {
    if (m_listener)
        m_listener();
}

QList<CvPair> readBackPairs(const QStringList& lines) {
    QList<CvPair> pairs;
    for (const QString& line : lines) {
        // A read-list line ("L 033") carries no value: it says nothing about the mapping.
        if (!CvCommandList::startsWithNumber(QStringView(line).mid(CvCommandList::valueOffset, 3)))
            continue;
        const CvRow row = CvCommandList::parseLine(line);
        const int value = row.value.toInt();
        if (value > highestValue)
            continue;
        pairs.append({row.cv.toInt(), value});
    }
    return pairs;
}

}  // namespace mapping
