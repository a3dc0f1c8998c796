#include "link/core/P50xCommands.h"

namespace P50x {

namespace {
QChar bit(bool on) { return on ? u'1' : u'0'; }

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
QString XSO(int option) { return QStringLiteral("XSO %1").arg(option); }
QString XLC(int address) { return QStringLiteral("XLC %1").arg(address); }
QString XStop() { return QStringLiteral("XStop"); }
QString XGo() { return QStringLiteral("XGo"); }
QString XPTSR() { return QStringLiteral("XPTSR"); }

QString XPTSW(int adr, int ge, int be, int im, int ha) {
    return QStringLiteral("XPTSW %1,%2,%3,%4,%5").arg(adr).arg(ge).arg(be).arg(im).arg(ha);
}

QString XL(const QString& address, qint16 speed, bool light, qint16 direction, const std::array<bool, 4>& f) {
    return QStringLiteral("XL %1, %2, %3, %4, %5, %6, %7, %8")
        .arg(address).arg(speed).arg(bit(light)).arg(direction)
        .arg(bit(f[0])).arg(bit(f[1])).arg(bit(f[2])).arg(bit(f[3]));
}

QString XLDirection(const QString& address, qint16 lightFlag, qint16 direction) {
    return QStringLiteral("XL %1, 0, %2, %3, 0, 0, 0, 0").arg(address).arg(lightFlag).arg(direction);
}

QString XLNumbers(qint16 a, qint16 b, qint16 c, qint16 d, qint16 e, qint16 f, qint16 g, qint16 h) {
    return QStringLiteral("XL %1, %2, %3,%4,%5,%6,%7,%8").arg(a).arg(b).arg(c).arg(d).arg(e).arg(f).arg(g).arg(h);
}

QString XF(const QString& address, const std::array<bool, 8>& f) {
    QString t;
    for (bool on : f) {
        t += bit(on);
        t += QStringLiteral(", ");
    }
    return QStringLiteral("XF ") + address + u',' + t.left(22);
}

}  // namespace P50x
