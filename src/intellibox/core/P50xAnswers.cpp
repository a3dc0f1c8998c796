#include "P50xAnswers.h"

namespace P50x {

QString shownAnswer(const QString& answer) {
    if (answer.size() < 2)
        return answer;
    return answer.left(answer.size() - 2);
}

std::optional<QString> valueBeforeEquals(const QString& answer) {
    const qsizetype p = answer.indexOf(QStringLiteral(" ="));
    if (p < 1)
        return std::nullopt;
    return answer.left(p);
}

QString versionLine(const QString& answer) {
    QString line = answer;
    line.replace(u'\r', u' ');
    return line;
}

QString timeoutText(const QString& cuName) {
    return QStringLiteral("Die ") + cuName + QStringLiteral(" antwortet nicht !          ");
}
QString readTitle(const QString& decoderType) {
    return QStringLiteral(" ") + decoderType + QStringLiteral("-Decoder lesen...");
}
QString writeTitle(const QString& decoderType) {
    return QStringLiteral(" ") + decoderType + QStringLiteral("-Decoder programmieren...");
}
QString abortedStatus() { return QStringLiteral(" Programmierung abgebrochen..."); }

}  // namespace P50x
