#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

struct AppContext;
class Failure;
class Clock;
class SerialPort;

// Where a P50X time-out is shown: the status bar of the Intellibox programming window,
// which registers itself while it is open.
class P50xStatusView {
public:
    virtual ~P50xStatusView() = default;
    virtual void showStatus(const QString& text) = 0;
    virtual void setBusyPointer(bool busy) = 0;
};

// The station link routines over the one port: answer waits with their deadlines, the P50X,
// P50 and XpressNet senders, the blocking pause, and the guard that allows one station
// exchange at a time. Owned by the main window; every window that talks to the station
// gets a reference.
class StationLink {
public:
    StationLink(AppContext& ctx, SerialPort& port, Clock& clock);

    SerialPort& port() const { return m_port; }
    Clock& clock() const { return m_clock; }
    AppContext& context() const { return m_ctx; }

    // One exchange at a time. A handler that talks to the station takes an Exchange first;
    // when another exchange is waiting, the new one is refused: beep, nothing sent.
    class Exchange {
    public:
        explicit Exchange(StationLink& link);
        ~Exchange();
        Exchange(const Exchange&) = delete;
        Exchange& operator=(const Exchange&) = delete;
        // False when another exchange was already running (the user has heard the beep).
        explicit operator bool() const { return m_owner; }

    private:
        StationLink& m_link;
        bool m_owner;
    };
    bool exchangeRunning() const { return m_busy; }

    // Ends any running wait at its next poll (a window closing, an abort button).
    void abortWait() { m_abortRequested = true; }
    // Whether abortWait() was called since the current exchange began.
    bool abortRequested() const { return m_abortRequested; }

    // Before a P50X command whose answer will be awaited: reads and throws away whatever
    // waits in the input, after settling any late answers first (settleLateAnswers).
    void emptyInput();
    // A P50X command: the text and one carriage return, in one write. Its answer is owed
    // until a "]" comes in ("X@@", the cold start, is not answered).
    void sendP50X(const QString& command);
    // One write past the one-exchange guard, for the track-power byte, which must reach the
    // station at once whatever waits. Every command goes to the port in one write and
    // nothing else runs during a write, so these bytes always fall between two commands.
    void writeAtOnce(const QByteArray& bytes);

    // P50X answers name neither their command nor their CV. After a wait ended without its
    // "]" (time-out or abort) the station may still send the answers it owes, which the next
    // exchange would take for its own. Before that exchange sends, this takes in and drops
    // input until every owed "]" has passed or the line has been quiet for settleQuietMs,
    // for at most settleLimitMs; it shows nothing. An abort (abortWait() or `abortFlag`) ends
    // it early and the answers stay owed. Port failures are thrown.
    void settleLateAnswers(const bool* abortFlag = nullptr);
    // Whether the next exchange would settle first.
    bool lateAnswerPossible() const { return m_lateAnswer && m_unanswered > 0; }
    // A station answers a programming-track command when its work is done, at most 20 s
    // after the command by the Intellibox's documentation, which is also the reads'
    // deadline: a station still at work when a read gives up answers within moments, and
    // even the longest answer (the version text, about 90 characters) is on the line within
    // 0.4 s at 2400 baud. Quiet counts from the settle's start or the last byte received.
    static constexpr qint64 settleQuietMs = 2000;
    // A line that never falls quiet (a chattering device) holds the next command no longer.
    static constexpr qint64 settleLimitMs = 10000;

    struct Answer {
        QString text;          // everything received, including any text after "]"
        bool complete = false; // "]" arrived
        bool aborted = false;  // ended by abortWait() or the abort flag
        bool failed = false;   // the port failed; the failure went to the failure report
    };
    // Collects input until "]" or the deadline (milliseconds; negative: none). Between reads
    // it sleeps on the port until input arrives, the deadline passes or an abort is asked
    // for, while the user interface runs; "]" is looked for right after each read, and "]"
    // that came with the last read before the deadline still counts. `abortFlag` (may be
    // null) ends the wait when set. A port failure ends the wait and goes to the failure
    // report.
    Answer waitForAnswer(qint64 deadlineMs, const bool* abortFlag = nullptr);

    // Waits for the CTS line to come on, yielding between polls. A device that cannot tell
    // the line's state gets the whole deadline and then counts as on. Off: the line was
    // still seen off at the deadline. Failed: the port failed (already reported).
    enum class CtsWait { On, Off, Aborted, Failed };
    CtsWait waitForCts(qint64 deadlineMs, const bool* abortFlag = nullptr);

    // Where port failures met during a wait go (the central error report). Unset: the
    // wait just ends.
    void setFailureReport(std::function<void(const Failure&)> report) { m_failureReport = std::move(report); }

    // The table run's answer wait: 20000 ms; on time-out the status text, "XPT0", the
    // message, and "Fehler" as the result.
    QString AntwortP50X();

    // Frames `message` (1 to 14 bytes) with its XOR check byte, and the FF FE header for the
    // USB interface, and sends it in one write. An empty or longer message sends nothing
    // and returns false.
    static constexpr int maxXpressNetMessage = 14;
    static QByteArray xpressNetFrame(const QByteArray& message, bool usbHeader);
    bool SendenXpressNet(const QByteArray& message);
    // One P50 pair: a code outside 0..254 goes out as 0; an address outside 0..255 throws
    // nothing onto the line and returns false.
    bool Senden6021(const QString& code, const QString& address);
    // The two bytes of one P50 pair, or nothing when the address does not fit its byte.
    static std::optional<QByteArray> p50Pair(const QString& code, const QString& address);
    // Sends "XL a, b*5, c,d,e,f,g,h" and returns b*5 for the caller to keep.
    qint16 SendenXL(qint16 a, qint16 b, qint16 c, qint16 d, qint16 e, qint16 f, qint16 g, qint16 h);
    // The blocking pause.
    void Warten(qint64 ms);

    void setStatusView(P50xStatusView* view) { m_statusView = view; }
    P50xStatusView* statusView() const { return m_statusView; }

private:
    AppContext& m_ctx;
    SerialPort& m_port;
    Clock& m_clock;
    P50xStatusView* m_statusView = nullptr;
    bool m_busy = false;
    bool m_abortRequested = false;
    // P50X commands sent whose "]" has not come in yet, and whether one of them was given
    // up on, so that its answer may still come.
    int m_unanswered = 0;
    bool m_lateAnswer = false;
    std::function<void(const Failure&)> m_failureReport;

    void reportFailure(const Failure& failure);
    bool abortAsked(const bool* abortFlag) const { return m_abortRequested || (abortFlag && *abortFlag); }
    // Every read of the input goes through here, so the owed answers are counted off.
    QByteArray takeInput();
};
