#pragma once

#include <mutex>
#include <string>
#include <vector>

struct sqlite3;

// The score lists of the stand-in web site, kept in one SQLite file: one list
// per game mode (1 normal, 2 classic). Safe to use from the server's threads.
class ScoreStore {
public:
    struct Entry {
        std::string name;
        std::string date;
        long long score = 0;
    };

    // Opens or creates the database; throws std::runtime_error when it cannot.
    explicit ScoreStore(const std::string& path);
    ~ScoreStore();
    ScoreStore(const ScoreStore&) = delete;
    ScoreStore& operator=(const ScoreStore&) = delete;

    void add(int mode, const std::string& name, const std::string& date, long long score);
    // The best `limit` scores of `mode`, highest first; equal scores in the order
    // they were posted.
    std::vector<Entry> best(int mode, int limit) const;

private:
    void exec(const char* sql);

    sqlite3* m_db = nullptr;
    mutable std::mutex m_mutex;
};
