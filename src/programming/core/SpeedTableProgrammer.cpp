#include "programming/core/SpeedTableProgrammer.h"

#include "link/core/StationLink.h"

void SpeedTableProgrammer::pauseAfterWrite() {
    m_link.Warten(m_delayMs);
}
