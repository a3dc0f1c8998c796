#include "selectrix/core/Sx1Codec.h"

#include <QTest>

Q_DECLARE_METATYPE(Sx1Parameters)
Q_DECLARE_METATYPE(SxExtendedSettings)

// The SX1 parameter bytes and the extended-settings byte, both ways, and the list checks a
// write makes before it sends anything.
class TestSx1Codec : public QObject {
    Q_OBJECT
private slots:
    void parameterBytes_data() {
        QTest::addColumn<Sx1Parameters>("p");
        QTest::addColumn<int>("byte1");
        QTest::addColumn<int>("byte2");
        QTest::newRow("ADR 80 GE 5 BE 6 IM 3 HA 2") << Sx1Parameters{80, 5, 6, 3, 2} << 181 << 208;
        QTest::newRow("lowest of every list") << Sx1Parameters{1, 0, 0, 1, 1} << 0 << 1;
        QTest::newRow("highest of every list") << Sx1Parameters{103, 7, 7, 4, 2} << 255 << 231;
        QTest::newRow("IM alone") << Sx1Parameters{1, 0, 0, 2, 1} << 64 << 1;
        QTest::newRow("HA alone") << Sx1Parameters{1, 0, 0, 1, 2} << 0 << 129;
    }
    void parameterBytes() {
        QFETCH(Sx1Parameters, p);
        QFETCH(int, byte1);
        QFETCH(int, byte2);
        QCOMPARE(int(Sx1::byte1(p)), byte1);
        QCOMPARE(int(Sx1::byte2(p)), byte2);
        QCOMPARE(Sx1::decode(quint8(byte1), quint8(byte2)), p);
    }

    // Every pair of bytes a decoder may hold reads back as the same pair once written.
    void everyBytePairRoundTrips() {
        for (int b1 = 0; b1 < 256; ++b1) {
            for (int b2 = 0; b2 < 256; ++b2) {
                const Sx1Parameters p = Sx1::decode(quint8(b1), quint8(b2));
                QVERIFY(p.ge >= 0 && p.ge <= 7 && p.be >= 0 && p.be <= 7);
                QVERIFY(p.im >= 1 && p.im <= 4 && p.ha >= 1 && p.ha <= 2 && p.adr <= 127);
                if (Sx1::byte1(p) != b1 || Sx1::byte2(p) != b2)
                    QFAIL(qPrintable(QStringLiteral("%1/%2").arg(b1).arg(b2)));
            }
        }
    }

    void sxErweitert_data() {
        QTest::addColumn<bool>("motor");
        QTest::addColumn<bool>("licht");
        QTest::addColumn<bool>("gleis");
        QTest::addColumn<int>("value");
        QTest::newRow("Gleis alone") << false << false << true << 0;
        QTest::newRow("none") << false << false << false << 4;
        QTest::newRow("Motor and Licht") << true << true << false << 7;
        QTest::newRow("all three") << true << true << true << 3;
    }
    void sxErweitert() {
        QFETCH(bool, motor);
        QFETCH(bool, licht);
        QFETCH(bool, gleis);
        QFETCH(int, value);
        QCOMPARE(Sx1::SxErweitert(motor, licht, gleis), value);
    }

    void extendedByte_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<SxExtendedSettings>("s");
        QTest::newRow("3: Motor, Licht, Gleis; IMe 0") << 3 << SxExtendedSettings{true, true, true, 0, 1};
        QTest::newRow("4: nothing ticked") << 4 << SxExtendedSettings{false, false, false, 0, 1};
        QTest::newRow("IMe 4, HAe 2") << 4 + 32 + 64 << SxExtendedSettings{false, false, false, 4, 2};
        QTest::newRow("IMe 7 shown as read") << 56 << SxExtendedSettings{false, false, true, 7, 1};
        QTest::newRow("bit 7 not used") << 128 + 3 << SxExtendedSettings{true, true, true, 0, 1};
    }
    void extendedByte() {
        QFETCH(int, byte);
        QFETCH(SxExtendedSettings, s);
        QCOMPARE(Sx1::decodeExtended(quint8(byte)), s);
        QCOMPARE(int(Sx1::extendedByte(s)), byte & 127);
    }

    // What the window lets a user write survives the trip through the decoder.
    void extendedRoundTrips() {
        for (int checks = 0; checks < 8; ++checks)
            for (int im = 1; im <= 4; ++im)
                for (int be = 1; be <= 2; ++be) {
                    const SxExtendedSettings s{bool(checks & 1), bool(checks & 2), bool(checks & 4), im, be};
                    QCOMPARE(Sx1::decodeExtended(Sx1::extendedByte(s)), s);
                }
    }

    void checkParameters_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("bad");  // empty: all valid
        QTest::addColumn<Sx1Parameters>("p");
        const Sx1Parameters none;
        QTest::newRow("valid") << QStringList{"80", "5", "6", "3", "2"} << "" << Sx1Parameters{80, 5, 6, 3, 2};
        QTest::newRow("blanks around") << QStringList{" 80 ", "5", "6", "3", "2"} << "" << Sx1Parameters{80, 5, 6, 3, 2};
        QTest::newRow("fraction rounded") << QStringList{"12.5", "5", "6", "3", "2"} << ""
                                          << Sx1Parameters{12, 5, 6, 3, 2};
        QTest::newRow("ADR 0") << QStringList{"0", "5", "6", "3", "2"} << "ADR 1..103" << none;
        QTest::newRow("ADR 104") << QStringList{"104", "5", "6", "3", "2"} << "ADR 1..103" << none;
        QTest::newRow("ADR empty") << QStringList{"", "5", "6", "3", "2"} << "ADR 1..103" << none;
        QTest::newRow("ADR text") << QStringList{"12abc", "5", "6", "3", "2"} << "ADR 1..103" << none;
        QTest::newRow("GE 8") << QStringList{"80", "8", "6", "3", "2"} << "GE 0..7" << none;
        QTest::newRow("GE negative") << QStringList{"80", "-1", "6", "3", "2"} << "GE 0..7" << none;
        QTest::newRow("BE ?") << QStringList{"80", "5", "?", "3", "2"} << "BE 0..7" << none;
        QTest::newRow("IM 0") << QStringList{"80", "5", "6", "0", "2"} << "IM 1..4" << none;
        QTest::newRow("IM 5") << QStringList{"80", "5", "6", "5", "2"} << "IM 1..4" << none;
        QTest::newRow("HA 3") << QStringList{"80", "5", "6", "3", "3"} << "HA 1..2" << none;
        QTest::newRow("first bad one named") << QStringList{"80", "9", "6", "3", "3"} << "GE 0..7" << none;
    }
    void checkParameters() {
        QFETCH(QStringList, texts);
        QFETCH(QString, bad);
        QFETCH(Sx1Parameters, p);
        const Sx1::Checked c = Sx1::checkParameters(texts[0], texts[1], texts[2], texts[3], texts[4]);
        if (bad.isEmpty()) {
            QCOMPARE(c.parameters, std::optional<Sx1Parameters>(p));
        } else {
            QVERIFY(!c.parameters);
            QCOMPARE(QStringLiteral("%1 %2..%3").arg(c.bad.name).arg(c.bad.min).arg(c.bad.max), bad);
        }
    }

    void checkExtended_data() {
        QTest::addColumn<QString>("im");
        QTest::addColumn<QString>("be");
        QTest::addColumn<QString>("bad");
        QTest::newRow("valid") << "4" << "2" << "";
        QTest::newRow("IMe 0 as read back") << "0" << "1" << "Motorregelung / Impw";
        QTest::newRow("IMe 5") << "5" << "1" << "Motorregelung / Impw";
        QTest::newRow("HAe 3") << "2" << "3" << "Wirkung der ABE";
        QTest::newRow("HAe empty") << "2" << "" << "Wirkung der ABE";
    }
    void checkExtended() {
        QFETCH(QString, im);
        QFETCH(QString, be);
        QFETCH(QString, bad);
        const Sx1::CheckedExtended c = Sx1::checkExtended(true, false, true, im, be);
        QCOMPARE(c.settings.has_value(), bad.isEmpty());
        if (c.settings)
            QCOMPARE(*c.settings, (SxExtendedSettings{true, false, true, im.toInt(), be.toInt()}));
        else
            QCOMPARE(c.bad.name, bad);
    }
};

QTEST_GUILESS_MAIN(TestSx1Codec)
#include "tst_sx1codec.moc"
