#include "app/core/AppContext.h"
#include "programming/ui/CvGroupGrid.h"
#include "programming/core/CvGroupTable.h"
#include "app/ui/FileDialog.h"
#include "RecordingNotifier.h"

#include <QAction>
#include <QHeaderView>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {
QStringList marks(const CvGroupTable& table) {
    QStringList m;
    for (const CvRow& row : table.rows())
        m.append(row.action);
    return m;
}
}  // namespace

// The grid driven by keys and its pop-up items, as a user works it.
namespace {
// The Lenz window's grid: every item always enabled, its own print caption.
CvGroupGrid::Options lenzGrid() { return {false, QStringLiteral("Tabelle &drucken")}; }
}  // namespace

class TestCvGroupGrid : public QObject {
    Q_OBJECT
private slots:
    void init() {
        ctx.notifier = &notifier;
        ctx.DecoderType = QStringLiteral("DCC");
        notifier.messages.clear();
        notifier.expectMessages = false;
        notifier.answerFor = nullptr;
    }

    void objectNamesAndCaptions() {
        CvGroupTable table;
        CvGroupGrid grid(ctx, dialog, table, CvGroupGrid::Options{});
        QCOMPARE(grid.objectName(), QStringLiteral("grdGR"));
        QCOMPARE(grid.popupMenu()->objectName(), QStringLiteral("mnuPopUp_GR"));
        QStringList captions;
        for (QAction* a : grid.popupMenu()->actions())
            captions.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(captions, (QStringList{"Tabelle schreiben / lesen", "aktuelle Zeile schreiben / lesen", "Tabelle drucken",
                                        "-", "Reihe erweitern", "1. Spalte alles 'S' chreiben",
                                        "1. Spalte alles 'L' esen", "-", "aktuelle Zeile löschen", "1 Zeile einfügen",
                                        "-", "Tabelle in Datei speichern", "Tabelle aus Datei laden",
                                        "Tabelle aus Clipboard laden", "-", "MoVe-Datei importieren",
                                        "Tabelle in MoVe-Format exportieren", "-", "Tabelle löschen"}));
        QCOMPARE(grid.cutAction()->objectName(), QStringLiteral("mnuBearbeiten_ausschneiden"));
        QCOMPARE(grid.cutAction()->text(), QStringLiteral("&ausschneiden      "));
        QCOMPARE(grid.pasteAction()->text(), QStringLiteral("e&infügen"));
        CvGroupTable lenzTable(CvGroupTable::LetterRule::KeepLetters);
        CvGroupGrid lenz(ctx, dialog, lenzTable, lenzGrid());
        QCOMPARE(lenz.popupAction(QStringLiteral("mnuPopUp_GR_Drucken"))->text(), QStringLiteral("Tabelle &drucken"));
    }

    void popupEnablement_data() {
        QTest::addColumn<bool>("lenz");
        QTest::addColumn<QString>("cv");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("empty table") << false << QString() << false;
        QTest::newRow("row without CV") << false << "" << false;
        QTest::newRow("CV 0") << false << "0" << false;
        QTest::newRow("CV 5") << false << "5" << true;
        QTest::newRow("Lenz: always") << true << QString() << true;
    }
    void popupEnablement() {
        QFETCH(bool, lenz);
        QFETCH(QString, cv);
        QFETCH(bool, enabled);
        CvGroupTable table;
        CvGroupGrid grid(ctx, dialog, table, lenz ? lenzGrid() : CvGroupGrid::Options{});
        if (!cv.isNull()) {
            table.appendRows({{"S", cv, "1", ""}}, QStringLiteral("DCC"));
            grid.setCurrentIndex(table.index(0, 1));
        }
        emit grid.popupMenu()->aboutToShow();
        for (const char* name : {"mnuPopUp_GR_Reihe", "mnuPopUp_GR_Alles_0", "mnuPopUp_GR_Alles_1", "mnuPopUp_GR_del",
                                 "mnuPopUp_GR_Insert"})
            QCOMPARE(grid.popupAction(QString::fromLatin1(name))->isEnabled(), enabled);
        QVERIFY(grid.popupAction(QStringLiteral("mnuPopUp_GR_schreiben"))->isEnabled());
    }

    void typing_data() {
        QTest::addColumn<QString>("decoderType");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("cell");
        QTest::newRow("s becomes S") << "DCC" << 0 << "s" << "S";
        QTest::newRow("l in DCC") << "DCC" << 0 << "l" << "L";
        QTest::newRow("l rejected in fx") << "fx" << 0 << "l" << "";
        QTest::newRow("CV digits only, three") << "DCC" << 1 << "1a2b34" << "123";
        QTest::newRow("remark anything") << "DCC" << 3 << "Rot 1;" << "Rot 1;";
        QTest::newRow("Backspace in the CV") << "DCC" << 1 << "12\b3" << "13";
        QTest::newRow("Escape drops the edit") << "DCC" << 1 << "12\x1b" << "";
        // "\x7f": Home, then Delete with the text X11 gives it.
        QTest::newRow("Delete is no typed character") << "DCC" << 2 << "123\x7f" << "23";
    }
    void typing() {
        QFETCH(QString, decoderType);
        QFETCH(int, column);
        QFETCH(QString, keys);
        ctx.DecoderType = decoderType;
        CvGroupTable table;
        table.appendRows(QList<CvRow>{CvRow{}}, QStringLiteral("DCC"));
        QCOMPARE(table.rowCount(), 1);
        CvGroupGrid grid(ctx, dialog, table, CvGroupGrid::Options{});
        grid.show();
        grid.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&grid));
        grid.setFocus();
        grid.setCurrentIndex(table.index(0, column));
        for (QChar c : keys) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &grid;
            if (c == u'\x7f') {
                QTest::keyClick(target, Qt::Key_Home);
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_Delete, QStringLiteral("\x7f"), Qt::NoModifier);
                continue;
            }
            QTest::keyClick(target, c.toLatin1());
        }
        // Enter commits the cell; the delegate does it from the event loop.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QTEST(table.cell(0, column), "cell");
    }

    void markingWithHeldKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("Shift") << int(Qt::Key_Shift) << QStringList{"x", "S", "S", "S", "x"};
        QTest::newRow("Ctrl") << int(Qt::Key_Control) << QStringList{"x", "L", "L", "L", "x"};
        QTest::newRow("Alt") << int(Qt::Key_Alt) << QStringList{"x", "", "", "", "x"};
    }
    void markingWithHeldKeys() {
        QFETCH(int, key);
        CvGroupTable table;
        table.appendRows(QList<CvRow>(5, CvRow{"x", "1", "", ""}), QStringLiteral("DCC"));
        CvGroupGrid grid(ctx, dialog, table, CvGroupGrid::Options{});
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setCurrentIndex(table.index(0, 1));
        QTest::keyPress(&grid, Qt::Key(key));
        for (int r = 1; r <= 3; ++r)
            grid.setCurrentIndex(table.index(r, 1));
        QTest::keyRelease(&grid, Qt::Key(key));
        grid.setCurrentIndex(table.index(4, 1));
        QTEST(marks(table), "after");
    }

    void seriesThroughInputBox() {
        CvGroupTable table;
        table.appendRows({{"S", "33", "", ""}}, QStringLiteral("DCC"));
        CvGroupGrid grid(ctx, dialog, table, CvGroupGrid::Options{});
        grid.setCurrentIndex(table.index(0, 1));
        QString prompt;
        grid.askText = [&](const QString& p, const QString&) -> std::optional<QString> {
            prompt = p;
            return QStringLiteral("36");
        };
        grid.extendSeries();
        QCOMPARE(prompt, QStringLiteral(" CV-Reihe von 33 erweitern bis "));
        QCOMPARE(table.rowCount(), 4);
        QCOMPARE(table.cell(3, 1), QStringLiteral("36"));

        grid.askText = [](const QString&, const QString&) -> std::optional<QString> { return QStringLiteral("abc"); };
        notifier.expectMessages = true;
        grid.extendSeries();
        QCOMPARE(notifier.messages.size(), 1);
        QCOMPARE(notifier.messages.first().text, QStringLiteral("der Zielwert muß größer als der Startwert sein !       "));
        QCOMPARE(notifier.messages.first().title, QStringLiteral(" CV-Reihe erstellen..."));
        QCOMPARE(table.rowCount(), 4);

        grid.askText = [](const QString&, const QString&) -> std::optional<QString> { return std::nullopt; };
        grid.extendSeries();
        QCOMPARE(notifier.messages.size(), 1);
    }

    void clearAsksFirst_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("rows");
        QTest::newRow("No") << int(Notifier::No) << 2;
        QTest::newRow("Yes") << int(Notifier::Yes) << 0;
    }
    void clearAsksFirst() {
        QFETCH(int, answer);
        CvGroupTable table;
        table.appendRows({{"S", "1", "1", ""}, {"S", "2", "2", ""}}, QStringLiteral("DCC"));
        CvGroupGrid grid(ctx, dialog, table, CvGroupGrid::Options{});
        QStringList captions;
        connect(&grid, &CvGroupGrid::fileCaptionChanged, this, [&](const QString& c) { captions.append(c); });
        notifier.expectMessages = true;
        notifier.answer = answer;
        grid.clearTable();
        QCOMPARE(notifier.messages.size(), 1);
        QCOMPARE(notifier.messages.first().text, QStringLiteral("Sind Sie sicher ?            "));
        QCOMPARE(notifier.messages.first().buttons, Notifier::YesNo);
        QCOMPARE(notifier.messages.first().icon, Notifier::Icon::Question);
        QTEST(table.rowCount(), "rows");
        QCOMPARE(captions.size(), answer == Notifier::Yes ? 1 : 0);
    }

    void headerSwitchesOptionView() {
        CvGroupTable table;
        CvGroupGrid grid(ctx, dialog, table, CvGroupGrid::Options{});
        const int normal = grid.verticalHeader()->defaultSectionSize();
        emit grid.horizontalHeader()->sectionClicked(1);
        QVERIFY(!grid.optionView());
        emit grid.horizontalHeader()->sectionClicked(0);
        QVERIFY(grid.optionView());
        QVERIFY(grid.verticalHeader()->defaultSectionSize() > normal);
        emit grid.horizontalHeader()->sectionClicked(0);
        QCOMPARE(grid.verticalHeader()->defaultSectionSize(), normal);
    }

    void currentRowRunSignal() {
        CvGroupTable table;
        table.appendRows({{"S", "1", "1", ""}, {"L", "8", "", ""}}, QStringLiteral("DCC"));
        CvGroupGrid grid(ctx, dialog, table, CvGroupGrid::Options{});
        QList<int> rows;
        connect(&grid, &CvGroupGrid::currentRowRunRequested, this, [&](int r) { rows.append(r); });
        grid.setCurrentIndex(table.index(1, 0));
        grid.popupAction(QStringLiteral("mnuPopUp_GR_aktZeileschreiben"))->trigger();
        QCOMPARE(rows, QList<int>{1});
    }

private:
    AppContext ctx;
    RecordingNotifier notifier;
    Dialog dialog;
};

QTEST_MAIN(TestCvGroupGrid)
#include "tst_cvgroupgrid.moc"
