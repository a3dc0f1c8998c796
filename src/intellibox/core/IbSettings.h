#pragma once

#include <QString>
#include <QStringList>
#include <array>

// Reading the Intellibox's answers in its settings window: special options, the
// Motorola-format test and the version fields.
namespace IbSettings {

// The number an answer starts with, as decimal text ("" and text without a number: "0").
QString leadingValue(const QString& answer);
// A line of the option list and of "_SO.txt": "007 > 12".
QString soListLine(int option, const QString& answer);

// Special option 663 is 1: the number in the answer's first three characters.
bool option663Set(const QString& answer);
// The data format of locomotive address 80 is the old Motorola one.
bool motorolaOldFormat(const QString& answer);

// The six version fields SPU, KPU, PPU, LIPU, DNG and S/N, each cut from the answer at a
// fixed distance behind its key (from the text's start when the key is missing).
std::array<QString, 6> versionFields(const QString& answer);

}  // namespace IbSettings
