#pragma once

#include "app/ui/StationFrame.h"
#include "selectrix/core/SelectrixHost.h"

#include <QCoreApplication>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QListWidget;
class QRadioButton;
class QSlider;
class QStatusBar;
class QTableView;
class QToolButton;
class RisingScrollBar;
class SelectrixChannelAccess;
class SxProtokoll;

// The Selectrix window: station choice (the SLX850 central or an Intellibox), mode, the five
// SX1 parameters and the extended settings, reading and writing them through the central,
// track power and the central's state, the DCC and driving panels, and the protocol of the
// programmed parameter sets. It stands on the frame of the station windows (size, position,
// pause, power buttons, status, protocol menu, closing). Opened modal by the main window;
// `arguments` is the command line, of which it reads "/Test" and "/CC2000".
//
// Its code is split by concern: frmSelectrix.cpp (controls, load, field
// couplings, station and mode choice), frmSelectrix_Central.cpp (the programming runs and
// the other station operations), frmSelectrix_Drive.cpp (driving) and
// frmSelectrix_Protocol.cpp (the protocol's file and printout).
class frmSelectrix : public StationFrame, public SelectrixHost {
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

    int SxModus() const { return m_SxModus; }
    int SxErweitert() const { return m_SxErweitert; }
    SxProtokoll& protocol() const { return *m_SxProtokoll; }

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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // frame
    void buildMenus();
    void buildToolbar(QWidget* central);
    void buildSelectrixPanel(QWidget* central);
    void buildDccPanel(QWidget* central);
    void buildDrivePanel(QWidget* central);
    void Form_Load(const QStringList& arguments);

    // choices and fields
    void btnUnit_Click(int index, bool pressed);
    void optModus_Click(int index);
    void chkChange_Click();
    void lstRegister_Click();
    QComboBox* combo(SxField field) const;

    // station operations
    // The station the window works with, as its buttons name it in CuName; none before a
    // choice.
    enum class Station { Central, Intellibox };
    std::optional<Station> station() const;
    // btnPower_Click: track power through the central.
    void powerClicked(int index) override;
    void btnProgrammierbit_Click();
    // Runs `body` over the central's channels as the window's one station exchange: refused
    // with a beep while another one waits. A port failure has been reported by the link; the
    // runs put the pointer back.
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
    void saveProtocol() override;
    void printProtocol() override;
    static QColor colourOf(int rgbLowRed);
    void setLamp(QLabel* lamp, int colour);
    void setCaptionColour(QLabel* caption, const QColor& colour);

    // Lamp and text colours as 24-bit values, red in the low byte.
    static constexpr int red = 0x0000FF;
    static constexpr int green = 0x00FF00;
    static constexpr int grey = 0x808080;
    static constexpr int lightGrey = 0xC0C0C0;

    bool m_cc2000 = false;

    int m_SxModus = 1;
    int m_SxErweitert = 4;
    int m_SxFahrstufe = 0;
    int m_SxRichtung = 0;
    int m_SxLicht = 0;
    int m_SxFunktion = 0;
    SxProtokoll* m_SxProtokoll = nullptr;

    // Controls.
    QFrame* pnlToolbar = nullptr;
    QToolButton* btnSpeichern = nullptr;
    QToolButton* btnDrucken = nullptr;

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
    QLabel* lblSystem = nullptr;
    QLabel* LabelSystem = nullptr;
    QLabel* lblGleisspannung = nullptr;
    QLabel* LabelGleisspannung = nullptr;
    QLabel* Label6 = nullptr;

    QAction* mnuDatei_speichern = nullptr;
    QAction* mnuDatei_drucken = nullptr;
};
