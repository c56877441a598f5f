// A generic Qt plugin loaded into a program under test through
// QT_QPA_GENERIC_PLUGINS=benchprobe. It watches every event the application
// sends and writes to the file named by BENCH_PROBE_OUT:
//   app NS      CLOCK_MONOTONIC when the application loaded this plugin
//   paint NS    when the first paint was done: the first widget's paint
//               event handled, the window drawn and handed to the screen, and
//               control back in the event loop
//   libs N      shared libraries mapped then
//   cpu NS      CPU time the process had used by then (all threads), which
//               unlike the clock does not grow when other programs load the machine
//   begin NS    when the first paint event arrived, before anything was drawn
//   cpubegin NS CPU time by then
// A program may do its costly first-time work (fonts, say) before its paint
// or inside it, so only the end of the paint compares programs fairly.
//   ready NS    when the program reached the state asked for (see below)
//   rss KIB     peak resident set BENCH_PROBE_SETTLE_MS (default 500) later
// then ends the program. With BENCH_PROBE_END_AT_PAINT set it reports and ends
// the program (without its clean-up) as soon as the first paint is done, so
// that a profiler sees the start and nothing after it.
// "Ready" is the first paint when BENCH_PROBE_READY is
// unset, else the first paint of the object named by its "NAME=TEXT" after its
// "text" property became TEXT (e.g. a player label showing the logged-in name).
#include "bench_support.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGenericPlugin>
#include <QSet>
#include <QTimer>
#include <cstdlib>
#include <ctime>

namespace {

class Probe : public QObject {
public:
    Probe() : m_appNs(bench::monotonicNs())
    {
        const QByteArray ready = qgetenv("BENCH_PROBE_READY");
        const qsizetype eq = ready.indexOf('=');
        if (eq > 0) {
            m_readyName = QString::fromUtf8(ready.left(eq));
            m_readyText = QString::fromUtf8(ready.mid(eq + 1));
        }
        bool ok = false;
        const int settle = qEnvironmentVariableIntValue("BENCH_PROBE_SETTLE_MS", &ok);
        m_settleMs = ok ? settle : 500;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done && watched->isWidgetType())
            painted(watched);
        return false;
    }

private:
    void painted(QObject* widget)
    {
        const qint64 now = bench::monotonicNs();
        if (m_beginNs == 0) {
            m_beginNs = now;
            m_beginCpuNs = cpuNs();
            // Runs once the paint under way, and the flush after it, are done.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_paintNs = bench::monotonicNs();
                    m_paintCpuNs = cpuNs();
                    m_libs = mappedLibraries();
                    if (qEnvironmentVariableIsSet("BENCH_PROBE_END_AT_PAINT")) {
                        report();
                        std::_Exit(0);
                    }
                },
                Qt::QueuedConnection);
        }
        const bool ready = m_readyName.isEmpty()
            || (widget->objectName() == m_readyName && widget->property("text").toString() == m_readyText);
        if (!ready)
            return;
        m_done = true;
        m_readyNs = now;
        QTimer::singleShot(m_settleMs, this, [this] { report(); });
    }

    void report()
    {
        QFile out(QString::fromLocal8Bit(qgetenv("BENCH_PROBE_OUT")));
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            out.write("app " + QByteArray::number(m_appNs) + "\npaint " + QByteArray::number(m_paintNs) + "\nlibs "
                      + QByteArray::number(m_libs) + "\ncpu " + QByteArray::number(m_paintCpuNs) + "\nbegin "
                      + QByteArray::number(m_beginNs) + "\ncpubegin " + QByteArray::number(m_beginCpuNs) + "\nready "
                      + QByteArray::number(m_readyNs) + "\nrss " + QByteArray::number(bench::peakRssKib()) + '\n');
        }
        out.close();
        QCoreApplication::quit();
    }

    static qint64 cpuNs()
    {
        timespec cpu{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        return qint64(cpu.tv_sec) * 1000000000LL + cpu.tv_nsec;
    }

    // Distinct shared objects in the process's memory map.
    static int mappedLibraries()
    {
        QFile maps(QStringLiteral("/proc/self/maps"));
        if (!maps.open(QIODevice::ReadOnly))
            return 0;
        QSet<QByteArray> files;
        for (const QByteArray& line : maps.readAll().split('\n')) {
            const qsizetype slash = line.indexOf('/');
            if (slash > 0 && line.indexOf(".so", slash) > 0)
                files.insert(line.mid(slash));
        }
        return int(files.size());
    }

    QString m_readyName;
    QString m_readyText;
    int m_settleMs = 500;
    qint64 m_appNs = 0;
    qint64 m_beginNs = 0;
    qint64 m_beginCpuNs = 0;
    qint64 m_paintNs = 0;
    qint64 m_paintCpuNs = 0;
    int m_libs = 0;
    qint64 m_readyNs = 0;
    bool m_done = false;
};

} // namespace

class BenchProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "bench_probe.json")
public:
    QObject* create(const QString& key, const QString&) override
    {
        if (key.compare(QLatin1String("benchprobe"), Qt::CaseInsensitive) != 0)
            return nullptr;
        // The application owns the plugin's object list and deletes it at the end.
        auto* probe = new Probe;
        QCoreApplication::instance()->installEventFilter(probe);
        return probe;
    }
};

#include "bench_probe.moc"
