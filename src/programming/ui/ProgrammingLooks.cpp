#include "programming/ui/ProgrammingLooks.h"

#include <QLabel>
#include <QToolButton>

namespace ProgrammingLooks {

QFrame* panel(QWidget* parent, const QString& name, QFrame::Shape shape) {
    auto* p = new QFrame(parent);
    p->setObjectName(name);
    p->setFrameShape(shape);
    p->setFrameShadow(QFrame::Raised);
    return p;
}

QToolButton* ribbon(QWidget* parent, const QString& name, const QString& face, const char* tip) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setCheckable(true);
    b->setText(face);
    b->setToolTip(tr8(tip));
    return b;
}

QLabel* heading(QWidget* parent, const char* text, int left, int top, int width) {
    auto* l = new QLabel(tr8(text), parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    setGeometryTwips(l, left, top, width, 255);
    return l;
}

QLabel* statusPanel(QWidget* parent, const QString& name, const char* tip) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setToolTip(tr8(tip));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    QPalette p = l->palette();
    p.setColor(QPalette::Disabled, QPalette::WindowText, p.color(QPalette::Active, QPalette::WindowText));
    l->setPalette(p);
    return l;
}

}  // namespace ProgrammingLooks
