#pragma once

#include "programming/core/CvProgrammer.h"
#include "selectrix/core/SlxCentralRun.h"

#include <QString>
#include <functional>
#include <optional>

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
// Every read whose answer is used waits at most `SelectrixChannelAccess::readDeadlineMs`; a
// run that ends early leaves programming as it is (the window's "Prog.mode aus" switches it
// off).
//
// The channel steps of one CV are its read/write-CV interface: readCv() and writeCv() show
// their steps and the messages of a failed test or a silent central as every run does, and
// finish() switches programming off once a CV was carried out.
class SlxDccRun : public SlxCentralRun, public CvProgrammer {
public:
    static constexpr int cvMin = 1, cvMax = 255;
    static constexpr int valueMin = 0, valueMax = 255;
    static constexpr qint64 cvSettleMs = 500;
    static constexpr int closingWrites = 3;
    static constexpr qint64 closingPauseMs = 100;

    SlxDccRun(SelectrixChannelAccess& access, SelectrixHost& host, const SlxDccInput& input);

    // The runs of the window's buttons: the fields' texts checked, the CV read or written,
    // programming switched off, the value field ("?" while it is read and when it could not
    // be), the status and the protocol row.
    Outcome DCC_ModeRead();
    Outcome DCC_ModeWrite();

    // Ok: the value read, or the write carried out (the central does not confirm it).
    // Refused: the central's read error, or programming not ready. TimedOut: the central
    // stayed silent. Aborted: the window closed. PortFailed: reported by the link.
    CvResult readCv(int cv) override;
    CvResult writeCv(int cv, int value) override;
    void finish() override;

private:
    // The steps of one CV inside guarded(); `value` receives a read's value.
    CvResult carryOut(const std::function<Outcome(std::optional<int>& value)>& steps);
    void logRow(const QString& act, int cv, int value);

    SlxDccInput m_input;
    // A CV was carried out: programming is to be switched off.
    bool m_carriedOut = false;
};
