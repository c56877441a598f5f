#include "bench_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace bench {

double percentile(QList<double> values, double p)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    // Nearest rank: the smallest value with at least p % of the list at or below it.
    const auto rank = qsizetype(std::ceil(p / 100.0 * double(values.size())));
    return values[std::clamp<qsizetype>(rank - 1, 0, values.size() - 1)];
}

double median(const QList<double>& values)
{
    return percentile(values, 50);
}

CpuSample sampleCpu(qint64 pid)
{
    const QString taskDir = QStringLiteral("/proc/%1/task").arg(pid);
    CpuSample sample;
    for (const QString& task : QDir(taskDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(taskDir + QLatin1Char('/') + task + QStringLiteral("/schedstat"));
        if (stat.open(QIODevice::ReadOnly))
            sample.insert(task, stat.readAll().split(' ').value(0).trimmed().toLongLong());
    }
    return sample;
}

qint64 cpuBetween(const CpuSample& before, const CpuSample& after)
{
    qint64 total = 0;
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        total += it.value() - before.value(it.key(), 0);
    return total;
}

qint64 peakRssKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

bool portListening(quint16 port)
{
    const QByteArray hexPort = QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(QString::fromLatin1(table));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> cols = line.simplified().split(' ');
            // cols: sl local_address rem_address st ...; 0A is LISTEN.
            if (cols.size() > 3 && cols[1].endsWith(':' + hexPort) && cols[3] == "0A")
                return true;
        }
    }
    return false;
}

namespace {
QString number(double v)
{
    if (v == 0)
        return QStringLiteral("0");
    const double a = std::fabs(v);
    const int decimals = a >= 100 ? 0 : a >= 10 ? 1 : a >= 1 ? 2 : a >= 0.1 ? 3 : 4;
    return QString::number(v, 'f', decimals);
}
} // namespace

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitFor(const std::function<bool()>& done, int ms)
{
    QDeadlineTimer deadline(ms, Qt::PreciseTimer);
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        // Objects let go with deleteLater() go here, as in a running loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

void printRow(const Row& row)
{
    const QString value = number(row.value) + QLatin1Char(' ') + row.unit;
    const QString ref = number(row.refValue) + QLatin1Char(' ') + row.unit;
    QString ratio = row.ratioText;
    if (ratio.isEmpty())
        ratio = row.refValue > 0 ? number(row.value / row.refValue) + QLatin1Char('x') : QStringLiteral("-");
    const QString line = QStringLiteral("%1 %2 | %3 %4 | %5 | %6")
                             .arg(row.figure, -34)
                             .arg(value, 14)
                             .arg(row.reference, -30)
                             .arg(ref, 14)
                             .arg(ratio, 8)
                             .arg(row.target);
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void printNote(const QString& text)
{
    std::printf("  # %s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

Args::Args(const QStringList& args)
{
    const qsizetype dashes = args.indexOf(QStringLiteral("--"));
    m_args = dashes < 0 ? args : args.mid(0, dashes);
    if (dashes >= 0)
        m_command = args.mid(dashes + 1);
}

QString Args::text(const QString& name, const QString& fallback) const
{
    const qsizetype at = m_args.indexOf(QStringLiteral("--") + name);
    if (at < 0)
        return fallback;
    const QString next = m_args.value(at + 1);
    return next.isEmpty() || next.startsWith(QStringLiteral("--")) ? QStringLiteral("1") : next;
}

int Args::number(const QString& name, int fallback) const
{
    bool ok = false;
    const int v = text(name).toInt(&ok);
    return ok ? v : fallback;
}

bool Args::has(const QString& name) const
{
    return m_args.contains(QStringLiteral("--") + name);
}

} // namespace bench
