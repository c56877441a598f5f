#pragma once

#include "bench_support.h"

#include <QList>
#include <QProcess>
#include <memory>
#include <vector>

// Runs the network figures: each run measures the bare ping-pong reference,
// one bot picking alone, six bots picking at once, the same six beside a player
// flooding the table with chat, and six bots playing flat out, every part in
// processes of its own; then prints the medians over runs.
class NetDriver {
public:
    explicit NetDriver(const bench::Args& args);
    int run();

private:
    struct Latency {
        double median = 0;
        double p99 = 0;
        int count = 0;
    };
    struct RunFigures {
        Latency ping;
        double echoCpuUs = 0; // echo process CPU per message
        Latency alone;
        Latency six;
        double sixCpuUsPerPick = 0; // server CPU per pick at the six bots' pace
        Latency flooded;
        double floodPerSecond = 0; // the flooder's lines served
        double loadCpuPercent = 0;
        double loadPicksPerSecond = 0;
        double loadCpuUsPerPick = 0;
        Latency flatOut;
    };

    std::unique_ptr<QProcess> spawn(const QStringList& args) const;
    static quint16 portOf(QProcess& process);
    static QList<double> roundTripsOf(QProcess& process, int timeoutMs);
    static Latency latency(const QList<double>& us);

    bool measurePing(RunFigures& f) const;
    bool measureBots(int bots, int picksEach, const QString& pace, Latency& out, double* cpuUsPerPick = nullptr) const;
    bool measureFlooded(RunFigures& f) const;
    bool measureLoad(RunFigures& f) const;
    using Processes = std::vector<std::unique_ptr<QProcess>>;
    Processes spawnBots(quint16 port, int bots, const QStringList& extra) const;
    static QList<double> collect(Processes& players, int timeoutMs);
    QList<double> playBots(quint16 port, int bots, const QStringList& extra, int timeoutMs) const;
    void printFlooded(const std::vector<RunFigures>& runs) const;
    void print(const std::vector<RunFigures>& runs) const;

    int m_runs;
    int m_picks;
    int m_seconds;
    int m_bots;
    QString m_paceAlone;
    QString m_paceSix;
};
