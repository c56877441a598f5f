#include "main_window.h"

#include "board_canvas.h"
#include "client/core/game_model.h"
#include "client_commands.h"
#include "game_overlays.h"
#include "game_view.h"
#include "net/game_random.h"
#include "net/protocol_table.h"
#include "player_list_controller.h"
#include "score_panel.h"
#include "single_instance.h"
#include "ui/design_scale.h"
#include "ui/window_frame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QLockFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

// The back panel sits this far above the client area's top edge.
constexpr int BackPanelLift = 9;
// Design size of the back panel, and `panel_chat` on it.
constexpr QSize BackPanelSize(705, 540);
constexpr QRect ChatArea(8, 353, 692, 171);
// The game area as designed: the window's width, and the back panel's height
// below its lift. It scales as one piece to fit the client area.
constexpr QSize DesignArea(713, BackPanelSize.height() - BackPanelLift);
// The smallest client area is the board panel plus these margins.
constexpr int MinWidthMargin = 15;
constexpr int MinHeightMargin = 12;
constexpr QSize BoardPanelSize(314, 314);
// Work-area rule of the close: an oversized window is stored this much smaller.
constexpr int OversizeTrim = 15;

} // namespace

MainWindow::MainWindow(GameModel& model, const ClientParts& parts, QWidget* parent)
    : QMainWindow(parent), m_model(model), m_parts(parts)
{
    setObjectName(QStringLiteral("chat"));
    setWindowTitle(QStringLiteral("Gloop Dash"));
    buildPanels();
    m_players = std::make_unique<PlayerListController>(m_model, m_parts.chat, m_parts.options);
    m_view = new GameView(m_model, m_parts, m_back, this);
    buildMenus();
    m_players->attachRows(m_view->scorePanel());

    ClientCommands::Window& self = *this;
    m_commands = std::make_unique<ClientCommands>(m_model, *m_view, m_parts.chat, self, m_players->ignores());
    wireGameView();
    observeModel();
    formCreate();
}

MainWindow::~MainWindow()
{
    // The model's queue may still hold messages: the table that routes them to
    // this window's view goes before the view.
    m_commands.reset();
    delete m_view;
    m_view = nullptr;
}

void MainWindow::observeModel()
{
    ClientSession* session = &m_model.session();
    connect(session, &ClientSession::connectionClosed, this, &MainWindow::connectionClosed);
    connect(session, &ClientSession::hostSilent, this, [this] {
        m_parts.chat.addline(
            tr("The host does not answer. No game was found at %1.").arg(m_model.session().hostaddress()),
            StatusColour::blue());
    });
    m_startGame->setEnabled(m_model.holdsHostPowers());
    connect(&m_model, &GameModel::hostPowersChanged, m_startGame, &QAction::setEnabled);
    // Only the table's answer moves the tick.
    m_justWatch->setChecked(m_model.watching());
    connect(&m_model, &GameModel::watchingChanged, m_justWatch, &QAction::setChecked);
}

void MainWindow::wireGameView()
{
    connect(m_view->overlays().startButton(), &QAbstractButton::clicked, this,
            [this] { emit sideWindowRequested(SideWindow::GameStart); });
}

void MainWindow::setChatPanel(QWidget* panel)
{
    if (!panel || panel == m_chatPanel)
        return;
    delete m_chatPanel;
    m_chatPanel = panel;
    panel->setParent(m_back);
    panel->setGeometry(ChatArea);
    DesignScale::keepText(panel);
    layoutBackPanel();
    panel->show();
}

void MainWindow::buildPanels()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientarea"));
    m_client->setAutoFillBackground(true);
    QPalette black = m_client->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_client->setPalette(black);
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    m_back = new QWidget(m_client);
    m_back->setObjectName(QStringLiteral("panel_back"));
    m_back->setGeometry(QRect(QPoint(0, -BackPanelLift), BackPanelSize));
    m_chatPanel = new QWidget(m_back);
    m_chatPanel->setObjectName(QStringLiteral("panel_chat"));
    m_chatPanel->setGeometry(ChatArea);
    DesignScale::keepText(m_chatPanel);
    m_back->installEventFilter(this);
}

void MainWindow::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(tr("&File"));
    m_startGame = m_fileMenu->addAction(tr("Start Game"));
    m_startGame->setObjectName(QStringLiteral("StartGame1"));
    connect(m_startGame, &QAction::triggered, this, [this] { emit sideWindowRequested(SideWindow::GameStart); });
    m_fileMenu->addSeparator();
    QAction* host = m_fileMenu->addAction(tr("Host a Multi-player Game…"));
    host->setObjectName(QStringLiteral("HostGame1"));
    connect(host, &QAction::triggered, this, &MainWindow::hostGameRequested);
    QAction* join = m_fileMenu->addAction(tr("Join a Multi-player Game…"));
    join->setObjectName(QStringLiteral("JoinGame1"));
    connect(join, &QAction::triggered, this, &MainWindow::joinGameRequested);
    m_fileMenu->addSeparator();
    QAction* exit = m_fileMenu->addAction(tr("Exit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    m_optionsMenu = menuBar()->addMenu(tr("&Options"));
    m_justWatch = m_optionsMenu->addAction(tr("Just Watch"));
    m_justWatch->setObjectName(QStringLiteral("JustWatch1"));
    m_justWatch->setCheckable(true);
    connect(m_justWatch, &QAction::triggered, this, [this](bool checked) {
        // Only the server's answer moves the tick; undo the menu's own toggle.
        m_justWatch->setChecked(!checked);
        m_players->JustWatch1Click();
    });
    m_resetLocation = m_optionsMenu->addAction(tr("Reset Screen Location"));
    m_resetLocation->setObjectName(QStringLiteral("ResetScreenLocation1"));
    connect(m_resetLocation, &QAction::triggered, this, &MainWindow::ResetScreenLocation1Click);

    buildViewMenu();
}

void MainWindow::buildViewMenu()
{
    m_viewMenu = menuBar()->addMenu(tr("&View"));
    const auto add = [](QMenu* menu, const char* name, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    connect(add(m_viewMenu, "ViewTally1", tr("View Tally")), &QAction::triggered, this, [this] {
        m_players->loadchecklist();
        emit sideWindowRequested(SideWindow::Tally);
    });
    connect(add(m_viewMenu, "SpyList1", tr("Spy List")), &QAction::triggered, this,
            [this] { emit sideWindowRequested(SideWindow::SpyList); });
    connect(add(m_viewMenu, "PhraseList1", tr("Phrase List")), &QAction::triggered, this,
            &MainWindow::phraseListRequested);
    connect(add(m_viewMenu, "TheStory1", tr("The Story")), &QAction::triggered, this,
            [this] { emit sideWindowRequested(SideWindow::Story); });
    connect(add(m_viewMenu, "HighScores1", tr("Normal High Scores")), &QAction::triggered, this,
            [this] { emit highScoresRequested(GameMode::Standard); });
    connect(add(m_viewMenu, "ClassicHighScores1", tr("Classic High Scores")), &QAction::triggered, this,
            [this] { emit highScoresRequested(GameMode::Classic); });
    // Keyboard play starts here: the board takes the keys until Tab or a click moves on.
    QAction* board = add(m_viewMenu, "GoToBoard1", tr("Go to the Board"));
    board->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(board, &QAction::triggered, this,
            [this] { m_view->boardView()->canvas()->setFocus(Qt::ShortcutFocusReason); });

    m_helpMenu = menuBar()->addMenu(tr("&Help"));
    QAction* content = add(m_helpMenu, "Content1", tr("Content"));
    content->setShortcut(QKeySequence(Qt::Key_F1));
    connect(content, &QAction::triggered, this, [this] { emit sideWindowRequested(SideWindow::Help); });
    connect(add(m_helpMenu, "About1", tr("About")), &QAction::triggered, this,
            [this] { emit sideWindowRequested(SideWindow::About); });
}

void MainWindow::formCreate()
{
    m_marker = SingleInstance::holdMarker();
    GameRandom::seedFromClock();
    setWindowBounds(ResetBounds);
    formResize();
}

QRect MainWindow::windowBounds() const
{
    return QRect(pos(), size());
}

void MainWindow::setWindowBounds(const QRect& bounds)
{
    move(bounds.topLeft());
    resize(bounds.size());
}

void MainWindow::ResetScreenLocation1Click()
{
    setWindowBounds(ResetBounds);
}

QSize MainWindow::smallestClientArea() const
{
    const QWidget* board = m_view ? m_view->boardView() : nullptr;
    // The board's design size: its size on screen follows the window, and a
    // smallest area that grew with it would keep a large window from shrinking.
    const QSize boardSize = board ? DesignScale::designRect(board).size() : BoardPanelSize;
    return boardSize + QSize(MinWidthMargin, MinHeightMargin);
}

void MainWindow::formResize()
{
    const QSize smallest = smallestClientArea();
    m_client->setMinimumSize(smallest);
    const QSize area = m_client->size();
    // Height first, then width, each grown by what the client area lacks.
    if (area.height() < smallest.height())
        resize(width(), height() + smallest.height() - area.height());
    if (area.width() < smallest.width())
        resize(width() + smallest.width() - area.width(), height());
}

qreal MainWindow::gameScale() const
{
    const QSize area = m_client->size();
    return qMin(qreal(area.width()) / DesignArea.width(), qreal(area.height()) / DesignArea.height());
}

void MainWindow::layoutBackPanel()
{
    // The whole game area, chat included, grows with the window in its design
    // proportions, centred with black bands on the longer side. The chat's
    // text keeps its size: a larger chat shows more lines.
    const qreal scale = gameScale();
    const QSize area = m_client->size();
    const QRect design(QPoint(0, -BackPanelLift), BackPanelSize);
    const QPoint centre((area.width() - DesignArea.width() * scale) / 2,
                        (area.height() - DesignArea.height() * scale) / 2);
    m_back->setGeometry(DesignScale::scaled(design, scale).translated(centre));
    DesignScale::apply(m_back, scale);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_client && event->type() == QEvent::Resize) {
        layoutBackPanel();
        formResize();
    }
    // A part placed on the game area later (the phrase buttons) takes the
    // scale in force once it is built; one pass serves a burst of them.
    if (watched == m_back && event->type() == QEvent::ChildAdded && !m_relayoutQueued) {
        m_relayoutQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_relayoutQueued = false;
                layoutBackPanel();
            },
            Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    emit firstShown();
}

QByteArray MainWindow::version() const
{
    return QByteArray(BuiltInVersion);
}

void MainWindow::showError(const QString& text)
{
    // Not modal-blocking: the event loop, and with it the game, keeps running.
    auto* box = new QMessageBox(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("errorbox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    WindowFrame::fitTitle(box);
    box->open();
}

void MainWindow::gameIsFull()
{
    if (!m_fullBox)
        m_fullBox = closingBox(QStringLiteral("fullbox"), tr("Game is full"));
}

QMessageBox* MainWindow::closingBox(const QString& name, const QString& text)
{
    // The program ends when the box is dismissed.
    auto* box = new QMessageBox(QMessageBox::Information, QApplication::applicationName(), text, QMessageBox::Ok, this);
    box->setObjectName(name);
    box->setAttribute(Qt::WA_DeleteOnClose);
    WindowFrame::fitTitle(box);
    connect(box, &QDialog::finished, this, [this] {
        m_closeConfirmed = true;
        close();
    });
    box->open();
    return box;
}

void MainWindow::connectionLostForGood()
{
    closingBox(QStringLiteral("closedbox"), tr("The connection to the game has closed."));
}

void MainWindow::connectionClosed()
{
    // While "Game is full" is on screen the program ends when it is dismissed.
    if (m_fullBox)
        return;
    // The lobby closing its link is the lobby's way of ending the game.
    if (!m_model.session().serverClosed()) {
        close();
        return;
    }
    if (!m_removed && m_linkLoss && m_linkLoss())
        return;
    // Say why the window goes before it goes.
    closingBox(QStringLiteral("closedbox"),
               m_removed ? tr("You were removed from the game.") : tr("The connection to the game has closed."));
}

bool MainWindow::othersAtMyTable() const
{
    if (!m_model.hosting())
        return false;
    for (int slot = 1; slot <= Table::MaxSlots; ++slot)
        if (slot != m_model.myslot() && m_model.seats().seated(slot))
            return true;
    return m_model.gameRunning();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing a table others play at ends their game too: ask once first.
    if (!m_closeConfirmed && othersAtMyTable()) {
        event->ignore();
        auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("Gloop Dash"),
                                    tr("You host this game. Leaving ends it for everyone. Leave?"),
                                    QMessageBox::Yes | QMessageBox::No, this);
        box->setObjectName(QStringLiteral("exitbox"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        connect(box, &QMessageBox::finished, this, [this, box] {
            if (box->clickedButton() != box->button(QMessageBox::Yes))
                return;
            m_closeConfirmed = true;
            close();
        });
        box->open();
        return;
    }
    formClose();
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void MainWindow::formClose()
{
    if (windowBounds() == m_savedBounds)
        return;
    const QRect work = screen() ? screen()->availableGeometry() : QRect();
    QSize size = this->size();
    if (work.isValid() && size.width() > work.width())
        size.rwidth() -= OversizeTrim;
    if (work.isValid() && size.height() > work.height())
        size.rheight() -= OversizeTrim;
    resize(size);
    m_savedBounds = windowBounds();
    emit saveSettingsRequested();
}
