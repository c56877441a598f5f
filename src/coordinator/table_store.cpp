#include "table_store.h"
#include "table_scripts.h"

#include <QCryptographicHash>
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

QString element(const redisReply* r)
{
    return r->type == REDIS_REPLY_STRING ? QString::fromUtf8(r->str, qsizetype(r->len)) : QString();
}

TableListing readListed(redisReply* const* v)
{
    TableListing t;
    t.id = element(v[0]);
    t.address = element(v[1]);
    t.port = quint16(element(v[2]).toUInt());
    t.name = element(v[3]);
    t.players = element(v[4]).toInt();
    t.watchers = element(v[5]).toInt();
    t.seats = element(v[6]).toInt();
    t.bots = element(v[7]).toInt();
    t.state = element(v[8]);
    t.mode = element(v[9]);
    t.mission = element(v[10]).toInt();
    t.missions = element(v[11]).toInt();
    t.version = element(v[12]);
    t.updated = element(v[13]).toLongLong();
    return t;
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

TableStore::Outcome TableStore::put(const TableListing& t, const QByteArray& secret, bool onlyIfListed)
{
    const std::vector<std::string> args{text(t.id),
                                        secretDigest(secret),
                                        onlyIfListed ? "1" : "0",
                                        std::to_string(ExpirySeconds),
                                        text(t.address),
                                        std::to_string(t.port),
                                        text(t.name),
                                        std::to_string(t.players),
                                        std::to_string(t.watchers),
                                        std::to_string(t.seats),
                                        std::to_string(t.bots),
                                        text(t.state),
                                        text(t.mode),
                                        std::to_string(t.mission),
                                        std::to_string(t.missions),
                                        text(t.version)};
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
    if (!reply || reply->type != REDIS_REPLY_ARRAY || reply->elements < 1
        || reply->element[0]->type != REDIS_REPLY_INTEGER)
        return std::nullopt;
    Page page;
    page.total = reply->element[0]->integer;
    const size_t rows = (reply->elements - 1) / TableScripts::ListedValues;
    page.tables.reserve(qsizetype(rows));
    for (size_t row = 0; row < rows; ++row)
        page.tables.append(readListed(reply->element + 1 + row * TableScripts::ListedValues));
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
