#pragma once

#include "SimulatedStation.h"
#include "base/core/Failure.h"
#include "link/core/SelectrixChannelAccess.h"
#include "link/core/StationLink.h"
#include "link/core/VirtualClock.h"
#include "selectrix/core/SelectrixHost.h"

#include <QMap>
#include <QStringList>
#include <functional>

// Stands in for the Selectrix window around a programming run: what the run showed, in order.
class RecordingSelectrixHost : public SelectrixHost {
public:
    struct Message {
        QString text;
        Notifier::Icon icon;
        Notifier::Buttons buttons;
        QString title;
    };

    void setStatus(const QString& text) override { statuses.append(text); }
    void setBusyPointer(bool b) override { busy = b; }
    void beep() override { ++beeps; }
    int message(const QString& text, Notifier::Icon icon, Notifier::Buttons buttons, const QString& title) override {
        messages.append({text, icon, buttons, title});
        return answer;
    }
    void setTrackPowerLamp(bool on) override { lamps.append(on); }
    void setFieldText(SxField f, const QString& text) override { fields[f] = text; }
    void setFieldWhite(SxField f, bool white) override { whiteFields[f] = white; }
    void setExtendedChecks(bool m, bool l, bool g) override { checks = {m, l, g}; }
    void enableExtendedSettings() override { extendedEnabled = true; }
    void setDccValue(const QString& text) override { dccValues.append(text); }
    void takeAddressForDriving() override { addressTaken = true; }
    void writeProtokoll(const QString& act, const QString& adr, const QString& ge, const QString& be,
                        const QString& im, const QString& ha) override {
        rows.append(QStringList{act, adr, ge, be, im, ha});
    }
    void setNewestProtocolExtended(const std::array<QString, 5>& cells) override {
        if (!rows.isEmpty())
            for (const QString& c : cells)
                rows.last().append(c);
    }

    QString status() const { return statuses.value(statuses.size() - 1); }
    // The only message as "title|text"; otherwise how many there were.
    QString onlyMessage() const {
        if (messages.size() != 1)
            return QStringLiteral("%1 messages").arg(messages.size());
        return messages[0].title + u'|' + messages[0].text;
    }
    bool anyWhite() const {
        for (bool w : whiteFields)
            if (w)
                return true;
        return false;
    }

    QStringList statuses;
    QList<Message> messages;
    int answer = Notifier::Ok;
    bool busy = false;
    int beeps = 0;
    QList<bool> lamps;
    QMap<SxField, QString> fields;
    QMap<SxField, bool> whiteFields;
    std::array<bool, 3> checks{};
    bool extendedEnabled = false;
    QStringList dccValues;
    bool addressTaken = false;
    QList<QStringList> rows;
};

// A simulated Selectrix central on virtual time with channel access over it.
struct SelectrixStationRig {
    VirtualClock clock;
    SimulatedStation station{clock, SimulatedStation::Kind::Selectrix};
    StationLink link{station, clock};
    // The run works inside its window's exchange; cancelling it is the window closing.
    StationLink::Exchange exchange{link};
    SelectrixChannelAccess access{link};
    // What the link reported of the port.
    QList<int> failures;

    SelectrixStationRig() {
        station.open();
        link.setFailureReport([this](const Failure& f) { failures << f.number(); });
        // Answers come at once, so the times of the writes show the run's own pauses.
        station.setAnswerDelay(0);
    }

    // Every write to the central as "time hex".
    QStringList trace() const {
        QStringList out;
        for (const SimulatedStation::Traffic& t : station.traffic())
            if (t.toStation)
                out.append(QStringLiteral("%1 %2").arg(t.time).arg(QString::fromLatin1(t.bytes.toHex().toUpper())));
        return out;
    }
    // The writes without their times.
    QStringList bytes() const {
        QStringList out;
        for (const QString& line : trace())
            out.append(line.section(u' ', 1));
        return out;
    }
};
