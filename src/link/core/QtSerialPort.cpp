#include "link/core/QtSerialPort.h"

#include "base/core/Failure.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <limits>

namespace {
// A command is a few dozen bytes; the device takes it at once unless it is gone.
constexpr int writeTimeoutMs = 2000;

bool isNumber(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (!c.isDigit())
            return false;
    return true;
}
}  // namespace

QtSerialPort::QtSerialPort() : m_port(std::make_unique<QSerialPort>()) {
    QObject::connect(m_port.get(), &QSerialPort::errorOccurred, m_port.get(),
                     [this](QSerialPort::SerialPortError error) {
                         // A device that can no longer be read or written is gone (a pulled
                         // cable, the other end of a pseudo-terminal closed).
                         if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
                             error == QSerialPort::WriteError)
                             m_lost = true;
                     });
}

QtSerialPort::~QtSerialPort() {
    if (m_port->isOpen())
        m_port->close();
}

std::optional<QtSerialPort::Settings> QtSerialPort::parseSettings(const QString& settings) {
    const QStringList parts = settings.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    Settings s;
    bool ok = false;
    s.baudRate = parts[0].trimmed().toInt(&ok);
    if (!ok || s.baudRate <= 0)
        return std::nullopt;
    const QString parity = parts[1].trimmed().toUpper();
    if (parity == u"N")
        s.parity = QSerialPort::NoParity;
    else if (parity == u"E")
        s.parity = QSerialPort::EvenParity;
    else if (parity == u"O")
        s.parity = QSerialPort::OddParity;
    else if (parity == u"M")
        s.parity = QSerialPort::MarkParity;
    else if (parity == u"S")
        s.parity = QSerialPort::SpaceParity;
    else
        return std::nullopt;
    const int bits = parts[2].trimmed().toInt(&ok);
    if (!ok || bits < 5 || bits > 8)
        return std::nullopt;
    s.dataBits = static_cast<QSerialPort::DataBits>(bits);
    const QString stop = parts[3].trimmed();
    if (stop == u"1")
        s.stopBits = QSerialPort::OneStop;
    else if (stop == u"1.5")
        s.stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == u"2")
        s.stopBits = QSerialPort::TwoStop;
    else
        return std::nullopt;
    return s;
}

QString QtSerialPort::deviceFor(const QString& port) {
    const QString name = port.trimmed();
    if (isNumber(name)) {
        const int number = name.toInt();
        if (number < 1)
            return {};
#ifdef Q_OS_WIN
        return QStringLiteral("COM%1").arg(number);
#else
        return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
    }
    return name;
}

QStringList QtSerialPort::availablePorts() {
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports)
        names << info.portName();
    return names;
}

Failure QtSerialPort::failureFor(QSerialPort::SerialPortError error, const QString& device, const QString& detail) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return Failure(ErrorNumber::PortMissing, detail);
    case QSerialPort::OpenError:
        return Failure(ErrorNumber::PortInUse, detail);
    case QSerialPort::PermissionError: {
        // Qt says "permission" both for a device locked by another program and for one
        // we may not open at all; only the second needs the user to change something.
        const QFileInfo info(device);
        if (info.exists() && info.isReadable() && info.isWritable())
            return Failure(ErrorNumber::PortInUse, detail);
        return Failure(PortError::AccessDenied,
                       QStringLiteral("Keine Berechtigung für den Anschluss %1 (ist der Benutzer in der Gruppe "
                                      "'dialout'?)")
                           .arg(device));
    }
    case QSerialPort::UnsupportedOperationError:
        return Failure(ErrorNumber::InvalidProperty, detail);
    case QSerialPort::ResourceError:
        return Failure(PortError::Lost,
                       QStringLiteral("Der Anschluss %1 ist nicht mehr vorhanden").arg(device));
    case QSerialPort::NotOpenError:
        return Failure(PortError::NotOpen, QStringLiteral("Der Anschluss ist nicht geöffnet"));
    default:
        return Failure(PortError::Other,
                       QStringLiteral("Anschluss %1: %2").arg(device, detail));
    }
}

void QtSerialPort::setPortName(const QString& port) {
    m_name = port;
}

void QtSerialPort::setSettings(const QString& settings) {
    const auto parsed = parseSettings(settings);
    if (!parsed)
        throw Failure(ErrorNumber::InvalidProperty, settings);
    m_settings = settings;
    if (m_port->isOpen())
        applySettings(*parsed);
}

void QtSerialPort::setRts(bool on) {
    m_rts = on;
    if (m_port->isOpen()) {
        // A pseudo-terminal has no RTS line: that is no failure of the port.
        m_port->setRequestToSend(on);
        m_port->clearError();
    }
}

void QtSerialPort::applySettings(const Settings& s) {
    const bool ok = m_port->setBaudRate(s.baudRate) && m_port->setParity(s.parity) &&
                    m_port->setDataBits(s.dataBits) && m_port->setStopBits(s.stopBits) &&
                    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        const QString detail = m_port->errorString();
        m_port->clearError();
        throw Failure(ErrorNumber::InvalidProperty, detail);
    }
}

void QtSerialPort::open() {
    if (m_port->isOpen())
        return;
    const auto parsed = parseSettings(m_settings);
    if (!parsed)
        throw Failure(ErrorNumber::InvalidProperty, m_settings);
    const QString device = deviceFor(m_name);
    if (device.isEmpty())
        throw Failure(ErrorNumber::PortMissing, m_name);
    m_port->setPortName(device);
    m_lost = false;
    if (!m_port->open(QIODevice::ReadWrite)) {
        const Failure failure = failureFor(m_port->error(), device, m_port->errorString());
        m_port->clearError();
        throw failure;
    }
    try {
        applySettings(*parsed);
    } catch (...) {
        m_port->close();
        throw;
    }
    setRts(m_rts);
}

void QtSerialPort::close() {
    m_lost = false;
    if (m_port->isOpen())
        m_port->close();
    m_port->clearError();
}

bool QtSerialPort::isOpen() const {
    return m_port->isOpen();
}

void QtSerialPort::reportLoss() {
    if (!m_lost)
        return;
    const QString device = m_port->portName();
    close();
    throw failureFor(QSerialPort::ResourceError, device, {});
}

void QtSerialPort::pull() {
    // waitForReadyRead(0) reads what the device holds into the buffer; a few rounds at
    // most, so a chattering device cannot keep us here.
    for (int round = 0; round < 8 && m_port->isOpen() && !m_lost; ++round) {
        if (!m_port->waitForReadyRead(0))
            break;
    }
    if (m_port->error() == QSerialPort::TimeoutError)
        m_port->clearError();
}

void QtSerialPort::write(const QByteArray& bytes) {
    reportLoss();
    if (!m_port->isOpen())
        throw failureFor(QSerialPort::NotOpenError, m_port->portName(), {});
    if (m_port->write(bytes) != bytes.size()) {
        const Failure failure = failureFor(m_port->error(), m_port->portName(), m_port->errorString());
        m_port->clearError();
        reportLoss();
        throw failure;
    }
    while (m_port->isOpen() && !m_lost && m_port->bytesToWrite() > 0) {
        if (!m_port->waitForBytesWritten(writeTimeoutMs))
            break;
    }
    if (m_port->error() == QSerialPort::TimeoutError)
        m_port->clearError();
    reportLoss();
}

QByteArray QtSerialPort::readAll() {
    reportLoss();
    if (!m_port->isOpen())
        return {};
    pull();
    QByteArray data = m_port->readAll();
    reportLoss();
    return data;
}

int QtSerialPort::bytesWaiting() {
    reportLoss();
    if (!m_port->isOpen())
        return 0;
    pull();
    reportLoss();
    return int(m_port->bytesAvailable());
}

std::optional<bool> QtSerialPort::cts() {
    reportLoss();
    if (!m_port->isOpen())
        return std::nullopt;
    m_port->clearError();
    const QSerialPort::PinoutSignals pins = m_port->pinoutSignals();
    if (m_port->error() != QSerialPort::NoError) {
        // The device cannot tell (a pseudo-terminal has no modem lines).
        m_port->clearError();
        reportLoss();
        return std::nullopt;
    }
    return pins.testFlag(QSerialPort::ClearToSendSignal);
}

bool QtSerialPort::waitForInput(qint64 ms, const std::function<bool()>& stop) {
    reportLoss();
    if (m_port->isOpen()) {
        // What came while no event loop ran is still with the device.
        if (m_port->bytesAvailable() == 0)
            pull();
        reportLoss();
        if (m_port->bytesAvailable() > 0)
            return true;
    }
    if (ms == 0 || (stop && stop()))
        return false;
    // The deadline timer takes an int; no wait of the program comes near that.
    const int timeout = int(std::min<qint64>(ms, std::numeric_limits<int>::max()));
    if (!QCoreApplication::instance()) {
        // No window events to run: block on the device itself.
        if (m_port->isOpen()) {
            m_port->waitForReadyRead(ms < 0 ? -1 : timeout);
            if (m_port->error() == QSerialPort::TimeoutError)
                m_port->clearError();
        } else if (ms > 0) {
            QThread::msleep(static_cast<unsigned long>(timeout));
        }
        reportLoss();
        return m_port->isOpen() && m_port->bytesAvailable() > 0;
    }

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(m_port.get(), &QIODevice::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(m_port.get(), &QIODevice::aboutToClose, &loop, &QEventLoop::quit);
    QObject::connect(m_port.get(), &QSerialPort::errorOccurred, &loop, [this, &loop] {
        if (m_lost)
            loop.quit();
    });
    // The dispatcher says so each time it has run what was pending and is about to sleep:
    // the moment a handler may have asked for the stop.
    if (stop && QAbstractEventDispatcher::instance()) {
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop,
                         [&stop, &loop] {
                             if (stop())
                                 loop.quit();
                         });
    }
    if (ms > 0)
        deadline.start(timeout);
    loop.exec();
    reportLoss();
    return m_port->isOpen() && m_port->bytesAvailable() > 0;
}
