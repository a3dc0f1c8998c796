#pragma once

#include "AppContext.h"
#include "Failure.h"
#include "Notifier.h"
#include "RecordingNotifier.h"
#include "SerialPort.h"
#include "StationLink.h"
#include "VirtualClock.h"
#include "ZentraleHost.h"

#include <QList>
#include <functional>

// A port on virtual time for the Intellibox window's tests: records each write with the
// moment it went out, answers P50X commands through `answer` after `answerDelayMs`, and
// reports a CTS line that a test can script.
class TimedPort : public SerialPort {
public:
    struct Write {
        qint64 at;
        QByteArray bytes;
    };

    explicit TimedPort(VirtualClock& clock) : m_clock(clock) {}

    void setPortName(const QString& port) override { m_name = port; }
    QString portName() const override { return m_name; }
    void setSettings(const QString& s) override { m_settings = s; }
    QString settings() const override { return m_settings; }
    void setRts(bool) override {}
    void open() override { m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }

    void write(const QByteArray& bytes) override {
        if (failWrites)
            throw Failure(ErrorNumber::PortMissing);
        writes.append({m_clock.ticks(), bytes});
        if (bytes.endsWith('\r') && answer) {
            const QString command = QString::fromLatin1(bytes.chopped(1));
            const std::optional<QString> text = answer(command);
            if (text)
                m_pending.append({m_clock.ticks() + answerDelayMs, text->toLatin1()});
        }
    }
    QByteArray readAll() override {
        QByteArray out;
        while (!m_pending.isEmpty() && m_pending.first().at <= m_clock.ticks())
            out += m_pending.takeFirst().bytes;
        return out;
    }
    int bytesWaiting() override {
        return !m_pending.isEmpty() && m_pending.first().at <= m_clock.ticks() ? 1 : 0;
    }
    std::optional<bool> cts() override { return ctsAt ? ctsAt(m_clock.ticks()) : std::nullopt; }
    bool waitForInput(int) override { return bytesWaiting() > 0; }

    // The P50X text of every command written, in order.
    QStringList commands() const {
        QStringList out;
        for (const Write& w : writes) {
            if (w.bytes.endsWith('\r'))
                out.append(QString::fromLatin1(w.bytes.chopped(1)));
        }
        return out;
    }

    std::function<std::optional<QString>(const QString&)> answer;
    qint64 answerDelayMs = 100;
    std::function<std::optional<bool>(qint64)> ctsAt;
    bool failWrites = false;
    QList<Write> writes;

private:
    VirtualClock& m_clock;
    QList<Write> m_pending;
    QString m_name;
    QString m_settings;
    bool m_open = true;
};

// The programming window as its panels and routines see it: status text, pointer, the
// answer wait and the protocol rows.
class FakeZentrale : public ZentraleHost {
public:
    FakeZentrale() : port(clock), stationLink(ctx, port, clock) {
        ctx.notifier = &notifier;
        ctx.CuName = QStringLiteral("IB");
        ctx.DecoderType = QStringLiteral("DCC");
    }

    AppContext& context() override { return ctx; }
    StationLink& link() override { return stationLink; }
    void setStatus(const QString& text) override {
        m_status = text;
        statusHistory.append(text);
    }
    QString status() const override { return m_status; }
    void setBusyPointer(bool b) override { busy = b; }
    bool CU_Ready() override {
        const StationLink::Answer a = link().waitForAnswer(20000);
        m_answer = a.text;
        if (a.complete)
            return true;
        setStatus(QStringLiteral(" Programmierung abgebrochen..."));
        if (!a.aborted)
            ctx.ui().message(QStringLiteral("Die ") + ctx.CuName + QStringLiteral(" antwortet nicht !          "),
                             Notifier::Icon::Critical, Notifier::OkOnly,
                             QStringLiteral(" ") + ctx.DecoderType + QStringLiteral("-Decoder lesen..."));
        setBusyPointer(false);
        return false;
    }
    QString CuAnswer() const override { return m_answer; }
    void writeProtokoll(const QString& mode, const QString& cv, const QString& value) override {
        protocol.append({mode, cv, value});
    }

    AppContext ctx;
    RecordingNotifier notifier;
    VirtualClock clock;
    TimedPort port;
    StationLink stationLink;
    bool busy = false;
    QStringList statusHistory;
    QList<QStringList> protocol;

private:
    QString m_status;
    QString m_answer;
};
