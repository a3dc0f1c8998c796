#include "AddressPanel.h"
#include "FakeZentrale.h"
#include "MarkedLook.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A station with one decoder's CV 1, CV 17, CV 18 and CV 29; `answers` overrides single
// commands ("" = no answer at all).
struct Station {
    QMap<int, int> cvs{{1, 3}, {17, 210}, {18, 189}, {29, 38}};
    QMap<QString, QString> answers;
    QStringList received;
    std::optional<QString> operator()(const QString& cmd) {
        received.append(cmd);
        if (answers.contains(cmd)) {
            if (answers[cmd].isEmpty())
                return std::nullopt;
            return answers[cmd];
        }
        if (cmd.startsWith(QLatin1String("XPTRD "))) {
            const int cv = cmd.mid(6).toInt();
            return QStringLiteral("%1\r]").arg(cvs.value(cv));
        }
        if (cmd == QLatin1String("XPTRL"))
            return QStringLiteral("%1\r]").arg((cvs[17] - 192) * 256 + cvs[18]);
        if (cmd.startsWith(QLatin1String("XPTWD "))) {
            const QStringList parts = cmd.mid(6).split(u',');
            cvs[parts[0].trimmed().toInt()] = parts[1].trimmed().toInt();
            return QStringLiteral("Ok\r]");
        }
        if (cmd.startsWith(QLatin1String("XPTWL "))) {
            const int a = cmd.mid(6).toInt();
            cvs[17] = 192 + a / 256;
            cvs[18] = a % 256;
            cvs[29] |= 32;
            return QStringLiteral("Ok\r]");
        }
        return std::nullopt;
    }
};

}  // namespace

class TestAddressPanel : public QObject {
    Q_OBJECT

    struct Fixture {
        FakeZentrale z;
        Station st;
        AddressPanel p{z};
        Fixture() { z.port.answer = std::ref(st); }
        QLineEdit* field(const char* name) { return p.findChild<QLineEdit*>(name); }
        QLabel* label(const QString& name) { return p.findChild<QLabel*>(name); }
        void click(const char* name) { QTest::mouseClick(p.findChild<QPushButton*>(name), Qt::LeftButton); }
    };

private slots:
    void readAddresses() {
        Fixture f;
        f.click("btnLesenLA");
        QCOMPARE(f.z.port.commands(), QStringList({"XPTRD 1", "XPTRL", "XPT0"}));
        QCOMPARE(f.label("lblBasisAdresse")->text(), QStringLiteral("3"));
        QCOMPARE(f.label("lblLangeAdresse")->text(), QStringLiteral("4797"));
        QVERIFY(isMarked(f.label("lblLangeAdresse")));
        QVERIFY(!isMarked(f.label("lblBasisAdresse")));
        QCOMPARE(f.z.status(), QStringLiteral(" Lesevorgang beendet ..."));
        QVERIFY(!f.z.busy);
    }

    // A failed read keeps "?" and marks nothing.
    void failedAddressRead_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("basis");
        QTest::addColumn<QString>("longAddress");
        QTest::newRow("basis no ack") << "XPTRD 1" << "No ack\r]" << QStringList{"XPTRD 1", "XPT0"} << "?" << "";
        QTest::newRow("basis short answer") << "XPTRD 1" << "]" << QStringList{"XPTRD 1", "XPT0"} << "?" << "";
        QTest::newRow("long no decoder") << "XPTRL" << "No decoder\r]" << QStringList{"XPTRD 1", "XPTRL", "XPT0"}
                                         << "3" << "?";
        QTest::newRow("long silent") << "XPTRL" << "" << QStringList{"XPTRD 1", "XPTRL"} << "3" << "?";
    }
    void failedAddressRead() {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(QStringList, sent);
        QFETCH(QString, basis);
        QFETCH(QString, longAddress);
        Fixture f;
        f.st.answers[command] = answer;
        f.z.notifier.expectMessages = true;
        f.click("btnLesenLA");
        QCOMPARE(f.z.port.commands(), sent);
        QCOMPARE(f.label("lblBasisAdresse")->text(), basis);
        QCOMPARE(f.label("lblLangeAdresse")->text(), longAddress);
        QVERIFY(!isMarked(f.label("lblLangeAdresse")));
        QVERIFY(!f.z.busy);
        if (!answer.isEmpty()) {
            QCOMPARE(f.z.notifier.beeps, 1);
            QCOMPARE(f.z.status(), QStringLiteral(" Lesevorgang abgebrochen, Fehler: ") +
                                       (answer.size() < 2 ? answer : answer.chopped(2)));
        }
    }

    void writeAddresses_data() {
        QTest::addColumn<QString>("cu");
        QTest::addColumn<QString>("basis");
        QTest::addColumn<QString>("longAddress");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("marked");
        QTest::newRow("both") << "IB" << "3" << "1000" << QStringList{"XPTWD 1,3", "XPTWL 1000", "XPT0"} << "" << true;
        QTest::newRow("both empty") << "IB" << "" << "" << QStringList{} << "" << false;
        QTest::newRow("basis only") << "IB" << "3" << "" << QStringList{"XPTWD 1,3", "XPT0"} << "" << false;
        QTest::newRow("long only 4797") << "IB" << "" << "4797" << QStringList{"XPTWL 4797", "XPT0"} << "" << true;
        QTest::newRow("basis 255") << "MC" << "255" << "" << QStringList{"XPTWD 1,255", "XPT0"} << "" << false;
        QTest::newRow("basis 256") << "IB" << "256" << "1000" << QStringList{}
                                   << "Werte > 255 sind nicht zulässig !           " << false;
        QTest::newRow("long 255") << "IB" << "3" << "255" << QStringList{}
                                  << "Werte < 256 sind nicht zulässig !           " << false;
        QTest::newRow("long 256") << "IB" << "" << "256" << QStringList{"XPTWL 256", "XPT0"} << "" << true;
        QTest::newRow("IB 9999") << "IB" << "" << "9999" << QStringList{"XPTWL 9999", "XPT0"} << "" << true;
        QTest::newRow("IB 10000") << "IB" << "" << "10000" << QStringList{}
                                  << "Werte > 9999 sind bei der IB nicht zulässig !           " << false;
        QTest::newRow("MC 10239") << "MC" << "" << "10239" << QStringList{"XPTWL 10239", "XPT0"} << "" << true;
        QTest::newRow("MC 10240") << "MC" << "" << "10240" << QStringList{}
                                  << "Werte > 10239 sind bei der MC nicht zulässig !           " << false;
    }
    void writeAddresses() {
        QFETCH(QString, cu);
        QFETCH(QString, basis);
        QFETCH(QString, longAddress);
        QFETCH(QStringList, sent);
        QFETCH(QString, message);
        QFETCH(bool, marked);
        Fixture f;
        f.z.ctx.CuName = cu;
        f.z.notifier.expectMessages = !message.isEmpty();
        f.field("txtBasisAdresse")->setText(basis);
        f.field("txtLangeAdresse")->setText(longAddress);
        f.click("btnSchreibenLA");
        QCOMPARE(f.z.port.commands(), sent);
        QCOMPARE(isMarked(f.field("txtLangeAdresse")), marked);
        if (message.isEmpty()) {
            QVERIFY(f.z.notifier.messages.isEmpty());
            QCOMPARE(f.z.status(), QStringLiteral(" Schreibvorgang beendet... "));
        } else {
            QCOMPARE(f.z.notifier.messages.size(), 1);
            QCOMPARE(f.z.notifier.messages[0].text, message);
            QCOMPARE(f.z.notifier.messages[0].icon, Notifier::Icon::Critical);
        }
        QVERIFY(!f.z.busy);
    }

    void writeLongAddressSetsCvs() {
        Fixture f;
        f.field("txtLangeAdresse")->setText(QStringLiteral("4797"));
        f.st.cvs[17] = 192;
        f.st.cvs[18] = 3;
        f.click("btnSchreibenLA");
        QCOMPARE(f.st.cvs[17], 210);
        QCOMPARE(f.st.cvs[18], 189);
        // Read back through the conversion section.
        f.z.port.writes.clear();
        f.click("bntCV1718");
        QCOMPARE(f.z.port.commands(), QStringList({"XPTRD 17", "XPTRD 18", "XPT0"}));
        QCOMPARE(f.field("txtCV17")->text(), QStringLiteral("210"));
        QCOMPARE(f.field("txtCV18")->text(), QStringLiteral("189"));
        QCOMPARE(f.field("txtUmrLA")->text(), QString());
        QTest::mouseClick(f.p.findChild<QPushButton*>("btnUmrechnenLA_1"), Qt::LeftButton);
        QCOMPARE(f.field("txtUmrLA")->text(), QStringLiteral("4797"));
    }

    void basisWriteFailsStopsBeforeLongAddress() {
        Fixture f;
        f.st.answers[QStringLiteral("XPTWD 1,3")] = QStringLiteral("No ack\r]");
        f.field("txtBasisAdresse")->setText(QStringLiteral("3"));
        f.field("txtLangeAdresse")->setText(QStringLiteral("1000"));
        f.click("btnSchreibenLA");
        QCOMPARE(f.z.port.commands(), QStringList({"XPTWD 1,3", "XPT0"}));
        QCOMPARE(f.z.status(), QStringLiteral(" Schreibvorgang abgebrochen, Fehler: No ack"));
        QCOMPARE(f.z.notifier.beeps, 1);
    }

    // The conversion section's reads leave the basis-address display alone.
    void conversionReads_data() {
        QTest::addColumn<QString>("cv18Answer");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("cv18");
        QTest::newRow("both read") << QString() << QStringList{"XPTRD 17", "XPTRD 18", "XPT0"} << "189";
        QTest::newRow("CV 18 fails") << "No ack\r]" << QStringList{"XPTRD 17", "XPTRD 18", "XPT0"} << "?";
    }
    void conversionReads() {
        QFETCH(QString, cv18Answer);
        QFETCH(QStringList, sent);
        QFETCH(QString, cv18);
        Fixture f;
        if (!cv18Answer.isEmpty())
            f.st.answers[QStringLiteral("XPTRD 18")] = cv18Answer;
        f.click("btnLesenLA");
        f.z.port.writes.clear();
        f.field("txtUmrLA")->setText(QStringLiteral("77"));
        f.click("bntCV1718");
        QCOMPARE(f.z.port.commands(), sent);
        QCOMPARE(f.field("txtCV17")->text(), QStringLiteral("210"));
        QCOMPARE(f.field("txtCV18")->text(), cv18);
        QCOMPARE(f.field("txtUmrLA")->text(), QString());
        QCOMPARE(f.label("lblBasisAdresse")->text(), QStringLiteral("3"));
    }

    void convert_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("cv17");
        QTest::addColumn<QString>("cv18");
        QTest::newRow("100") << "100" << "192" << "100";
        QTest::newRow("128") << "128" << "192" << "128";
        QTest::newRow("4797") << "4797" << "210" << "189";
        QTest::newRow("9999") << "9999" << "231" << "15";
    }
    void convert() {
        QFETCH(QString, address);
        QFETCH(QString, cv17);
        QFETCH(QString, cv18);
        Fixture f;
        f.field("txtUmrLA")->setText(address);
        QTest::mouseClick(f.p.findChild<QPushButton*>("btnUmrechnenLA_0"), Qt::LeftButton);
        QCOMPARE(f.field("txtCV17")->text(), cv17);
        QCOMPARE(f.field("txtCV18")->text(), cv18);
        f.field("txtUmrLA")->clear();
        QTest::mouseClick(f.p.findChild<QPushButton*>("btnUmrechnenLA_1"), Qt::LeftButton);
        QCOMPARE(f.field("txtUmrLA")->text(), address);
        QVERIFY(f.z.port.writes.isEmpty());
    }

    void emptyCvFieldsGiveNegativeAddress() {
        Fixture f;
        QTest::mouseClick(f.p.findChild<QPushButton*>("btnUmrechnenLA_1"), Qt::LeftButton);
        QCOMPARE(f.field("txtUmrLA")->text(), QStringLiteral("-49152"));
    }

    void keyFilter() {
        Fixture f;
        QLineEdit* field = f.field("txtLangeAdresse");
        QTest::keyClicks(field, QStringLiteral("1a2 -3.4x56"));
        QCOMPARE(field->text(), QStringLiteral("12345"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("1234"));
        QLineEdit* basis = f.field("txtBasisAdresse");
        QTest::keyClicks(basis, QStringLiteral("2555"));
        QCOMPARE(basis->text(), QStringLiteral("255"));
    }

    void readCv29_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("224") << 224 << QStringList{"224", "11", "1", "00000"};
        QTest::newRow("38") << 38 << QStringList{"38", "00", "1", "00110"};
    }
    void readCv29() {
        QFETCH(int, value);
        QFETCH(QStringList, shown);
        Fixture f;
        f.st.cvs[29] = value;
        f.click("btnCV29");
        QCOMPARE(f.z.port.commands(), QStringList({"XPTRD 29", "XPT0"}));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(f.label(QStringLiteral("lblCV29_%1").arg(i))->text(), shown[i]);
    }

    void readCv29Fails() {
        Fixture f;
        f.st.answers[QStringLiteral("XPTRD 29")] = QStringLiteral("Busy!\r]");
        f.click("btnCV29");
        QCOMPARE(f.label("lblCV29_0")->text(), QStringLiteral("?"));
        QCOMPARE(f.z.status(), QStringLiteral(" Lesevorgang abgebrochen, Fehler: Busy!"));
        QCOMPARE(f.z.notifier.beeps, 1);
    }

    void activateBasis_data() {
        QTest::addColumn<int>("cv29");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<int>("after");
        QTest::addColumn<bool>("message");
        QTest::newRow("long address in use") << 38 << QStringList{"XPTRD 29", "XPTWD 29, 6", "XPT0"} << 6 << false;
        QTest::newRow("bits 6 and 7 kept") << 230 << QStringList{"XPTRD 29", "XPTWD 29, 198", "XPT0"} << 198 << false;
        QTest::newRow("basis already active") << 2 << QStringList{"XPTRD 29", "XPT0"} << 2 << true;
    }
    void activateBasis() {
        QFETCH(int, cv29);
        QFETCH(QStringList, sent);
        QFETCH(int, after);
        QFETCH(bool, message);
        Fixture f;
        f.st.cvs[29] = cv29;
        f.z.notifier.expectMessages = message;
        f.click("btnLesenLA");  // marks the long address as read
        f.z.port.writes.clear();
        f.click("btnBasisAdresse");
        QCOMPARE(f.z.port.commands(), sent);
        QCOMPARE(f.st.cvs[29], after);
        QVERIFY(isMarked(f.label("lblBasisAdresse")));
        QVERIFY(!isMarked(f.label("lblLangeAdresse")));
        if (message) {
            QCOMPARE(f.z.notifier.messages.size(), 1);
            QCOMPARE(f.z.notifier.messages[0].text, QStringLiteral("Die Basisadresse ist bereits aktiv !            "));
            QCOMPARE(f.z.notifier.messages[0].icon, Notifier::Icon::Information);
            QCOMPARE(f.z.notifier.messages[0].title, QStringLiteral(" Basis-Adresse aktivieren..."));
            QCOMPARE(f.z.status(), QStringLiteral("Basisadresse ist aktiv !"));
        } else {
            QCOMPARE(f.z.status(), QStringLiteral(" schreibe Konfigurations-Register (CV 29) ..."));
        }
    }

    void activateBasisReadFails() {
        Fixture f;
        f.st.answers[QStringLiteral("XPTRD 29")] = QStringLiteral("No ack\r]");
        f.click("btnBasisAdresse");
        QCOMPARE(f.z.port.commands(), QStringList({"XPTRD 29", "XPT0"}));
        QVERIFY(!isMarked(f.label("lblBasisAdresse")));
        QCOMPARE(f.z.notifier.beeps, 1);
    }

    void clearFields() {
        Fixture f;
        f.click("btnLesenLA");
        f.click("btnCV29");
        f.field("txtCV17")->setText(QStringLiteral("1"));
        f.click("btnFelderLoeschen");
        for (const char* name : {"lblBasisAdresse", "lblLangeAdresse", "lblCV29_0", "lblCV29_1"})
            QCOMPARE(f.label(QString::fromLatin1(name))->text(), QString());
        QCOMPARE(f.field("txtCV17")->text(), QString());
        QVERIFY(!isMarked(f.label("lblLangeAdresse")));
    }

    void stationOperationsNeedP50x() {
        Fixture f;
        f.z.ctx.CuName = QStringLiteral("6021");
        for (const char* name : {"btnLesenLA", "btnSchreibenLA", "bntCV1718", "btnCV29", "btnBasisAdresse"})
            f.click(name);
        QVERIFY(f.z.port.writes.isEmpty());
        QCOMPARE(f.z.notifier.beeps, 5);
    }

    void portErrorIsReported() {
        Fixture f;
        f.z.port.failWrites = true;
        f.z.notifier.expectMessages = true;
        f.z.notifier.answer = Notifier::No;
        f.click("btnLesenLA");
        QCOMPARE(f.z.notifier.messages.size(), 1);
        QCOMPARE(f.z.notifier.messages[0].title, QStringLiteral(" zentrale Fehlerbehandlung..."));
        QVERIFY(!f.z.busy);
        QVERIFY(!f.z.stationLink.exchangeRunning());
    }

    void renderPanel() {
        Fixture f;
        f.click("btnLesenLA");
        f.click("btnCV29");
        f.field("txtUmrLA")->setText(QStringLiteral("4797"));
        QTest::mouseClick(f.p.findChild<QPushButton*>("btnUmrechnenLA_0"), Qt::LeftButton);
        f.p.show();
        QVERIFY(f.p.grab().save(QStringLiteral("/tmp/quillex_addresspanel.png")));
    }
};

QTEST_MAIN(TestAddressPanel)
#include "tst_addresspanel.moc"
