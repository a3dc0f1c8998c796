#pragma once

#include "FakeZentraleHost.h"
#include "speedcurve/core/SpeedCurveHost.h"

#include <QStringList>
#include <functional>

// The programming window as the speed-curve editor's transfer sees it, in front of the
// simulated station of `z`: its station kind and programming mode as the test sets them, and
// the protocol rows as "mode cv value".
class FakeSpeedCurveHost : public SpeedCurveHost {
public:
    FakeSpeedCurveHost(SimulatedZentrale& z, Station kind) : m_z(z), station(kind) {}
    Station speedTableStation() const override { return station; }
    bool xpressNetUsb() const override { return usb; }
    XpressNet::ProgrammingMode programmingMode() const override { return mode; }
    void writeProtokoll(const QString& m, const QString& cv, const QString& value) override {
        rows.append(m + u' ' + cv + u' ' + value);
        if (onRow)
            onRow(int(rows.size()));
    }
    StationLink& stationLink() const override { return m_z.host.link(); }
    StationLink::Exchange beginExchange() override { return m_z.guard.begin(); }

private:
    SimulatedZentrale& m_z;

public:
    Station station;
    bool usb = false;
    XpressNet::ProgrammingMode mode = XpressNet::ProgrammingMode::Direct;
    QStringList rows;
    // After each row, with the number of rows so far.
    std::function<void(int)> onRow;
};
