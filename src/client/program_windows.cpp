#include "program_windows.h"

#include "chat_window.h"
#include "server/server.h"
#include "side/about_window.h"
#include "side/download_window.h"
#include "side/help_window.h"
#include "side/high_score_window.h"
#include "side/story_window.h"

#include <QCoreApplication>

ProgramWindows::ProgramWindows(quint16 gamePort, quint16 lobbyPort)
{
    m_chat = std::make_unique<ChatWindow>();
    m_about = std::make_unique<Tabout>();
    m_help = std::make_unique<Thelp>();
    m_story = std::make_unique<Tstory>();
    m_highscore = std::make_unique<Thighscore>();
    m_server = std::make_unique<Server>(*m_chat, gamePort);
    m_download = std::make_unique<Tdownload>();
    m_chat->setServer(m_server.get());
    m_chat->setPorts(gamePort, lobbyPort);
    wire();
}

ProgramWindows::~ProgramWindows() = default;

void ProgramWindows::wire()
{
    ChatWindow* chat = m_chat.get();
    QObject::connect(chat, &ChatWindow::closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    QObject::connect(m_download.get(), &Tdownload::closemainwindow, chat, &QWidget::close);
    QObject::connect(chat, &ChatWindow::highScoresRequested, m_highscore.get(),
                     [this](int mode) {
                         m_highscore->loadit(mode);
                         m_highscore->show();
                         m_highscore->raise();
                     });
}

void ProgramWindows::start(const QStringList& arguments)
{
    m_chat->setCommandLine(arguments);
    m_chat->show();
}
