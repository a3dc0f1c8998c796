#pragma once

#include "link/core/XpressNet.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class StationLink;

// The pauses of a service-mode read and write, each the earliest time for its step. The Lenz
// window uses the defaults; the speed-curve editor passes `Delay` for the first, second and
// last.
struct ServiceModePauses {
    qint64 beforeResultRequestMs = 2000;  // after the read or write request
    qint64 beforeAnswerMs = 500;          // after the result request, before reading
    qint64 answerLimitMs = 3000;          // the answer collection gives up after this
    qint64 closingMs = 500;               // after a read's value or no answer, before the caller logs

    static ServiceModePauses speedCurve(qint64 delay) { return {delay, delay, 3000, delay}; }
};

// What a service-mode read or write came to. The caller turns it into its own texts,
// fields, protocol rows and messages.
struct ServiceModeOutcome {
    enum class Kind {
        // A result frame naming the register or CV asked: `number`, `value`, `warning`. For a
        // write it names the value written too: the station confirms the write.
        Value,
        // 61 11 / 12 / 13, or 61 1F when the station's time limit is reached: `statusWord`,
        // `statusText`.
        Status,
        // 61 80 / 81 / 82: the station refused the result request; or a write's result that
        // names another value than the one written.
        OtherAnswer,
        NoAnswer,     // no result or status frame within the answer limit (see `received`)
        Refused,      // number or value out of range: nothing was sent
        Cancelled,    // the cancel check turned true
        PortFailed,   // the port failed; the link has reported it
    };
    // Results whose form does not match the chosen mode are taken all the same, with a
    // warning for the caller to show.
    enum class ModeWarning {
        None,
        NotDirect,  // 63 10 while direct mode was chosen
        Direct,     // 63 14 / 63 15 while register or paged mode was chosen
    };

    Kind kind = Kind::NoAnswer;
    int number = -1;  // the register or CV the station named
    int value = -1;
    ModeWarning warning = ModeWarning::None;
    QString statusWord;
    QString statusText;
    QByteArray frame;     // the answer frame (Value, Status, OtherAnswer), without USB header
    QByteArray received;  // every byte that came in after the last result request
    // NoAnswer: input was still coming in when the answer collection gave up.
    bool stillArriving = false;

    // A station that sent nothing at all after the result request.
    bool silent() const { return received.isEmpty(); }
};

// The XpressNet service-mode read and write on the programming track, GUI-free. It works
// inside the exchange its caller holds: it blocks in its pauses; while it collects the
// answer it sleeps on the port, which lets window events run, and ends early when the
// exchange is cancelled.
//
// Both ask for the result after their request. Only a result that names the register or CV
// of the request is taken; another one is passed over while the collection goes on. A
// station still at work answers "Besetzt" (61 1F) and is asked again after a short pause,
// until its time limit.
class LenzServiceMode {
public:
    // Status texts of the read, shown when it reaches each step.
    static const QString sendingRequest;  // " sende Leseabfrage..."
    static const QString askingResult;    // " frage Leseergebnis ab..."
    // The message of a read whose answer did not come to an end, and its title.
    static const QString noAnswer;        // "empfange keine Antwort von der Zentrale...      "
    static const QString noAnswerTitle;   // " Daten lesen....."

    LenzServiceMode(StationLink& link, bool usbHeader);

    // Input that came within this long before the answer collection gave up means the line
    // was still busy: a whole answer takes a few milliseconds even at 2400 baud.
    static constexpr qint64 stillArrivingMs = 200;
    // A busy station is asked again after this pause. It answers the result request at once,
    // so four asks a second cost the bus a few bytes each while the result comes within a
    // quarter of a second of the station being done; a service-mode operation itself takes
    // seconds.
    static constexpr qint64 busyPauseMs = 250;
    // ...until this long after the read or write request; a busy answer then stands. A
    // programming-track operation takes a station up to 20 s by the Intellibox's
    // documentation (a register or paged read verifies value after value), and a Lenz station
    // does the same NMRA service-mode work on the same track. JMRI waits up to 90 s.
    static constexpr qint64 busyLimitMs = 20000;

    // Gets each status text as the read reaches it (may be left empty).
    void setStatusView(std::function<void(const QString&)> status) { m_status = std::move(status); }

    // Read request, pause, input dropped, result request, pause, answer collection; then the
    // closing pause after a value or no answer (not when input was still coming in). Nothing
    // is sent for a number out of range.
    ServiceModeOutcome read(XpressNet::ProgrammingMode mode, int number, const ServiceModePauses& pauses = {});
    // Write request, then the result asked for and collected as for a read, without the
    // read's status texts and closing pause: Value only when the station confirms the write.
    ServiceModeOutcome write(XpressNet::ProgrammingMode mode, int number, int value,
                             const ServiceModePauses& pauses = {});

private:
    StationLink& m_link;
    bool m_usb;
    std::function<void(const QString&)> m_status;

    bool cancelled() const;
    void status(const QString& text) const;
    // Request, pause, then the result asked for until the station is no longer busy.
    ServiceModeOutcome transaction(const QByteArray& request, XpressNet::ProgrammingMode mode, int number,
                                   const ServiceModePauses& pauses, bool read);
    // Result request, `pause`, answer collection.
    ServiceModeOutcome collectAnswer(XpressNet::ProgrammingMode mode, int number, qint64 pause, qint64 limit);
};
