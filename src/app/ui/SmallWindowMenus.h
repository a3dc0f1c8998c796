#pragma once

#include <functional>

class QAction;
class QMainWindow;

// The menu bar of the small windows: "&Datei" › "s&chließen", "&?" and "s&chließen".
// `help` runs on "&?" (nothing when empty). Returns the "&?" action.
QAction* addSmallWindowMenus(QMainWindow* window, std::function<void()> help);
