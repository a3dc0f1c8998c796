#include "app/ui/MenuRechtsbuendig.h"

#include <QMainWindow>
#include <QMenuBar>

void MenuRechtsbuendig(QMainWindow* window, int n) {
    // menuBar() would create a bar; a window without one keeps having none.
    if (!window)
        return;
    if (auto* bar = qobject_cast<QMenuBar*>(window->menuWidget()))
        MenuRechtsbuendig(bar, n);
}

void MenuRechtsbuendig(QMenuBar* bar, int n) {
    if (!bar)
        return;
    const QList<QAction*> items = bar->actions();
    if (n == -1)
        n = int(items.size());
    if (n < 1 || n > items.size())
        return;
    auto* right = qobject_cast<QMenuBar*>(bar->cornerWidget(Qt::TopRightCorner));
    if (!right) {
        right = new QMenuBar(bar);
        right->setObjectName(bar->objectName() + QStringLiteral("_rechts"));
        right->setNativeMenuBar(false);
        bar->setCornerWidget(right, Qt::TopRightCorner);
    }
    const QList<QAction*> moving = items.mid(n - 1);
    QAction* before = right->actions().isEmpty() ? nullptr : right->actions().constFirst();
    for (QAction* action : moving) {
        bar->removeAction(action);
        right->insertAction(before, action);
    }
    right->show();
}
