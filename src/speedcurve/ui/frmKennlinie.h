#pragma once

#include "app/ui/InputBox.h"
#include "speedcurve/core/BezierDrawing.h"

#include <QMainWindow>
#include <array>
#include <memory>

class Dialog;
class GridLine;
class PlanArea;
class QAction;
class QLabel;
class QMenu;
class QScrollBar;
class QToolButton;
class SpeedCurve;
class SpeedCurveHost;
class SpeedTableTransfer;
struct AppContext;

// The speed-curve editor: the 28 steps of the speed table (CV 67 to CV 94) as markers in
// a drawing area, scroll bars and value labels; linear and Bézier shaping, raising and
// lowering, curve files and the printout.
//
// The transfer to and from the decoder goes through the programming window that shows the
// editor (setHost); without one the write, read and abort controls stay disabled.
class frmKennlinie : public QMainWindow {
    Q_OBJECT
public:
    // `dialog` is the main window's file dialog.
    frmKennlinie(AppContext& ctx, Dialog& dialog, QWidget* parent = nullptr);
    ~frmKennlinie() override;

    // The curve the window shows; every change to it is shown at once.
    SpeedCurve& curve() const { return *m_curve; }

    // Erases the curve drawn last and draws the one through the first marker, the two
    // handles and the last marker.
    void subBezier();

    // "" after load, "lin" after linear shaping, "exp" after choosing the exponential curve.
    const QString& KennlinienTyp() const { return m_kennlinienTyp; }

    // The programming window whose station, guard and protocol the transfer uses from now
    // on (nullptr: none). A running transfer keeps the one it began with.
    void setHost(SpeedCurveHost* host);
    SpeedCurveHost* host() const { return m_host; }
    // Write and read runs as the buttons and menus start them, and the abort button.
    void writeRun();
    void readRun();
    void abortRun();
    bool transferRunning() const;

    void setStatus(const QString& text);
    QString status() const;

    // The question for the printout's heading; an input box unless replaced (tests).
    void setHeadingQuestion(AskText ask) { m_askHeading = std::move(ask); }

    // The editing operations as menus and buttons reach them.
    void makeLinear();
    void makeExponential();
    void raiseCurve();
    void lowerCurve();
    void saveCurve();
    void loadCurve();
    void printCurve();
    // The ruler: step's vertical line black, or all lines back to grey.
    void markRuler(int step);
    void hideRuler();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolbar(QWidget* central);
    void buildPlan(QWidget* central);
    void buildSteps(QWidget* central);
    void formLoad();
    void formUnload();
    void showStep(int step);
    void sampleDrawing();
    void clearDrawing();
    void showHelp();
    bool markerEvent(int step, QEvent* event);
    bool handleEvent(int k, QEvent* event);

    AppContext& m_ctx;
    Dialog& m_dialog;
    SpeedCurve* m_curve = nullptr;
    BezierDrawing m_drawing;
    AskText m_askHeading;
    std::unique_ptr<SpeedTableTransfer> m_transfer;
    SpeedCurveHost* m_host = nullptr;
    QString m_kennlinienTyp;
    bool m_closed = false;

    // Marker drag: MarkeZiehen, MarkeIndex, GreifY (whole twips within the marker).
    bool m_markeZiehen = false;
    int m_markeIndex = 0;
    qint64 m_greifY = 0;
    int m_draggedHandle = 0;  // 1 or 2 while a handle is dragged

    // Controls; arrays are indexed by step (element 0 unused) or handle number.
    QLabel* pnlDateiname = nullptr;
    QLabel* stbStatus = nullptr;
    PlanArea* picPlan = nullptr;
    QLabel* lblCV = nullptr;
    QLabel* imgMarke_rot = nullptr;
    QLabel* imgMarke_gruen = nullptr;
    std::array<QScrollBar*, 29> Scroll{};
    std::array<QLabel*, 29> FS{};
    std::array<QLabel*, 29> Marke{};
    std::array<GridLine*, 29> vLine{};
    std::array<GridLine*, 27> hLine{};  // hLine(10 k) is element k
    std::array<QLabel*, 3> Anfasser{};
    QMenu* mnuPopUp = nullptr;
    QToolButton* btnSchreiben = nullptr;
    QToolButton* btnLesen = nullptr;
    QToolButton* btnAbbruch = nullptr;
    QList<QAction*> m_writeActions;  // menu and pop-up items of the write run
    QList<QAction*> m_readActions;
};
