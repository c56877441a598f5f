// Installs the build into a temporary prefix and runs the installed game as a
// player would: the layout is complete, the desktop files validate, and the
// game keeps the player's files in the XDG folders, never in the prefix.
#include "side/core/tally_file.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include <csignal>

namespace {

const QString AppId = QStringLiteral("io.github.gloopdash.GloopDash");

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file under the prefix with its size and change time.
QStringList snapshot(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files << QStringLiteral("%1 %2 %3")
                     .arg(info.filePath())
                     .arg(info.size())
                     .arg(info.lastModified().toMSecsSinceEpoch());
    }
    files.sort();
    return files;
}

// True once the game's own client is connected to its server on port 7772,
// as the network namespace of `pid` shows it.
bool connectedToItself(qint64 pid)
{
    const QByteArray table = contents(QStringLiteral("/proc/%1/net/tcp").arg(pid));
    // Local or remote address ending in port 7772 (1E5C), state 01 (established).
    for (const QByteArray& line : table.split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() > 3 && f[3] == "01" && (f[1].endsWith(":1E5C") || f[2].endsWith(":1E5C")))
            return true;
    }
    return false;
}

} // namespace

class InstalledGameTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_prefix;

    QString installed(const QString& path) const { return QDir(m_prefix).filePath(path); }

private slots:
    void initTestCase();
    void layout_data();
    void layout();
    void validators_data();
    void validators();
    void playerFilesLiveInXdgFolders_data();
    void playerFilesLiveInXdgFolders();
};

void InstalledGameTest::initTestCase()
{
    m_prefix = QDir(m_root.path()).filePath(QStringLiteral("prefix"));
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(GD_CMAKE),
                  {QStringLiteral("--install"), QStringLiteral(GD_BUILD_DIR), QStringLiteral("--prefix"), m_prefix});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());
}

void InstalledGameTest::layout_data()
{
    QTest::addColumn<QString>("path");
    QStringList paths{QStringLiteral("bin/gloopdash"),
                      QStringLiteral("games/gloopdash"),
                      QStringLiteral("bin/gloopdash-tally"),
                      QStringLiteral("share/gloopdash/gloopdashtiles/Gems.bmp"),
                      QStringLiteral("share/gloopdash/gloopdashtiles/Candy.bmp"),
                      QStringLiteral("share/gloopdash/gloopdashtiles/Shapes.bmp"),
                      QStringLiteral("share/applications/%1.desktop").arg(AppId),
                      QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId),
                      QStringLiteral("share/icons/hicolor/48x48/apps/%1.png").arg(AppId),
                      QStringLiteral("share/icons/hicolor/128x128/apps/%1.png").arg(AppId),
                      QStringLiteral("share/icons/hicolor/256x256/apps/%1.png").arg(AppId),
                      QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(AppId),
                      QStringLiteral("share/man/man6/gloopdash.6.gz"),
                      QStringLiteral("share/doc/gloopdash/copyright"),
                      QStringLiteral("share/doc/gloopdash/changelog.gz"),
                      QStringLiteral("lib/gloopdash/gloopdash-http.so"),
                      QStringLiteral("lib/gloopdash/gloopdash-audio.so")};
    if (GD_HAS_SERVER)
        paths << QStringLiteral("bin/gloopdash-server") << QStringLiteral("share/man/man6/gloopdash-server.6.gz");
    for (const QString& path : paths)
        QTest::newRow(qPrintable(path)) << path;
}

void InstalledGameTest::layout()
{
    QFETCH(QString, path);
    const QFileInfo info(installed(path));
    QVERIFY2(info.isFile() && info.size() > 0, qPrintable(path));
    if (path.startsWith(QLatin1String("bin/")))
        QVERIFY(info.isExecutable());
    if (path.endsWith(QLatin1String(".png"))) {
        // The picture is as large as the folder it is in says (PNG header: width, height).
        const quint32 size = path.section(u'/', 3, 3).section(u'x', 0, 0).toUInt();
        const QByteArray header = contents(info.filePath()).mid(16, 8);
        QCOMPARE(qFromBigEndian<quint32>(header.constData()), size);
        QCOMPARE(qFromBigEndian<quint32>(header.constData() + 4), size);
    }
}

void InstalledGameTest::validators_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("desktop entry") << QStringLiteral(
        "desktop-file-validate") << QStringList{installed(QStringLiteral("share/applications/%1.desktop").arg(AppId))};
    QTest::newRow("metainfo") << QStringLiteral("appstreamcli")
                              << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                                             installed(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId))};
}

void InstalledGameTest::validators()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    if (QStandardPaths::findExecutable(tool).isEmpty())
        QSKIP(qPrintable(tool + QStringLiteral(" is not installed (scripts/setup installs it)")));
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(tool, arguments);
    QVERIFY(run.waitForFinished(60000));
    QVERIFY2(run.exitCode() == 0, run.readAll().constData());
}

void InstalledGameTest::playerFilesLiveInXdgFolders_data()
{
    QTest::addColumn<bool>("xdgSet");
    QTest::newRow("default folders") << false;
    QTest::newRow("XDG variables") << true;
}

// The game starts with a fresh HOME and no GLOOPDASH_HOME. Its stored window
// size is smaller than the window can be, so the game corrects it and writes
// the settings when it closes; SIGTERM closes it as File → Exit does.
void InstalledGameTest::playerFilesLiveInXdgFolders()
{
    QFETCH(bool, xdgSet);
    QTemporaryDir run;
    const QString home = QDir(run.path()).filePath(QStringLiteral("home"));
    const QString config = xdgSet ? run.path() + QStringLiteral("/config") : home + QStringLiteral("/.config");
    const QString data = xdgSet ? run.path() + QStringLiteral("/data") : home + QStringLiteral("/.local/share");
    for (const char* sub : {"home", "tmp", "runtime"})
        QVERIFY(QDir(run.path()).mkpath(QString::fromLatin1(sub)));
    QFile::setPermissions(run.path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString settings = config + QStringLiteral("/gloopdash/rezeruvar.ini");
    QVERIFY(QDir().mkpath(QFileInfo(settings).path()));
    QFile seed(settings);
    QVERIFY(seed.open(QIODevice::WriteOnly));
    seed.write("[other]\r\nkeep=1\r\n[gloopdash]\r\nWidth=1\r\nHeight=1\r\nTextsize=12\r\n");
    seed.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("GLOOPDASH_HOME"));
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.insert(QStringLiteral("HOME"), home);
    if (xdgSet) {
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("XDG_DATA_HOME"), data);
    }
    env.insert(QStringLiteral("TMPDIR"), run.path() + QStringLiteral("/tmp"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), run.path() + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QStringList before = snapshot(m_prefix);

    // Its own network namespace: the game listens on the fixed port 7772.
    QProcess game;
    game.setProcessEnvironment(env);
    game.setWorkingDirectory(run.path());
    game.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    game.start(QStringLiteral("unshare"),
               {QStringLiteral("-n"), QStringLiteral("sh"), QStringLiteral("-c"),
                QStringLiteral("ip link set lo up && exec \"$0\""), installed(QStringLiteral("bin/gloopdash"))});
    QVERIFY(game.waitForStarted(10000));
    const qint64 pid = game.processId();
    QTRY_VERIFY_WITH_TIMEOUT(game.state() == QProcess::NotRunning || connectedToItself(pid), 60000);
    if (game.state() == QProcess::NotRunning)
        QSKIP("cannot start the game in a network namespace of its own here");
    // The settings are applied right after the login answer, a moment later.
    QThread::msleep(1500);
    ::kill(pid_t(pid), SIGTERM);
    QVERIFY(game.waitForFinished(30000));
    QCOMPARE(game.exitStatus(), QProcess::NormalExit);
    QCOMPARE(game.exitCode(), 0);

    const QByteArray written = contents(settings);
    QVERIFY2(written.contains("Textsize=12") && !written.contains("Width=1\r\n") && written.contains("keep=1"),
             written.constData());
    // The tally is written whole when the game closes.
    QCOMPARE(TallyFile::read(data + QStringLiteral("/gloopdash/gloopdashtally.tld")).rowCount(), 1);
    QCOMPARE(snapshot(m_prefix), before);
}

QTEST_GUILESS_MAIN(InstalledGameTest)
#include "test_installed_game.moc"
