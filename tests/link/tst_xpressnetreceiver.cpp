#include "link/core/XpressNetReceiver.h"

#include <QRandomGenerator>
#include <QTest>

using namespace XpressNet;

Q_DECLARE_METATYPE(QList<QByteArray>)

namespace {
QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

QList<QByteArray> frames(FrameSplitter& splitter) {
    QList<QByteArray> out;
    while (const std::optional<QByteArray> frame = splitter.next())
        out.append(*frame);
    return out;
}
}  // namespace

// Frames taken out of what arrives, one poll at a time: by the length in the header and the
// check byte, without the LI-USB headers, past garbage. An empty poll is the line falling
// quiet, as it does after the last poll of every row.
class TestXpressNetReceiver : public QObject {
    Q_OBJECT
private slots:
    void splitting_data() {
        QTest::addColumn<QList<QByteArray>>("polls");
        QTest::addColumn<QList<QByteArray>>("expected");
        QTest::addColumn<int>("dropped");
        const QByteArray result = hex("6314010375");
        QTest::newRow("acknowledgement before") << QList{hex("010405") + result} << QList{hex("010405"), result} << 0;
        QTest::newRow("broadcasts around")
            << QList{hex("610263") + result + hex("610263")} << QList{hex("610263"), result, hex("610263")} << 0;
        QTest::newRow("status and more") << QList{hex("611170610263")} << QList{hex("611170"), hex("610263")} << 0;
        QTest::newRow("usb headers") << QList{hex("FFFD610263FFFE6314010375")} << QList{hex("610263"), result} << 0;
        QTest::newRow("split across polls") << QList{hex("6314"), hex("01"), hex("0375")} << QList{result} << 0;
        QTest::newRow("usb header split") << QList{hex("FF"), hex("FE631401"), hex("0375")} << QList{result} << 0;
        QTest::newRow("garbage before") << QList{hex("A51377") + result} << QList{result} << 3;
        // A first byte that claims a long frame does not swallow the answer behind it.
        QTest::newRow("long claim") << QList{hex("0F") + result} << QList{result} << 1;
        QTest::newRow("long claim across polls") << QList{hex("0F6314"), hex("010375")} << QList{result} << 1;
        QTest::newRow("wrong check byte") << QList{hex("6314010376")} << QList<QByteArray>{} << 5;
        QTest::newRow("wrong then good") << QList{hex("6314010376"), result} << QList{result} << 5;
        // CV 16 = 16 holds "10 10", a frame of its own; the result still wins.
        QTest::newRow("frame-like data split") << QList{hex("63141010"), hex("77")} << QList{hex("6314101077")} << 0;
        // A whole frame of a kind the program does not know is one frame: nothing is read
        // out of its inside.
        QTest::newRow("unknown kind taken whole")
            << QList{hex("466310F9F973FFB9")} << QList{hex("466310F9F973FFB9")} << 0;
        // Its last byte and the next LI-USB header make no frame of their own.
        QTest::newRow("no frame across a usb header")
            << QList{hex("FFFE42AAE901FFFE") + result} << QList{hex("42AAE901"), result} << 0;
        // A frame cut off, then a whole one: the whole one.
        const QByteArray registerResult = hex("6310000073");
        QTest::newRow("truncated then whole")
            << QList{hex("6310"), QByteArray(), registerResult} << QList{registerResult} << 2;
    }
    void splitting() {
        QFETCH(QList<QByteArray>, polls);
        QFETCH(QList<QByteArray>, expected);
        QFETCH(int, dropped);
        FrameSplitter splitter;
        QList<QByteArray> got;
        for (const QByteArray& poll : polls + QList{QByteArray()}) {
            if (poll.isEmpty())
                splitter.lineQuiet();
            else
                splitter.append(poll);
            got += frames(splitter);
        }
        QCOMPARE(got, expected);
        QCOMPARE(int(splitter.dropped()), dropped);
    }

    // Whatever arrives, the splitter ends every call, keeps less than one longest frame and
    // finds a good frame sent after the garbage.
    void garbageResync() {
        QRandomGenerator random(15);
        for (int round = 0; round < 200; ++round) {
            FrameSplitter splitter;
            QByteArray garbage(int(random.bounded(1, 60)), '\0');
            for (char& byte : garbage)
                byte = char(random.bounded(256));
            splitter.append(garbage);
            (void)frames(splitter);
            QVERIFY(splitter.pending().size() <= 16);
            splitter.lineQuiet();
            (void)frames(splitter);
            QVERIFY(splitter.pending().isEmpty());
            splitter.append(hex("FFFE6314010375"));
            const QList<QByteArray> after = frames(splitter);
            QVERIFY2(!after.isEmpty() && after.last() == hex("6314010375"), garbage.toHex().constData());
        }
    }

    void kinds_data() {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("kind");
        using K = FrameKind;
        QTest::newRow("command sent") << hex("010405") << int(K::InterfaceInfo);
        QTest::newRow("timeslot revoked") << hex("010504") << int(K::InterfaceInfo);
        QTest::newRow("timeslot restored") << hex("010706") << int(K::InterfaceInfo);
        QTest::newRow("error PC") << hex("010100") << int(K::InterfaceError);
        QTest::newRow("error station") << hex("010203") << int(K::InterfaceError);
        QTest::newRow("service-mode entry") << hex("610263") << int(K::Broadcast);
        QTest::newRow("normal operation") << hex("610160") << int(K::Broadcast);
        QTest::newRow("power off") << hex("610061") << int(K::Broadcast);
        QTest::newRow("emergency stop") << hex("810081") << int(K::Broadcast);
        QTest::newRow("ready") << hex("611170") << int(K::ServiceStatus);
        QTest::newRow("short") << hex("611273") << int(K::ServiceStatus);
        QTest::newRow("not found") << hex("611372") << int(K::ServiceStatus);
        QTest::newRow("busy") << hex("611F7E") << int(K::ServiceStatus);
        QTest::newRow("register result") << hex("6310052254") << int(K::Result);
        QTest::newRow("direct result") << hex("63141D2248") << int(K::Result);
        QTest::newRow("high direct result") << hex("63151E147C") << int(K::Result);
        QTest::newRow("transfer error") << hex("6180E1") << int(K::StationError);
        QTest::newRow("station busy") << hex("6181E0") << int(K::StationError);
        QTest::newRow("not supported") << hex("6182E3") << int(K::StationError);
        QTest::newRow("LI version") << hex("020000") << int(K::Other);
    }
    void kinds() {
        QFETCH(QByteArray, frame);
        QFETCH(int, kind);
        QCOMPARE(int(classify(frame)), kind);
    }

    void results_data() {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<bool>("directForm");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("value");
        QTest::newRow("direct CV1 = 4") << hex("6314010472") << true << 1 << 4;
        QTest::newRow("direct CV29 = 34") << hex("63141D2248") << true << 29 << 34;
        QTest::newRow("register 1 = 4") << hex("6310010476") << false << 1 << 4;
        QTest::newRow("register 5 = 34") << hex("6310052254") << false << 5 << 34;
        QTest::newRow("register 5 = 12") << hex("6310050C7A") << false << 5 << 12;
        QTest::newRow("CV286 = 20") << hex("63151E147C") << true << 286 << 20;
        QTest::newRow("CV300 = 34") << hex("63152C2278") << true << 300 << 34;
    }
    void results() {
        QFETCH(QByteArray, frame);
        QFETCH(bool, directForm);
        QFETCH(int, number);
        QFETCH(int, value);
        const std::optional<ServiceResult> r = serviceResult(frame);
        QVERIFY(r.has_value());
        QCOMPARE(r->directForm, directForm);
        QCOMPARE(r->number, number);
        QCOMPARE(r->value, value);
        QVERIFY(!serviceResult(hex("611372")).has_value());
    }

    void statusTexts_data() {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("text");
        QTest::newRow("ready") << hex("611170") << " Zentrale meldet 'Bereit'   (Originalstring ' 61 | 11 | 70 ' )";
        QTest::newRow("short") << hex("611273") << " Zentrale meldet 'Kurzschluss'   (Originalstring ' 61 | 12 | 73 ' )";
        QTest::newRow("not found") << hex("611372")
                                   << " Zentrale meldet 'Daten nicht gefunden'   (Originalstring ' 61 | 13 | 72 ' )";
        QTest::newRow("busy") << hex("611F7E") << " Zentrale meldet 'Besetzt'   (Originalstring ' 61 | 1F | 7E ' )";
        QTest::newRow("no status") << hex("610263") << "";
    }
    void statusTexts() {
        QFETCH(QByteArray, frame);
        QFETCH(QString, text);
        QCOMPARE(serviceStatusText(frame), text);
    }
};

QTEST_GUILESS_MAIN(TestXpressNetReceiver)
#include "tst_xpressnetreceiver.moc"
