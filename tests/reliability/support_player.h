#pragma once

#include "wire_client.h"

#include "net/field_reader.h"

#include <QByteArray>
#include <array>

// An honest player: keeps a mirror of its board from what the server tells it,
// picks only tiles its current tile matches, and adds up its own round result
// from the server's move replies, the way a bot checks the server's sums.
class Player : public WireClient {
public:
    enum class Pick { Taken, Cleared, Refused, NoReply, NothingToPick };

    // Picks one matching tile and waits for the server's answer.
    Pick pick();
    // Picks this cell and waits for the server's answer.
    Pick pickAt(int x, int y);
    // The message that picks this cell.
    QByteArray pickMessage(int x, int y) const;
    // Whether the current tile lets this cell be picked.
    bool matches(int x, int y) const;
    // Reads up to this seat's deal (its CMD_setnntile) of the next round.
    bool awaitDeal(int timeoutMs = 5000);

    // Own view of the round: tiles left, the current tile and the round result
    // (banked trails plus the running one) as the move replies add up.
    int tilesLeft() const;
    int tile() const { return m_tile; }
    int roundResult() const { return m_banked + m_trail; }
    int total() const { return m_total; }

    using Grid = std::array<std::array<int, 6>, 6>;
    const Grid& board() const { return m_board; }
    const Grid& bonus() const { return m_bonus; }

protected:
    void seen(const QByteArray& message) override;

private:
    void newDeal(const QByteArray& list);
    void removed(FieldReader& f);
    void bombed(FieldReader& f);
    // The move is complete: the next tile or the end of the board came.
    void drawn();

    Grid m_board{};
    Grid m_bonus{};
    int m_tile = 0;
    int m_banked = 0;
    int m_trail = 0;
    int m_total = 0;
    int m_chain = 0;
    bool m_firstPick = true;
    bool m_quietBomb = false;
};
