#pragma once

#include "app/ui/FileDialog.h"

#include <QPointer>

struct AppContext;
class SpeedCurveHost;
class StationLink;
class frmHauptmenu;
class frmKennlinie;
class frmLenz;
class frmZentrale;

// The windows built outside the main window's own folder, plugged into its menu entries:
// the program and the tests that walk every window open them the same way. A window built
// later gets its opener here.
class ProgramWindows {
public:
    ProgramWindows(frmHauptmenu& main, AppContext& ctx, StationLink& link);
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // The main window's file dialog, borrowed by every window that reads or writes files.
    Dialog& dialog() { return m_dialog; }

private:
    // Opens the programming window of `systemMode` ("DCC", "Lenz") with its companions.
    template <class Window>
    void showProgrammingWindow(QPointer<Window>& window, const QString& systemMode);
    // The speed-curve editor, one for the whole program: shown modeless for the programming
    // window `host` (which its transfer then goes through), unloaded when a programming
    // window closes.
    void showKennlinie(SpeedCurveHost& host);
    void closeKennlinie();

    frmHauptmenu& m_main;
    AppContext& m_ctx;
    StationLink& m_link;
    Dialog m_dialog;
    QPointer<frmZentrale> m_zentrale;
    QPointer<frmLenz> m_lenz;
    QPointer<frmKennlinie> m_kennlinie;
};
