#pragma once

#include <QByteArray>

struct PlayerTable;

// Where the game sends its messages. Only connected slots ever get anything, so
// callers need not test `connected` before each send.
class Outbox {
public:
    explicit Outbox(const PlayerTable& players) : m_players(players) { }
    virtual ~Outbox() = default;

    // To one slot, if it is connected.
    void sendto(int slot, const QByteArray& message);
    // To every connected slot from 1 to `slotcount`, in slot order.
    void sendall(const QByteArray& message);

    // While a batch is open the messages for each slot gather and leave
    // together, in their order, when the outermost batch closes: a pick's
    // three answers go out in one write instead of three. Batches nest.
    class Batch {
    public:
        explicit Batch(Outbox& out) : m_out(out) { m_out.hold(); }
        ~Batch() { m_out.release(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Outbox& m_out;
    };

protected:
    virtual void deliver(int slot, const QByteArray& message) = 0;
    // A batch opens and closes; an outbox that sends at once ignores both.
    virtual void hold() { }
    virtual void release() { }

private:
    const PlayerTable& m_players;
};
