#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

// The outcome of one CV read or write on the programming track, whatever the station.
struct CvResult {
    enum class Outcome {
        Ok,         // read: `value` holds the CV; write: the station took it
        Refused,    // the station answered with an error or status text (in `answer`)
        TimedOut,   // no (complete) answer before the deadline
        Aborted,    // the exchange was cancelled (stop button, window closing)
        PortFailed  // the port failed; the failure has gone to the central error report
    };
    Outcome outcome = Outcome::TimedOut;
    int value = -1;  // the value read; -1 unless a read succeeded
    QString answer;  // the station's answer as received
    QString shown;   // the answer as a status line shows it
    QString brief;   // its first characters, for a status that only confirms a write ("Ok")

    bool ok() const { return outcome == Outcome::Ok; }
    // The station said something: Ok or Refused.
    bool answered() const { return outcome == Outcome::Ok || outcome == Outcome::Refused; }
};

// Reads and writes CVs through the station; one implementation per station family (P50X for
// Intellibox and MasterControl, XpressNet for Lenz). GUI-free: it shows nothing and throws
// nothing, the windows turn results into their own texts. It works inside the exchange its
// caller holds, for one operation: a ProgrammingSession around that operation calls finish()
// on every path.
class CvProgrammer {
public:
    virtual ~CvProgrammer() = default;

    virtual CvResult readCv(int cv) = 0;
    virtual CvResult writeCv(int cv, int value) = 0;
    // Leaves programming mode where the station needs it and the operation's commands left
    // it on (P50X "XPT0"); may send nothing. A second call sends nothing more.
    virtual void finish() = 0;

    // Stations with commands of their own for the long address (P50X "XPTRL", "XPTWL");
    // the others have none (nullopt) and take it as CV 17 and CV 18.
    virtual std::optional<CvResult> readLongAddress() { return std::nullopt; }
    virtual std::optional<CvResult> writeLongAddress(int /*address*/) { return std::nullopt; }
};

// Makes the programmer of one operation; the window decides which station and in which
// form. Panels ask for one each time they talk to the station.
using CvProgrammerSource = std::function<std::unique_ptr<CvProgrammer>()>;
