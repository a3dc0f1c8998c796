#pragma once

#include <QString>
#include <optional>

// What the single read, the single write and the version query make of a P50X answer,
// and the texts of the time-outs. The answer tests of the CV 29 and address operations are
// in P50xAnswer.h.
namespace P50x {

// The answer less its last two characters (the "]" and the carriage return before it);
// an answer shorter than two characters is shown whole.
QString shownAnswer(const QString& answer);

// The value of a single read: the text before the first " =" when that begins at the
// second character or later; nothing otherwise.
std::optional<QString> valueBeforeEquals(const QString& answer);

// The version answer on one status line: every carriage return becomes a blank.
QString versionLine(const QString& answer);

// The time-out message family.
QString timeoutText(const QString& cuName);          // "Die " + CuName + " antwortet nicht !          "
QString readTitle(const QString& decoderType);       // " DCC-Decoder lesen..."
QString writeTitle(const QString& decoderType);      // " DCC-Decoder programmieren..."
QString abortedStatus();                             // " Programmierung abgebrochen..."

// Deadlines in milliseconds.
constexpr qint64 readDeadlineMs = 20000;
constexpr qint64 writeDeadlineMs = 8000;
constexpr qint64 versionDeadlineMs = 8000;

}  // namespace P50x
