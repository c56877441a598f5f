// How the bot levels fare against a steady person and how fast they pick.
// A person stand-in (keeps its trail whenever the tile allows, one pick every
// 1.0 to 1.6 s, no lapses) and one easy, one normal and one hard bot sit at an
// in-process table and play games back to back with every wait and the round
// clock shrunk alike (--scale-ms: milliseconds per second of play), so pace
// counts as it does at a real table; then one round at their natural pace
// times every pick.
//   bench_bots [--games N] [--mode 1|2] [--scale-ms MS] [--pace-seconds S] [--seed N]
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
// Seat 1 is the person; the levels follow in seats 2 to 4.
constexpr int Seated = 4;

struct BenchTable {
    FixedHostOptions host;
    Server server{host, 0};
    BotSeats seats;
    std::unique_ptr<Bot> person;

    explicit BenchTable(double speed)
    {
        host.winnersPath = false;
        server.listen();
        server.table().Timer1().setRealTime(false);
        BotOptions steady;
        steady.port = server.port();
        steady.name = "Pat";
        steady.seat = true;
        steady.pace = {int(1000 * speed), int(1600 * speed)};
        person = std::make_unique<Bot>(steady);
        person->start();
        // The person takes seat 1 before the bots come; seated() tells if it did not.
        (void)QTest::qWaitFor([this] { return server.game().players[1].loggedin; }, 10000);
        seats.setServer(QStringLiteral("127.0.0.1"), server.port());
        seats.setSpeed(speed);
        for (BotLevel level : Levels)
            seats.add(level);
    }
    bool seated() const { return server.game().players[1].loggedin && server.game().players[Seated].loggedin; }
};

struct Tally {
    std::array<int, Seated> wins{};
    std::array<int, Seated> beatPerson{};
    std::array<qint64, Seated> points{};
    std::array<qint64, Seated> picks{};
};

void countGame(const PlayerTable& players, Tally& t)
{
    int best = 1;
    for (int seat = 1; seat <= Seated; ++seat) {
        t.points[size_t(seat - 1)] += players[seat].total;
        t.beatPerson[size_t(seat - 1)] += players[seat].total > players[1].total;
        if (players[seat].total > players[best].total)
            best = seat;
    }
    ++t.wins[size_t(best - 1)];
}

int playGames(int games, int mode, int msPerSecond)
{
    BenchTable table(msPerSecond / 1000.0);
    if (!QTest::qWaitFor([&] { return table.seated(); }, 10000))
        return 1;
    Tally t;
    QList<const Bot*> players{table.person.get()};
    players += table.seats.bots();
    for (qsizetype i = 0; i < players.size(); ++i)
        QObject::connect(players[i], &Bot::picked, players[i], [&t, i] { ++t.picks[size_t(i)]; });
    GameTable& clock = table.server.table();
    const GameState& game = table.server.game();
    qint64 secondsInPlay = 0;
    for (int played = 0; played < games; ++played) {
        clock.startgame("bench", GameModes::fromCode(mode));
        QElapsedTimer tick;
        tick.start();
        while (game.gamerunning) {
            QTest::qWait(1);
            while (game.gamerunning && clock.phase() == RoundPhase::Pause)
                clock.Timer1Timer();
            if (game.gamerunning && clock.phase() == RoundPhase::InPlay && tick.elapsed() >= msPerSecond) {
                tick.restart();
                ++secondsInPlay;
                clock.Timer1Timer();
            }
        }
        countGame(game.players, t);
    }
    std::printf("%d games, %lld s of rounds in play at %d ms a second\n", games, secondsInPlay, msPerSecond);
    for (size_t a = 0; a < Seated; ++a) {
        const QString who = a == 0 ? QStringLiteral("person") : BotLevels::name(Levels[a - 1]);
        std::printf("%-6s wins %2d (%3.0f %%), beats the person in %3.0f %%, mean score %6lld, %.2f picks a second\n",
                    qPrintable(who), t.wins[a], 100.0 * t.wins[a] / games, 100.0 * t.beatPerson[a] / games,
                    t.points[a] / games, secondsInPlay ? double(t.picks[a]) / double(secondsInPlay) : 0.0);
    }
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
    table.server.table().startgame("bench", GameMode::Standard);
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
    const int games = args.number(QStringLiteral("games"), 30);
    const int scale = args.number(QStringLiteral("scale-ms"), 50);
    if (games > 0 && playGames(games, args.number(QStringLiteral("mode"), 1), qMax(1, scale)) != 0)
        return 1;
    const int seconds = args.number(QStringLiteral("pace-seconds"), 40);
    return seconds > 0 ? timePicks(seconds) : 0;
}
