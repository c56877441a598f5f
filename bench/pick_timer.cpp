#include "pick_timer.h"

#include "bench_support.h"
#include "net/protocol_words.h"

#include <QTimer>

namespace {

bool isCommand(const QByteArray& message, Command command)
{
    const QByteArrayView word = Commands::word(command);
    return message.startsWith(word) && message.size() > word.size() && message.at(word.size()) == '+';
}

} // namespace

PickTimer::PickTimer(const Options& options, QObject* parent) : QObject(parent), m_options(options)
{
    BotOptions bot;
    bot.port = options.port;
    bot.name = options.name;
    bot.startMode = options.starter ? 1 : 0;
    bot.players = options.players;
    bot.pace = {options.paceMin, options.paceMax};
    bot.seat = true; // game after game
    m_bot = std::make_unique<Bot>(bot);
    connect(m_bot.get(), &Bot::messageRead, this, &PickTimer::read);
    connect(m_bot.get(), &Bot::picked, this, [this] { m_sentNs = bench::monotonicNs(); });
    connect(m_bot.get(), &Bot::finished, this, [this] { finish(1); });
    connect(m_bot.get(), &Bot::gameOver, this, [this] {
        if (m_options.starter)
            m_bot->startGame(1);
    });
}

void PickTimer::start()
{
    m_startNs = bench::monotonicNs();
    if (m_options.seconds > 0)
        QTimer::singleShot(m_options.seconds * 1000, this, [this] { finish(0); });
    m_bot->start();
}

void PickTimer::read(const QByteArray& message)
{
    // Taken before the bot handles anything of this read.
    const qint64 readNs = bench::monotonicNs();
    const bool refused = isCommand(message, Command::error);
    const bool closes = refused || isCommand(message, Command::setnntile) || isCommand(message, Command::turnover);
    if (!closes || m_sentNs == 0 || m_done)
        return;
    if (readNs - m_startNs < qint64(m_options.skipMs) * 1000000) {
        m_sentNs = 0;
        return;
    }
    m_roundTrips << double(readNs - m_sentNs) / 1000.0;
    m_sentNs = 0;
    m_refused += refused;
    if (m_options.picks > 0 && m_roundTrips.size() >= m_options.picks)
        finish(0);
}

void PickTimer::finish(int code)
{
    if (m_done)
        return;
    m_done = true;
    m_bot->stop();
    emit finished(code);
}
