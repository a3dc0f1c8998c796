#include "FakeZentraleHost.h"
#include "intellibox/core/MotorolaProgramming.h"
#include "programming/core/ProgrammingSession.h"

#include <QTest>

using Outcome = MotorolaProgramming::Outcome;
struct Write {
    qint64 at;
    QByteArray bytes;
};
using Writes = QList<Write>;
Q_DECLARE_METATYPE(Writes)

namespace {

// Builds the expected traffic of a sequence from its step table: what goes out and when.
class Script {
public:
    Script& wait(qint64 ms) {
        m_t += ms;
        return *this;
    }
    // One poll of a yield or an answer wait on the test's virtual clock.
    Script& yield() { return wait(10); }
    Script& bytes(std::initializer_list<int> values) {
        QByteArray b;
        for (int v : values)
            b += static_cast<char>(v);
        m_writes.append({m_t, b});
        return *this;
    }
    Script& byte(int v) { return bytes({v}); }
    // A pair sent one byte at a time with 50 ms between.
    Script& separately(int a, int b) { return byte(a).wait(50).byte(b); }
    Script& text(const char* command) {
        m_writes.append({m_t, QByteArray(command) + '\r'});
        return *this;
    }
    Script& registerSteps(int reg, int val) {
        separately(0, reg).wait(2000);
        separately(0, 80).wait(1200).yield();
        separately(15, reg).wait(1500).yield();
        separately(0, reg).wait(1000);
        return separately(15, val).wait(4500).yield();
    }
    Writes writes() const { return m_writes; }
    qint64 end() const { return m_t; }

private:
    Writes m_writes;
    qint64 m_t = 0;
};

Script script6021(int reg, int val) {
    Script s;
    s.wait(1000).byte(97).wait(2500).separately(0, 80).wait(1000).bytes({15, 80}).wait(1000);
    s.byte(96).wait(2500).yield().registerSteps(reg, val);
    s.byte(97).wait(2500).byte(96).wait(1000);
    return s;
}

Script scriptIB(int reg, int val, qint64 ctsSeenAt) {
    Script s;
    s.wait(1000).text("X@@").wait(1000);
    s.wait(ctsSeenAt - s.end()).wait(1000).text("XPT1").wait(1000);
    s.bytes({0, 80}).wait(1000).bytes({15, 80}).wait(1000).text("XPT0").wait(1000).yield();
    s.registerSteps(reg, val);
    s.byte(97).wait(1500).byte(96).wait(1000);
    return s;
}

Script scriptMC(int reg, int val, int variant) {
    Script s;
    s.byte(97).wait(3000).byte(96).wait(3000).text("XTPM 80").wait(5000).text("XTPM 80").wait(5000);
    // The answer is waiting when the wait starts and is taken at once.
    s.wait(5000);
    s.separately(0, 80).wait(2000);
    if (variant == 0)
        s.separately(15, 80).wait(1500);
    s.yield().separately(15, reg).wait(2500).yield();
    s.separately(0, reg).wait(2000);
    s.separately(15, val).wait(5000).yield();
    s.byte(97).wait(2500).byte(96).wait(1000);
    return s;
}

QString hex(const Writes& writes) {
    QStringList out;
    for (const auto& w : writes)
        out.append(QStringLiteral("%1:%2").arg(w.at).arg(QString::fromLatin1(w.bytes.toHex(' '))));
    return out.join(QStringLiteral(" | "));
}

// What went to the station, with the time of each write.
// The write as the window starts it: register and value checked first, then inside an
// exchange taken through the window's guard, with a session for the pointer. `ran` false:
// refused.
MotorolaProgramming::Result windowWrite(SimulatedZentrale& z, const QString& reg, const QString& val, int variant,
                                        bool* ran = nullptr) {
    MotorolaProgramming mp(z.host.ctx, z.host, z.host.link());
    MotorolaProgramming::Result result;
    result.outcome = MotorolaProgramming::Outcome::BadInput;
    if (!mp.checkedInput(reg, val))
        return result;
    const ZentraleStations::Station station = ZentraleStations::named(z.host.ctx.CuName)->station;
    const bool taken = z.guard.run([&] {
        ProgrammingSession session(z.host);
        result = mp.write(station, reg, val, variant);
    });
    if (ran)
        *ran = taken;
    return result;
}

QString hex(const SimulatedZentrale& z) {
    Writes writes;
    const QList<QByteArray> bytes = z.writes();
    const QList<qint64> times = z.writeTimes();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        writes.append({times[i], bytes[i]});
    return hex(writes);
}

}  // namespace

class TestMotorola : public QObject {
    Q_OBJECT
private slots:
    void sequences_data() {
        QTest::addColumn<QString>("cu");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("reg");
        QTest::addColumn<QString>("val");
        QTest::addColumn<Writes>("expected");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<qint64>("pauses");  // the sum of the table's pauses and waits

        const Script a = script6021(1, 24);
        QTest::newRow("6021 address register") << "6021" << 0 << "1" << "24" << a.writes() << a.end() << qint64(22000 + 4 * 10);
        const Script b = script6021(5, 3);
        QTest::newRow("6021 register 5") << "6021" << 0 << "5" << "3" << b.writes() << b.end() << qint64(22000 + 4 * 10);
        const Script c = scriptIB(4, 255, 3500);
        QTest::newRow("IB, CTS after reset") << "IB" << 0 << "4" << "255" << c.writes() << c.end() << qint64(19950 + 1500 + 4 * 10);
        const Script d = scriptMC(2, 7, 0);
        QTest::newRow("MC variant 1") << "MC" << 0 << "2" << "7" << d.writes() << d.end() << qint64(37750 + 3 * 10);
        const Script e = scriptMC(2, 7, 1);
        QTest::newRow("MC variant 2") << "MC" << 1 << "2" << "7" << e.writes() << e.end() << qint64(36200 + 3 * 10);
        const Script f = scriptMC(1, 0, 2);
        QTest::newRow("MC third button acts as variant 2") << "MC" << 2 << "1" << "0" << f.writes() << f.end() << qint64(36200 + 3 * 10);
    }
    void sequences() {
        QFETCH(QString, cu);
        QFETCH(int, variant);
        QFETCH(QString, reg);
        QFETCH(QString, val);
        QFETCH(Writes, expected);
        QFETCH(qint64, end);
        QFETCH(qint64, pauses);
        QCOMPARE(end, pauses);

        SimulatedZentrale z(cu);
        z.host.ctx.DecoderType = QStringLiteral("mfx");
        z.station.setResetTime(2500);  // "X@@" goes out at 1000: CTS is back at 3500
        const auto result = windowWrite(z, reg, val, variant);

        QCOMPARE(result.outcome, Outcome::Done);
        QCOMPARE(hex(z), hex(expected));
        QCOMPARE(z.clock.ticks(), end);
        QCOMPARE(z.host.protocol, QList<QStringList>({{"S", reg, val}}));
        QCOMPARE(z.host.status(), QStringLiteral(" Programmierung beendet !"));
        QCOMPARE(z.host.notifier.beeps, 1);
        QVERIFY(z.host.notifier.messages.isEmpty());
        QVERIFY(!z.host.busy);
        QCOMPARE(result.newAddress(), reg == "1" ? std::optional<int>(val.toInt()) : std::nullopt);
        // The station ends with its power on, and a 6021 saw no P50X text.
        QVERIFY(z.station.powerOn());
        if (cu == "6021")
            QVERIFY(z.station.p50xCommands().isEmpty());
    }

    // Each step's status text is shown before its bytes go out; the 6021 route in full.
    void statusTexts6021() {
        SimulatedZentrale z(QStringLiteral("6021"));
        windowWrite(z, QStringLiteral("1"), QStringLiteral("24"), 0);
        const QStringList expected = {
            " initialisiere 6021...",        " Power off...",
            " stelle Adresse 80 ein...",     " sende Umschaltbefehl...",
            " Power on...",                  " stelle Register ein...",
            " stelle Register ein...",       " bestätige Register...",
            " schreibe in Register...",      " bestätige Registereintrag...",
            " Power off...",                 " Power on...",
            " Programmierung beendet !"};
        QCOMPARE(z.host.statusLog, expected);
    }

    // A pseudo-terminal cannot report CTS: the Intellibox gets the whole deadline to come
    // back from its reset, then the sequence goes on.
    void intelliboxCtsUnknown() {
        SimulatedZentrale z;
        z.station.setCts(std::nullopt);
        const auto result = windowWrite(z, QStringLiteral("3"), QStringLiteral("9"), 0);
        QCOMPARE(result.outcome, Outcome::Done);
        // The wait starts at 2000 and polls every 30 ms; the first poll past the deadline
        // comes 8020 ms after the start.
        const Script s = scriptIB(3, 9, 2000 + 8020);
        QCOMPARE(hex(z), hex(s.writes()));
    }

    void stationSilent_data() {
        QTest::addColumn<QString>("cu");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("IB raises no CTS") << "IB" << "Die IntelliBox antwortet nicht !          "
                                          << QStringList{"X@@"};
        QTest::newRow("MC gives no answer") << "MC" << "Die MasterControl antwortet nicht !          "
                                            << QStringList{"XTPM 80", "XTPM 80"};
    }
    void stationSilent() {
        QFETCH(QString, cu);
        QFETCH(QString, text);
        QFETCH(QStringList, sent);
        SimulatedZentrale z(cu);
        z.station.setResetTime(-1);
        z.station.setFault(SimulatedStation::Fault::Silent);
        z.host.notifier.expectMessages = true;
        const auto result = windowWrite(z, QStringLiteral("1"), QStringLiteral("5"), 0);
        QCOMPARE(result.outcome, Outcome::NoAnswer);
        QCOMPARE(z.station.p50xCommands(), sent);
        QCOMPARE(onlyMessage(z.host.notifier), QStringLiteral(" MM-Decoder programmieren...") + u'|' + text);
        QCOMPARE(z.host.notifier.messages[0].icon, Notifier::Icon::Critical);
        QCOMPARE(z.host.status(), QStringLiteral(" Programmierung abgebrochen..."));
        QVERIFY(z.host.protocol.isEmpty());
        QVERIFY(!z.host.busy);
        // Nothing after the last command: no register step.
        QVERIFY(z.writes().last().endsWith('\r'));
    }

    // A MasterControl before release 1.4.3g does not know "XTPM".
    void masterControlRelease_data() {
        QTest::addColumn<QByteArray>("answer");  // empty: the station's own answer
        QTest::newRow("station's answer") << QByteArray();
        QTest::newRow("capitals") << QByteArray("UNKNOWN COMMAND\r]");
    }
    void masterControlRelease() {
        QFETCH(QByteArray, answer);
        SimulatedZentrale z(QStringLiteral("MC"));
        z.station.setMotorolaProgramming(false);
        if (!answer.isEmpty()) {
            z.station.scriptAnswer(answer);
            z.station.scriptAnswer(answer);
        }
        z.host.notifier.expectMessages = true;
        const auto result = windowWrite(z, QStringLiteral("1"), QStringLiteral("5"), 1);
        QCOMPARE(result.outcome, Outcome::Unsupported);
        QCOMPARE(onlyMessage(z.host.notifier),
                 QStringLiteral(" fx- / mfx-Programmierung nicht möglich...|"
                 "Bitte überprüfen Sie, ob die MC mit Rel. 1.4.3g oder höher ausgestattet ist !     "));
        // Power off, power on, the two attempts, and nothing more.
        QCOMPARE(z.writes().size(), 4);
        QCOMPARE(z.station.p50xCommands(), QStringList({"XTPM 80", "XTPM 80"}));
        QVERIFY(z.host.protocol.isEmpty());
    }

    void badInputSendsNothing_data() {
        QTest::addColumn<QString>("cu");
        QTest::addColumn<QString>("reg");
        QTest::addColumn<QString>("val");
        for (const char* cu : {"6021", "MC", "IB"}) {
            QTest::addRow("%s value 256", cu) << cu << "1" << "256";
            QTest::addRow("%s register 300", cu) << cu << "300" << "5";
            QTest::addRow("%s empty value", cu) << cu << "1" << "";
            QTest::addRow("%s letters", cu) << cu << "1" << "2a";
            QTest::addRow("%s negative", cu) << cu << "-1" << "5";
            QTest::addRow("%s fraction", cu) << cu << "1" << "2.5";
        }
    }
    void badInputSendsNothing() {
        QFETCH(QString, cu);
        QFETCH(QString, reg);
        QFETCH(QString, val);
        SimulatedZentrale z(cu);
        z.host.notifier.expectMessages = true;
        const auto result = windowWrite(z, reg, val, 0);
        QCOMPARE(result.outcome, Outcome::BadInput);
        QVERIFY(z.station.traffic().isEmpty());
        QCOMPARE(z.clock.ticks(), 0);
        QCOMPARE(z.host.notifier.messages.size(), 1);
        QCOMPARE(z.host.notifier.messages[0].icon, Notifier::Icon::Critical);
        QCOMPARE(z.host.notifier.messages[0].title, QStringLiteral(" MM-Decoder programmieren..."));
        QVERIFY(z.host.protocol.isEmpty());
    }

    void boundaryValuesAccepted() {
        SimulatedZentrale z(QStringLiteral("6021"));
        const auto result = windowWrite(z, QStringLiteral(" 0"), QStringLiteral("255 "), 0);
        QCOMPARE(result.outcome, Outcome::Done);
        const QList<QByteArray> writes = z.writes();
        QCOMPARE(writes.at(writes.size() - 3), QByteArray(1, char(255)));
    }

    void secondExchangeRefused() {
        SimulatedZentrale z(QStringLiteral("6021"));
        StationLink::Exchange running(z.host.link());
        bool ran = true;
        windowWrite(z, QStringLiteral("1"), QStringLiteral("5"), 0, &ran);
        QVERIFY(!ran);
        QCOMPARE(z.host.notifier.beeps, 1);
        QVERIFY(z.station.traffic().isEmpty());
    }

    // The window closes while the sequence lets its events run (the CTS wait, a yield
    // between steps, the MasterControl's answer wait): the sequence ends at once, sends
    // nothing more and writes no protocol row.
    void closingEndsTheSequence_data() {
        QTest::addColumn<QString>("cu");
        QTest::addColumn<qint64>("closeAt");
        QTest::addColumn<int>("writes");
        QTest::newRow("IB during the CTS wait") << "IB" << qint64(2500) << 1;
        QTest::newRow("IB between register steps") << "IB" << qint64(12000) << 11;
        QTest::newRow("6021 after power on") << "6021" << qint64(1) << 5;
        QTest::newRow("MC during the answer wait") << "MC" << qint64(16000) << 4;
        QTest::newRow("MC between register steps") << "MC" << qint64(23000) << 8;
    }
    void closingEndsTheSequence() {
        QFETCH(QString, cu);
        QFETCH(qint64, closeAt);
        QFETCH(int, writes);
        SimulatedZentrale z(cu);
        z.station.setResetTime(2500);
        if (closeAt == 16000)  // no answer yet when the wait begins
            z.station.setFault(SimulatedStation::Fault::Silent);
        z.clock.onYield = [&] {
            if (z.clock.ticks() >= closeAt)
                z.host.link().cancelExchange();
        };
        const auto result = windowWrite(z, QStringLiteral("1"), QStringLiteral("5"), 0);
        QCOMPARE(result.outcome, Outcome::Aborted);
        QCOMPARE(z.writes().size(), writes);
        QVERIFY(z.host.protocol.isEmpty());
        QVERIFY(z.host.notifier.messages.isEmpty());
        QCOMPARE(z.host.notifier.beeps, 0);
        QVERIFY(!z.host.busy);
        QVERIFY(!z.host.link().exchangeRunning());
    }

    // A port that fails shows the central error report once, and no time-out message on top.
    void portErrorGoesToErrorReport_data() {
        QTest::addColumn<QString>("cuName");
        QTest::addColumn<bool>("duringAnswerWait");
        QTest::newRow("IB, gone at once") << "IB" << false;
        QTest::newRow("6021, gone at once") << "6021" << false;
        QTest::newRow("MC, gone while its answer is awaited") << "MC" << true;
        QTest::newRow("IB, gone while it resets") << "IB" << true;
    }
    void portErrorGoesToErrorReport() {
        QFETCH(QString, cuName);
        QFETCH(bool, duringAnswerWait);
        SimulatedZentrale z(cuName);
        if (duringAnswerWait)
            z.clock.onYield = [&z] { z.station.vanish(); };
        else
            z.station.vanish();
        z.host.notifier.answer = Notifier::No;
        z.host.notifier.expectMessages = true;
        const auto result = windowWrite(z, QStringLiteral("1"), QStringLiteral("5"), 0);
        QCOMPARE(result.outcome, Outcome::PortError);
        QCOMPARE(z.host.notifier.messages.size(), 1);
        QCOMPARE(z.host.notifier.messages[0].title, QStringLiteral(" zentrale Fehlerbehandlung..."));
        QVERIFY(!z.host.busy);
        QVERIFY(!z.host.link().exchangeRunning());
    }
};

QTEST_GUILESS_MAIN(TestMotorola)
#include "tst_motorola.moc"
