#pragma once

#include "flooder.h"
#include "garbage_client.h"
#include "seat_proxy.h"
#include "watcher.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

struct SoakOptions {
    qint64 seconds = 600;
    QString bot; // the gloopbot program
    QString self; // this program, started again to host
    int mode = 1; // game mode the bots start
    int botDelayMs = 40; // gloopbot --delay
    bool winnersPath = true;
};

// Hosts a game server in a process of its own and keeps it busy: six gloopbot
// players (each behind a SeatProxy that checks its seat), two watchers, a
// flooder and a garbage client, full games back to back until the time is up. Prints its
// figures and exits non-zero on any crash or inconsistency.
class SoakDriver : public QObject {
    Q_OBJECT
public:
    explicit SoakDriver(SoakOptions options, QObject* parent = nullptr);
    ~SoakDriver() override;

    // Starts the server; the run ends with finished(exit code).
    void start();

signals:
    void finished(int exitCode);

private:
    struct Rss {
        qint64 now = 0;
        qint64 peak = 0;
    };

    void serverStarted();
    void startGame();
    void botFinished(int index, int exitCode, QProcess::ExitStatus status);
    void gameOver();
    void rotate();
    void stop();
    QProcess* launchBot(int index);
    Rss serverRss() const;
    void failure(const QString& what);
    int report();

    SoakOptions m_options;
    QProcess m_server;
    quint16 m_port = 0;
    std::vector<std::unique_ptr<SeatProxy>> m_seats;
    std::vector<std::unique_ptr<QProcess>> m_bots;
    std::vector<std::unique_ptr<Watcher>> m_watchers;
    std::unique_ptr<GarbageClient> m_garbage;
    std::unique_ptr<Flooder> m_flooder;
    QTimer m_rotation;
    QTimer m_watchdog;
    QElapsedTimer m_clock;
    QElapsedTimer m_gameClock;
    int m_running = 0;
    qint64 m_games = 0;
    Rss m_rssStart;
    bool m_stopping = false;
    QStringList m_failures;
};
