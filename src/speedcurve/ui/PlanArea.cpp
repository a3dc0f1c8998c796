#include "speedcurve/ui/PlanArea.h"

#include "speedcurve/core/BezierDrawing.h"

#include <QPainter>

PlanArea::PlanArea(const BezierDrawing& drawing, QWidget* parent) : QWidget(parent), m_drawing(drawing) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlanArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(background));
    const QColor grey(curveColour);
    for (const PixelRun& run : m_drawing.runs())
        painter.fillRect(run.x, run.top, 1, run.bottom - run.top + 1, grey);
}

GridLine::GridLine(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GridLine::setColour(QRgb colour) {
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

void GridLine::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), QColor(m_colour));
}
