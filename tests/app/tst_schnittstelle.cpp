#include "MainWindowRig.h"
#include "app/core/PortSettings.h"
#include "app/ui/frmSchnittstelle.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

frmSchnittstelle* openPortWindow(MainWindowRig& rig) {
    rig.entry("mnuExtras_Schnittstelle")->trigger();
    return rig.window->findChild<frmSchnittstelle*>();
}

QString comboText(QWidget* w, const char* name) {
    return w->findChild<QComboBox*>(name)->currentText();
}

}  // namespace

class TestSchnittstelle : public QObject {
    Q_OBJECT

private slots:
    void splitSettings_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("three commas") << "9600,E,7,2" << QStringList{"9600", "E", "7", "2"};
        QTest::newRow("two commas") << "4800,O,7" << QStringList{"4800", "O", "7", "1"};
        QTest::newRow("one comma") << "19200,E" << QStringList{"19200", "E", "8", "1"};
        QTest::newRow("no comma") << "9600" << QStringList{"9600", "N", "8", "1"};
        QTest::newRow("empty") << "" << QStringList{"0", "N", "8", "1"};
        QTest::newRow("numbers as plain decimals") << " 02400x,N, 08,1" << QStringList{"2400", "N", "8", "1"};
    }
    void splitSettings() {
        QFETCH(QString, settings);
        QFETCH(QStringList, parts);
        const ComSettingsParts p = splitComSettings(settings);
        QCOMPARE((QStringList{p.baud, p.parity, p.dataBits, p.stopBits}), parts);
    }

    void portField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("comPort");
        QTest::newRow("number") << "3" << "3";
        QTest::newRow("leading zeros") << "007" << "7";
        QTest::newRow("empty") << "" << "0";
        QTest::newRow("device") << "ttyUSB0" << "ttyUSB0";
        QTest::newRow("path") << "/dev/pts/4" << "/dev/pts/4";
    }
    void portField() {
        QFETCH(QString, field);
        QFETCH(QString, comPort);
        QCOMPARE(comPortFromField(field), comPort);
    }

    void windowShowsStoredSettings() {
        MainWindowRig rig;
        rig.writeConfig("2", "9600,E,7,2");
        rig.window->Form_Load();
        frmSchnittstelle* w = openPortWindow(rig);
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral(" Schnittstelle"));
        QCOMPARE(w->findChild<QLineEdit*>("txtCOM")->text(), QStringLiteral("2"));
        QCOMPARE(comboText(w, "cmbBaudrate"), QStringLiteral("9600"));
        QCOMPARE(comboText(w, "cmbParity"), QStringLiteral("E"));
        QCOMPARE(comboText(w, "cmbDatenbits"), QStringLiteral("7"));
        QCOMPARE(comboText(w, "cmbStopbits"), QStringLiteral("2"));
    }

    void portFieldKeys() {
        MainWindowRig rig;
        rig.window->Form_Load();
        frmSchnittstelle* w = openPortWindow(rig);
        auto* txtCOM = w->findChild<QLineEdit*>("txtCOM");
        txtCOM->clear();
        QTest::keyClicks(txtCOM, "tty USB!0#");
        QCOMPARE(txtCOM->text(), QStringLiteral("ttyUSB0"));
        txtCOM->clear();
        QTest::keyClicks(txtCOM, "/dev/pts_1-a.b:");
        QCOMPARE(txtCOM->text(), QStringLiteral("/dev/pts_1-a.b"));
        QTest::keyClick(txtCOM, Qt::Key_Backspace);
        QCOMPARE(txtCOM->text(), QStringLiteral("/dev/pts_1-a."));
    }

    // Ports 1 and 3 free, the program's own port 1 open before the scan.
    void scanFindsFreePorts() {
        MainWindowRig rig;
        rig.window->Form_Load();
        QVERIFY(rig.port.isOpen());
        rig.port.failures = {{"2", 8005}, {"4", 8002}};
        rig.window->scanCandidates = [] { return QStringList{"1", "2", "3", "4"}; };
        frmSchnittstelle* w = openPortWindow(rig);
        QTest::mouseClick(w->findChild<QPushButton*>("btnV24"), Qt::LeftButton);
        auto* list = w->findChild<QListWidget*>("lstV24");
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        QCOMPARE(shown, (QStringList{"1", "3"}));
        QVERIFY(rig.port.isOpen());
        QCOMPARE(rig.port.portName(), QStringLiteral("1"));
        QVERIFY(rig.notifier.messages.isEmpty());
        list->setCurrentRow(1);
        emit list->itemClicked(list->item(1));
        QCOMPARE(w->findChild<QLineEdit*>("txtCOM")->text(), QStringLiteral("3"));
    }

    void setParameter_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("parity");
        QTest::addColumn<QString>("title");  // empty: no message
        QTest::addColumn<bool>("open");
        QTest::newRow("good") << "3" << "E" << "" << true;
        QTest::newRow("device") << "ttyUSB0" << "N" << "" << true;
        QTest::newRow("missing port") << "9" << "N" << " zentrale Fehlerbehandlung..." << false;
        QTest::newRow("empty field is port 0") << "" << "N" << " zentrale Fehlerbehandlung..." << false;
        QTest::newRow("in use") << "5" << "N" << " zentrale Fehlerbehandlung..." << false;
        QTest::newRow("bad settings") << "3" << "Q" << " ungültige Parametereingabe..." << false;
    }
    void setParameter() {
        QFETCH(QString, port);
        QFETCH(QString, parity);
        QFETCH(QString, title);
        QFETCH(bool, open);
        MainWindowRig rig;
        rig.window->Form_Load();
        rig.port.failures = {{"9", 8002}, {"0", 8002}, {"5", 8005}};
        rig.port.rejectedSettings = {"9600,Q,8,1"};
        rig.notifier.expectMessages = true;
        rig.notifier.answer = Notifier::No;
        frmSchnittstelle* w = openPortWindow(rig);
        w->findChild<QLineEdit*>("txtCOM")->setText(port);
        w->findChild<QComboBox*>("cmbBaudrate")->setCurrentText("9600");
        w->findChild<QComboBox*>("cmbParity")->setCurrentText(parity);
        QTest::mouseClick(w->findChild<QPushButton*>("btnSetParameter"), Qt::LeftButton);
        QCOMPARE(rig.notifier.messages.size(), title.isEmpty() ? 0 : 1);
        if (!title.isEmpty())
            QCOMPARE(rig.notifier.messages.at(0).title, title);
        QCOMPARE(rig.port.isOpen(), open);
        // The new values are kept either way, so they are written at shut-down.
        QCOMPARE(rig.ctx.ComPort, port.isEmpty() ? QStringLiteral("0") : port);
        QCOMPARE(rig.ctx.ComSettings, QStringLiteral("9600,%1,8,1").arg(parity));
        QCOMPARE(rig.port.settings(), rig.ctx.ComSettings);
        w->close();
        QCOMPARE(rig.window->mnuSystem()->isEnabled(), open);
    }

    // After a failed start the port window opens the port and "S&ystem" becomes usable.
    void repairAfterFailedStart() {
        MainWindowRig rig;
        rig.writeConfig("99", "2400,N,8,1");
        rig.port.failures = {{"99", 8002}};
        rig.notifier.expectMessages = true;
        rig.notifier.answer = Notifier::No;
        rig.window->Form_Load();
        QVERIFY(!rig.window->mnuSystem()->isEnabled());
        frmSchnittstelle* w = openPortWindow(rig);
        w->findChild<QLineEdit*>("txtCOM")->setText("/dev/pts/7");
        w->btnSetParameter_Click();
        QVERIFY(rig.port.isOpen());
        w->close();
        QVERIFY(rig.window->mnuSystem()->isEnabled());
        rig.window->close();
        AppContext back;
        back.dataFolder = rig.dir.path();
        ReadConfig(back);
        QCOMPARE(back.ComPort, QStringLiteral("/dev/pts/7"));
    }
};

QTEST_MAIN(TestSchnittstelle)
#include "tst_schnittstelle.moc"
