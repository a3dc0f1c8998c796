#pragma once

class QMainWindow;
class QMenuBar;

// Places the n-th top-level item of the window's menu bar (1-based; -1 = the last) and
// every item after it at the right edge of the bar. They move to a second menu bar in
// the bar's right corner; the menus and actions themselves stay the same objects.
// Nothing happens for a window without a menu bar or an n outside the items.
void MenuRechtsbuendig(QMainWindow* window, int n);
void MenuRechtsbuendig(QMenuBar* bar, int n);
