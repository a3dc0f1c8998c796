#pragma once

#include <QObject>
#include <QStringList>

class CvGroupTable;
class ZentraleHost;

// The table run "Tabelle schreiben / lesen" of the Intellibox window: every row marked "S"
// is written and every row marked "L" read with P50X commands, each executed row logged in
// the protocol, and the programming track switched off ("XPT0") at the end.
class CvGroupRun : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Refused,    // another station exchange was waiting; nothing sent
        Completed,  // every row done, "XPT0" sent
        TimedOut,   // the station did not answer; the time-out sent "XPT0"
        Aborted,    // ended by abort(); "XPT0" sent
        PortFailed, // the port failed; the central error report told the user
    };

    CvGroupRun(ZentraleHost& host, CvGroupTable& table, QObject* parent = nullptr);

    // Runs the table from its first to its last row. The caller commits pending grid edits
    // first. The number of rows is fixed at the start; each row's cells are read when the
    // run reaches it.
    Outcome run();
    // Ends a running table run at its current wait (the window closes). The run still
    // switches the programming track off.
    void abort();
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
    Outcome runRows();
    Outcome finish(Outcome outcome);

    ZentraleHost& m_host;
    CvGroupTable& m_table;
    bool m_running = false;
    bool m_abortRequested = false;
};
