#include "intellibox/core/ZentraleStations.h"

#include "programming/core/DccCvList.h"

namespace ZentraleStations {

namespace {
const StationRules table[count] = {
    {Station::Cu6021, QStringLiteral("6021"), QStringLiteral("Zelvo_6021.htm"), TypeMfx, false, false, false, 3,
     false, false, false, StationRules::Track::Main, true, false, 0},
    {Station::MasterControl, QStringLiteral("MC"), QStringLiteral("Zelvo_MC.htm"), TypeDcc, true, true, true, 4,
     false, true, true, StationRules::Track::Unchanged, false, true, 10239},
    {Station::Intellibox, QStringLiteral("IB"), QStringLiteral("Zelvo_IB.htm"), TypeDcc, true, true, true, 4, true,
     false, true, StationRules::Track::Programming, false, true, 9999},
};
}  // namespace

const StationRules* rules(int index) {
    if (index < 0 || index >= count)
        return nullptr;
    return &table[index];
}

const StationRules* named(const QString& cuName) {
    for (const StationRules& r : table) {
        if (r.cuName == cuName)
            return &r;
    }
    return nullptr;
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
        return dccCvList();
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
