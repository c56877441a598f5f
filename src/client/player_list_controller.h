#pragma once

#include "client/core/ignore_list.h"
#include "client_chat.h"

#include <QObject>
#include <QPointer>
#include <QSet>

class GameModel;
class GameOptions;
class QAction;
class QLabel;
class QMenu;
class ScorePanel;
class SpyRoster;
class TallyBook;

// The player panel: who sits in which of the six rows, who watches (spy list),
// who joins and leaves, the "Just Watch" switch, the host's right to remove
// a player, and whom this copy ignores or mutes. The seats live in the game
// model; this tells of their changes in the chat, and the score panel's rows
// display them (with a mark for an ignored or muted player) and carry the
// `popup_kick` menu.
class PlayerListController : public QObject {
    Q_OBJECT
public:
    // Status lines go to `chat`; `options` loads the settings file once our
    // own connection is confirmed.
    PlayerListController(GameModel& model, ChatSink& chat, GameOptions& options, QObject* parent = nullptr);
    ~PlayerListController() override;

    // The rows that show the seats; their name labels get the `popup_kick` menu.
    void attachRows(ScorePanel* rows);
    // Who watches, as the spy list shows it.
    void setSpies(SpyRoster* spies);
    // The tally whose "Players In Current Game" loadchecklist fills.
    void setTally(TallyBook* tally);

    // Names the seated opponents to the tally as "Players In Current Game".
    void loadchecklist();
    // Asks the server to remove a slot (host only).
    void kicking(int slot);
    // Options "Just Watch": asks to sit out, or to play again while watching.
    // Between games the server would ignore it; the player is told instead.
    void JustWatch1Click();

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

private:
    void playerConnected(int slot, const QString& name);
    void playerDisconnected(int slot, const QString& name, const QString& seatName);
    void watchingAnnounced(int slot, bool watching);
    void tableLeft();
    void addSpy(int slot, const QString& name);
    bool removeSpy(int slot, const QString& name);
    void setTheJustWatch(int slot);

    GameModel& m_model;
    ChatSink& m_chat;
    GameOptions& m_options;
    QPointer<SpyRoster> m_spies;
    ScorePanel* m_rows = nullptr;
    QPointer<TallyBook> m_tally;
    QMenu* m_popup = nullptr;
    QAction* m_removeFromGame = nullptr;
    QAction* m_setToJustWatch = nullptr;
    QAction* m_ignore = nullptr;
    QAction* m_mute = nullptr;
    IgnoreList m_ignores;
    int m_popupSlot = 0;
    // Slots this copy asked the table to remove: their leaving says so.
    QSet<int> m_removing;
};
