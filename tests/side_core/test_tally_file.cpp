#include "side/core/tally_file.h"
#include "side/core/tally_table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

StringGrid sampleTally()
{
    TallyTable table;
    table.addPlayer("Kim");
    table.addPlayer("Ada");
    table.addtomine(TallyTable::TotalGames);
    table.countGame({"Kim", "Ada"}, "Kim", false);
    return table.grid();
}

} // namespace

class TallyFileTest : public QObject {
    Q_OBJECT
private slots:
    void replacesTheFileWithoutLeftovers();
    void failedSaveKeepsTheOldFile();
    void keepsAnUnreadableFileAside_data();
    void keepsAnUnreadableFileAside();
};

void TallyFileTest::replacesTheFileWithoutLeftovers()
{
    QTemporaryDir dir;
    const TallyFile file(dir.path());
    QVERIFY(file.save(TallyTable().grid()));
    const QByteArray fresh = readAll(file.path());
    QCOMPARE(fresh.size(), 24);
    QVERIFY(file.save(sampleTally()));
    QCOMPARE(file.load().grid, sampleTally());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"gloopdashtally.tld"});
}

// The new file is written beside the old one and renamed over it; when it cannot
// be written, the old tally stays as it was.
void TallyFileTest::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    const TallyFile file(dir.path());
    QVERIFY(file.save(sampleTally()));
    const QByteArray before = readAll(file.path());

    // A folder in the file's place cannot be replaced by a rename.
    QVERIFY(QDir(dir.path()).mkpath("blocked/gloopdashtally.tld/inside"));
    QVERIFY(!TallyFile(dir.filePath("blocked")).save(sampleTally()));
    QVERIFY(QFileInfo(dir.filePath("blocked/gloopdashtally.tld/inside")).isDir());
    QCOMPARE(readAll(file.path()), before);
}

void TallyFileTest::keepsAnUnreadableFileAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error"); // "%1" stands for the file's path
    QTest::newRow("not a tally file") << QByteArray("hello there")
                                      << "%1 : Lzrw1 decompression : this file has no valid header !";
    QTest::newRow("wrong length") << QByteArray("WRZL\x02\0\0\0\x02\0\x80\x41", 12)
                                  << "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
}

void TallyFileTest::keepsAnUnreadableFileAside()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const TallyFile file(dir.path());
    writeAll(file.badPath(), "an older bad file");
    writeAll(file.path(), bytes);

    const TallyFile::LoadResult result = file.load();
    QCOMPARE(result.status, TallyFile::Status::Unreadable);
    QCOMPARE(result.error, error.arg(file.path()));
    QCOMPARE(readAll(file.badPath()), bytes);
    QVERIFY(!QFile::exists(file.path()));

    // The next save writes a fresh tally and leaves the kept copy alone.
    QVERIFY(file.save(TallyTable().grid()));
    QCOMPARE(readAll(file.badPath()), bytes);
    QCOMPARE(file.load().status, TallyFile::Status::Loaded);
}

QTEST_APPLESS_MAIN(TallyFileTest)
#include "test_tally_file.moc"
