#include "game_model.h"

#include "client_log.h"

GameModel::GameModel(std::unique_ptr<ClientSession> session, QObject* parent)
    : QObject(parent), m_session(session ? std::move(session) : std::make_unique<ClientSession>())
{
    connect(&m_seats, &GameSeats::watchingChanged, this, &GameModel::seatWatchingChanged);
    // Our slot arrives with the login: the seat the table named may be ours.
    connect(m_session.get(), &ClientSession::stateChanged, this, &GameModel::updateHostPowers);
}

GameModel::~GameModel() = default;

bool GameModel::gameRunning() const
{
    return m_phase != GamePhase::NoGame && m_phase != GamePhase::Over;
}

bool GameModel::holdsHostPowers() const
{
    return m_hosting || (m_hostSlot != 0 && m_hostSlot == myslot() && loggedin());
}

void GameModel::setPhase(GamePhase phase)
{
    if (phase == m_phase)
        return;
    const bool wasRunning = gameRunning();
    m_phase = phase;
    emit phaseChanged(phase);
    if (wasRunning != gameRunning())
        emit gameRunningChanged(gameRunning());
}

void GameModel::setMode(GameMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    emit modeChanged(mode);
}

void GameModel::setMissions(int missions)
{
    if (missions == m_missions)
        return;
    m_missions = missions;
    emit missionsChanged(missions);
}

void GameModel::setMission(int mission)
{
    if (mission == m_mission)
        return;
    m_mission = mission;
    emit missionChanged(mission);
}

void GameModel::setTimeLeft(int seconds)
{
    if (seconds == m_timeLeft)
        return;
    m_timeLeft = seconds;
    emit timeLeftChanged(seconds);
}

void GameModel::setCurrentPlayer(int slot)
{
    if (slot == m_board.currentplayer())
        return;
    m_board.setCurrentplayer(slot);
    emit currentPlayerChanged(slot);
}

void GameModel::playerArrived(int slot, const QString& name)
{
    // Slots the server hands out; anything else in a message is malformed.
    if (!Table::isSlot(slot))
        return;
    // The server may seat us under another name than the one we asked for
    // (taken by someone else, or cleaned); play on under the one the others see.
    if (slot == myslot())
        m_session->setMyname(name);
    emit playerConnected(slot, name);
    if (!Table::isSeat(slot))
        return;
    m_leftAfterGame[size_t(slot)] = false;
    m_seats.take(slot, name);
    m_seats.reorder();
}

void GameModel::playerLeft(int slot, const QString& name)
{
    if (!Table::isSlot(slot))
        return;
    const QString seatName = m_seats.name(slot);
    if (Table::isSeat(slot)) {
        // A finished game's standings stay up until the next game starts:
        // the leaver's row keeps his name and final total until then.
        if (m_phase == GamePhase::Over && m_seats.seated(slot)) {
            m_leftAfterGame[size_t(slot)] = true;
        } else {
            m_seats.free(slot);
            m_seats.reorder();
        }
    }
    emit playerDisconnected(slot, name, seatName);
}

void GameModel::seatWatching(int slot, bool watching)
{
    // Only seats have a row to mark, and nobody sits in an empty one to watch.
    if (!Table::isSeat(slot) || !m_seats.seated(slot))
        return;
    m_seats.setWatching(slot, watching);
    emit watchingAnnounced(slot, watching);
}

void GameModel::seatWatchingChanged(int slot, bool watching)
{
    if (slot != myslot())
        return;
    if (watching)
        m_board.setCanselect(false);
    else if (m_board.currentplayer() == slot && m_timeLeft > 0)
        m_board.setCanselect(true); // back in play during our own round, as after a deal
    emit watchingChanged(watching);
}

void GameModel::startGame(const ToClient::StartGame& m)
{
    setMode(GameModes::fromCode(m.mode));
    setMissions(m.rounds);
    // A repeated start before the first round only updates the values above.
    if (m_phase == GamePhase::Starting)
        return;
    setMission(0);
    freeRowsLeftAfterGame();
    // The server seats every watcher again at a new game.
    m_seats.resetScores();
    m_board.clear();
    setPhase(GamePhase::Starting);
    emit gameStarted(QString::fromUtf8(m.name), m_mode);
}

void GameModel::freeRowsLeftAfterGame()
{
    for (int slot = 1; slot <= Table::Seats; ++slot) {
        if (std::exchange(m_leftAfterGame[size_t(slot)], false)) {
            m_seats.free(slot);
            m_seats.reorder();
        }
    }
}

void GameModel::loadStats(const ToClient::LoadStats& m)
{
    setMode(GameModes::fromCode(m.mode));
    // Logged in while a game runs: its missions follow from its mode.
    if (m_mode != GameMode::None)
        setMissions(m_mode == GameMode::Classic ? ClassicMissions : StandardMissions);
    // Joined into a running game: leaving now abandons it.
    if (!gameRunning())
        setPhase(GamePhase::RoundOver);
}

void GameModel::nextPlayer(const ToClient::NextPlayer& m)
{
    if (!Table::isSeat(m.slot))
        return;
    m_seats.clearLastScores();
    setMission(m.round);
    setCurrentPlayer(m.slot);
    m_board.setTrailScore(m.slot, 0);
    setPhase(GamePhase::InRound);
    emit roundStarted(m.round, m.slot);
}

void GameModel::turnOver(const ToClient::TurnOver& m)
{
    // The seat's next tile or round result (`value`) is not shown.
    setTimeLeft(0);
    m_board.setCanselect(false);
    m_seats.setTotal(m.slot, m.total);
    setCurrentPlayer(0);
    setPhase(GamePhase::RoundOver);
    emit turnEnded(m.slot, m.reason);
}

void GameModel::postScores(const ToClient::PostScores& m)
{
    // A seat nobody holds keeps its row empty: the total was its last player's.
    for (const ToClient::ScoreRow& row : m.rows) {
        m_seats.setTotal(row.slot, row.total);
        if (row.result != 0)
            m_seats.setLastScore(row.slot, row.result);
    }
    m_seats.reorder();
}

void GameModel::winner(const ToClient::Winner& m)
{
    setTimeLeft(0);
    setPhase(GamePhase::Over);
    emit gameWon(QString::fromUtf8(m.text));
}

void GameModel::queuePhrase(const QString& phrase)
{
    if (m_phrases.size() >= MaxWaitingPhrases)
        return;
    m_phrases.append(phrase);
    emit phraseQueued(phrase);
}

std::optional<QString> GameModel::takePhrase()
{
    if (m_phrases.isEmpty())
        return std::nullopt;
    const QString phrase = m_phrases.takeFirst();
    emit phraseTaken();
    return phrase;
}

void GameModel::applyBoard(const BoardEffects& e)
{
    if (e.scoreSlot != 0)
        m_seats.setTotal(e.scoreSlot, e.score);
    emit boardUpdated(e);
    if (!e.send.isEmpty())
        send(e.send);
}

void GameModel::setTiles(const ToClient::SetTiles& m)
{
    const BoardEffects e = m_board.settiles(m);
    applyBoard(e);
    if (!e.handled)
        return;
    setTimeLeft(RoundSeconds);
    emit dealt();
}

void GameModel::setBonus(const ToClient::SetBonus& m)
{
    applyBoard(m_board.setbonus(m));
}

void GameModel::setNextTile(const ToClient::SetNextTile& m)
{
    const BoardEffects e = m_board.setnexttile(m, myslot());
    // A watching seat is dealt its tiles too, but it does not pick.
    if (watching())
        m_board.setCanselect(false);
    applyBoard(e);
}

void GameModel::setAfterNextTile(const ToClient::SetNnTile& m)
{
    if (m.tile == m_afterNext)
        return;
    m_afterNext = m.tile;
    emit afterNextTileChanged(m.tile);
}

void GameModel::removeTile(const ToClient::RemoveTile& m)
{
    applyBoard(m_board.removetile(m, myslot()));
}

void GameModel::bombed(const ToClient::Bombed& m)
{
    applyBoard(m_board.bombed(m));
}

void GameModel::refused(const ToClient::Error&)
{
    applyBoard(m_board.error());
}

void GameModel::pick(int px, int py)
{
    applyBoard(m_board.boardMouseUp(px, py, myslot(), loggedin()));
}

void GameModel::tick()
{
    setTimeLeft(qMax(0, m_timeLeft - 1));
}

void GameModel::setHosting(bool hosting)
{
    if (hosting != m_hosting) {
        m_hosting = hosting;
        emit hostingChanged(hosting);
    }
    updateHostPowers();
}

void GameModel::setHostSlot(int slot)
{
    // A slot the table could not have given anyone names nobody.
    m_hostSlot = Table::isSlot(slot) ? slot : 0;
    updateHostPowers();
}

void GameModel::updateHostPowers()
{
    const bool held = holdsHostPowers();
    if (held == m_hostPowers)
        return;
    m_hostPowers = held;
    qCDebug(lcClient) << "host's powers" << (held ? "held" : "not held");
    emit hostPowersChanged(held);
}

void GameModel::resetGame()
{
    setTimeLeft(0);
    setCurrentPlayer(0);
    setMission(0);
    setMissions(0);
    setMode(GameMode::None);
    setPhase(GamePhase::NoGame);
    m_board.clear();
    m_board.setCanselect(false);
    while (takePhrase()) { }
}

void GameModel::leaveTable()
{
    m_hostSlot = 0;
    setHosting(false);
    m_leftAfterGame.fill(false);
    m_seats.clear();
    resetGame();
    emit tableLeft();
}
