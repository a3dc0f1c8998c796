#include "intellibox/core/ZentraleStations.h"

namespace ZentraleStations {

namespace {
const StationRules table[count] = {
    {QStringLiteral("6021"), QStringLiteral("Zelvo_6021.htm"), TypeMfx, false, false, false, 3, false, false,
     false, StationRules::Track::Main, true, false},
    {QStringLiteral("MC"), QStringLiteral("Zelvo_MC.htm"), TypeDcc, true, true, true, 4, false, true, true,
     StationRules::Track::Unchanged, false, true},
    {QStringLiteral("IB"), QStringLiteral("Zelvo_IB.htm"), TypeDcc, true, true, true, 4, true, false, true,
     StationRules::Track::Programming, false, true},
};
}  // namespace

const StationRules* rules(int index) {
    if (index < 0 || index >= count)
        return nullptr;
    return &table[index];
}

QString decoderTypeName(int index) {
    switch (index) {
    case TypeFx: return QStringLiteral("fx");
    case TypeMfx: return QStringLiteral("mfx");
    case TypeDcc: return QStringLiteral("DCC");
    default: return {};
    }
}

QStringList registerList(int index) {
    switch (index) {
    case TypeFx:
        return {QStringLiteral("1     digitale Adresse"), QStringLiteral("3     Anfahr- und Bremsverzögerung"),
                QStringLiteral("5     Höchstgeschwindigkeit"), QStringLiteral("8     Decoder zurücksetzen")};
    case TypeMfx:
        return {QStringLiteral("1     digitale Adresse"), QStringLiteral("3     Anfahrverzögerung"),
                QStringLiteral("4     Bremsverzögerung"), QStringLiteral("5     Höchstgeschwindigkeit"),
                QStringLiteral("8     Decoder zurücksetzen")};
    case TypeDcc:
        return {QStringLiteral("1     digitale Adresse"),
                QStringLiteral("2     Startspannung"),
                QStringLiteral("3     Anfahrverzögerung"),
                QStringLiteral("4     Bremsverzögerung"),
                QStringLiteral("5     Höchstgeschwindigkeit"),
                QStringLiteral("6     mittlere Geschwindigkeit"),
                QStringLiteral("7     Versionsnummer"),
                QStringLiteral("8     Herstellerkennung"),
                QStringLiteral("9     Motorfrequenz"),
                QStringLiteral("17   erweiterte Adresse (höherwertig)"),
                QStringLiteral("18   erweiterte Adresse (niederwertig)"),
                QStringLiteral("19   Consist-Adresse"),
                QStringLiteral("29   Konfigurationsregister"),
                QStringLiteral("65   Kickstart"),
                QStringLiteral("66   Trimmwert vorwärts"),
                QStringLiteral("95   Trimmwert rückwärts")};
    default:
        return {};
    }
}

int registerListHeight(int index) {
    return index == TypeFx ? 1020 : 1260;
}

QString helpPage(int index) {
    const StationRules* r = rules(index);
    return r ? r->helpPage : QString();
}

QString mainTrackText() { return QStringLiteral(" Lokomotive auf normalem Fahrgleis      ! Vorsicht !"); }
QString programmingTrackText() { return QStringLiteral(" Lokomotive auf Programmiergleis"); }

}  // namespace ZentraleStations
