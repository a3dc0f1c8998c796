#pragma once

#include "app/core/Notifier.h"

class QWidget;

// Message boxes, beeps, the busy pointer and help over Qt widgets.
class QtNotifier : public Notifier {
public:
    int message(const QString& text, Icon icon, Buttons buttons, const QString& title) override;
    void beep() override;
    void setBusy(bool busy) override;
    void showHelp(const QString& helpFile, const QString& page) override;
    [[noreturn]] void endProgram() override;
};
