#pragma once

#include "app/core/CvRow.h"

#include <QList>
#include <QString>
#include <QStringList>

class CvGroupTable;

// The files of the CV-group table and of the protocol: command-list text files and the
// semicolon ("MoVe") files. Latin-1 text with CR LF line ends; saves never truncate the
// user's file on failure. Failures throw Failure (75 when a file cannot be opened).
namespace CvTableFiles {

// Lines as the files hold them.
QStringList tableLines(const QList<CvRow>& rows);
// Protocol rows whose CV starts with a number above 0; spare and edited rows without one
// are left out.
QStringList protocolLines(const QList<CvRow>& rows);
QStringList moveTableLines(const QList<CvRow>& rows);
QStringList moveProtocolLines(const QList<CvRow>& rows);
// One MoVe line as a table row: CV before the first ";", remark between the first and the
// second, value after the last; the mark is "S". A value that is missing or no number is
// kept as it stands, which no run sends.
CvRow moveRow(const QString& line);

void saveTable(const QString& path, const QList<CvRow>& rows);
void saveProtocol(const QString& path, const QList<CvRow>& rows);
void exportMoveTable(const QString& path, const QList<CvRow>& rows);
void exportMoveProtocol(const QString& path, const QList<CvRow>& rows);
// Both append rows to the table; blank lines make none. The letter rule of the table sets
// the marks of a loaded list; MoVe rows are always "S".
void loadTable(const QString& path, CvGroupTable& table, const QString& decoderType);
void importMove(const QString& path, CvGroupTable& table);

// The confirmation after a table save: "Die Tabelle wurde unter ...".
QString tableSavedText(const QString& path);
extern const QString tableSaveTitle;     // " Tabelle speichern..."

}  // namespace CvTableFiles
