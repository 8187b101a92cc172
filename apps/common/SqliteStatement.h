#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace zelt::demo {

/// A prepared SQLite statement, finalized when it goes. Every failure raises
/// a StoreError with SQLite's reason.
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    /// Binds the parameter at `index` (from 1); the text is copied.
    SqliteStatement& bind(int index, std::string_view text);
    SqliteStatement& bind(int index, std::int64_t value);
    /// Runs one step: true when a row is there to read, false when done.
    bool step();
    /// Column `column` (from 0) of the current row.
    std::string text(int column) const;
    std::int64_t integer(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

} // namespace zelt::demo
