#include "app/core/PortSettings.h"

#include "base/core/TextNumbers.h"

#include <QStringList>

namespace {

QString plainNumber(const QString& s) {
    return QString::number(qint64(leadingNumber(s)));
}

}  // namespace

ComSettingsParts splitComSettings(const QString& settings) {
    const QStringList parts = settings.split(u',');
    ComSettingsParts out{plainNumber(parts.value(0)), QStringLiteral("N"), QStringLiteral("8"), QStringLiteral("1")};
    if (parts.size() > 1)
        out.parity = parts.at(1);
    if (parts.size() > 2)
        out.dataBits = plainNumber(parts.at(2));
    if (parts.size() > 3)
        out.stopBits = parts.mid(3).join(u',');
    return out;
}

QString joinComSettings(const ComSettingsParts& p) {
    return p.baud + u',' + p.parity + u',' + p.dataBits + u',' + p.stopBits;
}

QString comPortFromField(const QString& field) {
    const QString t = field.trimmed();
    for (QChar c : t)
        if (!c.isDigit())
            return t;
    return plainNumber(t);
}

bool isPortNameChar(QChar c) {
    return (c.isLetterOrNumber() && c.unicode() < 128) || c == u'/' || c == u'_' || c == u'-' || c == u'.';
}
