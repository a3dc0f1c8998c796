// Every mapping editor as the main menu opens it: what its cells show can be read whole,
// each entry of a value list and each text of a label column fitting its column.
#include "EditorRig.h"

#include <QStyle>
#include <QTest>

using namespace mapping;
using namespace mappingtest;

class TestMakerWindows : public QObject {
    Q_OBJECT

private slots:
    void cellTextsFit_data() {
        QTest::addColumn<QString>("entry");
        for (const char* entry : {"mnuFM_NMRA", "mnuFM_Zimo", "mnuFM_ESU", "mnuFM_Uhlenbrock", "mnuDatei_mnuKuehn_Kuehn_T145",
                                  "mnuDatei_mnuKuehn_KuehnN025", "mnuExtras_Lenz", "mnuFM_Tran", "mnuFM_Tams_LDG8",
                                  "mnuFM_Tams_FDM"})
            QTest::newRow(entry) << QString::fromLatin1(entry);
    }
    void cellTextsFit() {
        QFETCH(QString, entry);
        EditorRig rig;
        MappingEditor* e = rig.open(entry);
        QVERIFY(e);
        const MappingModel& m = e->model();
        QStringList cut;
        for (int g = 0; g < m.gridCount(); ++g) {
            MappingGrid* view = e->grid(g);
            if (!view)
                continue;
            const QFontMetrics metrics(view->font());
            // An item view keeps this margin on either side of a cell's text.
            const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
            for (int col = 0; col < m.grid(g).cols; ++col) {
                if (view->isColumnHidden(col))
                    continue;
                const ColumnSpec& spec = m.column(g, col);
                QStringList texts = spec.kind == CellKind::Label ? spec.texts : QStringList();
                for (const ListEntry& item : spec.list)
                    texts.append(item.text);
                for (const QString& text : texts) {
                    if (metrics.horizontalAdvance(text) + margins > view->columnWidth(col))
                        cut.append(QStringLiteral("%1 column %2: \"%3\"").arg(m.grid(g).name).arg(col).arg(text));
                }
            }
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }
};

QTEST_MAIN(TestMakerWindows)
#include "tst_makerwindows.moc"
