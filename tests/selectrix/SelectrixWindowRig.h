#pragma once

#include "app/core/AppContext.h"
#include "app/core/ErrorReport.h"
#include "base/core/Failure.h"
#include "app/ui/FileDialog.h"
#include "RecordingNotifier.h"
#include "SimulatedStation.h"
#include "link/core/StationLink.h"
#include "link/core/VirtualClock.h"
#include "selectrix/ui/frmSelectrix.h"

#include <QAbstractButton>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The colours the window shows on its lamps, labels and fields.
namespace SxColour {
inline const QColor green(0x00, 0xFF, 0x00);
inline const QColor yellow(0xFF, 0xFF, 0x00);
inline const QColor red(0xFF, 0x00, 0x00);
inline const QColor grey(0x80, 0x80, 0x80);
inline const QColor white(Qt::white);
inline const QColor black(Qt::black);
}  // namespace SxColour

// The Selectrix window on virtual time in front of a simulated Selectrix central, with a
// recording notifier: an unexpected message box fails the test.
struct SelectrixWindowRig {
    QTemporaryDir dir;
    RecordingNotifier notifier;
    AppContext ctx;
    VirtualClock clock;
    SimulatedStation station{clock, SimulatedStation::Kind::Selectrix};
    StationLink link{station, clock};
    Dialog dialog;
    std::unique_ptr<frmSelectrix> window;

    explicit SelectrixWindowRig(const QStringList& arguments = {QStringLiteral("quillex")}, qint32 delay = 10) {
        ctx.notifier = &notifier;
        ctx.dataFolder = dir.path();
        ctx.Delay = delay;
        station.open();
        // As the main window reports the port's failures.
        link.setFailureReport([this](const Failure& f) { ZentraleFehlerbehandlung(ctx, f); });
        window = std::make_unique<frmSelectrix>(ctx, link, dialog, arguments);
    }

    template <class T> T* get(const QString& name) {
        T* child = window->findChild<T*>(name);
        if (!child)
            qFatal("no control %s", qPrintable(name));
        return child;
    }
    QLineEdit* field(const char* name) { return get<QLineEdit>(QString::fromLatin1(name)); }
    QComboBox* combo(const char* name) { return get<QComboBox>(QString::fromLatin1(name)); }
    QLabel* label(const char* name) { return get<QLabel>(QString::fromLatin1(name)); }
    // A user's click comes a moment after the last one, when the central has answered. It hits
    // near the left edge, where a check box or option button has its box.
    void click(const char* name) {
        clock.advance(1000);
        auto* button = get<QAbstractButton>(QString::fromLatin1(name));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    }
    // "erweiterte Einstellungen" usable (as after a read) and ticked.
    void enableExtended() {
        window->enableExtendedSettings();
        click("chkChange_0");
    }
    // The SLX850 chosen, its state read; the traffic so far forgotten.
    void chooseCentral() {
        click("btnUnit_0");
        clock.advance(1000);
        station.clearTraffic();
    }
    // Every write to the central, as hex.
    QStringList bytes() const {
        QStringList out;
        for (const SimulatedStation::Traffic& t : station.traffic())
            if (t.toStation)
                out.append(QString::fromLatin1(t.bytes.toHex().toUpper()));
        return out;
    }
    static QColor lampColour(QLabel* lamp) { return lamp->palette().color(QPalette::Window); }
    static QColor textColour(QWidget* w) { return w->palette().color(QPalette::WindowText); }
    static QColor comboText(QComboBox* c) { return c->lineEdit()->palette().color(QPalette::Text); }
};
