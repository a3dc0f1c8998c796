#include "SimulatedStation.h"
#include "link/core/StationLink.h"
#include "TestFiles.h"
#include "link/core/VirtualClock.h"

#include <QTest>

using Kind = SimulatedStation::Kind;

Q_DECLARE_METATYPE(QList<QByteArray>)

namespace {
struct Rig {
    explicit Rig(Kind kind = Kind::Intellibox) : station(clock, kind), link(station, clock) { station.open(); }
    // One P50X exchange through the link's answer wait.
    QString exchange(const QString& command) {
        link.drain();
        link.tellP50X(command);
        return link.receive(StationLink::Framing::P50x, 20000).text();
    }
    // Lets virtual time pass and returns what arrived meanwhile.
    QByteArray after(qint64 ms) {
        clock.advance(ms);
        return station.readAll();
    }
    VirtualClock clock;
    SimulatedStation station;
    StationLink link;
    StationLink::Exchange held{link};
};
}  // namespace

// The simulated station against the public protocol descriptions, so that window tests can
// trust what it says.
class TestSimulatedStation : public QObject {
    Q_OBJECT
private slots:
    void p50xAnswers_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        const int ib = int(Kind::Intellibox);
        const int mc = int(Kind::MasterControl);
        QTest::newRow("read CV29") << ib << "XPTRD 29" << "6 = $06 = %00000110\r]";
        QTest::newRow("read without blank") << ib << "XPTRD8" << "97 = $61 = %01100001\r]";
        QTest::newRow("lower case") << ib << "xptrd 1" << "3 = $03 = %00000011\r]";
        QTest::newRow("unknown CV") << ib << "XPTRD 1000" << "No ack\r]";
        QTest::newRow("CV out of range") << ib << "XPTRD 1025" << "Error\r]";
        QTest::newRow("register 5 is CV29") << ib << "XPTRR 5" << "6 = $06 = %00000110\r]";
        QTest::newRow("long address") << ib << "XPTRL" << "3\r]";
        QTest::newRow("write") << ib << "XPTWD 29, 34" << "Ok\r]";
        QTest::newRow("main track") << ib << "XPD 3, 29, 6" << "Ok\r]";
        QTest::newRow("track relay") << ib << "XPT1" << "Ok\r]";
        QTest::newRow("special option 1") << ib << "XSO 1" << "0\r]";
        QTest::newRow("special option 663") << ib << "XSO 663" << "1\r]";
        QTest::newRow("loco format 80") << ib << "XLC 80" << "Mot old\r]";
        QTest::newRow("loco without data") << ib << "XL 3" << "No Lok data!\r]";
        QTest::newRow("drive") << ib << "XL 3, 64, 1, 1, 0, 0, 0, 0" << "L 3 64 1 1 0 0 0 0\r]";
        QTest::newRow("power on") << ib << "XGo" << "Ok\r]";
        QTest::newRow("selectrix read") << ib << "XPTSR" << "SX = 3,4,2,1,1\r]";
        QTest::newRow("address search") << ib << "XPTMS" << "3\r]";
        QTest::newRow("IB has no TPM") << ib << "XTPM 80" << "Unknown command\r]";
        QTest::newRow("MC programming mode") << mc << "XTPM 80" << "Ok\r]";
        QTest::newRow("unknown") << ib << "XFOO" << "Unknown command\r]";
    }
    void p50xAnswers() {
        QFETCH(int, kind);
        QFETCH(QString, command);
        QFETCH(QString, answer);
        Rig rig{Kind(kind)};
        rig.link.tellP50X(command);
        const StationLink::Reply got = rig.link.receive(StationLink::Framing::P50x, -1);
        QVERIFY(got.answered());
        QCOMPARE(got.text(), answer);
        QCOMPARE(rig.station.p50xCommands(), QStringList{command});
        QCOMPARE(rig.station.traffic().first().bytes, command.toLatin1() + '\r');
    }

    void writesChangeTheDecoder() {
        Rig rig;
        QCOMPARE(rig.exchange("XPTWD 29,34"), QString("Ok\r]"));
        QCOMPARE(rig.station.cv(29).value_or(-1), 34);
        QCOMPARE(rig.exchange("XPTWR 1, 7"), QString("Ok\r]"));
        QCOMPARE(rig.station.cv(1).value_or(-1), 7);
        // Long address 4797: CV17 = 210, CV18 = 189, and bit 5 of CV29 set.
        QCOMPARE(rig.exchange("XPTWL 4797"), QString("Ok\r]"));
        QCOMPARE(rig.station.cv(17).value_or(-1), 210);
        QCOMPARE(rig.station.cv(18).value_or(-1), 189);
        QCOMPARE(rig.station.cv(29).value_or(-1), 34 | 0x20);
        QCOMPARE(rig.exchange("XPTRL"), QString("4797\r]"));
        QCOMPARE(rig.station.decoderAddress(), 4797);
        QCOMPARE(rig.exchange("XPTWL 99"), QString("Error\r]"));
        QCOMPARE(rig.exchange("XPD 4797, 3, 9"), QString("Ok\r]"));
        QCOMPARE(rig.station.cv(3).value_or(-1), 9);
        QCOMPARE(rig.exchange("XPTSW 5,7,3,2,1"), QString("Ok\r]"));
        QCOMPARE(rig.station.sxParameters(), (std::array<int, 5>{5, 7, 3, 2, 1}));
    }

    void programmingErrors_data() {
        QTest::addColumn<QString>("error");
        QTest::newRow("no ack") << "No ack";
        QTest::newRow("short") << "Short!";
        QTest::newRow("timeout") << "Timeout";
    }
    void programmingErrors() {
        QFETCH(QString, error);
        Rig rig;
        rig.station.setProgrammingError(error);
        QCOMPARE(rig.exchange("XPTRD 1"), error + "\r]");
        QCOMPARE(rig.exchange("XPTWD 1, 5"), error + "\r]");
        QCOMPARE(rig.station.cv(1).value_or(-1), 3);
        QCOMPARE(rig.exchange("XPT0"), QString("Ok\r]"));
    }

    // Programming-track work takes its time, and the station answers nothing else meanwhile.
    void programmingTakesItsTime() {
        Rig rig;
        rig.station.setProgrammingDelay(5000);
        rig.link.tellP50X("XPTRD 1");
        rig.link.tellP50X("XPT0");
        QVERIFY(rig.after(4999).isEmpty());
        QCOMPARE(rig.after(1), QByteArray("3 = $03 = %00000011\r]"));
        QCOMPARE(rig.after(20), QByteArray("Ok\r]"));
        const auto& traffic = rig.station.traffic();
        QCOMPARE(traffic.size(), 4);
        QCOMPARE(traffic[2].time, 5000);
        QVERIFY(!traffic[2].toStation);
    }

    void versionText() {
        Rig rig;
        const QString version = rig.exchange("XV");
        QVERIFY(version.endsWith(u']'));
        QCOMPARE(version.count(u']'), 1);
        // The settings window takes its fields from fixed offsets behind each key.
        QCOMPARE(version.mid(version.indexOf("SPU") + 5, 6), QString("1.650 "));
        QCOMPARE(version.mid(version.indexOf("S/N") + 5, 10), QString("0071234567"));
    }

    void p50BytesBetweenTextCommands_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArray>("p50");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<bool>("powerOn");
        QTest::newRow("IB: pair, text, power")
            << int(Kind::Intellibox) << QByteArray("\x00\x50XPT1\r\x0F\x50\x61", 10) << QByteArray("\x00\x50\x0F\x50\x61", 5)
            << QStringList{"XPT1"} << false;
        // A pair whose address byte is 'X' is no text command.
        QTest::newRow("IB: address 88") << int(Kind::Intellibox) << QByteArray("\x0FX\x60") << QByteArray("\x0FX\x60")
                                        << QStringList{} << true;
        QTest::newRow("6021 knows no text") << int(Kind::Cu6021) << QByteArray("\x61XGo\r") << QByteArray("\x61XGo\r")
                                            << QStringList{} << false;
    }
    void p50BytesBetweenTextCommands() {
        QFETCH(int, kind);
        QFETCH(QByteArray, sent);
        QFETCH(QByteArray, p50);
        QFETCH(QStringList, commands);
        QFETCH(bool, powerOn);
        Rig rig{Kind(kind)};
        for (char byte : sent)  // byte by byte, as the Motorola sequences send them
            rig.station.write(QByteArray(1, byte));
        QCOMPARE(rig.station.p50Bytes(), p50);
        QCOMPARE(rig.station.p50xCommands(), commands);
        QCOMPARE(rig.station.powerOn(), powerOn);
        if (kind == int(Kind::Cu6021))
            QVERIFY(rig.after(5000).isEmpty());
    }

    void resetDropsCts_data() {
        QTest::addColumn<qint64>("resetTime");
        QTest::addColumn<bool>("ctsAfter8s");
        QTest::newRow("comes back") << qint64(2000) << true;
        QTest::newRow("never") << qint64(-1) << false;
    }
    void resetDropsCts() {
        QFETCH(qint64, resetTime);
        QFETCH(bool, ctsAfter8s);
        Rig rig;
        rig.station.setResetTime(resetTime);
        QCOMPARE(rig.station.cts(), std::optional<bool>(true));
        rig.link.tellP50X("X@@");
        QCOMPARE(rig.station.cts(), std::optional<bool>(false));
        const qint64 start = rig.clock.ticks();
        QCOMPARE(rig.link.waitForCts(8000) == StationLink::CtsWait::On, ctsAfter8s);
        if (ctsAfter8s)
            QVERIFY(rig.clock.ticks() - start >= 2000 && rig.clock.ticks() - start < 2100);
        else
            QVERIFY(rig.clock.ticks() - start > 8000);
        QVERIFY(rig.after(100).isEmpty());  // a reset answers nothing
    }

    // The service-mode dialogues of the public programmer tests, serial and USB.
    void lenzDialogues_data() {
        QTest::addColumn<int>("cv29");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<int>("cv29After");
        QTest::newRow("read direct") << 34 << QByteArray::fromHex("22151D2A") << QByteArray::fromHex("63141D2248") << 34;
        QTest::newRow("write direct") << 6 << QByteArray::fromHex("23161D220A") << QByteArray::fromHex("63141D2248") << 34;
        QTest::newRow("read register 5") << 34 << QByteArray::fromHex("22110536") << QByteArray::fromHex("6310052254") << 34;
        QTest::newRow("write register 5") << 6 << QByteArray::fromHex("2312050C38") << QByteArray::fromHex("6310050C7A") << 12;
        QTest::newRow("read paged") << 34 << QByteArray::fromHex("22141D2B") << withCheck("63101D22") << 34;
    }
    void lenzDialogues() {
        QFETCH(int, cv29);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, result);
        QFETCH(int, cv29After);
        for (Kind kind : {Kind::Lenz, Kind::LenzUsb}) {
            const bool usb = kind == Kind::LenzUsb;
            // Requests and answers carry FF FE on USB, broadcasts FF FD.
            const QByteArray header = usb ? QByteArray::fromHex("FFFE") : QByteArray();
            const QByteArray broadcastHeader = usb ? QByteArray::fromHex("FFFD") : QByteArray();
            Rig rig(kind);
            rig.station.setCv(29, cv29);
            rig.station.write(header + request);
            QCOMPARE(rig.after(100), broadcastHeader + QByteArray::fromHex("610263"));
            // Asked too early, the station is still busy.
            rig.station.write(header + QByteArray::fromHex("211031"));
            QCOMPARE(rig.after(100), header + QByteArray::fromHex("611F7E"));
            rig.clock.advance(2000);
            rig.station.write(header + QByteArray::fromHex("211031"));
            QCOMPARE(rig.after(100), header + result);
            QCOMPARE(rig.station.cv(29).value_or(-1), cv29After);
            QCOMPARE(rig.station.xpressNetMessages().first(), request.chopped(1));
        }
    }

    void lenzResults_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("answer");
        using R = SimulatedStation::ServiceResult;
        QTest::newRow("ready") << int(R::Ready) << QByteArray::fromHex("611170");
        QTest::newRow("not found") << int(R::NotFound) << QByteArray::fromHex("611372");
        QTest::newRow("short") << int(R::ShortCircuit) << QByteArray::fromHex("611273");
        QTest::newRow("busy") << int(R::Busy) << QByteArray::fromHex("611F7E");
        QTest::newRow("register form") << int(R::RegisterForm) << QByteArray::fromHex("6310010371");
        QTest::newRow("direct form") << int(R::DirectForm) << QByteArray::fromHex("6314010375");
    }
    void lenzResults() {
        QFETCH(int, result);
        QFETCH(QByteArray, answer);
        Rig rig(Kind::Lenz);
        rig.station.setServiceResult(SimulatedStation::ServiceResult(result));
        rig.station.write(withCheck("221401"));  // paged read of CV1
        rig.clock.advance(3000);
        rig.station.readAll();
        rig.station.write(QByteArray::fromHex("211031"));
        QCOMPARE(rig.after(100), answer);
    }

    void lenzOtherMessages_data() {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("powerOn");
        QTest::newRow("power off") << QByteArray::fromHex("2180A1") << QByteArray::fromHex("610061") << false;
        QTest::newRow("power on") << QByteArray::fromHex("2181A0") << QByteArray::fromHex("610160") << true;
        QTest::newRow("stop all") << QByteArray::fromHex("8080") << QByteArray::fromHex("810081") << true;
        QTest::newRow("stop loco") << QByteArray::fromHex("92C4D284") << QByteArray::fromHex("010405") << true;
        QTest::newRow("drive") << QByteArray::fromHex("E412C4D29878") << QByteArray::fromHex("010405") << true;
        QTest::newRow("bad check byte") << QByteArray::fromHex("2180A0") << QByteArray::fromHex("6180E1") << true;
        QTest::newRow("unknown") << QByteArray::fromHex("F0F0") << QByteArray::fromHex("6182E3") << true;
    }
    void lenzOtherMessages() {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        QFETCH(bool, powerOn);
        Rig rig(Kind::Lenz);
        rig.station.write(request.left(2));  // a frame may arrive in pieces
        rig.station.write(request.mid(2));
        QCOMPARE(rig.after(100), answer);
        QCOMPARE(rig.station.powerOn(), powerOn);
    }

    // A station at work on a read or write answers the result request "busy" until the
    // programming delay is over; a decoder that does not acknowledge a write keeps its CV,
    // and the result request then gives "data not found".
    void lenzBusyThenResult_data() {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<qint64>("workMs");
        QTest::addColumn<bool>("acknowledged");
        QTest::addColumn<QList<qint64>>("asks");  // times of the result requests
        QTest::addColumn<QList<QByteArray>>("answers");
        QTest::addColumn<int>("cv1After");
        const QByteArray busy = QByteArray::fromHex("611F7E");
        const QByteArray notFound = QByteArray::fromHex("611372");
        QTest::newRow("read, 3 s") << withCheck("221501") << qint64(3000) << true << QList<qint64>{1000, 2999, 3000}
                                   << QList<QByteArray>{busy, busy, withCheck("63140103")} << 3;
        QTest::newRow("write, 3 s") << withCheck("23160107") << qint64(3000) << true << QList<qint64>{20, 3100}
                                    << QList<QByteArray>{busy, withCheck("63140107")} << 7;
        QTest::newRow("write not acknowledged") << withCheck("23160107") << qint64(1500) << false
                                                << QList<qint64>{1000, 1500, 4000}
                                                << QList<QByteArray>{busy, notFound, notFound} << 3;
        QTest::newRow("read, writes not acknowledged") << withCheck("221501") << qint64(1500) << false
                                                       << QList<qint64>{1500} << QList<QByteArray>{withCheck("63140103")}
                                                       << 3;
    }
    void lenzBusyThenResult() {
        QFETCH(QByteArray, request);
        QFETCH(qint64, workMs);
        QFETCH(bool, acknowledged);
        QFETCH(QList<qint64>, asks);
        QFETCH(QList<QByteArray>, answers);
        QFETCH(int, cv1After);
        Rig rig(Kind::Lenz);
        rig.station.setProgrammingDelay(workMs);
        rig.station.setWritesAcknowledged(acknowledged);
        rig.station.write(request);
        QCOMPARE(rig.after(20), QByteArray::fromHex("610263"));
        QList<QByteArray> got;
        for (const qint64 at : asks) {
            rig.clock.advance(at - rig.clock.ticks());
            rig.station.write(QByteArray::fromHex("211031"));
            got.append(rig.after(20));
        }
        QCOMPARE(got, answers);
        QCOMPARE(rig.station.cv(1).value_or(-1), cv1After);
    }

    // The interface confirms a service-mode request when the station has carried it out.
    void lenzAcknowledgesWhenDone() {
        Rig rig(Kind::LenzUsb);
        rig.station.setAcknowledgeServiceRequests(true);
        rig.station.write(QByteArray::fromHex("FFFE22150136"));
        QCOMPARE(rig.after(1499), QByteArray::fromHex("FFFD610263"));
        QCOMPARE(rig.after(1), QByteArray::fromHex("FFFE010405"));
    }

    // What comes after the result request, read by read.
    void lenzResultDelivery_data() {
        QTest::addColumn<bool>("company");
        QTest::addColumn<bool>("wrongCheck");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QByteArray>("serial");  // the frames as on the serial line
        using F = SimulatedStation::Fault;
        const QByteArray result = QByteArray::fromHex("6314010375");
        const QByteArray ackAndEntry = QByteArray::fromHex("010405610263");
        QTest::newRow("plain") << false << false << int(F::None) << result;
        QTest::newRow("company in one read") << true << false << int(F::None) << ackAndEntry + result + ackAndEntry;
        QTest::newRow("wrong check byte") << false << true << int(F::None) << QByteArray::fromHex("631401032F");
        QTest::newRow("three bytes a read") << false << false << int(F::Split) << result;
        QTest::newRow("silent") << true << false << int(F::Silent) << QByteArray();
    }
    void lenzResultDelivery() {
        QFETCH(bool, company);
        QFETCH(bool, wrongCheck);
        QFETCH(int, fault);
        QFETCH(QByteArray, serial);
        using F = SimulatedStation::Fault;
        for (Kind kind : {Kind::Lenz, Kind::LenzUsb}) {
            const bool usb = kind == Kind::LenzUsb;
            Rig rig(kind);
            if (company)
                rig.station.setResultCompany({true, true, true, true});
            rig.station.setResultCheckByteWrong(wrongCheck);
            rig.station.setFault(SimulatedStation::Fault(fault));
            const QByteArray header = usb ? QByteArray::fromHex("FFFE") : QByteArray();
            rig.station.write(header + QByteArray::fromHex("22150136"));  // direct read of CV1
            const auto reads = [&] {
                QList<QByteArray> chunks;
                for (QByteArray chunk = rig.station.readAll(); !chunk.isEmpty(); chunk = rig.station.readAll())
                    chunks << chunk;
                return chunks;
            };
            rig.clock.advance(2000);
            (void)reads();
            rig.station.write(header + QByteArray::fromHex("211031"));
            rig.clock.advance(100);
            const QList<QByteArray> got = reads();
            // On USB each frame carries its own header: FF FD for the broadcast, FF FE else.
            QByteArray line;
            for (qsizetype i = 0, length = 0; i < serial.size(); i += length) {
                length = (quint8(serial[i]) & 0x0F) + 2;
                if (usb)
                    line += QByteArray::fromHex(serial.mid(i, 2) == "\x61\x02" ? "FFFD" : "FFFE");
                line += serial.mid(i, length);
            }
            QList<QByteArray> expected;
            for (qsizetype i = 0; i < line.size(); i += fault == int(F::Split) ? 3 : line.size())
                expected << line.mid(i, fault == int(F::Split) ? 3 : line.size());
            QCOMPARE(got, expected);
        }
    }

    void usbResynchronises() {
        Rig rig(Kind::LenzUsb);
        rig.station.write(QByteArray::fromHex("0711FFFE2180A1"));
        QCOMPARE(rig.after(100), QByteArray::fromHex("FFFD610061"));
        QCOMPARE(rig.station.xpressNetMessages(), QList<QByteArray>{QByteArray::fromHex("2180")});
    }

    void selectrixChannels() {
        Rig rig(Kind::Selectrix);
        rig.station.write(QByteArray::fromHex("FF00"));
        QVERIFY(!rig.station.powerOn());
        rig.station.write(QByteArray::fromHex("7F00"));
        QCOMPARE(rig.after(50), QByteArray::fromHex("00"));
        rig.station.write(QByteArray::fromHex("FF80854A"));
        QVERIFY(rig.station.powerOn());
        QCOMPARE(rig.station.channel(5), quint8(0x4A));
        rig.station.write(QByteArray::fromHex("0500"));
        QCOMPARE(rig.after(50), QByteArray::fromHex("4A"));
    }

    // DCC CV access through the central's programming channels 104..109.
    void selectrixDccProgramming() {
        Rig rig(Kind::Selectrix);
        rig.station.setCv(3, 12);
        auto read = [&](int channel) {
            rig.station.write(QByteArray(1, char(channel)) + QByteArray(1, '\0'));
            return quint8(rig.after(50).at(0));
        };
        rig.station.write(QByteArray::fromHex("EA40"));
        QCOMPARE(read(109) & 96, 96);
        rig.station.write(QByteArray::fromHex("E803E900EACE"));
        QCOMPARE(read(105), quint8(0));
        QCOMPARE(read(107), quint8(12));
        rig.station.write(QByteArray::fromHex("E803EB0FEACEEA00"));
        QCOMPARE(rig.station.cv(3).value_or(-1), 15);
        rig.station.write(QByteArray::fromHex("EA40E87BE900EACE"));
        QCOMPARE(read(105), quint8(255));  // CV 123 is not there
    }

    void selectrixSx1Parameters() {
        Rig rig(Kind::Selectrix);
        rig.station.setSxDecoder(0, 0);
        rig.station.write(QByteArray::fromHex("EA40E8B5E9D0EAC9EA00"));  // ADR 80, GE 5, BE 6, IM 3, HA 2
        QCOMPARE(rig.station.sxByte1(), quint8(181));
        QCOMPARE(rig.station.sxByte2(), quint8(208));
        rig.station.write(QByteArray::fromHex("EA40EAC1"));
        rig.station.write(QByteArray::fromHex("6D00"));
        QCOMPARE(quint8(rig.after(50).at(0)) & 64, 64);
        rig.station.write(QByteArray::fromHex("6800"));
        QCOMPARE(rig.after(50), QByteArray::fromHex("B5"));
    }

    void faults_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<int>("reads");
        using F = SimulatedStation::Fault;
        QTest::newRow("none") << int(F::None) << true << 1;
        QTest::newRow("silent") << int(F::Silent) << false << 0;
        QTest::newRow("garbage") << int(F::Garbage) << false << 1;
        QTest::newRow("split") << int(F::Split) << true << 7;  // 21 bytes, three per read
    }
    void faults() {
        QFETCH(int, fault);
        QFETCH(bool, complete);
        QFETCH(int, reads);
        Rig rig;
        rig.station.setFault(SimulatedStation::Fault(fault));
        rig.link.tellP50X("XPTRD 29");
        rig.clock.advance(5000);
        QByteArray all;
        int count = 0;
        for (QByteArray chunk = rig.station.readAll(); !chunk.isEmpty(); chunk = rig.station.readAll()) {
            all += chunk;
            ++count;
        }
        QCOMPARE(count, reads);
        QCOMPARE(all.contains(']'), complete);
        if (reads > 0)
            QCOMPARE(all.size(), 21);
    }

    void vanishingIsReportedOnce() {
        Rig rig;
        rig.station.setFault(SimulatedStation::Fault::Vanish);
        rig.link.tellP50X("XPTRD 1");
        QList<int> failures;
        for (int i = 0; i < 5; ++i)
            if (const int number = failureOf([&] {
                    rig.station.readAll();
                    rig.station.bytesWaiting();
                }))
                failures << number;
        QCOMPARE(failures, QList<int>{PortError::Lost});
        QVERIFY(!rig.station.isOpen());
        QCOMPARE(failureOf([&] { rig.station.write("XPT0\r"); }), PortError::NotOpen);
    }

    void scriptedAnswers() {
        Rig rig;
        rig.station.scriptAnswer("Busy!\r]");
        QCOMPARE(rig.exchange("XPTRD 1"), QString("Busy!\r]"));
        QCOMPARE(rig.exchange("XPTRD 1"), QString("3 = $03 = %00000011\r]"));
        rig.station.queueAnswer("12 = $0C", 30);
        rig.station.queueAnswer(" = %00001100\r]", 60);
        QCOMPARE(rig.link.receive(StationLink::Framing::P50x, 1000).text(), QString("12 = $0C = %00001100\r]"));
    }

    void openFailureOnRequest() {
        VirtualClock clock;
        SimulatedStation station(clock);
        station.setOpenError(ErrorNumber::PortMissing);
        QCOMPARE(failureOf([&] { station.open(); }), ErrorNumber::PortMissing);
        QVERIFY(!station.isOpen());
    }

private:
    static QByteArray withCheck(const char* hex) {
        QByteArray bytes = QByteArray::fromHex(hex);
        char check = 0;
        for (char b : bytes)
            check = char(check ^ b);
        return bytes + check;
    }
};

QTEST_GUILESS_MAIN(TestSimulatedStation)
#include "tst_simulatedstation.moc"
