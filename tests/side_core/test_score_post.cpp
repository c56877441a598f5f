#include "side/core/score_post.h"

#include <QTest>

class TestScorePost : public QObject {
    Q_OBJECT
private slots:
    void postingRule_data();
    void postingRule();
    void scoreScriptTarget_data();
    void scoreScriptTarget();
    void dateText_data();
    void dateText();
};

void TestScorePost::postingRule_data()
{
    QTest::addColumn<bool>("option");
    QTest::addColumn<QString>("slot1");
    QTest::addColumn<int>("myslot");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("score");
    QTest::addColumn<bool>("due");

    QTest::newRow("normal 50000") << true << "Ann" << 1 << 1 << "50000" << true;
    QTest::newRow("normal 49999") << true << "Ann" << 1 << 1 << "49999" << false;
    QTest::newRow("classic 20000") << true << "Ann" << 2 << 2 << "20000" << true;
    QTest::newRow("classic 19999") << true << "Ann" << 2 << 2 << "19999" << false;
    QTest::newRow("classic score in a normal game") << true << "Ann" << 1 << 1 << "20000" << false;
    QTest::newRow("option off") << false << "Ann" << 1 << 1 << "90000" << false;
    QTest::newRow("solo game") << true << "You" << 1 << 1 << "90000" << false;
    QTest::newRow("a player named you") << true << "you" << 1 << 1 << "90000" << true;
    QTest::newRow("slot 6") << true << "Ann" << 6 << 1 << "50000" << true;
    QTest::newRow("watcher") << true << "Ann" << 7 << 1 << "90000" << false;
    QTest::newRow("no slot") << true << "Ann" << 0 << 1 << "90000" << false;
    QTest::newRow("no game mode") << true << "Ann" << 1 << 0 << "90000" << false;
    QTest::newRow("score not a number") << true << "Ann" << 1 << 1 << "5e5" << false;
    QTest::newRow("empty score") << true << "Ann" << 1 << 1 << "" << false;
}

void TestScorePost::postingRule()
{
    QFETCH(bool, option);
    QFETCH(QString, slot1);
    QFETCH(int, myslot);
    QFETCH(int, mode);
    QFETCH(QString, score);
    QFETCH(bool, due);
    QCOMPARE(ScorePost::due({option, slot1, myslot, mode, score}), due);
}

void TestScorePost::scoreScriptTarget_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("target");

    QTest::newRow("Ann, normal") << 1 << "Ann"
                                 << "/cgi-bin/gloop.cgi?name=Ann&date=3/7/05&score=52340";
    QTest::newRow("Ann, classic") << 2 << "Ann"
                                  << "/cgi-bin/classicgloop2.cgi?name=Ann&date=3/7/05&score=52340";
    QTest::newRow("blank") << 1 << "Ann Lee"
                           << "/cgi-bin/gloop.cgi?name=Ann%20Lee&date=3/7/05&score=52340";
    QTest::newRow("separators in a name") << 1 << "A&B#1 50%"
                                          << "/cgi-bin/gloop.cgi?name=A%26B%231%2050%25&date=3/7/05&score=52340";
    QTest::newRow("control byte") << 1 << "A\tB"
                                  << "/cgi-bin/gloop.cgi?name=A%09B&date=3/7/05&score=52340";
    QTest::newRow("non-ASCII") << 1 << "Zoë"
                               << "/cgi-bin/gloop.cgi?name=Zo%C3%AB&date=3/7/05&score=52340";
    QTest::newRow("kept as they are") << 1 << "a+b=c?/'"
                                      << "/cgi-bin/gloop.cgi?name=a+b=c?/'&date=3/7/05&score=52340";
    QTest::newRow("unknown mode") << 3 << "Ann"
                                  << "";
}

void TestScorePost::scoreScriptTarget()
{
    QFETCH(int, mode);
    QFETCH(QString, name);
    QFETCH(QString, target);
    QCOMPARE(ScorePost::target(mode, name, QStringLiteral("3/7/05"), QStringLiteral("52340")), target);
}

void TestScorePost::dateText_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");
    QTest::newRow("7 March 2005") << QDate(2005, 3, 7) << QChar('/') << "3/7/05";
    QTest::newRow("two-digit month and day") << QDate(2010, 12, 31) << QChar('/') << "12/31/10";
    QTest::newRow("year 2000") << QDate(2000, 1, 1) << QChar('/') << "1/1/00";
    QTest::newRow("dot separator") << QDate(2024, 6, 9) << QChar('.') << "6.9.24";
}

void TestScorePost::dateText()
{
    QFETCH(QDate, date);
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QCOMPARE(ScorePost::dateText(date, separator), text);
}

QTEST_APPLESS_MAIN(TestScorePost)
#include "test_score_post.moc"
