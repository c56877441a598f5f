#include "table_store.h"
#include "table_scripts.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <hiredis.h>

namespace {

struct Script {
    std::string body;
    std::string digest;

    explicit Script(const char* main)
        : body(std::string(TableScripts::Unlist) + main),
          digest(
              QCryptographicHash::hash(QByteArray::fromStdString(body), QCryptographicHash::Sha1).toHex().toStdString())
    {
    }
};

const Script& putScript()
{
    static const Script s(TableScripts::Put);
    return s;
}
const Script& removeScript()
{
    static const Script s(TableScripts::Remove);
    return s;
}
const Script& listScript()
{
    static const Script s(TableScripts::List);
    return s;
}

std::string text(const QString& s)
{
    return s.toStdString();
}

// The secret is kept only as a digest, so a copy of Redis gives nobody a key
// to another table's entry.
std::string secretDigest(const QByteArray& secret)
{
    return QCryptographicHash::hash(secret, QCryptographicHash::Sha256).toHex().toStdString();
}

std::optional<long long> integer(const RedisReply& reply)
{
    if (!reply || reply->type != REDIS_REPLY_INTEGER)
        return std::nullopt;
    return reply->integer;
}

std::string orderingSet(const TableStore::Filter& f)
{
    if (!f.state.isEmpty() && !f.version.isEmpty())
        return "gd:by:both:" + text(f.state) + ":" + text(f.version);
    if (!f.state.isEmpty())
        return "gd:by:state:" + text(f.state);
    if (!f.version.isEmpty())
        return "gd:by:version:" + text(f.version);
    return "gd:by:all";
}

} // namespace

// A connection borrowed from the idle ones for one request.
class TableStore::Lease {
public:
    explicit Lease(TableStore& store) : m_store(store), m_link(store.take()) { }
    ~Lease() { m_store.giveBack(std::move(m_link)); }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    RedisLink* operator->() const { return m_link.get(); }

private:
    TableStore& m_store;
    std::unique_ptr<RedisLink> m_link;
};

TableStore::TableStore(RedisAddress address, std::chrono::milliseconds timeout)
    : m_address(std::move(address)), m_timeout(timeout)
{
}

TableStore::~TableStore() = default;

std::unique_ptr<RedisLink> TableStore::take()
{
    const std::lock_guard lock(m_mutex);
    if (m_idle.empty())
        return std::make_unique<RedisLink>(m_address, m_timeout);
    std::unique_ptr<RedisLink> link = std::move(m_idle.back());
    m_idle.pop_back();
    return link;
}

void TableStore::giveBack(std::unique_ptr<RedisLink> link)
{
    const std::lock_guard lock(m_mutex);
    m_idle.push_back(std::move(link));
}

QString TableStore::idFor(const QString& address, quint16 port)
{
    const QByteArray key = address.toUtf8() + '/' + QByteArray::number(port);
    return QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16));
}

TableStore::Outcome TableStore::put(const TableListing& table, const QByteArray& secret, bool onlyIfListed)
{
    TableListing stamped = table;
    stamped.updated = QDateTime::currentSecsSinceEpoch();
    QByteArray row;
    stamped.appendRowJson(row);
    const std::vector<std::string> args{text(table.id),
                                        secretDigest(secret),
                                        onlyIfListed ? "1" : "0",
                                        std::to_string(ExpirySeconds),
                                        std::to_string(table.players),
                                        text(table.state),
                                        text(table.version),
                                        row.toStdString()};
    const auto result = integer(Lease(*this)->script(putScript().body, putScript().digest, args));
    if (!result)
        return Outcome::Unavailable;
    switch (*result) {
    case -1: return Outcome::Forbidden;
    case 0: return Outcome::NotListed;
    case 1: return Outcome::Refreshed;
    default: return Outcome::Listed;
    }
}

TableStore::Outcome TableStore::remove(const QString& id, const QByteArray& secret)
{
    const auto result =
        integer(Lease(*this)->script(removeScript().body, removeScript().digest, {text(id), secretDigest(secret)}));
    if (!result)
        return Outcome::Unavailable;
    return *result < 0 ? Outcome::Forbidden : *result == 0 ? Outcome::NotListed : Outcome::Removed;
}

std::optional<TableStore::Page> TableStore::list(const Filter& filter)
{
    const RedisReply reply = Lease(*this)->script(listScript().body, listScript().digest,
                                                  {orderingSet(filter), std::to_string(filter.offset),
                                                   std::to_string(filter.limit), std::to_string(ExpirySeconds)});
    if (!reply || reply->type != REDIS_REPLY_ARRAY || reply->elements != 3
        || reply->element[0]->type != REDIS_REPLY_INTEGER || reply->element[1]->type != REDIS_REPLY_STRING
        || reply->element[2]->type != REDIS_REPLY_INTEGER)
        return std::nullopt;
    Page page;
    page.total = reply->element[0]->integer;
    page.rows = QByteArray(reply->element[1]->str, qsizetype(reply->element[1]->len));
    page.count = int(reply->element[2]->integer);
    return page;
}

TableStore::Check TableStore::claimCheck(const QString& id)
{
    const std::string key = "gd:check:" + text(id);
    Lease link(*this);
    const RedisReply claim = link->command({"SET", key, "pending", "NX", "EX", std::to_string(CheckSeconds)});
    if (!claim || claim->type == REDIS_REPLY_ERROR)
        return Check::Unavailable;
    if (claim->type == REDIS_REPLY_STATUS)
        return Check::Claimed;
    const RedisReply earlier = link->command({"GET", key});
    if (!earlier || earlier->type == REDIS_REPLY_ERROR)
        return Check::Unavailable;
    // A check still under way elsewhere counts as not passed yet.
    const bool passed = earlier->type == REDIS_REPLY_STRING && std::string(earlier->str, earlier->len) == "passed";
    return passed ? Check::PassedRecently : Check::FailedRecently;
}

void TableStore::recordCheck(const QString& id, bool passed)
{
    Lease(*this)->command({"SET", "gd:check:" + text(id), passed ? "passed" : "failed", "XX", "KEEPTTL"});
}
