#pragma once

#include <QString>
#include <QtGlobal>

// The P50X command texts the Intellibox programming window and its panels send, without the
// carriage return (StationLink::sendP50X adds it). Numbers are plain decimal digits; value
// texts marked "as typed" go out exactly as the caller passes them.
namespace P50x {

QString XPTRD(qint16 cv);                          // "XPTRD8": no blank
QString XPTRD1();                                  // "XPTRD 1"
QString XPTRD17();                                 // "XPTRD 17"
QString XPTRD18();                                 // "XPTRD 18"
QString XPTRD29();                                 // "XPTRD 29"
QString XPTRL();                                   // read the long address
QString XPTWD(qint16 cv, const QString& value);    // "XPTWD29, 6": value as typed
QString XPTWD29Spaced(qint16 value);               // "XPTWD 29, 6"
QString XPTWD29(qint16 value);                     // "XPTWD 29,6": no blank after the comma
QString XPTWD1(qint16 value);                      // "XPTWD 1,3"
QString XPTWL(qint16 value);                       // "XPTWL 1234"
QString XPD(qint16 address, qint16 cv, const QString& value);  // main track: "XPD 3, 5, 64"
QString XPT0();                                    // programming track off
QString XPT1();                                    // programming track on
QString XPTMS();                                   // address search
QString XV();                                      // version query
QString XAtAt();                                   // "X@@": Intellibox Motorola switch-over
QString XTPM80();                                  // "XTPM 80": MasterControl programming mode

}  // namespace P50x
