#include "app/core/AppContext.h"
#include "app/core/ConfigFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A file as the program writes it.
const QByteArray kWritten =
    "[COM]\r\n3\r\n\r\n[Settings]\r\n9600,N,8,1\r\n\r\n[Fahrstufen]\r\n2\r\n\r\n"
    "[Fensterposition Zentrale]\r\n 1500 \r\n-120 \r\n\r\n"
    "[Fensterposition Kennlinie]\r\n 0 \r\n 4410 \r\n\r\n"
    "[Delay Kennline schreiben]\r\n 250 \r\n\r\n"
    "[Zentrale / CU]\r\n 2 \r\n\r\n[Decoder-Typ]\r\n 1 \r\n\r\n[Interface-Typ (Lenz)]\r\n 1 \r\n";

// kWritten with its 1-based line `line` replaced by `text`.
QByteArray withLine(int line, const QByteArray& text) {
    QList<QByteArray> lines = kWritten.split('\n');
    lines[line - 1] = text + '\r';
    return lines.join('\n');
}

// Every setting by name, so that one comparison shows which one differs.
QStringList settingsOf(const AppContext& c) {
    return {"ComPort=" + c.ComPort,
            "ComSettings=" + c.ComSettings,
            "Fahrstufen=" + c.Fahrstufen,
            QString("PosZentrale=%1,%2").arg(c.PosZentraleLeft).arg(c.PosZentraleTop),
            QString("PosKennlinie=%1,%2").arg(c.PosKennlinieLeft).arg(c.PosKennlinieTop),
            QString("Delay=%1").arg(c.Delay),
            QString("ZentraleIndex=%1").arg(c.ZentraleIndex),
            QString("DecoderTypIndex=%1").arg(c.DecoderTypIndex),
            QString("LenzInterfaceType=%1").arg(c.LenzInterfaceType)};
}

const QStringList kWrittenSettings = {"ComPort=3", "ComSettings=9600,N,8,1", "Fahrstufen=2",
                                      "PosZentrale=1500,-120", "PosKennlinie=0,4410", "Delay=250",
                                      "ZentraleIndex=2", "DecoderTypIndex=1", "LenzInterfaceType=1"};

}  // namespace

class TestConfig : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path() const { return m_dir.filePath(QStringLiteral("Quillex.cfg")); }
    AppContext context() const {
        AppContext ctx;
        ctx.dataFolder = m_dir.path();
        return ctx;
    }
    AppContext readFrom(const QByteArray& bytes) {
        writeFileBytes(path(), bytes);
        AppContext ctx = context();
        ReadConfig(ctx);
        return ctx;
    }

private slots:
    void init() { QFile::remove(path()); }

    void reads_data() {
        QTest::addColumn<QByteArray>("file");  // null: no file at all
        QTest::addColumn<QStringList>("settings");
        QTest::newRow("CR LF") << kWritten << kWrittenSettings;
        QTest::newRow("LF") << QByteArray(kWritten).replace("\r\n", "\n") << kWrittenSettings;
        QTest::newRow("CR") << QByteArray(kWritten).replace("\r\n", "\r") << kWrittenSettings;
        QTest::newRow("headers are not tested") << QByteArray(kWritten).replace("[COM]", "[Anything]")
                                                << kWrittenSettings;
        QTest::newRow("missing file gives defaults")
            << QByteArray() << QStringList{"ComPort=1", "ComSettings=2400,N,8,1", "Fahrstufen=1",
                                           "PosZentrale=0,0", "PosKennlinie=0,0", "Delay=0",
                                           "ZentraleIndex=0", "DecoderTypIndex=0", "LenzInterfaceType=0"};
    }
    void reads() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, settings);
        if (!file.isNull())
            writeFileBytes(path(), file);
        AppContext ctx = context();
        ReadConfig(ctx);
        QCOMPARE(settingsOf(ctx), settings);
    }

    // Read and written again without change, the file comes back byte for byte.
    void roundTripIsByteForByte_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("comPort");
        QTest::newRow("the program's file") << kWritten << "3";
        QTest::newRow("Latin-1 text") << withLine(2, "COM\xe4") << QStringLiteral("COM\u00e4");
    }
    void roundTripIsByteForByte() {
        QFETCH(QByteArray, file);
        QFETCH(QString, comPort);
        AppContext ctx = readFrom(file);
        QCOMPARE(ctx.ComPort, comPort);
        QFile::remove(path());
        WriteConfig(ctx);
        QCOMPARE(fileBytes(path()), file);
    }

    void writesEveryValueBack() {
        AppContext ctx = context();
        ctx.ComPort = QStringLiteral("ttyUSB0");
        ctx.ComSettings = QStringLiteral("19200,E,7,2");
        ctx.Fahrstufen = QStringLiteral("4");
        ctx.PosZentraleLeft = -2147483647 - 1;
        ctx.PosZentraleTop = 2147483647;
        ctx.PosKennlinieLeft = -1;
        ctx.PosKennlinieTop = 1;
        ctx.Delay = -5;
        ctx.ZentraleIndex = -32768;
        ctx.DecoderTypIndex = 32767;
        ctx.LenzInterfaceType = 0;
        WriteConfig(ctx);
        const QByteArray bytes = fileBytes(path());
        QCOMPARE(bytes.count("\r\n"), 28);
        QVERIFY(bytes.endsWith("[Interface-Typ (Lenz)]\r\n 0 \r\n"));
        QVERIFY(bytes.contains("\r\n-2147483648 \r\n 2147483647 \r\n"));
        AppContext back = context();
        ReadConfig(back);
        QCOMPARE(settingsOf(back), settingsOf(ctx));
    }

    // A file cut short takes the last text read for the lines past its end, and "1000"
    // from line 18 on while no line can be read.
    void shortFiles_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("comPort");
        QTest::addColumn<QString>("comSettings");
        QTest::addColumn<int>("posKennlinieTop");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("zentraleIndex");
        QTest::addColumn<int>("lenzInterface");
        QTest::newRow("empty") << 0 << "1" << "2400,N,8,1" << 0 << 1000 << 1000 << 1;
        QTest::newRow("1 line") << 1 << "[COM]" << "2400,N,8,1" << 0 << 1000 << 1000 << 1;
        QTest::newRow("16 lines") << 16 << "3" << "9600,N,8,1" << 4410 << 1000 << 1000 << 1;
        QTest::newRow("17 lines") << 17 << "3" << "9600,N,8,1" << 4410 << 1000 << 1000 << 1;
        QTest::newRow("18 lines") << 18 << "3" << "9600,N,8,1" << 4410 << 0 << 0 << 0;
        QTest::newRow("19 lines") << 19 << "3" << "9600,N,8,1" << 4410 << 250 << 250 << 1;
        QTest::newRow("27 lines") << 27 << "3" << "9600,N,8,1" << 4410 << 250 << 2 << 0;
    }
    void shortFiles() {
        QFETCH(int, lines);
        QFETCH(QString, comPort);
        QFETCH(QString, comSettings);
        QFETCH(int, posKennlinieTop);
        QFETCH(int, delay);
        QFETCH(int, zentraleIndex);
        QFETCH(int, lenzInterface);
        const AppContext ctx = readFrom(kWritten.split('\n').mid(0, lines).join('\n') + (lines > 0 ? "\n" : ""));
        QCOMPARE(ctx.ComPort, comPort);
        QCOMPARE(ctx.ComSettings, comSettings);
        QCOMPARE(ctx.PosKennlinieTop, posKennlinieTop);
        QCOMPARE(ctx.Delay, delay);
        QCOMPARE(int(ctx.ZentraleIndex), zentraleIndex);
        QCOMPARE(int(ctx.LenzInterfaceType), lenzInterface);
    }

    // One value line replaced; the numbers held 77 (indices 7, Lenz interface 0) before reading.
    void valueLines_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("settings no comma") << 5 << QByteArray("9600") << "2400,N,8,1";
        QTest::newRow("settings empty") << 5 << QByteArray("") << "2400,N,8,1";
        QTest::newRow("settings with commas") << 5 << QByteArray("4800,E,7,2") << "4800,E,7,2";
        QTest::newRow("settings only a comma") << 5 << QByteArray(",") << ",";
        QTest::newRow("position 0") << 11 << QByteArray(" 0 ") << "0";
        QTest::newRow("position empty") << 11 << QByteArray("") << "0";
        QTest::newRow("position letters") << 11 << QByteArray("abc") << "0";
        QTest::newRow("position digits then letters") << 11 << QByteArray("12abc") << "77";
        QTest::newRow("position fraction") << 11 << QByteArray("2.5") << "2";
        QTest::newRow("position fraction up") << 11 << QByteArray("3.5") << "4";
        QTest::newRow("position too large") << 11 << QByteArray("99999999999") << "77";
        QTest::newRow("position no blanks") << 12 << QByteArray("-300") << "-300";
        QTest::newRow("delay digits then letters") << 19 << QByteArray("12abc") << "12";
        QTest::newRow("delay letters") << 19 << QByteArray("abc") << "0";
        QTest::newRow("delay half") << 19 << QByteArray("2.5") << "2";
        QTest::newRow("delay exponent") << 19 << QByteArray("1e3") << "1000";
        QTest::newRow("delay too large") << 19 << QByteArray("1e12") << "77";
        QTest::newRow("station index too large") << 22 << QByteArray("40000") << "7";
        QTest::newRow("station index negative") << 22 << QByteArray("-2") << "-2";
        QTest::newRow("decoder index") << 25 << QByteArray(" 1000 ") << "1000";
        QTest::newRow("lenz interface 5") << 28 << QByteArray("5") << "1";
        QTest::newRow("lenz interface -1") << 28 << QByteArray("-1") << "-1";
    }
    void valueLines() {
        QFETCH(int, line);
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        writeFileBytes(path(), withLine(line, text));
        AppContext ctx = context();
        ctx.PosZentraleLeft = ctx.PosZentraleTop = ctx.Delay = 77;
        ctx.ZentraleIndex = ctx.DecoderTypIndex = 7;
        ctx.LenzInterfaceType = 0;
        ReadConfig(ctx);
        const QHash<int, QString> valueOn = {{5, ctx.ComSettings},
                                             {11, QString::number(ctx.PosZentraleLeft)},
                                             {12, QString::number(ctx.PosZentraleTop)},
                                             {19, QString::number(ctx.Delay)},
                                             {22, QString::number(ctx.ZentraleIndex)},
                                             {25, QString::number(ctx.DecoderTypIndex)},
                                             {28, QString::number(ctx.LenzInterfaceType)}};
        QCOMPARE(valueOn.value(line), expected);
    }

    // A settings file that cannot be written is reported.
    void unwritableFileThrows_data() {
        QTest::addColumn<bool>("folderMissing");
        QTest::newRow("missing folder") << true;
        QTest::newRow("file name taken by a folder") << false;
    }
    void unwritableFileThrows() {
        QFETCH(bool, folderMissing);
        AppContext ctx = context();
        if (folderMissing)
            ctx.dataFolder = m_dir.filePath(QStringLiteral("missing"));
        else
            QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("Quillex.cfg")));
        const int number = failureOf([&] { WriteConfig(ctx); });
        QDir(m_dir.path()).rmdir(QStringLiteral("Quillex.cfg"));
        QCOMPARE(number, 75);
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
