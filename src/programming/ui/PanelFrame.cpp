#include "programming/ui/PanelFrame.h"

#include "app/ui/Twips.h"

#include <QFrame>
#include <QLabel>

void setUpPanelFrame(QFrame* panel, const QString& name, int left, int top, const QString& heading) {
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    setGeometryTwips(panel, left, top, 4905, 4815);
    QFont small = panel->font();
    small.setPointSize(8);
    panel->setFont(small);

    auto* label = new QLabel(heading, panel);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    setGeometryTwips(label, 120, 90, 3000, 285);
}
