#pragma once

#include <QString>
#include <QtGlobal>

// The P50X command texts, without the carriage return (StationLink::sendP50X adds it).
// Numbers are plain decimal digits; value texts go out exactly as the caller passes them.
namespace P50x {

// The station reads a programming-track command with or without a blank before the CV and
// after the comma; each caller sends the form of its own operation.
struct Spelling {
    bool blankBeforeCv = false;   // "XPTRD 29" rather than "XPTRD29"
    bool blankAfterComma = true;  // "XPTWD29, 6" rather than "XPTWD29,6"
};
inline constexpr Spelling joined{false, true};   // "XPTRD8", "XPTWD29, 6"
inline constexpr Spelling spaced{true, true};    // "XPTRD 29", "XPTWD 29, 6"
inline constexpr Spelling tight{true, false};    // "XPTRD 29", "XPTWD 29,6"

QString XPTRD(qint16 cv, Spelling spelling = joined);
QString XPTWD(qint16 cv, const QString& value, Spelling spelling = joined);
QString XPTRL();                                   // read the long address
QString XPTWL(qint16 value);                       // "XPTWL 1234"
QString XPD(qint16 address, qint16 cv, const QString& value);  // main track: "XPD 3, 5, 64"
QString XPT0();                                    // programming track off
QString XPT1();                                    // programming track on
QString XPTMS();                                   // address search
QString XV();                                      // version query
QString XAtAt();                                   // "X@@": Intellibox Motorola switch-over
QString XTPM80();                                  // "XTPM 80": MasterControl programming mode

}  // namespace P50x
