#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class Clock;
class CvGroupTable;
class CvProgrammer;
class ZentraleHost;
struct AppContext;

// The table run "Tabelle schreiben / lesen": every row marked "S" is written and every row
// marked "L" read through the window's read/write-CV interface, each executed row logged in
// the protocol. The caller holds the exchange and a ProgrammingSession around the run, which
// leaves programming mode at its end.
class CvGroupRun : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Completed,  // every row done
        TimedOut,   // the station did not answer; the user has been told
        Aborted,    // the exchange was cancelled (the window closes)
        PortFailed, // the port failed; the central error report told the user
    };

    // What differs between the windows' runs.
    struct Options {
        // The window's read and write log their rows and show their outcome themselves (the
        // Lenz window); the run shows what it is about to do before each row, and goes on
        // after a write that was not confirmed.
        bool windowLogs = false;
        // A read that gets no value leaves "?" in the row and the run goes on quietly (the
        // read has told its outcome); otherwise the error shows with a beep.
        bool failedReadLeavesMark = false;
        // The pause of `Delay` ms follows reads too, not only writes.
        bool pauseAfterReads = false;
        // The CVs the window's station can address; others are refused like a CV beyond
        // 1..1024.
        std::function<bool(int cv)> cvAccepted;
        // A value read as the table shows it.
        std::function<QString(int value)> valueText;
    };

    // `clock` gives the pause of `Delay` ms after each write's answer; the table run's
    // programmer pauses as long between sending a write and awaiting its answer.
    CvGroupRun(AppContext& ctx, ZentraleHost& host, CvGroupTable& table, Clock& clock, QObject* parent = nullptr);
    CvGroupRun(AppContext& ctx, ZentraleHost& host, CvGroupTable& table, Clock& clock, Options options,
               QObject* parent = nullptr);

    // Runs the table from its first to its last row. The caller commits pending grid edits
    // first. The number of rows is fixed at the start; each row's cells are read when the
    // run reaches it.
    Outcome run(CvProgrammer& programmer);
    bool isRunning() const { return m_running; }

    // "schreibe in CV 29  =  6"
    static QString writingText(int cv, int value);
    // "lese CV 8"
    static QString readingText(int cv);
    // A row with a CV outside 1..1024 or, for a write, a value that is not 0..255 is not
    // sent: " Zeile 3: Ungültige CV-Nummer, nichts gesendet" (r counted from 0).
    static QString refusedRowText(int r, const QString& reason);
    // After the run, the rows (counted from 1) that were not sent.
    static QString refusedRowsText(const QStringList& rows);

signals:
    // The run works on row r now: the grid makes it current.
    void rowReached(int r);

private:
    Outcome runRows(CvProgrammer& programmer);
    // A row's read or write that got no answer ends the run.
    Outcome ended(CvProgrammer& programmer, int outcome);

    AppContext& m_ctx;
    ZentraleHost& m_host;
    CvGroupTable& m_table;
    Clock& m_clock;
    Options m_options;
    bool m_running = false;
};
