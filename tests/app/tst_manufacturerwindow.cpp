#include "MainWindowRig.h"
#include "app/core/ManufacturerList.h"
#include "TestFiles.h"
#include "app/ui/Twips.h"
#include "app/ui/frmDecoderHersteller.h"

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace {

frmDecoderHersteller* openList(MainWindowRig& rig) {
    rig.entry("mnuExtras_Decoderhersteller")->trigger();
    return rig.window->findChild<frmDecoderHersteller*>();
}

QByteArray listBytes(const MainWindowRig& rig) {
    return fileBytes(ManufacturerList::filePath(rig.dir.path()));
}

}  // namespace

class TestManufacturerWindow : public QObject {
    Q_OBJECT

private slots:
    void openAndCloseKeepsFile() {
        MainWindowRig rig;
        rig.window->Form_Load();
        const QByteArray shipped = listBytes(rig);
        frmDecoderHersteller* w = openList(rig);
        QCOMPARE(w->windowTitle(), QStringLiteral(" Decoder-Hersteller"));
        QVERIFY(w->model().rowCount() > 15);
        w->close();
        QCOMPARE(listBytes(rig), shipped);
    }

    void editSurvivesReopening() {
        MainWindowRig rig;
        rig.window->Form_Load();
        frmDecoderHersteller* w = openList(rig);
        auto* grid = w->findChild<QTableView*>("grdDH");
        const QModelIndex cell = w->model().index(2, 3);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        const auto editors = grid->viewport()->findChildren<QLineEdit*>();
        QCOMPARE(editors.size(), 1);
        QLineEdit* editor = editors.first();
        QTest::keyClicks(editor, "Bemerkung mit Ä");  // still in the editor when closing
        w->close();
        MainWindowRig::flushDeletes();
        w = openList(rig);
        QCOMPARE(w->model().rows().at(2).remark, QStringLiteral("Bemerkung mit Ä"));
    }

    void headerSortKeepsHeading_data() {
        QTest::addColumn<int>("column");
        QTest::newRow("Code") << 0;
        QTest::newRow("Herst.") << 1;
        QTest::newRow("Hersteller") << 2;
        QTest::newRow("Bemerkung") << 3;
    }
    void headerSortKeepsHeading() {
        QFETCH(int, column);
        MainWindowRig rig;
        rig.window->Form_Load();
        frmDecoderHersteller* w = openList(rig);
        const ManufacturerRow heading = w->model().rows().first();
        emit w->findChild<QTableView*>("grdDH")->horizontalHeader()->sectionClicked(column);
        QCOMPARE(w->model().rows().first(), heading);
        w->close();
        // Every maker is still found after the sorted list was written.
        QCOMPARE(SearchHersteller(rig.dir.path(), 11), QStringLiteral("NCE"));
        QCOMPARE(SearchHersteller(rig.dir.path(), 162), QStringLiteral("PIKO"));
        QCOMPARE(SearchHersteller(rig.dir.path(), 151), QStringLiteral("ESU"));
    }

    void missingListWritesNothing() {
        MainWindowRig rig;
        rig.window->Form_Load();
        QVERIFY(QFile::remove(ManufacturerList::filePath(rig.dir.path())));
        rig.notifier.expectMessages = true;
        frmDecoderHersteller* w = openList(rig);
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages.at(0).text,
                 QStringLiteral("Für diese Funktion muss die Datei\r\r<Decoderhersteller.txt>\r\r"
                                "im Arbeitsverzeichnis installiert sein !                     "));
        QCOMPARE(rig.notifier.messages.at(0).title, QStringLiteral(" Decoder-Hersteller anzeigen ..."));
        QCOMPARE(w->model().rowCount(), 0);
        w->close();
        QVERIFY(!QFile::exists(ManufacturerList::filePath(rig.dir.path())));
    }

    void unwritableListReported() {
        MainWindowRig rig;
        rig.window->Form_Load();
        frmDecoderHersteller* w = openList(rig);
        const QString path = ManufacturerList::filePath(rig.dir.path());
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(rig.dir.path()).mkdir(ManufacturerList::fileName()));  // cannot be written
        rig.notifier.expectMessages = true;
        w->close();
        QCOMPARE(rig.notifier.messages.size(), 1);
        QCOMPARE(rig.notifier.messages.at(0).title, QStringLiteral(" Datei speichern ..."));
    }

    void positionSharedWithProgrammingWindows() {
        MainWindowRig rig;
        rig.window->Form_Load();
        rig.ctx.PosZentraleLeft = 1440;
        rig.ctx.PosZentraleTop = 720;
        frmDecoderHersteller* w = openList(rig);
        QCOMPARE(positionTwips(w), QPoint(1440, 720));
        moveTwips(w, 2880, 1440);
        w->close();
        QCOMPARE(rig.ctx.PosZentraleLeft, 2880);
        QCOMPARE(rig.ctx.PosZentraleTop, 1440);
    }
};

QTEST_MAIN(TestManufacturerWindow)
#include "tst_manufacturerwindow.moc"
