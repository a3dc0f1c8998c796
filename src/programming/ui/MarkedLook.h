#pragma once

class QWidget;

// The look of a value that came from the decoder: white text on red. Unmarked is black on
// white. The state is also kept in the widget's "marked" property.
void setMarked(QWidget* widget, bool marked);
bool isMarked(const QWidget* widget);
