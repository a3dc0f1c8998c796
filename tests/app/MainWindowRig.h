#pragma once

#include "app/core/AppContext.h"
#include "app/core/ConfigFile.h"
#include "RecordingNotifier.h"
#include "ScriptedPort.h"
#include "link/core/StationLink.h"
#include "TestFiles.h"
#include "link/core/VirtualClock.h"
#include "app/ui/frmHauptmenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <memory>

// The main window over a scripted port, a virtual clock, a recording notifier and a
// temporary data folder.
struct MainWindowRig {
    QTemporaryDir dir;
    RecordingNotifier notifier;
    AppContext ctx;
    ScriptedPort port;
    VirtualClock clock;
    StationLink link{port, clock};
    std::unique_ptr<frmHauptmenu> window;

    MainWindowRig() {
        port.clock = &clock;
        ctx.dataFolder = dir.path();
        ctx.notifier = &notifier;
        window = std::make_unique<frmHauptmenu>(ctx, port, link);
    }
    // What a test left open goes before the main window does.
    ~MainWindowRig() {
        window->closeProgrammierhilfe();
        flushDeletes();
    }

    // A configuration file as the program writes it, with the given port and settings.
    void writeConfig(const QString& comPort, const QString& comSettings) {
        AppContext stored;
        stored.dataFolder = dir.path();
        ReadConfig(stored);
        stored.ComPort = comPort;
        stored.ComSettings = comSettings;
        WriteConfig(stored);
    }

    QByteArray configBytes() const { return fileBytes(configFilePath(ctx)); }

    QAction* entry(const char* name) const { return window->entry(QString::fromLatin1(name)); }

    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
