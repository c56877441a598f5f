#include "client_commands.h"

#include "chat/core/chat_line.h"
#include "client/core/client_log.h"
#include "client/core/client_session.h"
#include "client/core/seat_names.h"
#include "game_view.h"
#include "net/protocol.h"
#include "player_list_controller.h"

namespace {

// Registers one message's handler; a malformed message is dropped whole and
// leaves a debug line in the client's category.
template <class Msg, class Handler>
void handle(Dispatcher& d, Handler handler)
{
    Protocol::on<Msg>(d, std::move(handler), lcClient);
}

} // namespace

ClientCommands::ClientCommands(ClientSession& session, GameView& view, PlayerListController& players, ClientChat& chat,
                               Window& window)
    : m_session(session), m_view(view), m_players(players), m_chat(chat), m_window(window)
{
    registerSession();
    registerChat();
    registerPlayers();
    registerBoard();
    registerRound();
}

void ClientCommands::registerSession()
{
    Dispatcher& d = m_session.dispatcher();
    handle<ToClient::SendLoginInfo>(d, [this](const ToClient::SendLoginInfo& m) {
        if (!Table::isSlot(m.slot))
            return;
        m_session.sendloginfo(m.slot, m_window.version());
    });
    handle<ToClient::HaveWrongVersion>(d, [this](const ToClient::HaveWrongVersion& m) {
        m_chat.addline(SeatNames::shortened(m.text) + QStringLiteral(" has a different version of the game then you."),
                       StatusColour::blue());
    });
    handle<ToClient::WrongVersion>(d, [this](const ToClient::WrongVersion&) {
        m_chat.addline(QStringLiteral("You have a differnt version of the game then the host."), StatusColour::blue());
    });
    handle<ToClient::Full>(d, [this](const ToClient::Full&) { m_window.gameIsFull(); });
    handle<ToClient::Kicked>(d, [this](const ToClient::Kicked&) { m_window.removed(); });
    handle<ToClient::Host>(d, [this](const ToClient::Host& m) {
        if (m.slot == 0 || Table::isSlot(m.slot))
            m_session.setHostSlot(m.slot);
    });
}

void ClientCommands::registerChat()
{
    Dispatcher& d = m_session.dispatcher();
    // `chatrecieved`: a relayed chat or action line in the sender's style and colour.
    const auto relayed = [this](int slot, const QByteArray& text) {
        if (ignored(slot))
            return;
        const RelayedLine line = ChatLineParser::received(slot, text);
        m_chat.addlinetochat(line.line, line.colour);
    };
    handle<ToClient::Chat>(d, [relayed](const ToClient::Chat& m) { relayed(m.slot, m.text); });
    handle<ToClient::Action>(d, [relayed](const ToClient::Action& m) { relayed(m.slot, m.text); });
    handle<ToClient::Phrase>(d, [this](const ToClient::Phrase& m) {
        // A phrase names no slot: its text begins with the speaker's name.
        const QString text = QString::fromUtf8(m.text);
        QStringList seated;
        for (int slot = 1; slot <= Table::Seats; ++slot)
            if (m_session.seatNames().seated(slot))
                seated << m_players.seatName(slot);
        if (!ignored(IgnoreList::speaker(text, seated)))
            m_view.queuephrase(text);
    });
    handle<ToClient::PlayASound>(d, [this](const ToClient::PlayASound& m) {
        if (!Table::isSeat(m.slot) || !m_players.ignores().isMuted(m_players.seatName(m.slot)))
            m_chat.playasound(m);
    });
}

bool ClientCommands::ignored(int slot)
{
    return Table::isSeat(slot) && m_session.seatNames().seated(slot) && ignored(m_players.seatName(slot));
}

bool ClientCommands::ignored(const QString& name)
{
    IgnoreList& ignores = m_players.ignores();
    if (name.isEmpty() || !ignores.isIgnored(name))
        return false;
    if (ignores.firstHidden(name))
        m_chat.addline(name + QStringLiteral(" is ignored."), StatusColour::navy());
    return true;
}

void ClientCommands::registerPlayers()
{
    Dispatcher& d = m_session.dispatcher();
    handle<ToClient::NewPlayerInfo>(d, [this](const ToClient::NewPlayerInfo& m) { m_players.newplayerinfo(m); });
    handle<ToClient::ExistingPlayers>(d, [this](const ToClient::ExistingPlayers& m) {
        m_players.newplayerinfo({m.slot, m.text});
    });
    handle<ToClient::PlayerDisconnected>(
        d, [this](const ToClient::PlayerDisconnected& m) { m_players.playerdisconnected(m); });
    handle<ToClient::JustWatching>(d, [this](const ToClient::JustWatching& m) { m_players.justwatching(m); });
}

void ClientCommands::registerBoard()
{
    Dispatcher& d = m_session.dispatcher();
    handle<ToClient::SetTiles>(d, [this](const ToClient::SetTiles& m) { m_view.settiles(m); });
    handle<ToClient::SetBonus>(d, [this](const ToClient::SetBonus& m) { m_view.setbonus(m); });
    handle<ToClient::SetNextTile>(d, [this](const ToClient::SetNextTile& m) { m_view.setnexttile(m); });
    handle<ToClient::SetNnTile>(d, [this](const ToClient::SetNnTile& m) { m_view.setnntile(m); });
    handle<ToClient::RemoveTile>(d, [this](const ToClient::RemoveTile& m) { m_view.removetile(m); });
    handle<ToClient::Bombed>(d, [this](const ToClient::Bombed& m) { m_view.bombed(m); });
    handle<ToClient::Error>(d, [this](const ToClient::Error& m) { m_view.error(m); });
}

void ClientCommands::registerRound()
{
    Dispatcher& d = m_session.dispatcher();
    handle<ToClient::StartGame>(d, [this](const ToClient::StartGame& m) {
        m_session.setGameRunning(true);
        m_view.startthegame(m);
    });
    handle<ToClient::NextPlayer>(d, [this](const ToClient::NextPlayer& m) { m_view.getnextplayer(m); });
    handle<ToClient::TurnOver>(d, [this](const ToClient::TurnOver& m) { m_view.turnover(m); });
    handle<ToClient::PostScores>(d, [this](const ToClient::PostScores& m) { m_view.postscores(m); });
    handle<ToClient::Winner>(d, [this](const ToClient::Winner& m) {
        m_session.setGameRunning(false);
        m_view.winner(m);
    });
    handle<ToClient::LoadStats>(d, [this](const ToClient::LoadStats& m) {
        m_session.setGameRunning(true);
        m_view.loadstats(m);
    });
    handle<ToClient::ResetTiles>(d, [this](const ToClient::ResetTiles& m) { m_view.settileswinner(m); });
    handle<ToClient::ResetBonus>(d, [this](const ToClient::ResetBonus& m) { m_view.setbonuswinner(m); });
    handle<ToClient::ThePath>(d, [this](const ToClient::ThePath& m) { m_view.thepath(m); });
}
