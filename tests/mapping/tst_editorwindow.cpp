// The editor window's pieces that the NMRA and Zimo tables do not use but other makers'
// do: a slider that follows the current row, sliders standing in grid cells, labels and a
// captioned frame, a grid without a view, and the hook calls.
#include "RecordingNotifier.h"
#include "app/core/AppContext.h"
#include "app/ui/FileDialog.h"
#include "mapping/ui/MappingEditor.h"
#include "mapping/ui/MappingGrid.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

using namespace mapping;

namespace {

enum Column { Name = 0, Effect, Brightness, Value, Bar, Setting };

EditorTable probeTable() {
    EditorTable t;
    t.name = QStringLiteral("frmProbe");
    t.caption = QStringLiteral(" Probe");
    GridSpec g;
    g.name = QStringLiteral("grdFA");
    g.rows = 3;
    g.cols = 6;
    g.caption = QStringLiteral("Funktionstastenzuordnung A");
    g.geometry = {120, 600, 0, 0};
    // The last row's bar spans 0..255.
    g.cells.append({2, Bar, CellKind::Slider, {}, 0, 0, 255, 1, 20});
    const ColumnSpec bar = sliderColumn(QStringLiteral("Einstellung"), 1200, Setting, QStringLiteral("scrCell"), 63, 1, 1);
    g.columns = {labelColumn(QStringLiteral("Ausgang"), 900, {"A", "B", "C"}),
                 choiceColumn(QStringLiteral("Funktion"), 1200, {{0, "ein / aus"}, {16, "Blinken"}, {32, "Strobe"}}),
                 numberColumn(QStringLiteral("Helligkeit"), 600, 15, 0, 15), numberColumn(QStringLiteral("Wert"), 600, 15),
                 bar, numberColumn(QStringLiteral("Wert"), 600)};
    const GridSpec panel = togglePanel(QStringLiteral("pnlCV49"));
    t.grids = {g, panel};
    for (int r = 0; r < 3; ++r) {
        t.composites.append({113 + r, {0, r, Value}, {{{0, r, Effect}, 1}, {{0, r, Brightness}, 1}}, maskDecoder({240, 15})});
        t.scalars.append(Scalar{50 + r, {0, r, Setting}});
        t.saveOrder << 113 + r << 50 + r;
    }
    t.bindings.append(togglePanelBinding(49, 1));
    t.saveOrder.append(49);
    t.labels.append({QStringLiteral("lblHelligkeit"), QStringLiteral("Helligkeit"), {120, 120, 1200, 255}});
    t.frames.append({QStringLiteral("pnlNote"), QStringLiteral(" Ausgang A wird immer durch F0 gesteuert"),
                     {1500, 60, 4000, 400}, false});
    SliderSpec dim;
    dim.name = QStringLiteral("scrDim");
    dim.geometry = {120, 360, 1200, 255};
    dim.target = {0, 0, Brightness};
    dim.max = 15;
    dim.followsCurrentRow = true;
    t.sliders.append(dim);
    return t;
}

struct RecordingHooks : EditorHooks {
    QStringList* calls;
    explicit RecordingHooks(QStringList* log) : calls(log) {}
    void build(MappingEditor& e) override { calls->append(QStringLiteral("build ") + e.objectName()); }
    void refresh(MappingEditor&) override { calls->append(QStringLiteral("refresh")); }
    void currentCellMoved(MappingEditor&, int grid, int row, int col) override {
        calls->append(QStringLiteral("moved %1 %2 %3").arg(grid).arg(row).arg(col));
    }
};

struct WindowRig {
    RecordingNotifier notifier;
    AppContext ctx;
    Dialog dialog;
    QStringList calls;
    std::unique_ptr<MappingEditor> editor;
    explicit WindowRig(EditorTable table = probeTable()) {
        ctx.notifier = &notifier;
        editor = std::make_unique<MappingEditor>(ctx, dialog, std::move(table), std::make_unique<RecordingHooks>(&calls));
        editor->Form_Load();
        editor->show();
    }
    MappingGrid* grid() const { return editor->grid(QStringLiteral("grdFA")); }
    QString shown(int row, int col) const { return grid()->cellIndex(row, col).data().toString(); }
};

}  // namespace

class TestEditorWindow : public QObject {
    Q_OBJECT

private slots:
    void buildsTheTablesPieces() {
        WindowRig rig;
        QCOMPARE(checkTable(probeTable()), QStringList());
        QCOMPARE(rig.calls.value(0), QStringLiteral("build frmProbe"));
        QVERIFY(!rig.editor->grid(QStringLiteral("pnlCV49")));
        QCOMPARE(rig.editor->findChild<QLabel*>(QStringLiteral("lblHelligkeit"))->text(), QStringLiteral("Helligkeit"));
        QCOMPARE(rig.editor->findChild<QLabel*>(QStringLiteral("pnlNote_Caption"))->text(),
                 QStringLiteral(" Ausgang A wird immer durch F0 gesteuert"));
        QVERIFY(rig.editor->findChild<QFrame*>(QStringLiteral("pnlNote")));
        for (const char* name : {"scrDim", "scrCell_1", "scrCell_2", "scrCell_3"})
            QVERIFY2(rig.editor->slider(QString::fromLatin1(name)), name);
        QCOMPARE(rig.editor->slider(QStringLiteral("scrDim"))->value(), 15);
        QCOMPARE(rig.editor->slider(QStringLiteral("scrCell_1"))->maximum(), 63);
        QCOMPARE(rig.editor->slider(QStringLiteral("scrCell_3"))->maximum(), 255);
        QCOMPARE(rig.editor->slider(QStringLiteral("scrCell_3"))->pageStep(), 20);
        // The grid's caption is a band of its header, above the column captions.
        QHeaderView* header = rig.grid()->horizontalHeader();
        QCOMPARE(header->height(), 2 * rig.grid()->verticalHeader()->defaultSectionSize());
        // The bar stands in its cell.
        QScrollBar* inCell = rig.editor->slider(QStringLiteral("scrCell_2"));
        QCOMPARE(inCell->geometry(), rig.grid()->visualRect(rig.grid()->cellIndex(1, Bar)));
    }

    void captionsWrapOntoTheirLines() {
        EditorTable t = probeTable();
        t.grids[0].captionLines = 2;
        WindowRig rig(t);
        MappingGrid* g = rig.grid();
        // The grid's caption band, then two lines of column captions.
        QCOMPARE(g->horizontalHeader()->height(), 3 * g->verticalHeader()->defaultSectionSize());
        const int alignment = g->model()->headerData(Effect, Qt::Horizontal, Qt::TextAlignmentRole).toInt();
        QVERIFY(alignment & Qt::TextWordWrap);
        QCOMPARE(g->fittedSize().height(), 2 * g->frameWidth() + 6 * g->verticalHeader()->defaultSectionSize());
    }

    // A caption wider than its column is set smaller until it fits; one that fits keeps the
    // header's font, and so do the bands above.
    void captionsFitTheirColumns_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("smaller");
        QTest::newRow("F1") << "F1" << false;
        QTest::newRow("F15  R") << "F15  R" << true;
    }
    void captionsFitTheirColumns() {
        QFETCH(QString, caption);
        QFETCH(bool, smaller);
        EditorTable t = probeTable();
        t.grids[0].cols = 7;
        t.grids[0].columns.append(tickColumn(caption));
        WindowRig rig(t);
        MappingGrid* g = rig.grid();
        const QVariant font = g->model()->headerData(6, Qt::Horizontal, Qt::FontRole);
        QCOMPARE(font.isValid(), smaller);
        const QFont shown = smaller ? font.value<QFont>() : g->horizontalHeader()->font();
        QVERIFY(QFontMetrics(shown).horizontalAdvance(caption) < g->columnWidth(6));
        if (smaller)
            QVERIFY(shown.pointSizeF() < g->horizontalHeader()->font().pointSizeF());
        QVERIFY(!g->model()->headerData(Effect, Qt::Horizontal, Qt::FontRole).isValid());
    }

    void sliderFollowsTheCurrentRow() {
        WindowRig rig;
        QScrollBar* dim = rig.editor->slider(QStringLiteral("scrDim"));
        rig.editor->model().readBack({"S 114 039"});  // B: "Strobe", brightness 7
        rig.calls.clear();
        rig.grid()->setCurrentIndex(rig.grid()->cellIndex(1, Name));
        QCOMPARE(dim->value(), 7);
        QVERIFY(rig.calls.contains(QStringLiteral("moved 0 1 0")));
        dim->setValue(3);
        QCOMPARE(rig.shown(1, Brightness), QStringLiteral("3"));
        QCOMPARE(rig.shown(1, Value), QStringLiteral("35"));
        QCOMPARE(rig.shown(0, Brightness), QStringLiteral("15"));
        rig.grid()->setCurrentIndex(rig.grid()->cellIndex(2, Effect));
        QCOMPARE(dim->value(), 15);
        QVERIFY(rig.calls.contains(QStringLiteral("refresh")));
    }

    void barsInCellsMoveTheirCell() {
        WindowRig rig;
        QScrollBar* bar = rig.editor->slider(QStringLiteral("scrCell_3"));
        bar->setValue(40);
        QCOMPARE(rig.shown(2, Setting), QStringLiteral("40"));
        QVERIFY(rig.editor->model().saveLines(true).contains(QStringLiteral("S 052 040")));
        // A value beyond the bar's range: the bar stands at its end, the value is kept.
        rig.editor->model().readBack({"S 052 300", "S 051 100"});
        QCOMPARE(bar->value(), 40);  // 300 is no CV value: the line is left out
        QCOMPARE(rig.editor->slider(QStringLiteral("scrCell_2"))->value(), 63);
        rig.editor->model().readBack({"S 052 254"});
        QCOMPARE(bar->value(), 254);
        QCOMPARE(rig.shown(1, Setting), QStringLiteral("100"));
        QVERIFY(rig.editor->model().saveLines(true).contains(QStringLiteral("S 051 100")));
    }

    void barInACellCanSelectItsRow() {
        for (bool selects : {false, true}) {
            EditorTable t = probeTable();
            t.grids[0].columns[Bar].sliderSelectsRow = selects;
            WindowRig rig(t);
            MappingGrid* g = rig.grid();
            g->setCurrentIndex(g->cellIndex(0, Name));
            rig.calls.clear();
            rig.editor->slider(QStringLiteral("scrCell_3"))->setValue(9);
            QCOMPARE(g->currentIndex().row(), selects ? 2 : 0);
            QCOMPARE(rig.calls.contains(QStringLiteral("moved 0 2 %1").arg(int(Bar))), selects);
            QCOMPARE(rig.editor->model().cvValue(52), 9);
        }
    }

    void clickOnATickMakesItsCellCurrent() {
        EditorTable t = probeTable();
        t.grids[0].cols = 7;
        t.grids[0].columns.append(tickColumn(QStringLiteral("F0")));
        WindowRig rig(t);
        MappingGrid* g = rig.grid();
        const QRect r = g->visualRect(g->cellIndex(1, 6));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(g->currentIndex(), g->cellIndex(1, 6));
        QVERIFY(rig.calls.contains(QStringLiteral("moved 0 1 6")));
        QVERIFY(rig.editor->model().isTicked({0, 1, 6}));
    }

    void narrowGridDoesNotScrollByItself() {
        EditorTable t = probeTable();
        t.grids[0].geometry.width = 2400;  // narrower than its columns
        RecordingNotifier notifier;
        AppContext ctx;
        ctx.notifier = &notifier;
        Dialog dialog;
        MappingEditor e(ctx, dialog, t);
        e.Form_Load();
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        MappingGrid* g = e.grid(QStringLiteral("grdFA"));
        const QRect partly = g->visualRect(g->cellIndex(0, Brightness));
        QVERIFY(partly.right() > g->viewport()->width());
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, QPoint(partly.left() + 2, partly.center().y()));
        QTest::keyClick(g, Qt::Key_Right);
        QTest::keyClick(g, Qt::Key_Right);
        QCoreApplication::processEvents();
        QCOMPARE(g->currentIndex().column(), int(Bar));
        QCOMPARE(g->horizontalScrollBar()->value(), 0);
        QCOMPARE(g->visualRect(g->cellIndex(0, Name)).left(), 0);
        // The grid's caption stands over the part of its columns that shows.
        const QRect band = g->captionBand(QStringLiteral("Funktionstastenzuordnung A"));
        QCOMPARE(band.left(), 0);
        QCOMPARE(band.right(), g->horizontalHeader()->viewport()->width() - 1);
        g->setColumnHidden(Name, true);
        QCOMPARE(g->captionBand(QStringLiteral("Funktionstastenzuordnung A")), band);
        QVERIFY(g->captionBand(QStringLiteral("Funktionsausgänge")).isNull());
    }

    // A bar whose maximum stands at the left still moves its handle the way an arrow, a key
    // or a click beside the handle points.
    void invertedBarStepsTheWayItPoints_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("value");
        QTest::newRow("right arrow") << 7 << "right arrow" << 6;
        QTest::newRow("left arrow") << 3 << "left arrow" << 4;
        QTest::newRow("left arrow at the left end") << 7 << "left arrow" << 7;
        QTest::newRow("Right key") << 5 << "Right" << 4;
        QTest::newRow("Left key") << 5 << "Left" << 6;
        QTest::newRow("right of the handle") << 7 << "right of the handle" << 5;
    }
    void invertedBarStepsTheWayItPoints() {
        QFETCH(int, start);
        QFETCH(QString, where);
        QFETCH(int, value);
        EditorTable t;
        t.name = QStringLiteral("frmProbe");
        GridSpec g;
        g.name = QStringLiteral("grd55");
        g.rows = 1;
        g.cols = 1;
        g.columns = {numberColumn(QStringLiteral("Wert"), 600)};
        t.grids = {g};
        t.scalars = {{55, {0, 0, 0}}};
        SliderSpec rate;
        rate.name = QStringLiteral("scrRate");
        rate.geometry = {120, 600, 3000, 255};
        rate.target = {0, 0, 0};
        rate.max = 7;
        rate.largeChange = 2;
        rate.inverted = true;
        t.sliders = {rate};
        WindowRig rig(t);
        QVERIFY(QTest::qWaitForWindowExposed(rig.editor.get()));
        QScrollBar* bar = rig.editor->slider(QStringLiteral("scrRate"));
        rig.editor->model().setNumber({0, 0, 0}, start);
        QCOMPARE(bar->value(), start);
        const int y = bar->height() / 2;
        if (where == u"right arrow")
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, y));
        else if (where == u"left arrow")
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(3, y));
        else if (where == u"right of the handle")
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() * 3 / 4, y));
        else
            QTest::keyClick(bar, where == u"Right" ? Qt::Key_Right : Qt::Key_Left);
        QCOMPARE(bar->value(), value);
        QCOMPARE(rig.editor->model().cvValue(55), value);
    }

    void panelStateLivesInTheModel() {
        WindowRig rig;
        rig.editor->model().readBack({"S 049 017"});
        QVERIFY(rig.editor->model().isTicked({1, 0, 0}));
        QVERIFY(rig.editor->model().isTicked({1, 0, 4}));
        QCOMPARE(rig.editor->model().cvValue(49), 17);
        rig.notifier.answer = Notifier::Yes;
        rig.notifier.expectMessages = true;
        rig.editor->mnuDatei_Del_Click();
        QCOMPARE(rig.editor->model().cvValue(49), 0);
        QCOMPARE(rig.shown(0, Value), QStringLiteral("15"));
        QCOMPARE(rig.editor->slider(QStringLiteral("scrDim"))->value(), 15);
    }
};

QTEST_MAIN(TestEditorWindow)
#include "tst_editorwindow.moc"
