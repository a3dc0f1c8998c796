#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

// The one help window: shows a page of the help folder in a text browser.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The window, created on first use.
    static HelpWindow* instance();

    // Shows the page; returns false (and changes nothing) when it does not exist.
    bool showPage(const QString& helpFolder, const QString& page);
    QString currentPage() const;

private:
    HelpWindow();
    QTextBrowser* m_browser;
};

// Opens a page of the help folder `helpFile` in the help window. `command` is 0 (show a
// page) in every call. Every failure is ignored: a missing folder or page shows nothing.
void HilfeAnzeigen(const QString& helpFile, int command, const QString& page);
