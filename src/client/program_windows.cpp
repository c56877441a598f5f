#include "program_windows.h"

#include "after_first_paint.h"
#include "bot/bot_seats.h"
#include "chat/core/settings_file.h"
#include "chat/tphrases.h"
#include "chat_binding.h"
#include "client/core/game_model.h"
#include "connection_controller.h"
#include "game_view.h"
#include "main_window.h"
#include "player_list_controller.h"
#include "settings_binding.h"
#include "side/about_window.h"
#include "side/core/score_post.h"
#include "side/core/spy_roster.h"
#include "side/core/tally_book.h"
#include "side/download_window.h"
#include "side/game_start_window.h"
#include "side/help_window.h"
#include "side/high_score_window.h"
#include "side/side_window_art.h"
#include "side/spy_list_window.h"
#include "side/story_window.h"
#include "side/tally_everyone_setting.h"
#include "side/tally_list_window.h"
#include "ui/window_frame.h"

#include <QCoreApplication>
#include <QDate>
#include <QMessageBox>

namespace {

// The game-start window's view of this copy's session.
class SessionLogin final : public LoginState {
public:
    explicit SessionLogin(const ClientSession& session) : m_session(session) { }
    QString myname() const override { return m_session.myname(); }
    bool loggedin() const override { return m_session.loggedin(); }

private:
    const ClientSession& m_session;
};

void showOnTop(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

// For windows that write plain labels on the dark background picture.
void lightenLabels(QWidget& window)
{
    QPalette light = window.palette();
    light.setColor(QPalette::WindowText, Qt::white);
    window.setPalette(light);
}

void fitSideWindow(QWidget& window, bool infoBackground)
{
    // Every window but the download window takes the main window's picture.
    if (infoBackground)
        SideWindowArt::tile(&window, SideWindowArt::picture(QStringLiteral("info_back.jpg")));
    // Laid out for one size each: whole titles, and nothing to maximise.
    WindowFrame::fitTitle(&window);
}

} // namespace

ProgramWindows::ProgramWindows(quint16 gamePort, quint16 lobbyPort)
    : m_model(std::make_unique<GameModel>()), m_spyRoster(std::make_unique<SpyRoster>()),
      m_tallyBook(std::make_unique<TallyBook>()), m_highscore(*this),
      m_chatBinding(std::make_unique<ChatBinding>(*m_model)),
      m_settings(std::make_unique<SettingsBinding>(*m_chatBinding)),
      m_chat(std::make_unique<MainWindow>(
          *m_model, ClientParts{*m_chatBinding, *m_chatBinding, *m_settings, *m_tallyBook, *this})),
      m_login(std::make_unique<SessionLogin>(m_model->session())), m_spylist(*this, *m_spyRoster),
      m_tallylist(*this, *m_tallyBook), m_phrases(*this), m_about(*this), m_help(*this), m_story(*this),
      m_gamestart(*this, *m_login), m_download(*this), m_afterFirstPaint(std::make_unique<AfterFirstPaint>(*m_chat)),
      m_connection(std::make_unique<ConnectionController>(*m_model, *m_chat, m_settings->hostOptions())),
      m_botSeats(std::make_unique<BotSeats>())
{
    // The chat's items come first in the Options menu, the settings' after them.
    m_chatBinding->place(*m_chat);
    m_settings->place(*m_chat);
    m_settings->hostOptions().setVersionText(QByteArray(MainWindow::BuiltInVersion));
    m_botSeats->setSpeed(BotLevels::paceFromEnvironment());
    m_connection->setPorts(gamePort, lobbyPort);
    m_connection->setHistoryFile(&m_settings->file());
    TallyEveryoneSetting::bind(*m_tallyBook, m_settings->file());
    wirePlayers();
    wireWindows();
}

ProgramWindows::~ProgramWindows() = default;

Tspylist& ProgramWindows::spylist()
{
    return m_spylist.get();
}

Ttallylist& ProgramWindows::tallylist()
{
    return m_tallylist.get();
}

Tphrases& ProgramWindows::phrases()
{
    return m_phrases.get();
}

Tabout& ProgramWindows::about()
{
    return m_about.get();
}

Thelp& ProgramWindows::help()
{
    return m_help.get();
}

Tstory& ProgramWindows::story()
{
    return m_story.get();
}

Thighscore& ProgramWindows::highscore()
{
    return m_highscore.get();
}

Tgamestart& ProgramWindows::gamestart()
{
    return m_gamestart.get();
}

Tdownload& ProgramWindows::download()
{
    return m_download.get();
}

void ProgramWindows::sendscore(const QString& name, const QString& date, const QString& score, GameMode mode)
{
    // The game writes the date as m/d/yy; the score script gets the system's
    // own date separator in place of the "/". The high-score window shows the
    // script's answer.
    QString local = date;
    local.replace(QLatin1Char('/'), ScorePost::systemDateSeparator());
    highscore().sendscore(name, local, score, GameModes::code(mode));
}

QDate ProgramWindows::today() const
{
    return QDate::currentDate();
}

void ProgramWindows::wirePlayers()
{
    PlayerListController& players = m_chat->players();
    // Whom this copy ignores is kept in a section of the settings file of
    // its own, read now: it does not wait for the game's settings to apply.
    SettingsFile& file = m_settings->file();
    players.ignores().attach({[&file](const QString& key) { return file.otherValue(IgnoreList::sectionName(), key); },
                              [&file](const QList<std::pair<QString, QString>>& values) {
                                  return file.setOtherValues(IgnoreList::sectionName(), values);
                              }});
    players.setSpies(m_spyRoster.get());
    players.setTally(m_tallyBook.get());
    // Direct: the tally counts from the refilled list right after asking.
    QObject::connect(m_tallyBook.get(), &TallyBook::loadchecklistrequested, &players,
                     &PlayerListController::loadchecklist, Qt::DirectConnection);
    // The tally window tells of its own failures once it exists.
    QObject::connect(m_tallyBook.get(), &TallyBook::saveFailed, m_chat.get(), [this](const QString& text) {
        if (!m_tallylist.ifBuilt())
            Ttallylist::reportSaveFailure(text, m_chat.get());
    });
}

void ProgramWindows::wireWindows()
{
    MainWindow* chat = m_chat.get();
    QObject::connect(chat, &MainWindow::closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    QObject::connect(chat, &MainWindow::sideWindowRequested, chat,
                     [this](MainWindow::SideWindow which) { openSideWindow(which); });
    QObject::connect(m_model.get(), &GameModel::hostPowersChanged, chat, [this](bool held) {
        if (Tspylist* spies = m_spylist.ifBuilt())
            spies->setKickEnabled(held);
    });
    QObject::connect(chat, &MainWindow::highScoresRequested, chat, [this](GameMode mode) {
        highscore().loadit(GameModes::code(mode));
        showOnTop(highscore());
    });
    QObject::connect(chat, &MainWindow::phraseListRequested, chat, [this] { phrases().openEditor(m_chat.get()); });
}

void ProgramWindows::setUp(Tspylist& window)
{
    fitSideWindow(window, true);
    // The picture is a dark sky; the spy list writes plain labels on it,
    // which would be black on black.
    lightenLabels(window);
    QObject::connect(&window, &Tspylist::kicking, &m_chat->players(), &PlayerListController::kicking);
    window.setKickEnabled(m_model->holdsHostPowers());
}

void ProgramWindows::openSideWindow(MainWindow::SideWindow which)
{
    using Side = MainWindow::SideWindow;
    switch (which) {
    case Side::GameStart: return showOnTop(gamestart());
    case Side::Tally: return showOnTop(tallylist());
    case Side::SpyList: return showOnTop(spylist());
    case Side::Story: return showOnTop(story());
    case Side::Help: return showOnTop(help());
    case Side::About: return showOnTop(about());
    // Offered at a solo start, while the main window is being shown: it
    // follows the main window's first picture rather than delaying it.
    case Side::Download: return m_afterFirstPaint->run([this] { showOnTop(download()); });
    }
}

void ProgramWindows::setUp(Ttallylist& window)
{
    fitSideWindow(window, true);
}

void ProgramWindows::setUp(Tstory& window)
{
    fitSideWindow(window, true);
}

void ProgramWindows::setUp(Tphrases& window)
{
    // The editor paints its own background; the buttons it fills are the chat's.
    window.setBackgroundPicture(SideWindowArt::seamless(SideWindowArt::picture(QStringLiteral("info_back.jpg"))));
    fitSideWindow(window, false);
    window.setButtons(&m_chatBinding->buttons());
    QObject::connect(&window, &Tphrases::phrasesDone, m_settings.get(), &SettingsBinding::savePhrases);
}

void ProgramWindows::setUp(Tabout& window)
{
    window.setAnchor(m_chat.get());
    fitSideWindow(window, true);
}

void ProgramWindows::setUp(Thelp& window)
{
    window.setAnchor(m_chat.get());
    fitSideWindow(window, true);
    // The tile set may have changed before the window was built.
    window.setTilePictures(m_settings->tileSet().pictures());
    QObject::connect(&m_settings->tileSet(), &TileSet::picturesChanged, &window, &Thelp::setTilePictures);
    QObject::connect(&window, &Thelp::showabout, &window, [this] { showOnTop(about()); });
}

void ProgramWindows::setUp(Thighscore& window)
{
    fitSideWindow(window, true);
}

void ProgramWindows::setUp(Tdownload& window)
{
    fitSideWindow(window, false);
    MainWindow* chat = m_chat.get();
    QObject::connect(&window, &Tdownload::closemainwindow, chat, &QWidget::close);
    QObject::connect(&window, &Tdownload::hostGameRequested, chat, &MainWindow::hostGameRequested);
    QObject::connect(&window, &Tdownload::joinGameRequested, chat, &MainWindow::joinGameRequested);
}

void ProgramWindows::setUp(Tgamestart& window)
{
    window.setAnchor(m_chat.get());
    fitSideWindow(window, true);
    lightenLabels(window);
    GameModel* model = m_model.get();
    QObject::connect(&window, &Tgamestart::startgame, model, [this, model](const QByteArray& message) {
        if (!model->gameRunning()) {
            model->send(message);
            return;
        }
        // A start now ends the game in play for everyone at the table.
        auto* box = new QMessageBox(
            QMessageBox::Question, QStringLiteral("Gloop Dash"),
            QCoreApplication::translate("ProgramWindows", "A game is running. Start a new one for everyone?"),
            QMessageBox::Yes | QMessageBox::No, m_chat.get());
        box->setObjectName(QStringLiteral("restartbox"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(box, &QMessageBox::finished, model, [box, model, message] {
            if (box->clickedButton() == box->button(QMessageBox::Yes))
                model->send(message);
        });
        box->open();
    });
    wireBotSeats(window);
}

void ProgramWindows::wireBotSeats(Tgamestart& window)
{
    BotSeats* seats = m_botSeats.get();
    QObject::connect(&window, &Tgamestart::addBot, seats, [this, seats](BotLevel level) {
        // Only a hosting copy has a table to seat them at.
        if (!m_connection->server().running())
            return;
        seats->setServer(QStringLiteral("127.0.0.1"), m_connection->server().port());
        QList<QByteArray> seated;
        const GameSeats& names = m_model->seats();
        for (int slot = 1; slot <= Table::Seats; ++slot)
            if (names.seated(slot))
                seated.append(names.name(slot).toUtf8());
        seats->add(level, seated);
    });
    QObject::connect(&window, &Tgamestart::removeBot, seats, &BotSeats::removeLast);
    QObject::connect(seats, &BotSeats::changed, &window,
                     [&window](int count) { window.setBotCount(count, BotSeats::MaxBots); });
    window.setBotCount(seats->count(), BotSeats::MaxBots);
}

void ProgramWindows::start(const QStringList& arguments)
{
    m_connection->setCommandLine(arguments);
    m_chat->show();
    // A tally file that could not be read is told over the main window, now
    // that the player can see it.
    Ttallylist::reportLoadError(*m_tallyBook, m_chat.get());
}
