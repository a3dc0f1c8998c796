#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// Port failures that the central error report shows through its general message, with
// the description carried by the Failure. The numbers continue the program's own list of
// port errors (8002 missing, 8005 in use).
namespace PortError {
constexpr int AccessDenied = 70;  // no permission for the device (e.g. not in group dialout)
constexpr int NotOpen = 8018;     // an operation that needs an open port
constexpr int Lost = 8020;        // the device vanished while open
constexpr int Other = 8021;       // any other failure of the device
}  // namespace PortError

// The one serial port to the command station, as every window uses it. Implemented over
// QSerialPort (QtSerialPort) and by the simulated station in the tests.
//
// Failures throw Failure with the numbers of the central error report: 380 for a settings
// string the port rejects, 8002 for a port that does not exist, 8005 for a port in use,
// 75 or another number with a description for the rest (see PortError).
//
// A device that disappears while open (cable pulled, the other end of a pseudo-terminal
// closed) is closed and reported once: the next operation throws PortError::Lost, after
// that the port behaves as closed (reads give nothing, writes throw PortError::NotOpen).
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

    // Sleeps until input is waiting, `ms` milliseconds have passed (negative: no limit) or
    // `stop` (may be empty) turns true, and lets window events run meanwhile; `stop` is asked
    // again after they have run. Nothing else wakes the wait, so a long one costs no
    // processor time and input is noticed the moment it arrives. Returns whether input is
    // waiting.
    virtual bool waitForInput(qint64 ms, const std::function<bool()>& stop = {}) = 0;
};
