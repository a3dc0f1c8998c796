#pragma once

#include "programming/core/P50xProgrammer.h"
#include "programming/ui/ProgrammingWindow.h"

#include <array>

class AddressSearchPanel;
class CvGroupRun;
class DrivePanel;
class QButtonGroup;
class QCheckBox;
class QRadioButton;
struct StationRules;

// The programming window for decoders behind a Märklin 6021, a Tams MasterControl or an
// Uhlenbrock Intellibox: station and decoder-type choice, single CV read and write, the
// protocol table, and its parts: the CV29 and long-address views, the CV-group table, the
// drive desk and the address search. The frame it shares with the Lenz window is
// ProgrammingWindow's.
//
// Its code is split by concern: frmZentrale.cpp (its own controls, load and unload),
// frmZentrale_Station.cpp, frmZentrale_ReadWrite.cpp, frmZentrale_Protocol.cpp and
// frmZentrale_SpeedCurve.cpp.
class frmZentrale : public ProgrammingWindow {
    Q_OBJECT
public:
    // `dialog` is the main window's file dialog, used by the table and protocol files.
    frmZentrale(AppContext& ctx, StationLink& link, Dialog& dialog, QWidget* parent = nullptr);
    ~frmZentrale() override;

    // Public methods of the window.
    void subHelpFile();
    void subDCC_Prog();
    // MasterControl programming variant: index of the rbnMC button last pressed.
    int mcVariant() const { return m_mcVariant; }

    // The station and decoder-type choice as the user makes it.
    void pressStation(int index);
    void selectDecoderType(int index);

    // Reads and writes as the buttons do (also used by the protocol's re-run).
    void readCv();
    void writeDispatch();
    void readVersion();

    // SpeedCurveHost: the editor's transfer goes through this window's P50X station.
    bool offersSpeedTable() const override;
    std::unique_ptr<SpeedTableProgrammer> speedTableProgrammer(ZentraleHost& view, qint64 delayMs,
                                                               bool writeRun) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void runCurrentRow(int r) override;
    void runTable() override;
    void powerClicked(int index) override;

private:
    static Frame frame();
    void buildStationControls();
    void formLoad();
    // The window's own closing steps: a running transfer and a running address search learn
    // of the closing; the decoder type is kept.
    void closingSteps() override;

    // station choice
    void stationButtonChanged(int index, bool pressed);
    void decoderTypeClicked(int index);
    void hgprClicked();
    void applyStationRules(int index);
    void setTrackText(const QString& text);
    void gleisClicked();
    void selectFirstRegister();
    void updateSearchPanel();

    // single read and write
    void registerListClicked();
    void registerTextChanged();
    bool refuseBadCv(const QString& text);
    // The rules of the station the operations work with (CuName); nullptr before a choice.
    const StationRules* station() const;
    // The read/write-CV interface in `form` for the panels: P50X where the station speaks
    // it, none for the 6021.
    CvProgrammerSource p50xProgrammers(P50xProgrammer::Form form);
    void writeMotorola();

    // protocol
    void protocolRowActivated(int row);
    // Fills the CV and value fields, then repeats a logged or listed operation ("S", "L").
    void runRow(const QString& action, const QString& cv, const QString& value);

    int m_mcVariant = 0;

    // Controls of this window.
    QLineEdit* txtRegister = nullptr;
    RisingScrollBar* scrRegister = nullptr;
    QFrame* pnlUnit = nullptr;
    std::array<QToolButton*, 3> btnUnit{};
    std::array<QLabel*, 3> lblUnit{};
    QButtonGroup* unitGroup = nullptr;
    AddressSearchPanel* pnlAdresse = nullptr;
    QFrame* pnlMC = nullptr;
    std::array<QToolButton*, 3> rbnMC{};
    std::array<QRadioButton*, 3> optTyp{};
    QCheckBox* chkHGPR = nullptr;
    QLabel* stbGleis = nullptr;
    DrivePanel* m_desk = nullptr;
    CvGroupRun* m_groupRun = nullptr;
};
