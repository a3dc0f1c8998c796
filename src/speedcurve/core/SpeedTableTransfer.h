#pragma once

#include "programming/core/ZentraleHost.h"
#include "speedcurve/core/SpeedCurveHost.h"

#include <QString>
#include <functional>

class CvProgrammer;
class SpeedCurve;
struct AppContext;
struct CvResult;

// The texts of the speed-table transfer.
namespace TransferTexts {
inline QString reading(int cv) { return QStringLiteral(" Lese CV %1").arg(cv); }
inline QString writing(int cv, int value) { return QStringLiteral(" schreibe CV %1 = %2 ...").arg(cv).arg(value); }
// While a P50X write waits for its answer.
inline QString writingInto(int cv) { return QStringLiteral("schreibe in CV %1").arg(cv); }
inline const QString readAborted = QStringLiteral(" Lesevorgang abgebrochen ...");
inline const QString writeAborted = QStringLiteral(" Schreibvorgang abgebrochen ...");
inline const QString writeDone = QStringLiteral(" Programmierung beendet ...");
// A Lenz result whose form does not match the chosen programming mode.
inline const QString notInCvMode = QStringLiteral(" Achtung, Zentrale antwortet nicht im CV-Modus ...");
inline const QString inCvMode = QStringLiteral(" Achtung, Zentrale antwortet im CV-Modus ...");
}  // namespace TransferTexts

// Writes the 28 steps of the curve into CV 67..94 of the decoder on the programming track,
// or reads them from there, one CV after the other through the station of the programming
// window that opened the editor (SpeedCurveHost), over the read/write-CV interface: P50X for
// an Intellibox or a MasterControl, XpressNet in the window's programming mode for a Lenz
// station. Each step done is logged in that window's protocol and its marker turns green.
//
// A step that fails (no answer, the station's refusal, an answer that is no value, the port)
// is neither logged nor green: the user is told once and the run stops there. The programming
// track is switched on ("XPT1", write runs) and off ("XPT0", the end of every run) only on a
// P50X station. A run holds the window's exchange for its whole length, so one runs at a
// time; abort(), the editor's closing and the window's closing end it after the running step.
class SpeedTableTransfer : private ZentraleHost {
public:
    // `status` shows the transfer's texts in the editor.
    SpeedTableTransfer(AppContext& ctx, SpeedCurve& curve, std::function<void(const QString&)> status);
    ~SpeedTableTransfer() override;

    bool running() const { return m_exchange != nullptr; }

    // The write and read runs; refused with a beep while any exchange runs or when the
    // window's station offers no transfer.
    void write(SpeedCurveHost& host);
    void read(SpeedCurveHost& host);
    // The abort button: `Abbruch`, and the running run ends at its step.
    void abort();
    // The editor closes (it has set `Abbruch`): a running run ends at its step and leaves
    // the station itself; otherwise a P50X station gets "XPT0" when the line is free.
    void editorClosing(SpeedCurveHost* host);

private:
    enum class Direction { Read, Write };
    void run(SpeedCurveHost& host, Direction direction);
    void writeSteps(CvProgrammer& programmer, bool p50x);
    void readSteps(CvProgrammer& programmer, bool p50x);
    // Tells of a step that failed, once.
    void tellFailure(const CvResult& result, Direction direction, bool p50x);

    // ZentraleHost, for the programming session around a run.
    void setStatus(const QString& text) override;
    QString status() const override { return m_status; }
    void setBusyPointer(bool busy) override;
    void writeProtokoll(const QString& mode, const QString& cv, const QString& value) override;

    AppContext& m_ctx;
    SpeedCurve& m_curve;
    std::function<void(const QString&)> m_showStatus;
    QString m_status;
    SpeedCurveHost* m_host = nullptr;
    StationLink::Exchange* m_exchange = nullptr;
    qint64 m_delay = 0;
};
