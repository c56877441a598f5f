#pragma once

#include "redis_link.h"

#include "net/table_listing.h"

#include <QList>
#include <QString>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>

// The internet table list kept in Redis, shared by every coordinator that
// uses the same Redis. Each table is one hash that expires a minute after its
// last refresh; sorted sets keep the ids in "fullest first" order, for all
// tables and for each state and version a list may ask for; one more sorted
// set keeps the time of each table's last refresh, so the ordering sets are
// pruned of tables whose hash has expired whenever a list is read. Every
// change is one Lua script, so two coordinators never see half a change.
class TableStore {
public:
    static constexpr int ExpirySeconds = 60;
    // A reachability check's outcome counts for this long per address and port.
    static constexpr int CheckSeconds = 60;

    enum class Outcome { Unavailable, Forbidden, NotListed, Refreshed, Listed, Removed };
    enum class Check { Unavailable, Claimed, PassedRecently, FailedRecently };

    struct Page {
        // The rows as JSON objects, joined by commas.
        QByteArray rows;
        int count = 0;
        qint64 total = 0;
    };
    struct Filter {
        int limit = 200;
        int offset = 0;
        QString state;
        QString version;
    };

    TableStore(RedisAddress address, std::chrono::milliseconds timeout);
    ~TableStore();

    // The table's id: the same for an address and port every time, so a table
    // keeps its id across restarts of Redis or of the table.
    static QString idFor(const QString& address, quint16 port);

    // Writes the whole entry, its row stamped with the time now, and restarts
    // its expiry. With `onlyIfListed`
    // nothing is written for a table that is not listed (NotListed); a listed
    // table with another secret is Forbidden.
    Outcome put(const TableListing& table, const QByteArray& secret, bool onlyIfListed);
    // Removes a table at once: Removed, NotListed, Forbidden or Unavailable.
    Outcome remove(const QString& id, const QByteArray& secret);
    std::optional<Page> list(const Filter& filter);

    // Takes the right to check a table's reachability, at most once per
    // address and port a minute for all coordinators together.
    Check claimCheck(const QString& id);
    // Records a check's outcome for the rest of that minute.
    void recordCheck(const QString& id, bool passed);

private:
    class Lease;
    std::unique_ptr<RedisLink> take();
    void giveBack(std::unique_ptr<RedisLink> link);

    RedisAddress m_address;
    std::chrono::milliseconds m_timeout;
    std::mutex m_mutex;
    // Idle connections, one per request thread at most.
    std::vector<std::unique_ptr<RedisLink>> m_idle;
};
