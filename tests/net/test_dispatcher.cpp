#include "net/dispatcher.h"

#include <QtTest>

class TestDispatcher : public QObject {
    Q_OBJECT
private slots:
    void handlesInArrivalOrderOnePerCall();
    void ignoresUnknownEmptyAndPlusless();
    void neverRunsAHandlerInsideEnqueue();
    void idleMessageIsHandledWithoutWaitingForATick();
    void queueLimitDropsTheOverflow();
    void sourcesTakeTurnsEachInOrder();
    void stepRunsAfterItsSourcesEarlierMessages();
    void sourcesComingAndGoingKeepTheirTurns_data();
    void sourcesComingAndGoingKeepTheirTurns();
    void rateLetsBurstThroughThenOnePerInterval_data();
    void rateLetsBurstThroughThenOnePerInterval();
    void longRunRateIsExactThroughLateWakeUps();
    void waitingPlayersShareAWakeUpButAFlooderDoesNot_data();
    void waitingPlayersShareAWakeUpButAFlooderDoesNot();
    void oneWakeUpServesEveryTurnTheRateAllows_data();
    void oneWakeUpServesEveryTurnTheRateAllows();
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
    QSignalSpy unhandled(&d, &Dispatcher::unhandled);
    d.enqueue({"", "CMD_full", "CMD_Full+", "CMD_other+1", "CMD_full+"});
    while (d.dispatchOne()) { }
    QCOMPARE(calls, 1);
    // Each dropped one is reported with its word, empty where it had none.
    QList<QByteArray> words;
    for (const QList<QVariant>& args : unhandled)
        words.append(args.at(0).toByteArray());
    QCOMPARE(words, (QList<QByteArray>{"", "", "CMD_Full", "CMD_other"}));
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
    // The rate goes by the stepped clock, so the machine's speed decides nothing.
    StepClock clock;
    Dispatcher d(200);
    d.setClock(clock);
    const auto* wake = d.findChild<QTimer*>();
    QVERIFY(wake);
    int calls = 0;
    d.on("CMD_a", [&](FieldReader&) { ++calls; });
    // Idle: due at once, so one pass of the event loop handles it.
    d.enqueue("CMD_a+");
    QCOMPARE(wake->interval(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(calls, 1);
    // Idle again once a whole interval has passed since the last one.
    clock.advanceMs(200);
    d.enqueue("CMD_a+");
    QCOMPARE(wake->interval(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(calls, 2);
    // Within the interval a message waits for its turn.
    clock.advanceMs(199);
    d.enqueue("CMD_a+");
    QCoreApplication::processEvents();
    QCOMPARE(calls, 2);
    QVERIFY(wake->isActive());
    QVERIFY(wake->interval() > 0);
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

void TestDispatcher::sourcesTakeTurnsEachInOrder()
{
    Dispatcher d(1);
    d.setManual(true);
    QList<QByteArray> seen;
    d.on("CMD_m", [&](FieldReader& f) { seen << QByteArray::number(d.currentSource()) + ':' + f.rest(); });
    for (int i = 1; i <= 4; ++i)
        d.enqueue(7, "CMD_m+" + QByteArray::number(i));
    d.enqueue(3, "CMD_m+a");
    d.enqueue(3, "CMD_m+b");
    d.enqueue(5, "CMD_m+x");
    QCOMPARE(d.queued(7), 4);
    QCOMPARE(d.queuedBytes(3), 14);
    QVERIFY(d.dispatchOne());
    // One that had nothing waiting goes ahead of those that had a turn.
    d.enqueue(9, "CMD_m+new");
    while (d.dispatchOne()) { }
    QCOMPARE(seen, (QList<QByteArray>{"7:1", "3:a", "5:x", "9:new", "7:2", "3:b", "7:3", "7:4"}));
    QCOMPARE(d.queued(), 0);
    QCOMPARE(d.queued(7), 0);
}

void TestDispatcher::stepRunsAfterItsSourcesEarlierMessages()
{
    Dispatcher d(1);
    d.setManual(true);
    d.setQueueLimit(3);
    QList<QByteArray> seen;
    d.on("CMD_m", [&](FieldReader& f) { seen << f.rest(); });
    d.enqueue(1, "CMD_m+1a");
    d.enqueue(1, "CMD_m+1b");
    d.enqueue(2, "CMD_m+2a");
    // Steps pass the queue cap, and a discard leaves them where they were.
    d.enqueueCall(1, [&] { seen << "1 left"; });
    d.enqueueCall(2, [&] { seen << "2 left"; });
    QCOMPARE(d.discard(2), 1);
    QCOMPARE(d.queued(), 4);
    while (d.dispatchOne()) { }
    QCOMPARE(seen, (QList<QByteArray>{"1a", "2 left", "1b", "1 left"}));
}

void TestDispatcher::sourcesComingAndGoingKeepTheirTurns_data()
{
    QTest::addColumn<int>("newcomers");
    QTest::newRow("a few at a table") << 3;
    QTest::newRow("more than idle lanes are kept for") << 40;
}

void TestDispatcher::sourcesComingAndGoingKeepTheirTurns()
{
    QFETCH(int, newcomers);
    Dispatcher d(1);
    d.setManual(true);
    QList<QByteArray> seen;
    d.on("CMD_m", [&](FieldReader& f) { seen << QByteArray::number(d.currentSource()) + ':' + f.rest(); });
    // Source 1 stays for every round; the others come for one round each and
    // then sit idle, as connections that closed.
    for (int round = 0; round < 3; ++round) {
        QList<Dispatcher::Source> sources{1};
        for (int i = 0; i < newcomers; ++i)
            sources << 2 + round * newcomers + i;
        QList<QByteArray> expected;
        for (const QByteArray& text : {QByteArray("a"), QByteArray("bb")}) {
            for (const Dispatcher::Source source : sources) {
                d.enqueue(source, "CMD_m+" + text);
                expected << QByteArray::number(source) + ':' + text;
            }
        }
        QCOMPARE(d.queuedBytes(1), 15);
        QCOMPARE(d.discard(sources.back()), 2);
        expected.removeAll(QByteArray::number(sources.back()) + ":a");
        expected.removeAll(QByteArray::number(sources.back()) + ":bb");
        seen.clear();
        while (d.dispatchOne()) { }
        QCOMPARE(seen, expected);
        QCOMPARE(d.queued(), 0);
        QCOMPARE(d.queued(1), 0);
        QCOMPARE(d.queuedBytes(sources.front()), 0);
        // A source with nothing waiting has nothing to drop.
        QCOMPARE(d.discard(1), 0);
        QCOMPARE(d.discard(2), 0);
    }
}

void TestDispatcher::rateLetsBurstThroughThenOnePerInterval_data()
{
    QTest::addColumn<int>("burst");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("wakeMs"); // how often the event loop gets round to it
    // Without burst credit a late wake-up is lost; the client has none to spend.
    QTest::newRow("client: one per interval") << 1 << 2 << 10;
    QTest::newRow("server: ten at once, late wake-ups") << 10 << 10 << 7;
}

void TestDispatcher::rateLetsBurstThroughThenOnePerInterval()
{
    QFETCH(int, burst);
    QFETCH(int, seconds);
    QFETCH(int, wakeMs);
    StepClock clock;
    Dispatcher d(10);
    d.setClock(clock);
    d.setBurst(burst);
    d.setManual(true);
    int handled = 0;
    d.on("CMD_m", [&](FieldReader&) { ++handled; });
    for (int i = 0; i < 100 * seconds + 50; ++i)
        d.enqueue(i % 3, "CMD_m+");
    while (d.dispatchIfDue()) { }
    QCOMPARE(handled, burst);
    clock.advanceMs(9);
    QVERIFY(!d.dispatchIfDue());
    clock.advanceMs(1);
    QVERIFY(d.dispatchIfDue());
    QVERIFY(!d.dispatchIfDue());
    // Late, uneven wake-ups catch up: the long-run rate is exactly one per interval.
    const int total = 1000 * seconds;
    for (int ms = 10; ms < total;) {
        const int step = qMin(wakeMs, total - ms);
        clock.advanceMs(step);
        ms += step;
        while (d.dispatchIfDue()) { }
    }
    QCOMPARE(handled, burst + 100 * seconds);
    // After a quiet spell the whole burst passes again, and no more.
    clock.advanceMs(1000);
    const int before = handled;
    while (d.dispatchIfDue()) { }
    QCOMPARE(handled - before, burst);
}

void TestDispatcher::longRunRateIsExactThroughLateWakeUps()
{
    // A timer re-armed for 10 ms after each message drifts by its slack (about
    // 92 a second); the due times must not. The dispatcher runs on its own
    // timer here, and the clock moves 35 ms between its wake-ups, so every
    // wake-up comes late.
    StepClock clock;
    Dispatcher d(10);
    d.setClock(clock);
    d.setBurst(10);
    int handled = 0;
    d.on("CMD_m", [&](FieldReader&) { ++handled; });
    for (int i = 0; i < 160; ++i)
        d.enqueue(i % 2, "CMD_m+");
    QTRY_COMPARE(handled, 10);
    for (int ms = 35; handled < 160; ms += 35) {
        clock.advanceMs(35);
        const int due = qMin(160, 10 + ms / 10);
        QVERIFY2(QTest::qWaitFor([&] { return handled >= due; }), qPrintable(QString::number(ms)));
        QCOMPARE(handled, due);
    }
    QTRY_VERIFY(d.idle());
}

void TestDispatcher::waitingPlayersShareAWakeUpButAFlooderDoesNot_data()
{
    QTest::addColumn<QList<int>>("sources"); // who queues once the burst is spent
    QTest::addColumn<int>("nextWakeMs"); // after the first of them is served
    // The two players left wait for two turns and are then served together.
    QTest::newRow("three players, a pick each") << QList<int>{1, 2, 3} << 20;
    QTest::newRow("one flooder, three more lines") << QList<int>{9, 9, 9} << 10;
}

void TestDispatcher::waitingPlayersShareAWakeUpButAFlooderDoesNot()
{
    QFETCH(QList<int>, sources);
    QFETCH(int, nextWakeMs);
    // The rate goes by the stepped clock; the dispatcher's own timer only
    // says when it will look again.
    StepClock clock;
    Dispatcher d(10);
    d.setClock(clock);
    d.setBurst(10);
    const auto* wake = d.findChild<QTimer*>();
    QVERIFY(wake);
    QList<int> served;
    d.on("CMD_m", [&](FieldReader& f) { served << f.lastInt().value_or(0); });
    // A flooder spends the burst and keeps a line waiting.
    for (int i = 0; i < 11; ++i)
        d.enqueue(9, "CMD_m+9");
    QTRY_COMPARE(served.size(), 10);
    QVERIFY(wake->isActive());
    QCOMPARE(wake->interval(), 10);
    for (const int source : sources)
        d.enqueue(source, "CMD_m+" + QByteArray::number(source));
    clock.advanceMs(10);
    QTRY_COMPARE(served.size(), 11);
    QCOMPARE(served.last(), sources.first());
    QTRY_VERIFY(wake->isActive());
    QCOMPARE(wake->interval(), nextWakeMs);
    clock.advanceMs(nextWakeMs);
    QTRY_COMPARE(served.size(), 10 + 1 + nextWakeMs / 10);
}

void TestDispatcher::oneWakeUpServesEveryTurnTheRateAllows_data()
{
    QTest::addColumn<int>("burst");
    QTest::addColumn<int>("served"); // in the first wake-up, of six waiting
    QTest::addColumn<int>("nextWakeMs"); // then, for the rest: 0 when none is left
    QTest::newRow("burst for all six") << 10 << 6 << 0;
    QTest::newRow("burst for three") << 3 << 3 << 30;
}

void TestDispatcher::oneWakeUpServesEveryTurnTheRateAllows()
{
    QFETCH(int, burst);
    QFETCH(int, served);
    QFETCH(int, nextWakeMs);
    StepClock clock;
    Dispatcher d(10);
    d.setClock(clock);
    d.setBurst(burst);
    const auto* wake = d.findChild<QTimer*>();
    QVERIFY(wake);
    QList<int> seen;
    d.on("CMD_m", [&](FieldReader& f) { seen << f.lastInt().value_or(0); });
    // Six players' picks arrive in one read of the table's sockets.
    d.setManual(true);
    for (int source = 1; source <= 6; ++source)
        d.enqueue(source, "CMD_m+" + QByteArray::number(source));
    d.setManual(false);
    QVERIFY(wake->isActive());
    QCOMPARE(wake->interval(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(seen, (QList<int>{1, 2, 3, 4, 5, 6}.first(served)));
    QCOMPARE(wake->isActive(), nextWakeMs > 0);
    if (nextWakeMs > 0)
        QCOMPARE(wake->interval(), nextWakeMs);
}

QTEST_GUILESS_MAIN(TestDispatcher)
#include "test_dispatcher.moc"
