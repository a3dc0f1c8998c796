#include "app/ui/StationLooks.h"

#include "app/ui/Twips.h"

#include <QLabel>

namespace StationLooks {

QFrame* panel(QWidget* parent, const QString& name, QFrame::Shape shape) {
    auto* p = new QFrame(parent);
    p->setObjectName(name);
    p->setFrameShape(shape);
    p->setFrameShadow(QFrame::Raised);
    return p;
}

QLabel* label(QWidget* parent, const QString& text, int left, int top, int width, int height) {
    auto* l = new QLabel(text, parent);
    setGeometryTwips(l, left, top, width, height);
    return l;
}

QLabel* heading(QWidget* parent, const QString& text, int left, int top, int width) {
    QLabel* l = label(parent, text, left, top, width);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

}  // namespace StationLooks
