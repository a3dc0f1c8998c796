#pragma once

#include <QString>

// What the program asks of the user interface: message boxes with the exact icon, buttons
// and title, beeps, the busy pointer, help pages and the end of the program. The windows use
// the Qt implementation; tests install a recording one, so an unexpected message fails a test.
class Notifier {
public:
    enum class Icon { None, Critical, Question, Warning, Information };

    // Button sets and answers have fixed numbers, as the program keeps the last answer in
    // `Antwort` and compares it with them (6 = Yes).
    enum Buttons { OkOnly = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4 };
    enum Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

    virtual ~Notifier() = default;

    // Lines of `text` are separated by "\r" as the system's texts give them.
    virtual int message(const QString& text, Icon icon, Buttons buttons, const QString& title) = 0;
    virtual void beep() = 0;
    // The arrow-with-hourglass pointer for the whole application, or back to the default.
    virtual void setBusy(bool busy) = 0;
    // Opens a page of the help folder; failures are ignored.
    virtual void showHelp(const QString& helpFile, const QString& page) = 0;
    // Ends the program at once: no closing step of any window runs, nothing is written.
    [[noreturn]] virtual void endProgram() = 0;
};
