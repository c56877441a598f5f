#pragma once

#include "client_hooks.h"

#include <QByteArray>
#include <functional>

class ClientSession;
class GameView;
class PlayerListController;

// The client's one table of command words: every message the server (or the
// lobby link) may send, and the handler that serves it. Handlers run one at a
// time from the session's queue; unknown words are ignored by the dispatcher.
class ClientCommands {
public:
    struct Events {
        // The table is full; the window tells the user and ends.
        std::function<void()> gameIsFull;
        // The host removed us; the connection closes next.
        std::function<void()> removed;
        // The version text sent in the login reply.
        std::function<QByteArray()> version;
    };

    ClientCommands(ClientSession& session, GameView& view, PlayerListController& players,
                   const ClientHooks& hooks, Events events);

private:
    void registerSession();
    void registerChat();
    void registerPlayers();
    void registerBoard();
    void registerRound();

    ClientSession& m_session;
    GameView& m_view;
    PlayerListController& m_players;
    const ClientHooks& m_hooks;
    Events m_events;
};
