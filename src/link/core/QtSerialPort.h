#pragma once

#include "link/core/SerialPort.h"

#include <QSerialPort>
#include <QStringList>
#include <memory>

class Failure;

// The serial port over QSerialPort. Reads are polled and need no running event loop;
// waitForInput() sleeps in a local event loop, woken by the port's ready-read notification,
// its deadline timer or a stop request, so the user interface runs meanwhile and nothing
// wakes the thread in between.
class QtSerialPort : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;

    // "2400,N,8,1" taken apart; nullopt when the text is not of that form.
    struct Settings {
        qint32 baudRate = 2400;
        QSerialPort::Parity parity = QSerialPort::NoParity;
        QSerialPort::DataBits dataBits = QSerialPort::Data8;
        QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    };
    static std::optional<Settings> parseSettings(const QString& settings);
    // "1" → /dev/ttyS0 (COM1 on Windows); "ttyUSB0", "/dev/ttyACM0" stay device names.
    // Empty for a number below 1.
    static QString deviceFor(const QString& port);
    // The names of the ports the system reports ("ttyUSB0"), for the port-settings scan.
    static QStringList availablePorts();
    // The one place where QSerialPort's errors become the program's error numbers.
    static Failure failureFor(QSerialPort::SerialPortError error, const QString& device, const QString& detail);

    void setPortName(const QString& port) override;
    QString portName() const override { return m_name; }
    void setSettings(const QString& settings) override;
    QString settings() const override { return m_settings; }
    void setRts(bool on) override;

    void open() override;
    void close() override;
    bool isOpen() const override;

    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    int bytesWaiting() override;
    std::optional<bool> cts() override;
    bool waitForInput(qint64 ms, const std::function<bool()>& stop = {}) override;

private:
    void applySettings(const Settings& s);
    // Moves what the device holds into the port's buffer without an event loop.
    void pull();
    // Throws the loss of the device once, closing the port.
    void reportLoss();

    std::unique_ptr<QSerialPort> m_port;
    QString m_name = QStringLiteral("1");
    QString m_settings = QStringLiteral("2400,N,8,1");
    bool m_rts = false;
    bool m_lost = false;
};
