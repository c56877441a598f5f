#pragma once

#include "player_table.h"

#include <array>

// Who holds the host's powers at a table: starting a game (and restarting one
// in play), removing a player, switching another seat to watching, and being
// told of a newcomer's wrong version. In a hosting copy that is its own
// player in slot 1. A table without a player of its own gives them to the
// person seated longest, so a connection that came and went before the first
// real player (a port probe, a failed first try) takes nothing with it, and
// when that person leaves the next-longest-seated takes over. Bots never hold
// them.
class HostPowers {
public:
    enum class Rule { SlotOne, LongestSeated };

    void setRule(Rule rule) { m_rule = rule; }
    Rule rule() const { return m_rule; }

    // A seat's player logged in now; `since` carries over an earlier seating
    // (a player who came back on a new connection keeps his place).
    void seated(int slot);
    void seated(int slot, quint64 since);
    quint64 since(int slot) const;

    // The slot holding the powers now; 0 when no person sits.
    int holder(const PlayerTable& players) const;

private:
    Rule m_rule = Rule::SlotOne;
    quint64 m_next = 0;
    std::array<quint64, Table::MaxSlots + 1> m_since{};
};
