#pragma once

#include "intellibox/core/ZentraleStations.h"
#include "link/core/StationLink.h"

#include <QString>
#include <optional>
#include <span>

class ZentraleHost;
struct AppContext;

// Motorola (fx / mfx) register programming: a fixed sequence of power, speed-0 and
// direction-change commands that sets a register of the decoder on the track, run through a
// 6021 (P50 bytes only), a MasterControl or an Intellibox (P50X to prepare the station).
// Every step shows its status text, sends, then pauses; the pauses block the window. It runs
// inside the exchange the window holds; cancelling that exchange ends the sequence where it
// lets the window's events run.
class MotorolaProgramming {
public:
    enum class Outcome {
        Done,         // the sequence ran to its end; the protocol has its row
        BadInput,     // register or value not a number 0..255: message shown, nothing sent
        NoStation,    // no station chosen: nothing sent
        NoAnswer,     // the station did not answer (CTS or "XTPM 80"): message shown
        Unsupported,  // the MasterControl does not know "XTPM": release message shown
        Aborted,      // the exchange was cancelled (the window closes)
        PortError,    // the central error report has told the user
    };

    struct Result {
        Outcome outcome = Outcome::NoStation;
        int reg = -1;
        int val = -1;
        // Register 1 is the address: after a completed write the drive panel goes on with it.
        std::optional<int> newAddress() const {
            return outcome == Outcome::Done && reg == 1 ? std::optional<int>(val) : std::nullopt;
        }
    };

    MotorolaProgramming(AppContext& ctx, ZentraleHost& host, StationLink& link);

    // Register and value as single bytes, 0..255; otherwise the user is told (nothing has
    // been sent) and nothing comes back. Checked before the window takes the line.
    std::optional<std::pair<int, int>> checkedInput(const QString& registerText, const QString& valueText);

    // The write button's route for Motorola decoders: the sequence of the station
    // (`mcVariant` 0 = Programmiervariante 1, else 2 for the MasterControl), inside the
    // exchange the caller holds.
    Result write(ZentraleStations::Station station, const QString& registerText, const QString& valueText,
                 int mcVariant);

    Result subZelvo_6021(const QString& registerText, const QString& valueText);
    Result subZelvo_IB(const QString& registerText, const QString& valueText);
    Result subZelvo_MC(const QString& registerText, const QString& valueText, int mcVariant);

    // The deadlines of the two station waits, in milliseconds.
    static constexpr qint64 CtsDeadlineMs = 8000;
    static constexpr qint64 McAnswerDeadlineMs = 5000;

private:
    using Station = ZentraleStations::Station;
    // One step of a sequence: its status text, what goes out, the pause after it, and
    // whether the window's events run then.
    enum class Send { Nothing, Byte, Separately, Together, Text };
    // Stand-ins for the register and the value as the address byte of a pair.
    static constexpr int Register = -1;
    static constexpr int Value = -2;
    struct Step {
        const QString* status = nullptr;
        Send send = Send::Nothing;
        int first = 0;   // the byte, or the code of a pair
        int second = 0;  // the address byte of a pair, or Register / Value
        QString (*command)() = nullptr;  // P50X text, from P50xCommands
        qint64 pauseMs = 0;
        bool yieldAfter = false;
    };
    static const Step registerSteps[5];
    // Thrown when the window ended the sequence while its events ran, and when the port
    // failed (the link has reported it).
    struct Abort {};
    struct PortFailed {};

    Result run(Station station, const QString& registerText, const QString& valueText, int mcVariant);
    Outcome sequence6021(int reg, int val);
    Outcome sequenceIB(int reg, int val);
    Outcome sequenceMC(int reg, int val, int mcVariant);
    void steps(std::span<const Step> table, int reg, int val);
    Outcome finish(int reg, int val, qint64 powerOffPauseMs);
    Outcome noAnswer(const QString& text);

    void status(const QString& text);
    void byte(int b);
    void sent(StationLink::Outcome outcome);
    void pause(qint64 ms);

    AppContext& m_ctx;
    ZentraleHost& m_host;
    StationLink& m_link;
};
