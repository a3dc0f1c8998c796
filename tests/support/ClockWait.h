#pragma once

#include "link/core/Clock.h"
#include "link/core/VirtualClock.h"

#include <QtGlobal>
#include <algorithm>
#include <functional>
#include <limits>
#include <optional>

// The sleep of SerialPort::waitForInput for ports that live on a Clock (the simulated
// station, the recording fakes): time passes in steps of at most `stepMs`, with window events
// (a test's hooks) after each, until `ready()`, `stop()` or `ms` (negative: no limit). A step
// ends exactly at `nextEvent()`, the time the next input is due, so a wait on virtual time
// sees an answer the moment it arrives.
inline bool waitOnClock(Clock& clock, qint64 ms, const std::function<bool()>& stop, const std::function<bool()>& ready,
                        const std::function<std::optional<qint64>()>& nextEvent = {}, qint64 stepMs = 10) {
    const qint64 until = ms < 0 ? std::numeric_limits<qint64>::max() : clock.ticks() + ms;
    for (;;) {
        if (ready())
            return true;
        if (ms == 0 || (stop && stop()))
            return false;
        const qint64 now = clock.ticks();
        if (now >= until)
            return false;
        qint64 next = std::min(until - now, stepMs);
        if (nextEvent)
            if (const std::optional<qint64> due = nextEvent())
                next = std::min(next, std::max<qint64>(*due - now, 1));
        clock.idle(next);
    }
}

// From virtual time `ms` on, runs `action` once, at the first place where a wait lets window
// events run: a test acts there as a user would while the program waits.
inline void onceAfter(VirtualClock& clock, qint64 ms, std::function<void()> action) {
    clock.onYield = [&clock, ms, action = std::move(action), done = false]() mutable {
        if (done || clock.ticks() < ms)
            return;
        done = true;
        action();
    };
}
