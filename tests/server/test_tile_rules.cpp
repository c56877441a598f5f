#include "support_bench.h"

#include "net/message.h"

#include <QSet>
#include <QTest>

namespace {
// Every seat here has 410 points from earlier rounds.
QByteArray R(int x, int y, int chain, int trail, int points)
{
    return QStringLiteral("CMD_removetile+1+%1+%2+%3+%4+%5+410")
        .arg(x)
        .arg(y)
        .arg(chain)
        .arg(trail)
        .arg(points)
        .toUtf8();
}
const QStringList Ones = {"111111", "111111", "111111", "111111", "111111", "111111"};
const QStringList None = {};
const QByteArray AllAround = "+1+1+1+2+1+3+2+1+2+3+3+1+3+2+3+3"; // cells a bomb at (2, 2) takes
// The classic worked example: a trail along the top row into a bomb that takes four tiles.
const QStringList ExBoard = {"6666.6", "666.66", "666.66", "666666", "666666", "666666"};
const QStringList ExBonus = {"..D...", "....B."};
const QString ExPicks = "00 10 20 30 41";
const QList<QByteArray> ExMoves = {R(0, 0, 0, 10, 10),  R(1, 0, 2, 30, 20),
                                   R(2, 0, 3, 90, 60),  R(3, 0, 7, 160, 70),
                                   R(4, 1, 8, 160, 70), "CMD_bombed+1+8+510+350+410+4+2+5+0+5+1+5+2"};

QList<int> numbers(const QByteArray& payload)
{
    QList<int> out;
    for (const QByteArray& f : payload.split('+'))
        out.append(f.toInt());
    return out;
}
} // namespace

class TileRulesTest : public QObject {
    Q_OBJECT
private slots:
    void scoresPicks_data();
    void scoresPicks();
    void drawsTiles_data();
    void drawsTiles();
    void logsMoves();
    void classicNeverAnnouncesWildTile_data();
    void classicNeverAnnouncesWildTile();
    void dealsWithinLimits_data();
    void dealsWithinLimits();
};

void TileRulesTest::scoresPicks_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("tile"); // every draw of the sequence
    QTest::addColumn<QStringList>("board");
    QTest::addColumn<QStringList>("bonus");
    QTest::addColumn<QString>("picks"); // "xy xy ..."; "x,y" for far-off cells
    QTest::addColumn<QList<QByteArray>>("moves");
    QTest::addColumn<int>("banked");

    QTest::newRow("worked example") << 1 << 6 << Ones << QStringList{"", "", "..D"} << "00 11 22 55"
                                    << QList<QByteArray>{R(0, 0, 0, 10, 10), R(1, 1, 2, 30, 20), R(2, 2, 3, 180, 60),
                                                         R(5, 5, 1, 10, 10)}
                                    << 180;
    QTest::newRow("diagonals continue") << 1 << 6 << Ones << None << "22 33 24"
                                        << QList<QByteArray>{R(2, 2, 0, 10, 10), R(3, 3, 2, 30, 20), R(2, 4, 3, 60, 30)}
                                        << 0;
    QTest::newRow("picked transport") << 1 << 6 << Ones << QStringList{"", "", "", "", "", ".....T"} << "00 55"
                                      << QList<QByteArray>{R(0, 0, 0, 10, 10), R(5, 5, 2, 30, 20)} << 0;
    QTest::newRow("transport behind, once")
        << 1 << 6 << Ones << QStringList{"T"} << "00 55 05"
        << QList<QByteArray>{R(0, 0, 0, 10, 10), R(5, 5, 2, 30, 20), R(0, 5, 1, 10, 10)} << 30;
    QTest::newRow("triple") << 1 << 6 << Ones << QStringList{".X"} << "00 10"
                            << QList<QByteArray>{R(0, 0, 0, 10, 10), R(1, 0, 2, 210, 60)} << 0;
    QTest::newRow("double opening a trail") << 1 << 6 << Ones << QStringList{"", "", "", "", "", ".....D"} << "00 55"
                                            << QList<QByteArray>{R(0, 0, 0, 10, 10), R(5, 5, 1, 40, 20)} << 10;
    QTest::newRow("corner bomb turns transport")
        << 1 << 6 << Ones << QStringList{"B"} << "00 55"
        << QList<QByteArray>{R(0, 0, 0, 10, 10), "CMD_bombed+1+4+170+40+410+0+1+1+0+1+1", R(5, 5, 5, 220, 50)} << 0;
    QTest::newRow("bomb, empty neighbours")
        << 1 << 6 << QStringList{"", "", "..1", "", "", "1....1"} << QStringList{"", "", "..B"} << "22 55"
        << QList<QByteArray>{R(2, 2, 0, 10, 10), R(5, 5, 2, 40, 20)} << 0;
    QTest::newRow("doubles and triple bombed")
        << 1 << 6 << Ones << QStringList{"", ".D", "..B", "..XD"} << "22"
        << QList<QByteArray>{R(2, 2, 0, 10, 10), "CMD_bombed+1+108+9840+90+410" + AllAround} << 0;
    QTest::newRow("far bomb continues") << 1 << 6 << Ones << QStringList{"", "", "", "", "", ".....B"} << "00 55"
                                        << QList<QByteArray>{R(0, 0, 0, 10, 10), R(5, 5, 2, 30, 20),
                                                             "CMD_bombed+1+5+230+50+410+4+4+4+5+5+4"}
                                        << 0;
    QTest::newRow("bomb empties the board")
        << 1 << 6 << QStringList{"11", "1"} << QStringList{"B"} << "00"
        << QList<QByteArray>{R(0, 0, 0, 10, 10), "CMD_bombed+1+3+100+30+410+0+1+1+0", "CMD_turnover+1+6+410+2"} << 0;

    QTest::newRow("classic worked example") << 2 << 1 << ExBoard << ExBonus << ExPicks << ExMoves << 0;
    QTest::newRow("classic ring, diagonal")
        << 2 << 1 << ExBoard << ExBonus << ExPicks + " 23" << ExMoves + QList<QByteArray>{R(2, 3, 9, 870, 360)} << 0;
    QTest::newRow("classic ring, straight")
        << 2 << 1 << ExBoard << ExBonus << ExPicks + " 21" << ExMoves + QList<QByteArray>{R(2, 1, 9, 870, 360)} << 0;
    QTest::newRow("classic three away") << 2 << 1 << ExBoard << ExBonus << ExPicks + " 14"
                                        << ExMoves + QList<QByteArray>{R(1, 4, 1, 10, 10)} << 510;
    QTest::newRow("classic ring, once") << 2 << 1 << ExBoard << ExBonus << ExPicks + " 23 43"
                                        << ExMoves + QList<QByteArray>{R(2, 3, 9, 870, 360), R(4, 3, 1, 10, 10)} << 870;
    QTest::newRow("classic triple") << 2 << 1 << Ones << QStringList{".X"} << "00 10"
                                    << QList<QByteArray>{R(0, 0, 0, 10, 10), R(1, 0, 2, 70, 60)} << 0;
    QTest::newRow("classic bomb opens round")
        << 2 << 1 << Ones << QStringList{"", "", "..B"} << "22"
        << QList<QByteArray>{R(2, 2, 0, 0, 0), "CMD_bombed+1+1+90+90+410" + AllAround} << 0;
    QTest::newRow("classic bomb opens trail")
        << 2 << 1 << Ones << QStringList{"", "", "..B"} << "55 22"
        << QList<QByteArray>{R(5, 5, 0, 10, 10), R(2, 2, 1, 0, 0), "CMD_bombed+1+1+90+90+410" + AllAround} << 10;
    QTest::newRow("classic doubles and triple bombed")
        << 2 << 1 << Ones << QStringList{"", ".D", "..B", "..XD"} << "22"
        << QList<QByteArray>{R(2, 2, 0, 0, 0), "CMD_bombed+1+12+1080+1080+410" + AllAround} << 0;
    QTest::newRow("classic bomb leaves no transport")
        << 2 << 1 << QStringList{"", "", "..1", "", "", "1....1"} << QStringList{"", "", "..B"} << "22 55"
        << QList<QByteArray>{R(2, 2, 0, 0, 0), R(5, 5, 1, 10, 10)} << 10;

    // Refused picks change nothing: the trail goes on from the last good pick.
    const QStringList mixed = {".26111", "111111"};
    const QList<QByteArray> refusedThenGood = {R(3, 1, 0, 10, 10), "CMD_error+3", R(4, 1, 2, 30, 20)};
    for (const char* bad : {"00", "10", "6,1", "0,-1", "2147483647,-2147483647"}) {
        QTest::newRow(qPrintable(QStringLiteral("standard refuses %1").arg(bad)))
            << 1 << 1 << mixed << None << QStringLiteral("31 %1 41").arg(bad) << refusedThenGood << 0;
        QTest::newRow(qPrintable(QStringLiteral("classic refuses %1").arg(bad)))
            << 2 << 1 << mixed << None << QStringLiteral("31 %1 41").arg(bad) << refusedThenGood << 0;
    }
    QTest::newRow("standard wild cell needs wild tile")
        << 1 << 1 << mixed << None << "31 20 41" << refusedThenGood << 0;
    QTest::newRow("standard wild tile takes any")
        << 1 << 6 << mixed << None << "10" << QList<QByteArray>{R(1, 0, 0, 10, 10)} << 0;
    QTest::newRow("classic wild cell always")
        << 2 << 1 << mixed << None << "20" << QList<QByteArray>{R(2, 0, 0, 10, 10)} << 0;
    QTest::newRow("classic wild tile no joker")
        << 2 << 6 << mixed << None << "10" << QList<QByteArray>{"CMD_error+3"} << 0;
}

void TileRulesTest::scoresPicks()
{
    QFETCH(int, mode);
    QFETCH(int, tile);
    QFETCH(QStringList, board);
    QFETCH(QStringList, bonus);
    QFETCH(QString, picks);
    QFETCH(QList<QByteArray>, moves);
    QFETCH(int, banked);

    Bench bench({1}, mode);
    bench.setup(board, bonus, tile);
    bench.seat().total = 410;
    for (const QString& pick : picks.split(' ')) {
        const QStringList xy = pick.contains(',') ? pick.split(',') : QStringList{pick.left(1), pick.mid(1)};
        bench.table.selecttile(1, xy[0].toInt(), xy[1].toInt());
    }
    QCOMPARE(bench.out.to(1, {"CMD_removetile", "CMD_bombed", "CMD_error", "CMD_turnover"}), moves);
    QCOMPARE(bench.seat().banked, banked);
}

void TileRulesTest::drawsTiles_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("board");
    QTest::addColumn<int>("nexttile");
    QTest::addColumn<int>("tileindex");
    QTest::addColumn<QList<int>>("sequence"); // from tileindex on; the rest holds 1
    QTest::addColumn<QByteArray>("drawn"); // "tile+next+preview"

    for (int mode : {1, 2}) {
        const QByteArray m = mode == 1 ? "standard " : "classic ";
        QTest::newRow(m + "absent tile skipped")
            << mode << QStringList{"222333"} << 1 << 1 << QList<int>{4, 2, 3, 5} << QByteArray("2+3+5");
        QTest::newRow(m + "same next needs two")
            << mode << QStringList{"2.3"} << 2 << 1 << QList<int>{2, 3, 4} << QByteArray("2+3+4");
        QTest::newRow(m + "same next with two")
            << mode << QStringList{"223"} << 2 << 1 << QList<int>{2, 3} << QByteArray("2+2+3");
    }
    QTest::newRow("standard wild next") << 1 << QStringList{"2"} << 2 << 1 << QList<int>{6, 4} << QByteArray("2+6+4");
    QTest::newRow("standard runs out: wild")
        << 1 << QStringList{".....5"} << 1 << 69 << QList<int>{1} << QByteArray("6+6+6");
    QTest::newRow("standard runs out fixing next")
        << 1 << QStringList{"23"} << 2 << 68 << QList<int>{4, 4} << QByteArray("2+6+6");
    QTest::newRow("classic runs out: last board tile")
        << 2 << QStringList{"3", "", "", "", "", ".....4"} << 1 << 69 << QList<int>{2} << QByteArray("4+2+2");
    QTest::newRow("classic wild cell makes any draw")
        << 2 << QStringList{"63"} << 1 << 1 << QList<int>{3, 5} << QByteArray("1+3+5");
    QTest::newRow("classic wild cell no second")
        << 2 << QStringList{"62.3"} << 2 << 1 << QList<int>{2, 3, 5} << QByteArray("2+3+5");
}

void TileRulesTest::drawsTiles()
{
    QFETCH(int, mode);
    QFETCH(QStringList, board);
    QFETCH(int, nexttile);
    QFETCH(int, tileindex);
    QFETCH(QList<int>, sequence);
    QFETCH(QByteArray, drawn);

    Bench bench({1}, mode);
    bench.setup(board, None, 1);
    for (int i = 0; i < sequence.size(); ++i)
        bench.game.tilesequence[size_t(tileindex + i)] = sequence[i];
    bench.seat().nexttile = nexttile;
    bench.seat().tileindex = tileindex;
    bench.table.rules().setnexttile(1);
    const QList<QByteArray> parts = drawn.split('+');
    QCOMPARE(bench.out.to(1),
             (QList<QByteArray>{"CMD_setnexttile+" + parts[0] + '+' + parts[1], "CMD_setnntile+" + parts[2]}));
}

void TileRulesTest::logsMoves()
{
    Bench bench;
    bench.setup(Ones, {"B"}, 1);
    bench.game.tilesequence[68] = 2;
    bench.seat().tileindex = 68;
    bench.table.selecttile(1, 1, 0);
    bench.table.selecttile(1, 0, 0); // the bomb, with the sequence run out
    const auto entry = [&](int i) {
        const tmove& m = bench.seat().moves[size_t(i)];
        return QList<int>{m.x, m.y, m.chain, m.points, m.score, m.tile1, m.tile2};
    };
    QCOMPARE(bench.seat().movecount, 4);
    QCOMPARE(entry(0), (QList<int>{1, 0, 0, 10, 10, 1, 2}));
    QCOMPARE(entry(1), (QList<int>{0, 0, 2, 20, 30, 6, 6})); // past the end every read is wild
    QCOMPARE(entry(2), (QList<int>{0, 1, 0, 0, 30, 1, 6}));
    QCOMPARE(bench.seat().moves[2].kind.toByteArray(), QByteArray("t"));
}

void TileRulesTest::classicNeverAnnouncesWildTile_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 12; ++seed)
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

void TileRulesTest::classicNeverAnnouncesWildTile()
{
    // Whole rounds played to an empty board run the sequence dry and reach the fallback tiles.
    QFETCH(quint32, seed);
    RandomScope random(seed);
    Bench bench({1}, 2);
    bench.table.startgame("P1", GameMode::Classic);
    for (int pick = 0; pick < 36 && !bench.seat().roundover; ++pick)
        QVERIFY2(bench.pickAny(1), "a seat with tiles left always has a legal pick");
    QVERIFY(bench.seat().roundover);
    QVERIFY(bench.seat().tileindex > 69);
    for (const QByteArray& m : bench.out.to(1, {"CMD_setnexttile", "CMD_setnntile", "CMD_error"}))
        for (int code : numbers(CommandLine::parse(m).payload))
            QVERIFY2(code >= 1 && code <= 5, m.constData());
}

void TileRulesTest::dealsWithinLimits_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("chance"); // forced random(3) draws of a classic deal, -1 drawn
    QTest::addColumn<bool>("allWild"); // every classic cell asks for a wild tile
    QTest::addColumn<QByteArray>("bonusRuns");

    for (quint32 seed : {1u, 7u, 42u, 1234u})
        QTest::newRow(qPrintable("standard " + QString::number(seed)))
            << 1 << seed << -1 << false << QByteArray("1234");
    for (quint32 seed : {1u, 7u, 42u})
        QTest::newRow(qPrintable("classic " + QString::number(seed))) << 2 << seed << -1 << false << QByteArray();
    QTest::newRow("classic chances fail") << 2 << 5u << 0 << false << QByteArray("13");
    QTest::newRow("classic limit one") << 2 << 5u << 0 << true << QByteArray("13");
    QTest::newRow("classic limit three") << 2 << 5u << 2 << true << QByteArray("1234");
}

void TileRulesTest::dealsWithinLimits()
{
    QFETCH(int, mode);
    QFETCH(quint32, seed);
    QFETCH(int, chance);
    QFETCH(bool, allWild);
    QFETCH(QByteArray, bonusRuns);

    RandomScope random(seed);
    if (chance >= 0)
        random.queued[3] = {chance, chance, chance}; // the wild limit, then the bomb's and triple's chances
    if (allWild)
        random.queued[6] = QList<int>(36, 5);
    Bench bench({1, 3, 8}, mode);
    bench.table.rules().settiles();
    const QList<QByteArray> sent = bench.out.to(8);
    QCOMPARE(sent.size(), 2);
    QCOMPARE(bench.out.to(3), sent);

    const QList<int> tiles = numbers(CommandLine::parse(sent[0]).payload);
    QCOMPARE(tiles.size(), 108);
    std::array<int, 7> onBoard{}, inSequence{};
    for (int i = 0; i < 36; ++i) {
        QCOMPARE(tiles[i * 3] * 6 + tiles[i * 3 + 1], i);
        QCOMPARE(bench.game.players[6].board[i / 6][i % 6], tiles[i * 3 + 2]);
        ++onBoard[size_t(tiles[i * 3 + 2])];
        ++inSequence[size_t(bench.game.tilesequence[size_t(i)])];
    }
    int tailWild = 0;
    for (int i = 36; i < Table::SequenceSize; ++i)
        tailWild += bench.game.tilesequence[size_t(i)] == Tile::Wild;
    if (mode == 1) {
        QCOMPARE(onBoard[6], 0);
        QVERIFY(inSequence[6] >= 1 && inSequence[6] <= 6);
        for (int code = 1; code <= 5; ++code)
            QVERIFY(inSequence[size_t(code)] <= onBoard[size_t(code)]);
    } else {
        QCOMPARE(inSequence[6] + tailWild, 0);
        QCOMPARE(onBoard[6], allWild ? chance + 1 : qMin(onBoard[6], 3));
    }

    const QList<int> bonus = numbers(CommandLine::parse(sent[1]).payload);
    QSet<int> cells;
    QByteArray runs;
    for (qsizetype i = 0; i + 2 < bonus.size(); i += 3) {
        cells.insert(bonus[i] * 6 + bonus[i + 1]);
        QCOMPARE(bench.game.players[2].bonus[bonus[i]][bonus[i + 1]], bonus[i + 2]);
        if (!runs.endsWith(char('0' + bonus[i + 2])))
            runs.append(char('0' + bonus[i + 2]));
    }
    QCOMPARE(cells.size(), bonus.size() / 3);
    QVERIFY(cells.size() >= 2 && cells.size() <= 9);
    QVERIFY2(std::is_sorted(runs.begin(), runs.end()) && runs.startsWith('1') && runs.contains('3'), runs.constData());
    if (mode == 1)
        QCOMPARE(bonus.size(), 27); // five transports, a bomb, two doubles, a triple
    if (!bonusRuns.isEmpty())
        QCOMPARE(runs, bonusRuns);
    QCOMPARE(bench.game.dealtBonus.size(), 36);
}

QTEST_APPLESS_MAIN(TileRulesTest)
#include "test_tile_rules.moc"
