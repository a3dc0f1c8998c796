#include "FakeZentraleHost.h"
#include "lenz/core/LenzCvProgrammer.h"
#include "lenz/core/LenzServiceMode.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/ui/Cv29Panel.h"

#include <QAbstractButton>
#include <QTest>

using Mode = XpressNet::ProgrammingMode;

namespace {
// A Lenz station behind the link, with the shared programming layer over it.
struct Lenz {
    explicit Lenz(bool usbLine) : usb(usbLine) {
        z.station.setKind(usb ? SimulatedStation::Kind::LenzUsb : SimulatedStation::Kind::Lenz);
    }
    // The programmer of one operation, as the Lenz window makes it on its exchange.
    CvProgrammerSource programmers() {
        return [this] {
            return std::make_unique<LenzCvProgrammer>(z.host.link(), usb, Mode::Direct, LenzCvProgrammer::WindowView{});
        };
    }
    bool usb;
    SimulatedZentrale z;
};
}  // namespace

// The read/write-CV interface, the programming session and the shared panels carry a Lenz
// station: no P50X text on the line, the service-mode pauses, the pointer on and off.
class TestProgrammingLayer : public QObject {
    Q_OBJECT
private slots:
    void sessionAroundAReadAndAWrite_data() {
        QTest::addColumn<bool>("usb");
        QTest::newRow("serial") << false;
        QTest::newRow("LI-USB") << true;
    }
    void sessionAroundAReadAndAWrite() {
        QFETCH(bool, usb);
        Lenz l(usb);
        l.z.station.setCv(29, 34);
        {
            const StationLink::Exchange exchange(l.z.host.link());
            LenzServiceMode serviceMode(l.z.host.link(), usb);
            LenzCvProgrammer programmer(serviceMode, Mode::Direct);
            ProgrammingSession session(l.z.host, programmer);
            QVERIFY(l.z.host.busy);
            const CvResult read = programmer.readCv(29);
            QVERIFY(read.ok());
            QCOMPARE(read.value, 34);
            QVERIFY(programmer.writeCv(29, 6).ok());
        }
        QVERIFY(!l.z.host.busy);
        QCOMPARE(l.z.station.xpressNetMessages(),
                 (QList<QByteArray>{QByteArray::fromHex("22151D"), QByteArray::fromHex("2110"),
                                    QByteArray::fromHex("23161D06"), QByteArray::fromHex("2110")}));
        QVERIFY(l.z.station.p50xCommands().isEmpty());
        const QList<qint64> times = l.z.writeTimes();
        QCOMPARE(times.at(1) - times.at(0), qint64(2000));
        QCOMPARE(l.z.station.cv(29), std::optional<int>(6));
    }

    // The CV 29 panel in the Lenz window's look over the Lenz programmer.
    void cv29Panel() {
        Lenz l(false);
        l.z.station.setCv(29, 38);
        Cv29Panel::Options lenzLook;
        lenzLook.bit3Editable = false;
        lenzLook.toggleShowsReadText = true;
        Cv29Panel panel(l.z.panelHost(), l.programmers(), lenzLook);
        QTest::mouseClick(panel.findChild<QAbstractButton*>(QStringLiteral("btnCV29IILesen")), Qt::LeftButton);
        QCOMPARE(panel.findChild<QLabel*>(QStringLiteral("lblCV29IIByte_8"))->text(), QStringLiteral("38"));
        QCOMPARE(panel.findChild<QLabel*>(QStringLiteral("lblCV29II_5"))->text(),
                 QStringLiteral(" lange Adresse aus CV 17 & 18 "));
        QTest::mouseClick(panel.findChild<QAbstractButton*>(QStringLiteral("btnCV29II_5")), Qt::LeftButton);
        QTest::mouseClick(panel.findChild<QAbstractButton*>(QStringLiteral("btnCV29IISchreiben")), Qt::LeftButton);
        QCOMPARE(l.z.station.cv(29), std::optional<int>(6));
        QVERIFY(l.z.station.p50xCommands().isEmpty());
        QVERIFY(!l.z.host.busy);
        QVERIFY(!l.z.host.link().exchangeRunning());
    }
};

QTEST_MAIN(TestProgrammingLayer)
#include "tst_programminglayer.moc"
