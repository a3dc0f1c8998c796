#include "speedcurve/core/SpeedCurve.h"

#include "base/core/TextNumbers.h"
#include "speedcurve/core/PlanGeometry.h"

#include <QtGlobal>

SpeedCurve::SpeedCurve(QObject* parent) : QObject(parent) {
    m_marks.fill(Mark::Changed);
    m_values.front() = 0;
    m_values.back() = maxValue;
    makeLinear();
}

std::size_t SpeedCurve::index(int step) {
    Q_ASSERT(step >= 1 && step <= steps);
    return std::size_t(step - 1);
}

void SpeedCurve::setValue(int step, int value) {
    value = qBound(0, value, maxValue);
    const std::size_t i = index(step);
    if (m_values[i] == value)
        return;
    m_values[i] = value;
    m_marks[i] = Mark::Changed;
    emit stepChanged(step);
}

void SpeedCurve::setValues(const Values& values) {
    for (int step = 1; step <= steps; ++step)
        setValue(step, values[index(step)]);
}

void SpeedCurve::setMark(int step, Mark mark) {
    const std::size_t i = index(step);
    if (m_marks[i] == mark)
        return;
    m_marks[i] = mark;
    emit stepChanged(step);
}

void SpeedCurve::markTransferred(int step, int value) {
    if (this->value(step) == value)
        setMark(step, Mark::Transferred);
}

void SpeedCurve::makeLinear() {
    const double first = value(1);
    const double last = value(steps);
    const double d = (last - first) / (steps - 1);
    for (int step = 2; step < steps; ++step)
        setScrollValue(step, int(roundHalfEven(maxValue - (first + (step - 1) * d))));
}

void SpeedCurve::raise() {
    for (int step = 1; step <= steps; ++step)
        setValue(step, value(step) + 1);
}

void SpeedCurve::lower() {
    for (int step = 1; step <= steps; ++step)
        setValue(step, value(step) - 1);
}

int SpeedCurve::dragScrollValue(int scroll, double yTwips, double grabTwips) {
    const double moved = scroll + (yTwips - grabTwips) / PlanGeometry::twipsPerPixel;
    return int(roundHalfEven(qBound(0.0, moved, double(maxValue))));
}
