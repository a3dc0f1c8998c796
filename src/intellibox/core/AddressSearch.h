#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class StationLink;

// Finds the address of the one locomotive on the Intellibox's programming track: "XPT1",
// 1000 ms, "XPTMS", the answer up to "]" (no deadline; cancelling the exchange ends the
// wait), "XPT0", 1000 ms. It runs inside the exchange the window holds for the whole search,
// so the window's other station operations are refused meanwhile, and counts the seconds
// with a 1000 ms timer.
class AddressSearch : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Found,      // the answer starts with an address
        NoAddress,  // the answer holds no usable address
        Stopped,    // stop button or closing window
        PortFailed  // the port failed; the error report has been shown
    };
    struct Result {
        Outcome outcome = Outcome::Stopped;
        int address = 0;     // only for Found
        QString statusText;  // what the status bar shows at the end
    };

    AddressSearch(StationLink& link, QObject* parent = nullptr);

    // Runs the search to its end, yielding to the user interface while it waits.
    Result run();
    // The stop button: the search's exchange is cancelled, its wait ends at the next poll.
    void stop();
    bool isRunning() const { return m_running; }

    int seconds() const { return m_seconds; }
    const QTimer& timer() const { return m_timer; }

public slots:
    // One tick of the seconds display.
    void Timer_Timer();

signals:
    void statusChanged(const QString& text);
    // True while the station's answer is awaited: the stop button is usable then.
    void waitingChanged(bool waiting);

private:
    StationLink& m_link;
    QTimer m_timer;
    int m_seconds = 0;
    bool m_running = false;
};
