#include "app/core/AppContext.h"
#include "programming/ui/CvGroupGrid.h"
#include "programming/core/CvGroupTable.h"
#include "programming/core/CvTableFiles.h"
#include "app/ui/FileDialog.h"
#include "RecordingNotifier.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(CvRow)

namespace {
QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
const QByteArray latin1Umlauts = QByteArray("Licht vorn \xfc\xe4\xf6\xdf");
}  // namespace

// The CV-group table and protocol files byte for byte, and the grid's file and clipboard
// items with the dialog answered by the test.
namespace {
// The Lenz window's grid: every item always enabled, its own print caption.
CvGroupGrid::Options lenzGrid() { return {false, QStringLiteral("Tabelle &drucken")}; }
}  // namespace

class TestCvGroupFiles : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(dir.isValid());
        ctx.notifier = &notifier;
        ctx.DecoderType = QStringLiteral("DCC");
        notifier.messages.clear();
        notifier.expectMessages = false;
        notifier.answerFor = nullptr;
        dialogAnswer.clear();
        Dialog::setAnswerProvider([this](const Dialog& d, bool) -> QString {
            filters.append(d.filter() + u'#' + QString::number(d.filterIndex()));
            return dialogAnswer;
        });
    }
    void cleanup() {
        Dialog::setAnswerProvider({});
        for (const QString& f : std::as_const(filters))
            QCOMPARE(f, QStringLiteral("Text-Dateien (*.TXT)|*.txt#2"));
        filters.clear();
    }

    void tableFileRoundTrip_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("write and read rows")
            << QByteArray("S 029 006 Licht\r\nL 008 000 \r\n  001 003 \r\n");
        QTest::newRow("four-digit CV") << QByteArray("S 1024255 ganz oben\r\nL 1000000 \r\n");
        QTest::newRow("umlauts in remarks") << QByteArray("S 033 001 ") + latin1Umlauts + "\r\n";
        QTest::newRow("remark of 100 characters") << QByteArray("S 001 002 ") + QByteArray(100, 'x') + "\r\n";
    }
    void tableFileRoundTrip() {
        QFETCH(QByteArray, file);
        const QString in = dir.filePath(QStringLiteral("in.txt"));
        const QString out = dir.filePath(QStringLiteral("out.txt"));
        writeBytes(in, file);
        CvGroupTable table;
        CvTableFiles::loadTable(in, table, QStringLiteral("DCC"));
        CvTableFiles::saveTable(out, table.rows());
        QCOMPARE(bytesOf(out), file);
    }

    void edgeCaseFile() {
        const QString path = dir.filePath(QStringLiteral("t.txt"));
        CvTableFiles::saveTable(path, {{"S", "29", "6", "Licht"}, {"", "8", "", ""}});
        QCOMPARE(bytesOf(path), QByteArray("S 029 006 Licht\r\n  008     \r\n"));
        CvGroupTable table;
        CvTableFiles::loadTable(path, table, QStringLiteral("DCC"));
        QCOMPARE(table.rows(), (QList<CvRow>{{"S", "29", "6", "Licht"}, {" ", "8", "0", ""}}));
    }

    void loadsFilesOfOtherWriters_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<CvRow>>("rows");
        QTest::newRow("blank lines between commands, LF ends")
            << QByteArray("S 029 006\n\n   \nS 001 003\n") << QList<CvRow>{{"S", "29", "6", ""}, {"S", "1", "3", ""}};
        QTest::newRow("read list, CR ends, no last end")
            << QByteArray("L 008\rL 001") << QList<CvRow>{{"L", "8", "0", ""}, {"L", "1", "0", ""}};
        QTest::newRow("protocol file") << QByteArray("S 029 006\r\nL 1024 012\r\n")
                                       << QList<CvRow>{{"S", "29", "6", ""}, {"L", "1024", "12", ""}};
    }
    void loadsFilesOfOtherWriters() {
        QFETCH(QByteArray, file);
        QFETCH(QList<CvRow>, rows);
        const QString path = dir.filePath(QStringLiteral("x.txt"));
        writeBytes(path, file);
        CvGroupTable table;
        CvTableFiles::loadTable(path, table, QStringLiteral("DCC"));
        QCOMPARE(table.rows(), rows);
    }

    void protocolFiles() {
        const QList<CvRow> protocol{{"S", "29", "6", ""}, {"", "", "", ""}, {"E", "0", "5", ""},
                                    {"L", "8", "145", ""}, {"L", "x", "1", ""}, {"S", "1024", "3", ""}};
        const QString text = dir.filePath(QStringLiteral("p.txt"));
        CvTableFiles::saveProtocol(text, protocol);
        QCOMPARE(bytesOf(text), QByteArray("S 029 006\r\nL 008 145\r\nS 1024 003\r\n"));
        const QString move = dir.filePath(QStringLiteral("p.mov"));
        CvTableFiles::exportMoveProtocol(move, protocol);
        QCOMPARE(bytesOf(move), QByteArray("29;?;?;?;6\r\n;?;?;?;\r\n0;?;?;?;5\r\n8;?;?;?;145\r\nx;?;?;?;1\r\n"
                                           "1024;?;?;?;3\r\n"));
    }

    void moveRoundTrip_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<CvRow>>("rows");
        QTest::newRow("edge case") << QByteArray("29;Licht;?;?;6\r\n") << QList<CvRow>{{"S", "29", "6", "Licht"}};
        QTest::newRow("umlauts, four digits")
            << QByteArray("1024;") + latin1Umlauts + ";?;?;255\r\n33;;?;?;0\r\n"
            << QList<CvRow>{{"S", "1024", "255", QString::fromLatin1(latin1Umlauts)}, {"S", "33", "0", ""}};
    }
    void moveRoundTrip() {
        QFETCH(QByteArray, file);
        QFETCH(QList<CvRow>, rows);
        const QString in = dir.filePath(QStringLiteral("m.txt"));
        const QString out = dir.filePath(QStringLiteral("m2.txt"));
        writeBytes(in, file);
        CvGroupTable table;
        CvTableFiles::importMove(in, table);
        QCOMPARE(table.rows(), rows);
        CvTableFiles::exportMoveTable(out, table.rows());
        QCOMPARE(bytesOf(out), file);
    }

    // A value that is missing or no number stays as it stands: no run writes it as 0.
    void moveOddLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<CvRow>("row");
        QTest::newRow("no separator") << "12" << CvRow{"S", "12", "", ""};
        QTest::newRow("no numbers") << "abc;x;y" << CvRow{"S", "0", "y", "x"};
        QTest::newRow("signed value") << "91;+1192119" << CvRow{"S", "91", "+1192119", "+1192119"};
        QTest::newRow("negative value") << "5;-3" << CvRow{"S", "5", "-3", "-3"};
        QTest::newRow("empty value") << "7;x;?;?;" << CvRow{"S", "7", "", "x"};
        QTest::newRow("blanks around a value") << "7;x;?;?; 12 " << CvRow{"S", "7", "12", "x"};
    }
    void moveOddLines() {
        QFETCH(QString, line);
        QFETCH(CvRow, row);
        QCOMPARE(CvTableFiles::moveRow(line), row);
    }
    void moveBlankLinesMakeNoRows() {
        const QString path = dir.filePath(QStringLiteral("blank.txt"));
        writeBytes(path, "5;a;?;?;1\r\n\r\n  \r\n");
        CvGroupTable table;
        CvTableFiles::importMove(path, table);
        QCOMPARE(table.rowCount(), 1);
    }

    // The grid's items: the caption of pnlDatei, the message after a save, cancel silent,
    // a file that cannot be opened goes to the error report.
    void gridFileItems() {
        CvGroupTable table;
        Dialog dialog;
        CvGroupGrid grid(ctx, dialog, table, CvGroupGrid::Options{});
        QStringList captions;
        connect(&grid, &CvGroupGrid::fileCaptionChanged, this, [&](const QString& c) { captions.append(c); });
        table.appendRows({{"S", "29", "6", "Licht"}}, QStringLiteral("DCC"));

        const QString path = dir.filePath(QStringLiteral("g.txt"));
        dialogAnswer = path;
        notifier.expectMessages = true;
        grid.saveTable();
        QCOMPARE(notifier.messages.size(), 1);
        QCOMPARE(notifier.messages.first().text, QStringLiteral("Die Tabelle wurde unter \r\r") + path +
                                                     QStringLiteral("          \r\rgespeichert ! "));
        QCOMPARE(notifier.messages.first().title, QStringLiteral(" Tabelle speichern..."));
        QCOMPARE(captions, QStringList{" " + path});

        grid.loadTable();
        QCOMPARE(table.rowCount(), 2);
        QCOMPARE(table.row(1), table.row(0));

        // Cancel: nothing happens, nothing is shown.
        notifier.messages.clear();
        dialogAnswer.clear();
        grid.loadTable();
        grid.saveTable();
        grid.importMove();
        QVERIFY(notifier.messages.isEmpty());
        QCOMPARE(captions.size(), 2);

        // A missing file is reported (75) and adds nothing.
        dialogAnswer = dir.filePath(QStringLiteral("missing.txt"));
        grid.loadTable();
        QCOMPARE(notifier.messages.size(), 1);
        QCOMPARE(notifier.messages.first().icon, Notifier::Icon::Critical);
        QCOMPARE(table.rowCount(), 2);
        notifier.messages.clear();
        grid.importMove();
        QCOMPARE(notifier.messages.size(), 1);
        QCOMPARE(table.rowCount(), 2);
    }

    void clipboardPaste_data() {
        QTest::addColumn<QString>("decoderType");
        QTest::addColumn<bool>("lenz");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<CvRow>>("rows");
        const QString mapping = QStringLiteral("S 033 001\rL 034\r\rS 1024 012");
        QTest::newRow("DCC, CR only, no trailing CR")
            << "DCC" << false << mapping
            << QList<CvRow>{{"S", "33", "1", ""}, {"L", "34", "0", ""}, {"S", "1024", "12", ""}};
        QTest::newRow("fx writes all") << "fx" << false << mapping
                                       << QList<CvRow>{{"S", "33", "1", ""}, {"S", "34", "", ""}, {"S", "1024", "12", ""}};
        QTest::newRow("Lenz keeps letters") << "fx" << true << QStringLiteral("L 008\r\nS 001 003\r\n")
                                            << QList<CvRow>{{"L", "8", "0", ""}, {"S", "1", "3", ""}};
        QTest::newRow("blank text") << "DCC" << false << QStringLiteral(" \r ") << QList<CvRow>{};
    }
    void clipboardPaste() {
        QFETCH(QString, decoderType);
        QFETCH(bool, lenz);
        QFETCH(QString, text);
        QFETCH(QList<CvRow>, rows);
        ctx.DecoderType = decoderType;
        CvGroupTable table(lenz ? CvGroupTable::LetterRule::KeepLetters : CvGroupTable::LetterRule::ByDecoderType);
        Dialog dialog;
        CvGroupGrid grid(ctx, dialog, table, lenz ? lenzGrid() : CvGroupGrid::Options{});
        QGuiApplication::clipboard()->setText(text);
        grid.pasteFromClipboard();
        QCOMPARE(table.rows(), rows);
    }

private:
    QTemporaryDir dir;
    AppContext ctx;
    RecordingNotifier notifier;
    QString dialogAnswer;
    QStringList filters;
};

QTEST_MAIN(TestCvGroupFiles)
#include "tst_cvgroupfiles.moc"
