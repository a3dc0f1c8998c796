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

bool readSucceeded(const QString& answer) {
    return answer.size() >= 2 && answer.at(0).isDigit() && answer.at(1).isDigit();
}

bool writeSucceeded(const QString& answer) {
    return answer.contains(QStringLiteral("OK"), Qt::CaseInsensitive);
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
QString readFailedStatus(const QString& answer) {
    return QStringLiteral(" Lesevorgang abgebrochen, Fehler: ") + shownAnswer(answer);
}
QString writeDoneStatus() { return QStringLiteral(" Schreibvorgang beendet ..."); }
QString writeFailedStatus(const QString& answer) {
    return QStringLiteral(" Schreibvorgang abgebrochen, Fehler: ") + shownAnswer(answer);
}

}  // namespace P50x
