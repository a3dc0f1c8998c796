#include "FakeZentraleHost.h"
#include "ZentraleRig.h"
#include "intellibox/ui/frmIB.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

namespace {
// Waits let the real event loop run: what the user does meanwhile arrives as the window's
// own events, posted before the wait and handled inside it, deferred deletes included.
void runEventsInWaits(VirtualClock& clock) {
    clock.onYield = [] { QCoreApplication::processEvents(); };
}
}  // namespace

// The programming and the Intellibox settings window while a station answer is awaited,
// with the real event loop running in the wait.
class TestEventLoop : public QObject {
    Q_OBJECT
private slots:
    // The user changes the CV field from 8 to 29 while CV 8 is read: the protocol row is
    // that of the CV that was read, with its value.
    void fieldEditDuringARead() {
        ZentraleRig rig;
        rig.txt("txtRegister")->setText(QStringLiteral("8"));
        runEventsInWaits(rig.clock);
        bool edited = false;
        QTimer::singleShot(0, rig.window.get(), [&] {
            rig.txt("txtRegister")->setText(QStringLiteral("29"));
            edited = rig.link.exchangeRunning();
        });
        rig.click("btnLesen");
        QVERIFY(edited);
        QCOMPARE(rig.commands(), (QStringList{"XPTRD8", "XPT0"}));
        QCOMPARE(rig.rows(), (QList<CvRow>{{"L", "8", "97", {}}}));
        QCOMPARE(rig.txt("txtRegister")->text(), QStringLiteral("29"));
        QCOMPARE(rig.window->status(), QStringLiteral("97 = $61 = %01100001    Doehler"));
    }

    // The same for a write: what goes out and what is logged are the fields as they stood
    // when the write began.
    void fieldEditDuringAWrite() {
        ZentraleRig rig;
        rig.txt("txtRegister")->setText(QStringLiteral("3"));
        rig.txt("txtWert")->setText(QStringLiteral("7"));
        runEventsInWaits(rig.clock);
        QTimer::singleShot(0, rig.window.get(), [&] {
            rig.txt("txtRegister")->setText(QStringLiteral("29"));
            rig.txt("txtWert")->setText(QStringLiteral("0"));
        });
        rig.click("btnSchreiben");
        QCOMPARE(rig.commands(), (QStringList{"XPTWD3, 7", "XPT0"}));
        QCOMPARE(rig.rows(), (QList<CvRow>{{"S", "3", "7", {}}}));
        QCOMPARE(rig.station.cv(3), std::optional<int>(7));
    }

    // The program deletes the window when it closes. Closed by an event inside the wait of
    // a read, it ends the read at once, sends nothing more, and is deleted once the read has
    // returned.
    void programmingWindowClosedDuringARead_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("read") << "btnLesen";
        QTest::newRow("write") << "btnSchreiben";
        QTest::newRow("CV 29 panel read") << "btnCV29IILesen";
        QTest::newRow("address panel read") << "btnLesenLA";
    }
    void programmingWindowClosedDuringARead() {
        QFETCH(QString, button);
        ZentraleRig rig;
        rig.station.setFault(SimulatedStation::Fault::Silent);
        QPointer<frmZentrale> window = rig.window.release();
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (button == QLatin1String("btnCV29IILesen"))
            window->showCv29View(true);
        if (button == QLatin1String("btnLesenLA"))
            window->showLaView(true);
        runEventsInWaits(rig.clock);
        QTimer::singleShot(0, window, &QWidget::close);
        QTest::mouseClick(window->findChild<QAbstractButton*>(button), Qt::LeftButton);
        QVERIFY(window);
        QVERIFY(rig.clock.ticks() < 1000);
        QCOMPARE(rig.commands().size(), 1);
        QVERIFY(!rig.link.exchangeRunning());
        QVERIFY(rig.notifier.messages.isEmpty());
        QVERIFY(!rig.notifier.busy);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
    }

    // The Intellibox settings window, deleted when it closes, closed by an event inside its
    // query's wait: the query ends, the window goes only afterwards (under the address
    // sanitizer a deletion inside the wait would be a use after free).
    void settingsWindowClosedDuringAQuery_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("special option") << "btnLesen_1";
        QTest::newRow("list") << "btnLesen_2";
        QTest::newRow("version") << "btnVersion";
        QTest::newRow("Motorola test") << "btnMotorola";
    }
    void settingsWindowClosedDuringAQuery() {
        QFETCH(QString, button);
        SimulatedZentrale z;
        z.station.setFault(SimulatedStation::Fault::Silent);
        QPointer<frmIB> w = new frmIB(z.host.ctx, z.host.link());
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->findChild<QLineEdit*>(QStringLiteral("txtVon"))->setText(QStringLiteral("1"));
        w->findChild<QLineEdit*>(QStringLiteral("txtBis"))->setText(QStringLiteral("5"));
        w->show();
        runEventsInWaits(z.clock);
        QTimer::singleShot(0, w, &QWidget::close);
        w->findChild<QAbstractButton*>(button)->click();
        QVERIFY(z.clock.ticks() < 1000);
        QCOMPARE(z.writes().size(), 1);
        QVERIFY(!z.host.link().exchangeRunning());
        QVERIFY(z.host.notifier.messages.isEmpty());
        for (int i = 0; i < 3 && w; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QVERIFY(!w);
    }

    // Deleted by an event inside the wait without being closed (as the program may delete a
    // window): the wait goes on to its deadline in the window's code, so the window is kept
    // until the query has ended (under the address sanitizer a deletion inside the wait
    // would be a use after free).
    void deletedDuringTheWait_data() {
        QTest::addColumn<bool>("settingsWindow");
        QTest::newRow("settings window") << true;
        QTest::newRow("programming window") << false;
    }
    void deletedDuringTheWait() {
        QFETCH(bool, settingsWindow);
        ZentraleRig rig;
        rig.station.setFault(SimulatedStation::Fault::Silent);
        QPointer<QWidget> w;
        if (settingsWindow) {
            w = new frmIB(rig.ctx, rig.link);
        } else {
            w = rig.window.release();
            w->findChild<QLineEdit*>(QStringLiteral("txtRegister"))->setText(QStringLiteral("8"));
        }
        w->show();
        bool aliveAtTheMessage = false;
        rig.notifier.answerFor = [&](const RecordingNotifier::Message&) {
            aliveAtTheMessage = !w.isNull();
            return int(Notifier::Ok);
        };
        runEventsInWaits(rig.clock);
        QTimer::singleShot(0, w, &QObject::deleteLater);
        w->findChild<QAbstractButton*>(settingsWindow ? QStringLiteral("btnVersion") : QStringLiteral("btnLesen"))
            ->click();
        QVERIFY(aliveAtTheMessage);
        QCOMPARE(rig.notifier.messages.size(), 1);
        QVERIFY(rig.clock.ticks() > 20000);
        QVERIFY(!rig.link.exchangeRunning());
        for (int i = 0; i < 3 && w; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QVERIFY(!w);
    }
};

QTEST_MAIN(TestEventLoop)
#include "tst_eventloop.moc"
