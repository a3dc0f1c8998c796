#include "SelectrixWindowRig.h"
#include "selectrix/core/SxProtokoll.h"

#include <QListWidget>
#include <QPointer>

using Rig = SelectrixWindowRig;
using namespace SxColour;

namespace {

void setCombos(Rig& rig, const QStringList& values) {
    const char* names[] = {"cmbADR", "cmbGE", "cmbBE", "cmbIM", "cmbHA"};
    for (int i = 0; i < 5; ++i)
        rig.combo(names[i])->setEditText(values.at(i));
}

QStringList comboTexts(Rig& rig) {
    QStringList texts;
    for (const char* name : {"cmbADR", "cmbGE", "cmbBE", "cmbIM", "cmbHA"})
        texts.append(rig.combo(name)->currentText());
    return texts;
}

// The Intellibox chosen in the window, with the decoder type the Intellibox window left.
void chooseIntellibox(Rig& rig) {
    rig.station.setKind(SimulatedStation::Kind::Intellibox);
    rig.ctx.DecoderType = QStringLiteral("DCC");
    rig.click("btnUnit_1");
}
}  // namespace

// The window's DCC mode through the central and its runs through an Intellibox, as a user
// starts them with "lesen" and "schreiben".
class TestFrmSelectrixRuns : public QObject {
    Q_OBJECT
private slots:
    // Mode DCC: a CV read, then written with another value. The CV is picked from the list,
    // or typed into the emptied CV field.
    void dccReadAndWrite_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("cv");
        QTest::newRow("CV 29 from the list") << "list" << 29;
        QTest::newRow("field held 3, emptied, 5 typed") << "typed" << 5;
    }
    void dccReadAndWrite() {
        QFETCH(QString, entry);
        QFETCH(int, cv);
        Rig rig;
        rig.station.setCv(cv, 6);
        rig.chooseCentral();
        rig.click("optModus_6");
        QVERIFY(!rig.get<QWidget>("pnlDCC")->isHidden());
        QLineEdit* cvField = rig.field("txtRegister");
        if (entry == u"list") {
            auto* list = rig.get<QListWidget>("lstRegister");
            QListWidgetItem* item =
                list->findItems(QStringLiteral("29   Konfigurationsregister"), Qt::MatchExactly).value(0);
            QVERIFY(item);
            list->setCurrentItem(item);
            emit list->itemClicked(item);
        } else {
            cvField->setText(QStringLiteral("3"));
            cvField->end(false);
            QTest::keyClick(cvField, Qt::Key_Backspace);
            QTest::keyClicks(cvField, QStringLiteral("5"));
        }
        QCOMPARE(cvField->text(), QString::number(cv));
        rig.click("btnSelectrix_0");
        const QString cvByte = QStringLiteral("E8%1").arg(cv, 2, 16, QLatin1Char('0')).toUpper();
        QCOMPARE(rig.bytes(), (QStringList{"EA40", "6D00", cvByte, "E900", "EACE", "6900", "6B00", "EA00", "EA00",
                                           "EA00"}));
        QCOMPARE(rig.field("txtWert")->text(), QStringLiteral("6"));
        QCOMPARE(rig.window->statusText(), QStringLiteral(" Lesevorgang beendet ..."));

        rig.field("txtWert")->setText(QStringLiteral("38"));
        rig.click("btnSelectrix_1");
        QCOMPARE(rig.station.cv(cv), std::optional<int>(38));
        QCOMPARE(rig.window->statusText(), QStringLiteral(" Schreibvorgang beendet ..."));
        const QString cvText = QString::number(cv);
        QCOMPARE(rig.window->protocol().rows(), (QList<SxProtokoll::Row>{{"L", cvText, "6", "DCC", " ", " "},
                                                                        {"S", cvText, "38", "DCC", " ", " "}}));
        QVERIFY(!rig.notifier.busy);
        QVERIFY(!rig.link.exchangeRunning());
    }

    // A CV the decoder does not have: the read error and "?", which a write then refuses;
    // CV 300, which the CV field takes, is refused in this mode.
    void dccReadErrorAndRefusals() {
        Rig rig;
        rig.station.removeCv(3);
        rig.chooseCentral();
        rig.click("optModus_6");
        rig.field("txtRegister")->setText(QStringLiteral("3"));
        rig.click("btnSelectrix_0");
        QCOMPARE(rig.field("txtWert")->text(), QStringLiteral("?"));
        QCOMPARE(rig.window->statusText(), QStringLiteral(" Lesefehler ! ! ! "));
        QCOMPARE(rig.window->protocol().rowCount(), 0);

        rig.station.clearTraffic();
        rig.notifier.expectMessages = true;
        rig.click("btnSelectrix_1");
        rig.field("txtRegister")->setText(QStringLiteral("300"));
        rig.click("btnSelectrix_0");
        QVERIFY(rig.station.traffic().isEmpty());
        QCOMPARE(rig.notifier.messages.size(), 2);
        QCOMPARE(rig.notifier.messages[0].text,
                 QStringLiteral("Bitte wählen Sie für Wert einen Wert von 0 bis 255 !          "));
        QCOMPARE(rig.notifier.messages[1].text, QStringLiteral("Bitte wählen Sie für CV einen Wert von 1 bis 255 !          "));
        QCOMPARE(rig.field("txtWert")->text(), QStringLiteral("?"));
    }

    // Through the Intellibox: the five values written, then read back into the combos,
    // which are white while the answer is awaited.
    void intelliboxWriteThenRead() {
        Rig rig;
        chooseIntellibox(rig);
        setCombos(rig, {"80", "5", "6", "3", "2"});
        rig.click("btnSelectrix_1");
        QCOMPARE(rig.station.p50xCommands(), (QStringList{"XPTSW 80,5,6,3,2", "XPT0"}));
        QCOMPARE(rig.window->statusText(), QStringLiteral(" Programmiervorgang: Ok"));

        setCombos(rig, {"1", "1", "1", "1", "1"});
        bool sawWhite = false;
        rig.clock.onYield = [&] { sawWhite = sawWhite || Rig::comboText(rig.combo("cmbIM")) == white; };
        rig.click("btnSelectrix_0");
        QVERIFY(sawWhite);
        QCOMPARE(comboTexts(rig), (QStringList{"80", "5", "6", "3", "2"}));
        QCOMPARE(Rig::comboText(rig.combo("cmbIM")), black);
        QCOMPARE(rig.window->statusText(), QStringLiteral(" Lesevorgang beendet..."));
        QCOMPARE(rig.station.p50xCommands().mid(2), (QStringList{"XPTSR", "XPT0"}));
        QCOMPARE(rig.window->protocol().rows(),
                 (QList<SxProtokoll::Row>{{"S", "80", "5", "6", "3", "2"}, {"L", "80", "5", "6", "3", "2"}}));
        QVERIFY(rig.notifier.messages.isEmpty());
        QVERIFY(!rig.notifier.busy);
    }

    // An Intellibox that does not answer: after 10000 ms the message and the old values.
    void intelliboxSilent() {
        Rig rig;
        chooseIntellibox(rig);
        setCombos(rig, {"7", "1", "2", "1", "1"});
        rig.station.setFault(SimulatedStation::Fault::Silent);
        rig.notifier.expectMessages = true;
        const qint64 start = rig.clock.ticks() + 1000;
        rig.click("btnSelectrix_0");
        QCOMPARE(rig.clock.ticks(), start + 10001);
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages[0].title, QStringLiteral(" DCC Decoder lesen..."));
        QCOMPARE(rig.notifier.messages[0].text, QStringLiteral("Die IB antwortet nicht !          "));
        QCOMPARE(rig.window->statusText(), QStringLiteral(" Programmierung abgebrochen..."));
        QCOMPARE(comboTexts(rig), (QStringList{"7", "1", "2", "1", "1"}));
        QCOMPARE(Rig::comboText(rig.combo("cmbADR")), black);
        QCOMPARE(rig.station.p50xCommands(), QStringList{"XPTSR"});
        QVERIFY(!rig.notifier.busy);
    }

    // Closing the window while the Intellibox works ends the wait silently, without "XPT0";
    // the window goes once the exchange is over.
    void closedDuringTheIntelliboxWait() {
        Rig rig;
        rig.station.setKind(SimulatedStation::Kind::Intellibox);
        auto* window = new frmSelectrix(rig.ctx, rig.link, rig.dialog, {QStringLiteral("quillex")});
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QPointer<frmSelectrix> alive(window);
        window->findChild<QAbstractButton*>(QStringLiteral("btnUnit_1"))->click();
        rig.clock.onYield = [&] {
            if (alive && alive->isVisible() && rig.clock.ticks() > 500) {
                alive->close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        };
        window->findChild<QAbstractButton*>(QStringLiteral("btnSelectrix_0"))->click();
        QVERIFY(rig.notifier.messages.isEmpty());
        QCOMPARE(rig.station.p50xCommands(), QStringList{"XPTSR"});
        QVERIFY(!rig.link.exchangeRunning());
        QVERIFY(!rig.notifier.busy);
        QTRY_VERIFY(!alive);
    }
};

QTEST_MAIN(TestFrmSelectrixRuns)
#include "tst_frmselectrix_runs.moc"
