#include "app/ui/LocoPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

LocoPicture::LocoPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picLok"));
    setFixedSize(sizeHint());
}

void LocoPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Everything is drawn on a 112 x 84 grid.
    p.scale(width() / 112.0, height() / 84.0);

    QLinearGradient sky(0, 0, 0, 84);
    sky.setColorAt(0, QColor(0xdf, 0xea, 0xf5));
    sky.setColorAt(1, QColor(0x9f, 0xb8, 0xd0));
    p.setPen(QPen(QColor(0x3a, 0x50, 0x6b), 1.5));
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(1, 1, 110, 82), 10, 10);

    // Smoke.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawEllipse(QPointF(30, 16), 7, 5);
    p.drawEllipse(QPointF(40, 10), 9, 6);
    p.drawEllipse(QPointF(53, 7), 6, 4);

    // Track: sleepers and rail.
    p.setBrush(QColor(0x6b, 0x4a, 0x2f));
    for (int x = 6; x < 108; x += 10)
        p.drawRect(QRectF(x, 70, 6, 4));
    p.setBrush(QColor(0x55, 0x5b, 0x63));
    p.drawRect(QRectF(4, 67, 104, 3));

    const QColor body(0x1d, 0x4e, 0x2c);
    const QColor trim(0xb8, 0x2a, 0x22);
    // Boiler, smoke box, chimney and dome.
    p.setBrush(body);
    p.drawRoundedRect(QRectF(22, 36, 50, 18), 6, 6);
    p.setBrush(QColor(0x25, 0x25, 0x28));
    p.drawRoundedRect(QRectF(18, 37, 8, 16), 3, 3);
    p.drawRect(QRectF(25, 22, 7, 15));
    p.drawRect(QRectF(23, 21, 11, 3));
    p.setBrush(QColor(0xc8, 0x9b, 0x2e));
    p.drawRoundedRect(QRectF(46, 30, 9, 8), 4, 4);
    // Cab with window and roof.
    p.setBrush(body);
    p.drawRect(QRectF(70, 26, 24, 30));
    p.setBrush(QColor(0x25, 0x25, 0x28));
    p.drawRect(QRectF(67, 23, 30, 4));
    p.setBrush(QColor(0xf3, 0xe7, 0xa6));
    p.drawRoundedRect(QRectF(75, 31, 13, 10), 2, 2);
    // Frame and buffer beam.
    p.setBrush(trim);
    p.drawRect(QRectF(16, 54, 80, 5));
    p.drawRect(QRectF(12, 52, 6, 8));

    // Wheels with hubs and the coupling rod.
    p.setBrush(QColor(0x25, 0x25, 0x28));
    const double wheels[] = {32, 50, 68};
    for (double x : wheels)
        p.drawEllipse(QPointF(x, 61), 7, 7);
    p.drawEllipse(QPointF(86, 63), 5, 5);
    p.setBrush(QColor(0xc0, 0xc4, 0xc8));
    for (double x : wheels)
        p.drawEllipse(QPointF(x, 61), 2, 2);
    p.setPen(QPen(QColor(0xc0, 0xc4, 0xc8), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32, 63), QPointF(68, 63));

    // Lamp.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xe0, 0x70));
    p.drawEllipse(QPointF(15, 47), 3, 3);
}
