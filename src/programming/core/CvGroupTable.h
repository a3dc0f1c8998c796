#pragma once

#include "app/core/CvRow.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The CV-group table: rows of mark ("S" write, "L" read, anything else is not run), CV,
// value and remark that a programming window runs in one go. The Intellibox and the Lenz
// window each own one; the grid view, the files and the table run all work on it.
class CvGroupTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Mark = 0, Cv = 1, Value = 2, Remark = 3, ColumnCount = 4 };

    // How loads and pastes set the mark: the Intellibox window keeps the file's letters only
    // for DCC decoders (fx and mfx rows all become "S"); the Lenz window keeps them always.
    enum class LetterRule { ByDecoderType, KeepLetters };

    explicit CvGroupTable(LetterRule rule = LetterRule::ByDecoderType, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Most characters a cell of the column takes when typed.
    static int maxLength(int column);
    // Key filter of the grid: whether `c` may be typed into `column`.
    bool acceptsCharacter(int column, QChar c, const QString& decoderType) const;

    const QList<CvRow>& rows() const { return m_rows; }
    CvRow row(int r) const { return m_rows.value(r); }
    QString cell(int r, int column) const;
    void setCell(int r, int column, const QString& text);

    // Rows appended after the existing ones, marks set by the letter rule.
    void appendRows(const QList<CvRow>& rows, const QString& decoderType);
    // Command-list lines appended as rows (blank lines make none).
    void appendLines(const QStringList& lines, const QString& decoderType);
    // The mark a load or paste gives a row whose line starts with `mark`.
    QString loadedMark(const QString& mark, const QString& decoderType) const;

    // Whether the row's CV cell holds a number above 0: the series, marking, delete and
    // insert items of the pop-up act only then.
    bool rowHasCv(int r) const;

    static constexpr int highestCv = 1024;

    // Puts the CVs start..target (target taken down to highestCv) into the rows from `r` on, adding rows where the table is
    // too short; rows after the series keep their place. False when target <= start.
    bool extendSeries(int r, int start, int target);
    void markAll(const QString& letter);
    // Removes row r (row 0 when r is invalid); nothing in an empty table.
    void deleteRow(int r);
    // Inserts an empty row at r (0 when r is invalid); nothing in an empty table.
    void insertEmptyRow(int r);
    void clear();

private:
    QList<CvRow> m_rows;
    LetterRule m_rule;
};
