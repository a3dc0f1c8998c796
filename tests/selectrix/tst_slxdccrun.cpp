#include "SelectrixRig.h"
#include "TestFiles.h"
#include "selectrix/core/SlxDccRun.h"

#include <QTest>

namespace {

// The DCC run on the simulated central with a pause of 100 ms; CV 3 of the decoder holds 12.
struct DccRig : SelectrixStationRig {
    RecordingSelectrixHost host;
    SlxDccInput input{QStringLiteral("3"), QStringLiteral("12"), 100};

    DccRig() { station.setCv(3, 12); }
    SlxDccRun::Outcome run(int index) {
        SlxDccRun r(access, host, input);
        return index == 0 ? r.DCC_ModeRead() : r.DCC_ModeWrite();
    }
};

const QStringList closing{"EA00", "EA00", "EA00"};

}  // namespace

// DCC CVs through the Selectrix central: the exact channel traffic and its pauses on virtual
// time, the read error, the values that are refused, and the early ends.
class TestSlxDccRun : public QObject {
    Q_OBJECT
private slots:
    // 234 64, 109 0, 232 3, 233 0, 234 206, 105 0, 107 0, then 234 0 three times.
    void readCv3() {
        DccRig r;
        QCOMPARE(r.run(0), SlxDccRun::Outcome::Done);
        QCOMPARE(r.trace(), (QStringList{"0 EA40", "100 6D00", "200 E803", "300 E900", "800 EACE", "800 6900",
                                         "800 6B00", "900 EA00", "1000 EA00", "1100 EA00"}));
        QCOMPARE(r.clock.ticks(), qint64(1200));
        QCOMPARE(r.host.statuses, (QStringList{" schalte Programmierfunktion ein ...", " Programmierfunktion bereit ...",
                                               " schreibe CV-Adresse...", " schreibe CV-Adresse...",
                                               " lese Decoderparameter ein...", " Lesevorgang beendet ..."}));
        QCOMPARE(r.host.dccValues, (QStringList{"?", "12"}));
        QCOMPARE(r.host.rows, (QList<QStringList>{{"L", "3", "12", "DCC", " ", " "}}));
        QVERIFY(r.host.messages.isEmpty());
        QVERIFY(!r.host.busy);
        QCOMPARE(r.station.channel(106), quint8(0));
    }

    // 234 64, 109 0, 232 3, 235 12, 234 206, then 234 0 three times.
    void writeCv3() {
        DccRig r;
        r.station.setCv(3, 0);
        QCOMPARE(r.run(1), SlxDccRun::Outcome::Done);
        QCOMPARE(r.trace(), (QStringList{"0 EA40", "100 6D00", "200 E803", "300 EB0C", "400 EACE", "500 EA00",
                                         "600 EA00", "700 EA00"}));
        QCOMPARE(r.clock.ticks(), qint64(800));
        QCOMPARE(r.station.cv(3), std::optional<int>(12));
        QCOMPARE(r.host.statuses.mid(2), (QStringList{" schreibe Adresse ...", " schreibe Daten ...",
                                                      " schreibe in Decoder ...", " Schreibvorgang beendet ..."}));
        QCOMPARE(r.host.rows, (QList<QStringList>{{"S", "3", "12", "DCC", " ", " "}}));
        QVERIFY(r.host.dccValues.isEmpty());
        QVERIFY(!r.host.busy);
    }

    // Channel 105 answers 255: the read error, "?" stays, no row, 107 not read, and
    // programming is switched off all the same.
    void readError() {
        DccRig r;
        r.station.removeCv(3);
        QCOMPARE(r.run(0), SlxDccRun::Outcome::Ended);
        QCOMPARE(r.bytes(), (QStringList{"EA40", "6D00", "E803", "E900", "EACE", "6900"} + closing));
        QCOMPARE(r.host.status(), QStringLiteral(" Lesefehler ! ! ! "));
        QCOMPARE(r.host.dccValues, QStringList{"?"});
        QVERIFY(r.host.rows.isEmpty());
        QVERIFY(r.host.messages.isEmpty());
        QVERIFY(!r.host.busy);
    }

    // A CV that channel 104 cannot carry, and a value that is no byte ("?" after a failed
    // read), are refused before anything is sent; the value field stays as it is.
    void refused_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("cv");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        const QString readCv = QStringLiteral(" Decoder lesen...|Bitte wählen Sie für CV einen Wert von 1 bis 255 !          ");
        const QString writeCv =
            QStringLiteral(" Decoder schreiben...|Bitte wählen Sie für CV einen Wert von 1 bis 255 !          ");
        const QString writeValue =
            QStringLiteral(" Decoder schreiben...|Bitte wählen Sie für Wert einen Wert von 0 bis 255 !          ");
        QTest::newRow("read CV 300") << 0 << "300" << "0" << readCv;
        QTest::newRow("read CV 0") << 0 << "0" << "0" << readCv;
        QTest::newRow("read CV abc") << 0 << "abc" << "0" << readCv;
        QTest::newRow("write CV 300") << 1 << "300" << "12" << writeCv;
        QTest::newRow("write CV 256") << 1 << "256" << "12" << writeCv;
        QTest::newRow("write ?") << 1 << "3" << "?" << writeValue;
        QTest::newRow("write 256") << 1 << "3" << "256" << writeValue;
        QTest::newRow("write -1") << 1 << "3" << "-1" << writeValue;
        QTest::newRow("write empty") << 1 << "3" << "" << writeValue;
    }
    void refused() {
        QFETCH(int, index);
        QFETCH(QString, cv);
        QFETCH(QString, value);
        QFETCH(QString, message);
        DccRig r;
        r.input.cv = cv;
        r.input.value = value;
        QCOMPARE(r.run(index), SlxDccRun::Outcome::Refused);
        QCOMPARE(r.host.onlyMessage(), message);
        QCOMPARE(r.host.messages[0].icon, Notifier::Icon::Critical);
        QVERIFY(r.station.traffic().isEmpty());
        QVERIFY(r.host.dccValues.isEmpty());
        QVERIFY(r.host.rows.isEmpty());
        QVERIFY(r.host.statuses.isEmpty());
    }

    // Edges of the ranges go through: CV 255 and value 0, CV 1 and value 255.
    void rangeEdges() {
        DccRig r;
        r.input = {QStringLiteral("255"), QStringLiteral("0"), 0};
        QCOMPARE(r.run(1), SlxDccRun::Outcome::Done);
        QCOMPARE(r.bytes().mid(2, 2), (QStringList{"E8FF", "EB00"}));
        DccRig r2;
        r2.input = {QStringLiteral(" 1 "), QStringLiteral("255"), 0};
        QCOMPARE(r2.run(1), SlxDccRun::Outcome::Done);
        QCOMPARE(r2.bytes().mid(2, 2), (QStringList{"E801", "EBFF"}));
        QCOMPARE(r2.host.rows[0].mid(0, 3), (QStringList{"S", "1", "255"}));
    }

    // Not ready: the message, the normal pointer, an empty status; 106 stays 64.
    void notReady_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("read") << 0;
        QTest::newRow("write") << 1;
    }
    void notReady() {
        QFETCH(int, index);
        DccRig r;
        r.station.setSxProgrammingReady(false);
        QCOMPARE(r.run(index), SlxDccRun::Outcome::Ended);
        QCOMPARE(r.bytes(), (QStringList{"EA40", "6D00"}));
        QCOMPARE(r.host.onlyMessage(),
                 QStringLiteral(" Decoder programmieren ...|Die Programmierfunktion ist nicht bereit   !       "));
        QCOMPARE(r.host.status(), QString());
        QVERIFY(!r.host.busy);
        QVERIFY(r.host.rows.isEmpty());
        QCOMPARE(r.station.channel(106), quint8(64));
        QCOMPARE(r.host.dccValues, index == 0 ? QStringList{"?"} : QStringList());
    }

    // The run as a read/write-CV interface: what each end of a CV comes to, and programming
    // switched off by finish() only once the CV was carried out.
    void asCvProgrammer_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("central");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<bool>("closes");
        using O = CvResult::Outcome;
        QTest::newRow("read") << false << "" << int(O::Ok) << true;
        QTest::newRow("write") << true << "" << int(O::Ok) << true;
        QTest::newRow("read error") << false << "no CV" << int(O::Refused) << true;
        QTest::newRow("not ready") << false << "not ready" << int(O::Refused) << false;
        QTest::newRow("silent") << true << "silent" << int(O::TimedOut) << false;
    }
    void asCvProgrammer() {
        QFETCH(bool, write);
        QFETCH(QString, central);
        QFETCH(int, outcome);
        QFETCH(bool, closes);
        DccRig r;
        if (central == QLatin1String("no CV"))
            r.station.removeCv(3);
        r.station.setSxProgrammingReady(central != QLatin1String("not ready"));
        if (central == QLatin1String("silent"))
            r.station.setSxReadsAnswered(0);
        SlxDccRun run(r.access, r.host, r.input);
        CvProgrammer& programmer = run;
        const CvResult result = write ? programmer.writeCv(3, 12) : programmer.readCv(3);
        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(result.value, result.ok() && !write ? 12 : -1);
        const qsizetype before = r.bytes().size();
        programmer.finish();
        programmer.finish();
        QCOMPARE(r.bytes().mid(before), closes ? closing : QStringList());
    }

    // A central that falls silent at any read ends the run 2000 ms after that read with the
    // message; nothing more is sent.
    void silentCentral_data() {
        QTest::addColumn<int>("answered");
        QTest::addColumn<QStringList>("bytes");
        QTest::addColumn<qint64>("end");
        QTest::newRow("readiness") << 0 << QStringList{"EA40", "6D00"} << qint64(2101);
        QTest::newRow("result") << 1 << QStringList{"EA40", "6D00", "E803", "E900", "EACE", "6900"} << qint64(2801);
        QTest::newRow("value") << 2 << QStringList{"EA40", "6D00", "E803", "E900", "EACE", "6900", "6B00"}
                               << qint64(2901);
    }
    void silentCentral() {
        QFETCH(int, answered);
        QFETCH(QStringList, bytes);
        QFETCH(qint64, end);
        DccRig r;
        r.station.setSxReadsAnswered(answered);
        QCOMPARE(r.run(0), SlxDccRun::Outcome::Ended);
        QCOMPARE(r.bytes(), bytes);
        QCOMPARE(r.clock.ticks(), end);
        QCOMPARE(r.host.onlyMessage(), QStringLiteral(" Decoder programmieren...|Die Zentrale antwortet nicht !          "));
        QCOMPARE(r.host.status(), QString());
        QCOMPARE(r.host.dccValues, QStringList{"?"});
        QVERIFY(r.host.rows.isEmpty());
        QVERIFY(!r.host.busy);
    }

    // The window closes while a read waits: the run ends at once, silently.
    void stoppedDuringAWait() {
        DccRig r;
        r.station.setSxReadsAnswered(1);
        r.clock.onYield = [&r] {
            if (r.clock.ticks() >= 1000)
                r.exchange.cancel();
        };
        QCOMPARE(r.run(0), SlxDccRun::Outcome::Stopped);
        QVERIFY(r.host.messages.isEmpty());
        QVERIFY(!r.host.busy);
        QVERIFY(r.clock.ticks() < 1100);
    }

    void portFails() {
        DccRig r;
        r.clock.onAdvance = [&r](qint64 t) {
            if (t >= 250)
                r.station.vanish();
        };
        QCOMPARE(r.run(1), SlxDccRun::Outcome::Stopped);
        QCOMPARE(r.failures, QList<int>{PortError::Lost});
        QVERIFY(!r.host.busy);
        QVERIFY(r.host.rows.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSlxDccRun)
#include "tst_slxdccrun.moc"
