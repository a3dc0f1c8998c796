#include "SimulatedStation.h"
#include "lenz/core/LenzCvProgrammer.h"
#include "lenz/core/LenzServiceMode.h"
#include "base/core/Failure.h"
#include "link/core/StationLink.h"
#include "link/core/VirtualClock.h"

#include <QTest>

using Kind = SimulatedStation::Kind;
using Mode = XpressNet::ProgrammingMode;
using Outcome = ServiceModeOutcome::Kind;
using Warning = ServiceModeOutcome::ModeWarning;
using Result = SimulatedStation::ServiceResult;

namespace {
struct Line {
    qint64 time;
    bool toStation;
    QByteArray bytes;
    bool operator==(const Line&) const = default;
};

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

struct Rig {
    explicit Rig(bool usbLine) : usb(usbLine), station(clock, usb ? Kind::LenzUsb : Kind::Lenz) {
        station.open();
        link.setFailureReport([this](const Failure& f) { failures << f.number(); });
    }
    // Requests and answers carry FF FE on LI-USB, broadcasts FF FD.
    QByteArray request(const char* frame) const { return (usb ? hex("FFFE") : QByteArray()) + hex(frame); }
    QByteArray answer(const char* frame) const { return request(frame); }
    QByteArray broadcast(const char* frame) const { return (usb ? hex("FFFD") : QByteArray()) + hex(frame); }
    QList<Line> traffic() const {
        QList<Line> lines;
        for (const SimulatedStation::Traffic& t : station.traffic())
            lines.append({t.time, t.toStation, t.bytes});
        return lines;
    }

    // The exchange is cancelled from this time on.
    void cancelFrom(qint64 at) {
        if (at <= clock.ticks())
            exchange.cancel();
        clock.onAdvance = [this, at](qint64 t) {
            if (t >= at)
                exchange.cancel();
        };
    }

    bool usb;
    VirtualClock clock;
    SimulatedStation station;
    StationLink link{station, clock};
    StationLink::Exchange exchange{link};
    LenzServiceMode serviceMode{link, usb};
    // What the link reported of the port.
    QList<int> failures;
};
}  // namespace

namespace QTest {
template <>
char* toString(const Line& line) {
    return qstrdup(QStringLiteral("%1 %2 %3")
                       .arg(line.time)
                       .arg(line.toStation ? "->" : "<-")
                       .arg(QString::fromLatin1(line.bytes.toHex(' ')))
                       .toLatin1()
                       .constData());
}
}  // namespace QTest

// The service-mode read and write against the simulated Lenz station, serial and LI-USB, on
// virtual time: the exact frames and pauses, and what each answer comes to.
class TestServiceMode : public QObject {
    Q_OBJECT
private slots:
    void readDialogue_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<int>("value");
        QTest::newRow("direct CV29") << int(Mode::Direct) << 29 << hex("22151D2A") << hex("63141D2248") << 34;
        QTest::newRow("register 5") << int(Mode::Register) << 5 << hex("22110536") << hex("6310052254") << 34;
        QTest::newRow("paged CV29") << int(Mode::Paged) << 29 << hex("22141D2B") << hex("63101D224C") << 34;
        QTest::newRow("direct CV8") << int(Mode::Direct) << 8 << hex("2215083F") << hex("631408611E") << 97;
    }
    void readDialogue() {
        QFETCH(int, mode);
        QFETCH(int, number);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, result);
        QFETCH(int, value);
        for (bool usb : {false, true}) {
            Rig rig(usb);
            rig.station.setCv(29, 34);
            QStringList statuses;
            rig.serviceMode.setStatusView([&](const QString& text) { statuses << text; });
            const ServiceModeOutcome o = rig.serviceMode.read(Mode(mode), number);
            QCOMPARE(o.kind, Outcome::Value);
            QCOMPARE(o.number, number);
            QCOMPARE(o.value, value);
            QCOMPARE(o.warning, Warning::None);
            QCOMPARE(o.frame, result);
            const QByteArray header = usb ? hex("FFFE") : QByteArray();
            const QList<Line> expected{{0, true, header + request},
                                       {20, false, rig.broadcast("610263")},
                                       {2000, true, rig.request("211031")},
                                       {2020, false, header + result}};
            QCOMPARE(rig.traffic(), expected);
            QCOMPARE(rig.clock.ticks(), qint64(3000));  // 2000, 500, then 500 after the value
            QCOMPARE(statuses, (QStringList{" sende Leseabfrage...", " frage Leseergebnis ab..."}));
        }
    }

    // Whatever comes with the result, in one read or spread over many, the result is taken.
    void resultInCompany_data() {
        QTest::addColumn<bool>("ackBefore");
        QTest::addColumn<bool>("entryBefore");
        QTest::addColumn<bool>("entryAfter");
        QTest::addColumn<int>("fault");
        QTest::addColumn<qint64>("characterTime");
        using F = SimulatedStation::Fault;
        QTest::newRow("ack before") << true << false << false << int(F::None) << qint64(0);
        QTest::newRow("broadcasts around") << false << true << true << int(F::None) << qint64(0);
        QTest::newRow("all around") << true << true << true << int(F::None) << qint64(0);
        QTest::newRow("three bytes a read") << true << false << true << int(F::Split) << qint64(0);
        // The answer starts 600 ms after the result request, one byte every 40 ms: the
        // collection polls while it comes in and ends on the result's last byte.
        QTest::newRow("slow line") << true << true << false << int(F::None) << qint64(40);
    }
    void resultInCompany() {
        QFETCH(bool, ackBefore);
        QFETCH(bool, entryBefore);
        QFETCH(bool, entryAfter);
        QFETCH(int, fault);
        QFETCH(qint64, characterTime);
        for (bool usb : {false, true}) {
            Rig rig(usb);
            rig.station.setCv(1, 3);
            rig.station.setResultCompany({.acknowledgeBefore = ackBefore,
                                          .entryBroadcastBefore = entryBefore,
                                          .entryBroadcastAfter = entryAfter});
            rig.station.setFault(SimulatedStation::Fault(fault));
            qint64 done = 3000;
            if (characterTime > 0) {
                rig.station.setCharacterTime(characterTime);
                rig.station.setAnswerDelay(600);
                const int header = usb ? 2 : 0;
                const int bytes = (3 + header) * (int(ackBefore) + int(entryBefore)) + 5 + header;
                done = 2000 + 600 + (bytes - 1) * characterTime + 500;
            }
            const ServiceModeOutcome o = rig.serviceMode.read(Mode::Direct, 1);
            QCOMPARE(o.kind, Outcome::Value);
            QCOMPARE(o.number, 1);
            QCOMPARE(o.value, 3);
            QCOMPARE(o.frame, hex("6314010375"));
            QCOMPARE(rig.clock.ticks(), done);
        }
    }

    void statusAnswers_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("text");
        QTest::newRow("ready") << int(Result::Ready) << "Bereit"
                               << " Zentrale meldet 'Bereit'   (Originalstring ' 61 | 11 | 70 ' )";
        QTest::newRow("short") << int(Result::ShortCircuit) << "Kurzschluss"
                               << " Zentrale meldet 'Kurzschluss'   (Originalstring ' 61 | 12 | 73 ' )";
        QTest::newRow("not found") << int(Result::NotFound) << "Daten nicht gefunden"
                                   << " Zentrale meldet 'Daten nicht gefunden'   (Originalstring ' 61 | 13 | 72 ' )";
        QTest::newRow("busy") << int(Result::Busy) << "Besetzt"
                              << " Zentrale meldet 'Besetzt'   (Originalstring ' 61 | 1F | 7E ' )";
    }
    void statusAnswers() {
        QFETCH(int, result);
        QFETCH(QString, word);
        QFETCH(QString, text);
        for (bool usb : {false, true}) {
            Rig rig(usb);
            rig.station.setServiceResult(Result(result));
            rig.station.setResultCompany({.acknowledgeAfter = true});
            const ServiceModeOutcome o = rig.serviceMode.read(Mode::Paged, 1);
            QCOMPARE(o.kind, Outcome::Status);
            QCOMPARE(o.statusWord, word);
            QCOMPARE(o.statusText, text);
            QCOMPARE(o.value, -1);
            QCOMPARE(rig.clock.ticks(), qint64(2500));  // no closing pause after a status
        }
    }

    // A station still at work when asked says so.
    void askedTooEarly() {
        Rig rig(false);
        rig.station.setProgrammingDelay(2500);
        const ServiceModeOutcome o = rig.serviceMode.read(Mode::Direct, 1);
        QCOMPARE(o.kind, Outcome::Status);
        QCOMPARE(o.statusWord, QString("Besetzt"));
    }

    // The speed-curve editor's pauses: `Delay` in place of 2000, 500 and the closing 500.
    void speedCurvePauses() {
        Rig rig(true);
        rig.station.setProgrammingDelay(100);
        const ServiceModeOutcome o = rig.serviceMode.read(Mode::Direct, 67, ServiceModePauses::speedCurve(300));
        QCOMPARE(o.kind, Outcome::Value);
        QCOMPARE(o.value, 9);
        const QList<Line> traffic = rig.traffic();
        QCOMPARE(traffic.size(), 4);
        QCOMPARE(traffic[2], (Line{300, true, rig.request("211031")}));
        QCOMPARE(rig.clock.ticks(), qint64(900));
    }

    void noAnswer_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("wrongCheck");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<int>("chatter");
        QTest::addColumn<bool>("stillArriving");
        QTest::addColumn<qint64>("done");
        using F = SimulatedStation::Fault;
        // Collection from 2500 until past 5500, then the closing pause, unless bytes were
        // still coming in then.
        QTest::newRow("silent") << int(F::Silent) << false << true << 0 << false << qint64(5501 + 500);
        QTest::newRow("wrong check byte") << int(F::None) << true << false << 0 << false << qint64(5501 + 500);
        QTest::newRow("garbage") << int(F::Garbage) << false << false << 0 << false << qint64(5501 + 500);
        QTest::newRow("line chattering at the limit") << int(F::Silent) << false << false << 3100 << true << qint64(5501);
        QTest::newRow("chatter over before the limit") << int(F::Silent) << false << false << 2500 << false
                                                       << qint64(5501 + 500);
    }
    void noAnswer() {
        QFETCH(int, fault);
        QFETCH(bool, wrongCheck);
        QFETCH(bool, silent);
        QFETCH(int, chatter);
        QFETCH(bool, stillArriving);
        QFETCH(qint64, done);
        for (bool usb : {false, true}) {
            Rig rig(usb);
            rig.station.setFault(SimulatedStation::Fault(fault));
            rig.station.setResultCheckByteWrong(wrongCheck);
            // Noise on the line every 20 ms from the result request on, for `chatter` ms.
            for (int t = 0; t < chatter; t += 20)
                rig.station.queueAnswer(QByteArray(1, char(0xF5)), 2500 + t);
            const ServiceModeOutcome o = rig.serviceMode.read(Mode::Direct, 1);
            QCOMPARE(o.kind, Outcome::NoAnswer);
            QCOMPARE(o.silent(), silent);
            QCOMPARE(o.stillArriving, stillArriving);
            QCOMPARE(o.value, -1);
            QCOMPARE(rig.clock.ticks(), done);
            if (wrongCheck)
                QCOMPARE(o.received, rig.answer("6314010375").chopped(1) + char(0x75 ^ 0x5A));
            // Nothing more went out than the two requests.
            QCOMPARE(rig.station.xpressNetMessages(), (QList<QByteArray>{hex("221501"), hex("2110")}));
        }
    }

    void modeWarnings_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("warning");
        QTest::newRow("register form in direct mode") << int(Mode::Direct) << int(Result::RegisterForm) << int(Warning::NotDirect);
        QTest::newRow("direct form in register mode") << int(Mode::Register) << int(Result::DirectForm) << int(Warning::Direct);
        QTest::newRow("direct form in paged mode") << int(Mode::Paged) << int(Result::DirectForm) << int(Warning::Direct);
        QTest::newRow("register form in paged mode") << int(Mode::Paged) << int(Result::RegisterForm) << int(Warning::None);
    }
    void modeWarnings() {
        QFETCH(int, mode);
        QFETCH(int, result);
        QFETCH(int, warning);
        for (bool usb : {false, true}) {
            Rig rig(usb);
            rig.station.setServiceResult(Result(result));
            const ServiceModeOutcome o = rig.serviceMode.read(Mode(mode), 1);
            // The value is taken all the same, with the closing pause.
            QCOMPARE(o.kind, Outcome::Value);
            QCOMPARE(o.value, 3);
            QCOMPARE(int(o.warning), warning);
            QCOMPARE(rig.clock.ticks(), qint64(3000));
        }
    }

    void stationRefusesResultRequest() {
        Rig rig(false);
        rig.station.scriptAnswer(hex("610263"));
        rig.station.scriptAnswer(hex("6182E3"));
        const ServiceModeOutcome o = rig.serviceMode.read(Mode::Direct, 1);
        QCOMPARE(o.kind, Outcome::OtherAnswer);
        QCOMPARE(o.frame, hex("6182E3"));
        QCOMPARE(rig.clock.ticks(), qint64(2500));
    }

    void write_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("cv");
        QTest::newRow("direct CV29 = 34") << int(Mode::Direct) << 29 << 34 << hex("23161D220A") << 29;
        QTest::newRow("paged CV29 = 5") << int(Mode::Paged) << 29 << 5 << hex("23171D052C") << 29;
        QTest::newRow("register 5 = 12") << int(Mode::Register) << 5 << 12 << hex("2312050C38") << 29;
        QTest::newRow("direct CV255 = 0") << int(Mode::Direct) << 255 << 0 << hex("2316FF00CA") << 255;
    }
    void write() {
        QFETCH(int, mode);
        QFETCH(int, number);
        QFETCH(int, value);
        QFETCH(QByteArray, frame);
        QFETCH(int, cv);
        for (bool usb : {false, true}) {
            Rig rig(usb);
            const ServiceModeOutcome o = rig.serviceMode.write(Mode(mode), number, value);
            QCOMPARE(o.kind, Outcome::Sent);
            QCOMPARE(rig.traffic(), (QList<Line>{{0, true, (usb ? hex("FFFE") : QByteArray()) + frame}}));
            QCOMPARE(rig.clock.ticks(), qint64(0));  // no pause, no answer read
            QCOMPARE(rig.station.cv(cv).value_or(-1), value);
        }
    }

    void outOfRangeSendsNothing_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("value");  // -2: a read
        QTest::newRow("read CV 0") << int(Mode::Direct) << 0 << -2;
        QTest::newRow("read CV 256") << int(Mode::Direct) << 256 << -2;
        QTest::newRow("read paged CV 999") << int(Mode::Paged) << 999 << -2;
        QTest::newRow("read register 9") << int(Mode::Register) << 9 << -2;
        QTest::newRow("read register 29") << int(Mode::Register) << 29 << -2;
        QTest::newRow("write value 256") << int(Mode::Direct) << 29 << 256;
        QTest::newRow("write value -1") << int(Mode::Paged) << 29 << -1;
        QTest::newRow("write register 0") << int(Mode::Register) << 0 << 5;
    }
    void outOfRangeSendsNothing() {
        QFETCH(int, mode);
        QFETCH(int, number);
        QFETCH(int, value);
        for (bool usb : {false, true}) {
            Rig rig(usb);
            const ServiceModeOutcome o = value == -2 ? rig.serviceMode.read(Mode(mode), number)
                                                     : rig.serviceMode.write(Mode(mode), number, value);
            QCOMPARE(o.kind, Outcome::Refused);
            QVERIFY(rig.station.traffic().isEmpty());
            QCOMPARE(rig.clock.ticks(), qint64(0));
        }
    }

    void cancelled_data() {
        QTest::addColumn<qint64>("at");
        QTest::addColumn<int>("messages");
        QTest::addColumn<qint64>("done");
        QTest::newRow("before the read") << qint64(0) << 0 << qint64(0);
        // The pause blocks; the cancel is seen when it ends, before the result request.
        QTest::newRow("during the first pause") << qint64(1000) << 1 << qint64(2000);
        QTest::newRow("during the answer wait") << qint64(4000) << 2 << qint64(4000);
    }
    void cancelled() {
        QFETCH(qint64, at);
        QFETCH(int, messages);
        QFETCH(qint64, done);
        Rig rig(false);
        rig.station.setFault(SimulatedStation::Fault::Silent);
        rig.cancelFrom(at);
        const ServiceModeOutcome o = rig.serviceMode.read(Mode::Direct, 1);
        QCOMPARE(o.kind, Outcome::Cancelled);
        QCOMPARE(int(rig.station.xpressNetMessages().size()), messages);
        QCOMPARE(rig.clock.ticks(), done);
    }

    void portFailure() {
        for (bool usb : {false, true}) {
            Rig rig(usb);
            rig.station.setFault(SimulatedStation::Fault::Vanish);
            const ServiceModeOutcome o = rig.serviceMode.read(Mode::Direct, 1);
            QCOMPARE(o.kind, Outcome::PortFailed);
            // Closed now: a write fails as well, without a second report.
            QCOMPARE(rig.serviceMode.write(Mode::Direct, 1, 3).kind, Outcome::PortFailed);
            QCOMPARE(rig.failures, QList<int>{PortError::Lost});
        }
    }

    // The read/write-CV interface over the same transaction, for the panels, table runs and
    // the speed-curve transfer.
    void cvProgrammer() {
        for (bool usb : {false, true}) {
            Rig rig(usb);
            LenzCvProgrammer programmer(rig.serviceMode, Mode::Direct);

            CvResult r = programmer.readCv(8);
            QVERIFY(r.ok());
            QCOMPARE(r.value, 97);
            QCOMPARE(programmer.lastOutcome().number, 8);

            r = programmer.writeCv(3, 12);
            QVERIFY(r.ok());
            QCOMPARE(rig.station.cv(3).value_or(-1), 12);

            rig.station.setServiceResult(Result::NotFound);
            r = programmer.readCv(3);
            QCOMPARE(r.outcome, CvResult::Outcome::Refused);
            QCOMPARE(r.answer, QString(" Zentrale meldet 'Daten nicht gefunden'   (Originalstring ' 61 | 13 | 72 ' )"));

            rig.station.setServiceResult(Result::RegisterForm);
            r = programmer.readCv(3);
            QVERIFY(r.ok());
            QCOMPARE(programmer.lastOutcome().warning, Warning::NotDirect);
            programmer.setMode(Mode::Register);
            QVERIFY(programmer.writeCv(5, 6).ok());
            QCOMPARE(rig.station.xpressNetMessages().last(), hex("23120506"));
            programmer.setMode(Mode::Direct);

            const qsizetype before = rig.station.traffic().size();
            QCOMPARE(programmer.readCv(300).outcome, CvResult::Outcome::Refused);
            QCOMPARE(programmer.lastOutcome().kind, Outcome::Refused);
            programmer.finish();
            QCOMPARE(rig.station.traffic().size(), before);

            rig.station.setFault(SimulatedStation::Fault::Silent);
            QCOMPARE(programmer.readCv(1).outcome, CvResult::Outcome::TimedOut);

            rig.station.setFault(SimulatedStation::Fault::Vanish);
            QCOMPARE(programmer.writeCv(1, 3).outcome, CvResult::Outcome::Ok);  // the write itself got out
            QCOMPARE(programmer.readCv(1).outcome, CvResult::Outcome::PortFailed);
            QCOMPARE(rig.failures, QList<int>{PortError::Lost});
        }
    }
};

QTEST_GUILESS_MAIN(TestServiceMode)
#include "tst_servicemode.moc"
