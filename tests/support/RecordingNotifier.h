#pragma once

#include "app/core/Notifier.h"

#include <QList>
#include <QString>
#include <QTest>
#include <functional>
#include <stdexcept>

// Records every message box, beep and help request. A message box that no test expects
// fails the test: set `answer` (or `answerFor`) before the step that should ask.
class RecordingNotifier : public Notifier {
public:
    struct Message {
        QString text;
        Icon icon;
        Buttons buttons;
        QString title;
    };

    // Thrown by endProgram() so a test can observe the end of the program.
    struct ProgramEnded {};

    int message(const QString& text, Icon icon, Buttons buttons, const QString& title) override {
        messages.append({text, icon, buttons, title});
        if (answerFor)
            return answerFor(messages.last());
        if (!expectMessages)
            QTest::qFail(qPrintable(QStringLiteral("unexpected message box: %1 | %2").arg(title, text)), __FILE__, __LINE__);
        return answer;
    }
    void beep() override { ++beeps; }
    void setBusy(bool b) override { busy = b; }
    void showHelp(const QString& file, const QString& page) override { helpPages.append(file + u'|' + page); }
    [[noreturn]] void endProgram() override { throw ProgramEnded{}; }

    QList<Message> messages;
    int beeps = 0;
    bool busy = false;
    QStringList helpPages;

    bool expectMessages = false;  // when false, any message box fails the test
    int answer = Ok;
    std::function<int(const Message&)> answerFor;
};
