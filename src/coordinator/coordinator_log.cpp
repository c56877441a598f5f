#include "coordinator_log.h"

#include <QDateTime>

void CoordinatorLog::line(const QString& text)
{
    const QByteArray stamped = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toUtf8() + ' ' + text.toUtf8();
    const std::lock_guard lock(m_mutex);
    std::fprintf(m_out, "%s\n", stamped.constData());
    std::fflush(m_out);
}

void CoordinatorLog::redisLost(const QString& where)
{
    if (!m_redisDown.exchange(true))
        line(QStringLiteral("Redis at %1 does not answer; answering 503 until it does").arg(where));
}

void CoordinatorLog::redisAnswered()
{
    if (m_redisDown.exchange(false))
        line(QStringLiteral("Redis answers again"));
}
