#pragma once

#include "link/core/XpressNetReceiver.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Failure;
class Clock;
class SerialPort;

// The station link over the one port: requests and writes, the one answer loop of every
// protocol with its deadline, the rule that no answer is taken for another's, the blocking
// pause and the rule of one exchange at a time. It is transport only: it shows nothing,
// reads no program settings and knows no window; callers turn its outcomes into their own
// texts. Owned by the main window; every window that talks to the station gets a reference.
//
// Everything that goes onto the line or waits for it happens inside a held Exchange (the
// calls assert it); only the track-power byte goes out past it (writeAtOnce).
//
// Failures: no call throws. A port failure ends the call with Outcome::Failed and goes to the
// failure report once; the exchange it happened in is failed from then on, and its further
// calls return Failed at once without touching the port.
class StationLink {
public:
    StationLink(SerialPort& port, Clock& clock);

    Clock& clock() const { return m_clock; }
    bool portOpen() const;

    // How the station's answers are cut from the line: P50X text up to "]", XpressNet frames
    // by their length and check byte, Selectrix channel reads one byte each.
    enum class Framing { P50x, XpressNet, Selectrix };

    // What a call on the line came to.
    enum class Outcome {
        Done,      // sent; or, for a wait, the answer is in
        TimedOut,  // the deadline passed without a (whole) answer
        Stopped,   // the exchange was cancelled (stop button, window closing)
        Failed,    // the port failed; the failure report has it
    };
    struct Reply {
        Outcome outcome = Outcome::TimedOut;
        // P50X: everything received, up to "]" and whatever came in the same read after it
        // (on a time-out what came so far); XpressNet: one whole frame without the LI-USB
        // header; Selectrix: the one answer byte.
        QByteArray bytes;
        // Every byte the wait took from the line, whatever it came to, and when the last of
        // them came (-1: none came).
        QByteArray taken;
        qint64 lastInputAt = -1;
        bool answered() const { return outcome == Outcome::Done; }
        QString text() const { return QString::fromLatin1(bytes); }
    };

    // One exchange at a time: whoever talks to the station holds one for the whole
    // operation. A second one is refused while one is held (it holds nothing; the caller
    // tells the user). Each exchange has its own cancel request, which ends its waits at
    // their next poll and lets them come back Stopped; sending stays possible, so an
    // operation can still leave the station as it must ("XPT0").
    class Exchange {
    public:
        // `owner`: the window the exchange works for; see exchangeOwner(). `lineLost` (may be
        // empty) runs when the exchange ends after the port failed in it: the window clears
        // the step it was showing, the failure report having said what happened.
        explicit Exchange(StationLink& link, const void* owner = nullptr, std::function<void()> lineLost = {});
        ~Exchange();
        Exchange(const Exchange&) = delete;
        Exchange& operator=(const Exchange&) = delete;

        // False when another exchange was already held.
        explicit operator bool() const { return m_held; }
        void cancel() { m_cancelled = true; }
        bool cancelled() const { return m_cancelled; }
        // The port failed during this exchange (reported once).
        bool failed() const { return m_failed; }

    private:
        friend class StationLink;
        StationLink& m_link;
        const void* m_owner;
        bool m_held;
        bool m_cancelled = false;
        bool m_failed = false;
        std::function<void()> m_lineLost;
    };
    bool exchangeRunning() const { return m_current != nullptr; }
    // The owner the running exchange was taken for (nullptr when none runs).
    const void* exchangeOwner() const { return m_current ? m_current->m_owner : nullptr; }
    // Cancels the running exchange, whoever holds it (the program ending).
    void cancelExchange();
    // Whether the running exchange has been cancelled.
    bool cancelled() const { return m_current && m_current->m_cancelled; }
    // Whether the port failed during the running exchange.
    bool failed() const { return m_current && m_current->m_failed; }

    // A request the station answers, in one write; its answer is owed from now on, until
    // receive() takes it or drain() lets it pass. Done or Failed.
    Outcome request(Framing framing, const QByteArray& bytes);
    // Bytes the station does not answer (P50 bytes, Selectrix channel writes, XpressNet
    // requests whose acknowledgements nobody waits for), in one write. Done or Failed.
    Outcome write(const QByteArray& bytes);
    // Before a request whose answer will be awaited: every answer the station still owes has
    // arrived and is dropped, or the line has been quiet for the station's settle time
    // (settleLateAnswers); then whatever else waits is dropped. Done, Stopped (cancelled
    // meanwhile: the owed answers stay owed) or Failed.
    Outcome drain();
    // Drops whatever waits in the input now, counting off what it brings of the owed
    // answers. Done or Failed.
    Outcome dropInput();

    // The one answer loop: takes the input as it arrives until one answer of `framing` is
    // whole or `deadlineMs` (negative: none) has passed since the call, sleeping on the port
    // between two reads while the user interface runs. An answer that came with the last
    // read before the deadline still counts. XpressNet: input that stops in the middle of a
    // frame for frameGapMs is a truncated frame, dropped byte by byte.
    Reply receive(Framing framing, qint64 deadlineMs);
    // One ask: drain, request, pause, receive. Stopped without sending when the exchange
    // was cancelled while the line drained. `awaiting` (may be empty) runs when the pause is
    // over and the wait begins (a status text saying so).
    Reply ask(Framing framing, const QByteArray& request, qint64 pauseMs, qint64 deadlineMs,
              const std::function<void()>& awaiting = {});

    // P50X: a command is its text and one carriage return (StationLink::p50x). "X@@", the
    // cold start, is not answered and makes the station forget what it still owed.
    static QByteArray p50x(const QString& command);
    Reply askP50X(const QString& command, qint64 pauseMs, qint64 deadlineMs,
                  const std::function<void()>& awaiting = {});
    // A command whose answer nobody waits for ("XPT0", "XL"): owed all the same.
    Outcome tellP50X(const QString& command);

    // One write past the one-exchange rule, for the track-power byte, which must reach the
    // station at once whatever waits. Every command goes to the port in one write and
    // nothing else runs during a write, so these bytes always fall between two commands.
    // A failure is reported; Done or Failed.
    Outcome writeAtOnce(const QByteArray& bytes);

    // Answers name neither their command nor their CV. The station may still owe the
    // answers of earlier requests: one given up on after a wait ended without it (time-out
    // or cancel), or one sent without awaiting it ("XPT0", "XL", a channel read whose value
    // nobody uses), whose answer may not be in yet when the next request follows at once.
    // The next exchange would take them for its own. Before it sends, this takes in and
    // drops input until every owed answer has passed, or until the line has been quiet long
    // enough for what the station still owes; it shows nothing. A cancel ends it early and
    // the answers stay owed.
    Outcome settleLateAnswers();
    // Whether the next exchange would settle first.
    bool lateAnswerPossible() const { return !m_owedSince.isEmpty(); }

    // How long the settle waits, per framing.
    struct SettleTimes {
        // Nothing given up: the owed answers are those of requests the station answers at
        // once; they are waited for until this long after the last of them was sent.
        qint64 unawaitedMs;
        // After a given-up answer the station may still be at work this long after the last
        // owed request, silent; then quiet counts from the settle's start, the end of that
        // working time or the last byte received, whichever is latest...
        qint64 workMs;
        // ...for this long.
        qint64 quietMs;
        // A line that never falls quiet (a chattering device) holds the next request no
        // longer than this after the settle began, unless the station may still be at work.
        qint64 limitMs;
    };
    static SettleTimes settleTimes(Framing framing);
    // P50X: a station answers a programming-track command when its work is done, at most
    // 20 s after the command by the Intellibox's documentation, and does nothing else
    // meanwhile: an answer given up after an 8 s write deadline can still come 12 s later.
    static constexpr qint64 stationWorkMs = 20000;
    // A station that has its answer ready sends it within moments, and even the longest
    // answer (the version text, about 90 characters) is on the line within 0.4 s at 2400
    // baud.
    static constexpr qint64 settleQuietMs = 2000;
    static constexpr qint64 settleLimitMs = 10000;
    // Commands the station does at once (the track relay, a drive command) answer with a few
    // characters, on the line within 0.1 s at 2400 baud, so a station that leaves one
    // unanswered costs the next command little.
    static constexpr qint64 unawaitedAnswerMs = 500;
    // A Selectrix central answers a channel read from its memory; a read whose byte has not
    // come within the read deadline is late.
    static constexpr qint64 selectrixReadMs = 2000;
    // An XpressNet interface answers the result request at once; a station still at work
    // says so ("Besetzt") rather than keep silent.
    static constexpr qint64 xpressNetAnswerMs = 3000;
    // The bytes of one XpressNet frame follow each other within milliseconds at any of the
    // interfaces' speeds; input that stops this long in the middle of a frame was cut off.
    static constexpr qint64 frameGapMs = 100;

    // Waits for the CTS line to come on, yielding between polls. A device that cannot tell
    // the line's state gets the whole deadline and then counts as on. Off: the line was
    // still seen off at the deadline. Failed: the port failed (already reported).
    enum class CtsWait { On, Off, Aborted, Failed };
    CtsWait waitForCts(qint64 deadlineMs);

    // Where port failures go (the central error report). Unset: they are only counted off.
    void setFailureReport(std::function<void(const Failure&)> report) { m_failureReport = std::move(report); }

    // Frames `message` (1 to 14 bytes) with its XOR check byte, and the FF FE header for the
    // USB interface. An empty or longer message gives nothing.
    static constexpr int maxXpressNetMessage = 14;
    static QByteArray xpressNetFrame(const QByteArray& message, bool usbHeader);
    // Sends the frame of a message nobody awaits an answer to; false when the message cannot
    // be framed (nothing sent) or the port failed.
    bool SendenXpressNet(const QByteArray& message, bool usbHeader);
    // One P50 pair: a code outside 0..254 goes out as 0; an address outside 0..255 puts
    // nothing onto the line. False then, or when the port failed.
    bool Senden6021(const QString& code, const QString& address);
    // The two bytes of one P50 pair, or nothing when the address does not fit its byte.
    static std::optional<QByteArray> p50Pair(const QString& code, const QString& address);
    // Sends "XL a, b*5, c,d,e,f,g,h" (answer not awaited) and returns b*5 for the caller to
    // keep.
    qint16 SendenXL(qint16 a, qint16 b, qint16 c, qint16 d, qint16 e, qint16 f, qint16 g, qint16 h);
    // The blocking pause.
    void Warten(qint64 ms);

private:
    SerialPort& m_port;
    Clock& m_clock;
    Exchange* m_current = nullptr;
    // When each request that still owes its answer was sent, oldest first, the framing of
    // those answers, and whether one of them was given up on, so that its answer may still
    // come.
    QList<qint64> m_owedSince;
    Framing m_owedFraming = Framing::P50x;
    bool m_lateAnswer = false;
    // XpressNet input not yet cut into frames.
    XpressNet::FrameSplitter m_frames;
    std::function<void(const Failure&)> m_failureReport;

    void assertHeld(const char* what) const;
    // The port failed: reported once, the exchange failed, the owed answers forgotten (the
    // port takes nothing more).
    Outcome fail(const Failure& failure);
    // Every read of the input goes through here, so the owed answers are counted off: every
    // "]" of P50X, every Selectrix byte. Input read as XpressNet goes to the frame splitter,
    // whose answer frames are counted off as they are cut (nextFrame). Throws the port's
    // failure.
    QByteArray takeInput(Framing framing);
    std::optional<QByteArray> nextFrame();
    void payOwed(qsizetype answers);
    void forgetOwedAnswers();
    // Sleeps on the port until input waits, `ms` passed or the exchange is cancelled.
    bool waitForInput(qint64 ms);
    Outcome send(const QByteArray& bytes);
    // The answer of `framing` that `input` completes, if any; `input` holds what this wait
    // took so far.
    std::optional<QByteArray> completeAnswer(Framing framing, QByteArray& input);
};
