#pragma once

#include <QString>
#include <QtGlobal>

class Notifier;

// The program-wide settings and run state, one object handed to every window.
// The names are those of the configuration file's entries and the windows that use them; the
// stored ones are kept in the configuration file.
struct AppContext {
    // Stored settings (configuration file).
    QString ComPort;
    QString ComSettings;
    QString Fahrstufen;
    qint32 PosZentraleLeft = 0;
    qint32 PosZentraleTop = 0;
    qint32 PosKennlinieLeft = 0;
    qint32 PosKennlinieTop = 0;
    qint32 Delay = 0;
    qint16 ZentraleIndex = 0;
    qint16 DecoderTypIndex = 0;
    qint16 LenzInterfaceType = 0;

    // State of the current run.
    QString SystemMode;   // "DCC", "Lenz", "SLX" or "PH"
    QString CuName;       // "6021", "MC", "IB", "SLX" or ""
    QString DecoderType;  // "fx", "mfx" or "DCC"
    bool Abbruch = false;
    QString HelpFile;     // the help folder (findHelpFolder), holding the "Zelvo_*.htm" pages
    QString HelpPage;
    int Antwort = 0;

    // Where the program's files live: the program folder when writable, else the
    // per-user data folder (see DataFolder). Tests point it at a temporary folder.
    QString dataFolder;

    Notifier* notifier = nullptr;

    Notifier& ui() const { return *notifier; }
};
