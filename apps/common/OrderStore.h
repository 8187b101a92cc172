#pragma once

#include "SavedOrder.h"
#include "SqliteDatabase.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelt::demo {

/// The demo host's orders, kept in an SQLite database file: each order's
/// exchange strings as the control handed them back, the lookups they refer
/// to, its name, the locale its numbers are written in and when it was saved.
///
/// Every save is one transaction with a checksum of the strings written in
/// it; the database runs in WAL mode with synchronous=FULL, so a process
/// killed between or during saves loses nothing saved before. The schema
/// carries its version in PRAGMA user_version; an older one is moved on when
/// the store opens. Version 2 added the surcharge records; the checksum covers
/// them when there are any, so orders saved before still verify as written.
/// Failures raise StoreError.
class OrderStore {
public:
    /// What the store lists of an order.
    struct Entry {
        std::int64_t id = 0;
        std::string name;
        /// UTC, as "2026-12-08T09:30:00.000Z".
        std::string savedAt;
        /// The locale the order's numbers are written in ("en-US", "fr-CA").
        std::string locale;
    };
    /// An order as it is stored.
    struct Order {
        std::string name;
        std::string locale;
        std::string lookups;
        SavedOrder saved;
    };

    /// The schema this build writes.
    static const int kSchemaVersion;

    /// Opens the store in `path`, creating the file and its schema when it is
    /// new. Raises StoreError when the file cannot be opened for writing, is
    /// not a database, holds another application's tables or was written by a
    /// later schema; the file is then left as it was.
    explicit OrderStore(const std::string& path);

    /// Saves `order` as a new order; returns its id.
    std::int64_t add(const Order& order);
    /// Saves `order` over the stored order `id` (StoreError when it is gone).
    void replace(std::int64_t id, const Order& order);
    /// The stored orders, the newest first.
    std::vector<Entry> list();
    /// Reads a stored order whole; StoreError when it is gone or its strings
    /// do not match the checksum saved with them.
    Order load(std::int64_t id);
    /// "ok", or what SQLite's integrity check found.
    std::string integrityCheck();
    const std::string& path() const { return db_.path(); }

private:
    void migrate();
    SqliteDatabase db_;
};

} // namespace zelt::demo
