#include "intellibox/core/AddressSearch.h"
#include "intellibox/ui/AddressSearchPanel.h"
#include "intellibox/ui/DrivePanel.h"
#include "FakeZentraleHost.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTest>

namespace {
// The search against a simulated Intellibox; while the window waits, the test acts at
// given times after "XPTMS" went out, and the search's second timer follows the virtual clock.
struct Bench {
    Bench() { z.clock.onYield = [this] { poll(); }; }
    // The search as the window runs it: inside an exchange taken through its guard.
    AddressSearch::Result run(AddressSearch& s) {
        AddressSearch::Result result;
        z.guard.run([&] { result = s.run(); });
        return result;
    }
    SimulatedZentrale z;
    FakeZentraleHost& host = z.host;
    qint64 stopAtMs = -1;
    bool abortLink = false;
    AddressSearch* search = nullptr;
    std::function<void()> duringWait;
    qint64 lastSecond = 0;

    void poll() {
        const QList<qint64> times = z.writeTimes();
        if (times.size() != 2)
            return;
        const qint64 elapsed = z.clock.ticks() - times[1];
        // The real timer runs on wall time; here its ticks follow the virtual clock.
        while (search && search->timer().isActive() && lastSecond < elapsed / 1000) {
            ++lastSecond;
            search->Timer_Timer();
        }
        if (duringWait) {
            duringWait();
            duringWait = nullptr;
        }
        if (stopAtMs >= 0 && elapsed >= stopAtMs) {
            if (abortLink)
                host.link().cancelExchange();
            else if (search)
                search->stop();
        }
    }
};
const QList<QByteArray> searchTraffic{"XPT1\r", "XPTMS\r", "XPT0\r"};
}  // namespace

// The address search against a station that answers, stays silent, or is stopped.
class TestAddressSearch : public QObject {
    Q_OBJECT
private slots:
    void search_data() {
        QTest::addColumn<int>("cv1");
        QTest::addColumn<int>("cv29");  // 38: the long address 1234 in CV 17 and 18 is in use
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("error");
        QTest::addColumn<qint64>("stopAtMs");
        QTest::addColumn<bool>("closing");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("address");
        QTest::addColumn<QString>("status");
        const int found = int(AddressSearch::Outcome::Found);
        const int none = int(AddressSearch::Outcome::NoAddress);
        const int stopped = int(AddressSearch::Outcome::Stopped);
        const int plain = int(SimulatedStation::Fault::None);
        const int split = int(SimulatedStation::Fault::Split);
        const int silent = int(SimulatedStation::Fault::Silent);
        QTest::newRow("found") << 3 << 6 << plain << "" << qint64(-1) << false << found << 3 << "3\r]";
        QTest::newRow("long address, split answer") << 3 << 38 << split << "" << qint64(-1) << false << found << 1234
                                                    << "1234\r]";
        QTest::newRow("no number") << 3 << 6 << plain << "No ack" << qint64(-1) << false << none << 0 << "No ack\r]";
        QTest::newRow("address 0") << 0 << 6 << plain << "" << qint64(-1) << false << none << 0 << "0\r]";
        QTest::newRow("stopped, silent station") << 3 << 6 << silent << "" << qint64(5000) << false << stopped << 0
                                                 << "Lesevorgang abgebrochen...";
        QTest::newRow("window closed") << 3 << 6 << silent << "" << qint64(2500) << true << stopped << 0
                                       << "Lesevorgang abgebrochen...";
    }
    void search() {
        QFETCH(int, cv1);
        QFETCH(int, cv29);
        QFETCH(int, fault);
        QFETCH(QString, error);
        QFETCH(qint64, stopAtMs);
        QFETCH(bool, closing);
        QFETCH(int, outcome);
        QFETCH(int, address);
        QFETCH(QString, status);

        Bench bench;
        bench.z.station.setCv(1, cv1);
        bench.z.station.setCv(17, 196);
        bench.z.station.setCv(18, 210);
        bench.z.station.setCv(29, cv29);
        // A split answer is asked for once the search waits: the track relay's answer
        // before it is thrown away whole.
        const auto stationFault = SimulatedStation::Fault(fault);
        if (stationFault != SimulatedStation::Fault::Split)
            bench.z.station.setFault(stationFault);
        bench.z.station.setProgrammingError(error);
        AddressSearch search(bench.host.link());
        bench.search = &search;
        bench.stopAtMs = stopAtMs;
        bench.abortLink = closing;
        bool waitedInExchange = false;
        bench.duringWait = [&] {
            waitedInExchange = bench.host.link().exchangeRunning() && search.timer().isActive();
            bench.z.station.setFault(stationFault);
        };
        QStringList statuses;
        connect(&search, &AddressSearch::statusChanged, [&](const QString& t) { statuses.append(t); });

        const AddressSearch::Result result = bench.run(search);

        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(result.address, address);
        QCOMPARE(result.statusText, status);
        QCOMPARE(statuses.last(), status);
        QCOMPARE(statuses.first(), QString());
        QCOMPARE(bench.z.writes(), searchTraffic);
        const QList<qint64> times = bench.z.writeTimes();
        QCOMPARE(times[1] - times[0], qint64(1000));
        QVERIFY(bench.z.clock.ticks() >= times[2] + 1000);
        QVERIFY(waitedInExchange);
        QVERIFY(!search.timer().isActive());
        QCOMPARE(search.seconds(), 0);
        QVERIFY(!bench.host.link().exchangeRunning());
        QVERIFY(!search.isRunning());
    }

    void secondsCountUntilTheStop() {
        for (int round = 0; round < 2; ++round) {  // the count starts at 1 for every search
            Bench bench;
            bench.z.station.setFault(SimulatedStation::Fault::Silent);
            AddressSearch search(bench.host.link());
            bench.search = &search;
            bench.stopAtMs = 5000;
            QStringList statuses;
            connect(&search, &AddressSearch::statusChanged, [&](const QString& t) { statuses.append(t); });
            bench.run(search);
            QCOMPARE(statuses, (QStringList{"", "Suchzeit: 1 Sekunden", "Suchzeit: 2 Sekunden", "Suchzeit: 3 Sekunden",
                                            "Suchzeit: 4 Sekunden", "Suchzeit: 5 Sekunden", "Lesevorgang abgebrochen..."}));
        }
    }

    void refusedWhileAnotherExchangeRuns() {
        Bench bench;
        AddressSearch search(bench.host.link());
        const StationLink::Exchange other(bench.host.link());
        QVERIFY(!bench.z.guard.run([&] { search.run(); }));
        QVERIFY(bench.z.station.traffic().isEmpty());
        QCOMPARE(bench.host.notifier.beeps, 1);
        QVERIFY(!search.timer().isActive());
    }

    // A failing port is reported once: at once, or while the answer is awaited.
    void portFailure_data() {
        QTest::addColumn<bool>("duringWait");
        QTest::newRow("gone at once") << false;
        QTest::newRow("gone while waiting") << true;
    }
    void portFailure() {
        QFETCH(bool, duringWait);
        SimulatedZentrale z;
        z.vanish(duringWait);
        z.host.notifier.expectMessages = true;
        AddressSearch search(z.host.link());
        AddressSearch::Outcome outcome = AddressSearch::Outcome::Found;
        z.guard.run([&] { outcome = search.run().outcome; });
        QCOMPARE(int(outcome), int(AddressSearch::Outcome::PortFailed));
        QCOMPARE(z.host.notifier.messages.size(), 1);
        QVERIFY(z.host.notifier.messages[0].text.startsWith(QStringLiteral("Fehler %1:").arg(PortError::Lost)));
        QVERIFY(!search.timer().isActive());
        QVERIFY(!z.host.link().exchangeRunning());
    }

    // The panels as the window holds them: the drive desk is refused during the search,
    // the stop button works, the found address lands in the address field.
    void panels_data() {
        QTest::addColumn<int>("cv1");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("pressStop");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("status");
        QTest::newRow("found") << 42 << "" << false << "42" << "42\r]";
        // The old address is not taken for a found one; nothing drives address 0.
        QTest::newRow("stopped shows 0") << 42 << "" << true << "0" << "Lesevorgang abgebrochen...";
        QTest::newRow("no number shows 0") << 42 << "Timeout" << false << "0" << "Timeout\r]";
    }
    void panels() {
        QFETCH(int, cv1);
        QFETCH(QString, error);
        QFETCH(bool, pressStop);
        QFETCH(QString, address);
        Bench bench;
        bench.z.station.setCv(1, cv1);
        bench.z.station.setProgrammingError(error);
        bench.z.station.setSearchDelay(3000);
        DrivePanel drive(bench.z.panelHost());
        AddressSearchPanel panel(bench.z.panelHost());
        connect(&panel, &AddressSearchPanel::addressFound, &drive, &DrivePanel::setAddress);
        drive.setAddress(7);
        // With the light on, a new address gets the light-off command; address 0 none.
        drive.findChild<QAbstractButton*>(QStringLiteral("chkFunktion"))->click();
        const QByteArray lightOn("XL 7, 0, 1, 0, 0, 0, 0, 0\r");
        QCOMPARE(bench.z.writes(), QList<QByteArray>{lightOn});
        bench.z.station.clearTraffic();
        bench.search = &panel.search();
        auto* stop = panel.findChild<QAbstractButton*>(QStringLiteral("btnAdresseStop"));
        QVERIFY(!stop->isEnabled());
        bool stopEnabled = false;
        bool busy = false;
        bench.duringWait = [&] {
            stopEnabled = stop->isEnabled();
            busy = bench.host.busy;
            drive.btnPower_Clicked(0);
            if (pressStop)
                stop->click();
        };
        panel.findChild<QAbstractButton*>(QStringLiteral("btnSearchAdress"))->click();
        QVERIFY(stopEnabled);
        QVERIFY(busy);
        QVERIFY(!bench.host.busy);
        QVERIFY(!stop->isEnabled());
        // The power button during the search goes out at once.
        QCOMPARE(bench.host.notifier.beeps, 0);
        QVERIFY(!bench.z.station.powerOn());
        QCOMPARE(drive.addressText(), address);
        QList<QByteArray> traffic{searchTraffic[0], searchTraffic[1], "\x61", searchTraffic[2]};
        if (address != QLatin1String("0"))
            traffic.append("XL " + address.toLatin1() + ", 0, 0, 0, 0, 0, 0, 0\r");
        QCOMPARE(bench.z.writes(), traffic);
        QTEST(bench.host.status(), "status");
    }

    void offeredForTheIntelliboxOnly() {
        SimulatedZentrale z(QStringLiteral("MC"));
        AddressSearchPanel panel(z.panelHost());
        panel.findChild<QAbstractButton*>(QStringLiteral("btnSearchAdress"))->click();
        QVERIFY(z.station.traffic().isEmpty());
    }
};

QTEST_MAIN(TestAddressSearch)
#include "tst_addresssearch.moc"
