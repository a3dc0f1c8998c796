#include "app/ui/Twips.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace {

double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

}  // namespace

int twips(int value) {
    return int(std::lround(value * logicalDpi() / 1440.0));
}

int pixelsToTwips(int pixels) {
    return int(std::lround(pixels * 1440.0 / logicalDpi()));
}

void moveTwips(QWidget* widget, int left, int top) {
    widget->move(twips(left), twips(top));
}

QPoint positionTwips(const QWidget* widget) {
    return {pixelsToTwips(widget->x()), pixelsToTwips(widget->y())};
}

void setGeometryTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

void resizeWindowTwips(QWidget* window, int width, int height) {
    // The frame takes 120 twips of the width and the title bar and frame 405 of the height.
    window->resize(twips(width - 120), twips(height - 405));
}

bool narrowScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && pixelsToTwips(screen->geometry().width()) < narrowScreenTwips;
}

void showWholeRows(QListWidget* list) {
    const int row = list->count() > 0 ? list->sizeHintForRow(0) : 0;
    if (row <= 0)
        return;
    const int frame = 2 * list->frameWidth();
    list->resize(list->width(), frame + qMax(1, (list->height() - frame) / row) * row);
}
