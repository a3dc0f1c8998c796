#pragma once

#include "AppContext.h"
#include "RecordingNotifier.h"
#include "StationLink.h"
#include "VirtualClock.h"
#include "ZentraleHost.h"

#include <QStringList>

// Stands in for the programming window around a panel: a context with a recording
// notifier, a link over the given port on virtual time, and a recorded status bar.
class FakeZentraleHost : public ZentraleHost {
public:
    explicit FakeZentraleHost(SerialPort& port, const QString& cuName = QStringLiteral("IB"))
        : m_link(ctx, port, clock) {
        ctx.notifier = &notifier;
        ctx.CuName = cuName;
        ctx.DecoderType = QStringLiteral("DCC");
    }

    AppContext& context() override { return ctx; }
    StationLink& link() override { return m_link; }
    void setStatus(const QString& text) override {
        m_status = text;
        statusLog.append(text);
    }
    QString status() const override { return m_status; }
    void setBusyPointer(bool b) override { busy = b; }
    bool CU_Ready() override { return false; }
    QString CuAnswer() const override { return {}; }
    void writeProtokoll(const QString&, const QString&, const QString&) override {}

    RecordingNotifier notifier;
    AppContext ctx;
    VirtualClock clock;
    QStringList statusLog;
    bool busy = false;

private:
    StationLink m_link;
    QString m_status;
};
