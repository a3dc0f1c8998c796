#pragma once

#include "link/core/XpressNet.h"
#include "programming/ui/DriveDesk.h"
#include "programming/ui/PanelHost.h"

#include <QGroupBox>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QToolButton;

// The drive desk `pnlFahrpult` of the Lenz window: track power, speed by slider or start
// step, stop, direction and F0..F12, each action one XpressNet message on the line, nothing
// read back. The messages go through the window's exchange guard, but for track power, which
// goes out at once.
class LenzDrivePanel : public QGroupBox {
    Q_OBJECT
public:
    // `usbHeader` tells, at each message, whether the LI-USB header FF FE goes in front.
    LenzDrivePanel(const PanelHost& host, std::function<bool()> usbHeader, QWidget* parent = nullptr);

    // The locomotive's two address bytes from `txtAdresse`; nothing unless it holds an
    // address of 1..9999.
    std::optional<XpressNet::LocoAddress> ermittleLokadresse() const;
    // 14, 27, 28 or 127 (for 128 steps).
    qint16 stepCount() const { return m_stepCount; }
    // The speed value last sent from the slider.
    qint16 currentSpeed() const { return m_currentSpeed; }

public slots:
    // The track-power buttons of the window's parameter panel: 0 off (21 80), else on
    // (21 81), sent at once whatever else waits.
    void btnPower_Clicked(int index);

private:
    void scrFahrstufen_Change(int position);
    void scrFahrstufe_Change(int value);
    void sldFahrstufen_ValueChanged(int position);
    void btnAnfahren_Clicked();
    void btnStop_Clicked();
    void chkFunctions_Click(int index);

    // Label, limits and step count of a selector position; false outside 1..4.
    bool applyStepMode(int position);
    bool forward() const;
    // The address a message may carry; otherwise the user is told and nothing is sent.
    std::optional<int> addressOrRefuse();
    // One message through the exchange guard (a beep while another exchange runs); `sent`
    // runs once it is on the line.
    void send(const std::optional<QByteArray>& message, const std::function<void()>& sent = {});

    PanelHost m_host;
    std::function<bool()> m_usbHeader;
    DriveDesk::Controls m_desk;
    std::array<QToolButton*, 2> m_rbnFR{};
    std::array<QCheckBox*, 13> m_chkFunctions{};

    qint16 m_stepCount = 14;
    XpressNet::SpeedSteps m_speedSteps = XpressNet::SpeedSteps::Steps14;
    qint16 m_currentSpeed = 0;
};
