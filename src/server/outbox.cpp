#include "outbox.h"

#include "player_table.h"

void Outbox::sendto(int slot, const QByteArray& message)
{
    if (m_players.connected(slot))
        deliver(slot, message);
}

void Outbox::sendall(const QByteArray& message)
{
    // A send may close a connection that went over its send cap; re-test each
    // slot as we reach it rather than working from a list made beforehand.
    for (int slot = 1; slot <= m_players.slotcount && slot <= Table::MaxSlots; ++slot)
        sendto(slot, message);
}
