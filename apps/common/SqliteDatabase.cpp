#include "SqliteDatabase.h"

#include <sqlite3.h>

#include <utility>

namespace zelt::demo {

StoreError SqliteDatabase::failure(sqlite3* db, std::string_view doing)
{
    return StoreError(std::string(doing) + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

SqliteDatabase::SqliteDatabase(const std::string& path) : path_(path)
{
    const int opened = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (opened != SQLITE_OK) {
        StoreError error = failure(db_, "cannot open " + path);
        sqlite3_close(db_);
        throw error;
    }
    // SQLite opens a file it may not write read-only, without a word.
    if (sqlite3_db_readonly(db_, "main") == 1) {
        sqlite3_close(db_);
        throw StoreError("cannot open " + path + " for writing: it is read-only");
    }
    // Another demo may be saving at the same moment: wait for it a while.
    sqlite3_busy_timeout(db_, 5000);
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close(db_); }

SqliteDatabase::SqliteDatabase(SqliteDatabase&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), path_(std::move(other.path_))
{
}

SqliteDatabase& SqliteDatabase::operator=(SqliteDatabase&& other) noexcept
{
    std::swap(db_, other.db_);
    std::swap(path_, other.path_);
    return *this;
}

void SqliteDatabase::exec(std::string_view sql, std::string_view doing)
{
    const std::string statements(sql);
    if (sqlite3_exec(db_, statements.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw failure(db_, doing.empty() ? "\"" + statements.substr(0, 40) + "\" failed" : std::string(doing));
}

void SqliteDatabase::rollback() noexcept
{
    if (db_ && !sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

std::int64_t SqliteDatabase::integer(std::string_view sql)
{
    SqliteStatement query = prepare(sql);
    return query.step() ? query.integer(0) : 0;
}

std::int64_t SqliteDatabase::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }

} // namespace zelt::demo
