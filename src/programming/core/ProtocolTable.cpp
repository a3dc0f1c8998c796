#include "programming/core/ProtocolTable.h"

ProtocolTable::ProtocolTable(QObject* parent) : QAbstractTableModel(parent) {}

int ProtocolTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ProtocolTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

static QString cellOf(const CvRow& row, int column) {
    switch (column) {
    case ProtocolTable::ActionColumn: return row.action;
    case ProtocolTable::CvColumn: return row.cv;
    case ProtocolTable::ValueColumn: return row.value;
    default: return {};
    }
}

QVariant ProtocolTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return cellOf(m_rows.at(index.row()), index.column());
    return {};
}

QVariant ProtocolTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case ActionColumn: return QStringLiteral("Act.");
    case CvColumn: return m_cvHeader;
    case ValueColumn: return QStringLiteral("Wert");
    default: return {};
    }
}

Qt::ItemFlags ProtocolTable::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid() && index.column() != ActionColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ProtocolTable::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= m_rows.size())
        return false;
    CvRow& row = m_rows[index.row()];
    switch (index.column()) {
    case CvColumn: row.cv = value.toString(); break;
    case ValueColumn: row.value = value.toString(); break;
    default: return false;
    }
    emit dataChanged(index, index);
    return true;
}

void ProtocolTable::append(const QString& action, const QString& cv, const QString& value) {
    const int n = int(m_rows.size());
    beginInsertRows({}, n, n);
    m_rows.append({action, cv, value, {}});
    endInsertRows();
}

void ProtocolTable::appendEmpty() {
    append({}, {}, {});
}

void ProtocolTable::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void ProtocolTable::markTyped(int row) {
    if (row < 0 || row >= m_rows.size())
        return;
    if (row == m_rows.size() - 1) {
        append(QStringLiteral("E"), {}, {});
        return;
    }
    m_rows[row].action = QStringLiteral("E");
    const QModelIndex cell = index(row, ActionColumn);
    emit dataChanged(cell, cell);
}

void ProtocolTable::setRows(const QList<CvRow>& rows) {
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void ProtocolTable::setCvHeader(const QString& header) {
    m_cvHeader = header;
    emit headerDataChanged(Qt::Horizontal, CvColumn, CvColumn);
}
