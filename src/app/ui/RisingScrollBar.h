#pragma once

#include <QScrollBar>

// A vertical scroll bar whose value rises towards the top, as the number fields beside it
// expect: its largest value puts the handle at the top, the up arrow, the track above the
// handle, the Up key and the wheel turned up all raise the value. Its value is the number
// itself (a field showing 8 has a bar at 8).
//
// Qt's vertical bar always lowers its value at the top arrow, also with an inverted
// appearance; the bar therefore shows inverted and a style of its own turns the arrow and
// track hits around.
class RisingScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit RisingScrollBar(QWidget* parent = nullptr);

    void setRisingRange(int min, int max) { setRange(min, max); }
    void setRisingMaximum(int max) { setMaximum(max); }
    int risingMinimum() const { return minimum(); }
    int risingMaximum() const { return maximum(); }
    void setRisingValue(int v) { setValue(v); }
    int risingValue() const { return value(); }

signals:
    void risingValueChanged(int value);
};
