#include "link/core/XpressNet.h"

#include "link/core/StationLink.h"

#include <initializer_list>

namespace XpressNet {

namespace {
QByteArray bytes(std::initializer_list<int> values) {
    QByteArray message;
    for (int value : values)
        message += static_cast<char>(value);
    return message;
}

std::optional<QByteArray> serviceRead(ProgrammingMode mode, int id, int number) {
    if (!numberValid(mode, number))
        return std::nullopt;
    return bytes({0x22, id, number});
}

std::optional<QByteArray> serviceWrite(ProgrammingMode mode, int id, int number, int value) {
    if (!numberValid(mode, number) || !valueValid(value))
        return std::nullopt;
    return bytes({0x23, id, number, value});
}

std::optional<QByteArray> locoMessage(int header, int id, int address, int data) {
    const std::optional<LocoAddress> a = locoAddress(address);
    if (!a)
        return std::nullopt;
    return bytes({header, id, a->high, a->low, data});
}

// The NMRA 28-step form: the 5-bit value with its lowest bit moved to bit 4.
int nmra28(int speedValue) {
    if (speedValue == 0)
        return 0;
    // Shown step n = value - 1 is 5-bit n + 3; value 1 lands on the emergency stop.
    const int v = speedValue + 2;
    return ((v & 1) << 4) | (v >> 1);
}
}  // namespace

bool numberValid(ProgrammingMode mode, int number) {
    return mode == ProgrammingMode::Register ? number >= 1 && number <= 8 : number >= 1 && number <= 255;
}

bool valueValid(int value) {
    return value >= 0 && value <= 255;
}

std::optional<QByteArray> registerReadRequest(int reg) {
    return serviceRead(ProgrammingMode::Register, 0x11, reg);
}

std::optional<QByteArray> directReadRequest(int cv) {
    return serviceRead(ProgrammingMode::Direct, 0x15, cv);
}

std::optional<QByteArray> pagedReadRequest(int cv) {
    return serviceRead(ProgrammingMode::Paged, 0x14, cv);
}

std::optional<QByteArray> readRequest(ProgrammingMode mode, int number) {
    switch (mode) {
    case ProgrammingMode::Register:
        return registerReadRequest(number);
    case ProgrammingMode::Direct:
        return directReadRequest(number);
    case ProgrammingMode::Paged:
        return pagedReadRequest(number);
    }
    return std::nullopt;
}

QByteArray resultRequest() {
    return bytes({0x21, 0x10});
}

std::optional<QByteArray> registerWrite(int reg, int value) {
    return serviceWrite(ProgrammingMode::Register, 0x12, reg, value);
}

std::optional<QByteArray> directWrite(int cv, int value) {
    return serviceWrite(ProgrammingMode::Direct, 0x16, cv, value);
}

std::optional<QByteArray> pagedWrite(int cv, int value) {
    return serviceWrite(ProgrammingMode::Paged, 0x17, cv, value);
}

std::optional<QByteArray> writeRequest(ProgrammingMode mode, int number, int value) {
    switch (mode) {
    case ProgrammingMode::Register:
        return registerWrite(number, value);
    case ProgrammingMode::Direct:
        return directWrite(number, value);
    case ProgrammingMode::Paged:
        return pagedWrite(number, value);
    }
    return std::nullopt;
}

QByteArray trackPowerOff() {
    return bytes({0x21, 0x80});
}

QByteArray trackPowerOn() {
    return bytes({0x21, 0x81});
}

std::optional<LocoAddress> locoAddress(int address) {
    if (address < 1 || address > 9999)
        return std::nullopt;
    if (address < 100)
        return LocoAddress{0, quint8(address)};
    return LocoAddress{quint8(0xC0 + (address >> 8)), quint8(address & 0xFF)};
}

std::optional<QByteArray> stopLocomotive(int address) {
    const std::optional<LocoAddress> a = locoAddress(address);
    if (!a)
        return std::nullopt;
    return bytes({0x92, a->high, a->low});
}

int maxSpeedValue(SpeedSteps steps) {
    switch (steps) {
    case SpeedSteps::Steps14:
        return 15;
    case SpeedSteps::Steps27:
        return 28;
    case SpeedSteps::Steps28:
        return 29;
    case SpeedSteps::Steps128:
        return 127;
    }
    return 0;
}

std::optional<QByteArray> speedAndDirection(int address, SpeedSteps steps, int speedValue, bool forward) {
    if (speedValue < 0 || speedValue > maxSpeedValue(steps))
        return std::nullopt;
    int id = 0x10;
    int speed = speedValue;
    switch (steps) {
    case SpeedSteps::Steps14:
        break;
    case SpeedSteps::Steps27:
        id = 0x11;
        speed = nmra28(speedValue);
        break;
    case SpeedSteps::Steps28:
        id = 0x12;
        speed = nmra28(speedValue);
        break;
    case SpeedSteps::Steps128:
        id = 0x13;
        break;
    }
    return locoMessage(0xE4, id, address, (forward ? 0x80 : 0) | speed);
}

std::optional<QByteArray> functionGroup1(int address, quint16 functions) {
    // F0 (the light) is bit 4, F1..F4 bits 0..3.
    const int data = ((functions & 0x01) << 4) | ((functions >> 1) & 0x0F);
    return locoMessage(0xE4, 0x20, address, data);
}

std::optional<QByteArray> functionGroup2(int address, quint16 functions) {
    return locoMessage(0xE4, 0x21, address, (functions >> 5) & 0x0F);
}

std::optional<QByteArray> functionGroup3(int address, quint16 functions) {
    return locoMessage(0xE4, 0x22, address, (functions >> 9) & 0x0F);
}

int functionGroupOf(int function) {
    if (function < 0 || function > 12)
        return 0;
    return function <= 4 ? 1 : function <= 8 ? 2 : 3;
}

std::optional<QByteArray> functionGroup(int address, int group, quint16 functions) {
    switch (group) {
    case 1:
        return functionGroup1(address, functions);
    case 2:
        return functionGroup2(address, functions);
    case 3:
        return functionGroup3(address, functions);
    default:
        return std::nullopt;
    }
}

QByteArray frame(const QByteArray& message, bool usbHeader) {
    return StationLink::xpressNetFrame(message, usbHeader);
}

QString LenzAntwortText(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size() * 5);
    for (char byte : bytes)
        text += QStringLiteral("%1 | ").arg(quint8(byte), 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

}  // namespace XpressNet
