#include "redis_link.h"

#include <hiredis.h>

#include <sys/time.h>

namespace {
timeval toTimeval(std::chrono::milliseconds ms)
{
    timeval tv{};
    tv.tv_sec = time_t(ms.count() / 1000);
    tv.tv_usec = suseconds_t((ms.count() % 1000) * 1000);
    return tv;
}
} // namespace

void RedisReplyFree::operator()(redisReply* reply) const
{
    freeReplyObject(reply);
}

RedisLink::RedisLink(RedisAddress address, std::chrono::milliseconds timeout)
    : m_address(std::move(address)), m_timeout(timeout)
{
}

RedisLink::~RedisLink()
{
    drop();
}

bool RedisLink::connect()
{
    if (m_context)
        return true;
    m_context = redisConnectWithTimeout(m_address.host.c_str(), m_address.port, toTimeval(m_timeout));
    if (!m_context || m_context->err || redisSetTimeout(m_context, toTimeval(m_timeout)) != REDIS_OK) {
        drop();
        return false;
    }
    return true;
}

void RedisLink::drop()
{
    if (m_context)
        redisFree(m_context);
    m_context = nullptr;
}

RedisReply RedisLink::command(const std::vector<std::string>& args)
{
    if (!connect())
        return nullptr;
    std::vector<const char*> argv;
    std::vector<size_t> lengths;
    argv.reserve(args.size());
    lengths.reserve(args.size());
    for (const std::string& a : args) {
        argv.push_back(a.data());
        lengths.push_back(a.size());
    }
    RedisReply reply(
        static_cast<redisReply*>(redisCommandArgv(m_context, int(argv.size()), argv.data(), lengths.data())));
    // After a time-out or a broken connection the context cannot be used again.
    if (!reply || m_context->err)
        drop();
    return reply;
}

RedisReply RedisLink::script(const std::string& body, const std::string& digest, const std::vector<std::string>& args)
{
    std::vector<std::string> call{"EVALSHA", digest, "0"};
    call.insert(call.end(), args.begin(), args.end());
    RedisReply reply = command(call);
    if (!reply || reply->type != REDIS_REPLY_ERROR || std::string(reply->str, reply->len).rfind("NOSCRIPT", 0) != 0)
        return reply;
    call[0] = "EVAL";
    call[1] = body;
    return command(call);
}
