#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

struct redisContext;
struct redisReply;

// Where the table list's Redis runs.
struct RedisAddress {
    std::string host = "127.0.0.1";
    int port = 6379;
};

struct RedisReplyFree {
    void operator()(redisReply* reply) const;
};
using RedisReply = std::unique_ptr<redisReply, RedisReplyFree>;

// One synchronous connection to Redis, used by one request at a time. Every
// connect and every command is bounded by a short time-out, so a Redis that
// is down or stopped makes a request fail quickly instead of hanging it; a
// connection that failed once is dropped and made afresh on the next command,
// so the service recovers by itself when Redis is back.
class RedisLink {
public:
    RedisLink(RedisAddress address, std::chrono::milliseconds timeout);
    ~RedisLink();
    RedisLink(const RedisLink&) = delete;
    RedisLink& operator=(const RedisLink&) = delete;

    // The reply, or null when Redis could not be reached or did not answer in
    // time. An error reply from Redis is a reply.
    RedisReply command(const std::vector<std::string>& args);
    // Runs a Lua script by its digest, loading it when this Redis does not
    // know it yet (a fresh or restarted Redis).
    RedisReply script(const std::string& body, const std::string& digest, const std::vector<std::string>& args);

private:
    bool connect();
    void drop();

    RedisAddress m_address;
    std::chrono::milliseconds m_timeout;
    redisContext* m_context = nullptr;
};
