#pragma once

#include "app/core/Notifier.h"

#include <QString>
#include <array>

// The parameter fields of the Selectrix window that a programming run reads into.
enum class SxField { ADR, GE, BE, IM, HA, IMerw, BEerw };

// What the programming runs use of the Selectrix window: status texts, the pointer, message
// boxes and questions, the track-power lamp, the parameter and DCC fields and the protocol.
// frmSelectrix implements it; the run's tests use a recording one.
class SelectrixHost {
public:
    virtual ~SelectrixHost() = default;

    // Panel 1 of the status bar.
    virtual void setStatus(const QString& text) = 0;
    // Arrow with hourglass while a run goes on.
    virtual void setBusyPointer(bool busy) = 0;
    virtual void beep() = 0;
    // A message box; returns the answer (Notifier::Yes, ...).
    virtual int message(const QString& text, Notifier::Icon icon, Notifier::Buttons buttons, const QString& title) = 0;
    // lblGleisspannung: green when on, grey when off.
    virtual void setTrackPowerLamp(bool on) = 0;

    virtual void setFieldText(SxField field, const QString& text) = 0;
    // White text while a read is on its way, black once the value is there.
    virtual void setFieldWhite(SxField field, bool white) = 0;
    // The "Motor", "Licht" and "Gleis" boxes, each with its ordinary click handling.
    virtual void setExtendedChecks(bool motor, bool licht, bool gleis) = 0;
    // "erweiterte Einstellungen" becomes usable (after a read through the central).
    virtual void enableExtendedSettings() = 0;
    // The DCC panel's value field.
    virtual void setDccValue(const QString& text) = 0;
    // The drive panel's address takes the address field's text.
    virtual void takeAddressForDriving() = 0;

    // Appends a protocol row (action, ADR, GE, BE, IM, HA).
    virtual void writeProtokoll(const QString& act, const QString& adr, const QString& ge, const QString& be,
                                const QString& im, const QString& ha) = 0;
    // M, L, G, IMe, HAe of the newest protocol row.
    virtual void setNewestProtocolExtended(const std::array<QString, 5>& cells) = 0;
};
