#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The one serial port to the command station, as every window uses it. Implemented over
// QSerialPort (QtSerialPort) and by the simulated station in the tests.
//
// Failures throw Failure with the numbers of the central error report: 380 for a settings
// string the port rejects, 8002 for a port that does not exist, 8005 for a port in use,
// 75 or another number with a description for the rest.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // "1" → the platform's first port; a device name or path is taken as it stands.
    virtual void setPortName(const QString& port) = 0;
    virtual QString portName() const = 0;
    // "2400,N,8,1": baud rate, parity N/E/O/M/S, data bits, stop bits. Applied at once when
    // the port is open, otherwise at the next open.
    virtual void setSettings(const QString& settings) = 0;
    virtual QString settings() const = 0;
    virtual void setRts(bool on) = 0;

    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // One whole command in one write, one byte per character.
    virtual void write(const QByteArray& bytes) = 0;
    // Every byte waiting, emptying the input; empty when nothing waits.
    virtual QByteArray readAll() = 0;
    virtual int bytesWaiting() = 0;
    // The CTS line; nullopt where the device cannot tell (a pseudo-terminal).
    virtual std::optional<bool> cts() = 0;

    // Blocks at most `ms` milliseconds until input is waiting; lets wait loops poll
    // without spinning a core. Returns whether input is waiting.
    virtual bool waitForInput(int ms) = 0;
};
