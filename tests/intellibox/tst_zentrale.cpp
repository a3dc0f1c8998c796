#include "programming/ui/CvGroupGrid.h"
#include "app/ui/Twips.h"
#include "ZentraleRig.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>

using Rig = ZentraleRig;

class TestZentrale : public QObject {
    Q_OBJECT
private slots:
    // The road of one request: read a CV on an Intellibox; CV 8 names the maker.
    void read_data() {
        QTest::addColumn<int>("cv");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("status");
        QTest::newRow("CV 8 names the maker") << 8 << 145 << "145 = $91 = %10010001    Zimo";
        QTest::newRow("other CV") << 29 << 6 << "6 = $06 = %00000110";
    }
    void read() {
        QFETCH(int, cv);
        QFETCH(int, value);
        QFETCH(QString, status);
        Rig rig;
        rig.station.setCv(cv, value);
        rig.txt("txtRegister")->setText(QString::number(cv));
        rig.click("btnLesen");
        QCOMPARE(rig.commands(), (QStringList{QStringLiteral("XPTRD%1").arg(cv), "XPT0"}));
        QCOMPARE(rig.txt("txtWert")->text(), QString::number(value));
        QCOMPARE(rig.window->status(), status);
        QCOMPARE(rig.rows(), (QList<CvRow>{{"L", QString::number(cv), QString::number(value), {}}}));
        QCOMPARE(rig.notifier.beeps, 0);
        QVERIFY(!rig.notifier.busy);
        QVERIFY(!rig.link.exchangeRunning());
    }

    // The track goes off the moment the answer is in: "XPT0" is on the line before the
    // value field, the status or the protocol show the answer.
    void trackOffBeforeTheAnswerShows_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("read") << "btnLesen";
        QTest::newRow("write") << "btnSchreiben";
    }
    void trackOffBeforeTheAnswerShows() {
        QFETCH(QString, button);
        Rig rig;
        rig.txt("txtRegister")->setText(QStringLiteral("8"));
        rig.txt("txtWert")->setText(QStringLiteral("97"));
        QStringList sentWhenShown;
        const auto note = [&] { sentWhenShown.append(rig.commands().join(u'|')); };
        connect(rig.txt("txtWert"), &QLineEdit::textChanged, this, note);
        connect(&rig.window->protocol(), &QAbstractItemModel::rowsInserted, this, note);
        rig.click(qPrintable(button));
        QVERIFY(!sentWhenShown.isEmpty());
        const bool read = button == QLatin1String("btnLesen");
        // The read's "?" shows before the command goes out.
        if (read)
            QCOMPARE(sentWhenShown.takeFirst(), QString());
        for (const QString& sent : sentWhenShown)
            QCOMPARE(sent, read ? QStringLiteral("XPTRD8|XPT0") : QStringLiteral("XPTWD8, 97|XPT0"));
    }

    void dccWrite() {
        Rig rig;
        rig.ctx.Abbruch = true;  // left over from an earlier transfer: must not silence this write
        rig.txt("txtRegister")->setText(QStringLiteral("29"));
        rig.txt("txtWert")->setText(QStringLiteral("6"));
        rig.click("btnSchreiben");
        QCOMPARE(rig.commands(), (QStringList{"XPTWD29, 6", "XPT0"}));
        QCOMPARE(rig.station.cv(29), std::optional<int>(6));
        QCOMPARE(rig.window->status(), QStringLiteral("Ok"));
        QCOMPARE(rig.notifier.beeps, 1);
        QCOMPARE(rig.rows(), (QList<CvRow>{{"S", "29", "6", {}}}));
    }

    // One rule for the write answers: a MasterControl's bare CR "]" is a write and logged;
    // a station error is shown, beeped, and not logged.
    void dccWriteAnswers_data() {
        QTest::addColumn<int>("station");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("logged");
        QTest::newRow("Intellibox Ok") << 2 << "" << "Ok" << true;
        QTest::newRow("MasterControl bare bracket") << 1 << "" << "" << true;
        QTest::newRow("Intellibox no ack") << 2 << "No ack" << "No ack" << false;
        QTest::newRow("MasterControl no ack") << 1 << "No ack" << "No ack" << false;
        QTest::newRow("MasterControl error") << 1 << "ERROR 7" << "ERROR 7" << false;
    }
    void dccWriteAnswers() {
        QFETCH(int, station);
        QFETCH(QString, error);
        QFETCH(bool, logged);
        Rig rig(station);
        rig.station.setProgrammingError(error);
        rig.txt("txtRegister")->setText(QStringLiteral("29"));
        rig.txt("txtWert")->setText(QStringLiteral("6"));
        rig.click("btnSchreiben");
        QCOMPARE(rig.commands(), (QStringList{"XPTWD29, 6", "XPT0"}));
        QTEST(rig.window->status(), "status");
        QCOMPARE(rig.notifier.beeps, 1);
        const QList<CvRow> written{{"S", "29", "6", {}}};
        QCOMPARE(rig.rows(), logged ? written : QList<CvRow>{});
    }

    // 28 steps chosen on an Intellibox become 14 when the 6021 is pressed: the slider at
    // its top then sends the 6021's highest code, never a byte of another P50 command.
    void sixtyTwentyOneTakesFourteenSteps() {
        Rig rig;
        auto* selector = rig.get<QScrollBar>(QStringLiteral("scrFahrstufen"));
        selector->setValue(3);
        QCOMPARE(rig.label("lblFahrstufen"), QStringLiteral("28"));
        rig.click("btnUnit_0");
        QCOMPARE(rig.label("lblFahrstufen"), QStringLiteral("14"));
        QCOMPARE(rig.ctx.Fahrstufen, QStringLiteral("1"));
        QVERIFY(!selector->isEnabled());
        rig.txt("txtAdresse")->setText(QStringLiteral("24"));
        rig.get<QSlider>(QStringLiteral("sldFahrstufen"))->setValue(14);
        rig.click("chkFunktion");
        QCOMPARE(rig.z.writes(), (QList<QByteArray>{QByteArray("\x0e\x18"), QByteArray("\x1e\x18")}));
    }

    void mainTrackWrite() {
        Rig rig;
        QLineEdit* address = rig.txt("txtAdresse");
        QCOMPARE(address->maxLength(), 4);
        address->setText(QStringLiteral("3"));
        rig.click("chkHGPR");
        QCOMPARE(rig.get<QLabel>(QStringLiteral("stbGleis"))->text(),
                 QStringLiteral(" Lokomotive auf normalem Fahrgleis      ! Vorsicht !"));
        QVERIFY(!rig.get<QPushButton>(QStringLiteral("btnLesen"))->isEnabled());
        rig.txt("txtRegister")->setText(QStringLiteral("5"));
        rig.txt("txtWert")->setText(QStringLiteral("64"));
        rig.click("btnSchreiben");
        QCOMPARE(rig.commands(), (QStringList{"XPD 3, 5, 64", "XPT0"}));
        QCOMPARE(rig.rows(), (QList<CvRow>{{"S", "5", "64", {}}}));
        // Choosing DCC or the station again keeps the tick, its warning and its reading lock.
        rig.click("optTyp_2");
        rig.click("btnUnit_1");
        QVERIFY(rig.get<QCheckBox>(QStringLiteral("chkHGPR"))->isChecked());
        QCOMPARE(rig.get<QLabel>(QStringLiteral("stbGleis"))->text(),
                 QStringLiteral(" Lokomotive auf normalem Fahrgleis      ! Vorsicht !"));
        QVERIFY(!rig.get<QPushButton>(QStringLiteral("btnLesen"))->isEnabled());
    }

    void readTimeOut() {
        Rig rig;
        rig.station.setFault(SimulatedStation::Fault::Silent);
        rig.notifier.expectMessages = true;
        rig.txt("txtRegister")->setText(QStringLiteral("8"));
        const qint64 start = rig.clock.ticks();
        rig.click("btnLesen");
        QCOMPARE(rig.commands(), (QStringList{"XPTRD8"}));
        QVERIFY(rig.clock.ticks() - start > 20000);
        QVERIFY(rig.clock.ticks() - start < 20100);
        QCOMPARE(rig.window->status(), QStringLiteral(" Programmierung abgebrochen..."));
        QCOMPARE(onlyMessage(rig.notifier), QStringLiteral(" DCC-Decoder lesen...|Die IB antwortet nicht !          "));
        QCOMPARE(rig.notifier.messages[0].icon, Notifier::Icon::Critical);
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("?"));
        QVERIFY(rig.rows().isEmpty());
        QVERIFY(!rig.notifier.busy);
    }

    void writeTimeOut() {
        Rig rig(1);
        rig.station.setFault(SimulatedStation::Fault::Silent);
        rig.notifier.expectMessages = true;
        rig.txt("txtRegister")->setText(QStringLiteral("29"));
        rig.txt("txtWert")->setText(QStringLiteral("6"));
        const qint64 start = rig.clock.ticks();
        rig.click("btnSchreiben");
        QCOMPARE(rig.commands(), (QStringList{"XPTWD29, 6", "XPT0"}));
        QVERIFY(rig.z.writeTimes()[1] - start > 8000);
        QVERIFY(rig.z.writeTimes()[1] - start < 8100);
        QCOMPARE(onlyMessage(rig.notifier),
                 QStringLiteral(" DCC-Decoder programmieren...|"
                                "Die MC antwortet nicht !          "));
        QCOMPARE(rig.window->status(), QStringLiteral(" Programmierung abgebrochen..."));
        QVERIFY(rig.rows().isEmpty());
    }

    // A read the station refuses leaves "?" in the value field and logs nothing.
    void failedRead_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("status");
        QTest::newRow("no ack") << QByteArray("No ack\r]") << "No ack";
        QTest::newRow("bracket only") << QByteArray("]") << "]";
        QTest::newRow("equals at start") << QByteArray(" = 5\r]") << " = 5";
    }
    void failedRead() {
        QFETCH(QByteArray, answer);
        QFETCH(QString, status);
        Rig rig;
        rig.station.scriptAnswer(answer);
        rig.txt("txtRegister")->setText(QStringLiteral("3"));
        rig.click("btnLesen");
        QCOMPARE(rig.commands(), (QStringList{"XPTRD3", "XPT0"}));
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("?"));
        QCOMPARE(rig.window->status(), status);
        QVERIFY(rig.rows().isEmpty());

        // The "?" never goes onto the line.
        rig.click("btnSchreiben");
        QCOMPARE(rig.z.writeTimes().size(), 2);
        QCOMPARE(rig.notifier.beeps, 1);
    }

    void badInputSendsNothing_data() {
        QTest::addColumn<QString>("cv");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("hgpr");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("message");
        QTest::newRow("cv 0") << "0" << "5" << false << "" << false;
        QTest::newRow("cv empty") << "" << "5" << false << "" << false;
        QTest::newRow("value empty") << "29" << "" << false << "" << false;
        QTest::newRow("no address") << "5" << "64" << true << "" << false;
        QTest::newRow("address letters") << "5" << "64" << true << "a3" << false;
        QTest::newRow("address 0") << "5" << "64" << true << "0" << false;
    }
    void badInputSendsNothing() {
        QFETCH(QString, cv);
        QFETCH(QString, value);
        QFETCH(bool, hgpr);
        QFETCH(QString, address);
        QFETCH(bool, message);
        Rig rig;
        QLineEdit* addressField = rig.txt("txtAdresse");
        addressField->setText(address);
        rig.get<QCheckBox>(QStringLiteral("chkHGPR"))->setChecked(hgpr);
        rig.notifier.expectMessages = message;
        rig.txt("txtRegister")->setText(cv);
        rig.txt("txtWert")->setText(value);
        rig.click("btnSchreiben");
        QVERIFY(rig.nothingSent());
        QCOMPARE(rig.notifier.beeps, 1);
        QVERIFY(rig.rows().isEmpty());
        QVERIFY(!rig.notifier.busy);
    }

    void fieldsMirrorTheirSpinControls() {
        Rig rig;
        rig.txt("txtRegister")->setText(QStringLiteral("1500"));
        QCOMPARE(rig.txt("txtRegister")->text(), QStringLiteral("1024"));
        rig.txt("txtWert")->setText(QStringLiteral("300"));
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("255"));
        auto* list = rig.get<QListWidget>(QStringLiteral("lstRegister"));
        list->setCurrentRow(7);  // "8     Herstellerkennung"
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(7)).center());
        QCOMPARE(rig.txt("txtRegister")->text(), QStringLiteral("8"));
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("8"));
        QTest::keyClicks(rig.txt("txtWert"), QStringLiteral("a"));
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("8"));
        // The fields follow their bars, whose values are the fields' numbers.
        QCOMPARE(rig.get<QScrollBar>(QStringLiteral("scrWert"))->value(), 8);
        rig.get<QScrollBar>(QStringLiteral("scrWert"))->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("9"));
        rig.get<QScrollBar>(QStringLiteral("scrRegister"))->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(rig.txt("txtRegister")->text(), QStringLiteral("9"));
        rig.get<QScrollBar>(QStringLiteral("scrRegister"))->triggerAction(QAbstractSlider::SliderSingleStepSub);
        rig.get<QScrollBar>(QStringLiteral("scrRegister"))->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(rig.txt("txtRegister")->text(), QStringLiteral("7"));
        // An emptied field leaves its bar: the number typed then is the number, not "05".
        for (const char* name : {"txtRegister", "txtWert"}) {
            QLineEdit* field = rig.txt(name);
            field->clear();
            QCOMPARE(field->text(), QString());
            QTest::keyClicks(field, QStringLiteral("5"));
            QCOMPARE(field->text(), QStringLiteral("5"));
        }
        QCOMPARE(rig.get<QScrollBar>(QStringLiteral("scrWert"))->value(), 5);
    }

    // Typed characters other than digits are dropped; keys that type nothing keep their use.
    void fieldKeys_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("letter") << "txtWert" << int(Qt::Key_A) << "12";
        QTest::newRow("minus") << "txtRegister" << int(Qt::Key_Minus) << "12";
        QTest::newRow("digit") << "txtRegister" << int(Qt::Key_3) << "123";
        QTest::newRow("backspace") << "txtWert" << int(Qt::Key_Backspace) << "1";
        QTest::newRow("delete") << "txtRegister" << int(Qt::Key_Delete) << "1";
    }
    void fieldKeys() {
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(QString, text);
        Rig rig;
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        QLineEdit* edit = rig.txt(qPrintable(field));
        edit->setText(QStringLiteral("12"));
        edit->setFocus();
        edit->setCursorPosition(key == Qt::Key_Delete ? 1 : 2);
        QTest::keyClick(edit, Qt::Key(key));
        QCOMPARE(edit->text(), text);
        // Tab leaves the field.
        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY(!edit->hasFocus());
        QCOMPARE(edit->text(), text);
    }

    // Station choice against the station table.
    void stations_data() {
        QTest::addColumn<int>("station");
        QTest::addColumn<QString>("cuName");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("lesen");
        QTest::addColumn<bool>("dccEnabled");
        QTest::addColumn<bool>("hgprEnabled");
        QTest::addColumn<bool>("search");
        QTest::addColumn<bool>("variants");
        QTest::addColumn<bool>("version");
        QTest::addColumn<bool>("longAddress");
        QTest::addColumn<QString>("track");
        QTest::addColumn<QString>("help");
        QTest::addColumn<int>("addressLength");
        const QString main = QStringLiteral(" Lokomotive auf normalem Fahrgleis      ! Vorsicht !");
        const QString prog = QStringLiteral(" Lokomotive auf Programmiergleis");
        QTest::newRow("6021") << 0 << "6021" << "mfx" << false << false << false << false << false << false
                              << false << main << "Zelvo_6021.htm" << 3;
        QTest::newRow("MC") << 1 << "MC" << "DCC" << true << true << true << false << true << true << true << prog
                            << "Zelvo_MC.htm" << 4;
        QTest::newRow("IB") << 2 << "IB" << "DCC" << true << true << true << true << false << true << true << prog
                            << "Zelvo_IB.htm" << 4;
    }
    void stations() {
        QFETCH(int, station);
        QFETCH(QString, cuName);
        QFETCH(QString, type);
        QFETCH(bool, lesen);
        QFETCH(bool, dccEnabled);
        QFETCH(bool, hgprEnabled);
        QFETCH(bool, search);
        QFETCH(bool, variants);
        QFETCH(bool, version);
        QFETCH(bool, longAddress);
        QFETCH(QString, track);
        QFETCH(QString, help);
        QFETCH(int, addressLength);
        // Start on another station with the main track ticked, then press the button.
        Rig rig(station == 2 ? 1 : 2);
        QLineEdit* address = rig.txt("txtAdresse");
        rig.get<QCheckBox>(QStringLiteral("chkHGPR"))->setChecked(true);
        address->setText(QStringLiteral("12"));
        rig.click(qPrintable(QStringLiteral("btnUnit_%1").arg(station)));
        QCOMPARE(rig.ctx.CuName, cuName);
        QCOMPARE(rig.ctx.ZentraleIndex, station);
        QCOMPARE(rig.ctx.DecoderType, type);
        QCOMPARE(rig.ctx.HelpPage, help);
        QCOMPARE(rig.get<QPushButton>(QStringLiteral("btnLesen"))->isVisibleTo(rig.window.get()), lesen);
        QCOMPARE(rig.get<QRadioButton>(QStringLiteral("optTyp_2"))->isEnabled(), dccEnabled);
        auto* hgpr = rig.get<QCheckBox>(QStringLiteral("chkHGPR"));
        QCOMPARE(hgpr->isEnabled(), hgprEnabled);
        if (!hgprEnabled)
            QVERIFY(!hgpr->isChecked());
        // The address search is not offered while main-track programming is ticked.
        auto* searchPanel = rig.get<QWidget>(QStringLiteral("pnlAdresse"));
        if (hgpr->isChecked()) {
            QVERIFY(!searchPanel->isVisibleTo(rig.window.get()));
            rig.click("chkHGPR");
        }
        QCOMPARE(searchPanel->isVisibleTo(rig.window.get()), search);
        QCOMPARE(rig.get<QWidget>(QStringLiteral("pnlMC"))->isVisibleTo(rig.window.get()), variants);
        QCOMPARE(rig.get<QAction>(QStringLiteral("mnuDatei_Softwarestand"))->isEnabled(), version);
        QCOMPARE(rig.get<QToolButton>(QStringLiteral("rbnLA"))->isEnabled(), longAddress);
        QCOMPARE(rig.get<QAction>(QStringLiteral("mnuDatei_LA"))->isEnabled(), longAddress);
        QCOMPARE(rig.get<QLabel>(QStringLiteral("stbGleis"))->text(), track);
        QCOMPARE(address->text(), QString());
        QCOMPARE(address->maxLength(), addressLength);
        QCOMPARE(rig.txt("txtRegister")->text(), QStringLiteral("1"));
        QCOMPARE(rig.get<QListWidget>(QStringLiteral("lstRegister"))->currentRow(), 0);
        if (variants)
            QCOMPARE(rig.get<QWidget>(QStringLiteral("pnlMC"))->x(),
                     rig.get<QWidget>(QStringLiteral("pnlAdresse"))->x());
        // The drive desk: direction buttons and F5..F8 not on the 6021; F5..F8 only for DCC.
        for (const char* name : {"btnFahrtrichtungswechsel_0", "btnFahrtrichtungswechsel_1", "chkFunctions_5"})
            QCOMPARE(rig.get<QWidget>(QString::fromLatin1(name))->isEnabled(), station != 0);
        rig.window->selectDecoderType(0);
        QVERIFY(!rig.get<QWidget>(QStringLiteral("chkFunctions_8"))->isEnabled());
        QVERIFY(rig.get<QWidget>(QStringLiteral("chkFunctions_4"))->isEnabled());
        QVERIFY(rig.nothingSent());
    }

    void decoderTypes_data() {
        QTest::addColumn<int>("station");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("track");
        const QString main = QStringLiteral(" Lokomotive auf normalem Fahrgleis      ! Vorsicht !");
        const QString prog = QStringLiteral(" Lokomotive auf Programmiergleis");
        QTest::newRow("fx on IB") << 2 << 0 << 4 << "Register" << prog;
        QTest::newRow("fx on MC") << 1 << 0 << 4 << "Register" << main;
        QTest::newRow("mfx on 6021") << 0 << 1 << 5 << "Register" << main;
        QTest::newRow("DCC on MC") << 1 << 2 << 16 << "CV" << prog;
    }
    void decoderTypes() {
        QFETCH(int, station);
        QFETCH(int, type);
        QFETCH(int, entries);
        QFETCH(QString, header);
        QFETCH(QString, track);
        Rig rig(station, type);
        auto* list = rig.get<QListWidget>(QStringLiteral("lstRegister"));
        QCOMPARE(list->count(), entries);
        // The list shows whole rows, no half row at its bottom.
        QCOMPARE((list->height() - 2 * list->frameWidth()) % list->sizeHintForRow(0), 0);
        QCOMPARE(rig.window->protocol().cvHeader(), header);
        QCOMPARE(rig.get<QLabel>(QStringLiteral("lblRegister"))->text(), header);
        QCOMPARE(rig.get<QLabel>(QStringLiteral("stbGleis"))->text(), track);
        QCOMPARE(rig.get<QAction>(QStringLiteral("mnuDatei_CVGruppen"))->isEnabled(), type == 2);
    }

    void storedChoiceOutOfRange_data() {
        QTest::addColumn<int>("station");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("cuName");
        QTest::addColumn<QString>("decoderType");
        QTest::newRow("DCC stored with the 6021") << 0 << 2 << "6021" << "mfx";
        QTest::newRow("fx with the 6021") << 0 << 0 << "6021" << "fx";
        QTest::newRow("station 1000") << 1000 << 2 << "" << "";
        QTest::newRow("type 1000") << 2 << 1000 << "IB" << "DCC";
        QTest::newRow("station -1") << -1 << -1 << "" << "";
    }
    void storedChoiceOutOfRange() {
        QFETCH(int, station);
        QFETCH(int, type);
        QFETCH(QString, cuName);
        QFETCH(QString, decoderType);
        Rig rig(station, type);
        QCOMPARE(rig.ctx.CuName, cuName);
        QCOMPARE(rig.ctx.DecoderType, decoderType);
        rig.window->close();
        QVERIFY(rig.nothingSent());
    }

    // While one exchange waits, a second one is refused with a beep and nothing is sent.
    void secondExchangeRefused() {
        Rig rig;
        rig.station.setCv(8, 97);
        rig.txt("txtRegister")->setText(QStringLiteral("8"));
        bool clicked = false;
        rig.clock.onYield = [&] {
            if (clicked)
                return;
            clicked = true;
            rig.click("btnSchreiben");
            rig.window->findChild<QAction*>(QStringLiteral("mnuDatei_Softwarestand"))->trigger();
        };
        rig.click("btnLesen");
        QVERIFY(clicked);
        QCOMPARE(rig.commands(), (QStringList{"XPTRD8", "XPT0"}));
        QCOMPARE(rig.notifier.beeps, 2);
        QCOMPARE(rig.window->status(), QStringLiteral("97 = $61 = %01100001    Doehler"));
    }

    void closeDuringWait_data() {
        QTest::addColumn<bool>("write");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }
    void closeDuringWait() {
        QFETCH(bool, write);
        Rig rig;
        rig.station.setFault(SimulatedStation::Fault::Silent);
        rig.ctx.PosZentraleLeft = 1500;
        rig.window->move(twips(3000), twips(1500));
        rig.txt("txtRegister")->setText(QStringLiteral("29"));
        rig.txt("txtWert")->setText(QStringLiteral("6"));
        rig.clock.onYield = [&] {
            if (rig.clock.ticks() == 1000)
                rig.window->close();
        };
        rig.click(write ? "btnSchreiben" : "btnLesen");
        QVERIFY(rig.clock.ticks() < 1100);
        QCOMPARE(rig.z.writeTimes().size(), 1);
        QVERIFY(rig.notifier.messages.isEmpty());
        QVERIFY(rig.rows().isEmpty());
        QVERIFY(rig.ctx.Abbruch);
        QVERIFY(!rig.link.exchangeRunning());
        QVERIFY(!rig.notifier.busy);
        QCOMPARE(rig.ctx.DecoderTypIndex, 2);
        // Destroying the window from inside a wait: nothing touches it afterwards.
        rig.clock.onYield = [&] {
            if (rig.window)
                rig.window.reset();
        };
        rig.window->show();
        rig.click(write ? "btnSchreiben" : "btnLesen");
        QVERIFY(!rig.window);
        QVERIFY(!rig.link.exchangeRunning());
    }

    // The program deletes the window when it closes. Closed during a wait, it goes only after
    // the wait and its caller have returned.
    void deleteOnCloseDuringWait_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("read") << "btnLesen";
        QTest::newRow("write") << "btnSchreiben";
        QTest::newRow("CV29 read") << "btnCV29IILesen";
    }
    void deleteOnCloseDuringWait() {
        QFETCH(QString, button);
        Rig rig;
        rig.station.setFault(SimulatedStation::Fault::Silent);
        QPointer<frmZentrale> window = rig.window.release();
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->findChild<QLineEdit*>(QStringLiteral("txtWert"))->setText(QStringLiteral("6"));
        if (button == QLatin1String("btnCV29IILesen"))
            window->showCv29View(true);
        rig.clock.onYield = [&] {
            if (rig.clock.ticks() == 1000) {
                window->close();
                // What the event loop of the real program does inside the wait.
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        };
        QTest::mouseClick(window->findChild<QAbstractButton*>(button), Qt::LeftButton);
        QVERIFY(window);
        QVERIFY(!rig.link.exchangeRunning());
        QVERIFY(rig.notifier.messages.isEmpty());
        QVERIFY(!rig.notifier.busy);
        for (int i = 0; i < 10 && window; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QVERIFY(!window);
    }

    void versionQuery() {
        Rig rig;
        rig.station.setVersionText(QStringLiteral("Intellibox V1.5\rSN 01234\r]"));
        rig.window->findChild<QAction*>(QStringLiteral("mnuDatei_Softwarestand"))->trigger();
        QCOMPARE(rig.commands(), (QStringList{"XV"}));
        QCOMPARE(rig.window->status(), QStringLiteral("Intellibox V1.5 SN 01234 ]"));
    }

    // The panels' answer wait: after a time-out nothing more goes out, not even "XPT0".
    void panelTimeOutSendsNothingMore() {
        Rig rig;
        rig.station.setFault(SimulatedStation::Fault::Silent);
        rig.notifier.expectMessages = true;
        rig.window->showCv29View(true);
        rig.click("btnCV29IILesen");
        QCOMPARE(rig.commands(), QStringList{"XPTRD 29"});
        QCOMPARE(rig.window->status(), QStringLiteral(" Programmierung abgebrochen..."));
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages[0].title, QStringLiteral(" DCC-Decoder lesen..."));
        QVERIFY(!rig.notifier.busy);
    }

    // A port that fails inside the wait is reported once, by the central error report.
    void panelPortFailure() {
        Rig rig;
        rig.station.setFault(SimulatedStation::Fault::Vanish);
        rig.notifier.expectMessages = true;
        rig.window->showCv29View(true);
        rig.click("btnCV29IILesen");
        QCOMPARE(rig.notifier.messages.size(), 1);
        QVERIFY(!rig.notifier.messages[0].text.contains(QStringLiteral("antwortet nicht")));
        QCOMPARE(rig.window->status(), QString());
        QVERIFY(!rig.notifier.busy);
    }

    // Re-running protocol rows: reads only where this window can read.
    void protocolRerun_data() {
        QTest::addColumn<int>("station");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("read on IB") << 2 << 2 << "L" << QStringList{"XPTRD29", "XPT0"};
        QTest::newRow("write on MC") << 1 << 2 << "S" << QStringList{"XPTWD29, 6", "XPT0"};
        QTest::newRow("read on 6021") << 0 << 1 << "L" << QStringList{};
        QTest::newRow("read fx on IB") << 2 << 0 << "L" << QStringList{};
        QTest::newRow("edited row") << 2 << 2 << "E" << QStringList{};
    }
    void protocolRerun() {
        QFETCH(int, station);
        QFETCH(int, type);
        QFETCH(QString, action);
        QFETCH(QStringList, sent);
        Rig rig(station, type);
        rig.station.setCv(29, 6);
        rig.window->writeProtokoll(action, QStringLiteral("29"), QStringLiteral("6"));
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        auto* grid = rig.get<QAbstractItemView>(QStringLiteral("grdKP"));
        const QRect cell = grid->visualRect(rig.window->protocol().index(0, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(rig.txt("txtRegister")->text(), QStringLiteral("29"));
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("6"));
        QCOMPARE(rig.commands(), sent);
        QCOMPARE(rig.rows().size(), sent.isEmpty() ? 1 : 2);
    }

    void protocolEditAndClear() {
        Rig rig;
        rig.window->show();
        rig.window->findChild<QAction*>(QStringLiteral("mnuPopUp_Editieren"))->trigger();
        QCOMPARE(rig.rows(), (QList<CvRow>{{}}));
        auto* grid = rig.get<QAbstractItemView>(QStringLiteral("grdKP"));
        QCOMPARE(grid->currentIndex().column(), 1);
        rig.window->findChild<QAction*>(QStringLiteral("mnuPopUp_loeschen"))->trigger();
        QVERIFY(rig.rows().isEmpty());
    }

    void views() {
        Rig rig;
        auto* cv29 = rig.get<QWidget>(QStringLiteral("pnlCV29"));
        auto* la = rig.get<QWidget>(QStringLiteral("pnlLA"));
        auto* decoder = rig.get<QWidget>(QStringLiteral("pnlDecoder"));
        auto* mnuCv29 = rig.get<QAction>(QStringLiteral("mnuDatei_CV29"));
        // A parked view takes no focus and no access key.
        QVERIFY(!cv29->isEnabled());
        QVERIFY(!la->isEnabled());
        rig.click("rbnCV29");
        QCOMPARE(cv29->y(), twips(660));
        QCOMPARE(cv29->x(), la->x());
        QVERIFY(cv29->isEnabled());
        QVERIFY(mnuCv29->isChecked());
        QVERIFY(!decoder->isEnabled());
        rig.click("rbnLA");
        QCOMPARE(cv29->y(), twips(24000));
        QCOMPARE(la->y(), twips(660));
        QVERIFY(!cv29->isEnabled());
        QVERIFY(la->isEnabled());
        QVERIFY(!mnuCv29->isChecked());
        QVERIFY(!decoder->isEnabled());
        rig.click("rbnLA");
        QVERIFY(decoder->isEnabled());
        mnuCv29->trigger();
        mnuCv29->trigger();
        QVERIFY(!mnuCv29->isChecked());
        QCOMPARE(cv29->y(), twips(24000));
        QVERIFY(decoder->isEnabled());
        rig.get<QAction>(QStringLiteral("mnuDatei_CVGruppen"))->trigger();
        auto* group = rig.get<QWidget>(QStringLiteral("grdGR"));
        QVERIFY(group->isVisibleTo(rig.window.get()));
        QCOMPARE(group->y(), twips(540));
        QVERIFY(!decoder->isEnabled());
        // The 6021 offers no CV groups: the view goes away and the panel is usable again.
        rig.window->pressStation(0);
        QVERIFY(!group->isVisibleTo(rig.window.get()));
        QVERIFY(decoder->isEnabled());
    }

    void delayField_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("delay");
        QTest::newRow("digits and letters") << "250abc" << 250;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("half to even") << "2.5" << 2;
        QTest::newRow("negative") << "-7" << -7;
        QTest::newRow("beyond 32 bits") << "99999999999" << 2147483647;
    }
    void delayField() {
        QFETCH(QString, text);
        QFETCH(int, delay);
        Rig rig;
        rig.txt("txtDelay")->setText(text);
        QCOMPARE(rig.ctx.Delay, delay);
    }

    void loadAndUnload() {
        Rig rig;
        QCOMPARE(rig.txt("txtDelay")->text(), QStringLiteral("0"));
        rig.ctx.Delay = -5;
        rig.ctx.PosZentraleLeft = 1500;
        rig.ctx.PosZentraleTop = 750;
        rig.window = std::make_unique<frmZentrale>(rig.ctx, rig.link, rig.dialog);
        QCOMPARE(rig.txt("txtDelay")->text(), QStringLiteral("1000"));
        rig.click("optTyp_1");
        rig.window->move(twips(3000), twips(1500));
        rig.window->close();
        QCOMPARE(rig.ctx.DecoderTypIndex, 1);
        QCOMPARE(rig.ctx.PosZentraleLeft, 3000);
        QCOMPARE(rig.ctx.PosZentraleTop, 1500);
        QVERIFY(rig.ctx.Abbruch);
        rig.window = std::make_unique<frmZentrale>(rig.ctx, rig.link, rig.dialog);
        QVERIFY(rig.get<QRadioButton>(QStringLiteral("optTyp_1"))->isChecked());
        QCOMPARE(rig.window->pos(), QPoint(twips(3000), twips(1500)));
    }

    // The sliding bar of a narrow screen moves the right-hand side 15 twips per step: at 182
    // the drive desk stands at 5160 and the parameter panel at 8520.
    void slidingBar_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("left");
        QTest::newRow("drive desk") << "pnlFahrpult" << 5160;
        QTest::newRow("parameter panel") << "pnlParameter" << 8520;
        QTest::newRow("CV-group table") << "grdGR" << 5160;
        QTest::newRow("credit line") << "lblCredit" << 8010;
        QTest::newRow("credit picture") << "picCredit" << 10500;
    }
    void slidingBar() {
        QFETCH(QString, control);
        QFETCH(int, left);
        Rig rig;
        rig.get<QScrollBar>(QStringLiteral("scrSize"))->setValue(182);
        QCOMPARE(rig.get<QWidget>(control)->x(), twips(left));
    }

    void helpAndLabels() {
        Rig rig(1);
        rig.ctx.HelpFile = QStringLiteral("help");
        QTest::mouseClick(rig.get<QLabel>(QStringLiteral("lblUnit_2")), Qt::LeftButton);
        QCOMPARE(rig.ctx.CuName, QStringLiteral("IB"));
        QVERIFY(rig.get<QToolButton>(QStringLiteral("btnUnit_2"))->isChecked());
        rig.window->findChild<QAction*>(QStringLiteral("mnuHilfe"))->trigger();
        QCOMPARE(rig.notifier.helpPages, (QStringList{"help|Zelvo_IB.htm"}));
        // The track bar gives help only for Motorola decoders on the 6021 and the MC.
        QTest::mouseClick(rig.get<QLabel>(QStringLiteral("stbGleis")), Qt::LeftButton);
        rig.click("btnUnit_0");
        QTest::mouseClick(rig.get<QLabel>(QStringLiteral("stbGleis")), Qt::LeftButton);
        QCOMPARE(rig.notifier.helpPages.size(), 2);
        QCOMPARE(rig.notifier.helpPages.last(), QStringLiteral("help|Zelvo_6021.htm"));
    }

    // After loading, every item of the window is usable except the speed-curve editor (not
    // part of this program) and the programming aid until the main window hands its opener.
    void itemsAfterLoading() {
        Rig rig;
        for (const char* name : {"mnuBearbeiten_ausschneiden", "mnuBearbeiten_kopieren", "mnuBearbeiten_einfuegen",
                                 "mnuPopUp_speichern", "mnuPopUp_MoVeExport", "mnuPopUp_drucken",
                                 "mnuPopUp_Editieren", "mnuPopUp_loeschen"})
            QVERIFY2(rig.get<QAction>(QString::fromLatin1(name))->isEnabled(), name);
        for (const char* name : {"btnPower_0", "btnPower_1", "pnlFahrpult", "pnlDecoder"})
            QVERIFY2(rig.get<QWidget>(QString::fromLatin1(name))->isEnabled(), name);
        QVERIFY(!rig.get<QAction>(QStringLiteral("mnuDatei_Kennlinie"))->isEnabled());
        QVERIFY(!rig.get<QWidget>(QStringLiteral("btnKennlinie"))->isEnabled());
        QVERIFY(!rig.get<QWidget>(QStringLiteral("btnProgrammierhilfe"))->isEnabled());
        int opened = 0;
        rig.window->setProgrammingAidOpener([&] { ++opened; });
        rig.click("btnProgrammierhilfe");
        QCOMPARE(opened, 1);
        // The menu bar's edit items are the CV-group table's own.
        QCOMPARE(rig.get<QAction>(QStringLiteral("mnuBearbeiten_kopieren")), rig.window->groupGrid().copyAction());
        QVERIFY(rig.nothingSent());
    }

    // "&schreiben" picks the routine by station and decoder type.
    void writeDispatch_data() {
        QTest::addColumn<int>("station");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("firstCommand");  // empty: none
        QTest::addColumn<int>("firstByte");         // -1: none
        QTest::newRow("6021 mfx") << 0 << 1 << "" << 97;
        QTest::newRow("MC fx") << 1 << 0 << "XTPM 80" << 97;
        QTest::newRow("IB mfx") << 2 << 1 << "X@@" << 0;
        QTest::newRow("IB DCC") << 2 << 2 << "XPTWD1, 3" << -1;
    }
    void writeDispatch() {
        QFETCH(int, station);
        QFETCH(int, type);
        QFETCH(QString, firstCommand);
        QFETCH(int, firstByte);
        Rig rig(station, type);
        rig.txt("txtWert")->setText(QStringLiteral("3"));
        rig.click("btnSchreiben");
        QCOMPARE(rig.commands().value(0), firstCommand);
        if (firstByte < 0)
            QVERIFY(rig.station.p50Bytes().isEmpty());
        else
            QCOMPARE(int(quint8(rig.station.p50Bytes().at(0))), firstByte);
        QCOMPARE(rig.rows().value(0), (CvRow{"S", "1", "3", {}}));
        QVERIFY(!rig.notifier.busy);
    }
};

QTEST_MAIN(TestZentrale)
#include "tst_zentrale.moc"
