#include "bot.h"

#include "bot_log.h"

#include "net/game_random.h"
#include "net/protocol.h"

#include <QtGlobal>

namespace {
// One game in this many ends with the bot's "good game".
constexpr int PhraseOdds = 3;
} // namespace

BotOptions BotOptions::forSeat(BotLevel level, const QByteArray& name, double speed)
{
    BotOptions options;
    options.name = name;
    options.strategy = BotLevels::strategy(level);
    const BotPace natural = BotLevels::pace(level);
    options.pace = {int(natural.minMs * speed), int(natural.maxMs * speed)};
    options.slipPercent = BotLevels::slipPercent(level);
    options.seat = true;
    options.phrases = true;
    return options;
}

Bot::Bot(BotOptions options, QObject* parent) : QObject(parent), m_options(std::move(options))
{
    m_pace.setSingleShot(true);
    // A coarse timer may fire 5 % early, which would take a hard bot under a
    // person's quickest click.
    m_pace.setTimerType(Qt::PreciseTimer);
    connect(&m_pace, &QTimer::timeout, this, &Bot::pick);
    connect(&m_sock, &TSock::OnRead, this, &Bot::sockRead);
    connect(&m_sock, &TSock::OnInfo, this, &Bot::sockInfo);
    connect(&m_sock, &TSock::OnDisconnect, this, [this] { m_sock.Close(); });
    bindHandlers();
}

template <class Msg>
void Bot::bind(void (Bot::*handler)(const Msg&))
{
    Protocol::on<Msg>(m_dispatcher, [this, handler](const Msg& m) { (this->*handler)(m); });
}

void Bot::bindHandlers()
{
    bind(&Bot::sendlogininfo);
    Protocol::on<ToClient::NewPlayerInfo>(m_dispatcher, [this](const auto& m) { playerjoined(m.slot); });
    Protocol::on<ToClient::ExistingPlayers>(m_dispatcher, [this](const auto& m) { playerjoined(m.slot); });
    bind(&Bot::startgame);
    bind(&Bot::nextplayer);
    bind(&Bot::setnexttile);
    bind(&Bot::setnntile);
    bind(&Bot::removetile);
    bind(&Bot::bombed);
    bind(&Bot::error);
    bind(&Bot::turnover);
    bind(&Bot::postscores);
    bind(&Bot::winner);
    Protocol::on<ToClient::PlayerDisconnected>(
        m_dispatcher, [this](const ToClient::PlayerDisconnected& m) { m_present.remove(m.slot); });
    Protocol::on<ToClient::LoadStats>(m_dispatcher, [this](const ToClient::LoadStats& m) {
        // A game is already on: join it at the next round, never start another.
        m_started = true;
        m_board.setMode(m.mode);
    });
    Protocol::on<ToClient::SetTiles>(m_dispatcher, [this](const ToClient::SetTiles& m) { m_board.settiles(m.cells); });
    Protocol::on<ToClient::SetBonus>(m_dispatcher, [this](const ToClient::SetBonus& m) { m_board.setbonus(m.cells); });
    Protocol::on<ToClient::Full>(m_dispatcher,
                                 [this](const ToClient::Full&) { finish(2, QStringLiteral("Game is full")); });
}

void Bot::start()
{
    m_sock.setHostName(m_options.host);
    m_sock.setPortName(QString::number(m_options.port));
    try {
        m_sock.Open();
    } catch (const ESockException& e) {
        finish(1, e.text());
    }
}

void Bot::stop()
{
    m_done = true;
    m_pace.stop();
    m_sock.Close();
}

void Bot::startGame(int mode)
{
    m_started = true;
    send(ToServer::StartGame{m_options.name, mode}.bytes());
}

void Bot::sockRead(TSock* sender)
{
    const QList<QByteArray> messages = m_pending.feed(sender->Receive());
    for (const QByteArray& message : messages)
        emit messageRead(message);
    m_dispatcher.enqueue(messages);
}

void Bot::sockInfo(TSock*, TSocketInfo info, const QString& msg)
{
    if (m_done)
        return;
    if (info == TSocketInfo::Error && !m_sock.Connected()) {
        finish(1, msg);
    } else if (info == TSocketInfo::Close) {
        // Whatever the server said before it closed (a full table, the winner) counts.
        while (!m_done && m_dispatcher.dispatchOne()) { }
        if (!m_done)
            finish(1, QStringLiteral("connection lost"));
    }
}

void Bot::send(const QByteArray& message)
{
    if (m_sock.Connected())
        m_sock.Send(message);
}

void Bot::finish(int code, const QString& line)
{
    if (m_done)
        return;
    m_done = true;
    m_pace.stop();
    qCDebug(lcBot) << m_options.name << "leaves the table:" << code << line;
    emit finished(code, line);
}

void Bot::sendlogininfo(const ToClient::SendLoginInfo& m)
{
    m_slot = m.slot;
    if (m_options.seat && m_slot > Table::Seats) {
        finish(3, QStringLiteral("no free seat"));
        m_sock.Close();
        return;
    }
    qCDebug(lcBot) << m_options.name << "logs in at slot" << m_slot;
    send(ToServer::LoginInfo{m_slot, m_options.version, m_options.name}.bytes());
}

void Bot::playerjoined(int slot)
{
    m_present.insert(slot);
    maybeStart();
}

void Bot::maybeStart()
{
    if (m_started || !GameModes::isMode(m_options.startMode) || m_present.size() < m_options.players)
        return;
    startGame(m_options.startMode);
}

void Bot::startgame(const ToClient::StartGame& m)
{
    qCDebug(lcBot) << m_options.name << "plays a game of mode" << m.mode << "over" << m.rounds << "missions";
    m_started = true;
    m_board.setMode(m.mode);
    m_total = 0;
}

void Bot::nextplayer(const ToClient::NextPlayer&)
{
    m_playing = true;
    m_refusals = 0;
}

void Bot::setnexttile(const ToClient::SetNextTile& m)
{
    m_board.setCurrent(m.current, m.next);
    m_refusals = 0;
}

void Bot::setnntile(const ToClient::SetNnTile& m)
{
    // The last message of every answer to a pick and of a deal: the bot now
    // knows all it will know before its next pick.
    m_board.setPreview(m.tile);
    m_offered.start();
    schedulePick();
}

void Bot::schedulePick()
{
    if (!m_playing || m_pace.isActive() || m_done)
        return;
    const int spread = m_options.pace.maxMs - m_options.pace.minMs;
    m_pace.start(qMax(0, m_options.pace.minMs + (spread > 0 ? GameRandom::random(spread + 1) : 0)));
}

void Bot::pick()
{
    if (!m_playing || m_done)
        return;
    const bool slip = m_options.slipPercent > 0 && GameRandom::random(100) < m_options.slipPercent;
    const auto cell = m_board.choose(slip ? BotBoard::Strategy::Random : m_options.strategy);
    if (!cell)
        return;
    m_board.refused(*cell); // until the server answers, the same cell is not picked twice
    send(ToServer::SelectTile{m_slot, cell->x(), cell->y()}.bytes());
    emit picked(*cell, m_offered.isValid() ? m_offered.elapsed() : 0);
}

void Bot::removetile(const ToClient::RemoveTile& m)
{
    m_board.removed(m.x, m.y);
}

void Bot::bombed(const ToClient::Bombed& m)
{
    m_board.bombed(m.cells);
}

void Bot::error(const ToClient::Error&)
{
    // Our copy of the board disagrees with the server's; try elsewhere a few times.
    if (++m_refusals <= 36) {
        m_offered.start();
        schedulePick();
    }
}

void Bot::turnover(const ToClient::TurnOver&)
{
    m_playing = false;
    m_pace.stop();
}

void Bot::postscores(const ToClient::PostScores& m)
{
    for (const ToClient::ScoreRow& row : m.rows)
        if (row.slot == m_slot)
            m_total = row.total;
}

void Bot::winner(const ToClient::Winner& m)
{
    m_playing = false;
    m_pace.stop();
    const QByteArray& name = m.text;
    qCDebug(lcBot) << m_options.name << "ends a game with" << m_total << "won by" << name;
    emit gameOver(m_total, name);
    if (!m_options.seat) {
        finish(0,
               QStringLiteral("%1 final score %2 winner %3")
                   .arg(QString::fromUtf8(m_options.name))
                   .arg(m_total)
                   .arg(QString::fromUtf8(name)));
        return;
    }
    m_started = false;
    if (m_options.phrases && GameRandom::random(PhraseOdds) == 0)
        send(ToServer::Phrase{m_slot, " says: Good Game Everyone!|clBlack"}.bytes());
}
