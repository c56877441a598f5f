#include "game_table.h"

#include "host_options.h"
#include "outbox.h"
#include "server_observer.h"

#include "net/protocol.h"

#include <algorithm>
#include <span>
#include <utility>

namespace {
constexpr int RoundSeconds = 92;
constexpr int PauseWithPath = 40;
constexpr int PauseWithoutPath = 10;
} // namespace

GameTable::GameTable(GameState& game, Outbox& out, const HostOptions& host)
    : m_game(game), m_out(out), m_host(host), m_standard(game, out, [this](int slot) { endround(slot); }),
      m_classic(game, out, [this](int slot) { endround(slot); })
{
    QObject::connect(&m_timer1, &GameClock::OnTimer, [this] { Timer1Timer(); });
}

TileRules& GameTable::rules()
{
    if (m_game.gamemode == GameMode::Classic)
        return m_classic;
    return m_standard;
}

void GameTable::startgame(int slot, const ToServer::StartGame& m)
{
    startgame(m_game.players[slot].name, GameModes::fromCode(m.mode));
}

bool GameTable::maystart(int slot, bool holdsHost) const
{
    return Table::isSeat(slot) && m_game.players.loggedin(slot) && (!m_game.gamerunning || holdsHost);
}

namespace {
QString nameKey(const QByteArray& name)
{
    return QString::fromUtf8(name).toCaseFolded();
}
} // namespace

void GameTable::join(int slot)
{
    tplayer& p = m_game.players[slot];
    p.loggedin = true;
    if (!Table::isSeat(slot))
        return;
    // Whatever the slot's last player left here is not the newcomer's.
    p.total = p.banked = p.trailscore = p.chain = p.lastpoints = 0;
    p.lastx = p.lasty = -1;
    p.watching = false;
    p.board = Grid{};
    p.bonus = Grid{};
    // An empty board takes no picks and holds no round open until the next deal.
    p.roundover = true;
    const auto departed = m_departed.constFind(nameKey(p.name));
    if (m_game.gamerunning && departed != m_departed.constEnd()) {
        p.total = *departed;
        m_departed.erase(departed);
    }
}

void GameTable::leave(int slot)
{
    tplayer& p = m_game.players[slot];
    if (!p.loggedin || !Table::isSeat(slot)) {
        p.loggedin = false;
        return;
    }
    // The unfinished round's points go with the connection; the total waits.
    if (m_game.gamerunning)
        keepDeparted(p.name, p.total);
    p.loggedin = false;
    // A connection may close in the middle of a send of the round's own flow
    // (a move's answer, the time-out's scores); ending the round from there
    // would end it twice. Look again once that flow has run to its end.
    if (!p.roundover && !p.watching)
        QMetaObject::invokeMethod(
            &m_timer1, [this] { endIfNobodyPlays(); }, Qt::QueuedConnection);
}

void GameTable::keepDeparted(const QByteArray& name, int total)
{
    const QString key = nameKey(name);
    if (!m_departed.contains(key) && m_departed.size() >= DepartedKept) {
        const auto least = std::min_element(m_departed.cbegin(), m_departed.cend());
        if (*least > total)
            return;
        m_departed.erase(least);
    }
    m_departed.insert(key, total);
}

void GameTable::endIfNobodyPlays()
{
    const Outbox::Batch batch(m_out);
    if (m_game.gamerunning && m_timer1.Tag == RoundPhase::InPlay && checkall())
        finishround();
}

void GameTable::reset()
{
    m_timer1.setEnabled(false);
    m_timer1.Tag = RoundPhase::BeforeFirstGame;
    m_departed.clear();
    m_game.gamerunning = false;
    m_game.gamemode = GameMode::None;
    m_game.rounds = 3;
    m_game.round = 0;
    m_game.countdown = 0;
    m_game.tilesequence.fill(Tile::Empty);
    m_game.dealtTiles.clear();
    m_game.dealtBonus.clear();
    PlayerTable& players = m_game.players;
    // Slots above both the seats and the highest slot handed out were never touched.
    const int used = std::max(players.slotcount, int(Table::Seats));
    int highest = 0;
    // Copied over each record: cheaper than making a new one each time.
    static const tplayer blank;
    for (int slot = 1; slot <= used; ++slot) {
        tplayer& p = players[slot];
        if (!p.connected) {
            p = blank;
            continue;
        }
        highest = slot;
        QByteArray name = std::move(p.name);
        const bool loggedin = p.loggedin;
        p = blank;
        p.name = std::move(name);
        p.connected = true;
        if (loggedin)
            join(slot);
    }
    players.slotcount = highest;
}

void GameTable::startgame(const QByteArray& name, GameMode mode)
{
    if (mode == GameMode::None)
        return;
    m_game.gamemode = mode;
    m_game.rounds = GameModes::missions(mode);
    m_game.round = 0;
    m_out.sendall(ToClient::StartGame{name, GameModes::code(mode), m_game.rounds}.bytes());
    for (int seat = 1; seat <= Table::Seats; ++seat) {
        tplayer& p = m_game.players[seat];
        p.total = 0;
        p.banked = 0;
        p.watching = false;
        p.bombx = 100;
        p.bomby = 100;
    }
    m_game.gamerunning = true;
    m_departed.clear();
    if (m_observer)
        m_observer->gameStarted(name, mode);
    findplayer();
}

void GameTable::findplayer()
{
    m_cleared.fill(false);
    for (int seat = 1; seat <= Table::Seats; ++seat) {
        tplayer& p = m_game.players[seat];
        p.chain = 0;
        p.trailscore = 0;
        p.lastx = -1;
        p.lasty = -1;
        p.roundover = false;
        p.banked = 0;
        p.lastpoints = 0;
        // Entries past the last round's moves are still as a fresh log has them.
        // The tile codes stay: a replay shows whatever an unused entry last held.
        const int used = std::clamp(p.movecount, 0, Table::MoveLogSize);
        for (tmove& move : std::span(p.moves).first(size_t(used))) {
            move.x = move.y = move.chain = move.points = move.score = -1;
            move.kind = tmove::Picked;
        }
        p.movecount = 0;
    }
    ++m_game.round;
    if (m_game.round > m_game.rounds && checkforwin())
        return;
    // Messages for seats nobody holds are not even built.
    for (int seat = 1; seat <= Table::Seats; ++seat)
        if (m_game.players.connected(seat))
            m_out.sendto(seat, ToClient::NextPlayer{m_game.round, seat}.bytes());
    for (int seat = 1; seat <= Table::Seats; ++seat)
        for (auto& column : m_game.players[seat].bonus)
            column.fill(Bonus::None);
    rules().settiles();
    for (int seat = 1; seat <= Table::Seats; ++seat)
        rules().setnexttile(seat);
    m_timer1.Tag = RoundPhase::InPlay;
    m_game.countdown = RoundSeconds;
    m_timer1.setEnabled(true);
}

bool GameTable::checkall() const
{
    for (int seat = 1; seat <= Table::Seats; ++seat) {
        const tplayer& p = m_game.players[seat];
        // A seat that watches makes no moves, so it never holds a round open.
        if (m_game.players.loggedin(seat) && !p.roundover && !p.watching)
            return false;
    }
    return true;
}

void GameTable::bankRound(int seat)
{
    tplayer& p = m_game.players[seat];
    p.banked += p.trailscore;
    p.total += p.banked;
}

void GameTable::endround(int slot)
{
    tplayer& p = m_game.players[slot];
    p.roundover = true;
    m_cleared[size_t(slot)] = true;
    m_out.sendto(slot, ToClient::TurnOver{slot, p.nexttile, p.total, ToClient::TurnOver::Cleared}.bytes());
    if (checkall())
        finishround();
}

void GameTable::finishround()
{
    // Every other seat's clock still runs: the round is over for it too.
    for (int seat = 1; seat <= Table::Seats; ++seat)
        if (!m_cleared[size_t(seat)] && m_game.players.connected(seat))
            m_out.sendto(
                seat,
                ToClient::TurnOver{seat, 0, m_game.players[seat].total, ToClient::TurnOver::EveryoneDone}.bytes());
    ToClient::PostScores scores;
    for (int seat = 1; seat <= Table::Seats; ++seat) {
        bankRound(seat);
        const tplayer& s = m_game.players[seat];
        scores.rows.append({seat, s.total, s.banked});
        // Clients take each growing list as it comes; the last one lists all six seats.
        m_out.sendall(scores.bytes());
    }
    postpath();
    m_timer1.Tag = RoundPhase::Pause;
    m_game.countdown = pauseLength();
}

int GameTable::pauseLength() const
{
    return m_host.showWinnersPath() ? PauseWithPath : PauseWithoutPath;
}

void GameTable::startPause()
{
    m_timer1.setEnabled(false);
    m_timer1.Tag = RoundPhase::Pause;
    m_game.countdown = pauseLength();
    m_timer1.setEnabled(true);
}

void GameTable::Timer1Timer()
{
    const Outbox::Batch batch(m_out);
    --m_game.countdown;
    if (m_game.countdown < 0 && m_timer1.Tag == RoundPhase::InPlay && m_game.gamerunning) {
        ToClient::PostScores scores;
        for (int seat = 1; seat <= Table::Seats; ++seat) {
            bankRound(seat);
            const tplayer& p = m_game.players[seat];
            scores.rows.append({seat, p.total, p.banked});
            if (m_game.players.connected(seat))
                m_out.sendto(seat, ToClient::TurnOver{seat, p.banked, p.total, ToClient::TurnOver::OutOfTime}.bytes());
        }
        m_out.sendall(scores.bytes());
        postpath();
        if (m_game.round + 1 > m_game.rounds && checkforwin()) {
            // The game is decided: nothing is left for the clock to count.
            m_timer1.setEnabled(false);
            return;
        }
        startPause();
    }
    if (m_game.countdown < 0 && m_timer1.Tag == RoundPhase::Pause && m_game.gamerunning) {
        m_timer1.setEnabled(false);
        findplayer();
    }
}

void GameTable::reportRound() const
{
    if (!m_observer)
        return;
    QList<SeatScore> scores;
    for (int seat = 1; seat <= Table::Seats; ++seat) {
        const tplayer& p = m_game.players[seat];
        if (p.connected)
            scores.append({seat, p.name, p.total, p.banked});
    }
    m_observer->roundEnded(m_game.round, scores);
}

void GameTable::postpath()
{
    reportRound();
    int best = 0;
    int bestResult = 0;
    for (int seat = 1; seat <= Table::Seats; ++seat) {
        if (m_game.players.loggedin(seat) && m_game.players[seat].banked > bestResult) {
            best = seat;
            bestResult = m_game.players[seat].banked;
        }
    }
    if (best != 0) {
        m_out.sendall(ToClient::ResetTiles{m_game.dealtTiles}.bytes());
        m_out.sendall(ToClient::ResetBonus{m_game.dealtBonus}.bytes());
        const tplayer& p = m_game.players[best];
        if (m_host.showWinnersPath())
            m_out.sendall(ToClient::ThePath{p.name, {p.moves.begin(), p.moves.end()}, p.banked}.bytes());
    }
    for (int seat = 1; seat <= Table::Seats; ++seat)
        m_game.players[seat].banked = 0;
}

bool GameTable::checkforwin()
{
    int leader = 0;
    int best = 0;
    for (int seat = 1; seat <= Table::Seats; ++seat) {
        if (m_game.players.loggedin(seat) && m_game.players[seat].total > best) {
            leader = seat;
            best = m_game.players[seat].total;
        }
    }
    if (leader == 0)
        return false;
    for (int seat = 1; seat <= Table::Seats; ++seat)
        if (seat != leader && m_game.players.loggedin(seat) && m_game.players[seat].total == best)
            return false;
    m_out.sendall(ToClient::Winner{m_game.players[leader].name}.bytes());
    m_game.gamerunning = false;
    m_departed.clear();
    if (m_observer)
        m_observer->winner(m_game.players[leader].name);
    return true;
}

void GameTable::justwatch(int slot, int value)
{
    if (!m_game.gamerunning || !m_game.players.loggedin(slot) || !Table::isSeat(slot))
        return;
    if (value == ToServer::JustWatch::Play) {
        m_game.players[slot].watching = false;
        m_out.sendall(ToClient::JustWatching{slot, ToClient::JustWatching::Playing}.bytes());
    } else if (value == ToServer::JustWatch::Watch) {
        bool otherPlaying = false;
        for (int seat = 1; seat <= Table::Seats; ++seat)
            if (seat != slot && m_game.players.loggedin(seat) && !m_game.players[seat].watching)
                otherPlaying = true;
        // The last seat still playing cannot sit out.
        if (!otherPlaying)
            return;
        m_game.players[slot].watching = true;
        m_out.sendall(ToClient::JustWatching{slot, ToClient::JustWatching::Watching}.bytes());
        endIfNobodyPlays();
    }
}

void GameTable::selecttile(int slot, int x, int y)
{
    // After a winner was announced at a time-out the phase still reads "in play";
    // a finished game must not change its totals.
    if (!m_game.gamerunning || m_timer1.Tag != RoundPhase::InPlay)
        return;
    // Spectators and seats that watch have no board in play.
    if (!Table::isSeat(slot) || m_game.players[slot].watching) {
        rules().refuse(slot);
        return;
    }
    rules().selecttile(slot, x, y);
}
