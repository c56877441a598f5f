#pragma once

#include "client_chat.h"

#include <QByteArray>

class ClientSession;
class GameView;
class PlayerListController;

// The client's one table of command words: every message the server (or the
// lobby link) may send, and the handler that serves it. Handlers run one at a
// time from the session's queue; unknown words are ignored by the dispatcher.
class ClientCommands {
public:
    // What the table tells the main window, and asks of it.
    class Window {
    public:
        virtual ~Window() = default;
        // The table is full; the window tells the user and ends.
        virtual void gameIsFull() = 0;
        // The host removed us; the connection closes next.
        virtual void removed() = 0;
        // The version text sent in the login reply.
        virtual QByteArray version() const = 0;
    };

    ClientCommands(ClientSession& session, GameView& view, PlayerListController& players, ClientChat& chat,
                   Window& window);

private:
    void registerSession();
    void registerChat();
    void registerPlayers();
    void registerBoard();
    void registerRound();
    // Whether what the player in `slot` (or named `name`) sent stays off this
    // screen because this copy ignores the player; the first time, says so.
    bool ignored(int slot);
    bool ignored(const QString& name);

    ClientSession& m_session;
    GameView& m_view;
    PlayerListController& m_players;
    ClientChat& m_chat;
    Window& m_window;
};
