#include "program_windows.h"

// tphrases.h keeps a QPointer to the buttons, which needs their full type.
#include "chat/phrase_buttons.h"
#include "chat/tphrases.h"
#include "chat_window.h"
#include "client/core/client_session.h"
#include "game_view.h"
#include "player_list_controller.h"
#include "server/server.h"
#include "side/about_window.h"
#include "side/download_window.h"
#include "side/game_start_window.h"
#include "side/help_window.h"
#include "side/high_score_window.h"
#include "side/spy_list_window.h"
#include "side/story_window.h"
#include "side/tally_list_window.h"

#include <QCoreApplication>

ProgramWindows::ProgramWindows(quint16 gamePort, quint16 lobbyPort)
{
    m_chat = std::make_unique<ChatWindow>();
    m_spylist = std::make_unique<Tspylist>();
    m_about = std::make_unique<Tabout>();
    m_help = std::make_unique<Thelp>();
    m_tallylist = std::make_unique<Ttallylist>();
    m_phrases = std::make_unique<Tphrases>();
    m_story = std::make_unique<Tstory>();
    m_highscore = std::make_unique<Thighscore>();
    m_server = std::make_unique<Server>(*m_chat, gamePort);
    m_gamestart = std::make_unique<Tgamestart>();
    m_download = std::make_unique<Tdownload>();
    m_chat->setServer(m_server.get());
    m_chat->setPorts(gamePort, lobbyPort);
    wirePlayers();
    wireGame();
    wireWindows();
}

ProgramWindows::~ProgramWindows() = default;

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

void ProgramWindows::wireGame()
{
    GameHooks& view = m_chat->gameView().hooks();
    Ttallylist* tally = m_tallylist.get();
    view.tallyHighScore = [tally] { return tally->mylabeltext(3); };
    view.tallyHighestTrail = [tally] { return tally->mylabeltext(4); };
    view.addword = [tally](const QString& text, int column) { tally->addword(text, column); };
    view.addgame = [tally](const QString& winner) { tally->addgame(winner); };
    view.addtomine = [tally](int column) { tally->addtomine(column); };
    Thighscore* scores = m_highscore.get();
    view.sendscore = [scores](const QString& name, const QString& date, const QString& score,
                              int mode) { scores->sendscore(name, date, score, mode); };
}

void ProgramWindows::wireWindows()
{
    ChatWindow* chat = m_chat.get();
    ClientSession* session = &chat->session();
    QObject::connect(chat, &ChatWindow::closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    QObject::connect(m_download.get(), &Tdownload::closemainwindow, chat, &QWidget::close);
    QObject::connect(chat, &ChatWindow::highScoresRequested, m_highscore.get(), [this](int mode) {
        m_highscore->loadit(mode);
        m_highscore->show();
        m_highscore->raise();
    });
    QObject::connect(chat, &ChatWindow::phraseListRequested, m_phrases.get(),
                     [this] { m_phrases->openEditor(m_chat.get()); });
    m_gamestart->setAnchor(chat);
    m_gamestart->setSession([session] { return session->myname(); },
                            [session] { return session->loggedin(); });
    QObject::connect(m_gamestart.get(), &Tgamestart::startgame, session,
                     [session](const QByteArray& message) { session->send(message); });
}

void ProgramWindows::start(const QStringList& arguments)
{
    m_chat->setCommandLine(arguments);
    m_chat->show();
}
