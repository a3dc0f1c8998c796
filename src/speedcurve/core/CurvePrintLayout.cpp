#include "speedcurve/core/CurvePrintLayout.h"

#include "app/core/Version.h"

#include <QtGlobal>

namespace CurvePrintLayout {

const QString headingPrompt = QStringLiteral("Ausdruck mit  folgender Überschrift versehen: ");
const QString headingTitle = QStringLiteral(" Kennlinie drucken...");

namespace {
constexpr double chartTop = 80;          // value 255; value 0 at 335
constexpr double numbersY = 345;
constexpr double valueRowY = 358;
constexpr double tableTextPad = 1.5;     // text top below its row's rule
constexpr double ruleLeft = 48;
constexpr double ruleRight = 552;
constexpr double tableRules[] = {48, 83, 128, 552};
}  // namespace

QString dateLine(const QDate& date) {
    return QStringLiteral("Datum:  ") + date.toString(QStringLiteral("dd.MM.yyyy"));
}

Body body(const SpeedCurve::Values& values) {
    Body b;
    auto text = [&b](const QString& t, double x, double y, Text::Anchor anchor = Text::Anchor::Left,
                     double sizePt = bodyFontPt) { b.texts.append({t, x, y, anchor, sizePt}); };
    auto valueOf = [&values](int step) { return values[std::size_t(step - 1)]; };

    text(QStringLiteral("CV"), 40, numbersY);
    for (int step = 1; step <= SpeedCurve::steps; ++step) {
        const double x = stepX(step);
        text(QString::number(SpeedCurve::cvOf(step)), x - 6, numbersY);
        b.circles.append({x, chartTop + (SpeedCurve::maxValue - valueOf(step)), 2});
        b.lines.append({x, 340, x, 70});
    }
    for (double y = 75; y <= 335; y += 10)
        b.lines.append({58, y, 532, y});
    for (int level = 0; level <= 240; level += 20) {
        text(QString::number(level), 50, 330 - level, Text::Anchor::Right, smallFontPt);
        text(QString::number(level), 550, 330 - level, Text::Anchor::Right, smallFontPt);
    }

    text(QStringLiteral("Wert"), 34, valueRowY);
    for (int step = 1; step <= SpeedCurve::steps; ++step)
        text(QString::number(valueOf(step)), 55 + 17 * step, valueRowY, Text::Anchor::Right, smallFontPt);

    b.lines.append({ruleLeft, tableTop, ruleRight, tableTop});
    text(QStringLiteral("CV"), 50, tableTop + tableTextPad);
    text(QStringLiteral("Wert"), 90, tableTop + tableTextPad);
    for (int row = 1; row <= SpeedCurve::steps; ++row) {
        const double top = tableTop + row * tableRowHeight;
        b.lines.append({ruleLeft, top, ruleRight, top});
        text(QString::number(SpeedCurve::cvOf(row)), 50, top + tableTextPad);
        text(QString::number(valueOf(row)), 112, top + tableTextPad, Text::Anchor::Right);
    }
    b.lines.append({ruleLeft, tableBottom, ruleRight, tableBottom});
    for (double x : tableRules)
        b.lines.append({x, tableTop, x, tableBottom});
    return b;
}

double creditLineY(double pageHeight) {
    return qMin(creditY, pageHeight);
}

QString creditText() {
    return createdByCreditText();
}

}  // namespace CurvePrintLayout
