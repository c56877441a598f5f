#include "host_powers.h"

void HostPowers::seated(int slot)
{
    seated(slot, ++m_next);
}

void HostPowers::seated(int slot, quint64 since)
{
    if (Table::isSlot(slot))
        m_since[size_t(slot)] = since;
}

quint64 HostPowers::since(int slot) const
{
    return Table::isSlot(slot) ? m_since[size_t(slot)] : 0;
}

int HostPowers::holder(const PlayerTable& players) const
{
    if (m_rule == Rule::SlotOne)
        return 1;
    int best = 0;
    for (int slot = 1; slot <= Table::Seats; ++slot) {
        const tplayer& p = players[slot];
        if (!p.loggedin || p.bot)
            continue;
        if (best == 0 || m_since[size_t(slot)] < m_since[size_t(best)])
            best = slot;
    }
    return best;
}
