#pragma once

#include "programming/core/CvProgrammer.h"

#include <functional>

class StationWindowGuard;
class ZentraleHost;
struct AppContext;

// What a programming window hands the panels that talk to the station: the program-wide
// settings and messages, the window itself (status, pointer, protocol), the guard through
// which each of their exchanges is taken, and how the window tells the user of a read or
// write that got no answer (the panels end the operation then and show nothing of their
// own; empty: nothing is told).
struct PanelHost {
    AppContext& ctx;
    ZentraleHost& window;
    StationWindowGuard& guard;
    std::function<void(const CvResult&)> unanswered;

    void tellUnanswered(const CvResult& result) const {
        if (unanswered)
            unanswered(result);
    }

    // One operation of a panel: inside an exchange taken through the guard, with the
    // programmer `source` makes and a ProgrammingSession around `body`. Refused with a beep
    // while another exchange runs or when the station has no programmer for it.
    void run(const CvProgrammerSource& source, const std::function<void(CvProgrammer&)>& body) const;
};
