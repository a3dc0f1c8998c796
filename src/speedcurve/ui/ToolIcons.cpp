#include "speedcurve/ui/ToolIcons.h"

#include "speedcurve/core/PlanGeometry.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace ToolIcons {

namespace {

constexpr int iconSize = 20;

QPixmap canvas(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void arrow(QPainter& p, bool up, const QColor& colour) {
    const QPolygonF head = up ? QPolygonF{{10, 2}, {17, 9}, {3, 9}} : QPolygonF{{10, 18}, {17, 11}, {3, 11}};
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
    p.drawRect(up ? QRectF(7.5, 9, 5, 8) : QRectF(7.5, 3, 5, 8));
}

// A decoder chip with an arrow into it (write) or out of it (read).
void chip(QPainter& p, bool write) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0x40, 0x40, 0x40));
    p.drawRect(QRectF(4.5, 12.5, 11, 6));
    for (int x = 6; x <= 14; x += 3) {
        p.drawLine(QPointF(x + 0.5, 11), QPointF(x + 0.5, 12));
        p.drawLine(QPointF(x + 0.5, 19), QPointF(x + 0.5, 19.5));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(write ? QColor(0xC0, 0, 0) : QColor(0, 0x80, 0));
    p.drawPolygon(write ? QPolygonF{{10, 11}, {15, 6}, {5, 6}} : QPolygonF{{10, 1}, {15, 6}, {5, 6}});
    p.drawRect(write ? QRectF(8.5, 1, 3, 5) : QRectF(8.5, 6, 3, 5));
}

}  // namespace

QIcon icon(Tool tool) {
    QPixmap pixmap = canvas(iconSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (tool) {
    case Tool::Laden:  // an open folder
        p.setPen(QPen(QColor(0x80, 0x60, 0), 1));
        p.setBrush(QColor(0xF0, 0xC8, 0x40));
        p.drawRect(QRectF(2.5, 5.5, 14, 11));
        p.setBrush(QColor(0xFF, 0xE0, 0x70));
        p.drawPolygon(QPolygonF{{2.5, 16.5}, {6.5, 9.5}, {19, 9.5}, {16.5, 16.5}});
        break;
    case Tool::Speichern:  // a disk
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(0x30, 0x50, 0xA0));
        p.drawRect(QRectF(2.5, 2.5, 15, 15));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 2.5, 9, 6));
        p.setBrush(QColor(0xD0, 0xD0, 0xD0));
        p.drawRect(QRectF(5.5, 11.5, 9, 6));
        break;
    case Tool::Drucken:  // a printer with a sheet
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 1.5, 9, 7));
        p.setBrush(QColor(0xA0, 0xA0, 0xA0));
        p.drawRect(QRectF(1.5, 8.5, 17, 7));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 13.5, 9, 5));
        break;
    case Tool::Schreiben:
        chip(p, true);
        break;
    case Tool::Lesen:
        chip(p, false);
        break;
    case Tool::Abbruch:  // a red cross
        p.setPen(QPen(QColor(0xD0, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(16, 16));
        p.drawLine(QPointF(16, 4), QPointF(4, 16));
        break;
    case Tool::Linear:
    case Tool::Exponential: {
        p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1));
        p.drawLine(QPointF(2.5, 17.5), QPointF(18, 17.5));
        p.drawLine(QPointF(2.5, 2), QPointF(2.5, 17.5));
        p.setPen(QPen(QColor(0xC0, 0, 0), 2));
        if (tool == Tool::Linear) {
            p.drawLine(QPointF(3, 17), QPointF(17, 3));
        } else {
            QPainterPath path(QPointF(3, 17));
            path.cubicTo(QPointF(12, 17), QPointF(15, 12), QPointF(17, 3));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        }
        break;
    }
    case Tool::Heben:
        arrow(p, true, QColor(0, 0x60, 0xC0));
        break;
    case Tool::Senken:
        arrow(p, false, QColor(0, 0x60, 0xC0));
        break;
    }
    return QIcon(pixmap);
}

namespace {
QPixmap marker(const QColor& fill) {
    QPixmap pixmap = canvas(PlanGeometry::markerSize);
    QPainter p(&pixmap);
    p.fillRect(0, 0, PlanGeometry::markerSize, PlanGeometry::markerSize, Qt::black);
    p.fillRect(1, 1, PlanGeometry::markerSize - 2, PlanGeometry::markerSize - 2, fill);
    return pixmap;
}
}  // namespace

QPixmap markerRed() {
    return marker(QColor(0xFF, 0, 0));
}

QPixmap markerGreen() {
    return marker(QColor(0, 0xC0, 0));
}

QPixmap handle() {
    // A blue ring with a dot, so it does not read as a step.
    QPixmap pixmap = canvas(PlanGeometry::markerSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0xC0), 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(0.75, 0.75, 6.5, 6.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0xC0));
    p.drawEllipse(QRectF(3, 3, 2, 2));
    return pixmap;
}

}  // namespace ToolIcons
