#include "programming/ui/ProgrammingLooks.h"

#include <QLabel>
#include <QToolButton>

namespace ProgrammingLooks {

QToolButton* ribbon(QWidget* parent, const QString& name, const QString& face, const char* tip) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setCheckable(true);
    b->setText(face);
    b->setToolTip(tr8(tip));
    return b;
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
