#include "bot.h"

#include "net/message.h"

#include <QTimer>
#include <cstdio>

Bot::Bot(BotOptions options, QObject* parent) : QObject(parent), m_options(std::move(options))
{
    connect(&m_sock, &TSock::OnRead, this, &Bot::sockRead);
    connect(&m_sock, &TSock::OnInfo, this, &Bot::sockInfo);
    connect(&m_sock, &TSock::OnDisconnect, this, [this] { m_sock.Close(); });

    const auto bind = [this](const char* command, void (Bot::*handler)(FieldReader&)) {
        m_dispatcher.on(command, [this, handler](FieldReader& f) { (this->*handler)(f); });
    };
    bind("CMD_sendlogininfo", &Bot::sendlogininfo);
    bind("CMD_newplayerinfo", &Bot::playerjoined);
    bind("CMD_existingplayers", &Bot::playerjoined);
    bind("CMD_startgame", &Bot::startgame);
    bind("CMD_nextplayer", &Bot::nextplayer);
    bind("CMD_setnexttile", &Bot::setnexttile);
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
    m_dispatcher.on("CMD_wrongversion", [](FieldReader&) {
        std::fprintf(stderr, "gloopbot: the server runs another version\n");
    });
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

void Bot::sockRead(TSock* sender)
{
    m_dispatcher.enqueue(m_pending.feed(sender->Receive()));
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
    std::FILE* out = code == 0 ? stdout : stderr;
    std::fprintf(out, "%s\n", line.toLocal8Bit().constData());
    std::fflush(out);
    emit finished(code);
}

void Bot::sendlogininfo(FieldReader& f)
{
    const auto slot = f.lastInt();
    if (!slot)
        return;
    m_slot = *slot;
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
    m_started = true;
    send(Message("CMD_startgame").field(m_options.name).field(m_options.startMode).field(""));
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
    if (!tile)
        return;
    m_board.setCurrent(*tile);
    m_refusals = 0;
    schedulePick();
}

void Bot::schedulePick()
{
    if (!m_playing || m_pickPending || m_done)
        return;
    m_pickPending = true;
    QTimer::singleShot(m_options.delayMs, this, &Bot::pick);
}

void Bot::pick()
{
    m_pickPending = false;
    if (!m_playing || m_done)
        return;
    const auto cell = m_board.choose(m_options.strategy);
    if (!cell)
        return;
    m_board.refused(*cell); // until the server answers, the same cell is not picked twice
    send(Message("CMD_selecttile").field(m_slot).field(cell->x()).field(cell->y()));
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
    if (++m_refusals <= 36)
        schedulePick();
}

void Bot::turnover(FieldReader&)
{
    m_playing = false;
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
    finish(0, QStringLiteral("%1 final score %2 winner %3")
                  .arg(QString::fromUtf8(m_options.name))
                  .arg(m_total)
                  .arg(QString::fromUtf8(f.rest())));
}
