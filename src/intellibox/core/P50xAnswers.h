#pragma once

#include <QString>
#include <optional>

// What the programming window makes of a P50X answer, and the texts of its time-outs.
namespace P50x {

// The answer less its last two characters (the "]" and the carriage return before it);
// an answer shorter than two characters is shown whole.
QString shownAnswer(const QString& answer);

// The value of a single read: the text before the first " =" when that begins at the
// second character or later; nothing otherwise.
std::optional<QString> valueBeforeEquals(const QString& answer);

// A read through CU_Ready succeeded: the first two characters are digits.
bool readSucceeded(const QString& answer);
// A write through CU_Ready succeeded: "OK" anywhere, in any letter case.
bool writeSucceeded(const QString& answer);

// The version answer on one status line: every carriage return becomes a blank.
QString versionLine(const QString& answer);

// The time-out message family.
QString timeoutText(const QString& cuName);          // "Die " + CuName + " antwortet nicht !          "
QString readTitle(const QString& decoderType);       // " DCC-Decoder lesen..."
QString writeTitle(const QString& decoderType);      // " DCC-Decoder programmieren..."
QString abortedStatus();                             // " Programmierung abgebrochen..."
QString readFailedStatus(const QString& answer);     // " Lesevorgang abgebrochen, Fehler: " + shown answer
QString writeDoneStatus();                           // " Schreibvorgang beendet ..."
QString writeFailedStatus(const QString& answer);    // " Schreibvorgang abgebrochen, Fehler: " + shown answer

// Deadlines in milliseconds.
constexpr qint64 readDeadlineMs = 20000;
constexpr qint64 writeDeadlineMs = 8000;
constexpr qint64 versionDeadlineMs = 8000;

}  // namespace P50x
