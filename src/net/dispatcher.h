#pragma once

#include "field_reader.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>

// The incoming queue and its dispatcher: messages are handled one at a time, in
// arrival order, at most one per interval, each handler run to its end before
// the next. It is a rate limit, not a clock: a message that arrives while idle
// and at least one interval after the last dispatch is handled at once (posted
// through the event loop, never from inside the read handler); otherwise at the
// next interval. The timer runs only while messages wait.
class Dispatcher : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(FieldReader&)>;

    explicit Dispatcher(int intervalMs, QObject* parent = nullptr);

    // One table entry per command word; the handler gets the payload.
    void on(const QByteArray& command, Handler handler);

    // Appends a complete message (without terminator) at the tail of the queue.
    void enqueue(const QByteArray& message);
    void enqueue(const QList<QByteArray>& messages);

    // Takes the head message and runs its handler; false when the queue is empty.
    bool dispatchOne();

    qsizetype queued() const { return qsizetype(m_queue.size()); }
    // Removes every waiting message for which `match` holds (a closed
    // connection's leftovers); returns how many went.
    qsizetype discard(const std::function<bool(const QByteArray&)>& match);
    // Queue cap: past it new messages are dropped (a flood must not grow memory
    // without bound). 0 = no cap.
    void setQueueLimit(qsizetype limit) { m_limit = limit; }
    qsizetype dropped() const { return m_dropped; }

    // Stops dispatching on its own (tests call dispatchOne themselves).
    void setManual(bool manual);

signals:
    // A handler was run for this command word (after it returned).
    void dispatched(const QByteArray& command);

private:
    void schedule();
    void tick();

    int m_interval;
    QHash<QByteArray, Handler> m_handlers;
    std::deque<QByteArray> m_queue;
    QTimer m_timer;
    QElapsedTimer m_sinceLast;
    bool m_posted = false;
    bool m_manual = false;
    qsizetype m_limit = 0;
    qsizetype m_dropped = 0;
};
