#pragma once

#include <QString>
#include <QtGlobal>

// The NMRA long address and its two CVs: CV 17 = 192 + (address / 256), CV 18 = the rest.
// Shared by the Intellibox and the Lenz window.
namespace LongAddress {

struct Cvs {
    qint64 cv17 = 192;
    qint64 cv18 = 0;
    bool operator==(const Cvs&) const = default;
};

// No range check: the conversion section turns any number into the other form (CVs beyond
// ±10^12 are taken as ±10^12, so nothing overflows).
Cvs toCvs(qint64 address);
qint64 fromCvs(qint64 cv17, qint64 cv18);

// The conversion section works on field texts: the number a text starts with, an empty
// field counting as 0; results in decimal without leading zeros.
void toCvTexts(const QString& addressText, QString& cv17Text, QString& cv18Text);
QString fromCvTexts(const QString& cv17Text, const QString& cv18Text);

// The number a field's text starts with; empty or no digits gives 0; held to ±10^12.
qint64 fieldNumber(const QString& text);

// Writing a long address: the smallest one (the largest is the station's).
constexpr qint64 Minimum = 256;

}  // namespace LongAddress
