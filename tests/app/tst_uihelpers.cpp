#include "app/core/DataFolder.h"
#include "app/ui/FieldBarCoupling.h"
#include "app/ui/FileDialog.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/MenuRechtsbuendig.h"
#include "app/ui/RisingScrollBar.h"
#include "TestFiles.h"
#include "app/ui/Twips.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QStringList kHelpPages = {
    "6021", "MC", "IB", "Kennlinie", "Lenz", "Schnittstelle", "SLX", "SLX850", "SLXIB", "Programmierhilfe",
    "FM_ESU", "FM_Kuehn", "FM_Lenz", "FM_Zimo", "FM_TAMS", "FM_TRAN", "FM_Uhlenbrock", "FM_NMRA",
    "FM_TAMS_FDM", "FM_Kuehn_N025"};

QStringList titles(const QMenuBar* bar) {
    QStringList result;
    if (bar)
        for (const QAction* action : bar->actions())
            result.append(action->text());
    return result;
}

// Answers the next modal file dialog: types `name` and accepts, or rejects when empty.
void answerNextDialog(const QString& name, QStringList* filtersSeen = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (filtersSeen)
            *filtersSeen = dialog->nameFilters();
        if (name.isEmpty()) {
            dialog->reject();
            return;
        }
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        edit->setText(name);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

}  // namespace

class TestUiHelpers : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void filterConversion_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("the program's filter") << "Text-Dateien (*.TXT)|*.txt" << QStringList{"Text-Dateien (*.txt *.TXT)"};
        QTest::newRow("two filters") << "Text|*.txt|Alle Dateien (*.*)|*.*"
                                     << QStringList{"Text (*.txt *.TXT)", "Alle Dateien (*.*)"};
        QTest::newRow("patterns list") << "Listen|*.txt;*.csv" << QStringList{"Listen (*.txt *.TXT *.csv *.CSV)"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void filterConversion() {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(Dialog::qtFilters(filter), expected);
    }

    void dialogReturnsTheChosenFile() {
        Dialog dialog;
        dialog.setFilter(QStringLiteral("Text-Dateien (*.TXT)|*.txt"));
        dialog.setFilterIndex(2);
        dialog.setFlags(Dialog::OverwritePrompt);
        dialog.setFileName(m_dir.filePath(QStringLiteral("start.txt")));
        QStringList filters;
        answerNextDialog(m_dir.filePath(QStringLiteral("tabelle.txt")), &filters);
        const QString chosen = dialog.showSave();
        QCOMPARE(chosen, m_dir.filePath(QStringLiteral("tabelle.txt")));
        QCOMPARE(dialog.fileName(), chosen);
        QCOMPARE(filters, QStringList{QStringLiteral("Text-Dateien (*.txt *.TXT)")});
    }

    void cancelThrowsTheSilentNumber_data() {
        QTest::addColumn<bool>("save");
        QTest::newRow("open") << false;
        QTest::newRow("save") << true;
    }
    void cancelThrowsTheSilentNumber() {
        QFETCH(bool, save);
        Dialog dialog;
        dialog.setFileName(QStringLiteral("/before.txt"));
        answerNextDialog(QString());
        QCOMPARE(failureOf([&] { save ? dialog.showSave() : dialog.showOpen(); }), 32755);
        QCOMPARE(dialog.fileName(), QStringLiteral("/before.txt"));
    }

    void answerProviderStandsInForTheDialog() {
        QStringList asked;
        Dialog::setAnswerProvider([&](const Dialog& d, bool save) {
            asked.append(d.filter() + (save ? QStringLiteral(" save") : QStringLiteral(" open")));
            return asked.size() == 1 ? QStringLiteral("/tmp/a.txt") : QString();
        });
        Dialog dialog;
        dialog.setFilter(QStringLiteral("Text-Dateien (*.TXT)|*.txt"));
        QCOMPARE(dialog.showOpen(), QStringLiteral("/tmp/a.txt"));
        QVERIFY_THROWS_EXCEPTION(Failure, dialog.showSave());
        Dialog::setAnswerProvider({});
        QCOMPARE(asked, (QStringList{"Text-Dateien (*.TXT)|*.txt open", "Text-Dateien (*.TXT)|*.txt save"}));
    }

    // A portable install keeps its files beside the program; a build tree does not, so
    // that "make clean" cannot delete the user's settings.
    void dataFolder_data() {
        QTest::addColumn<bool>("buildTree");
        QTest::addColumn<bool>("userFolder");
        QTest::newRow("writable program folder") << false << false;
        QTest::newRow("build tree") << true << true;
    }
    void dataFolder() {
        QFETCH(bool, buildTree);
        QTemporaryDir program;
        if (buildTree)
            QVERIFY(writeFileBytes(QDir(program.path()).filePath(QStringLiteral("CMakeCache.txt")), "# cache\n"));
        const QString user = m_dir.filePath(QStringLiteral("user"));
        QTEST(chooseDataFolder(program.path(), user) == user, "userFolder");
        QCOMPARE(chooseDataFolder(m_dir.filePath(QStringLiteral("missing")), user), user);
    }

    void everyHelpPageExists() {
        const QString folder = findHelpFolder();
        for (const QString& page : kHelpPages) {
            const QString path = folder + QStringLiteral("/Zelvo_") + page + QStringLiteral(".htm");
            QVERIFY2(fileBytes(path).contains("<h1>"), qPrintable(path));
        }
    }

    void helpShowsPagesInOneWindow() {
        const QString folder = findHelpFolder();
        HilfeAnzeigen(folder, 0, QStringLiteral("Zelvo_IB.htm"));
        HelpWindow* window = HelpWindow::instance();
        QVERIFY(window->isVisible());
        QCOMPARE(window->currentPage(), QStringLiteral("Zelvo_IB.htm"));
        HilfeAnzeigen(folder, 0, QStringLiteral("Zelvo_Schnittstelle.htm"));
        QCOMPARE(HelpWindow::instance(), window);
        QCOMPARE(window->currentPage(), QStringLiteral("Zelvo_Schnittstelle.htm"));
        // Missing pages and folders show nothing and change nothing.
        HilfeAnzeigen(folder, 0, QStringLiteral("Zelvo_Fehlt.htm"));
        HilfeAnzeigen(m_dir.filePath(QStringLiteral("none")), 0, QStringLiteral("Zelvo_IB.htm"));
        HilfeAnzeigen(folder, 0, QString());
        QCOMPARE(window->currentPage(), QStringLiteral("Zelvo_Schnittstelle.htm"));
        window->close();
    }

    void menuItemsMoveRight_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("right");
        const QStringList all = {"S&ystem", "Funktionsmapping", "E&xtras", "&?", "b&eenden"};
        QTest::newRow("main window, 4") << 4 << all.mid(0, 3) << all.mid(3);
        QTest::newRow("last") << -1 << all.mid(0, 4) << all.mid(4);
        QTest::newRow("first") << 1 << QStringList{} << all;
        QTest::newRow("0 changes nothing") << 0 << all << QStringList{};
        QTest::newRow("past the end changes nothing") << 6 << all << QStringList{};
    }
    void menuItemsMoveRight() {
        QFETCH(int, n);
        QFETCH(QStringList, left);
        QFETCH(QStringList, right);
        QMainWindow window;
        QMenuBar* bar = window.menuBar();
        bar->addMenu(QStringLiteral("S&ystem"))->setObjectName(QStringLiteral("mnuSystem"));
        bar->addMenu(QStringLiteral("Funktionsmapping"));
        bar->addMenu(QStringLiteral("E&xtras"));
        QMenu* help = bar->addMenu(QStringLiteral("&?"));
        help->setObjectName(QStringLiteral("mnuHilfe"));
        QAction* quit = bar->addAction(QStringLiteral("b&eenden"));
        quit->setObjectName(QStringLiteral("mnuBeenden"));
        MenuRechtsbuendig(&window, n);
        QCOMPARE(titles(bar), left);
        QCOMPARE(titles(qobject_cast<QMenuBar*>(bar->cornerWidget(Qt::TopRightCorner))), right);
        // The menus stay the same objects, found by name, and still work.
        QCOMPARE(window.findChild<QMenu*>(QStringLiteral("mnuHilfe")), help);
        QCOMPARE(window.findChild<QAction*>(QStringLiteral("mnuBeenden")), quit);
        QSignalSpy triggered(quit, &QAction::triggered);
        quit->trigger();
        QCOMPARE(triggered.size(), 1);
    }

    void windowWithoutMenuBarKeepsNone() {
        QMainWindow window;
        MenuRechtsbuendig(&window, 2);
        QVERIFY(!window.menuWidget());
        MenuRechtsbuendig(static_cast<QMainWindow*>(nullptr), 2);
    }

    void twipsFollowTheLogicalInch() {
        const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
        QCOMPARE(twips(1440), qRound(dpi));
        QCOMPARE(twips(0), 0);
        QCOMPARE(pixelsToTwips(twips(14400)), 14400);
        QWidget parent;
        auto* child = new QWidget(&parent);
        setGeometryTwips(child, 1440, 720, 2880, 360);
        QCOMPARE(child->geometry(), QRect(qRound(dpi), qRound(dpi / 2), qRound(2 * dpi), qRound(dpi / 4)));
        moveTwips(child, 2880, 1440);
        QCOMPARE(positionTwips(child), QPoint(2880, 1440));
    }
    // The number bars beside the fields: their value is the field's number, and everything
    // that points up raises it.
    void risingBarRisesUpwards_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("change");
        QTest::newRow("top arrow") << "top arrow" << 1;
        QTest::newRow("bottom arrow") << "bottom arrow" << -1;
        QTest::newRow("track above the handle") << "above" << 10;
        QTest::newRow("track below the handle") << "below" << -10;
        QTest::newRow("Up key") << "Up" << 1;
        QTest::newRow("Down key") << "Down" << -1;
    }
    void risingBarRisesUpwards() {
        QFETCH(QString, where);
        QFETCH(int, change);
        RisingScrollBar bar;
        bar.setRisingRange(0, 255);
        bar.setPageStep(10);
        bar.resize(20, 300);
        bar.setRisingValue(100);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QCOMPARE(bar.value(), 100);
        QStyleOptionSlider option;
        option.initFrom(&bar);
        option.orientation = Qt::Vertical;
        option.minimum = bar.minimum();
        option.maximum = bar.maximum();
        option.sliderPosition = bar.sliderPosition();
        option.sliderValue = bar.value();
        option.singleStep = bar.singleStep();
        option.pageStep = bar.pageStep();
        option.upsideDown = bar.invertedAppearance();
        option.subControls = QStyle::SC_All;
        const QRect handle = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar);
        if (where == QLatin1String("Up") || where == QLatin1String("Down")) {
            QTest::keyClick(&bar, where == QLatin1String("Up") ? Qt::Key_Up : Qt::Key_Down);
        } else {
            const QPoint point = where == QLatin1String("top arrow")      ? QPoint(10, 3)
                                 : where == QLatin1String("bottom arrow") ? QPoint(10, 296)
                                 : where == QLatin1String("above")        ? QPoint(10, handle.top() - 5)
                                                                          : QPoint(10, handle.bottom() + 5);
            QTest::mousePress(&bar, Qt::LeftButton, {}, point);
            QTest::mouseRelease(&bar, Qt::LeftButton, {}, point);
        }
        QCOMPARE(bar.value(), 100 + change);
        // The largest value stands at the top.
        bar.setRisingValue(255);
        option.sliderPosition = option.sliderValue = 255;
        QVERIFY(bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar).top() <
                handle.top());
    }

    // A field holding "3" beside a bar of 1..999, under the coupling's rules; steps: "t:T"
    // sets the text, "k:T" types T at its end, "b:N" moves the bar.
    void fieldBarCoupling_data() {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("bar");
        using S = QStringList;
        QTest::newRow("the bar writes the field") << "quiet" << S{"b:42"} << "42" << 42;
        QTest::newRow("emptied: the bar stays") << "echo" << S{"t:"} << "" << 3;
        QTest::newRow("emptied, then 5 typed: 5") << "echo" << S{"t:", "k:5"} << "5" << 5;
        QTest::newRow("no number: the bar stays") << "echo" << S{"t:abc"} << "abc" << 3;
        QTest::newRow("letters after the number") << "echo" << S{"t:12a"} << "12" << 12;
        QTest::newRow("a half rounds to even") << "echo" << S{"t:2.5"} << "2" << 2;
        QTest::newRow("above the top, echoed") << "echo" << S{"t:1500"} << "999" << 999;
        QTest::newRow("above the top, quiet") << "quiet" << S{"t:1500"} << "1500" << 999;
        QTest::newRow("below the bottom with the bar there") << "echo" << S{"b:1", "t:0"} << "0" << 1;
        QTest::newRow("below the bottom with the bar there, held") << "held" << S{"b:1", "t:0"} << "1" << 1;
        QTest::newRow("field not moving the bar") << "off" << S{"t:50"} << "50" << 3;
        QTest::newRow("bar value refused") << "odd only" << S{"t:8"} << "8" << 3;
        QTest::newRow("bar value taken") << "odd only" << S{"t:7"} << "7" << 7;
    }
    void fieldBarCoupling() {
        QFETCH(QString, rules);
        QFETCH(QStringList, steps);
        QFETCH(QString, shown);
        QFETCH(int, bar);
        QLineEdit field(QStringLiteral("3"));
        RisingScrollBar scroll;
        scroll.setRisingRange(1, 999);
        FieldBarRules r;
        r.echo = rules != u"quiet";
        r.holdTop = r.holdBottom = rules == u"held";
        if (rules == u"off")
            r.fieldMovesBar = [] { return false; };
        if (rules == u"odd only")
            r.barValue = [](qint64 n, int, int) { return n % 2 ? std::optional<int>(int(n)) : std::nullopt; };
        new FieldBarCoupling(&field, &scroll, r);
        QCOMPARE(scroll.risingValue(), rules == u"off" ? 1 : 3);
        scroll.setRisingValue(3);
        for (const QString& step : steps) {
            const QString arg = step.mid(2);
            if (step.startsWith(u"t:"))
                field.setText(arg);
            else if (step.startsWith(u"k:")) {
                field.end(false);
                QTest::keyClicks(&field, arg);
            } else
                scroll.setRisingValue(arg.toInt());
        }
        QCOMPARE(field.text(), shown);
        QCOMPARE(scroll.risingValue(), bar);
    }
};

QTEST_MAIN(TestUiHelpers)
#include "tst_uihelpers.moc"
