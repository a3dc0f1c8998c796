#pragma once

#include <QRect>
#include <QWidget>

// Window geometry in twips (1440 per logical inch), as the layout of the programming
// window is given.
namespace ZentraleGeometry {

int px(int twips);
int toTwips(int pixels);
inline QRect rect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}
inline void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(rect(left, top, width, height));
}
inline void moveLeft(QWidget* w, int left) { w->move(px(left), w->y()); }
inline void moveTop(QWidget* w, int top) { w->move(w->x(), px(top)); }

}  // namespace ZentraleGeometry
