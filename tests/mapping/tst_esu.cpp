// The ESU LokPilot V3.0 editor's table on the engine: 36 conditions over two tick grids and
// two value grids, the effect and brightness of each output (CV 113..118), read-back, the
// 78-line lists and Delete.
#include "mapping/core/MakerTables.h"
#include "mapping/core/MappingModel.h"

#include <QTest>

using namespace mapping;

namespace {
enum Column { Name = 0, Effect = 2, Brightness = 3, Cv = 4, Value = 5 };
constexpr int firstTick = 6;

// Condition k's tick column in grdFA, and in grdFA_B and the value grids.
int tickA(int k) {
    return firstTick + k;
}
int columnB(int k) {
    return k + 1;
}
// F<n> forward and reverse.
int forward(int n) {
    return 4 + 2 * n;
}
int reverse(int n) {
    return 5 + 2 * n;
}

QString line(int cv, int value) {
    return QStringLiteral("S %1 %2").arg(cv, 3, 10, QLatin1Char('0')).arg(value, 3, 10, QLatin1Char('0'));
}

QStringList outputShown(const MappingModel& m, int row) {
    return {m.text({EsuTicks, row, Effect}), m.text({EsuTicks, row, Brightness}), m.text({EsuTicks, row, Value})};
}
}  // namespace

class TestEsu : public QObject {
    Q_OBJECT

private slots:
    void conditions_data() {
        QTest::addColumn<int>("grid");  // EsuTicks or EsuTicksB
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("condition");
        QTest::addColumn<int>("cv");
        QTest::addColumn<int>("value");
        QTest::newRow("Licht vorne and AUX 2 under F1 V") << int(EsuTicks) << QList<int>{0, 3} << forward(1) << 147 << 9;
        QTest::newRow("dynamische Bremse under F3 R") << int(EsuTicksB) << QList<int>{2} << reverse(3) << 163 << 128;
        QTest::newRow("AUX 4 under St. V") << int(EsuTicks) << QList<int>{5} << 0 << 129 << 32;
        QTest::newRow("all outputs under Fa. R") << int(EsuTicks) << QList<int>{0, 1, 2, 3, 4, 5} << 3 << 138 << 63;
        QTest::newRow("Licht vorne under F15 R") << int(EsuTicks) << QList<int>{0} << reverse(15) << 234 << 1;
        QTest::newRow("Rangiergang under F15 R") << int(EsuTicksB) << QList<int>{1} << reverse(15) << 235 << 2;
        QTest::newRow("all internal under St. R") << int(EsuTicksB) << QList<int>{0, 1, 2} << 1 << 133 << 131;
    }
    void conditions() {
        QFETCH(int, grid);
        QFETCH(QList<int>, rows);
        QFETCH(int, condition);
        QFETCH(int, cv);
        QFETCH(int, value);
        MappingModel m(esuTable());
        const int col = grid == EsuTicks ? tickA(condition) : columnB(condition);
        for (int r : rows)
            QVERIFY(m.setTick({grid, r, col}, true));
        QCOMPARE(m.cvValue(cv), value);
        const int values = grid == EsuTicks ? EsuValues : EsuValuesB;
        QCOMPARE(m.text({values, 0, columnB(condition)}), QString::number(cv));
        QCOMPARE(m.text({values, 1, columnB(condition)}), QString::number(value));
        // One condition is marked in both tick grids, and only that one.
        QCOMPARE(m.columnColour(EsuTicks, tickA(condition)), Colour::Yellow);
        QCOMPARE(m.columnColour(EsuTicksB, columnB(condition)), Colour::Yellow);
        const int other = condition == 0 ? 1 : condition - 1;
        QCOMPARE(m.columnColour(EsuTicks, tickA(other)), Colour::FaceGrey);
        QCOMPARE(m.columnColour(EsuTicksB, columnB(other)), Colour::FaceGrey);
        QVERIFY(m.saveLines(true).contains(line(cv, value)));
    }

    void clearingTicksKeepsTheMarkWhileTheOtherCvIsAboveZero() {
        MappingModel m(esuTable());
        const int f1v = forward(1);
        m.setTick({EsuTicks, 0, tickA(f1v)}, true);
        m.setTick({EsuTicks, 3, tickA(f1v)}, true);
        m.setTick({EsuTicks, 0, tickA(f1v)}, false);
        m.setTick({EsuTicks, 3, tickA(f1v)}, false);
        QCOMPARE(m.cvValue(147), 0);
        QCOMPARE(m.columnColour(EsuTicks, tickA(f1v)), Colour::FaceGrey);
        QCOMPARE(m.columnColour(EsuTicksB, columnB(f1v)), Colour::FaceGrey);
        m.readBack({"S 148 001"});
        m.setTick({EsuTicks, 0, tickA(f1v)}, true);
        m.setTick({EsuTicks, 0, tickA(f1v)}, false);
        QCOMPARE(m.columnColour(EsuTicks, tickA(f1v)), Colour::Yellow);
        QCOMPARE(m.columnColour(EsuTicksB, columnB(f1v)), Colour::Yellow);
    }

    void effectAndBrightness_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("Strobe on AUX 1 at 15") << 2 << 48 << 15 << QStringList{"Strobe", "15", "63"};
        QTest::newRow("Gyrolight on Licht vorne at 4") << 0 << 144 << 4 << QStringList{"Gyrolight", "4", "148"};
        QTest::newRow("Pulse on AUX 4 at 0") << 5 << 192 << 0 << QStringList{"Pulse / Telexkupplung", "0", "192"};
        QTest::newRow("ein / aus at 0 gives 0") << 1 << 0 << 0 << QStringList{"ein / aus", "0", "0"};
    }
    void effectAndBrightness() {
        QFETCH(int, row);
        QFETCH(int, effect);
        QFETCH(int, brightness);
        QFETCH(QStringList, shown);
        MappingModel m(esuTable());
        QVERIFY(m.setNumber({EsuTicks, row, Effect}, effect));
        QVERIFY(m.setNumber({EsuTicks, row, Brightness}, brightness));
        QCOMPARE(outputShown(m, row), shown);
        QCOMPARE(m.saveLines(false).at(row), line(113 + row, shown.at(2).toInt()));
        // The value cells take no typed text.
        QVERIFY(!m.isTyped({EsuTicks, row, Value}));
        QVERIFY(!m.isTyped({EsuTicks, row, Brightness}));
        QVERIFY(!m.isTyped({EsuValues, 1, 1}));
        QVERIFY(!m.isTyped({EsuValuesB, 1, 1}));
    }

    void readBackOutputs_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("shown");  // effect, brightness, value
        QTest::newRow("S 113 015") << "S 113 015" << 0 << QStringList{"ein / aus", "15", "15"};
        QTest::newRow("S 115 063") << "S 115 063" << 2 << QStringList{"Strobe", "15", "63"};
        QTest::newRow("S 118 200") << "S 118 200" << 5 << QStringList{"Pulse / Telexkupplung", "8", "200"};
        QTest::newRow("S 114 112") << "S 114 112" << 1 << QStringList{"Licht auf / abblenden", "0", "112"};
        // Above 207: upper and lower four bits; an effect without an entry shows its number.
        QTest::newRow("S 113 230") << "S 113 230" << 0 << QStringList{"224", "6", "230"};
        QTest::newRow("S 117 255") << "S 117 255" << 4 << QStringList{"240", "15", "255"};
        // A saved 0 comes back as 0, not as the start value 15.
        QTest::newRow("S 116 000") << "S 116 000" << 3 << QStringList{"ein / aus", "0", "0"};
        QTest::newRow("S 131 005 changes nothing") << "S 131 005" << 0 << QStringList{"ein / aus", "15", "15"};
        QTest::newRow("S 119 005 changes nothing") << "S 119 005" << 0 << QStringList{"ein / aus", "15", "15"};
    }
    void readBackOutputs() {
        QFETCH(QString, line);
        QFETCH(int, row);
        QFETCH(QStringList, shown);
        MappingModel m(esuTable());
        m.readBack({line});
        QCOMPARE(outputShown(m, row), shown);
        // Only the line's own CV changed.
        const QStringList fresh = MappingModel(esuTable()).saveLines(false);
        const QStringList saved = m.saveLines(false);
        for (int i = 0; i < saved.size(); ++i) {
            if (i != row)
                QCOMPARE(saved.at(i), fresh.at(i));
        }
    }

    void readBackConditions_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("ticks");  // grid, row, col, ...
        QTest::addColumn<QList<int>>("values"); // cv, value, ...
        QTest::newRow("S 147 009") << QStringList{"S 147 009"} << QList<int>{EsuTicks, 0, 12, EsuTicks, 3, 12}
                                   << QList<int>{147, 9};
        QTest::newRow("S 163 128") << QStringList{"S 163 128"} << QList<int>{EsuTicksB, 2, 12} << QList<int>{163, 128};
        // Bits 6 and 7 of an output CV have no row: they tick nothing, and the rest is read.
        QTest::newRow("bits 6 and 7 of CV 129") << QStringList{"S 129 192", "S 132 001"} << QList<int>{EsuTicks, 0, 7}
                                                << QList<int>{129, 192, 132, 1};
        QTest::newRow("CV 129 = 255") << QStringList{"S 129 255"}
                                      << QList<int>{EsuTicks, 0, 6, EsuTicks, 1, 6, EsuTicks, 2, 6, EsuTicks, 3, 6,
                                                    EsuTicks, 4, 6, EsuTicks, 5, 6}
                                      << QList<int>{129, 255};
        // Bits 2 to 6 of an internal CV have no row.
        QTest::newRow("CV 130 = 255") << QStringList{"S 130 255"}
                                      << QList<int>{EsuTicksB, 0, 1, EsuTicksB, 1, 1, EsuTicksB, 2, 1}
                                      << QList<int>{130, 255};
        QTest::newRow("CV 235 = 124") << QStringList{"S 235 124"} << QList<int>{} << QList<int>{235, 124};
        QTest::newRow("0 changes nothing") << QStringList{"S 150 000"} << QList<int>{} << QList<int>{};
    }
    void readBackConditions() {
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, ticks);
        QFETCH(QList<int>, values);
        MappingModel m(esuTable());
        m.readBack(lines);
        QList<int> got;
        for (int g : {int(EsuTicks), int(EsuTicksB)}) {
            for (int c = 0; c < m.grid(g).cols; ++c) {
                for (int r = 0; r < m.grid(g).rows; ++r) {
                    if (m.isTicked({g, r, c}))
                        got << g << r << c;
                }
            }
        }
        QCOMPARE(got, ticks);
        QList<int> nonZero;
        for (int k = 0; k < esuConditions; ++k) {
            for (int cv : {129 + 3 * k, 130 + 3 * k}) {
                if (m.cvValue(cv))
                    nonZero << cv << m.cvValue(cv);
            }
        }
        QCOMPARE(nonZero, values);
        for (int i = 0; i + 1 < values.size(); i += 2) {
            const int cv = values.at(i);
            const int k = (cv - 129) / 3;
            QCOMPARE(m.columnColour(EsuTicks, tickA(k)), Colour::Yellow);
        }
    }

    void lists() {
        MappingModel m(esuTable());
        QStringList all;
        for (int cv = 113; cv <= 118; ++cv)
            all.append(line(cv, 15));
        for (int cv = 129; cv <= 234; cv += 3)
            all.append(line(cv, 0));
        for (int cv = 130; cv <= 235; cv += 3)
            all.append(line(cv, 0));
        QCOMPARE(m.saveLines(false), all);
        QCOMPARE(m.saveLines(false).size(), 78);
        QCOMPARE(m.saveLines(true), all.mid(0, 6));
        QCOMPARE(m.clipboardLines(false), all);
        QStringList readList;
        for (const QString& l : all)
            readList.append(l.left(5).replace(0, 1, u'L'));
        QCOMPARE(m.readListLines(), readList);
        QCOMPARE(m.readListLines().at(6), QStringLiteral("L 129"));
        QCOMPARE(m.readListLines().last(), QStringLiteral("L 235"));
        m.setTick({EsuTicks, 2, tickA(forward(0))}, true);
        m.setTick({EsuTicksB, 0, columnB(reverse(0))}, true);
        m.setNumber({EsuTicks, 0, Brightness}, 0);
        QCOMPARE(m.clipboardLines(true), (QStringList{"S 114 015", "S 115 015", "S 116 015", "S 117 015", "S 118 015",
                                                      "S 141 004", "S 145 001"}));
        QVERIFY(!m.hasFactory());
    }

    void clearRestoresTheOutputs() {
        MappingModel m(esuTable());
        m.readBack({"S 113 200", "S 147 009", "S 148 131", "S 116 000"});
        m.clear();
        QCOMPARE(m.saveLines(false), MappingModel(esuTable()).saveLines(false));
        for (int r = 0; r < 6; ++r)
            QCOMPARE(outputShown(m, r), (QStringList{"ein / aus", "15", "15"}));
        QVERIFY(!m.isTicked({EsuTicks, 0, 12}));
        QVERIFY(!m.isTicked({EsuTicksB, 0, 7}));
        QCOMPARE(m.columnColour(EsuTicks, 12), Colour::FaceGrey);
        QCOMPARE(m.columnColour(EsuTicksB, 7), Colour::FaceGrey);
    }

    void captions() {
        const EditorTable t = esuTable();
        QCOMPARE(esuConditionCaption(0), QStringLiteral("St.  V"));
        QCOMPARE(esuConditionCaption(3), QStringLiteral("Fa.  R"));
        QCOMPARE(esuConditionCaption(forward(0)), QStringLiteral("F0  V"));
        QCOMPARE(esuConditionCaption(reverse(8)), QStringLiteral("F8  R"));
        QCOMPARE(esuConditionCaption(35), QStringLiteral("F15  R"));
        for (int k = 0; k < esuConditions; ++k) {
            QCOMPARE(t.grids.at(EsuTicks).columns.at(tickA(k)).caption, esuConditionCaption(k));
            for (int g : {int(EsuValues), int(EsuTicksB), int(EsuValuesB)}) {
                QCOMPARE(t.grids.at(g).columns.at(columnB(k)).caption, esuConditionCaption(k));
                QCOMPARE(t.grids.at(g).columns.at(columnB(k)).width, 480);
            }
        }
        QCOMPARE(t.grids.at(EsuTicksB).caption, QString(33, u' ') + QStringLiteral("Funktionstastenzuordnung B"));
        MappingModel m(t);
        QCOMPARE(m.text({EsuTicks, 4, Name}), QStringLiteral("AUX 3"));
        QCOMPARE(m.text({EsuTicks, 3, 1}), QStringLiteral("violett"));
        QCOMPARE(m.text({EsuTicks, 5, Cv}), QStringLiteral("118"));
        QCOMPARE(m.text({EsuTicksB, 2, 0}), QStringLiteral("dynamische Bremse (V 3.5)"));
        QCOMPARE(m.column(EsuTicks, Effect).list.size(), 13);
    }
};

QTEST_GUILESS_MAIN(TestEsu)
#include "tst_esu.moc"
