#include "app/ui/RisingScrollBar.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionSlider>

namespace {

QStyle::SubControl turned(QStyle::SubControl control) {
    switch (control) {
    case QStyle::SC_ScrollBarAddLine: return QStyle::SC_ScrollBarSubLine;
    case QStyle::SC_ScrollBarSubLine: return QStyle::SC_ScrollBarAddLine;
    case QStyle::SC_ScrollBarAddPage: return QStyle::SC_ScrollBarSubPage;
    case QStyle::SC_ScrollBarSubPage: return QStyle::SC_ScrollBarAddPage;
    default: return control;
    }
}

QStyle::SubControls turned(QStyle::SubControls controls) {
    QStyle::SubControls result = controls & ~(QStyle::SC_ScrollBarAddLine | QStyle::SC_ScrollBarSubLine |
                                              QStyle::SC_ScrollBarAddPage | QStyle::SC_ScrollBarSubPage);
    for (QStyle::SubControl c : {QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddPage,
                                 QStyle::SC_ScrollBarSubPage})
        if (controls & c)
            result |= turned(c);
    return result;
}

// The application's style, with the top arrow and the track above the handle raising the
// value of an inverted bar (the bar asks for the control under the mouse and acts on it;
// drawing shows the pressed arrow where it was pressed).
class RisingStyle : public QProxyStyle {
public:
    QStyle::SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                             const QPoint& pos, const QWidget* widget) const override {
        const QStyle::SubControl hit = QProxyStyle::hitTestComplexControl(control, option, pos, widget);
        return control == CC_ScrollBar ? turned(hit) : hit;
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override {
        if (control == CC_ScrollBar) {
            if (const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
                QStyleOptionSlider shown = *bar;
                shown.activeSubControls = turned(bar->activeSubControls);
                return QProxyStyle::drawComplexControl(control, &shown, painter, widget);
            }
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
};

QStyle* risingStyle() {
    // One style for every such bar, living as long as the application.
    static QPointer<QStyle> style;
    if (!style) {
        style = new RisingStyle;
        style->setParent(qApp);
    }
    return style;
}

}  // namespace

RisingScrollBar::RisingScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setStyle(risingStyle());
    setInvertedAppearance(true);
    // Qt's bars turn keys and wheel around; this one raises its value on Up and wheel-up.
    setInvertedControls(false);
    connect(this, &QScrollBar::valueChanged, this, &RisingScrollBar::risingValueChanged);
}
