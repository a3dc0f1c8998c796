#include "selectrix/ui/SelectrixWindow.h"

#include "app/ui/frmHauptmenu.h"
#include "selectrix/ui/frmSelectrix.h"

void installSelectrixWindow(frmHauptmenu& menu, Dialog& dialog) {
    menu.setOpener(QStringLiteral("mnuSystem_Selectrix"), [&menu, &dialog] {
        auto* window = new frmSelectrix(menu.context(), menu.link(), dialog, QCoreApplication::arguments(), &menu);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowModality(Qt::ApplicationModal);
        window->show();
    });
}
