#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// What the game view needs of the client's connection: who we are and a way
// to send. The main window fills it from its session; tests fill it themselves.
struct GameLink {
    std::function<int()> myslot = [] { return 0; };
    std::function<bool()> loggedin = [] { return false; };
    std::function<QString()> myname = [] { return QString(); };
    // 1 standard, 2 classic.
    std::function<int()> gamemode = [] { return 0; };
    std::function<void(int)> setGamemode = [](int) {};
    // Sends one finished message; the connection sends only while logged in.
    std::function<void(const QByteArray&)> send = [](const QByteArray&) {};
};
