#pragma once

#include "client/core/ignore_list.h"
#include "client_chat.h"
#include "net/protocol_to_client.h"

#include <QObject>
#include <QPointer>

class ClientSession;
class GameOptions;
class QAction;
class QLabel;
class QMenu;
class ScorePanel;
class SpyRoster;
class TallyBook;

// The player panel: who sits in which of the six rows, who watches (spy list),
// who joins and leaves, the "Just Watch" switch, the host's right to remove
// a player, and whom this copy ignores or mutes. Seat names live in the
// session's SeatNames; the score panel's rows display them (with a mark for
// an ignored or muted player) and carry the `popup_kick` menu.
class PlayerListController : public QObject {
    Q_OBJECT
public:
    // Status lines go to `chat`; `options` loads the settings file once our
    // own connection is confirmed.
    PlayerListController(ClientSession& session, ChatSink& chat, GameOptions& options, QObject* parent = nullptr);
    ~PlayerListController() override;

    // The rows that show the seats; their name labels get the `popup_kick` menu.
    void attachRows(ScorePanel* rows);
    // The Options menu's "Just Watch" entry (`JustWatch1`).
    void setJustWatchAction(QAction* action);
    // Who watches, as the spy list shows it.
    void setSpies(SpyRoster* spies);
    // The tally whose "Players In Current Game" loadchecklist fills.
    void setTally(TallyBook* tally);

    // Message handlers; a player already present (CMD_existingplayers) arrives
    // like a newcomer.
    void newplayerinfo(const ToClient::NewPlayerInfo& m);
    void playerdisconnected(const ToClient::PlayerDisconnected& m);
    void justwatching(const ToClient::JustWatching& m);

    // Every row back to "<Waiting>", nobody watching: the table before a new
    // connection.
    void clearTable();
    // Names the seated opponents to the tally as "Players In Current Game".
    void loadchecklist();
    // Asks the server to remove a slot (host only).
    void kicking(int slot);
    // Options "Just Watch": asks to sit out, or to play again when ticked.
    // Between games the server would ignore it; the player is told instead.
    void JustWatch1Click(bool gameRunning);

    // The name of a seat as its row shows it ("<Waiting>" when empty).
    QString seatName(int slot) const;

    // Whom this copy ignores or mutes, as the menu's "Ignore" and "Mute
    // Sounds" set it.
    IgnoreList& ignores() { return m_ignores; }
    // The menu's "Ignore" and "Mute Sounds" for the player in `slot`.
    void toggleIgnore(IgnoreList::Kind kind, int slot, bool on);

    QMenu* popupKick() const { return m_popup; }
    // Prepares `popup_kick` for the name label of `slot` (shared by all six labels).
    void label_playername1ContextPopup(int slot);
    int popupSlot() const { return m_popupSlot; }

signals:
    // A player took seat `slot` (1 to 6), left it, or began or stopped watching.
    void seatTaken(int slot);
    void seatFreed(int slot);
    void seatWatching(int slot, bool watching);

private:
    void addSpy(int slot, const QString& name);
    bool removeSpy(int slot, const QString& name);
    void setTheJustWatch(int slot);

    ClientSession& m_session;
    ChatSink& m_chat;
    GameOptions& m_options;
    QPointer<ScorePanel> m_rows;
    QPointer<QAction> m_justWatch;
    QPointer<SpyRoster> m_spies;
    QPointer<TallyBook> m_tally;
    QMenu* m_popup = nullptr;
    QAction* m_removeFromGame = nullptr;
    QAction* m_setToJustWatch = nullptr;
    QAction* m_ignore = nullptr;
    QAction* m_mute = nullptr;
    IgnoreList m_ignores;
    int m_popupSlot = 0;
};
