#include "FakeZentrale.h"
#include "MotorolaProgramming.h"

#include <QTest>

using Outcome = MotorolaProgramming::Outcome;
using Writes = QList<TimedPort::Write>;
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
    s.yield().wait(5000);  // the answer is waiting when the wait starts
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
        QTest::newRow("MC variant 1") << "MC" << 0 << "2" << "7" << d.writes() << d.end() << qint64(37750 + 4 * 10);
        const Script e = scriptMC(2, 7, 1);
        QTest::newRow("MC variant 2") << "MC" << 1 << "2" << "7" << e.writes() << e.end() << qint64(36200 + 4 * 10);
        const Script f = scriptMC(1, 0, 2);
        QTest::newRow("MC third button acts as variant 2") << "MC" << 2 << "1" << "0" << f.writes() << f.end() << qint64(36200 + 4 * 10);
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

        FakeZentrale z;
        z.ctx.CuName = cu;
        z.ctx.DecoderType = QStringLiteral("mfx");
        z.port.ctsAt = [](qint64 t) { return std::optional<bool>(t >= 3500); };
        z.port.answer = [](const QString& cmd) -> std::optional<QString> {
            if (cmd == QLatin1String("XTPM 80"))
                return QStringLiteral("Ok\r]");
            return std::nullopt;
        };
        MotorolaProgramming mp(z);
        const auto result = mp.write(reg, val, variant);

        QCOMPARE(result.outcome, Outcome::Done);
        QCOMPARE(hex(z.port.writes), hex(expected));
        QCOMPARE(z.clock.ticks(), end);
        QCOMPARE(z.protocol, QList<QStringList>({{"S", reg, val}}));
        QCOMPARE(z.status(), QStringLiteral(" Programmierung beendet !"));
        QCOMPARE(z.notifier.beeps, 1);
        QVERIFY(z.notifier.messages.isEmpty());
        QVERIFY(!z.busy);
        QCOMPARE(result.newAddress(), reg == "1" ? std::optional<int>(val.toInt()) : std::nullopt);
    }

    // Each step's status text is shown before its bytes go out; the 6021 route in full.
    void statusTexts6021() {
        FakeZentrale z;
        z.ctx.CuName = QStringLiteral("6021");
        MotorolaProgramming(z).write(QStringLiteral("1"), QStringLiteral("24"), 0);
        const QStringList expected = {
            " initialisiere 6021...",        " Power off...",
            " stelle Adresse 80 ein...",     " sende Umschaltbefehl...",
            " Power on...",                  " stelle Register ein...",
            " stelle Register ein...",       " bestätige Register...",
            " schreibe in Register...",      " bestätige Registereintrag...",
            " Power off...",                 " Power on...",
            " Programmierung beendet !"};
        QCOMPARE(z.statusHistory, expected);
    }

    // A pseudo-terminal cannot report CTS: the Intellibox gets the whole deadline to come
    // back from its reset, then the sequence goes on.
    void intelliboxCtsUnknown() {
        FakeZentrale z;
        z.ctx.CuName = QStringLiteral("IB");
        const auto result = MotorolaProgramming(z).write(QStringLiteral("3"), QStringLiteral("9"), 0);
        QCOMPARE(result.outcome, Outcome::Done);
        const Script s = scriptIB(3, 9, 2000 + 8000 + 10);  // deadline plus the last poll
        QCOMPARE(hex(z.port.writes), hex(s.writes()));
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
        FakeZentrale z;
        z.ctx.CuName = cu;
        z.port.ctsAt = [](qint64) { return std::optional<bool>(false); };
        z.notifier.expectMessages = true;
        const auto result = MotorolaProgramming(z).write(QStringLiteral("1"), QStringLiteral("5"), 0);
        QCOMPARE(result.outcome, Outcome::NoAnswer);
        QCOMPARE(z.port.commands(), sent);
        QCOMPARE(z.notifier.messages.size(), 1);
        QCOMPARE(z.notifier.messages[0].text, text);
        QCOMPARE(z.notifier.messages[0].title, QStringLiteral(" MM-Decoder programmieren..."));
        QCOMPARE(z.notifier.messages[0].icon, Notifier::Icon::Critical);
        QCOMPARE(z.status(), QStringLiteral(" Programmierung abgebrochen..."));
        QVERIFY(z.protocol.isEmpty());
        QVERIFY(!z.busy);
        // Nothing after the last command: no register step.
        QVERIFY(z.port.writes.last().bytes.endsWith('\r'));
    }

    void masterControlRelease_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("lower case") << "unknown command\r]";
        QTest::newRow("capitals") << "UNKNOWN COMMAND\r]";
    }
    void masterControlRelease() {
        QFETCH(QString, answer);
        FakeZentrale z;
        z.ctx.CuName = QStringLiteral("MC");
        z.port.answer = [answer](const QString&) { return std::optional<QString>(answer); };
        z.notifier.expectMessages = true;
        const auto result = MotorolaProgramming(z).write(QStringLiteral("1"), QStringLiteral("5"), 1);
        QCOMPARE(result.outcome, Outcome::Unsupported);
        QCOMPARE(z.notifier.messages.size(), 1);
        QCOMPARE(z.notifier.messages[0].text,
                 QStringLiteral("Bitte überprüfen Sie, ob die MC mit Rel. 1.4.3g oder höher ausgestattet ist !     "));
        QCOMPARE(z.notifier.messages[0].title, QStringLiteral(" fx- / mfx-Programmierung nicht möglich..."));
        // Power off, power on, the two attempts, and nothing more.
        QCOMPARE(z.port.writes.size(), 4);
        QCOMPARE(z.port.commands(), QStringList({"XTPM 80", "XTPM 80"}));
        QVERIFY(z.protocol.isEmpty());
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
        FakeZentrale z;
        z.ctx.CuName = cu;
        z.notifier.expectMessages = true;
        const auto result = MotorolaProgramming(z).write(reg, val, 0);
        QCOMPARE(result.outcome, Outcome::BadInput);
        QVERIFY(z.port.writes.isEmpty());
        QCOMPARE(z.clock.ticks(), 0);
        QCOMPARE(z.notifier.messages.size(), 1);
        QCOMPARE(z.notifier.messages[0].icon, Notifier::Icon::Critical);
        QCOMPARE(z.notifier.messages[0].title, QStringLiteral(" MM-Decoder programmieren..."));
        QVERIFY(z.protocol.isEmpty());
    }

    void boundaryValuesAccepted() {
        FakeZentrale z;
        z.ctx.CuName = QStringLiteral("6021");
        const auto result = MotorolaProgramming(z).write(QStringLiteral(" 0"), QStringLiteral("255 "), 0);
        QCOMPARE(result.outcome, Outcome::Done);
        QCOMPARE(z.port.writes.at(z.port.writes.size() - 3).bytes, QByteArray(1, char(255)));
    }

    void secondExchangeRefused() {
        FakeZentrale z;
        z.ctx.CuName = QStringLiteral("6021");
        StationLink::Exchange running(z.stationLink);
        const auto result = MotorolaProgramming(z).write(QStringLiteral("1"), QStringLiteral("5"), 0);
        QCOMPARE(result.outcome, Outcome::Busy);
        QCOMPARE(z.notifier.beeps, 1);
        QVERIFY(z.port.writes.isEmpty());
    }

    void portErrorGoesToErrorReport() {
        FakeZentrale z;
        z.ctx.CuName = QStringLiteral("IB");
        z.port.failWrites = true;
        z.notifier.answer = Notifier::No;
        z.notifier.expectMessages = true;
        const auto result = MotorolaProgramming(z).write(QStringLiteral("1"), QStringLiteral("5"), 0);
        QCOMPARE(result.outcome, Outcome::PortError);
        QCOMPARE(z.notifier.messages.size(), 1);
        QCOMPARE(z.notifier.messages[0].title, QStringLiteral(" zentrale Fehlerbehandlung..."));
        QVERIFY(!z.busy);
        QVERIFY(!z.stationLink.exchangeRunning());
    }
};

QTEST_GUILESS_MAIN(TestMotorola)
#include "tst_motorola.moc"
