#pragma once

#include "lazy_window.h"
#include "main_window.h"

#include <QStringList>
#include <memory>

class AfterFirstPaint;
class BotSeats;
class ChatBinding;
class ConnectionController;
class GameModel;
class SettingsBinding;
class Tabout;
class Tdownload;
class Tgamestart;
class Thelp;
class Thighscore;
class Tphrases;
class SpyRoster;
class Tspylist;
class Tstory;
class TallyBook;
class Ttallylist;
class LoginState;

// Every window of the program. The main window is made at once, and so are
// who watches and the tally, which the player list and the game fill from the
// start; the side windows, the spy list and the tally included, are built at
// their first showing, or when the game first needs them, and afterwards only
// shown and hidden. The main window closing ends the program.
class ProgramWindows {
public:
    explicit ProgramWindows(quint16 gamePort = 7772, quint16 lobbyPort = 9001);
    ~ProgramWindows();

    // The game every window shows: made first, taken down last.
    GameModel& model() { return *m_model; }
    MainWindow& chat() { return *m_chat; }
    SpyRoster& spyRoster() { return *m_spyRoster; }
    TallyBook& tallyBook() { return *m_tallyBook; }
    // Built, hidden, on the first call.
    Tspylist& spylist();
    Ttallylist& tallylist();
    Tphrases& phrases();
    Tabout& about();
    Thelp& help();
    Tstory& story();
    Thighscore& highscore();
    Tgamestart& gamestart();
    Tdownload& download();
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
    void fitSideWindow(QWidget& window, bool infoBackground);
    void openSideWindow(MainWindow::SideWindow which);
    void setUpSpyList(Tspylist& window);
    void setUpPhrases(Tphrases& window);
    void setUpAbout(Tabout& window);
    void setUpHelp(Thelp& window);
    void setUpHighScores(Thighscore& window);
    void setUpGameStart(Tgamestart& window);
    void setUpDownload(Tdownload& window);

    std::unique_ptr<GameModel> m_model;
    // What the main window talks to; it outlives every window.
    std::unique_ptr<Parts> m_parts;
    // Made in declaration order and taken down in reverse: the tally writes
    // its file while the rest still stands.
    std::unique_ptr<MainWindow> m_chat;
    std::unique_ptr<SpyRoster> m_spyRoster;
    std::unique_ptr<TallyBook> m_tallyBook;
    LazyWindow<Tspylist> m_spylist;
    LazyWindow<Ttallylist> m_tallylist;
    LazyWindow<Tphrases> m_phrases;
    LazyWindow<Tabout> m_about;
    LazyWindow<Thelp> m_help;
    LazyWindow<Tstory> m_story;
    LazyWindow<Thighscore> m_highscore;
    // Who the game-start window starts games as: this copy's session.
    std::unique_ptr<LoginState> m_login;
    LazyWindow<Tgamestart> m_gamestart;
    LazyWindow<Tdownload> m_download;
    std::unique_ptr<AfterFirstPaint> m_afterFirstPaint;
    // Made once the windows above exist, and taken down before any window goes.
    std::unique_ptr<ChatBinding> m_chatBinding;
    std::unique_ptr<SettingsBinding> m_settings;
    // Goes first: its server thread ends, and the connection closes, before
    // the options the server reads and the windows go.
    std::unique_ptr<ConnectionController> m_connection;
    // Goes before the server: bots leave before the table closes.
    std::unique_ptr<BotSeats> m_botSeats;
    // Set while the program is taken down: no window is built any more.
    bool m_closing = false;
};
