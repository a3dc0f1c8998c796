#pragma once

#include "lenz/core/LenzServiceMode.h"
#include "programming/core/CvProgrammer.h"

#include <functional>

// Reads and writes CVs through a Lenz station in the programming mode the caller chose,
// one service-mode transaction per CV. finish() sends nothing: XpressNet needs no end of
// programming mode here.
class LenzCvProgrammer : public CvProgrammer {
public:
    LenzCvProgrammer(LenzServiceMode& serviceMode, XpressNet::ProgrammingMode mode, ServiceModePauses pauses = {});

    // The mode of the next reads and writes (the speed-curve transfer follows the Lenz
    // window's choice before each CV).
    void setMode(XpressNet::ProgrammingMode mode) { m_mode = mode; }

    // Ok: the value the station answered. Refused: a status answer (its status text in
    // `answer`), a refused result request (the frame's LenzAntwortText), or a number or
    // value out of range (nothing sent, `answer` empty). TimedOut: no answer (what came,
    // as LenzAntwortText).
    CvResult readCv(int cv) override;
    CvResult writeCv(int cv, int value) override;
    void finish() override {}

    // The whole outcome of the last read or write: the register or CV the station named,
    // the mode warning, the status word.
    const ServiceModeOutcome& lastOutcome() const { return m_last; }

private:
    LenzServiceMode& m_serviceMode;
    XpressNet::ProgrammingMode m_mode;
    ServiceModePauses m_pauses;
    ServiceModeOutcome m_last;

    CvResult result(const ServiceModeOutcome& outcome);
};
