#include "selectrix/core/SxProtokoll.h"

#include "base/core/TextNumbers.h"

#include <limits>

namespace {
const std::array<const char*, SxProtokoll::ColumnCount> captions{"Act.", "ADR", "GE", "BE", "IM", "HA",
                                                                  "M",    "L",   "G",  "IMe", "HAe"};
}

SxProtokoll::SxProtokoll(QObject* parent) : QAbstractTableModel(parent) {}

int SxProtokoll::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SxProtokoll::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SxProtokoll::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return m_rows.at(index.row()).at(size_t(index.column()));
    if (role == Qt::TextAlignmentRole)
        return index.column() == 0 ? int(Qt::AlignCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant SxProtokoll::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(captions.at(size_t(section)));
}

void SxProtokoll::writeProtokoll(const QString& act, const QString& adr, const QString& ge, const QString& be,
                                 const QString& im, const QString& ha) {
    const int n = int(m_rows.size());
    beginInsertRows({}, n, n);
    m_rows.append(Row{act, adr, ge, be, im, ha});
    endInsertRows();
}

void SxProtokoll::setNewestExtended(const std::array<QString, 5>& cells) {
    if (m_rows.isEmpty())
        return;
    Row& row = m_rows.last();
    for (size_t i = 0; i < cells.size(); ++i)
        row.at(ExtendedColumn + i) = cells.at(i);
    const int r = int(m_rows.size()) - 1;
    emit dataChanged(index(r, ExtendedColumn), index(r, ColumnCount - 1));
}

void SxProtokoll::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

QStringList SxProtokoll::fileLines() const {
    QStringList lines{QStringLiteral("ACT ADR GE BE IM HA   ")};
    const QString gap(2, u' ');
    for (const Row& row : m_rows) {
        const QString& adr = row.at(1);
        if (leadingNumber(adr.left(3)) <= 0)
            continue;
        // A number in three digits at least; any other text as it stands.
        const std::optional<qint64> n =
            toWholeNumber(adr, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
        lines.append(row.at(0) + QStringLiteral("   ") + (n ? zeroPadded(*n, 3) : adr) + gap + row.at(2) + gap +
                     row.at(3) + gap + row.at(4) + gap + row.at(5));
    }
    return lines;
}
