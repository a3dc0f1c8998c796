#include "AccessKeys.h"
#include "ProgramRig.h"
#include "app/ui/HelpWindow.h"
#include "programming/core/CvGroupTable.h"
#include "intellibox/ui/frmZentrale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QTest>

namespace {

// The program with the two helpers this test walks the main menu with.
struct Program : ProgramRig {
    // The main-menu entries that open a window.
    QList<QAction*> openers() const {
        static const QSet<QString> notWindows{QStringLiteral("mnuSystem_beenden"), QStringLiteral("mnuBeenden"),
                                              QStringLiteral("mnuHilfe")};
        QList<QAction*> list;
        for (QMenu* menu : main.menuBar()->findChildren<QMenu*>())
            for (QAction* a : menu->actions())
                if (!a->isSeparator() && !a->menu() && a->isEnabled() && !notWindows.contains(a->objectName()))
                    list.append(a);
        return list;
    }

    // Runs the entry and returns the windows it showed.
    QList<QWidget*> open(QAction* entry) {
        QSet<QWidget*> before;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                before.insert(w);
        entry->trigger();
        QList<QWidget*> shown;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && !before.contains(w) && !qobject_cast<QMenu*>(w))
                shown.append(w);
        return shown;
    }
};

// Clashes that the windows' own texts make and that must stay as they are written. In a menu
// Qt walks between the items that share a key; Enter then runs the one chosen.
const QStringList keptClashes{
    // The Lenz window's "&Datei": "&CV 29 bearbeiten" and "s&chließen".
    QStringLiteral("mnuDatei Alt+C: mnuDatei_schliessen, mnuDatei_CV29"),
};

QStringList faultsOf(const QWidget* window) {
    QStringList faults = AccessKeys::faults(window);
    if (AccessKeys::nameOf(window) == QLatin1String("frmLenz"))
        for (const QString& kept : keptClashes)
            faults.removeAll(kept);
    return faults;
}

QString describe(const QString& where, const QStringList& faults) {
    return where + QStringLiteral(": ") + faults.join(QStringLiteral("; "));
}

void click(QWidget* window, const QString& name) {
    auto* button = window->findChild<QAbstractButton*>(name);
    QVERIFY2(button, qPrintable(name));
    if (button->isEnabled())
        button->click();
}

// Presses Tab from the focused control until the focus comes back round, and returns the
// controls of `window` it never reached that the user could reach: shown on screen, enabled
// and taking focus by Tab (an editable combo box's field counts through its box).
QStringList tabMisses(QWidget* window) {
    QSet<QWidget*> reached;
    QWidget* start = QApplication::focusWidget();
    for (int i = 0; i < 400 && QApplication::focusWidget(); ++i) {
        reached.insert(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == start)
            break;
    }
    QStringList missed;
    for (QWidget* c : window->findChildren<QWidget*>()) {
        if (c->window() == window && !c->focusProxy() && c->isVisible() && c->isEnabled() &&
            (c->focusPolicy() & Qt::TabFocus) && AccessKeys::onScreen(c, window) && !reached.contains(c))
            missed << AccessKeys::nameOf(c);
    }
    return missed;
}

}  // namespace

// Every window of the program, as the main menu opens it, in the states that show other
// controls: each access key (Alt+letter) reaches exactly one control the user can see, and
// no menu repeats a key. A window built later is plugged into ProgramWindows and so comes
// under this test by itself.
class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void everyWindowOfTheMainMenu() {
        Program p;
        QVERIFY2(AccessKeys::faults(&p.main).isEmpty(), qPrintable(describe("frmHauptmenu", AccessKeys::faults(&p.main))));
        const QList<QAction*> entries = p.openers();
        QVERIFY(entries.size() >= 5);
        QStringList checked;
        for (QAction* entry : entries) {
            const QList<QWidget*> shown = p.open(entry);
            QVERIFY2(!shown.isEmpty(), qPrintable(entry->objectName()));
            for (QWidget* w : shown) {
                QVERIFY(QTest::qWaitForWindowExposed(w));
                const QStringList faults = faultsOf(w);
                QVERIFY2(faults.isEmpty(), qPrintable(describe(entry->objectName() + u'/' + AccessKeys::nameOf(w), faults)));
                // No grid keeps Tab to itself.
                for (const QTableView* grid : w->findChildren<QTableView*>())
                    QVERIFY2(!grid->tabKeyNavigation(), qPrintable(AccessKeys::nameOf(grid)));
                checked.append(AccessKeys::nameOf(w));
                w->close();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        for (const char* name : {"frmZentrale", "frmIB", "frmSchnittstelle", "frmDecoderHersteller", "frmProgrammierhilfe"})
            QVERIFY2(checked.contains(QLatin1String(name)), qPrintable(checked.join(u' ')));
    }

    // The programming window by station, decoder type and view: a parked or hidden view
    // takes no key, so Alt+S always reaches one "&schreiben".
    void programmingWindowInEveryState() {
        Program p;
        QWidget* w = p.open(p.main.entry(QStringLiteral("mnuSystem_MM"))).value(0);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QStringList views{QString(), QStringLiteral("rbnCV29"), QStringLiteral("rbnLA"), QStringLiteral("rbnCVGruppen")};
        for (int station = 0; station < 3; ++station) {
            click(w, QStringLiteral("btnUnit_%1").arg(station));
            for (int type = 0; type < 3; ++type) {
                click(w, QStringLiteral("optTyp_%1").arg(type));
                for (const QString& view : views) {
                    if (!view.isEmpty())
                        click(w, view);
                    const QStringList faults = AccessKeys::faults(w);
                    QVERIFY2(faults.isEmpty(),
                             qPrintable(describe(QStringLiteral("station %1, type %2, view %3").arg(station).arg(type).arg(view), faults)));
                    if (!view.isEmpty())
                        click(w, view);
                }
            }
        }
    }

    // The Lenz window in each view, on each interface and in each programming mode.
    void lenzWindowInEveryState() {
        Program p;
        QWidget* w = p.open(p.main.entry(QStringLiteral("mnuSystem_Lenz"))).value(0);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QStringList views{QString(), QStringLiteral("rbnCV29"), QStringLiteral("rbnLA"), QStringLiteral("rbnCVGruppen")};
        for (int line = 0; line < 2; ++line) {
            click(w, QStringLiteral("btnIF_%1").arg(line));
            for (int mode = 0; mode < 3; ++mode) {
                click(w, QStringLiteral("optProgmode_%1").arg(mode));
                for (const QString& view : views) {
                    if (!view.isEmpty())
                        click(w, view);
                    const QStringList faults = faultsOf(w);
                    QVERIFY2(faults.isEmpty(),
                             qPrintable(describe(QStringLiteral("line %1, mode %2, view %3").arg(line).arg(mode).arg(view), faults)));
                    if (!view.isEmpty())
                        click(w, view);
                }
            }
        }
    }

    // Alt+S on the decoder panel writes the value, whatever the parked views hold.
    void altSWrites() {
        Program p;
        QWidget* w = p.open(p.main.entry(QStringLiteral("mnuSystem_MM"))).value(0);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        click(w, QStringLiteral("btnUnit_2"));
        click(w, QStringLiteral("optTyp_2"));
        w->findChild<QLineEdit*>(QStringLiteral("txtRegister"))->setText(QStringLiteral("29"));
        auto* value = w->findChild<QLineEdit*>(QStringLiteral("txtWert"));
        value->setText(QStringLiteral("6"));
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        value->setFocus();
        p.station.clearTraffic();
        QTest::keyClick(value, Qt::Key_S, Qt::AltModifier);
        // A button pressed by its access key clicks when its pressed look has shown.
        QTRY_VERIFY(p.station.p50xCommands().contains(QStringLiteral("XPT0")));
        QCOMPARE(p.station.p50xCommands().mid(p.station.p50xCommands().indexOf(QStringLiteral("XPTWD29, 6"))),
                 (QStringList{"XPTWD29, 6", "XPT0"}));
    }

    // Tab and Shift+Tab leave the protocol grid and the CV-group grid, also from a cell
    // being edited (committed first): the keyboard reaches the drive desk.
    void tabLeavesTheGrids_data() {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<bool>("editing");
        QTest::newRow("protocol") << "grdKP" << false;
        QTest::newRow("protocol, editing a cell") << "grdKP" << true;
        QTest::newRow("CV groups") << "grdGR" << false;
        QTest::newRow("CV groups, editing a cell") << "grdGR" << true;
    }
    void tabLeavesTheGrids() {
        QFETCH(QString, grid);
        QFETCH(bool, editing);
        Program p;
        auto* w = qobject_cast<QMainWindow*>(p.open(p.main.entry(QStringLiteral("mnuSystem_MM"))).value(0));
        QVERIFY(w);
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        click(w, QStringLiteral("btnUnit_2"));
        click(w, QStringLiteral("optTyp_2"));
        auto* view = w->findChild<QTableView*>(grid);
        QVERIFY(view);
        if (grid == QLatin1String("grdGR")) {
            click(w, QStringLiteral("rbnCVGruppen"));
            static_cast<CvGroupTable*>(view->model())->appendRows({{"S", "29", "6", ""}, {"S", "1", "3", ""}},
                                                                   QStringLiteral("DCC"));
        } else {
            auto* protocol = qobject_cast<frmZentrale*>(w);
            protocol->writeProtokoll(QStringLiteral("S"), QStringLiteral("29"), QStringLiteral("6"));
            protocol->writeProtokoll(QStringLiteral("L"), QStringLiteral("8"), QStringLiteral("97"));
            if (editing)
                protocol->findChild<QMenu*>(QStringLiteral("mnuPopUp"))
                    ->findChild<QAction*>(QStringLiteral("mnuPopUp_Editieren"))
                    ->trigger();
        }
        const int valueColumn = grid == QLatin1String("grdGR") ? 2 : view->model()->columnCount() - 1;
        const int firstRow = grid == QLatin1String("grdGR") ? 0 : view->model()->rowCount() - 2;
        for (const bool forward : {true, false}) {
            view->setFocus();
            view->setCurrentIndex(view->model()->index(firstRow, valueColumn));
            QVERIFY(view->hasFocus());
            QWidget* typedInto = view;
            if (editing) {
                view->edit(view->currentIndex());
                typedInto = QApplication::focusWidget();
                QVERIFY(typedInto && typedInto != view && view->isAncestorOf(typedInto));
                auto* line = qobject_cast<QLineEdit*>(typedInto);
                QVERIFY(line);
                line->selectAll();
                QTest::keyClicks(line, forward ? "7" : "9");
            }
            QTest::keyClick(typedInto, forward ? Qt::Key_Tab : Qt::Key_Backtab, forward ? Qt::NoModifier : Qt::ShiftModifier);
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            QVERIFY2(focus != view && !view->isAncestorOf(focus), qPrintable(AccessKeys::nameOf(focus)));
            if (editing)
                QCOMPARE(view->model()->index(firstRow, valueColumn).data().toString(),
                         QString::fromLatin1(forward ? "7" : "9"));
        }
        // From the protocol grid the next control is the drive desk's address field.
        if (grid == QLatin1String("grdKP") && !editing) {
            view->setFocus();
            QTest::keyClick(view, Qt::Key_Tab);
            QWidget* desk = w->findChild<QWidget*>(QStringLiteral("pnlFahrpult"));
            QVERIFY2(desk->isAncestorOf(QApplication::focusWidget()), qPrintable(AccessKeys::nameOf(QApplication::focusWidget())));
        }
    }

    // Tab walks the whole window: from the control that has the focus, Tab reaches every
    // control the user can see and use, and comes back round; in the programming window in
    // each of its views as well.
    void tabWalksTheWholeWindow() {
        Program p;
        for (QAction* entry : p.openers()) {
            for (QWidget* w : p.open(entry)) {
                QApplication::setActiveWindow(w);
                QVERIFY(QTest::qWaitForWindowActive(w));
                QStringList views{QString()};
                if (AccessKeys::nameOf(w) == QLatin1String("frmZentrale")) {
                    click(w, QStringLiteral("btnUnit_2"));
                    click(w, QStringLiteral("optTyp_2"));
                    views << QStringLiteral("rbnCV29") << QStringLiteral("rbnLA") << QStringLiteral("rbnCVGruppen");
                    // Grids with rows, whose cells must not keep Tab.
                    auto* zentrale = qobject_cast<frmZentrale*>(w);
                    zentrale->writeProtokoll(QStringLiteral("S"), QStringLiteral("29"), QStringLiteral("6"));
                    zentrale->groupTable().appendRows({{"S", "29", "6", ""}, {"S", "1", "3", ""}}, QStringLiteral("DCC"));
                }
                for (const QString& view : views) {
                    if (!view.isEmpty())
                        click(w, view);
                    const QStringList missed = tabMisses(w);
                    QVERIFY2(missed.isEmpty(), qPrintable(describe(entry->objectName() + u'/' + view, missed)));
                    if (!view.isEmpty())
                        click(w, view);
                }
                w->close();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    void helpWindow() {
        HelpWindow* help = HelpWindow::instance();
        help->show();
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY2(AccessKeys::faults(help).isEmpty(), qPrintable(describe("HelpWindow", AccessKeys::faults(help))));
        help->close();
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
