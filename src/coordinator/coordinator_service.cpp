#include "coordinator_service.h"
#include "coordinator_request.h"
#include "reachability_check.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <httplib.h>

namespace {

const char* const JsonType = "application/json";

void answer(httplib::Response& r, int status, const QJsonObject& body)
{
    r.status = status;
    r.set_content(QJsonDocument(body).toJson(QJsonDocument::Compact).toStdString(), JsonType);
}

void fail(httplib::Response& r, int status, const QString& why)
{
    answer(r, status, QJsonObject{{QStringLiteral("error"), why}});
}

QString where(const TableListing& t)
{
    return QStringLiteral("%1 port %2 \"%3\"").arg(t.address).arg(t.port).arg(t.name);
}

} // namespace

CoordinatorService::CoordinatorService(const Settings& settings, CoordinatorLog& log)
    : m_settings(settings), m_log(log), m_store(settings.redis, settings.redisTimeout),
      m_rate(settings.postsPerSecond, settings.postBurst)
{
}

void CoordinatorService::mount(httplib::Server& server)
{
    using httplib::Request;
    using httplib::Response;
    server.set_payload_max_length(MaxBody);
    server.new_task_queue = [] { return new httplib::ThreadPool(Threads); };
    // A client that opens a connection and sends nothing must not hold a
    // request thread for long.
    server.set_read_timeout(2, 0);
    server.set_keep_alive_timeout(2);
    server.Post("/v1/tables", [this](const Request& q, Response& r) { post(q, r); });
    server.Delete("/v1/tables", [this](const Request& q, Response& r) { withdraw(q, r); });
    server.Get("/v1/tables", [this](const Request& q, Response& r) { list(q, r); });
}

QString CoordinatorService::sourceAddress(const std::string& remote)
{
    const QHostAddress address(QString::fromStdString(remote));
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (isV4)
        return QHostAddress(v4).toString();
    QHostAddress plain(address);
    plain.setScopeId({});
    return plain.toString();
}

bool CoordinatorService::available(TableStore::Outcome outcome)
{
    if (outcome == TableStore::Outcome::Unavailable) {
        m_log.redisLost(QString::fromStdString(m_settings.redis.host) + ':' + QString::number(m_settings.redis.port));
        return false;
    }
    m_log.redisAnswered();
    return true;
}

void CoordinatorService::post(const httplib::Request& q, httplib::Response& r)
{
    const QString address = sourceAddress(q.remote_addr);
    if (!m_rate.allow(address))
        return fail(r, 429, QStringLiteral("too many registrations from this address; try again in a second"));
    Read<RegisterRequest> request = CoordinatorRequest::readRegister(q.body);
    if (!request.ok())
        return fail(r, 400, request.error);
    TableListing& table = request.value.table;
    table.address = address;
    table.id = TableStore::idFor(address, table.port);
    TableStore::Outcome outcome = m_store.put(table, request.value.secret, true);
    if (!available(outcome))
        return fail(r, 503, QStringLiteral("the table list is unavailable"));
    int status = 200;
    if (outcome == TableStore::Outcome::NotListed)
        status = firstRegistration(table.id, request.value);
    else if (outcome == TableStore::Outcome::Forbidden)
        status = 403;
    switch (status) {
    case 200: return answer(r, 200, QJsonObject{{QStringLiteral("id"), table.id}});
    case 403:
        m_log.line(QStringLiteral("refused %1: another secret").arg(where(table)));
        return fail(r, 403, QStringLiteral("this table is listed with another secret"));
    case 422: return fail(r, 422, QStringLiteral("no table answered on that port at your address"));
    default: return fail(r, 503, QStringLiteral("the table list is unavailable"));
    }
}

int CoordinatorService::firstRegistration(const QString& id, const RegisterRequest& request)
{
    const TableListing& table = request.table;
    const TableStore::Check check = m_store.claimCheck(id);
    if (check == TableStore::Check::Unavailable) {
        available(TableStore::Outcome::Unavailable);
        return 503;
    }
    if (check == TableStore::Check::FailedRecently)
        return 422;
    if (check == TableStore::Check::Claimed) {
        const bool passed = ReachabilityCheck::answers(table.address, table.port, m_settings.checkTimeout);
        m_store.recordCheck(id, passed);
        if (!passed) {
            m_log.line(QStringLiteral("refused %1: no table answers there").arg(where(table)));
            return 422;
        }
    }
    const TableStore::Outcome outcome = m_store.put(table, request.secret, false);
    if (!available(outcome))
        return 503;
    if (outcome == TableStore::Outcome::Forbidden)
        return 403;
    m_log.line(QStringLiteral("listed %1 as %2").arg(where(table), id));
    return 200;
}

void CoordinatorService::withdraw(const httplib::Request& q, httplib::Response& r)
{
    const Read<WithdrawRequest> request = CoordinatorRequest::readWithdraw(q.body);
    if (!request.ok())
        return fail(r, 400, request.error);
    const QString address = sourceAddress(q.remote_addr);
    const QString id = TableStore::idFor(address, request.value.port);
    const TableStore::Outcome outcome = m_store.remove(id, request.value.secret);
    if (!available(outcome))
        return fail(r, 503, QStringLiteral("the table list is unavailable"));
    if (outcome == TableStore::Outcome::Forbidden)
        return fail(r, 403, QStringLiteral("this table is listed with another secret"));
    if (outcome == TableStore::Outcome::Removed)
        m_log.line(QStringLiteral("removed %1 port %2 (%3)").arg(address).arg(request.value.port).arg(id));
    // Not listed (expired, or Redis lost it) is what was asked for too.
    r.status = 204;
}

void CoordinatorService::list(const httplib::Request& q, httplib::Response& r)
{
    const Read<TableStore::Filter> filter = CoordinatorRequest::readList(q.params);
    if (!filter.ok())
        return fail(r, 400, filter.error);
    const std::optional<TableStore::Page> page = m_store.list(filter.value);
    if (!available(page ? TableStore::Outcome::Listed : TableStore::Outcome::Unavailable))
        return fail(r, 503, QStringLiteral("the table list is unavailable"));
    const QByteArray body = "{\"tables\":[" + page->rows + "],\"total\":" + QByteArray::number(page->total) + '}';
    r.status = 200;
    r.set_content(body.constData(), size_t(body.size()), JsonType);
}
