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
        QTest::addColumn<qint64>("done");
        QTest::newRow("ready") << int(Result::Ready) << "Bereit"
                               << " Zentrale meldet 'Bereit'   (Originalstring ' 61 | 11 | 70 ' )" << qint64(2500);
        QTest::newRow("short") << int(Result::ShortCircuit) << "Kurzschluss"
                               << " Zentrale meldet 'Kurzschluss'   (Originalstring ' 61 | 12 | 73 ' )" << qint64(2500);
        QTest::newRow("not found") << int(Result::NotFound) << "Daten nicht gefunden"
                                   << " Zentrale meldet 'Daten nicht gefunden'   (Originalstring ' 61 | 13 | 72 ' )"
                                   << qint64(2500);
        // Asked again until the station's time limit (busyAskedAgain).
        QTest::newRow("busy") << int(Result::Busy) << "Besetzt"
                              << " Zentrale meldet 'Besetzt'   (Originalstring ' 61 | 1F | 7E ' )" << qint64(19780);
    }
    void statusAnswers() {
        QFETCH(int, result);
        QFETCH(QString, word);
        QFETCH(QString, text);
        QFETCH(qint64, done);
        for (bool usb : {false, true}) {
            Rig rig(usb);
            rig.station.setServiceResult(Result(result));
            rig.station.setResultCompany({.acknowledgeAfter = true});
            const ServiceModeOutcome o = rig.serviceMode.read(Mode::Paged, 1);
            QCOMPARE(o.kind, Outcome::Status);
            QCOMPARE(o.statusWord, word);
            QCOMPARE(o.statusText, text);
            QCOMPARE(o.value, -1);
            QCOMPARE(rig.clock.ticks(), done);  // no closing pause after a status
        }
    }

    // A station still at work answers "Besetzt" and is asked again 250 ms later, until it has
    // its result or its 20 s are up, with the window's pauses or with `Delay` 0.
    void busyAskedAgain_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<bool>("delayZero");
        QTest::addColumn<qint64>("workMs");  // -1: busy for ever
        QTest::addColumn<int>("asks");
        QTest::addColumn<qint64>("done");
        // Result requests at 2000 (answered "busy" at 2020, read at 2500), 2750, 3020, the
        // last answered with the result at 3040.
        QTest::newRow("read, 3 s") << false << false << qint64(3000) << 3 << qint64(3040 + 500);
        QTest::newRow("write, 3 s") << true << false << qint64(3000) << 3 << qint64(3040);
        // Every 270 ms from 0 on: the 12th at 2970 still finds the station busy.
        QTest::newRow("read, 3 s, Delay 0") << false << true << qint64(3000) << 13 << qint64(3260);
        QTest::newRow("write, 3 s, Delay 0") << true << true << qint64(3000) << 13 << qint64(3260);
        // Asked until a pause would reach 20 s after the request: 2000, 2750, then every
        // 270 ms up to 19760 (Delay 0: up to 19980).
        QTest::newRow("read, busy for ever") << false << false << qint64(-1) << 2 + 63 << qint64(19760 + 20);
        QTest::newRow("write, busy for ever, Delay 0") << true << true << qint64(-1) << 75 << qint64(19980 + 20);
    }
    void busyAskedAgain() {
        QFETCH(bool, write);
        QFETCH(bool, delayZero);
        QFETCH(qint64, workMs);
        QFETCH(int, asks);
        QFETCH(qint64, done);
        Rig rig(false);
        if (workMs < 0)
            rig.station.setServiceResult(Result::Busy);
        else
            rig.station.setProgrammingDelay(workMs);
        const ServiceModePauses pauses = delayZero ? ServiceModePauses::speedCurve(0) : ServiceModePauses{};
        const ServiceModeOutcome o = write ? rig.serviceMode.write(Mode::Direct, 29, 34, pauses)
                                           : rig.serviceMode.read(Mode::Direct, 29, pauses);
        if (workMs < 0) {
            QCOMPARE(o.kind, Outcome::Status);
            QCOMPARE(o.statusWord, QString("Besetzt"));
        } else {
            QCOMPARE(o.kind, Outcome::Value);
            QCOMPARE(o.value, write ? 34 : 6);
        }
        QCOMPARE(int(rig.station.xpressNetMessages().count(hex("2110"))), asks);
        QCOMPARE(rig.clock.ticks(), done);
        QCOMPARE(rig.station.cv(29).value_or(-1), write ? 34 : 6);
    }

    // A result that names another register or CV is passed over; the right one is taken when
    // it comes within the answer limit.
    void resultForAnotherNumber_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("answer");  // to the result request
        QTest::addColumn<qint64>("laterAt");     // then the right result at this time (-1: none)
        QTest::addColumn<bool>("taken");
        QTest::addColumn<qint64>("done");
        const QByteArray cv2 = XpressNet::frame(hex("63140205"), false);
        const QByteArray cv1 = XpressNet::frame(hex("63140103"), false);
        QTest::newRow("only another CV") << int(Mode::Direct) << 1 << cv2 << qint64(-1) << false << qint64(5501 + 500);
        QTest::newRow("another CV, then CV 1") << int(Mode::Direct) << 1 << cv2 + cv1 << qint64(-1) << true << qint64(3000);
        QTest::newRow("CV 1 a second later") << int(Mode::Direct) << 1 << cv2 << qint64(3500) << true << qint64(4000);
        QTest::newRow("CV 1 after the limit") << int(Mode::Direct) << 1 << cv2 << qint64(5600) << false << qint64(6001);
        QTest::newRow("register 1 for register 5") << int(Mode::Register) << 5 << XpressNet::frame(hex("63100103"), false)
                                                   << qint64(-1) << false << qint64(6001);
    }
    void resultForAnotherNumber() {
        QFETCH(int, mode);
        QFETCH(int, number);
        QFETCH(QByteArray, answer);
        QFETCH(qint64, laterAt);
        QFETCH(bool, taken);
        QFETCH(qint64, done);
        Rig rig(false);
        rig.station.scriptAnswer(hex("610263"));
        rig.station.scriptAnswer(answer);
        if (laterAt >= 0)
            rig.station.queueAnswer(XpressNet::frame(hex("63140103"), false), laterAt);
        const ServiceModeOutcome o = rig.serviceMode.read(Mode(mode), number);
        QCOMPARE(o.kind, taken ? Outcome::Value : Outcome::NoAnswer);
        QCOMPARE(o.value, taken ? 3 : -1);
        QCOMPARE(rig.clock.ticks(), done);
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

    // A write asks for the result as a read does and counts when the station names the
    // register or CV and the value written (D2).
    void write_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<int>("cv");
        QTest::newRow("direct CV29 = 34") << int(Mode::Direct) << 29 << 34 << hex("23161D220A") << hex("63141D2248") << 29;
        QTest::newRow("paged CV29 = 5") << int(Mode::Paged) << 29 << 5 << hex("23171D052C") << hex("63101D056B") << 29;
        QTest::newRow("register 5 = 12") << int(Mode::Register) << 5 << 12 << hex("2312050C38") << hex("6310050C7A") << 29;
        QTest::newRow("direct CV255 = 0") << int(Mode::Direct) << 255 << 0 << hex("2316FF00CA") << hex("6314FF0088") << 255;
    }
    void write() {
        QFETCH(int, mode);
        QFETCH(int, number);
        QFETCH(int, value);
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, result);
        QFETCH(int, cv);
        for (bool usb : {false, true}) {
            Rig rig(usb);
            QStringList statuses;
            rig.serviceMode.setStatusView([&](const QString& text) { statuses << text; });
            const ServiceModeOutcome o = rig.serviceMode.write(Mode(mode), number, value);
            QCOMPARE(o.kind, Outcome::Value);
            QCOMPARE(o.number, number);
            QCOMPARE(o.value, value);
            const QByteArray header = usb ? hex("FFFE") : QByteArray();
            const QList<Line> expected{{0, true, header + frame},
                                       {20, false, rig.broadcast("610263")},
                                       {2000, true, rig.request("211031")},
                                       {2020, false, header + result}};
            QCOMPARE(rig.traffic(), expected);
            QCOMPARE(rig.clock.ticks(), qint64(2500));  // no closing pause after a write
            QVERIFY(statuses.isEmpty());  // the read's texts are not a write's
            QCOMPARE(rig.station.cv(cv).value_or(-1), value);
        }
    }

    // A write the station does not confirm.
    void unconfirmedWrite_data() {
        QTest::addColumn<QString>("station");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("statusText");
        QTest::addColumn<bool>("written");  // the decoder holds the value
        QTest::newRow("decoder does not acknowledge")
            << "no ack" << int(Outcome::Status)
            << " Zentrale meldet 'Daten nicht gefunden'   (Originalstring ' 61 | 13 | 72 ' )" << false;
        QTest::newRow("short circuit") << "short" << int(Outcome::Status)
                                       << " Zentrale meldet 'Kurzschluss'   (Originalstring ' 61 | 12 | 73 ' )" << true;
        QTest::newRow("ready without a result") << "ready" << int(Outcome::Status)
                                                << " Zentrale meldet 'Bereit'   (Originalstring ' 61 | 11 | 70 ' )" << true;
        QTest::newRow("another value") << "other value" << int(Outcome::OtherAnswer) << "" << true;
        QTest::newRow("result request refused") << "refused" << int(Outcome::OtherAnswer) << "" << true;
        QTest::newRow("silent") << "silent" << int(Outcome::NoAnswer) << "" << true;
        QTest::newRow("line lost") << "vanish" << int(Outcome::PortFailed) << "" << false;
    }
    void unconfirmedWrite() {
        QFETCH(QString, station);
        QFETCH(int, kind);
        QFETCH(QString, statusText);
        QFETCH(bool, written);
        for (bool usb : {false, true}) {
            Rig rig(usb);
            rig.station.setCv(29, 6);
            if (station == QLatin1String("no ack"))
                rig.station.setWritesAcknowledged(false);
            else if (station == QLatin1String("short"))
                rig.station.setServiceResult(Result::ShortCircuit);
            else if (station == QLatin1String("ready"))
                rig.station.setServiceResult(Result::Ready);
            else if (station == QLatin1String("silent"))
                rig.station.setFault(SimulatedStation::Fault::Silent);
            else if (station == QLatin1String("vanish"))
                rig.station.setFault(SimulatedStation::Fault::Vanish);
            else {
                rig.station.scriptAnswer(rig.broadcast("610263"));
                rig.station.scriptAnswer(rig.answer(station == QLatin1String("refused") ? "6182E3" : "63141D2349"));
            }
            const ServiceModeOutcome o = rig.serviceMode.write(Mode::Direct, 29, 34);
            QCOMPARE(int(o.kind), kind);
            QCOMPARE(o.statusText, statusText);
            QCOMPARE(rig.station.cv(29).value_or(-1), written ? 34 : 6);
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
            // Lost now: a write fails as well, without a second report.
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
            rig.station.setWritesAcknowledged(false);
            r = programmer.writeCv(3, 13);
            QCOMPARE(r.outcome, CvResult::Outcome::Refused);
            QCOMPARE(r.answer, QString(" Zentrale meldet 'Daten nicht gefunden'   (Originalstring ' 61 | 13 | 72 ' )"));
            rig.station.setWritesAcknowledged(true);

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
            QCOMPARE(rig.station.xpressNetMessages().mid(rig.station.xpressNetMessages().size() - 2),
                     (QList<QByteArray>{hex("23120506"), hex("2110")}));
            programmer.setMode(Mode::Direct);

            const qsizetype before = rig.station.traffic().size();
            QCOMPARE(programmer.readCv(300).outcome, CvResult::Outcome::Refused);
            QCOMPARE(programmer.lastOutcome().kind, Outcome::Refused);
            programmer.finish();
            QCOMPARE(rig.station.traffic().size(), before);

            rig.station.setFault(SimulatedStation::Fault::Silent);
            QCOMPARE(programmer.readCv(1).outcome, CvResult::Outcome::TimedOut);

            rig.station.setFault(SimulatedStation::Fault::Vanish);
            // The write got out, its result request did not.
            QCOMPARE(programmer.writeCv(1, 3).outcome, CvResult::Outcome::PortFailed);
            QCOMPARE(programmer.readCv(1).outcome, CvResult::Outcome::PortFailed);
            QCOMPARE(rig.failures, QList<int>{PortError::Lost});
        }
    }
};

QTEST_GUILESS_MAIN(TestServiceMode)
#include "tst_servicemode.moc"
