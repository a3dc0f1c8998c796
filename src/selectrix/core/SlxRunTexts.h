#pragma once

#include <QString>

// Texts that more than one of the Selectrix window's runs shows.
namespace SlxRunText {
inline const QString programmingOn = QStringLiteral(" schalte Programmierfunktion ein ...");
inline const QString readParameters = QStringLiteral(" lese Decoderparameter ein...");
inline const QString writeDecoder = QStringLiteral(" schreibe in Decoder ...");
inline const QString readDone = QStringLiteral(" Lesevorgang beendet ...");
inline const QString writeDone = QStringLiteral(" Schreibvorgang beendet ...");
// The titles differ in their dots and blanks.
inline const QString title = QStringLiteral(" Decoder programmieren...");
inline const QString titleSpaced = QStringLiteral(" Decoder programmieren ...");
inline const QString titleRead = QStringLiteral(" Decoder lesen...");
inline const QString titleWrite = QStringLiteral(" Decoder schreiben...");

// A value that is not a number of its list.
inline QString badValue(const QString& name, int min, int max) {
    return QStringLiteral("Bitte wählen Sie für %1 einen Wert von %2 bis %3 !          ").arg(name).arg(min).arg(max);
}
}  // namespace SlxRunText
