#pragma once

#include "link/core/Clock.h"

#include <functional>

// Virtual time for tests and the simulated station: pauses advance the clock at once, and
// each yield advances it by one poll step, so a 20000 ms deadline passes in no real time.
// onYield runs wherever the program would let window events run: a test acts there as a
// user would during a wait.
class VirtualClock : public Clock {
public:
    explicit VirtualClock(qint64 pollStepMs = 10) : m_pollStep(pollStepMs) {}

    qint64 ticks() const override { return m_now; }
    void pause(qint64 ms) override {
        if (ms > 0)
            advance(ms);
    }
    void yield() override { idle(m_pollStep); }
    void idle(qint64 ms) override {
        if (ms > 0)
            advance(ms);
        if (onYield)
            onYield();
    }
    void advance(qint64 ms) {
        m_now += ms;
        if (onAdvance)
            onAdvance(m_now);
    }

    // Lets a simulated station deliver answers when their time has come, and a test act
    // while a window waits.
    std::function<void(qint64)> onAdvance;
    std::function<void()> onYield;

private:
    qint64 m_now = 0;
    qint64 m_pollStep;
};
