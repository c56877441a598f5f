#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Outcome {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QString toolPath()
{
    return qEnvironmentVariable("GD_TOOLS_DIR") + QStringLiteral("/gloopdash-tally/gloopdash-tally");
}

Outcome runTool(const QStringList& args)
{
    QProcess p;
    p.start(toolPath(), args);
    Outcome o;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return o;
    o.exitCode = p.exitCode();
    o.out = p.readAllStandardOutput();
    o.err = p.readAllStandardError();
    return o;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray crlfLines(const QList<QByteArray>& items)
{
    QByteArray text;
    for (const QByteArray& item : items)
        text += item + "\r\n";
    return text;
}

} // namespace

class TallyToolTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void packsToTheExactBytes();
    void failsWithoutLeavingOutput_data();
    void failsWithoutLeavingOutput();
    void showsTheTally();
    void showRefusesDamageAndChangesNothing();
};

void TallyToolTest::initTestCase()
{
    QVERIFY2(QFileInfo(toolPath()).isExecutable(), qPrintable("tool not built: " + toolPath()));
}

void TallyToolTest::packsToTheExactBytes()
{
    QTemporaryDir dir;
    const QByteArray fresh = crlfLines({"9", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
    writeFile(dir.filePath("fresh.txt"), fresh);
    const Outcome o = runTool({"pack", dir.filePath("fresh.txt"), dir.filePath("fresh.tld")});
    QCOMPARE(o.exitCode, 0);
    QCOMPARE(readFile(dir.filePath("fresh.tld")).toHex(' '),
             QByteArray("57 52 5a 4c 21 00 00 00 0e 00 40 01 80 39 0d 0a 31 0d 0a 30 00 3f 01 25"));
    QCOMPARE(runTool({"unpack", dir.filePath("fresh.tld"), dir.filePath("back.txt")}).exitCode, 0);
    QCOMPARE(readFile(dir.filePath("back.txt")), fresh);
}

void TallyToolTest::failsWithoutLeavingOutput_data()
{
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("error"); // %1 is the input's path, %2 the output's
    QTest::newRow("no header") << "unpack" << QByteArray("plain text") << "out"
                               << "%1 : Lzrw1 decompression : this file has no valid header !";
    QTest::newRow("header says 100, blocks give 99")
        << "unpack" << QByteArray("WRZL\x64\0\0\0\x64\0\x80", 11).append(QByteArray(99, 'a')) << "out"
        << "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
    QTest::newRow("cut file") << "unpack" << QByteArray("WRZL\x64\0\0\0\x64\0\x80", 11).append(QByteArray(50, 'a'))
                              << "out"
                              << "Lzrw1 : Error reading from input file : %1";
    QTest::newRow("missing input") << "pack" << QByteArray() << "out"
                                   << "Lzrw1 (de)compression : Failed to open input file : %1";
    QTest::newRow("missing output folder") << "pack" << QByteArray("text") << "no/out"
                                           << "Lzrw1 (de)compression : Failed to open output file : %2";
}

void TallyToolTest::failsWithoutLeavingOutput()
{
    QFETCH(QString, verb);
    QFETCH(QByteArray, input);
    QFETCH(QString, output);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString in = dir.filePath("input");
    const QString out = dir.filePath(output);
    if (!input.isEmpty())
        writeFile(in, input);
    const Outcome o = runTool({verb, in, out});
    QCOMPARE(o.exitCode, 1);
    QCOMPARE(QString::fromUtf8(o.err).trimmed(), error.replace("%1", in).replace("%2", out));
    QVERIFY(o.out.isEmpty());
    QVERIFY(!QFile::exists(out));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), input.isEmpty() ? 0 : 1);

    QCOMPARE(runTool({verb}).exitCode, 1);
}

void TallyToolTest::showsTheTally()
{
    QTemporaryDir dir;
    // Own totals 12, 5, 61000, 930; opponents Kim and Zoë, column by column.
    const QByteArray text =
        crlfLines({"9", "3", "0", "Kim", "Zoë", "12", "4", "7", "5", "1", "3", "61000", "2", "0", "930",
                   "1", "4", "0", "2",   "1",   "0",  "0", "0", "0", "1", "0", "0",     "1", "0"});
    writeFile(dir.filePath("t.txt"), text);
    QCOMPARE(runTool({"pack", dir.filePath("t.txt"), dir.filePath("t.tld")}).exitCode, 0);
    const Outcome o = runTool({"show", dir.filePath("t.tld")});
    QCOMPARE(o.exitCode, 0);
    QCOMPARE(QString::fromUtf8(o.out).split('\n', Qt::SkipEmptyParts),
             (QStringList{"Your Total Tally: Total Games: 12, Your Wins: 5, High Score: 61000, Highest Trail: 930",
                          "Kim: Number of Games: 4, Kim Wins: 1, Your Wins: 2, Neither Won: 1",
                          "Zoë: Number of Games: 7, Zoë Wins: 3, Your Wins: 0, Neither Won: 4"}));
}

void TallyToolTest::showRefusesDamageAndChangesNothing()
{
    QTemporaryDir dir;
    // A good container whose text is no tally (8 columns).
    writeFile(dir.filePath("t.txt"), crlfLines({"8", "1", "0", "0", "0", "0", "0", "0", "0", "0"}));
    QCOMPARE(runTool({"pack", dir.filePath("t.txt"), dir.filePath("t.tld")}).exitCode, 0);
    const QByteArray before = readFile(dir.filePath("t.tld"));
    const Outcome o = runTool({"show", dir.filePath("t.tld")});
    QCOMPARE(o.exitCode, 1);
    QCOMPARE(QString::fromUtf8(o.err).trimmed(), "Lzrw1 : Error reading from input file : " + dir.filePath("t.tld"));
    QVERIFY(o.out.isEmpty());
    QCOMPARE(readFile(dir.filePath("t.tld")), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

QTEST_APPLESS_MAIN(TallyToolTest)
#include "test_tally_tool.moc"
