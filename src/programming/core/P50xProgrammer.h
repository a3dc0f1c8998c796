#pragma once

#include "link/core/P50xCommands.h"
#include "link/core/StationLink.h"
#include "programming/core/CvProgrammer.h"

#include <QtGlobal>

// The read/write-CV interface over P50X, for the Intellibox and the MasterControl: a read
// is "XPTRD", a write "XPTWD" (the main track "XPD"), each after the input was emptied and
// answered by text up to "]"; finish() switches the programming track off with "XPT0" once
// a command has been answered. Which form a command is spelt in, how long its answer is
// awaited and whether "XPT0" still follows when it goes unanswered are the caller's (Form):
// each operation of the program has its own.
class P50xProgrammer : public CvProgrammer {
public:
    struct Form {
        P50x::Spelling spelling = P50x::joined;
        qint64 readDeadlineMs = 20000;
        qint64 writeDeadlineMs = 20000;
        // Between sending a write and awaiting its answer the station is given this long.
        qint64 writePauseMs = 0;
        // "XPT0" still follows a read or write that went unanswered, or one that was
        // cancelled while it waited; otherwise nothing more goes to the station then.
        bool finishAfterReadTimeout = false;
        bool finishAfterWriteTimeout = false;
        bool finishAfterCancel = false;
        // "XPT0" ends the operation even when it sent no command.
        bool finishAlways = false;
        // "XPT1" switches the programming track on before the first write; its answer is
        // awaited as a write's, so that it is not taken for the write's own.
        bool trackOnBeforeWrites = false;
    };
    // The table run: every row answered within 20000 ms, a write after the pause between
    // steps; the track goes off at its end in any case, also after a row that went
    // unanswered.
    static Form tableRun(qint64 writePauseMs);
    // The single read and write of the programming window: the write waits 8000 ms and
    // leaves the track off also when it goes unanswered.
    static Form singleCv();
    // The CV 29 and address panels: "XPTRD 29", "XPTWD 29,6"; nothing more after a wait
    // that got no answer.
    static Form panel();
    // The panel's switch back to the basis address writes "XPTWD 29, 6".
    static Form basisSwitch();
    // The speed table of the speed-curve editor: "XPTRD67" awaited 20000 ms, "XPTWD67, 128"
    // awaited 8000 ms after the pause between steps; a write run first switches the track
    // on. The track goes off at the run's end in any case, also after a step that went
    // unanswered or was cancelled.
    static Form speedTable(qint64 writePauseMs, bool writeRun);

    P50xProgrammer(StationLink& link, Form form);

    // Ok: a number 0..255 at the start of the answer (its first two characters numeric).
    CvResult readCv(int cv) override;
    // Ok unless the answer carries one of the station's error texts.
    CvResult writeCv(int cv, int value) override;
    // The value text as the user typed it (checked to be 0..255 by the caller).
    CvResult writeCvText(int cv, const QString& value);
    // On the main track, to the locomotive `address`.
    CvResult writeMainTrack(int address, int cv, const QString& value);
    std::optional<CvResult> readLongAddress() override;
    std::optional<CvResult> writeLongAddress(int address) override;
    void finish() override;
    // The operation ends without switching the track off (a transfer being stopped).
    void abandon() { m_trackOn = false; }

private:
    enum class Kind { Read, Write, LongRead };
    CvResult command(const QString& text, Kind kind);

    StationLink& m_link;
    Form m_form;
    bool m_trackOn = false;
    bool m_trackSwitchedOn = false;
};
