#pragma once

#include "app/ui/InputBox.h"
#include "selectrix/core/SelectrixHost.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

struct AppContext;
class Dialog;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
class QStatusBar;
class QTableView;
class QToolButton;
class RisingScrollBar;
class SelectrixChannelAccess;
class StationLink;
class StationWindowGuard;
class SxProtokoll;

// The Selectrix window: station choice (the SLX850 central or an Intellibox), mode, the five
// SX1 parameters and the extended settings, reading and writing them through the central,
// track power and the central's state, the DCC and driving panels, and the protocol of the
// programmed parameter sets. Opened modal by the main window; `arguments` is the command
// line, of which it reads "/Test" and "/CC2000".
//
// Its code is split by concern: frmSelectrix.cpp (controls, load and unload, field
// couplings, station and mode choice), frmSelectrix_Central.cpp (the programming runs and
// the other station operations), frmSelectrix_Drive.cpp (driving) and
// frmSelectrix_Protocol.cpp (the protocol's file and printout).
class frmSelectrix : public QMainWindow, public SelectrixHost {
    Q_OBJECT
public:
    frmSelectrix(AppContext& ctx, StationLink& link, Dialog& dialog,
                 const QStringList& arguments = QCoreApplication::arguments(), QWidget* parent = nullptr);
    ~frmSelectrix() override;

    // Public methods of the window.
    void writeProtokoll(const QString& act, const QString& adr, const QString& ge, const QString& be,
                        const QString& im, const QString& ha) override;
    void subWriteListen();
    void subSenden_SLX(int value, int channel);
    void subCheckSystem();
    void SLX850(int index);
    void DCC_ModeRead();
    void DCC_ModeWrite();
    void SLXIB(int index);
    void btnSelectrix_Click(int index);

    // Tests answer the printout's heading question in place of the user.
    void setHeadingQuestion(AskText ask) { m_askHeading = std::move(ask); }

    int SxModus() const { return m_SxModus; }
    int SxErweitert() const { return m_SxErweitert; }
    SxProtokoll& protocol() const { return *m_SxProtokoll; }
    QString statusText() const;

    // SelectrixHost
    void setStatus(const QString& text) override;
    void setBusyPointer(bool busy) override;
    void beep() override;
    int message(const QString& text, Notifier::Icon icon, Notifier::Buttons buttons, const QString& title) override;
    void setTrackPowerLamp(bool on) override;
    void setFieldText(SxField field, const QString& text) override;
    void setFieldWhite(SxField field, bool white) override;
    void setExtendedChecks(bool motor, bool licht, bool gleis) override;
    void enableExtendedSettings() override;
    void takeAddressForDriving() override;
    void setNewestProtocolExtended(const std::array<QString, 5>& cells) override;
    void setDccValue(const QString& text) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // frame
    void buildMenus();
    void buildToolbar(QWidget* central);
    void buildSelectrixPanel(QWidget* central);
    void buildDccPanel(QWidget* central);
    void buildDrivePanel(QWidget* central);
    void Form_Load(const QStringList& arguments);
    void Form_Unload();
    void scrSize_Change(int value);

    // choices and fields
    void btnUnit_Click(int index, bool pressed);
    void optModus_Click(int index);
    void chkChange_Click();
    void lstRegister_Click();
    void txtDelay_Change(const QString& text);
    QComboBox* combo(SxField field) const;

    // station operations
    // The station the window works with, as its buttons name it in CuName; none before a
    // choice.
    enum class Station { Central, Intellibox };
    std::optional<Station> station() const;
    void btnPower_Click(int index);
    void btnProgrammierbit_Click();
    // Runs `body` as the one station exchange: refused with a beep while another one waits;
    // a port failure goes to the central error report with the normal pointer back.
    void exchange(const std::function<void()>& body);
    // The same over the central's channels.
    void stationExchange(const std::function<void(SelectrixChannelAccess&)>& body);

    // driving
    void btnAnfahren_Click();
    void btnStop_Click();
    void sldFS_Change(int position);
    void rbnFR_Click(int index);
    void chkLicht_Click();
    void chkFunktion_Click();
    // lblFahrstufe shows the step in the colours of its range.
    void showSpeedStep(int step);
    // Writes the drive byte to the locomotive's channel (only to the central, and only to
    // an address of 0..103).
    void sendDriveByte();

    // protocol
    void protokollSpeichern();
    void protokollDrucken();
    static QColor colourOf(int rgbLowRed);
    void setLamp(QLabel* lamp, int colour);
    void setCaptionColour(QLabel* caption, const QColor& colour);

    // Lamp and text colours as 24-bit values, red in the low byte.
    static constexpr int red = 0x0000FF;
    static constexpr int green = 0x00FF00;
    static constexpr int grey = 0x808080;
    static constexpr int lightGrey = 0xC0C0C0;

    AppContext& m_ctx;
    StationLink& m_link;
    Dialog& m_dialog;
    StationWindowGuard* m_guard;
    bool m_cc2000 = false;
    bool m_unloaded = false;

    int m_SxModus = 1;
    int m_SxErweitert = 4;
    int m_SxFahrstufe = 0;
    int m_SxRichtung = 0;
    int m_SxLicht = 0;
    int m_SxFunktion = 0;
    AskText m_askHeading;
    SxProtokoll* m_SxProtokoll = nullptr;

    // Controls.
    QFrame* pnlToolbar = nullptr;
    QToolButton* btnSpeichern = nullptr;
    QToolButton* btnDrucken = nullptr;
    QScrollBar* scrSize = nullptr;

    QFrame* pnlSelectrix = nullptr;
    QFrame* pnlUnit = nullptr;
    std::array<QToolButton*, 2> btnUnit{};
    std::array<QLabel*, 2> lblUnit{};
    QButtonGroup* unitGroup = nullptr;
    std::array<QRadioButton*, 7> optModus{};  // 1, 2 and 6 used
    QComboBox* cmbADR = nullptr;
    QComboBox* cmbGE = nullptr;
    QComboBox* cmbBE = nullptr;
    QComboBox* cmbIM = nullptr;
    QComboBox* cmbHA = nullptr;
    QLabel* lblADR = nullptr;
    std::array<QCheckBox*, 5> chkChange{};  // 0, 1, 2 and 4 used
    QComboBox* cmbIMerw = nullptr;
    QComboBox* cmbBEerw = nullptr;
    QLabel* lblIMerw = nullptr;
    QLabel* lblBEerw = nullptr;
    std::array<QPushButton*, 2> btnSelectrix{};
    QPushButton* btnProgrammierbit = nullptr;
    QTableView* grdKP = nullptr;
    QStatusBar* stbStatus = nullptr;
    QLabel* stbStatusPanel = nullptr;

    QFrame* pnlDCC = nullptr;
    QListWidget* lstRegister = nullptr;
    QLineEdit* txtRegister = nullptr;
    RisingScrollBar* scrRegister = nullptr;
    QLineEdit* txtWert = nullptr;
    RisingScrollBar* scrWert = nullptr;

    QFrame* pnlFahrpult = nullptr;
    QLineEdit* txtAdresse = nullptr;
    RisingScrollBar* scrAdresse = nullptr;
    QLineEdit* txtFS = nullptr;
    RisingScrollBar* scrFS = nullptr;
    QPushButton* btnAnfahren = nullptr;
    QPushButton* btnStop = nullptr;
    QSlider* sldFS = nullptr;
    QLabel* lblFahrstufe = nullptr;
    std::array<QToolButton*, 2> rbnFR{};
    QButtonGroup* richtungGroup = nullptr;
    QCheckBox* chkLicht = nullptr;
    QCheckBox* chkFunktion = nullptr;
    std::array<QPushButton*, 2> btnPower{};
    QLabel* lblSystem = nullptr;
    QLabel* LabelSystem = nullptr;
    QLabel* lblGleisspannung = nullptr;
    QLabel* LabelGleisspannung = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtDelay = nullptr;
    QLabel* creditLabel = nullptr;
    QLabel* creditPicture = nullptr;

    QAction* mnuDatei_speichern = nullptr;
    QAction* mnuDatei_drucken = nullptr;
    QMenu* mnuPopUp = nullptr;
};
