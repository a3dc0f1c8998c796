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

// Menus.
inline const char* mnuDatei = "Datei";
inline const char* mnuDatei_CVGruppen = "CV-&Gruppe bearbeiten";
inline const char* mnuDatei_schliessen = "b&eenden";
inline const char* mnuSchliessen = "s&chliessen";

// Messages of the single read and write.
inline const char* valueTooHigh = "Werte über 255 sind nicht zulässig !         ";
inline const char* valueTooHighTitle = " in CV schreiben....";
inline const char* badAddressStatus = " Ungültige Lok-Adresse, nichts gesendet";

}  // namespace ZentraleTexts
