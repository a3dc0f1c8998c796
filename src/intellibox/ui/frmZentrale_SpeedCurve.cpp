// What the speed-curve editor uses of the programming window.
#include "intellibox/ui/frmZentrale.h"

#include "intellibox/core/ZentraleStations.h"

SpeedCurveHost::Station frmZentrale::speedTableStation() const {
    // The editor talks P50X: not offered for a 6021.
    const StationRules* r = station();
    return r && r->p50x ? Station::P50x : Station::None;
}
