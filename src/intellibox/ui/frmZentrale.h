#pragma once

#include "StationLink.h"
#include "ZentraleHost.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

class ProtocolTable;
class ProtocolGrid;
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
class QSpinBox;
class QToolButton;

// The programming window for decoders behind a Märklin 6021, a Tams MasterControl or an
// Uhlenbrock Intellibox: station and decoder-type choice, single CV read and write, the
// protocol table, and the frame into which the CV29, long-address, CV-group, driving and
// address-search panels are placed.
//
// Its code is split by concern: frmZentrale.cpp (frame, layout, views, load and unload),
// frmZentrale_Station.cpp, frmZentrale_ReadWrite.cpp and frmZentrale_Protocol.cpp.
class frmZentrale : public QMainWindow, public ZentraleHost, private P50xStatusView {
    Q_OBJECT
public:
    frmZentrale(AppContext& ctx, StationLink& link, QWidget* parent = nullptr);
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

    // Public methods of the window.
    void subHelpFile();
    void subDCC_Prog();
    ProtocolTable& protocol() const { return *m_protocol; }
    // MasterControl programming variant: index of the rbnMC button last pressed.
    int mcVariant() const { return m_mcVariant; }
    bool mainTrackProgramming() const;

    // Containers that the other panels of the window are placed in, by their documented
    // names: "pnlCV29", "pnlLA", "grdGR", "pnlFahrpult", "pnlAdresse". `installPanel` puts
    // `panel` into the container (filling it) and applies the station and decoder-type rules
    // again, so that controls found there by name (txtAdresse, chkFunctions_5..8,
    // btnFahrtrichtungswechsel_0/1, btnSearchAdress) follow the current choice.
    QWidget* panelSlot(const QString& name) const;
    void installPanel(const QString& slotName, QWidget* panel);

    // The Motorola register-programming routines, run by "&schreiben" for fx and mfx
    // decoders and for the 6021. Until installed, those writes do nothing.
    struct MotorolaRoutines {
        std::function<void()> subZelvo_6021;
        std::function<void()> subZelvo_MC;
        std::function<void()> subZelvo_IB;
    };
    void setMotorolaRoutines(MotorolaRoutines routines) { m_motorola = std::move(routines); }

    // Opens the programming aid (modeless; the aid writes into txtWert). Until installed,
    // the "+" button stays disabled.
    void setProgrammingAidOpener(std::function<void()> open);
    // Runs when the window closes, after the positions are stored: closes the speed-curve
    // editor and the programming aid where they are open.
    void setCloseCompanions(std::function<void()> close) { m_closeCompanions = std::move(close); }
    // Resets the colours of the address fields after "Felder löschen".
    void setClearColor(std::function<void()> clearColor) { m_clearColor = std::move(clearColor); }

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

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // P50xStatusView
    void showStatus(const QString& text) override { setStatus(text); }

    // frame
    void buildMenus();
    void buildToolbar(QWidget* central);
    void buildDecoderPanel(QWidget* central);
    void buildSidePanels(QWidget* central);
    void formLoad();
    void formUnload();
    void scrSizeChanged(int value);
    void felderLoeschen();
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
    void applyToDrivePanel();

    // single read and write
    void registerListClicked();
    void registerTextChanged(const QString& text);
    void wertTextChanged(const QString& text);
    bool refuseBadCv(const QString& text);
    qint16 fieldNumber(const QString& text) const;
    void reportPortFailure(const class Failure& failure);

    // protocol
    void protocolRowActivated(int row);
    void protocolMenuRequested(const QPoint& globalPos);
    void protocolEditMode();

    template <class T> T* named(const QString& name) const { return findChild<T*>(name); }

    AppContext& m_ctx;
    StationLink& m_link;
    QString m_cuAnswer;
    ProtocolTable* m_protocol = nullptr;
    int m_mcVariant = 0;
    bool m_closing = false;
    bool m_readWertOverride = false;
    bool m_largeLayout = true;
    MotorolaRoutines m_motorola;
    std::function<void()> m_openProgrammingAid;
    std::function<void()> m_closeCompanions;
    std::function<void()> m_clearColor;

    // Controls.
    QFrame* pnlToolbar = nullptr;
    QToolButton* btnKennlinie = nullptr;
    QFrame* SSPanel1 = nullptr;
    QScrollBar* scrSize = nullptr;
    QFrame* pnlDatei = nullptr;
    QToolButton* rbnCVGruppen = nullptr;
    QToolButton* rbnLA = nullptr;
    QToolButton* rbnCV29 = nullptr;

    QFrame* pnlDecoder = nullptr;
    QFrame* pnlUnit = nullptr;
    std::array<QToolButton*, 3> btnUnit{};
    std::array<QLabel*, 3> lblUnit{};
    QButtonGroup* unitGroup = nullptr;
    QFrame* pnlAdresse = nullptr;
    QFrame* pnlMC = nullptr;
    std::array<QToolButton*, 3> rbnMC{};
    std::array<QRadioButton*, 3> optTyp{};
    QCheckBox* chkHGPR = nullptr;
    QLabel* lblRegister = nullptr;
    QListWidget* lstRegister = nullptr;
    QLineEdit* txtRegister = nullptr;
    QScrollBar* scrRegister = nullptr;
    QLineEdit* txtWert = nullptr;
    QScrollBar* scrWert = nullptr;
    QPushButton* btnLesen = nullptr;
    QPushButton* btnSchreiben = nullptr;
    QPushButton* btnProgrammierhilfe = nullptr;
    ProtocolGrid* grdKP = nullptr;
    QLabel* stbGleis = nullptr;
    QLabel* stbStatus = nullptr;

    QFrame* pnlFahrpult = nullptr;
    QFrame* pnlParameter = nullptr;
    QLineEdit* txtDelay = nullptr;
    std::array<QPushButton*, 2> btnPower{};
    QFrame* pnlLA = nullptr;
    QPushButton* btnFelderLoeschen = nullptr;
    QFrame* pnlCV29 = nullptr;
    QFrame* grdGR = nullptr;
    QLabel* creditLabel = nullptr;
    QLabel* creditPicture = nullptr;

    QAction* mnuDatei_Kennlinie = nullptr;
    QAction* mnuDatei_CVGruppen = nullptr;
    QAction* mnuDatei_Softwarestand = nullptr;
    QAction* mnuDatei_LA = nullptr;
    QAction* mnuDatei_CV29 = nullptr;
    QMenu* mnuPopUp = nullptr;
    QMenu* mnuPopUp_GR = nullptr;
};
