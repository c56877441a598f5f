// Kills a process at random moments while it writes the tally and the settings
// over and over: whatever moment the kill hits, the file on disk is the old or
// the new file, whole, and the game reads it.
#include "chat/core/settings_file.h"
#include "side/core/tally_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int Kills = 150;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A tally with this many opponents; big enough to take a while to write.
StringGrid tally(int opponents)
{
    StringGrid grid(9, opponents + 1);
    for (int column = 0; column < 9; ++column)
        grid.setCell(column, 0, QString::number(column * 7));
    for (int row = 1; row <= opponents; ++row) {
        grid.setCell(0, row, QStringLiteral("Opponent number %1").arg(row));
        for (int column = 1; column < 9; ++column)
            grid.setCell(column, row, QString::number(row * column));
    }
    return grid;
}

struct KillReport {
    int old = 0;
    int fresh = 0;
    QByteArray broken; // the first file that was neither
};

// Forks a child that calls write(0), write(1), write(0), ... for ever, kills
// it a random time of up to `spanUs` after it has begun, and checks the file
// each time.
KillReport killWriters(const QString& path, const std::function<void(int)>& write, const QByteArray& first,
                       const QByteArray& second, qint64 spanUs)
{
    KillReport report;
    QRandomGenerator random(20240611);
    for (int i = 0; i < Kills && report.broken.isEmpty(); ++i) {
        int started[2];
        if (pipe(started) != 0)
            break;
        const pid_t child = fork();
        if (child == 0) {
            // Timed from here: starting the child costs more than a write.
            (void)::write(started[1], "go", 1);
            for (int k = 0;; ++k)
                write(k % 2);
        }
        char go = 0;
        (void)::read(started[0], &go, 1);
        ::close(started[0]);
        ::close(started[1]);
        usleep(useconds_t(random.bounded(quint32(spanUs) + 1)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const QByteArray now = contents(path);
        if (now == first)
            ++report.old;
        else if (now == second)
            ++report.fresh;
        else
            report.broken = now.left(200);
    }
    // A kill between the temporary file's naming and its rename leaves it
    // behind beside the file (harmless, but it is counted here).
    qInfo("%d kills: old file %d times, new file %d times, write %lld us, %lld files left", Kills, report.old,
          report.fresh, spanUs / 4, qint64(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size()));
    return report;
}

// Microseconds that one write takes here.
qint64 timeOf(const std::function<void()>& write)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 5; ++i)
        write();
    return timer.nsecsElapsed() / 5000;
}

} // namespace

class FileCrashSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void tallyIsOldOrNew();
    void settingsAreOldOrNew();
};

void FileCrashSafetyTest::tallyIsOldOrNew()
{
    QTemporaryDir home;
    const TallyFile file(home.path());
    const StringGrid versions[2] = {tally(40), tally(600)};
    QByteArray bytes[2];
    for (int v : {0, 1}) {
        QVERIFY(file.save(versions[v]));
        bytes[v] = contents(file.path());
    }
    const qint64 span = 4 * timeOf([&] { file.save(versions[1]); });
    QVERIFY(file.save(versions[0]));

    const KillReport report = killWriters(
        file.path(), [&](int v) { file.save(versions[v]); }, bytes[0], bytes[1], span);
    QVERIFY2(report.broken.isEmpty(), report.broken.toHex().constData());
    // Kills landed on both sides of the rename, so the moments really varied.
    QVERIFY2(report.old > 0 && report.fresh > 0,
             qPrintable(QStringLiteral("old %1, new %2").arg(report.old).arg(report.fresh)));
    const int last = contents(file.path()) == bytes[1] ? 1 : 0;
    QCOMPARE(file.load().grid, versions[last]);
}

void FileCrashSafetyTest::settingsAreOldOrNew()
{
    QTemporaryDir home;
    SettingsFile file(home.path());
    {
        // Another program's section, kept by every write, makes each write long.
        QFile seed(file.path());
        QVERIFY(seed.open(QIODevice::WriteOnly));
        seed.write("[other]\r\nnotes=" + QByteArray(200000, 'n') + "\r\n");
    }
    GameSettings versions[2];
    versions[1].textSize = 14;
    versions[1].textColor = QStringLiteral("$00FF8000");
    versions[1].playSounds = false;
    versions[1].tiles = QStringLiteral("Marbles");
    file.load();
    QByteArray bytes[2];
    for (int v : {0, 1}) {
        QVERIFY(file.save(versions[v], SettingsFile::AllKeys));
        bytes[v] = contents(file.path());
    }
    QVERIFY(bytes[0] != bytes[1]);
    const qint64 span = 4 * timeOf([&] { file.save(versions[1], SettingsFile::AllKeys); });
    QVERIFY(file.save(versions[0], SettingsFile::AllKeys));
    QCOMPARE(contents(file.path()), bytes[0]);

    const KillReport report = killWriters(
        file.path(), [&](int v) { file.save(versions[v], SettingsFile::AllKeys); }, bytes[0], bytes[1], span);
    QVERIFY2(report.broken.isEmpty(), report.broken.constData());
    QVERIFY2(report.old > 0 && report.fresh > 0,
             qPrintable(QStringLiteral("old %1, new %2").arg(report.old).arg(report.fresh)));
    const GameSettings read = SettingsFile(home.path()).load();
    QVERIFY(read == versions[0] || read == versions[1]);
}

QTEST_APPLESS_MAIN(FileCrashSafetyTest)
#include "test_file_crash_safety.moc"
