#pragma once

#include "programming/core/SpeedCurveHost.h"
#include "programming/core/ZentraleHost.h"

#include <QString>
#include <functional>

class SpeedCurve;
class SpeedTableProgrammer;
struct AppContext;
struct CvResult;

// The texts of the speed-table transfer.
namespace TransferTexts {
inline QString reading(int cv) { return QStringLiteral(" Lese CV %1").arg(cv); }
inline QString writing(int cv, int value) { return QStringLiteral(" schreibe CV %1 = %2 ...").arg(cv).arg(value); }
inline const QString readAborted = QStringLiteral(" Lesevorgang abgebrochen ...");
inline const QString writeAborted = QStringLiteral(" Schreibvorgang abgebrochen ...");
inline const QString writeDone = QStringLiteral(" Programmierung beendet ...");
}  // namespace TransferTexts

// Writes the 28 steps of the curve into CV 67..94 of the decoder on the programming track,
// or reads them from there, one CV after the other through the station of the programming
// window that opened the editor (SpeedCurveHost), over the speed-table programmer that
// window makes for its station. Each step done is logged in that window's protocol and its
// marker turns green, unless the user changed the step meanwhile.
//
// A step that fails (no answer, the station's refusal, an answer that is no value, the port)
// is neither logged nor green: the user is told once, in the programmer's words, and the run
// stops there; steps not read keep their values, red. A run holds the window's exchange for
// its whole length, so one runs at a time; abort(), the editor's closing and the window's
// closing end it after the running step.
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
    void writeSteps(SpeedTableProgrammer& programmer);
    void readSteps(SpeedTableProgrammer& programmer);
    // Tells of a step that failed, once.
    void tellFailure(SpeedTableProgrammer& programmer, const CvResult& result, Direction direction);

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
};
