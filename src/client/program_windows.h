#pragma once

#include "lazy_window.h"
#include "main_window.h"
#include "score_poster.h"

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

// Every window of the program. The game model is made first; then who
// watches, the tally, the chat and the settings, which the main window and
// its game talk to from the start; then the main window. The side windows,
// the spy list and the tally included, are built at their first showing, or
// when the game first needs them, and afterwards only shown and hidden. The
// main window closing ends the program.
//
// Each member is handed only members made before it, so taking them down in
// reverse order leaves nothing pointing at what has gone.
class ProgramWindows final : private ScorePoster,
                             private WindowSetUp<Tspylist>,
                             private WindowSetUp<Ttallylist>,
                             private WindowSetUp<Tphrases>,
                             private WindowSetUp<Tabout>,
                             private WindowSetUp<Thelp>,
                             private WindowSetUp<Tstory>,
                             private WindowSetUp<Thighscore>,
                             private WindowSetUp<Tgamestart>,
                             private WindowSetUp<Tdownload> {
public:
    explicit ProgramWindows(quint16 gamePort = 7772, quint16 lobbyPort = 9001);
    ~ProgramWindows() override;

    // The game every window shows.
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
    // A winning score goes to the high-score window, built hidden if need be.
    void sendscore(const QString& name, const QString& date, const QString& score, GameMode mode) override;
    QDate today() const override;

    void setUp(Tspylist& window) override;
    void setUp(Ttallylist& window) override;
    void setUp(Tphrases& window) override;
    void setUp(Tabout& window) override;
    void setUp(Thelp& window) override;
    void setUp(Tstory& window) override;
    void setUp(Thighscore& window) override;
    void setUp(Tgamestart& window) override;
    void setUp(Tdownload& window) override;

    void wirePlayers();
    void wireWindows();
    void wireBotSeats(Tgamestart& window);
    void openSideWindow(MainWindow::SideWindow which);

    std::unique_ptr<GameModel> m_model;
    std::unique_ptr<SpyRoster> m_spyRoster;
    // Writes its file when it goes, after every window.
    std::unique_ptr<TallyBook> m_tallyBook;
    // Where the main window's game posts a winning score: it outlives the main window.
    LazyWindow<Thighscore> m_highscore;
    std::unique_ptr<ChatBinding> m_chatBinding;
    std::unique_ptr<SettingsBinding> m_settings;
    std::unique_ptr<MainWindow> m_chat;
    // Who the game-start window starts games as: this copy's session.
    std::unique_ptr<LoginState> m_login;
    LazyWindow<Tspylist, SpyRoster> m_spylist;
    LazyWindow<Ttallylist, TallyBook> m_tallylist;
    LazyWindow<Tphrases> m_phrases;
    LazyWindow<Tabout> m_about;
    LazyWindow<Thelp> m_help;
    LazyWindow<Tstory> m_story;
    LazyWindow<Tgamestart, LoginState> m_gamestart;
    LazyWindow<Tdownload> m_download;
    std::unique_ptr<AfterFirstPaint> m_afterFirstPaint;
    // Its server thread ends, and the connection closes, before the options
    // the server reads and the windows go.
    std::unique_ptr<ConnectionController> m_connection;
    // Bots leave before the table closes.
    std::unique_ptr<BotSeats> m_botSeats;
};
