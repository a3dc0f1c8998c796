#include "programming/core/CvGroupTable.h"

#include "app/core/CvCommandList.h"

namespace {
const char* const columnCaptions[CvGroupTable::ColumnCount] = {"S/L", "CV", "Wert", "Bemerkung"};
const int columnMaxLength[CvGroupTable::ColumnCount] = {1, 3, 3, 100};

QString& cellRef(CvRow& row, int column) {
    switch (column) {
    case CvGroupTable::Mark:
        return row.action;
    case CvGroupTable::Cv:
        return row.cv;
    case CvGroupTable::Value:
        return row.value;
    default:
        return row.remark;
    }
}
}  // namespace

CvGroupTable::CvGroupTable(LetterRule rule, QObject* parent) : QAbstractTableModel(parent), m_rule(rule) {}

int CvGroupTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CvGroupTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CvGroupTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return cell(index.row(), index.column());
    return {};
}

bool CvGroupTable::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_rows.size())
        return false;
    QString text = value.toString().left(maxLength(index.column()));
    if (index.column() == Mark)
        text = text.toUpper();
    setCell(index.row(), index.column(), text);
    return true;
}

QVariant CvGroupTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < ColumnCount)
        return QString::fromUtf8(columnCaptions[section]);
    if (orientation == Qt::Vertical)
        return section + 1;
    return {};
}

Qt::ItemFlags CvGroupTable::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

int CvGroupTable::maxLength(int column) {
    return column >= 0 && column < ColumnCount ? columnMaxLength[column] : 0;
}

bool CvGroupTable::acceptsCharacter(int column, QChar c, const QString& decoderType) const {
    if (c == u'\r')
        return true;
    switch (column) {
    case Mark: {
        if (c == u'\b')
            return true;
        const bool reads = m_rule == LetterRule::KeepLetters || decoderType == QLatin1String("DCC");
        return QStringView(reads ? u"sSlL" : u"sS").contains(c);
    }
    case Cv:
    case Value:
        return c == u'\b' || (c.unicode() >= u'0' && c.unicode() <= u'9');
    default:
        return true;
    }
}

QString CvGroupTable::cell(int r, int column) const {
    if (r < 0 || r >= m_rows.size())
        return {};
    CvRow row = m_rows.at(r);
    return cellRef(row, column);
}

void CvGroupTable::setCell(int r, int column, const QString& text) {
    if (r < 0 || r >= m_rows.size() || column < 0 || column >= ColumnCount)
        return;
    QString& target = cellRef(m_rows[r], column);
    if (target == text)
        return;
    target = text;
    // A new mark changes the row's colour too.
    const QModelIndex first = index(r, column == Mark ? 0 : column);
    const QModelIndex last = index(r, column == Mark ? ColumnCount - 1 : column);
    emit dataChanged(first, last);
}

QString CvGroupTable::loadedMark(const QString& mark, const QString& decoderType) const {
    if (m_rule == LetterRule::KeepLetters || decoderType == QLatin1String("DCC"))
        return mark;
    return QStringLiteral("S");
}

void CvGroupTable::appendRows(const QList<CvRow>& rows, const QString& decoderType) {
    if (rows.isEmpty())
        return;
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + rows.size() - 1));
    for (CvRow row : rows) {
        row.action = loadedMark(row.action, decoderType);
        m_rows.append(row);
    }
    endInsertRows();
}

void CvGroupTable::appendLines(const QStringList& lines, const QString& decoderType) {
    QList<CvRow> rows;
    for (const QString& line : lines) {
        if (CvCommandList::isBlankLine(line))
            continue;
        CvRow row = CvCommandList::parseLine(line);
        // A row that is not written shows a missing value as 0, as lists have always loaded;
        // a write keeps the gap or the text, and the run refuses it instead of writing 0.
        if (loadedMark(row.action, decoderType) != QLatin1String("S") &&
            !CvCommandList::startsWithNumber(row.value))
            row.value = QStringLiteral("0");
        rows.append(row);
    }
    appendRows(rows, decoderType);
}

bool CvGroupTable::rowHasCv(int r) const {
    return CvCommandList::leadingNumber(cell(r, Cv)) > 0;
}

bool CvGroupTable::extendSeries(int r, int start, int target) {
    // No CV lies above 1024; a larger target would only pile up empty rows.
    target = qMin(target, highestCv);
    if (target <= start)
        return false;
    r = qMax(0, r);
    const qint64 lastRow = qint64(r) + (qint64(target) - start);
    if (lastRow >= m_rows.size()) {
        beginInsertRows({}, int(m_rows.size()), int(lastRow));
        m_rows.resize(lastRow + 1);
        endInsertRows();
    }
    for (int k = start; k <= target; ++k)
        setCell(r + (k - start), Cv, QString::number(k));
    return true;
}

void CvGroupTable::markAll(const QString& letter) {
    for (int r = 0; r < m_rows.size(); ++r)
        setCell(r, Mark, letter);
}

void CvGroupTable::deleteRow(int r) {
    if (m_rows.isEmpty())
        return;
    if (r < 0 || r >= m_rows.size())
        r = 0;
    beginRemoveRows({}, r, r);
    m_rows.removeAt(r);
    endRemoveRows();
}

void CvGroupTable::insertEmptyRow(int r) {
    if (m_rows.isEmpty())
        return;
    if (r < 0 || r >= m_rows.size())
        r = 0;
    beginInsertRows({}, r, r);
    m_rows.insert(r, CvRow{});
    endInsertRows();
}

void CvGroupTable::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}
