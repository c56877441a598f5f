#pragma once

#include <QString>
#include <atomic>
#include <cstdio>
#include <mutex>

// The coordinator's log: one line per event (a table listed, refused or
// removed, Redis lost or back), each with the time, from any request thread.
// Refreshes are not logged: a busy list sees thousands a second.
class CoordinatorLog {
public:
    explicit CoordinatorLog(std::FILE* out) : m_out(out) { }

    void line(const QString& text);
    // Redis failed or answered a request: logged once at each change.
    void redisLost(const QString& where);
    void redisAnswered();

private:
    std::FILE* m_out;
    std::mutex m_mutex;
    std::atomic<bool> m_redisDown{false};
};
