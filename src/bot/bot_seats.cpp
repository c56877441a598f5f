#include "bot_seats.h"

#include "bot.h"

#include <QPointer>
#include <algorithm>

BotSeats::BotSeats(QObject* parent) : QObject(parent)
{
}

BotSeats::~BotSeats()
{
    removeAll();
}

void BotSeats::setServer(const QString& host, quint16 port)
{
    m_host = host;
    m_port = port;
}

bool BotSeats::add(BotLevel level, const QList<QByteArray>& seated)
{
    if (count() >= MaxBots)
        return false;
    BotOptions options = BotOptions::forSeat(level, freeName(level, seated), m_speed);
    options.host = m_host;
    options.port = m_port;
    auto bot = std::make_unique<Bot>(options);
    Bot* raw = bot.get();
    // Queued: the bot is still inside its own socket handler when it finishes;
    // by then it may have been removed already, which the guard tells.
    connect(
        raw, &Bot::finished, this, [this, guard = QPointer<Bot>(raw)] { left(guard.data()); }, Qt::QueuedConnection);
    m_bots.push_back(std::move(bot));
    raw->start();
    emit changed(count());
    return true;
}

void BotSeats::removeLast()
{
    if (m_bots.empty())
        return;
    std::unique_ptr<Bot> bot = std::move(m_bots.back());
    m_bots.pop_back();
    bot->stop();
    emit changed(count());
}

void BotSeats::removeAll()
{
    const bool any = !m_bots.empty();
    while (!m_bots.empty()) {
        m_bots.back()->stop();
        m_bots.pop_back();
    }
    if (any)
        emit changed(0);
}

QList<const Bot*> BotSeats::bots() const
{
    QList<const Bot*> out;
    for (const auto& bot : m_bots)
        out.append(bot.get());
    return out;
}

QByteArray BotSeats::freeName(BotLevel level, QList<QByteArray> seated) const
{
    // A bot still on its way in is not at the table yet, but its name is taken.
    for (const auto& bot : m_bots)
        seated.append(bot->options().name);
    return BotLevels::freeSeatName(level, seated);
}

void BotSeats::left(Bot* bot)
{
    if (!bot)
        return;
    const auto it = std::find_if(m_bots.begin(), m_bots.end(), [bot](const auto& b) { return b.get() == bot; });
    if (it == m_bots.end())
        return;
    it->release()->deleteLater();
    m_bots.erase(it);
    emit changed(count());
}
