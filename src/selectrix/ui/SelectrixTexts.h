#pragma once

#include <QString>
#include <array>

// Captions, tool tips and messages of the Selectrix window, exactly as the window shows them.
namespace SelectrixTexts {

inline const QString caption = QStringLiteral(" Selectrix- Modellbahndecoder programmieren");

inline const QString mnuDatei = QStringLiteral("&Datei");
inline const QString mnuDatei_speichern = QStringLiteral("Protokoll &speichern");
inline const QString mnuDatei_drucken = QStringLiteral("Protokoll &drucken");
inline const QString schliessen = QStringLiteral("s&chließen");
inline const QString mnuHilfe = QStringLiteral("&?");
inline const QString helpPage = QStringLiteral("Zelvo_SLX.htm");

inline const QString speichernTip = QStringLiteral(" Protokoll speichern ");
inline const QString druckenTip = QStringLiteral(" Protokoll drucken ");

inline const std::array<QString, 2> unitTip{QStringLiteral(" Rautenhaus SLX850 "),
                                            QStringLiteral(" Uhlenbrock IntelliBox IB ")};
inline const std::array<QString, 2> unitLabel{QStringLiteral("SXL850"), QStringLiteral("IB")};
inline const std::array<QString, 2> cuName{QStringLiteral("SLX"), QStringLiteral("IB")};
inline const std::array<QString, 2> unitHelpPage{QStringLiteral("Zelvo_SLX850.htm"), QStringLiteral("Zelvo_SLXIB.htm")};

// optModus(1), (2), (6).
inline const std::array<int, 3> modusIndex{1, 2, 6};
inline const std::array<QString, 3> modusCaption{QStringLiteral("SX1"), QStringLiteral("SX2"), QStringLiteral("DCC")};

// The five parameter combos: name, label.
struct Parameter {
    const char* name;
    QString label;
};
inline const std::array<Parameter, 5> parameters{{
    {"cmbADR", QStringLiteral("Adresse | ADR")},
    {"cmbGE", QStringLiteral("Höchstgeschwindigkeit | GE")},
    {"cmbBE", QStringLiteral("Anfahr-/Bremsverzögerung | BE")},
    {"cmbIM", QStringLiteral("Impulsbreite | IM")},
    {"cmbHA", QStringLiteral("Signalhalteabschnitt | HA")},
}};

// chkChange(0), (1), (2), (4).
inline const std::array<int, 4> changeIndex{0, 1, 2, 4};
inline const std::array<QString, 4> changeCaption{QStringLiteral("erweiterte Einstellungen"), QStringLiteral("Motor"),
                                                  QStringLiteral("Licht"), QStringLiteral("Gleis")};
inline const std::array<QString, 4> changeTip{QStringLiteral(" erweiterte Einstellungen aktivieren / deaktivieren  "),
                                              QStringLiteral(" Drehrichtung des Motors wechseln "),
                                              QStringLiteral(" Anzeige von Spitzenlicht und Zugschluss wechseln "),
                                              QString()};
inline const QString lblIMerw = QStringLiteral("Motorregelung / Impw");
inline const QString lblBEerw = QStringLiteral("Wirkung der ABE");

inline const std::array<QString, 2> selectrixCaption{QStringLiteral("lesen"), QStringLiteral("schreiben")};
inline const std::array<QString, 2> selectrixTip{QStringLiteral(" Decoder auslesen "),
                                                 QStringLiteral(" eingestellte Werte in Decoder schreiben ")};
inline const QString programmierbit = QStringLiteral("Prog.mode aus");
inline const QString programmierbitTip = QStringLiteral(" Programmierbit ausschalten ");

inline const QString dccTitle = QStringLiteral("DCC-Modus");
inline const QString registerListTip = QStringLiteral(" Auswahl verschiedener CVs / Register ");
inline const QString registerTip = QStringLiteral(" zu schreibende / lesende  CV / Register ");
inline const QString wertTip = QStringLiteral(" zu schreibender CV / Register-Inhalt ");
inline const QString wertLabel = QStringLiteral("Wert");

inline const QString fahrpultTitle = QStringLiteral("Fahrpult");
inline const QString adresseTip = QStringLiteral(" dig. Adresse der Lokomotive ");
inline const QString fsTip = QStringLiteral(" anfahren mit dieser Fahrstufe ");
inline const QString anfahren = QStringLiteral("anfahren");
inline const QString anfahrenTip = QStringLiteral(" Lokomotive anfahren ");
inline const QString stop = QStringLiteral("S T O P");
inline const QString stopTip = QStringLiteral(" Lok anhalten (Fahrstufe 0) ");
inline const QString sldFSTip = QStringLiteral(" Fahrtregler ");
inline const QString fahrstufeTip = QStringLiteral("aktuelle Fahrtstufe");
inline const std::array<QString, 2> frTip{QStringLiteral(" vorwärts "), QStringLiteral(" rückwärts ")};
inline const QString licht = QStringLiteral("Licht");
inline const QString lichtTip = QStringLiteral(" Licht aus / ein ");
inline const QString funktion = QStringLiteral("Funktion (Horn etc.)");
inline const QString systemBereit = QStringLiteral("System bereit");
inline const QString gleisspannung = QStringLiteral("Gleisspannung");

inline const QString noStation = QStringLiteral("Bitte wählen Sie zuvor die entspr. Zentrale !         ");
inline const QString noStationTitle = QStringLiteral(" Decoder lesen / schreiben...");

}  // namespace SelectrixTexts
