#pragma once

#include "app/core/CvRow.h"
#include "app/ui/ProgrammierhilfeTarget.h"
#include "link/core/StationLink.h"
#include "programming/core/ZentraleHost.h"

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

// The programming window for decoders behind a Märklin 6021, a Tams MasterControl or an
// Uhlenbrock Intellibox: station and decoder-type choice, single CV read and write, the
// protocol table, and its parts: the CV29 and long-address views, the CV-group table, the
// drive desk and the address search.
//
// Its code is split by concern: frmZentrale.cpp (frame, layout, views, load and unload),
// frmZentrale_Station.cpp, frmZentrale_ReadWrite.cpp and frmZentrale_Protocol.cpp.
class frmZentrale : public QMainWindow,
                    public ZentraleHost,
                    public ProgrammierhilfeTarget,
                    private P50xStatusView {
    Q_OBJECT
public:
    // `dialog` is the main window's file dialog, used by the table and protocol files.
    frmZentrale(AppContext& ctx, StationLink& link, Dialog& dialog, QWidget* parent = nullptr);
    ~frmZentrale() override;

    // ZentraleHost
    AppContext& context() override { return m_ctx; }
    StationLink& link() override { return m_link; }
    void setStatus(const QString& text) override;
    QString status() const override;
    void setBusyPointer(bool busy) override;
    bool CU_Ready() override;
    QString CuAnswer() const override { return m_cuAnswer; }
    void writeProtokoll(const QString& mode, const QString& cv, const QString& value) override;

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
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // P50xStatusView
    void showStatus(const QString& text) override { setStatus(text); }

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
    void markStationLabels(int index, bool pressed);
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
    // Runs a station operation; a port failure goes to the central error report.
    void guarded(const std::function<void()>& operation);
    enum class Waited { Answer, TimedOut, Ended };
    // Sends `command` and waits for its answer. TimedOut: status and message shown. Ended:
    // the wait was aborted or the window destroyed; the caller touches nothing more.
    Waited sendAndWait(const QString& command, qint64 deadlineMs, const QString& title, QString& answer);
    void reportTimeout(const QString& title);
    void writeMotorola();
    // Fills the CV and value fields and repeats a logged or listed operation ("S", "L").
    void runRow(const QString& action, const QString& cv, const QString& value);

    // protocol
    void protocolRowActivated(int row);
    void protocolMenuRequested(const QPoint& globalPos);
    void protocolEditMode();
    void protocolFileAction(const std::function<void(const QList<CvRow>&)>& action);

    AppContext& m_ctx;
    StationLink& m_link;
    Dialog& m_dialog;
    QString m_cuAnswer;
    ProtocolTable* m_protocol = nullptr;
    int m_mcVariant = 0;
    bool m_closing = false;
    bool m_readWertOverride = false;
    bool m_largeLayout = true;
    std::function<void()> m_openProgrammingAid;
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
