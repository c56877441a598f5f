// Many busy tables on one machine, as a server operator runs them: N headless
// tables (gloopdash-server processes on consecutive loopback ports), each with
// five seat bots of its own and one player of the bench's, all at a person's
// pace (GLOOPDASH_BOT_PACE=1), playing game after game. The bench's player has
// a person's name, so each table seats its bots for it and gives it the start
// button. Reports the tables' CPU and proportional set size per table, and the
// round trip of the bench players' picks across all tables; the references
// are the same tables measured before anyone sat down.
//   bench_tables --server PATH [--tables N] [--seconds S] [--base-port P]
#include "bench_support.h"

#include "bot/bot.h"
#include "net/message.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct BusyTable {
    std::unique_ptr<QProcess> server;
    quint16 port = 0;
    std::unique_ptr<Bot> player;
    qint64 pickedAt = 0;
    int picks = 0;
};

// Proportional set size of a process in KiB: its private pages plus its share
// of those it shares with the other tables (libraries, mostly).
qint64 pssKib(qint64 pid)
{
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : rollup.readAll().split('\n'))
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

struct Usage {
    double cpuPercentPerTable = 0;
    double pssMibPerTable = 0;
};

Usage measure(const std::vector<BusyTable>& tables, double seconds)
{
    std::vector<bench::CpuSample> before;
    for (const BusyTable& t : tables)
        before.push_back(bench::sampleCpu(t.server->processId()));
    bench::runFor(int(seconds * 1000));
    qint64 cpuNs = 0;
    qint64 pss = 0;
    for (size_t i = 0; i < tables.size(); ++i) {
        const qint64 pid = tables[i].server->processId();
        cpuNs += bench::cpuBetween(before[i], bench::sampleCpu(pid));
        pss += pssKib(pid);
    }
    const double n = double(tables.size());
    return {100.0 * double(cpuNs) / (seconds * 1e9) / n, double(pss) / 1024.0 / n};
}

bool startTables(std::vector<BusyTable>& tables, const QString& server, int count, quint16 basePort)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("GLOOPDASH_BOT_PACE"), QStringLiteral("1"));
    quint16 port = basePort;
    for (int i = 0; i < count; ++i) {
        while (bench::portListening(port))
            ++port;
        BusyTable t;
        t.port = port++;
        t.server = std::make_unique<QProcess>();
        t.server->setProcessEnvironment(env);
        t.server->setStandardOutputFile(QProcess::nullDevice());
        t.server->start(
            server,
            {"--port", QString::number(t.port), "--listen", "127.0.0.1", "--bots", "5", "--winners-path", "off"});
        if (!t.server->waitForStarted(5000))
            return false;
        tables.push_back(std::move(t));
    }
    return bench::waitFor(
        [&] {
            return std::all_of(tables.begin(), tables.end(),
                               [](const BusyTable& t) { return bench::portListening(t.port); });
        },
        30000);
}

// The bench's player at each table; its picks are timed to their answers.
void seatPlayers(std::vector<BusyTable>& tables, QList<double>& roundTrips)
{
    static const QList<QByteArray> answers{"CMD_removetile", "CMD_bombed", "CMD_error", "CMD_turnover"};
    for (BusyTable& t : tables) {
        BotOptions options = BotOptions::forSeat(BotLevel::Normal, "Pat", 1.0);
        options.port = t.port;
        options.startMode = 1;
        options.players = 6;
        t.player = std::make_unique<Bot>(options);
        BusyTable* table = &t;
        Bot* player = t.player.get();
        QObject::connect(player, &Bot::picked, [table] { table->pickedAt = bench::monotonicNs(); });
        QObject::connect(player, &Bot::messageRead, [table, &roundTrips](const QByteArray& m) {
            if (table->pickedAt == 0 || !answers.contains(CommandLine::parse(m).command))
                return;
            roundTrips.append(double(bench::monotonicNs() - table->pickedAt) / 1e6);
            table->pickedAt = 0;
            ++table->picks;
        });
        // Game after game: the next starts a little after the winner.
        QObject::connect(player, &Bot::gameOver, player,
                         [player] { QTimer::singleShot(3000, player, [player] { player->startGame(1); }); });
        player->start();
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bench::Args args(app.arguments().mid(1));
    const QString server = args.text(QStringLiteral("server"));
    const int count = args.number(QStringLiteral("tables"), 50);
    const double seconds = args.text(QStringLiteral("seconds"), QStringLiteral("30")).toDouble();
    const auto basePort = quint16(args.number(QStringLiteral("base-port"), 27000));
    if (server.isEmpty() || count < 1)
        return 2;

    std::vector<BusyTable> tables;
    const bool started = startTables(tables, server, count, basePort);
    int code = 1;
    if (started) {
        bench::runFor(1000);
        const Usage idle = measure(tables, std::min(seconds, 5.0));
        QList<double> roundTrips;
        seatPlayers(tables, roundTrips);
        // Every table has dealt and played a little before the clock starts.
        const bool playing = bench::waitFor(
            [&] { return std::all_of(tables.begin(), tables.end(), [](const BusyTable& t) { return t.picks > 0; }); },
            60000);
        if (!playing)
            bench::printNote(QStringLiteral("not every table was playing after a minute"));
        roundTrips.clear();
        const Usage busy = measure(tables, seconds);
        const QString n = QString::number(count);
        bench::printRow({QStringLiteral("CPU per busy table"), busy.cpuPercentPerTable, QStringLiteral("%"),
                         QStringLiteral("idle table, ") + n + QStringLiteral(" tables"), idle.cpuPercentPerTable,
                         QString(), QStringLiteral("<= 0.5 %")});
        bench::printRow({QStringLiteral("memory per table"), busy.pssMibPerTable, QStringLiteral("MiB"),
                         QStringLiteral("idle table, PSS"), idle.pssMibPerTable, QString(),
                         QStringLiteral("<= 4 MiB")});
        bench::printRow({QStringLiteral("six-bot pick p99, ") + n + QStringLiteral(" tables"),
                         bench::percentile(roundTrips, 99), QStringLiteral("ms"), QStringLiteral("median"),
                         bench::median(roundTrips), QStringLiteral("%1 picks").arg(roundTrips.size()),
                         QStringLiteral("<= 5 ms")});
        code = roundTrips.isEmpty() ? 1 : 0;
    }
    for (BusyTable& t : tables) {
        t.player.reset();
        t.server->terminate();
    }
    for (BusyTable& t : tables)
        t.server->waitForFinished(5000);
    return code;
}
