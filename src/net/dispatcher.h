#pragma once

#include "dispatch_clock.h"
#include "field_reader.h"
#include "token_bucket.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

// The incoming queue and its dispatcher. Each source (a connection) has its own
// queue, kept in order; the sources take turns, one entry each, so one that
// floods cannot hold up the others (a source that was idle takes the next
// turn). Each handler runs to its end before the
// next. It is a rate limit, not a clock: after a quiet spell up to `burst`
// entries are handled at once, then one per interval; an entry that may run now
// is posted through the event loop (never run from inside the read handler that
// queued it), and the timer runs only while entries wait for their turn.
class Dispatcher : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(FieldReader&)>;
    using Source = qint64;

    explicit Dispatcher(int intervalMs, QObject* parent = nullptr);

    // One table entry per command word; the handler gets the payload.
    void on(const QByteArray& command, Handler handler);

    // Appends a complete message (without terminator) at the tail of a source's queue.
    void enqueue(Source source, const QByteArray& message);
    void enqueue(const QByteArray& message) { enqueue(0, message); }
    void enqueue(const QList<QByteArray>& messages);
    // Queues a step that runs in its turn, after every entry the source queued
    // before it (a closed connection's departure follows its last messages).
    // Steps are never dropped by the queue cap.
    void enqueueCall(Source source, std::function<void()> call);

    // Runs the next entry in turn, whatever the rate; false when none waits.
    bool dispatchOne();
    // Runs the next entry only if the rate allows one now.
    bool dispatchIfDue();
    // The source whose entry is running (0 outside a handler).
    Source currentSource() const { return m_current; }

    qsizetype queued() const { return m_total; }
    qsizetype queued(Source source) const;
    qint64 queuedBytes(Source source) const;
    // Drops a source's waiting messages (its steps stay); returns how many went.
    qsizetype discard(Source source);
    // Queue cap over all sources: past it new messages are dropped (a flood
    // must not grow memory without bound). 0 = no cap.
    void setQueueLimit(qsizetype limit) { m_limit = limit; }
    qsizetype dropped() const { return m_dropped; }

    // Entries that may pass at once after a quiet spell (1 unless set).
    void setBurst(int burst) { m_bucket.setBurst(burst); }
    // The clock the rate is measured on; must outlive the dispatcher.
    void setClock(const DispatchClock& clock) { m_clock = &clock; }
    // Stops dispatching on its own (tests call dispatchOne themselves).
    void setManual(bool manual);
    // Neither a timer nor a posted call is pending.
    bool idle() const { return !m_timer.isActive(); }

signals:
    // A handler was run for this command word (after it returned).
    void dispatched(const QByteArray& command);
    // A message was dropped for want of a handler: an unknown command word,
    // or none at all (empty when the message had no "+").
    void unhandled(const QByteArray& command);

private:
    // A queued message, or a step of the owner's in the source's order.
    struct Entry {
        QByteArray message;
        std::function<void()> call;
    };
    struct Lane {
        std::deque<Entry> entries;
        qsizetype messages = 0;
        qint64 bytes = 0;
    };

    void push(Source source, Entry entry);
    void run(const QByteArray& message);
    void schedule();
    void tick();

    using Lanes = std::unordered_map<Source, Lane>;
    Lane& laneOf(Source source);
    void putIdleLanesAside();

    // The words are the program's own: no peer can add one to make the
    // look-ups collide, so a plain hash serves. Qt's seeded one took a
    // sixteenth of the time a client spent on a stream of messages.
    struct WordHash {
        std::size_t operator()(const QByteArray& word) const noexcept
        {
            return std::hash<std::string_view>{}(std::string_view(word.constData(), std::size_t(word.size())));
        }
    };
    std::unordered_map<QByteArray, Handler, WordHash> m_handlers;
    Lanes m_lanes;
    // Idle lanes kept for the next new source that queues: making a lane
    // anew allocates.
    std::vector<Lanes::node_type> m_spareLanes;
    // Sources with waiting entries, in the order of their turns; the first
    // m_fresh of them had nothing waiting before and have not had a turn yet.
    // A vector, not a deque: it holds one entry per connection at most, and a
    // deque allocates a block whenever a turn is taken off its front edge.
    std::vector<Source> m_turns;
    std::ptrdiff_t m_fresh = 0;
    qsizetype m_total = 0;
    Source m_current = 0;
    const DispatchClock* m_clock = &DispatchClock::steady();
    TokenBucket m_bucket;
    QTimer m_timer;
    bool m_manual = false;
    qsizetype m_limit = 0;
    qsizetype m_dropped = 0;
};
