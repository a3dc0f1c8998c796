#pragma once

#include <QString>
#include <QStringList>

namespace ZentraleStations {
enum class Station { Cu6021, MasterControl, Intellibox };
}

// What each command station of the programming window can do: the assignments its button
// makes when pressed, and the register and CV lists of the decoder types. The window asks
// these rules, never the station's name.
struct StationRules {
    ZentraleStations::Station station;
    QString cuName;
    QString helpPage;
    int defaultDecoderType;   // optTyp index selected by the press
    bool dccEnabled;          // optTyp(2)
    bool canRead;             // btnLesen shown
    bool mainTrackAllowed;    // chkHGPR enabled (else unticked and disabled)
    int addressMaxLength;     // txtAdresse
    bool addressSearch;       // pnlAdresse shown
    bool programmingVariants; // pnlMC shown
    bool p50x;                // speed-curve editor, version query, direction buttons
    enum class Track { Main, Programming, Unchanged } track;
    bool hidesGroupTable;     // grdGR hidden
    bool longAddress;         // rbnLA and mnuDatei_LA
    int longAddressMaximum;   // the largest long address the station writes
};

namespace ZentraleStations {

constexpr int count = 3;
constexpr int Index6021 = 0;
constexpr int IndexMC = 1;
constexpr int IndexIB = 2;

// Rules of station button `index`; nullptr outside 0..2.
const StationRules* rules(int index);
// Rules of the station `CuName` names, the one every station operation of the window works
// with; nullptr before a station was chosen (or for another window's station).
const StationRules* named(const QString& cuName);

constexpr int TypeFx = 0;
constexpr int TypeMfx = 1;
constexpr int TypeDcc = 2;

// "fx", "mfx", "DCC"; empty outside 0..2.
QString decoderTypeName(int index);
// The entries of lstRegister for a decoder type, and the list's height in twips.
QStringList registerList(int index);
int registerListHeight(int index);

// The help page of a station index; empty (leave unchanged) outside 0..2.
QString helpPage(int index);

QString mainTrackText();         // " Lokomotive auf normalem Fahrgleis      ! Vorsicht !"
QString programmingTrackText();  // " Lokomotive auf Programmiergleis"

}  // namespace ZentraleStations
