#pragma once

#include "ClockWait.h"
#include "FakeZentraleHost.h"
#include "app/core/CvRow.h"
#include "app/ui/FileDialog.h"
#include "lenz/ui/frmLenz.h"
#include "programming/core/ProtocolTable.h"

#include <QAbstractButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The Lenz window on virtual time in front of a simulated Lenz station behind a serial
// interface or an LI-USB, as the stored interface choice says.
struct LenzRig {
    explicit LenzRig(bool usb = false, qint32 delay = 100) {
        z.station.setKind(usb ? SimulatedStation::Kind::LenzUsb : SimulatedStation::Kind::Lenz);
        ctx.dataFolder = dir.path();
        ctx.LenzInterfaceType = usb ? 1 : 0;
        ctx.Delay = delay;
        window = std::make_unique<frmLenz>(ctx, link, dialog);
    }

    template <class T> T* get(const QString& name) {
        T* child = window->findChild<T*>(name);
        if (!child)
            qFatal("no control %s", qPrintable(name));
        return child;
    }
    QLineEdit* txt(const char* name) { return get<QLineEdit>(QString::fromLatin1(name)); }
    QString label(const char* name) { return get<QLabel>(QString::fromLatin1(name))->text(); }
    // A user's click comes a moment after the last one.
    void click(const char* name) {
        clock.advance(1000);
        QTest::mouseClick(get<QAbstractButton>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    void setFields(const QString& cv, const QString& value) {
        txt("txtCV")->setText(cv);
        txt("txtWert")->setText(value);
    }
    void chooseMode(int index) { click(qPrintable(QStringLiteral("optProgmode_%1").arg(index))); }

    QList<CvRow> rows() const { return window->protocol().rows(); }
    // The messages the station received (without check byte and interface header).
    const QList<QByteArray>& messages() const { return station.xpressNetMessages(); }
    // The times of every write to the station.
    QList<qint64> writeTimes() const { return z.writeTimes(); }
    // Every write to the station, as it went on the line.
    QList<QByteArray> writes() const { return z.writes(); }
    void expectMessages() { notifier.expectMessages = true; }

    SimulatedZentrale z{QString()};
    AppContext& ctx = z.host.ctx;
    RecordingNotifier& notifier = z.host.notifier;
    VirtualClock& clock = z.clock;
    SimulatedStation& station = z.station;
    StationLink& link = z.host.link();
    QTemporaryDir dir;
    Dialog dialog;
    std::unique_ptr<frmLenz> window;
};

inline QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

inline CvRow row(const char* action, const char* cv, const char* value) {
    return {QString::fromLatin1(action), QString::fromLatin1(cv), QString::fromLatin1(value), QString()};
}
