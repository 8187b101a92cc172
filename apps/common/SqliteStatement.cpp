#include "SqliteStatement.h"

#include "SqliteDatabase.h"

#include <sqlite3.h>

#include <climits>

namespace zelt::demo {

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : db_(db)
{
    if (sql.size() > INT_MAX ||
        sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr) != SQLITE_OK)
        throw SqliteDatabase::failure(db_, "cannot prepare a statement");
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

SqliteStatement& SqliteStatement::bind(int index, std::string_view text)
{
    if (sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8) != SQLITE_OK)
        throw SqliteDatabase::failure(db_, "cannot bind a value");
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value)
{
    if (sqlite3_bind_int64(statement_, index, value) != SQLITE_OK) throw SqliteDatabase::failure(db_, "cannot bind a value");
    return *this;
}

bool SqliteStatement::step()
{
    switch (sqlite3_step(statement_)) {
    case SQLITE_ROW: return true;
    case SQLITE_DONE: return false;
    default: throw SqliteDatabase::failure(db_, "a statement failed");
    }
}

std::string SqliteStatement::text(int column) const
{
    const auto* chars = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    const int bytes = sqlite3_column_bytes(statement_, column);
    return chars ? std::string(chars, static_cast<std::size_t>(bytes)) : std::string();
}

std::int64_t SqliteStatement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

} // namespace zelt::demo
