#include "lenz/ui/LenzDrivePanel.h"
#include "DriveDeskRig.h"
#include "app/ui/RisingScrollBar.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QScrollBar>
#include <QSlider>

using Kind = SimulatedStation::Kind;

template <> LenzDrivePanel makePanel<LenzDrivePanel>(SimulatedZentrale& z) {
    return LenzDrivePanel(z.panelHost(), [&z] { return z.station.kind() == Kind::LenzUsb; });
}

namespace {
// Frames written in hex (blanks for reading only), with FF FE in front for LI-USB.
QList<QByteArray> hexFrames(const QStringList& frames, bool usb) {
    QList<QByteArray> out;
    for (const QString& f : frames)
        out.append((usb ? QByteArray("\xFF\xFE", 2) : QByteArray()) + QByteArray::fromHex(f.toLatin1()));
    return out;
}
}  // namespace

// The Lenz drive desk on a simulated Lenz station (LI101 serial or LI-USB). Its own steps:
// "scr:N" start-step bar, "fr:N" direction button, "bar:N" address bar.
struct LenzDesk : DriveDeskRig<LenzDrivePanel> {
    explicit LenzDesk(bool usb = false) { z.station.setKind(usb ? Kind::LenzUsb : Kind::Lenz); }

protected:
    bool ownStep(const QString& verb, const QString& arg) override {
        if (verb == u"scr")
            get<RisingScrollBar>(QStringLiteral("scrFahrstufe"))->setRisingValue(arg.toInt());
        else if (verb == u"fr")
            QTest::mouseClick(get<QAbstractButton>(QStringLiteral("rbnFR_") + arg), Qt::LeftButton);
        else if (verb == u"bar")
            get<RisingScrollBar>(QStringLiteral("scrAdresse"))->setRisingValue(arg.toInt());
        else
            return false;
        return true;
    }
};

class TestLenzDrivePanel : public QObject {
    Q_OBJECT
private slots:
    // Every action as a user does it, with the exact frames on the line (check byte, and the
    // LI-USB header in the USB rows), the speed display and the speed value last sent.
    void traffic_data() {
        QTest::addColumn<bool>("usb");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("frames");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("speed");
        using S = QStringList;
        struct Row {
            const char* name;
            S steps;
            S frames;
            const char* shown;
            int speed;
        };
        const QList<Row> rows{
            {"power off and on", {"power:0", "power:1"}, {"2180A1", "2181A0"}, "0", 0},
            {"stop 1234", {"addr:1234", "stop"}, {"92C4D284"}, "0", 0},
            {"stop 3, 99, 100, 9999", {"addr:3", "stop", "addr:99", "stop", "addr:100", "stop", "addr:9999", "stop"},
             {"92000391", "920063F1", "92C06436", "92E70F7A"}, "0", 0},
            {"address bar at its top", {"bar:9999", "stop"}, {"92E70F7A"}, "0", 0},
            {"stop leaves the slider", {"mode:3", "slider:20", "stop"}, {"E412000195 62", "92000193"}, "8", 9},
            {"address 3, 28 steps, forward, speed 5", {"addr:3", "mode:3", "slider:23"}, {"E412000384 71"}, "5", 6},
            {"14 steps, slider to its stop end", {"slider:10", "slider:14"}, {"E410000185 70", "E410000180 75"}, "0", 0},
            {"28 steps, slider to its stop end", {"mode:3", "slider:20", "slider:28"}, {"E412000195 62", "E412000180 77"},
             "0", 0},
            {"28 steps, fastest", {"mode:3", "slider:0"}, {"E41200019F 68"}, "28", 29},
            {"27 steps, fastest", {"mode:2", "slider:0"}, {"E41100018F 7B"}, "27", 28},
            {"27 steps, step 1", {"mode:2", "slider:26"}, {"E411000182 76"}, "1", 2},
            {"128 steps, fastest", {"mode:4", "slider:0"}, {"E4130001FF 09"}, "127", 127},
            {"128 steps, next to fastest", {"mode:4", "slider:1"}, {"E4130001FF 09"}, "126", 127},
            {"128 steps, slowest and stop", {"mode:4", "slider:126", "slider:127", "slider:128"},
             {"E413000182 74", "E413000180 76", "E413000180 76"}, "0", 0},
            {"X23 1234, 128 steps, forward, step 63", {"addr:1234", "mode:4", "slider:64"}, {"E413C4D2C0 21"}, "63", 64},
            {"X24 1234, 128 steps, reverse, stop", {"addr:1234", "fr:1", "mode:4", "slider:127"}, {"E413C4D200 E1"}, "0", 0},
            {"X25 1234, 28 steps, forward, step 14", {"addr:1234", "mode:3", "slider:14"}, {"E412C4D298 78"}, "14", 15},
            {"X26 1234, 28 steps, reverse, step 14", {"addr:1234", "fr:1", "mode:3", "slider:14"}, {"E412C4D218 F8"},
             "14", 15},
            {"X27 1234, 28 steps, forward, stop", {"addr:1234", "mode:3", "slider:20", "slider:28"},
             {"E412C4D295 75", "E412C4D280 60"}, "0", 0},
            {"X28 1234, 27 steps, forward, step 14", {"addr:1234", "mode:2", "slider:13"}, {"E411C4D298 7B"}, "14", 15},
            {"X29 1234, 14 steps, forward, step 7", {"addr:1234", "slider:7"}, {"E410C4D288 6A"}, "7", 8},
            {"X30 1234, 14 steps, reverse, stop", {"addr:1234", "fr:1", "slider:10", "slider:14"},
             {"E410C4D205 E7", "E410C4D200 E2"}, "0", 0},
            {"direction buttons send nothing", {"fr:1", "fr:0", "fr:0", "slider:10"}, {"E410000185 70"}, "4", 5},
            {"start at 5 (bar 6), 14 steps", {"scr:6", "start"}, {"E410000186 73"}, "0", 0},
            {"start with the bar at 0, reverse", {"fr:1", "start"}, {"E410000100 F5"}, "0", 0},
            {"start at 14, 28 steps", {"mode:3", "scr:15", "start"}, {"E412000198 6F"}, "0", 0},
            {"start with the emergency stop, 28 steps", {"mode:3", "scr:1", "start"}, {"E412000191 66"}, "0", 0},
            {"start at the top of 27 steps", {"mode:2", "scr:30", "start"}, {"E41100019E 6A"}, "0", 0},
            {"start at the top of 128 steps", {"mode:4", "scr:127", "start"}, {"E4130001FF 09"}, "0", 0},
            {"start bar held to 15 in 14 steps", {"mode:4", "scr:100", "start", "mode:1", "start"},
             {"E4130001E4 12", "E41000018F 7A"}, "0", 0},
            {"F0 and F3", {"f:0", "f:3"}, {"E420000110 D5", "E420000114 D1"}, "0", 0},
            {"F12 alone", {"f:12"}, {"E422000108 CF"}, "0", 0},
            {"F0 on address 100", {"addr:100", "f:0"}, {"E420C06410 70"}, "0", 0},
            {"X31 1234, group 1 all off", {"addr:1234", "f:0", "f:0"}, {"E420C4D210 C2", "E420C4D200 D2"}, "0", 0},
            {"X32 1234, F0..F4 on", {"addr:1234", "f:0", "f:1", "f:2", "f:3", "f:4"},
             {"E420C4D210 C2", "E420C4D211 C3", "E420C4D213 C1", "E420C4D217 C5", "E420C4D21F CD"}, "0", 0},
            {"X33 1234, F5..F8 on", {"addr:1234", "f:5", "f:6", "f:7", "f:8"},
             {"E421C4D201 D2", "E421C4D203 D0", "E421C4D207 D4", "E421C4D20F DC"}, "0", 0},
            {"X34 1234, F9..F12 on", {"addr:1234", "f:9", "f:10", "f:11", "f:12"},
             {"E422C4D201 D1", "E422C4D203 D3", "E422C4D207 D7", "E422C4D20F DF"}, "0", 0},
            {"the step selector sends nothing", {"mode:2", "mode:4", "mode:1"}, {}, "0", 0},
        };
        for (bool usb : {false, true})
            for (const Row& r : rows)
                QTest::addRow("%s, %s", usb ? "LI-USB" : "serial", r.name)
                    << usb << r.steps << r.frames << QString::fromLatin1(r.shown) << r.speed;
    }
    void traffic() {
        QFETCH(bool, usb);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, frames);
        QFETCH(QString, shown);
        QFETCH(int, speed);
        LenzDesk d(usb);
        d.run(steps);
        QCOMPARE(d.z.writes(), hexFrames(frames, usb));
        QCOMPARE(d.text(QStringLiteral("lblFahrstufe")), shown);
        QCOMPARE(d.p.currentSpeed(), qint16(speed));
        QCOMPARE(d.z.host.notifier.beeps, 0);
        QVERIFY(!d.z.host.link().exchangeRunning());
    }

    // `ermittleLokadresse` and every action refuse an address outside 1..9999: nothing goes
    // out, the status says why.
    void refusedAddresses_data() {
        QTest::addColumn<QString>("address");
        for (const char* a : {"", "0", "abc", "10000", "-3", "12a"})
            QTest::addRow("\"%s\"", a) << QString::fromLatin1(a);
    }
    void refusedAddresses() {
        QFETCH(QString, address);
        LenzDesk d;
        d.run({"addr:" + address});
        QVERIFY(!d.p.ermittleLokadresse());
        d.run({"slider:5", "scr:3", "start", "stop", "f:0", "f:9"});
        QVERIFY(d.z.writes().isEmpty());
        QCOMPARE(d.z.host.notifier.beeps, 5);
        QCOMPARE(d.z.host.status(), QStringLiteral(" Keine gültige Lokadresse eingegeben !"));
        // The speed shown and kept is still the last one sent.
        QCOMPARE(d.text(QStringLiteral("lblFahrstufe")), QStringLiteral("0"));
        QCOMPARE(d.p.currentSpeed(), qint16(0));
    }

    void addressBytes_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::newRow("99") << "99" << 0x00 << 0x63;
        QTest::newRow("100") << "100" << 0xC0 << 0x64;
        QTest::newRow("blanks around") << " 3 " << 0x00 << 0x03;
    }
    void addressBytes() {
        QFETCH(QString, address);
        QFETCH(int, high);
        QFETCH(int, low);
        LenzDesk d;
        d.run({"addr:" + address});
        const std::optional<XpressNet::LocoAddress> a = d.p.ermittleLokadresse();
        QVERIFY(a);
        QCOMPARE(int(a->high), high);
        QCOMPARE(int(a->low), low);
    }

    // Track power goes out at once while another exchange holds the line; drive commands
    // are refused with a beep.
    void powerPassesAHeldExchange_data() {
        QTest::addColumn<bool>("usb");
        QTest::newRow("serial") << false;
        QTest::newRow("LI-USB") << true;
    }
    void powerPassesAHeldExchange() {
        QFETCH(bool, usb);
        LenzDesk d(usb);
        {
            const StationLink::Exchange running(d.z.host.link());
            d.run({"slider:3", "power:0", "stop", "f:1", "scr:2", "start", "power:1"});
        }
        QCOMPARE(d.z.writes(), hexFrames({"2180A1", "2181A0"}, usb));
        QCOMPARE(d.z.host.notifier.beeps, 4);
        QCOMPARE(d.text(QStringLiteral("lblFahrstufe")), QStringLiteral("0"));
        QCOMPARE(d.p.currentSpeed(), qint16(0));
        // Once the exchange is over, the next command goes out.
        d.run({"stop"});
        QCOMPARE(d.z.writes().size(), 3);
    }

    void portFailureGoesToTheErrorReport() {
        LenzDesk d;
        d.z.station.vanish();
        d.z.host.notifier.expectMessages = true;
        d.run({"slider:3", "power:0"});
        QCOMPARE(d.z.host.notifier.messages.size(), 2);
        QVERIFY(d.z.host.notifier.messages[0].text.startsWith(QStringLiteral("Fehler %1:").arg(PortError::Lost)));
        QVERIFY(!d.z.host.link().exchangeRunning());
        QCOMPARE(d.text(QStringLiteral("lblFahrstufe")), QStringLiteral("0"));
    }

    // The selector sets label, limits, tick spacing, step count and `Fahrstufen`; the slider
    // stands at its stop end. Opening does not read `Fahrstufen`.
    void stepModes_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("startMaximum");
        QTest::addColumn<int>("sliderMaximum");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("stepCount");
        QTest::newRow("1") << 1 << "14" << 15 << 14 << 1 << 14;
        QTest::newRow("2") << 2 << "27" << 27 << 27 << 1 << 27;
        QTest::newRow("3") << 3 << "28" << 28 << 28 << 1 << 28;
        QTest::newRow("4") << 4 << "128" << 127 << 128 << 8 << 127;
    }
    void stepModes() {
        QFETCH(int, position);
        QFETCH(QString, label);
        QFETCH(int, startMaximum);
        QFETCH(int, sliderMaximum);
        QFETCH(int, ticks);
        QFETCH(int, stepCount);
        LenzDesk d;
        d.z.host.ctx.Fahrstufen = QStringLiteral("3");
        LenzDrivePanel fresh(d.z.panelHost(), [] { return false; });
        QCOMPARE(fresh.stepCount(), qint16(14));
        QCOMPARE(fresh.findChild<QLabel*>(QStringLiteral("lblFahrstufen"))->text(), QStringLiteral("14"));

        // From another mode with the slider and the start step moved, so every value changes.
        const int other = position == 4 ? 2 : 4;
        d.run({QStringLiteral("mode:%1").arg(other), "slider:5", "scr:200", QStringLiteral("mode:%1").arg(position)});
        auto* slider = d.get<QSlider>(QStringLiteral("sldFahrstufen"));
        auto* start = d.get<RisingScrollBar>(QStringLiteral("scrFahrstufe"));
        QCOMPARE(d.text(QStringLiteral("lblFahrstufen")), label);
        QCOMPARE(start->risingMinimum(), 0);
        QCOMPARE(start->risingMaximum(), startMaximum);
        QCOMPARE(start->risingValue(), position == 4 ? 27 : startMaximum);  // held to the new top
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), sliderMaximum);
        QCOMPARE(slider->value(), sliderMaximum);
        QCOMPARE(slider->tickInterval(), ticks);
        QCOMPARE(d.text(QStringLiteral("lblFahrstufe")), QStringLiteral("0"));
        QCOMPARE(d.p.stepCount(), qint16(stepCount));
        QCOMPARE(d.z.host.ctx.Fahrstufen, QString::number(position));
        QCOMPARE(d.z.writes().size(), 1);  // the slider move only
    }

    // The start step shows the raw speed value of its bar: 0, "N" (emergency stop) white
    // on red, else the step one below.
    void speedDisplay_data() {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        QTest::newRow("0") << QList<int>{3, 0} << "0" << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("1") << QList<int>{1} << "N" << QColor(Qt::red) << QColor(Qt::white);
        QTest::newRow("6 after 1") << QList<int>{1, 6} << "5" << QColor(Qt::white) << QColor(Qt::black);
    }
    void speedDisplay() {
        QFETCH(QList<int>, values);
        QFETCH(QString, shown);
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        LenzDesk d;
        for (int v : values)
            d.run({QStringLiteral("scr:%1").arg(v)});
        auto* field = d.field(QStringLiteral("txtFahrstufe"));
        QCOMPARE(field->text(), shown);
        QCOMPARE(field->palette().color(QPalette::Base), background);
        QCOMPARE(field->palette().color(QPalette::Text), text);
        QVERIFY(d.z.writes().isEmpty());
    }

    // Names, captions and tips as the window is checked by from outside.
    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        QTest::newRow("btnAnfahren") << "btnAnfahren" << "anfahren" << " Lokomotive anfahren ";
        QTest::newRow("btnStop") << "btnStop" << "S T O P " << " Lok anhalten (Fahrstufe 0) ";
        QTest::newRow("rbnFR_0") << "rbnFR_0" << "" << " vorwärts ";
        QTest::newRow("rbnFR_1") << "rbnFR_1" << "" << " rückwärts ";
        QTest::newRow("chkFunctions_0") << "chkFunctions_0" << "F0 (Licht)" << " Funktion ";
        QTest::newRow("chkFunctions_1") << "chkFunctions_1" << "F1" << " Funktion 1 ";
        QTest::newRow("chkFunctions_12") << "chkFunctions_12" << "F12" << " Funktion 12 ";
        QTest::newRow("sldFahrstufen") << "sldFahrstufen" << "" << " Fahrtregler ";
        QTest::newRow("txtAdresse") << "txtAdresse" << "1" << " dig. Adresse der Lokomotive ";
        QTest::newRow("txtFahrstufe") << "txtFahrstufe" << "0" << " anfahren mit dieser Fahrstufe ";
        QTest::newRow("lblFahrstufen") << "lblFahrstufen" << "14" << " Anzahl der Fahrstufen ";
        QTest::newRow("lblFahrstufe") << "lblFahrstufe" << "0" << " aktuelle Fahrtstufe ";
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        LenzDesk d;
        QCOMPARE(d.p.objectName(), QStringLiteral("pnlFahrpult"));
        QCOMPARE(d.p.title(), QStringLiteral("Fahrpult"));
        auto* w = d.get<QWidget>(name);
        QCOMPARE(w->toolTip(), tip);
        const QVariant text = w->property("text");
        QCOMPARE(text.isValid() ? text.toString() : QString(), caption);
        for (const char* other : {"scrAdresse", "scrFahrstufe", "scrFahrstufen"})
            d.get<QScrollBar>(QString::fromLatin1(other));
        QCOMPARE(d.get<RisingScrollBar>(QStringLiteral("scrAdresse"))->risingMaximum(), 9999);
    }

    // The two direction buttons hold one another out, and only the speed reads them.
    void directionButtonsAreExclusive() {
        LenzDesk d;
        auto* forward = d.get<QAbstractButton>(QStringLiteral("rbnFR_0"));
        auto* backward = d.get<QAbstractButton>(QStringLiteral("rbnFR_1"));
        QVERIFY(forward->isChecked());
        d.run({"fr:1"});
        QVERIFY(backward->isChecked() && !forward->isChecked());
        d.run({"fr:1"});
        QVERIFY(backward->isChecked());
        d.run({"fr:0"});
        QVERIFY(forward->isChecked() && !backward->isChecked());
        QVERIFY(d.z.writes().isEmpty());
    }

    void render() {
        LenzDesk d;
        d.p.resize(215, 420);
        d.run({"mode:3", "slider:8", "scr:1", "f:0", "f:10"});
        QVERIFY(d.p.grab().save(QStringLiteral("/tmp/quillex-lenzdrivepanel.png")));
    }
};

QTEST_MAIN(TestLenzDrivePanel)
#include "tst_lenzdrivepanel.moc"
