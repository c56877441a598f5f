#include "client_commands.h"

#include "client/core/client_session.h"
#include "game_view.h"
#include "player_list_controller.h"

ClientCommands::ClientCommands(ClientSession& session, GameView& view,
                               PlayerListController& players, const ClientHooks& hooks,
                               Events events)
    : m_session(session), m_view(view), m_players(players), m_hooks(hooks),
      m_events(std::move(events))
{
    registerSession();
    registerPlayers();
    registerBoard();
    registerRound();
}

void ClientCommands::registerSession()
{
    Dispatcher& d = m_session.dispatcher();
    d.on("CMD_sendlogininfo", [this](FieldReader& f) {
        const auto slot = f.lastInt();
        if (!slot || *slot < 1 || *slot > 9)
            return;
        m_session.sendloginfo(*slot, m_events.version ? m_events.version() : QByteArray());
    });
    d.on("CMD_havewrongversion", [this](FieldReader& f) {
        m_hooks.addline(QString::fromUtf8(f.rest())
                            + QStringLiteral(" has a different version of the game then you."),
                        StatusColour::blue());
    });
    d.on("CMD_wrongversion", [this](FieldReader&) {
        m_hooks.addline(QStringLiteral("You have a differnt version of the game then the host."),
                        StatusColour::blue());
    });
    d.on("CMD_full", [this](FieldReader&) {
        if (m_events.gameIsFull)
            m_events.gameIsFull();
    });
    d.on("CMD_kicked", [this](FieldReader&) {
        if (m_events.removed)
            m_events.removed();
    });
    const auto chat = [this](FieldReader& f) {
        if (m_hooks.chatrecieved)
            m_hooks.chatrecieved(f.rest());
    };
    d.on("CMD_chat", chat);
    d.on("CMD_action", chat);
    d.on("CMD_phrase", [this](FieldReader& f) {
        if (m_hooks.queuephrase)
            m_hooks.queuephrase(QString::fromUtf8(f.rest()));
    });
    d.on("CMD_playasound", [this](FieldReader& f) {
        if (m_hooks.playasound)
            m_hooks.playasound(f.rest());
    });
}

void ClientCommands::registerPlayers()
{
    Dispatcher& d = m_session.dispatcher();
    const auto arrived = [this](FieldReader& f) { m_players.newplayerinfo(f); };
    d.on("CMD_newplayerinfo", arrived);
    d.on("CMD_existingplayers", arrived);
    d.on("CMD_playerdisconnected", [this](FieldReader& f) { m_players.playerdisconnected(f); });
    d.on("CMD_justwatching", [this](FieldReader& f) { m_players.justwatching(f); });
}

void ClientCommands::registerBoard()
{
    Dispatcher& d = m_session.dispatcher();
    d.on("CMD_settiles", [this](FieldReader& f) { m_view.settiles(f); });
    d.on("CMD_setbonus", [this](FieldReader& f) { m_view.setbonus(f); });
    d.on("CMD_setnexttile", [this](FieldReader& f) { m_view.setnexttile(f); });
    d.on("CMD_setnntile", [this](FieldReader& f) { m_view.setnntile(f); });
    d.on("CMD_removetile", [this](FieldReader& f) { m_view.removetile(f); });
    d.on("CMD_bombed", [this](FieldReader& f) { m_view.bombed(f); });
    d.on("CMD_error", [this](FieldReader& f) { m_view.error(f); });
}

void ClientCommands::registerRound()
{
    Dispatcher& d = m_session.dispatcher();
    d.on("CMD_startgame", [this](FieldReader& f) {
        m_session.setGameRunning(true);
        m_view.startthegame(f);
    });
    d.on("CMD_nextplayer", [this](FieldReader& f) { m_view.getnextplayer(f); });
    d.on("CMD_turnover", [this](FieldReader& f) { m_view.turnover(f); });
    d.on("CMD_postscores", [this](FieldReader& f) { m_view.postscores(f); });
    d.on("CMD_winner", [this](FieldReader& f) {
        m_session.setGameRunning(false);
        m_view.winner(f);
    });
    d.on("CMD_loadstats", [this](FieldReader& f) {
        m_session.setGameRunning(true);
        m_view.loadstats(f);
    });
    d.on("CMD_resettiles", [this](FieldReader& f) { m_view.settileswinner(f); });
    d.on("CMD_resetbonus", [this](FieldReader& f) { m_view.setbonuswinner(f); });
    d.on("CMD_thepath", [this](FieldReader& f) { m_view.thepath(f); });
}
