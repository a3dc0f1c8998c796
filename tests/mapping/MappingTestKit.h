#pragma once

#include "mapping/core/MappingModel.h"

#include <QRandomGenerator>
#include <QSet>
#include <QString>

// Helpers of the mapping tests: cells set at random and the state a round trip keeps.
namespace mappingtest {

using namespace mapping;

// Every cell a user sets: ticks at random, a random entry of every value list, a random
// number in range for every addend or setting that is not computed.
inline void randomMapping(MappingModel& m, quint32 seed) {
    QRandomGenerator random(seed);
    const EditorTable& t = m.table();
    QList<CellRef> numbers;
    for (const Composite& c : t.composites) {
        for (const Addend& p : c.addends)
            numbers.append(p.cell);
    }
    for (const Scalar& s : t.scalars)
        numbers.append(s.value);
    for (int g = 0; g < m.gridCount(); ++g) {
        for (int r = 0; r < m.grid(g).rows; ++r) {
            for (int c = 0; c < m.grid(g).cols; ++c) {
                const CellRef cell{g, r, c};
                if (m.kind(cell) == CellKind::Tick) {
                    m.setTick(cell, random.bounded(3) == 0);
                } else if (m.kind(cell) == CellKind::Choice) {
                    const ValueList& list = m.column(g, c).list;
                    m.setNumber(cell, list.at(random.bounded(int(list.size()))).value);
                } else if (m.kind(cell) == CellKind::Number && numbers.contains(cell)) {
                    const ColumnSpec& col = m.column(g, c);
                    m.setNumber(cell, col.min + random.bounded(col.max - col.min + 1));
                }
            }
        }
    }
}

// What a saved list carries: the save lines, the ticks of bound cells and every setting
// cell as it shows.
inline QStringList keptState(const MappingModel& m) {
    QStringList state = m.saveLines(false);
    for (const BitBinding& b : m.table().bindings) {
        for (const BitCell& bit : b.cells)
            state.append(QStringLiteral("%1,%2,%3=%4").arg(bit.cell.grid).arg(bit.cell.row).arg(bit.cell.col)
                             .arg(m.isTicked(bit.cell)));
    }
    for (const Composite& c : m.table().composites) {
        for (const Addend& p : c.addends)
            state.append(m.text(p.cell));
    }
    return state;
}

// The lines of a list as the editors write them: "S 033 001" for each CV and value, and
// "L 033" for each CV of a read list.
inline QStringList writeLines(const QList<int>& cvs, const QList<int>& values) {
    QStringList lines;
    for (int i = 0; i < cvs.size(); ++i)
        lines.append(QStringLiteral("S %1 %2").arg(cvs.at(i), 3, 10, QLatin1Char('0')).arg(values.value(i), 3, 10, QLatin1Char('0')));
    return lines;
}
inline QStringList readLines(const QList<int>& cvs) {
    QStringList lines;
    for (int cv : cvs)
        lines.append(QStringLiteral("L %1").arg(cv, 3, 10, QLatin1Char('0')));
    return lines;
}

// The cells a user may type into, as "grid,row,col".
inline QStringList typedCells(const MappingModel& m) {
    QStringList cells;
    for (int g = 0; g < m.gridCount(); ++g) {
        for (int r = 0; r < m.grid(g).rows; ++r) {
            for (int c = 0; c < m.grid(g).cols; ++c) {
                if (m.isTyped({g, r, c}))
                    cells.append(QStringLiteral("%1,%2,%3").arg(g).arg(r).arg(c));
            }
        }
    }
    return cells;
}

}  // namespace mappingtest
