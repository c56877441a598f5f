#include "dispatcher.h"

#include "message.h"

Dispatcher::Dispatcher(int intervalMs, QObject* parent)
    : QObject(parent), m_interval(intervalMs)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Dispatcher::tick);
}

void Dispatcher::on(const QByteArray& command, Handler handler)
{
    m_handlers.insert(command, std::move(handler));
}

void Dispatcher::enqueue(const QByteArray& message)
{
    if (m_limit > 0 && queued() >= m_limit) {
        ++m_dropped;
        return;
    }
    m_queue.push_back(message);
    schedule();
}

void Dispatcher::enqueue(const QList<QByteArray>& messages)
{
    for (const QByteArray& message : messages)
        enqueue(message);
}

qsizetype Dispatcher::discard(const std::function<bool(const QByteArray&)>& match)
{
    return qsizetype(std::erase_if(m_queue, match));
}

bool Dispatcher::dispatchOne()
{
    if (m_queue.empty())
        return false;
    const QByteArray message = std::move(m_queue.front());
    m_queue.pop_front();
    m_sinceLast.start();
    const CommandLine line = CommandLine::parse(message);
    if (line.command.isEmpty())
        return true;
    const auto handler = m_handlers.constFind(line.command);
    if (handler == m_handlers.constEnd())
        return true;
    FieldReader fields(line.payload);
    (*handler)(fields);
    emit dispatched(line.command);
    return true;
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
    if (m_manual || m_posted || m_timer.isActive() || m_queue.empty())
        return;
    const qint64 since = m_sinceLast.isValid() ? m_sinceLast.elapsed() : m_interval;
    if (since >= m_interval) {
        // Posted, not called: enqueue() runs inside a socket's read handler, and a
        // handler must never run re-entrantly from there.
        m_posted = true;
        QMetaObject::invokeMethod(this, [this] {
            m_posted = false;
            tick();
        }, Qt::QueuedConnection);
    } else {
        m_timer.start(int(m_interval - since));
    }
}

void Dispatcher::tick()
{
    if (!m_manual)
        dispatchOne();
    schedule();
}
