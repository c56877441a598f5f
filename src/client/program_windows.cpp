#include "program_windows.h"

#include "bot/bot_seats.h"
#include "chat/tphrases.h"
#include "chat_binding.h"
#include "chat_window.h"
#include "connection_controller.h"
#include "client/core/client_session.h"
#include "game_view.h"
#include "player_list_controller.h"
#include "settings_binding.h"
#include "side/about_window.h"
#include "side/core/score_post.h"
#include "side/download_window.h"
#include "side/game_start_window.h"
#include "side/help_window.h"
#include "side/high_score_window.h"
#include "side/spy_list_window.h"
#include "side/story_window.h"
#include "side/side_window_art.h"
#include "side/tally_list_window.h"
#include "ui/window_frame.h"

#include <QCoreApplication>
#include <QDate>

// The main window is made before the parts it talks to (chat and sounds,
// options, the tally and high-score windows), so it reaches them through
// this: a call goes on to its part once the part exists, and to nowhere while
// the program is being built or taken down.
class ProgramWindows::Parts final : public ClientChat,
                                    public GameSounds,
                                    public GameOptions,
                                    public TallyFeed,
                                    public ScorePoster {
public:
    explicit Parts(ProgramWindows& windows) : m_w(windows) {}

    void addlinetochat(const StyledLine& line, quint32 colour) override
    {
        if (m_w.m_chatBinding)
            m_w.m_chatBinding->addlinetochat(line, colour);
    }
    void playasound(const ToClient::PlayASound& m) override
    {
        if (m_w.m_chatBinding)
            m_w.m_chatBinding->playasound(m);
    }
    void playsounds(GameSound sound) override
    {
        if (m_w.m_chatBinding)
            m_w.m_chatBinding->playsounds(sound);
    }

    bool postHighScore() const override { return m_w.m_settings && m_w.m_settings->postHighScore(); }
    bool showWinnersPath() const override { return m_w.m_settings && m_w.m_settings->showWinnersPath(); }
    void loadinifile() override
    {
        if (m_w.m_settings)
            m_w.m_settings->loadinifile();
    }

    QString tallyHighScore() const override { return m_w.m_tallylist ? m_w.m_tallylist->mylabeltext(3) : QString(); }
    QString tallyHighestTrail() const override
    {
        return m_w.m_tallylist ? m_w.m_tallylist->mylabeltext(4) : QString();
    }
    void addword(const QString& text, int column) override
    {
        if (m_w.m_tallylist)
            m_w.m_tallylist->addword(text, column);
    }
    void addgame(const QString& winner) override
    {
        if (m_w.m_tallylist)
            m_w.m_tallylist->addgame(winner);
    }
    void addtomine(int column) override
    {
        if (m_w.m_tallylist)
            m_w.m_tallylist->addtomine(column);
    }
    void loadchecklist() override
    {
        if (m_w.m_chat)
            m_w.m_chat->players().loadchecklist();
    }

    void sendscore(const QString& name, const QString& date, const QString& score, int mode) override
    {
        if (!m_w.m_highscore)
            return;
        // The game writes the date as m/d/yy; the score script gets the
        // system's own date separator in place of the "/".
        QString local = date;
        local.replace(QLatin1Char('/'), ScorePost::systemDateSeparator());
        m_w.m_highscore->sendscore(name, local, score, mode);
    }
    QDate today() const override { return QDate::currentDate(); }

private:
    ProgramWindows& m_w;
};

ProgramWindows::ProgramWindows(quint16 gamePort, quint16 lobbyPort) : m_parts(std::make_unique<Parts>(*this))
{
    m_chat = std::make_unique<ChatWindow>(ClientParts{*m_parts, *m_parts, *m_parts, *m_parts, *m_parts});
    m_spylist = std::make_unique<Tspylist>();
    m_about = std::make_unique<Tabout>();
    m_help = std::make_unique<Thelp>();
    m_tallylist = std::make_unique<Ttallylist>();
    m_phrases = std::make_unique<Tphrases>();
    m_story = std::make_unique<Tstory>();
    m_highscore = std::make_unique<Thighscore>();
    m_gamestart = std::make_unique<Tgamestart>();
    m_download = std::make_unique<Tdownload>();
    m_botSeats = std::make_unique<BotSeats>();
    m_chatBinding = std::make_unique<ChatBinding>(*m_chat, *m_phrases);
    m_settings = std::make_unique<SettingsBinding>(*m_chat, *m_chatBinding, *m_phrases);
    m_settings->hostOptions().setVersionText(m_about->versionText().toUtf8());
    m_connection = std::make_unique<ConnectionController>(*m_chat, m_settings->hostOptions());
    m_connection->setPorts(gamePort, lobbyPort);
    m_connection->setHistoryFile(&m_settings->file());
    wirePlayers();
    wireWindows();
    wireBackgrounds();
    fitWindowFrames();
    wireBots();
}

ProgramWindows::~ProgramWindows()
{
    // In reverse order of making, each pointer emptied before its object goes,
    // so what the main window still says while the rest goes reaches only
    // what stands.
    m_botSeats.reset();
    m_connection.reset();
    m_settings.reset();
    m_chatBinding.reset();
    m_download.reset();
    m_gamestart.reset();
    m_highscore.reset();
    m_story.reset();
    m_phrases.reset();
    m_tallylist.reset();
    m_help.reset();
    m_about.reset();
    m_spylist.reset();
    m_chat.reset();
}

void ProgramWindows::wirePlayers()
{
    PlayerListController& players = m_chat->players();
    players.setSpyList(m_spylist->listbox());
    players.setTallyLists(m_tallylist->checklist(), m_tallylist->listboxTally());
    QObject::connect(m_spylist.get(), &Tspylist::kicking, &players, &PlayerListController::kicking);
    // Direct: the tally counts from the refilled list right after asking.
    QObject::connect(m_tallylist.get(), &Ttallylist::loadchecklistrequested, &players,
                     &PlayerListController::loadchecklist, Qt::DirectConnection);
}

void ProgramWindows::wireWindows()
{
    ChatWindow* chat = m_chat.get();
    ClientSession* session = &chat->session();
    QObject::connect(chat, &ChatWindow::closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    QObject::connect(m_download.get(), &Tdownload::closemainwindow, chat, &QWidget::close);
    QObject::connect(m_download.get(), &Tdownload::hostGameRequested, chat, &ChatWindow::hostGameRequested);
    QObject::connect(m_download.get(), &Tdownload::joinGameRequested, chat, &ChatWindow::joinGameRequested);
    QObject::connect(m_connection.get(), &ConnectionController::hostingStarted, m_spylist.get(),
                     &Tspylist::enableKick);
    QObject::connect(chat, &ChatWindow::highScoresRequested, m_highscore.get(), [this](int mode) {
        m_highscore->loadit(mode);
        m_highscore->show();
        m_highscore->raise();
    });
    QObject::connect(chat, &ChatWindow::phraseListRequested, m_phrases.get(),
                     [this] { m_phrases->openEditor(m_chat.get()); });
    QObject::connect(m_help.get(), &Thelp::showabout, m_about.get(), [this] {
        m_about->show();
        m_about->raise();
    });
    m_gamestart->setAnchor(chat);
    m_help->setAnchor(chat);
    m_about->setAnchor(chat);
    m_tallylist->setAnchor(chat);
    Thelp* help = m_help.get();
    help->setTilePictures(m_settings->tileSet().pictures());
    QObject::connect(&m_settings->tileSet(), &TileSet::picturesChanged, help, &Thelp::setTilePictures);
    m_gamestart->setSession([session] { return session->myname(); },
                            [session] { return session->loggedin(); });
    QObject::connect(m_gamestart.get(), &Tgamestart::startgame, session,
                     [session](const QByteArray& message) { session->send(message); });
}

void ProgramWindows::wireBackgrounds()
{
    // Every window but the download window takes the main window's picture.
    const QPixmap back = SideWindowArt::picture(QStringLiteral("info_back.jpg"));
    m_spylist->setBackgroundPicture(back);
    m_about->setBackgroundPicture(back);
    m_help->setBackgroundPicture(back);
    m_tallylist->setBackgroundPicture(back);
    m_phrases->setBackgroundPicture(back);
    m_story->setBackgroundPicture(back);
    m_highscore->setBackgroundPicture(back);
    m_gamestart->setBackgroundPicture(back);
    // The picture is a dark sky; these two windows write plain labels on it,
    // which would be black on black.
    for (QWidget* window : {static_cast<QWidget*>(m_spylist.get()), static_cast<QWidget*>(m_gamestart.get())}) {
        QPalette light = window->palette();
        light.setColor(QPalette::WindowText, Qt::white);
        window->setPalette(light);
    }
}

void ProgramWindows::fitWindowFrames()
{
    // Laid out for one size each: whole titles, and nothing to maximise. The
    // main window's menus open them through the pointers handed over here.
    for (QWidget* window : {static_cast<QWidget*>(m_spylist.get()), static_cast<QWidget*>(m_about.get()),
                            static_cast<QWidget*>(m_help.get()), static_cast<QWidget*>(m_tallylist.get()),
                            static_cast<QWidget*>(m_phrases.get()), static_cast<QWidget*>(m_story.get()),
                            static_cast<QWidget*>(m_highscore.get()), static_cast<QWidget*>(m_gamestart.get()),
                            static_cast<QWidget*>(m_download.get())})
    {
        WindowFrame::fitTitle(window);
        m_chat->addSideWindow(window);
    }
}

void ProgramWindows::wireBots()
{
    BotSeats* seats = m_botSeats.get();
    Tgamestart* window = m_gamestart.get();
    seats->setSpeed(BotLevels::paceFromEnvironment());
    QObject::connect(window, &Tgamestart::addBot, seats, [this, seats](BotLevel level) {
        // Only a hosting copy has a table to seat them at.
        if (!m_connection->server().running())
            return;
        const quint16 port = m_connection->server().port();
        seats->setServer(QStringLiteral("127.0.0.1"), port);
        seats->add(level);
    });
    QObject::connect(window, &Tgamestart::removeBot, seats, &BotSeats::removeLast);
    QObject::connect(seats, &BotSeats::changed, window,
                     [window](int count) { window->setBotCount(count, BotSeats::MaxBots); });
}

void ProgramWindows::start(const QStringList& arguments)
{
    m_connection->setCommandLine(arguments);
    m_chat->show();
}
