#pragma once

#include "link/core/Clock.h"

#include <QElapsedTimer>

// Wall-clock time for the running program: ticks from a monotonic timer, a pause that
// blocks the thread without handling window events, and a yield that lets them run.
class RealClock : public Clock {
public:
    RealClock();
    qint64 ticks() const override;
    void pause(qint64 ms) override;
    void yield() override;

private:
    QElapsedTimer m_timer;
};
