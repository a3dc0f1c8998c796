#pragma once

#include "RecordingNotifier.h"
#include "SimulatedStation.h"
#include "app/core/AppContext.h"
#include "app/ui/frmHauptmenu.h"
#include "link/core/StationLink.h"
#include "link/core/VirtualClock.h"
#include "program/ui/ProgramWindows.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>

// The program as main() builds it, on a simulated station and virtual time, with a private
// data folder; the main window loaded and shown. Tests that include it link program_ui.
struct ProgramRig {
    QTemporaryDir dir;
    RecordingNotifier notifier;
    AppContext ctx;
    VirtualClock clock;
    SimulatedStation station{clock};
    StationLink link{station, clock};
    frmHauptmenu main{ctx, station, link};
    ProgramWindows windows{main, ctx, link};

    ProgramRig() {
        ctx.dataFolder = dir.path();
        ctx.notifier = &notifier;
        main.scanCandidates = [] { return QStringList(); };
        main.Form_Load();
        main.show();
    }
    ~ProgramRig() {
        clock.onYield = {};
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &main && w->isVisible())
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ProgramRig(const ProgramRig&) = delete;
    ProgramRig& operator=(const ProgramRig&) = delete;
};
