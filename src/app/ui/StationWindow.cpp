#include "app/ui/StationWindow.h"

#include "app/ui/Twips.h"
#include "link/core/StationLink.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>

bool postponeDeletionDuringExchange(QObject* window, QEvent* event, const StationLink& link) {
    if (event->type() != QEvent::DeferredDelete || !link.exchangeRunning())
        return false;
    QTimer::singleShot(0, window, &QObject::deleteLater);
    return true;
}

void markStationLabels(const QList<QLabel*>& labels, int index, bool pressed) {
    for (QLabel* l : labels) {
        l->setAutoFillBackground(false);
        l->setFrameShape(QFrame::NoFrame);
        QFont f = l->font();
        f.setBold(false);
        l->setFont(f);
        l->setStyleSheet(QStringLiteral("color: black;"));
    }
    if (index < 0 || index >= labels.size())
        return;
    QLabel* l = labels.at(index);
    QFont f = l->font();
    f.setBold(pressed);
    l->setFont(f);
    l->setFrameShape(pressed ? QFrame::Box : QFrame::NoFrame);
    l->setStyleSheet(QStringLiteral("color: white; background-color: #000080;"));
}

QLabel* creditPicture(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("picCredit"));
    QPixmap pic(twips(330), twips(330));
    pic.fill(Qt::transparent);
    QPainter p(&pic);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x00, 0x00, 0x80));
    p.setPen(Qt::NoPen);
    p.drawEllipse(pic.rect().adjusted(1, 1, -1, -1));
    p.setPen(Qt::white);
    p.drawText(pic.rect(), Qt::AlignCenter, QStringLiteral("Q"));
    p.end();
    label->setPixmap(pic);
    return label;
}
