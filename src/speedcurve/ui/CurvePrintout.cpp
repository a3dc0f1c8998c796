#include "speedcurve/ui/CurvePrintout.h"

#include "app/core/AppContext.h"
#include "app/ui/Printout.h"
#include "speedcurve/core/CurvePrintLayout.h"

namespace CurvePrintout {

using namespace CurvePrintLayout;

void KennlinieAusdruck(Printout& out, const QString& heading, const QDate& date, const SpeedCurve::Values& values) {
    out.setUnit(Printout::Unit::Millimetre);
    out.setFontSize(headFontPt);
    out.setCurrentX(headLeftMm);
    out.setCurrentY(headTopMm);
    out.printLine(dateLine(date));
    if (!heading.isEmpty()) {
        out.setCurrentX(headLeftMm);
        out.printLine(heading);
    }

    out.setUnit(Printout::Unit::Point);
    out.setFontSize(bodyFontPt);
    const Body page = body(values);
    for (const Line& l : page.lines)
        out.line(l.x1, l.y1, l.x2, l.y2);
    QPainter& painter = out.painter();
    if (painter.isActive()) {
        for (const Circle& c : page.circles) {
            const QPointF centre = out.toDevice(c.x, c.y);
            const double r = out.toDevice(c.radius, 0).x();
            painter.drawEllipse(centre, r, r);
        }
    }
    for (const Text& t : page.texts) {
        out.setFontSize(t.sizePt);
        out.setCurrentX(t.anchor == Text::Anchor::Right ? t.x - out.textWidth(t.text) : t.x);
        out.setCurrentY(t.y);
        out.printText(t.text);
    }
    PrintTextRotated(out, creditX, creditLineY(out.pageHeight()), CurvePrintLayout::creditText(), 90, creditSizePt);
    out.endDoc();
}

void print(AppContext& ctx, const SpeedCurve::Values& values, const AskText& ask, QWidget* parent) {
    if (std::optional<HeadedPrintout> p = openWithHeading(ctx.ui(), ask, headingPrompt, headingTitle, parent))
        KennlinieAusdruck(*p->out, p->heading, QDate::currentDate(), values);
}

}  // namespace CurvePrintout
