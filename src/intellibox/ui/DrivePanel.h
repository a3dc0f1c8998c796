#pragma once

#include "programming/ui/DriveDesk.h"
#include "programming/ui/PanelHost.h"

#include <QGroupBox>
#include <array>

class QAbstractButton;
class QCheckBox;

// The drive desk `pnlFahrpult` of the programming window: address, speed-step mode, slider,
// start/stop/reverse, light and F1..F8. A 6021 gets P50 pairs, the MasterControl and the
// Intellibox the P50X "XL"/"XF" texts. Each action writes at most one command and reads
// nothing; a program-set slider sends nothing by itself.
class DrivePanel : public QGroupBox {
    Q_OBJECT
public:
    explicit DrivePanel(const PanelHost& host, QWidget* parent = nullptr);

    // The station choice: the 6021 gets a 3-digit address held to 1..255 and only the
    // reversing button; the others a 4-digit address and all three direction buttons.
    void applyStation();
    // The decoder-type choice: F5..F8 only for DCC decoders.
    void applyDecoderType();
    // The station choice empties the address field.
    void clearAddress();
    // Loading: the mode selector from `Fahrstufen`, the slider at its bottom.
    void loadFahrstufen();
    // Puts an address into `txtAdresse` (the address search's result).
    void setAddress(int address);

    QString addressText() const;
    qint16 maxStep() const { return m_maxStep; }
    qint16 direction() const { return m_direction; }

public slots:
    // The track-power buttons of the window's parameter panel: 0 off (97), else on (96),
    // sent at once whatever else waits.
    void btnPower_Clicked(int index);

private:
    void scrFahrstufen_Change(int value);
    // The mode's step count, slider range and labels; false for a value outside 1..4.
    bool applyMode(int value);
    void sldFahrstufen_ValueChanged(int value);
    void btnAnfahren_Clicked();
    void btnStop_Clicked();
    void btnFahrtrichtungswechsel_Clicked(int index);
    void chkFunktion_Click();
    void chkFunctions_Click();
    void txtAdresse_Change();
    void updateStepLabel();

    void moveSliderTo(qint16 step);
    void sendDriveState();
    void SendenP50X();
    // Writes one command when no other exchange runs (else a beep); port failures go to the
    // error report.
    void writeP50X(const QString& command);
    void writeP50(int code);
    // Whether the address field holds an address the command may carry; ensureAddress also
    // tells the user when it does not.
    bool addressUsable(bool p50Pair) const;
    bool ensureAddress(bool p50Pair);
    int mode() const;
    std::array<bool, 4> functions1to4() const;

    PanelHost m_host;

    DriveDesk::Controls m_desk;
    std::array<QAbstractButton*, 3> m_btnRichtung{};
    QCheckBox* m_chkFunktion;
    std::array<QCheckBox*, 9> m_chkFunctions{};  // 1..8 used

    qint16 m_maxStep = 0;
    qint16 m_step = 0;
    qint16 m_direction = 0;
    bool m_suppressFunctions = false;
    bool m_addressChanging = false;
};
