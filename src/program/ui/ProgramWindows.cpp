#include "program/ui/ProgramWindows.h"

#include "app/ui/frmHauptmenu.h"
#include "intellibox/ui/frmIB.h"
#include "intellibox/ui/frmZentrale.h"
#include "mapping/ui/MappingEditors.h"
#include "selectrix/ui/SelectrixWindow.h"

ProgramWindows::ProgramWindows(frmHauptmenu& main, AppContext& ctx, StationLink& link)
    : m_main(main), m_ctx(ctx), m_link(link), m_dialog(&main) {
    m_main.setOpener(QStringLiteral("mnuExtras_IB"), [this] {
        auto* ib = new frmIB(m_ctx, m_link, &m_main);
        ib->setAttribute(Qt::WA_DeleteOnClose);
        ib->setWindowModality(Qt::ApplicationModal);
        ib->show();
    });

    // The programming window is modeless and one instance; each opening starts with empty
    // tables, so a closed window is deleted and the next opening makes a new one.
    m_main.setOpener(QStringLiteral("mnuSystem_MM"), [this] {
        // A window closed during a station wait is deleted only when the wait has ended;
        // choosing the entry meanwhile makes a new one.
        if (!m_zentrale || !m_zentrale->isVisible()) {
            m_zentrale = new frmZentrale(m_ctx, m_link, m_dialog);
            m_zentrale->setAttribute(Qt::WA_DeleteOnClose);
            m_zentrale->setProgrammingAidOpener([this] { m_main.showProgrammierhilfe(false); });
            m_zentrale->setCloseCompanions([this] {
                m_main.programmierhilfeTargets().remove(QStringLiteral("DCC"));
                m_main.closeProgrammierhilfe();
            });
            m_main.programmierhilfeTargets().set(QStringLiteral("DCC"), m_zentrale);
        }
        m_zentrale->show();
        m_zentrale->raise();
        m_zentrale->activateWindow();
    });

    installSelectrixWindow(m_main, m_dialog);
    registerMappingEditors(m_main, m_ctx, m_dialog);
}
