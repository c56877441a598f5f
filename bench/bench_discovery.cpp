// Discovery answers of a busy table over loopback, against a bare UDP echo:
//   bench_discovery udpecho        the reference's echo, prints "port N"
//   bench_discovery rtt ...        a table (bench_net host --discovery) with six
//                                  bots (bench_net bot) playing flat out, asked
//                                  by queries like the game browser's; prints
//                                  the figures, the rate limit one source meets
//                                  and the bytes the table sent back
#include "bench_support.h"
#include "discovery_asker.h"

#include "net/discovery_datagram.h"
#include "server/discovery_responder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkDatagram>
#include <QProcess>
#include <QThread>
#include <QUdpSocket>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int StartMs = 20000;
// The bots log in and deal the first round before the queries begin.
constexpr int PlayFirstMs = 1500;
// One source asking flat out: a query every RateIntervalMs for RateMs.
constexpr int RateIntervalMs = 2;
constexpr int RateMs = 2000;

using Process = std::unique_ptr<QProcess>;

Process spawn(const QString& program, const QStringList& args)
{
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(args);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start();
    return process;
}

quint16 portOf(QProcess& process)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < StartMs && !process.canReadLine())
        process.waitForReadyRead(100);
    const QByteArray line = process.readLine().trimmed();
    return line.startsWith("port ") ? quint16(line.mid(5).toUInt()) : 0;
}

void stop(const Process& process)
{
    process->kill();
    process->waitForFinished();
}

struct Asked {
    QList<double> us;
    qint64 sent = 0;
    qint64 received = 0;
    qsizetype longest = 0;
    double spanMs = 0;
};

Asked ask(const DiscoveryAsker::Options& options)
{
    DiscoveryAsker asker(options);
    QEventLoop loop;
    QObject::connect(&asker, &DiscoveryAsker::finished, &loop, &QEventLoop::quit);
    asker.start();
    loop.exec();
    return {asker.roundTrips(), asker.bytesSent(), asker.bytesReceived(), asker.longestReply(), asker.spanMs()};
}

int runEcho()
{
    QUdpSocket socket;
    if (!socket.bind(QHostAddress::LocalHost, 0))
        return 1;
    QObject::connect(&socket, &QUdpSocket::readyRead, &socket, [&socket] {
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram d = socket.receiveDatagram();
            socket.writeDatagram(d.data(), d.senderAddress(), quint16(d.senderPort()));
        }
    });
    std::printf("port %u\n", unsigned(socket.localPort()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}

struct RunFigures {
    Asked echo;
    Asked table;
    Asked rate;
};

class Driver {
public:
    explicit Driver(const bench::Args& args)
        : m_runs(qMax(1, args.number(QStringLiteral("runs"), 3))),
          m_queries(qMax(10, args.number(QStringLiteral("queries"), 1000))),
          m_bots(qBound(1, args.number(QStringLiteral("bots"), 6), 6)),
          m_benchNet(QCoreApplication::applicationDirPath() + QStringLiteral("/bench_net"))
    {
    }

    int run()
    {
        std::vector<RunFigures> runs;
        for (int r = 0; r < m_runs; ++r) {
            RunFigures f;
            if (!measureEcho(f) || !measureTable(f)) {
                std::fprintf(stderr, "bench_discovery: run %d failed\n", r + 1);
                return 1;
            }
            runs.push_back(f);
        }
        print(runs);
        return 0;
    }

private:
    // Nine in ten queries answered at least: UDP on loopback may drop a few
    // on a loaded machine, and more means something is wrong.
    bool enough(const QString& who, const Asked& asked) const
    {
        if (asked.us.size() * 10 >= m_queries * 9)
            return true;
        std::fprintf(stderr, "bench_discovery: the %s answered %lld of %d queries\n", qPrintable(who),
                     qint64(asked.us.size()), m_queries);
        return false;
    }

    DiscoveryAsker::Options queries(quint16 port) const
    {
        DiscoveryAsker::Options o;
        o.port = port;
        o.count = m_queries;
        return o;
    }

    bool measureEcho(RunFigures& f) const
    {
        const Process echo = spawn(QCoreApplication::applicationFilePath(), {QStringLiteral("udpecho")});
        const quint16 port = portOf(*echo);
        if (port != 0)
            f.echo = ask(queries(port));
        stop(echo);
        return enough(QStringLiteral("echo"), f.echo);
    }

    std::vector<Process> seatBots(quint16 port, int seconds) const
    {
        std::vector<Process> bots;
        for (int i = 1; i <= m_bots; ++i) {
            QStringList args{QStringLiteral("bot"),    QStringLiteral("--port"),       QString::number(port),
                             QStringLiteral("--name"), QStringLiteral("Bot%1").arg(i), QStringLiteral("--seed"),
                             QString::number(i),       QStringLiteral("--seconds"),    QString::number(seconds)};
            if (i == 1)
                args << QStringLiteral("--start") << QStringLiteral("--players") << QString::number(m_bots);
            bots.push_back(spawn(m_benchNet, args));
        }
        return bots;
    }

    bool measureTable(RunFigures& f) const
    {
        const Process host = spawn(m_benchNet, {QStringLiteral("host"), QStringLiteral("--discovery")});
        const quint16 port = portOf(*host);
        if (port == 0)
            return false;
        // The bots outlast the queries by far; they are stopped once those end.
        const int askMs = m_queries * queries(port).intervalMs + 1000 + RateMs + 1000;
        const std::vector<Process> bots = seatBots(port, 2 * (PlayFirstMs + askMs) / 1000 + 30);
        QThread::msleep(PlayFirstMs);
        f.table = ask(queries(port));
        DiscoveryAsker::Options rate = queries(port);
        rate.sources = 1;
        rate.intervalMs = RateIntervalMs;
        rate.count = RateMs / RateIntervalMs;
        f.rate = ask(rate);
        // Every bot still playing: the table was busy all along.
        bool played = true;
        for (const Process& bot : bots) {
            played = bot->state() == QProcess::Running && played;
            stop(bot);
        }
        stop(host);
        if (!played)
            std::fprintf(stderr, "bench_discovery: a bot left before the queries ended\n");
        return played && enough(QStringLiteral("table"), f.table);
    }

    void print(const std::vector<RunFigures>& runs) const
    {
        const auto med = [&runs](const std::function<double(const RunFigures&)>& of) {
            QList<double> v;
            for (const RunFigures& f : runs)
                v << of(f);
            return bench::median(v);
        };
        using F = const RunFigures&;
        const QString ref = QStringLiteral("bare UDP echo");
        bench::printRow({QStringLiteral("discovery answer, median"),
                         med([](F f) { return bench::median(f.table.us) / 1000.0; }),
                         QStringLiteral("ms"),
                         ref + QStringLiteral(", median"),
                         med([](F f) { return bench::median(f.echo.us) / 1000.0; }),
                         {},
                         QString()});
        bench::printRow({QStringLiteral("discovery answer, p99"),
                         med([](F f) { return bench::percentile(f.table.us, 99) / 1000.0; }),
                         QStringLiteral("ms"),
                         ref + QStringLiteral(", p99"),
                         med([](F f) { return bench::percentile(f.echo.us, 99) / 1000.0; }),
                         {},
                         QStringLiteral("<= 5 ms")});
        printNotes(runs, med);
    }

    template <class Median>
    void printNotes(const std::vector<RunFigures>& runs, const Median& med) const
    {
        using F = const RunFigures&;
        bench::printNote(QStringLiteral("%1 queries of %2 bytes per figure, one every 10 ms from 20 loopback "
                                        "addresses in turn, median of %3 runs; %4 bots picking flat out meanwhile")
                             .arg(m_queries)
                             .arg(DiscoveryDatagram::QueryBytes)
                             .arg(runs.size())
                             .arg(m_bots));
        const double answered = med([](F f) { return double(f.rate.us.size()); });
        const double perSecond = med([](F f) {
            return double(f.rate.us.size() - DiscoveryResponder::Burst) * 1000.0 / qMax(1.0, f.rate.spanMs);
        });
        bench::printNote(QStringLiteral("rate limit: one address asking %1 times a second for %2 s got %3 answers "
                                        "(%4 a second past a burst of %5; the limit is %6 a second)")
                             .arg(1000 / RateIntervalMs)
                             .arg(RateMs / 1000)
                             .arg(answered, 0, 'f', 0)
                             .arg(perSecond, 0, 'f', 1)
                             .arg(DiscoveryResponder::Burst)
                             .arg(DiscoveryResponder::AnswersPerSecond));
        bench::printNote(
            QStringLiteral("the table sent back %1 bytes for every 100 it received; longest answer %2 "
                           "bytes to queries of %3")
                .arg(med([](F f) { return 100.0 * double(f.table.received) / double(f.table.sent); }), 0, 'f', 1)
                .arg(med([](F f) { return double(f.table.longest); }), 0, 'f', 0)
                .arg(DiscoveryDatagram::QueryBytes));
    }

    int m_runs;
    int m_queries;
    int m_bots;
    QString m_benchNet;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList all = QCoreApplication::arguments();
    const QString part = all.value(1);
    if (part == QLatin1String("udpecho"))
        return runEcho();
    if (part == QLatin1String("rtt"))
        return Driver(bench::Args(all.mid(2))).run();
    std::fprintf(stderr, "usage: bench_discovery udpecho|rtt [--runs N] [--queries N] [--bots N]\n");
    return 64;
}
