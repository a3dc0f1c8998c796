#include "LenzRig.h"
#include "ProgramRig.h"
#include "app/ui/RisingScrollBar.h"
#include "app/ui/Twips.h"
#include "programming/core/CvGroupTable.h"
#include "programming/ui/CvGroupGrid.h"
#include "speedcurve/core/SpeedCurve.h"
#include "speedcurve/ui/frmKennlinie.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using Result = SimulatedStation::ServiceResult;

// The Lenz window: its own controls, the fields and their bars, and the XpressNet read and
// write against the simulated station, serial and LI-USB, on virtual time.
class TestFrmLenz : public QObject {
    Q_OBJECT
private slots:
    void captionsAndTips_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        QTest::newRow("register") << "optProgmode_0" << "Register" << " lesen / schreiben im Register-Modus ";
        QTest::newRow("cv") << "optProgmode_1" << "CV" << " lesen / schreiben im CV-Modus ";
        QTest::newRow("page") << "optProgmode_2" << "Page" << " lesen / schreiben im Page-Modus ";
        QTest::newRow("serial") << "btnIF_0" << "" << " Verbindung über serielle Schnittstelle ";
        QTest::newRow("usb") << "btnIF_1" << "" << " Verbindung über USB-Schnittstelle ";
        QTest::newRow("read") << "btnLesen" << "&lesen" << " liest den Wert aus der CV (nur DCC) ";
        QTest::newRow("write") << "btnSchreiben" << "&schreiben" << " schreibt den Wert in die CV / das Register ";
        QTest::newRow("test") << "btnText" << "Test" << "";
        QTest::newRow("power off") << "btnPower_0" << "Power off" << " Zentrale abschalten ";
        QTest::newRow("power on") << "btnPower_1" << "Power on" << " Zentrale einschalten ";
    }
    void captionsAndTips() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        LenzRig rig;
        auto* b = rig.get<QAbstractButton>(name);
        QCOMPARE(b->text(), caption);
        QCOMPARE(b->toolTip(), tip);
    }

    void frame() {
        LenzRig rig;
        QCOMPARE(rig.window->windowTitle(), QStringLiteral(" Lenz - Modellbahndecoder programmieren"));
        QCOMPARE(rig.label("lblIF_0"), QStringLiteral("seriell"));
        QCOMPARE(rig.label("lblIF_1"), QStringLiteral("USB"));
        QVERIFY(rig.get<QRadioButton>(QStringLiteral("optProgmode_1"))->isChecked());
        auto* bar = rig.get<RisingScrollBar>(QStringLiteral("scrCV"));
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 999);
        auto* list = rig.get<QListWidget>(QStringLiteral("lstRegister"));
        QCOMPARE(list->count(), 16);
        QCOMPARE(list->item(9)->text(), QStringLiteral("17   erweiterte Adresse (höherwertig)"));
        QCOMPARE(list->item(15)->text(), QStringLiteral("95   Trimmwert rückwärts"));
        QCOMPARE(list->currentRow(), 0);
        // The list shows whole rows, no half row at its bottom.
        QCOMPARE((list->height() - 2 * list->frameWidth()) % list->sizeHintForRow(0), 0);
        QCOMPARE(rig.txt("txtCV")->text(), QStringLiteral("1"));
        QCOMPARE(rig.window->protocol().headerData(1, Qt::Horizontal).toString(), QStringLiteral("CV"));

        // Menus: "&Datei" without the version entry, no edit menu, "&?" and "s&chließen".
        QCOMPARE(rig.window->findChild<QMenu*>(QStringLiteral("mnuDatei"))->title(), QStringLiteral("&Datei"));
        QCOMPARE(rig.window->findChild<QAction*>(QStringLiteral("mnuHilfe"))->text(), QStringLiteral("&?"));
        QCOMPARE(rig.window->findChild<QAction*>(QStringLiteral("mnuSchliessen"))->text(), QStringLiteral("s&chließen"));
        QVERIFY(!rig.window->findChild<QMenu*>(QStringLiteral("mnuBearbeiten")));
        QStringList datei;
        for (QAction* a : rig.window->findChild<QMenu*>(QStringLiteral("mnuDatei"))->actions())
            datei.append(a->text());
        QCOMPARE(datei, (QStringList{"Geschwindigkeits&kennlinie bearbeiten  ", "CV-&Gruppen bearbeiten", "",
                                     "&lange Adressen", "&CV 29 bearbeiten", "", "s&chließen"}));
        rig.window->findChild<QAction*>(QStringLiteral("mnuHilfe"))->trigger();
        QCOMPARE(rig.notifier.helpPages.last().section(u'|', 1), QStringLiteral("Zelvo_Lenz.htm"));
    }

    void loading_data() {
        QTest::addColumn<int>("delay");
        QTest::addColumn<QString>("shown");
        QTest::newRow("negative") << -5 << "1000";
        QTest::newRow("zero") << 0 << "0";
        QTest::newRow("stored") << 250 << "250";
    }
    void loading() {
        QFETCH(int, delay);
        QFETCH(QString, shown);
        LenzRig rig(false, delay);
        QCOMPARE(rig.txt("txtDelay")->text(), shown);
        QCOMPARE(rig.ctx.Delay, shown.toInt());
        // Closing keeps the window's place for the next station window.
        rig.window->move(twips(2400), twips(900));
        rig.window->close();
        QCOMPARE(QPoint(rig.ctx.PosZentraleLeft, rig.ctx.PosZentraleTop), QPoint(2400, 900));
    }

    // The choice of interface: its press stores the type, and the next frame follows it.
    void interfaceChoice_data() {
        QTest::addColumn<bool>("storedUsb");
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<bool>("usb");
        QTest::newRow("serial to USB button") << false << "btnIF_1" << true;
        QTest::newRow("serial to USB label") << false << "lblIF_1" << true;
        QTest::newRow("USB to serial") << true << "btnIF_0" << false;
    }
    void interfaceChoice() {
        QFETCH(bool, storedUsb);
        QFETCH(QString, pressed);
        QFETCH(bool, usb);
        LenzRig rig(storedUsb);
        QVERIFY(rig.get<QToolButton>(storedUsb ? QStringLiteral("btnIF_1") : QStringLiteral("btnIF_0"))->isChecked());
        QTest::mouseClick(rig.get<QWidget>(pressed), Qt::LeftButton);
        rig.station.setKind(usb ? SimulatedStation::Kind::LenzUsb : SimulatedStation::Kind::Lenz);
        QCOMPARE(rig.ctx.LenzInterfaceType, qint16(usb ? 1 : 0));
        QVERIFY(rig.get<QToolButton>(usb ? QStringLiteral("btnIF_1") : QStringLiteral("btnIF_0"))->isChecked());
        QVERIFY(rig.get<QLabel>(usb ? QStringLiteral("lblIF_1") : QStringLiteral("lblIF_0"))->font().bold());
        rig.setFields(QStringLiteral("29"), QStringLiteral("6"));
        rig.click("btnSchreiben");
        QCOMPARE(rig.writes().first(), (usb ? hex("FFFE") : QByteArray()) + hex("23161D062E"));
    }

    void fieldsAndBars() {
        LenzRig rig;
        auto* wert = rig.get<RisingScrollBar>(QStringLiteral("scrWert"));
        auto* cv = rig.get<RisingScrollBar>(QStringLiteral("scrCV"));
        rig.chooseMode(0);
        QCOMPARE(wert->maximum(), 8);
        rig.chooseMode(2);
        QCOMPARE(wert->maximum(), 255);
        rig.txt("txtWert")->setText(QStringLiteral("300"));
        QCOMPARE(wert->value(), 255);
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("300"));
        for (const char* typed : {"0", "-3"}) {
            rig.txt("txtCV")->setText(QString::fromLatin1(typed));
            QCOMPARE(cv->value(), 1);
            QCOMPARE(rig.txt("txtCV")->text(), QString::fromLatin1(typed));
        }
        cv->setValue(29);
        QCOMPARE(rig.txt("txtCV")->text(), QStringLiteral("29"));
        // An emptied field leaves its bar; what is typed then is the number.
        rig.txt("txtCV")->clear();
        QCOMPARE(cv->value(), 29);
        QTest::keyClicks(rig.txt("txtCV"), QStringLiteral("5"));
        QCOMPARE(rig.txt("txtCV")->text(), QStringLiteral("5"));
        QCOMPARE(cv->value(), 5);
        // The list fills the CV field, and 8 also the value.
        auto* list = rig.get<QListWidget>(QStringLiteral("lstRegister"));
        list->setCurrentRow(7);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(7)).center());
        QCOMPARE(rig.txt("txtCV")->text(), QStringLiteral("8"));
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("8"));
    }

    // The read dialogue: request, 2000 ms, result request, 500 ms, the answer; the fields
    // take the station's CV and value with two digits at least, and the protocol the row.
    void readDialogue_data() {
        QTest::addColumn<bool>("usb");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("cv");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QString>("shownCv");
        QTest::addColumn<QString>("shownValue");
        for (const bool usb : {false, true}) {
            const char* line = usb ? "LI-USB" : "serial";
            QTest::addRow("%s direct CV 1", line) << usb << 1 << "1" << hex("221501") << "01" << "03";
            QTest::addRow("%s direct CV 8", line) << usb << 1 << "8" << hex("221508") << "08" << "97";
            QTest::addRow("%s register 1", line) << usb << 0 << "1" << hex("221101") << "01" << "03";
            QTest::addRow("%s paged CV 29", line) << usb << 2 << "29" << hex("22141D") << "29" << "06";
        }
    }
    void readDialogue() {
        QFETCH(bool, usb);
        QFETCH(int, mode);
        QFETCH(QString, cv);
        QFETCH(QByteArray, request);
        QFETCH(QString, shownCv);
        QFETCH(QString, shownValue);
        LenzRig rig(usb);
        rig.chooseMode(mode);
        rig.setFields(cv, QStringLiteral("0"));
        rig.click("btnLesen");
        QCOMPARE(rig.messages(), (QList<QByteArray>{request, hex("2110")}));
        const QList<qint64> times = rig.writeTimes();
        QCOMPARE(times.at(1) - times.at(0), qint64(2000));
        QCOMPARE(rig.txt("txtCV")->text(), shownCv);
        QCOMPARE(rig.txt("txtWert")->text(), shownValue);
        QCOMPARE(rig.rows(), (QList<CvRow>{{QStringLiteral("L"), shownCv, shownValue, QString()}}));
        QCOMPARE(rig.window->status(), QStringLiteral(" Leseoperation beendet..."));
        QCOMPARE(rig.notifier.beeps, 0);
        QVERIFY(!rig.link.exchangeRunning());
        QVERIFY(!rig.notifier.busy);
        QVERIFY(rig.station.p50xCommands().isEmpty());
    }

    // What each answer to the result request comes to.
    void readAnswers_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("logged");
        using F = SimulatedStation::Fault;
        const QString done = QStringLiteral(" Leseoperation beendet...");
        QTest::newRow("not found") << 1 << int(Result::NotFound) << int(F::None)
                                   << " Zentrale meldet 'Daten nicht gefunden'   (Originalstring ' 61 | 13 | 72 ' )" << ""
                                   << false;
        QTest::newRow("short circuit") << 1 << int(Result::ShortCircuit) << int(F::None)
                                       << " Zentrale meldet 'Kurzschluss'   (Originalstring ' 61 | 12 | 73 ' )" << ""
                                       << false;
        QTest::newRow("busy") << 1 << int(Result::Busy) << int(F::None)
                              << " Zentrale meldet 'Besetzt'   (Originalstring ' 61 | 1F | 7E ' )" << "" << false;
        QTest::newRow("ready") << 1 << int(Result::Ready) << int(F::None)
                               << " Zentrale meldet 'Bereit'   (Originalstring ' 61 | 11 | 70 ' )" << "" << false;
        QTest::newRow("register form in direct mode")
            << 1 << int(Result::RegisterForm) << int(F::None) << done
            << " Decoder lesen...| Achtung, Zentrale antwortet nicht im CV-Modus !              " << true;
        QTest::newRow("direct form in register mode")
            << 0 << int(Result::DirectForm) << int(F::None) << done
            << " Decoder lesen...| Achtung, Zentrale antwortet im CV-Modus !              " << true;
        QTest::newRow("direct form in paged mode")
            << 2 << int(Result::DirectForm) << int(F::None) << done
            << " Decoder lesen...| Achtung, Zentrale antwortet im CV-Modus !              " << true;
        // No answer is no error of the station: the read is logged with "?".
        QTest::newRow("silent") << 1 << int(Result::Natural) << int(F::Silent) << done << "" << true;
        QTest::newRow("garbage") << 1 << int(Result::Natural) << int(F::Garbage) << done << "" << true;
        // The line is lost: the central error report says so, and the step the status showed
        // is not going on.
        QTest::newRow("line lost") << 1 << int(Result::Natural) << int(F::Vanish) << ""
                                   << " zentrale Fehlerbehandlung...|Fehler 8020:  <Der Anschluss 1 ist nicht mehr "
                                      "vorhanden> aufgetreten      "
                                   << false;
    }
    void readAnswers() {
        QFETCH(int, mode);
        QFETCH(int, result);
        QFETCH(int, fault);
        QFETCH(QString, status);
        QFETCH(QString, message);
        QFETCH(bool, logged);
        for (const bool usb : {false, true}) {
            LenzRig rig(usb);
            rig.expectMessages();
            rig.chooseMode(mode);
            rig.station.setServiceResult(Result(result));
            rig.station.setFault(SimulatedStation::Fault(fault));
            rig.setFields(QStringLiteral("1"), QStringLiteral("0"));
            rig.click("btnLesen");
            QCOMPARE(rig.window->status(), status);
            QCOMPARE(message.isEmpty() ? QStringLiteral("0 messages") : message, onlyMessage(rig.notifier).replace(u'\n', u' '));
            const bool lost = fault == int(SimulatedStation::Fault::Vanish);
            QCOMPARE(rig.notifier.beeps, message.isEmpty() || lost ? 0 : 1);
            const bool value = !message.isEmpty() && !lost;
            QCOMPARE(rig.txt("txtWert")->text(), value ? QStringLiteral("03") : QStringLiteral("?"));
            QCOMPARE(rig.rows().size(), logged ? 1 : 0);
            if (logged && !value)
                QCOMPARE(rig.rows().first(), row("L", "?", "?"));
        }
    }

    // A line that is still busy when the answer collection gives up: the message, no row.
    void readOfAChatteringLine() {
        LenzRig rig;
        rig.expectMessages();
        rig.station.setFault(SimulatedStation::Fault::Silent);
        rig.setFields(QStringLiteral("1"), QStringLiteral("0"));
        for (int t = 0; t < 6000; t += 20)
            rig.station.queueAnswer(QByteArray(1, char(0xF5)), 3000 + t);
        rig.click("btnLesen");
        QCOMPARE(onlyMessage(rig.notifier),
                 QStringLiteral(" Daten lesen.....|empfange keine Antwort von der Zentrale...      "));
        QVERIFY(rig.rows().isEmpty());
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("?"));
    }

    // The write asks for the result as the read does, and is logged and done only when the
    // station names the CV and the value written.
    void write_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("cv");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("station");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("message");
        const QString done = QStringLiteral(" Schreiboperation beendet...");
        QTest::newRow("direct CV 29 = 6") << 1 << "29" << "6" << hex("23161D06") << "" << done << "";
        QTest::newRow("direct CV 29 = 34") << 1 << "29" << "34" << hex("23161D22") << "" << done << "";
        QTest::newRow("register 5 = 5") << 0 << "5" << "5" << hex("23120505") << "" << done << "";
        QTest::newRow("paged CV 29 = 5") << 2 << "29" << "5" << hex("23171D05") << "" << done << "";
        // The row keeps the text as typed.
        QTest::newRow("typed 029 = 07") << 1 << "029" << "07" << hex("23161D07") << "" << done << "";
        QTest::newRow("decoder does not acknowledge")
            << 1 << "29" << "34" << hex("23161D22") << "no ack"
            << " Zentrale meldet 'Daten nicht gefunden'   (Originalstring ' 61 | 13 | 72 ' )" << "";
        QTest::newRow("short circuit") << 2 << "29" << "5" << hex("23171D05") << "short"
                                       << " Zentrale meldet 'Kurzschluss'   (Originalstring ' 61 | 12 | 73 ' )" << "";
        QTest::newRow("silent") << 1 << "29" << "34" << hex("23161D22") << "silent" << ""
                                << " Daten lesen.....|empfange keine Antwort von der Zentrale...      ";
    }
    void write() {
        QFETCH(int, mode);
        QFETCH(QString, cv);
        QFETCH(QString, value);
        QFETCH(QByteArray, frame);
        QFETCH(QString, station);
        QFETCH(QString, status);
        QFETCH(QString, message);
        for (const bool usb : {false, true}) {
            LenzRig rig(usb);
            rig.expectMessages();
            rig.chooseMode(mode);
            rig.station.setWritesAcknowledged(station != QLatin1String("no ack"));
            if (station == QLatin1String("short"))
                rig.station.setServiceResult(Result::ShortCircuit);
            if (station == QLatin1String("silent"))
                rig.station.setFault(SimulatedStation::Fault::Silent);
            rig.window->setStatus(QStringLiteral("vorher"));
            rig.setFields(cv, value);
            rig.click("btnSchreiben");
            QCOMPARE(rig.messages(), (QList<QByteArray>{frame, hex("2110")}));
            const QList<qint64> times = rig.writeTimes();
            QCOMPARE(times.at(1) - times.at(0), qint64(2000));
            const QList<CvRow> logged{{QStringLiteral("S"), cv, value, QString()}};
            QCOMPARE(rig.rows(), station.isEmpty() ? logged : QList<CvRow>{});
            QCOMPARE(rig.window->status(), status.isEmpty() ? QStringLiteral("vorher") : status);
            QCOMPARE(message.isEmpty() ? QStringLiteral("0 messages") : message, onlyMessage(rig.notifier));
            QCOMPARE(rig.notifier.beeps, 0);
            QCOMPARE(rig.txt("txtWert")->text(), value);
            QVERIFY(!rig.link.exchangeRunning());
        }
    }

    // A station that needs 3 s for a read or a write says "Besetzt" until then; it is asked
    // again, and both succeed with `Delay` 0, from the buttons and in a table run.
    void slowStation_data() {
        QTest::addColumn<bool>("tableRun");
        QTest::newRow("buttons") << false;
        QTest::newRow("table run") << true;
    }
    void slowStation() {
        QFETCH(bool, tableRun);
        LenzRig rig(false, 0);
        rig.station.setProgrammingDelay(3000);
        rig.station.setCv(8, 97);
        if (tableRun) {
            rig.window->groupTable().appendRows({row("L", "8", ""), row("S", "3", "9")}, QStringLiteral("DCC"));
            rig.window->groupGrid().runTable();
            QCOMPARE(rig.window->groupTable().cell(0, CvGroupTable::Value), QStringLiteral("97"));
        } else {
            rig.setFields(QStringLiteral("8"), QStringLiteral("0"));
            rig.click("btnLesen");
            rig.setFields(QStringLiteral("3"), QStringLiteral("9"));
            rig.click("btnSchreiben");
        }
        QCOMPARE(rig.rows(), (QList<CvRow>{row("L", "08", "97"), row("S", "3", "9")}));
        QCOMPARE(rig.station.cv(3), std::optional<int>(9));
        QCOMPARE(rig.window->status(), QStringLiteral(" Schreiboperation beendet..."));
        // Each asked 2000 ms after its request and 750 ms later in vain, then 270 ms later.
        QCOMPARE(int(rig.messages().count(hex("2110"))), 6);
    }

    // Input the station cannot take gets a message, and nothing goes on the line.
    void refusedInput_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("cv");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        const QString badCv = QStringLiteral("Hier sind nur CV-Nummern von 1 bis 255 möglich !          ");
        const QString badRegister = QStringLiteral("Im Register-Modus gibt es nur die Register 1 bis 8 !          ");
        const QString badValue = QStringLiteral("Der Wert muss eine Zahl von 0 bis 255 sein !          ");
        QTest::newRow("read CV 0") << 1 << "btnLesen" << "0" << "0" << " Decoder lesen...|" + badCv;
        QTest::newRow("read CV 256") << 1 << "btnLesen" << "256" << "0" << " Decoder lesen...|" + badCv;
        QTest::newRow("read empty CV") << 2 << "btnLesen" << "" << "0" << " Decoder lesen...|" + badCv;
        QTest::newRow("read register 9") << 0 << "btnLesen" << "9" << "0" << " Decoder lesen...|" + badRegister;
        QTest::newRow("write CV -3") << 1 << "btnSchreiben" << "-3" << "5" << " Decoder programmieren...|" + badCv;
        QTest::newRow("write CV text") << 1 << "btnSchreiben" << "abc" << "5" << " Decoder programmieren...|" + badCv;
        QTest::newRow("write value 256") << 1 << "btnSchreiben" << "29" << "256" << " Decoder programmieren...|" + badValue;
        QTest::newRow("write value ?") << 1 << "btnSchreiben" << "29" << "?" << " Decoder programmieren...|" + badValue;
        QTest::newRow("write empty value") << 1 << "btnSchreiben" << "29" << "" << " Decoder programmieren...|" + badValue;
        QTest::newRow("write value 1.5") << 1 << "btnSchreiben" << "29" << "1.5" << " Decoder programmieren...|" + badValue;
    }
    void refusedInput() {
        QFETCH(int, mode);
        QFETCH(QString, button);
        QFETCH(QString, cv);
        QFETCH(QString, value);
        QFETCH(QString, message);
        LenzRig rig;
        rig.expectMessages();
        rig.chooseMode(mode);
        rig.setFields(cv, value);
        rig.click(qPrintable(button));
        QCOMPARE(onlyMessage(rig.notifier), message);
        QVERIFY(rig.writes().isEmpty());
        QVERIFY(rig.rows().isEmpty());
    }

    // One exchange at a time: a click while a read waits is refused with a beep.
    void secondClickWhileReading() {
        LenzRig rig;
        rig.station.setAnswerDelay(800);
        rig.setFields(QStringLiteral("8"), QStringLiteral("0"));
        onceAfter(rig.clock, 1000 + 2500, [&] {
            QTest::mouseClick(rig.get<QAbstractButton>(QStringLiteral("btnLesen")), Qt::LeftButton);
            QTest::mouseClick(rig.get<QAbstractButton>(QStringLiteral("btnSchreiben")), Qt::LeftButton);
        });
        rig.click("btnLesen");
        QCOMPARE(rig.notifier.beeps, 2);
        QCOMPARE(rig.messages(), (QList<QByteArray>{hex("221508"), hex("2110")}));
        QCOMPARE(rig.rows(), QList<CvRow>{row("L", "08", "97")});
    }

    // Closing the window while a read collects its answer ends the read; nothing more is
    // sent or logged, and the window goes once the read has returned.
    void closingDuringARead() {
        LenzRig rig;
        rig.station.setFault(SimulatedStation::Fault::Silent);
        rig.window->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<frmLenz> window(rig.window.release());
        window->show();
        onceAfter(rig.clock, 1000 + 2500, [&] { window->close(); });
        QTest::mouseClick(window->findChild<QAbstractButton*>(QStringLiteral("btnLesen")), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
        QCOMPARE(rig.messages(), (QList<QByteArray>{hex("221501"), hex("2110")}));
        QVERIFY(!rig.link.exchangeRunning());
    }

    void testButton() {
        LenzRig rig;
        rig.setFields(QStringLiteral("7"), QStringLiteral("12"));
        rig.click("btnText");
        QCOMPARE(rig.rows(), QList<CvRow>(20, row("L", "7", "12")));
        QVERIFY(rig.writes().isEmpty());
    }

    // The speed-table write from the editor the Lenz window opened: each step confirmed by
    // the station; a step the decoder does not acknowledge stops the run there.
    void speedTableWrite_data() {
        QTest::addColumn<int>("lastAcknowledged");  // steps the decoder takes (28: all)
        QTest::newRow("all confirmed") << 28;
        QTest::newRow("step 1 not acknowledged") << 0;
        QTest::newRow("step 4 not acknowledged") << 3;
    }
    void speedTableWrite() {
        QFETCH(int, lastAcknowledged);
        ProgramRig p;
        p.station.setKind(SimulatedStation::Kind::Lenz);
        p.ctx.Delay = 0;
        p.main.findChild<QAction*>(QStringLiteral("mnuSystem_Lenz"))->trigger();
        frmLenz* lenz = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* l = qobject_cast<frmLenz*>(w); l && l->isVisible())
                lenz = l;
        QVERIFY(lenz);
        QTest::mouseClick(lenz->findChild<QToolButton*>(QStringLiteral("btnKennlinie")), Qt::LeftButton);
        frmKennlinie* editor = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* k = qobject_cast<frmKennlinie*>(w); k && k->isVisible())
                editor = k;
        QVERIFY(editor);
        for (int step = 1; step <= 28; ++step)
            editor->curve().setValue(step, 100 + step);
        // The decoder stops acknowledging once it holds the steps it takes.
        p.station.setWritesAcknowledged(lastAcknowledged > 0);
        p.clock.onYield = [&] {
            if (p.station.cv(66 + lastAcknowledged) == 100 + lastAcknowledged)
                p.station.setWritesAcknowledged(false);
        };
        QTest::mouseClick(editor->findChild<QAbstractButton*>(QStringLiteral("btnSchreiben")), Qt::LeftButton);
        p.clock.onYield = {};
        QStringList rows;
        for (const CvRow& r : lenz->protocol().rows())
            rows.append(r.action + u' ' + r.cv + u' ' + r.value);
        QStringList expected;
        for (int step = 1; step <= lastAcknowledged; ++step)
            expected.append(QStringLiteral("S %1 %2").arg(66 + step).arg(100 + step));
        QCOMPARE(rows, expected);
        for (int step = 1; step <= 28; ++step)
            QCOMPARE(editor->curve().mark(step),
                     step <= lastAcknowledged ? SpeedCurve::Mark::Transferred : SpeedCurve::Mark::Changed);
        QCOMPARE(editor->status(),
                 lastAcknowledged == 28
                     ? QStringLiteral(" Programmierung beendet ...")
                     : QStringLiteral(" Zentrale meldet 'Daten nicht gefunden'   (Originalstring ' 61 | 13 | 72 ' )"));
        if (lastAcknowledged < 28)
            QCOMPARE(p.station.cv(67 + lastAcknowledged), std::optional<int>(9 * (lastAcknowledged + 1)));
    }

    // The main menu opens one modeless Lenz window and sets the system mode.
    void openedFromTheMainMenu() {
        ProgramRig p;
        QAction* entry = p.main.findChild<QAction*>(QStringLiteral("mnuSystem_Lenz"));
        QVERIFY(entry->isEnabled());
        entry->trigger();
        QList<frmLenz*> shown;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* l = qobject_cast<frmLenz*>(w); l && l->isVisible())
                shown.append(l);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(p.ctx.SystemMode, QStringLiteral("Lenz"));
        QVERIFY(!shown.first()->isModal());
        entry->trigger();
        int visible = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            visible += qobject_cast<frmLenz*>(w) && w->isVisible();
        QCOMPARE(visible, 1);
        // The editor and the aid open from it.
        QVERIFY(shown.first()->findChild<QToolButton*>(QStringLiteral("btnKennlinie"))->isEnabled());
        QVERIFY(shown.first()->findChild<QPushButton*>(QStringLiteral("btnProgrammierhilfe"))->isEnabled());
    }
};

QTEST_MAIN(TestFrmLenz)
#include "tst_frmlenz.moc"
