#include "score_store.h"

#include <sqlite3.h>
#include <stdexcept>

namespace {

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
};

std::string column(sqlite3_stmt* stmt, int index)
{
    const unsigned char* text = sqlite3_column_text(stmt, index);
    return text ? reinterpret_cast<const char*>(text) : std::string();
}

} // namespace

ScoreStore::ScoreStore(const std::string& path)
{
    if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK) {
        const std::string error = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        m_db = nullptr;
        throw std::runtime_error("cannot open " + path + ": " + error);
    }
    sqlite3_busy_timeout(m_db, 2000);
    exec("CREATE TABLE IF NOT EXISTS scores ("
         " id INTEGER PRIMARY KEY AUTOINCREMENT,"
         " mode INTEGER NOT NULL, name TEXT NOT NULL, date TEXT NOT NULL,"
         " score INTEGER NOT NULL,"
         " posted TEXT NOT NULL DEFAULT CURRENT_TIMESTAMP)");
    exec("CREATE INDEX IF NOT EXISTS scores_rank ON scores (mode, score DESC, id)");
}

ScoreStore::~ScoreStore()
{
    sqlite3_close(m_db);
}

void ScoreStore::exec(const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error(text);
    }
}

void ScoreStore::add(int mode, const std::string& name, const std::string& date, long long score)
{
    std::lock_guard lock(m_mutex);
    Statement s(m_db, "INSERT INTO scores (mode, name, date, score) VALUES (?, ?, ?, ?)");
    sqlite3_bind_int(s.stmt, 1, mode);
    sqlite3_bind_text(s.stmt, 2, name.data(), int(name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(s.stmt, 3, date.data(), int(date.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(s.stmt, 4, score);
    if (sqlite3_step(s.stmt) != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(m_db));
}

std::vector<ScoreStore::Entry> ScoreStore::best(int mode, int limit) const
{
    std::lock_guard lock(m_mutex);
    Statement s(m_db,
                "SELECT name, date, score FROM scores WHERE mode = ?"
                " ORDER BY score DESC, id ASC LIMIT ?");
    sqlite3_bind_int(s.stmt, 1, mode);
    sqlite3_bind_int(s.stmt, 2, limit);
    std::vector<Entry> list;
    while (sqlite3_step(s.stmt) == SQLITE_ROW)
        list.push_back({column(s.stmt, 0), column(s.stmt, 1), sqlite3_column_int64(s.stmt, 2)});
    return list;
}
