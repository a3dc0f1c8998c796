#include "SelectrixWindowRig.h"
#include "selectrix/core/SxDrive.h"

#include <QApplication>
#include <QCheckBox>
#include <QSlider>
#include <QWheelEvent>

using Rig = SelectrixWindowRig;
using namespace SxColour;

namespace {

// The SLX850 chosen and the locomotive's address typed.
void drivingAt(Rig& rig, const QString& address) {
    rig.chooseCentral();
    rig.field("txtAdresse")->setText(address);
}
}  // namespace

// Driving through the Selectrix central: each control writes the drive byte (light,
// function, direction, speed) to the locomotive's channel; the speed label's colours.
class TestFrmSelectrixDrive : public QObject {
    Q_OBJECT
private slots:
    void driveBytes_data() {
        QTest::addColumn<int>("licht");
        QTest::addColumn<int>("funktion");
        QTest::addColumn<int>("richtung");
        QTest::addColumn<int>("fahrstufe");
        QTest::addColumn<int>("byte");
        QTest::newRow("light, forward, 10") << 64 << 0 << 0 << 10 << 74;
        QTest::newRow("light, backward, 10") << 64 << 0 << 32 << 10 << 106;
        QTest::newRow("light, backward, stop") << 64 << 0 << 32 << 0 << 96;
        QTest::newRow("everything, 31") << 64 << 128 << 32 << 31 << 255;
        QTest::newRow("nothing") << 0 << 0 << 0 << 0 << 0;
    }
    void driveBytes() {
        QFETCH(int, licht);
        QFETCH(int, funktion);
        QFETCH(int, richtung);
        QFETCH(int, fahrstufe);
        QFETCH(int, byte);
        QCOMPARE(int(SxDrive::SxDriveByte(licht, funktion, richtung, fahrstufe)), byte);
    }

    // Address 3, light on, forward, start with 10: 131 74; backward: 131 106; the slider at
    // the top: 31, red with white text; STOP: the stop byte twice (the slider's own change
    // and the button's), speed 0, green.
    void driving() {
        Rig rig;
        drivingAt(rig, QStringLiteral("3"));
        rig.click("chkLicht");
        rig.click("rbnFR_0");
        rig.field("txtFS")->setText(QStringLiteral("10"));
        rig.click("btnAnfahren");
        QCOMPARE(rig.bytes(), (QStringList{"8340", "8340", "834A"}));
        // Starting does not move the slider.
        QCOMPARE(rig.label("lblFahrstufe")->text(), QStringLiteral("0"));
        rig.station.clearTraffic();

        rig.click("rbnFR_1");
        QVERIFY(!rig.get<QAbstractButton>("rbnFR_0")->isChecked());
        rig.get<QSlider>("sldFS")->setValue(0);
        QCOMPARE(rig.label("lblFahrstufe")->text(), QStringLiteral("31"));
        QCOMPARE(Rig::lampColour(rig.label("lblFahrstufe")), red);
        QCOMPARE(Rig::textColour(rig.label("lblFahrstufe")), white);
        rig.click("btnStop");
        QCOMPARE(rig.bytes(), (QStringList{"836A", "837F", "8360", "8360"}));
        QCOMPARE(rig.get<QSlider>("sldFS")->value(), 31);
        QCOMPARE(rig.label("lblFahrstufe")->text(), QStringLiteral("0"));
        QCOMPARE(Rig::lampColour(rig.label("lblFahrstufe")), green);
        QCOMPARE(Rig::textColour(rig.label("lblFahrstufe")), black);
        QCOMPARE(rig.station.channel(3), quint8(96));
    }

    // Function, light, backward and the fastest step: 255 on channel 103, the last address.
    void everything() {
        Rig rig;
        drivingAt(rig, QStringLiteral("103"));
        rig.click("chkFunktion");
        rig.click("chkLicht");
        rig.click("rbnFR_1");
        rig.get<QSlider>("sldFS")->setValue(0);
        QCOMPARE(rig.bytes(), (QStringList{"E780", "E7C0", "E7E0", "E7FF"}));
        rig.click("chkFunktion");
        QCOMPARE(rig.bytes().last(), QStringLiteral("E77F"));
    }

    // The keys and the wheel move the handle the way they point: up is faster.
    void keysAndWheel_data() {
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<int>("step");  // -1: one wheel turn's worth
        QTest::newRow("up") << QStringList{"up"} << 1;
        QTest::newRow("page up") << QStringList{"pageUp"} << 10;
        QTest::newRow("up, then down") << QStringList{"up", "up", "down"} << 1;
        QTest::newRow("wheel up") << QStringList{"wheelUp"} << -1;
    }
    void keysAndWheel() {
        QFETCH(QStringList, inputs);
        QFETCH(int, step);
        if (step < 0)
            step = QApplication::wheelScrollLines();
        Rig rig;
        drivingAt(rig, QStringLiteral("5"));
        auto* slider = rig.get<QSlider>("sldFS");
        slider->setPageStep(10);
        for (const QString& input : inputs) {
            if (input == u"wheelUp") {
                const QPointF at = slider->rect().center();
                QWheelEvent wheel(at, slider->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                                  Qt::NoScrollPhase, false);
                QApplication::sendEvent(slider, &wheel);
            } else {
                QTest::keyClick(slider, input == u"up" ? Qt::Key_Up : input == u"down" ? Qt::Key_Down : Qt::Key_PageUp);
            }
        }
        QCOMPARE(rig.label("lblFahrstufe")->text(), QString::number(step));
        QCOMPARE(rig.bytes().last(), QStringLiteral("85%1").arg(step, 2, 16, QLatin1Char('0')).toUpper());
    }

    void speedColours_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        QTest::newRow("0") << 0 << green << black;
        QTest::newRow("15") << 15 << green << black;
        QTest::newRow("16") << 16 << yellow << black;
        QTest::newRow("25") << 25 << yellow << black;
        QTest::newRow("26") << 26 << red << white;
        QTest::newRow("31") << 31 << red << white;
    }
    void speedColours() {
        QFETCH(int, step);
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        Rig rig;
        drivingAt(rig, QStringLiteral("5"));
        // From the other end first, so that every row changes the label.
        rig.get<QSlider>("sldFS")->setValue(step > 15 ? 31 : 0);
        rig.get<QSlider>("sldFS")->setValue(31 - step);
        QCOMPARE(rig.label("lblFahrstufe")->text(), QString::number(step));
        QCOMPARE(Rig::lampColour(rig.label("lblFahrstufe")), background);
        QCOMPARE(Rig::textColour(rig.label("lblFahrstufe")), text);
        QCOMPARE(rig.bytes().last(), QStringLiteral("85%1").arg(step, 2, 16, QLatin1Char('0')).toUpper());
    }

    // An address or a start speed that is not a number of its range sends nothing: a
    // channel byte never overflows into the central's own channels.
    void badEntries_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("message");
        QTest::newRow("no address") << "" << "10" << "Bitte wählen Sie für die Adresse einen Wert von 0 bis 103 !          ";
        QTest::newRow("address abc") << "abc" << "10"
                                     << "Bitte wählen Sie für die Adresse einen Wert von 0 bis 103 !          ";
        QTest::newRow("no speed") << "3" << "" << "Bitte wählen Sie für die Fahrstufe einen Wert von 0 bis 31 !          ";
    }
    void badEntries() {
        QFETCH(QString, address);
        QFETCH(QString, speed);
        QFETCH(QString, message);
        Rig rig;
        drivingAt(rig, address);
        rig.field("txtFS")->setText(speed);
        rig.notifier.expectMessages = true;
        rig.click("btnAnfahren");
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages[0].text, message);
        QCOMPARE(rig.notifier.messages[0].title, QStringLiteral(" Lokomotive fahren..."));
        QVERIFY(rig.station.traffic().isEmpty());
    }

    // Typing past the ends is pulled back by the field coupling, so the bytes stay in range.
    void typedPastTheEnds() {
        Rig rig;
        drivingAt(rig, QStringLiteral("150"));
        rig.field("txtFS")->setText(QStringLiteral("40"));
        rig.click("btnAnfahren");
        QCOMPARE(rig.field("txtAdresse")->text(), QStringLiteral("103"));
        QCOMPARE(rig.bytes(), QStringList{"E71F"});
    }

    // Without the central nothing is sent, whichever control changes; the states are kept.
    void onlyTheCentralDrives() {
        Rig rig;
        rig.field("txtAdresse")->setText(QStringLiteral("3"));
        rig.get<QCheckBox>("chkLicht")->setChecked(true);
        rig.get<QCheckBox>("chkFunktion")->setChecked(true);
        rig.get<QAbstractButton>("rbnFR_1")->setChecked(true);
        rig.get<QSlider>("sldFS")->setValue(21);
        rig.get<QAbstractButton>("btnAnfahren")->click();
        rig.click("btnUnit_1");
        rig.get<QAbstractButton>("btnStop")->click();
        QVERIFY(rig.station.traffic().isEmpty());
        rig.click("btnUnit_0");
        rig.station.clearTraffic();
        rig.get<QSlider>("sldFS")->setValue(20);
        QCOMPARE(rig.bytes(), QStringList{"83EB"});
    }

    // A drive command while a programming run waits is refused with a beep.
    void oneExchangeAtATime() {
        Rig rig;
        drivingAt(rig, QStringLiteral("3"));
        rig.station.setSxReadsAnswered(0);
        bool tried = false;
        rig.clock.onYield = [&] {
            if (!tried) {
                tried = true;
                rig.get<QCheckBox>("chkLicht")->setChecked(true);
            }
        };
        rig.notifier.expectMessages = true;
        rig.click("btnSelectrix_0");
        QVERIFY(tried);
        QCOMPARE(rig.notifier.beeps, 1);
        QVERIFY(!rig.bytes().contains(QStringLiteral("8340")));
    }
};

QTEST_MAIN(TestFrmSelectrixDrive)
#include "tst_frmselectrix_drive.moc"
