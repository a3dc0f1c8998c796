#include "app/core/ByteCalculator.h"
#include "MainWindowRig.h"
#include "app/ui/ProgrammierhilfeTarget.h"
#include "app/ui/Twips.h"
#include "app/ui/frmProgrammierhilfe.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

// A programming window as far as the aid sees it.
class FakeTarget : public QWidget, public ProgrammierhilfeTarget {
public:
    QWidget* targetWindow() override { return this; }
    void setWert(const QString& value) override { values.append(value); }
    QStringList values;
};

QString tickedBoxes(QWidget* aid) {
    QString s;
    for (int i = 7; i >= 0; --i)
        s += aid->findChild<QCheckBox*>(QStringLiteral("chkPH_%1").arg(i))->isChecked() ? u'1' : u'0';
    return s;
}

QString textOf(QWidget* aid, const char* name) {
    return aid->findChild<QLineEdit*>(name)->text();
}

// The modal aid over a loaded main window, in the given system mode (null: as loaded).
frmProgrammierhilfe* openAid(MainWindowRig& rig, const char* mode) {
    rig.window->Form_Load();
    if (mode)
        rig.ctx.SystemMode = QString::fromLatin1(mode);
    return rig.window->showProgrammierhilfe(true);
}

}  // namespace

class TestProgrammierhilfe : public QObject {
    Q_OBJECT

private slots:
    void bitModel_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("bits");  // bit 7 first
        QTest::addColumn<int>("sum");
        QTest::addColumn<QString>("hex");
        QTest::newRow("0") << qint64(0) << "00000000" << 0 << "0";
        QTest::newRow("37") << qint64(37) << "00100101" << 37 << "25";
        QTest::newRow("128") << qint64(128) << "10000000" << 128 << "80";
        QTest::newRow("255") << qint64(255) << "11111111" << 255 << "FF";
        QTest::newRow("256 ticks all") << qint64(256) << "11111111" << 255 << "FF";
        QTest::newRow("999 ticks all") << qint64(999) << "11111111" << 255 << "FF";
        QTest::newRow("negative ticks none") << qint64(-4) << "00000000" << 0 << "0";
    }
    void bitModel() {
        QFETCH(qint64, value);
        QFETCH(QString, bits);
        QFETCH(int, sum);
        QFETCH(QString, hex);
        const ByteCalculator::Bits b = ByteCalculator::bitsFor(value);
        QString shown;
        for (int i = 7; i >= 0; --i)
            shown += b[i] ? u'1' : u'0';
        QCOMPARE(shown, bits);
        QCOMPARE(ByteCalculator::sum(b), sum);
        QCOMPARE(ByteCalculator::hexText(sum), hex);
    }

    void tickingWritesIntoOpenTarget_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("targetOpen");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("DCC, window open") << "DCC" << true << QStringList{"1", "5", "37"};
        QTest::newRow("DCC, window closed") << "DCC" << false << QStringList{};
        QTest::newRow("Lenz has no window") << "Lenz" << true << QStringList{};
        QTest::newRow("PH") << "PH" << true << QStringList{};
        QTest::newRow("SLX") << "SLX" << true << QStringList{};
    }
    void tickingWritesIntoOpenTarget() {
        QFETCH(QString, mode);
        QFETCH(bool, targetOpen);
        QFETCH(QStringList, written);
        FakeTarget target;  // outlives the window that points at it
        MainWindowRig rig;
        rig.window->show();
        rig.window->Form_Load();
        if (targetOpen)
            target.show();
        rig.window->programmierhilfeTargets().set(QStringLiteral("DCC"), &target);
        rig.ctx.SystemMode = mode;
        frmProgrammierhilfe* aid = rig.window->showProgrammierhilfe(false);
        for (int i : {0, 2, 5})
            QTest::mouseClick(aid->findChild<QCheckBox*>(QStringLiteral("chkPH_%1").arg(i)), Qt::LeftButton);
        QCOMPARE(textOf(aid, "txtDec"), QStringLiteral("37"));
        QCOMPARE(textOf(aid, "txtHex"), QStringLiteral("25"));
        QCOMPARE(target.values, written);
    }

    void placement_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("atTarget");
        QTest::newRow("DCC beside its window") << "DCC" << true;
        QTest::newRow("PH below the main window") << "PH" << false;
        QTest::newRow("Lenz without window: below the main window") << "Lenz" << false;
    }
    void placement() {
        QFETCH(QString, mode);
        QFETCH(bool, atTarget);
        FakeTarget target;
        MainWindowRig rig;
        rig.window->move(40, 30);
        rig.window->show();
        rig.window->Form_Load();
        target.move(300, 200);
        target.show();
        rig.window->programmierhilfeTargets().set(QStringLiteral("DCC"), &target);
        rig.ctx.SystemMode = mode;
        frmProgrammierhilfe* aid = rig.window->showProgrammierhilfe(false);
        const QRect main = rig.window->frameGeometry();
        const QPoint expected = atTarget ? target.frameGeometry().topLeft() + QPoint(twips(270), twips(6090))
                                         : QPoint(main.left(), main.top() + main.height());
        QCOMPARE(aid->pos(), expected);
        QCOMPARE(aid->width(), rig.window->width());
        QCOMPARE(aid->height(), twips(2880));
    }

    void entries_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("bits");
        QTest::addColumn<QString>("dec");
        QTest::addColumn<QString>("hex");
        QTest::newRow("hex lower") << "txtHex" << "ff" << "11111111" << "255" << "FF";
        QTest::newRow("hex upper") << "txtHex" << "FF" << "11111111" << "255" << "FF";
        QTest::newRow("hex mixed") << "txtHex" << "1f" << "00011111" << "31" << "1F";
        QTest::newRow("hex letters dropped") << "txtHex" << "xA" << "00001010" << "10" << "A";
        QTest::newRow("dec") << "txtDec" << "37" << "00100101" << "37" << "25";
        QTest::newRow("dec above 255") << "txtDec" << "300" << "11111111" << "255" << "FF";
        QTest::newRow("dec letters dropped") << "txtDec" << "1a2" << "00001100" << "12" << "C";
        QTest::newRow("dec three digits at most") << "txtDec" << "9999" << "11111111" << "255" << "FF";
        QTest::newRow("dec zero") << "txtDec" << "0" << "00000000" << "0" << "0";
        // No box changes: the click step does not run, the fields stay as they are.
        QTest::newRow("dec unchanged") << "txtDec" << "000" << "00000000" << "000" << "0";
        QTest::newRow("hex unchanged") << "txtHex" << "0" << "00000000" << "00" << "0";
    }
    void entries() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, bits);
        QFETCH(QString, dec);
        QFETCH(QString, hex);
        MainWindowRig rig;
        frmProgrammierhilfe* aid = openAid(rig, "PH");
        auto* edit = aid->findChild<QLineEdit*>(field);
        edit->clear();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(tickedBoxes(aid), bits);
        QCOMPARE(textOf(aid, "txtDec"), dec);
        QCOMPARE(textOf(aid, "txtHex"), hex);
    }

    void leavingDecimalCapsAt255() {
        MainWindowRig rig;
        frmProgrammierhilfe* aid = openAid(rig, "PH");
        auto* txtDec = aid->findChild<QLineEdit*>("txtDec");
        txtDec->setText("999");
        aid->txtDec_LostFocus();
        QCOMPARE(txtDec->text(), QStringLiteral("255"));
        QCOMPARE(tickedBoxes(aid), QStringLiteral("00000000"));  // the boxes stay
    }

    void numbering() {
        MainWindowRig rig;
        frmProgrammierhilfe* aid = openAid(rig, nullptr);
        auto label = [&](int i) { return aid->findChild<QLabel*>(QStringLiteral("lblZaehlweise_%1").arg(i))->text(); };
        QCOMPARE(label(0), QStringLiteral("0"));
        QCOMPARE(label(7), QStringLiteral("7"));
        QTest::mouseClick(aid->findChild<QRadioButton*>("optZaehlweise_1"), Qt::LeftButton);
        QCOMPARE(label(0), QStringLiteral("1"));
        QCOMPARE(label(7), QStringLiteral("8"));
        QTest::mouseClick(aid->findChild<QCheckBox*>("chkPH_7"), Qt::LeftButton);
        QCOMPARE(textOf(aid, "txtDec"), QStringLiteral("128"));  // weights unchanged
    }
};

QTEST_MAIN(TestProgrammierhilfe)
#include "tst_programmierhilfe.moc"
