#include "raw_http_server.h"
#include "score_site_process.h"
#include "side/download_window.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestDownloadWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void downloadsAndStartsInstaller();
    void standInInstallerReallyRuns();
    void failedDownloadStartsNothing_data();
    void failedDownloadStartsNothing();
    void followsRedirectsToTheInstaller();
    void stopMidwayAbortsDownload();
    void uncreatableTargetShowsErrorFirst();
    void installerThatWillNotStart();
    void playWithOthers_data();
    void playWithOthers();

private:
    QString text(const char* label) const { return m_window->findChild<QLabel*>(label)->text(); }
    QPushButton* button(const char* name) const { return m_window->findChild<QPushButton*>(name); }
    QString messageText() const
    {
        auto* box = m_window->findChild<QMessageBox*>("messagebox");
        return box ? box->text() : QString();
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    struct Start {
        QString program;
        QStringList arguments;
        QString folder;
    };
    // Records each start instead of running anything.
    struct Starter final : ProgramStarter {
        TestDownloadWindow& test;
        explicit Starter(TestDownloadWindow& t) : test(t) { }
        bool start(const QString& p, const QStringList& a, const QString& f) override
        {
            test.m_starts.append({p, a, f});
            return test.m_startWorks;
        }
    } m_starter{*this};
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Tdownload> m_window;
    QList<Start> m_starts;
    bool m_startWorks = true;
};

void TestDownloadWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_starts.clear();
    m_startWorks = true;
    m_window = std::make_unique<Tdownload>();
    m_window->setTargetFolder(m_dir->path());
    m_window->setInstallerRunner("/bin/sh");
    m_window->setProgramStarter(m_starter);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestDownloadWindow::cleanup()
{
    m_window.reset();
    m_dir.reset();
}

void TestDownloadWindow::downloadsAndStartsInstaller()
{
    QFile installer(m_dir->filePath("served.bin"));
    QVERIFY(installer.open(QIODevice::WriteOnly));
    installer.write(QByteArray(250000, 'i'));
    installer.close();
    ScoreSiteProcess site;
    QVERIFY(site.start(m_dir->filePath("scores.db"), {"--installer", installer.fileName()}));
    m_window->setWebHost(site.host());
    QSignalSpy closing(m_window.get(), &Tdownload::closemainwindow);

    click("getbutton");
    QVERIFY(!button("getbutton")->isEnabled());
    QVERIFY(button("abortbutton")->isEnabled());
    QVERIFY(closing.wait(10000));

    QCOMPARE(text("infolabel"), QStringLiteral("Received 250000 bytes"));
    QCOMPARE(text("infolabel3"), QStringLiteral("Installing"));
    QCOMPARE(text("infolabel2"), QStringLiteral("mklsetup.exe"));
    QVERIFY(button("getbutton")->isEnabled());
    QVERIFY(!button("abortbutton")->isEnabled());
    const QString target = m_dir->filePath("mklsetup.exe");
    QCOMPARE(QFileInfo(target).size(), 250000);
    QCOMPARE(m_starts.size(), 1);
    QCOMPARE(m_starts[0].program, QStringLiteral("/bin/sh"));
    QCOMPARE(m_starts[0].arguments, QStringList({target, "/SP-", "/silent", "/noicons"}));
    QCOMPARE(m_starts[0].folder, m_dir->path());
}

void TestDownloadWindow::standInInstallerReallyRuns()
{
    ScoreSiteProcess site;
    QVERIFY(site.start(m_dir->filePath("scores.db")));
    m_window = std::make_unique<Tdownload>(); // with the real way of starting programs
    m_window->setTargetFolder(m_dir->path());
    m_window->setInstallerRunner("/bin/sh");
    m_window->setWebHost(site.host());
    QSignalSpy closing(m_window.get(), &Tdownload::closemainwindow);
    m_window->getbuttonClick();
    QVERIFY(closing.wait(10000));

    QFile log(m_dir->filePath("mklsetup.log"));
    QTRY_VERIFY_WITH_TIMEOUT(log.exists(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(log.size() > 0, 10000);
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("installer ran with: /SP- /silent /noicons"));
}

void TestDownloadWindow::failedDownloadStartsNothing_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("announce");
    QTest::newRow("not found") << QByteArray("HTTP/1.0 404 Not Found\r\n") << QByteArray("<p>gone</p>") << true;
    QTest::newRow("server error") << QByteArray("HTTP/1.0 500 Oops\r\n") << QByteArray("<p>oops</p>") << true;
    QTest::newRow("endless redirects") << QByteArray("HTTP/1.0 302 Found\r\nLocation: /elsewhere\r\n")
                                       << QByteArray("<p>moved</p>") << true;
    QTest::newRow("redirect off http") << QByteArray("HTTP/1.0 301 Moved\r\nLocation: ftp://127.0.0.1/x\r\n")
                                       << QByteArray() << true;
    QTest::newRow("redirect nowhere") << QByteArray("HTTP/1.0 302 Found\r\n") << QByteArray() << true;
    QTest::newRow("body cut short") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n")
                                    << QByteArray(1200, 'x') << false;
    QTest::newRow("nobody listening") << QByteArray() << QByteArray() << true;
}

void TestDownloadWindow::failedDownloadStartsNothing()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, body);
    QFETCH(bool, announce);
    auto server = std::make_unique<RawHttpServer>();
    server->setReply({.head = head, .body = body, .announceLength = announce});
    m_window->setWebHost(server->host());
    if (head.isEmpty())
        server.reset();
    QSignalSpy closing(m_window.get(), &Tdownload::closemainwindow);

    click("getbutton");
    QTRY_VERIFY_WITH_TIMEOUT(button("getbutton")->isEnabled(), 20000);
    QCOMPARE(text("infolabel"), QStringLiteral("Download Aborted"));
    QCOMPARE(text("infolabel3"), QStringLiteral("Download Aborted"));
    QVERIFY(!button("abortbutton")->isEnabled());
    QCOMPARE(m_window->downloadState(), 2);
    // No partial file is left behind to be mistaken for the installer.
    QVERIFY(!QFileInfo::exists(m_dir->filePath("mklsetup.exe")));
    QVERIFY(m_starts.isEmpty());
    QCOMPARE(closing.size(), 0);
    if (head.contains("/elsewhere"))
        QCOMPARE(server->requests().size(), 1 + THttpCli::MaxRedirects);
}

void TestDownloadWindow::followsRedirectsToTheInstaller()
{
    RawHttpServer server;
    server.setReplyFor("/lobby/mklsetup.exe", {.head = "HTTP/1.0 301 Moved\r\nLocation: /mirror/a\r\n", .body = {}});
    server.setReplyFor("/mirror/a",
                       {.head = "HTTP/1.0 302 Found\r\nLocation: " + server.url("/mirror/b").toLatin1() + "\r\n",
                        .body = "<p>see b</p>"});
    server.setReplyFor("/mirror/b", {.head = "HTTP/1.1 307 Temporary\r\nlocation: setup.bin?v=2\r\n", .body = {}});
    server.setReplyFor("/mirror/setup.bin?v=2", {.body = "#!/bin/sh\n"});
    m_window->setWebHost(server.host());
    click("getbutton");
    QTRY_COMPARE_WITH_TIMEOUT(m_starts.size(), 1, 10000);
    QCOMPARE(QFileInfo(m_dir->filePath("mklsetup.exe")).size(), 10);
    QCOMPARE(text("infolabel"), QStringLiteral("Received 10 bytes"));
    QCOMPARE(server.requests().size(), 4);
}

void TestDownloadWindow::stopMidwayAbortsDownload()
{
    RawHttpServer server;
    server.setReply({.body = QByteArray(2000000, 'z'), .sendFirst = 30000});
    m_window->setWebHost(server.host());
    click("getbutton");
    QTRY_COMPARE_WITH_TIMEOUT(text("infolabel"), QStringLiteral("30000 bytes"), 10000);
    QCOMPARE(text("infolabel3"), QStringLiteral("Downloading: mklsetup.exe"));

    click("abortbutton");
    QCOMPARE(text("infolabel"), QStringLiteral("Download has been aborted."));
    QCOMPARE(text("infolabel3"), QStringLiteral("Download Aborted"));
    QTRY_VERIFY_WITH_TIMEOUT(button("getbutton")->isEnabled(), 10000);
    QCOMPARE(text("infolabel"), QStringLiteral("Download Aborted"));
    QCOMPARE(text("infolabel3"), QStringLiteral("Download Aborted"));
    QVERIFY(!button("abortbutton")->isEnabled());
    QVERIFY(m_starts.isEmpty());
    // The partial file is gone, and a new download starts it afresh.
    QVERIFY(!QFileInfo::exists(m_dir->filePath("mklsetup.exe")));
    server.releaseRest();
    server.setReply({.body = "#!/bin/sh\n"});
    click("getbutton");
    QTRY_COMPARE_WITH_TIMEOUT(m_starts.size(), 1, 10000);
    QCOMPARE(QFileInfo(m_dir->filePath("mklsetup.exe")).size(), 10);
}

void TestDownloadWindow::uncreatableTargetShowsErrorFirst()
{
    RawHttpServer server;
    m_window->setWebHost(server.host());
    m_window->setTargetFolder(m_dir->filePath("no/such/folder"));
    click("getbutton");
    QVERIFY(messageText().startsWith("Cannot create file"));
    QVERIFY(button("getbutton")->isEnabled());
    QVERIFY(!button("abortbutton")->isEnabled());
    QCoreApplication::processEvents();
    QVERIFY(server.requests().isEmpty());
}

void TestDownloadWindow::installerThatWillNotStart()
{
    RawHttpServer server;
    server.setReply({.body = "#!/bin/sh\n"});
    m_window->setWebHost(server.host());
    m_startWorks = false;
    QSignalSpy closing(m_window.get(), &Tdownload::closemainwindow);
    click("getbutton");
    QTRY_COMPARE_WITH_TIMEOUT(m_starts.size(), 1, 10000);
    QCOMPARE(messageText(), QStringLiteral("An Error has Occurred."));
    QCOMPARE(closing.size(), 0);
}

void TestDownloadWindow::playWithOthers_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QString>("message");
    QTest::newRow("lobby installed") << true << true << QString();
    QTest::newRow("lobby missing")
        << false << true
        << "Please close the game and open the Mirrek Lobby using the icon on your desktop or using the "
           "your Window's start-up menu.";
    QTest::newRow("lobby will not start") << true << false << "An Error has Occurred.";
}

void TestDownloadWindow::playWithOthers()
{
    QFETCH(bool, installed);
    QFETCH(bool, starts);
    QFETCH(QString, message);
    const QString lobby = m_dir->filePath("gloopdash-lobby");
    if (installed) {
        QFile file(lobby);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }
    m_window->setLobbyPath(lobby);
    m_startWorks = starts;
    QSignalSpy closing(m_window.get(), &Tdownload::closemainwindow);
    click("Button2");
    QCOMPARE(messageText(), message);
    QCOMPARE(closing.size(), message.isEmpty() ? 1 : 0);
    QCOMPARE(m_starts.size(), installed ? 1 : 0);
    if (installed)
        QCOMPARE(m_starts[0].program, lobby);
    QVERIFY(m_window->isVisible());
}

QTEST_MAIN(TestDownloadWindow)
#include "test_download_window.moc"
