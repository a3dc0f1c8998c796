#pragma once

#include <QPoint>

class QListWidget;
class QWidget;

// Window positions and sizes are kept in twips, 1440 to the logical inch of the screen.

int twips(int value);           // twips -> pixels
int pixelsToTwips(int pixels);  // pixels -> twips

// Moves the window (its frame) to a position given in twips.
void moveTwips(QWidget* widget, int left, int top);
// The window's frame position in twips, as it is stored.
QPoint positionTwips(const QWidget* widget);
// Places and sizes a control inside its parent, in twips.
void setGeometryTwips(QWidget* widget, int left, int top, int width, int height);
// Sizes a window whose width and height in twips include its frame and title bar.
void resizeWindowTwips(QWidget* window, int width, int height);
// Cuts a filled list box's height down to whole rows (at least one), as a list box shows
// them: no half row stands at its bottom.
void showWholeRows(QListWidget* list);

// A screen narrower than this many twips gets a window's narrow layout.
constexpr int narrowScreenTwips = 12030;
// Whether the screen is narrower than that.
bool narrowScreen();
