#pragma once

#include "app/ui/ProgrammierhilfeTarget.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

struct AppContext;
class SerialPort;
class StationLink;
class QAction;
class QLabel;
class QLockFile;
class QMenu;
class frmProgrammierhilfe;

// The start-up window and the only one that lives for the whole run: it refuses a second
// instance, reads the configuration, opens the program's one serial port, opens every
// other window from its menu and, when it closes, closes the others, the port and writes
// the configuration.
class frmHauptmenu : public QMainWindow {
    Q_OBJECT

public:
    frmHauptmenu(AppContext& ctx, SerialPort& V24, StationLink& link, QWidget* parent = nullptr);
    ~frmHauptmenu() override;

    // Start-up; may end the program through the notifier (second instance, error 8002 and
    // Cancel). Run once before the window is shown.
    void Form_Load();

    AppContext& context() const { return m_ctx; }
    SerialPort& V24() const { return m_V24; }
    StationLink& link() const { return m_link; }
    QAction* mnuSystem() const { return m_mnuSystem; }
    QAction* entry(const QString& name) const { return m_entries.value(name); }

    // Windows built elsewhere are plugged into their menu entry by name ("mnuSystem_MM",
    // "mnuSystem_Lenz", "mnuSystem_Selectrix", "mnuFM_ESU", "mnuExtras_IB",
    // "muExtras_ESU_CV49", ...): the entry becomes usable and, after the steps the menu
    // takes itself (SystemMode, busy pointer, this window disabled while a programming
    // window loads), calls the opener, which shows the window (modeless for the two
    // programming windows, modal for the rest). An empty opener disables the entry again.
    using Opener = std::function<void()>;
    void setOpener(const QString& entryName, Opener opener);

    // The programming windows register here as the target of the programming aid.
    ProgrammierhilfeTargets& programmierhilfeTargets() { return m_targets; }
    // Opens the aid, or brings it to the front when it is open; programming windows open it
    // modeless and close it (closeProgrammierhilfe) when they close.
    frmProgrammierhilfe* showProgrammierhilfe(bool modal);
    void closeProgrammierhilfe();

    // Where the port window's scan looks; tests replace it so no real device is touched.
    std::function<QStringList()> scanCandidates;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Kind { Submenu, Separator, Programming, Modal, BusyModal, Own };
    void buildMenu();
    void buildContent();
    void runEntry(const QString& name, Kind kind, const QString& mode);
    void closeOtherWindows();
    void showModal(QWidget* window);

    void mnuExtras_Schnittstelle_Click();
    void mnuExtras_Decoderhersteller_Click();
    void mnuExtras_PH_Click();
    void mnuHilfe_Click();

    AppContext& m_ctx;
    SerialPort& m_V24;
    StationLink& m_link;
    std::unique_ptr<QLockFile> m_lock;
    QAction* m_mnuSystem = nullptr;
    QHash<QString, QAction*> m_entries;
    QHash<QString, Opener> m_openers;
    QLabel* m_lblRelease = nullptr;
    ProgrammierhilfeTargets m_targets;
    QPointer<frmProgrammierhilfe> m_programmierhilfe;
    bool m_shutDown = false;
};
