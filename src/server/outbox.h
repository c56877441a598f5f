#pragma once

#include <QByteArray>

struct PlayerTable;

// Where the game sends its messages. Only connected slots ever get anything, so
// callers need not test `connected` before each send.
class Outbox {
public:
    explicit Outbox(const PlayerTable& players) : m_players(players) {}
    virtual ~Outbox() = default;

    // To one slot, if it is connected.
    void sendto(int slot, const QByteArray& message);
    // To every connected slot from 1 to `slotcount`, in slot order.
    void sendall(const QByteArray& message);

protected:
    virtual void deliver(int slot, const QByteArray& message) = 0;

private:
    const PlayerTable& m_players;
};
