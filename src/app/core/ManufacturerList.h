#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// One line of the decoder-manufacturer list "DecoderHersteller.txt": the number a decoder
// reports in CV 8, the short and the full maker name and a free remark.
struct ManufacturerRow {
    QString code;
    QString shortName;
    QString name;
    QString remark;

    bool operator==(const ManufacturerRow&) const = default;
};

// The list file: Latin-1 text, CR LF, fixed columns (number in columns 1-3 right-aligned,
// two blanks, short name in 12 columns, name in 42 columns, remark to the end of the line).
// The first line is the heading; it stays first whatever the sort.
namespace ManufacturerList {

constexpr int ShortNameWidth = 12;
constexpr int NameWidth = 42;

QString fileName();
QString filePath(const QString& dataFolder);

// Splits one line into its fields, each as wide as formatLine writes it, so reading and
// writing again gives the same line.
ManufacturerRow parseLine(const QString& line);
QString formatLine(const ManufacturerRow& row);

// Throw Failure(75) when the file cannot be read or written (61 on a full disk); writing
// never truncates the existing file on failure.
QList<ManufacturerRow> read(const QString& path);
void write(const QString& path, const QList<ManufacturerRow>& rows);

enum Column { Code = 0, ShortName = 1, Name = 2, Remark = 3 };
// Sorts rows 1..n ascending by the column, row 0 (the heading) stays first. "Code" sorts
// by number, entries that are no number after the numbers; the others as text.
void sortRows(QList<ManufacturerRow>& rows, int column);

// Copies the shipped default list into the data folder when no list is there yet.
// Returns whether a list is there afterwards.
bool installDefault(const QString& dataFolder);

}  // namespace ManufacturerList

// The short maker name for a CV 8 value: "?" when the number is not in the list, "kD" when
// the list file is missing, "kE" when it is empty. The heading line is never taken as data.
QString SearchHersteller(const QString& dataFolder, qint16 id);
