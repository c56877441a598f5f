#include "internet_table_list.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#ifndef GD_COORDINATOR_URL
#define GD_COORDINATOR_URL ""
#endif

InternetTableList::InternetTableList(const QString& coordinator, QObject* parent)
    : QObject(parent), m_coordinator(coordinator)
{
    m_timer.setInterval(RefreshMs);
    connect(&m_timer, &QTimer::timeout, this, &InternetTableList::ask);
}

QString InternetTableList::defaultCoordinator()
{
    const QString set = qEnvironmentVariable("GLOOPDASH_COORDINATOR");
    return set.isEmpty() ? QStringLiteral(GD_COORDINATOR_URL) : set;
}

QString InternetTableList::requestUrl() const
{
    QString base = m_coordinator;
    while (base.endsWith(u'/'))
        base.chop(1);
    return base + QStringLiteral("/v1/tables?limit=%1").arg(MaxRows);
}

void InternetTableList::open()
{
    m_timer.start();
    ask();
}

void InternetTableList::close()
{
    m_timer.stop();
}

void InternetTableList::ask()
{
    if (m_fetch && !m_coordinator.isEmpty())
        m_fetch(requestUrl());
}

void InternetTableList::received(bool ok, const QByteArray& body)
{
    const QJsonObject answer = ok ? QJsonDocument::fromJson(body).object() : QJsonObject();
    const QJsonValue rows = answer.value(QStringLiteral("tables"));
    if (!rows.isArray()) {
        emit failed();
        return;
    }
    QList<TableListing> tables;
    for (const QJsonValue& row : rows.toArray()) {
        TableListing t;
        // A malformed row is left out; the others still show.
        if (tables.size() < MaxRows && TableListing::readRow(row.toObject(), t))
            tables.append(t);
    }
    m_tables = tables;
    m_total = qMax<qint64>(tables.size(), qint64(answer.value(QStringLiteral("total")).toDouble()));
    emit tablesChanged();
}
