// Station operations of the Selectrix window: the programming buttons (SX1 and DCC through
// the central, SX1 through an Intellibox), track power, the programming switch and the
// central's state.
#include "selectrix/ui/frmSelectrix.h"

#include "app/core/AppContext.h"
#include "app/ui/StationWindow.h"
#include "link/core/SelectrixChannelAccess.h"
#include "link/core/StationLink.h"
#include "selectrix/core/Slx850Run.h"
#include "selectrix/core/SlxCentral.h"
#include "selectrix/core/SlxDccRun.h"
#include "selectrix/core/SlxIbRun.h"
#include "selectrix/ui/SelectrixTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void frmSelectrix::stationExchange(const std::function<void(SelectrixChannelAccess&)>& body) {
    m_guard->run([&] {
        SelectrixChannelAccess access(m_link);
        body(access);
    });
}

std::optional<frmSelectrix::Station> frmSelectrix::station() const {
    for (size_t i = 0; i < SelectrixTexts::cuName.size(); ++i) {
        if (m_ctx.CuName == SelectrixTexts::cuName[i])
            return Station(i);
    }
    return std::nullopt;
}

void frmSelectrix::btnSelectrix_Click(int index) {
    if (m_ctx.CuName.isEmpty()) {
        m_ctx.ui().message(SelectrixTexts::noStation, Notifier::Icon::Critical, Notifier::OkOnly,
                           SelectrixTexts::noStationTitle);
        return;
    }
    if (station() == Station::Central) {
        // SX2 has nothing to do.
        if (m_SxModus == 1)
            SLX850(index);
        else if (m_SxModus == 6 && index == 0)
            DCC_ModeRead();
        else if (m_SxModus == 6)
            DCC_ModeWrite();
    } else if (station() == Station::Intellibox) {
        SLXIB(index);
    }
}

void frmSelectrix::SLX850(int index) {
    Slx850Input input;
    input.adr = cmbADR->currentText();
    input.ge = cmbGE->currentText();
    input.be = cmbBE->currentText();
    input.im = cmbIM->currentText();
    input.ha = cmbHA->currentText();
    input.extended = chkChange[0]->isChecked();
    input.motor = chkChange[1]->isChecked();
    input.licht = chkChange[2]->isChecked();
    input.gleis = chkChange[4]->isChecked();
    input.imErw = cmbIMerw->currentText();
    input.beErw = cmbBEerw->currentText();
    input.sxModus = m_SxModus;
    input.delayMs = m_ctx.Delay;
    input.cc2000 = m_cc2000;
    stationExchange([&](SelectrixChannelAccess& access) {
        Slx850Run run(access, *this, input);
        run.SLX850(index);
    });
}

void frmSelectrix::DCC_ModeRead() {
    const SlxDccInput input{txtRegister->text(), txtWert->text(), m_ctx.Delay};
    stationExchange([&](SelectrixChannelAccess& access) { SlxDccRun(access, *this, input).DCC_ModeRead(); });
}

void frmSelectrix::DCC_ModeWrite() {
    const SlxDccInput input{txtRegister->text(), txtWert->text(), m_ctx.Delay};
    stationExchange([&](SelectrixChannelAccess& access) { SlxDccRun(access, *this, input).DCC_ModeWrite(); });
}

void frmSelectrix::SLXIB(int index) {
    const SlxIbInput input{cmbADR->currentText(), cmbGE->currentText(), cmbBE->currentText(), cmbIM->currentText(),
                           cmbHA->currentText(), m_ctx.CuName,          m_ctx.DecoderType};
    m_guard->run([&] { SlxIbRun(m_link, *this, input).SLXIB(index); });
}

void frmSelectrix::subSenden_SLX(int value, int channel) {
    stationExchange([&](SelectrixChannelAccess& access) { access.write(channel, value); });
}

void frmSelectrix::powerClicked(int index) {
    if (station() != Station::Central)
        return;
    stationExchange([&](SelectrixChannelAccess& access) {
        const std::optional<quint8> power = SlxCentral::switchTrackPower(access, index == 1);
        setLamp(lblGleisspannung, power.value_or(0) != 0 ? green : grey);
    });
}

void frmSelectrix::btnProgrammierbit_Click() {
    stationExchange([](SelectrixChannelAccess& access) { SlxCentral::switchProgrammingOff(access); });
}

void frmSelectrix::subCheckSystem() {
    if (station() == Station::Central) {
        stationExchange([&](SelectrixChannelAccess& access) {
            const std::optional<quint8> power = SlxCentral::readTrackPower(access);
            if (!power) {
                setLamp(lblSystem, grey);
                setLamp(lblGleisspannung, grey);
                return;
            }
            setLamp(lblSystem, red);
            setLamp(lblGleisspannung, *power != 0 ? green : grey);
            const QColor text = Label6->palette().color(QPalette::WindowText);
            setCaptionColour(LabelSystem, text);
            setCaptionColour(LabelGleisspannung, text);
        });
    } else if (station() == Station::Intellibox) {
        setLamp(lblSystem, lightGrey);
        setLamp(lblGleisspannung, lightGrey);
        setCaptionColour(LabelSystem, colourOf(grey));
        setCaptionColour(LabelGleisspannung, colourOf(grey));
    }
}
