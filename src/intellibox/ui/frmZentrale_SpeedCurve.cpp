// What the speed-curve editor uses of the programming window.
#include "intellibox/ui/frmZentrale.h"

#include "app/ui/StationWindow.h"
#include "intellibox/core/ZentraleStations.h"

#include <QAction>
#include <QToolButton>

SpeedCurveHost::Station frmZentrale::speedTableStation() const {
    const StationRules* r = station();
    return r && r->p50x ? Station::P50x : Station::None;
}

StationLink::Exchange frmZentrale::beginExchange() {
    return m_guard->begin();
}

void frmZentrale::setSpeedCurveOpener(std::function<void()> open) {
    m_openSpeedCurve = std::move(open);
    updateSpeedCurveEntry();
}

void frmZentrale::updateSpeedCurveEntry() {
    // The editor talks P50X: not offered for a 6021.
    const bool offered = m_openSpeedCurve && speedTableStation() == Station::P50x;
    mnuDatei_Kennlinie->setEnabled(offered);
    btnKennlinie->setEnabled(offered);
}
