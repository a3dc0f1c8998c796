// The 8-bit toggle panel over a CV of the engine: buttons turn bits over, the labels name
// the bits' meanings, the byte follows, an alarm combination turns its labels red, and a
// value read back or deleted through the model shows at once.
#include "mapping/core/MappingModel.h"
#include "mapping/ui/MappingGrid.h"
#include "mapping/ui/TogglePanel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace mapping;

namespace {

TogglePanelTexts probeTexts(int bitsWithTexts = 8) {
    TogglePanelTexts t;
    t.name = QStringLiteral("CV49");
    t.caption = QStringLiteral("Konfiguration CV 49 ");
    for (int bit = 0; bit < bitsWithTexts; ++bit)
        t.bits[bit] = {QStringLiteral(" B%1 aus ").arg(bit), QStringLiteral(" B%1 ein  ").arg(bit), {}};
    t.bits[0].atLoad = QStringLiteral("B0 aus ");
    t.alarmMask = 24;
    return t;
}

struct PanelRig {
    MappingModel model;
    std::unique_ptr<TogglePanel> panel;
    explicit PanelRig(TogglePanelTexts texts = probeTexts()) : model(table()) {
        panel = std::make_unique<TogglePanel>(model, 0, std::move(texts));
        model.setListener([this] { panel->refresh(); });
    }
    static EditorTable table() {
        EditorTable t;
        t.name = QStringLiteral("frmProbe");
        t.grids = {togglePanel(QStringLiteral("pnlCV49"))};
        t.bindings = {togglePanelBinding(49, 0)};
        t.saveOrder = {49};
        return t;
    }
    QString digits() const {
        QString d;
        for (int bit = 7; bit >= 0; --bit)
            d += panel->digitLabel(bit)->text();
        return d;
    }
};

QColor colourOf(const QLabel* label, QPalette::ColorRole role) {
    return label->palette().color(role);
}

}  // namespace

class TestTogglePanel : public QObject {
    Q_OBJECT

private slots:
    void clicks_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("byte");
        QTest::addColumn<QString>("digits");  // bit 7 first
        QTest::newRow("none") << QList<int>{} << "0" << "00000000";
        QTest::newRow("bits 0 and 4") << QList<int>{0, 4} << "17" << "00010001";
        QTest::newRow("bit 0 again") << QList<int>{0, 4, 0} << "16" << "00010000";
        QTest::newRow("all eight") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << "255" << "11111111";
        QTest::newRow("bit 7") << QList<int>{7} << "128" << "10000000";
    }
    void clicks() {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, byte);
        QFETCH(QString, digits);
        PanelRig rig;
        for (int bit : clicks)
            QTest::mouseClick(rig.panel->button(bit), Qt::LeftButton);
        QCOMPARE(rig.panel->digitLabel(8)->text(), byte);
        QCOMPARE(rig.digits(), digits);
        QCOMPARE(rig.model.saveLines(false), QStringList{QStringLiteral("S 049 %1").arg(byte.toInt(), 3, 10, QLatin1Char('0'))});
        for (int bit = 1; bit < 8; ++bit) {
            const bool set = digits.at(7 - bit) == u'1';
            QCOMPARE(rig.panel->textLabel(bit)->text(), set ? QStringLiteral(" B%1 ein  ").arg(bit)
                                                             : QStringLiteral(" B%1 aus ").arg(bit));
        }
    }

    void loadTextUntilTheBitIsSet() {
        PanelRig rig;
        QLabel* label = rig.panel->textLabel(0);
        QCOMPARE(label->text(), QStringLiteral("B0 aus "));
        rig.panel->Clicked(1);
        QCOMPARE(label->text(), QStringLiteral("B0 aus "));  // another bit's click leaves it
        rig.panel->Clicked(0);
        QCOMPARE(label->text(), QStringLiteral(" B0 ein  "));
        rig.panel->Clicked(0);
        QCOMPARE(label->text(), QStringLiteral(" B0 aus "));
        // A value set from elsewhere sets every label.
        PanelRig read;
        read.model.readBack({"S 049 002"});
        QCOMPARE(read.panel->textLabel(0)->text(), QStringLiteral(" B0 aus "));
    }

    void alarmColours_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<bool>("alarm");
        QTest::newRow("bits 3 and 4") << QList<int>{3, 4} << true;
        QTest::newRow("bit 3 alone") << QList<int>{3} << false;
        QTest::newRow("bit 3 again") << QList<int>{3, 4, 3} << false;
        QTest::newRow("all eight") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << true;
    }
    void alarmColours() {
        QFETCH(QList<int>, clicks);
        QFETCH(bool, alarm);
        PanelRig rig;
        for (int bit : clicks)
            rig.panel->Clicked(bit);
        QCOMPARE(rig.panel->alarmed(), alarm);
        const QColor red = MappingGrid::colour(TogglePanel::alarmColour);
        const QColor white = MappingGrid::colour(Colour::White);
        const QColor blue = MappingGrid::colour(TogglePanel::textColour);
        for (int bit = 0; bit < 8; ++bit) {
            const bool redLabel = alarm && (bit == 3 || bit == 4);
            const QLabel* label = rig.panel->textLabel(bit);
            QCOMPARE(colourOf(label, QPalette::Window), redLabel ? red : white);
            QCOMPARE(colourOf(label, QPalette::WindowText), redLabel ? white : blue);
        }
    }

    void followsTheModel_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<bool>("alarm");
        QTest::newRow("S 049 024") << QStringList{"S 049 024"} << "00011000" << true;
        QTest::newRow("exact: bits not in the value clear") << QStringList{"S 049 255", "S 049 001"} << "00000001"
                                                            << false;
        QTest::newRow("0 leaves the bits") << QStringList{"S 049 005", "S 049 000"} << "00000101" << false;
    }
    void followsTheModel() {
        QFETCH(QStringList, lines);
        QFETCH(QString, digits);
        QFETCH(bool, alarm);
        PanelRig rig;
        rig.panel->Clicked(6);
        for (const QString& line : lines)
            rig.model.readBack({line});
        QCOMPARE(rig.digits(), digits);
        QCOMPARE(rig.panel->digitLabel(8)->text(), QString::number(digits.toInt(nullptr, 2)));
        QCOMPARE(rig.panel->alarmed(), alarm);
        rig.model.clear();
        QCOMPARE(rig.digits(), QStringLiteral("00000000"));
        QCOMPARE(rig.panel->textLabel(3)->text(), QStringLiteral(" B3 aus "));
        QVERIFY(!rig.panel->alarmed());
    }

    void controlsAreNamedAndBitsWithoutTextsHaveNoButton() {
        PanelRig rig(probeTexts(3));
        for (int bit = 0; bit < 8; ++bit) {
            QCOMPARE(rig.panel->findChild<QPushButton*>(QStringLiteral("btnCV49_%1").arg(bit)) != nullptr, bit < 3);
            QCOMPARE(rig.panel->findChild<QLabel*>(QStringLiteral("lblCV49_%1").arg(bit)) != nullptr, bit < 3);
            QVERIFY(rig.panel->findChild<QLabel*>(QStringLiteral("lblCV49Byte_%1").arg(bit)));
        }
        QCOMPARE(rig.panel->findChild<QLabel*>(QStringLiteral("lblCV49Byte_8")), rig.panel->digitLabel(8));
        QCOMPARE(rig.panel->findChild<QLabel*>(QStringLiteral("lblCV49Caption"))->text(),
                 QStringLiteral("Konfiguration CV 49 "));
        rig.panel->Clicked(5);  // no button: nothing
        QCOMPARE(rig.panel->value(), 0);
        rig.panel->Clicked(2);
        QCOMPARE(rig.panel->value(), 4);
        QCOMPARE(rig.digits(), QStringLiteral("00000100"));
    }
};

QTEST_MAIN(TestTogglePanel)
#include "tst_togglepanel.moc"
