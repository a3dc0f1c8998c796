#pragma once

#include "app/core/CvRow.h"
#include "ClockWait.h"
#include "FakeZentraleHost.h"
#include "app/ui/FileDialog.h"
#include "programming/core/ProtocolTable.h"
#include "intellibox/ui/frmZentrale.h"

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
    SimulatedZentrale z;
    AppContext& ctx = z.host.ctx;
    RecordingNotifier& notifier = z.host.notifier;
    VirtualClock& clock = z.clock;
    SimulatedStation& station = z.station;
    StationLink& link = z.host.link();
    Dialog dialog;
    std::unique_ptr<frmZentrale> window;

    static QString cuName(int index) {
        return index == 0 ? QStringLiteral("6021") : index == 1 ? QStringLiteral("MC") : QStringLiteral("IB");
    }

    explicit ZentraleRig(int stationIndex = 2, int type = 2) : z(cuName(stationIndex)) {
        QFile list(dir.filePath(QStringLiteral("DecoderHersteller.txt")));
        if (list.open(QIODevice::WriteOnly))
            list.write("Nr.  Hersteller  Name\r\n"
                       " 97  Doehler     Doehler & Haass\r\n"
                       "145  Zimo        Zimo Elektronik\r\n");
        list.close();
        // The window, not the rig, names the station and the decoder type.
        ctx.CuName.clear();
        ctx.DecoderType.clear();
        ctx.dataFolder = dir.path();
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
    bool nothingSent() const { return z.writes().isEmpty(); }
    // The user takes a moment between two actions: the answer to the last "XPT0" arrives
    // and the next operation empties it away.
    void userPause() { clock.advance(1000); }
    // From the given virtual time on (the first yield after it), runs `action` once.
    void onceAfter(qint64 ms, std::function<void()> action) { ::onceAfter(clock, ms, std::move(action)); }
};
