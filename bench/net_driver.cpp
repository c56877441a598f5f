#include "net_driver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <functional>

namespace {
constexpr int StartMs = 20000;

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
    const auto ping = spawn({QStringLiteral("ping"), QStringLiteral("--port"), QString::number(port),
                             QStringLiteral("--count"), QString::number(m_picks), QStringLiteral("--pace"),
                             m_paceAlone});
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

QList<double> NetDriver::playBots(quint16 port, int bots, const QStringList& extra, int timeoutMs) const
{
    if (port == 0)
        return {};
    std::vector<std::unique_ptr<QProcess>> players;
    for (int i = 1; i <= bots; ++i) {
        QStringList args{QStringLiteral("bot"), QStringLiteral("--port"), QString::number(port),
                         QStringLiteral("--name"), QStringLiteral("Bot%1").arg(i), QStringLiteral("--seed"),
                         QString::number(i)};
        if (i == 1)
            args << QStringLiteral("--start") << QStringLiteral("--players") << QString::number(bots);
        players.push_back(spawn(args + extra));
    }
    QList<double> all;
    for (auto& player : players) {
        const QList<double> us = roundTripsOf(*player, timeoutMs);
        if (us.isEmpty())
            return {};
        all += us;
    }
    return all;
}

bool NetDriver::measureBots(int bots, int picksEach, const QString& pace, Latency& out) const
{
    const auto host = spawn({QStringLiteral("host")});
    const int timeoutMs = StartMs + picksEach * paceMax(pace) * 2;
    const QList<double> us = playBots(portOf(*host), bots, {QStringLiteral("--picks"), QString::number(picksEach),
                                                    QStringLiteral("--pace"), pace}, timeoutMs);
    host->kill();
    host->waitForFinished();
    out = latency(us);
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
    const QList<double> us = playBots(port, m_bots, {QStringLiteral("--seconds"), QString::number(m_seconds)},
                                      StartMs + m_seconds * 1000);
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
                        && measureBots(m_bots, each, m_paceSix, f.six) && (m_seconds == 0 || measureLoad(f));
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
    bench::printRow({QStringLiteral("pick round trip, 1 bot, median"), med([](F f) { return f.alone.median; }),
                     QStringLiteral("ms"), ref + QStringLiteral(", median"), pingMed, {}, QStringLiteral("<= 1 ms")});
    bench::printRow({QStringLiteral("pick round trip, 1 bot, p99"), med([](F f) { return f.alone.p99; }),
                     QStringLiteral("ms"), ref + QStringLiteral(", p99"), pingP99, {}, QString()});
    bench::printRow({QStringLiteral("pick round trip, %1 bots, median").arg(m_bots),
                     med([](F f) { return f.six.median; }), QStringLiteral("ms"), ref + QStringLiteral(", median"),
                     pingMed, {}, QString()});
    bench::printRow({QStringLiteral("pick round trip, %1 bots, p99").arg(m_bots), med([](F f) { return f.six.p99; }),
                     QStringLiteral("ms"), ref + QStringLiteral(", p99"), pingP99, {}, QStringLiteral("<= 12 ms")});
    bench::printNote(QStringLiteral("%1 picks per figure, median of %2 runs; one bot waits %3 ms before each pick, "
                                    "each of %4 bots %5 ms; the ping-pong waits as the lone bot")
                         .arg(m_picks).arg(runs.size()).arg(m_paceAlone).arg(m_bots).arg(m_paceSix));
    if (m_seconds == 0)
        return;
    bench::printRow({QStringLiteral("server CPU per pick, %1 bots flat out").arg(m_bots),
                     med([](F f) { return f.loadCpuUsPerPick; }), QStringLiteral("us"),
                     QStringLiteral("echo process CPU per message"), med([](F f) { return f.echoCpuUs; }), {},
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
