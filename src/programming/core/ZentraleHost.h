#pragma once

class QString;

// What the panels and routines of a programming window use of the window itself: the
// status bar, the pointer and the protocol table. The window implements it; tests of a
// panel use a small fake.
class ZentraleHost {
public:
    virtual ~ZentraleHost() = default;

    // First panel of the status bar.
    virtual void setStatus(const QString& text) = 0;
    virtual QString status() const = 0;
    // Arrow with hourglass on the window while an exchange runs.
    virtual void setBusyPointer(bool busy) = 0;

    // Appends a row (mode "L" or "S", CV, value) to the protocol table.
    virtual void writeProtokoll(const QString& mode, const QString& cv, const QString& value) = 0;
};
