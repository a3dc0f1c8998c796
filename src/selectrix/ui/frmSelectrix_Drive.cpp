// Driving a locomotive through the Selectrix central: every control writes the drive byte
// to the channel that is the locomotive's address.
#include "selectrix/ui/frmSelectrix.h"

#include "app/core/AppContext.h"
#include "base/core/TextNumbers.h"
#include "selectrix/core/SlxRunTexts.h"
#include "selectrix/core/SxDrive.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

namespace {
const QString drivingTitle = QStringLiteral(" Lokomotive fahren...");
const QString addressName = QStringLiteral("die Adresse");
const QString stepName = QStringLiteral("die Fahrstufe");
}  // namespace

void frmSelectrix::btnAnfahren_Click() {
    const std::optional<qint64> step = toWholeNumber(txtFS->text(), 0, SxDrive::stepMax);
    if (!step) {
        message(SlxRunText::badValue(stepName, 0, SxDrive::stepMax), Notifier::Icon::Critical, Notifier::OkOnly,
                drivingTitle);
        return;
    }
    m_SxFahrstufe = int(*step);
    sendDriveByte();
}

void frmSelectrix::btnStop_Click() {
    m_SxFahrstufe = 0;
    // The bottom end is speed 0; the slider's own change sends the stop byte as well.
    sldFS->setValue(sldFS->maximum());
    showSpeedStep(0);
    sendDriveByte();
}

void frmSelectrix::sldFS_Change(int position) {
    // Position 0 is the top end, the fastest step.
    m_SxFahrstufe = SxDrive::stepMax - position;
    showSpeedStep(m_SxFahrstufe);
    sendDriveByte();
}

void frmSelectrix::rbnFR_Click(int index) {
    m_SxRichtung = index == 1 ? SxDrive::backward : 0;
    sendDriveByte();
}

void frmSelectrix::chkLicht_Click() {
    m_SxLicht = chkLicht->isChecked() ? SxDrive::light : 0;
    sendDriveByte();
}

void frmSelectrix::chkFunktion_Click() {
    m_SxFunktion = chkFunktion->isChecked() ? SxDrive::function : 0;
    sendDriveByte();
}

void frmSelectrix::showSpeedStep(int step) {
    lblFahrstufe->setText(QString::number(step));
    const SxDrive::Colours colours = SxDrive::speedColours(step);
    QPalette p = lblFahrstufe->palette();
    p.setColor(QPalette::Window, colourOf(colours.background));
    p.setColor(QPalette::WindowText, colourOf(colours.text));
    lblFahrstufe->setPalette(p);
}

void frmSelectrix::sendDriveByte() {
    // Only the central drives; the panel is not shown for another station.
    if (station() != Station::Central)
        return;
    // A channel above 103 is one of the central's own, and a larger number no channel at all.
    const std::optional<qint64> address = toWholeNumber(txtAdresse->text(), SxDrive::addressMin, SxDrive::addressMax);
    if (!address) {
        message(SlxRunText::badValue(addressName, SxDrive::addressMin, SxDrive::addressMax), Notifier::Icon::Critical,
                Notifier::OkOnly, drivingTitle);
        return;
    }
    subSenden_SLX(SxDrive::SxDriveByte(m_SxLicht, m_SxFunktion, m_SxRichtung, m_SxFahrstufe), int(*address));
}
