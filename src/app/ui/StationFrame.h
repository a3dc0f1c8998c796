#pragma once

#include "app/ui/InputBox.h"

#include <QList>
#include <QMainWindow>
#include <QPair>
#include <array>
#include <functional>

class Dialog;
class QAction;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class StationLink;
class StationWindowGuard;
struct AppContext;

// The frame every window that talks to the station stands on (the Intellibox, Lenz and
// Selectrix windows): the main window's link, file dialog and the one exchange guard; the
// window's size by the screen and its stored position, with the bar that slides the
// right-hand side into view on a narrow screen; the pause field that sets `Delay`; the
// track-power buttons; the status panel and the busy pointer; the protocol's pop-up menu,
// its save and its printout heading; closing, which runs once and stores the position.
// Each window builds and places the frame's controls where its own layout has them; whether it
// opens modal or modeless, and whether it is deleted on closing, is its opener's business.
class StationFrame : public QMainWindow {
    Q_OBJECT
public:
    ~StationFrame() override;

    // The status bar's first panel.
    QString statusText() const;
    // Tests answer the printouts' heading question in place of the user.
    void setHeadingQuestion(AskText ask) { m_askHeading = std::move(ask); }
    // Runs when the window closes, after the position is stored: closes the windows opened
    // beside it.
    void setCloseCompanions(std::function<void()> close) { m_closeCompanions = std::move(close); }

protected:
    // A window's outer size in twips, frame and title bar included: on a screen of at least
    // 12030 twips, and on a narrower one (with the sliding bar shown).
    struct Size {
        int largeWidth;
        int largeHeight;
        int smallWidth;
        int smallHeight;
    };
    // The labels and the field of the pause: "Verzögerung", "delay", the field `txtDelay`
    // and "mSec".
    struct DelayControls {
        QLabel* label;
        QLabel* delayLabel;
        QLineEdit* field;
        QLabel* unit;
    };

    // `dialog` is the main window's file dialog.
    StationFrame(AppContext& ctx, StationLink& link, Dialog& dialog, const QString& name, const QString& caption,
                 QWidget* parent = nullptr);

    // Loading: the size by the screen (the narrow one shows `scrSize`) and the position
    // stored last (`PosZentraleLeft`, `PosZentraleTop`).
    void placeWindow(const Size& size);
    // The horizontal bar `scrSize` (0..maximum, steps 10 and 100), hidden until a narrow
    // screen shows it. Each step slides the registered controls 15 twips to the left.
    QScrollBar* buildSizeBar(QWidget* parent, int maximum);
    // `widget` stands `left` twips from its parent's edge with the bar at 0.
    void slideWithSizeBar(QWidget* widget, int left);
    // The credit line and its picture, bottom right at `top` twips, behind the panels; they
    // slide with the bar.
    void buildCredit(QWidget* central, int top);

    // The pause field and its labels, for the window to place; typing sets `Delay`.
    DelayControls buildDelayField(QWidget* parent);
    // Loading: a negative `Delay` becomes 1000; the field shows it.
    void showDelay();

    // "Power off" and "Power on" (`btnPower`), for the window to place; their clicks go to
    // powerClicked.
    void buildPowerButtons(QWidget* parent);
    virtual void powerClicked(int index) = 0;

    // The status panel the window built.
    void setStatusPanel(QLabel* panel) { m_statusPanel = panel; }
    void showStatus(const QString& text);
    // Arrow with hourglass while an exchange runs.
    void setBusy(bool busy);

    // The protocol grid's pop-up menu `mnuPopUp`, never in the menu bar, with "Protokoll in
    // Datei &speichern" as its first item; the window adds the rest.
    QMenu* buildProtocolMenu();
    // "Protokoll &drucken" (`mnuPopUp_drucken`) in `menu`.
    QAction* addProtocolPrint(QMenu* menu);
    // Each window saves and prints its own protocol.
    virtual void saveProtocol() = 0;
    virtual void printProtocol() = 0;

    // Closing and the window's destructor both unload it; the steps run once: the window's
    // own closingSteps, the end of its running exchange, the position stored, the companions
    // closed, the normal pointer back. The most derived window's destructor calls unload.
    void closeEvent(QCloseEvent* event) override;
    void unload();
    virtual void closingSteps() {}

    AppContext& m_ctx;
    StationLink& m_link;
    Dialog& m_dialog;
    StationWindowGuard* m_guard;
    AskText m_askHeading;

    // Controls.
    QScrollBar* scrSize = nullptr;
    QLineEdit* txtDelay = nullptr;
    std::array<QPushButton*, 2> btnPower{};
    QLabel* creditLabel = nullptr;
    QLabel* creditPicture = nullptr;
    QMenu* mnuPopUp = nullptr;

private:
    void scrSizeChanged(int value);
    void delayChanged(const QString& text);

    QLabel* m_statusPanel = nullptr;
    QList<QPair<QWidget*, int>> m_slides;
    std::function<void()> m_closeCompanions;
    bool m_unloaded = false;
};
