#pragma once

#include <QtGlobal>

// All time of the program goes through here: tick-count deadlines, the blocking pause
// `Warten` and yielding to the user interface while an answer is awaited. Tests use the
// virtual clock, so a 20000 ms deadline costs no real time.
class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds since an arbitrary start.
    virtual qint64 ticks() const = 0;
    // Blocks for `ms` milliseconds without handling window events; 0 or less returns at once.
    virtual void pause(qint64 ms) = 0;
    // Lets pending window events run.
    virtual void yield() = 0;
    // Lets `ms` milliseconds pass, then pending window events run: one step of a wait that
    // has nothing to sleep on but time (the simulated station's port).
    virtual void idle(qint64 ms) {
        pause(ms);
        yield();
    }
};
