#pragma once

#include "ClockWait.h"
#include "base/core/Failure.h"
#include "link/core/SerialPort.h"
#include "link/core/StationLink.h"
#include "link/core/VirtualClock.h"

#include <QList>

// A port that records what is written and hands out what a test queued: for frame and
// sender tests that need no station behind the line.
class RecordingPort : public SerialPort {
public:
    void setPortName(const QString& port) override { m_name = port; }
    QString portName() const override { return m_name; }
    void setSettings(const QString& settings) override { m_settings = settings; }
    QString settings() const override { return m_settings; }
    void setRts(bool) override {}
    void open() override { m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void write(const QByteArray& bytes) override {
        if (failWrites)
            throw Failure(failWrites);
        writes.append(bytes);
    }
    QByteArray readAll() override {
        if (reads.isEmpty())
            return {};
        return reads.takeFirst();
    }
    int bytesWaiting() override { return reads.isEmpty() ? 0 : int(reads.first().size()); }
    std::optional<bool> cts() override { return std::nullopt; }
    bool waitForInput(qint64 ms, const std::function<bool()>& stop = {}) override {
        return waitOnClock(*clock, ms, stop, [this] { return !reads.isEmpty(); });
    }

    QList<QByteArray> writes;  // one entry per write call
    QList<QByteArray> reads;   // one entry per read call
    int failWrites = 0;        // the error number every write throws (0: none)
    Clock* clock = nullptr;    // on which a wait lets time pass

private:
    QString m_name;
    QString m_settings;
    bool m_open = false;
};

// A link over a recording port, on virtual time, with an exchange held for the senders.
struct RecordingLink {
    RecordingLink() { port.clock = &clock; }
    RecordingPort port;
    VirtualClock clock;
    StationLink link{port, clock};
    StationLink::Exchange exchange{link};
};
