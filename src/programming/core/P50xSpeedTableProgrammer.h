#pragma once

#include "programming/core/P50xProgrammer.h"
#include "programming/core/SpeedTableProgrammer.h"

class ZentraleHost;
struct AppContext;

// The speed table over P50X (Intellibox, MasterControl): "XPTRD67" awaited 20000 ms,
// "XPTWD67, 128" awaited 8000 ms after the pause between steps, "XPT1" before a write run's
// first write and "XPT0" at the end of every run and when the editor closes. A write shows
// "schreibe in CV 67" while its answer is awaited; an unanswered step gets the station's
// time-out message, a refused one the answer as the programming window shows it.
class P50xSpeedTableProgrammer : public SpeedTableProgrammer {
public:
    P50xSpeedTableProgrammer(StationLink& link, AppContext& ctx, ZentraleHost& view, qint64 delayMs, bool writeRun);

    CvResult readCv(int cv) override;
    CvResult writeCv(int cv, int value) override;
    void finish() override;
    void tellFailure(const CvResult& result, bool write) override;
    void leaveOnClosing() override;

private:
    AppContext& m_ctx;
    ZentraleHost& m_view;
    P50xProgrammer m_programmer;
};
