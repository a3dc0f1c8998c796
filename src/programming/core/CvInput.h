#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Checks of what the user typed before it goes into a command: only what the station
// expects reaches the line.
namespace CvInput {

constexpr int maxCv = 1024;

// A CV or register number: 1 to 4 digits, 1..1024.
std::optional<qint16> cvNumber(const QString& text);
// A value to write: 1 to 3 digits, 0..255; the text goes onto the line as typed.
bool isWriteValue(const QString& text);
// A locomotive address for the main-track write: 1 to 4 digits, 1..9999.
std::optional<qint16> locoAddress(const QString& text);

// Status texts of a CV or value refused before anything is sent.
inline const QString badCvStatus = QStringLiteral(" Ungültige CV-Nummer, nichts gesendet");
inline const QString badValueStatus = QStringLiteral(" Ungültiger Wert, nichts gesendet");

// The number in the first three characters of a register-list row ("17   erweiterte ...").
int registerOfListRow(const QString& row);

}  // namespace CvInput
