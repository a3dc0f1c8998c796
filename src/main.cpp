#include "app/core/AppContext.h"
#include "app/core/DataFolder.h"
#include "app/ui/QtNotifier.h"
#include "app/ui/frmHauptmenu.h"
#include "link/core/QtSerialPort.h"
#include "link/core/RealClock.h"
#include "link/core/StationLink.h"
#include "program/ui/ProgramWindows.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
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
    StationLink link(V24, clock);

    frmHauptmenu window(ctx, V24, link);
    const ProgramWindows windows(window, ctx, link);
    window.Form_Load();
    window.show();
    return app.exec();
}
