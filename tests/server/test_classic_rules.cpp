#include "support_bench.h"

#include "net/message.h"

#include <QPoint>
#include <QSet>
#include <QTest>

namespace {
const QStringList FullOfOnes = {"111111", "111111", "111111", "111111", "111111", "111111"};
const QStringList NoBonus = {"......", "......", "......", "......", "......", "......"};
// The worked example: a trail along the top row into a bomb that takes four tiles.
const QStringList ExampleBoard = {"6666.6", "666.66", "666.66", "666666", "666666", "666666"};
const QStringList ExampleBonus = {"..D...", "....B.", "......", "......", "......", "......"};
const QList<QPoint> ExamplePicks = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}};
const QList<QByteArray> ExampleMoves = {
    "CMD_removetile+1+0+0+0+10+10+0", "CMD_removetile+1+1+0+2+30+20+0", "CMD_removetile+1+2+0+3+90+60+0",
    "CMD_removetile+1+3+0+7+160+70+0", "CMD_removetile+1+4+1+8+160+70+0",
    "CMD_bombed+1+8+510+350+0+4+2+5+0+5+1+5+2"};
const QByteArray BombFull = "+1+1+1+2+1+3+2+1+2+3+3+1+3+2+3+3";
} // namespace

class ClassicRulesTest : public QObject {
    Q_OBJECT
private slots:
    void scoresPicks_data();
    void scoresPicks();
    void judgesPicks_data();
    void judgesPicks();
    void drawsTiles_data();
    void drawsTiles();
    void neverAnnouncesAWildTile_data();
    void neverAnnouncesAWildTile();
    void dealsWithinItsLimits_data();
    void dealsWithinItsLimits();
};

void ClassicRulesTest::scoresPicks_data()
{
    QTest::addColumn<QStringList>("board");
    QTest::addColumn<QStringList>("bonus");
    QTest::addColumn<QList<QPoint>>("picks");
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::addColumn<int>("banked");

    QTest::newRow("worked example") << ExampleBoard << ExampleBonus << ExamplePicks << ExampleMoves << 0;
    QTest::newRow("ring two across continues") << ExampleBoard << ExampleBonus
        << ExamplePicks + QList<QPoint>{{2, 3}}
        << ExampleMoves + QList<QByteArray>{"CMD_removetile+1+2+3+9+870+360+0"} << 0;
    QTest::newRow("ring two straight below continues") << ExampleBoard << ExampleBonus
        << ExamplePicks + QList<QPoint>{{4, 3}}
        << ExampleMoves + QList<QByteArray>{"CMD_removetile+1+4+3+9+870+360+0"} << 0;
    QTest::newRow("ring two to the side continues") << ExampleBoard << ExampleBonus
        << ExamplePicks + QList<QPoint>{{2, 1}}
        << ExampleMoves + QList<QByteArray>{"CMD_removetile+1+2+1+9+870+360+0"} << 0;
    QTest::newRow("three away ends the trail") << ExampleBoard << ExampleBonus
        << ExamplePicks + QList<QPoint>{{1, 4}}
        << ExampleMoves + QList<QByteArray>{"CMD_removetile+1+1+4+1+10+10+0"} << 510;
    QTest::newRow("the ring carries one pick only") << ExampleBoard << ExampleBonus
        << ExamplePicks + QList<QPoint>{{2, 3}, {4, 3}}
        << ExampleMoves + QList<QByteArray>{"CMD_removetile+1+2+3+9+870+360+0", "CMD_removetile+1+4+3+1+10+10+0"}
        << 870;
    QTest::newRow("triple") << FullOfOnes << QStringList{".X...."} << QList<QPoint>{{0, 0}, {1, 0}}
        << QList<QByteArray>{"CMD_removetile+1+0+0+0+10+10+0", "CMD_removetile+1+1+0+2+70+60+0"} << 0;
    QTest::newRow("bomb opening the round") << FullOfOnes << QStringList{"......", "......", "..B..."}
        << QList<QPoint>{{2, 2}}
        << QList<QByteArray>{"CMD_removetile+1+2+2+0+0+0+0", "CMD_bombed+1+1+90+90+0" + BombFull} << 0;
    QTest::newRow("bomb opening a new trail") << FullOfOnes << QStringList{"......", "......", "..B..."}
        << QList<QPoint>{{5, 5}, {2, 2}}
        << QList<QByteArray>{"CMD_removetile+1+5+5+0+10+10+0", "CMD_removetile+1+2+2+1+0+0+0",
                             "CMD_bombed+1+1+90+90+0" + BombFull} << 10;
    QTest::newRow("doubles and triple under a bomb") << FullOfOnes
        << QStringList{"......", ".D....", "..B...", "..XD.."} << QList<QPoint>{{2, 2}}
        << QList<QByteArray>{"CMD_removetile+1+2+2+0+0+0+0", "CMD_bombed+1+12+1080+1080+0" + BombFull} << 0;
    QTest::newRow("bomb with empty neighbours leaves no transport")
        << QStringList{"......", "......", "..1...", "......", "......", "1....1"}
        << QStringList{"......", "......", "..B..."} << QList<QPoint>{{2, 2}, {5, 5}}
        << QList<QByteArray>{"CMD_removetile+1+2+2+0+0+0+0", "CMD_removetile+1+5+5+1+10+10+0"} << 10;
    QTest::newRow("a bomb alone does not continue a trail") << FullOfOnes
        << QStringList{"......", "......", "......", "......", "......", ".....B"}
        << QList<QPoint>{{0, 0}, {5, 5}}
        << QList<QByteArray>{"CMD_removetile+1+0+0+0+10+10+0", "CMD_removetile+1+5+5+1+0+0+0",
                             "CMD_bombed+1+1+40+40+0+4+4+4+5+5+4"} << 10;
}

void ClassicRulesTest::scoresPicks()
{
    QFETCH(QStringList, board);
    QFETCH(QStringList, bonus);
    QFETCH(QList<QPoint>, picks);
    QFETCH(QList<QByteArray>, expected);
    QFETCH(int, banked);

    RulesBench bench;
    bench.setup(board, bonus, 1);
    for (const QPoint& pick : picks)
        bench.classic.classicselecttile(1, pick.x(), pick.y());
    QCOMPARE(bench.moves(), expected);
    QCOMPARE(bench.seat().banked, banked);
}

void ClassicRulesTest::judgesPicks_data()
{
    QTest::addColumn<int>("tile");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("matching tile") << 2 << 1 << 0 << true;
    QTest::newRow("wild cell whatever the tile") << 1 << 2 << 0 << true;
    QTest::newRow("other kind") << 1 << 1 << 0 << false;
    QTest::newRow("wild current tile is no joker") << 6 << 1 << 0 << false;
    QTest::newRow("empty cell") << 6 << 0 << 0 << false;
    QTest::newRow("outside the board") << 2 << 1 << 6 << false;
}

void ClassicRulesTest::judgesPicks()
{
    QFETCH(int, tile);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, accepted);

    RulesBench bench;
    bench.setup({".26111", "111111"}, NoBonus, tile);
    bench.classic.classicselecttile(1, x, y);
    const QList<QByteArray> moves = bench.moves();
    QCOMPARE(moves.size(), 1);
    QCOMPARE(moves[0] != "CMD_error+3", accepted);
    QCOMPARE(bench.seat().movecount, accepted ? 1 : 0);
}

void ClassicRulesTest::drawsTiles_data()
{
    QTest::addColumn<QStringList>("board");
    QTest::addColumn<int>("nexttile");
    QTest::addColumn<int>("tileindex");
    QTest::addColumn<QList<int>>("sequence"); // from tileindex on; the rest holds 1
    QTest::addColumn<QByteArray>("setnexttile");
    QTest::addColumn<QByteArray>("setnntile");

    QTest::newRow("exhausted: last tile on the board, next kept")
        << QStringList{"3.....", "......", "......", "......", "......", ".....4"} << 1 << 69 << QList<int>{2}
        << QByteArray("CMD_setnexttile+4+2") << QByteArray("CMD_setnntile+2");
    QTest::newRow("a wild cell makes any draw good") << QStringList{"63...."} << 1 << 1 << QList<int>{3, 5}
        << QByteArray("CMD_setnexttile+1+3") << QByteArray("CMD_setnntile+5");
    QTest::newRow("wild cells do not count for the next tile") << QStringList{"62.3.."} << 2 << 1
        << QList<int>{2, 3, 5} << QByteArray("CMD_setnexttile+2+3") << QByteArray("CMD_setnntile+5");
    QTest::newRow("same next kept with two cells") << QStringList{"22...."} << 2 << 1 << QList<int>{2, 4}
        << QByteArray("CMD_setnexttile+2+2") << QByteArray("CMD_setnntile+4");
    QTest::newRow("absent current tile is skipped") << QStringList{"222333"} << 1 << 1 << QList<int>{4, 2, 3, 5}
        << QByteArray("CMD_setnexttile+2+3") << QByteArray("CMD_setnntile+5");
}

void ClassicRulesTest::drawsTiles()
{
    QFETCH(QStringList, board);
    QFETCH(int, nexttile);
    QFETCH(int, tileindex);
    QFETCH(QList<int>, sequence);
    QFETCH(QByteArray, setnexttile);
    QFETCH(QByteArray, setnntile);

    RulesBench bench;
    bench.setup(board, NoBonus, 1);
    for (int i = 0; i < sequence.size(); ++i)
        bench.game.tilesequence[size_t(tileindex + i)] = sequence[i];
    bench.seat().nexttile = nexttile;
    bench.seat().tileindex = tileindex;
    bench.classic.classicsetnexttile(1);
    QCOMPARE(bench.out.to(1), (QList<QByteArray>{setnexttile, setnntile}));
}

void ClassicRulesTest::neverAnnouncesAWildTile_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 12; ++seed)
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

void ClassicRulesTest::neverAnnouncesAWildTile()
{
    // Whole rounds played to an empty board, skipping over tiles as a greedy
    // player would, run the sequence dry often enough to reach the fallback.
    QFETCH(quint32, seed);
    RandomScope scope(std::make_shared<ScriptedRandom>(seed));
    RulesBench bench;
    bench.classic.classicsettiles();
    bench.classic.classicsetnexttile(1);
    tplayer& p = bench.seat();
    for (int pick = 0; pick < 36 && bench.ended.isEmpty(); ++pick) {
        int px = -1, py = -1;
        for (int x = 0; x < 6; ++x)
            for (int y = 0; y < 6; ++y)
                if (p.board[x][y] != 0 && (p.board[x][y] == p.tile || p.board[x][y] == Tile::Wild))
                    px = x, py = y;
        QVERIFY2(px >= 0, "a seat with tiles left must always have a legal pick");
        bench.classic.classicselecttile(1, px, py);
    }
    QCOMPARE(bench.ended, QList<int>{1});
    QVERIFY(p.tileindex > 69); // the round did reach the fallback tiles
    for (const QByteArray& m : bench.out.to(1, {"CMD_setnexttile", "CMD_setnntile", "CMD_error"})) {
        QVERIFY2(m != "CMD_error+3", m.constData());
        const QList<QByteArray> fields = CommandLine::parse(m).payload.split('+');
        for (const QByteArray& f : fields)
            QVERIFY2(f.toInt() >= 1 && f.toInt() <= 5, m.constData());
    }
}

void ClassicRulesTest::dealsWithinItsLimits_data()
{
    QTest::addColumn<int>("chance");      // the fixed answer of random(3), -1 for drawn
    QTest::addColumn<bool>("allWild");     // every cell draw asks for a wild tile
    QTest::addColumn<int>("wilds");        // wild cells expected, -1 for "at most three"
    QTest::addColumn<QByteArray>("shape"); // bonus codes in order, one letter per code run

    QTest::newRow("drawn") << -1 << false << -1 << QByteArray();
    QTest::newRow("both chances fail") << 0 << false << -1 << QByteArray("13");
    QTest::newRow("limit one") << 0 << true << 1 << QByteArray("13");
    QTest::newRow("limit three, all bonuses") << 2 << true << 3 << QByteArray("1234");
}

void ClassicRulesTest::dealsWithinItsLimits()
{
    QFETCH(int, chance);
    QFETCH(bool, allWild);
    QFETCH(int, wilds);
    QFETCH(QByteArray, shape);

    auto random = std::make_shared<ScriptedRandom>(77);
    if (chance >= 0)
        random->fixed[3] = chance;
    if (allWild)
        random->queued[6] = QList<int>(36, 5);
    RandomScope scope(random);
    RulesBench bench({1, 7});
    bench.classic.classicsettiles();

    const tplayer& p = bench.seat();
    const int onBoard = p.countTiles(Tile::Wild);
    if (wilds >= 0) {
        QCOMPARE(onBoard, wilds);
        for (int y = 0; y < wilds; ++y)
            QCOMPARE(p.board[0][y], Tile::Wild); // the first cells dealt take the allowance
    } else {
        QVERIFY(onBoard <= 3);
    }
    for (int i = 0; i < Table::SequenceSize; ++i)
        QVERIFY(bench.game.tilesequence[size_t(i)] >= 1 && bench.game.tilesequence[size_t(i)] <= 5);

    const QList<QByteArray> sent = bench.out.to(7);
    QCOMPARE(sent.size(), 2);
    const QList<QByteArray> fields = CommandLine::parse(sent[1]).payload.split('+');
    const int groups = int(fields.size() / 3);
    QVERIFY(groups >= 2 && groups <= 9);
    QSet<int> cells;
    QByteArray runs;
    for (int i = 0; i < groups; ++i) {
        cells.insert(fields[i * 3].toInt() * 6 + fields[i * 3 + 1].toInt());
        const char code = fields[i * 3 + 2].at(0);
        if (runs.isEmpty() || runs.back() != code)
            runs.append(code);
    }
    QCOMPARE(cells.size(), groups);
    QVERIFY2(std::is_sorted(runs.begin(), runs.end()), runs.constData());
    QVERIFY(runs.startsWith("1") && runs.contains('3'));
    if (!shape.isEmpty())
        QCOMPARE(runs, shape);
}

QTEST_APPLESS_MAIN(ClassicRulesTest)
#include "test_classic_rules.moc"
