#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Failure;
class Clock;
class SerialPort;

// The station link over the one port: the senders of P50X text, P50 bytes, XpressNet frames
// and Selectrix channel bytes, the answer waits with their deadlines, the blocking pause,
// and the rule of one exchange at a time. It is transport only: it shows nothing, reads no
// program settings and knows no window; callers turn its outcomes into their own texts.
// Owned by the main window; every window that talks to the station gets a reference.
//
// Everything that goes onto the line or waits for it happens inside a held Exchange (the
// senders and waits assert it); only the track-power byte goes out past it (writeAtOnce).
class StationLink {
public:
    StationLink(SerialPort& port, Clock& clock);

    Clock& clock() const { return m_clock; }

    // One exchange at a time: whoever talks to the station holds one for the whole
    // operation. A second one is refused while one is held (it holds nothing; the caller
    // tells the user). Each exchange has its own cancel request, which ends its waits at
    // their next poll and lets them come back Aborted; sending stays possible, so an
    // operation can still leave the station as it must ("XPT0").
    class Exchange {
    public:
        // `owner`: the window the exchange works for; see exchangeOwner().
        explicit Exchange(StationLink& link, const void* owner = nullptr);
        ~Exchange();
        Exchange(const Exchange&) = delete;
        Exchange& operator=(const Exchange&) = delete;

        // False when another exchange was already held.
        explicit operator bool() const { return m_held; }
        void cancel() { m_cancelled = true; }
        bool cancelled() const { return m_cancelled; }

    private:
        friend class StationLink;
        StationLink& m_link;
        const void* m_owner;
        bool m_held;
        bool m_cancelled = false;
    };
    bool exchangeRunning() const { return m_current != nullptr; }
    // The owner the running exchange was taken for (nullptr when none runs).
    const void* exchangeOwner() const { return m_current ? m_current->m_owner : nullptr; }
    // Cancels the running exchange, whoever holds it (the program ending).
    void cancelExchange();
    // Whether the running exchange has been cancelled.
    bool cancelled() const { return m_current && m_current->m_cancelled; }

    // Before a P50X command whose answer will be awaited: reads and throws away whatever
    // waits in the input, after settling any late answers first (settleLateAnswers).
    void emptyInput();
    // A P50X command: the text and one carriage return, in one write. Its answer is owed
    // until a "]" comes in ("X@@", the cold start, is not answered).
    void sendP50X(const QString& command);
    // Bytes as they stand, in one write: P50 bytes, Selectrix channel bytes.
    void write(const QByteArray& bytes);
    // Everything waiting in the input; empty when nothing waits.
    QByteArray readInput();
    // How many bytes wait, for a reader that takes input as long as it keeps coming (the
    // XpressNet answer).
    int bytesWaiting();
    // Sleeps until input waits, `ms` have passed (negative: no limit) or the exchange is
    // cancelled, while the user interface runs. Returns whether input waits.
    bool waitForInput(qint64 ms);
    // One write past the one-exchange rule, for the track-power byte, which must reach the
    // station at once whatever waits. Every command goes to the port in one write and
    // nothing else runs during a write, so these bytes always fall between two commands.
    void writeAtOnce(const QByteArray& bytes);

    // P50X answers name neither their command nor their CV. The station may still owe the
    // answers of earlier commands: one given up on after a wait ended without its "]"
    // (time-out or cancel), or one sent without awaiting its answer ("XPT0", "XL"), whose
    // answer may not be in yet when the next command follows at once. The next exchange
    // would take them for its own. Before it sends, this takes in and drops input until every
    // owed "]" has passed, or until the line has been quiet long enough for what the station
    // still owes; it shows nothing. A cancel ends it early and the answers stay owed. Port
    // failures are thrown.
    void settleLateAnswers();
    // Whether the next exchange would settle first.
    bool lateAnswerPossible() const { return !m_owedSince.isEmpty(); }
    // A station answers a programming-track command when its work is done, at most 20 s
    // after the command by the Intellibox's documentation, and does nothing else meanwhile:
    // an answer given up after an 8 s write deadline can still come 12 s later.
    static constexpr qint64 stationWorkMs = 20000;
    // A station that has its answer ready sends it within moments, and even the longest
    // answer (the version text, about 90 characters) is on the line within 0.4 s at 2400
    // baud. After a given-up answer, quiet counts from the settle's start, the end of that
    // working time or the last byte received.
    static constexpr qint64 settleQuietMs = 2000;
    // A line that never falls quiet (a chattering device) holds the next command no longer
    // than this after the settle began, unless the station may still be at work.
    static constexpr qint64 settleLimitMs = 10000;
    // When nothing was given up, the owed answers are those of commands the station does at
    // once (the track relay, a drive command): a few characters, on the line within 0.1 s
    // at 2400 baud. They are waited for until this long after the last of those commands
    // was sent, so a station that leaves one unanswered costs the next command little.
    static constexpr qint64 unawaitedAnswerMs = 500;

    struct Answer {
        QString text;          // everything received, including any text after "]"
        bool complete = false; // "]" arrived
        bool aborted = false;  // the exchange was cancelled
        bool failed = false;   // the port failed; the failure went to the failure report
    };
    // Collects input until "]" or the deadline (milliseconds; negative: none). Between reads
    // it sleeps on the port until input arrives, the deadline passes or the exchange is
    // cancelled, while the user interface runs; "]" is looked for right after each read, and
    // "]" that came with the last read before the deadline still counts. A port failure ends
    // the wait and goes to the failure report.
    Answer waitForAnswer(qint64 deadlineMs);

    // Waits for the CTS line to come on, yielding between polls. A device that cannot tell
    // the line's state gets the whole deadline and then counts as on. Off: the line was
    // still seen off at the deadline. Failed: the port failed (already reported).
    enum class CtsWait { On, Off, Aborted, Failed };
    CtsWait waitForCts(qint64 deadlineMs);

    // Where port failures met during a wait go (the central error report). Unset: the
    // wait just ends.
    void setFailureReport(std::function<void(const Failure&)> report) { m_failureReport = std::move(report); }
    // Hands a failure to that report; for the programmers, which throw nothing.
    void reportFailure(const Failure& failure);

    // Frames `message` (1 to 14 bytes) with its XOR check byte, and the FF FE header for the
    // USB interface, and sends it in one write. An empty or longer message sends nothing
    // and returns false.
    static constexpr int maxXpressNetMessage = 14;
    static QByteArray xpressNetFrame(const QByteArray& message, bool usbHeader);
    bool SendenXpressNet(const QByteArray& message, bool usbHeader);
    // One P50 pair: a code outside 0..254 goes out as 0; an address outside 0..255 throws
    // nothing onto the line and returns false.
    bool Senden6021(const QString& code, const QString& address);
    // The two bytes of one P50 pair, or nothing when the address does not fit its byte.
    static std::optional<QByteArray> p50Pair(const QString& code, const QString& address);
    // Sends "XL a, b*5, c,d,e,f,g,h" and returns b*5 for the caller to keep.
    qint16 SendenXL(qint16 a, qint16 b, qint16 c, qint16 d, qint16 e, qint16 f, qint16 g, qint16 h);
    // The blocking pause.
    void Warten(qint64 ms);

private:
    SerialPort& m_port;
    Clock& m_clock;
    Exchange* m_current = nullptr;
    // When each P50X command still owed its "]" was sent, oldest first, and whether one of
    // them was given up on, so that its answer may still come.
    QList<qint64> m_owedSince;
    bool m_lateAnswer = false;
    std::function<void(const Failure&)> m_failureReport;

    void assertHeld(const char* what) const;
    // Every read of the input goes through here, so the owed answers are counted off.
    QByteArray takeInput();
    void forgetOwedAnswers();
};
