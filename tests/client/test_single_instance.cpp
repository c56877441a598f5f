#include "client/single_instance.h"
#include "full_disk.h"

#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {

// A copy of the game started as its own process, with its own runtime folder.
std::unique_ptr<QProcess> startCopy(const QString& runtime, const QString& home, const QStringList& arguments,
                                    QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime);
    env.insert("GLOOPDASH_HOME", home);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(channels);
    process->start(qEnvironmentVariable("GD_APP"), arguments);
    return process;
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void init();
    void laterCopyRaisesTheFirstAndEnds();
    void deadCopysLockIsTakenOver();
    void fullRuntimeFolderIsNoOtherCopy();

private:
    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<QTemporaryDir> m_home;
};

void TestSingleInstance::init()
{
    QVERIFY2(QFile::exists(qEnvironmentVariable("GD_APP")), "the game binary must be built");
    m_runtime = std::make_unique<QTemporaryDir>();
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_RUNTIME_DIR", m_runtime->path().toUtf8());
}

void TestSingleInstance::laterCopyRaisesTheFirstAndEnds()
{
    QWidget window;
    window.showMinimized();
    SingleInstance first;
    first.setWindow(&window);
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);
    QVERIFY(first.check());

    auto second = startCopy(m_runtime->path(), m_home->path(), {});
    QSignalSpy finished(second.get(), &QProcess::finished);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(raised.size(), 1);
    // A minimised window is restored rather than merely raised.
    QVERIFY(!window.isMinimized());
}

void TestSingleInstance::deadCopysLockIsTakenOver()
{
    // Two arguments: the copy opens its window and stays unconnected.
    auto copy = startCopy(m_runtime->path(), m_home->path(), {"Ann", "127.0.0.1"});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_runtime->path() + "/kerrim.sock"), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_runtime->path() + "/gloopdash.lock"), 20000);
    QLockFile marker(m_runtime->path() + "/gloopdash.lock");
    QVERIFY(!marker.tryLock(0));

    SingleInstance later;
    QVERIFY(!later.check());
    QCOMPARE(copy->state(), QProcess::Running);

    QSignalSpy finished(copy.get(), &QProcess::finished);
    copy->kill();
    QTRY_COMPARE(finished.size(), 1);
    SingleInstance next;
    QSignalSpy raised(&next, &SingleInstance::raiseRequested);
    QVERIFY(next.check());
    auto another = startCopy(m_runtime->path(), m_home->path(), {});
    QSignalSpy anotherFinished(another.get(), &QProcess::finished);
    QTRY_COMPARE_WITH_TIMEOUT(anotherFinished.size(), 1, 20000);
    QCOMPARE(raised.size(), 1);
}

void TestSingleInstance::fullRuntimeFolderIsNoOtherCopy()
{
    FullDisk disk;
    QString why;
    if (!disk.mount(&why))
        QSKIP(qPrintable(why));
    QDir(disk.path()).mkdir("run");
    const QString runtime = disk.path() + "/run";
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    disk.fill();
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    SingleInstance guard;
    QVERIFY(guard.check());
    QVERIFY2(guard.problem().contains("Cannot write the lock file"), qPrintable(guard.problem()));

    // The game says so, and plays on rather than vanish.
    auto copy = startCopy(runtime, m_home->path(), {"Ann", "127.0.0.1"}, QProcess::SeparateChannels);
    QVERIFY(copy->waitForStarted());
    QString errors;
    QTRY_VERIFY_WITH_TIMEOUT((errors += copy->readAllStandardError()).contains("Cannot write the lock file"), 20000);
    QTest::qWait(500);
    QCOMPARE(copy->state(), QProcess::Running);
    copy->kill();
    copy->waitForFinished();
}

QTEST_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
