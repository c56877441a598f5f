// Figures of whole programs, each started fresh in a folder of its own:
//   bench_proc idle     CPU used over a quiet stretch by a hosting copy of the
//                       game and by a minimal Qt Widgets program with a 1 s timer
//   bench_proc startup  time from starting the process to its first paint, and
//                       peak resident memory once ready (the game: logged in)
// Options: --app PATH (the game; leave out for the reference alone),
// --minimal PATH, --runs N, and for idle --seconds S --warmup S.
// The game always hosts on port 7772, so copies run one after the other.
#include "bench_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <functional>
#include <optional>

namespace {

constexpr quint16 GamePort = 7772;

// A fresh home, temporary and runtime folder for one copy of a program, so no
// copy sees another's settings, tally, lock or socket.
class Sandbox {
public:
    Sandbox()
    {
        for (const char* sub : {"home", "tmp", "run"})
            QDir(m_dir.path()).mkdir(QString::fromLatin1(sub));
        QFile::setPermissions(path("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString path(const char* sub) const { return m_dir.path() + QLatin1Char('/') + QString::fromLatin1(sub); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("GLOOPDASH_HOME"), path("home"));
        env.insert(QStringLiteral("TMPDIR"), path("tmp"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path("run"));
        // Nothing the game might fetch may leave this machine.
        env.insert(QStringLiteral("GLOOPDASH_WEB_HOST"), QStringLiteral("127.0.0.1:9"));
        return env;
    }

private:
    QTemporaryDir m_dir;
};

bool waitFor(const std::function<bool()>& condition, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}

// Another copy of the game (a test, a player) may hold the port for a while;
// wait for it up to BENCH_PORT_WAIT seconds (default 300).
bool gamePortFree()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("BENCH_PORT_WAIT", &ok);
    return waitFor([] { return !bench::portListening(GamePort); }, (ok ? seconds : 300) * 1000);
}

// The programs' own output (offscreen warnings and the like) would only bury
// the figures.
void quiet(QProcess& process)
{
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
}

void stop(QProcess& process)
{
    process.kill();
    process.waitForFinished();
}

// Percent of one core the program used over `seconds` after `warmup` seconds.
std::optional<double> idleCpu(const QString& program, const QStringList& args, bool hosts, double warmup,
                              double seconds)
{
    if (hosts && !gamePortFree())
        return std::nullopt;
    Sandbox box;
    QProcess process;
    process.setProcessEnvironment(box.environment());
    quiet(process);
    process.start(program, args);
    if (!process.waitForStarted())
        return std::nullopt;
    const bool up = !hosts || waitFor([] { return bench::portListening(GamePort); }, 20000);
    QThread::msleep(ulong(warmup * 1000));
    const bench::CpuSample cpu0 = bench::sampleCpu(process.processId());
    QElapsedTimer wall;
    wall.start();
    QThread::msleep(ulong(seconds * 1000));
    const bench::CpuSample cpu1 = bench::sampleCpu(process.processId());
    const double elapsed = double(wall.nsecsElapsed());
    const bool alive = process.state() == QProcess::Running;
    stop(process);
    if (!up || !alive || cpu0.isEmpty() || cpu1.isEmpty())
        return std::nullopt;
    return double(bench::cpuBetween(cpu0, cpu1)) / elapsed * 100.0;
}

struct Startup {
    double appMs = 0;
    double firstPaintMs = 0;
    double paintCpuMs = 0;
    double readyMs = 0;
    double rssMib = 0;
    double libs = 0;
    // When the first paint event arrived, before anything was drawn.
    double paintBeginMs = 0;
    double paintBeginCpuMs = 0;
};

std::optional<Startup> startup(const QString& program, const QString& plugins, const QString& ready, bool hosts)
{
    if (hosts && !gamePortFree())
        return std::nullopt;
    Sandbox box;
    QProcessEnvironment env = box.environment();
    const QString out = box.path("tmp") + QStringLiteral("/probe.txt");
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), plugins);
    env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("benchprobe"));
    env.insert(QStringLiteral("BENCH_PROBE_OUT"), out);
    if (!ready.isEmpty())
        env.insert(QStringLiteral("BENCH_PROBE_READY"), ready);
    QProcess process;
    process.setProcessEnvironment(env);
    quiet(process);
    const qint64 t0 = bench::monotonicNs();
    process.start(program, QStringList());
    const bool ended = process.waitForFinished(30000);
    if (!ended)
        stop(process);
    QFile file(out);
    if (!ended || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QHash<QByteArray, qint64> v;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (const qsizetype sp = line.indexOf(' '); sp > 0)
            v.insert(line.left(sp), line.mid(sp + 1).toLongLong());
    if (v.value("paint") <= t0 || v.value("rss") <= 0)
        return std::nullopt;
    return Startup{double(v.value("app") - t0) / 1e6,   double(v.value("paint") - t0) / 1e6,
                   double(v.value("cpu")) / 1e6,        double(v.value("ready") - t0) / 1e6,
                   double(v.value("rss")) / 1024.0,     double(v.value("libs")),
                   double(v.value("begin") - t0) / 1e6, double(v.value("cpubegin")) / 1e6};
}

QString programPath(const bench::Args& args, const QString& name, const QString& fallback)
{
    return args.text(name, fallback.isEmpty() ? QString() : QCoreApplication::applicationDirPath() + fallback);
}

int fail(const char* what)
{
    std::fprintf(stderr, "bench_proc: %s\n", what);
    return 1;
}

} // namespace

namespace {

int runIdle(const bench::Args& args)
{
    const QString app = args.text(QStringLiteral("app"));
    const QString minimal = programPath(args, QStringLiteral("minimal"), QStringLiteral("/bench_minimal"));
    const int runs = qMax(1, args.number(QStringLiteral("runs"), 3));
    const double seconds = args.text(QStringLiteral("seconds"), QStringLiteral("30")).toDouble();
    const double warmup = args.text(QStringLiteral("warmup"), QStringLiteral("3")).toDouble();
    QList<double> ours;
    QList<double> reference;
    for (int r = 0; r < runs; ++r) {
        const auto ref = idleCpu(minimal, {QStringLiteral("--timer")}, false, warmup, seconds);
        if (!ref)
            return fail("the minimal program did not run");
        reference << *ref;
        if (app.isEmpty())
            continue;
        const auto game = idleCpu(app, {}, true, warmup, seconds);
        if (!game)
            return fail("the game did not host on port 7772 (is another copy holding it?)");
        ours << *game;
    }
    if (app.isEmpty()) {
        bench::printNote(QStringLiteral("minimal program, 1 s timer: %1 % core (no game given)")
                             .arg(bench::median(reference), 0, 'f', 4));
        return 0;
    }
    bench::printRow({QStringLiteral("idle CPU, hosting copy"),
                     bench::median(ours),
                     QStringLiteral("% core"),
                     QStringLiteral("minimal program, 1 s timer"),
                     bench::median(reference),
                     {},
                     QStringLiteral("<= 0.1 % core")});
    bench::printNote(
        QStringLiteral("%1 s after %2 s of warm-up, offscreen, median of %3 runs").arg(seconds).arg(warmup).arg(runs));
    return 0;
}

int runStartup(const bench::Args& args)
{
    const QString app = args.text(QStringLiteral("app"));
    const QString minimal = programPath(args, QStringLiteral("minimal"), QStringLiteral("/bench_minimal"));
    const QString plugins = programPath(args, QStringLiteral("plugins"), QStringLiteral("/plugins"));
    const int runs = qMax(1, args.number(QStringLiteral("runs"), 5));
    QList<double> paint, refPaint, rss, refRss, login, appUp, refAppUp, cpu, refCpu, libs, refLibs;
    QList<double> begin, refBegin, beginCpu, refBeginCpu;
    for (int r = 0; r < runs; ++r) {
        const auto ref = startup(minimal, plugins, {}, false);
        if (!ref)
            return fail("the minimal window was never painted");
        refPaint << ref->firstPaintMs;
        refRss << ref->rssMib;
        refAppUp << ref->appMs;
        refCpu << ref->paintCpuMs;
        refLibs << ref->libs;
        refBegin << ref->paintBeginMs;
        refBeginCpu << ref->paintBeginCpuMs;
        if (app.isEmpty())
            continue;
        const auto game = startup(app, plugins, QStringLiteral("label_playername1=You"), true);
        if (!game)
            return fail("the game never showed its window and logged in");
        paint << game->firstPaintMs;
        login << game->readyMs;
        appUp << game->appMs;
        cpu << game->paintCpuMs;
        rss << game->rssMib;
        libs << game->libs;
        begin << game->paintBeginMs;
        beginCpu << game->paintBeginCpuMs;
    }
    if (app.isEmpty()) {
        bench::printNote(QStringLiteral("minimal window: first paint after %1 ms (%3 ms of CPU), peak RSS %2 MiB "
                                        "(no game given)")
                             .arg(bench::median(refPaint), 0, 'f', 1)
                             .arg(bench::median(refRss), 0, 'f', 1)
                             .arg(bench::median(refCpu), 0, 'f', 1));
        return 0;
    }
    bench::printRow({QStringLiteral("start-up to first paint"),
                     bench::median(paint),
                     QStringLiteral("ms"),
                     QStringLiteral("minimal window"),
                     bench::median(refPaint),
                     {},
                     QStringLiteral("<= 2x")});
    bench::printRow({QStringLiteral("peak RSS after login"),
                     bench::median(rss),
                     QStringLiteral("MiB"),
                     QStringLiteral("minimal window, painted"),
                     bench::median(refRss),
                     {},
                     QStringLiteral("<= 1.6x")});
    bench::printRow({QStringLiteral("CPU time to first paint"),
                     bench::median(cpu),
                     QStringLiteral("ms"),
                     QStringLiteral("minimal window"),
                     bench::median(refCpu),
                     {},
                     QStringLiteral("<= 2x")});
    bench::printRow({QStringLiteral("shared libraries at first paint"),
                     bench::median(libs),
                     QStringLiteral("files"),
                     QStringLiteral("minimal window"),
                     bench::median(refLibs),
                     {},
                     QString()});
    bench::printNote(QStringLiteral("from process start, offscreen, median of %1 runs; the application object "
                                    "stood after %2 ms (minimal: %3 ms); the game logged in as \"You\" after %4 ms")
                         .arg(runs)
                         .arg(bench::median(appUp), 0, 'f', 1)
                         .arg(bench::median(refAppUp), 0, 'f', 1)
                         .arg(bench::median(login), 0, 'f', 0));
    bench::printNote(QStringLiteral("first paint is counted to the end of the first paint, the window drawn; the "
                                    "first paint event arrived after %1 ms and %2 ms of CPU (minimal: %3 and %4 ms), "
                                    "before anything was drawn")
                         .arg(bench::median(begin), 0, 'f', 1)
                         .arg(bench::median(beginCpu), 0, 'f', 1)
                         .arg(bench::median(refBegin), 0, 'f', 1)
                         .arg(bench::median(refBeginCpu), 0, 'f', 1));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList all = QCoreApplication::arguments();
    const bench::Args args(all.mid(2));
    if (all.value(1) == QLatin1String("idle"))
        return runIdle(args);
    if (all.value(1) == QLatin1String("startup"))
        return runStartup(args);
    std::fprintf(stderr, "usage: bench_proc idle|startup [--app PATH] [--runs N] ...\n");
    return 64;
}
