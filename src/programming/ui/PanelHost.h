#pragma once

#include <functional>

class StationWindowGuard;
class ZentraleHost;
struct AppContext;
struct CvResult;

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
};
