#pragma once

#include <QString>

// The status texts and messages the programming windows show for the outcome of a station
// exchange, whatever the station.
namespace ProgrammingTexts {

inline const QString readDone = QStringLiteral(" Lesevorgang beendet ...");
inline const QString writeDone = QStringLiteral(" Schreibvorgang beendet ...");

// After an answer that did not pass its test, followed by the answer as shown.
inline QString readError(const QString& shown) { return QStringLiteral(" Lesevorgang abgebrochen, Fehler: ") + shown; }
inline QString writeError(const QString& shown) { return QStringLiteral(" Schreibvorgang abgebrochen, Fehler: ") + shown; }

// The time-out message family: the status first, then the message with a title that names
// the operation.
inline const QString abortedStatus = QStringLiteral(" Programmierung abgebrochen...");
inline QString timeoutText(const QString& cuName) {
    return QStringLiteral("Die ") + cuName + QStringLiteral(" antwortet nicht !          ");
}
inline QString readTitle(const QString& decoderType) {
    return QStringLiteral(" ") + decoderType + QStringLiteral("-Decoder lesen...");
}
inline QString writeTitle(const QString& decoderType) {
    return QStringLiteral(" ") + decoderType + QStringLiteral("-Decoder programmieren...");
}

}  // namespace ProgrammingTexts
