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

    // Reads and throws away whatever waits in the input.
    void emptyInput();
    // A P50X command: the text and one carriage return, in one write.
    void sendP50X(const QString& command);

    struct Answer {
        QString text;          // everything received, including any text after "]"
        bool complete = false; // "]" arrived
        bool aborted = false;  // ended by abortWait() or the abort flag
        bool failed = false;   // the port failed; the failure went to the failure report
    };
    // Collects input until "]" or the deadline (milliseconds; negative: none), yielding to
    // the user interface between polls and blocking briefly on the port so the wait never
    // spins. "]" that came with the last read still counts. `abortFlag` (may be null) ends
    // the wait when set. A port failure ends the wait and goes to the failure report.
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
    std::function<void(const Failure&)> m_failureReport;

    void reportFailure(const Failure& failure);
};
