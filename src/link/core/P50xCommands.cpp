#include "link/core/P50xCommands.h"

namespace P50x {

namespace {
QString withCv(const char* command, qint16 cv, Spelling spelling) {
    return QLatin1String(command) + (spelling.blankBeforeCv ? QStringLiteral(" ") : QString()) + QString::number(cv);
}
}  // namespace

QString XPTRD(qint16 cv, Spelling spelling) { return withCv("XPTRD", cv, spelling); }

QString XPTWD(qint16 cv, const QString& value, Spelling spelling) {
    return withCv("XPTWD", cv, spelling) + (spelling.blankAfterComma ? QStringLiteral(", ") : QStringLiteral(",")) +
           value;
}

QString XPTRL() { return QStringLiteral("XPTRL"); }
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
