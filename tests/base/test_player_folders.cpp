#include "base/exit_signals.h"
#include "base/player_folders.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestPlayerFolders : public QObject {
    Q_OBJECT
private slots:
    void foldersFollowHowTheGameRuns_data();
    void foldersFollowHowTheGameRuns();
    void exitSignalsArriveAsQtSignals_data();
    void exitSignalsArriveAsQtSignals();
};

void TestPlayerFolders::foldersFollowHowTheGameRuns_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QStringList>("environment"); // NAME=value
    QTest::addColumn<QString>("settings"); // relative to the test's root
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("shipped");

    const QStringList home{"HOME=@/home"};
    QTest::newRow("build folder") << false << home << "prefix/bin"
                                  << "prefix/bin"
                                  << "prefix/bin";
    QTest::newRow("build folder, GLOOPDASH_HOME") << false << (home + QStringList{"GLOOPDASH_HOME=@/mine"}) << "mine"
                                                  << "mine"
                                                  << "prefix/bin";
    QTest::newRow("installed, XDG defaults") << true << home << "home/.config/gloopdash"
                                             << "home/.local/share/gloopdash"
                                             << "prefix/share/gloopdash";
    QTest::newRow("installed, XDG set") << true << (home + QStringList{"XDG_CONFIG_HOME=@/cfg", "XDG_DATA_HOME=@/dat"})
                                        << "cfg/gloopdash"
                                        << "dat/gloopdash"
                                        << "prefix/share/gloopdash";
    // Relative XDG values are to be ignored.
    QTest::newRow("installed, relative XDG")
        << true << (home + QStringList{"XDG_CONFIG_HOME=cfg", "XDG_DATA_HOME=dat"}) << "home/.config/gloopdash"
        << "home/.local/share/gloopdash"
        << "prefix/share/gloopdash";
    QTest::newRow("installed, GLOOPDASH_HOME wins")
        << true << (home + QStringList{"GLOOPDASH_HOME=@/mine", "XDG_CONFIG_HOME=@/cfg"}) << "mine"
        << "mine"
        << "prefix/share/gloopdash";
}

void TestPlayerFolders::foldersFollowHowTheGameRuns()
{
    QFETCH(bool, installed);
    QFETCH(QStringList, environment);
    QTemporaryDir root;
    const QString bin = root.filePath("prefix/bin");
    QVERIFY(QDir().mkpath(bin));
    if (installed)
        QVERIFY(QDir(bin).mkpath(PlayerFolders::installedDataPath()));
    QProcessEnvironment env;
    for (QString entry : environment) {
        entry.replace(u'@', root.path());
        env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    }
    const PlayerFolders folders(bin, env);
    QCOMPARE(folders.isInstalled(), installed);
    QFETCH(QString, settings);
    QFETCH(QString, data);
    QFETCH(QString, shipped);
    QCOMPARE(QDir::cleanPath(folders.settingsFolder()), root.filePath(settings));
    QCOMPARE(QDir::cleanPath(folders.dataFolder()), root.filePath(data));
    QCOMPARE(QDir::cleanPath(folders.shippedFolder()), root.filePath(shipped));
}

void TestPlayerFolders::exitSignalsArriveAsQtSignals_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

// The process lives on after the signal, and hears of it through the loop.
void TestPlayerFolders::exitSignalsArriveAsQtSignals()
{
    QFETCH(int, signalNumber);
    ExitSignals exitSignals;
    QSignalSpy requested(&exitSignals, &ExitSignals::exitRequested);
    QCOMPARE(::raise(signalNumber), 0);
    QTRY_COMPARE(requested.size(), 1);
    QCOMPARE(requested.first().first().toInt(), signalNumber);
}

QTEST_GUILESS_MAIN(TestPlayerFolders)
#include "test_player_folders.moc"
