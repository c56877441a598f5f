#include "client/core/reconnect_policy.h"

#include <QTest>

class ReconnectPolicyTest : public QObject {
    Q_OBJECT
private slots:
    void waitsLongerEachTimeAndGivesUpAtTheMinute_data();
    void waitsLongerEachTimeAndGivesUpAtTheMinute();
};

void ReconnectPolicyTest::waitsLongerEachTimeAndGivesUpAtTheMinute_data()
{
    QTest::addColumn<int>("attempts");
    QTest::addColumn<int>("lostAgoMs");
    QTest::addColumn<int>("wait"); // -1: give up

    QTest::newRow("first try at once") << 0 << 0 << 0;
    QTest::newRow("then a second") << 1 << 10 << 1000;
    QTest::newRow("doubling") << 3 << 3000 << 4000;
    QTest::newRow("capped") << 4 << 7000 << 8000;
    QTest::newRow("capped for ever after") << 1000 << 30000 << 8000;
    QTest::newRow("negative attempts try at once") << -5 << 0 << 0;
    QTest::newRow("last try lands on the minute") << 9 << 57000 << 3000;
    QTest::newRow("gone after a minute") << 9 << 60000 << -1;
    QTest::newRow("long gone") << 2 << 600000 << -1;
}

void ReconnectPolicyTest::waitsLongerEachTimeAndGivesUpAtTheMinute()
{
    QFETCH(int, attempts);
    QFETCH(int, lostAgoMs);
    QFETCH(int, wait);
    QCOMPARE(ReconnectPolicy::nextWait(attempts, lostAgoMs).value_or(-1), wait);
}

QTEST_APPLESS_MAIN(ReconnectPolicyTest)
#include "test_reconnect_policy.moc"
