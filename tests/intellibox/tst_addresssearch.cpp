#include "AddressSearch.h"
#include "AddressSearchPanel.h"
#include "DrivePanel.h"
#include "FakeZentraleHost.h"
#include "Failure.h"
#include "RecordingPort.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTest>

namespace {
// Records when each write happened on the virtual clock.
class TimedPort : public RecordingPort {
public:
    explicit TimedPort(const VirtualClock& c) : clock(c) {}
    void write(const QByteArray& bytes) override {
        RecordingPort::write(bytes);
        times.append(clock.ticks());
    }
    const VirtualClock& clock;
    QList<qint64> times;
};

class FailingPort : public RecordingPort {
public:
    void write(const QByteArray&) override { throw Failure(57); }
};

// Shared set-up: a host on a timed port, and a station that speaks after `answerAtMs`.
struct Bench {
    Bench() : port(clockRef()), host(port) { host.clock.onYield = [this] { poll(); }; }
    VirtualClock& clockRef() { return host.clock; }
    // The port needs the host's clock, which lives inside the host: bind after construction.
    TimedPort port;
    FakeZentraleHost host;
    QStringList answer;
    qint64 answerAtMs = -1;
    qint64 stopAtMs = -1;
    bool abortLink = false;
    AddressSearch* search = nullptr;
    std::function<void()> duringWait;
    qint64 lastSecond = 0;

    qint64 searchStart() const { return port.times.size() >= 2 ? port.times[1] : -1; }
    void poll() {
        const qint64 start = searchStart();
        if (start < 0 || port.times.size() > 2)
            return;
        const qint64 elapsed = host.clock.ticks() - start;
        // The real timer runs on wall time; here its ticks follow the virtual clock.
        while (search && search->timer().isActive() && lastSecond < elapsed / 1000) {
            ++lastSecond;
            search->Timer_Timer();
        }
        if (duringWait) {
            duringWait();
            duringWait = nullptr;
        }
        if (answerAtMs >= 0 && elapsed >= answerAtMs && !answer.isEmpty()) {
            for (const QString& piece : answer)
                port.reads.append(piece.toLatin1());
            answer.clear();
        }
        if (stopAtMs >= 0 && elapsed >= stopAtMs) {
            if (abortLink)
                host.link().abortWait();
            else if (search)
                search->stop();
        }
    }
};
}  // namespace

// The address search against a station that answers, stays silent, or is stopped.
class TestAddressSearch : public QObject {
    Q_OBJECT
private slots:
    void search_data() {
        QTest::addColumn<QStringList>("answer");
        QTest::addColumn<qint64>("stopAtMs");
        QTest::addColumn<bool>("closing");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("address");
        QTest::addColumn<QString>("status");
        const int found = int(AddressSearch::Outcome::Found);
        const int none = int(AddressSearch::Outcome::NoAddress);
        const int stopped = int(AddressSearch::Outcome::Stopped);
        QTest::newRow("found") << QStringList{"3 ]"} << qint64(-1) << false << found << 3 << "3 ]";
        QTest::newRow("split answer") << QStringList{"12", "34 ]\r"} << qint64(-1) << false << found << 1234 << "1234 ]\r";
        QTest::newRow("no number") << QStringList{"No ack]"} << qint64(-1) << false << none << 0 << "No ack]";
        QTest::newRow("address 0") << QStringList{"0 ]"} << qint64(-1) << false << none << 0 << "0 ]";
        QTest::newRow("stopped, silent station") << QStringList{} << qint64(5000) << false << stopped << 0
                                                 << "Lesevorgang abgebrochen...";
        QTest::newRow("window closed") << QStringList{} << qint64(2500) << true << stopped << 0
                                       << "Lesevorgang abgebrochen...";
    }
    void search() {
        QFETCH(QStringList, answer);
        QFETCH(qint64, stopAtMs);
        QFETCH(bool, closing);
        QFETCH(int, outcome);
        QFETCH(int, address);
        QFETCH(QString, status);

        Bench bench;
        AddressSearch search(bench.host.link());
        bench.search = &search;
        bench.answer = answer;
        bench.answerAtMs = 5000;
        bench.stopAtMs = stopAtMs;
        bench.abortLink = closing;
        bench.port.reads.append("Ok]");  // the answer to "XPT1", thrown away
        bool waitedInExchange = false;
        bench.duringWait = [&] {
            waitedInExchange = bench.host.link().exchangeRunning() && search.timer().isActive();
        };
        QStringList statuses;
        connect(&search, &AddressSearch::statusChanged, [&](const QString& t) { statuses.append(t); });

        const AddressSearch::Result result = search.run();

        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(result.address, address);
        QCOMPARE(result.statusText, status);
        QCOMPARE(statuses.last(), status);
        QCOMPARE(statuses.first(), QString());
        QCOMPARE(bench.port.writes, (QList<QByteArray>{"XPT1\r", "XPTMS\r", "XPT0\r"}));
        QCOMPARE(bench.port.times[1] - bench.port.times[0], qint64(1000));
        QVERIFY(bench.host.clock.ticks() >= bench.port.times[2] + 1000);
        QVERIFY(waitedInExchange);
        QVERIFY(!search.timer().isActive());
        QCOMPARE(search.seconds(), 0);
        QVERIFY(!bench.host.link().exchangeRunning());
        QVERIFY(!search.isRunning());
    }

    void secondsCountUntilTheStop() {
        for (int round = 0; round < 2; ++round) {  // the count starts at 1 for every search
            Bench bench;
            AddressSearch search(bench.host.link());
            bench.search = &search;
            bench.stopAtMs = 5000;
            QStringList statuses;
            connect(&search, &AddressSearch::statusChanged, [&](const QString& t) { statuses.append(t); });
            search.run();
            QCOMPARE(statuses, (QStringList{"", "Suchzeit: 1 Sekunden", "Suchzeit: 2 Sekunden", "Suchzeit: 3 Sekunden",
                                            "Suchzeit: 4 Sekunden", "Suchzeit: 5 Sekunden", "Lesevorgang abgebrochen..."}));
        }
    }

    void refusedWhileAnotherExchangeRuns() {
        Bench bench;
        AddressSearch search(bench.host.link());
        const StationLink::Exchange other(bench.host.link());
        QCOMPARE(int(search.run().outcome), int(AddressSearch::Outcome::Refused));
        QVERIFY(bench.port.writes.isEmpty());
        QCOMPARE(bench.host.notifier.beeps, 1);
        QVERIFY(!search.timer().isActive());
    }

    void portFailure() {
        FailingPort port;
        FakeZentraleHost host(port);
        host.notifier.expectMessages = true;
        AddressSearch search(host.link());
        QCOMPARE(int(search.run().outcome), int(AddressSearch::Outcome::PortFailed));
        QCOMPARE(host.notifier.messages.size(), 1);
        QVERIFY(host.notifier.messages[0].text.startsWith(QStringLiteral("Fehler 57:")));
        QVERIFY(!search.timer().isActive());
        QVERIFY(!host.link().exchangeRunning());
    }

    // The panels as the window holds them: the drive desk is refused during the search,
    // the stop button works, the found address lands in the address field.
    void panels_data() {
        QTest::addColumn<QStringList>("answer");
        QTest::addColumn<bool>("pressStop");
        QTest::addColumn<QString>("address");
        QTest::newRow("found") << QStringList{"42 ]"} << false << "42";
        QTest::newRow("stopped leaves the field") << QStringList{} << true << "7";
        QTest::newRow("no number leaves the field") << QStringList{"Timeout]"} << false << "7";
    }
    void panels() {
        QFETCH(QStringList, answer);
        QFETCH(bool, pressStop);
        QFETCH(QString, address);
        Bench bench;
        DrivePanel drive(bench.host);
        AddressSearchPanel panel(bench.host);
        connect(&panel, &AddressSearchPanel::addressFound, &drive, &DrivePanel::setAddress);
        drive.setAddress(7);
        bench.search = &panel.search();
        bench.answer = answer;
        bench.answerAtMs = 3000;
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
        QCOMPARE(bench.host.notifier.beeps, 1);  // the power button during the search
        QCOMPARE(bench.port.writes, (QList<QByteArray>{"XPT1\r", "XPTMS\r", "XPT0\r"}));
        QCOMPARE(drive.addressText(), address);
    }

    void offeredForTheIntelliboxOnly() {
        RecordingPort port;
        FakeZentraleHost host(port, QStringLiteral("MC"));
        AddressSearchPanel panel(host);
        panel.findChild<QAbstractButton*>(QStringLiteral("btnSearchAdress"))->click();
        QVERIFY(port.writes.isEmpty());
    }
};

QTEST_MAIN(TestAddressSearch)
#include "tst_addresssearch.moc"
