#include "side/core/lzrw1_errors.h"
#include "side/core/tlzr.h"
#include "side/core/tlzrw1.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

QByteArray randomBytes(int n, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray bytes(n, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(rng.bounded(256));
    return bytes;
}

// Lines like the ones a big tally holds: names and counts.
QByteArray tallyLikeText(int size, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray text;
    while (text.size() < size)
        text +=
            "Player" + QByteArray::number(rng.bounded(500)) + "\r\n" + QByteArray::number(rng.bounded(3000)) + "\r\n";
    text.truncate(size);
    return text;
}

QByteArray container(quint32 length, const QByteArray& blocks)
{
    QByteArray bytes("WRZL");
    for (int i = 0; i < 4; ++i)
        bytes += char((length >> (8 * i)) & 0xFF);
    return bytes + blocks;
}

QByteArray block(const QByteArray& data)
{
    QByteArray bytes;
    bytes += char(data.size() & 0xFF);
    bytes += char(data.size() >> 8);
    return bytes + data;
}

QString failureOf(const QByteArray& bytes)
{
    try {
        Tlzrw1::decompressBytes(bytes, QStringLiteral("tally.tld"));
    } catch (const ELzrw1Exception& e) {
        return e.text();
    }
    return QStringLiteral("<no failure>");
}

const QString ReadError = QStringLiteral("Lzrw1 : Error reading from input file : tally.tld");
const QString SizeError =
    QStringLiteral("Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
const QString HeaderError = QStringLiteral("tally.tld : Lzrw1 decompression : this file has no valid header !");

} // namespace

class TallyCodecTest : public QObject {
    Q_OBJECT
private slots:
    void writesExactBytes_data();
    void writesExactBytes();
    void codesPiecesOnTheirOwn_data();
    void codesPiecesOnTheirOwn();
    void readsHandCodedBlocks_data();
    void readsHandCodedBlocks();
    void roundTrips_data();
    void roundTrips();
    void refusesDamagedContainers_data();
    void refusesDamagedContainers();
    void survivesRandomDamage();
    void reportsWriteAndReadFailuresWhilePacking();
    void fileOperationsLeaveNoOutputOnFailure();
};

void TallyCodecTest::writesExactBytes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty") << QByteArray() << hex("57 52 5A 4C 00 00 00 00 01 00 80");
    QTest::newRow("one byte") << QByteArray("A") << hex("57 52 5A 4C 01 00 00 00 02 00 80 41");
    QTest::newRow("two bytes") << QByteArray("AB") << hex("57 52 5A 4C 02 00 00 00 03 00 80 41 42");
    QTest::newRow("fresh tally") << QByteArray("9\r\n1\r\n").append(QByteArray("0\r\n").repeated(9))
                                 << hex("57 52 5A 4C 21 00 00 00 0E 00 40 01 80 39 0D 0A 31 0D 0A 30 00 3F 01 25");
}

void TallyCodecTest::writesExactBytes()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(Tlzrw1::compressBytes(text).toHex(' '), expected.toHex(' '));
    QCOMPARE(Tlzrw1::decompressBytes(expected), text);
}

// Texts that span pieces: every block is listed; an empty entry is not compared.
void TallyCodecTest::codesPiecesOnTheirOwn_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<QByteArray>>("blocks");
    QTest::newRow("32768 bytes: second block is an empty stored one")
        << tallyLikeText(32768, 1) << QList<QByteArray>{QByteArray(), hex("80")};
    // 8 runs of 4095 (count - 16 = 0x0FEF) fill 32760 bytes; a literal and a copy
    // of 7 from 1 back end the piece; the rest are runs of 4095 and 3137.
    QTest::newRow("40000 equal bytes") << QByteArray(40000, 'x')
                                       << QList<QByteArray>{hex("40 FF 40") + hex("00 0F EF 78").repeated(8)
                                                                + hex("78 00 14"),
                                                            hex("40 C0 00 00 0F EF 78 00 0C 31 78")};
    const QByteArray random = randomBytes(32768, 7);
    QTest::newRow("random bytes are stored") << random << QList<QByteArray>{hex("80") + random, hex("80")};
}

void TallyCodecTest::codesPiecesOnTheirOwn()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<QByteArray>, blocks);
    const QByteArray packed = Tlzrw1::compressBytes(text);
    qsizetype at = 8;
    QList<QByteArray> found;
    while (at + 2 <= packed.size()) {
        const int length = quint8(packed[at]) | (quint8(packed[at + 1]) << 8);
        found << packed.mid(at + 2, length);
        at += 2 + length;
    }
    QCOMPARE(at, packed.size());
    QCOMPARE(found.size(), blocks.size());
    for (int i = 0; i < blocks.size(); ++i) {
        if (!blocks[i].isEmpty())
            QCOMPARE(found[i].toHex(' '), blocks[i].toHex(' '));
    }
    QCOMPARE(Tlzrw1::decompressBytes(packed), text);
}

void TallyCodecTest::readsHandCodedBlocks_data()
{
    QTest::addColumn<QByteArray>("blockData");
    QTest::addColumn<QByteArray>("text");
    // A run of 20 'z' (count - 16 = 4) between two literals.
    QTest::newRow("run") << hex("40 40 00 61 00 00 04 7A 62")
                         << QByteArray("a").append(QByteArray(20, 'z')).append("b");
    // A copy from 1 back of 5 bytes repeats the one literal before it.
    QTest::newRow("overlapping copy") << hex("40 40 00 71 00 12") << QByteArray("qqqqqq");
    // 17 literals: the second control word follows the 16th item.
    QTest::newRow("second control word") << hex("40 00 00 61 62 63 64 65 66 67 68 69 6A 6B 6C 6D 6E 6F 70 00 00 71")
                                         << QByteArray("abcdefghijklmnopq");
    QTest::newRow("coded block of one byte is empty") << hex("40") << QByteArray();
    QTest::newRow("any other flag reads as coded") << hex("00 00 00 41 42") << QByteArray("AB");
}

void TallyCodecTest::readsHandCodedBlocks()
{
    QFETCH(QByteArray, blockData);
    QFETCH(QByteArray, text);
    QCOMPARE(Tlzrw1::decompressBytes(container(quint32(text.size()), block(blockData))), text);
}

void TallyCodecTest::roundTrips_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("1 byte") << QByteArray("\x00", 1);
    QTest::newRow("incompressible 100000") << randomBytes(100000, 3);
    QTest::newRow("run of 16") << QByteArray(16, 'a');
    QTest::newRow("run of 4095") << QByteArray(4095, '\xFF');
    QTest::newRow("32769") << tallyLikeText(32769, 5);
    QTest::newRow("65536") << tallyLikeText(65536, 6);
    QByteArray mixed = tallyLikeText(50000, 9);
    mixed.insert(20000, randomBytes(10000, 10));
    mixed.insert(5000, QByteArray(9000, 'k'));
    QTest::newRow("mixed") << mixed;
    // Matches right at the 4095-byte reach and just beyond it.
    const QByteArray unit = randomBytes(4095, 11);
    QTest::newRow("repeat at 4095") << unit + unit + unit;
    const QByteArray wider = randomBytes(4096, 12);
    QTest::newRow("repeat at 4096") << wider + wider;
}

void TallyCodecTest::roundTrips()
{
    QFETCH(QByteArray, text);
    const QByteArray packed = Tlzrw1::compressBytes(text);
    QCOMPARE(Tlzrw1::decompressBytes(packed), text);
    // Coding never costs more than the stored form: 8 header bytes and 3 per piece.
    QVERIFY(packed.size() <= 8 + text.size() + 3 * (text.size() / TLZR::PieceSize + 1));
}

void TallyCodecTest::refusesDamagedContainers_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("failure");
    const QByteArray good = Tlzrw1::compressBytes("hello hello hello");
    QTest::newRow("no header") << QByteArray("WRZ") << ReadError;
    QTest::newRow("no block length") << good.left(8) << ReadError;
    QTest::newRow("cut block") << good.left(good.size() - 1) << ReadError;
    QTest::newRow("wrong identifier") << QByteArray("ABCD").append(good.mid(4)) << HeaderError;
    QTest::newRow("other coder's identifier") << QByteArray("!HZL").append(good.mid(4)) << HeaderError;
    QTest::newRow("block length above 32769") << container(5, hex("02 80") + QByteArray(32770, 'a')) << ReadError;
    QTest::newRow("header 100, blocks give 99") << container(100, block(hex("80") + QByteArray(99, 'a'))) << SizeError;
    QTest::newRow("header 4 GiB, blocks give 5")
        << container(0xFFFFFFFFu, block(hex("80 61 62 63 64 65"))) << SizeError;
    QTest::newRow("blocks give more than header")
        << container(3, block(hex("80") + QByteArray(32768, 'a')) + block(hex("80"))) << SizeError;
    // 9 runs of 4111 decode past one piece.
    QTest::newRow("decodes past 32768") << container(36999, block(hex("40 FF 80") + hex("00 0F FF 61").repeated(9)))
                                        << SizeError;
    QTest::newRow("copy before the start") << container(3, block(hex("40 80 00 00 10"))) << SizeError;
    QTest::newRow("copy item cut off") << container(2, block(hex("40 40 00 61 00"))) << SizeError;
    QTest::newRow("run item cut off") << container(20, block(hex("40 80 00 00 00 61"))) << SizeError;
    QTest::newRow("control word cut off")
        << container(17, block(hex("40 00 00") + QByteArray(16, 'a') + hex("00"))) << SizeError;
}

void TallyCodecTest::refusesDamagedContainers()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, failure);
    QCOMPARE(failureOf(bytes), failure);
}

// Flipped bytes and cut files never read or write outside the buffers (the
// sanitizers watch) and never pass off a wrong-length text as the file's.
void TallyCodecTest::survivesRandomDamage()
{
    QRandomGenerator rng(2024);
    const QByteArray original = tallyLikeText(70000, 13) + QByteArray(5000, 'r');
    const QByteArray packed = Tlzrw1::compressBytes(original);
    int refused = 0;
    for (int round = 0; round < 2000; ++round) {
        QByteArray damaged = packed;
        const int flips = 1 + int(rng.bounded(4));
        for (int i = 0; i < flips; ++i)
            damaged[rng.bounded(int(damaged.size()))] = char(rng.bounded(256));
        if (round % 3 == 0)
            damaged.truncate(rng.bounded(int(damaged.size())));
        try {
            const QByteArray text = Tlzrw1::decompressBytes(damaged, QStringLiteral("x"));
            const quint32 declared = quint8(damaged[4]) | quint8(damaged[5]) << 8 | quint8(damaged[6]) << 16
                | quint32(quint8(damaged[7])) << 24;
            QCOMPARE(quint32(text.size()), declared);
        } catch (const ELzrw1Exception&) {
            ++refused;
        }
    }
    QVERIFY(refused > 0);
}

void TallyCodecTest::reportsWriteAndReadFailuresWhilePacking()
{
    QBuffer in;
    in.setData("short");
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    try {
        Tlzrw1::compressDevice(in, 10, out, QStringLiteral("in.txt"), QStringLiteral("out.tld"));
        QFAIL("a text shorter than its size was packed");
    } catch (const ELzrw1Exception& e) {
        QCOMPARE(e.text(), QStringLiteral("Lzrw1 : Error reading from input file : in.txt (LZRW1/KH)"));
    }
    in.seek(0);
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): ReadOnly device");
    try {
        Tlzrw1::compressDevice(in, 5, readOnly, QStringLiteral("in.txt"), QStringLiteral("out.tld"));
        QFAIL("packing into a device that takes nothing succeeded");
    } catch (const ELzrw1Exception& e) {
        QCOMPARE(e.text(), QStringLiteral("Lzrw1 : Error writing to output file : out.tld"));
    }
    try {
        Tlzrw1::compressDevice(in, -1, out, QStringLiteral("in.txt"), QStringLiteral("out.tld"));
        QFAIL("packing an input of unknown size succeeded");
    } catch (const ELzrw1Exception& e) {
        QCOMPARE(e.text(), QStringLiteral("Lzrw1 compression : Failed to obtain the size of : in.txt"));
    }
}

void TallyCodecTest::fileOperationsLeaveNoOutputOnFailure()
{
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.tld");
    const QString out = dir.filePath("out.txt");
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(container(100, block(hex("80") + QByteArray(99, 'a'))));
    f.close();

    Tlzrw1 lz;
    lz.setInputFile(bad);
    lz.setOutputFile(out);
    // An earlier file of the output's name survives a failed run unchanged.
    QFile keep(out);
    QVERIFY(keep.open(QIODevice::WriteOnly));
    keep.write("earlier");
    keep.close();
    QVERIFY_THROWS_EXCEPTION(ELzrw1Exception, lz.Decompress());
    QVERIFY(keep.open(QIODevice::ReadOnly));
    QCOMPARE(keep.readAll(), QByteArray("earlier"));
    keep.close();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

QTEST_APPLESS_MAIN(TallyCodecTest)
#include "test_tally_codec.moc"
