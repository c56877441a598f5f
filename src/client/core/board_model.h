#pragma once

#include "board_grid.h"
#include "game_sounds.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// What one board message or one click asks the window to show. The model
// changes only itself; the view reads these and the mirror to draw.
struct BoardEffects {
    // False when the message named no seat or cell (a malformed one never
    // reaches the model: the catalogue drops it whole).
    bool handled = true;
    bool boardChanged = false;
    bool previewsChanged = false;
    // Game sounds in the order they start.
    QList<GameSound> sounds;
    // Final text of the status line.
    std::optional<QString> status;
    // Trail score the bonus popup shows for about three seconds.
    std::optional<int> popup;
    // New text of the trail-score label, and the cell it moves to (unset: it stays).
    std::optional<QString> trailText;
    std::optional<QPoint> trailCell;
    // Seat (slot 1 to 6) whose total changes to `score`; 0 for none.
    int scoreSlot = 0;
    int score = 0;
    // The local player's trail score, offered to the tally as a possible highest trail.
    std::optional<int> highestTrail;
    // Finished pick request to send; empty for none.
    QByteArray send;
};

// The mirror of the local seat's board, fed only by server messages, with the
// local rule that decides whether a click becomes a pick request. It also
// keeps the round state the board and the turn flow share: the current and
// next tile, whether picking is open, whose round it is and each seat's
// running trail score.
class BoardModel {
public:
    BoardModel();

    const BoardGrid& grid() const { return m_grid; }
    int tile(int x, int y) const { return m_grid.tiles[x][y]; }
    int bonus(int x, int y) const { return m_grid.bonus[x][y]; }

    // Every cell empty, no bonus: at start-up and when a game starts.
    void clear();

    BoardEffects settiles(const ToClient::SetTiles& m);
    BoardEffects setbonus(const ToClient::SetBonus& m);
    BoardEffects setnexttile(const ToClient::SetNextTile& m, int myslot);
    BoardEffects removetile(const ToClient::RemoveTile& m, int myslot);
    BoardEffects bombed(const ToClient::Bombed& m);
    BoardEffects error();
    // A mouse button released at pixel (px, py) of the 312 × 312 paint box.
    BoardEffects boardMouseUp(int px, int py, int myslot, bool loggedin);

    int currentTile() const { return m_current; }
    int nextTile() const { return m_next; }
    bool canselect() const { return m_canselect; }
    void setCanselect(bool open) { m_canselect = open; }
    int currentplayer() const { return m_currentplayer; }
    void setCurrentplayer(int slot) { m_currentplayer = slot; }

    // Running trail score of a seat (0 for slots without a row).
    int trailScore(int slot) const { return seat(slot) ? m_trail[slot] : 0; }
    void setTrailScore(int slot, int score);

    static bool seat(int slot) { return Table::isSeat(slot); }

private:
    // Empties the trail marks left by the previous trail.
    bool clearTrail();
    // Marks a taken cell as part of the trail; its bonus is used up.
    void take(int x, int y);
    bool acceptable(int x, int y) const;

    BoardGrid m_grid;
    int m_current = 0;
    int m_next = 0;
    bool m_canselect = false;
    int m_currentplayer = 0;
    std::array<int, Table::Seats + 1> m_trail{};
};
