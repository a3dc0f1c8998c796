#pragma once

#include "app/ui/Twips.h"

#include <QWidget>

// Moving the programming window's panels along one axis, in twips.
namespace ZentraleGeometry {

inline void moveLeft(QWidget* w, int left) { w->move(twips(left), w->y()); }
inline void moveTop(QWidget* w, int top) { w->move(w->x(), twips(top)); }

}  // namespace ZentraleGeometry
