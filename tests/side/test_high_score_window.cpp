#include "score_site_process.h"
#include "side/high_score_window.h"
#include "ui/html_view.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The high-score window against the score-site stand-in over real HTTP.
namespace {

struct RecordingOpener final : UrlOpener {
    QList<QUrl> opened;
    bool openUrl(const QUrl& url) override
    {
        opened << url;
        return true;
    }
};

} // namespace

class TestHighScoreWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void postedScoreAppearsOnScorePage();
    void menuRequestWhilePostRunsIsDropped();
    void emptyAnswerKeepsPage();
    void onlyWebAndMailLinksAreOpened_data();
    void onlyWebAndMailLinksAreOpened();

private:
    // Runs the event loop until the getter is free again.
    bool settle();
    QString page() const { return m_window->displayhtml()->pageHtml(); }

    QTemporaryDir m_dir;
    ScoreSiteProcess m_site;
    std::unique_ptr<Thighscore> m_window;
};

void TestHighScoreWindow::init()
{
    QFile::remove(m_dir.filePath("scores.db"));
    QVERIFY(m_site.start(m_dir.filePath("scores.db")));
    m_window = std::make_unique<Thighscore>();
    m_window->setWebHost(m_site.host());
}

void TestHighScoreWindow::cleanup()
{
    m_window.reset();
    m_site.stop();
}

bool TestHighScoreWindow::settle()
{
    return QTest::qWaitFor([this] { return !m_window->getit().busy(); }, 10000);
}

void TestHighScoreWindow::postedScoreAppearsOnScorePage()
{
    const bool posted = m_window->postscoreifdue({true, "Ann", 1, 1, "52340"}, "Ann");
    QVERIFY(posted);
    QVERIFY(settle());
    QVERIFY(page().contains("Thank you, Ann!")); // the script's answer is shown at once

    m_window->loadit(2);
    QVERIFY(settle());
    QVERIFY(!page().contains("<td>Ann</td>"));
    m_window->loadit(1);
    QVERIFY(settle());
    QVERIFY(page().contains("<td>Ann</td><td>52340</td>"));
    const QString today = ScorePost::dateText(QDate::currentDate(), ScorePost::systemDateSeparator());
    QVERIFY(page().contains("<td>52340</td><td>" + today + "</td>"));
}

void TestHighScoreWindow::menuRequestWhilePostRunsIsDropped()
{
    m_window->sendscore("Bob", "3/7/05", "21000", 2);
    m_window->loadit(2); // dropped: the post is still on its way
    QVERIFY(settle());
    QVERIFY(page().contains("Thank you, Bob!"));

    m_window->loadit(2);
    QVERIFY(settle());
    QVERIFY(!page().contains("Thank you"));
    QVERIFY(page().contains("<td>Bob</td><td>21000</td><td>3/7/05</td>"));
}

void TestHighScoreWindow::emptyAnswerKeepsPage()
{
    m_window->loadit(1);
    QVERIFY(settle());
    const QString before = page();
    QVERIFY(before.contains("Gloop Dash High Scores"));
    QSignalSpy error(&m_window->getit(), &THTTPGet::OnError);
    // The stand-in answers unknown paths with a 404 without a body.
    m_window->geturl("http://" + m_site.host() + "/counter/none.shtml");
    QVERIFY(error.wait(10000));
    QCOMPARE(page(), before);
}

void TestHighScoreWindow::onlyWebAndMailLinksAreOpened_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("opened");
    QTest::newRow("http") << "http://www.example.com/scores" << true;
    QTest::newRow("https") << "https://www.example.com/" << true;
    QTest::newRow("mail") << "mailto:scores@example.com" << true;
    QTest::newRow("capitals") << "HTTP://WWW.EXAMPLE.COM/" << true;
    QTest::newRow("file") << "file:///etc/passwd" << false;
    QTest::newRow("relative") << "/counter/gloop.shtml" << false;
    QTest::newRow("script") << "javascript:alert(1)" << false;
    QTest::newRow("program") << "/usr/bin/xterm" << false;
}

void TestHighScoreWindow::onlyWebAndMailLinksAreOpened()
{
    QFETCH(QString, link);
    QFETCH(bool, opened);
    RecordingOpener opener;
    m_window->setUrlOpener(opener);
    emit m_window->displayhtml()->HotSpotClick(QUrl(link));
    QCOMPARE(opener.opened.size(), opened ? 1 : 0);
    if (opened)
        QCOMPARE(opener.opened.first(), QUrl(link));
}

QTEST_MAIN(TestHighScoreWindow)
#include "test_high_score_window.moc"
