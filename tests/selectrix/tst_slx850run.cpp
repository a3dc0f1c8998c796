#include "SelectrixRig.h"
#include "TestFiles.h"
#include "selectrix/core/Slx850Run.h"

#include <QTest>

namespace {

constexpr qint64 delay = 100;

// The run on the simulated central: a decoder with ADR 80, GE 5, BE 6, IM 3, HA 2 and the
// extended byte 3, track power off unless a test says otherwise, a pause of 100 ms.
struct RunRig : SelectrixStationRig {
    RecordingSelectrixHost host;
    Slx850Input input;

    RunRig() {
        station.setSxDecoder(181, 208, 3);
        station.setChannel(127, 0);
        input.adr = QStringLiteral("80");
        input.ge = QStringLiteral("5");
        input.be = QStringLiteral("6");
        input.im = QStringLiteral("3");
        input.ha = QStringLiteral("2");
        input.imErw = QStringLiteral("1");
        input.beErw = QStringLiteral("1");
        input.delayMs = delay;
    }
    Slx850Run::Outcome run(int index) {
        Slx850Run r(access, host, input);
        return r.SLX850(index);
    }
};

const QString noAnswer = QStringLiteral(" Decoder programmieren...|Die Zentrale antwortet nicht !          ");

// The statuses of a read with power already off, from the start to the end.
const QStringList readStatuses{
    " prüfe ob Programmierung frei ...", " Programmierung frei...",          " prüfe ob Gleisspannung ein ...",
    " Gleisspannung ist abgeschaltet...", " schalte Programmierfunktion ein ...", " Programmierfunktion bereit ...",
    " lese Decoderparameter ein...",     " Parameter zum Lesen bereitgestellt ...", " lese 1. Datenbyte ein ...",
    " lese 2. Datenbyte ein ...",        " schalte Programmierfunktion aus ...", " Lesevorgang beendet ...",
};

}  // namespace

class TestSlx850Run : public QObject {
    Q_OBJECT
private slots:
    // Power already off: one read of channel 127, no write to it, no power-on at the end.
    void readWithPowerOff() {
        RunRig r;
        QCOMPARE(r.run(0), Slx850Run::Outcome::Done);
        QCOMPARE(r.trace(), (QStringList{"0 6D00", "100 7F00", "300 EA40", "400 6D00", "500 EAC1", "500 6D00",
                                         "700 6800", "700 6900", "800 EA00", "900 EA00"}));
        QCOMPARE(r.clock.ticks(), qint64(1000));
        QCOMPARE(r.host.statuses, readStatuses);
        QCOMPARE(r.host.rows, (QList<QStringList>{{"L", "80", "5", "6", "3", "2"}}));
        QCOMPARE(r.host.fields.value(SxField::ADR), QStringLiteral("80"));
        QCOMPARE(r.host.fields.value(SxField::GE), QStringLiteral("5"));
        QCOMPARE(r.host.fields.value(SxField::BE), QStringLiteral("6"));
        QCOMPARE(r.host.fields.value(SxField::IM), QStringLiteral("3"));
        QCOMPARE(r.host.fields.value(SxField::HA), QStringLiteral("2"));
        QVERIFY(!r.host.anyWhite());
        QVERIFY(r.host.lamps.isEmpty());
        QVERIFY(r.host.messages.isEmpty());
        QVERIFY(r.host.extendedEnabled);
        QVERIFY(r.host.addressTaken);
        QVERIFY(!r.host.busy);
        QVERIFY(!r.station.powerOn());
    }

    // Power on: switched off in the first pass, found off in the second, on again at the end.
    void readWithPowerOn() {
        RunRig r;
        r.station.setChannel(127, 128);
        QCOMPARE(r.run(0), Slx850Run::Outcome::Done);
        QCOMPARE(r.trace(), (QStringList{"0 6D00", "100 7F00", "200 FF00", "300 7F00", "500 EA40", "600 6D00",
                                         "700 EAC1", "700 6D00", "900 6800", "900 6900", "1000 EA00", "1100 EA00",
                                         "1100 FF80"}));
        QCOMPARE(r.clock.ticks(), qint64(1200));
        QCOMPARE(r.host.lamps, (QList<bool>{false, true}));
        QVERIFY(r.host.statuses.contains(QStringLiteral(" Gleisspannung wird abgeschaltet ...")));
        QCOMPARE(r.host.statuses.mid(r.host.statuses.size() - 3),
                 (QStringList{" schalte Programmierfunktion aus ...", " schalte Gleisspannung ein ...",
                              " Lesevorgang beendet ..."}));
        QCOMPARE(r.host.rows, (QList<QStringList>{{"L", "80", "5", "6", "3", "2"}}));
        QVERIFY(r.station.powerOn());
    }

    void writeWithPowerOff() {
        RunRig r;
        r.station.setSxDecoder(0, 0);
        QCOMPARE(r.run(1), Slx850Run::Outcome::Done);
        QCOMPARE(r.trace(), (QStringList{"0 6D00", "100 7F00", "300 EA40", "400 6D00", "500 E8B5", "600 E9D0",
                                         "700 EAC9", "900 6D00", "900 EA00"}));
        QCOMPARE(r.clock.ticks(), qint64(1000));
        QCOMPARE(r.station.sxByte1(), quint8(181));
        QCOMPARE(r.station.sxByte2(), quint8(208));
        QCOMPARE(r.host.statuses.mid(6), (QStringList{" schreibe 1. Datenbyte...", " schreibe 2. Datenbyte ...",
                                                      " schreibe in Decoder ...", " schalte Programmierfunktion aus ...",
                                                      " Schreibvorgang beendet ..."}));
        QCOMPARE(r.host.rows, (QList<QStringList>{{"S", "80", "5", "6", "3", "2"}}));
        QVERIFY(r.host.fields.isEmpty());
        QVERIFY(!r.host.extendedEnabled);
        QVERIFY(r.host.addressTaken);
    }

    void writeWithPowerOn() {
        RunRig r;
        r.station.setChannel(127, 128);
        QCOMPARE(r.run(1), Slx850Run::Outcome::Done);
        QCOMPARE(r.trace(), (QStringList{"0 6D00", "100 7F00", "200 FF00", "300 7F00", "500 EA40", "600 6D00",
                                         "700 E8B5", "800 E9D0", "900 EAC9", "1100 6D00", "1100 EA00", "1100 FF80"}));
        QVERIFY(r.station.powerOn());
    }

    void lateCentral_data() {
        QTest::addColumn<qint64>("late");
        QTest::addColumn<bool>("extended");
        for (qint64 late : {120, 600, 700})
            for (bool extended : {false, true})
                QTest::newRow(qPrintable(QStringLiteral("%1 ms%2").arg(late).arg(extended ? ", extended" : "")))
                    << late << extended;
    }
    // A central that answers every read late, with no pause between the steps: each read
    // gets its own byte, so the write switches power off before programming, the read right
    // after it shows what was written, and the extended read writes back the decoder's own
    // bytes.
    void lateCentral() {
        QFETCH(qint64, late);
        QFETCH(bool, extended);
        RunRig r;
        r.input.delayMs = 0;
        r.input.extended = extended;
        r.input.adr = QStringLiteral("5");
        r.input.ge = QStringLiteral("3");
        r.input.be = QStringLiteral("2");
        r.input.im = QStringLiteral("3");
        r.input.ha = QStringLiteral("1");
        r.input.imErw = QStringLiteral("3");
        r.input.beErw = QStringLiteral("2");
        r.station.setSxDecoder(255, 255, 255);
        r.station.setChannel(127, 128);
        r.station.setAnswerDelay(late);
        QCOMPARE(r.run(1), Slx850Run::Outcome::Done);
        const QStringList written = r.bytes();
        QVERIFY(written.indexOf("FF00") >= 0 && written.indexOf("FF00") < written.indexOf("EA40"));
        QCOMPARE(r.station.sxByte1(), quint8(3 + 2 * 8 + 2 * 64));
        QCOMPARE(r.station.sxByte2(), quint8(5));
        const quint8 extendedByte = r.station.sxExtended();
        QVERIFY(r.station.powerOn());
        QVERIFY(r.host.messages.isEmpty());

        r.host.rows.clear();
        QCOMPARE(r.run(0), Slx850Run::Outcome::Done);
        QCOMPARE(r.host.rows.value(0).mid(0, 6), (QStringList{"L", "5", "3", "2", "3", "1"}));
        QCOMPARE(r.host.fields.value(SxField::ADR), QStringLiteral("5"));
        QCOMPARE(r.station.sxByte1(), quint8(3 + 2 * 8 + 2 * 64));
        QCOMPARE(r.station.sxByte2(), quint8(5));
        QCOMPARE(r.station.sxExtended(), extendedByte);
        QVERIFY(r.host.messages.isEmpty());
    }

    // Seven passes find the power on: seven reads, seven writes of 0, then the message; the
    // status keeps its last text and nothing more is sent.
    void powerStaysOn() {
        RunRig r;
        r.station.setChannel(127, 128);
        r.station.setSxTrackPowerLocked(true);
        QCOMPARE(r.run(0), Slx850Run::Outcome::Ended);
        QStringList expected{"0 6D00"};
        for (int pass = 0; pass < 7; ++pass)
            expected << QStringLiteral("%1 7F00").arg(100 + 200 * pass) << QStringLiteral("%1 FF00").arg(200 + 200 * pass);
        QCOMPARE(r.trace(), expected);
        QCOMPARE(r.clock.ticks(), qint64(1500));
        QCOMPARE(r.host.onlyMessage(),
                 QStringLiteral(" Decoder programmieren...|Die Gleisspannung lässt sich nicht abschalten !            "));
        QCOMPARE(r.host.status(), QStringLiteral(" Gleisspannung wird abgeschaltet ..."));
        QVERIFY(!r.host.busy);
        QVERIFY(!r.host.anyWhite());
        QVERIFY(r.host.rows.isEmpty());
    }

    void failedTests_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("busyElsewhere");
        QTest::addColumn<bool>("ready");
        QTest::addColumn<QStringList>("bytes");
        QTest::addColumn<QString>("message");
        const QStringList untilReady{"6D00", "7F00", "EA40", "6D00"};
        const QString notFree = QStringLiteral(" Decoder programmieren....|Programmierung nicht frei...             ");
        const QString notReady =
            QStringLiteral(" Decoder programmieren ...|Die Programmierfunktion ist nicht bereit   !       ");
        QTest::newRow("read, not free") << 0 << true << true << QStringList{"6D00"} << notFree;
        QTest::newRow("write, not free") << 1 << true << true << QStringList{"6D00"} << notFree;
        QTest::newRow("read, not ready") << 0 << false << false << untilReady << notReady;
        QTest::newRow("write, not ready") << 1 << false << false << untilReady << notReady;
    }
    // A failed test ends the run with its message, an empty status and the normal pointer;
    // programming stays as it was.
    void failedTests() {
        QFETCH(int, index);
        QFETCH(bool, busyElsewhere);
        QFETCH(bool, ready);
        QFETCH(QStringList, bytes);
        QFETCH(QString, message);
        RunRig r;
        r.station.setSxProgrammingBusy(busyElsewhere);
        r.station.setSxProgrammingReady(ready);
        QCOMPARE(r.run(index), Slx850Run::Outcome::Ended);
        QCOMPARE(r.bytes(), bytes);
        QCOMPARE(r.host.onlyMessage(), message);
        QCOMPARE(r.host.messages[0].icon, Notifier::Icon::Critical);
        QCOMPARE(r.host.status(), QString());
        QVERIFY(!r.host.busy);
        QVERIFY(!r.host.anyWhite());
        QVERIFY(r.host.rows.isEmpty());
    }

    void cc2000_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("done");
        QTest::newRow("No") << int(Notifier::No) << false;
        QTest::newRow("Yes") << int(Notifier::Yes) << true;
    }
    // With "/CC2000" the user says whether the central is ready; its channel 109 is read but
    // not used (this one never reports ready).
    void cc2000() {
        QFETCH(int, answer);
        QFETCH(bool, done);
        RunRig r;
        r.input.cc2000 = true;
        r.station.setSxProgrammingReady(false);
        r.host.answer = answer;
        QCOMPARE(r.run(0), done ? Slx850Run::Outcome::Done : Slx850Run::Outcome::Ended);
        QCOMPARE(r.host.onlyMessage(), QStringLiteral(" Decoder programmieren ...|CC2000 im Programmiermodus ?           "));
        QCOMPARE(r.host.messages[0].icon, Notifier::Icon::Question);
        QCOMPARE(r.host.messages[0].buttons, Notifier::YesNo);
        QVERIFY(!r.host.statuses.contains(QStringLiteral(" Programmierfunktion bereit ...")));
        QCOMPARE(r.bytes().size(), done ? 10 : 4);
        QCOMPARE(r.host.rows.size(), done ? 1 : 0);
        QVERIFY(!r.host.busy);
        QVERIFY(!r.host.anyWhite());
    }

    void silentCentral_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<int>("answered");
        QTest::addColumn<QStringList>("bytes");
        const QStringList read{"6D00", "7F00", "EA40", "6D00", "EAC1", "6D00", "6800", "6900"};
        QTest::newRow("read: programming free?") << 0 << false << 0 << read.mid(0, 1);
        QTest::newRow("read: track power") << 0 << false << 1 << read.mid(0, 2);
        QTest::newRow("read: programming ready?") << 0 << false << 2 << read.mid(0, 4);
        QTest::newRow("read: parameters provided?") << 0 << false << 3 << read.mid(0, 6);
        QTest::newRow("read: byte 1") << 0 << false << 4 << read.mid(0, 7);
        QTest::newRow("read: byte 2") << 0 << false << 5 << read;
        QTest::newRow("read: extended byte")
            << 0 << true << 7
            << read + QStringList{"EA00", "EA00", "E809", "E900", "EAC9", "EA00", "7F00", "EAC1", "6800"};
        // The track-power read of the extended read is collected too: a silent central ends
        // the run there, before the central is switched to reading.
        QTest::newRow("read: track power of the extended read")
            << 0 << true << 6 << read + QStringList{"EA00", "EA00", "E809", "E900", "EAC9", "EA00", "7F00"};
        QTest::newRow("write: programming free?") << 1 << false << 0 << read.mid(0, 1);
        QTest::newRow("write: track power") << 1 << false << 1 << read.mid(0, 2);
        QTest::newRow("write: programming ready?") << 1 << false << 2 << read.mid(0, 4);
    }
    // Every read whose answer is used gives up after 2000 ms: the message, an empty status,
    // the normal pointer and readable fields; nothing more is sent.
    void silentCentral() {
        QFETCH(int, index);
        QFETCH(bool, extended);
        QFETCH(int, answered);
        QFETCH(QStringList, bytes);
        RunRig r;
        r.input.extended = extended;
        r.station.setSxReadsAnswered(answered);
        QCOMPARE(r.run(index), Slx850Run::Outcome::Ended);
        QCOMPARE(r.bytes(), bytes);
        QCOMPARE(r.host.onlyMessage(), noAnswer);
        QCOMPARE(r.host.status(), QString());
        QVERIFY(!r.host.busy);
        QVERIFY(!r.host.anyWhite());
        // The deadline counts from the start of the wait, which may follow a pause.
        const qint64 lastWrite = r.trace().last().section(u' ', 0, 0).toLongLong();
        QVERIFY(r.clock.ticks() > lastWrite + 2000);
        QVERIFY(r.clock.ticks() < lastWrite + std::max<qint64>(delay, 500) + 2100);
    }

    // The extended read: the parameters first, then the extended byte into the boxes and
    // the row, then the parameters back into the decoder.
    void readExtended() {
        RunRig r;
        r.input.extended = true;
        QCOMPARE(r.run(0), Slx850Run::Outcome::Done);
        QCOMPARE(r.trace(), (QStringList{"0 6D00",     "100 7F00",  "300 EA40",  "400 6D00",  "500 EAC1",  "500 6D00",
                                         "700 6800",   "700 6900",  "800 EA00",  "900 EA00",  "1000 E809", "1100 E900",
                                         "1200 EAC9",  "1300 EA00", "1800 7F00", "2300 EAC1", "2400 6800", "2500 EA00",
                                         "2600 E8B5",  "2700 E9D0", "2800 EAC9", "3000 6D00", "3000 EA00"}));
        QCOMPARE(r.host.checks, (std::array<bool, 3>{true, true, true}));
        QCOMPARE(r.host.fields.value(SxField::IMerw), QStringLiteral("0"));
        QCOMPARE(r.host.fields.value(SxField::BEerw), QStringLiteral("1"));
        QCOMPARE(r.host.rows, (QList<QStringList>{{"L", "80", "5", "6", "3", "2", "1", "1", "1", "0", "1"}}));
        QVERIFY(!r.host.anyWhite());
        QCOMPARE(r.station.sxByte1(), quint8(181));
        QCOMPARE(r.station.sxByte2(), quint8(208));
        const QStringList extendedStatuses{" lese erweiterte Einstellungen...", " schreibe 1. Datenbyte ...",
                                           " schreibe 2. Datenbyte ...", " schreibe in Decoder ...",
                                           " schalte Zentrale auf 'lesen' ...", " lese 1. Datenbyte ein ...",
                                           " schreibe Decoderwerte zurück...", " schreibe 1. Datenbyte..."};
        const qsizetype at = r.host.statuses.indexOf(extendedStatuses[0]);
        QCOMPARE(r.host.statuses.mid(at, extendedStatuses.size()), extendedStatuses);
    }

    // The boxes are cleared and the extended fields made white before anything is read.
    void readExtendedClearsFirst() {
        RunRig r;
        r.input.extended = true;
        r.station.setSxReadsAnswered(0);
        r.host.checks = {true, true, true};
        r.run(0);
        QCOMPARE(r.host.checks, (std::array<bool, 3>{false, false, false}));
        QCOMPARE(r.host.whiteFields.value(SxField::IMerw, true), false);
        QVERIFY(r.host.whiteFields.contains(SxField::BEerw));
    }

    void writeExtended() {
        RunRig r;
        r.input.extended = true;
        r.input.motor = true;
        r.input.gleis = true;
        r.input.imErw = QStringLiteral("3");
        r.input.beErw = QStringLiteral("2");
        QCOMPARE(r.run(1), Slx850Run::Outcome::Done);
        // 1 (Motor) + 0 (Gleis ticked) + 3 * 8 + 64 = 89.
        QCOMPARE(r.trace(), (QStringList{"0 6D00", "100 7F00", "300 EA40", "400 6D00", "500 E859", "600 E980",
                                         "700 EAC9", "800 EA00", "900 E8B5", "1000 E9D0", "1100 EAC9", "1300 6D00",
                                         "1300 EA00"}));
        QCOMPARE(r.station.sxExtended(), quint8(89));
        QCOMPARE(r.station.sxByte1(), quint8(181));
        QCOMPARE(r.host.rows, (QList<QStringList>{{"S", "80", "5", "6", "3", "2", "1", "0", "1", "3", "2"}}));
    }

    // No decoder answers the parameter read: the message, and the bytes are read all the same.
    void parametersNotProvided() {
        RunRig r;
        r.station.setSxDecoderPresent(false);
        r.station.setChannel(104, 0);
        r.station.setChannel(105, 0);
        QCOMPARE(r.run(0), Slx850Run::Outcome::Done);
        QCOMPARE(r.host.onlyMessage(),
                 QStringLiteral(" Decoder programmieren   |Die Parameter wurden nicht ausgelesen   !       "));
        QVERIFY(r.host.statuses.contains(QString()));
        QVERIFY(!r.host.statuses.contains(QStringLiteral(" Parameter zum Lesen bereitgestellt ...")));
        QCOMPARE(r.host.rows, (QList<QStringList>{{"L", "0", "0", "0", "1", "1"}}));
        QCOMPARE(r.host.status(), QStringLiteral(" Lesevorgang beendet ..."));
    }

    void invalidValuesSendNothing_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<QString>("message");
        QTest::newRow("ADR 0") << "adr" << "0" << false << "ADR einen Wert von 1 bis 103";
        QTest::newRow("ADR 150") << "adr" << "150" << false << "ADR einen Wert von 1 bis 103";
        QTest::newRow("ADR empty") << "adr" << "" << false << "ADR einen Wert von 1 bis 103";
        QTest::newRow("GE x") << "ge" << "x" << false << "GE einen Wert von 0 bis 7";
        QTest::newRow("BE 8") << "be" << "8" << false << "BE einen Wert von 0 bis 7";
        QTest::newRow("IM 5") << "im" << "5" << false << "IM einen Wert von 1 bis 4";
        QTest::newRow("HA 0") << "ha" << "0" << false << "HA einen Wert von 1 bis 2";
        QTest::newRow("IMe 0") << "imErw" << "0" << true << "Motorregelung / Impw einen Wert von 1 bis 4";
        QTest::newRow("HAe 3") << "beErw" << "3" << true << "Wirkung der ABE einen Wert von 1 bis 2";
    }
    // A write checks every value against its list before anything goes onto the line.
    void invalidValuesSendNothing() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, extended);
        QFETCH(QString, message);
        RunRig r;
        r.input.extended = extended;
        QString* target = field == u"adr"    ? &r.input.adr
                          : field == u"ge"   ? &r.input.ge
                          : field == u"be"   ? &r.input.be
                          : field == u"im"   ? &r.input.im
                          : field == u"ha"   ? &r.input.ha
                          : field == u"imErw" ? &r.input.imErw
                                              : &r.input.beErw;
        *target = text;
        QCOMPARE(r.run(1), Slx850Run::Outcome::Refused);
        QVERIFY(r.station.traffic().isEmpty());
        QCOMPARE(r.host.onlyMessage(), QStringLiteral(" Decoder schreiben...|Bitte wählen Sie für %1 !          ").arg(message));
        QVERIFY(r.host.rows.isEmpty());
        QVERIFY(r.host.statuses.isEmpty());
    }

    // An invalid extended value does not matter when the extended settings are not ticked,
    // nor do the combo texts to a read.
    void valuesNotUsedAreNotChecked() {
        RunRig r;
        r.input.imErw = QStringLiteral("9");
        QCOMPARE(r.run(1), Slx850Run::Outcome::Done);
        RunRig r2;
        r2.input.adr = QStringLiteral("abc");
        QCOMPARE(r2.run(0), Slx850Run::Outcome::Done);
    }

    // The window closes while a read waits: the run ends at once, silently.
    void stoppedDuringAWait() {
        RunRig r;
        r.station.setSxReadsAnswered(2);
        r.clock.onYield = [&r] {
            if (r.clock.ticks() >= 1000)
                r.exchange.cancel();
        };
        QCOMPARE(r.run(0), Slx850Run::Outcome::Stopped);
        QCOMPARE(r.bytes(), (QStringList{"6D00", "7F00", "EA40", "6D00"}));
        QVERIFY(r.host.messages.isEmpty());
        QVERIFY(!r.host.busy);
        QVERIFY(!r.host.anyWhite());
        QVERIFY(r.clock.ticks() < 1100);
    }

    // The port fails: the link reports it once; the run ends, leaving the pointer and the
    // fields as a user can go on with.
    void portFails() {
        RunRig r;
        r.clock.onAdvance = [&r](qint64 t) {
            if (t >= 250)
                r.station.vanish();
        };
        QCOMPARE(r.run(0), Slx850Run::Outcome::Stopped);
        QCOMPARE(r.failures, QList<int>{PortError::Lost});
        QVERIFY(r.host.rows.isEmpty());
        QVERIFY(!r.host.busy);
        QVERIFY(!r.host.anyWhite());
    }
};

QTEST_GUILESS_MAIN(TestSlx850Run)
#include "tst_slx850run.moc"
