#include "FakeZentraleHost.h"
#include "intellibox/core/IbSettings.h"
#include "intellibox/ui/frmIB.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The window on a simulated Intellibox holding special options 1 = 5 and 2 = 6.
struct Bench {
    Bench() {
        ctx.dataFolder = dir.path();
        station.setSpecialOption(1, 5);
        station.setSpecialOption(2, 6);
    }
    template <typename T> T* child(const QString& name) {
        T* c = w.findChild<T*>(name);
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }
    void click(const QString& button) { child<QAbstractButton>(button)->click(); }
    void type(const QString& field, const QString& text) { child<QLineEdit>(field)->setText(text); }
    QString label(const QString& name) { return child<QLabel>(name)->text(); }
    QList<QByteArray> writes() const { return z.writes(); }
    QList<qint64> times() const { return z.writeTimes(); }

    QTemporaryDir dir;
    SimulatedZentrale z;
    RecordingNotifier& notifier = z.host.notifier;
    AppContext& ctx = z.host.ctx;
    VirtualClock& clock = z.clock;
    SimulatedStation& station = z.station;
    StationLink& link = z.host.link();
    frmIB w{ctx, link};
};
}  // namespace

// The Intellibox settings window against a scripted station on virtual time.
class TestFrmIB : public QObject {
    Q_OBJECT
private slots:
    void versionFields_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("all keys") << "SPU: 1.500 KPU 1.200 PPU 1.10 LIPU 1.02 DNG 2.00 S/N: 0123456789]"
                                  << QStringList{"1.500 ", "1.200 ", "1.10", "1.02", "2.00", "0123456789"};
        QTest::newRow("without DNG") << "SPU: 1.500 KPU 1.200]"
                                     << QStringList{"1.500 ", "1.200]", ": 1.", " 1.5", ": 1.", " 1.500 KPU"};
        QTest::newRow("empty") << "" << QStringList{"", "", "", "", "", ""};
    }
    void versionFields() {
        QFETCH(QString, answer);
        QFETCH(QStringList, fields);
        const auto got = IbSettings::versionFields(answer);
        QCOMPARE(QStringList(got.begin(), got.end()), fields);
    }

    void answers_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("is663");
        QTest::addColumn<bool>("motOld");
        QTest::newRow("one and a letter") << "1x]" << "1" << true << false;
        QTest::newRow("one hundred") << "100]" << "100" << false << false;
        QTest::newRow("blank then one") << " 1 ]" << "1" << true << false;
        QTest::newRow("Mot old") << "L 80 Mot old]" << "0" << false << true;
        QTest::newRow("mot old, other case") << "mot old]" << "0" << false << false;
        QTest::newRow("nothing") << "]" << "0" << false << false;
    }
    void answers() {
        QFETCH(QString, answer);
        QFETCH(QString, value);
        QFETCH(bool, is663);
        QFETCH(bool, motOld);
        QCOMPARE(IbSettings::leadingValue(answer), value);
        QCOMPARE(IbSettings::option663Set(answer), is663);
        QCOMPARE(IbSettings::motorolaOldFormat(answer), motOld);
        QCOMPARE(IbSettings::soListLine(7, answer), QStringLiteral("007 > ") + value);
    }

    void singleRead_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("split");
        QTest::addColumn<QList<QByteArray>>("writes");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("status");
        QTest::newRow("option 7") << "7" << 12 << false << QList<QByteArray>{"XSO 7\r"} << "12" << "12\r]";
        QTest::newRow("answer in pieces") << "999" << 15 << true << QList<QByteArray>{"XSO 999\r"} << "15" << "15\r]";
        QTest::newRow("option 0 refused") << "0" << 0 << false << QList<QByteArray>{} << "?"
                                          << " Keine gültige Sonderoption eingegeben !";
        QTest::newRow("empty field refused") << "" << 0 << false << QList<QByteArray>{} << "?"
                                             << " Keine gültige Sonderoption eingegeben !";
    }
    void singleRead() {
        QFETCH(QString, field);
        QFETCH(int, option);
        QFETCH(bool, split);
        QFETCH(QList<QByteArray>, writes);
        QFETCH(QString, value);
        QFETCH(QString, status);
        Bench b;
        b.station.setSpecialOption(field.toInt(), option);
        if (split)
            b.station.setFault(SimulatedStation::Fault::Split);
        b.type("txtSO", field);
        b.click("btnLesen_1");
        QCOMPARE(b.writes(), writes);
        QCOMPARE(b.label("lblSO_1"), value);
        QCOMPARE(b.w.statusText(), status);
        if (writes.isEmpty())
            QCOMPARE(b.child<QLineEdit>("txtSO")->text(), QStringLiteral("?"));
        else
            QVERIFY(b.clock.ticks() - b.times()[0] >= 100);
    }

    void rangeRead_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("status");
        QTest::newRow("1..3") << "1" << "3" << QStringList{"001 > 5", "002 > 6", "003 > 0"} << "0\r]";
        QTest::newRow("single") << "2" << "2" << QStringList{"002 > 6"} << "6\r]";
        QTest::newRow("von above bis") << "3" << "1" << QStringList{} << " ' von' darf nicht grösser als ' bis' sein !";
        QTest::newRow("empty von starts at 0") << "" << "2" << QStringList{"000 > 0", "001 > 5", "002 > 6"} << "6\r]";
    }
    void rangeRead() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, lines);
        QFETCH(QString, status);
        Bench b;
        auto* list = b.child<QListWidget>("lstSO");
        list->addItem(QStringLiteral("old"));
        b.type("txtVon", from);
        b.type("txtBis", to);
        b.click("btnLesen_2");
        QStringList got;
        for (int i = 0; i < list->count(); ++i)
            got.append(list->item(i)->text());
        QCOMPARE(got, lines);
        QCOMPARE(b.writes().size(), lines.size());
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(b.writes()[i], QStringLiteral("XSO %1\r").arg(from.toInt() + i).toLatin1());
            if (i > 0)
                QVERIFY(b.times()[i] - b.times()[i - 1] >= 10);
        }
        QCOMPARE(b.w.statusText(), status);
        if (!lines.isEmpty())
            QCOMPARE(b.label("lblSO_2"), to);
    }

    void motorolaTest_data() {
        QTest::addColumn<int>("option663");
        QTest::addColumn<QString>("format80");
        QTest::addColumn<QByteArray>("script663");  // instead of the station's own answer
        QTest::addColumn<QString>("so663");
        QTest::addColumn<QString>("lc80");
        QTest::addColumn<bool>("checked663");
        QTest::addColumn<bool>("checkedMot");
        QTest::newRow("set up") << 1 << "Mot old" << QByteArray() << "1\r]" << "Mot old\r]" << true << true;
        QTest::newRow("663 is 0") << 0 << "Mot old" << QByteArray() << "0\r]" << "Mot old\r]" << false << true;
        QTest::newRow("DCC format") << 1 << "DCC 28" << QByteArray() << "1\r]" << "DCC 28\r]" << true << false;
        QTest::newRow("Mot old only in the first answer") << 1 << "DCC 28" << QByteArray("1 Mot old]") << "1 Mot old]"
                                                          << "DCC 28\r]" << true << true;
    }
    void motorolaTest() {
        QFETCH(int, option663);
        QFETCH(QString, format80);
        QFETCH(QByteArray, script663);
        QFETCH(QString, so663);
        QFETCH(QString, lc80);
        QFETCH(bool, checked663);
        QFETCH(bool, checkedMot);
        Bench b;
        b.station.setSpecialOption(663, option663);
        b.station.setLocoFormat(80, format80);
        if (!script663.isEmpty())
            b.station.scriptAnswer(script663);
        b.click("btnMotorola");
        QCOMPARE(b.writes(), (QList<QByteArray>{"XSO 663\r", "XLC 80\r"}));
        QVERIFY(b.times()[1] - b.times()[0] >= 1000);
        QCOMPARE(b.child<QCheckBox>("chk663")->isChecked(), checked663);
        QCOMPARE(b.child<QCheckBox>("chkLokdatenformat")->isChecked(), checkedMot);
        QCOMPARE(b.w.statusText(), so663 + QStringLiteral("          ") + lc80);
        // The value comes from the start of both answers, that is from the first.
        QCOMPARE(b.label("lblSO_1"), IbSettings::leadingValue(so663));
    }

    void power_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("startOn");
        QTest::addColumn<QByteArray>("script");  // instead of the station's own answer
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("powerOn");
        QTest::newRow("P50 off") << 0 << true << QByteArray() << QByteArray("\x61") << "" << false;
        QTest::newRow("P50 on") << 1 << false << QByteArray() << QByteArray("\x60") << "" << true;
        QTest::newRow("P50X off") << 2 << true << QByteArray() << QByteArray("XStop\r") << "Ok\r]" << false;
        QTest::newRow("P50X on") << 3 << false << QByteArray() << QByteArray("XGo\r") << "Ok\r]" << true;
        QTest::newRow("P50X on refused") << 3 << false << QByteArray("Pwr On not possible!]") << QByteArray("XGo\r")
                                         << "Pwr On not possible!]" << false;
    }
    void power() {
        QFETCH(int, index);
        QFETCH(bool, startOn);
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, status);
        QFETCH(bool, powerOn);
        Bench b;
        if (!startOn)
            b.station.write("\x61");
        b.station.clearTraffic();
        if (!script.isEmpty())
            b.station.scriptAnswer(script);
        b.click(QStringLiteral("btnPower_%1").arg(index));
        QCOMPARE(b.writes(), QList<QByteArray>{bytes});
        QCOMPARE(b.w.statusText(), status);
        if (script.isEmpty())
            QCOMPARE(b.station.powerOn(), powerOn);
    }

    void version() {
        Bench b;
        const QString answer = QStringLiteral("SPU: 1.500 KPU 1.200 PPU 1.10 LIPU 1.02 DNG 2.00 S/N: 0123456789\r]");
        b.station.setVersionText(answer);
        b.click("btnVersion");
        QCOMPARE(b.writes(), QList<QByteArray>{"XV\r"});
        QCOMPARE(b.w.statusText(), answer);
        QCOMPARE(b.label("lblVersion_0"), QStringLiteral("1.500 "));
        QCOMPARE(b.label("lblVersion_5"), QStringLiteral("0123456789"));
        // The next query starts from an empty answer text.
        b.click("btnPower_2");
        QCOMPARE(b.w.statusText(), QStringLiteral("Ok\r]"));
        QCOMPARE(b.label("lblSO_1"), QStringLiteral("0"));
    }

    // A silent station: every query ends at its deadline with the time-out message, and
    // the query buttons are disabled while it waits; the P50 power buttons stay usable.
    void silentStation_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("single") << "btnLesen_1" << QByteArray("XSO 1\r");
        QTest::newRow("range") << "btnLesen_2" << QByteArray("XSO 1\r");
        QTest::newRow("motorola") << "btnMotorola" << QByteArray("XSO 663\r");
        QTest::newRow("XStop") << "btnPower_2" << QByteArray("XStop\r");
        QTest::newRow("XGo") << "btnPower_3" << QByteArray("XGo\r");
        QTest::newRow("version") << "btnVersion" << QByteArray("XV\r");
    }
    void silentStation() {
        QFETCH(QString, button);
        QFETCH(QByteArray, sent);
        Bench b;
        b.station.setFault(SimulatedStation::Fault::Silent);
        b.notifier.expectMessages = true;
        b.type("txtVon", "1");
        b.type("txtBis", "5");
        bool disabledWhileWaiting = false;
        b.clock.onYield = [&] {
            disabledWhileWaiting = !b.child<QAbstractButton>("btnVersion")->isEnabled() &&
                                   !b.child<QAbstractButton>("btnLesen_1")->isEnabled() &&
                                   !b.child<QAbstractButton>("btnPower_2")->isEnabled() &&
                                   b.child<QAbstractButton>("btnPower_0")->isEnabled() &&
                                   b.child<QAbstractButton>("btnPower_1")->isEnabled();
        };
        b.click(button);
        QCOMPARE(b.writes(), QList<QByteArray>{sent});
        QVERIFY(b.clock.ticks() - b.times()[0] > 20000);
        QVERIFY(b.clock.ticks() - b.times()[0] < 21200);
        QVERIFY(disabledWhileWaiting);
        QCOMPARE(b.notifier.messages.size(), 1);
        QCOMPARE(b.notifier.messages[0].text, QStringLiteral("Die IntelliBox antwortet nicht !          "));
        QCOMPARE(b.notifier.messages[0].icon, Notifier::Icon::Critical);
        QCOMPARE(b.w.statusText(), QStringLiteral(" Programmierung abgebrochen..."));
        QVERIFY(b.child<QAbstractButton>(button)->isEnabled());
        QVERIFY(!b.link.exchangeRunning());
    }

    // A port that fails while an answer is awaited: the central error report once, no
    // time-out message on top.
    void portFailure_data() { silentStation_data(); }
    void portFailure() {
        QFETCH(QString, button);
        Bench b;
        b.station.setFault(SimulatedStation::Fault::Vanish);
        b.notifier.answer = Notifier::No;
        b.notifier.expectMessages = true;
        b.type("txtVon", "1");
        b.type("txtBis", "5");
        b.click(button);
        QCOMPARE(b.notifier.messages.size(), 1);
        QCOMPARE(b.notifier.messages[0].title, QStringLiteral(" zentrale Fehlerbehandlung..."));
        QCOMPARE(b.w.statusText(), QString());
        QVERIFY(!b.link.exchangeRunning());
    }

    void closingEndsTheWait() {
        Bench b;
        b.station.setFault(SimulatedStation::Fault::Silent);
        b.w.show();
        b.clock.onYield = [&] {
            if (b.clock.ticks() > 3000)
                b.w.close();
        };
        b.click("btnVersion");
        QVERIFY(b.clock.ticks() < 4000);
        QVERIFY(b.notifier.messages.isEmpty());
        QCOMPARE(b.writes(), QList<QByteArray>{"XV\r"});
        QVERIFY(!b.link.exchangeRunning());
    }

    // The station answers the version query only after the window has given up on it: the
    // next query drops that answer and shows its own.
    void lateAnswerIsNotTheNextOne() {
        Bench b;
        b.notifier.expectMessages = true;
        b.station.setAnswerDelay(21000);
        b.click("btnVersion");
        QCOMPARE(b.notifier.messages.size(), 1);
        b.station.setAnswerDelay(20);
        b.click("btnLesen_1");
        QCOMPARE(b.writes(), (QList<QByteArray>{"XV\r", "XSO 1\r"}));
        QCOMPARE(b.times().at(1), qint64(21000));  // as soon as the late answer is in
        QCOMPARE(b.w.statusText(), QStringLiteral("5\r]"));
        QCOMPARE(b.label("lblSO_1"), QStringLiteral("5"));
        QCOMPARE(b.notifier.messages.size(), 1);
    }

    // The program deletes the window when it closes. Closed during a query, it goes only
    // once the query has ended, never under the wait's feet.
    void deleteOnCloseDuringQuery_data() {
        QTest::addColumn<bool>("lateAnswer");  // closed while a late answer is being dropped
        QTest::newRow("during the wait") << false;
        QTest::newRow("during the settle") << true;
    }
    void deleteOnCloseDuringQuery() {
        QFETCH(bool, lateAnswer);
        Bench b;
        b.notifier.expectMessages = true;
        b.station.setFault(SimulatedStation::Fault::Silent);
        if (lateAnswer)
            b.click("btnVersion");  // given up after 20 s: the next query settles first
        const qint64 start = b.clock.ticks();
        QPointer<frmIB> w = new frmIB(b.ctx, b.link);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        b.clock.onYield = [&] {
            if (w && w->isVisible() && b.clock.ticks() > start + 1000) {
                w->close();
                // What the event loop of the real program does inside the wait.
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        };
        const qsizetype sent = b.writes().size();
        w->findChild<QAbstractButton*>(QStringLiteral("btnLesen_1"))->click();
        QVERIFY(b.clock.ticks() < start + 1100);
        // Closed before it went out, the query sends nothing.
        QCOMPARE(b.writes().size(), sent + (lateAnswer ? 0 : 1));
        QVERIFY(!b.link.exchangeRunning());
        for (int i = 0; i < 10 && w; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QVERIFY(!w);
    }

    // Queries are refused while another exchange runs; the P50 power byte goes out at once.
    void refusedWhileAnotherExchangeRuns() {
        Bench b;
        const StationLink::Exchange other(b.link);
        b.click("btnVersion");
        b.click("btnPower_2");
        b.click("btnPower_0");
        QCOMPARE(b.writes(), QList<QByteArray>{"\x61"});
        QCOMPARE(b.notifier.beeps, 2);
        QVERIFY(!b.station.powerOn());
    }

    void saveList_data() {
        QTest::addColumn<QString>("to");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("three options") << "3" << QByteArray("001 > 5\r\n002 > 6\r\n003 > 0\r\n");
        QTest::newRow("empty list") << "" << QByteArray();
    }
    void saveList() {
        QFETCH(QString, to);
        QFETCH(QByteArray, file);
        Bench b;
        if (!to.isEmpty()) {
            b.type("txtVon", "1");
            b.type("txtBis", to);
            b.click("btnLesen_2");
        }
        b.w.findChild<QAction*>(QStringLiteral("mnuPopUp_Datei"))->trigger();
        QFile saved(b.dir.filePath(QStringLiteral("_SO.txt")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), file);
    }

    void saveFailureGoesToTheErrorReport() {
        Bench b;
        b.ctx.dataFolder = b.dir.filePath(QStringLiteral("missing/folder"));
        b.notifier.expectMessages = true;
        b.w.findChild<QAction*>(QStringLiteral("mnuPopUp_Datei"))->trigger();
        QCOMPARE(b.notifier.messages.size(), 1);
        QCOMPARE(b.notifier.messages[0].title, QStringLiteral(" Datei speichern ..."));
    }

    // The spin control counts up at its upper arrow and mirrors the field.
    void spinControl() {
        Bench b;
        b.w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.w));
        auto* field = b.child<QLineEdit>("txtSO");
        auto* spin = b.w.findChild<QWidget*>(QStringLiteral("scrSO"));
        field->setText(QStringLiteral("41"));
        QCOMPARE(b.label("lblSO_1"), QStringLiteral("?"));
        QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, 2));
        QCOMPARE(field->text(), QStringLiteral("42"));
        QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, spin->height() - 2));
        QCOMPARE(field->text(), QStringLiteral("41"));
        QVERIFY(b.writes().isEmpty());
    }

    void render() {
        Bench b;
        b.type("txtVon", "1");
        b.type("txtBis", "2");
        b.click("btnLesen_2");
        b.click("btnVersion");
        b.w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.w));
        QVERIFY(b.w.grab().save(QStringLiteral("/tmp/quillex-frmib.png")));
    }
};

QTEST_MAIN(TestFrmIB)
#include "tst_frmib.moc"
