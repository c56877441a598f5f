#include "soak_driver.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>

namespace {
constexpr int Seats = 6;
constexpr qint64 RssGrowthLimit = 5 * 1024 * 1024;
// A standard game with the path shown lasts about two minutes; ten is a hang.
constexpr int GameLimitMs = 10 * 60 * 1000;
} // namespace

SoakDriver::SoakDriver(SoakOptions options, QObject* parent) : QObject(parent), m_options(std::move(options))
{
    connect(&m_rotation, &QTimer::timeout, this, &SoakDriver::rotate);
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, [this] {
        failure(QStringLiteral("a game did not end within ten minutes"));
        stop();
    });
}

SoakDriver::~SoakDriver()
{
    for (auto& bot : m_bots)
        if (bot)
            bot->disconnect(this);
    m_server.disconnect(this);
}

void SoakDriver::failure(const QString& what)
{
    if (m_failures.size() < 100)
        m_failures.append(what);
}

void SoakDriver::start()
{
    m_clock.start();
    QStringList args{QStringLiteral("--serve")};
    if (!m_options.winnersPath)
        args << QStringLiteral("--no-path");
    connect(&m_server, &QProcess::readyReadStandardOutput, this, &SoakDriver::serverStarted);
    connect(&m_server, &QProcess::finished, this, [this] {
        if (!m_stopping) {
            failure(QStringLiteral("the server process ended: %1")
                        .arg(QString::fromLocal8Bit(m_server.readAllStandardError())));
            stop();
        }
    });
    m_server.start(m_options.self, args);
}

void SoakDriver::serverStarted()
{
    if (m_port != 0 || !m_server.canReadLine())
        return;
    const QByteArray line = m_server.readLine().trimmed();
    m_port = quint16(line.mid(5).toUInt());
    if (!line.startsWith("port ") || m_port == 0) {
        failure(QStringLiteral("the server did not say its port"));
        return stop();
    }
    for (int i = 0; i < Seats; ++i)
        m_seats.push_back(std::make_unique<SeatProxy>(m_port));
    for (int i = 0; i < 2; ++i)
        m_watchers.push_back(std::make_unique<Watcher>(m_port, "Watcher" + QByteArray::number(i + 1)));
    m_garbage = std::make_unique<GarbageClient>(m_port, 20240611);
    m_flooder = std::make_unique<Flooder>(m_port);
    m_bots.resize(Seats);
    startGame();
}

QProcess* SoakDriver::launchBot(int index)
{
    auto bot = std::make_unique<QProcess>();
    const QStringList args{QStringLiteral("127.0.0.1:%1").arg(m_seats[size_t(index)]->port()),
                           QStringLiteral("Bot%1").arg(index + 1),
                           QStringLiteral("--delay"),
                           QString::number(m_options.botDelayMs),
                           QStringLiteral("--seed"),
                           QString::number(m_games * Seats + index)};
    connect(bot.get(), &QProcess::finished, this,
            [this, index](int code, QProcess::ExitStatus status) { botFinished(index, code, status); });
    bot->start(m_options.bot, args);
    m_bots[size_t(index)] = std::move(bot);
    return m_bots[size_t(index)].get();
}

void SoakDriver::startGame()
{
    m_gameClock.start();
    m_watchdog.start(GameLimitMs);
    m_running = Seats;
    for (int i = 0; i < Seats; ++i)
        launchBot(i);
    // Once the six seats are taken, the watchers and the flooder come (the
    // spectators' slots are all that is left); once the first watcher has seen
    // every seat named, a seat starts the game (spectators may not).
    QTimer* wait = new QTimer(this);
    connect(wait, &QTimer::timeout, this, [this, wait] {
        for (const auto& seat : m_seats)
            if (!seat->seated())
                return;
        m_watchers[0]->join();
        m_flooder->join();
        if (!m_garbage->present())
            m_watchers[1]->join();
        if (!m_watchers[0]->present() || m_watchers[0]->seatsNamed() < Seats)
            return;
        wait->deleteLater();
        m_seats[0]->startGame(m_options.mode);
        m_rotation.start(3000);
    });
    wait->start(10);
}

void SoakDriver::botFinished(int index, int exitCode, QProcess::ExitStatus status)
{
    if (m_stopping)
        return;
    QProcess& bot = *m_bots[size_t(index)];
    const QString out = QString::fromLocal8Bit(bot.readAllStandardOutput()).trimmed();
    if (status != QProcess::NormalExit || exitCode != 0) {
        failure(QStringLiteral("Bot%1 ended with %2: %3")
                    .arg(index + 1)
                    .arg(exitCode)
                    .arg(QString::fromLocal8Bit(bot.readAllStandardError()).trimmed()));
    } else {
        // "BotN final score X winner Y": the score the bot read is the seat's last posted total.
        const QStringList words = out.split(QLatin1Char(' '));
        const int score = words.value(3).toInt();
        if (score != m_seats[size_t(index)]->check().total())
            failure(QStringLiteral("Bot%1 reports %2, its seat was last posted %3")
                        .arg(index + 1)
                        .arg(score)
                        .arg(m_seats[size_t(index)]->check().total()));
    }
    if (--m_running == 0)
        gameOver();
}

void SoakDriver::gameOver()
{
    m_watchdog.stop();
    ++m_games;
    std::printf("game %lld over after %.1f s\n", m_games, m_gameClock.elapsed() / 1000.0);
    std::fflush(stdout);
    // The first game has warmed the server up: its peak from now on is the baseline.
    if (m_games == 1)
        m_rssStart = serverRss();
    if (m_clock.elapsed() >= m_options.seconds * 1000 || !m_failures.isEmpty())
        return stop();
    // No newcomer may take a seat while the bots change hands.
    m_rotation.stop();
    QTimer::singleShot(200, this, &SoakDriver::startGame);
}

void SoakDriver::rotate()
{
    // Nine slots, ten clients: the last watcher and the garbage client take turns.
    Watcher& last = *m_watchers.back();
    if (m_garbage->present()) {
        m_garbage->leave();
        last.join();
    } else {
        last.leave();
        m_garbage->join();
    }
}

SoakDriver::Rss SoakDriver::serverRss() const
{
    Rss rss;
    QFile status(QStringLiteral("/proc/%1/status").arg(m_server.processId()));
    if (!status.open(QIODevice::ReadOnly))
        return rss;
    for (const QByteArray& line : status.readAll().split('\n')) {
        const qint64 kb = line.simplified().split(' ').value(1).toLongLong();
        if (line.startsWith("VmRSS:"))
            rss.now = kb * 1024;
        else if (line.startsWith("VmHWM:"))
            rss.peak = kb * 1024;
    }
    return rss;
}

void SoakDriver::stop()
{
    if (m_stopping)
        return;
    m_stopping = true;
    m_rotation.stop();
    m_watchdog.stop();
    for (auto& bot : m_bots)
        if (bot && bot->state() != QProcess::NotRunning)
            bot->kill();
    const int code = report();
    m_server.disconnect(this);
    m_server.kill();
    m_server.waitForFinished(5000);
    emit finished(code);
}

int SoakDriver::report()
{
    const Rss end = serverRss();
    qint64 accepted = 0, refused = 0, errors = 0;
    QStringList mismatches;
    for (const auto& seat : m_seats) {
        accepted += seat->check().accepted();
        refused += seat->check().refused();
        errors += seat->check().protocolErrors();
        mismatches += seat->check().mismatches();
    }
    for (const auto& w : m_watchers) {
        errors += w->check().protocolErrors();
        mismatches += w->check().mismatches() + w->mismatches();
    }
    const qint64 growth = m_rssStart.peak > 0 ? end.peak - m_rssStart.peak : 0;
    std::printf("minutes run:            %.1f\n", m_clock.elapsed() / 60000.0);
    std::printf("games completed:        %lld\n", m_games);
    std::printf("picks accepted:         %lld\n", accepted);
    std::printf("picks refused:          %lld\n", refused);
    std::printf("protocol errors seen:   %lld\n", errors);
    std::printf("garbage sent:           %lld bytes, %lld connections turned away\n",
                m_garbage ? m_garbage->bytesSent() : 0, m_garbage ? m_garbage->refusals() : 0);
    std::printf("flood handled:          %lld messages, flooder cut off %lld times\n",
                m_flooder ? m_flooder->handled() : 0, m_flooder ? m_flooder->cuts() : 0);
    std::printf("server peak RSS:        %.1f MB after the first game, %.1f MB at the end (%+.2f MB)\n",
                m_rssStart.peak / 1048576.0, end.peak / 1048576.0, growth / 1048576.0);
    if (errors > 0)
        failure(QStringLiteral("%1 protocol errors").arg(errors));
    if (growth >= RssGrowthLimit)
        failure(QStringLiteral("the server's peak RSS grew by %1 bytes").arg(growth));
    if (m_games == 0)
        failure(QStringLiteral("no game was completed"));
    for (const QString& line : mismatches + m_failures)
        std::printf("FAILURE: %s\n", qPrintable(line));
    std::fflush(stdout);
    return mismatches.isEmpty() && m_failures.isEmpty() ? 0 : 1;
}
