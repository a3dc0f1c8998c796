#pragma once

#include "selectrix/core/SlxCentralRun.h"
#include "selectrix/core/Sx1Codec.h"

#include <QString>
#include <optional>

// What a programming run takes from the window when it starts: the combo texts, the
// extended-settings boxes, the mode, the pause between steps and the "/CC2000" switch.
struct Slx850Input {
    QString adr, ge, be, im, ha;
    bool extended = false;  // "erweiterte Einstellungen" ticked
    bool motor = false, licht = false, gleis = false;
    QString imErw, beErw;
    int sxModus = 1;
    qint64 delayMs = 0;
    bool cc2000 = false;
};

// Reading (index 0) or writing (index 1) the SX1 parameters and extended settings of a
// locomotive decoder on the programming track of a Selectrix central (SLX850), over its bus
// channels: 104 and 105 carry the parameter bytes, 106 controls programming, 109 reports its
// state, 127 is track power. The run checks that programming is free, switches track power
// off (up to seven tries), switches programming on and checks it is ready, reads or writes,
// switches programming off and power back on when it switched it off. Every step reports to
// the window through SelectrixHost; every read whose answer is used waits at most
// `SelectrixChannelAccess::readDeadlineMs`.
//
// A run that ends early leaves track power and programming as they are; the window's
// buttons restore them.
class Slx850Run : public SlxCentralRun {
public:
    static constexpr int maxPowerOffPasses = 7;

    Slx850Run(SelectrixChannelAccess& access, SelectrixHost& host, const Slx850Input& input);

    // A port failure is thrown on, with the pointer and the fields restored.
    Outcome SLX850(int index);

    // Writes byte 1 and byte 2 and has the central write them into the decoder; asks for
    // channel 109 without awaiting the answer.
    void subSchreiben(const Sx1Parameters& p);
    // Writes the extended-settings byte into the decoder.
    void subChangeWrite(const SxExtendedSettings& s);
    // Reads the extended-settings byte into the boxes and fields and the newest protocol row.
    // False when the run ended meanwhile.
    bool readExtendedSettings();

private:
    Outcome runSteps(int index);
    void restoreFields() override;
    void setReadingFields(bool white);
    void logExtended(const SxExtendedSettings& s);

    Slx850Input m_input;
    bool m_readFieldsWhite = false;
    bool m_extendedFieldsWhite = false;
};
