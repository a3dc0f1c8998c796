#include "mapping/core/EditorTable.h"

#include <QSet>

namespace mapping {

QString keyCaption(int key) {
    if (key == 0)
        return QStringLiteral("F0  V");
    if (key == 1)
        return QStringLiteral("F0  R");
    return QStringLiteral("F%1").arg(key - 1);
}

QList<ColumnSpec> keyColumns(int keys) {
    QList<ColumnSpec> columns;
    for (int k = 0; k < keys; ++k)
        columns.append(tickColumn(keyCaption(k)));
    return columns;
}

ColumnSpec labelColumn(const QString& caption, int width, const QStringList& texts, Align align) {
    ColumnSpec c;
    c.caption = caption;
    c.width = width;
    c.align = align;
    c.kind = CellKind::Label;
    c.texts = texts;
    return c;
}

ColumnSpec tickColumn(const QString& caption, int width) {
    ColumnSpec c;
    c.caption = caption;
    c.width = width;
    c.kind = CellKind::Tick;
    return c;
}

ColumnSpec numberColumn(const QString& caption, int width, int start, int min, int max) {
    ColumnSpec c;
    c.caption = caption;
    c.width = width;
    c.kind = CellKind::Number;
    c.start = start;
    c.min = min;
    c.max = max;
    return c;
}

ColumnSpec choiceColumn(const QString& caption, int width, const ValueList& list, int start) {
    ColumnSpec c;
    c.caption = caption;
    c.width = width;
    c.align = Align::Left;
    c.kind = CellKind::Choice;
    c.list = list;
    c.start = start;
    return c;
}

ColumnSpec sliderColumn(const QString& caption, int width, int target, const QString& name, int max, int largeChange,
                        int indexBase) {
    ColumnSpec c;
    c.caption = caption;
    c.width = width;
    c.kind = CellKind::Slider;
    c.sliderTarget = target;
    c.sliderName = name;
    c.sliderIndexBase = indexBase;
    c.max = max;
    c.largeChange = largeChange;
    return c;
}

QList<BitCell> columnBits(int grid, int col, int firstRow, int rows, int firstBit) {
    QList<BitCell> cells;
    for (int i = 0; i < rows; ++i)
        cells.append({{grid, firstRow + i, col}, 1 << (firstBit + i)});
    return cells;
}

QList<BitCell> rowBits(int grid, int row, int firstCol, int cols, int firstBit, int step) {
    QList<BitCell> cells;
    for (int i = 0; i < cols; ++i)
        cells.append({{grid, row, firstCol + i}, 1 << (firstBit + step * i)});
    return cells;
}

GridSpec valueGrid(const QString& name, const QList<int>& cvs) {
    GridSpec g;
    g.name = name;
    g.rows = 2;
    g.cols = int(cvs.size()) + 1;
    g.headers = false;
    g.columns.append(labelColumn(QString(), 495, {QStringLiteral("CV"), QStringLiteral("Wert")}, Align::Center));
    for (int k = 0; k < cvs.size(); ++k) {
        ColumnSpec c = numberColumn(QString(), 480);
        g.columns.append(c);
        g.cells.append({0, k + 1, CellKind::Label, QString::number(cvs.at(k)), 0});
    }
    return g;
}

void addKeyBindings(EditorTable& table, int ticks, int values, int firstTick, int firstCv,
                    const QList<BitWindow>& windows, int firstValue) {
    for (int k = 0; k < windows.size(); ++k) {
        const BitWindow& w = windows.at(k);
        BitBinding b;
        b.cv = firstCv + k;
        b.value = {values, 1, firstValue + k};
        b.cells = columnBits(ticks, firstTick + k, w.firstRow, w.rows, w.firstBit);
        table.bindings.append(b);
        table.marks.append({{{ticks, firstTick + k}}, {b.value}, {}});
        table.saveOrder.append(b.cv);
    }
}

QList<CellRef> diagonal(int grid, int firstCol, int rows) {
    QList<CellRef> cells;
    for (int r = 0; r < rows; ++r)
        cells.append({grid, r, firstCol + r});
    return cells;
}

QList<int> cvRange(int first, int last) {
    QList<int> cvs;
    for (int cv = first; cv <= last; ++cv)
        cvs.append(cv);
    return cvs;
}

GridSpec togglePanel(const QString& name) {
    GridSpec g;
    g.name = name;
    g.kind = GridKind::Panel;
    g.rows = 1;
    g.cols = 9;
    for (int bit = 0; bit < 8; ++bit)
        g.columns.append(tickColumn(QString()));
    g.columns.append(numberColumn(QString(), 0));
    g.tickedColour = Colour::None;
    return g;
}

BitBinding togglePanelBinding(int cv, int grid) {
    BitBinding b;
    b.cv = cv;
    b.value = {grid, 0, 8};
    b.cells = rowBits(grid, 0, 0, 8);
    b.readBack = ReadBack::ExactBits;
    return b;
}

Decoder maskDecoder(const QList<int>& masks) {
    return [masks](int value) {
        QList<std::optional<int>> addends;
        for (int mask : masks)
            addends.append(value & mask);
        return addends;
    };
}

namespace {

QString where(const CellRef& c) {
    return QStringLiteral("(%1, %2, %3)").arg(c.grid).arg(c.row).arg(c.col);
}

class TableChecker {
public:
    explicit TableChecker(const EditorTable& table) : m_table(table) {}

    QStringList run() {
        for (const BitBinding& b : m_table.bindings) {
            claimCv(b.cv);
            number(b.value, QStringLiteral("value of CV %1").arg(b.cv));
            for (const BitCell& bit : b.cells) {
                tick(bit.cell, QStringLiteral("bit of CV %1").arg(b.cv));
                if (bit.weight <= 0 || bit.weight > 128 || (bit.weight & (bit.weight - 1)) != 0)
                    m_problems.append(QStringLiteral("CV %1: weight %2 is not one bit").arg(b.cv).arg(bit.weight));
                if (!m_bitCells.contains(key(bit.cell)))
                    m_bitCells.insert(key(bit.cell));
                else
                    m_problems.append(QStringLiteral("tick cell %1 bound twice").arg(where(bit.cell)));
            }
            for (const CellRef& c : b.refused)
                tick(c, QStringLiteral("refused cell of CV %1").arg(b.cv));
        }
        for (const Composite& c : m_table.composites) {
            claimCv(c.cv);
            number(c.value, QStringLiteral("value of CV %1").arg(c.cv));
            for (const Addend& p : c.addends)
                setting(p.cell, QStringLiteral("addend of CV %1").arg(c.cv));
            if (!c.decode)
                m_problems.append(QStringLiteral("CV %1 has no decoder").arg(c.cv));
        }
        for (const Scalar& s : m_table.scalars) {
            claimCv(s.cv);
            number(s.value, QStringLiteral("value of CV %1").arg(s.cv));
        }
        for (const DerivedText& d : m_table.derived) {
            inside(d.cell, QStringLiteral("derived text"));
            number(d.source, QStringLiteral("source of a derived text"));
        }
        for (const MarkGroup& m : m_table.marks) {
            for (const CellRef& c : m.nonZero)
                number(c, QStringLiteral("mark source"));
            for (const GridColumn& gc : m.targets + m.anyTick)
                inside({gc.grid, 0, gc.col}, QStringLiteral("marked column"));
        }
        for (const CellRef& c : m_table.factory.ticks)
            tick(c, QStringLiteral("factory tick"));
        for (const CvValue& v : m_table.factory.values)
            known(v.cv, QStringLiteral("factory value"));
        for (int cv : m_table.saveOrder)
            known(cv, QStringLiteral("save order"));
        for (int cv : m_table.clipboardOrder)
            known(cv, QStringLiteral("clipboard order"));
        for (const SliderSpec& s : m_table.sliders)
            number(s.target, QStringLiteral("slider %1").arg(s.name));
        for (int g = 0; g < m_table.grids.size(); ++g) {
            const GridSpec& spec = m_table.grids.at(g);
            for (int col = 0; col < spec.columns.size(); ++col) {
                if (spec.columns.at(col).kind == CellKind::Slider)
                    number({g, 0, spec.columns.at(col).sliderTarget}, QStringLiteral("target of the sliders in a cell"));
            }
        }
        return m_problems;
    }

private:
    static qint64 key(const CellRef& c) { return (qint64(c.grid) << 40) | (qint64(c.row) << 20) | c.col; }

    bool inside(const CellRef& c, const QString& what) {
        const bool ok = c.grid >= 0 && c.grid < m_table.grids.size() && c.row >= 0 &&
                        c.row < m_table.grids.at(c.grid).rows && c.col >= 0 && c.col < m_table.grids.at(c.grid).cols;
        if (!ok)
            m_problems.append(what + QStringLiteral(" outside its grid: ") + where(c));
        return ok;
    }
    CellKind kindOf(const CellRef& c) const {
        const GridSpec& g = m_table.grids.at(c.grid);
        for (const CellSpec& s : g.cells) {
            if (s.row == c.row && s.col == c.col)
                return s.kind;
        }
        return c.col < g.columns.size() ? g.columns.at(c.col).kind : CellKind::None;
    }
    void expect(const CellRef& c, const QString& what, std::initializer_list<CellKind> kinds) {
        if (!inside(c, what))
            return;
        const CellKind k = kindOf(c);
        for (CellKind wanted : kinds) {
            if (k == wanted)
                return;
        }
        m_problems.append(what + QStringLiteral(" has the wrong kind of cell: ") + where(c));
    }
    void tick(const CellRef& c, const QString& what) { expect(c, what, {CellKind::Tick}); }
    void number(const CellRef& c, const QString& what) { expect(c, what, {CellKind::Number}); }
    void setting(const CellRef& c, const QString& what) { expect(c, what, {CellKind::Number, CellKind::Choice}); }
    void claimCv(int cv) {
        if (m_cvs.contains(cv))
            m_problems.append(QStringLiteral("CV %1 named twice").arg(cv));
        m_cvs.insert(cv);
    }
    void known(int cv, const QString& what) {
        if (!m_cvs.contains(cv))
            m_problems.append(what + QStringLiteral(" names CV %1, which no binding, composite or scalar holds").arg(cv));
    }

    const EditorTable& m_table;
    QStringList m_problems;
    QSet<int> m_cvs;
    QSet<qint64> m_bitCells;
};

}  // namespace

QStringList checkTable(const EditorTable& table) {
    return TableChecker(table).run();
}

}  // namespace mapping
