// The internet table list under load: list latency with many registered
// tables against the same request on an empty list, and refreshes a second
// one coordinator sustains, beside two coordinators on one Redis.
//   bench_coordinator --coordinator PATH [--tables N] [--gets N] [--seconds S] [--workers N]
// Everything runs on loopback: a Redis without persistence, the coordinators,
// a stand-in table that passes their reachability checks, and the senders.
#include "bench_support.h"
#include "list_load.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <memory>
#include <thread>
#include <vector>

namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

struct Child {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    ~Child()
    {
        process->terminate();
        if (!process->waitForFinished(3000))
            process->kill();
    }
};

bool redisAnswers(quint16 port)
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port);
    if (!s.waitForConnected(200))
        return false;
    s.write("PING\r\n");
    return s.waitForReadyRead(500) && s.readAll().startsWith("+PONG");
}

std::unique_ptr<Child> startRedis(quint16 port)
{
    auto redis = std::make_unique<Child>();
    redis->process->setStandardOutputFile(QProcess::nullDevice());
    redis->process->start(QStringLiteral("redis-server"),
                          {QStringLiteral("--port"), QString::number(port), QStringLiteral("--bind"),
                           QStringLiteral("127.0.0.1"), QStringLiteral("--save"), QString(),
                           QStringLiteral("--appendonly"), QStringLiteral("no")});
    for (int i = 0; i < 50 && !redisAnswers(port); ++i)
        QThread::msleep(100);
    if (!redisAnswers(port))
        throw std::runtime_error("redis-server did not start");
    return redis;
}

// A coordinator; its port is read from the first line of its log, which goes
// to a file (a pipe nobody reads would fill and stop it).
std::unique_ptr<Child> startCoordinator(const QString& path, quint16 redisPort, quint16& port)
{
    static QTemporaryDir logs;
    static int made = 0;
    const QString log = logs.filePath(QStringLiteral("coordinator-%1.log").arg(++made));
    auto c = std::make_unique<Child>();
    c->process->setStandardOutputFile(log);
    c->process->start(path,
                      {QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--redis"),
                       QStringLiteral("127.0.0.1:%1").arg(redisPort)});
    for (int i = 0; i < 100 && port == 0; ++i) {
        QThread::msleep(100);
        QFile file(log);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = file.readLine();
        if (line.contains(" port ") && line.endsWith('\n'))
            port = quint16(line.mid(line.indexOf(" port ") + 6).split(',').first().toUInt());
    }
    if (port == 0)
        throw std::runtime_error("the coordinator did not start");
    return c;
}

QByteArray registration(int n, quint16 tablePort)
{
    QJsonObject json{{QStringLiteral("port"), tablePort},
                     {QStringLiteral("name"), QStringLiteral("Table %1").arg(n)},
                     {QStringLiteral("secret"), QStringLiteral("bench-secret-%1").arg(n, 8, 10, QLatin1Char('0'))},
                     {QStringLiteral("players"), n % 7},
                     {QStringLiteral("watchers"), n % 4},
                     {QStringLiteral("seats"), 6},
                     {QStringLiteral("bots"), 0},
                     {QStringLiteral("state"), n % 2 ? QStringLiteral("playing") : QStringLiteral("waiting")},
                     {QStringLiteral("mode"), n % 2 ? QStringLiteral("standard") : QString()},
                     {QStringLiteral("mission"), n % 2},
                     {QStringLiteral("missions"), n % 2 ? 3 : 0},
                     {QStringLiteral("version"), QStringLiteral("1.0.12")}};
    return QJsonDocument(json).toJson(QJsonDocument::Compact);
}

// Runs `work(i)` on `workers` threads for i = 0, 1, 2, ... until `count` (or
// `seconds` have passed); returns how many answered 200.
int spread(int workers, int count, double seconds, const std::function<int(int)>& work)
{
    std::atomic<int> next{0};
    std::atomic<int> ok{0};
    QElapsedTimer clock;
    clock.start();
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w)
        threads.emplace_back([&] {
            for (int i; (i = next++) < count && (seconds <= 0 || clock.elapsed() < seconds * 1000);)
                ok += work(i) == 200 ? 1 : 0;
        });
    for (std::thread& t : threads)
        t.join();
    return ok;
}

QList<double> listTimes(quint16 port, int gets)
{
    QList<double> ms;
    for (int i = 0; i < gets; ++i) {
        QElapsedTimer t;
        t.start();
        if (listload::request(QStringLiteral("127.0.0.1"), port, "GET", "/v1/tables?limit=200") != 200)
            throw std::runtime_error("a list request failed");
        ms.append(double(t.nsecsElapsed()) / 1e6);
    }
    return ms;
}

double refreshRate(const std::vector<quint16>& ports, int tables, int workers, double seconds, quint16 tablePort)
{
    QElapsedTimer clock;
    clock.start();
    const int ok = spread(workers, 1 << 30, seconds, [&](int i) {
        const int n = i % tables;
        return listload::request(listload::tableAddress(n), ports[size_t(i) % ports.size()], "POST", "/v1/tables",
                                 registration(n, tablePort));
    });
    return ok / (double(clock.elapsed()) / 1000);
}

void run(const bench::Args& args)
{
    const QString path = args.text(QStringLiteral("coordinator"));
    const int tables = qBound(1, args.number(QStringLiteral("tables"), 10000), 60000);
    const int gets = qMax(10, args.number(QStringLiteral("gets"), 500));
    const double seconds = qMax(1, args.number(QStringLiteral("seconds"), 5));
    const int workers = qMax(1, args.number(QStringLiteral("workers"), 8));
    const quint16 redisPort = freePort();
    const auto redis = startRedis(redisPort);
    quint16 a = 0;
    quint16 b = 0;
    const auto first = startCoordinator(path, redisPort, a);
    const listload::Greeter table;

    const QList<double> empty = listTimes(a, gets);
    const int listed = spread(workers, tables, 0, [&](int n) {
        return listload::request(listload::tableAddress(n), a, "POST", "/v1/tables", registration(n, table.port()));
    });
    if (listed != tables)
        bench::printNote(QStringLiteral("coordinator: only %1 of %2 tables registered").arg(listed).arg(tables));
    const QList<double> full = listTimes(a, gets);
    const double one = refreshRate({a}, tables, workers, seconds, table.port());
    const auto second = startCoordinator(path, redisPort, b);
    const double two = refreshRate({a, b}, tables, workers, seconds, table.port());

    const QString figure = QStringLiteral("coordinator list, %1 tables, p%2").arg(tables);
    bench::printRow({figure.arg(50),
                     bench::median(full),
                     QStringLiteral("ms"),
                     QStringLiteral("same GET, empty list, p50"),
                     bench::median(empty),
                     {},
                     QString()});
    bench::printRow({figure.arg(99),
                     bench::percentile(full, 99),
                     QStringLiteral("ms"),
                     QStringLiteral("same GET, empty list, p99"),
                     bench::percentile(empty, 99),
                     {},
                     QStringLiteral("<= 20 ms")});
    bench::printRow({QStringLiteral("coordinator refreshes"),
                     one,
                     QStringLiteral("/s"),
                     QStringLiteral("two coordinators, one Redis"),
                     two,
                     {},
                     QStringLiteral(">= 2000/s")});
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bench::Args args(QCoreApplication::arguments().mid(1));
    try {
        run(args);
    } catch (const std::exception& e) {
        bench::printNote(QStringLiteral("coordinator: %1").arg(QString::fromUtf8(e.what())));
        return 1;
    }
    return 0;
}
