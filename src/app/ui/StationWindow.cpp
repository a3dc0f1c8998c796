#include "app/ui/StationWindow.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "app/ui/Twips.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>

StationWindowGuard::StationWindowGuard(QObject& window, AppContext& ctx, StationLink& link)
    : QObject(&window), m_window(window), m_ctx(ctx), m_link(link) {
    window.installEventFilter(this);
}

StationLink::Exchange StationWindowGuard::begin() {
    if (m_link.exchangeRunning() && m_ctx.notifier)
        m_ctx.notifier->beep();
    return StationLink::Exchange(m_link, &m_window, m_lineLost);
}

bool StationWindowGuard::run(const std::function<void()>& body) {
    const StationLink::Exchange exchange = begin();
    if (!exchange)
        return false;
    body();
    return true;
}

void StationWindowGuard::windowClosing() {
    if (exchangeRunsHere())
        m_link.cancelExchange();
}

bool StationWindowGuard::exchangeRunsHere() const {
    return m_link.exchangeRunning() && m_link.exchangeOwner() == &m_window;
}

bool StationWindowGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::DeferredDelete && exchangeRunsHere()) {
        QTimer::singleShot(0, &m_window, &QObject::deleteLater);
        return true;
    }
    return QObject::eventFilter(watched, event);
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
