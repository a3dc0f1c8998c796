#include "LenzRig.h"
#include "PdfWords.h"
#include "app/ui/Printout.h"
#include "programming/core/CvGroupTable.h"
#include "programming/ui/CvGroupGrid.h"
#include "programming/ui/MarkedLook.h"

#include <QAction>
#include <QFile>
#include <QMenu>

using Result = SimulatedStation::ServiceResult;

namespace {
// The panels of a Lenz window with a view shown, and a decoder with the given CVs.
struct PanelsRig : LenzRig {
    explicit PanelsRig(bool usb = false) : LenzRig(usb) {
        window->showLaView(true);
    }
    void showCv29() { window->showCv29View(true); }
    bool marked(const char* name) { return isMarked(get<QWidget>(QString::fromLatin1(name))); }
    // Gaps between the writes to the station, from the first.
    QList<qint64> gaps() const {
        const QList<qint64> t = writeTimes();
        QList<qint64> out;
        for (qsizetype i = 1; i < t.size(); ++i)
            out.append(t[i] - t[i - 1]);
        return out;
    }
};

QList<QByteArray> hexList(std::initializer_list<const char*> frames) {
    QList<QByteArray> out;
    for (const char* f : frames)
        out.append(hex(f));
    return out;
}

// Each write followed by its result request.
QList<QByteArray> confirmedWrites(std::initializer_list<const char*> frames) {
    QList<QByteArray> out;
    for (const char* f : frames)
        out << hex(f) << hex("2110");
    return out;
}

const QString notFound = QStringLiteral(" Zentrale meldet 'Daten nicht gefunden'   (Originalstring ' 61 | 13 | 72 ' )");
}  // namespace

// The CV 29 panel, the address panel and the CV-group table of the Lenz window: each runs
// through the window's own XpressNet read and write, so each CV is in the protocol.
class TestFrmLenzPanels : public QObject {
    Q_OBJECT
private slots:
    void cv29PanelRead_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("digits");  // bit 0 first
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("38") << 38 << "011001"
                            << QStringList{" Fahrtrichtung normal ", " 28 / 128 Step-Modus ", " Analogbetrieb erlaubt ",
                                           "", " Kennlinie aus CV 2, 5 & 6 ", " lange Adresse aus CV 17 & 18 "};
        QTest::newRow("166, bit 7") << 166 << "011001"
                                    << QStringList{" Fahrtrichtung normal ", " 28 / 128 Step-Modus ",
                                                   " Analogbetrieb erlaubt ", "", " Kennlinie aus CV 2, 5 & 6 ",
                                                   " lange Adresse aus CV 17 & 18 "};
        QTest::newRow("9, bit 3 and bit 0") << 9 << "100100"
                                            << QStringList{" Fahrtrichtung invers ", " 14 / 27 Step-Modus ",
                                                           " kein Analogbetrieb ", "", " Kennlinie aus CV 2, 5 & 6 ",
                                                           " Basisadresse CV 1 "};
    }
    void cv29PanelRead() {
        QFETCH(int, value);
        QFETCH(QString, digits);
        QFETCH(QStringList, texts);
        PanelsRig rig;
        rig.showCv29();
        rig.station.setCv(29, value);
        rig.click("btnCV29IILesen");
        for (int bit = 0; bit < 6; ++bit) {
            QCOMPARE(rig.label(qPrintable(QStringLiteral("lblCV29IIByte_%1").arg(bit))), QString(digits.at(bit)));
            if (bit != 3)
                QCOMPARE(rig.label(qPrintable(QStringLiteral("lblCV29II_%1").arg(bit))), texts.at(bit));
        }
        QVERIFY(!rig.window->findChild<QWidget*>(QStringLiteral("btnCV29II_3")));
        QCOMPARE(rig.get<QAbstractButton>(QStringLiteral("btnCV29II_0"))->text(), QStringLiteral("<>"));
        QCOMPARE(rig.label("lblCV29IIByte_8"), QString::number(value));
        QVERIFY(rig.marked("lblCV29IIByte_8"));
        // The read's own texts stay; its row is in the protocol.
        QCOMPARE(rig.window->status(), QStringLiteral(" Leseoperation beendet..."));
        QCOMPARE(rig.rows(), (QList<CvRow>{{"L", "29", QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')), {}}}));
        QCOMPARE(rig.messages(), hexList({"22151D", "2110"}));
        // The window's fields show the CV and the value read, as after its own read.
        QCOMPARE(rig.txt("txtCV")->text(), QStringLiteral("29"));
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')));
    }

    // Bits 6 and 7 go with a write of the value as read, not after a toggle.
    void cv29PanelWrite() {
        PanelsRig rig;
        rig.showCv29();
        rig.station.setCv(29, 166);
        rig.click("btnCV29II_1");  // the write button comes with the first toggle
        rig.click("btnCV29IILesen");
        rig.click("btnCV29IISchreiben");
        QCOMPARE(rig.station.cv(29), std::optional<int>(166));
        rig.click("btnCV29II_0");
        QCOMPARE(rig.label("lblCV29IIByte_8"), QStringLiteral("39"));
        QCOMPARE(rig.label("lblCV29II_0"), QStringLiteral(" Fahrtrichtung invers "));
        QVERIFY(!rig.marked("lblCV29IIByte_8"));
        rig.click("btnCV29IISchreiben");
        QCOMPARE(rig.station.cv(29), std::optional<int>(39));
        QCOMPARE(rig.window->status(), QStringLiteral(" Schreibvorgang beendet ..."));
        QCOMPARE(rig.rows().mid(1), (QList<CvRow>{row("S", "29", "166"), row("S", "29", "39")}));
        QVERIFY(rig.station.p50xCommands().isEmpty());
    }

    // A read that brings no value is a failure: "?" stays, toggles and the write are refused.
    void cv29PanelFailedRead() {
        PanelsRig rig;
        rig.expectMessages();
        rig.showCv29();
        rig.station.setServiceResult(Result::NotFound);
        rig.click("btnCV29IILesen");
        QCOMPARE(rig.label("lblCV29IIByte_0"), QStringLiteral("?"));
        QCOMPARE(rig.label("lblCV29IIByte_8"), QStringLiteral("?"));
        QCOMPARE(rig.window->status(), QStringLiteral(" Lesevorgang abgebrochen, Fehler: ?"));
        QCOMPARE(rig.notifier.beeps, 1);
        rig.click("btnCV29II_0");
        QCOMPARE(rig.notifier.beeps, 2);
        QCOMPARE(rig.label("lblCV29IIByte_0"), QStringLiteral("?"));
        const qsizetype sent = rig.writes().size();
        rig.window->findChild<QAbstractButton*>(QStringLiteral("btnCV29IISchreiben"))->setEnabled(true);
        rig.click("btnCV29IISchreiben");
        QCOMPARE(rig.writes().size(), sent);
        QVERIFY(rig.rows().isEmpty());
    }

    void cv29OnTheAddressPanel_data() {
        QTest::addColumn<bool>("found");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QString>("status");
        QTest::newRow("38") << true << QStringList{"38", "00", "1", "00110"} << " Lesevorgang beendet ...";
        QTest::newRow("failed") << false << QStringList{"?", "", "", "?"} << " Lesevorgang abgebrochen, Fehler: ?";
    }
    void cv29OnTheAddressPanel() {
        QFETCH(bool, found);
        QFETCH(QStringList, labels);
        QFETCH(QString, status);
        PanelsRig rig;
        rig.station.setCv(29, 38);
        if (!found)
            rig.station.setServiceResult(Result::NotFound);
        rig.click("btnCV29");
        for (int i = 0; i < 4; ++i)
            QCOMPARE(rig.label(qPrintable(QStringLiteral("lblCV29_%1").arg(i))), labels.at(i));
        QCOMPARE(rig.window->status(), status);
        QCOMPARE(rig.notifier.beeps, found ? 0 : 1);
    }

    // Back to the basis address: bit 5 cleared when set, a message when it is clear.
    void basisAddress_data() {
        QTest::addColumn<int>("cv29");
        QTest::addColumn<int>("written");
        QTest::addColumn<bool>("basisMarked");
        QTest::newRow("long address in use") << 34 << 2 << true;
        QTest::newRow("bits 6 and 7 kept") << 230 << 198 << true;
        QTest::newRow("basis already active") << 2 << -1 << false;
    }
    void basisAddress() {
        QFETCH(int, cv29);
        QFETCH(int, written);
        QFETCH(bool, basisMarked);
        PanelsRig rig;
        rig.expectMessages();
        rig.station.setCv(29, cv29);
        rig.click("btnBasisAdresse");
        QCOMPARE(rig.marked("lblBasisAdresse"), basisMarked);
        if (written >= 0) {
            QCOMPARE(rig.station.cv(29), std::optional<int>(written));
            QCOMPARE(rig.rows().last(), (CvRow{"S", "29", QString::number(written), {}}));
            QCOMPARE(rig.window->status(), QStringLiteral(" Schreiboperation beendet..."));
            QVERIFY(rig.notifier.messages.isEmpty());
        } else {
            QCOMPARE(rig.station.cv(29), std::optional<int>(cv29));
            QCOMPARE(rig.window->status(), QStringLiteral(" Schreibvorgang abgebrochen ..."));
            QCOMPARE(onlyMessage(rig.notifier),
                     QStringLiteral(" Basis-Adresse aktivieren...|Die Basisadresse ist bereits aktiv !            "));
            QCOMPARE(rig.messages(), hexList({"22151D", "2110"}));
        }
    }

    // A failed read of CV 29 claims nothing and writes nothing.
    void basisAddressAfterAFailedRead() {
        PanelsRig rig;
        rig.station.setServiceResult(Result::NotFound);
        rig.click("btnBasisAdresse");
        QCOMPARE(rig.messages(), hexList({"22151D", "2110"}));
        QCOMPARE(rig.window->status(), QStringLiteral(" Lesevorgang abgebrochen, Fehler: ?"));
        QVERIFY(!rig.marked("lblBasisAdresse"));
    }

    // Basis address, then CV 17 and CV 18, each confirmed and followed by the pause between
    // the steps.
    void writeAddresses_data() {
        QTest::addColumn<QString>("basis");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QList<QByteArray>>("frames");
        QTest::newRow("3 and 1234") << "3" << "1234" << confirmedWrites({"23160103", "231611C4", "231612D2"});
        QTest::newRow("9999") << "" << "9999" << confirmedWrites({"231611E7", "2316120F"});
        QTest::newRow("basis 255 only") << "255" << "" << confirmedWrites({"231601FF"});
        QTest::newRow("both empty") << "" << "" << QList<QByteArray>{};
        QTest::newRow("both 0") << "0" << "0" << QList<QByteArray>{};
    }
    void writeAddresses() {
        QFETCH(QString, basis);
        QFETCH(QString, address);
        QFETCH(QList<QByteArray>, frames);
        PanelsRig rig;
        rig.txt("txtBasisAdresse")->setText(basis);
        rig.txt("txtLangeAdresse")->setText(address);
        rig.click("btnSchreibenLA");
        QCOMPARE(rig.messages(), frames);
        // Result request 2000 ms after the write, its answer read 500 ms later, then the pause.
        QList<qint64> gaps;
        for (qsizetype i = 1; i < frames.size(); ++i)
            gaps.append(i % 2 ? 2000 : 500 + 100);
        QCOMPARE(rig.gaps(), gaps);
        QCOMPARE(rig.rows().size(), frames.size() / 2);
        QCOMPARE(rig.window->status(), QStringLiteral(" Schreibvorgang beendet... "));
        QCOMPARE(rig.marked("txtLangeAdresse"), !frames.isEmpty() && !address.isEmpty());
    }

    // A write the decoder does not acknowledge is neither logged nor done, wherever it runs:
    // the station's report stays in the status line.
    void unconfirmedWrites_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QList<QByteArray>>("frames");
        QTest::newRow("CV 29 panel") << "btnCV29IISchreiben" << confirmedWrites({"23161D07"});
        QTest::newRow("addresses, stopped at CV 1") << "btnSchreibenLA" << confirmedWrites({"23160103"});
        QTest::newRow("back to the basis address") << "btnBasisAdresse" << hexList({"22151D", "2110", "23161D02", "2110"});
        QTest::newRow("table run") << "table" << confirmedWrites({"23161D07", "23160309"});
        QTest::newRow("current row") << "row" << confirmedWrites({"23161D07"});
    }
    void unconfirmedWrites() {
        QFETCH(QString, operation);
        QFETCH(QList<QByteArray>, frames);
        PanelsRig rig;
        rig.station.setCv(29, 34);
        rig.station.setWritesAcknowledged(false);
        rig.txt("txtBasisAdresse")->setText(QStringLiteral("3"));
        rig.txt("txtLangeAdresse")->setText(QStringLiteral("1234"));
        rig.showCv29();
        rig.click("btnCV29II_0");
        rig.click("btnCV29II_1");
        rig.click("btnCV29II_2");
        rig.window->groupTable().appendRows({row("S", "29", "7"), row("S", "3", "9")}, QStringLiteral("DCC"));
        rig.window->showCvGroupView(true);
        if (operation == QLatin1String("table")) {
            rig.window->groupGrid().runTable();
        } else if (operation == QLatin1String("row")) {
            rig.window->groupGrid().setCurrentIndex(rig.window->groupTable().index(0, CvGroupTable::Cv));
            rig.window->groupGrid().runCurrentRow();
        } else {
            rig.click(qPrintable(operation));
        }
        QCOMPARE(rig.messages(), frames);
        const qsizetype reads = operation == QLatin1String("btnBasisAdresse") ? 1 : 0;
        QCOMPARE(rig.rows().size(), reads);
        QCOMPARE(rig.window->status(), notFound);
        QCOMPARE(rig.station.cv(29), std::optional<int>(34));
        QCOMPARE(rig.station.cv(1), std::optional<int>(3));
        QVERIFY(!rig.marked("txtLangeAdresse"));
        QVERIFY(!rig.marked("lblBasisAdresse"));
        QCOMPARE(rig.notifier.beeps, 0);
    }

    void refusedAddresses_data() {
        QTest::addColumn<QString>("basis");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("message");
        QTest::newRow("basis 256") << "256" << "1234"
                                   << " Basis-Adresse schreiben...|Werte > 255 sind nicht zulässig !           ";
        QTest::newRow("long 10000") << "3" << "10000"
                                    << " lange Adresse schreiben...|Werte > 9999 sind nicht zulässig !           ";
    }
    void refusedAddresses() {
        QFETCH(QString, basis);
        QFETCH(QString, address);
        QFETCH(QString, message);
        PanelsRig rig;
        rig.expectMessages();
        rig.txt("txtBasisAdresse")->setText(basis);
        rig.txt("txtLangeAdresse")->setText(address);
        rig.click("btnSchreibenLA");
        QCOMPARE(onlyMessage(rig.notifier), message);
        QVERIFY(rig.writes().isEmpty());
    }

    // A failed read leaves "?" and the station's report; the address read goes on after a
    // failed CV 1, and so does the CV 17 and 18 read after a failed CV 17.
    void readAddresses_data() {
        QTest::addColumn<int>("cv1");
        QTest::addColumn<int>("cv17");
        QTest::addColumn<int>("cv18");
        QTest::addColumn<QString>("basis");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("status");
        const QString done = QStringLiteral(" Leseoperation beendet...");
        QTest::newRow("3 and 1234") << 3 << 196 << 210 << "03" << "1234" << done;
        QTest::newRow("9999") << 100 << 231 << 15 << "100" << "9999" << done;
        QTest::newRow("no CV 18") << 3 << 196 << -1 << "03" << "?" << notFound;
        QTest::newRow("no CV 1") << -1 << 192 << 3 << "?" << "3" << done;
        QTest::newRow("none") << -1 << -1 << -1 << "?" << "?" << notFound;
    }
    void readAddresses() {
        QFETCH(int, cv1);
        QFETCH(int, cv17);
        QFETCH(int, cv18);
        QFETCH(QString, basis);
        QFETCH(QString, address);
        QFETCH(QString, status);
        PanelsRig rig;
        for (const auto& [cv, value] : {std::pair{1, cv1}, std::pair{17, cv17}, std::pair{18, cv18}}) {
            if (value < 0)
                rig.station.removeCv(cv);
            else
                rig.station.setCv(cv, value);
        }
        rig.click("btnLesenLA");
        QCOMPARE(rig.messages(), hexList({"221501", "2110", "221511", "2110", "221512", "2110"}));
        QCOMPARE(rig.label("lblBasisAdresse"), basis);
        QCOMPARE(rig.label("lblLangeAdresse"), address);
        QCOMPARE(rig.marked("lblLangeAdresse"), address != QLatin1String("?"));
        QCOMPARE(rig.window->status(), status);
        QCOMPARE(rig.notifier.beeps, 0);

        rig.click("bntCV1718");
        QCOMPARE(rig.messages().mid(6), hexList({"221511", "2110", "221512", "2110"}));
        QCOMPARE(rig.txt("txtCV17")->text(), cv17 < 0 ? QStringLiteral("?") : QString::number(cv17));
        QCOMPARE(rig.txt("txtCV18")->text(), cv18 < 0 ? QStringLiteral("?") : LenzCvProgrammer::shownNumber(cv18));
        QCOMPARE(rig.txt("txtUmrLA")->text(), QString());
        QCOMPARE(rig.window->status(), cv18 < 0 ? notFound : QStringLiteral(" Leseoperation beendet..."));
        QCOMPARE(rig.notifier.beeps, 0);
    }

    // The table run: each row through the window's read or write, the pause after each,
    // lower-case marks skipped, a failed read leaving "?", a row out of range refused; no
    // P50X text on the line.
    void tableRun() {
        LenzRig rig;
        rig.station.setCv(3, 5);
        rig.station.removeCv(7);
        CvGroupTable& table = rig.window->groupTable();
        table.appendRows({row("S", "29", "6"), row("L", "1", ""), row("s", "8", ""), row("L", "7", ""),
                          row("S", "300", "5"), row("L", "3", "")},
                         QStringLiteral("DCC"));
        rig.window->showCvGroupView(true);
        rig.window->groupGrid().runTable();
        QCOMPARE(rig.messages(), hexList({"23161D06", "2110", "221501", "2110", "221507", "2110", "221503", "2110"}));
        QVERIFY(rig.station.p50xCommands().isEmpty());
        QCOMPARE(table.cell(1, CvGroupTable::Value), QStringLiteral("03"));
        QCOMPARE(table.cell(2, CvGroupTable::Value), QString());
        QCOMPARE(table.cell(3, CvGroupTable::Value), QStringLiteral("?"));
        QCOMPARE(table.cell(5, CvGroupTable::Value), QStringLiteral("05"));
        QCOMPARE(rig.rows(), (QList<CvRow>{row("S", "29", "6"), row("L", "01", "03"), row("L", "03", "05")}));
        // The fields show the last row's CV and value.
        QCOMPARE(rig.txt("txtCV")->text(), QStringLiteral("03"));
        QCOMPARE(rig.txt("txtWert")->text(), QStringLiteral("05"));
        // The pause after the write's answer comes before the next request.
        const QList<qint64> t = rig.writeTimes();
        QCOMPARE(t.at(2) - t.at(1), qint64(500 + 100));
        QVERIFY(rig.window->status().contains(QLatin1String("Zeile 5")));
    }

    // Closing the window during a run ends it after the running read: no further bytes.
    void closingDuringATableRun() {
        LenzRig rig;
        rig.station.setAnswerDelay(800);
        rig.window->groupTable().appendRows({row("L", "1", ""), row("L", "8", ""), row("S", "3", "9")},
                                            QStringLiteral("DCC"));
        rig.window->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<frmLenz> window(rig.window.release());
        window->show();
        onceAfter(rig.clock, 2600, [&] { window->close(); });
        window->groupGrid().runTable();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
        QCOMPARE(rig.messages(), hexList({"221501", "2110"}));
    }

    void currentRowRun_data() {
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("cv");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QList<QByteArray>>("frames");
        QTest::addColumn<QString>("after");
        QTest::newRow("read") << "L" << "8" << "" << hexList({"221508", "2110"}) << "97";
        QTest::newRow("write") << "S" << "3" << "9" << confirmedWrites({"23160309"}) << "9";
        QTest::newRow("other mark") << "x" << "3" << "9" << QList<QByteArray>{} << "9";
    }
    void currentRowRun() {
        QFETCH(QString, mark);
        QFETCH(QString, cv);
        QFETCH(QString, value);
        QFETCH(QList<QByteArray>, frames);
        QFETCH(QString, after);
        LenzRig rig;
        rig.window->groupTable().appendRows({{mark, cv, value, {}}}, QStringLiteral("DCC"));
        rig.window->showCvGroupView(true);
        CvGroupGrid& grid = rig.window->groupGrid();
        grid.setCurrentIndex(rig.window->groupTable().index(0, CvGroupTable::Cv));
        grid.runCurrentRow();
        QCOMPARE(rig.messages(), frames);
        QCOMPARE(rig.window->groupTable().cell(0, CvGroupTable::Value), after);
        QCOMPARE(rig.txt("txtCV")->text(), mark == QLatin1String("L") ? QStringLiteral("08") : cv);
    }

    // The Lenz table keeps its letters on loading, is saved as a CV list and printed.
    void tableFilesAndPrintout() {
        LenzRig rig;
        QTemporaryDir dir;
        const QString list = dir.filePath(QStringLiteral("liste.txt"));
        QFile f(list);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("L 029\r\nS 003 005 Anfahren\r\n");
        f.close();
        QString answer = list;
        Dialog::setAnswerProvider([&](const Dialog&, bool) { return answer; });
        rig.ctx.DecoderType = QStringLiteral("fx");  // the Lenz window keeps the letters whatever the type
        CvGroupGrid& grid = rig.window->groupGrid();
        grid.loadTable();
        const QList<CvRow> loaded{row("L", "29", "0"), {"S", "3", "5", "Anfahren"}};
        QCOMPARE(rig.window->groupTable().rows(), loaded);
        answer = dir.filePath(QStringLiteral("kopie.txt"));
        rig.expectMessages();
        grid.saveTable();
        QFile saved(answer);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("S 003 005 Anfahren\r\n"));
        rig.window->groupTable().clear();
        rig.notifier.expectMessages = false;
        grid.loadTable();
        QCOMPARE(rig.window->groupTable().rows(), loaded);
        rig.expectMessages();
        const QString pdf = dir.filePath(QStringLiteral("tabelle.pdf"));
        Printout::setTestTarget(pdf);
        grid.askText = [](const QString&, const QString&) { return std::optional<QString>(QStringLiteral("Lenz")); };
        grid.printTable();
        Printout::setTestTarget(QString());
        Dialog::setAnswerProvider({});
        const QString words = pagesOf(pdf).join(u' ');
        QVERIFY2(words.contains(QLatin1String("Lenz")) && words.contains(QLatin1String("Anfahren")), qPrintable(words));
        QCOMPARE(grid.popupAction(QStringLiteral("mnuPopUp_GR_Drucken"))->text(), QStringLiteral("Tabelle &drucken"));
        // Every item of the pop-up is offered here, also on an empty table.
        rig.window->groupTable().clear();
        emit grid.popupMenu()->aboutToShow();
        QVERIFY(grid.popupAction(QStringLiteral("mnuPopUp_GR_Reihe"))->isEnabled());
    }
};

QTEST_MAIN(TestFrmLenzPanels)
#include "tst_frmlenz_panels.moc"
