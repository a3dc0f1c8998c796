#include "programming/ui/ProtocolGrid.h"
#include "programming/core/ProtocolTable.h"
#include "app/ui/Twips.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTest>

namespace {
QString actions(const ProtocolTable& t) {
    QStringList a;
    for (const CvRow& r : t.rows())
        a << (r.action.isEmpty() ? QStringLiteral("_") : r.action);
    return a.join(u',');
}
}  // namespace

class TestProtokoll : public QObject {
    Q_OBJECT
private slots:
    void rowsKeepTextsInCallOrder() {
        ProtocolTable t;
        t.append(QStringLiteral("L"), QStringLiteral("029"), QStringLiteral("6"));
        t.append(QStringLiteral("S"), QString(), QStringLiteral("x y"));
        t.append(QStringLiteral("L"), QStringLiteral("8"), QStringLiteral("145"));
        QCOMPARE(t.rowCount(), 3);
        QCOMPARE(t.rows().at(0), (CvRow{QStringLiteral("L"), QStringLiteral("029"), QStringLiteral("6"), {}}));
        QCOMPARE(t.rows().at(1), (CvRow{QStringLiteral("S"), QString(), QStringLiteral("x y"), {}}));
        QCOMPARE(t.data(t.index(2, ProtocolTable::ValueColumn)).toString(), QStringLiteral("145"));
        t.clear();
        QCOMPARE(t.rowCount(), 0);
    }

    // The captions, each shown in full by the grid at the windows' size, also once the
    // scroll bar takes its share of the width.
    void headers_data() {
        QTest::addColumn<QString>("cvHeader");
        QTest::addColumn<int>("rows");
        QTest::newRow("Register, no scroll bar") << "Register" << 0;
        QTest::newRow("Register, scroll bar") << "Register" << 40;
        QTest::newRow("CV, scroll bar") << "CV" << 40;
    }
    void headers() {
        QFETCH(QString, cvHeader);
        QFETCH(int, rows);
        ProtocolTable t;
        QCOMPARE(t.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Register"));
        t.setCvHeader(cvHeader);
        QCOMPARE(t.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Act."));
        QCOMPARE(t.headerData(1, Qt::Horizontal).toString(), cvHeader);
        QCOMPARE(t.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Wert"));
        for (int i = 0; i < rows; ++i)
            t.append(QStringLiteral("S"), QString::number(i + 1), QStringLiteral("255"));
        ProtocolGrid grid(ProtocolGrid::Options{});
        grid.setTable(&t);
        setGeometryTwips(&grid, 0, 0, 2490, 4365);
        grid.fitColumns();
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(grid.verticalScrollBar()->isVisible(), rows > 0);
        // Each caption fits the room the style leaves it in its section, as the header draws it.
        QHeaderView* header = grid.horizontalHeader();
        for (int c = 0; c < 3; ++c) {
            QStyleOptionHeader option;
            option.initFrom(header);
            option.rect = QRect(0, 0, header->sectionSize(c), header->height());
            const int room = header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header).width();
            const QString caption = t.headerData(c, Qt::Horizontal).toString();
            QVERIFY2(header->fontMetrics().horizontalAdvance(caption) <= room, qPrintable(caption));
        }
        QVERIFY(header->sectionViewportPosition(2) + header->sectionSize(2) <= grid.viewport()->width());
    }

    void editingLocksAction() {
        ProtocolTable t;
        t.appendEmpty();
        QVERIFY(!(t.flags(t.index(0, 1)) & Qt::ItemIsEditable));
        t.setEditable(true);
        QVERIFY(!(t.flags(t.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(t.flags(t.index(0, 1)) & Qt::ItemIsEditable);
        QVERIFY(!t.setData(t.index(0, 0), QStringLiteral("S")));
        QVERIFY(t.setData(t.index(0, 2), QStringLiteral("12")));
        QCOMPARE(t.rows().at(0).value, QStringLiteral("12"));
    }

    void markTyped_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("after");
        QTest::newRow("middle row") << 1 << "S,E,L";
        QTest::newRow("first row") << 0 << "E,S,L";
        QTest::newRow("last row appends") << 2 << "S,S,L,E";
        QTest::newRow("no row") << -1 << "S,S,L";
        QTest::newRow("beyond") << 7 << "S,S,L";
    }
    void markTyped() {
        QFETCH(int, row);
        QFETCH(QString, after);
        ProtocolTable t;
        t.append(QStringLiteral("S"), QStringLiteral("1"), QStringLiteral("3"));
        t.append(QStringLiteral("S"), QStringLiteral("2"), QStringLiteral("4"));
        t.append(QStringLiteral("L"), QStringLiteral("8"), QStringLiteral("145"));
        t.markTyped(row);
        QCOMPARE(actions(t), after);
    }

    void rowColours_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        QTest::newRow("read") << "L" << QColor(0x88, 0xFF, 0x88) << QColor(0, 0, 0);
        QTest::newRow("write") << "S" << QColor(0xDD, 0xA9, 0x31) << QColor(0, 0, 0xFF);
        QTest::newRow("edited") << "E" << QColor() << QColor();
        QTest::newRow("empty") << "" << QColor() << QColor();
        QTest::newRow("lower case") << "s" << QColor() << QColor();
    }
    void rowColours() {
        QFETCH(QString, action);
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        QCOMPARE(ProtocolGrid::rowBackground(action).value_or(QColor()), background);
        QCOMPARE(ProtocolGrid::rowText(action).value_or(QColor()), text);
    }

    // Keys typed into the editable grid: digits go into the cell, others are dropped; every
    // key marks the row (or appends a marked row below the last).
    void typing_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<char>("key");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("cell");
        QTest::newRow("digit in middle row") << 0 << '5' << "E,L,_" << "5";
        QTest::newRow("digit in last row") << 2 << '5' << "S,L,_,E" << "5";
        QTest::newRow("letter in middle row") << 1 << 'x' << "S,E,_" << "8";
        QTest::newRow("letter in last row") << 2 << 'x' << "S,L,_,E" << "";
    }
    void typing() {
        QFETCH(int, row);
        QFETCH(char, key);
        QFETCH(QString, after);
        QFETCH(QString, cell);
        ProtocolTable t;
        t.append(QStringLiteral("S"), QStringLiteral("1"), QStringLiteral("3"));
        t.append(QStringLiteral("L"), QStringLiteral("8"), QStringLiteral("145"));
        ProtocolGrid grid(ProtocolGrid::Options{true, true});
        grid.setTable(&t);
        grid.setEditing(true);
        t.appendEmpty();
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setCurrentIndex(t.index(row, ProtocolTable::CvColumn));
        QTest::keyClick(&grid, key);
        if (auto* editor = grid.findChild<QLineEdit*>())
            QTest::keyClick(editor, Qt::Key_Tab);  // commit what the editor holds
        QCOMPARE(actions(t), after);
        const QString typed = t.rows().at(row).cv;
        QVERIFY2(!typed.contains(u'x'), qPrintable(typed));
        QCOMPARE(typed.contains(u'5'), cell == QLatin1String("5"));
    }

    void withoutFilterNothingIsMarked() {
        ProtocolTable t;
        t.append(QStringLiteral("S"), QStringLiteral("1"), QStringLiteral("3"));
        ProtocolGrid grid(ProtocolGrid::Options{false, false});
        grid.setTable(&t);
        grid.setEditing(true);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setCurrentIndex(t.index(0, ProtocolTable::CvColumn));
        QTest::keyClick(&grid, 'x');
        QCOMPARE(actions(t), QStringLiteral("S"));
    }

    void doubleClickReportsRow() {
        ProtocolTable t;
        t.append(QStringLiteral("S"), QStringLiteral("1"), QStringLiteral("3"));
        t.append(QStringLiteral("L"), QStringLiteral("8"), QStringLiteral("145"));
        ProtocolGrid grid(ProtocolGrid::Options{});
        grid.setTable(&t);
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        int reported = -1;
        connect(&grid, &ProtocolGrid::rowActivated, this, [&](int r) { reported = r; });
        const QRect cell = grid.visualRect(t.index(1, 1));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(reported, 1);
    }
};

QTEST_MAIN(TestProtokoll)
#include "tst_protokoll.moc"
