#include "FakeZentraleHost.h"
#include "programming/core/CvProgrammer.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/ui/Cv29Panel.h"

#include <QAbstractButton>
#include <QTest>

namespace {
// A read/write-CV programmer on XpressNet in direct mode, as small as the link allows: the
// request, 2000 ms, the input emptied and the result request, 500 ms, then the answer taken
// as long as bytes keep waiting (given up after 3000 ms); a write is answered by nothing and
// nothing ends programming.
class DirectModeProgrammer : public CvProgrammer {
public:
    DirectModeProgrammer(StationLink& link, bool usb) : m_link(link), m_usb(usb) {}

    CvResult readCv(int cv) override {
        CvResult result;
        m_link.SendenXpressNet(QByteArray::fromHex("2215") + char(cv), m_usb);
        m_link.Warten(2000);
        (void)m_link.readInput();
        m_link.SendenXpressNet(QByteArray::fromHex("2110"), m_usb);
        m_link.Warten(500);
        const qint64 start = m_link.clock().ticks();
        QByteArray answer;
        do {
            answer = m_link.readInput();
            if (m_link.clock().ticks() > start + 3000)
                return result;
        } while (m_link.bytesWaiting() != 0);
        if (m_usb)
            answer = answer.mid(2);
        result.answer = QString::fromLatin1(answer.toHex(' '));
        result.outcome = CvResult::Outcome::Refused;
        if (answer.startsWith(QByteArray::fromHex("6314")) && answer.size() >= 4) {
            result.outcome = CvResult::Outcome::Ok;
            result.value = quint8(answer.at(3));
        }
        return result;
    }
    CvResult writeCv(int cv, int value) override {
        m_link.SendenXpressNet(QByteArray::fromHex("2316") + char(cv) + char(value), m_usb);
        CvResult result;
        result.outcome = CvResult::Outcome::Ok;
        return result;
    }
    void finish() override {}

private:
    StationLink& m_link;
    bool m_usb;
};

struct Lenz {
    explicit Lenz(bool usb) {
        z.station.setKind(usb ? SimulatedStation::Kind::LenzUsb : SimulatedStation::Kind::Lenz);
    }
    SimulatedZentrale z;
};
}  // namespace

// The read/write-CV interface and the programming session carry an XpressNet station: no
// P50X text, the Lenz pauses on the line, the mode's messages, and the shared CV 29 panel on
// top of it in the Lenz window's look.
class TestXpressNetFit : public QObject {
    Q_OBJECT
private slots:
    void readAndWrite_data() {
        QTest::addColumn<bool>("usb");
        QTest::newRow("serial") << false;
        QTest::newRow("USB") << true;
    }
    void readAndWrite() {
        QFETCH(bool, usb);
        Lenz l(usb);
        l.z.station.setCv(29, 34);
        {
            const StationLink::Exchange exchange(l.z.host.link());
            DirectModeProgrammer programmer(l.z.host.link(), usb);
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
                                    QByteArray::fromHex("23161D06")}));
        QVERIFY(l.z.station.p50xCommands().isEmpty());
        const QList<qint64> times = l.z.writeTimes();
        QCOMPARE(times.at(1) - times.at(0), qint64(2000));
        QCOMPARE(l.z.station.cv(29), std::optional<int>(6));
    }

    void cv29PanelInTheLenzLook() {
        Lenz l(false);
        l.z.station.setCv(29, 38);
        Cv29Panel panel(l.z.panelHost(),
                        [&l] { return std::make_unique<DirectModeProgrammer>(l.z.host.link(), false); }, {false, true});
        QTest::mouseClick(panel.findChild<QAbstractButton*>(QStringLiteral("btnCV29IILesen")), Qt::LeftButton);
        QCOMPARE(panel.findChild<QLabel*>(QStringLiteral("lblCV29IIByte_8"))->text(), QStringLiteral("38"));
        QCOMPARE(panel.findChild<QLabel*>(QStringLiteral("lblCV29II_5"))->text(),
                 QStringLiteral(" lange Adresse aus CV 17 & 18 "));
        QTest::mouseClick(panel.findChild<QAbstractButton*>(QStringLiteral("btnCV29II_5")), Qt::LeftButton);
        QTest::mouseClick(panel.findChild<QAbstractButton*>(QStringLiteral("btnCV29IISchreiben")), Qt::LeftButton);
        QCOMPARE(l.z.station.cv(29), std::optional<int>(6));
        QVERIFY(l.z.station.p50xCommands().isEmpty());
        QVERIFY(!l.z.host.busy);
    }
};

QTEST_MAIN(TestXpressNetFit)
#include "tst_xpressnetfit.moc"
