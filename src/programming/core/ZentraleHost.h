#pragma once

#include <QString>

struct AppContext;
class StationLink;

// What the panels and routines of the Intellibox programming window use of the window
// itself: the station link, the status bar, the answer wait `CU_Ready`, the protocol table
// and the pointer. frmZentrale implements it; tests of a panel use a small fake.
class ZentraleHost {
public:
    virtual ~ZentraleHost() = default;

    virtual AppContext& context() = 0;
    virtual StationLink& link() = 0;

    // First panel of the status bar.
    virtual void setStatus(const QString& text) = 0;
    virtual QString status() const = 0;
    // Arrow with hourglass on the window while an exchange runs.
    virtual void setBusyPointer(bool busy) = 0;

    // Waits up to 20000 ms for an answer ending in "]" after a command was sent. True: the
    // answer is in CuAnswer(). False: time-out, the user has been told, nothing was sent.
    virtual bool CU_Ready() = 0;
    virtual QString CuAnswer() const = 0;

    // Appends a row (mode "L" or "S", CV, value) to the protocol table.
    virtual void writeProtokoll(const QString& mode, const QString& cv, const QString& value) = 0;
};
