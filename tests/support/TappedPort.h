#pragma once

#include "link/core/SerialPort.h"

#include <functional>

// A port that passes everything on to another one and lets a test or benchmark watch what
// each read brought, what each write sent and how each sleep of a wait ended.
class TappedPort : public SerialPort {
public:
    explicit TappedPort(SerialPort& inner) : m_inner(inner) {}

    std::function<void(const QByteArray&)> onRead;
    std::function<void(const QByteArray&)> onWrite;
    std::function<void(bool input)> onWake;

    void setPortName(const QString& port) override { m_inner.setPortName(port); }
    QString portName() const override { return m_inner.portName(); }
    void setSettings(const QString& settings) override { m_inner.setSettings(settings); }
    QString settings() const override { return m_inner.settings(); }
    void setRts(bool on) override { m_inner.setRts(on); }
    void open() override { m_inner.open(); }
    void close() override { m_inner.close(); }
    bool isOpen() const override { return m_inner.isOpen(); }
    void write(const QByteArray& bytes) override {
        m_inner.write(bytes);
        if (onWrite)
            onWrite(bytes);
    }
    QByteArray readAll() override {
        const QByteArray bytes = m_inner.readAll();
        if (onRead)
            onRead(bytes);
        return bytes;
    }
    int bytesWaiting() override { return m_inner.bytesWaiting(); }
    std::optional<bool> cts() override { return m_inner.cts(); }
    bool waitForInput(qint64 ms, const std::function<bool()>& stop = {}) override {
        const bool input = m_inner.waitForInput(ms, stop);
        if (onWake)
            onWake(input);
        return input;
    }

private:
    SerialPort& m_inner;
};
