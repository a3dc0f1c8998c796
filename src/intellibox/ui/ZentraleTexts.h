#pragma once

#include <QString>

// The texts of the Intellibox programming window, in one place.
namespace ZentraleTexts {

inline QString caption() { return QStringLiteral("  Motorola-  /  DCC- Modellbahn-Decoder programmieren"); }

// Station buttons and their labels.
inline QString unitTip(int i) {
    static const char* const tips[] = {" Märklin ControlUnit 6021 ", " Tams MasterControl MC ",
                                       " Uhlenbrock IntelliBox IB "};
    return QString::fromUtf8(tips[i]);
}
inline QString unitLabel(int i) {
    static const char* const labels[] = {"6021", "MC", "IB"};
    return QString::fromLatin1(labels[i]);
}
inline QString typCaption(int i) {
    static const char* const c[] = {"&fx", "&mfx", "&DCC"};
    return QString::fromLatin1(c[i]);
}
inline QString typTip(int i) {
    static const char* const t[] = {" programmiert fx-Decoder ", " programmiert mfx-Decoder ",
                                    " programmiert DCC-Decoder "};
    return QString::fromLatin1(t[i]);
}
inline QString mcTip(int i) {
    static const char* const t[] = {" Programmiervariante 1 ", " Programmiervariante 2 ", ""};
    return QString::fromLatin1(t[i]);
}

inline const char* hgprCaption = "&HGPR";
inline const char* hgprTip = " programmiert DCC-Decoder auf dem Hauptgleis ";
inline const char* gleisTip = " Ort der zu programmierenden Lok ";
inline const char* statusTip = " Programmierverlauf, Rückmeldungen der akt. Zentrale ";
inline const char* registerListTip = " Auswahl verschiedener CVs / Register ";
inline const char* registerTip = " zu schreibende / lesende  CV / Register ";
inline const char* wertTip = " zu schreibender CV / Register-Inhalt ";
inline const char* lesenCaption = "&lesen";
inline const char* lesenTip = " liest den Wert aus der CV (nur DCC) ";
inline const char* schreibenCaption = "&schreiben";
inline const char* schreibenTip = " schreibt den Wert in die CV / das Register ";
inline const char* hilfeCaption = "+";
inline const char* hilfeTip = " Programmierhilfe einblenden ";
inline const char* protocolTip = " Kommunikation PC <--> Zentrale ";
inline const char* protocolLabel = "Protokoll";
inline const char* wertLabel = "Wert";
inline const char* parameterHeading = "Zentrale";
inline const char* delayLabel1 = "Verzögerung";
inline const char* delayLabel2 = "delay";
inline const char* delayUnit = "mSec";
inline const char* delayTip = " Verzögerung beim Schreiben einer Kennlinie ";
inline const char* powerOffCaption = "Power off";
inline const char* powerOffTip = " Zentrale abschalten ";
inline const char* powerOnCaption = "Power on";
inline const char* powerOnTip = " Zentrale einschalten ";
inline const char* kennlinieTip = " Kennlinie bearbeiten ";
inline const char* cvGruppenTip = " CVs gruppenweise bearbeiten ";
inline const char* laTip = " lange Adresse schreiben / lesen / umrechnen ";
inline const char* cv29Tip = " Konfigurationsvariable CV 29 bearbeiten ";
inline const char* credit = "Quillex";

// Menus.
inline const char* mnuDatei = "Datei";
inline const char* mnuDatei_Kennlinie = "Geschwindigkeits&kennlinie bearbeiten  ";
inline const char* mnuDatei_CVGruppen = "CV-&Gruppe bearbeiten";
inline const char* mnuDatei_Softwarestand = "&Softwarestand und Geräte-Nr. auslesen";
inline const char* mnuDatei_LA = "&lange Adressen";
inline const char* mnuDatei_CV29 = "&CV 29 bearbeiten";
inline const char* mnuDatei_schliessen = "b&eenden";
inline const char* mnuBearbeiten = "&Bearbeiten";
inline const char* mnuBearbeiten_ausschneiden = "&ausschneiden      ";
inline const char* mnuBearbeiten_kopieren = "&kopieren";
inline const char* mnuBearbeiten_einfuegen = "e&infügen";
inline const char* mnuHilfe = "&?";
inline const char* mnuSchliessen = "s&chliessen";

inline const char* mnuPopUp_speichern = "Protokoll in Datei &speichern";
inline const char* mnuPopUp_MoVeExport = "Protokoll in MoVe-Datei e&xportieren";
inline const char* mnuPopUp_Editieren = "Protokoll &editieren";
inline const char* mnuPopUp_drucken = "Protokoll &drucken";
inline const char* mnuPopUp_loeschen = "Protokoll l&öschen";

// Messages of the single read and write.
inline const char* valueTooHigh = "Werte über 255 sind nicht zulässig !         ";
inline const char* valueTooHighTitle = " in CV schreiben....";
inline const char* badAddressStatus = " Ungültige Lok-Adresse, nichts gesendet";

}  // namespace ZentraleTexts
