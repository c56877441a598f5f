// Pick round trips and server load over loopback, against a bare socket
// ping-pong. One program plays every part, each in its own process:
//   bench_net host [--discovery]   the game server (pauses skipped), prints "port N";
//                                  with discovery answers on the same port
//   bench_net bot --port N ...     one timing player, prints its round trips
//   bench_net echo                 the reference's echo side, prints "port N"
//   bench_net ping --port N ...    the reference's pinging side
//   bench_net flood --port N       a player flooding the table with chat
//   bench_net rtt ...              runs all of the above and prints the figures
#include "bench_support.h"
#include "chat_flooder.h"
#include "echo_peer.h"
#include "net_driver.h"
#include "pick_host.h"
#include "pick_timer.h"

#include "net/game_random.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

namespace {

void printRoundTrips(const QList<double>& us, int refused)
{
    QByteArray line = "rtt";
    for (double v : us)
        line += ' ' + QByteArray::number(v, 'f', 1);
    std::printf("%s\nrefused %d\n", line.constData(), refused);
    std::fflush(stdout);
}

void printPort(quint16 port)
{
    std::printf("port %u\n", unsigned(port));
    std::fflush(stdout);
}

// "a-b" or "a" as a pair of milliseconds.
std::pair<int, int> pace(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('-'));
    const int low = parts.value(0).toInt();
    return {low, parts.size() > 1 ? parts[1].toInt() : low};
}

int runHost(const bench::Args& args)
{
    PickHost host(quint16(args.number(QStringLiteral("port"), 0)));
    const quint16 port = host.listen();
    if (port == 0 || (args.has(QStringLiteral("discovery")) && !host.answerDiscovery()))
        return 1;
    printPort(port);
    return QCoreApplication::exec();
}

int runBot(const bench::Args& args)
{
    PickTimer::Options o;
    o.port = quint16(args.number(QStringLiteral("port"), 7772));
    o.name = args.text(QStringLiteral("name"), QStringLiteral("Bot")).toUtf8();
    o.starter = args.has(QStringLiteral("start"));
    o.players = args.number(QStringLiteral("players"), 1);
    o.picks = args.number(QStringLiteral("picks"), 0);
    o.seconds = args.number(QStringLiteral("seconds"), 0);
    o.skipMs = args.number(QStringLiteral("skip-ms"), 0);
    std::tie(o.paceMin, o.paceMax) = pace(args.text(QStringLiteral("pace"), QStringLiteral("0")));
    GameRandom::seed(unsigned(args.number(QStringLiteral("seed"), 1)));
    PickTimer bot(o);
    QObject::connect(
        &bot, &PickTimer::finished, &bot,
        [&bot](int code) {
            printRoundTrips(bot.roundTrips(), bot.refused());
            QCoreApplication::exit(code);
        },
        Qt::QueuedConnection);
    bot.start();
    return QCoreApplication::exec();
}

int runEcho()
{
    EchoServer echo;
    const quint16 port = echo.listen();
    if (port == 0)
        return 1;
    printPort(port);
    return QCoreApplication::exec();
}

int runPing(const bench::Args& args)
{
    const auto [low, high] = pace(args.text(QStringLiteral("pace"), QStringLiteral("0")));
    PingClient client(quint16(args.number(QStringLiteral("port"), 0)), args.number(QStringLiteral("count"), 1000), low,
                      high);
    QObject::connect(
        &client, &PingClient::finished, &client,
        [&client](int code) {
            printRoundTrips(client.roundTrips(), 0);
            QCoreApplication::exit(code);
        },
        Qt::QueuedConnection);
    client.start();
    return QCoreApplication::exec();
}

int runFlood(const bench::Args& args)
{
    ChatFlooder flooder(quint16(args.number(QStringLiteral("port"), 0)), args.number(QStringLiteral("window"), 64));
    QObject::connect(&flooder, &ChatFlooder::failed, &flooder, [] { QCoreApplication::exit(1); });
    // Runs until killed; the last line tells how much of the flood was served.
    QTimer report;
    QObject::connect(&report, &QTimer::timeout, &flooder, [&flooder] {
        std::printf("relayed %lld\n", qint64(flooder.relayed()));
        std::fflush(stdout);
    });
    report.start(250);
    flooder.start();
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    // The table runs the event loop gloopdash-server runs; the echo reference
    // and the bots keep Qt's default loop, as in every earlier run.
    if (argc > 1 && qstrcmp(argv[1], "host") == 0)
        qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    const QStringList all = QCoreApplication::arguments();
    const QString part = all.value(1);
    const bench::Args args(all.mid(2));
    if (part == QLatin1String("host"))
        return runHost(args);
    if (part == QLatin1String("bot"))
        return runBot(args);
    if (part == QLatin1String("echo"))
        return runEcho();
    if (part == QLatin1String("ping"))
        return runPing(args);
    if (part == QLatin1String("flood"))
        return runFlood(args);
    if (part == QLatin1String("rtt"))
        return NetDriver(args).run();
    std::fprintf(stderr, "usage: bench_net host|bot|echo|ping|flood|rtt [--options]\n");
    return 64;
}
