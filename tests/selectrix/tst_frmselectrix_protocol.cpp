#include "FullDisk.h"
#include "PdfWords.h"
#include "SelectrixWindowRig.h"
#include "TestFiles.h"
#include "app/core/TextFile.h"
#include "app/ui/Printout.h"
#include "selectrix/core/SxProtokoll.h"
#include "selectrix/ui/SxProtokollPrintout.h"

#include <QMenu>
#include <QRegularExpression>
#include <QToolButton>

using Rig = SelectrixWindowRig;

namespace {

// The rows of the protocol as the runs write them.
void fill(SxProtokoll& p, const QList<QStringList>& rows) {
    for (const QStringList& r : rows)
        p.writeProtokoll(r.value(0), r.value(1), r.value(2), r.value(3), r.value(4), r.value(5));
}

// Triggers a save or print entry: a menu item, a tool-bar button or an item of the pop-up.
void trigger(Rig& rig, const QString& entry) {
    if (entry.startsWith(u"btn"))
        rig.get<QToolButton>(entry)->click();
    else
        rig.get<QAction>(entry)->trigger();
}

// The protocol rows of the printed pages: eleven cells, the first a letter.
QStringList printedRows(const QStringList& pages) {
    static const QRegularExpression row(QStringLiteral(R"(^[ ]*([LS])((?:[ ]+\S+){1,10})[ ]*$)"),
                                        QRegularExpression::MultilineOption);
    QStringList rows;
    for (const QString& page : pages)
        for (auto it = row.globalMatch(page); it.hasNext();) {
            const auto m = it.next();
            rows.append(m.captured(1) + m.captured(2).simplified().prepend(u' '));
        }
    return rows;
}

const QString confirmation =
    QStringLiteral("Das Protokoll wurde unter \r\r%1          \r\rgespeichert ! ");

}  // namespace

// The Selectrix protocol saved as a text file and printed, from every entry of the window.
class TestFrmSelectrixProtocol : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        Dialog::setAnswerProvider({});
        Printout::setTestTarget({});
    }

    // Rows with an address above 0, ADR in three digits; the extended cells are not saved.
    void fileLines_data() {
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QStringList>("lines");
        const QString head = QStringLiteral("ACT ADR GE BE IM HA   ");
        QTest::newRow("empty") << QList<QStringList>{} << QStringList{head};
        QTest::newRow("read of address 5")
            << QList<QStringList>{{"L", "5", "3", "2", "1", "1"}} << QStringList{head, "L   005  3  2  1  1"};
        QTest::newRow("103 and 7") << QList<QStringList>{{"S", "103", "7", "7", "4", "2"}, {"L", "7", "0", "0", "1", "1"}}
                                   << QStringList{head, "S   103  7  7  4  2", "L   007  0  0  1  1"};
        QTest::newRow("address 0 and empty left out")
            << QList<QStringList>{{"L", "0", "1", "1", "1", "1"}, {"S", "", "", "", "", ""}, {"L", "80", "5", "6", "3", "2"}}
            << QStringList{head, "L   080  5  6  3  2"};
        QTest::newRow("a DCC row") << QList<QStringList>{{"L", "3", "12", "DCC", " ", " "}}
                                   << QStringList{head, "L   003  12  DCC      "};
    }
    void fileLines() {
        QFETCH(QList<QStringList>, rows);
        QFETCH(QStringList, lines);
        SxProtokoll p;
        fill(p, rows);
        p.setNewestExtended({"1", "1", "1", "4", "2"});
        QCOMPARE(p.fileLines(), lines);
    }

    // Every save entry asks through the main window's dialog with the text filter and the
    // overwrite question, writes the file with CR LF and confirms where it went.
    void save_data() {
        QTest::addColumn<QString>("entry");
        for (const char* e : {"mnuDatei_speichern", "btnSpeichern", "mnuPopUp_speichern"})
            QTest::newRow(e) << QString::fromLatin1(e);
    }
    void save() {
        QFETCH(QString, entry);
        Rig rig;
        fill(rig.window->protocol(), {{"L", "80", "5", "6", "3", "2"}, {"L", "0", "1", "1", "1", "1"}});
        const QString path = rig.dir.filePath(QStringLiteral("sx.txt"));
        QStringList asked;
        Dialog::setAnswerProvider([&](const Dialog& d, bool save) {
            asked.append(QStringLiteral("%1|%2|%3").arg(save ? "save" : "open", d.filter()).arg(d.flags()));
            return path;
        });
        rig.notifier.expectMessages = true;
        trigger(rig, entry);
        QCOMPARE(asked, QStringList{"save|Text-Dateien (*.TXT)|*.txt|2"});
        QCOMPARE(fileBytes(path), QByteArray("ACT ADR GE BE IM HA   \r\nL   080  5  6  3  2\r\n"));
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages[0].text, confirmation.arg(path));
        QCOMPARE(rig.notifier.messages[0].title, QStringLiteral(" Protokoll speichern..."));
        QCOMPARE(rig.notifier.messages[0].icon, Notifier::Icon::Information);
    }

    // Cancel in the dialog: nothing written, nothing said.
    void saveCancelled() {
        Rig rig;
        fill(rig.window->protocol(), {{"L", "80", "5", "6", "3", "2"}});
        Dialog::setAnswerProvider([](const Dialog&, bool) { return QString(); });
        rig.get<QAction>("mnuDatei_speichern")->trigger();
        QVERIFY(rig.notifier.messages.isEmpty());
        QVERIFY(QDir(rig.dir.path()).entryList(QDir::Files).isEmpty());
    }

    // A full disk: the old file keeps every byte, the error report says so.
    void saveOnAFullDisk_data() {
        QTest::addColumn<FullFolder::Way>("way");
        QTest::addColumn<int>("rows");
        QTest::newRow("size limit, 10 rows") << FullFolder::Way::SizeLimit << 10;
        QTest::newRow("size limit, 2000 rows") << FullFolder::Way::SizeLimit << 2000;
        QTest::newRow("tmpfs, 10 rows") << FullFolder::Way::Tmpfs << 10;
        QTest::newRow("tmpfs, 2000 rows") << FullFolder::Way::Tmpfs << 2000;
    }
    void saveOnAFullDisk() {
        QFETCH(int, rows);
        FULL_FOLDER_OF_THE_ROW(folder);
        const QString path = folder.filePath(QStringLiteral("sx.txt"));
        writeTextLines(path, {QStringLiteral("the old protocol")});
        const QByteArray old = fileBytes(path);
        Rig rig;
        for (int i = 0; i < rows; ++i)
            rig.window->writeProtokoll("L", QString::number(i % 103 + 1), "5", "6", "3", "2");
        Dialog::setAnswerProvider([&](const Dialog&, bool) { return path; });
        rig.notifier.expectMessages = true;
        QVERIFY(folder.fill());
        rig.get<QAction>("mnuDatei_speichern")->trigger();
        folder.release();
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages[0].title + u'|' + rig.notifier.messages[0].text, fullDiskReport());
        QCOMPARE(folder.names(), QStringList{"sx.txt"});
    }

    // A protocol of 100 rows goes over several pages: each page has the column titles and
    // the credit line, every row is printed once and in order, a row of address 0 too.
    void printOverSeveralPages_data() {
        QTest::addColumn<QString>("entry");
        for (const char* e : {"mnuDatei_drucken", "btnDrucken", "mnuPopUp_drucken"})
            QTest::newRow(e) << QString::fromLatin1(e);
    }
    void printOverSeveralPages() {
        QFETCH(QString, entry);
        Rig rig;
        QStringList expected;
        for (int i = 0; i < 100; ++i) {
            const QString act = i % 2 ? QStringLiteral("S") : QStringLiteral("L");
            const QStringList row{act, QString::number(i), QString::number(i % 8), "6", "3", "2"};
            rig.window->writeProtokoll(row[0], row[1], row[2], row[3], row[4], row[5]);
            if (i % 10 == 3) {
                rig.window->setNewestProtocolExtended({"1", "0", "1", "4", "2"});
                expected.append((row + QStringList{"1", "0", "1", "4", "2"}).join(u' '));
            } else {
                expected.append(row.join(u' '));
            }
        }
        const QString pdf = rig.dir.filePath(QStringLiteral("protocol.pdf"));
        Printout::setTestTarget(pdf);
        QStringList questions;
        rig.window->setHeadingQuestion([&](const QString& prompt, const QString& title) -> std::optional<QString> {
            questions.append(title + u'|' + prompt);
            return QStringLiteral("Lok 218");
        });
        trigger(rig, entry);
        QCOMPARE(questions, QStringList{" Protokoll drucken...|Protokoll mit  folgender Überschrift versehen: "});
        const QStringList pages = pagesOf(pdf);
        QVERIFY(pages.size() >= 3);
        QCOMPARE(printedRows(pages), expected);
        QVERIFY(pages.at(0).contains(QRegularExpression(
            QStringLiteral("Datum:\\s+") + QDate::currentDate().toString(QStringLiteral("dd\\.MM\\.yyyy")))));
        QVERIFY(pages.at(0).contains(QStringLiteral("Lok 218")));
        for (const QString& page : pages) {
            QVERIFY(page.contains(QRegularExpression(
                QStringLiteral("Act\\.\\s+ADR\\s+GE\\s+BE\\s+IM\\s+HA\\s+M\\s+L\\s+G\\s+IMe\\s+HAe"))));
            QVERIFY(page.contains(QStringLiteral("(Quillex)")));
        }
        QVERIFY(textOf(wordsOf(pdf)).contains(QStringLiteral("created by")));
    }

    // The titles start at their places, the cells end at theirs (right-aligned), "Act."
    // cells start at 19 mm.
    void columnPlaces() {
        const QString pdf = QDir::temp().filePath(QStringLiteral("sx-columns-%1.pdf").arg(QCoreApplication::applicationPid()));
        {
            Printout out(pdf);
            SxProtokollPrintout::ProtokollAusdruck(out, QString(), QDate(2024, 5, 1),
                                                   {{"S", "103", "7", "6", "4", "2", "1", "0", "1", "4", "2"}});
        }
        const auto edges = wordEdgesMm(wordsOf(pdf));
        QFile::remove(pdf);
        const std::pair<const char*, double> titles[] = {{"Act.", 17}, {"ADR", 32}, {"GE", 53},  {"BE", 68},
                                                         {"IM", 84},   {"HA", 98},  {"IMe", 154}, {"HAe", 169}};
        for (const auto& [title, x] : titles) {
            QVERIFY2(edges.contains(QString::fromLatin1(title)), title);
            QVERIFY2(qAbs(edges[QString::fromLatin1(title)].first - x) < 0.5, title);
        }
        QVERIFY(qAbs(edges[QStringLiteral("S")].first - 19) < 0.5);
        QVERIFY(qAbs(edges[QStringLiteral("103")].second - 41) < 0.5);
        QVERIFY(qAbs(edges[QStringLiteral("7")].second - 56) < 0.5);
    }

    // An empty protocol prints the date, the titles and the rules; Cancel prints nothing.
    void emptyAndCancelled() {
        Rig rig;
        const QString pdf = rig.dir.filePath(QStringLiteral("empty.pdf"));
        Printout::setTestTarget(pdf);
        rig.window->setHeadingQuestion([](const QString&, const QString&) { return std::optional<QString>(QString()); });
        rig.get<QAction>("mnuDatei_drucken")->trigger();
        const QStringList pages = pagesOf(pdf);
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages.at(0).contains(QStringLiteral("HAe")));
        QVERIFY(printedRows(pages).isEmpty());

        const QString none = rig.dir.filePath(QStringLiteral("none.pdf"));
        Printout::setTestTarget(none);
        rig.window->setHeadingQuestion([](const QString&, const QString&) { return std::optional<QString>(); });
        rig.get<QAction>("mnuDatei_drucken")->trigger();
        QVERIFY(!QFile::exists(none));
        QVERIFY(rig.notifier.messages.isEmpty());
    }

    // A printer that cannot be started is told, nothing more happens.
    void printerThatCannotStart() {
        Rig rig;
        fill(rig.window->protocol(), {{"L", "80", "5", "6", "3", "2"}});
        Printout::setTestTarget(rig.dir.filePath(QStringLiteral("no/such/folder/p.pdf")));
        rig.window->setHeadingQuestion([](const QString&, const QString&) { return std::optional<QString>(QString()); });
        rig.notifier.expectMessages = true;
        rig.get<QAction>("mnuDatei_drucken")->trigger();
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages[0].title, QStringLiteral(" Protokoll drucken..."));
        QCOMPARE(rig.notifier.messages[0].text,
                 QStringLiteral("Der Drucker kann nicht angesprochen werden, der Ausdruck unterbleibt."));
    }

    // The pop-up opens on the grid with every entry usable.
    void popUpEntries() {
        Rig rig;
        for (const char* name : {"mnuDatei_speichern", "mnuDatei_drucken", "mnuPopUp_speichern", "mnuPopUp_drucken"})
            QVERIFY2(rig.get<QAction>(QString::fromLatin1(name))->isEnabled(), name);
        QVERIFY(rig.get<QToolButton>("btnSpeichern")->isEnabled());
        QVERIFY(rig.get<QToolButton>("btnDrucken")->isEnabled());
    }
};

QTEST_MAIN(TestFrmSelectrixProtocol)
#include "tst_frmselectrix_protocol.moc"
