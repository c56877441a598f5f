#include "pick_bot.h"

#include "bench_support.h"

#include "net/message.h"

PickBot::PickBot(const Options& options, QObject* parent)
    : QObject(parent), m_options(options), m_rng(options.seed)
{
    m_pace.setSingleShot(true);
    m_pace.setTimerType(Qt::PreciseTimer);
    connect(&m_pace, &QTimer::timeout, this, &PickBot::pick);
    connect(&m_sock, &TSock::OnRead, this, &PickBot::sockRead);
    connect(&m_sock, &TSock::OnInfo, this, [this](TSock*, TSocketInfo info, const QString&) {
        if (info == TSocketInfo::Close || (info == TSocketInfo::Error && !m_sock.Connected()))
            finish(1);
    });
    m_handlers = {
        {"CMD_sendlogininfo", &PickBot::sendlogininfo}, {"CMD_newplayerinfo", &PickBot::playerjoined},
        {"CMD_existingplayers", &PickBot::playerjoined}, {"CMD_startgame", &PickBot::startgame},
        {"CMD_nextplayer", &PickBot::nextplayer},       {"CMD_settiles", &PickBot::settiles},
        {"CMD_setbonus", &PickBot::setbonus},           {"CMD_setnexttile", &PickBot::setnexttile},
        {"CMD_setnntile", &PickBot::setnntile},         {"CMD_removetile", &PickBot::removetile},
        {"CMD_bombed", &PickBot::bombed},               {"CMD_error", &PickBot::error},
        {"CMD_turnover", &PickBot::turnover},           {"CMD_winner", &PickBot::winner},
    };
}

void PickBot::start()
{
    if (m_options.seconds > 0)
        QTimer::singleShot(m_options.seconds * 1000, this, [this] { finish(0); });
    m_sock.setHostName(QStringLiteral("127.0.0.1"));
    m_sock.setPortName(QString::number(m_options.port));
    try {
        m_sock.Open();
    } catch (const ESockException&) {
        finish(1);
    }
}

void PickBot::sockRead(TSock* sender)
{
    // The arrival time of everything in this read, taken before any handling.
    m_readNs = bench::monotonicNs();
    for (const QByteArray& message : m_pending.feed(sender->Receive()))
        handle(message);
}

void PickBot::handle(const QByteArray& message)
{
    const CommandLine line = CommandLine::parse(message);
    const auto handler = m_handlers.constFind(line.command);
    if (handler == m_handlers.constEnd() || m_done)
        return;
    FieldReader fields(line.payload);
    (this->*(*handler))(fields);
}

void PickBot::closePick(bool refused)
{
    if (m_sentNs == 0)
        return;
    m_roundTrips << double(m_readNs - m_sentNs) / 1000.0;
    m_sentNs = 0;
    if (refused)
        ++m_refused;
    if (m_options.picks > 0 && m_roundTrips.size() >= m_options.picks)
        finish(0);
}

void PickBot::schedulePick()
{
    if (!m_playing || m_done || m_sentNs != 0 || m_pace.isActive())
        return;
    const int spread = m_options.paceMax - m_options.paceMin;
    m_pace.start(m_options.paceMin + (spread > 0 ? int(m_rng.bounded(spread + 1)) : 0));
}

void PickBot::pick()
{
    if (!m_playing || m_done || m_sentNs != 0)
        return;
    const auto cell = m_board.choose(BotBoard::Strategy::Greedy);
    if (!cell)
        return;
    m_board.refused(*cell); // not the same cell again before the server answers
    const QByteArray message = Message("CMD_selecttile").field(m_slot).field(cell->x()).field(cell->y());
    m_sentNs = bench::monotonicNs();
    send(message);
}

void PickBot::send(const QByteArray& message)
{
    if (m_sock.Connected())
        m_sock.Send(message);
}

void PickBot::maybeStart()
{
    if (!m_options.starter || m_started || m_present.size() < m_options.players)
        return;
    m_started = true;
    send(Message("CMD_startgame").field(m_options.name).field(1).field(""));
}

void PickBot::finish(int code)
{
    if (m_done)
        return;
    m_done = true;
    m_pace.stop();
    emit finished(code);
}

void PickBot::sendlogininfo(FieldReader& f)
{
    if (const auto slot = f.lastInt()) {
        m_slot = *slot;
        send(Message("CMD_logininfo").field(m_slot).field("1.0.12").field(m_options.name));
    }
}

void PickBot::playerjoined(FieldReader& f)
{
    if (const auto slot = f.nextInt())
        m_present.insert(*slot);
    maybeStart();
}

void PickBot::startgame(FieldReader&)
{
    m_started = true;
    m_board.setMode(1);
}

void PickBot::nextplayer(FieldReader&)
{
    m_playing = true;
}

void PickBot::settiles(FieldReader& f)
{
    m_board.settiles(f.rest());
}

void PickBot::setbonus(FieldReader& f)
{
    m_board.setbonus(f.rest());
}

void PickBot::setnexttile(FieldReader& f)
{
    const auto tile = f.nextInt();
    const auto next = f.lastInt();
    if (tile && next)
        m_board.setCurrent(*tile, *next);
}

void PickBot::setnntile(FieldReader&)
{
    // The last message of every answer to a pick, and of a new deal.
    closePick(false);
    schedulePick();
}

void PickBot::removetile(FieldReader& f)
{
    f.next();
    const auto x = f.nextInt();
    const auto y = f.nextInt();
    if (x && y)
        m_board.removed(*x, *y);
}

void PickBot::bombed(FieldReader& f)
{
    for (int i = 0; i < 5; ++i)
        f.next();
    m_board.bombed(f.rest());
}

void PickBot::error(FieldReader&)
{
    closePick(true);
    schedulePick();
}

void PickBot::turnover(FieldReader&)
{
    closePick(false);
    m_playing = false;
    m_pace.stop();
}

void PickBot::winner(FieldReader&)
{
    m_playing = false;
    m_pace.stop();
    m_started = false;
    maybeStart();
}
