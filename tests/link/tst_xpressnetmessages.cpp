#include "link/core/XpressNet.h"

#include <QTest>

using namespace XpressNet;
using Mode = ProgrammingMode;
using Steps = SpeedSteps;

Q_DECLARE_METATYPE(std::optional<QByteArray>)

namespace {
QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}
}  // namespace

// The program's XpressNet messages, framed, against the public vectors; on LI-USB the same
// frame with FF FE in front.
class TestXpressNetMessages : public QObject {
    Q_OBJECT
private slots:
    void frames_data() {
        QTest::addColumn<std::optional<QByteArray>>("message");
        QTest::addColumn<QByteArray>("serial");
        QTest::newRow("read CV29 direct") << directReadRequest(29) << hex("22151D2A");
        QTest::newRow("read CV1 direct") << readRequest(Mode::Direct, 1) << hex("22150136");
        QTest::newRow("read CV29 paged") << readRequest(Mode::Paged, 29) << hex("22141D2B");
        QTest::newRow("read register 5") << readRequest(Mode::Register, 5) << hex("22110536");
        QTest::newRow("result request") << std::optional(resultRequest()) << hex("211031");
        QTest::newRow("write CV29=5 direct") << writeRequest(Mode::Direct, 29, 5) << hex("23161D052D");
        QTest::newRow("write CV29=34 direct") << directWrite(29, 34) << hex("23161D220A");
        QTest::newRow("write CV29=6 direct") << directWrite(29, 6) << hex("23161D062E");
        QTest::newRow("write CV29=5 paged") << writeRequest(Mode::Paged, 29, 5) << hex("23171D052C");
        QTest::newRow("write register 5=5") << writeRequest(Mode::Register, 5, 5) << hex("2312050531");
        QTest::newRow("write register 5=12") << registerWrite(5, 12) << hex("2312050C38");
        QTest::newRow("power on") << std::optional(trackPowerOn()) << hex("2181A0");
        QTest::newRow("power off") << std::optional(trackPowerOff()) << hex("2180A1");
        QTest::newRow("stop loco 1234") << stopLocomotive(1234) << hex("92C4D284");
        QTest::newRow("stop loco 3") << stopLocomotive(3) << hex("92000391");

        QTest::newRow("128 fwd step 63") << speedAndDirection(1234, Steps::Steps128, 64, true) << hex("E413C4D2C021");
        QTest::newRow("128 rev stop") << speedAndDirection(1234, Steps::Steps128, 0, false) << hex("E413C4D200E1");
        QTest::newRow("128 short fwd step 63") << speedAndDirection(3, Steps::Steps128, 64, true) << hex("E4130003C034");
        QTest::newRow("28 fwd step 14") << speedAndDirection(1234, Steps::Steps28, 15, true) << hex("E412C4D29878");
        QTest::newRow("28 rev step 14") << speedAndDirection(1234, Steps::Steps28, 15, false) << hex("E412C4D218F8");
        QTest::newRow("28 fwd stop") << speedAndDirection(1234, Steps::Steps28, 0, true) << hex("E412C4D28060");
        // Step 5: NMRA 0100 with intermediate bit 0, not the raw value 6.
        QTest::newRow("28 short fwd step 5") << speedAndDirection(3, Steps::Steps28, 6, true) << hex("E41200038471");
        QTest::newRow("27 fwd step 14") << speedAndDirection(1234, Steps::Steps27, 15, true) << hex("E411C4D2987B");
        QTest::newRow("27 short fwd step 14") << speedAndDirection(3, Steps::Steps27, 15, true) << hex("E4110003986E");
        QTest::newRow("14 fwd step 7") << speedAndDirection(1234, Steps::Steps14, 8, true) << hex("E410C4D2886A");
        QTest::newRow("14 rev stop") << speedAndDirection(1234, Steps::Steps14, 0, false) << hex("E410C4D200E2");
        QTest::newRow("14 short fwd step 7") << speedAndDirection(3, Steps::Steps14, 8, true) << hex("E4100003887F");

        QTest::newRow("group 1 all off") << functionGroup1(1234, 0) << hex("E420C4D200D2");
        QTest::newRow("group 1 F0-F4 on") << functionGroup1(1234, 0x1FFF) << hex("E420C4D21FCD");
        QTest::newRow("group 2 all on") << functionGroup2(1234, 0x1FFF) << hex("E421C4D20FDC");
        QTest::newRow("group 3 all on") << functionGroup3(1234, 0x1FFF) << hex("E422C4D20FDF");
        QTest::newRow("F0 and F3, short") << functionGroup(3, functionGroupOf(3), 0x0009) << hex("E420000314D3");
    }
    void frames() {
        QFETCH(std::optional<QByteArray>, message);
        QFETCH(QByteArray, serial);
        QVERIFY(message.has_value());
        QCOMPARE(frame(*message, false), serial);
        QCOMPARE(frame(*message, true), hex("FFFE") + serial);
    }

    // Every shown step of 28 and 27 steps lands on its NMRA 5-bit code, and no step on a
    // stop or an emergency stop.
    void nmraSteps() {
        for (Steps steps : {Steps::Steps27, Steps::Steps28}) {
            const int top = steps == Steps::Steps28 ? 28 : 27;
            for (int step = 1; step <= top; ++step) {
                const std::optional<QByteArray> m = speedAndDirection(5, steps, step + 1, false);
                QVERIFY(m.has_value());
                const int data = quint8(m->at(4));
                const int nmra = ((data & 0x0F) << 1) | ((data >> 4) & 1);
                QCOMPARE(nmra, step + 3);
            }
        }
        // The raw value 1 is the emergency stop, as on the speed display.
        QCOMPARE(quint8(speedAndDirection(5, Steps::Steps28, 1, true)->at(4)) & 0x0F, 1);
        QCOMPARE(quint8(speedAndDirection(5, Steps::Steps14, 1, true)->at(4)), quint8(0x81));
    }

    void addresses_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::newRow("1") << 1 << 0x00 << 0x01;
        QTest::newRow("99") << 99 << 0x00 << 0x63;
        QTest::newRow("100") << 100 << 0xC0 << 0x64;
        QTest::newRow("1234") << 1234 << 0xC4 << 0xD2;
        QTest::newRow("9999") << 9999 << 0xE7 << 0x0F;
    }
    void addresses() {
        QFETCH(int, address);
        QFETCH(int, high);
        QFETCH(int, low);
        const std::optional<LocoAddress> a = locoAddress(address);
        QVERIFY(a.has_value());
        QCOMPARE(int(a->high), high);
        QCOMPARE(int(a->low), low);
    }

    // Out of range: no message at all, so nothing can go out.
    void refused_data() {
        QTest::addColumn<std::optional<QByteArray>>("message");
        QTest::newRow("direct CV 0") << readRequest(Mode::Direct, 0);
        QTest::newRow("direct CV 256") << readRequest(Mode::Direct, 256);
        QTest::newRow("paged CV -1") << readRequest(Mode::Paged, -1);
        QTest::newRow("paged CV 1000") << writeRequest(Mode::Paged, 1000, 1);
        QTest::newRow("register 0") << readRequest(Mode::Register, 0);
        QTest::newRow("register 9") << readRequest(Mode::Register, 9);
        QTest::newRow("register 29") << writeRequest(Mode::Register, 29, 6);
        QTest::newRow("value -1") << writeRequest(Mode::Direct, 29, -1);
        QTest::newRow("value 256") << writeRequest(Mode::Direct, 29, 256);
        QTest::newRow("register value 256") << registerWrite(1, 256);
        QTest::newRow("stop address 0") << stopLocomotive(0);
        QTest::newRow("stop address 10000") << stopLocomotive(10000);
        QTest::newRow("speed address -3") << speedAndDirection(-3, Steps::Steps28, 2, true);
        QTest::newRow("speed address 16384") << speedAndDirection(16384, Steps::Steps14, 2, true);
        QTest::newRow("14 steps value 16") << speedAndDirection(3, Steps::Steps14, 16, true);
        QTest::newRow("27 steps value 29") << speedAndDirection(3, Steps::Steps27, 29, true);
        QTest::newRow("28 steps value 30") << speedAndDirection(3, Steps::Steps28, 30, true);
        QTest::newRow("128 steps value 128") << speedAndDirection(3, Steps::Steps128, 128, true);
        QTest::newRow("speed -1") << speedAndDirection(3, Steps::Steps128, -1, true);
        QTest::newRow("function address 0") << functionGroup1(0, 1);
        QTest::newRow("function group 4") << functionGroup(3, functionGroupOf(13), 1);
    }
    void refused() {
        QFETCH(std::optional<QByteArray>, message);
        QVERIFY(!message.has_value());
    }

    void functionGroups() {
        QCOMPARE(functionGroupOf(0), 1);
        QCOMPARE(functionGroupOf(4), 1);
        QCOMPARE(functionGroupOf(5), 2);
        QCOMPARE(functionGroupOf(8), 2);
        QCOMPARE(functionGroupOf(9), 3);
        QCOMPARE(functionGroupOf(12), 3);
        // F12 alone: 08 in group 3; the other groups see none of it.
        QCOMPARE(*functionGroup3(3, 1 << 12), hex("E4220003") + hex("08"));
        QCOMPARE(*functionGroup1(3, 1 << 12), hex("E420000300"));
        QCOMPARE(*functionGroup2(3, (1 << 5) | (1 << 8)), hex("E421000309"));
    }

    void answerText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("status") << hex("611170") << "61 | 11 | 70 | ";
        QTest::newRow("small digits") << hex("0A00FF") << "0A | 00 | FF | ";
        QTest::newRow("empty") << QByteArray() << "";
    }
    void answerText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(LenzAntwortText(bytes), text);
    }
};

QTEST_GUILESS_MAIN(TestXpressNetMessages)
#include "tst_xpressnetmessages.moc"
