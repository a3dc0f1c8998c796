// Every maker table: sound, and a mapping saved and read back into a fresh editor comes
// back unchanged. A new editor adds its row to makers_data().
#include "MappingTestKit.h"
#include "app/core/TextFile.h"
#include "mapping/core/MakerTables.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mapping;
using namespace mappingtest;

using TableFunction = EditorTable (*)();
Q_DECLARE_METATYPE(TableFunction)

class TestMakerTables : public QObject {
    Q_OBJECT

private slots:
    void makers_data() {
        QTest::addColumn<TableFunction>("table");
        QTest::newRow("NMRA") << TableFunction(nmraTable);
        QTest::newRow("Zimo") << TableFunction(zimoTable);
        QTest::newRow("Tran") << TableFunction(tranTable);
        QTest::newRow("Tams LD-G-8") << TableFunction(tamsLdg8Table);
        QTest::newRow("Tams FD-M") << TableFunction(tamsFdmTable);
        QTest::newRow("ESU") << TableFunction(esuTable);
        QTest::newRow("ESU CV 49 / CV 124") << TableFunction(esuCv49Table);
        QTest::newRow("Uhlenbrock") << TableFunction(uhlenbrockTable);
        QTest::newRow("Lenz") << TableFunction(lenzTable);
        QTest::newRow("Kuehn T145") << TableFunction(kuehnT145Table);
        QTest::newRow("Kuehn N025") << TableFunction(kuehnN025Table);
    }

    void tableIsSound_data() { makers_data(); }
    void tableIsSound() {
        QFETCH(TableFunction, table);
        QCOMPARE(checkTable(table()), QStringList());
    }

    void roundTrip_data() {
        QTest::addColumn<TableFunction>("table");
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 1234u}) {
            QTest::addRow("NMRA %u", seed) << TableFunction(nmraTable) << seed;
            QTest::addRow("Zimo %u", seed) << TableFunction(zimoTable) << seed;
            QTest::addRow("Tran %u", seed) << TableFunction(tranTable) << seed;
            QTest::addRow("Tams LD-G-8 %u", seed) << TableFunction(tamsLdg8Table) << seed;
            QTest::addRow("Tams FD-M %u", seed) << TableFunction(tamsFdmTable) << seed;
            QTest::addRow("ESU %u", seed) << TableFunction(esuTable) << seed;
            QTest::addRow("Uhlenbrock %u", seed) << TableFunction(uhlenbrockTable) << seed;
            QTest::addRow("Lenz %u", seed) << TableFunction(lenzTable) << seed;
            QTest::addRow("Kuehn T145 %u", seed) << TableFunction(kuehnT145Table) << seed;
            QTest::addRow("Kuehn N025 %u", seed) << TableFunction(kuehnN025Table) << seed;
        }
    }
    void roundTrip() {
        QFETCH(TableFunction, table);
        QFETCH(quint32, seed);
        MappingModel built(table());
        randomMapping(built, seed);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mapping.txt"));
        writeTextLines(path, built.saveLines(false));

        MappingModel fresh(table());
        fresh.readBack(readTextLines(path));
        QCOMPARE(keptState(fresh), keptState(built));
        // "nur CVs > 0" carries the same mapping, unless a CV that starts above 0 is 0: that
        // line is left out, so the CV keeps its start value.
        const QStringList all = built.saveLines(false);
        const QStringList start = MappingModel(table()).saveLines(false);
        bool leftOut = false;
        for (int i = 0; i < all.size(); ++i)
            leftOut = leftOut || (all.at(i).endsWith(u" 000") && all.at(i) != start.at(i));
        if (!leftOut) {
            MappingModel fromAboveZero(table());
            fromAboveZero.readBack(built.saveLines(true));
            QCOMPARE(keptState(fromAboveZero), keptState(built));
        }
    }

    void clearGivesTheStartState_data() { makers_data(); }
    void clearGivesTheStartState() {
        QFETCH(TableFunction, table);
        MappingModel m(table());
        randomMapping(m, 99);
        m.clear();
        QCOMPARE(keptState(m), keptState(MappingModel(table())));
        for (const MarkGroup& mark : m.table().marks) {
            for (const GridColumn& c : mark.targets)
                QCOMPARE(m.columnColour(c.grid, c.col), Colour::FaceGrey);
        }
    }
};

QTEST_GUILESS_MAIN(TestMakerTables)
#include "tst_makertables.moc"
