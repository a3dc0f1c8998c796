#include "SelectrixWindowRig.h"
#include "app/ui/RisingScrollBar.h"
#include "app/ui/Twips.h"
#include "app/ui/frmHauptmenu.h"
#include "selectrix/core/SxProtokoll.h"
#include "selectrix/ui/SelectrixWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTableView>
#include <QToolButton>

using Rig = SelectrixWindowRig;

namespace {
QString captionOf(QObject* o) {
    if (auto* b = qobject_cast<QAbstractButton*>(o))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(o))
        return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(o))
        return e->text();
    if (auto* a = qobject_cast<QAction*>(o))
        return a->text();
    if (auto* m = qobject_cast<QMenu*>(o))
        return m->title();
    return {};
}
}  // namespace

// The window's frame: controls, load, field couplings, station and mode choice, extended
// settings, the protocol table, menus and unload.
class TestFrmSelectrix : public QObject {
    Q_OBJECT
private slots:
    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        auto row = [](const char* name, const char* caption, const char* tip) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption) << QString::fromUtf8(tip);
        };
        row("btnSpeichern", "", " Protokoll speichern ");
        row("btnDrucken", "", " Protokoll drucken ");
        row("btnUnit_0", "", " Rautenhaus SLX850 ");
        row("btnUnit_1", "", " Uhlenbrock IntelliBox IB ");
        row("lblUnit_0", "SXL850", "");
        row("lblUnit_1", "IB", "");
        row("optModus_1", "SX1", "");
        row("optModus_2", "SX2", "");
        row("optModus_6", "DCC", "");
        row("chkChange_0", "erweiterte Einstellungen", " erweiterte Einstellungen aktivieren / deaktivieren  ");
        row("chkChange_1", "Motor", " Drehrichtung des Motors wechseln ");
        row("chkChange_2", "Licht", " Anzeige von Spitzenlicht und Zugschluss wechseln ");
        row("chkChange_4", "Gleis", "");
        row("lblIMerw", "Motorregelung / Impw", "");
        row("lblBEerw", "Wirkung der ABE", "");
        row("btnSelectrix_0", "lesen", " Decoder auslesen ");
        row("btnSelectrix_1", "schreiben", " eingestellte Werte in Decoder schreiben ");
        row("btnProgrammierbit", "Prog.mode aus", " Programmierbit ausschalten ");
        row("lstRegister", "", " Auswahl verschiedener CVs / Register ");
        row("txtRegister", "1", " zu schreibende / lesende  CV / Register ");
        row("txtWert", "0", " zu schreibender CV / Register-Inhalt ");
        row("txtAdresse", "0", " dig. Adresse der Lokomotive ");
        row("txtFS", "0", " anfahren mit dieser Fahrstufe ");
        row("btnAnfahren", "anfahren", " Lokomotive anfahren ");
        row("btnStop", "S T O P", " Lok anhalten (Fahrstufe 0) ");
        row("sldFS", "", " Fahrtregler ");
        row("rbnFR_0", "", " vorwärts ");
        row("rbnFR_1", "", " rückwärts ");
        row("chkLicht", "Licht", " Licht aus / ein ");
        row("chkFunktion", "Funktion (Horn etc.)", "");
        row("btnPower_0", "Power off", " Zentrale abschalten ");
        row("btnPower_1", "Power on", " Zentrale einschalten ");
        row("LabelSystem", "System bereit", "");
        row("LabelGleisspannung", "Gleisspannung", "");
        row("txtDelay", "10", " Verzögerung beim Schreiben einer Kennlinie ");
        row("mnuDatei", "&Datei", "");
        row("mnuDatei_speichern", "Protokoll &speichern", "");
        row("mnuDatei_drucken", "Protokoll &drucken", "");
        row("mnuDatei_schliessen", "s&chließen", "");
        row("mnuHilfe", "&?", "");
        row("mnuSchliessen", "s&chließen", "");
        row("mnuPopUp_speichern", "Protokoll in Datei &speichern", "");
        row("mnuPopUp_drucken", "Protokoll &drucken", "");
        for (const char* name : {"scrSize", "pnlSelectrix", "pnlUnit", "pnlDCC", "pnlFahrpult", "cmbADR", "cmbGE",
                                 "cmbBE", "cmbIM", "cmbHA", "cmbIMerw", "cmbBEerw", "grdKP", "stbStatus",
                                 "scrRegister", "scrWert", "scrAdresse", "scrFS", "lblSystem", "lblGleisspannung",
                                 "lblFahrstufe", "mnuPopUp"})
            QTest::newRow(name) << QString::fromLatin1(name) << QString() << QStringLiteral("*");
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        Rig rig;
        QObject* o = rig.window->findChild<QObject*>(name);
        QVERIFY2(o, qPrintable(name));
        QCOMPARE(rig.window->findChildren<QObject*>(name).size(), 1);
        if (!caption.isEmpty())
            QCOMPARE(captionOf(o), caption);
        if (auto* w = qobject_cast<QWidget*>(o); w && tip != u"*")
            QCOMPARE(w->toolTip(), tip);
    }

    void captionsAndLabels() {
        Rig rig;
        QCOMPARE(rig.window->windowTitle(), QStringLiteral(" Selectrix- Modellbahndecoder programmieren"));
        QStringList texts;
        for (QLabel* l : rig.window->findChildren<QLabel*>())
            texts << l->text();
        for (const char* t : {"Adresse | ADR", "Höchstgeschwindigkeit | GE", "Anfahr-/Bremsverzögerung | BE",
                              "Impulsbreite | IM", "Signalhalteabschnitt | HA", "DCC-Modus", "Fahrpult", "Wert",
                              "Verzögerung", "delay", "mSec"})
            QVERIFY2(texts.contains(QString::fromUtf8(t)), t);
        // The pop-up menu is not in the menu bar; "&?" and the second "s&chließen" stand at its right.
        QStringList bar;
        for (QAction* a : rig.window->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, QStringList{"&Datei"});
        QVERIFY(!rig.window->menuBar()->actions().contains(rig.get<QMenu>("mnuPopUp")->menuAction()));
    }

    void load() {
        Rig rig;
        QCOMPARE(rig.window->SxModus(), 1);
        QCOMPARE(rig.window->SxErweitert(), 4);
        QVERIFY(rig.get<QRadioButton>("optModus_1")->isChecked());
        QVERIFY(!rig.get<QRadioButton>("optModus_2")->isEnabled());
        QVERIFY(!rig.get<QRadioButton>("optModus_6")->isEnabled());
        for (const char* c : {"chkChange_0", "chkChange_1", "chkChange_2", "chkChange_4"}) {
            QVERIFY(!rig.get<QCheckBox>(QString::fromLatin1(c))->isChecked());
            QVERIFY(!rig.get<QCheckBox>(QString::fromLatin1(c))->isEnabled());
        }
        QVERIFY(!rig.combo("cmbIMerw")->isEnabled());
        QVERIFY(!rig.combo("cmbBEerw")->isEnabled());
        QVERIFY(rig.get<QWidget>("pnlFahrpult")->isHidden());
        QVERIFY(rig.get<QWidget>("pnlDCC")->isHidden());
        QCOMPARE(rig.ctx.CuName, QString());
        QCOMPARE(rig.get<QSlider>("sldFS")->value(), 31);
        QCOMPARE(rig.window->protocol().rowCount(), 0);
        QCOMPARE(rig.window->protocol().columnCount(), 11);
        QStringList headers;
        for (int c = 0; c < 11; ++c)
            headers << rig.window->protocol().headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers, (QStringList{"Act.", "ADR", "GE", "BE", "IM", "HA", "M", "L", "G", "IMe", "HAe"}));
        QCOMPARE(rig.get<QTableView>("grdKP")->model(), &rig.window->protocol());
        QCOMPARE(rig.field("txtAdresse")->text(), QStringLiteral("0"));
        QCOMPARE(rig.notifier.messages.size(), 0);
    }

    void lists_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("cmbADR") << "cmbADR" << 1 << 103;
        QTest::newRow("cmbGE") << "cmbGE" << 0 << 7;
        QTest::newRow("cmbBE") << "cmbBE" << 0 << 7;
        QTest::newRow("cmbIM") << "cmbIM" << 1 << 4;
        QTest::newRow("cmbIMerw") << "cmbIMerw" << 1 << 4;
        QTest::newRow("cmbHA") << "cmbHA" << 1 << 2;
        QTest::newRow("cmbBEerw") << "cmbBEerw" << 1 << 2;
    }
    void lists() {
        QFETCH(QString, name);
        QFETCH(int, first);
        QFETCH(int, last);
        Rig rig;
        QComboBox* c = rig.get<QComboBox>(name);
        QCOMPARE(c->count(), last - first + 1);
        for (int i = 0; i < c->count(); ++i)
            QCOMPARE(c->itemText(i), QString::number(first + i));
        QCOMPARE(c->currentText(), QStringLiteral("1"));
        QVERIFY(c->isEditable());
    }

    void registerList() {
        Rig rig;
        auto* list = rig.get<QListWidget>("lstRegister");
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries << list->item(i)->text();
        QCOMPARE(entries, (QStringList{"1     digitale Adresse", "2     Startspannung", "3     Anfahrverzögerung",
                                       "4     Bremsverzögerung", "5     Höchstgeschwindigkeit",
                                       "6     mittlere Geschwindigkeit", "7     Versionsnummer",
                                       "8     Herstellerkennung", "9     Motorfrequenz",
                                       "17   erweiterte Adresse (höherwertig)", "18   erweiterte Adresse (niederwertig)",
                                       "19   Consist-Adresse", "29   Konfigurationsregister", "65   Kickstart",
                                       "66   Trimmwert vorwärts", "95   Trimmwert rückwärts"}));
        for (const auto& [index, cv] : {std::pair{12, "29"}, std::pair{9, "17"}, std::pair{0, "1"}}) {
            list->setCurrentRow(index);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(index)).center());
            QCOMPARE(rig.field("txtRegister")->text(), QString::fromLatin1(cv));
        }
    }

    void delayAtLoad_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("delay");
        QTest::newRow("negative becomes 1000") << -5 << 1000;
        QTest::newRow("kept") << 250 << 250;
        QTest::newRow("zero kept") << 0 << 0;
    }
    void delayAtLoad() {
        QFETCH(int, stored);
        QFETCH(int, delay);
        Rig rig({QStringLiteral("quillex")}, stored);
        QCOMPARE(rig.ctx.Delay, delay);
        QCOMPARE(rig.field("txtDelay")->text(), QString::number(delay));
        rig.field("txtDelay")->setText(QStringLiteral("1200"));
        QCOMPARE(rig.ctx.Delay, 1200);
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("address");
        QTest::newRow("none") << QStringList{"quillex"} << "0";
        QTest::newRow("/Test") << QStringList{"quillex", "/Test"} << "80";
        QTest::newRow("/Test with others") << QStringList{"quillex", "--data-folder", "/tmp/x", "/Test"} << "80";
        QTest::newRow("a path containing /Test") << QStringList{"quillex", "--data-folder", "/home/u/Test"} << "0";
        QTest::newRow("program name only") << QStringList{"/Test"} << "0";
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, address);
        Rig rig(arguments);
        QCOMPARE(rig.field("txtAdresse")->text(), address);
        QCOMPARE(rig.get<RisingScrollBar>("scrAdresse")->value(), address.toInt());
    }

    // Whatever waited in the input when the window opened is gone.
    void loadEmptiesTheInput() {
        VirtualClock clock;
        SimulatedStation station(clock, SimulatedStation::Kind::Selectrix);
        station.open();
        station.queueAnswer(QByteArray::fromHex("8080"));
        RecordingNotifier notifier;
        AppContext ctx;
        ctx.notifier = &notifier;
        StationLink link(station, clock);
        Dialog dialog;
        frmSelectrix window(ctx, link, dialog, {QStringLiteral("quillex")});
        QCOMPARE(station.bytesWaiting(), 0);
    }

    void sizeAndPosition() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const bool narrow = pixelsToTwips(screen->geometry().width()) < 12030;
        Rig rig;
        rig.ctx.PosZentraleLeft = 1500;
        rig.ctx.PosZentraleTop = 900;
        rig.window = std::make_unique<frmSelectrix>(rig.ctx, rig.link, rig.dialog, QStringList{"quillex"});
        QCOMPARE(rig.window->width(), twips((narrow ? 11370 : 14550) - 120));
        QCOMPARE(rig.window->height(), twips(10215 - 405));
        QCOMPARE(rig.get<QScrollBar>("scrSize")->isHidden(), !narrow);
        QCOMPARE(positionTwips(rig.window.get()), QPoint(1500, 900));
        rig.window->move(twips(3000), twips(600));
        rig.window->close();
        QCOMPARE(rig.ctx.PosZentraleLeft, 3000);
        QCOMPARE(rig.ctx.PosZentraleTop, 600);
    }

    void scrSizeMovesTheDrivePanel() {
        Rig rig;
        auto* bar = rig.get<QScrollBar>("scrSize");
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 248);
        QCOMPARE(bar->singleStep(), 10);
        QCOMPARE(bar->pageStep(), 100);
        bar->setValue(100);
        QCOMPARE(rig.get<QWidget>("pnlFahrpult")->x(), twips(10770 - 1500));
        QCOMPARE(rig.get<QWidget>("lblCredit")->x(), twips(10740 - 1500));
        QCOMPARE(rig.get<QWidget>("picCredit")->x(), twips(13230 - 1500));
    }

    void couplings_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QStringList>("typed");  // typed one after the other
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("value");
        QTest::newRow("address 150") << "txtAdresse" << "scrAdresse" << QStringList{"150"} << "103" << 103;
        QTest::newRow("address 150 at the top already") << "txtAdresse" << "scrAdresse" << QStringList{"103", "150"}
                                                        << "103" << 103;
        QTest::newRow("address 45") << "txtAdresse" << "scrAdresse" << QStringList{"45"} << "45" << 45;
        QTest::newRow("speed 40") << "txtFS" << "scrFS" << QStringList{"31", "40"} << "31" << 31;
        QTest::newRow("speed 12") << "txtFS" << "scrFS" << QStringList{"12"} << "12" << 12;
        QTest::newRow("speed -3") << "txtFS" << "scrFS" << QStringList{"-3"} << "0" << 0;
        QTest::newRow("value 300") << "txtWert" << "scrWert" << QStringList{"300"} << "255" << 255;
        QTest::newRow("value ? ignored") << "txtWert" << "scrWert" << QStringList{"17", "?"} << "?" << 17;
        QTest::newRow("CV 0") << "txtRegister" << "scrRegister" << QStringList{"5", "0"} << "1" << 1;
        // A field without a number leaves its bar where it stands.
        QTest::newRow("CV abc") << "txtRegister" << "scrRegister" << QStringList{"5", "abc"} << "abc" << 5;
        QTest::newRow("CV emptied") << "txtRegister" << "scrRegister" << QStringList{"5", ""} << "" << 5;
        QTest::newRow("address emptied") << "txtAdresse" << "scrAdresse" << QStringList{"45", ""} << "" << 45;
        QTest::newRow("value emptied") << "txtWert" << "scrWert" << QStringList{"17", ""} << "" << 17;
        QTest::newRow("CV 0 with the bar at 1") << "txtRegister" << "scrRegister" << QStringList{"0"} << "0" << 1;
        QTest::newRow("CV 29") << "txtRegister" << "scrRegister" << QStringList{"29"} << "29" << 29;
        QTest::newRow("CV 1500") << "txtRegister" << "scrRegister" << QStringList{"1500"} << "999" << 999;
    }
    void couplings() {
        QFETCH(QString, field);
        QFETCH(QString, bar);
        QFETCH(QStringList, typed);
        QFETCH(QString, shown);
        QFETCH(int, value);
        Rig rig;
        auto* f = rig.get<QLineEdit>(field);
        auto* b = rig.get<RisingScrollBar>(bar);
        for (const QString& t : typed)
            f->setText(t);
        QCOMPARE(f->text(), shown);
        QCOMPARE(b->value(), value);
        // The bar raises the value, and the field follows it.
        b->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        if (value < b->risingMaximum())
            QCOMPARE(f->text(), QString::number(value + 1));
    }

    void keyFilters_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("txtAdresse") << "txtAdresse" << "1a2." << "12";
        QTest::newRow("txtDelay") << "txtDelay" << "5x0-" << "50";
        QTest::newRow("cmbBE") << "cmbBE" << "3b" << "3";
        QTest::newRow("cmbGE has none") << "cmbGE" << "3b" << "3b";
        QTest::newRow("txtFS has none") << "txtFS" << "1a" << "1a";
    }
    void keyFilters() {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Rig rig;
        QWidget* w = rig.get<QWidget>(name);
        auto* line = qobject_cast<QLineEdit*>(w);
        if (!line)
            line = qobject_cast<QComboBox*>(w)->lineEdit();
        // Key presses reach the field where the user types them: the combo forwards its own.
        line->clear();
        QTest::keyClicks(w, typed);
        QCOMPARE(line->text(), shown);
        QTest::keyClick(w, Qt::Key_Backspace);
        QCOMPARE(line->text(), shown.chopped(1));
    }

    void stationChoice() {
        Rig rig;
        rig.click("btnUnit_0");
        QCOMPARE(rig.ctx.CuName, QStringLiteral("SLX"));
        QCOMPARE(rig.ctx.HelpPage, QStringLiteral("Zelvo_SLX850.htm"));
        QCOMPARE(rig.ctx.ZentraleIndex, qint16(0));
        QVERIFY(rig.get<QRadioButton>("optModus_6")->isEnabled());
        QVERIFY(rig.get<QWidget>("btnProgrammierbit")->isEnabled());
        QVERIFY(!rig.get<QWidget>("pnlFahrpult")->isHidden());
        QCOMPARE(rig.bytes(), QStringList{"7F00"});
        QLabel* l0 = rig.label("lblUnit_0");
        QVERIFY(l0->font().bold());
        QCOMPARE(l0->frameShape(), QFrame::Box);

        // DCC first, then the Intellibox by its label.
        rig.click("optModus_6");
        rig.enableExtended();
        QTest::mouseClick(rig.label("lblUnit_1"), Qt::LeftButton);
        QVERIFY(rig.get<QToolButton>("btnUnit_1")->isChecked());
        QCOMPARE(rig.ctx.CuName, QStringLiteral("IB"));
        QCOMPARE(rig.ctx.HelpPage, QStringLiteral("Zelvo_SLXIB.htm"));
        QCOMPARE(rig.ctx.ZentraleIndex, qint16(1));
        QVERIFY(rig.get<QWidget>("pnlFahrpult")->isHidden());
        QVERIFY(rig.get<QWidget>("pnlDCC")->isHidden());
        QVERIFY(!rig.get<QRadioButton>("optModus_6")->isEnabled());
        QVERIFY(rig.get<QRadioButton>("optModus_1")->isChecked());
        QCOMPARE(rig.window->SxModus(), 1);
        QVERIFY(!rig.get<QCheckBox>("chkChange_0")->isEnabled());
        QVERIFY(!rig.get<QWidget>("btnProgrammierbit")->isEnabled());
        QVERIFY(!l0->font().bold());
        QCOMPARE(l0->frameShape(), QFrame::NoFrame);
        QVERIFY(rig.label("lblUnit_1")->font().bold());
        // Nothing goes to an Intellibox here.
        QCOMPARE(rig.bytes(), QStringList{"7F00"});
        QCOMPARE(Rig::lampColour(rig.label("lblSystem")), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(Rig::lampColour(rig.label("lblGleisspannung")), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(Rig::textColour(rig.label("LabelSystem")), QColor(0x80, 0x80, 0x80));
        QCOMPARE(Rig::textColour(rig.label("LabelGleisspannung")), QColor(0x80, 0x80, 0x80));
    }

    void modeChoice() {
        Rig rig;
        rig.click("btnUnit_0");
        rig.click("optModus_6");
        QCOMPARE(rig.window->SxModus(), 6);
        QWidget* dcc = rig.get<QWidget>("pnlDCC");
        QVERIFY(!dcc->isHidden());
        QCOMPARE(dcc->x(), rig.get<QWidget>("pnlSelectrix")->x() + twips(120));
        rig.click("optModus_1");
        QCOMPARE(rig.window->SxModus(), 1);
        QVERIFY(dcc->isHidden());
    }

    // The DCC panel covers the parameters only: the mode buttons, the protocol grid and the
    // programming buttons stay in view and usable, and every CV entry shows whole.
    void dccPanelLayout() {
        Rig rig;
        rig.window->show();
        rig.click("btnUnit_0");
        rig.click("optModus_6");
        QWidget* dcc = rig.get<QWidget>("pnlDCC");
        QWidget* central = rig.window->centralWidget();
        auto rectOf = [central](const char* name) {
            QWidget* w = central->findChild<QWidget*>(QString::fromLatin1(name));
            return QRect(w->mapTo(central, QPoint(0, 0)), w->size());
        };
        for (const char* name : {"optModus_1", "optModus_6", "grdKP", "btnSelectrix_0", "btnSelectrix_1",
                                 "btnProgrammierbit", "stbStatus"})
            QVERIFY2(!dcc->geometry().intersects(rectOf(name)), name);
        for (const char* name : {"cmbADR", "cmbHA", "chkChange_0", "cmbBEerw"})
            QVERIFY2(dcc->geometry().contains(rectOf(name)), name);
        // The frame of the extended settings, too.
        QWidget* frame = rig.get<QWidget>("chkChange_0")->parentWidget();
        QVERIFY(dcc->geometry().contains(QRect(frame->mapTo(central, QPoint(0, 0)), frame->size())));
        auto* list = rig.get<QListWidget>("lstRegister");
        QVERIFY(list->sizeHintForColumn(0) <= list->viewport()->width());
        QVERIFY(!list->horizontalScrollBar()->isVisible());
    }

    // No caption is cut off: check boxes, option buttons and labels keep their whole text,
    // push buttons a little room beside it.
    void captionsFit() {
        Rig rig;
        rig.window->show();
        rig.click("btnUnit_0");
        for (QAbstractButton* b : rig.window->findChildren<QAbstractButton*>()) {
            if (b->text().isEmpty())
                continue;
            const bool push = qobject_cast<QPushButton*>(b);
            const int needed = push ? b->fontMetrics().horizontalAdvance(b->text()) + 8 : b->sizeHint().width();
            QVERIFY2(needed <= b->width(), qPrintable(b->objectName()));
        }
        for (QLabel* l : rig.window->findChildren<QLabel*>()) {
            if (l->text().isEmpty())
                continue;
            QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width(), qPrintable(l->text()));
        }
    }

    void extendedSettings_data() {
        QTest::addColumn<bool>("motor");
        QTest::addColumn<bool>("licht");
        QTest::addColumn<bool>("gleis");
        QTest::addColumn<int>("value");
        QTest::newRow("Gleis alone") << false << false << true << 0;
        QTest::newRow("none") << false << false << false << 4;
        QTest::newRow("Motor and Licht") << true << true << false << 7;
        QTest::newRow("Motor alone") << true << false << false << 5;
    }
    void extendedSettings() {
        QFETCH(bool, motor);
        QFETCH(bool, licht);
        QFETCH(bool, gleis);
        QFETCH(int, value);
        Rig rig;
        rig.enableExtended();
        for (const char* c : {"chkChange_1", "chkChange_2", "chkChange_4"})
            QVERIFY(rig.get<QWidget>(QString::fromLatin1(c))->isEnabled());
        QVERIFY(rig.combo("cmbIMerw")->isEnabled());
        QCOMPARE(Rig::textColour(rig.label("lblIMerw")), Rig::textColour(rig.label("lblADR")));
        const std::array<std::pair<const char*, bool>, 3> boxes{{{"chkChange_1", motor}, {"chkChange_2", licht},
                                                                 {"chkChange_4", gleis}}};
        for (const auto& [name, ticked] : boxes)
            if (ticked)
                rig.click(name);
        QCOMPARE(rig.window->SxErweitert(), value);

        rig.click("chkChange_0");
        QVERIFY(!rig.get<QWidget>("chkChange_1")->isEnabled());
        QVERIFY(!rig.combo("cmbBEerw")->isEnabled());
        QCOMPARE(Rig::textColour(rig.label("lblBEerw")), QColor(0x80, 0x80, 0x80));
    }

    // Three rows in call order; the extended cells of the first stay when more rows come.
    void writeProtokoll() {
        Rig rig;
        rig.window->writeProtokoll("L", "80", "5", "6", "3", "2");
        rig.window->setNewestProtocolExtended({"1", "0", "1", "3", "2"});
        rig.window->writeProtokoll("S", "7", "1", "2", "1", "1");
        rig.window->writeProtokoll("L", "103", "7", "7", "4", "2");
        const QList<SxProtokoll::Row>& rows = rig.window->protocol().rows();
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0], (SxProtokoll::Row{"L", "80", "5", "6", "3", "2", "1", "0", "1", "3", "2"}));
        QCOMPARE(rows[1], (SxProtokoll::Row{"S", "7", "1", "2", "1", "1", "", "", "", "", ""}));
        QCOMPARE(rows[2][1], QStringLiteral("103"));
        QCOMPARE(rig.get<QTableView>("grdKP")->model()->rowCount(), 3);
        QCOMPARE(rig.get<QTableView>("grdKP")->model()->index(0, 10).data().toString(), QStringLiteral("2"));
    }

    void popUpMenu() {
        Rig rig;
        rig.window->show();
        auto* grid = rig.get<QTableView>("grdKP");
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), grid->viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(grid->viewport(), &event);
        auto* menu = rig.get<QMenu>("mnuPopUp");
        QVERIFY(menu->isVisible());
        menu->close();
    }

    void menus() {
        Rig rig;
        rig.ctx.HelpFile = QStringLiteral("help");
        rig.get<QAction>("mnuHilfe")->trigger();
        QCOMPARE(rig.notifier.helpPages, QStringList{"help|Zelvo_SLX.htm"});
        for (const char* name : {"mnuDatei_schliessen", "mnuSchliessen"}) {
            rig.window->show();
            rig.get<QAction>(QString::fromLatin1(name))->trigger();
            QVERIFY(!rig.window->isVisible());
        }
    }

    // "S&ystem" › "&Selectrix": SystemMode "SLX", the window modal on the main window's link.
    void openedFromTheMenu() {
        QTemporaryDir dir;
        RecordingNotifier notifier;
        AppContext ctx;
        ctx.notifier = &notifier;
        ctx.dataFolder = dir.path();
        ctx.CuName = QStringLiteral("IB");
        VirtualClock clock;
        SimulatedStation station(clock, SimulatedStation::Kind::Selectrix);
        station.open();
        StationLink link(station, clock);
        frmHauptmenu menu(ctx, station, link);
        Dialog dialog(&menu);
        QAction* entry = menu.entry(QStringLiteral("mnuSystem_Selectrix"));
        QVERIFY(!entry->isEnabled());
        installSelectrixWindow(menu, dialog);
        QVERIFY(entry->isEnabled());
        entry->trigger();
        QCOMPARE(ctx.SystemMode, QStringLiteral("SLX"));
        QPointer<frmSelectrix> window = menu.findChild<frmSelectrix*>();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowModality(), Qt::ApplicationModal);
        QCOMPARE(ctx.CuName, QString());
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
    }
};

QTEST_MAIN(TestFrmSelectrix)
#include "tst_frmselectrix.moc"
