#include "app/core/Version.h"

QString releaseText() {
    return QStringLiteral("Rel. %1.%2.%3")
        .arg(QUILLEX_VERSION_MAJOR)
        .arg(QUILLEX_VERSION_MINOR)
        .arg(QUILLEX_VERSION_PATCH);
}

QString createdByCreditText() {
    return QStringLiteral("(Quillex)   created by Quillex-Entwicklerteam");
}
