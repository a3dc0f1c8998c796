#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

// The P50X command texts, without the carriage return (StationLink::p50x adds it).
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
QString XSO(int option);                           // special option: "XSO 663"
QString XLC(int address);                          // a locomotive's data format: "XLC 80"
QString XStop();                                   // track power off
QString XGo();                                     // track power on
QString XPTSR();                                   // Selectrix decoder read
QString XPTSW(int adr, int ge, int be, int im, int ha);  // "XPTSW 3,4,2,1,1"

// Drive commands. "XL a, s, l, d, f1, f2, f3, f4" with the light and functions as 0 or 1.
QString XL(const QString& address, qint16 speed, bool light, qint16 direction, const std::array<bool, 4>& f1to4);
// The direction buttons: "XL a, 0, l, d, 0, 0, 0, 0".
QString XLDirection(const QString& address, qint16 lightFlag, qint16 direction);
// The Selectrix window's form: "XL a, b, c,d,e,f,g,h".
QString XLNumbers(qint16 a, qint16 b, qint16 c, qint16 d, qint16 e, qint16 f, qint16 g, qint16 h);
// "XF a," + the states of F1..F8, each followed by ", ", cut to 22 characters.
QString XF(const QString& address, const std::array<bool, 8>& f1to8);

}  // namespace P50x
