#pragma once

#include <QString>

// The texts of the Lenz programming window, in one place.
namespace LenzTexts {

inline const QString caption = QStringLiteral(" Lenz - Modellbahndecoder programmieren");

// Programming mode: "Register", "CV", "Page".
inline QString progmodeCaption(int i) {
    static const char* const c[] = {"Register", "CV", "Page"};
    return QString::fromLatin1(c[i]);
}
inline QString progmodeTip(int i) {
    static const char* const t[] = {" lesen / schreiben im Register-Modus ", " lesen / schreiben im CV-Modus ",
                                    " lesen / schreiben im Page-Modus "};
    return QString::fromLatin1(t[i]);
}

// Interface choice: serial or USB.
inline QString interfaceLabel(int i) {
    return i == 0 ? QStringLiteral("seriell") : QStringLiteral("USB");
}
inline QString interfaceTip(int i) {
    return i == 0 ? QStringLiteral(" Verbindung über serielle Schnittstelle ")
                  : QStringLiteral(" Verbindung über USB-Schnittstelle ");
}

inline const QString testCaption = QStringLiteral("Test");
inline const QString cvLabel = QStringLiteral("CV");

// Menus.
inline const QString mnuDatei = QStringLiteral("&Datei");
inline const QString mnuDatei_CVGruppen = QStringLiteral("CV-&Gruppen bearbeiten");
inline const QString mnuDatei_schliessen = QStringLiteral("s&chließen");
inline const QString mnuSchliessen = QStringLiteral("s&chließen");
inline const QString helpPage = QStringLiteral("Zelvo_Lenz.htm");

// The read and the write.
inline const QString readDone = QStringLiteral(" Leseoperation beendet...");
inline const QString writeDone = QStringLiteral(" Schreiboperation beendet...");
inline const QString readTitle = QStringLiteral(" Decoder lesen...");
inline const QString writeTitle = QStringLiteral(" Decoder programmieren...");
inline const QString notDirectWarning =
    QStringLiteral(" Achtung, Zentrale antwortet nicht im CV-Modus !              ");
inline const QString directWarning = QStringLiteral(" Achtung, Zentrale antwortet im CV-Modus !              ");

// Input the station cannot take: nothing is sent.
inline const QString badRegister = QStringLiteral("Im Register-Modus gibt es nur die Register 1 bis 8 !          ");
inline const QString badCv = QStringLiteral("Hier sind nur CV-Nummern von 1 bis 255 möglich !          ");
inline const QString badValue = QStringLiteral("Der Wert muss eine Zahl von 0 bis 255 sein !          ");

}  // namespace LenzTexts
