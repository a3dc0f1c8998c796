#pragma once

#include "FakeZentraleHost.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

// A drive desk on the simulated station, driven in steps as a user drives it. The steps
// every desk knows: "mode:N" step-mode selector, "slider:N" the user moves the slider,
// "start", "stop", "f:N" function box N, "addr:T" address text, "type:T" T typed at the end
// of the address field, "power:N" track-power button N; a desk's own steps go to ownStep.
template <class Panel> struct DriveDeskRig : PanelRig<Panel> {
    using PanelRig<Panel>::PanelRig;
    virtual ~DriveDeskRig() = default;

    void run(const QStringList& steps) {
        for (const QString& s : steps) {
            const QString verb = s.section(u':', 0, 0);
            const QString arg = s.section(u':', 1);
            if (verb == u"mode")
                this->template get<QScrollBar>(QStringLiteral("scrFahrstufen"))->setValue(arg.toInt());
            else if (verb == u"slider")
                this->template get<QSlider>(QStringLiteral("sldFahrstufen"))->setValue(arg.toInt());
            else if (verb == u"start" || verb == u"stop")
                QTest::mouseClick(this->template get<QAbstractButton>(verb == u"start" ? QStringLiteral("btnAnfahren")
                                                                                       : QStringLiteral("btnStop")),
                                  Qt::LeftButton);
            else if (verb == u"f")
                this->template get<QCheckBox>(QStringLiteral("chkFunctions_") + arg)->click();
            else if (verb == u"addr")
                this->field(QStringLiteral("txtAdresse"))->setText(arg);
            else if (verb == u"type") {
                QLineEdit* address = this->field(QStringLiteral("txtAdresse"));
                address->end(false);
                QTest::keyClicks(address, arg);
            }
            else if (verb == u"power")
                this->p.btnPower_Clicked(arg.toInt());
            else if (!ownStep(verb, arg))
                QFAIL(qPrintable(s));
        }
    }

protected:
    // False for a step the desk does not know either.
    virtual bool ownStep(const QString& verb, const QString& arg) = 0;
};
