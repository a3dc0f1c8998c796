#include "app/ui/QtNotifier.h"

#include "app/ui/HelpWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>

int QtNotifier::message(const QString& text, Icon icon, Buttons buttons, const QString& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    QString shown = text;
    shown.replace(u'\r', u'\n');
    box.setText(shown);
    switch (icon) {
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::None: break;
    }
    switch (buttons) {
    case OkOnly: box.setStandardButtons(QMessageBox::Ok); break;
    case OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case YesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    case YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Yes;
    case QMessageBox::No: return No;
    case QMessageBox::Cancel: return Cancel;
    case QMessageBox::Ok: return Ok;
    default: return buttons == OkCancel || buttons == YesNoCancel ? Cancel : Ok;  // closed by Esc
    }
}

void QtNotifier::beep() {
    QApplication::beep();
}

void QtNotifier::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
}

void QtNotifier::showHelp(const QString& helpFile, const QString& page) {
    HilfeAnzeigen(helpFile, 0, page);
}

void QtNotifier::endProgram() {
    std::exit(0);
}
