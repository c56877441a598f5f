#pragma once

#include <QHash>

#include "client_commands.h"
#include "client_parts.h"
#include "gd_version.h"

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>

class GameModel;
class GameView;
class PlayerListController;
class QAction;
class QLockFile;
class QMenu;
class QMessageBox;

// The main window `chat` (class `Tchat`): a black window whose back panel holds
// the board, the score panel and the chat; the program ends when it closes.
// It shows the game model it is given and never changes the connection:
// that is the connection controller's business, which starts when the window
// is first shown.
class MainWindow : public QMainWindow, private ClientCommands::Window {
    Q_OBJECT
public:
    // The version text this client logs in with and shows: the build's.
    static constexpr const char* BuiltInVersion = GD_VERSION_TEXT;
    // The main window's place and size after "Reset Screen Location".
    static constexpr QRect ResetBounds{3, 3, 713, 568};

    // `model`: the game shown; `parts`: the chat, sounds, options, tally and
    // high-score poster the window's game and message handling talk to. Both
    // must outlive the window.
    MainWindow(GameModel& model, const ClientParts& parts, QWidget* parent = nullptr);
    ~MainWindow() override;

    GameModel& model() { return m_model; }
    GameView& gameView() { return *m_view; }
    // Options "Reset Screen Location" (`ResetScreenLocation1`).
    QAction* resetLocationAction() const { return m_resetLocation; }
    PlayerListController& players() { return *m_players; }
    // Where the window's status lines go.
    ChatSink& chatSink() const { return m_parts.chat; }

    QWidget* backPanel() const { return m_back; }
    // `panel_chat`: the chat's area, kept anchored to all four window edges.
    // Until the chat itself is placed there it is an empty panel.
    QWidget* chatPanel() const { return m_chatPanel; }
    // Puts the chat (its own `panel_chat`) in the chat's area, replacing what was there.
    void setChatPanel(QWidget* panel);
    QMenu* fileMenu() const { return m_fileMenu; }
    QMenu* optionsMenu() const { return m_optionsMenu; }
    QMenu* viewMenu() const { return m_viewMenu; }
    QMenu* helpMenu() const { return m_helpMenu; }

    // Window place and size as the settings file keeps them: left and top of the
    // frame, width and height of the window.
    QRect windowBounds() const;
    void setWindowBounds(const QRect& bounds);
    // The bounds last loaded from (or written to) the settings file.
    QRect savedBounds() const { return m_savedBounds; }
    void setSavedBounds(const QRect& bounds) { m_savedBounds = bounds; }

    void ResetScreenLocation1Click();
    // The version text sent at login: the build's version.
    QByteArray version() const override;
    // The side windows the menus and buttons open. Whoever holds them builds
    // each at its first showing.
    enum class SideWindow { GameStart, Tally, SpyList, Story, Help, About, Download };
    // The download window, offered at a solo start.
    void showDownload() { emit sideWindowRequested(SideWindow::Download); }
    // A failure the player must act on, in a box that does not block the game.
    void showError(const QString& text);
    // Asked when the table's link closes without a kick or a full table: true
    // when it takes over (comes back to the table), false to end as before.
    void setLinkLossHandler(std::function<bool()> handler) { m_linkLoss = std::move(handler); }
    // The table stayed out of reach: the closing box, and the program ends.
    void connectionLostForGood();

signals:
    // The window is on screen for the first time; the command line is read
    // once its first picture is drawn.
    void firstShown();
    // File "Host a Multi-player Game…" / "Join a Multi-player Game…".
    void hostGameRequested();
    void joinGameRequested();
    // The window closed after being moved or resized: write the settings file.
    void saveSettingsRequested();
    // "Normal High Scores" / "Classic High Scores" was chosen.
    void highScoresRequested(GameMode mode);
    // "Phrase List" was chosen: open the phrase editor over this window.
    void phraseListRequested();
    // A menu or button asks for a side window: show it on top.
    void sideWindowRequested(MainWindow::SideWindow which);
    // The window has closed: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanels();
    void buildMenus();
    void buildViewMenu();
    void wireGameView();
    void observeModel();
    void formCreate();
    void formResize();
    void formClose();
    void layoutBackPanel();
    // How many times its design size the game area is drawn at.
    qreal gameScale() const;
    void gameIsFull() override;
    void removed() override { m_removed = true; }
    QMessageBox* closingBox(const QString& name, const QString& text);
    void connectionClosed();
    QSize smallestClientArea() const;
    // This copy hosts and somebody else sits at its table, or a game runs.
    bool othersAtMyTable() const;

    GameModel& m_model;
    ClientParts m_parts;
    QWidget* m_client = nullptr;
    QWidget* m_back = nullptr;
    QPointer<QWidget> m_chatPanel;
    GameView* m_view = nullptr;
    std::unique_ptr<PlayerListController> m_players;
    std::unique_ptr<ClientCommands> m_commands;
    std::unique_ptr<QLockFile> m_marker;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_optionsMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_startGame = nullptr;
    QAction* m_justWatch = nullptr;
    QAction* m_resetLocation = nullptr;
    QPointer<QMessageBox> m_fullBox;
    // The server said it removes us before closing.
    bool m_removed = false;
    std::function<bool()> m_linkLoss;

    bool m_shown = false;
    // The player agreed to end the game he hosts by closing.
    bool m_closeConfirmed = false;
    bool m_relayoutQueued = false;
    QRect m_savedBounds{0, 0, 0, 0};
};
