#include "bot/bot_board.h"
#include "bot/bot_level.h"
#include "net/game_random.h"
#include "server/player_names.h"

#include <QTest>

namespace {
using Cells = QList<QPoint>;

// A deal as the server sends it: every cell `filler` except the given ones.
QList<CellCode> deal(int filler, const QList<std::pair<QPoint, int>>& tiles)
{
    QList<CellCode> cells;
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y) {
            int code = filler;
            for (const auto& [cell, tile] : tiles)
                if (cell == QPoint(x, y))
                    code = tile;
            cells.append({x, y, code});
        }
    return cells;
}
} // namespace

class BotBoardTest : public QObject {
    Q_OBJECT
private slots:
    void picksOnlyLegalCells_data();
    void picksOnlyLegalCells();
    void hardKeepsTheTrailGoing();
    void seatNamesAndLevels();
    void namesBotsApartFromPeople_data();
    void namesBotsApartFromPeople();
};

void BotBoardTest::picksOnlyLegalCells_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<int>("mode");
    QTest::addColumn<Cells>("legal");
    // Tiles 2 at (1,1) and (4,4), a wild cell at (5,0); the current tile is 2
    // and the server refused (1,1) a moment ago.
    for (const auto& [name, strategy] :
         {std::pair{"random", BotBoard::Strategy::Random}, std::pair{"greedy", BotBoard::Strategy::Greedy},
          std::pair{"best", BotBoard::Strategy::Best}}) {
        QTest::addRow("%s, standard", name) << int(strategy) << 1 << Cells{{4, 4}};
        // A classic wild cell matches any current tile.
        QTest::addRow("%s, classic", name) << int(strategy) << 2 << Cells{{4, 4}, {5, 0}};
    }
}

void BotBoardTest::picksOnlyLegalCells()
{
    QFETCH(int, strategy);
    QFETCH(int, mode);
    QFETCH(Cells, legal);
    for (unsigned seed = 1; seed <= 20; ++seed) {
        GameRandom::seed(seed);
        BotBoard board;
        board.setMode(mode);
        board.settiles(deal(1, {{{1, 1}, 2}, {{4, 4}, 2}, {{5, 0}, 6}}));
        board.setCurrent(2, 3);
        board.refused({1, 1});
        const auto cell = board.choose(BotBoard::Strategy(strategy));
        QVERIFY(cell);
        QVERIFY2(legal.contains(*cell), qPrintable(QStringLiteral("%1,%2").arg(cell->x()).arg(cell->y())));
    }
    BotBoard empty;
    empty.setCurrent(2, 2);
    QVERIFY(!empty.choose(BotBoard::Strategy(strategy)));
}

void BotBoardTest::hardKeepsTheTrailGoing()
{
    // After a pick at (0,0) the current tile 2 lies at (1,1), touching it, and
    // at (5,5); the next tile 3 lies at (4,4), touching only (5,5). The greedy
    // choice (1,1) breaks the trail on the next pick; the hard bot gives up
    // the short trail now and ends its three picks on a longer one.
    BotBoard board;
    board.settiles(deal(1, {{{0, 0}, 2}, {{1, 1}, 2}, {{5, 5}, 2}, {{4, 4}, 3}}));
    board.removed(0, 0);
    board.setCurrent(2, 3);
    board.setPreview(1);
    for (unsigned seed = 1; seed <= 10; ++seed) {
        GameRandom::seed(seed);
        QCOMPARE(board.choose(BotBoard::Strategy::Greedy), std::optional<QPoint>(QPoint(1, 1)));
        QCOMPARE(board.choose(BotBoard::Strategy::Best), std::optional<QPoint>(QPoint(5, 5)));
    }
}

void BotBoardTest::seatNamesAndLevels()
{
    QCOMPARE(BotLevels::seatName(0, BotLevel::Hard), QByteArray("Bot Ann (hard)"));
    QCOMPARE(BotLevels::seatName(1, BotLevel::Easy), QByteArray("Bot Cy (easy)"));
    QCOMPARE(BotLevels::seatName(8, BotLevel::Normal), QByteArray("Bot Ann 2 (normal)"));
    for (BotLevel level : {BotLevel::Easy, BotLevel::Normal, BotLevel::Hard}) {
        QCOMPARE(BotLevels::parse(BotLevels::name(level)), std::optional<BotLevel>(level));
        // Never faster than a quick person clicks, never so slow it stops playing.
        QVERIFY(BotLevels::pace(level).minMs >= 500);
        QVERIFY(BotLevels::pace(level).maxMs <= 2600);
        // The table seats the name as it is: a bot still reads as one.
        const QByteArray name = BotLevels::seatName(15, level);
        QCOMPARE(PlayerNames::clean(name), name);
        QVERIFY(name.startsWith("Bot "));
    }
    // Each level slower on the whole, and less sure, than the one above it.
    const auto mean = [](BotLevel level) { return BotLevels::pace(level).minMs + BotLevels::pace(level).maxMs; };
    QVERIFY(mean(BotLevel::Easy) > mean(BotLevel::Normal) && mean(BotLevel::Normal) > mean(BotLevel::Hard));
    QVERIFY(BotLevels::slipPercent(BotLevel::Easy) > BotLevels::slipPercent(BotLevel::Normal));
    QVERIFY(BotLevels::slipPercent(BotLevel::Hard) > 0);
    QVERIFY(!BotLevels::parse(QStringLiteral("Hard")));
}

void BotBoardTest::namesBotsApartFromPeople_data()
{
    QTest::addColumn<QList<QByteArray>>("seated");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("empty table") << QList<QByteArray>{} << QByteArray("Bot Ann (hard)");
    QTest::newRow("a person named Ann") << QList<QByteArray>{"ann"} << QByteArray("Bot Cy (hard)");
    QTest::newRow("Ann with a surname") << QList<QByteArray>{"Ann Lee"} << QByteArray("Bot Cy (hard)");
    QTest::newRow("Annabel is someone else") << QList<QByteArray>{"Annabel"} << QByteArray("Bot Ann (hard)");
    QTest::newRow("a bot of another level")
        << QList<QByteArray>{"Bot Ann (easy)", "Cy"} << QByteArray("Bot Dot (hard)");
    QTest::newRow("every given name taken")
        << QList<QByteArray>{"Ann", "Cy", "Dot", "Eli", "Flo", "Gus", "Ivy", "Max"} << QByteArray("Bot Ann 2 (hard)");
}

void BotBoardTest::namesBotsApartFromPeople()
{
    QFETCH(QList<QByteArray>, seated);
    QFETCH(QByteArray, name);
    QCOMPARE(BotLevels::freeSeatName(BotLevel::Hard, seated), name);
}

QTEST_APPLESS_MAIN(BotBoardTest)
#include "test_bot_board.moc"
