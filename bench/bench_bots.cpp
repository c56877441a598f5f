// How the bot levels fare against each other and how fast they pick. One easy,
// one normal and one hard bot sit at an in-process table and play games back
// to back (the round clock moved by hand, the bots at full speed); then one
// round at their natural pace times every pick.
//   bench_bots [--games N] [--mode 1|2] [--pace-seconds S] [--seed N]
#include "bench_support.h"

#include "bot/bot.h"
#include "bot/bot_seats.h"
#include "net/game_random.h"
#include "server/host_options.h"
#include "server/server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <array>
#include <cstdio>

namespace {

constexpr std::array<BotLevel, 3> Levels{BotLevel::Easy, BotLevel::Normal, BotLevel::Hard};

struct BenchTable {
    FixedHostOptions host;
    Server server{host, 0};
    BotSeats seats;

    explicit BenchTable(double speed)
    {
        host.winnersPath = false;
        server.listen();
        server.table().Timer1().setRealTime(false);
        seats.setServer(QStringLiteral("127.0.0.1"), server.port());
        seats.setSpeed(speed);
        for (BotLevel level : Levels)
            seats.add(level);
    }
    bool seated() const { return server.game().players[3].connected && !server.game().players[3].name.isEmpty(); }
    // Through a pause at once; through a round once nobody picked for `quietMs`.
    void moveClock(QElapsedTimer& quiet, int& moves, int quietMs)
    {
        const GameState& game = server.game();
        int now = 0;
        for (int seat = 1; seat <= 3; ++seat)
            now += game.players[seat].movecount;
        if (now != moves) {
            moves = now;
            quiet.restart();
        }
        GameTable& table = server.table();
        while (game.gamerunning && table.phase() == 2)
            table.Timer1Timer();
        if (game.gamerunning && table.phase() == 1 && quiet.elapsed() > quietMs)
            for (int i = 0; i < 93 && game.gamerunning && table.phase() == 1; ++i)
                table.Timer1Timer();
    }
};

int playGames(int games, int mode)
{
    BenchTable table(0.0);
    if (!QTest::qWaitFor([&] { return table.seated(); }, 10000))
        return 1;
    std::array<int, 3> wins{};
    std::array<std::array<int, 3>, 3> beats{};
    std::array<qint64, 3> points{};
    const PlayerTable& players = table.server.game().players;
    QElapsedTimer quiet;
    int moves = -1;
    for (int game = 0; game < games; ++game) {
        table.server.table().startgame("bench", mode);
        quiet.start();
        while (table.server.game().gamerunning) {
            QTest::qWait(5);
            table.moveClock(quiet, moves, 2000);
        }
        for (int a = 0; a < 3; ++a) {
            points[size_t(a)] += players[a + 1].total;
            for (int b = 0; b < 3; ++b)
                beats[size_t(a)][size_t(b)] += players[a + 1].total > players[b + 1].total;
        }
        int best = 0;
        for (int seat = 1; seat < 3; ++seat)
            if (players[seat + 1].total > players[best + 1].total)
                best = seat;
        ++wins[size_t(best)];
    }
    for (size_t a = 0; a < 3; ++a)
        std::printf("%-6s wins %2d of %d games (%.0f %%), mean final score %lld\n",
                    qPrintable(BotLevels::name(Levels[a])), wins[a], games, 100.0 * wins[a] / games, points[a] / games);
    for (size_t a = 1; a < 3; ++a)
        std::printf("%s beats %s in %d of %d games\n", qPrintable(BotLevels::name(Levels[a])),
                    qPrintable(BotLevels::name(Levels[a - 1])), beats[a][a - 1], games);
    return 0;
}

int timePicks(int seconds)
{
    BenchTable table(1.0);
    if (!QTest::qWaitFor([&] { return table.seated(); }, 10000))
        return 1;
    std::array<QList<double>, 3> waits;
    const QList<const Bot*> bots = table.seats.bots();
    for (qsizetype i = 0; i < bots.size(); ++i)
        QObject::connect(bots[i], &Bot::picked, bots[i],
                         [&waits, i](QPoint, qint64 ms) { waits[size_t(i)].append(double(ms)); });
    table.server.table().startgame("bench", 1);
    QTest::qWait(seconds * 1000);
    for (size_t a = 0; a < 3; ++a) {
        const QList<double>& w = waits[a];
        double sum = 0;
        for (double v : w)
            sum += v;
        std::printf("%-6s %3lld picks, mean %.0f ms a pick (median %.0f, fastest %.0f)\n",
                    qPrintable(BotLevels::name(Levels[a])), qlonglong(w.size()), w.isEmpty() ? 0 : sum / w.size(),
                    bench::median(w), w.isEmpty() ? 0 : bench::percentile(w, 0));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bench::Args args(QCoreApplication::arguments().mid(1));
    GameRandom::seed(unsigned(args.number(QStringLiteral("seed"), 1)));
    const int games = args.number(QStringLiteral("games"), 50);
    if (games > 0 && playGames(games, args.number(QStringLiteral("mode"), 1)) != 0)
        return 1;
    const int seconds = args.number(QStringLiteral("pace-seconds"), 40);
    return seconds > 0 ? timePicks(seconds) : 0;
}
