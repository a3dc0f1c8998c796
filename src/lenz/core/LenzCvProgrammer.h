#pragma once

#include "lenz/core/LenzServiceMode.h"
#include "programming/core/CvProgrammer.h"

#include <functional>
#include <optional>

class Notifier;

// Reads and writes CVs through a Lenz station in the programming mode the caller chose,
// one service-mode transaction per CV; a write counts only when the station confirms it.
// finish() sends nothing: XpressNet needs no end of programming mode here.
class LenzCvProgrammer : public CvProgrammer {
public:
    // Where the Lenz window shows and logs each read and write, as its own read and write
    // buttons do: the read's steps and each outcome in its status line, the rows of the reads
    // and the confirmed writes in its protocol, and through `ui` the refusal of a number or
    // value, a read's mode warning and the message of a missing answer.
    struct WindowView {
        std::function<void(const QString&)> status;
        std::function<void(const QString& mode, const QString& cv, const QString& value)> protocol;
        // The CV and value as the window's fields show them (may be left empty): a read's "?"
        // while it runs, then the numbers the station named; a write's numbers as it sends
        // them.
        std::function<void(const QString& cv, const QString& value)> fields;
        Notifier* ui = nullptr;
    };

    // Over a service mode the caller keeps; shows and logs nothing itself.
    LenzCvProgrammer(LenzServiceMode& serviceMode, XpressNet::ProgrammingMode mode, ServiceModePauses pauses = {});
    // With a service mode of its own on `link`, for the Lenz window and its panels.
    LenzCvProgrammer(StationLink& link, bool usbHeader, XpressNet::ProgrammingMode mode, WindowView view,
                     ServiceModePauses pauses = {});

    // The mode of the next reads and writes (the speed-curve transfer follows the Lenz
    // window's choice before each CV).
    void setMode(XpressNet::ProgrammingMode mode) { m_mode = mode; }

    // Ok: the value the station answered, or the write it confirmed. Refused: a status answer
    // (its status text in `answer`), a refused result request or a write's result with
    // another value (the frame's LenzAntwortText), or a number or value out of range
    // (nothing sent, `answer` empty). TimedOut: no answer (what came, as LenzAntwortText).
    // With a window view a read's `shown` is what the value field shows: the value with two
    // digits at least, or "?".
    CvResult readCv(int cv) override;
    CvResult writeCv(int cv, int value) override;
    void finish() override {}

    // The whole outcome of the last read or write: the register or CV the station named,
    // the mode warning, the status word.
    const ServiceModeOutcome& lastOutcome() const { return m_last; }

    // A number as the Lenz window shows what a read brought: at least two digits ("03").
    static QString shownNumber(int value);

private:
    std::optional<LenzServiceMode> m_ownServiceMode;
    LenzServiceMode& m_serviceMode;
    XpressNet::ProgrammingMode m_mode;
    ServiceModePauses m_pauses;
    std::optional<WindowView> m_view;
    ServiceModeOutcome m_last;

    CvResult result(const ServiceModeOutcome& outcome);
    // A number or value the mode cannot take is refused with the window's message under
    // `title`, before anything is sent; false when both are fine.
    bool refused(int number, std::optional<int> value, const QString& title);
    void showRead(const ServiceModeOutcome& outcome);
    void showWrite(const ServiceModeOutcome& outcome, int number, int value);
    void tellNoAnswer() const;
};
