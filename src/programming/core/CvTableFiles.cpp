#include "programming/core/CvTableFiles.h"

#include "app/core/CvCommandList.h"
#include "app/core/TextFile.h"
#include "programming/core/CvGroupTable.h"

namespace CvTableFiles {

const QString tableSaveTitle = QStringLiteral(" Tabelle speichern...");

QString tableSavedText(const QString& path) {
    return savedText(QStringLiteral("Die Tabelle"), path);
}

QStringList tableLines(const QList<CvRow>& rows) {
    QStringList lines;
    for (const CvRow& row : rows)
        lines.append(CvCommandList::tableLine(row));
    return lines;
}

QStringList protocolLines(const QList<CvRow>& rows) {
    QStringList lines;
    for (const CvRow& row : rows) {
        if (CvCommandList::leadingNumber(row.cv) > 0)
            lines.append(CvCommandList::protocolLine(row));
    }
    return lines;
}

QStringList moveTableLines(const QList<CvRow>& rows) {
    QStringList lines;
    for (const CvRow& row : rows)
        lines.append(row.cv + u';' + row.remark + QStringLiteral(";?;?;") + row.value);
    return lines;
}

QStringList moveProtocolLines(const QList<CvRow>& rows) {
    QStringList lines;
    for (const CvRow& row : rows)
        lines.append(row.cv + QStringLiteral(";?;?;?;") + row.value);
    return lines;
}

CvRow moveRow(const QString& line) {
    CvRow row;
    row.action = QStringLiteral("S");
    row.cv = QString::number(CvCommandList::leadingNumber(line.section(u';', 0, 0)));
    row.remark = line.section(u';', 1, 1);
    // A line without ";" gives no value, and a value that is no number ("-3", "+12") stays as
    // it stands: the run refuses such rows instead of writing 0.
    const qsizetype last = line.lastIndexOf(u';');
    if (last < 0)
        return row;
    const QStringView value = QStringView(line).mid(last + 1);
    row.value = CvCommandList::startsWithNumber(value) ? QString::number(CvCommandList::leadingNumber(value))
                                                       : value.trimmed().toString();
    return row;
}

void saveTable(const QString& path, const QList<CvRow>& rows) {
    writeTextLines(path, tableLines(rows));
}

void saveProtocol(const QString& path, const QList<CvRow>& rows) {
    writeTextLines(path, protocolLines(rows));
}

void exportMoveTable(const QString& path, const QList<CvRow>& rows) {
    writeTextLines(path, moveTableLines(rows));
}

void exportMoveProtocol(const QString& path, const QList<CvRow>& rows) {
    writeTextLines(path, moveProtocolLines(rows));
}

void loadTable(const QString& path, CvGroupTable& table, const QString& decoderType) {
    table.appendLines(readTextLines(path), decoderType);
}

void importMove(const QString& path, CvGroupTable& table) {
    QList<CvRow> rows;
    for (const QString& line : readTextLines(path)) {
        // A blank line would become a write of CV 0.
        if (!CvCommandList::isBlankLine(line))
            rows.append(moveRow(line));
    }
    table.appendRows(rows, QStringLiteral("DCC"));
}

}  // namespace CvTableFiles
