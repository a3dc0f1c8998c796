#include "program/ui/ProgramWindows.h"

#include "app/ui/frmHauptmenu.h"
#include "intellibox/ui/frmIB.h"
#include "intellibox/ui/frmZentrale.h"
#include "mapping/ui/MappingEditors.h"
#include "selectrix/ui/SelectrixWindow.h"
#include "speedcurve/ui/frmKennlinie.h"

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
            frmZentrale* zentrale = m_zentrale;
            m_zentrale->setSpeedCurveOpener([this, zentrale] { showKennlinie(*zentrale); });
            m_zentrale->setCloseCompanions([this] {
                closeKennlinie();
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

void ProgramWindows::showKennlinie(SpeedCurveHost& host) {
    // A closed editor is deleted; one closed during a transfer goes once the transfer has
    // ended, and a new one opens meanwhile.
    if (!m_kennlinie || !m_kennlinie->isVisible()) {
        m_kennlinie = new frmKennlinie(m_ctx, m_dialog);
        m_kennlinie->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_kennlinie->setHost(&host);
    m_kennlinie->show();
    m_kennlinie->raise();
    m_kennlinie->activateWindow();
}

void ProgramWindows::closeKennlinie() {
    if (!m_kennlinie || !m_kennlinie->isVisible())
        return;
    // Its closing leaves the station through the window that is closing, which is still there.
    m_kennlinie->close();
    m_kennlinie->setHost(nullptr);
}
