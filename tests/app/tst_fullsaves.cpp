#include "FullDisk.h"
#include "MainWindowRig.h"
#include "app/core/ManufacturerList.h"
#include "app/core/TextFile.h"
#include "app/ui/frmDecoderHersteller.h"

#include <QFileInfo>
#include <QTest>

namespace {

void addWays() {
    QTest::addColumn<FullFolder::Way>("way");
}

// Lines of about `bytes` bytes in all.
QStringList linesOf(int bytes) {
    QStringList lines;
    for (int i = 0; i * 20 < bytes; ++i)
        lines.append(QStringLiteral("S %1 006 Licht vorn").arg(i % 1000, 3, 10, QLatin1Char('0')).left(18));
    return lines;
}

}  // namespace

// Saves on a disk that is full: the old file keeps every byte, no temporary file is left,
// and the user is told (error 61, "Datenträger voll"). Files smaller than Qt's write buffer
// (16 KiB) fail only when the buffer is flushed, larger ones already while they are written.
class TestFullSaves : public QObject {
    Q_OBJECT

private slots:
    void saveRoutine_data() {
        addWays();
        QTest::addColumn<int>("bytes");
        QTest::newRow("size limit, under the buffer") << FullFolder::Way::SizeLimit << 1000;
        QTest::newRow("size limit, over the buffer") << FullFolder::Way::SizeLimit << 40000;
        QTest::newRow("tmpfs, under the buffer") << FullFolder::Way::Tmpfs << 1000;
        QTest::newRow("tmpfs, over the buffer") << FullFolder::Way::Tmpfs << 40000;
    }
    void saveRoutine() {
        QFETCH(int, bytes);
        FULL_FOLDER_OF_THE_ROW(folder);
        const QString path = folder.filePath(QStringLiteral("list.txt"));
        writeTextLines(path, {QStringLiteral("the old content")});
        const QByteArray old = fileBytes(path);
        QVERIFY(folder.fill());
        const int number = failureOf([&] { writeTextLines(path, linesOf(bytes)); });
        folder.release();
        QCOMPARE(number, 61);
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(folder.names(), QStringList{QStringLiteral("list.txt")});
    }

    // A disk that takes no writes at all is no full disk: the access error (75) stays.
    void readOnlyDiskIsNoFullDisk() {
        SmallDisk disk(64);
        const QString path = disk.filePath(QStringLiteral("list.txt"));
        if (!disk.mounted())
            QSKIP("no tmpfs can be mounted here");
        writeTextLines(path, {QStringLiteral("the old content")});
        QVERIFY(disk.makeReadOnly());
        QCOMPARE(failureOf([&] { writeTextLines(path, linesOf(1000)); }), 75);
        QCOMPARE(fileBytes(path), QByteArray("the old content\r\n"));
    }

    // The configuration written at shut-down and the manufacturer list written back when
    // its window closes.
    void mainWindowFiles_data() {
        addWays();
        QTest::addColumn<bool>("configuration");
        QTest::newRow("configuration, size limit") << FullFolder::Way::SizeLimit << true;
        QTest::newRow("configuration, tmpfs") << FullFolder::Way::Tmpfs << true;
        QTest::newRow("manufacturer list, size limit") << FullFolder::Way::SizeLimit << false;
        QTest::newRow("manufacturer list, tmpfs") << FullFolder::Way::Tmpfs << false;
    }
    void mainWindowFiles() {
        QFETCH(bool, configuration);
        FULL_FOLDER_OF_THE_ROW(folder);
        MainWindowRig rig;
        rig.ctx.dataFolder = folder.path();
        QString path;
        QWidget* closing = rig.window.get();
        if (configuration) {
            rig.ctx.ComPort = QStringLiteral("1");
            rig.ctx.ComSettings = QStringLiteral("2400,N,8,1");
            WriteConfig(rig.ctx);
            path = configFilePath(rig.ctx);
            rig.ctx.ComPort = QStringLiteral("4");
        } else {
            QVERIFY(ManufacturerList::installDefault(folder.path()));
            path = ManufacturerList::filePath(folder.path());
            rig.entry("mnuExtras_Decoderhersteller")->trigger();
            auto* w = rig.window->findChild<frmDecoderHersteller*>();
            QVERIFY(w);
            w->model().setData(w->model().index(2, 3), QStringLiteral("geändert"), Qt::EditRole);
            closing = w;
        }
        const QByteArray old = fileBytes(path);
        QVERIFY(configuration ? old.count("\r\n") == 28 : old.size() > 5000);
        rig.notifier.expectMessages = true;
        QVERIFY(folder.fill());
        closing->close();
        folder.release();
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages[0].title + u'|' + rig.notifier.messages[0].text, fullDiskReport());
        QCOMPARE(folder.names(), QStringList{QFileInfo(path).fileName()});
    }
};

QTEST_MAIN(TestFullSaves)
#include "tst_fullsaves.moc"
