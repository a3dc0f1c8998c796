#pragma once

#include <QObject>
#include <QStringList>

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

    // `clock` gives the pause of `Delay` ms after each write's answer; the table run's
    // programmer pauses as long between sending a write and awaiting its answer.
    CvGroupRun(AppContext& ctx, ZentraleHost& host, CvGroupTable& table, Clock& clock, QObject* parent = nullptr);

    // Runs the table from its first to its last row. The caller commits pending grid edits
    // first. The number of rows is fixed at the start; each row's cells are read when the
    // run reaches it.
    Outcome run(CvProgrammer& programmer);
    bool isRunning() const { return m_running; }

    // "schreibe in CV 29  =  6"
    static QString writingText(int cv, int value);
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
    bool m_running = false;
};
