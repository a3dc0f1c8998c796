#pragma once

#include <QObject>
#include <array>

// The 28-step speed table of a DCC decoder (CV 67 to CV 94) as the editor holds it: one
// value 0..255 per step, and per step whether it was changed since it was last read from
// or written to the decoder. Steps are numbered 1..28.
//
// The window shows a step through a vertical scroll bar whose position is 255 - value
// (the "scroll value", 0 at the top); shaping and dragging are defined on that position
// and round as the bar does, so they work on scroll values here too.
class SpeedCurve : public QObject {
    Q_OBJECT
public:
    static constexpr int steps = 28;
    static constexpr int maxValue = 255;
    static constexpr int cvOf(int step) { return 66 + step; }

    // Changed: not yet in the decoder (red marker). Transferred: just read or written (green).
    enum class Mark { Changed, Transferred };

    using Values = std::array<int, steps>;

    // Starts with a straight line from 0 to 255, every step changed.
    explicit SpeedCurve(QObject* parent = nullptr);

    int value(int step) const { return m_values.at(index(step)); }
    int scrollValue(int step) const { return maxValue - value(step); }
    Mark mark(int step) const { return m_marks.at(index(step)); }
    const Values& values() const { return m_values; }

    // Values outside 0..255 are limited. A real change marks the step changed, also while
    // a transfer runs (the decoder does not have the new value); setting the value a step
    // already has changes nothing.
    void setValue(int step, int value);
    void setScrollValue(int step, int scroll) { setValue(step, maxValue - scroll); }
    void setValues(const Values& values);

    void setMark(int step, Mark mark);
    // The decoder now holds `value` for the step: the step turns transferred if it still
    // shows that value (the user may have changed it while it was being written).
    void markTransferred(int step, int value);

    // Steps 2..27 on the straight line between steps 1 and 28, which stay.
    void makeLinear();
    // Every value one higher (at most 255), or one lower (at least 0).
    void raise();
    void lower();

    // The scroll value a marker dragged from `scroll` takes when the pointer stands
    // `yTwips` below the marker's top, grabbed `grabTwips` below it: one value unit per
    // pixel of 15 twips, limited to 0..255, rounded half to even.
    static int dragScrollValue(int scroll, double yTwips, double grabTwips);

signals:
    // The value or the mark of the step changed.
    void stepChanged(int step);

private:
    static std::size_t index(int step);

    Values m_values{};
    std::array<Mark, steps> m_marks{};
};
