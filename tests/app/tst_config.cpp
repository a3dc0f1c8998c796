#include "AppContext.h"
#include "ConfigFile.h"
#include "Failure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A file as the earlier program wrote it.
const QByteArray kWritten =
    "[COM]\r\n3\r\n\r\n[Settings]\r\n9600,N,8,1\r\n\r\n[Fahrstufen]\r\n2\r\n\r\n"
    "[Fensterposition Zentrale]\r\n 1500 \r\n-120 \r\n\r\n"
    "[Fensterposition Kennlinie]\r\n 0 \r\n 4410 \r\n\r\n"
    "[Delay Kennline schreiben]\r\n 250 \r\n\r\n"
    "[Zentrale / CU]\r\n 2 \r\n\r\n[Decoder-Typ]\r\n 1 \r\n\r\n[Interface-Typ (Lenz)]\r\n 1 \r\n";

QByteArray lineEnds(QByteArray bytes, const QByteArray& end) {
    return bytes.replace("\r\n", end);
}

}  // namespace

class TestConfig : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    AppContext context() const {
        AppContext ctx;
        ctx.dataFolder = m_dir.path();
        return ctx;
    }
    void store(const QByteArray& bytes) {
        QFile file(m_dir.filePath(QStringLiteral("Quillex.cfg")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray stored() const {
        QFile file(m_dir.filePath(QStringLiteral("Quillex.cfg")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init() { QFile::remove(m_dir.filePath(QStringLiteral("Quillex.cfg"))); }

    void readsFileOfEarlierProgram_data() {
        QTest::addColumn<QByteArray>("end");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }
    void readsFileOfEarlierProgram() {
        QFETCH(QByteArray, end);
        store(lineEnds(kWritten, end));
        AppContext ctx = context();
        ReadConfig(ctx);
        QCOMPARE(ctx.ComPort, QStringLiteral("3"));
        QCOMPARE(ctx.ComSettings, QStringLiteral("9600,N,8,1"));
        QCOMPARE(ctx.Fahrstufen, QStringLiteral("2"));
        QCOMPARE(ctx.PosZentraleLeft, 1500);
        QCOMPARE(ctx.PosZentraleTop, -120);
        QCOMPARE(ctx.PosKennlinieLeft, 0);
        QCOMPARE(ctx.PosKennlinieTop, 4410);
        QCOMPARE(ctx.Delay, 250);
        QCOMPARE(ctx.ZentraleIndex, qint16(2));
        QCOMPARE(ctx.DecoderTypIndex, qint16(1));
        QCOMPARE(ctx.LenzInterfaceType, qint16(1));
    }

    void roundTripIsByteForByte() {
        store(kWritten);
        AppContext ctx = context();
        ReadConfig(ctx);
        QFile::remove(m_dir.filePath(QStringLiteral("Quillex.cfg")));
        WriteConfig(ctx);
        QCOMPARE(stored(), kWritten);
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
        const QByteArray bytes = stored();
        QCOMPARE(bytes.count("\r\n"), 28);
        QVERIFY(bytes.endsWith("[Interface-Typ (Lenz)]\r\n 0 \r\n"));
        QVERIFY(bytes.contains("\r\n-2147483648 \r\n 2147483647 \r\n"));

        AppContext back = context();
        ReadConfig(back);
        QCOMPARE(back.ComPort, ctx.ComPort);
        QCOMPARE(back.ComSettings, ctx.ComSettings);
        QCOMPARE(back.Fahrstufen, ctx.Fahrstufen);
        QCOMPARE(back.PosZentraleLeft, ctx.PosZentraleLeft);
        QCOMPARE(back.PosZentraleTop, ctx.PosZentraleTop);
        QCOMPARE(back.PosKennlinieLeft, ctx.PosKennlinieLeft);
        QCOMPARE(back.PosKennlinieTop, ctx.PosKennlinieTop);
        QCOMPARE(back.Delay, ctx.Delay);
        QCOMPARE(back.ZentraleIndex, ctx.ZentraleIndex);
        QCOMPARE(back.DecoderTypIndex, ctx.DecoderTypIndex);
        QCOMPARE(back.LenzInterfaceType, ctx.LenzInterfaceType);
    }

    void missingFileGivesDefaults() {
        AppContext ctx = context();
        ReadConfig(ctx);
        QCOMPARE(ctx.ComPort, QStringLiteral("1"));
        QCOMPARE(ctx.ComSettings, QStringLiteral("2400,N,8,1"));
        QCOMPARE(ctx.Fahrstufen, QStringLiteral("1"));
        QCOMPARE(ctx.PosZentraleLeft, 0);
        QCOMPARE(ctx.PosKennlinieTop, 0);
        QCOMPARE(ctx.Delay, 0);
        QCOMPARE(ctx.ZentraleIndex, qint16(0));
        QCOMPARE(ctx.DecoderTypIndex, qint16(0));
        QCOMPARE(ctx.LenzInterfaceType, qint16(0));
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
        const QList<QByteArray> all = kWritten.split('\n');
        QByteArray bytes;
        for (int i = 0; i < lines; ++i)
            bytes += all.at(i) + '\n';
        store(bytes);
        AppContext ctx = context();
        ReadConfig(ctx);
        QCOMPARE(ctx.ComPort, comPort);
        QCOMPARE(ctx.ComSettings, comSettings);
        QCOMPARE(ctx.PosKennlinieTop, posKennlinieTop);
        QCOMPARE(ctx.Delay, delay);
        QCOMPARE(int(ctx.ZentraleIndex), zentraleIndex);
        QCOMPARE(int(ctx.LenzInterfaceType), lenzInterface);
    }

    // One value line replaced; `before` is the setting's value before reading.
    void numberLines_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("expected");
        QTest::newRow("position 0") << 11 << QByteArray(" 0 ") << 77 << 0;
        QTest::newRow("position empty") << 11 << QByteArray("") << 77 << 0;
        QTest::newRow("position letters") << 11 << QByteArray("abc") << 77 << 0;
        QTest::newRow("position digits then letters") << 11 << QByteArray("12abc") << 77 << 77;
        QTest::newRow("position fraction") << 11 << QByteArray("2.5") << 77 << 2;
        QTest::newRow("position fraction up") << 11 << QByteArray("3.5") << 77 << 4;
        QTest::newRow("position too large") << 11 << QByteArray("99999999999") << 77 << 77;
        QTest::newRow("position no blanks") << 12 << QByteArray("-300") << 77 << -300;
        QTest::newRow("delay digits then letters") << 19 << QByteArray("12abc") << 77 << 12;
        QTest::newRow("delay letters") << 19 << QByteArray("abc") << 77 << 0;
        QTest::newRow("delay half") << 19 << QByteArray("2.5") << 77 << 2;
        QTest::newRow("delay exponent") << 19 << QByteArray("1e3") << 77 << 1000;
        QTest::newRow("delay too large") << 19 << QByteArray("1e12") << 77 << 77;
        QTest::newRow("station index too large") << 22 << QByteArray("40000") << 7 << 7;
        QTest::newRow("station index negative") << 22 << QByteArray("-2") << 7 << -2;
        QTest::newRow("decoder index") << 25 << QByteArray(" 1000 ") << 7 << 1000;
        QTest::newRow("lenz interface 5") << 28 << QByteArray("5") << 0 << 1;
        QTest::newRow("lenz interface -1") << 28 << QByteArray("-1") << 0 << -1;
    }
    void numberLines() {
        QFETCH(int, line);
        QFETCH(QByteArray, text);
        QFETCH(int, before);
        QFETCH(int, expected);
        QList<QByteArray> lines = kWritten.split('\n');
        lines[line - 1] = text + '\r';
        store(lines.join('\n'));
        AppContext ctx = context();
        ctx.PosZentraleLeft = ctx.PosZentraleTop = ctx.Delay = before;
        ctx.ZentraleIndex = ctx.DecoderTypIndex = ctx.LenzInterfaceType = qint16(before);
        ReadConfig(ctx);
        const int values[] = {ctx.PosZentraleLeft, ctx.PosZentraleTop, ctx.Delay, ctx.ZentraleIndex,
                              ctx.DecoderTypIndex, ctx.LenzInterfaceType};
        const int lineOf[] = {11, 12, 19, 22, 25, 28};
        for (int i = 0; i < 6; ++i)
            if (lineOf[i] == line)
                QCOMPARE(values[i], expected);
    }

    void settingsLine_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no comma") << QByteArray("9600") << "2400,N,8,1";
        QTest::newRow("empty") << QByteArray("") << "2400,N,8,1";
        QTest::newRow("with commas") << QByteArray("4800,E,7,2") << "4800,E,7,2";
        QTest::newRow("only a comma") << QByteArray(",") << ",";
    }
    void settingsLine() {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        QList<QByteArray> lines = kWritten.split('\n');
        lines[4] = text + '\r';
        store(lines.join('\n'));
        AppContext ctx = context();
        ReadConfig(ctx);
        QCOMPARE(ctx.ComSettings, expected);
    }

    void latin1TextsStayUnchanged() {
        QList<QByteArray> lines = kWritten.split('\n');
        lines[1] = "COM\xe4\r";
        const QByteArray bytes = lines.join('\n');
        store(bytes);
        AppContext ctx = context();
        ReadConfig(ctx);
        QCOMPARE(ctx.ComPort, QStringLiteral("COM\u00e4"));
        WriteConfig(ctx);
        QCOMPARE(stored(), bytes);
    }

    void headersAreNotTested() {
        QByteArray bytes = kWritten;
        bytes.replace("[COM]", "[Anything]");
        store(bytes);
        AppContext ctx = context();
        ReadConfig(ctx);
        QCOMPARE(ctx.ComPort, QStringLiteral("3"));
    }

    // A settings file that cannot be written is reported, and the old one stays.
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
        int number = 0;
        try {
            WriteConfig(ctx);
        } catch (const Failure& failure) {
            number = failure.number();
        }
        QDir(m_dir.path()).rmdir(QStringLiteral("Quillex.cfg"));
        QCOMPARE(number, 75);
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
