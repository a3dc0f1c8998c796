#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The tests the CV 29 and address operations apply to a complete P50X answer.
namespace P50xAnswer {

// A read answer is numeric when its first two characters form a number; its value is the
// number it starts with. Nothing for an answer that is not numeric (or shorter than two
// characters, such as "]" alone).
std::optional<qint64> readValue(const QString& answer);

// A write succeeded when "OK" stands anywhere in the answer, in any letter case.
bool writeSucceeded(const QString& answer);

// The answer without its last two characters (carriage return and "]"), for the error
// texts; an answer too short for that shows nothing.
QString shownText(const QString& answer);

inline const QString readDone = QStringLiteral(" Lesevorgang beendet ...");
inline const QString writeDone = QStringLiteral(" Schreibvorgang beendet ...");

// Status texts after an answer that did not pass its test.
QString readErrorText(const QString& answer);
QString writeErrorText(const QString& answer);

}  // namespace P50xAnswer
