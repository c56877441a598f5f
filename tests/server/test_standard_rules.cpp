#include "support_bench.h"

#include "net/message.h"

#include <QPoint>
#include <QSet>
#include <QTest>

namespace {
const QStringList FullOfOnes = {"111111", "111111", "111111", "111111", "111111", "111111"};
const QStringList NoBonus = {"......", "......", "......", "......", "......", "......"};
} // namespace

class StandardRulesTest : public QObject {
    Q_OBJECT
private slots:
    void scoresPicks_data();
    void scoresPicks();
    void refusesPick_data();
    void refusesPick();
    void drawsTiles_data();
    void drawsTiles();
    void logsMovesWithTheirTiles();
    void emptyBoardEndsTheSeatsRound_data();
    void emptyBoardEndsTheSeatsRound();
    void dealsOneSharedBoard_data();
    void dealsOneSharedBoard();
};

void StandardRulesTest::scoresPicks_data()
{
    QTest::addColumn<QStringList>("board");
    QTest::addColumn<QStringList>("bonus");
    QTest::addColumn<int>("total");
    QTest::addColumn<QList<QPoint>>("picks");
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::addColumn<int>("banked");

    QTest::newRow("worked example") << FullOfOnes
        << QStringList{"......", "......", "..D...", "......", "......", "......"} << 410
        << QList<QPoint>{{0, 0}, {1, 1}, {2, 2}, {5, 5}}
        << QList<QByteArray>{"CMD_removetile+1+0+0+0+10+10+410", "CMD_removetile+1+1+1+2+30+20+410",
                             "CMD_removetile+1+2+2+3+180+60+410", "CMD_removetile+1+5+5+1+10+10+410"}
        << 180;
    QTest::newRow("diagonal touch continues") << FullOfOnes << NoBonus << 0
        << QList<QPoint>{{2, 2}, {3, 3}, {2, 4}}
        << QList<QByteArray>{"CMD_removetile+1+2+2+0+10+10+0", "CMD_removetile+1+3+3+2+30+20+0",
                             "CMD_removetile+1+2+4+3+60+30+0"}
        << 0;
    QTest::newRow("far pick banks the trail") << FullOfOnes << NoBonus << 0
        << QList<QPoint>{{0, 0}, {1, 0}, {5, 5}}
        << QList<QByteArray>{"CMD_removetile+1+0+0+0+10+10+0", "CMD_removetile+1+1+0+2+30+20+0",
                             "CMD_removetile+1+5+5+1+10+10+0"}
        << 30;
    QTest::newRow("picked transport continues from afar") << FullOfOnes
        << QStringList{"......", "......", "......", "......", "......", ".....T"} << 0
        << QList<QPoint>{{0, 0}, {5, 5}}
        << QList<QByteArray>{"CMD_removetile+1+0+0+0+10+10+0", "CMD_removetile+1+5+5+2+30+20+0"} << 0;
    QTest::newRow("transport behind carries one pick only") << FullOfOnes
        << QStringList{"T.....", "......", "......", "......", "......", "......"} << 0
        << QList<QPoint>{{0, 0}, {5, 5}, {0, 5}}
        << QList<QByteArray>{"CMD_removetile+1+0+0+0+10+10+0", "CMD_removetile+1+5+5+2+30+20+0",
                             "CMD_removetile+1+0+5+1+10+10+0"}
        << 30;
    QTest::newRow("triple") << FullOfOnes
        << QStringList{".X....", "......", "......", "......", "......", "......"} << 0
        << QList<QPoint>{{0, 0}, {1, 0}}
        << QList<QByteArray>{"CMD_removetile+1+0+0+0+10+10+0", "CMD_removetile+1+1+0+2+210+60+0"} << 0;
    QTest::newRow("double after a broken trail") << FullOfOnes
        << QStringList{"......", "......", "......", "......", "......", ".....D"} << 0
        << QList<QPoint>{{0, 0}, {5, 5}}
        << QList<QByteArray>{"CMD_removetile+1+0+0+0+10+10+0", "CMD_removetile+1+5+5+1+40+20+0"} << 10;
    QTest::newRow("bomb in a corner becomes a transport") << FullOfOnes
        << QStringList{"B.....", "......", "......", "......", "......", "......"} << 0
        << QList<QPoint>{{0, 0}, {5, 5}}
        << QList<QByteArray>{"CMD_removetile+1+0+0+0+10+10+0", "CMD_bombed+1+4+170+40+0+0+1+1+0+1+1",
                             "CMD_removetile+1+5+5+5+220+50+0"}
        << 0;
    QTest::newRow("bomb with empty neighbours still scores") << QStringList{"......", "......", "..1...", "......", "......", "1....1"}
        << QStringList{"......", "......", "..B...", "......", "......", "......"} << 0
        << QList<QPoint>{{2, 2}, {5, 5}}
        << QList<QByteArray>{"CMD_removetile+1+2+2+0+10+10+0", "CMD_removetile+1+5+5+2+40+20+0"} << 0;
    QTest::newRow("doubles and triple under a bomb") << FullOfOnes
        << QStringList{"......", ".D....", "..B...", "..XD..", "......", "......"} << 0
        << QList<QPoint>{{2, 2}}
        << QList<QByteArray>{"CMD_removetile+1+2+2+0+10+10+0",
                             "CMD_bombed+1+108+9840+90+0+1+1+1+2+1+3+2+1+2+3+3+1+3+2+3+3"} << 0;
    QTest::newRow("bomb far away continues the trail") << FullOfOnes
        << QStringList{"......", "......", "......", "......", "......", ".....B"} << 0
        << QList<QPoint>{{0, 0}, {5, 5}}
        << QList<QByteArray>{"CMD_removetile+1+0+0+0+10+10+0", "CMD_removetile+1+5+5+2+30+20+0",
                             "CMD_bombed+1+5+230+50+0+4+4+4+5+5+4"} << 0;
}

void StandardRulesTest::scoresPicks()
{
    QFETCH(QStringList, board);
    QFETCH(QStringList, bonus);
    QFETCH(int, total);
    QFETCH(QList<QPoint>, picks);
    QFETCH(QList<QByteArray>, expected);
    QFETCH(int, banked);

    RulesBench bench;
    bench.setup(board, bonus, Tile::Wild);
    bench.seat().total = total;
    for (const QPoint& pick : picks)
        bench.standard.selecttile(1, pick.x(), pick.y());
    QCOMPARE(bench.moves(), expected);
    QCOMPARE(bench.seat().banked, banked);
}

void StandardRulesTest::refusesPick_data()
{
    QTest::addColumn<int>("tile");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");

    QTest::newRow("empty cell") << 1 << 0 << 0;
    QTest::newRow("other kind") << 1 << 1 << 0;
    QTest::newRow("wild cell needs a wild tile") << 1 << 2 << 0;
    QTest::newRow("x below the board") << 1 << -1 << 1;
    QTest::newRow("x past the board") << 1 << 6 << 1;
    QTest::newRow("y past the board") << 1 << 3 << 6;
    QTest::newRow("y below the board") << 6 << 3 << -1;
    QTest::newRow("far outside") << 6 << 2147483647 << -2147483647;
}

void StandardRulesTest::refusesPick()
{
    QFETCH(int, tile);
    QFETCH(int, x);
    QFETCH(int, y);

    RulesBench bench;
    bench.setup({".26111", "111111"}, NoBonus, tile);
    bench.seat().lastx = 3;
    bench.seat().lasty = 1;
    bench.seat().chain = 4;
    const Grid before = bench.seat().board;
    bench.standard.selecttile(1, x, y);
    QCOMPARE(bench.out.to(1), QList<QByteArray>{"CMD_error+3"});
    QVERIFY(bench.seat().board == before);
    QCOMPARE(bench.seat().chain, 4);
    QCOMPARE(bench.seat().lastx, 3);
    QCOMPARE(bench.seat().movecount, 0);
}

void StandardRulesTest::drawsTiles_data()
{
    QTest::addColumn<QStringList>("board");
    QTest::addColumn<int>("nexttile");
    QTest::addColumn<int>("tileindex");
    QTest::addColumn<QList<int>>("sequence"); // from tileindex on; the rest holds 1
    QTest::addColumn<QByteArray>("setnexttile");
    QTest::addColumn<QByteArray>("setnntile");
    QTest::addColumn<int>("endIndex");

    QTest::newRow("absent current tile is skipped") << QStringList{"222333"} << 1 << 1 << QList<int>{4, 2, 3, 5}
        << QByteArray("CMD_setnexttile+2+3") << QByteArray("CMD_setnntile+5") << 4;
    QTest::newRow("same next needs a second cell") << QStringList{"2.3..."} << 2 << 1 << QList<int>{2, 3, 4}
        << QByteArray("CMD_setnexttile+2+3") << QByteArray("CMD_setnntile+4") << 3;
    QTest::newRow("same next kept with two cells") << QStringList{"223..."} << 2 << 1 << QList<int>{2, 3}
        << QByteArray("CMD_setnexttile+2+2") << QByteArray("CMD_setnntile+3") << 2;
    QTest::newRow("wild next always good") << QStringList{"2....."} << 2 << 1 << QList<int>{6, 4}
        << QByteArray("CMD_setnexttile+2+6") << QByteArray("CMD_setnntile+4") << 2;
    QTest::newRow("exhausted sequence gives wild tiles") << QStringList{".....5"} << 1 << 69 << QList<int>{1}
        << QByteArray("CMD_setnexttile+6+6") << QByteArray("CMD_setnntile+6") << 71;
    QTest::newRow("exhausted while fixing the next tile") << QStringList{"23...."} << 2 << 68 << QList<int>{4, 4}
        << QByteArray("CMD_setnexttile+2+6") << QByteArray("CMD_setnntile+6") << 70;
}

void StandardRulesTest::drawsTiles()
{
    QFETCH(QStringList, board);
    QFETCH(int, nexttile);
    QFETCH(int, tileindex);
    QFETCH(QList<int>, sequence);
    QFETCH(QByteArray, setnexttile);
    QFETCH(QByteArray, setnntile);
    QFETCH(int, endIndex);

    RulesBench bench;
    bench.setup(board, NoBonus, 1);
    for (int i = 0; i < sequence.size(); ++i)
        bench.game.tilesequence[size_t(tileindex + i)] = sequence[i];
    bench.seat().nexttile = nexttile;
    bench.seat().tileindex = tileindex;
    bench.standard.setnexttile(1);
    QCOMPARE(bench.out.to(1), (QList<QByteArray>{setnexttile, setnntile}));
    QCOMPARE(bench.seat().tileindex, endIndex);
}

void StandardRulesTest::logsMovesWithTheirTiles()
{
    RulesBench bench;
    bench.setup(FullOfOnes, {"B....."}, 1);
    bench.game.tilesequence[68] = 2;
    bench.game.tilesequence[69] = 3;
    bench.seat().tileindex = 68;
    bench.seat().nexttile = 1;
    bench.standard.selecttile(1, 1, 0);
    bench.standard.selecttile(1, 0, 0); // the bomb
    const tplayer& p = bench.seat();
    QCOMPARE(p.movecount, 4);
    const tmove& pick = p.moves[0];
    QCOMPARE((QList<int>{pick.x, pick.y, pick.chain, pick.points, pick.score, pick.tile1, pick.tile2}),
             (QList<int>{1, 0, 0, 10, 10, 1, 2}));
    QCOMPARE(pick.kind, QByteArray("f"));
    // Past the end of the sequence the log reads wild tiles, never foreign memory.
    const tmove& bomb = p.moves[1];
    QCOMPARE((QList<int>{bomb.x, bomb.y, bomb.chain, bomb.tile1, bomb.tile2}), (QList<int>{0, 0, 2, 6, 6}));
    const tmove& taken = p.moves[2];
    QCOMPARE(taken.kind, QByteArray("t"));
    QCOMPARE((QList<int>{taken.x, taken.y, taken.chain, taken.points, taken.score}), (QList<int>{0, 1, 0, 0, 30}));
}

void StandardRulesTest::emptyBoardEndsTheSeatsRound_data()
{
    QTest::addColumn<QStringList>("board");
    QTest::addColumn<QStringList>("bonus");
    QTest::addColumn<QByteArray>("lastMove");

    QTest::newRow("last tile picked") << QStringList{"1....."} << NoBonus << QByteArray("CMD_removetile");
    QTest::newRow("last tiles bombed") << QStringList{"11....", "1....."} << QStringList{"B....."}
                                       << QByteArray("CMD_bombed");
}

void StandardRulesTest::emptyBoardEndsTheSeatsRound()
{
    QFETCH(QStringList, board);
    QFETCH(QStringList, bonus);
    QFETCH(QByteArray, lastMove);

    RulesBench bench;
    bench.setup(board, bonus, 1);
    bench.standard.selecttile(1, 0, 0);
    QCOMPARE(bench.ended, QList<int>{1});
    const QList<QByteArray> sent = bench.out.to(1);
    QVERIFY(!sent.isEmpty());
    QCOMPARE(CommandLine::parse(sent.last()).command, lastMove);
}

void StandardRulesTest::dealsOneSharedBoard_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 7u, 42u, 1234u, 99999u})
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

void StandardRulesTest::dealsOneSharedBoard()
{
    QFETCH(quint32, seed);
    RandomScope scope(std::make_shared<ScriptedRandom>(seed));
    RulesBench bench({1, 3, 8});
    bench.standard.settiles();

    const QList<QByteArray> sent = bench.out.to(8);
    QCOMPARE(sent.size(), 2);
    QCOMPARE(bench.out.to(1), sent);
    const QList<QByteArray> tiles = CommandLine::parse(sent[0]).payload.split('+');
    QCOMPARE(tiles.size(), 36 * 3);
    std::array<int, 7> onBoard{};
    for (int i = 0; i < 36; ++i) {
        const int code = tiles[i * 3 + 2].toInt();
        QCOMPARE(tiles[i * 3].toInt(), i / 6);
        QCOMPARE(tiles[i * 3 + 1].toInt(), i % 6);
        QVERIFY(code >= 1 && code <= 5);
        for (int s = 1; s <= Table::Seats; ++s)
            QCOMPARE(bench.game.players[s].board[i / 6][i % 6], code);
        ++onBoard[size_t(code)];
    }
    // The first 36 sequence entries are the board's tiles, one to six replaced by wild ones.
    std::array<int, 7> inSequence{};
    for (int i = 0; i < 36; ++i)
        ++inSequence[size_t(bench.game.tilesequence[size_t(i)])];
    QVERIFY(inSequence[6] >= 1 && inSequence[6] <= 6);
    for (int code = 1; code <= 5; ++code)
        QVERIFY(inSequence[size_t(code)] <= onBoard[size_t(code)]);
    for (int i = 36; i < Table::SequenceSize; ++i)
        QVERIFY(bench.game.tilesequence[size_t(i)] >= 1 && bench.game.tilesequence[size_t(i)] <= 6);

    const QList<QByteArray> bonus = CommandLine::parse(sent[1]).payload.split('+');
    QCOMPARE(bonus.size(), 9 * 3);
    QSet<int> cells;
    QList<int> codes;
    for (int i = 0; i < 9; ++i) {
        const int x = bonus[i * 3].toInt(), y = bonus[i * 3 + 1].toInt(), code = bonus[i * 3 + 2].toInt();
        cells.insert(x * 6 + y);
        codes.append(code);
        QCOMPARE(bench.game.players[6].bonus[x][y], code);
    }
    QCOMPARE(cells.size(), 9);
    QCOMPARE(codes, (QList<int>{1, 1, 1, 1, 1, 2, 3, 3, 4}));
    QCOMPARE(bench.game.bonusmsg.count('+'), 36 * 3);
    for (int s = 1; s <= Table::Seats; ++s) {
        QCOMPARE(bench.game.players[s].tileindex, 1);
        QCOMPARE(bench.game.players[s].nexttile, bench.game.tilesequence[0]);
    }
}

QTEST_APPLESS_MAIN(StandardRulesTest)
#include "test_standard_rules.moc"
