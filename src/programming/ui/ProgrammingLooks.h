#pragma once

#include "app/ui/StationLooks.h"
#include "app/ui/Twips.h"

#include <QFrame>
#include <QWidget>

class QLabel;
class QToolButton;

// The frame every programming window is built of: its raised panels, ribbon buttons,
// headings and status panels, where views that are not shown are parked, and moving the
// panels along one axis, all in twips.
namespace ProgrammingLooks {

// Views that are not shown are parked this far down, outside the visible area.
constexpr int parkedPanelTop = 24000;
constexpr int parkedGridTop = 120000;
// Where a shown view stands.
constexpr int viewTop = 660;

inline void moveLeft(QWidget* w, int left) { w->move(twips(left), w->y()); }
inline void moveTop(QWidget* w, int top) { w->move(w->x(), twips(top)); }

// Texts given as UTF-8 literals.
inline QString tr8(const char* text) { return QString::fromUtf8(text); }

// Raised panels and bold headings, as every station window has them.
using StationLooks::heading;
using StationLooks::panel;
// A button that stays pressed until pressed again; `tip` may be null.
QToolButton* ribbon(QWidget* parent, const QString& name, const QString& face, const char* tip);
// A status bar panel whose text stays readable while a view disables the panel around it.
QLabel* statusPanel(QWidget* parent, const QString& name, const char* tip);

}  // namespace ProgrammingLooks
