#include "intellibox/ui/DrivePanel.h"
#include "DriveDeskRig.h"
#include "app/ui/RisingScrollBar.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>

namespace {
QByteArray pair(int code, int address) {
    QByteArray b;
    b += char(code);
    b += char(address);
    return b;
}
QByteArray p50x(const char* text) { return QByteArray(text) + '\r'; }
}  // namespace

template <> DrivePanel makePanel<DrivePanel>(SimulatedZentrale& z) { return DrivePanel(z.panelHost()); }

// The desk on a simulated station. Its own steps: "step:T" types the start step, "dir:N",
// "light".
struct Desk : DriveDeskRig<DrivePanel> {
    using DriveDeskRig::DriveDeskRig;

protected:
    bool ownStep(const QString& verb, const QString& arg) override {
        if (verb == u"step")
            field(QStringLiteral("txtFahrstufe"))->setText(arg);
        else if (verb == u"dir")
            get<QAbstractButton>(QStringLiteral("btnFahrtrichtungswechsel_") + arg)->click();
        else if (verb == u"light")
            get<QCheckBox>(QStringLiteral("chkFunktion"))->click();
        else
            return false;
        return true;
    }
};

// The drive desk driven like a user would, with the exact bytes on the line.
class TestDrivePanel : public QObject {
    Q_OBJECT

private slots:
    void traffic_data() {
        QTest::addColumn<QString>("station");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<QByteArray>>("writes");
        using L = QList<QByteArray>;
        using S = QStringList;
        QTest::newRow("IB 28 steps, slider at the top")
            << "IB" << S{"mode:3", "slider:28"} << L{p50x("XL 1, 112, 0, 0, 0, 0, 0, 0")};
        QTest::newRow("IB 14 steps, start at 14")
            << "IB" << S{"mode:1", "step:14", "start"} << L{p50x("XL 1, 98, 0, 0, 0, 0, 0, 0")};
        QTest::newRow("MC 27 steps, start at 27")
            << "MC" << S{"mode:2", "step:27", "start"} << L{p50x("XL 1, 108, 0, 0, 0, 0, 0, 0")};
        QTest::newRow("IB 128 steps, slider at 100")
            << "IB" << S{"mode:4", "slider:100"} << L{p50x("XL 1, 100, 0, 0, 0, 0, 0, 0")};
        QTest::newRow("IB 128 steps, start at 126")
            << "IB" << S{"mode:4", "step:126", "start"} << L{p50x("XL 1, 126, 0, 0, 0, 0, 0, 0")};
        QTest::newRow("IB light, F1, F2, then stop")
            << "IB" << S{"mode:3", "slider:10", "light", "f:1", "f:2", "stop"}
            << L{p50x("XL 1, 40, 0, 0, 0, 0, 0, 0"), p50x("XL 1, 40, 1, 0, 0, 0, 0, 0"),
                 p50x("XF 1,1, 0, 0, 0, 0, 0, 0, 0"), p50x("XF 1,1, 1, 0, 0, 0, 0, 0, 0"),
                 p50x("XL 1, 0, 1, 0, 1, 1, 0, 0")};
        QTest::newRow("IB F1 and F3 on address 3")
            << "IB" << S{"addr:3", "f:1", "f:3"}
            << L{p50x("XF 3,1, 0, 0, 0, 0, 0, 0, 0"), p50x("XF 3,1, 0, 1, 0, 0, 0, 0, 0")};
        QTest::newRow("MC F8 on address 9999")
            << "MC" << S{"addr:9999", "f:8"} << L{p50x("XF 9999,0, 0, 0, 0, 0, 0, 0, 1")};
        QTest::newRow("IB direction buttons send speed and functions 0")
            << "IB" << S{"mode:3", "slider:10", "f:1", "light", "dir:1", "dir:0"}
            << L{p50x("XL 1, 40, 0, 0, 0, 0, 0, 0"), p50x("XF 1,1, 0, 0, 0, 0, 0, 0, 0"),
                 p50x("XL 1, 40, 1, 0, 1, 0, 0, 0"), p50x("XL 1, 0, 1, 1, 0, 0, 0, 0"),
                 p50x("XL 1, 0, 1, 0, 0, 0, 0, 0")};
        QTest::newRow("IB reverse stops and turns")
            << "IB" << S{"mode:3", "slider:5", "dir:2", "dir:2"}
            << L{p50x("XL 1, 20, 0, 0, 0, 0, 0, 0"), p50x("XL 1, 0, 0, 1, 0, 0, 0, 0"), p50x("XL 1, 0, 0, 0, 0, 0, 0, 0")};
        QTest::newRow("IB address change with the light on")
            << "IB" << S{"light", "addr:5"} << L{p50x("XL 1, 0, 1, 0, 0, 0, 0, 0"), p50x("XL 5, 0, 0, 0, 0, 0, 0, 0")};
        QTest::newRow("IB address change with the light off") << "IB" << S{"f:1", "addr:5"}
                                                               << L{p50x("XF 1,1, 0, 0, 0, 0, 0, 0, 0")};
        QTest::newRow("6021 step 5 with light")
            << "6021" << S{"mode:1", "light", "slider:5"} << L{pair(16, 1), pair(21, 1)};
        QTest::newRow("6021 reverse with light")
            << "6021" << S{"addr:24", "light", "dir:2"} << L{pair(16, 24), pair(31, 24)};
        QTest::newRow("6021 stop with light")
            << "6021" << S{"mode:1", "slider:5", "light", "stop"} << L{pair(5, 1), pair(21, 1), pair(16, 1)};
        QTest::newRow("6021 F1 and F3, F5 only repeats F1..F4")
            << "6021" << S{"addr:24", "f:1", "f:3", "f:5"} << L{pair(65, 24), pair(69, 24), pair(69, 24)};
        QTest::newRow("6021 address typed as 300 is held to 255")
            << "6021" << S{"addr:3", "addr:30", "addr:300", "light"} << L{pair(16, 255)};
        QTest::newRow("6021 address with letters after its digits keeps the digits")
            << "6021" << S{"addr:12a", "light"} << L{pair(16, 12)};
        // The emptied field leaves the bar, and its light goes out nowhere; 4 typed is 4.
        QTest::newRow("6021 address emptied, then 4 typed: nothing to locomotive 1")
            << "6021" << S{"addr:7", "light", "slider:14", "addr:", "type:4", "f:1"}
            << L{pair(16, 7), pair(30, 7), pair(65, 4)};
        QTest::newRow("power off and on, 6021") << "6021" << S{"power:0", "power:1"} << L{"\x61", "\x60"};
        QTest::newRow("power off and on, IB") << "IB" << S{"power:0", "power:1"} << L{"\x61", "\x60"};
        QTest::newRow("program moves of the selector send nothing")
            << "IB" << S{"mode:2", "mode:4", "mode:1"} << L{};
    }
    void traffic() {
        QFETCH(QString, station);
        QFETCH(QStringList, steps);
        QFETCH(QList<QByteArray>, writes);
        Desk d(station);
        d.p.applyStation();
        d.run(steps);
        QCOMPARE(d.z.writes(), writes);
        QCOMPARE(d.z.host.notifier.beeps, 0);
    }

    // The 6021 drives in 14 steps: whatever mode the selector is asked for, the desk keeps
    // 14 steps and every byte pair stays a P50 drive (0..31) or function (64..79) code.
    void sixtyTwentyOneCodesInEveryMode_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("14") << 1;
        QTest::newRow("27") << 2;
        QTest::newRow("28") << 3;
        QTest::newRow("128") << 4;
    }
    void sixtyTwentyOneCodesInEveryMode() {
        QFETCH(int, mode);
        Desk d(QStringLiteral("IB"));
        d.p.applyStation();
        d.run({QStringLiteral("mode:%1").arg(mode)});
        d.z.host.ctx.CuName = QStringLiteral("6021");
        d.p.applyStation();
        auto* selector = d.get<QScrollBar>(QStringLiteral("scrFahrstufen"));
        QVERIFY(!selector->isEnabled());
        QCOMPARE(d.text(QStringLiteral("lblFahrstufen")), QStringLiteral("14"));
        QCOMPARE(d.p.maxStep(), qint16(14));
        d.run({QStringLiteral("mode:%1").arg(mode), "light", "slider:28", "slider:14", "step:28", "start", "slider:7",
               "dir:2", "f:1", "f:4", "stop"});
        QCOMPARE(d.text(QStringLiteral("lblFahrstufen")), QStringLiteral("14"));
        const QList<QByteArray> writes = d.z.writes();
        QVERIFY(writes.size() >= 6);
        for (const QByteArray& w : writes) {
            QCOMPARE(w.size(), 2);
            const int code = quint8(w.at(0));
            QVERIFY2(code <= 31 || (code >= 64 && code <= 79), qPrintable(QString::number(code)));
        }
        QCOMPARE(writes.first(), pair(16, 1));
        QVERIFY(writes.contains(pair(30, 1)));  // step 14 with the light on
        // Back on an Intellibox every mode is offered again.
        d.z.host.ctx.CuName = QStringLiteral("IB");
        d.p.applyStation();
        QVERIFY(selector->isEnabled());
        d.run({"mode:3"});
        QCOMPARE(d.text(QStringLiteral("lblFahrstufen")), QStringLiteral("28"));
    }

    // Addresses that must never reach the line: the command is refused with a beep.
    void refusedAddresses_data() {
        QTest::addColumn<QString>("station");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("6021 address 0") << "6021" << QStringList{"addr:0", "light"};
        QTest::newRow("6021 empty address") << "6021" << QStringList{"addr:", "f:1"};
        QTest::newRow("IB empty address") << "IB" << QStringList{"addr:", "slider:3"};
        QTest::newRow("IB address 0") << "IB" << QStringList{"addr:0", "dir:1"};
        QTest::newRow("MC address with letters") << "MC" << QStringList{"addr:1x", "f:2"};
        QTest::newRow("IB address with a sign") << "IB" << QStringList{"addr:-5", "dir:2"};
    }
    void refusedAddresses() {
        QFETCH(QString, station);
        QFETCH(QStringList, steps);
        Desk d(station);
        d.p.applyStation();
        d.run(steps);
        QVERIFY(d.z.writes().isEmpty());
        QCOMPARE(d.z.host.notifier.beeps, 1);
        QCOMPARE(d.z.host.status(), QStringLiteral(" Keine gültige Lokadresse eingegeben !"));
    }

    void sixZeroTwoOneAddressField() {
        Desk d(QStringLiteral("6021"));
        d.p.applyStation();
        auto* field = d.field(QStringLiteral("txtAdresse"));
        auto* bar = d.get<RisingScrollBar>(QStringLiteral("scrAdresse"));
        QCOMPARE(field->maxLength(), 3);
        bar->setRisingValue(10);
        field->setText(QStringLiteral("0"));
        QCOMPARE(field->text(), QStringLiteral("1"));
        field->setText(QStringLiteral("0"));
        QCOMPARE(field->text(), QStringLiteral("0"));  // the bar stood at 1 already
        bar->setRisingValue(7);
        d.run({"addr:", "type:4"});
        QCOMPARE(field->text(), QStringLiteral("4"));
        QCOMPARE(bar->risingValue(), 4);
        QVERIFY(!d.get<QAbstractButton>(QStringLiteral("btnFahrtrichtungswechsel_0"))->isEnabled());
        QVERIFY(!d.get<QAbstractButton>(QStringLiteral("btnFahrtrichtungswechsel_1"))->isEnabled());
    }

    void startAboveMaximum() {
        Desk d;
        d.run({"mode:1", "step:20"});
        auto* step = d.field(QStringLiteral("txtFahrstufe"));
        QCOMPARE(step->text(), QStringLiteral("14"));
        // Lowering the mode pulls the start step down with it.
        d.run({"mode:4", "step:100", "mode:1", "start"});
        QCOMPARE(step->text(), QStringLiteral("14"));
        QCOMPARE(d.z.writes(), QList<QByteArray>{"XL 1, 98, 0, 0, 0, 0, 0, 0\r"});
        d.z.station.clearTraffic();
        // A value above the maximum that still reaches the button (pasted past the check).
        {
            const QSignalBlocker block(step);
            step->setText(QStringLiteral("100"));
        }
        d.z.host.notifier.expectMessages = true;
        d.run({"start"});
        QVERIFY(d.z.writes().isEmpty());
        QCOMPARE(onlyMessage(d.z.host.notifier),
                 QStringLiteral(" Lokomotive anfahren ...|"
                                "Der eingegebene Wert liegt über der max. möglichen Fahrstufe !     "));
        QCOMPARE(d.z.host.notifier.messages[0].icon, Notifier::Icon::Critical);
    }

    void stepColours_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("step");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("27: 13 green") << 2 << 13 << QColor(0, 255, 0);
        QTest::newRow("27: 14 yellow") << 2 << 14 << QColor(255, 255, 0);
        QTest::newRow("27: 21 yellow") << 2 << 21 << QColor(255, 255, 0);
        QTest::newRow("27: 22 red") << 2 << 22 << QColor(255, 0, 0);
        QTest::newRow("128: 64 green") << 4 << 64 << QColor(0, 255, 0);
        QTest::newRow("128: 103 red") << 4 << 103 << QColor(255, 0, 0);
    }
    void stepColours() {
        QFETCH(int, mode);
        QFETCH(int, step);
        QFETCH(QColor, colour);
        Desk d;
        d.run({QStringLiteral("mode:%1").arg(mode), QStringLiteral("slider:%1").arg(step)});
        auto* label = d.label(QStringLiteral("lblFahrstufe"));
        QCOMPARE(label->text(), QString::number(step));
        QCOMPARE(label->palette().color(QPalette::Window), colour);
    }

    void modeChangeKeepsTheLocoStopped() {
        Desk d(QStringLiteral("6021"));
        d.run({"mode:3", "slider:20", "mode:1", "light"});
        QCOMPARE(d.z.writes().last(), pair(16, 1));
        QCOMPARE(d.z.host.ctx.Fahrstufen, QStringLiteral("1"));
    }

    void loadsTheStoredMode() {
        Desk d;
        d.z.host.ctx.Fahrstufen = QStringLiteral("4");
        d.p.loadFahrstufen();
        QCOMPARE(d.label(QStringLiteral("lblFahrstufen"))->text(), QStringLiteral("128"));
        QCOMPARE(d.p.maxStep(), qint16(128));
        d.z.host.ctx.Fahrstufen = QStringLiteral("1000");
        d.p.loadFahrstufen();  // out of range: tolerated, nothing changes
        QCOMPARE(d.p.maxStep(), qint16(128));
        QVERIFY(d.z.writes().isEmpty());
    }

    // Drive commands are refused while another exchange runs; track power goes out at once.
    void refusedWhileAnotherExchangeRuns() {
        Desk d;
        const StationLink::Exchange running(d.z.host.link());
        d.run({"slider:3", "power:0", "f:1"});
        QCOMPARE(d.z.writes(), QList<QByteArray>{"\x61"});
        QCOMPARE(d.z.host.notifier.beeps, 2);
    }

    void portFailureGoesToTheErrorReport() {
        Desk d;
        d.z.station.vanish();
        d.z.host.notifier.expectMessages = true;
        d.run({"slider:3", "power:0"});
        QCOMPARE(d.z.host.notifier.messages.size(), 2);
        QVERIFY(d.z.host.notifier.messages[0].text.startsWith(QStringLiteral("Fehler %1:").arg(PortError::Lost)));
        QVERIFY(!d.z.host.link().exchangeRunning());
    }

    void render() {
        Desk d;
        d.p.resize(215, 363);
        d.run({"mode:3", "slider:20", "light", "f:2"});
        QVERIFY(d.p.grab().save(QStringLiteral("/tmp/quillex-drivepanel.png")));
    }
};

QTEST_MAIN(TestDrivePanel)
#include "tst_drivepanel.moc"
