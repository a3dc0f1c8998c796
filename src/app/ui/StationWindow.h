#pragma once

#include "link/core/StationLink.h"

#include <QList>
#include <QObject>
#include <functional>

class QEvent;
class QLabel;
class QWidget;
struct AppContext;

// The one guard of every window that talks to the station. Each of the window's exchanges
// is taken through it, so that:
// - a second exchange while one waits is refused with a beep, and nothing is sent;
// - closing the window cancels its running exchange, whose waits then end at their next
//   poll (the handler below them finds the cancel and stops);
// - the window is not deleted while its exchange runs, since that handler still works in
//   the window's code: the deletion is put off until the exchange has ended.
// The inputs an exchange works on are taken from the controls when it begins.
class StationWindowGuard : public QObject {
public:
    StationWindowGuard(QObject& window, AppContext& ctx, StationLink& link);

    StationLink& link() const { return m_link; }

    // An exchange for this window; refused (false) with a beep while another one runs.
    StationLink::Exchange begin();
    // Runs `body` inside an exchange for this window; refused as above (a port failure has
    // been reported by the link). False when refused.
    bool run(const std::function<void()>& body);

    // Runs when an exchange of the window ends after the port failed in it (the window clears
    // the status of the step it was in).
    void setLineLost(std::function<void()> lineLost) { m_lineLost = std::move(lineLost); }

    // The window closes: its running exchange is cancelled. Closing is never refused.
    void windowClosing();
    // Whether an exchange taken for this window runs.
    bool exchangeRunsHere() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QObject& m_window;
    AppContext& m_ctx;
    StationLink& m_link;
    std::function<void()> m_lineLost;
};

// The labels under the station buttons: all plain, then the one of button `index` white on
// dark blue, bold and framed while its button is pressed.
void markStationLabels(const QList<QLabel*>& labels, int index, bool pressed);

// The small round credit picture beside a programming window's credit label.
QLabel* creditPicture(QWidget* parent);
