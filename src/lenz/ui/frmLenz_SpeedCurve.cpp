// What the speed-curve editor uses of the programming window.
#include "lenz/ui/frmLenz.h"

#include "lenz/core/LenzSpeedTableProgrammer.h"

std::unique_ptr<SpeedTableProgrammer> frmLenz::speedTableProgrammer(ZentraleHost& view, qint64 delayMs,
                                                                    bool /*writeRun*/) {
    return std::make_unique<LenzSpeedTableProgrammer>(m_link, usbInterface(), [this] { return programmingMode(); },
                                                      m_ctx, view, delayMs);
}
