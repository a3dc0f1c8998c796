#pragma once

#include <QString>

// The settings text of the port ("2400,N,8,1") split into the four lists of the
// port-settings window and joined back.
struct ComSettingsParts {
    QString baud;
    QString parity;
    QString dataBits;
    QString stopBits;

    bool operator==(const ComSettingsParts&) const = default;
};

// Baud rate and data bits as plain decimals of their leading numbers. A text with fewer
// than three commas gives the parts it has; the missing ones take those of "2400,N,8,1".
ComSettingsParts splitComSettings(const QString& settings);
QString joinComSettings(const ComSettingsParts& parts);

// What the port field stores as ComPort: a number as plain decimal (an empty field gives
// "0"), a device name or path as typed.
QString comPortFromField(const QString& field);
// The keys the port field accepts besides backspace.
bool isPortNameChar(QChar c);
