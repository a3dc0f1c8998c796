#pragma once

#include <QStringList>

// The DCC CVs the programming windows offer in their list, each row the CV number and its
// name; a click on a row puts the number into the CV field.
inline QStringList dccCvList() {
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
}
