#pragma once

#include "base/core/Failure.h"
#include "ClockWait.h"
#include "link/core/SerialPort.h"

#include <QHash>
#include <QStringList>

// A port whose open() fails as a real one would: by port name (missing, in use) or by a
// settings text it rejects. Records names, settings, RTS and every open and close.
class ScriptedPort : public SerialPort {
public:
    void setPortName(const QString& port) override { m_name = port; }
    QString portName() const override { return m_name; }
    void setSettings(const QString& settings) override { m_settings = settings; }
    QString settings() const override { return m_settings; }
    void setRts(bool on) override { rts = on; }
    void open() override {
        if (failures.contains(m_name))
            throw Failure(failures.value(m_name));
        if (rejectedSettings.contains(m_settings))
            throw Failure(ErrorNumber::InvalidProperty);
        m_open = true;
        opened.append(m_name);
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void write(const QByteArray& bytes) override { writes.append(bytes); }
    QByteArray readAll() override { return {}; }
    int bytesWaiting() override { return 0; }
    std::optional<bool> cts() override { return std::nullopt; }
    bool waitForInput(qint64 ms, const std::function<bool()>& stop = {}) override {
        return waitOnClock(*clock, ms, stop, [] { return false; });
    }

    QHash<QString, int> failures;   // port name -> error number of open()
    QStringList rejectedSettings;   // settings texts open() rejects with 380
    QStringList opened;             // names successfully opened, in order
    QList<QByteArray> writes;
    bool rts = false;
    Clock* clock = nullptr;  // on which a wait lets time pass

private:
    QString m_name;
    QString m_settings;
    bool m_open = false;
};
