#pragma once

#include "AppContext.h"
#include "CvRow.h"
#include "ErrorReport.h"
#include "Failure.h"
#include "FileDialog.h"
#include "ProtocolTable.h"
#include "RecordingNotifier.h"
#include "SimulatedStation.h"
#include "StationLink.h"
#include "VirtualClock.h"
#include "frmZentrale.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

// The programming window on virtual time in front of a simulated station of the kind the
// stored station index names (0 the 6021, 1 the MasterControl, 2 the Intellibox), with a
// manufacturer list in its data folder.
struct ZentraleRig {
    QTemporaryDir dir;
    AppContext ctx;
    RecordingNotifier notifier;
    VirtualClock clock;
    SimulatedStation station;
    StationLink link{ctx, station, clock};
    Dialog dialog;
    std::unique_ptr<frmZentrale> window;

    static SimulatedStation::Kind stationKind(int index) {
        if (index == 0)
            return SimulatedStation::Kind::Cu6021;
        if (index == 1)
            return SimulatedStation::Kind::MasterControl;
        return SimulatedStation::Kind::Intellibox;
    }

    explicit ZentraleRig(int stationIndex = 2, int type = 2) : station(clock, stationKind(stationIndex)) {
        QFile list(dir.filePath(QStringLiteral("DecoderHersteller.txt")));
        if (list.open(QIODevice::WriteOnly))
            list.write("Nr.  Hersteller  Name\r\n"
                       " 97  Doehler     Doehler & Haass\r\n"
                       "145  Zimo        Zimo Elektronik\r\n");
        list.close();
        station.open();
        // As the program does: a port failing inside a wait goes to the central error report.
        link.setFailureReport([this](const Failure& failure) { ZentraleFehlerbehandlung(ctx, failure); });
        ctx.dataFolder = dir.path();
        ctx.notifier = &notifier;
        ctx.ZentraleIndex = static_cast<qint16>(stationIndex);
        ctx.DecoderTypIndex = static_cast<qint16>(type);
        ctx.Fahrstufen = QStringLiteral("1");
        window = std::make_unique<frmZentrale>(ctx, link, dialog);
    }

    template <class T> T* get(const QString& name) { return window->findChild<T*>(name); }
    QLineEdit* txt(const char* name) { return get<QLineEdit>(QString::fromLatin1(name)); }
    QString label(const char* name) { return get<QLabel>(QString::fromLatin1(name))->text(); }
    void click(const char* name) {
        auto* button = get<QAbstractButton>(QString::fromLatin1(name));
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QList<CvRow> rows() const { return window->protocol().rows(); }
    const QStringList& commands() const { return station.p50xCommands(); }
    // Times at which something went to the station.
    QList<qint64> sentTimes() const {
        QList<qint64> times;
        for (const SimulatedStation::Traffic& t : station.traffic())
            if (t.toStation)
                times << t.time;
        return times;
    }
    bool nothingSent() const { return sentTimes().isEmpty(); }
    // The user takes a moment between two actions: the answer to the last "XPT0" arrives
    // and the next operation empties it away.
    void userPause() { clock.advance(1000); }
    // From the given virtual time on (the first yield after it), runs `action` once.
    void onceAfter(qint64 ms, std::function<void()> action) {
        clock.onYield = [this, ms, action, done = false]() mutable {
            if (done || clock.ticks() < ms)
                return;
            done = true;
            action();
        };
    }
};
