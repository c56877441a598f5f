#include "net_driver.h"

#include "server/server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <functional>

namespace {
constexpr int StartMs = 20000;
// The flooder connects once the bots hold their seats (a seat bot given a
// later slot would leave), and the bots' picks before the flood are not timed.
constexpr int FloodAfterMs = 1000;
constexpr int FloodSkipMs = 2000;

// The largest pause of a "a-b" pace text, in ms.
int paceMax(const QString& pace)
{
    return pace.split(QLatin1Char('-')).last().toInt();
}
} // namespace

NetDriver::NetDriver(const bench::Args& args)
    : m_runs(qMax(1, args.number(QStringLiteral("runs"), 3))),
      m_picks(qMax(1, args.number(QStringLiteral("picks"), 1000))),
      m_seconds(qMax(0, args.number(QStringLiteral("seconds"), 60))),
      m_bots(qMax(1, args.number(QStringLiteral("bots"), 6))),
      m_paceAlone(args.text(QStringLiteral("pace1"), QStringLiteral("12-20"))),
      m_paceSix(args.text(QStringLiteral("pace6"), QStringLiteral("150-450")))
{
}

std::unique_ptr<QProcess> NetDriver::spawn(const QStringList& args) const
{
    auto process = std::make_unique<QProcess>();
    process->setProgram(QCoreApplication::applicationFilePath());
    process->setArguments(args);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start();
    return process;
}

quint16 NetDriver::portOf(QProcess& process)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < StartMs && !process.canReadLine())
        process.waitForReadyRead(100);
    const QByteArray line = process.readLine().trimmed();
    return line.startsWith("port ") ? quint16(line.mid(5).toUInt()) : 0;
}

QList<double> NetDriver::roundTripsOf(QProcess& process, int timeoutMs)
{
    if (!process.waitForFinished(timeoutMs) || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    QList<double> us;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        if (!line.startsWith("rtt"))
            continue;
        for (const QByteArray& v : line.mid(3).trimmed().split(' '))
            if (!v.isEmpty())
                us << v.toDouble();
    }
    return us;
}

NetDriver::Latency NetDriver::latency(const QList<double>& us)
{
    return {bench::median(us) / 1000.0, bench::percentile(us, 99) / 1000.0, int(us.size())};
}

bool NetDriver::measurePing(RunFigures& f) const
{
    const auto echo = spawn({QStringLiteral("echo")});
    const quint16 port = portOf(*echo);
    if (port == 0)
        return false;
    const bench::CpuSample cpu0 = bench::sampleCpu(echo->processId());
    const auto ping =
        spawn({QStringLiteral("ping"), QStringLiteral("--port"), QString::number(port), QStringLiteral("--count"),
               QString::number(m_picks), QStringLiteral("--pace"), m_paceAlone});
    const QList<double> us = roundTripsOf(*ping, StartMs + m_picks * paceMax(m_paceAlone) * 2);
    const bench::CpuSample cpu1 = bench::sampleCpu(echo->processId());
    echo->kill();
    echo->waitForFinished();
    if (us.size() < m_picks)
        return false;
    f.ping = latency(us);
    f.echoCpuUs = double(bench::cpuBetween(cpu0, cpu1)) / 1000.0 / double(us.size());
    return true;
}

NetDriver::Processes NetDriver::spawnBots(quint16 port, int bots, const QStringList& extra) const
{
    Processes players;
    for (int i = 1; i <= bots; ++i) {
        QStringList args{QStringLiteral("bot"),    QStringLiteral("--port"),       QString::number(port),
                         QStringLiteral("--name"), QStringLiteral("Bot%1").arg(i), QStringLiteral("--seed"),
                         QString::number(i)};
        if (i == 1)
            args << QStringLiteral("--start") << QStringLiteral("--players") << QString::number(bots);
        players.push_back(spawn(args + extra));
    }
    return players;
}

QList<double> NetDriver::collect(Processes& players, int timeoutMs)
{
    QList<double> all;
    for (auto& player : players) {
        const QList<double> us = roundTripsOf(*player, timeoutMs);
        if (us.isEmpty())
            return {};
        all += us;
    }
    return all;
}

QList<double> NetDriver::playBots(quint16 port, int bots, const QStringList& extra, int timeoutMs) const
{
    if (port == 0)
        return {};
    Processes players = spawnBots(port, bots, extra);
    return collect(players, timeoutMs);
}

bool NetDriver::measureBots(int bots, int picksEach, const QString& pace, Latency& out, double* cpuUsPerPick) const
{
    const auto host = spawn({QStringLiteral("host")});
    const quint16 port = portOf(*host);
    const int timeoutMs = StartMs + picksEach * paceMax(pace) * 2;
    // Counted as under the flat-out load, logging in and dealing included.
    const bench::CpuSample cpu0 = bench::sampleCpu(host->processId());
    const QList<double> us = playBots(
        port, bots, {QStringLiteral("--picks"), QString::number(picksEach), QStringLiteral("--pace"), pace}, timeoutMs);
    const bench::CpuSample cpu1 = bench::sampleCpu(host->processId());
    host->kill();
    host->waitForFinished();
    out = latency(us);
    if (cpuUsPerPick && !us.isEmpty())
        *cpuUsPerPick = double(bench::cpuBetween(cpu0, cpu1)) / 1000.0 / double(us.size());
    return !us.isEmpty();
}

bool NetDriver::measureFlooded(RunFigures& f) const
{
    const int each = (m_picks + m_bots - 1) / m_bots;
    const auto host = spawn({QStringLiteral("host")});
    const quint16 port = portOf(*host);
    QList<double> us;
    if (port != 0) {
        Processes players = spawnBots(port, m_bots,
                                      {QStringLiteral("--picks"), QString::number(each), QStringLiteral("--pace"),
                                       m_paceSix, QStringLiteral("--skip-ms"), QString::number(FloodSkipMs)});
        QThread::msleep(FloodAfterMs);
        const auto flooder = spawn({QStringLiteral("flood"), QStringLiteral("--port"), QString::number(port)});
        QElapsedTimer wall;
        wall.start();
        us = collect(players, StartMs + FloodSkipMs + each * paceMax(m_paceSix) * 2);
        const double seconds = double(wall.elapsed()) / 1000.0;
        flooder->kill();
        flooder->waitForFinished();
        const QList<QByteArray> lines = flooder->readAllStandardOutput().trimmed().split('\n');
        f.floodPerSecond = lines.last().startsWith("relayed ") ? lines.last().mid(8).toDouble() / seconds : 0;
    }
    host->kill();
    host->waitForFinished();
    f.flooded = latency(us);
    return !us.isEmpty();
}

bool NetDriver::measureLoad(RunFigures& f) const
{
    const auto host = spawn({QStringLiteral("host")});
    const quint16 port = portOf(*host);
    QElapsedTimer wall;
    wall.start();
    // Counted from the bots' start: logging in and dealing are part of play.
    const bench::CpuSample cpu0 = bench::sampleCpu(host->processId());
    const QList<double> us =
        playBots(port, m_bots, {QStringLiteral("--seconds"), QString::number(m_seconds)}, StartMs + m_seconds * 1000);
    const bench::CpuSample cpu1 = bench::sampleCpu(host->processId());
    const double cpuNs = double(bench::cpuBetween(cpu0, cpu1));
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    host->kill();
    host->waitForFinished();
    if (us.isEmpty())
        return false;
    f.loadCpuPercent = cpuNs / 1e9 / seconds * 100.0;
    f.loadPicksPerSecond = double(us.size()) / seconds;
    f.loadCpuUsPerPick = cpuNs / 1000.0 / double(us.size());
    f.flatOut = latency(us);
    return true;
}

int NetDriver::run()
{
    std::vector<RunFigures> runs;
    const int each = (m_picks + m_bots - 1) / m_bots;
    for (int r = 0; r < m_runs; ++r) {
        RunFigures f;
        const bool ok = measurePing(f) && measureBots(1, m_picks, m_paceAlone, f.alone)
            && measureBots(m_bots, each, m_paceSix, f.six, &f.sixCpuUsPerPick) && measureFlooded(f)
            && (m_seconds == 0 || measureLoad(f));
        if (!ok) {
            std::fprintf(stderr, "bench_net: run %d failed\n", r + 1);
            return 1;
        }
        runs.push_back(f);
    }
    print(runs);
    return 0;
}

void NetDriver::print(const std::vector<RunFigures>& runs) const
{
    const auto med = [&runs](const std::function<double(const RunFigures&)>& of) {
        QList<double> v;
        for (const RunFigures& f : runs)
            v << of(f);
        return bench::median(v);
    };
    using F = const RunFigures&;
    const double pingMed = med([](F f) { return f.ping.median; });
    const double pingP99 = med([](F f) { return f.ping.p99; });
    const QString ref = QStringLiteral("bare socket ping-pong");
    bench::printRow({QStringLiteral("pick round trip, 1 bot, median"),
                     med([](F f) { return f.alone.median; }),
                     QStringLiteral("ms"),
                     ref + QStringLiteral(", median"),
                     pingMed,
                     {},
                     QStringLiteral("<= 1 ms")});
    bench::printRow({QStringLiteral("pick round trip, 1 bot, p99"),
                     med([](F f) { return f.alone.p99; }),
                     QStringLiteral("ms"),
                     ref + QStringLiteral(", p99"),
                     pingP99,
                     {},
                     QString()});
    bench::printRow({QStringLiteral("pick round trip, %1 bots, median").arg(m_bots),
                     med([](F f) { return f.six.median; }),
                     QStringLiteral("ms"),
                     ref + QStringLiteral(", median"),
                     pingMed,
                     {},
                     QStringLiteral("<= 0.3 ms")});
    bench::printRow({QStringLiteral("pick round trip, %1 bots, p99").arg(m_bots),
                     med([](F f) { return f.six.p99; }),
                     QStringLiteral("ms"),
                     ref + QStringLiteral(", p99"),
                     pingP99,
                     {},
                     QStringLiteral("<= 2 ms")});
    bench::printNote(QStringLiteral("%1 picks per figure, median of %2 runs; one bot waits %3 ms before each pick, "
                                    "each of %4 bots %5 ms; the ping-pong waits as the lone bot")
                         .arg(m_picks)
                         .arg(runs.size())
                         .arg(m_paceAlone)
                         .arg(m_bots)
                         .arg(m_paceSix));
    printFlooded(runs);
    if (m_seconds == 0)
        return;
    bench::printRow({QStringLiteral("server CPU per pick, %1 bots flat out").arg(m_bots),
                     med([](F f) { return f.loadCpuUsPerPick; }),
                     QStringLiteral("us"),
                     QStringLiteral("echo process CPU per message"),
                     med([](F f) { return f.echoCpuUs; }),
                     {},
                     QStringLiteral("<= 1.5x")});
    // At play pace a pick arrives while the rate allows it and is handled in
    // the same wake-up; flat out it waits for its turn, and the server wakes
    // twice per pick.
    bench::printRow({QStringLiteral("server CPU per pick, %1 bots paced").arg(m_bots),
                     med([](F f) { return f.sixCpuUsPerPick; }),
                     QStringLiteral("us"),
                     QStringLiteral("echo process CPU per message"),
                     med([](F f) { return f.echoCpuUs; }),
                     {},
                     QString()});
    bench::printRow({QStringLiteral("server CPU, %1 bots flat out").arg(m_bots),
                     med([](F f) { return f.loadCpuPercent; }), QStringLiteral("% core"), QStringLiteral("-"), 0,
                     QStringLiteral("-"), QString()});
    bench::printNote(QStringLiteral("flat out for %1 s: %2 picks/s served, pick round trip median %3 ms, p99 %4 ms")
                         .arg(m_seconds)
                         .arg(med([](F f) { return f.loadPicksPerSecond; }), 0, 'f', 0)
                         .arg(med([](F f) { return f.flatOut.median; }), 0, 'f', 2)
                         .arg(med([](F f) { return f.flatOut.p99; }), 0, 'f', 2));
}

void NetDriver::printFlooded(const std::vector<RunFigures>& runs) const
{
    QList<double> median, p99, sixMedian, sixP99, flood;
    for (const RunFigures& f : runs) {
        median << f.flooded.median;
        p99 << f.flooded.p99;
        sixMedian << f.six.median;
        sixP99 << f.six.p99;
        flood << f.floodPerSecond;
    }
    const QString figure = QStringLiteral("pick round trip, flooded, ");
    const QString ref = QStringLiteral("%1 bots, no flooder, ").arg(m_bots);
    bench::printRow({figure + QStringLiteral("median"),
                     bench::median(median),
                     QStringLiteral("ms"),
                     ref + QStringLiteral("median"),
                     bench::median(sixMedian),
                     {},
                     QString()});
    bench::printRow({figure + QStringLiteral("p99"),
                     bench::median(p99),
                     QStringLiteral("ms"),
                     ref + QStringLiteral("p99"),
                     bench::median(sixP99),
                     {},
                     QString()});
    bench::printNote(
        QStringLiteral("flooded: the %4 bots' picks beside a player who keeps 64 chat lines queued: %1 of its "
                       "lines served a second, of the %2 messages a second the server serves in all; "
                       "picks in the first %3 s, before the flood, are not timed")
            .arg(bench::median(flood), 0, 'f', 0)
            .arg(1000 / Server::DispatchIntervalMs)
            .arg(FloodSkipMs / 1000)
            .arg(m_bots));
}
