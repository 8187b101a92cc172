#pragma once

#include "SqliteStatement.h"
#include "StoreError.h"

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;

namespace zelt::demo {

/// An SQLite connection to one database file, closed when it goes.
class SqliteDatabase {
public:
    /// Opens the file for reading and writing, creating it when it is not
    /// there; a file the process may only read is refused. Raises StoreError.
    explicit SqliteDatabase(const std::string& path);
    ~SqliteDatabase();
    SqliteDatabase(SqliteDatabase&& other) noexcept;
    SqliteDatabase& operator=(SqliteDatabase&& other) noexcept;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    /// Runs statements that return no rows; a failure says what was being
    /// done (`doing`, or the statement itself) and why.
    void exec(std::string_view sql, std::string_view doing = {});
    /// Runs "ROLLBACK" when a transaction is open, raising nothing.
    void rollback() noexcept;
    SqliteStatement prepare(std::string_view sql) { return SqliteStatement(db_, sql); }
    /// The single integer a query such as "PRAGMA user_version" answers.
    std::int64_t integer(std::string_view sql);
    std::int64_t lastInsertId() const;
    const std::string& path() const { return path_; }

    /// A StoreError saying what failed, with SQLite's reason on `db`.
    static StoreError failure(sqlite3* db, std::string_view doing);

private:
    sqlite3* db_ = nullptr;
    std::string path_;
};

} // namespace zelt::demo
