#pragma once

#include "lenz/core/LenzCvProgrammer.h"
#include "link/core/XpressNet.h"
#include "programming/ui/ProgrammingWindow.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>

class CvGroupRun;
class LenzDrivePanel;
class QButtonGroup;
class QRadioButton;

// The programming window for DCC decoders behind a Lenz command station: the frame of the
// programming windows, the choice of the serial or USB interface and of the programming
// mode, the XpressNet service-mode read and write, the drive desk, and the CV 29 panel, the
// address panel and the CV-group table run, which read and write through the same Lenz
// programmer as the window's buttons, so each CV shows and is logged as theirs are.
//
// Its code is split by concern: frmLenz.cpp (its own controls, fields, load and unload),
// frmLenz_ReadWrite.cpp (the read and write and what runs through them) and
// frmLenz_SpeedCurve.cpp.
class frmLenz : public ProgrammingWindow {
    Q_OBJECT
public:
    // `dialog` is the main window's file dialog, used by the table and protocol files.
    frmLenz(AppContext& ctx, StationLink& link, Dialog& dialog, QWidget* parent = nullptr);
    ~frmLenz() override;

    // Public methods of the window.
    void ClearColor();
    std::optional<XpressNet::LocoAddress> ermittleLokadresse() const;
    void writeProtokoll_Lenz(const QString& mode, const QString& cv, const QString& value);
    void grdGrUpdate();

    // The programming mode chosen with `optProgmode` (the speed-curve editor asks for it
    // before each CV).
    XpressNet::ProgrammingMode programmingMode() const;
    // Whether frames carry the LI-USB header (`LenzInterfaceType` 1).
    bool usbInterface() const;

    // SpeedCurveHost: the editor's transfer goes over XpressNet in this window's mode.
    bool offersSpeedTable() const override { return true; }
    std::unique_ptr<SpeedTableProgrammer> speedTableProgrammer(ZentraleHost& view, qint64 delayMs,
                                                               bool writeRun) override;

    // The interface choice as the user makes it (a button or its label).
    void pressInterface(int index);

    // The read and the write of `btnLesen` and `btnSchreiben`, each in an exchange of its own.
    void btnLesen_Clicked();
    void btnSchreiben_Clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void runCurrentRow(int row) override;
    void runTable() override;
    void powerClicked(int index) override;

private:
    static Frame frame();
    void buildOwnControls();
    void formLoad();

    void interfaceChanged(int index);
    void progmodeClicked(int index);
    void registerListClicked();
    void btnText_Clicked();

    // The status line, the protocol and the messages of this window for the Lenz
    // programmer; `fields`: a read shows in txtCV and txtWert.
    LenzCvProgrammer::WindowView windowView(bool fields);
    // The programmer of one operation, in the programming mode chosen now.
    std::unique_ptr<LenzCvProgrammer> programmer(LenzCvProgrammer::WindowView view);
    CvProgrammerSource panelProgrammers();
    // The read in an exchange of its own; `then` runs after it while the window is there.
    void readInExchange(const std::function<void()>& then);

    // Controls of this window.
    QLineEdit* txtCV = nullptr;
    RisingScrollBar* scrCV = nullptr;
    std::array<QToolButton*, 2> btnIF{};
    std::array<QLabel*, 2> lblIF{};
    QButtonGroup* interfaceGroup = nullptr;
    std::array<QRadioButton*, 3> optProgmode{};
    QPushButton* btnText = nullptr;
    LenzDrivePanel* m_desk = nullptr;
    CvGroupRun* m_groupRun = nullptr;
};
