#include "ZentraleRig.h"

using Rig = ZentraleRig;

// The programming window in front of a station that takes longer than the window waits:
// a given-up answer never passes for the next one, and track power goes out at once while
// a read waits.
class TestSlowStation : public QObject {
    Q_OBJECT
private slots:
    // The station still works when the window gives up; the user reads CV 1 straight after
    // the message, before the late answer has come.
    void nextReadShowsItsOwnValue_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("cv");
        QTest::addColumn<qint64>("work");  // the station's time for the first command
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("after a read time-out")
            << "btnLesen" << "8" << qint64(21000) << " DCC-Decoder lesen..."
            << QStringList{"XPTRD8", "XPTRD1", "XPT0"};
        QTest::newRow("after a write time-out")
            << "btnSchreiben" << "29" << qint64(9000) << " DCC-Decoder programmieren..."
            << QStringList{"XPTWD29, 6", "XPT0", "XPTRD1", "XPT0"};
        // A programming-track write takes the station up to 20 s: given up after 8 s, its
        // answer comes 11 s later, long after the line fell quiet.
        QTest::newRow("after a write time-out, answered at 19 s")
            << "btnSchreiben" << "29" << qint64(19000) << " DCC-Decoder programmieren..."
            << QStringList{"XPTWD29, 6", "XPT0", "XPTRD1", "XPT0"};
    }
    void nextReadShowsItsOwnValue() {
        QFETCH(QString, button);
        QFETCH(QString, cv);
        QFETCH(qint64, work);
        QFETCH(QString, title);
        Rig rig;
        rig.notifier.expectMessages = true;
        rig.station.setProgrammingDelay(work);
        rig.txt("txtRegister")->setText(cv);
        rig.txt("txtWert")->setText(QStringLiteral("6"));
        rig.click(qPrintable(button));
        QCOMPARE(onlyMessage(rig.notifier), title + QStringLiteral("|Die IB antwortet nicht !          "));
        QVERIFY(rig.clock.ticks() < work);

        rig.station.setProgrammingDelay(1500);
        rig.txt("txtRegister")->setText(QStringLiteral("1"));
        rig.click("btnLesen");
        QTEST(rig.commands(), "commands");
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("3"));
        QCOMPARE(rig.window->status(), QStringLiteral("3 = $03 = %00000011"));
        QCOMPARE(rig.rows(), (QList<CvRow>{{"L", "1", "3", {}}}));
        QCOMPARE(rig.notifier.messages.size(), 1);
        QVERIFY(!rig.notifier.busy);
    }

    // Two operations straight after each other, with no moment between for the answer to
    // the first one's "XPT0" to arrive: the second drops that answer and shows its own.
    void nextOperationStraightAfterTheLast_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("firstCv");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("secondCv");
        QTest::addColumn<QString>("value");   // the value field afterwards
        QTest::addColumn<QString>("status");
        QTest::addColumn<QList<CvRow>>("rows");
        QTest::newRow("read after a read") << "btnLesen" << "8" << "btnLesen" << "1" << "3" << "3 = $03 = %00000011"
                                           << QList<CvRow>{{"L", "8", "97", {}}, {"L", "1", "3", {}}};
        QTest::newRow("read after a write") << "btnSchreiben" << "29" << "btnLesen" << "1" << "3"
                                            << "3 = $03 = %00000011"
                                            << QList<CvRow>{{"S", "29", "6", {}}, {"L", "1", "3", {}}};
        QTest::newRow("write after a read") << "btnLesen" << "1" << "btnSchreiben" << "29" << "6" << "Ok"
                                            << QList<CvRow>{{"L", "1", "3", {}}, {"S", "29", "6", {}}};
    }
    void nextOperationStraightAfterTheLast() {
        QFETCH(QString, first);
        QFETCH(QString, firstCv);
        QFETCH(QString, second);
        QFETCH(QString, secondCv);
        Rig rig;
        rig.txt("txtRegister")->setText(firstCv);
        rig.txt("txtWert")->setText(QStringLiteral("6"));
        rig.click(qPrintable(first));
        rig.txt("txtRegister")->setText(secondCv);
        rig.txt("txtWert")->setText(QStringLiteral("6"));
        rig.click(qPrintable(second));
        QTEST(rig.txt("txtWert")->text(), "value");
        QTEST(rig.window->status(), "status");
        QTEST(rig.rows(), "rows");
        // The second operation's "XPT0" follows its own answer, after the station's work.
        const QList<qint64> times = rig.z.writeTimes();
        QCOMPARE(times.size(), 4);
        QVERIFY(times[3] - times[2] >= rig.station.programmingDelay());
    }

    // The window closes while the next read still drops the old answer: the read ends at
    // once and quietly; opened again, the window reads CV 1's own value.
    void closedDuringTheSettle() {
        Rig rig;
        rig.notifier.expectMessages = true;
        rig.station.setProgrammingDelay(21000);
        rig.txt("txtRegister")->setText(QStringLiteral("8"));
        rig.click("btnLesen");
        QCOMPARE(rig.notifier.messages.size(), 1);

        rig.station.setProgrammingDelay(1500);
        rig.txt("txtRegister")->setText(QStringLiteral("1"));
        qint64 closedAt = -1;
        rig.onceAfter(20500, [&] {
            closedAt = rig.clock.ticks();
            rig.window->close();
        });
        rig.click("btnLesen");
        QCOMPARE(rig.clock.ticks(), closedAt);
        QVERIFY(closedAt < 21000);
        QCOMPARE(rig.notifier.messages.size(), 1);
        QVERIFY(rig.rows().isEmpty());
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("?"));
        QVERIFY(!rig.link.exchangeRunning());

        rig.clock.onYield = nullptr;
        rig.window->show();
        rig.click("btnLesen");
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("3"));
        QCOMPARE(rig.rows(), (QList<CvRow>{{"L", "1", "3", {}}}));
        QCOMPARE(rig.notifier.messages.size(), 1);
    }

    // "Power off" (and on) during a read that takes the station 19 s: the byte goes out
    // the moment the button is pressed, and the read still shows its answer.
    void powerDuringARead_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("byte");
        QTest::addColumn<bool>("powerOn");
        QTest::newRow("Power off") << "btnPower_0" << QByteArray("\x61") << false;
        QTest::newRow("Power on") << "btnPower_1" << QByteArray("\x60") << true;
    }
    void powerDuringARead() {
        QFETCH(QString, button);
        QFETCH(QByteArray, byte);
        QFETCH(bool, powerOn);
        Rig rig;
        rig.station.setProgrammingDelay(19000);
        if (powerOn)
            rig.station.write("\x61");
        rig.station.clearTraffic();
        rig.txt("txtRegister")->setText(QStringLiteral("8"));
        qint64 pressedAt = -1;
        rig.onceAfter(5000, [&] {
            pressedAt = rig.clock.ticks();
            rig.click(qPrintable(button));
        });
        rig.click("btnLesen");
        QCOMPARE(rig.z.writes(), (QList<QByteArray>{"XPTRD8\r", byte, "XPT0\r"}));
        QCOMPARE(rig.z.writeTimes(), (QList<qint64>{0, pressedAt, 19000}));
        QCOMPARE(rig.station.powerOn(), powerOn);
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("97"));
        QCOMPARE(rig.rows(), (QList<CvRow>{{"L", "8", "97", {}}}));
        QCOMPARE(rig.notifier.beeps, 0);
    }
};

QTEST_MAIN(TestSlowStation)
#include "tst_slowstation.moc"
