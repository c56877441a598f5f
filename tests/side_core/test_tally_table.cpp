#include "side/core/tally_table.h"

#include <QtTest>

namespace {

// The 8 counts of an opponent's row, columns 1 to 8.
QList<int> countsOf(const TallyTable& table, const QString& name)
{
    QList<int> counts;
    const int row = table.rowOf(name);
    for (int c = 1; c < TallyTable::Columns; ++c)
        counts << table.cell(c, row).toInt();
    return counts;
}

} // namespace

class TallyTableTest : public QObject {
    Q_OBJECT
private slots:
    void countsAGame_data();
    void countsAGame();
    void keepsOnlyBetterBests_data();
    void keepsOnlyBetterBests();
    void repairsCountsThatAreNoNumbers_data();
    void repairsCountsThatAreNoNumbers();
    void removingARowKeepsTheOthers();
    void restartZeroesRunCountsResetClearsAll();
};

void TallyTableTest::countsAGame_data()
{
    QTest::addColumn<QStringList>("players");
    QTest::addColumn<QString>("winner");
    QTest::addColumn<bool>("localWon");
    QTest::addColumn<QList<int>>("kim");
    QTest::addColumn<QList<int>>("ada");
    const QList<int> untouched{0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("local player beats both")
        << QStringList{"Kim", "Ada"} << "addtomine" << true << QList<int>{1, 0, 1, 0, 1, 0, 1, 0}
        << QList<int>{1, 0, 1, 0, 1, 0, 1, 0};
    QTest::newRow("Kim wins, Ada plays") << QStringList{"Ada", "Kim"} << "Kim" << false
                                         << QList<int>{1, 1, 0, 0, 1, 1, 0, 0} << QList<int>{1, 0, 0, 1, 1, 0, 0, 1};
    QTest::newRow("untallied winner") << QStringList{"Kim", "Bob", "Ada"} << "Bob" << false
                                      << QList<int>{1, 0, 0, 1, 1, 0, 0, 1} << QList<int>{1, 0, 0, 1, 1, 0, 0, 1};
    QTest::newRow("Ada absent") << QStringList{"Kim", "Bob"} << "Kim" << false << QList<int>{1, 1, 0, 0, 1, 1, 0, 0}
                                << untouched;
    QTest::newRow("winner differs in case") << QStringList{"kim", "Ada"} << "KIM" << false
                                            << QList<int>{1, 1, 0, 0, 1, 1, 0, 0} << QList<int>{1, 0, 0, 1, 1, 0, 0, 1};
    QTest::newRow("one opponent in two seats counts once")
        << QStringList{"Kim", "KIM"} << "addtomine" << true << QList<int>{1, 0, 1, 0, 1, 0, 1, 0} << untouched;
    QTest::newRow("nobody tallied plays") << QStringList{"Bob"} << "Bob" << false << untouched << untouched;
}

void TallyTableTest::countsAGame()
{
    QFETCH(QStringList, players);
    QFETCH(QString, winner);
    QFETCH(bool, localWon);
    QFETCH(QList<int>, kim);
    QFETCH(QList<int>, ada);
    TallyTable table;
    QVERIFY(table.addPlayer("Kim"));
    QVERIFY(table.addPlayer("Ada"));
    QVERIFY(!table.addPlayer("ADA"));
    table.countGame(players, winner, localWon);
    QCOMPARE(countsOf(table, "Kim"), kim);
    QCOMPARE(countsOf(table, "Ada"), ada);
}

void TallyTableTest::keepsOnlyBetterBests_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<qint64>("offered");
    QTest::addColumn<QString>("kept");
    QTest::newRow("higher score") << int(TallyTable::HighScore) << "61000" << qint64(61001) << "61001";
    QTest::newRow("equal score") << int(TallyTable::HighScore) << "61000" << qint64(61000) << "61000";
    QTest::newRow("lower trail") << int(TallyTable::HighestTrail) << "930" << qint64(929) << "930";
    QTest::newRow("higher trail") << int(TallyTable::HighestTrail) << "930" << qint64(1200) << "1200";
    QTest::newRow("damaged best") << int(TallyTable::HighestTrail) << "x" << qint64(5) << "5";
    QTest::newRow("not a best column") << int(TallyTable::TotalGames) << "3" << qint64(50) << "3";
}

void TallyTableTest::keepsOnlyBetterBests()
{
    QFETCH(int, column);
    QFETCH(QString, stored);
    QFETCH(qint64, offered);
    QFETCH(QString, kept);
    TallyTable table;
    table.addword(stored, column);
    QCOMPARE(table.offerBest(column, offered), kept != stored);
    QCOMPARE(table.cell(column, 0), kept);
}

void TallyTableTest::repairsCountsThatAreNoNumbers_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<qint64>("after");
    QTest::newRow("count") << "41" << qint64(42);
    QTest::newRow("empty") << "" << qint64(1);
    QTest::newRow("word") << "many" << qint64(1);
    QTest::newRow("signed") << "-3" << qint64(1);
    QTest::newRow("leading zeros") << "007" << qint64(8);
    QTest::newRow("too long") << "9999999999999999999999" << qint64(1);
}

void TallyTableTest::repairsCountsThatAreNoNumbers()
{
    QFETCH(QString, cell);
    QFETCH(qint64, after);
    StringGrid grid(9, 2);
    grid.setCell(1, 1, cell);
    TallyTable table;
    QVERIFY(table.assign(grid));
    QCOMPARE(table.addit(1, 1), after);
    QCOMPARE(table.cell(1, 1), QString::number(after));
    QCOMPARE(table.addit(9, 1), qint64(-1));
    QCOMPARE(table.addit(1, 2), qint64(-1));
}

void TallyTableTest::removingARowKeepsTheOthers()
{
    TallyTable table;
    for (const char* name : {"A", "B", "C"})
        table.addPlayer(name);
    table.countGame({"A"}, "A", false);
    table.countGame({"C"}, "x", false);
    table.moverow(2);
    QCOMPARE(table.playerNames(), (QStringList{"A", "C"}));
    QCOMPARE(countsOf(table, "A"), (QList<int>{1, 1, 0, 0, 1, 1, 0, 0}));
    QCOMPARE(countsOf(table, "C"), (QList<int>{1, 0, 0, 1, 1, 0, 0, 1}));
    table.moverow(0); // the own row stays
    table.moverow(3);
    QCOMPARE(table.grid().rowCount(), 3);
}

void TallyTableTest::restartZeroesRunCountsResetClearsAll()
{
    TallyTable table;
    table.addPlayer("Kim");
    table.countGame({"Kim"}, "addtomine", true);
    table.addtomine(TallyTable::TotalGames);
    table.zeroRunCounts();
    QCOMPARE(countsOf(table, "Kim"), (QList<int>{1, 0, 1, 0, 0, 0, 0, 0}));
    QCOMPARE(table.cell(TallyTable::TotalGames, 0), QStringLiteral("1"));
    table.reset();
    QCOMPARE(table.grid(), TallyTable().grid());
}

QTEST_APPLESS_MAIN(TallyTableTest)
#include "test_tally_table.moc"
