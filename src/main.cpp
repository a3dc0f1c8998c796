#include "app/core/AppContext.h"
#include "app/core/DataFolder.h"
#include "app/core/ErrorReport.h"
#include "app/core/Failure.h"
#include "app/ui/QtNotifier.h"
#include "link/core/QtSerialPort.h"
#include "link/core/RealClock.h"
#include "link/core/StationLink.h"
#include "app/ui/frmHauptmenu.h"
#include "app/ui/FileDialog.h"
#include "intellibox/ui/frmIB.h"
#include "intellibox/ui/frmZentrale.h"
#include "selectrix/ui/SelectrixWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Quillex"));

    // Standard buttons read "Ja", "Nein", "Abbrechen".
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    // A private data folder, for trying the program against the simulated station.
    QCommandLineParser parser;
    const QCommandLineOption dataOption(QStringLiteral("data-folder"), QStringLiteral("Datenordner"),
                                        QStringLiteral("dir"));
    parser.addOption(dataOption);
    parser.process(app);
    QString dataFolder = parser.value(dataOption);
    if (dataFolder.isEmpty())
        dataFolder = qEnvironmentVariable("QUILLEX_DATA_FOLDER");
    if (dataFolder.isEmpty())
        dataFolder = chooseDataFolder();

    QtNotifier notifier;
    AppContext ctx;
    ctx.dataFolder = dataFolder;
    ctx.notifier = &notifier;
    QtSerialPort V24;
    RealClock clock;
    StationLink link(ctx, V24, clock);
    // A port that fails while an answer is awaited (cable pulled) is reported once, here.
    link.setFailureReport([&ctx](const Failure& failure) { ZentraleFehlerbehandlung(ctx, failure); });

    frmHauptmenu window(ctx, V24, link);
    window.setOpener(QStringLiteral("mnuExtras_IB"), [&] {
        auto* ib = new frmIB(ctx, link, &window);
        ib->setAttribute(Qt::WA_DeleteOnClose);
        ib->setWindowModality(Qt::ApplicationModal);
        ib->show();
    });
    // The main window's file dialog, borrowed by every window that reads or writes files.
    Dialog dialog(&window);
    installSelectrixWindow(window, dialog);

    // The programming window is modeless and one instance; each opening starts with empty
    // tables, so a closed window is deleted and the next opening makes a new one.
    QPointer<frmZentrale> zentrale;
    window.setOpener(QStringLiteral("mnuSystem_MM"), [&] {
        // A window closed during a station wait is deleted only when the wait has ended;
        // choosing the entry meanwhile makes a new one.
        if (!zentrale || !zentrale->isVisible()) {
            zentrale = new frmZentrale(ctx, link, dialog);
            zentrale->setAttribute(Qt::WA_DeleteOnClose);
            zentrale->setProgrammingAidOpener([&window] { window.showProgrammierhilfe(false); });
            zentrale->setCloseCompanions([&window] {
                window.programmierhilfeTargets().remove(QStringLiteral("DCC"));
                window.closeProgrammierhilfe();
            });
            window.programmierhilfeTargets().set(QStringLiteral("DCC"), zentrale);
        }
        zentrale->show();
        zentrale->raise();
        zentrale->activateWindow();
    });
    window.Form_Load();
    window.show();
    return app.exec();
}
