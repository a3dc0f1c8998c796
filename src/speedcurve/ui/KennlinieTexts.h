#pragma once

#include <QString>

// The texts of the speed-curve editor, in one place.
namespace KennlinieTexts {

inline QString caption() { return QStringLiteral(" Kennlinie bearbeiten"); }
inline QString helpPage() { return QStringLiteral("Zelvo_Kennlinie.htm"); }

// Menu items: object name and caption. A separator stands before those marked.
struct MenuItem {
    const char* name;
    const char* caption;
    bool separatorBefore = false;
};

inline constexpr MenuItem mnuDatei{"mnuDatei", "&Datei"};
inline constexpr MenuItem mnuDatei_speichern{"mnuDatei_speichern", "Kennlinie in Datei speichern     "};
inline constexpr MenuItem mnuDatei_laden{"mnuDatei_laden", "Kennlinie aus Datei laden"};
inline constexpr MenuItem mnuDatei_drucken{"mnuDatei_drucken", "Kennlinie drucken"};
inline constexpr MenuItem mnuDatei_schliessen{"mnuDatei_schliessen", "s&chließen", true};
inline constexpr MenuItem mnuKennlinie{"mnuKennlinie", "&Kennlinie"};
inline constexpr MenuItem mnuKennlinie_Linear{"mnuKennlinie_Linear", "&lineare Kennlinie"};
inline constexpr MenuItem mnuKennlinie_Exponential{"mnuKennlinie_Exponential", "exponentielle Kennlinie"};
inline constexpr MenuItem mnuKennlinie_Schreiben{"mnuKennlinie_Schreiben", "Kennlinie in Decoder &schreiben      ", true};
inline constexpr MenuItem mnuKennlinie_Lesen{"mnuKennlinie_Lesen", "Kennlinie aus Decoder &auslesen"};
inline constexpr MenuItem mnuHilfe{"mnuHilfe", "&?"};
inline constexpr MenuItem mnuSchliessen{"mnuSchliessen", "s&chließen"};
inline constexpr MenuItem mnuPopUp_Linear{"mnuPopUp_Linear", "&lineare Kennlinie zeichnen"};
inline constexpr MenuItem mnuPopUp_exponentiell{"mnuPopUp_exponentiell", "e&xponentielle Kennlinie zeichnen"};
inline constexpr MenuItem mnuPopUp_anheben{"mnuPopUp_anheben", "Kennlinie anheben", true};
inline constexpr MenuItem mnuPopUp_absenken{"mnuPopUp_absenken", "Kennlinie absenken"};
inline constexpr MenuItem mnuPopUp_Lineal{"mnuPopUp_Lineal", "Lineal ausblenden", true};
inline constexpr MenuItem mnuPopUp_speichern{"mnuPopUp_speichern", "Kennlinie in Datei speichern     ", true};
inline constexpr MenuItem mnuPopUp_laden{"mnuPopUp_laden", "Kennlinie aus Datei laden"};
inline constexpr MenuItem mnuPopUp_drucken{"mnuPopUp_drucken", "Kennlinie drucken"};
inline constexpr MenuItem mnuPopUp_schreiben{"mnuPopUp_schreiben", "Kennlinie in Decoder &schreiben    ", true};
inline constexpr MenuItem mnuPopUp_einlesen{"mnuPopUp_einlesen", "Kennlinie aus Decoder &auslesen"};

// Toolbar buttons: object name and tooltip.
struct Button {
    const char* name;
    const char* tip;
};
inline constexpr Button btnLaden{"btnLaden", " Kennlinie laden "};
inline constexpr Button btnSpeichern{"btnSpeichern", " Kennlinie speichern "};
inline constexpr Button btnDrucken{"btnDrucken", " Kennlinie drucken "};
inline constexpr Button btnSchreiben{"btnSchreiben", " Kennlinie in Decoder schreiben "};
inline constexpr Button btnLesen{"btnLesen", " Kennlinie aus Decoder auslesen "};
inline constexpr Button btnAbbruch{"btnAbbruch", " Schreiben / Lesen abbrechen "};
inline constexpr Button btnLinear{"btnLinear", " lineare Kennlinie erzeugen "};
inline constexpr Button btnExp1{"btnExp1", " exponentiale Kennlinie erzeugen "};
inline constexpr Button btn_heben{"btn_heben", " Kennlinie anheben "};
inline constexpr Button btn_senken{"btn_senken", " Kennlinie absenken "};

inline QString stepTip(int cv) { return QStringLiteral(" CV %1 ").arg(cv); }
inline QString handleTip(int k) { return QStringLiteral(" Anfasser %1 ").arg(k); }
inline QString rulerText() {
    return QStringLiteral(" 67  '   '  70  '    '   '   '  75   '   '    '   '   80  '   '   '   '   85  '   '   '   '   "
                          "90   '   '   '   94");
}

inline QString text8(const char* text) { return QString::fromUtf8(text); }

}  // namespace KennlinieTexts
