#include "score_site_process.h"
#include "side/core/score_post.h"
#include "side/core/thttpget.h"

#include <QEventLoop>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The score-site stand-in, spoken to by the game's own getter.
class TestScoreSite : public QObject {
    Q_OBJECT
private slots:
    void init();
    void ranksScoresPerGameMode();
    void keepsBestHundred();
    void refusesMalformedPosts_data();
    void refusesMalformedPosts();
    void keepsScoresAcrossRestarts();

private:
    QString get(const QString& target);
    QString post(int mode, const QString& name, const QString& score);
    static QStringList names(const QString& page);

    QTemporaryDir m_dir;
    ScoreSiteProcess m_site;
};

void TestScoreSite::init()
{
    m_site.stop();
    QFile::remove(m_dir.filePath("scores.db"));
    QVERIFY2(m_site.start(m_dir.filePath("scores.db")), qPrintable(ScoreSiteProcess::program()));
}

QString TestScoreSite::get(const QString& target)
{
    THTTPGet getter;
    QString page;
    QEventLoop loop;
    connect(&getter, &THTTPGet::OnDoneString, &loop, [&](const QString& text) {
        page = text;
        loop.quit();
    });
    connect(&getter, &THTTPGet::OnError, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit); // a guard, not a measurement
    getter.URL = QStringLiteral("http://") + m_site.host() + target;
    if (getter.GetString())
        loop.exec();
    return page;
}

QString TestScoreSite::post(int mode, const QString& name, const QString& score)
{
    return get(ScorePost::target(mode, name, QStringLiteral("3/7/05"), score));
}

QStringList TestScoreSite::names(const QString& page)
{
    static const QRegularExpression row(QStringLiteral("<tr><td>\\d+</td><td>(.*?)</td>"));
    QStringList list;
    for (auto it = row.globalMatch(page); it.hasNext();)
        list << it.next().captured(1);
    return list;
}

void TestScoreSite::ranksScoresPerGameMode()
{
    QVERIFY(post(1, "Ann", "52340").contains("Thank you, Ann!"));
    post(1, "Bob", "60000");
    post(1, "Cid", "52340"); // equal scores keep the order they came in
    post(2, "Dee Dee", "21000");
    post(1, "<b>Eve</b>", "50000");

    QCOMPARE(names(get(ScorePost::pagePath(1))), QStringList({"Bob", "Ann", "Cid", "&lt;b&gt;Eve&lt;/b&gt;"}));
    const QString classic = get(ScorePost::pagePath(2));
    QCOMPARE(names(classic), QStringList({"Dee Dee"}));
    QVERIFY(classic.contains("<td>21000</td><td>3/7/05</td>"));
}

void TestScoreSite::keepsBestHundred()
{
    for (int i = 1; i <= 105; ++i)
        post(2, QStringLiteral("P%1").arg(i), QString::number(20000 + i));
    const QStringList list = names(get(ScorePost::pagePath(2)));
    QCOMPARE(list.size(), 100);
    QCOMPARE(list.first(), QStringLiteral("P105"));
    QCOMPARE(list.last(), QStringLiteral("P6"));
}

void TestScoreSite::refusesMalformedPosts_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("score not a number") << "/cgi-bin/gloop.cgi?name=Ann&date=3/7/05&score=5e4";
    QTest::newRow("no name") << "/cgi-bin/gloop.cgi?name=&date=3/7/05&score=50000";
    QTest::newRow("no date") << "/cgi-bin/gloop.cgi?name=Ann&score=50000";
    QTest::newRow("name too long") << "/cgi-bin/gloop.cgi?name=" + QString(41, 'a') + "&date=3/7/05&score=50000";
}

void TestScoreSite::refusesMalformedPosts()
{
    QFETCH(QString, target);
    QVERIFY(get(target).contains("could not be recorded"));
    QVERIFY(names(get(ScorePost::pagePath(1))).isEmpty());
}

void TestScoreSite::keepsScoresAcrossRestarts()
{
    post(1, "Ann", "52340");
    m_site.stop();
    QVERIFY(m_site.start(m_dir.filePath("scores.db")));
    QCOMPARE(names(get(ScorePost::pagePath(1))), QStringList({"Ann"}));
}

QTEST_GUILESS_MAIN(TestScoreSite)
#include "test_score_site.moc"
