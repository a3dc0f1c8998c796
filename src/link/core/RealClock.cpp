#include "link/core/RealClock.h"

#include <QCoreApplication>
#include <QThread>

RealClock::RealClock() {
    m_timer.start();
}

qint64 RealClock::ticks() const {
    return m_timer.elapsed();
}

void RealClock::pause(qint64 ms) {
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void RealClock::yield() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}
