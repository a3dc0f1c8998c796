#include "app/ui/SmallWindowMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>

QAction* addSmallWindowMenus(QMainWindow* window, std::function<void()> help) {
    const QString schliessen = QStringLiteral("s&chließen");
    QMenuBar* bar = window->menuBar();

    QMenu* mnuDatei = bar->addMenu(QStringLiteral("&Datei"));
    mnuDatei->setObjectName(QStringLiteral("mnuDatei"));
    QAction* close1 = mnuDatei->addAction(schliessen);
    close1->setObjectName(QStringLiteral("mnuDatei_schliessen"));
    QObject::connect(close1, &QAction::triggered, window, &QWidget::close);

    QAction* mnuHilfe = bar->addAction(QStringLiteral("&?"));
    mnuHilfe->setObjectName(QStringLiteral("mnuHilfe"));
    if (help)
        QObject::connect(mnuHilfe, &QAction::triggered, window, std::move(help));

    QAction* close2 = bar->addAction(schliessen);
    close2->setObjectName(QStringLiteral("mnuSchliessen"));
    QObject::connect(close2, &QAction::triggered, window, &QWidget::close);
    return mnuHilfe;
}
