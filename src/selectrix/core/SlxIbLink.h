#pragma once

#include <QString>
#include <QtGlobal>

class StationLink;

// The Selectrix window's P50X traffic with an Intellibox, over the station link: a command
// whose answer is awaited, and one whose answer is not. The only place where the window
// uses the link's P50X sender and answer wait.
class SlxIbLink {
public:
    struct Reply {
        enum class Outcome {
            Answered,  // "]" came: `text` is the whole answer
            TimedOut,
            Stopped,   // the window closed meanwhile (the exchange was cancelled)
            Failed,    // the port failed; the failure has gone to the link's failure report
        };
        Outcome outcome = Outcome::TimedOut;
        QString text;
    };

    // Works inside the exchange the window holds; its cancel ends a wait.
    explicit SlxIbLink(StationLink& link);

    // Empties the input (late answers of earlier commands included), sends the command and
    // waits up to `deadlineMs` for its "]" while the user interface runs. A port failure
    // while sending is thrown.
    Reply ask(const QString& command, qint64 deadlineMs);
    // Sends a command and leaves its answer in the input for the next exchange to drop.
    void tell(const QString& command);

private:
    StationLink& m_link;
};
