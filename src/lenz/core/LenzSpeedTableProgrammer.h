#pragma once

#include "lenz/core/LenzCvProgrammer.h"
#include "lenz/core/LenzServiceMode.h"
#include "programming/core/SpeedTableProgrammer.h"

#include <functional>

class ZentraleHost;
struct AppContext;

// The speed table through a Lenz station's service mode: the programming mode the window
// shows, taken before each CV; the pauses of `Delay`; the read's status texts; a result in
// the other mode's form taken with a beep, a warning and one more pause. A refused step
// shows the station's status line, one that got no answer the message that none came.
// Nothing is sent at the end of a run or when the editor closes.
class LenzSpeedTableProgrammer : public SpeedTableProgrammer {
public:
    // A result whose form does not match the chosen programming mode.
    static const QString notInCvMode;  // " Achtung, Zentrale antwortet nicht im CV-Modus ..."
    static const QString inCvMode;     // " Achtung, Zentrale antwortet im CV-Modus ..."

    using ModeSource = std::function<XpressNet::ProgrammingMode()>;
    LenzSpeedTableProgrammer(StationLink& link, bool usbHeader, ModeSource mode, AppContext& ctx, ZentraleHost& view,
                             qint64 delayMs);

    CvResult readCv(int cv) override;
    CvResult writeCv(int cv, int value) override;
    void finish() override {}
    void tellFailure(const CvResult& result, bool write) override;

private:
    // A refusal carries its status line in `shown`.
    CvResult withRefusal(CvResult result, bool write) const;

    ModeSource m_mode;
    AppContext& m_ctx;
    ZentraleHost& m_view;
    LenzServiceMode m_serviceMode;
    LenzCvProgrammer m_programmer;
};
