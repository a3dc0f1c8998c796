#include "ZentraleGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace ZentraleGeometry {

static double dpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double d = screen ? screen->logicalDotsPerInchX() : 96.0;
    return d > 0 ? d : 96.0;
}

int px(int twips) { return qRound(twips * dpi() / 1440.0); }
int toTwips(int pixels) { return qRound(pixels * 1440.0 / dpi()); }

}  // namespace ZentraleGeometry
