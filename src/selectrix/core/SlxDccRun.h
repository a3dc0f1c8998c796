#pragma once

#include "selectrix/core/SlxCentralRun.h"

#include <QString>

// What a DCC run takes from the window: the texts of the CV and the value field, and the
// pause between steps.
struct SlxDccInput {
    QString cv, value;
    qint64 delayMs = 0;
};

// Reading or writing one CV of a DCC decoder on the programming track of a Selectrix
// central: programming on and ready, the CV number into channel 104, the value through
// channel 107, 106 := 206 carries the read or write out, and 105 reads 255 after a failed
// read. Three writes of 106 := 0 end the run. The CV's number must fit channel 104 (1..255)
// and a value to write a byte (0..255); anything else is refused before a byte goes out.
// Every read whose answer is used waits at most `answerDeadlineMs`; a run that ends early
// leaves programming as it is (the window's "Prog.mode aus" switches it off).
class SlxDccRun : public SlxCentralRun {
public:
    static constexpr int cvMin = 1, cvMax = 255;
    static constexpr int valueMin = 0, valueMax = 255;
    static constexpr qint64 cvSettleMs = 500;
    static constexpr int closingWrites = 3;
    static constexpr qint64 closingPauseMs = 100;

    SlxDccRun(SelectrixChannelAccess& access, SelectrixHost& host, const SlxDccInput& input);

    // The value goes into the window's value field ("?" while it is read and when it could
    // not be); a port failure is thrown on with the pointer restored.
    Outcome DCC_ModeRead();
    Outcome DCC_ModeWrite();

private:
    Outcome readSteps(int cv);
    Outcome writeSteps(int cv, int value);
    void closeProgramming();
    void logRow(const QString& act, int cv, int value);

    SlxDccInput m_input;
};
