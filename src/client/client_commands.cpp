#include "client_commands.h"

#include "chat/core/chat_line.h"
#include "client/core/client_log.h"
#include "client/core/game_model.h"
#include "client/core/ignore_list.h"
#include "client/core/seat_names.h"
#include "game_view.h"
#include "net/protocol.h"

namespace {

// Registers one message's handler; a malformed message is dropped whole and
// leaves a debug line in the client's category.
template <class Msg, class Handler>
void handle(Dispatcher& d, Handler handler)
{
    Protocol::on<Msg>(d, std::move(handler), lcClient);
}

} // namespace

ClientCommands::ClientCommands(GameModel& model, GameView& view, ClientChat& chat, Window& window, IgnoreList& ignores)
    : m_model(model), m_view(view), m_chat(chat), m_window(window), m_ignores(ignores)
{
    registerSession();
    registerChat();
    registerPlayers();
    registerBoard();
    registerRound();
}

void ClientCommands::registerSession()
{
    Dispatcher& d = m_model.session().dispatcher();
    handle<ToClient::SendLoginInfo>(d, [this](const ToClient::SendLoginInfo& m) {
        if (!Table::isSlot(m.slot))
            return;
        m_model.session().sendloginfo(m.slot, m_window.version());
    });
    handle<ToClient::HaveWrongVersion>(d, [this](const ToClient::HaveWrongVersion& m) {
        m_chat.addline(tr("%1 has a different version of the game then you.").arg(SeatNames::shortened(m.text)),
                       StatusColour::blue());
    });
    handle<ToClient::WrongVersion>(d, [this](const ToClient::WrongVersion&) {
        m_chat.addline(tr("You have a differnt version of the game then the host."), StatusColour::blue());
    });
    handle<ToClient::Full>(d, [this](const ToClient::Full&) { m_window.gameIsFull(); });
    handle<ToClient::Kicked>(d, [this](const ToClient::Kicked&) { m_window.removed(); });
    handle<ToClient::Closing>(d, [this](const ToClient::Closing&) { m_model.session().noteFarewell(); });
    handle<ToClient::Host>(d, [this](const ToClient::Host& m) { m_model.setHostSlot(m.slot); });
}

void ClientCommands::registerChat()
{
    Dispatcher& d = m_model.session().dispatcher();
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
            if (m_model.seats().seated(slot))
                seated << m_model.seats().name(slot);
        if (!ignored(IgnoreList::speaker(text, seated)))
            m_model.queuePhrase(text);
    });
    handle<ToClient::PlayASound>(d, [this](const ToClient::PlayASound& m) {
        if (!Table::isSeat(m.slot) || !m_ignores.isMuted(m_model.seats().name(m.slot)))
            m_chat.playasound(m);
    });
}

bool ClientCommands::ignored(int slot)
{
    return Table::isSeat(slot) && m_model.seats().seated(slot) && ignored(m_model.seats().name(slot));
}

bool ClientCommands::ignored(const QString& name)
{
    if (name.isEmpty() || !m_ignores.isIgnored(name))
        return false;
    if (m_ignores.firstHidden(name))
        m_chat.addline(tr("%1 is ignored.").arg(name), StatusColour::navy());
    return true;
}

void ClientCommands::registerPlayers()
{
    Dispatcher& d = m_model.session().dispatcher();
    // A player already present arrives like a newcomer.
    handle<ToClient::NewPlayerInfo>(
        d, [this](const ToClient::NewPlayerInfo& m) { m_model.playerArrived(m.slot, SeatNames::shortened(m.text)); });
    handle<ToClient::ExistingPlayers>(
        d, [this](const ToClient::ExistingPlayers& m) { m_model.playerArrived(m.slot, SeatNames::shortened(m.text)); });
    handle<ToClient::PlayerDisconnected>(
        d, [this](const ToClient::PlayerDisconnected& m) { m_model.playerLeft(m.slot, SeatNames::shortened(m.text)); });
    handle<ToClient::JustWatching>(d, [this](const ToClient::JustWatching& m) {
        m_model.seatWatching(m.slot, m.value == ToClient::JustWatching::Watching);
    });
}

void ClientCommands::registerBoard()
{
    Dispatcher& d = m_model.session().dispatcher();
    GameModel& g = m_model;
    handle<ToClient::SetTiles>(d, [&g](const ToClient::SetTiles& m) { g.setTiles(m); });
    handle<ToClient::SetBonus>(d, [&g](const ToClient::SetBonus& m) { g.setBonus(m); });
    handle<ToClient::SetNextTile>(d, [&g](const ToClient::SetNextTile& m) { g.setNextTile(m); });
    handle<ToClient::SetNnTile>(d, [&g](const ToClient::SetNnTile& m) { g.setAfterNextTile(m); });
    handle<ToClient::RemoveTile>(d, [&g](const ToClient::RemoveTile& m) { g.removeTile(m); });
    handle<ToClient::Bombed>(d, [&g](const ToClient::Bombed& m) { g.bombed(m); });
    handle<ToClient::Error>(d, [&g](const ToClient::Error& m) { g.refused(m); });
}

void ClientCommands::registerRound()
{
    Dispatcher& d = m_model.session().dispatcher();
    GameModel& g = m_model;
    handle<ToClient::StartGame>(d, [&g](const ToClient::StartGame& m) { g.startGame(m); });
    handle<ToClient::LoadStats>(d, [&g](const ToClient::LoadStats& m) { g.loadStats(m); });
    handle<ToClient::NextPlayer>(d, [&g](const ToClient::NextPlayer& m) { g.nextPlayer(m); });
    handle<ToClient::TurnOver>(d, [&g](const ToClient::TurnOver& m) { g.turnOver(m); });
    handle<ToClient::PostScores>(d, [&g](const ToClient::PostScores& m) { g.postScores(m); });
    handle<ToClient::Winner>(d, [&g](const ToClient::Winner& m) { g.winner(m); });
    handle<ToClient::ResetTiles>(d, [this](const ToClient::ResetTiles& m) { m_view.settileswinner(m); });
    handle<ToClient::ResetBonus>(d, [this](const ToClient::ResetBonus& m) { m_view.setbonuswinner(m); });
    handle<ToClient::ThePath>(d, [this](const ToClient::ThePath& m) { m_view.thepath(m); });
}
