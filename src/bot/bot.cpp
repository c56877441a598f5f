#include "bot.h"

#include "net/game_random.h"
#include "net/message.h"

#include <QtGlobal>

namespace {
constexpr int Seats = 6;
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

void Bot::bindHandlers()
{
    const auto bind = [this](const char* command, void (Bot::*handler)(FieldReader&)) {
        m_dispatcher.on(command, [this, handler](FieldReader& f) { (this->*handler)(f); });
    };
    bind("CMD_sendlogininfo", &Bot::sendlogininfo);
    bind("CMD_newplayerinfo", &Bot::playerjoined);
    bind("CMD_existingplayers", &Bot::playerjoined);
    bind("CMD_startgame", &Bot::startgame);
    bind("CMD_nextplayer", &Bot::nextplayer);
    bind("CMD_setnexttile", &Bot::setnexttile);
    bind("CMD_setnntile", &Bot::setnntile);
    bind("CMD_removetile", &Bot::removetile);
    bind("CMD_bombed", &Bot::bombed);
    bind("CMD_error", &Bot::error);
    bind("CMD_turnover", &Bot::turnover);
    bind("CMD_postscores", &Bot::postscores);
    bind("CMD_winner", &Bot::winner);
    m_dispatcher.on("CMD_playerdisconnected", [this](FieldReader& f) {
        if (const auto slot = f.nextInt())
            m_present.remove(*slot);
    });
    m_dispatcher.on("CMD_loadstats", [this](FieldReader& f) {
        // A game is already on: join it at the next round, never start another.
        m_started = true;
        if (const auto mode = f.nextInt())
            m_board.setMode(*mode);
    });
    m_dispatcher.on("CMD_settiles", [this](FieldReader& f) { m_board.settiles(f.rest()); });
    m_dispatcher.on("CMD_setbonus", [this](FieldReader& f) { m_board.setbonus(f.rest()); });
    m_dispatcher.on("CMD_full", [this](FieldReader&) { finish(2, QStringLiteral("Game is full")); });
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
    send(Message("CMD_startgame").field(m_options.name).field(mode).field(""));
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
        // Whatever the server said before it closed ("CMD_full+", the winner) counts.
        while (!m_done && m_dispatcher.dispatchOne()) {
        }
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
    emit finished(code, line);
}

void Bot::sendlogininfo(FieldReader& f)
{
    const auto slot = f.lastInt();
    if (!slot)
        return;
    m_slot = *slot;
    if (m_options.seat && m_slot > Seats) {
        finish(3, QStringLiteral("no free seat"));
        m_sock.Close();
        return;
    }
    send(Message("CMD_logininfo").field(m_slot).field(m_options.version).field(m_options.name));
}

void Bot::playerjoined(FieldReader& f)
{
    if (const auto slot = f.nextInt())
        m_present.insert(*slot);
    maybeStart();
}

void Bot::maybeStart()
{
    if (m_started || m_options.startMode == 0 || m_present.size() < m_options.players)
        return;
    startGame(m_options.startMode);
}

void Bot::startgame(FieldReader& f)
{
    m_started = true;
    f.next();
    if (const auto mode = f.nextInt())
        m_board.setMode(*mode);
    m_total = 0;
}

void Bot::nextplayer(FieldReader&)
{
    m_playing = true;
    m_refusals = 0;
}

void Bot::setnexttile(FieldReader& f)
{
    const auto tile = f.nextInt();
    const auto next = f.lastInt();
    if (!tile || !next)
        return;
    m_board.setCurrent(*tile, *next);
    m_refusals = 0;
}

void Bot::setnntile(FieldReader& f)
{
    // The last message of every answer to a pick and of a deal: the bot now
    // knows all it will know before its next pick.
    if (const auto preview = f.lastInt())
        m_board.setPreview(*preview);
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
    const auto cell = m_board.choose(m_options.strategy);
    if (!cell)
        return;
    m_board.refused(*cell); // until the server answers, the same cell is not picked twice
    send(Message("CMD_selecttile").field(m_slot).field(cell->x()).field(cell->y()));
    emit picked(*cell, m_offered.isValid() ? m_offered.elapsed() : 0);
}

void Bot::removetile(FieldReader& f)
{
    f.next();
    const auto x = f.nextInt();
    const auto y = f.nextInt();
    if (x && y)
        m_board.removed(*x, *y);
}

void Bot::bombed(FieldReader& f)
{
    for (int i = 0; i < 5; ++i)
        f.next();
    m_board.bombed(f.rest());
}

void Bot::error(FieldReader&)
{
    // Our copy of the board disagrees with the server's; try elsewhere a few times.
    if (++m_refusals <= 36) {
        m_offered.start();
        schedulePick();
    }
}

void Bot::turnover(FieldReader&)
{
    m_playing = false;
    m_pace.stop();
}

void Bot::postscores(FieldReader& f)
{
    for (;;) {
        const auto slot = f.nextInt();
        const auto total = f.nextInt();
        const auto result = f.last();
        if (!slot || !total)
            return;
        if (*slot == m_slot)
            m_total = *total;
        if (result.isEmpty())
            return;
    }
}

void Bot::winner(FieldReader& f)
{
    m_playing = false;
    m_pace.stop();
    const QByteArray name = f.rest();
    emit gameOver(m_total, name);
    if (!m_options.seat) {
        finish(0, QStringLiteral("%1 final score %2 winner %3")
                      .arg(QString::fromUtf8(m_options.name))
                      .arg(m_total)
                      .arg(QString::fromUtf8(name)));
        return;
    }
    m_started = false;
    if (m_options.phrases && GameRandom::random(PhraseOdds) == 0)
        send(Message("CMD_phrase").field(m_slot).field(" says: Good Game Everyone!|clBlack"));
}
