#pragma once

#include "link/core/SelectrixChannelAccess.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

class SelectrixHost;

// What the programming runs through a Selectrix central share: status texts and pauses
// between the channel writes, channel reads whose answers are used (each with a deadline),
// switching the programming function on and testing its readiness, and the early ends with
// their messages. Every step reports to the window through SelectrixHost.
class SlxCentralRun {
public:

    enum class Outcome {
        Done,
        Refused,  // a value to send is not on its list: told, nothing sent
        Ended,    // a failed test or a silent central ended the run: told
        Stopped,  // the window closed during a read, or the port failed (the link has reported it)
    };

protected:
    SlxCentralRun(SelectrixChannelAccess& access, SelectrixHost& host, qint64 delayMs);
    virtual ~SlxCentralRun() = default;
    SlxCentralRun(const SlxCentralRun&) = delete;
    SlxCentralRun& operator=(const SlxCentralRun&) = delete;

    // Runs `steps`; a port failure ends them with the pointer and the fields restored.
    Outcome guarded(const std::function<Outcome()>& steps);
    // What an early end puts back in the window besides the pointer.
    virtual void restoreFields() {}

    // The answer of a read whose value is used; nothing when the central stayed silent (the
    // run has been ended) or the window closed.
    std::optional<quint8> readChannel(int channel);
    // Asks for the channel, shows `statusText` (a null text: none), pauses and awaits the
    // answer.
    std::optional<quint8> readAfterPause(int channel, const QString& statusText);
    // The value of a read's answer; nothing when it did not come (the run has been ended).
    std::optional<quint8> usedAnswer(const SelectrixChannelAccess::Answer& answer);
    // Channel 106 := 64, then the readiness in channel 109: with `askUser` ("/CC2000", a
    // central that does not report it) the user is asked instead. False when the run ended.
    bool switchProgrammingOn(bool askUser);

    Outcome ended() const;
    // The run ended because a read of the central got no answer.
    bool centralSilent() const { return m_silent; }
    Outcome endWith(const QString& text, const QString& title, bool clearStatus);
    Outcome endQuietly();
    // A value that is not on its list: the message, nothing sent.
    Outcome refuse(const QString& name, int min, int max, const QString& title);

    void step(const QString& status);
    void pause();
    void write(int channel, int value);
    // Writes the channel, shows `statusText` and pauses.
    void writeStep(int channel, int value, const QString& statusText);

    SelectrixChannelAccess& m_access;
    SelectrixHost& m_host;

private:
    // Thrown where the port failed; guarded() ends the run.
    struct PortFailed {};

    qint64 m_delayMs;
    bool m_stopped = false;
    bool m_silent = false;
};
