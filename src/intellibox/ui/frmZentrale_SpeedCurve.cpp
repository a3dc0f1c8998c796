// What the speed-curve editor uses of the programming window.
#include "intellibox/ui/frmZentrale.h"

#include "intellibox/core/ZentraleStations.h"
#include "programming/core/P50xSpeedTableProgrammer.h"

bool frmZentrale::offersSpeedTable() const {
    // The editor talks P50X: not offered for a 6021.
    const StationRules* r = station();
    return r && r->p50x;
}

std::unique_ptr<SpeedTableProgrammer> frmZentrale::speedTableProgrammer(ZentraleHost& view, qint64 delayMs,
                                                                        bool writeRun) {
    if (!offersSpeedTable())
        return nullptr;
    return std::make_unique<P50xSpeedTableProgrammer>(m_link, m_ctx, view, delayMs, writeRun);
}
