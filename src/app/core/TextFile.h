#pragma once

#include "base/core/Failure.h"

#include <QString>
#include <QStringList>

class QFileDevice;

// The program's text files are 8-bit Latin-1 with CR LF line ends on every system, so a
// file moves between systems unchanged.

// The lines of a text file. CR LF, LF and a lone CR all end a line; a last line without
// line end still counts, an empty file has no lines. Throws Failure(75) when the file
// cannot be opened or read.
QStringList readTextLines(const QString& path);

// The number of carriage-return bytes in the file; a last line without one is not counted.
// Throws Failure(75) when the file cannot be read.
qint32 CountLines(const QString& path);

// The bytes of a file. Throws Failure(75) when the file cannot be opened or read.
QByteArray readFileBytes(const QString& path);

// Writes every line followed by CR LF. Goes through a temporary file that replaces the
// old one only when everything was written, so a failed save never truncates it.
// Throws Failure(61) when the disk is full, Failure(75) when the file cannot be written.
void writeTextLines(const QString& path, const QStringList& lines);

// The confirmation after a save: `what` ("Das Protokoll"), " wurde unter ", two carriage
// returns, the path, ten blanks, two carriage returns and "gespeichert ! ".
QString savedText(const QString& what, const QString& path);

// Splits Latin-1 bytes into lines by the rules of readTextLines.
QStringList splitTextLines(const QByteArray& bytes);

// The one mapping of a failed file operation onto the error numbers of the error report;
// `systemError` is the system's error number (errno) right after the failed call, if known.
Failure failureFromFile(const QFileDevice& file, int systemError = 0);
