#include "link/core/P50xAnswer.h"

#include "base/core/TextNumbers.h"

namespace P50xAnswer {

std::optional<qint64> readValue(const QString& answer) {
    if (answer.size() < 2)
        return std::nullopt;
    const QString head = answer.left(2).trimmed();
    bool digits = !head.isEmpty();
    for (int i = 0; i < head.size(); ++i) {
        const QChar c = head.at(i);
        if (!(c.isDigit() || (i == 0 && head.size() > 1 && (c == u'-' || c == u'+'))))
            digits = false;
    }
    if (!digits)
        return std::nullopt;
    return roundHalfEven(leadingNumber(answer));
}

std::optional<int> cvValue(const QString& answer) {
    const auto v = readValue(answer);
    if (v && *v >= 0 && *v <= 255)
        return static_cast<int>(*v);
    return std::nullopt;
}

std::optional<QString> valueBeforeEquals(const QString& answer) {
    const qsizetype p = answer.indexOf(QStringLiteral(" ="));
    if (p < 1)
        return std::nullopt;
    return answer.left(p);
}

bool writeSucceeded(const QString& answer) {
    static const QLatin1String errorTexts[] = {
        QLatin1String("Busy!"),   QLatin1String("Short!"),       QLatin1String("No decoder"),
        QLatin1String("No ack"),  QLatin1String("No page"),      QLatin1String("Bit read err"),
        QLatin1String("SX read err"), QLatin1String("Timeout"),  QLatin1String("Error"),
        QLatin1String("Unknown command"),
    };
    for (const QLatin1String& error : errorTexts) {
        if (answer.contains(error, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

QString firstTwo(const QString& answer) {
    QString text = answer.left(answer.indexOf(u']'));
    text.remove(u'\r');
    text.remove(u'\n');
    return text.left(2);
}

QString shownText(const QString& answer) {
    return answer.size() < 2 ? answer : answer.chopped(2);
}

QString versionLine(const QString& answer) {
    QString line = answer;
    line.replace(u'\r', u' ');
    return line;
}

}  // namespace P50xAnswer
