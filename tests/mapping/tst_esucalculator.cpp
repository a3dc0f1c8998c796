// The ESU CV 49 / CV 124 calculator as the main menu opens it: the buttons turn bits over,
// the labels name each bit's meaning and the byte labels show the values; nothing else.
#include "EditorRig.h"
#include "mapping/ui/frmESU_CV49.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

using namespace mappingtest;

namespace {
struct CalculatorRig : EditorRig {
    frmESU_CV49* w = nullptr;
    CalculatorRig() {
        window->entry(QStringLiteral("muExtras_ESU_CV49"))->trigger();
        w = window->findChild<frmESU_CV49*>();
    }
    QString label(const QString& name) const { return w->findChild<QLabel*>(name)->text(); }
};
}  // namespace

class TestEsuCalculator : public QObject {
    Q_OBJECT

private slots:
    void opensFromTheMainMenu() {
        CalculatorRig rig;
        QVERIFY(rig.w);
        QVERIFY(rig.w->isVisible());
        QCOMPARE(rig.w->windowTitle(), QStringLiteral(" ESU"));
        QCOMPARE(rig.w->windowModality(), Qt::ApplicationModal);
        QStringList left;
        for (QAction* a : rig.w->menuBar()->actions())
            left << a->text();
        QCOMPARE(left, QStringList{QStringLiteral("&Datei")});  // "&?" and "s&chließen" stand right
        for (int i = 0; i <= 8; ++i) {
            QCOMPARE(rig.label(QStringLiteral("lblCV49Byte_%1").arg(i)), QStringLiteral("0"));
            QCOMPARE(rig.label(QStringLiteral("lblCV124Byte_%1").arg(i)), QStringLiteral("0"));
        }
        QCOMPARE(rig.label(QStringLiteral("lblCV49Caption")), QStringLiteral("CV 49 (erweiterte Konfiguration)"));
        // The help entry does nothing here and no page is set.
        rig.ctx.HelpPage = QStringLiteral("Zelvo_IB.htm");
        rig.w->findChild<QAction*>(QStringLiteral("mnuHilfe"))->trigger();
        QVERIFY(rig.notifier.helpPages.isEmpty());
        QCOMPARE(rig.ctx.HelpPage, QStringLiteral("Zelvo_IB.htm"));
        rig.w->findChild<QAction*>(QStringLiteral("mnuSchliessen"))->trigger();
        MainWindowRig::flushDeletes();
        QVERIFY(!rig.window->findChild<frmESU_CV49*>());
        QVERIFY(rig.notifier.messages.isEmpty());
    }

    void buttons_data() {
        QTest::addColumn<QString>("cv");
        QTest::addColumn<QList<int>>("presses");
        QTest::addColumn<QString>("byte");
        QTest::addColumn<int>("bit");  // a bit whose text is checked
        QTest::addColumn<QString>("text");
        QTest::newRow("CV 49 bits 0 and 4") << "CV49" << QList<int>{0, 4} << "17" << 4
                                            << " autom. Fahrstufenerkennung ein  ";
        QTest::newRow("CV 49 bit 0 again") << "CV49" << QList<int>{0, 4, 0} << "16" << 0 << " Lastregelung aus ";
        QTest::newRow("CV 49 all eight") << "CV49" << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << "255" << 1
                                         << " Taktfrequenz 30 kHz ";
        QTest::newRow("CV 124 bit 6 inverted") << "CV124" << QList<int>{6} << "64" << 6
                                               << " Motor-PWM im Analogbetrieb aus ";
        QTest::newRow("CV 124 bit 5") << "CV124" << QList<int>{5, 5} << "0" << 5 << " ---";
        QTest::newRow("CV 124 all eight") << "CV124" << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << "255" << 7
                                          << " Funktionsausgänge immer volle Helligkeit ein  ";
    }
    void buttons() {
        QFETCH(QString, cv);
        QFETCH(QList<int>, presses);
        QFETCH(QString, byte);
        QFETCH(int, bit);
        QFETCH(QString, text);
        CalculatorRig rig;
        for (int i : presses)
            QTest::mouseClick(rig.w->findChild<QPushButton*>(QStringLiteral("btn%1_%2").arg(cv).arg(i)), Qt::LeftButton);
        QCOMPARE(rig.label(QStringLiteral("lbl%1Byte_8").arg(cv)), byte);
        QCOMPARE(rig.label(QStringLiteral("lbl%1_%2").arg(cv).arg(bit)), text);
        QCOMPARE(rig.label(QStringLiteral("lbl%1Byte_%2").arg(cv).arg(bit)),
                 (byte.toInt() >> bit) & 1 ? QStringLiteral("1") : QStringLiteral("0"));
        // The other CV stays as it was.
        const QString other = cv == u"CV49" ? QStringLiteral("CV124") : QStringLiteral("CV49");
        QCOMPARE(rig.label(QStringLiteral("lbl%1Byte_8").arg(other)), QStringLiteral("0"));
        QVERIFY(rig.notifier.messages.isEmpty());
    }
};

QTEST_MAIN(TestEsuCalculator)
#include "tst_esucalculator.moc"
