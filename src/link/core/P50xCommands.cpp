#include "link/core/P50xCommands.h"

namespace P50x {

QString XPTRD(qint16 cv) { return QStringLiteral("XPTRD") + QString::number(cv); }
QString XPTRD1() { return QStringLiteral("XPTRD 1"); }
QString XPTRD17() { return QStringLiteral("XPTRD 17"); }
QString XPTRD18() { return QStringLiteral("XPTRD 18"); }
QString XPTRD29() { return QStringLiteral("XPTRD 29"); }
QString XPTRL() { return QStringLiteral("XPTRL"); }

QString XPTWD(qint16 cv, const QString& value) {
    return QStringLiteral("XPTWD") + QString::number(cv) + QStringLiteral(", ") + value;
}
QString XPTWD29Spaced(qint16 value) { return QStringLiteral("XPTWD 29, ") + QString::number(value); }
QString XPTWD29(qint16 value) { return QStringLiteral("XPTWD 29,") + QString::number(value); }
QString XPTWD1(qint16 value) { return QStringLiteral("XPTWD 1,") + QString::number(value); }
QString XPTWL(qint16 value) { return QStringLiteral("XPTWL ") + QString::number(value); }

QString XPD(qint16 address, qint16 cv, const QString& value) {
    return QStringLiteral("XPD ") + QString::number(address) + QStringLiteral(", ") + QString::number(cv) +
           QStringLiteral(", ") + value;
}

QString XPT0() { return QStringLiteral("XPT0"); }
QString XPT1() { return QStringLiteral("XPT1"); }
QString XPTMS() { return QStringLiteral("XPTMS"); }
QString XV() { return QStringLiteral("XV"); }
QString XAtAt() { return QStringLiteral("X@@"); }
QString XTPM80() { return QStringLiteral("XTPM 80"); }

}  // namespace P50x
