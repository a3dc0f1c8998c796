#pragma once

#include <QString>

// The outcome of one CV read or write on the programming track, whatever the station.
struct CvResult {
    enum class Outcome {
        Ok,         // read: `value` holds the CV; write: the station took it
        Refused,    // the station answered with an error or status text (in `answer`)
        TimedOut,   // no (complete) answer before the deadline
        Aborted,    // the exchange was cancelled (abort button, window closing)
        PortFailed  // the port failed; the failure has gone to the central error report
    };
    Outcome outcome = Outcome::TimedOut;
    int value = -1;  // the value read; -1 unless a read succeeded
    QString answer;  // the station's answer as received, for status texts and messages

    bool ok() const { return outcome == Outcome::Ok; }
};

// Reads and writes CVs through the station; one implementation per station family (P50X for
// Intellibox and MasterControl, XpressNet for Lenz). GUI-free: it shows nothing, the
// windows turn results into their own texts. The caller holds the link's exchange while it
// uses a programmer, and calls finish() once when its run is over.
class CvProgrammer {
public:
    virtual ~CvProgrammer() = default;

    virtual CvResult readCv(int cv) = 0;
    virtual CvResult writeCv(int cv, int value) = 0;
    // Leaves programming mode where the station needs it (P50X "XPT0"); may send nothing.
    virtual void finish() = 0;
};
