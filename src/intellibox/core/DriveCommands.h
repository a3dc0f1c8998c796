#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

// The commands of the drive desk, built without touching the port: P50 codes for the 6021,
// the speeds of the P50X "XL" command (its text is P50x::XL) and the power bytes.
namespace DriveCommands {

// Speed-step modes of the selector: 1 = 14, 2 = 27, 3 = 28, 4 = 128 steps.
constexpr int minMode = 1;
constexpr int maxMode = 4;
// The highest step of a mode, 0 for a value outside 1..4.
int stepsOfMode(int mode);

// P50 codes of the 6021: step 0..14 plus 16 with the light on (nothing for any other step:
// 16 and more are other P50 commands); reverse 15 plus 16; functions 64 + F1 + 2 F2 + 4 F3
// + 8 F4.
constexpr int p50MaxStep = 14;
std::optional<int> p50DriveCode(qint16 step, bool light);
int p50ReverseCode(bool light);
int p50FunctionCode(const std::array<bool, 4>& f1to4);

// The single P50 power bytes: 96 on, 97 off.
QByteArray powerByte(bool on);

// The "XL" speed of a step: ×7 for 14 steps, ×4 for 27 and 28, the step itself for 128,
// 0 for any other mode; a 16-bit product as the station's field expects.
qint16 xlSpeed(int mode, qint16 step);

// An address that may go into "XL"/"XF": 1 to 4 digits, not 0. Nothing otherwise.
std::optional<int> p50xAddress(const QString& text);
// An address that fits the 6021's address byte: digits, 1..255. Nothing otherwise.
std::optional<int> p50Address(const QString& text);

}  // namespace DriveCommands
