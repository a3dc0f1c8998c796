#include "app/core/AppContext.h"
#include "app/core/ErrorReport.h"
#include "base/core/Failure.h"
#include "app/ui/StationWindow.h"
#include "RecordingNotifier.h"
#include "RecordingPort.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QWidget>

namespace {
// Two windows that talk to the station over one link.
struct Bench {
    Bench() {
        ctx.notifier = &notifier;
        port.clock = &clock;
    }
    RecordingNotifier notifier;
    AppContext ctx;
    RecordingPort port;
    VirtualClock clock;
    StationLink link{port, clock};
    QWidget first;
    QWidget second;
    StationWindowGuard a{first, ctx, link};
    StationWindowGuard c{second, ctx, link};
};
}  // namespace

// The one guard of the windows that talk to the station: one exchange at a time, a closing
// window ends its own exchange, and its deletion waits for that exchange.
class TestStationWindow : public QObject {
    Q_OBJECT
private slots:
    void secondExchangeRefusedWithABeep() {
        Bench b;
        StationWindowGuard& a = b.a;
        StationWindowGuard& c = b.c;
        {
            const StationLink::Exchange held = a.begin();
            QVERIFY(held);
            QVERIFY(a.exchangeRunsHere());
            QVERIFY(!c.exchangeRunsHere());
            bool ran = false;
            QVERIFY(!c.run([&] { ran = true; }));
            QVERIFY(!ran);
            QVERIFY(!a.begin());
            QCOMPARE(b.notifier.beeps, 2);
        }
        QVERIFY(c.run([&] { QVERIFY(c.exchangeRunsHere()); }));
        QCOMPARE(b.notifier.beeps, 2);
        QVERIFY(!b.link.exchangeRunning());
    }

    // Closing cancels the window's own exchange, never another window's.
    void closingCancelsTheOwnExchangeOnly() {
        Bench b;
        StationWindowGuard& a = b.a;
        StationWindowGuard& c = b.c;
        {
            const StationLink::Exchange held = a.begin();
            c.windowClosing();
            QVERIFY(!held.cancelled());
            a.windowClosing();
            QVERIFY(held.cancelled());
            QVERIFY(b.link.cancelled());
        }
        // The window may be shown again: its next exchange starts afresh.
        const StationLink::Exchange next = a.begin();
        QVERIFY(next && !next.cancelled());
    }

    // A window deleted (deleteLater) while its exchange runs goes only after the exchange,
    // also when the deferred delete is handled inside the exchange's wait.
    void deletionWaitsForTheExchange() {
        Bench b;
        QPointer<QWidget> window = new QWidget;
        auto* guard = new StationWindowGuard(*window, b.ctx, b.link);
        QVERIFY(guard->run([&] {
            window->deleteLater();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(window);
        }));
        QVERIFY(window);
        for (int i = 0; i < 3 && window; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QVERIFY(!window);
    }

    // Another window's exchange does not hold a window's deletion back.
    void otherExchangeDoesNotHoldTheDeletion() {
        Bench b;
        QPointer<QWidget> window = new QWidget;
        new StationWindowGuard(*window, b.ctx, b.link);
        const StationLink::Exchange held = b.c.begin();
        window->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
    }

    // A port failure that ends an operation goes to the central error report once, as the
    // main window sets the link's report.
    void failureGoesToTheErrorReport() {
        Bench b;
        b.notifier.expectMessages = true;
        b.link.setFailureReport([&b](const Failure& f) { ZentraleFehlerbehandlung(b.ctx, f); });
        b.port.failWrites = PortError::Lost;
        QVERIFY(b.a.run([&b] {
            QCOMPARE(b.link.tellP50X(QStringLiteral("XPT0")), StationLink::Outcome::Failed);
            QCOMPARE(b.link.tellP50X(QStringLiteral("XPT0")), StationLink::Outcome::Failed);
        }));
        QCOMPARE(b.notifier.messages.size(), 1);
        QCOMPARE(b.notifier.messages[0].title, QStringLiteral(" zentrale Fehlerbehandlung..."));
        QVERIFY(!b.link.exchangeRunning());
    }
};

QTEST_MAIN(TestStationWindow)
#include "tst_stationwindow.moc"
