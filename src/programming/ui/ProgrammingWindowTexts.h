#pragma once

// The texts of the frame both programming windows share, in one place.
namespace ProgrammingWindowTexts {

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
inline const char* kennlinieTip = " Kennlinie bearbeiten ";
inline const char* cvGruppenTip = " CVs gruppenweise bearbeiten ";
inline const char* laTip = " lange Adresse schreiben / lesen / umrechnen ";
inline const char* cv29Tip = " Konfigurationsvariable CV 29 bearbeiten ";

// Menus.
inline const char* mnuDatei_Kennlinie = "Geschwindigkeits&kennlinie bearbeiten  ";
inline const char* mnuDatei_Softwarestand = "&Softwarestand und Geräte-Nr. auslesen";
inline const char* mnuDatei_LA = "&lange Adressen";
inline const char* mnuDatei_CV29 = "&CV 29 bearbeiten";
inline const char* mnuBearbeiten = "&Bearbeiten";
inline const char* mnuHilfe = "&?";

inline const char* mnuPopUp_MoVeExport = "Protokoll in MoVe-Datei e&xportieren";
inline const char* mnuPopUp_Editieren = "Protokoll &editieren";
inline const char* mnuPopUp_loeschen = "Protokoll l&öschen";

}  // namespace ProgrammingWindowTexts
