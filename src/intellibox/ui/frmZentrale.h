#pragma once

#include "app/core/CvRow.h"
#include "app/ui/ProgrammierhilfeTarget.h"
#include "programming/core/CvProgrammer.h"
#include "programming/core/P50xProgrammer.h"
#include "programming/core/ZentraleHost.h"
#include "programming/ui/PanelHost.h"
#include "speedcurve/core/SpeedCurveHost.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

class AddressPanel;
class AddressSearchPanel;
class Cv29Panel;
class CvGroupGrid;
class CvGroupRun;
class CvGroupTable;
class Dialog;
class DrivePanel;
class Failure;
class ProtocolGrid;
class ProtocolTable;
class QAction;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class RisingScrollBar;
class QToolButton;
class StationLink;
class StationWindowGuard;
struct StationRules;

// The programming window for decoders behind a Märklin 6021, a Tams MasterControl or an
// Uhlenbrock Intellibox: station and decoder-type choice, single CV read and write, the
// protocol table, and its parts: the CV29 and long-address views, the CV-group table, the
// drive desk and the address search.
//
// Its code is split by concern: frmZentrale.cpp (frame, layout, views, load and unload),
// frmZentrale_Station.cpp, frmZentrale_ReadWrite.cpp, frmZentrale_Protocol.cpp and
// frmZentrale_SpeedCurve.cpp.
class frmZentrale : public QMainWindow, public ZentraleHost, public ProgrammierhilfeTarget, public SpeedCurveHost {
    Q_OBJECT
public:
    // `dialog` is the main window's file dialog, used by the table and protocol files.
    frmZentrale(AppContext& ctx, StationLink& link, Dialog& dialog, QWidget* parent = nullptr);
    ~frmZentrale() override;

    // ZentraleHost
    void setStatus(const QString& text) override;
    QString status() const override;
    void setBusyPointer(bool busy) override;
    void writeProtokoll(const QString& mode, const QString& cv, const QString& value) override;

    // SpeedCurveHost: the speed-curve editor's transfer goes through this window's station,
    // guard and protocol (writeProtokoll above).
    Station speedTableStation() const override;
    StationLink& stationLink() const override { return m_link; }
    StationLink::Exchange beginExchange() override;

    // ProgrammierhilfeTarget: the programming aid writes its value into txtWert.
    QWidget* targetWindow() override { return this; }
    void setWert(const QString& value) override;

    // Public methods of the window.
    void subHelpFile();
    void subDCC_Prog();
    ProtocolTable& protocol() const { return *m_protocol; }
    // MasterControl programming variant: index of the rbnMC button last pressed.
    int mcVariant() const { return m_mcVariant; }

    // Opens the programming aid (modeless; the aid writes into txtWert). Until installed,
    // the "+" button stays disabled.
    void setProgrammingAidOpener(std::function<void()> open);
    // Opens the speed-curve editor (modeless, one instance, this window its host). Until
    // installed, btnKennlinie and its menu entry stay disabled; a 6021 disables them too.
    void setSpeedCurveOpener(std::function<void()> open);
    // Runs when the window closes, after the positions are stored: closes the speed-curve
    // editor and the programming aid where they are open.
    void setCloseCompanions(std::function<void()> close) { m_closeCompanions = std::move(close); }
    // The station and decoder-type choice as the user makes it.
    void pressStation(int index);
    void selectDecoderType(int index);

    // Reads and writes as the buttons do (also used by the protocol's re-run).
    void readCv();
    void writeDispatch();
    void readVersion();

    // The three views.
    void showCv29View(bool shown);
    void showLaView(bool shown);
    void showCvGroupView(bool shown);

    // The window's parts.
    CvGroupGrid& groupGrid() const { return *grdGR; }
    CvGroupTable& groupTable() const { return *m_groupTable; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:

    // frame
    void buildMenus();
    void buildToolbar(QWidget* central);
    void buildDecoderPanel(QWidget* central);
    void buildSidePanels(QWidget* central);
    void buildViews(QWidget* central);
    void formLoad();
    void formUnload();
    void scrSizeChanged(int value);
    void delayChanged(const QString& text);
    void updateDecoderPanelEnabled();
    void showHelp();

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
    void registerTextChanged(const QString& text);
    void wertTextChanged(const QString& text);
    bool refuseBadCv(const QString& text);
    qint16 fieldNumber(const QString& text) const;
    // The rules of the station the operations work with (CuName); nullptr before a choice.
    const StationRules* station() const;
    // The read/write-CV interface in `form` for the panels: P50X where the station speaks
    // it, none for the 6021.
    CvProgrammerSource p50xProgrammers(P50xProgrammer::Form form);
    PanelHost panelHost();
    void runTable();
    void writeMotorola();
    // Fills the CV and value fields and repeats a logged or listed operation ("S", "L").
    void runRow(const QString& action, const QString& cv, const QString& value);

    // speed-curve editor
    void updateSpeedCurveEntry();

    // protocol
    void protocolRowActivated(int row);
    void protocolMenuRequested(const QPoint& globalPos);
    void protocolEditMode();
    void protocolFileAction(const std::function<void(const QList<CvRow>&)>& action);

    AppContext& m_ctx;
    StationLink& m_link;
    Dialog& m_dialog;
    StationWindowGuard* m_guard = nullptr;
    ProtocolTable* m_protocol = nullptr;
    int m_mcVariant = 0;
    bool m_unloaded = false;
    bool m_readWertOverride = false;
    bool m_largeLayout = true;
    std::function<void()> m_openProgrammingAid;
    std::function<void()> m_openSpeedCurve;
    std::function<void()> m_closeCompanions;

    // Controls.
    QFrame* pnlToolbar = nullptr;
    QToolButton* btnKennlinie = nullptr;
    QFrame* SSPanel1 = nullptr;
    QScrollBar* scrSize = nullptr;
    QFrame* pnlDatei = nullptr;
    QLabel* lblDatei = nullptr;
    QToolButton* rbnCVGruppen = nullptr;
    QToolButton* rbnLA = nullptr;
    QToolButton* rbnCV29 = nullptr;

    QFrame* pnlDecoder = nullptr;
    QFrame* pnlUnit = nullptr;
    std::array<QToolButton*, 3> btnUnit{};
    std::array<QLabel*, 3> lblUnit{};
    QButtonGroup* unitGroup = nullptr;
    AddressSearchPanel* pnlAdresse = nullptr;
    QFrame* pnlMC = nullptr;
    std::array<QToolButton*, 3> rbnMC{};
    std::array<QRadioButton*, 3> optTyp{};
    QCheckBox* chkHGPR = nullptr;
    QLabel* lblRegister = nullptr;
    QListWidget* lstRegister = nullptr;
    QLineEdit* txtRegister = nullptr;
    RisingScrollBar* scrRegister = nullptr;
    QLineEdit* txtWert = nullptr;
    RisingScrollBar* scrWert = nullptr;
    QPushButton* btnLesen = nullptr;
    QPushButton* btnSchreiben = nullptr;
    QPushButton* btnProgrammierhilfe = nullptr;
    ProtocolGrid* grdKP = nullptr;
    QLabel* stbGleis = nullptr;
    QLabel* stbStatus = nullptr;

    DrivePanel* pnlFahrpult = nullptr;
    QFrame* pnlParameter = nullptr;
    QLineEdit* txtDelay = nullptr;
    std::array<QPushButton*, 2> btnPower{};
    AddressPanel* pnlLA = nullptr;
    Cv29Panel* pnlCV29 = nullptr;
    CvGroupTable* m_groupTable = nullptr;
    CvGroupGrid* grdGR = nullptr;
    CvGroupRun* m_groupRun = nullptr;
    QLabel* creditLabel = nullptr;
    QLabel* creditPicture = nullptr;

    QAction* mnuDatei_Kennlinie = nullptr;
    QAction* mnuDatei_CVGruppen = nullptr;
    QAction* mnuDatei_Softwarestand = nullptr;
    QAction* mnuDatei_LA = nullptr;
    QAction* mnuDatei_CV29 = nullptr;
    QMenu* mnuPopUp = nullptr;
};
