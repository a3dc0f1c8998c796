#pragma once

#include "app/core/AppContext.h"
#include "app/core/ErrorReport.h"
#include "base/core/Failure.h"
#include "app/core/Notifier.h"
#include "app/ui/StationWindow.h"
#include "RecordingNotifier.h"
#include "SimulatedStation.h"
#include "link/core/StationLink.h"
#include "link/core/VirtualClock.h"
#include "programming/core/P50xProgrammer.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/core/ProgrammingTexts.h"
#include "programming/core/ZentraleHost.h"
#include "programming/ui/PanelHost.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <memory>

// The only message box shown, as "title|text"; otherwise how many there were.
inline QString onlyMessage(const RecordingNotifier& n) {
    if (n.messages.size() != 1)
        return QStringLiteral("%1 messages").arg(n.messages.size());
    return n.messages[0].title + u'|' + n.messages[0].text;
}

// Stands in for the programming window around its panels and routines: a context with a
// recording notifier, a link over the given port, and the status texts and protocol rows as
// they were shown.
class FakeZentraleHost : public ZentraleHost {
public:
    FakeZentraleHost(SerialPort& port, Clock& clock, const QString& cuName = QStringLiteral("IB"))
        : m_link(port, clock) {
        ctx.notifier = &notifier;
        ctx.CuName = cuName;
        ctx.DecoderType = QStringLiteral("DCC");
        // As the program does: a port failing inside a wait goes to the central error report.
        m_link.setFailureReport([this](const Failure& f) { ZentraleFehlerbehandlung(ctx, f); });
    }

    StationLink& link() { return m_link; }
    void setStatus(const QString& text) override { statusLog.append(text); }
    QString status() const override { return statusLog.value(statusLog.size() - 1); }
    void setBusyPointer(bool b) override { busy = b; }
    void writeProtokoll(const QString& mode, const QString& cv, const QString& value) override {
        protocol.append({mode, cv, value});
    }

    RecordingNotifier notifier;
    AppContext ctx;
    QStringList statusLog;
    QList<QStringList> protocol;
    bool busy = false;

private:
    StationLink m_link;
};

// The host with a simulated station behind it, of the kind its CuName names, on virtual time,
// and the window's station guard.
struct SimulatedZentrale {
    explicit SimulatedZentrale(const QString& cuName = QStringLiteral("IB"))
        : station(clock, kindOf(cuName)), host(station, clock, cuName) {
        station.open();
    }
    static SimulatedStation::Kind kindOf(const QString& cuName) {
        if (cuName == QLatin1String("6021"))
            return SimulatedStation::Kind::Cu6021;
        if (cuName == QLatin1String("MC"))
            return SimulatedStation::Kind::MasterControl;
        return SimulatedStation::Kind::Intellibox;
    }
    // The P50X commands the station received from the `from`th on.
    QStringList commandsSince(qsizetype from) const { return station.p50xCommands().mid(from); }
    // Every write to the station, one entry per write.
    QList<QByteArray> writes() const {
        QList<QByteArray> out;
        for (const SimulatedStation::Traffic& t : station.traffic())
            if (t.toStation)
                out.append(t.bytes);
        return out;
    }
    // The times of those writes.
    QList<qint64> writeTimes() const {
        QList<qint64> out;
        for (const SimulatedStation::Traffic& t : station.traffic())
            if (t.toStation)
                out.append(t.time);
        return out;
    }

    // As the programming window tells of an unanswered read or write.
    // The device vanishes now, or while the next wait lets the user interface run.
    void vanish(bool duringWait) {
        if (duringWait)
            clock.onYield = [this] { station.vanish(); };
        else
            station.vanish();
    }

    PanelHost panelHost() {
        return {host.ctx, host, guard, [this](const CvResult& r) {
                    tellUnanswered(host.ctx, host, r, ProgrammingTexts::readTitle(host.ctx.DecoderType));
                }};
    }
    // The programmers as the programming window makes them: P50X in the given form for an
    // Intellibox or a MasterControl, none for another station.
    CvProgrammerSource p50x(P50xProgrammer::Form form) {
        return [this, form]() -> std::unique_ptr<CvProgrammer> {
            if (host.ctx.CuName != QLatin1String("IB") && host.ctx.CuName != QLatin1String("MC"))
                return nullptr;
            return std::make_unique<P50xProgrammer>(host.link(), form);
        };
    }

    VirtualClock clock;
    SimulatedStation station;
    FakeZentraleHost host;
    QObject window;
    StationWindowGuard guard{window, host.ctx, host.link()};
};

// How a panel's test makes the panel on the simulated station (each test file says).
template <class Panel> Panel makePanel(SimulatedZentrale& z);

// One panel of the programming window on the simulated station, clicked like a user does.
template <class Panel> struct PanelRig {
    explicit PanelRig(const QString& cuName = QStringLiteral("IB")) : z(cuName), p(makePanel<Panel>(z)) {}
    SimulatedZentrale z;
    Panel p;

    template <class T> T* get(const QString& name) {
        T* child = p.template findChild<T*>(name);
        if (!child)
            qFatal("no control %s", qPrintable(name));
        return child;
    }
    QLabel* label(const QString& name) { return get<QLabel>(name); }
    QString text(const QString& name) { return label(name)->text(); }
    QLineEdit* field(const QString& name) { return get<QLineEdit>(name); }
    // A user's click comes a moment after the last one, when the station has answered.
    void click(const QString& name) {
        z.clock.advance(1000);
        QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton);
    }
    qsizetype sent() const { return z.station.p50xCommands().size(); }
};
