#include "dispatcher.h"

#include "message.h"
#include "net_log.h"

#include <QMetaMethod>

#include <algorithm>
#include <climits>
#include <iterator>

Dispatcher::Dispatcher(int intervalMs, QObject* parent)
    : QObject(parent), m_bucket(qint64(intervalMs) * 1000000, 1), m_timer(this)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Dispatcher::tick);
}

void Dispatcher::on(const QByteArray& command, Handler handler)
{
    m_handlers.insert_or_assign(command, std::move(handler));
}

void Dispatcher::enqueue(Source source, const QByteArray& message)
{
    if (m_limit > 0 && m_total >= m_limit) {
        ++m_dropped;
        qCDebug(lcNet) << "queue full at" << m_limit << "entries: dropped a message," << m_dropped << "so far";
        return;
    }
    push(source, Entry{message, {}});
}

void Dispatcher::enqueue(const QList<QByteArray>& messages)
{
    for (const QByteArray& message : messages)
        enqueue(0, message);
}

void Dispatcher::enqueueCall(Source source, std::function<void()> call)
{
    push(source, Entry{{}, std::move(call)});
}

namespace {
// Enough for every seat and watcher of a table.
constexpr std::size_t SpareLanes = 16;
} // namespace

Dispatcher::Lane& Dispatcher::laneOf(Source source)
{
    const auto found = m_lanes.find(source);
    if (found != m_lanes.end())
        return found->second;
    // A source without a lane is new (a connection's first message), or its
    // lane was put aside while it was idle. Every source with a lane but no
    // turn is idle.
    if (m_spareLanes.empty() && m_lanes.size() - m_turns.size() >= SpareLanes)
        putIdleLanesAside();
    if (m_spareLanes.empty())
        return m_lanes[source];
    Lanes::node_type node = std::move(m_spareLanes.back());
    m_spareLanes.pop_back();
    node.key() = source;
    return m_lanes.insert(std::move(node)).position->second;
}

void Dispatcher::putIdleLanesAside()
{
    // Lanes left idle, many of them by sources long gone, go to the spares
    // for the sources to come; past the spares' room they go for good, so
    // connections coming and going never grow the table.
    for (auto lane = m_lanes.begin(); lane != m_lanes.end();) {
        const auto next = std::next(lane);
        if (lane->second.entries.empty()) {
            if (m_spareLanes.size() < SpareLanes)
                m_spareLanes.push_back(m_lanes.extract(lane));
            else
                m_lanes.erase(lane);
        }
        lane = next;
    }
}

void Dispatcher::push(Source source, Entry entry)
{
    Lane& lane = laneOf(source);
    if (lane.entries.empty()) {
        // A source that had nothing waiting goes ahead of the busy ones, so a
        // player's occasional pick waits for one turn, not for a flooder's.
        m_turns.insert(m_turns.begin() + m_fresh, source);
        ++m_fresh;
    }
    if (!entry.call) {
        ++lane.messages;
        lane.bytes += entry.message.size();
    }
    lane.entries.push_back(std::move(entry));
    ++m_total;
    schedule();
}

qsizetype Dispatcher::queued(Source source) const
{
    const auto lane = m_lanes.find(source);
    return lane == m_lanes.end() ? 0 : lane->second.messages;
}

qint64 Dispatcher::queuedBytes(Source source) const
{
    const auto lane = m_lanes.find(source);
    return lane == m_lanes.end() ? 0 : lane->second.bytes;
}

qsizetype Dispatcher::discard(Source source)
{
    const auto lane = m_lanes.find(source);
    if (lane == m_lanes.end() || lane->second.entries.empty())
        return 0;
    const qsizetype gone = std::erase_if(lane->second.entries, [](const Entry& e) { return !e.call; });
    m_total -= gone;
    lane->second.messages = 0;
    lane->second.bytes = 0;
    if (lane->second.entries.empty()) {
        const auto turn = std::find(m_turns.begin(), m_turns.end(), source);
        if (turn - m_turns.begin() < m_fresh)
            --m_fresh;
        m_turns.erase(turn);
    }
    return gone;
}

bool Dispatcher::dispatchOne()
{
    if (m_turns.empty())
        return false;
    const Source source = m_turns.front();
    m_turns.erase(m_turns.begin());
    if (m_fresh > 0)
        --m_fresh;
    const auto found = m_lanes.find(source);
    Lane& lane = found->second;
    Entry entry = std::move(lane.entries.front());
    lane.entries.pop_front();
    --m_total;
    if (!entry.call) {
        --lane.messages;
        lane.bytes -= entry.message.size();
    }
    // An emptied lane stays where its source finds it again, its deque's
    // block with it: a player's queue empties after nearly every message, and
    // taking the lane out and putting it back cost two look-ups each time.
    if (!lane.entries.empty())
        m_turns.push_back(source);
    m_current = source;
    if (entry.call)
        entry.call();
    else
        run(entry.message);
    m_current = 0;
    return true;
}

bool Dispatcher::dispatchIfDue()
{
    if (m_turns.empty() || !m_bucket.take(m_clock->nowNs()))
        return false;
    return dispatchOne();
}

void Dispatcher::run(const QByteArray& message)
{
    // The command word is looked up, and the payload read, in place: copying
    // them out was two allocations for every message a server handles.
    const qsizetype plus = CommandLine::commandEnd(message);
    const QByteArray command = QByteArray::fromRawData(message.constData(), std::max<qsizetype>(plus, 0));
    const auto handler = command.isEmpty() ? m_handlers.cend() : m_handlers.find(command);
    if (handler == m_handlers.cend()) {
        emit unhandled(QByteArray(command.constData(), command.size()));
        return;
    }
    FieldReader fields(message, plus + 1);
    handler->second(fields);
    // A listener gets its own copy of the word, which may outlive the message.
    static const QMetaMethod dispatchedSignal = QMetaMethod::fromSignal(&Dispatcher::dispatched);
    if (isSignalConnected(dispatchedSignal))
        emit dispatched(QByteArray(command.constData(), command.size()));
}

void Dispatcher::setManual(bool manual)
{
    m_manual = manual;
    if (manual)
        m_timer.stop();
    else
        schedule();
}

void Dispatcher::schedule()
{
    if (m_manual || m_timer.isActive() || m_turns.empty())
        return;
    const qint64 now = m_clock->nowNs();
    if (m_bucket.wait(now) == 0) {
        // Due at once, yet from the event loop and not called here: entries
        // are queued from inside a socket's read handler, and a handler must
        // never run re-entrantly from there. A timer due now does this without
        // the wake-up a posted call costs (a write and a read of the loop's
        // wake-up descriptor for every pick).
        m_timer.start(0);
        return;
    }
    // Held at the rate, the sources that wait with one fresh entry each (a
    // player's pick, waiting for its reply) get their turns in one wake-up once
    // the rate allows them all, not each in a wake-up of its own: the rate and
    // the order are the same, and a server kept at its limit by many players
    // sleeps through the turns between. Busy sources (one that floods) are not
    // waited for: with only them waiting, turns come one per wake-up as before,
    // and a source that starts waiting meanwhile does not put the wake-up off.
    const qint64 waitNs = m_bucket.wait(now, int(std::min<std::ptrdiff_t>(m_fresh, INT_MAX)));
    m_timer.start(int((waitNs + 999999) / 1000000));
}

void Dispatcher::tick()
{
    // Every turn the rate allows now is served in this one wake-up: the
    // waiting players' picks go out together, not each after another look
    // at every socket of the table.
    while (!m_manual && dispatchIfDue()) { }
    schedule();
}
