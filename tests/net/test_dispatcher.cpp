#include "net/dispatcher.h"

#include <QElapsedTimer>
#include <QtTest>

class TestDispatcher : public QObject {
    Q_OBJECT
private slots:
    void handlesInArrivalOrderOnePerCall();
    void ignoresUnknownEmptyAndPlusless();
    void neverRunsAHandlerInsideEnqueue();
    void idleMessageIsHandledWithoutWaitingForATick();
    void burstIsSpreadOverIntervals();
    void timerStopsWhenQueueEmpties();
    void queueLimitDropsTheOverflow();
};

void TestDispatcher::handlesInArrivalOrderOnePerCall()
{
    Dispatcher d(10);
    d.setManual(true);
    QList<QByteArray> seen;
    d.on("CMD_a", [&](FieldReader& f) { seen << "a:" + f.rest(); });
    d.on("CMD_b", [&](FieldReader& f) { seen << "b:" + f.rest(); });
    d.enqueue({"CMD_a+1", "CMD_b+2+x", "CMD_a+3"});
    QVERIFY(d.dispatchOne());
    QCOMPARE(seen, QList<QByteArray>{"a:1"});
    QVERIFY(d.dispatchOne());
    QVERIFY(d.dispatchOne());
    QCOMPARE(seen, (QList<QByteArray>{"a:1", "b:2+x", "a:3"}));
    QVERIFY(!d.dispatchOne());
}

void TestDispatcher::ignoresUnknownEmptyAndPlusless()
{
    Dispatcher d(1);
    d.setManual(true);
    int calls = 0;
    d.on("CMD_full", [&](FieldReader& f) {
        QVERIFY(f.atEnd());
        ++calls;
    });
    d.enqueue({"", "CMD_full", "CMD_Full+", "CMD_other+1", "CMD_full+"});
    while (d.dispatchOne()) {
    }
    QCOMPARE(calls, 1);
}

void TestDispatcher::neverRunsAHandlerInsideEnqueue()
{
    Dispatcher d(1);
    int calls = 0;
    d.on("CMD_a", [&](FieldReader&) { ++calls; });
    d.enqueue("CMD_a+");
    QCOMPARE(calls, 0);
    QTRY_COMPARE(calls, 1);
}

void TestDispatcher::idleMessageIsHandledWithoutWaitingForATick()
{
    Dispatcher d(200);
    int calls = 0;
    d.on("CMD_a", [&](FieldReader&) { ++calls; });
    QElapsedTimer t;
    t.start();
    d.enqueue("CMD_a+");
    QTRY_COMPARE(calls, 1);
    QVERIFY2(t.elapsed() < 150, "an idle dispatcher must not wait for a clock tick");
}

void TestDispatcher::burstIsSpreadOverIntervals()
{
    Dispatcher d(20);
    QList<qint64> at;
    QElapsedTimer t;
    t.start();
    d.on("CMD_a", [&](FieldReader&) { at << t.elapsed(); });
    d.enqueue({"CMD_a+", "CMD_a+", "CMD_a+", "CMD_a+"});
    QTRY_COMPARE(at.size(), 4);
    for (int i = 1; i < at.size(); ++i)
        QVERIFY2(at[i] - at[i - 1] >= 19, "at most one message per interval");
}

void TestDispatcher::timerStopsWhenQueueEmpties()
{
    Dispatcher d(5);
    int calls = 0;
    d.on("CMD_a", [&](FieldReader&) { ++calls; });
    d.enqueue({"CMD_a+", "CMD_a+"});
    QTRY_COMPARE(calls, 2);
    QTest::qWait(20);
    QCOMPARE(d.findChildren<QTimer*>().size(), 0); // the timer is a member, not a child
    QCOMPARE(d.queued(), 0);
}

void TestDispatcher::queueLimitDropsTheOverflow()
{
    Dispatcher d(1);
    d.setManual(true);
    d.setQueueLimit(3);
    for (int i = 0; i < 10; ++i)
        d.enqueue("CMD_a+" + QByteArray::number(i));
    QCOMPARE(d.queued(), 3);
    QCOMPARE(d.dropped(), 7);
}

QTEST_GUILESS_MAIN(TestDispatcher)
#include "test_dispatcher.moc"
