#include "app/ui/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow* HelpWindow::instance() {
    static QPointer<HelpWindow> window;
    if (!window)
        window = new HelpWindow;
    return window;
}

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quillex - Hilfe"));
    m_browser->setObjectName(QStringLiteral("txtHilfe"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 520);
}

bool HelpWindow::showPage(const QString& helpFolder, const QString& page) {
    const QFileInfo file(QDir(helpFolder).filePath(page));
    if (page.isEmpty() || !file.isFile() || !file.isReadable())
        return false;
    m_browser->setSearchPaths({helpFolder});
    m_browser->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    show();
    raise();
    activateWindow();
    return true;
}

QString HelpWindow::currentPage() const {
    return QFileInfo(m_browser->source().toLocalFile()).fileName();
}

void HilfeAnzeigen(const QString& helpFile, int command, const QString& page) {
    Q_UNUSED(command);
    if (!QFileInfo(QDir(helpFile).filePath(page)).isFile())
        return;
    HelpWindow::instance()->showPage(helpFile, page);
}
