#include "program/ui/ProgramWindows.h"

#include "app/ui/frmHauptmenu.h"
#include "intellibox/ui/frmIB.h"
#include "intellibox/ui/frmZentrale.h"
#include "lenz/ui/frmLenz.h"
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

    m_main.setOpener(QStringLiteral("mnuSystem_MM"), [this] { showProgrammingWindow(m_zentrale, QStringLiteral("DCC")); });
    m_main.setOpener(QStringLiteral("mnuSystem_Lenz"), [this] { showProgrammingWindow(m_lenz, QStringLiteral("Lenz")); });

    installSelectrixWindow(m_main, m_dialog);
    registerMappingEditors(m_main, m_ctx, m_dialog);
}

template <class Window>
void ProgramWindows::showProgrammingWindow(QPointer<Window>& window, const QString& systemMode) {
    // A programming window is modeless and one instance; each opening starts with empty
    // tables, so a closed window is deleted and the next opening makes a new one. One closed
    // during a station wait is deleted only when the wait has ended; choosing the entry
    // meanwhile makes a new one.
    if (!window || !window->isVisible()) {
        window = new Window(m_ctx, m_link, m_dialog);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setProgrammingAidOpener([this] { m_main.showProgrammierhilfe(false); });
        Window* host = window;
        window->setSpeedCurveOpener([this, host] { showKennlinie(*host); });
        window->setCloseCompanions([this, systemMode] {
            closeKennlinie();
            m_main.programmierhilfeTargets().remove(systemMode);
            m_main.closeProgrammierhilfe();
        });
        m_main.programmierhilfeTargets().set(systemMode, window);
    }
    window->show();
    window->raise();
    window->activateWindow();
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
