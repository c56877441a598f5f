// With the player's folder on a full filesystem, no write of a file the game
// owns may leave it shorter than it was: the old settings and tally stay whole
// and the failure is reported, not passed over.
#include "chat/core/settings_file.h"
#include "full_disk.h"
#include "side/core/tally_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

StringGrid tally(int opponents)
{
    StringGrid grid(9, opponents + 1);
    for (int column = 0; column < 9; ++column)
        grid.setCell(column, 0, QString::number(column * 3));
    for (int row = 1; row <= opponents; ++row) {
        grid.setCell(0, row, QStringLiteral("Opponent %1").arg(row));
        for (int column = 1; column < 9; ++column)
            grid.setCell(column, row, QString::number(row + column));
    }
    return grid;
}

enum Writer { Settings, Tally, BigTally, TallyTool };

} // namespace

class FullDiskTest : public QObject {
    Q_OBJECT
private slots:
    void oldFileStaysWhole_data();
    void oldFileStaysWhole();
};

void FullDiskTest::oldFileStaysWhole_data()
{
    QTest::addColumn<int>("writer");
    QTest::newRow("settings") << int(Settings);
    QTest::newRow("tally") << int(Tally);
    // Larger than Qt's write buffer, so the failure comes from write(), not flush().
    QTest::newRow("tally beyond one buffer") << int(BigTally);
    QTest::newRow("tally tool pack") << int(TallyTool);
}

void FullDiskTest::oldFileStaysWhole()
{
    QFETCH(int, writer);
    FullDisk disk;
    QString why;
    if (!disk.mount(&why))
        QSKIP(qPrintable(why));
    const QString folder = disk.path();
    SettingsFile settings(folder);
    const TallyFile tallyFile(folder);
    GameSettings changed;
    changed.textSize = 14;
    changed.tiles = QStringLiteral("Gems");
    const QString path = writer == Settings ? settings.path() : tallyFile.path();

    // The old file, written while there was room.
    if (writer == Settings)
        QVERIFY(settings.save(GameSettings(), SettingsFile::AllKeys));
    else
        QVERIFY(tallyFile.save(tally(2)));
    const QByteArray old = contents(path);
    QVERIFY(old.size() > 0);
    disk.fill();

    switch (writer) {
    case Settings:
        QVERIFY(!settings.save(changed, SettingsFile::AllKeys));
        QCOMPARE(settings.errorText(), QStringLiteral("Unable to write to ") + path);
        break;
    case Tally:
    case BigTally: {
        QString error;
        QVERIFY(!tallyFile.save(tally(writer == Tally ? 3 : 2000), &error));
        QVERIFY(!error.isEmpty());
        break;
    }
    case TallyTool: {
        QTemporaryDir text;
        QFile plain(QDir(text.path()).filePath(QStringLiteral("tally.txt")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write(QByteArray(3000, 'a'));
        plain.close();
        QProcess tool;
        tool.start(qEnvironmentVariable("GD_TOOLS_DIR") + QStringLiteral("/gloopdash-tally/gloopdash-tally"),
                   {QStringLiteral("pack"), plain.fileName(), path});
        QVERIFY2(tool.waitForFinished(30000), qPrintable(tool.errorString()));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QVERIFY(tool.exitCode() != 0);
        QVERIFY(tool.readAllStandardError().contains("Error writing to output file"));
        break;
    }
    }
    QCOMPARE(contents(path), old);
    // No half-written file is left beside it either.
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

QTEST_APPLESS_MAIN(FullDiskTest)
#include "test_full_disk.moc"
