#pragma once

#include "FakeZentraleHost.h"
#include "lenz/core/LenzSpeedTableProgrammer.h"
#include "programming/core/P50xSpeedTableProgrammer.h"
#include "programming/core/SpeedCurveHost.h"

#include <QStringList>
#include <functional>

// The programming window as the speed-curve editor's transfer sees it, in front of the
// simulated station of `z`: its station kind and programming mode as the test sets them, the
// programmers the two windows make for them, and the protocol rows as "mode cv value".
class FakeSpeedCurveHost : public SpeedCurveHost {
public:
    enum class Station {
        None,       // a 6021
        P50x,       // an Intellibox or a MasterControl
        XpressNet,  // a Lenz station
    };

    FakeSpeedCurveHost(SimulatedZentrale& z, Station kind) : m_z(z), station(kind) {}
    bool offersSpeedTable() const override { return station != Station::None; }
    std::unique_ptr<SpeedTableProgrammer> speedTableProgrammer(ZentraleHost& view, qint64 delayMs,
                                                               bool writeRun) override {
        StationLink& link = m_z.host.link();
        AppContext& ctx = m_z.host.ctx;
        switch (station) {
        case Station::None:
            break;
        case Station::P50x:
            return std::make_unique<P50xSpeedTableProgrammer>(link, ctx, view, delayMs, writeRun);
        case Station::XpressNet:
            return std::make_unique<LenzSpeedTableProgrammer>(link, usb, [this] { return mode; }, ctx, view, delayMs);
        }
        return nullptr;
    }
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
