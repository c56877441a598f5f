#include "client/core/score_order.h"

#include <QList>
#include <QTest>

namespace {

using Totals = QList<QString>; // shown total per slot 1 to 6

std::function<std::optional<int>(int)> shown(const Totals& totals)
{
    return [totals](int slot) -> std::optional<int> {
        bool ok = false;
        const int v = totals.at(slot - 1).toInt(&ok);
        return ok ? std::optional<int>(v) : std::nullopt;
    };
}

QList<int> orderOf(const ScoreOrder& s)
{
    return QList<int>(s.order().begin(), s.order().end());
}

} // namespace

class TestScoreOrder : public QObject {
    Q_OBJECT
private slots:
    void sortsBestFirstKeepingTies_data();
    void sortsBestFirstKeepingTies();
    void orderCarriesOverToNextSort();
    void rowTops();
};

void TestScoreOrder::sortsBestFirstKeepingTies_data()
{
    QTest::addColumn<Totals>("totals");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("ties keep their order")
        << Totals{"100", "300", "300", "50", "0", "0"} << QList<int>{2, 3, 1, 4, 5, 6};
    QTest::newRow("reversed") << Totals{"1", "2", "3", "4", "5", "6"} << QList<int>{6, 5, 4, 3, 2, 1};
    QTest::newRow("all equal") << Totals{"7", "7", "7", "7", "7", "7"} << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("negative totals") << Totals{"-5", "0", "-1", "3", "0", "0"} << QList<int>{4, 2, 5, 6, 3, 1};
    // A row whose total is no number blocks swaps across it.
    QTest::newRow("text total stays") << Totals{"10", "x", "30", "0", "0", "0"} << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("text total below") << Totals{"10", "20", "x", "40", "0", "0"} << QList<int>{2, 1, 3, 4, 5, 6};
}

void TestScoreOrder::sortsBestFirstKeepingTies()
{
    QFETCH(Totals, totals);
    QFETCH(QList<int>, order);
    ScoreOrder s;
    s.sort(shown(totals));
    QCOMPARE(orderOf(s), order);
}

void TestScoreOrder::orderCarriesOverToNextSort()
{
    ScoreOrder s;
    s.sort(shown({"100", "300", "300", "50", "0", "0"}));
    // All equal now: the previous order stays, it is not reset to 1..6.
    s.sort(shown({"0", "0", "0", "0", "0", "0"}));
    QCOMPARE(orderOf(s), (QList<int>{2, 3, 1, 4, 5, 6}));
    s.sort(shown({"0", "0", "5", "0", "0", "9"}));
    QCOMPARE(orderOf(s), (QList<int>{6, 3, 2, 1, 4, 5}));
    QCOMPARE(s.slotAt(1), 6);
}

void TestScoreOrder::rowTops()
{
    QCOMPARE(ScoreOrder::rowTop(1), 196);
    QCOMPARE(ScoreOrder::rowTop(4), 253);
    QCOMPARE(ScoreOrder::rowTop(6), 291);
}

QTEST_APPLESS_MAIN(TestScoreOrder)
#include "test_score_order.moc"
