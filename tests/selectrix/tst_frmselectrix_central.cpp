#include "ClockWait.h"
#include "SelectrixWindowRig.h"
#include "selectrix/core/SxProtokoll.h"

#include <QCheckBox>
#include <QPointer>

using Rig = SelectrixWindowRig;
using namespace SxColour;

// The window's station operations against the simulated central: track power, the
// programming switch, the central's state, and SX1 reads and writes as a user starts them.
class TestFrmSelectrixCentral : public QObject {
    Q_OBJECT
private slots:
    void checkSystem_data() {
        QTest::addColumn<int>("power");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<QColor>("system");
        QTest::addColumn<QColor>("gleis");
        QTest::newRow("power on") << 128 << true << red << green;
        QTest::newRow("power off") << 0 << true << red << grey;
        QTest::newRow("no central") << 128 << false << grey << grey;
    }
    // Choosing the SLX850 shows the central's state; no answer within 100 ms is no central,
    // without a message.
    void checkSystem() {
        QFETCH(int, power);
        QFETCH(bool, answers);
        QFETCH(QColor, system);
        QFETCH(QColor, gleis);
        Rig rig;
        rig.station.setChannel(127, quint8(power));
        if (!answers)
            rig.station.setSxReadsAnswered(0);
        // The Intellibox first, so its grey captions must come back with an answer.
        rig.click("btnUnit_1");
        rig.click("btnUnit_0");
        QCOMPARE(rig.bytes(), QStringList{"7F00"});
        QCOMPARE(Rig::lampColour(rig.label("lblSystem")), system);
        QCOMPARE(Rig::lampColour(rig.label("lblGleisspannung")), gleis);
        const QColor caption = answers ? Rig::textColour(rig.label("Label_6")) : grey;
        QCOMPARE(Rig::textColour(rig.label("LabelSystem")), caption);
        QCOMPARE(Rig::textColour(rig.label("LabelGleisspannung")), caption);
        QVERIFY(rig.notifier.messages.isEmpty());
    }

    void power_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<QStringList>("bytes");
        QTest::addColumn<QColor>("lamp");
        QTest::newRow("Power on") << 1 << true << QStringList{"FF80", "7F00"} << green;
        QTest::newRow("Power off") << 0 << true << QStringList{"FF00", "7F00"} << grey;
        QTest::newRow("Power on, no answer") << 1 << false << QStringList{"FF80", "7F00"} << grey;
    }
    void power() {
        QFETCH(int, index);
        QFETCH(bool, answers);
        QFETCH(QStringList, bytes);
        QFETCH(QColor, lamp);
        Rig rig;
        rig.station.setChannel(127, index == 1 ? 0 : 128);
        rig.chooseCentral();
        if (!answers)
            rig.station.setSxReadsAnswered(0);
        // A byte left waiting from earlier cannot set the lamp.
        rig.station.queueAnswer(QByteArray(1, index == 1 ? '\0' : '\x80'));
        const qint64 start = rig.clock.ticks() + 1000;
        rig.click(index == 1 ? "btnPower_1" : "btnPower_0");
        QCOMPARE(rig.bytes(), bytes);
        const auto firstWrite = std::find_if(rig.station.traffic().begin(), rig.station.traffic().end(),
                                             [](const SimulatedStation::Traffic& t) { return t.toStation; });
        QCOMPARE(firstWrite->time, start);
        // A central that does not answer is waited for as long as any read.
        QCOMPARE(rig.clock.ticks(), start + 200 + (answers ? 0 : 2001));
        QCOMPARE(Rig::lampColour(rig.label("lblGleisspannung")), lamp);
        QCOMPARE(rig.station.powerOn(), index == 1);
    }

    // The state check after choosing the central waits for its late answer, and "lesen"
    // pressed meanwhile is refused; the read that follows switches track power off before
    // programming and shows the decoder's values.
    void readRightAfterChoosing() {
        Rig rig;
        rig.station.setSxDecoder(181, 208);
        rig.station.setChannel(127, 128);
        rig.station.setAnswerDelay(700);
        const qint64 chosen = rig.clock.ticks();
        onceAfter(rig.clock, chosen + 300, [&rig] { rig.get<QAbstractButton>("btnSelectrix_0")->click(); });
        rig.get<QAbstractButton>("btnUnit_0")->click();
        rig.clock.onYield = nullptr;
        QCOMPARE(rig.bytes(), QStringList{"7F00"});
        QCOMPARE(Rig::lampColour(rig.label("lblGleisspannung")), green);
        rig.click("btnSelectrix_0");
        const QStringList bytes = rig.bytes();
        QVERIFY(bytes.indexOf("FF00") > 0 && bytes.indexOf("FF00") < bytes.indexOf("EA40"));
        QCOMPARE(rig.combo("cmbADR")->currentText(), QStringLiteral("80"));
        QCOMPARE(rig.combo("cmbGE")->currentText(), QStringLiteral("5"));
        QVERIFY(rig.notifier.messages.isEmpty());
    }

    // The line lost during a run: the central error report once, and the step the status
    // showed is not going on.
    void lineLostDuringARun() {
        Rig rig;
        rig.chooseCentral();
        rig.notifier.expectMessages = true;
        const qint64 lostAt = rig.clock.ticks() + 1200;
        rig.clock.onAdvance = [&rig, lostAt](qint64 t) {
            if (t >= lostAt)
                rig.station.vanish();
        };
        rig.click("btnSelectrix_0");
        rig.clock.onAdvance = nullptr;
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages[0].title, QStringLiteral(" zentrale Fehlerbehandlung..."));
        QCOMPARE(rig.window->statusText(), QString());
        QVERIFY(!rig.notifier.busy);
        QVERIFY(!rig.link.exchangeRunning());
    }

    // Only the central has its power buttons' exchange.
    void powerWithoutTheCentral() {
        Rig rig;
        rig.get<QAbstractButton>("btnPower_1")->click();
        rig.click("btnUnit_1");
        rig.get<QAbstractButton>("btnPower_0")->click();
        QVERIFY(rig.station.traffic().isEmpty());
    }

    void programmierbit_data() {
        QTest::addColumn<bool>("central");
        QTest::newRow("no station chosen") << false;
        QTest::newRow("SLX850") << true;
    }
    void programmierbit() {
        QFETCH(bool, central);
        Rig rig;
        if (central)
            rig.chooseCentral();
        rig.click("btnProgrammierbit");
        QCOMPARE(rig.bytes(), QStringList{"EA00"});
        QCOMPARE(rig.station.traffic().size(), 1);
    }

    void noStationChosen() {
        Rig rig;
        rig.notifier.expectMessages = true;
        rig.click("btnSelectrix_0");
        rig.click("btnSelectrix_1");
        QCOMPARE(rig.notifier.messages.size(), 2);
        QCOMPARE(rig.notifier.messages[0].title, QStringLiteral(" Decoder lesen / schreiben..."));
        QCOMPARE(rig.notifier.messages[0].text, QStringLiteral("Bitte wählen Sie zuvor die entspr. Zentrale !         "));
        QCOMPARE(rig.notifier.messages[0].icon, Notifier::Icon::Critical);
        QVERIFY(rig.station.traffic().isEmpty());
    }

    // The road of the Selectrix window: read a decoder, change its maximum speed, write it;
    // both runs in the protocol.
    void readThenWrite() {
        Rig rig;
        rig.station.setSxDecoder(181, 208);
        rig.chooseCentral();
        bool sawWhite = false;
        rig.clock.onYield = [&] { sawWhite = sawWhite || Rig::comboText(rig.combo("cmbGE")) == white; };
        rig.click("btnSelectrix_0");
        QVERIFY(sawWhite);
        QCOMPARE(rig.bytes(), (QStringList{"6D00", "7F00", "FF00", "7F00", "EA40", "6D00", "EAC1", "6D00", "6800",
                                           "6900", "EA00", "EA00", "FF80"}));
        for (const auto& [name, value] : {std::pair{"cmbADR", "80"}, std::pair{"cmbGE", "5"}, std::pair{"cmbBE", "6"},
                                          std::pair{"cmbIM", "3"}, std::pair{"cmbHA", "2"}}) {
            QCOMPARE(rig.combo(name)->currentText(), QString::fromLatin1(value));
            QCOMPARE(Rig::comboText(rig.combo(name)), black);
        }
        QCOMPARE(rig.window->statusText(), QStringLiteral(" Lesevorgang beendet ..."));
        QCOMPARE(rig.field("txtAdresse")->text(), QStringLiteral("80"));
        QVERIFY(rig.get<QCheckBox>("chkChange_0")->isEnabled());
        QCOMPARE(Rig::lampColour(rig.label("lblGleisspannung")), green);
        QVERIFY(!rig.notifier.busy);
        QVERIFY(!rig.link.exchangeRunning());

        rig.combo("cmbGE")->setCurrentText(QStringLiteral("3"));
        rig.station.clearTraffic();
        rig.click("btnSelectrix_1");
        QCOMPARE(rig.station.sxByte1(), quint8(3 + 6 * 8 + 2 * 64));
        QCOMPARE(rig.station.sxByte2(), quint8(208));
        QCOMPARE(rig.window->statusText(), QStringLiteral(" Schreibvorgang beendet ..."));
        QCOMPARE(rig.window->protocol().rows(),
                 (QList<SxProtokoll::Row>{{"L", "80", "5", "6", "3", "2"}, {"S", "80", "3", "6", "3", "2"}}));
        QVERIFY(rig.station.powerOn());
        QCOMPARE(rig.notifier.messages.size(), 0);
    }

    // The extended settings read into the boxes (keeping SxErweitert in step) and the row,
    // then written back changed.
    void extendedThroughTheWindow() {
        Rig rig;
        rig.station.setSxDecoder(181, 208, 3);
        rig.chooseCentral();
        rig.enableExtended();
        rig.click("btnSelectrix_0");
        for (const char* c : {"chkChange_1", "chkChange_2", "chkChange_4"})
            QVERIFY(rig.get<QCheckBox>(QString::fromLatin1(c))->isChecked());
        QCOMPARE(rig.window->SxErweitert(), 3);
        QCOMPARE(rig.combo("cmbIMerw")->currentText(), QStringLiteral("0"));
        QCOMPARE(rig.combo("cmbBEerw")->currentText(), QStringLiteral("1"));
        QCOMPARE(rig.window->protocol().rows(),
                 (QList<SxProtokoll::Row>{{"L", "80", "5", "6", "3", "2", "1", "1", "1", "0", "1"}}));
        QCOMPARE(rig.station.sxByte1(), quint8(181));

        // IMe 0 as read back is not on the list: the user picks one before writing.
        rig.notifier.expectMessages = true;
        rig.click("btnSelectrix_1");
        QCOMPARE(rig.notifier.messages.size(), 1);
        rig.combo("cmbIMerw")->setCurrentText(QStringLiteral("2"));
        rig.click("chkChange_4");
        rig.click("btnSelectrix_1");
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.station.sxExtended(), quint8(1 + 2 + 4 + 16));
        QCOMPARE(rig.window->protocol().rows().last(),
                 (SxProtokoll::Row{"S", "80", "5", "6", "3", "2", "1", "1", "0", "2", "1"}));
    }

    void invalidValuesSendNothing_data() {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("text");
        QTest::newRow("address 150") << "cmbADR" << "150";
        QTest::newRow("address 0") << "cmbADR" << "0";
        QTest::newRow("speed empty") << "cmbGE" << "";
        QTest::newRow("acceleration 9") << "cmbBE" << "9";
        QTest::newRow("pulse width x") << "cmbIM" << "x";
        QTest::newRow("stop section 3") << "cmbHA" << "3";
    }
    void invalidValuesSendNothing() {
        QFETCH(QString, combo);
        QFETCH(QString, text);
        Rig rig;
        rig.chooseCentral();
        rig.get<QComboBox>(combo)->setEditText(text);
        rig.notifier.expectMessages = true;
        rig.click("btnSelectrix_1");
        QVERIFY(rig.station.traffic().isEmpty());
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages[0].title, QStringLiteral(" Decoder schreiben..."));
        QCOMPARE(rig.window->protocol().rowCount(), 0);
        QVERIFY(!rig.notifier.busy);
    }

    // While a run waits for the central, a second click on any station button is refused
    // with a beep and sends nothing.
    void oneExchangeAtATime() {
        Rig rig;
        rig.chooseCentral();
        rig.station.setAnswerDelay(1500);
        const char* buttons[] = {"btnSelectrix_0", "btnSelectrix_1", "btnPower_1", "btnProgrammierbit"};
        int pressed = 0;
        rig.clock.onYield = [&] {
            if (pressed < 4 && rig.link.exchangeRunning()) {
                auto* b = rig.get<QAbstractButton>(QString::fromLatin1(buttons[pressed++]));
                QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, b->height() / 2));
            }
        };
        rig.click("btnSelectrix_0");
        QCOMPARE(pressed, 4);
        QCOMPARE(rig.notifier.beeps, 4);
        QCOMPARE(rig.bytes(), (QStringList{"6D00", "7F00", "FF00", "7F00", "EA40", "6D00", "EAC1", "6D00", "6800",
                                           "6900", "EA00", "EA00", "FF80"}));
        QCOMPARE(rig.window->protocol().rowCount(), 1);
    }

    void silentCentral() {
        Rig rig;
        rig.chooseCentral();
        rig.station.setSxReadsAnswered(3);
        rig.notifier.expectMessages = true;
        rig.click("btnSelectrix_0");
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages[0].text, QStringLiteral("Die Zentrale antwortet nicht !          "));
        QCOMPARE(rig.window->statusText(), QString());
        QCOMPARE(Rig::comboText(rig.combo("cmbADR")), black);
        QVERIFY(!rig.notifier.busy);
        QVERIFY(!rig.link.exchangeRunning());
        // The power the run switched off stays off; the buttons bring it back.
        QVERIFY(!rig.station.powerOn());
        rig.station.setSxReadsAnswered(-1);
        rig.click("btnProgrammierbit");
        rig.click("btnPower_1");
        QVERIFY(rig.station.powerOn());
        QCOMPARE(Rig::lampColour(rig.label("lblGleisspannung")), green);
    }

    void cc2000Answer_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("rows");
        QTest::newRow("Yes") << int(Notifier::Yes) << 1;
        QTest::newRow("No") << int(Notifier::No) << 0;
    }
    void cc2000Answer() {
        QFETCH(int, answer);
        QFETCH(int, rows);
        Rig rig({QStringLiteral("quillex"), QStringLiteral("/CC2000")});
        rig.chooseCentral();
        rig.notifier.expectMessages = true;
        rig.notifier.answer = answer;
        rig.click("btnSelectrix_0");
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages[0].text, QStringLiteral("CC2000 im Programmiermodus ?           "));
        QCOMPARE(rig.ctx.Antwort, answer);
        QCOMPARE(rig.window->protocol().rowCount(), rows);
        QVERIFY(!rig.notifier.busy);
    }

    // Closing the window while a read waits ends the run at its next poll, silently; a window
    // that deletes itself on closing goes only once the exchange is over.
    void closedDuringAWait() {
        Rig rig;
        rig.station.setSxReadsAnswered(0);
        auto* window = new frmSelectrix(rig.ctx, rig.link, rig.dialog, {QStringLiteral("quillex")});
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QPointer<frmSelectrix> alive(window);
        window->findChild<QAbstractButton*>(QStringLiteral("btnUnit_0"))->click();
        rig.station.clearTraffic();
        rig.clock.onYield = [&] {
            if (alive && alive->isVisible() && !rig.station.traffic().isEmpty() &&
                rig.clock.ticks() > rig.station.traffic().first().time + 300) {
                alive->close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        };
        window->findChild<QAbstractButton*>(QStringLiteral("btnSelectrix_0"))->click();
        QVERIFY(rig.notifier.messages.isEmpty());
        QCOMPARE(rig.bytes(), QStringList{"6D00"});
        QVERIFY(!rig.link.exchangeRunning());
        QVERIFY(!rig.notifier.busy);
        QTRY_VERIFY(!alive);
    }
};

QTEST_MAIN(TestFrmSelectrixCentral)
#include "tst_frmselectrix_central.moc"
