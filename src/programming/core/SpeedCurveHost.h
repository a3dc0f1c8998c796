#pragma once

#include "link/core/StationLink.h"

#include <QString>
#include <QtGlobal>
#include <memory>

class SpeedTableProgrammer;
class ZentraleHost;

// What the speed-curve editor uses of the programming window that opened it (the Intellibox
// or the Lenz window): a programmer for the speed table through the window's station, its
// exchange guard and its protocol table. The window implements it and hands itself to the
// editor each time it shows it.
class SpeedCurveHost {
public:
    virtual ~SpeedCurveHost() = default;

    // Whether the window's station carries the speed table now (a 6021 does not).
    virtual bool offersSpeedTable() const = 0;
    // The programmer of one run of the editor's transfer (or of its closing) through the
    // window's station, inside an exchange the caller holds: `view` shows its status texts,
    // `delayMs` is the pause between the steps, `writeRun` whether the run writes. Null
    // where offersSpeedTable() is false.
    virtual std::unique_ptr<SpeedTableProgrammer> speedTableProgrammer(ZentraleHost& view, qint64 delayMs,
                                                                       bool writeRun) = 0;

    // Appends a row (mode "L" or "S", CV, value) to the window's protocol table
    // (`writeProtokoll`, `writeProtokoll_Lenz`).
    virtual void writeProtokoll(const QString& mode, const QString& cv, const QString& value) = 0;

    // The window's station link, and an exchange on it taken through the window's station
    // guard: refused with a beep while another exchange runs, cancelled when the window
    // closes, whose deletion then waits until the exchange has ended.
    virtual StationLink& stationLink() const = 0;
    virtual StationLink::Exchange beginExchange() = 0;
};
