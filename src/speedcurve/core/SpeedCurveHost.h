#pragma once

#include "link/core/StationLink.h"
#include "link/core/XpressNet.h"

#include <QString>

// What the speed-curve editor uses of the programming window that opened it (the Intellibox
// or the Lenz window): the station the window talks to, its exchange guard and its protocol
// table. The window implements it and hands itself to the editor each time it shows it.
class SpeedCurveHost {
public:
    // How the window reaches its station now.
    enum class Station {
        None,       // no transfer through this station (a 6021)
        P50x,       // an Intellibox or a MasterControl
        XpressNet,  // a Lenz station
    };

    virtual ~SpeedCurveHost() = default;

    virtual Station speedTableStation() const = 0;
    // XpressNet only: whether the interface is the LI-USB (FF FE in front of each frame), and
    // the programming mode chosen in the window (`optProgmode`), asked again before each CV.
    virtual bool xpressNetUsb() const { return false; }
    virtual XpressNet::ProgrammingMode programmingMode() const { return XpressNet::ProgrammingMode::Direct; }

    // Appends a row (mode "L" or "S", CV, value) to the window's protocol table
    // (`writeProtokoll`, `writeProtokoll_Lenz`).
    virtual void writeProtokoll(const QString& mode, const QString& cv, const QString& value) = 0;

    // The window's station link, and an exchange on it taken through the window's station
    // guard: refused with a beep while another exchange runs, cancelled when the window
    // closes, whose deletion then waits until the exchange has ended.
    virtual StationLink& stationLink() const = 0;
    virtual StationLink::Exchange beginExchange() = 0;
};
