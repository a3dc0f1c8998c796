#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

// The XpressNet messages the program sends to a Lenz station, one pure function per message.
// Each returns the message bytes without the check byte (StationLink frames and sends them),
// or nothing when an argument is out of range: a message that cannot be built correctly
// never goes out.
namespace XpressNet {

// The programming modes of the Lenz window's mode choice, in its order.
enum class ProgrammingMode { Register, Direct, Paged };

// Range rules of the service-mode messages, in one place: registers 1..8, CVs 1..255 in
// direct and paged mode (one byte), values 0..255.
bool numberValid(ProgrammingMode mode, int number);
bool valueValid(int value);

std::optional<QByteArray> registerReadRequest(int reg);  // 22 11 R
std::optional<QByteArray> directReadRequest(int cv);     // 22 15 CV
std::optional<QByteArray> pagedReadRequest(int cv);      // 22 14 CV
std::optional<QByteArray> readRequest(ProgrammingMode mode, int number);
QByteArray resultRequest();                              // 21 10

std::optional<QByteArray> registerWrite(int reg, int value);  // 23 12 R V
std::optional<QByteArray> directWrite(int cv, int value);     // 23 16 CV V
std::optional<QByteArray> pagedWrite(int cv, int value);      // 23 17 CV V
std::optional<QByteArray> writeRequest(ProgrammingMode mode, int number, int value);

QByteArray trackPowerOff();  // 21 80
QByteArray trackPowerOn();   // 21 81

// The two address bytes of a locomotive (`ermittleLokadresse`): below 100 the short form
// 00 a, from 100 on C0 + the high byte and the low byte. Addresses outside 1..9999 give
// nothing.
struct LocoAddress {
    quint8 high;
    quint8 low;
};
std::optional<LocoAddress> locoAddress(int address);

std::optional<QByteArray> stopLocomotive(int address);  // 92 AH AL

// Speed-step modes with their identification bytes 10, 11, 12, 13.
enum class SpeedSteps { Steps14, Steps27, Steps28, Steps128 };
// The highest speed value a mode takes.
int maxSpeedValue(SpeedSteps steps);
// E4 ID AH AL RV. `speedValue` is the drive panel's raw value: 0 stop, 1 emergency stop,
// v from 2 on the shown step v - 1 (up to 15, 28, 29 or 127 by mode). 14 and 128 steps send
// it as it is; 27 and 28 steps send the NMRA 5-bit step with its intermediate bit in bit 4,
// so the locomotive runs at the step shown. Bit 7 is the direction (set: forward).
std::optional<QByteArray> speedAndDirection(int address, SpeedSteps steps, int speedValue, bool forward);

// Function groups of F0..F12: `functions` has bit n set when Fn is on; each group takes its
// own functions from it. Group 1: F0 = 10, F1..F4 = 01..08; group 2: F5..F8 = 01..08;
// group 3: F9..F12 = 01..08.
std::optional<QByteArray> functionGroup1(int address, quint16 functions);  // E4 20 AH AL F
std::optional<QByteArray> functionGroup2(int address, quint16 functions);  // E4 21 AH AL F
std::optional<QByteArray> functionGroup3(int address, quint16 functions);  // E4 22 AH AL F
// The group (1..3) that switches function Fn (0..12), and its message; 0 / nothing outside.
int functionGroupOf(int function);
std::optional<QByteArray> functionGroup(int address, int group, quint16 functions);

// The frame on the line: the message, its check byte and, for LI-USB, FF FE in front.
QByteArray frame(const QByteArray& message, bool usbHeader);

// Bytes as the protocol texts show them: two upper-case hexadecimal digits and " | " per
// byte ("61 | 11 | 70 | "); the n-th byte starts at character 5n - 4.
QString LenzAntwortText(const QByteArray& bytes);

}  // namespace XpressNet
