#include "ClockWait.h"
#include "FakeSpeedCurveHost.h"
#include "base/core/Failure.h"
#include "link/core/XpressNet.h"
#include "programming/core/CvInput.h"
#include "speedcurve/core/SpeedCurve.h"
#include "speedcurve/core/SpeedTableTransfer.h"

#include <QTest>
#include <algorithm>
#include <functional>

using Mode = XpressNet::ProgrammingMode;
using Station = FakeSpeedCurveHost::Station;

namespace {

// A transfer of the editor's curve through a simulated Intellibox, MasterControl, Lenz
// serial or LI-USB station, on virtual time.
struct Rig {
    explicit Rig(SimulatedStation::Kind kind = SimulatedStation::Kind::Intellibox)
        : z(kind == SimulatedStation::Kind::MasterControl ? QStringLiteral("MC") : QStringLiteral("IB")),
          host(z, p50x(kind) ? Station::P50x : Station::XpressNet) {
        z.station.setKind(kind);
        host.usb = kind == SimulatedStation::Kind::LenzUsb;
        ctx().Delay = 2000;
    }
    static bool p50x(SimulatedStation::Kind kind) {
        return kind == SimulatedStation::Kind::Intellibox || kind == SimulatedStation::Kind::MasterControl;
    }

    AppContext& ctx() { return z.host.ctx; }
    RecordingNotifier& notifier() { return z.host.notifier; }
    const QStringList& commands() const { return z.station.p50xCommands(); }
    // The times of the P50X commands that begin with `prefix`.
    QList<qint64> timesOf(const QString& prefix) const {
        QList<qint64> times;
        for (const SimulatedStation::Traffic& t : z.station.traffic())
            if (t.toStation && t.bytes.startsWith(prefix.toLatin1()))
                times.append(t.time);
        return times;
    }
    // Differences between consecutive times.
    static QList<qint64> gaps(const QList<qint64>& times) {
        QList<qint64> out;
        for (qsizetype i = 1; i < times.size(); ++i)
            out.append(times[i] - times[i - 1]);
        return out;
    }
    QList<SpeedCurve::Mark> marks() const {
        QList<SpeedCurve::Mark> out;
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            out.append(curve.mark(step));
        return out;
    }
    void onceAfter(qint64 ms, std::function<void()> action) { ::onceAfter(z.clock, ms, std::move(action)); }
    // `fail` runs before step `step`: at once for the first, else after the row before it.
    void failFromStep(int step, std::function<void()> fail) {
        if (step == 1)
            fail();
        host.onRow = [step, fail = std::move(fail)](int rows) {
            if (rows == step - 1)
                fail();
        };
    }
    // The curve the station gives back: step i holds 9 i.
    void stationCurve() {
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            z.station.setCv(SpeedCurve::cvOf(step), 9 * step);
    }

    SimulatedZentrale z;
    FakeSpeedCurveHost host;
    SpeedCurve curve;
    QStringList status;
    SpeedTableTransfer transfer{z.host.ctx, curve, [this](const QString& text) { status.append(text); }};
};

QList<SpeedCurve::Mark> marksOf(int green, int red) {
    QList<SpeedCurve::Mark> out;
    for (int i = 0; i < green; ++i)
        out.append(SpeedCurve::Mark::Transferred);
    for (int i = 0; i < red; ++i)
        out.append(SpeedCurve::Mark::Changed);
    return out;
}

QStringList rowsFor(const QString& mode, const std::function<int(int)>& value, int count = SpeedCurve::steps) {
    QStringList rows;
    for (int step = 1; step <= count; ++step)
        rows.append(QStringLiteral("%1 %2 %3").arg(mode).arg(66 + step).arg(value(step)));
    return rows;
}

QList<QByteArray> framesOf(const QList<QByteArray>& messages, bool usb) {
    QList<QByteArray> frames;
    for (const QByteArray& m : messages)
        frames.append(XpressNet::frame(m, usb));
    return frames;
}

QByteArray message(const char* hex, int cv, int value = -1) {
    QByteArray m = QByteArray::fromHex(hex);
    m += static_cast<char>(cv);
    if (value >= 0)
        m += static_cast<char>(value);
    return m;
}

}  // namespace

Q_DECLARE_METATYPE(SimulatedStation::Kind)

// The speed table written to and read from the decoder through the programming window's
// station: the exact commands and frames, the pauses of `Delay`, 28 protocol rows, and a
// run that stops at a failed or aborted step without logging it.
class TestSpeedTableTransfer : public QObject {
    Q_OBJECT
private slots:
    void p50xWrite_data() {
        QTest::addColumn<SimulatedStation::Kind>("kind");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("stepMs");
        // The station takes 1500 ms for a write; the answer is awaited after the pause.
        QTest::newRow("Intellibox, long pause") << SimulatedStation::Kind::Intellibox << 2000 << 4000;
        QTest::newRow("Intellibox, short pause") << SimulatedStation::Kind::Intellibox << 500 << 2000;
        QTest::newRow("MasterControl") << SimulatedStation::Kind::MasterControl << 2000 << 4000;
    }
    void p50xWrite() {
        QFETCH(SimulatedStation::Kind, kind);
        QFETCH(int, delay);
        QFETCH(int, stepMs);
        Rig r(kind);
        r.ctx().Delay = delay;
        r.curve.setValue(2, 77);
        r.transfer.write(r.host);

        QStringList expected{"XPT1"};
        for (int step = 1; step <= 28; ++step)
            expected.append(QStringLiteral("XPTWD%1, %2").arg(66 + step).arg(r.curve.value(step)));
        expected.append(QStringLiteral("XPT0"));
        QCOMPARE(r.commands(), expected);
        QCOMPARE(r.z.station.writtenText().count(u'\r'), 30);
        // "XPT1" is answered after 20 ms; each write then takes its pause, the answer and
        // the pause after it.
        const QList<qint64> writes = r.timesOf(QStringLiteral("XPTWD"));
        QCOMPARE(writes.first(), qint64(20));
        QCOMPARE(Rig::gaps(writes), QList<qint64>(27, stepMs));
        QCOMPARE(r.timesOf(QStringLiteral("XPT0")).first() - writes.last(), qint64(stepMs));

        QCOMPARE(r.host.rows, rowsFor(QStringLiteral("S"), [&](int step) { return r.curve.value(step); }));
        for (int step = 1; step <= 28; ++step)
            QCOMPARE(r.z.station.cv(66 + step), std::optional<int>(r.curve.value(step)));
        QCOMPARE(r.marks(), marksOf(28, 0));
        QCOMPARE(r.status.first(), QStringLiteral(" schreibe CV 67 = 0 ..."));
        QCOMPARE(r.status.at(1), QStringLiteral("schreibe in CV 67"));
        QCOMPARE(r.status.last(), QStringLiteral(" Programmierung beendet ..."));
        QCOMPARE(r.notifier().beeps, 1);
        QVERIFY(r.notifier().messages.isEmpty());
        QVERIFY(!r.notifier().busy);
        QVERIFY(!r.transfer.running());
        QVERIFY(!r.z.host.link().exchangeRunning());
    }

    void p50xRead() {
        Rig r;
        r.stationCurve();
        r.transfer.read(r.host);
        QStringList expected;
        for (int step = 1; step <= 28; ++step)
            expected.append(QStringLiteral("XPTRD%1").arg(66 + step));
        expected.append(QStringLiteral("XPT0"));
        QCOMPARE(r.commands(), expected);
        // Each read is answered after the station's 1500 ms; the next one follows at once.
        QCOMPARE(Rig::gaps(r.timesOf(QStringLiteral("XPTRD"))), QList<qint64>(27, 1500));
        QCOMPARE(r.host.rows, rowsFor(QStringLiteral("L"), [](int step) { return 9 * step; }));
        for (int step = 1; step <= 28; ++step)
            QCOMPARE(r.curve.value(step), 9 * step);
        QCOMPARE(r.marks(), marksOf(28, 0));
        QCOMPARE(r.status.first(), QStringLiteral(" Lese CV 67"));
        QCOMPARE(r.status.last(), QStringLiteral(" Lesevorgang beendet ..."));
        QVERIFY(r.notifier().messages.isEmpty());
        QVERIFY(!r.notifier().busy);
    }

    // A step that fails is neither logged nor green, the user is told once, the run stops
    // there, and the programming track is switched off.
    void p50xFailedStep_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("failingStep");
        QTest::addColumn<QString>("told");  // "title|message" or the last status
        QTest::newRow("read time-out") << false << "silent" << 5 << " DCC-Decoder lesen...|Die IB antwortet nicht !          ";
        QTest::newRow("write time-out") << true << "silent" << 5
                                        << " DCC-Decoder programmieren...|Die IB antwortet nicht !          ";
        QTest::newRow("no answer to XPT1") << true << "silent" << 1
                                           << " DCC-Decoder programmieren...|Die IB antwortet nicht !          ";
        QTest::newRow("read refused") << false << "No ack" << 5 << " Lesevorgang abgebrochen, Fehler: No ack";
        QTest::newRow("write refused") << true << "No ack" << 5 << " Schreibvorgang abgebrochen, Fehler: No ack";
        QTest::newRow("read answer without a number") << false << "garbage" << 5 << " Lesevorgang abgebrochen, Fehler: ?? ok";
    }
    void p50xFailedStep() {
        QFETCH(bool, write);
        QFETCH(QString, fault);
        QFETCH(int, failingStep);
        QFETCH(QString, told);
        Rig r;
        r.stationCurve();
        r.ctx().Delay = 500;
        r.notifier().expectMessages = fault == QLatin1String("silent");
        const auto failFromHere = [&] {
            if (fault == QLatin1String("silent"))
                r.z.station.setFault(SimulatedStation::Fault::Silent);
            else if (fault == QLatin1String("garbage"))
                r.z.station.scriptAnswer("?? ok\r]");
            else
                r.z.station.setProgrammingError(fault);
        };
        const int done = failingStep - 1;
        r.failFromStep(failingStep, failFromHere);
        const SpeedCurve::Values before = r.curve.values();
        if (write)
            r.transfer.write(r.host);
        else
            r.transfer.read(r.host);

        QCOMPARE(r.host.rows.size(), done);
        QCOMPARE(r.marks(), marksOf(done, 28 - done));
        const int cv = 66 + failingStep;
        const QString command = failingStep == 1 && write ? QStringLiteral("XPT1")
                                : write ? QStringLiteral("XPTWD%1, %2").arg(cv).arg(r.curve.value(failingStep))
                                        : QStringLiteral("XPTRD%1").arg(cv);
        QCOMPARE(r.commands().mid(r.commands().size() - 2), (QStringList{command, "XPT0"}));
        if (fault == QLatin1String("silent")) {
            QCOMPARE(onlyMessage(r.notifier()), told);
            QCOMPARE(r.notifier().messages[0].icon, Notifier::Icon::Critical);
            QCOMPARE(r.status.last(), QStringLiteral(" Programmierung abgebrochen..."));
            // The answer was awaited for the whole deadline.
            const qint64 waited = r.timesOf(QStringLiteral("XPT0")).last() - r.timesOf(command).last();
            const qint64 deadline = !write ? 20000 : failingStep == 1 ? 8000 : 500 + 8000;
            QVERIFY2(waited > deadline && waited < deadline + 100, qPrintable(QString::number(waited)));
        } else {
            QVERIFY(r.notifier().messages.isEmpty());
            QCOMPARE(r.status.last(), told);
            QCOMPARE(r.notifier().beeps, 1);
        }
        // The steps not read keep their values: a write right after puts nothing new into
        // the decoder.
        for (int step = write ? 1 : failingStep; step <= 28; ++step)
            QCOMPARE(r.curve.value(step), before[std::size_t(step - 1)]);
        QVERIFY(!r.notifier().busy);
        QVERIFY(!r.transfer.running());
    }

    // The abort button, the editor's closing and the programming window's closing end a run
    // at the running step: it is not logged, and only "XPT0" follows.
    void abortMidRun_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("how");
        for (const bool write : {false, true})
            for (const char* how : {"button", "editor closing", "window closing"})
                QTest::addRow("%s, %s", write ? "write" : "read", how) << write << QString::fromLatin1(how);
    }
    void abortMidRun() {
        QFETCH(bool, write);
        QFETCH(QString, how);
        Rig r;
        r.ctx().Delay = 500;
        // Step 3 waits for its answer: a read from 3000 ms on, a write from 4520 ms on.
        r.onceAfter(write ? 4600 : 3100, [&] {
            if (how == QLatin1String("button")) {
                r.transfer.abort();
            } else if (how == QLatin1String("editor closing")) {
                r.ctx().Abbruch = true;
                r.transfer.editorClosing(&r.host);
            } else {
                r.ctx().Abbruch = true;
                r.z.guard.windowClosing();
            }
        });
        const SpeedCurve::Values before = r.curve.values();
        if (write)
            r.transfer.write(r.host);
        else
            r.transfer.read(r.host);
        QCOMPARE(r.host.rows.size(), 2);
        QCOMPARE(r.marks(), marksOf(2, 26));
        for (int step = 3; step <= 28; ++step)
            QCOMPARE(r.curve.value(step), before[std::size_t(step - 1)]);
        QCOMPARE(r.commands().last(), QStringLiteral("XPT0"));
        QCOMPARE(r.commands().count(QStringLiteral("XPT0")), 1);
        QCOMPARE(r.commands().size(), write ? 5 : 4);
        QCOMPARE(r.status.last(), write ? QStringLiteral(" Schreibvorgang abgebrochen ...") : QStringLiteral(" Lesevorgang abgebrochen ..."));
        QVERIFY(r.ctx().Abbruch);
        QVERIFY(!r.transfer.running());
        QVERIFY(!r.z.host.link().exchangeRunning());
        // The next run starts afresh.
        r.z.clock.onYield = {};
        r.z.clock.advance(1000);
        r.transfer.read(r.host);
        QCOMPARE(r.host.rows.size(), 30);
        QVERIFY(!r.ctx().Abbruch);
    }

    // One transfer at a time: a second start while one waits is refused with a beep and
    // sends nothing. A step the user changes while its value is on the way (step 1 being
    // written) or after it was read stays red; one changed before its turn is written with
    // its new value, or read over, and turns green.
    void changesDuringARun_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("at");
        // Step 1 is written from 20 ms to about 1520 ms; step 2 is read from 1500 ms on.
        QTest::newRow("write") << true << 1000;
        QTest::newRow("read") << false << 2000;
    }
    void changesDuringARun() {
        QFETCH(bool, write);
        QFETCH(int, at);
        Rig r;
        r.stationCurve();
        r.ctx().Delay = 500;
        r.onceAfter(at, [&] {
            r.transfer.read(r.host);
            r.transfer.write(r.host);
            r.curve.setValue(1, 200);
            r.curve.setValue(20, 100);
        });
        if (write)
            r.transfer.write(r.host);
        else
            r.transfer.read(r.host);
        QCOMPARE(r.notifier().beeps, write ? 3 : 2);  // two refusals, the end of a write run
        QCOMPARE(r.commands().size(), write ? 30 : 29);
        QCOMPARE(r.marks(), QList<SpeedCurve::Mark>{SpeedCurve::Mark::Changed} + marksOf(27, 0));
        QCOMPARE(r.curve.value(1), 200);
        if (write) {
            QCOMPARE(r.host.rows.at(0), QStringLiteral("S 67 0"));
            QCOMPARE(r.z.station.cv(67), std::optional<int>(0));
            QCOMPARE(r.host.rows.at(19), QStringLiteral("S 86 100"));
            QCOMPARE(r.z.station.cv(86), std::optional<int>(100));
        } else {
            QCOMPARE(r.host.rows.at(0), QStringLiteral("L 67 9"));
            QCOMPARE(r.curve.value(20), 180);
        }
    }

    // A 6021 offers no transfer: a start beeps and sends nothing.
    void noStation() {
        Rig r;
        r.host.station = Station::None;
        r.transfer.write(r.host);
        r.transfer.read(r.host);
        r.transfer.editorClosing(&r.host);
        QCOMPARE(r.notifier().beeps, 2);
        QVERIFY(r.z.writes().isEmpty());
        QCOMPARE(r.marks(), marksOf(0, 28));
    }

    // The editor's closing leaves the programming track of a P50X station, when the line is
    // free; never on an XpressNet line.
    void editorClosing() {
        Rig ib;
        ib.transfer.editorClosing(&ib.host);
        QCOMPARE(ib.commands(), QStringList{"XPT0"});
        ib.transfer.editorClosing(nullptr);
        {
            // Another operation of the window holds the line: it leaves the station itself.
            const StationLink::Exchange other(ib.z.host.link());
            ib.transfer.editorClosing(&ib.host);
        }
        QCOMPARE(ib.commands(), QStringList{"XPT0"});
        QCOMPARE(ib.notifier().beeps, 0);

        Rig lenz(SimulatedStation::Kind::Lenz);
        lenz.transfer.editorClosing(&lenz.host);
        QVERIFY(lenz.z.writes().isEmpty());
    }

    void lenzWrite_data() {
        QTest::addColumn<SimulatedStation::Kind>("kind");
        QTest::newRow("serial") << SimulatedStation::Kind::Lenz;
        QTest::newRow("LI-USB") << SimulatedStation::Kind::LenzUsb;
    }
    void lenzWrite() {
        QFETCH(SimulatedStation::Kind, kind);
        Rig r(kind);
        r.curve.setValue(3, 201);
        // The mode chosen in the window counts from the next CV on.
        r.host.onRow = [&](int rows) {
            if (rows == 2)
                r.host.mode = Mode::Paged;
        };
        r.transfer.write(r.host);
        QList<QByteArray> expected;
        for (int step = 1; step <= 28; ++step) {
            expected.append(message(step <= 2 ? "2316" : "2317", 66 + step, r.curve.value(step)));
            expected.append(QByteArray::fromHex("2110"));
        }
        QCOMPARE(r.z.writes(), framesOf(expected, r.host.usb));
        // Write, `Delay`, result request, `Delay`, the confirmation, `Delay`.
        const QList<qint64> times = r.z.writeTimes();
        for (qsizetype i = 1; i < times.size(); ++i)
            QCOMPARE(times[i] - times[i - 1], qint64(i % 2 ? 2000 : 4000));
        QVERIFY(!r.z.station.writtenText().contains(QStringLiteral("XPT")));
        QCOMPARE(r.host.rows, rowsFor(QStringLiteral("S"), [&](int step) { return r.curve.value(step); }));
        QCOMPARE(r.z.station.cv(69), std::optional<int>(201));
        QCOMPARE(r.marks(), marksOf(28, 0));
        QCOMPARE(r.status.last(), QStringLiteral(" Programmierung beendet ..."));
        QVERIFY(!r.status.contains(QStringLiteral("schreibe in CV 67")));
    }

    void lenzRead_data() { lenzWrite_data(); }
    void lenzRead() {
        QFETCH(SimulatedStation::Kind, kind);
        Rig r(kind);
        r.stationCurve();
        r.z.station.setResultCompany({true, true, true, false});
        r.host.onRow = [&](int rows) {
            if (rows == 3)
                r.host.mode = Mode::Paged;
        };
        r.transfer.read(r.host);
        QList<QByteArray> expected;
        for (int step = 1; step <= 28; ++step) {
            expected.append(message(step <= 3 ? "2215" : "2214", 66 + step));
            expected.append(QByteArray::fromHex("2110"));
        }
        QCOMPARE(r.z.writes(), framesOf(expected, r.host.usb));
        // Request, `Delay`, result request, `Delay`, the answer, `Delay`.
        const QList<qint64> times = r.z.writeTimes();
        for (qsizetype i = 1; i < times.size(); ++i)
            QCOMPARE(times[i] - times[i - 1], qint64(i % 2 ? 2000 : 4000));
        QVERIFY(!r.z.station.writtenText().contains(QStringLiteral("XPT")));
        QCOMPARE(r.host.rows, rowsFor(QStringLiteral("L"), [](int step) { return 9 * step; }));
        QCOMPARE(r.marks(), marksOf(28, 0));
        QVERIFY(r.status.contains(QStringLiteral(" sende Leseabfrage...")));
        QVERIFY(r.status.contains(QStringLiteral(" frage Leseergebnis ab...")));
        QCOMPARE(r.status.last(), QStringLiteral(" Lesevorgang beendet ..."));
        QVERIFY(r.notifier().messages.isEmpty());
        QCOMPARE(r.notifier().beeps, 0);
    }

    // A write the station does not confirm stops the run at its step: no row, no green mark,
    // no end of programming.
    void lenzUnconfirmedWrite_data() {
        QTest::addColumn<SimulatedStation::Kind>("kind");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("failingStep");
        QTest::addColumn<QString>("told");  // the status, or the start of the message "title|message"
        const QString notFound = QStringLiteral(" Zentrale meldet 'Daten nicht gefunden'   (Originalstring ' 61 | 13 | 72 ' )");
        QTest::newRow("decoder does not acknowledge") << SimulatedStation::Kind::Lenz << "no ack" << 1 << notFound;
        QTest::newRow("not acknowledged at step 5, LI-USB") << SimulatedStation::Kind::LenzUsb << "no ack" << 5 << notFound;
        QTest::newRow("silent from step 3") << SimulatedStation::Kind::Lenz << "silent" << 3
                                            << " Daten lesen.....|empfange keine Antwort von der Zentrale...      ";
        // The 10th command (CV 76) is lost with the line: the decoder never gets it.
        QTest::newRow("line lost after the 10th command") << SimulatedStation::Kind::Lenz << "lost" << 10
                                                          << QStringLiteral("|Fehler %1:").arg(PortError::Lost);
    }
    void lenzUnconfirmedWrite() {
        QFETCH(SimulatedStation::Kind, kind);
        QFETCH(QString, fault);
        QFETCH(int, failingStep);
        QFETCH(QString, told);
        Rig r(kind);
        r.notifier().expectMessages = fault != QLatin1String("no ack");
        r.stationCurve();
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            r.curve.setValue(step, 3 * step);
        const auto failFromHere = [&] {
            if (fault == QLatin1String("no ack"))
                r.z.station.setWritesAcknowledged(false);
            else if (fault == QLatin1String("silent"))
                r.z.station.setFault(SimulatedStation::Fault::Silent);
            else
                r.z.station.setFault(SimulatedStation::Fault::Vanish);
        };
        const int done = failingStep - 1;
        r.failFromStep(failingStep, failFromHere);
        r.transfer.write(r.host);
        QCOMPARE(r.host.rows, rowsFor(QStringLiteral("S"), [](int step) { return 3 * step; }, done));
        QCOMPARE(r.marks(), marksOf(done, 28 - done));
        // The failing step's write went out; nothing followed its result request.
        const QList<QByteArray> writes = r.z.writes();
        QCOMPARE(writes.size(), 2 * failingStep - (fault == QLatin1String("lost") ? 1 : 0));
        QCOMPARE(writes.at(2 * done), XpressNet::frame(message("2316", 66 + failingStep, 3 * failingStep), r.host.usb));
        if (fault != QLatin1String("silent"))
            QCOMPARE(r.z.station.cv(66 + failingStep), std::optional<int>(9 * failingStep));
        QVERIFY(!r.status.contains(QStringLiteral(" Programmierung beendet ...")));
        if (fault == QLatin1String("no ack")) {
            QCOMPARE(r.status.last(), told);
            QCOMPARE(r.notifier().beeps, 1);
        } else {
            QCOMPARE(r.notifier().messages.size(), 1);
            QVERIFY2(onlyMessage(r.notifier()).contains(told), qPrintable(onlyMessage(r.notifier())));
            QCOMPARE(r.notifier().beeps, 0);
        }
        QVERIFY(!r.transfer.running());
        QVERIFY(!r.z.host.link().exchangeRunning());
    }

    // With `Delay` 0 a station that needs 3 s per CV says "Besetzt" until then and is asked
    // again: the whole table is read and written.
    void lenzSlowStationDelayZero_data() {
        QTest::addColumn<bool>("write");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }
    void lenzSlowStationDelayZero() {
        QFETCH(bool, write);
        Rig r(SimulatedStation::Kind::Lenz);
        r.ctx().Delay = 0;
        r.z.station.setProgrammingDelay(3000);
        r.stationCurve();
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            r.curve.setValue(step, 200 - step);
        if (write)
            r.transfer.write(r.host);
        else
            r.transfer.read(r.host);
        const auto value = [&](int step) { return write ? 200 - step : 9 * step; };
        QCOMPARE(r.host.rows, rowsFor(write ? QStringLiteral("S") : QStringLiteral("L"), value));
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            QCOMPARE(r.z.station.cv(66 + step), std::optional<int>(value(step)));
        QCOMPARE(r.marks(), marksOf(28, 0));
        QVERIFY(r.notifier().messages.isEmpty());
        // Each CV asked for every 270 ms, from its request until 3 s later.
        QCOMPARE(int(r.z.station.xpressNetMessages().count(QByteArray::fromHex("2110"))), 28 * 13);
    }

    // A status answer, silence, a CV the register mode cannot reach: the step fails, the
    // user is told once and the run stops.
    void lenzFailedStep_data() {
        QTest::addColumn<SimulatedStation::Kind>("kind");
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("told");  // the status, or "title|message"
        const QString notFound = QStringLiteral(" Zentrale meldet 'Daten nicht gefunden'   (Originalstring ' 61 | 13 | 72 ' )");
        QTest::newRow("not found") << SimulatedStation::Kind::Lenz << false << "not found" << notFound;
        QTest::newRow("not found, LI-USB") << SimulatedStation::Kind::LenzUsb << false << "not found" << notFound;
        QTest::newRow("short circuit") << SimulatedStation::Kind::Lenz << false << "short"
                                       << " Zentrale meldet 'Kurzschluss'   (Originalstring ' 61 | 12 | 73 ' )";
        QTest::newRow("silent") << SimulatedStation::Kind::Lenz << false << "silent"
                                << " Daten lesen.....|empfange keine Antwort von der Zentrale...      ";
        QTest::newRow("register mode") << SimulatedStation::Kind::Lenz << false << "register" << CvInput::badCvStatus;
        QTest::newRow("write in register mode") << SimulatedStation::Kind::Lenz << true << "register" << CvInput::badCvStatus;
    }
    void lenzFailedStep() {
        QFETCH(SimulatedStation::Kind, kind);
        QFETCH(bool, write);
        QFETCH(QString, fault);
        QFETCH(QString, told);
        Rig r(kind);
        r.notifier().expectMessages = fault == QLatin1String("silent");
        r.host.onRow = [&](int rows) {
            if (rows != 2)
                return;
            if (fault == QLatin1String("not found"))
                r.z.station.setServiceResult(SimulatedStation::ServiceResult::NotFound);
            else if (fault == QLatin1String("short"))
                r.z.station.setServiceResult(SimulatedStation::ServiceResult::ShortCircuit);
            else if (fault == QLatin1String("silent"))
                r.z.station.setFault(SimulatedStation::Fault::Silent);
            else
                r.host.mode = Mode::Register;
        };
        const SpeedCurve::Values before = r.curve.values();
        if (write)
            r.transfer.write(r.host);
        else
            r.transfer.read(r.host);
        QCOMPARE(r.host.rows.size(), 2);
        QCOMPARE(r.marks(), marksOf(2, 26));
        QCOMPARE(r.curve.value(3), before[2]);
        // Register mode sends nothing for CV 69; the others sent its request.
        if (write) {
            const QList<QByteArray> writes = r.z.writes();
            QCOMPARE(int(std::count_if(writes.begin(), writes.end(), [](const QByteArray& f) { return f.startsWith(char(0x23)); })), 2);
        } else {
            QCOMPARE(r.z.writes().size(), fault == QLatin1String("register") ? 4 : 6);
        }
        if (fault == QLatin1String("silent")) {
            QCOMPARE(onlyMessage(r.notifier()), told);
            QCOMPARE(r.notifier().messages[0].icon, Notifier::Icon::Critical);
        } else {
            QVERIFY(r.notifier().messages.isEmpty());
            QCOMPARE(r.status.last(), told);
            QCOMPARE(r.notifier().beeps, 1);
        }
        QVERIFY(!r.transfer.running());
    }

    // A result in the other mode's form is taken, with a beep, the warning and one more
    // pause.
    void lenzModeWarning_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("warning");
        QTest::newRow("register form in direct mode") << int(Mode::Direct) << int(SimulatedStation::ServiceResult::RegisterForm)
                                                      << " Achtung, Zentrale antwortet nicht im CV-Modus ...";
        QTest::newRow("direct form in paged mode") << int(Mode::Paged) << int(SimulatedStation::ServiceResult::DirectForm)
                                                   << " Achtung, Zentrale antwortet im CV-Modus ...";
    }
    void lenzModeWarning() {
        QFETCH(int, mode);
        QFETCH(int, result);
        QFETCH(QString, warning);
        Rig r(SimulatedStation::Kind::Lenz);
        r.stationCurve();
        r.host.mode = Mode(mode);
        r.z.station.setServiceResult(SimulatedStation::ServiceResult(result));
        r.transfer.read(r.host);
        QCOMPARE(r.host.rows, rowsFor(QStringLiteral("L"), [](int step) { return 9 * step; }));
        QCOMPARE(r.notifier().beeps, 28);
        QCOMPARE(r.status.count(warning), 28);
        const QList<qint64> times = r.z.writeTimes();
        QCOMPARE(times.at(2) - times.at(1), qint64(3 * 2000));
    }
};

QTEST_MAIN(TestSpeedTableTransfer)
#include "tst_speedtabletransfer.moc"
