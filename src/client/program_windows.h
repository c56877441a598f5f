#pragma once

#include <QStringList>
#include <memory>

class ChatWindow;
class Server;
class Tabout;
class Tdownload;
class Thelp;
class Thighscore;
class Tstory;

// Every window of the program, created once in the order the game has always
// used (the main window first, so its creation touches no other window) and
// afterwards only shown and hidden. The main window closing ends the program.
class ProgramWindows {
public:
    explicit ProgramWindows(quint16 gamePort = 7772, quint16 lobbyPort = 9001);
    ~ProgramWindows();

    ChatWindow& chat() { return *m_chat; }
    // Shows the main window, which reads the command line.
    void start(const QStringList& arguments);

private:
    void wire();

    // Declared in creation order; destroyed in reverse, so the server goes
    // before the main window it reads its options from.
    std::unique_ptr<ChatWindow> m_chat;
    std::unique_ptr<Tabout> m_about;
    std::unique_ptr<Thelp> m_help;
    std::unique_ptr<Tstory> m_story;
    std::unique_ptr<Thighscore> m_highscore;
    std::unique_ptr<Server> m_server;
    std::unique_ptr<Tdownload> m_download;
};
