#include "programming/ui/MarkedLook.h"

#include <QWidget>

void setMarked(QWidget* widget, bool marked) {
    widget->setProperty("marked", marked);
    widget->setStyleSheet(marked ? QStringLiteral("background-color: #ff0000; color: #ffffff;")
                                 : QStringLiteral("background-color: #ffffff; color: #000000;"));
}

bool isMarked(const QWidget* widget) {
    return widget->property("marked").toBool();
}
