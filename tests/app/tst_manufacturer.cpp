#include "app/core/ManufacturerList.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray latin1Lines(const QStringList& lines) {
    QByteArray out;
    for (const QString& l : lines)
        out += l.toLatin1() + "\r\n";
    return out;
}

const QString heading = QStringLiteral("Nr.  Herst.      Hersteller                                Bemerkung");

}  // namespace

class TestManufacturer : public QObject {
    Q_OBJECT

private slots:
    void formatLine_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("remark");
        QTest::addColumn<QString>("line");
        QTest::newRow("padded") << "5" << "D&H" << "Doehler & Haass" << ""
                                << QStringLiteral("  5  D&H         Doehler & Haass") + QString(27, u' ');
        QTest::newRow("long code keeps last three") << "1234" << "X" << "Y" << "Z"
                                                    << QStringLiteral("234  X           Y") + QString(41, u' ') + u'Z';
        QTest::newRow("too long names cut")
            << "145" << "ABCDEFGHIJKLMN" << QString(50, u'n') << "r"
            << QStringLiteral("145  ABCDEFGHIJKL") + QString(42, u'n') + u'r';
    }
    void formatLine() {
        QFETCH(QString, code);
        QFETCH(QString, shortName);
        QFETCH(QString, name);
        QFETCH(QString, remark);
        QFETCH(QString, line);
        QCOMPARE(ManufacturerList::formatLine({code, shortName, name, remark}), line);
    }

    // Opening and closing without edits must give the file back byte for byte, also with
    // names as wide as their columns, umlauts and an empty remark.
    void roundTrip() {
        QTemporaryDir dir;
        const QString path = ManufacturerList::filePath(dir.path());
        const QList<ManufacturerRow> rows = {
            {"Nr.", "Herst.", "Hersteller", "Bemerkung"},
            {"156", "Kühn", "Kühn Ing. - Straße", QStringLiteral("Ähnliche Größen, öfter")},
            {"1", "TwelveChars!", QString(42, u'x'), QString(70, u'r')},
            {"62", "Tams", "Tams Elektronik GmbH", ""},
            {"99", " Lenz", " Lenz Elektronik", "  two leading blanks  "},
        };
        ManufacturerList::write(path, rows);
        const QByteArray first = fileBytes(path);
        QVERIFY(first.contains("K\xFChn"));
        QVERIFY(first.endsWith("\r\n"));
        const QList<ManufacturerRow> back = ManufacturerList::read(path);
        QCOMPARE(back, rows);
        ManufacturerList::write(path, back);
        QCOMPARE(fileBytes(path), first);
    }

    void readsOtherLineEnds() {
        QTemporaryDir dir;
        const QString path = ManufacturerList::filePath(dir.path());
        writeFileBytes(path, "Nr.  H\n 97  D&H\r 99  Lenz");
        const QList<ManufacturerRow> rows = ManufacturerList::read(path);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.at(1).code, QStringLiteral("97"));
        QCOMPARE(rows.at(2).shortName, QStringLiteral("Lenz"));
        QCOMPARE(rows.at(2).name, QString());
    }

    void writeFailureIsAnAccessError() {
        QTemporaryDir dir;
        const QString path = dir.filePath("missing-folder/DecoderHersteller.txt");
        QCOMPARE(failureOf([&] { ManufacturerList::write(path, {{"1", "a", "b", "c"}}); }), 75);
    }

    void sort_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("code by number") << 0 << QStringList{"Nr.", "5", "62", "145", "x"};
        QTest::newRow("short name, umlaut as its vowel") << 1 << QStringList{"Nr.", "x", "5", "62", "145"};
        QTest::newRow("name as text") << 2 << QStringList{"Nr.", "62", "5", "145", "x"};
        QTest::newRow("remark") << 3 << QStringList{"Nr.", "x", "5", "145", "62"};
    }
    void sort() {
        QFETCH(int, column);
        QFETCH(QStringList, codes);
        QList<ManufacturerRow> rows = {
            {"Nr.", "Herst.", "Hersteller", "Bemerkung"},
            {"145", "Zimo", "Zimo Elektronik", "c"},
            {"62", "Tams", "Arnold", "d"},
            {"x", "Aaa", "Zz", "a"},
            {"5", "ämter", "Übel", "b"},
        };
        ManufacturerList::sortRows(rows, column);
        QStringList got;
        for (const auto& r : rows)
            got << r.code;
        QCOMPARE(got, codes);
    }

    void lookup_data() {
        QTest::addColumn<QByteArray>("file");  // empty name: no file at all
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("result");
        const QByteArray list = latin1Lines({heading,
                                             ManufacturerList::formatLine({"97", "D&H", "Doehler & Haass", ""}),
                                             ManufacturerList::formatLine({"145", "Zimo", "Zimo Elektronik", "x"}),
                                             ManufacturerList::formatLine({"156", "Kühn", "Kühn Ing.", ""})});
        QTest::newRow("known") << list << true << 145 << "Zimo";
        QTest::newRow("known umlaut") << list << true << 156 << QStringLiteral("Kühn");
        QTest::newRow("unknown") << list << true << 13 << "?";
        QTest::newRow("heading never data") << latin1Lines({" 97  Head"}) << true << 97 << "?";
        QTest::newRow("missing file") << QByteArray() << false << 145 << "kD";
        QTest::newRow("empty file") << QByteArray() << true << 145 << "kE";
    }
    void lookup() {
        QFETCH(QByteArray, file);
        QFETCH(bool, present);
        QFETCH(int, id);
        QFETCH(QString, result);
        QTemporaryDir dir;
        if (present)
            writeFileBytes(ManufacturerList::filePath(dir.path()), file);
        QCOMPARE(SearchHersteller(dir.path(), qint16(id)), result);
    }

    // The shipped list is installed when none is there, is not overwritten when one is,
    // and names the well-known makers.
    void shippedList() {
        QTemporaryDir dir;
        QVERIFY(ManufacturerList::installDefault(dir.path()));
        const QList<std::pair<qint16, QString>> known = {
            {97, "D&H"},  {85, "Uhlenbrock"}, {99, "Lenz"},   {145, "Zimo"}, {151, "ESU"},  {62, "Tams"},
            {157, "Kühn"}, {162, "PIKO"},     {129, "Digitrax"}, {161, "Roco"}, {16, "?"}};  // 16: not assigned
        for (const auto& [id, name] : known)
            QCOMPARE(SearchHersteller(dir.path(), id), name);
        const QString path = ManufacturerList::filePath(dir.path());
        const QByteArray shipped = fileBytes(path);
        ManufacturerList::write(path, ManufacturerList::read(path));
        QCOMPARE(fileBytes(path), shipped);  // the shipped file is in the writer's own format

        writeFileBytes(path, "own\r\n");
        QVERIFY(ManufacturerList::installDefault(dir.path()));
        QCOMPARE(fileBytes(path), QByteArray("own\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestManufacturer)
#include "tst_manufacturer.moc"
