#pragma once

#include "programming/core/CvProgrammer.h"

#include <QtGlobal>

class StationLink;

// The read/write-CV interface of the speed-curve editor's transfer (CV 67..94, one run),
// made by the programming window for its station: it carries the run's pauses, shows the
// status texts its station's steps have, and tells the user of a step that failed in its
// station's words. The transfer around it is the same for every station.
class SpeedTableProgrammer : public CvProgrammer {
public:
    // The pause after each written step (`Delay`).
    void pauseAfterWrite();

    // Tells the user of a step that went unanswered (TimedOut) or was refused (Refused),
    // once; `write` names the run.
    virtual void tellFailure(const CvResult& result, bool write) = 0;

    // The editor closes while no run holds the line (the caller holds an exchange): leaves
    // the station as it needs; a port that is not open has nothing to leave.
    virtual void leaveOnClosing() {}

protected:
    SpeedTableProgrammer(StationLink& link, qint64 delayMs) : m_link(link), m_delayMs(delayMs) {}

    StationLink& m_link;
    const qint64 m_delayMs;
};
