#pragma once

#include "client_chat.h"

#include <QByteArray>
#include <QCoreApplication>

class GameModel;
class GameView;
class IgnoreList;

// The client's one table of command words: every message the server (or the
// lobby link) may send, and the handler that serves it. Handlers run one at a
// time from the session's queue; unknown words are ignored by the dispatcher.
// What the table says about the game goes to the game model, which the windows
// observe; chat lines go to the chat, and the winner's path to its replay.
class ClientCommands {
    Q_DECLARE_TR_FUNCTIONS(ClientCommands)
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

    // `ignores`: whose lines, phrases and sounds this copy holds back.
    ClientCommands(GameModel& model, GameView& view, ClientChat& chat, Window& window, IgnoreList& ignores);

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

    GameModel& m_model;
    GameView& m_view;
    ClientChat& m_chat;
    Window& m_window;
    IgnoreList& m_ignores;
};
