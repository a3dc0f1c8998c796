#include "selectrix/core/SxProtokoll.h"

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
