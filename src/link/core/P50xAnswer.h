#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The tests a P50X answer is put to, and the deadlines of the answer waits.
namespace P50xAnswer {

// A read answer is numeric when its first two characters form a number; its value is the
// number it starts with. Nothing for an answer that is not numeric (or shorter than two
// characters, such as "]" alone).
std::optional<qint64> readValue(const QString& answer);

// A CV value: a read answer whose value lies within 0..255.
std::optional<int> cvValue(const QString& answer);

// The value of a single read: the text before the first " =" when that begins at the
// second character or later; nothing otherwise.
std::optional<QString> valueBeforeEquals(const QString& answer);

// The one rule for every P50X write answer: a write failed when its answer carries one of
// the station's error texts ("Busy!", "Short!", "No decoder", "No ack", "No page",
// "Bit read err", "SX read err", "Timeout", "Error", and the MasterControl's "ERROR..." and
// "UNKNOWN COMMAND"), in any letter case; otherwise it succeeded: the Intellibox answers
// "Ok", a MasterControl nothing before "]".
bool writeSucceeded(const QString& answer);

// The table run's status after a good write: the answer's first two characters, from the
// text before "]" without line ends ("Ok"; nothing for a MasterControl's bare "]").
QString firstTwo(const QString& answer);

// The answer without its last two characters (carriage return and "]"); an answer shorter
// than two characters is shown whole.
QString shownText(const QString& answer);

// The version answer on one status line: every carriage return becomes a blank.
QString versionLine(const QString& answer);

// Deadlines in milliseconds.
constexpr qint64 readDeadlineMs = 20000;
constexpr qint64 writeDeadlineMs = 8000;
constexpr qint64 versionDeadlineMs = 8000;

}  // namespace P50xAnswer
