#pragma once

#include "coordinator_log.h"
#include "post_rate_limit.h"
#include "table_store.h"

#include <chrono>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib
struct RegisterRequest;

// The list's HTTP API, version 1, on a server's request threads:
//   POST   /v1/tables  register or refresh the table at the sender's address
//   DELETE /v1/tables  take it off the list
//   GET    /v1/tables  the list, fullest tables first
// Nothing is kept in the process but the rate limit, so any number of
// coordinators serve one list.
class CoordinatorService {
public:
    struct Settings {
        RedisAddress redis;
        // Bounds every connect to Redis and every command, so a Redis that is
        // down answers 503 well within a second.
        std::chrono::milliseconds redisTimeout{400};
        std::chrono::milliseconds checkTimeout{3000};
        double postsPerSecond = 5;
        double postBurst = 20;
    };
    static constexpr size_t MaxBody = 16 * 1024;
    // Request threads: a few reachability checks may each hold one for 3 s.
    static constexpr size_t Threads = 16;

    CoordinatorService(const Settings& settings, CoordinatorLog& log);
    // Routes the API on `server` and sets its limits.
    void mount(httplib::Server& server);

    // The address the table is listed under: an IPv4 peer that reached an
    // IPv6 socket is written as IPv4, so it is one table either way.
    static QString sourceAddress(const std::string& remote);

private:
    void post(const httplib::Request& q, httplib::Response& r);
    void withdraw(const httplib::Request& q, httplib::Response& r);
    void list(const httplib::Request& q, httplib::Response& r);
    // A table not listed yet: checked, then listed. The status to answer.
    int firstRegistration(const QString& id, const RegisterRequest& request);
    bool available(TableStore::Outcome outcome);

    Settings m_settings;
    CoordinatorLog& m_log;
    TableStore m_store;
    PostRateLimit m_rate;
};
