#include "link/core/QtSerialPort.h"
#include "link/core/RealClock.h"
#include "link/core/StationLink.h"
#include "Pty.h"
#include "TappedPort.h"

#include <QTest>
#include <QTimer>

namespace {
// The link over the traced real port on a pseudo-terminal whose master plays the station.
struct Rig {
    Rig() : port(real), link(port, clock), exchange(link) {
        port.setPortName(pty.path);
        port.open();
        // Every read and every sleep of a wait in order: what a read brought, and whether a
        // sleep ended with input waiting.
        port.onRead = [this](const QByteArray& bytes) {
            events << (bytes.isEmpty() ? QStringLiteral("read nothing") : QStringLiteral("read ") + QString::fromLatin1(bytes));
        };
        port.onWake = [this](bool input) {
            events << (input ? QStringLiteral("woke with input") : QStringLiteral("woke without input"));
        };
    }
    // The station's bytes, written by a window event `ms` after the wait began.
    void answerAfter(int ms, const QByteArray& bytes) {
        QTimer::singleShot(ms, [this, bytes] { QVERIFY(pty.writeMaster(bytes)); });
    }
    qsizetype count(const QString& event) const { return events.count(event); }
    // Everything the reads brought, in order.
    QString readText() const {
        QString text;
        for (const QString& e : events)
            if (e.startsWith(QStringLiteral("read ")) && e != QStringLiteral("read nothing"))
                text += e.mid(5);
        return text;
    }

    Pty pty;
    QtSerialPort real;
    TappedPort port;
    RealClock clock;
    StationLink link;
    StationLink::Exchange exchange;
    QStringList events;
};
}  // namespace

// The answer wait over a real port: it sleeps until the answer, its deadline or a cancel,
// lets window events run meanwhile, and returns the moment "]" has been read.
class TestAnswerWait : public QObject {
    Q_OBJECT
private slots:
    // Only window events write the answer, so it arrives only if they run during the wait.
    void returnsOnTheBracket_data() {
        QTest::addColumn<QList<QByteArray>>("chunks");  // written 30 ms apart
        QTest::newRow("whole") << QList<QByteArray>{"3 = $03 = %00000011\r]"};
        QTest::newRow("in three chunks") << QList<QByteArray>{"3 = $0", "3 = %00000011\r", "]"};
    }
    void returnsOnTheBracket() {
        QFETCH(QList<QByteArray>, chunks);
        Rig rig;
        QByteArray whole;
        for (qsizetype i = 0; i < chunks.size(); ++i) {
            rig.answerAfter(int(30 * (i + 1)), chunks[i]);
            whole += chunks[i];
        }
        rig.link.tellP50X(QStringLiteral("XPTRD 1"));
        const StationLink::Reply answer = rig.link.receive(StationLink::Framing::P50x, 5000);
        QVERIFY(answer.answered());
        QCOMPARE(answer.text().toLatin1(), whole);
        // Every sleep ended because input came, and the read that brought "]" was the last
        // thing the wait did.
        QCOMPARE(rig.count(QStringLiteral("woke without input")), 0);
        QVERIFY(rig.count(QStringLiteral("woke with input")) >= 1);
        QVERIFY(rig.events.last().startsWith(QStringLiteral("read ")));
        QVERIFY(rig.events.last().endsWith(u']'));
        QCOMPARE(rig.pty.readMaster(8), QByteArray("XPTRD 1\r"));
    }

    // A silent line: one sleep to the deadline, no polling in between.
    void sleepsToTheDeadline() {
        Rig rig;
        const qint64 start = rig.clock.ticks();
        const StationLink::Reply answer = rig.link.receive(StationLink::Framing::P50x, 300);
        QVERIFY(!answer.answered() && answer.outcome != StationLink::Outcome::Stopped);
        QVERIFY(rig.clock.ticks() - start > 300);
        QCOMPARE(rig.count(QStringLiteral("woke with input")), 0);
        // A timer may fire a hair early; then the wait sleeps for the rest.
        QVERIFY(rig.count(QStringLiteral("woke without input")) <= 2);
    }

    // A cancel asked for by a window event ends the sleep: through the link or through the
    // exchange, which the wait looks at once the events have run.
    void abortEndsTheSleep_data() {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("link") << true;
        QTest::newRow("exchange") << false;
    }
    void abortEndsTheSleep() {
        QFETCH(bool, throughLink);
        Rig rig;
        QTimer::singleShot(50, [&] {
            if (throughLink)
                rig.link.cancelExchange();
            else
                rig.exchange.cancel();
        });
        const StationLink::Reply answer = rig.link.receive(StationLink::Framing::P50x, -1);
        QVERIFY(answer.outcome == StationLink::Outcome::Stopped);
        QCOMPARE(rig.events, (QStringList{"read nothing", "woke without input", "read nothing"}));
    }

    // The late answer of a given-up read comes while the next exchange settles: it is
    // dropped the moment its "]" is in, without waiting for the line to fall quiet.
    void settleEndsWithTheLateAnswer() {
        Rig rig;
        rig.link.tellP50X(QStringLiteral("XPTRD 8"));
        QVERIFY(!rig.link.receive(StationLink::Framing::P50x, 50).answered());
        QVERIFY(rig.link.lateAnswerPossible());
        rig.events.clear();
        rig.answerAfter(30, "97 = $61 = %01100001\r]");
        rig.link.drain();
        QVERIFY(!rig.link.lateAnswerPossible());
        QCOMPARE(rig.count(QStringLiteral("woke without input")), 0);
        QCOMPARE(rig.readText(), QStringLiteral("97 = $61 = %01100001\r]"));
        // The read that brought "]" ended the settle; emptying the input read nothing more.
        QCOMPARE(rig.events.last(), QStringLiteral("read nothing"));
        QVERIFY(rig.events.at(rig.events.size() - 2).endsWith(u']'));
    }
};

QTEST_GUILESS_MAIN(TestAnswerWait)
#include "tst_answerwait.moc"
