#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>

// What the benchmark programs share: order statistics, CPU time of another
// process, the monotonic clock every process of a run agrees on, and the one
// line format every figure is printed in.
namespace bench {

// The p-th percentile (0..100) by nearest rank; 0 for an empty list.
double percentile(QList<double> values, double p);
double median(const QList<double>& values);

// CPU time (user + system) of each thread of a process so far, in nanoseconds,
// from the scheduler's own accounting; empty when the process is gone.
using CpuSample = QHash<QString, qint64>;
CpuSample sampleCpu(qint64 pid);
// CPU time used between two samples: what the threads alive at both used, plus
// all that threads started in between used. A thread that ended in between
// counts nothing (its time is no longer to be read), so this never goes below 0.
qint64 cpuBetween(const CpuSample& before, const CpuSample& after);
// Peak resident set of this process in KiB (VmHWM).
qint64 peakRssKib();

// CLOCK_MONOTONIC in nanoseconds: one clock for a launcher and its children.
qint64 monotonicNs();

// Runs the event loop for `ms`, or until `done` holds (checked whenever an event
// was handled; true when it held). Unlike QTest::qWait, which sleeps 10 ms
// between looks at the loop, nothing here waits longer than the next event,
// so a message a bench player reads is handled the moment it arrives.
void runFor(int ms);
bool waitFor(const std::function<bool()>& done, int ms);

// Whether something on this machine listens on a TCP port (IPv4 or IPv6).
bool portListening(quint16 port);

// One figure and its reference, printed as one aligned row:
//   figure  value unit   reference  value unit   ratio   target
struct Row {
    QString figure;
    double value = 0;
    QString unit;
    QString reference;
    double refValue = 0;
    // Empty: the ratio value / refValue is printed. Otherwise this text.
    QString ratioText;
    QString target;
};
void printRow(const Row& row);
void printNote(const QString& text);

// Reads "--name value" pairs after the subcommand; flags without a value are "1".
class Args {
public:
    explicit Args(const QStringList& args);
    QString text(const QString& name, const QString& fallback = {}) const;
    int number(const QString& name, int fallback) const;
    bool has(const QString& name) const;
    // Everything after "--".
    QStringList command() const { return m_command; }

private:
    QStringList m_args;
    QStringList m_command;
};

} // namespace bench
