#pragma once

#include "app/core/CvRow.h"

#include <QAbstractTableModel>
#include <QList>

// The protocol of a programming window: one row (action, CV, value) per logged read or
// write, shown in three columns "Act.", "Register" (or "CV") and "Wert". Cells keep the
// texts exactly as given. While editing is on, the CV and value cells can be changed.
class ProtocolTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ActionColumn = 0, CvColumn = 1, ValueColumn = 2, ColumnCount = 3 };

    explicit ProtocolTable(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Appends one row after the last; the texts are stored unchanged.
    void append(const QString& action, const QString& cv, const QString& value);
    // Appends the empty spare row of the edit mode.
    void appendEmpty();
    void clear();
    // A key typed at `row`: the last row gets a new row marked "E" below it, any other
    // row is itself marked "E". Out of range: nothing.
    void markTyped(int row);

    const QList<CvRow>& rows() const { return m_rows; }
    void setRows(const QList<CvRow>& rows);

    // "Register" for Motorola registers, "CV" for DCC.
    void setCvHeader(const QString& header);
    QString cvHeader() const { return m_cvHeader; }

    void setEditable(bool editable) { m_editable = editable; }
    bool isEditable() const { return m_editable; }

private:
    QList<CvRow> m_rows;
    QString m_cvHeader = QStringLiteral("Register");
    bool m_editable = false;
};
