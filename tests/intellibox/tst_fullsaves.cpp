#include "FakeZentraleHost.h"
#include "FullDisk.h"
#include "TestFiles.h"
#include "app/core/TextFile.h"
#include "app/ui/FileDialog.h"
#include "programming/core/CvGroupTable.h"
#include "programming/ui/CvGroupGrid.h"
#include "programming/ui/TableFileCommands.h"
#include "intellibox/ui/frmIB.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QTest>

namespace {

enum class Kind { Table, TableMove, Protocol, ProtocolMove, OptionList };

QList<CvRow> rowsOf(int count) {
    QList<CvRow> rows;
    for (int i = 0; i < count; ++i)
        rows.append({QStringLiteral("S"), QString::number(1 + i % 1024), QString::number(i % 256),
                     QStringLiteral("Zeile %1").arg(i)});
    return rows;
}

}  // namespace

Q_DECLARE_METATYPE(Kind)

// The CV table, protocol, MoVe and special-option saves of the Intellibox windows on a full
// disk: the old file keeps every byte, no temporary file is left, the error report shows
// error 61 and no "gespeichert" message appears. Rows make files under and over Qt's 16 KiB
// write buffer.
class TestFullSavesIntellibox : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Dialog::setAnswerProvider({}); }

    void save_data() {
        QTest::addColumn<FullFolder::Way>("way");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("rows");
        const std::pair<const char*, Kind> kinds[] = {{"table", Kind::Table},
                                                      {"table MoVe", Kind::TableMove},
                                                      {"protocol", Kind::Protocol},
                                                      {"protocol MoVe", Kind::ProtocolMove}};
        const std::pair<const char*, FullFolder::Way> ways[] = {{"size limit", FullFolder::Way::SizeLimit},
                                                                {"tmpfs", FullFolder::Way::Tmpfs}};
        for (const auto& [wayName, way] : ways) {
            for (const auto& [kindName, kind] : kinds) {
                QTest::addRow("%s, %s, 20 rows", wayName, kindName) << way << kind << 20;
                QTest::addRow("%s, %s, 2000 rows", wayName, kindName) << way << kind << 2000;
            }
            QTest::addRow("%s, _SO.txt", wayName) << way << Kind::OptionList << 50;
        }
    }
    void save() {
        QFETCH(Kind, kind);
        QFETCH(int, rows);
        FULL_FOLDER_OF_THE_ROW(folder);
        const QString name = kind == Kind::OptionList ? QStringLiteral("_SO.txt") : QStringLiteral("table.txt");
        const QString path = folder.filePath(name);
        writeTextLines(path, {QStringLiteral("S 029 006 the old file")});
        const QByteArray old = fileBytes(path);

        SimulatedZentrale z;
        AppContext& ctx = z.host.ctx;
        RecordingNotifier& notifier = z.host.notifier;
        ctx.dataFolder = folder.path();
        ctx.DecoderType = QStringLiteral("DCC");
        Dialog dialog;
        Dialog::setAnswerProvider([&](const Dialog&, bool) { return path; });
        CvGroupTable table;
        table.appendRows(rowsOf(rows), ctx.DecoderType);
        CvGroupGrid grid(ctx, dialog, table, CvGroupGrid::Options{});
        frmIB ib(ctx, z.host.link());
        auto* list = ib.findChild<QListWidget*>(QStringLiteral("lstSO"));
        for (int i = 1; i <= rows; ++i)
            list->addItem(QStringLiteral("%1 > %2").arg(i, 3, 10, QLatin1Char('0')).arg(i % 7));
        auto gridItem = [&](const char* item) {
            return grid.findChild<QMenu*>(QStringLiteral("mnuPopUp_GR"))->findChild<QAction*>(QString::fromLatin1(item));
        };

        notifier.expectMessages = true;
        QVERIFY(folder.fill());
        switch (kind) {
        case Kind::Table:
            gridItem("mnuPopUp_GR_speichern")->trigger();
            break;
        case Kind::TableMove:
            gridItem("mnuPopUp_GR_MoVeExport")->trigger();
            break;
        case Kind::Protocol:
            TableFileCommands::saveProtocol(ctx, dialog, rowsOf(rows));
            break;
        case Kind::ProtocolMove:
            TableFileCommands::exportProtocolMove(ctx, dialog, rowsOf(rows), {});
            break;
        case Kind::OptionList:
            ib.findChild<QAction*>(QStringLiteral("mnuPopUp_Datei"))->trigger();
            break;
        }
        folder.release();
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(notifier.messages.size(), 1);
        QCOMPARE(notifier.messages[0].title + u'|' + notifier.messages[0].text, fullDiskReport());
        QCOMPARE(folder.names(), QStringList{name});
    }
};

QTEST_MAIN(TestFullSavesIntellibox)
#include "tst_fullsaves.moc"
