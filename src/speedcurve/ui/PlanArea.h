#pragma once

#include <QColor>
#include <QWidget>

class BezierDrawing;

// The drawing area `picPlan`: a white surface in pixels that shows the grey Bézier curve
// as the drawing holds it. Markers, handles and grid lines are its children.
class PlanArea : public QWidget {
public:
    static constexpr QRgb background = 0xFFFFFF;
    static constexpr QRgb curveColour = 0x808080;

    PlanArea(const BezierDrawing& drawing, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const BezierDrawing& m_drawing;
};

// One line of the grid (`vLine`, `hLine`): a one-pixel strip in its colour. It takes no
// mouse input, so a click on it reaches the drawing area.
class GridLine : public QWidget {
public:
    static constexpr QRgb gridColour = 0xC0C0C0;

    explicit GridLine(QWidget* parent);
    QRgb colour() const { return m_colour; }
    void setColour(QRgb colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRgb m_colour = gridColour;
};
