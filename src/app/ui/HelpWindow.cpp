#include "app/ui/HelpWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow* HelpWindow::instance() {
    static QPointer<HelpWindow> window;
    if (!window)
        window = new HelpWindow;
    return window;
}

namespace {
// A window of its own with a title bar and a close control, also beside a modal window.
constexpr Qt::WindowFlags helpWindowFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                            Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
}  // namespace

HelpWindow::HelpWindow() : QWidget(nullptr, helpWindowFlags), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quillex - Hilfe"));
    m_browser->setObjectName(QStringLiteral("txtHilfe"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    setFocusProxy(m_browser);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    resize(640, 520);
}

bool HelpWindow::showPage(const QString& helpFolder, const QString& page) {
    const QFileInfo file(QDir(helpFolder).filePath(page));
    if (page.isEmpty() || !file.isFile() || !file.isReadable())
        return false;
    // A modal window blocks every window but its own: the help opened from one belongs to
    // it, so that it can be scrolled and closed while that window stays open.
    QWidget* owner = QApplication::activeModalWidget();
    if (parentWidget() != owner)
        setParent(owner, helpWindowFlags);
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
