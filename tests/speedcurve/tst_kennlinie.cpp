// Mouse input goes through the window system, so a pressed button grabs the pointer for
// the widget under it, as with a real mouse.
#define QTEST_QPA_MOUSE_HANDLING

#include "app/core/AppContext.h"
#include "app/ui/FileDialog.h"
#include "app/ui/Printout.h"
#include "app/ui/Twips.h"
#include "FakeSpeedCurveHost.h"
#include "FullDisk.h"
#include "PdfWords.h"
#include "RecordingNotifier.h"
#include "TestFiles.h"
#include "speedcurve/core/BezierDrawing.h"
#include "speedcurve/core/PlanGeometry.h"
#include "speedcurve/core/SpeedCurve.h"
#include "speedcurve/ui/PlanArea.h"
#include "speedcurve/ui/frmKennlinie.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace G = PlanGeometry;

namespace {

QString picture(const QWidget* marker) {
    return marker->property("picture").toString();
}

}  // namespace

class TestKennlinie : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    RecordingNotifier notifier;
    AppContext ctx;
    Dialog dialog;
    std::unique_ptr<frmKennlinie> window;

    template <class T = QWidget> T* get(const QString& name) const {
        T* found = window->findChild<T*>(name);
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }
    QWidget* plan() const { return get(QStringLiteral("picPlan")); }
    QLabel* marke(int step) const { return get<QLabel>(QStringLiteral("Marke_%1").arg(step)); }
    QLabel* handle(int k) const { return get<QLabel>(QStringLiteral("Anfasser_%1").arg(k)); }
    QString fs(int step) const { return get<QLabel>(QStringLiteral("FS_%1").arg(step))->text(); }
    QScrollBar* scroll(int step) const { return get<QScrollBar>(QStringLiteral("Scroll_%1").arg(step)); }
    GridLine* vLine(int step) const { return get<GridLine>(QStringLiteral("vLine_%1").arg(step)); }
    QAction* action(const char* name) const { return get<QAction>(QString::fromLatin1(name)); }
    void click(const char* name) {
        auto* button = get<QToolButton>(QString::fromLatin1(name));
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    SpeedCurve& curve() const { return window->curve(); }
    void setValues(int first, int others, int last) {
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            curve().setValue(step, step == 1 ? first : step == SpeedCurve::steps ? last : others);
    }
    // The drawing area as it is on the screen.
    QImage planImage() const { return plan()->grab().toImage(); }
    // The pointer over the drawing area, in its pixels, while a button is held.
    void dragOverPlan(QWidget* grabbed, QPoint from, const QList<QPoint>& path) {
        QTest::mousePress(grabbed, Qt::LeftButton, {}, from);
        for (const QPoint& p : path)
            QTest::mouseMove(plan(), p);
    }
    void dropOverPlan(QPoint at) { QTest::mouseRelease(plan(), Qt::LeftButton, {}, at); }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        ctx.notifier = &notifier;
        ctx.HelpFile = QStringLiteral("help");
    }

    void init() {
        notifier.messages.clear();
        notifier.helpPages.clear();
        notifier.expectMessages = false;
        notifier.answerFor = {};
        ctx.PosKennlinieLeft = 1500;
        ctx.PosKennlinieTop = 900;
        ctx.HelpPage = QStringLiteral("Zelvo_IB.htm");
        ctx.Abbruch = false;
        window = std::make_unique<frmKennlinie>(ctx, dialog);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() {
        window.reset();
        Dialog::setAnswerProvider({});
        Printout::setTestTarget({});
    }

    // Loading: position, help page, the 28 steps with their names and places, captions,
    // tooltips, the menu bar split after its second item, the transfer controls inert.
    void load() {
        QCOMPARE(window->windowTitle(), QStringLiteral(" Kennlinie bearbeiten"));
        QCOMPARE(positionTwips(window.get()), QPoint(1500, 900));
        QCOMPARE(ctx.HelpPage, QStringLiteral("Zelvo_Kennlinie.htm"));
        QCOMPARE(window->KennlinienTyp(), QString());
        QCOMPARE(window->height(), twips(7650 - 405));

        const int scroll1 = scroll(1)->x();
        for (int step = 1; step <= SpeedCurve::steps; ++step) {
            const int v = curve().value(step);
            QCOMPARE(scroll(step)->minimum(), 0);
            QCOMPARE(scroll(step)->maximum(), 255);
            QCOMPARE(scroll(step)->value(), 255 - v);
            QCOMPARE(scroll(step)->x(), scroll1 + twips(240 * (step - 1)));
            QCOMPARE(marke(step)->geometry(), QRect(12 + 16 * (step - 1), 255 - v + 8, 8, 8));
            QCOMPARE(picture(marke(step)), QStringLiteral("imgMarke_rot"));
            QCOMPARE(fs(step), QString::number(v));
            auto* label = get<QLabel>(QStringLiteral("FS_%1").arg(step));
            QCOMPARE(label->toolTip(), QStringLiteral(" CV %1 ").arg(66 + step));
            // Odd steps in the first row, even ones in the second; 32 pixels apart in a row.
            QCOMPARE(label->y(), get(QStringLiteral("FS_%1").arg(2 - step % 2))->y());
            if (step > 2)
                QCOMPARE(label->x(), get(QStringLiteral("FS_%1").arg(step - 2))->x() + 32);
            // Bar, label and vertical line stand on the marker's centre line.
            const int centre = plan()->x() + marke(step)->x() + 4;
            QVERIFY(qAbs(scroll(step)->geometry().center().x() - centre) <= 1);
            QVERIFY(qAbs(label->geometry().center().x() - centre) <= 1);
            QCOMPARE(vLine(step)->geometry(), QRect(marke(step)->x() + 4, G::gridTop, 1, G::gridBottom - G::gridTop + 1));
            QCOMPARE(vLine(step)->colour(), GridLine::gridColour);
        }
        QVERIFY(get(QStringLiteral("FS_1"))->y() < get(QStringLiteral("FS_2"))->y());
        for (int i = 0; i <= 260; i += 10)
            QCOMPARE(get(QStringLiteral("hLine_%1").arg(i))->y(), G::hLineY(i));
        QCOMPARE(get<QLabel>(QStringLiteral("lblCV"))->text(),
                 QStringLiteral(" 67  '   '  70  '    '   '   '  75   '   '    '   '   80  '   '   '   '   85  '   '   '"
                                "   '   90   '   '   '   94"));
        for (int k = 1; k <= 2; ++k) {
            QVERIFY(!handle(k)->isVisible());
            QCOMPARE(handle(k)->toolTip(), QStringLiteral(" Anfasser %1 ").arg(k));
        }

        const QList<std::pair<const char*, const char*>> tips{
            {"btnLaden", " Kennlinie laden "},
            {"btnSpeichern", " Kennlinie speichern "},
            {"btnSchreiben", " Kennlinie in Decoder schreiben "},
            {"btnLesen", " Kennlinie aus Decoder auslesen "},
            {"btn_heben", " Kennlinie anheben "},
            {"btn_senken", " Kennlinie absenken "},
            {"btnLinear", " lineare Kennlinie erzeugen "},
            {"btnExp1", " exponentiale Kennlinie erzeugen "},
            {"btnDrucken", " Kennlinie drucken "},
            {"btnAbbruch", " Schreiben / Lesen abbrechen "}};
        for (const auto& [name, tip] : tips)
            QCOMPARE(get(QString::fromLatin1(name))->toolTip(), QString::fromUtf8(tip));

        // The menus in order, separators as "-".
        auto items = [](const QWidget* menu) {
            QStringList texts;
            for (const QAction* a : menu->actions())
                texts.append(a->isSeparator() ? QStringLiteral("-") : a->objectName() + u'=' + a->text());
            return texts;
        };
        QCOMPARE(items(get(QStringLiteral("mnuDatei"))),
                 (QStringList{"mnuDatei_speichern=Kennlinie in Datei speichern     ", "mnuDatei_laden=Kennlinie aus Datei laden",
                              "mnuDatei_drucken=Kennlinie drucken", "-", "mnuDatei_schliessen=s&chließen"}));
        QCOMPARE(items(get(QStringLiteral("mnuKennlinie"))),
                 (QStringList{"mnuKennlinie_Linear=&lineare Kennlinie", "mnuKennlinie_Exponential=exponentielle Kennlinie",
                              "-", "mnuKennlinie_Schreiben=Kennlinie in Decoder &schreiben      ",
                              "mnuKennlinie_Lesen=Kennlinie aus Decoder &auslesen"}));
        QCOMPARE(items(get(QStringLiteral("mnuPopUp"))),
                 (QStringList{"mnuPopUp_Linear=&lineare Kennlinie zeichnen", "mnuPopUp_exponentiell=e&xponentielle Kennlinie zeichnen",
                              "-", "mnuPopUp_anheben=Kennlinie anheben", "mnuPopUp_absenken=Kennlinie absenken", "-",
                              "mnuPopUp_Lineal=Lineal ausblenden", "-",
                              "mnuPopUp_speichern=Kennlinie in Datei speichern     ",
                              "mnuPopUp_laden=Kennlinie aus Datei laden", "mnuPopUp_drucken=Kennlinie drucken", "-",
                              "mnuPopUp_schreiben=Kennlinie in Decoder &schreiben    ",
                              "mnuPopUp_einlesen=Kennlinie aus Decoder &auslesen"}));
        QStringList left, right;
        for (const QAction* a : window->menuBar()->actions())
            left.append(a->text());
        auto* corner = qobject_cast<QMenuBar*>(window->menuBar()->cornerWidget(Qt::TopRightCorner));
        QVERIFY(corner);
        for (const QAction* a : corner->actions())
            right.append(a->objectName() + u'=' + a->text());
        QCOMPARE(left, (QStringList{"&Datei", "&Kennlinie"}));
        QCOMPARE(right, (QStringList{"mnuHilfe=&?", "mnuSchliessen=s&chließen"}));

        for (const char* name : {"btnSchreiben", "btnLesen", "btnAbbruch"})
            QVERIFY2(!get(QString::fromLatin1(name))->isEnabled(), name);
        for (const char* name : {"mnuKennlinie_Schreiben", "mnuKennlinie_Lesen", "mnuPopUp_schreiben", "mnuPopUp_einlesen"})
            QVERIFY2(!action(name)->isEnabled(), name);
    }

    // With a programming window as host the transfer controls run: write and read through
    // the buttons, menu and pop-up items, the abort button, and the closing, which leaves
    // the programming track.
    void transferControls() {
        SimulatedZentrale z;
        FakeSpeedCurveHost host(z, FakeSpeedCurveHost::Station::P50x);
        ctx.Delay = 0;
        window->setHost(&host);
        for (const char* name : {"btnSchreiben", "btnLesen", "btnAbbruch"})
            QVERIFY2(get(QString::fromLatin1(name))->isEnabled(), name);
        for (const char* name : {"mnuKennlinie_Schreiben", "mnuKennlinie_Lesen", "mnuPopUp_schreiben", "mnuPopUp_einlesen"})
            QVERIFY2(action(name)->isEnabled(), name);

        setValues(5, 50, 250);
        click("btnSchreiben");
        QCOMPARE(host.rows.size(), 28);
        QCOMPARE(z.station.cv(67), std::optional<int>(5));
        QCOMPARE(z.station.cv(94), std::optional<int>(250));
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            QCOMPARE(picture(marke(step)), QStringLiteral("imgMarke_gruen"));
        QCOMPARE(get<QLabel>(QStringLiteral("stbStatus"))->text(), QStringLiteral(" Programmierung beendet ..."));

        for (int step = 1; step <= SpeedCurve::steps; ++step)
            z.station.setCv(66 + step, 3 * step);
        // A user's next click comes after the answer to "XPT0".
        z.clock.advance(1000);
        action("mnuPopUp_einlesen")->trigger();
        QCOMPARE(host.rows.size(), 56);
        QCOMPARE(host.rows.last(), QStringLiteral("L 94 84"));
        QCOMPARE(fs(10), QStringLiteral("30"));
        QCOMPARE(scroll(10)->value(), 225);
        QCOMPARE(get<QLabel>(QStringLiteral("stbStatus"))->text(), QStringLiteral(" Lesevorgang beendet ..."));

        // The abort button, pressed while step 3 waits for its answer.
        z.clock.advance(1000);
        z.clock.onYield = [&, done = false]() mutable {
            if (done || host.rows.size() < 58)
                return;
            done = true;
            click("btnAbbruch");
        };
        action("mnuKennlinie_Lesen")->trigger();
        z.clock.onYield = {};
        QCOMPARE(host.rows.size(), 58);
        QCOMPARE(get<QLabel>(QStringLiteral("stbStatus"))->text(), QStringLiteral(" Lesevorgang abgebrochen ..."));
        // The steps not read keep the values read before, red.
        QCOMPARE(picture(marke(3)), QStringLiteral("imgMarke_rot"));
        QCOMPARE(fs(3), QStringLiteral("9"));
        QCOMPARE(scroll(28)->value(), 255 - 84);

        z.clock.advance(25000);
        const qsizetype sent = z.station.p50xCommands().size();
        window->close();
        QCOMPARE(z.station.p50xCommands().mid(sent), QStringList{"XPT0"});
        window.reset();
    }

    // A marker follows the pointer one value per pixel and stops at 0 and 255; the step
    // turns red; a drop without a drawn curve samples nothing.
    void markerDrag() {
        setValues(0, 100, 255);
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            curve().setMark(step, SpeedCurve::Mark::Transferred);
        QCOMPARE(picture(marke(5)), QStringLiteral("imgMarke_gruen"));
        const QPoint grab(4, 3);
        const QPoint start = marke(5)->pos() + grab;
        dragOverPlan(marke(5), grab, {start + QPoint(0, 10), start + QPoint(1, 4)});
        QCOMPARE(curve().value(5), 96);
        QCOMPARE(fs(5), QStringLiteral("96"));
        QCOMPARE(scroll(5)->value(), 159);
        QCOMPARE(marke(5)->y(), 159 + 8);
        QCOMPARE(picture(marke(5)), QStringLiteral("imgMarke_rot"));
        QCOMPARE(picture(marke(6)), QStringLiteral("imgMarke_gruen"));

        QTest::mouseMove(plan(), QPoint(start.x(), 279));
        QTest::mouseMove(plan(), QPoint(start.x(), 279));
        QTest::mouseMove(plan(), QPoint(start.x(), 279));
        QCOMPARE(curve().value(5), 0);
        QCOMPARE(marke(5)->y(), 255 + 8);
        QTest::mouseMove(plan(), QPoint(start.x(), -200));
        QTest::mouseMove(plan(), QPoint(start.x(), -200));
        QCOMPARE(curve().value(5), 255);
        QCOMPARE(marke(5)->y(), 8);
        dropOverPlan(QPoint(start.x(), -200));
        QCOMPARE(curve().value(5), 255);
        QCOMPARE(curve().value(6), 100);

        // Only the left button grabs a marker.
        QTest::mousePress(marke(7), Qt::RightButton, {}, grab);
        QTest::mouseMove(plan(), marke(7)->pos() + grab + QPoint(0, 20));
        QTest::mouseRelease(plan(), Qt::RightButton, {}, marke(7)->pos() + grab + QPoint(0, 20));
        QCOMPARE(curve().value(7), 100);
    }

    // The exponential curve: the handles show, the grey curve follows a dragged handle
    // up to its limits, and a drop takes steps 1..27 from the curve and clears it.
    void handleDrag() {
        setValues(0, 100, 255);
        click("btnExp1");
        QCOMPARE(window->KennlinienTyp(), QStringLiteral("exp"));
        QVERIFY(handle(1)->isVisible() && handle(2)->isVisible());

        const QPoint h2 = handle(2)->pos();
        dragOverPlan(handle(1), QPoint(2, 2), {QPoint(150, 200), QPoint(300, 230)});
        QCOMPARE(handle(1)->pos(), QPoint(300, 230));
        // Beyond the limits the handle stays at x 440 and y 265; outside the area it stays.
        QTest::mouseMove(plan(), QPoint(460, 278));
        QCOMPARE(handle(1)->pos(), QPoint(440, 265));
        QTest::mouseMove(plan(), QPoint(600, 100));
        QCOMPARE(handle(1)->pos(), QPoint(440, 265));
        QTest::mouseMove(plan(), QPoint(260, 240));
        QCOMPARE(handle(1)->pos(), QPoint(260, 240));
        QCOMPARE(handle(2)->pos(), h2);

        // What is on the screen is what will be sampled.
        BezierDrawing expected;
        expected.draw({QPoint(16, 267), QPoint(264, 244), h2 + QPoint(4, 4), QPoint(448, 12)});
        const QImage shown = planImage();
        int greyPixels = 0;
        for (const PixelRun& run : expected.runs()) {
            for (int y = run.top; y <= run.bottom; ++y) {
                if ((y - G::gridTop) % 10 == 0 || (run.x - 16) % 16 == 0)
                    continue;  // under a grid line
                bool underMarker = false;
                for (const QWidget* w : plan()->findChildren<QLabel*>())
                    underMarker = underMarker || (w->isVisible() && w->geometry().contains(run.x, y));
                if (underMarker)
                    continue;
                QCOMPARE(shown.pixel(run.x, y) & 0xFFFFFF, PlanArea::curveColour);
                ++greyPixels;
            }
        }
        QVERIFY(greyPixels > 300);

        SpeedCurve sampled;
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            sampled.setValue(step, curve().value(step));
        BezierDrawing copy = expected;
        copy.sampleInto(sampled);
        dropOverPlan(QPoint(260, 240));
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            QCOMPARE(curve().value(step), sampled.value(step));
        QCOMPARE(curve().value(1), 0);
        QCOMPARE(curve().value(28), 255);
        QVERIFY(curve().value(14) < 100);
        QCOMPARE(picture(marke(14)), QStringLiteral("imgMarke_rot"));
        // The curve is gone from the screen; the handles stay.
        const QImage after = planImage();
        for (const PixelRun& run : expected.runs())
            for (int y = run.top; y <= run.bottom; ++y)
                QVERIFY(QColor(after.pixel(run.x, y)).rgb() != QColor(PlanArea::curveColour).rgb());
        QCOMPARE(handle(1)->pos(), QPoint(260, 240));
        QVERIFY(handle(1)->isVisible());

        // In the exponential mode a marker drag redraws the curve, and its drop samples it:
        // dragging the last marker down bends the whole curve.
        const QPoint grab(4, 4);
        const QPoint start = marke(28)->pos() + grab;
        dragOverPlan(marke(28), grab, {start + QPoint(0, 50)});
        QCOMPARE(curve().value(28), 205);
        const int before27 = curve().value(27);
        dropOverPlan(start + QPoint(0, 50));
        QVERIFY(curve().value(27) < before27);
        QCOMPARE(curve().value(28), 205);

        // Linear shaping hides the handles and clears the drawing.
        action("mnuKennlinie_Linear")->trigger();
        QCOMPARE(window->KennlinienTyp(), QStringLiteral("lin"));
        QVERIFY(!handle(1)->isVisible() && !handle(2)->isVisible());
    }

    void linearShaping() {
        setValues(0, 77, 255);
        for (const char* trigger : {"mnuKennlinie_Linear", "mnuPopUp_Linear", "btnLinear"}) {
            curve().setValue(2, 1);
            curve().setValue(15, 1);
            if (QString::fromLatin1(trigger).startsWith(u'b'))
                click(trigger);
            else
                action(trigger)->trigger();
            QCOMPARE(fs(2), QStringLiteral("9"));
            QCOMPARE(scroll(2)->value(), 246);
            QCOMPARE(fs(15), QStringLiteral("132"));
            QCOMPARE(scroll(15)->value(), 123);
            QCOMPARE(fs(1), QStringLiteral("0"));
            QCOMPARE(fs(28), QStringLiteral("255"));
        }
    }

    // Raise and lower through buttons and pop-up items, saturating at 255 and 0; a step
    // that does not move keeps its marker.
    void raiseAndLower() {
        setValues(255, 100, 0);
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            curve().setMark(step, SpeedCurve::Mark::Transferred);
        click("btn_heben");
        action("mnuPopUp_anheben")->trigger();
        QCOMPARE(fs(1), QStringLiteral("255"));
        QCOMPARE(fs(2), QStringLiteral("102"));
        QCOMPARE(fs(28), QStringLiteral("2"));
        QCOMPARE(picture(marke(1)), QStringLiteral("imgMarke_gruen"));
        QCOMPARE(picture(marke(2)), QStringLiteral("imgMarke_rot"));
        click("btn_senken");
        action("mnuPopUp_absenken")->trigger();
        click("btn_senken");
        click("btn_senken");
        QCOMPARE(fs(1), QStringLiteral("251"));
        QCOMPARE(fs(2), QStringLiteral("98"));
        QCOMPARE(fs(28), QStringLiteral("0"));
        QCOMPARE(marke(28)->y(), 255 + 8);
    }

    // A scroll bar moved by the user is a value change like any other. Its handle is no
    // longer than the bar is wide, so that it stands clear of itself at the two ends.
    void scrollBar() {
        curve().setMark(3, SpeedCurve::Mark::Transferred);
        scroll(3)->setValue(55);
        QCOMPARE(curve().value(3), 200);
        QCOMPARE(fs(3), QStringLiteral("200"));
        QCOMPARE(marke(3)->y(), 63);
        QCOMPARE(picture(marke(3)), QStringLiteral("imgMarke_rot"));

        QScrollBar* bar = scroll(3);
        auto handleAt = [bar](int position) {
            QStyleOptionSlider option;
            option.initFrom(bar);
            option.orientation = Qt::Vertical;
            option.minimum = bar->minimum();
            option.maximum = bar->maximum();
            option.pageStep = bar->pageStep();
            option.singleStep = bar->singleStep();
            option.sliderPosition = option.sliderValue = position;
            option.subControls = QStyle::SC_All;
            return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
        };
        const QRect top = handleAt(0);
        const QRect bottom = handleAt(255);
        QVERIFY2(top.height() > 0 && top.height() <= bar->width(), qPrintable(QString::number(top.height())));
        QVERIFY2(top.bottom() < bottom.top(), qPrintable(QStringLiteral("%1 %2").arg(top.bottom()).arg(bottom.top())));
    }

    void ruler() {
        QTest::mouseClick(get(QStringLiteral("FS_7")), Qt::LeftButton);
        for (int step = 1; step <= 28; ++step)
            QCOMPARE(vLine(step)->colour(), step == 7 ? QRgb(0) : GridLine::gridColour);
        QTest::mouseClick(get(QStringLiteral("FS_20")), Qt::LeftButton);
        QCOMPARE(vLine(7)->colour(), GridLine::gridColour);
        QCOMPARE(vLine(20)->colour(), QRgb(0));
        QCOMPARE(planImage().pixel(vLine(20)->x(), 100) & 0xFFFFFF, 0u);
        action("mnuPopUp_Lineal")->trigger();
        for (int step = 1; step <= 28; ++step)
            QCOMPARE(vLine(step)->colour(), GridLine::gridColour);
    }

    // A right click into the drawing area (also onto a grid line) opens the pop-up menu; a
    // right click on a marker does not.
    void popUp() {
        auto* menu = get<QMenu>(QStringLiteral("mnuPopUp"));
        QTest::mousePress(marke(3), Qt::RightButton, {}, QPoint(4, 4));
        QTest::mouseRelease(marke(3), Qt::RightButton, {}, QPoint(4, 4));
        QVERIFY(!menu->isVisible());
        QTest::mousePress(plan(), Qt::RightButton, {}, QPoint(vLine(10)->x(), 50));
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    // Help shows the page set last: this window's, unless another window set its own since.
    void help() {
        action("mnuHilfe")->trigger();
        ctx.HelpPage = QStringLiteral("Zelvo_FM_ESU.htm");
        action("mnuHilfe")->trigger();
        QCOMPARE(notifier.helpPages, (QStringList{"help|Zelvo_Kennlinie.htm", "help|Zelvo_FM_ESU.htm"}));
    }

    void closeStoresThePosition() {
        window->move(twips(2400), twips(1200));
        action("mnuDatei_schliessen")->trigger();
        QVERIFY(!window->isVisible());
        QCOMPARE(ctx.PosKennlinieLeft, 2400);
        QCOMPARE(ctx.PosKennlinieTop, 1200);
        QVERIFY(ctx.Abbruch);
    }

    // Save and load through the main window's dialog with the text filter, from every
    // entry point: the file holds what the labels show, a load brings it back.
    void saveAndLoad_data() {
        QTest::addColumn<QString>("save");
        QTest::addColumn<QString>("load");
        QTest::newRow("menu") << "mnuDatei_speichern" << "mnuDatei_laden";
        QTest::newRow("pop-up") << "mnuPopUp_speichern" << "mnuPopUp_laden";
        QTest::newRow("buttons") << "btnSpeichern" << "btnLaden";
    }
    void saveAndLoad() {
        QFETCH(QString, save);
        QFETCH(QString, load);
        const QString path = dir.filePath(QStringLiteral("kurve_%1.txt").arg(save));
        QStringList shown;
        Dialog::setAnswerProvider([&](const Dialog& d, bool saving) {
            shown.append(QStringLiteral("%1|%2|%3").arg(saving ? "save" : "open", d.filter()).arg(d.flags()));
            return path;
        });
        auto run = [&](const QString& name) {
            if (name.startsWith(u'b'))
                click(qPrintable(name));
            else
                action(qPrintable(name))->trigger();
        };
        setValues(3, 50, 250);
        curve().setValue(10, 7);
        // The file's name shows before the confirmation does.
        QString nameAtConfirmation;
        notifier.answerFor = [&](const RecordingNotifier::Message&) {
            nameAtConfirmation = get<QLabel>(QStringLiteral("pnlDateiname"))->text();
            return int(Notifier::Ok);
        };
        run(save);
        notifier.answerFor = {};
        notifier.expectMessages = true;
        QCOMPARE(nameAtConfirmation, QStringLiteral(" ") + path);
        QCOMPARE(notifier.messages.size(), 1);
        QCOMPARE(notifier.messages[0].text,
                 QStringLiteral("Kennlinie unter \r\r%1          \r\rgespeichert !           ").arg(path));
        QCOMPARE(notifier.messages[0].title, QStringLiteral(" Kennlinie auf Datenträger speichern...           "));
        QCOMPARE(notifier.messages[0].icon, Notifier::Icon::Information);
        QCOMPARE(get<QLabel>(QStringLiteral("pnlDateiname"))->text(), QStringLiteral(" ") + path);
        const QByteArray bytes = fileBytes(path);
        QCOMPARE(bytes.size(), 28 * 11);
        QVERIFY(bytes.startsWith("  067 003\r\n  068 050\r\n"));
        QVERIFY(bytes.contains("  076 007\r\n"));
        QVERIFY(bytes.endsWith("  094 250\r\n"));

        get<QLabel>(QStringLiteral("pnlDateiname"))->clear();
        curve().setValue(10, 99);
        for (int step = 1; step <= SpeedCurve::steps; ++step)
            curve().setMark(step, SpeedCurve::Mark::Transferred);
        run(load);
        QCOMPARE(notifier.messages.size(), 1);
        QCOMPARE(fs(10), QStringLiteral("7"));
        QCOMPARE(picture(marke(10)), QStringLiteral("imgMarke_rot"));
        QCOMPARE(picture(marke(11)), QStringLiteral("imgMarke_gruen"));
        QCOMPARE(get<QLabel>(QStringLiteral("pnlDateiname"))->text(), QStringLiteral(" ") + path);
        QCOMPARE(shown, (QStringList{"save|Text-Dateien (*.TXT)|*.txt|2", "open|Text-Dateien (*.TXT)|*.txt|2"}));
    }

    // A file that is not a whole curve changes nothing: the user is told why.
    void refusedLoads_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QByteArray good;
        for (int i = 1; i <= 28; ++i)
            good += "  0" + QByteArray::number(66 + i) + " 0" + QByteArray::number(10 + i) + "\r\n";
        const QString wrongCount = QStringLiteral(
            " ungültige Kennliniendatei...|Eine Kennliniendatei muß 28 Zeilen haben !            \r\r"
            "Die zu ladende Datei hat dagegen %1 Zeilen       ");
        QTest::newRow("27 lines") << good.left(27 * 11) << wrongCount.arg(27);
        QTest::newRow("29 lines") << good + "  095 001\r\n" << wrongCount.arg(29);
        QByteArray high = good;
        high.replace("  080 024", "  080 300");
        QTest::newRow("300") << high
                             << QStringLiteral(" ungültige Kennliniendatei...|Zeile 14 der Kennliniendatei endet nicht mit "
                                               "einem Wert von 0 bis 255 !       \r\rDie Kennlinie bleibt unverändert.");
    }
    void refusedLoads() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString path = dir.filePath(QStringLiteral("refused.txt"));
        QVERIFY(writeFileBytes(path, bytes));
        Dialog::setAnswerProvider([&](const Dialog&, bool) { return path; });
        setValues(1, 2, 3);
        const SpeedCurve::Values before = curve().values();
        notifier.expectMessages = true;
        click("btnLaden");
        QCOMPARE(onlyMessage(), message);
        QCOMPARE(notifier.messages[0].icon, Notifier::Icon::Critical);
        QCOMPARE(curve().values(), before);
        QCOMPARE(get<QLabel>(QStringLiteral("pnlDateiname"))->text(), QString());
    }

    void missingFileAndCancel() {
        const QString path = dir.filePath(QStringLiteral("fehlt.txt"));
        Dialog::setAnswerProvider([&](const Dialog&, bool) { return path; });
        const SpeedCurve::Values before = curve().values();
        notifier.expectMessages = true;
        click("btnLaden");
        QCOMPARE(onlyMessage(), QStringLiteral(" Kennlinie laden... |Keine Kennlinie gespeichert !          "));
        QCOMPARE(notifier.messages[0].icon, Notifier::Icon::Warning);
        QCOMPARE(curve().values(), before);
        QCOMPARE(get<QLabel>(QStringLiteral("pnlDateiname"))->text(), QStringLiteral(" ") + path);

        // Cancel in the dialog: nothing at all.
        notifier.messages.clear();
        notifier.expectMessages = false;
        Dialog::setAnswerProvider([](const Dialog&, bool) { return QString(); });
        click("btnLaden");
        click("btnSpeichern");
        QCOMPARE(curve().values(), before);
    }

    // A save that cannot be written goes to the central error report.
    void failedSave() {
        Dialog::setAnswerProvider([&](const Dialog&, bool) { return dir.filePath(QStringLiteral("nicht/da.txt")); });
        notifier.expectMessages = true;
        click("btnSpeichern");
        QCOMPARE(notifier.messages.size(), 1);
        QCOMPARE(notifier.messages[0].title, QStringLiteral(" Datei speichern ..."));
        QVERIFY(notifier.messages[0].text.startsWith(QStringLiteral("Der Zugriff auf die Datei wird verweigert !")));
        QCOMPARE(get<QLabel>(QStringLiteral("pnlDateiname"))->text(), QString());
    }

    // A curve saved over an older one on a full disk: the old file keeps every byte, no
    // temporary file stays behind, and the error report tells the user.
    void saveOnAFullDisk_data() { addFullFolderRows(); }
    void saveOnAFullDisk() {
        FULL_FOLDER_OF_THE_ROW(folder);
        const QString path = folder.filePath(QStringLiteral("kurve.txt"));
        Dialog::setAnswerProvider([&](const Dialog&, bool) { return path; });
        setValues(1, 2, 3);
        notifier.expectMessages = true;
        click("btnSpeichern");
        const QByteArray old = fileBytes(path);
        QCOMPARE(old.count("\r\n"), SpeedCurve::steps);
        notifier.messages.clear();
        setValues(9, 99, 199);
        QVERIFY(folder.fill());
        click("btnSpeichern");
        folder.release();
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(notifier.messages.size(), 1);
        QCOMPARE(notifier.messages[0].title + u'|' + notifier.messages[0].text, fullDiskReport());
        QCOMPARE(folder.names(), QStringList{QStringLiteral("kurve.txt")});
    }

    // The printout from all three entry points; Cancel in the heading question prints nothing.
    void print() {
        setValues(0, 123, 255);
        QStringList asked;
        window->setHeadingQuestion([&](const QString& prompt, const QString& title) -> std::optional<QString> {
            asked.append(title + u'|' + prompt);
            if (asked.size() == 4)
                return std::nullopt;
            return QStringLiteral("Lok %1").arg(asked.size());
        });
        const char* const triggers[] = {"mnuDatei_drucken", "mnuPopUp_drucken", "btnDrucken"};
        for (int i = 0; i < 3; ++i) {
            const QString pdf = dir.filePath(QStringLiteral("druck%1.pdf").arg(i));
            Printout::setTestTarget(pdf);
            if (i == 2)
                click(triggers[i]);
            else
                action(triggers[i])->trigger();
            const QString text = textOf(wordsOf(pdf));
            QVERIFY2(text.contains(QStringLiteral("Lok %1").arg(i + 1)), qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("123")));
        }
        const QString none = dir.filePath(QStringLiteral("keiner.pdf"));
        Printout::setTestTarget(none);
        click("btnDrucken");
        QVERIFY(!QFile::exists(none));
        QCOMPARE(asked.size(), 4);
        QCOMPARE(asked.at(0), QStringLiteral(" Kennlinie drucken...|Ausdruck mit  folgender Überschrift versehen: "));
    }

private:
    QString onlyMessage() const {
        if (notifier.messages.size() != 1)
            return QStringLiteral("%1 messages").arg(notifier.messages.size());
        return notifier.messages[0].title + u'|' + notifier.messages[0].text;
    }
};

QTEST_MAIN(TestKennlinie)
#include "tst_kennlinie.moc"
