#pragma once

#include <QStringList>
#include <memory>

class BotSeats;
class ChatBinding;
class ChatWindow;
class ConnectionController;
class SettingsBinding;
class Tabout;
class Tdownload;
class Tgamestart;
class Thelp;
class Thighscore;
class Tphrases;
class Tspylist;
class Tstory;
class Ttallylist;

// Every window of the program, created once in the order the game has always
// used (the main window first, so its creation touches no other window) and
// afterwards only shown and hidden. The main window closing ends the program.
class ProgramWindows {
public:
    explicit ProgramWindows(quint16 gamePort = 7772, quint16 lobbyPort = 9001);
    ~ProgramWindows();

    ChatWindow& chat() { return *m_chat; }
    Tspylist& spylist() { return *m_spylist; }
    Tabout& about() { return *m_about; }
    Thelp& help() { return *m_help; }
    Ttallylist& tallylist() { return *m_tallylist; }
    Tphrases& phrases() { return *m_phrases; }
    Tstory& story() { return *m_story; }
    Thighscore& highscore() { return *m_highscore; }
    Tgamestart& gamestart() { return *m_gamestart; }
    Tdownload& download() { return *m_download; }
    // The bots the host seated from the game-start window.
    BotSeats& botSeats() { return *m_botSeats; }
    // The chat, phrase buttons and sounds, and the settings file with the
    // options and tile sets, as put into the main window.
    ChatBinding& chatBinding() { return *m_chatBinding; }
    SettingsBinding& settings() { return *m_settings; }
    // Start-up and connection: the command line, hosting (with the game
    // server's thread) and joining.
    ConnectionController& connection() { return *m_connection; }

    // Shows the main window, which reads the command line.
    void start(const QStringList& arguments);

private:
    class Parts;

    void wirePlayers();
    void wireWindows();
    void wireBackgrounds();
    void fitWindowFrames();
    void wireBots();

    // What the main window talks to; it outlives every window.
    std::unique_ptr<Parts> m_parts;
    // Made in declaration order and taken down in reverse: the tally window
    // writes its file while the rest still stands.
    std::unique_ptr<ChatWindow> m_chat;
    std::unique_ptr<Tspylist> m_spylist;
    std::unique_ptr<Tabout> m_about;
    std::unique_ptr<Thelp> m_help;
    std::unique_ptr<Ttallylist> m_tallylist;
    std::unique_ptr<Tphrases> m_phrases;
    std::unique_ptr<Tstory> m_story;
    std::unique_ptr<Thighscore> m_highscore;
    std::unique_ptr<Tgamestart> m_gamestart;
    std::unique_ptr<Tdownload> m_download;
    // Made once every window exists, and taken down before any window goes.
    std::unique_ptr<ChatBinding> m_chatBinding;
    std::unique_ptr<SettingsBinding> m_settings;
    // Goes first: its server thread ends, and the connection closes, before
    // the options the server reads and the windows go.
    std::unique_ptr<ConnectionController> m_connection;
    // Goes before the server: bots leave before the table closes.
    std::unique_ptr<BotSeats> m_botSeats;
};
