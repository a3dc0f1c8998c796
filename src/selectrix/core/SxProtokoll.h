#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// The protocol of the Selectrix window: one row per programming run, eleven text cells
// "Act.", "ADR", "GE", "BE", "IM", "HA", "M", "L", "G", "IMe", "HAe" (model columns 0..10).
// A row's first six cells come with writeProtokoll; the extended settings of the run, when
// it had them, go into the last five cells of the newest row afterwards. Cells keep the texts
// as given; an unfilled cell is empty.
class SxProtokoll : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int ColumnCount = 11;
    static constexpr int ExtendedColumn = 6;  // "M", the first of the five extended cells
    using Row = std::array<QString, ColumnCount>;

    explicit SxProtokoll(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Appends a row after the last; earlier rows keep all their cells.
    void writeProtokoll(const QString& act, const QString& adr, const QString& ge, const QString& be,
                        const QString& im, const QString& ha);
    // M, L, G (check states "0"/"1"), IMe, HAe of the newest row; nothing without rows.
    void setNewestExtended(const std::array<QString, 5>& cells);

    const QList<Row>& rows() const { return m_rows; }

    // The protocol as its text file holds it: the header "ACT ADR GE BE IM HA   ", then
    // one line per row whose ADR begins with a number above 0: the action, three blanks,
    // ADR in at least three digits, GE, BE, IM and HA each after two blanks. The extended
    // cells are not saved.
    QStringList fileLines() const;
    void clear();

private:
    QList<Row> m_rows;
};
