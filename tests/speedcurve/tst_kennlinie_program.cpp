#include "ClockWait.h"
#include "ProgramRig.h"
#include "intellibox/ui/frmZentrale.h"
#include "programming/core/ProtocolTable.h"
#include "speedcurve/core/SpeedCurve.h"
#include "speedcurve/ui/frmKennlinie.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <functional>

namespace {

// The program on a simulated Intellibox and virtual time, with the programming window
// opened from the main menu.
struct Program : ProgramRig {
    QPointer<frmZentrale> zentrale;

    Program() {
        main.entry(QStringLiteral("mnuSystem_MM"))->trigger();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* z = qobject_cast<frmZentrale*>(w); z && z->isVisible())
                zentrale = z;
    }

    template <class T = QAbstractButton> T* in(QWidget* window, const char* name) const {
        return window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }
    void click(QWidget* window, const char* name) {
        auto* button = in(window, name);
        QVERIFY2(button && button->isEnabled(), name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // The open speed-curve editors.
    QList<frmKennlinie*> editors() const {
        QList<frmKennlinie*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* k = qobject_cast<frmKennlinie*>(w); k && k->isVisible())
                found.append(k);
        return found;
    }
    frmKennlinie* openEditor() {
        click(zentrale, "btnKennlinie");
        return editors().value(0);
    }
    QStringList protocol() const {
        QStringList rows;
        for (const CvRow& row : zentrale->protocol().rows())
            rows.append(row.action + u' ' + row.cv + u' ' + row.value);
        return rows;
    }
    const QStringList& commands() const { return station.p50xCommands(); }
    void onceAfter(qint64 ms, std::function<void()> action) { ::onceAfter(clock, ms, std::move(action)); }
};

}  // namespace

// The speed-curve editor as the Intellibox programming window opens it: one instance, its
// transfer logged in that window's protocol, closed with the window, and either window
// closed during a transfer.
class TestKennlinieProgram : public QObject {
    Q_OBJECT
private slots:
    // The 6021 offers no editor; the Intellibox and the MasterControl do, from the toolbar
    // button and the menu entry, one instance.
    void opening() {
        Program p;
        QVERIFY(p.zentrale);
        auto* menuEntry = p.in<QAction>(p.zentrale, "mnuDatei_Kennlinie");
        QCOMPARE(menuEntry->text(), QStringLiteral("Geschwindigkeits&kennlinie bearbeiten  "));
        QCOMPARE(menuEntry->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
        p.click(p.zentrale, "btnUnit_0");
        QVERIFY(!p.in(p.zentrale, "btnKennlinie")->isEnabled());
        QVERIFY(!menuEntry->isEnabled());
        for (const char* station : {"btnUnit_1", "btnUnit_2"}) {
            p.click(p.zentrale, station);
            QVERIFY(p.in(p.zentrale, "btnKennlinie")->isEnabled());
            QVERIFY(menuEntry->isEnabled());
        }
        frmKennlinie* editor = p.openEditor();
        QVERIFY(editor);
        QCOMPARE(editor->host(), static_cast<SpeedCurveHost*>(p.zentrale.data()));
        QCOMPARE(p.ctx.HelpPage, QStringLiteral("Zelvo_Kennlinie.htm"));
        QVERIFY(!editor->isModal());
        menuEntry->trigger();
        QCOMPARE(p.editors(), QList<frmKennlinie*>{editor});
        // Closed and opened again: a new editor.
        editor->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(p.editors().isEmpty());
        QVERIFY(p.openEditor());
    }

    // A user makes the curve linear, writes it and reads it back: the steps turn green and
    // each is logged in the programming window's protocol.
    void writeAndReadBack() {
        Program p;
        p.click(p.zentrale, "btnUnit_2");
        frmKennlinie* editor = p.openEditor();
        QVERIFY(editor);
        editor->curve().setValue(1, 10);
        editor->curve().setValue(28, 253);
        p.click(editor, "btnLinear");
        p.click(editor, "btnSchreiben");
        QStringList written;
        for (int step = 1; step <= 28; ++step)
            written.append(QStringLiteral("S %1 %2").arg(66 + step).arg(editor->curve().value(step)));
        QCOMPARE(p.protocol(), written);
        QCOMPARE(p.commands().first(), QStringLiteral("XPT1"));
        QCOMPARE(p.commands().last(), QStringLiteral("XPT0"));
        QCOMPARE(p.station.cv(80), std::optional<int>(editor->curve().value(14)));
        QCOMPARE(editor->status(), QStringLiteral(" Programmierung beendet ..."));

        // Read back into a changed curve.
        p.clock.advance(1000);
        p.click(editor, "btn_heben");
        p.click(editor, "btnLesen");
        QCOMPARE(p.protocol().size(), 56);
        for (int step = 1; step <= 28; ++step) {
            QCOMPARE(p.protocol().at(27 + step), QStringLiteral("L %1 %2").arg(66 + step).arg(editor->curve().value(step)));
            QCOMPARE(editor->curve().mark(step), SpeedCurve::Mark::Transferred);
            QCOMPARE(editor->findChild<QWidget*>(QStringLiteral("Marke_%1").arg(step))->property("picture").toString(),
                     QStringLiteral("imgMarke_gruen"));
        }
        QCOMPARE(editor->curve().value(1), 10);
        QCOMPARE(editor->status(), QStringLiteral(" Lesevorgang beendet ..."));
        QVERIFY(p.notifier.messages.isEmpty());

        // While the editor is open the window's own operations go on; closing the window
        // unloads the editor, which leaves the programming track.
        p.clock.advance(1000);
        const qsizetype sent = p.commands().size();
        p.zentrale->close();
        QVERIFY(p.editors().isEmpty());
        QCOMPARE(p.commands().mid(sent), QStringList{"XPT0"});
    }

    // Either window closed while a step waits: the run ends after that step, only "XPT0"
    // follows, and both windows go once the run has returned.
    void closingDuringATransfer_data() {
        QTest::addColumn<bool>("closeZentrale");
        QTest::newRow("the programming window") << true;
        QTest::newRow("the editor") << false;
    }
    void closingDuringATransfer() {
        QFETCH(bool, closeZentrale);
        Program p;
        p.click(p.zentrale, "btnUnit_2");
        QPointer<frmKennlinie> editor = p.openEditor();
        QVERIFY(editor);
        // Step 3 of the read waits for its answer from 3000 ms on.
        p.onceAfter(3100, [&] {
            if (closeZentrale)
                p.zentrale->close();
            else
                editor->close();
            // The event loop comes by while the step still waits: neither window goes yet.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(editor && p.zentrale);
        });
        p.click(editor, "btnLesen");
        QCOMPARE(p.commands(), (QStringList{"XPTRD67", "XPTRD68", "XPTRD69", "XPT0"}));
        QVERIFY(!editor->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTRY_VERIFY(!editor);
        QCOMPARE(bool(p.zentrale), !closeZentrale);
        if (!closeZentrale) {
            QCOMPARE(p.protocol().size(), 2);
            // The window's line is free again, and the editor opens anew.
            QVERIFY(!p.link.exchangeRunning());
            QVERIFY(p.openEditor());
        }
    }
};

QTEST_MAIN(TestKennlinieProgram)
#include "tst_kennlinie_program.moc"
