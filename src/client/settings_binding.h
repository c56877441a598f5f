#pragma once

#include "chat/core/settings_file.h"
#include "chat/core/tile_set.h"
#include "game_options.h"
#include "server/shared_host_options.h"

#include <QObject>
#include <QPointer>
#include <QRect>

class ChatBinding;
class MainWindow;
class QAction;
class QMenu;
class QMessageBox;
class TileSetMenu;

// The main window's preferences and the settings file behind them: "Post High
// Score", "Show Winner's Path" and the "Tile Set" menu of the Options menu,
// `loadinifile` when the server confirms our own connection, and `saveinifile`
// after every change of an option, the chat's text size or colour, a tile set,
// and when the window closes after being moved or resized. The phrase editor's
// "Done" stores the phrases (savePhrases). The main window reads its options,
// so it is made before the window and outlives it.
class SettingsBinding : public QObject, public GameOptions {
    Q_OBJECT
public:
    // folder holds the settings file and the tile-set folder; the program
    // folder by default.
    explicit SettingsBinding(ChatBinding& chat, const QString& folder = {});

    // Puts the options and the tile-set and language menus into `window`'s
    // Options menu and keeps its place in the file; once, as soon as the
    // window is made and the chat placed, before any message is handled.
    void place(MainWindow& window);

    void loadinifile() override;
    bool postHighScore() const override;
    bool showWinnersPath() const override;
    // The phrase editor's "Done": stores the nine phrases in button order.
    void savePhrases(const QStringList& phrases);
    // Writes the current preferences; `changed` names what the user just
    // changed. A refused write is shown to the user; false then.
    bool saveinifile(SettingsFile::Keys changed);

    SettingsFile& file() { return m_file; }
    TileSet& tileSet() { return m_tiles; }
    TileSetMenu& tileSetMenu() const { return *m_tileMenu; }
    QAction* highScore() const { return m_highScore; }
    QAction* winnersPath() const { return m_winnersPath; }
    QAction* listGame() const { return m_listGame; }
    // What a server hosted by this copy reads: kept in step with the options.
    SharedHostOptions& hostOptions() { return m_hostOptions; }

private:
    QAction* makeOption(const char* name, const QString& caption, SettingsFile::Key key);
    void buildTileSetMenu(MainWindow& window);
    void wireSaves();
    GameSettings currentSettings() const;
    void chatLookChosen();
    int tickedSize() const;
    void rememberChatLook();
    void windowClosing();
    void reportFailure();

    // Set by place.
    MainWindow* m_window = nullptr;
    ChatBinding& m_chat;
    SettingsFile m_file;
    TileSet m_tiles;
    SharedHostOptions m_hostOptions;
    QAction* m_highScore = nullptr;
    QAction* m_winnersPath = nullptr;
    QAction* m_listGame = nullptr;
    QMenu* m_tileSetQMenu = nullptr;
    TileSetMenu* m_tileMenu = nullptr;
    // Where the program itself last put the window; a close elsewhere means
    // the player moved or resized it.
    QRect m_placed;
    bool m_boundsApplied = false;
    // The chat's text size and own colour as last loaded or written, to tell
    // which of the two the player just chose.
    int m_textSize = 0;
    int m_tickedSize = 0;
    quint32 m_textColour = 0;
    QPointer<QMessageBox> m_failure;
};
