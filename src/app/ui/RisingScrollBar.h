#pragma once

#include <QScrollBar>

// A vertical scroll bar whose value rises towards the top, so its up arrow counts up, as
// the number fields beside it expect. Qt's bar always counts down at the top arrow
// (inverted appearance does not change that), so the bar holds the negated value.
class RisingScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit RisingScrollBar(QWidget* parent = nullptr) : QScrollBar(Qt::Vertical, parent) {
        connect(this, &QScrollBar::valueChanged, this, [this](int v) { emit risingValueChanged(-v); });
    }

    void setRisingRange(int min, int max) { setRange(-max, -min); }
    void setRisingMaximum(int max) { setMinimum(-max); }
    int risingMinimum() const { return -maximum(); }
    int risingMaximum() const { return -minimum(); }
    void setRisingValue(int v) { setValue(-v); }
    int risingValue() const { return -value(); }

signals:
    void risingValueChanged(int value);
};
