#include "OrderStore.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace zelt::demo {

namespace {

/// The schema's steps: step i moves a store from version i to i + 1. A later
/// schema appends its step; a store opened by this build is moved on to the
/// last one.
constexpr std::array<std::string_view, 2> kMigrations = {
    "CREATE TABLE orders ("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL,"
    " saved_at TEXT NOT NULL,"
    " locale TEXT NOT NULL,"
    " lookups TEXT NOT NULL,"
    " lines TEXT NOT NULL,"
    " fees TEXT NOT NULL,"
    " sales_tax TEXT NOT NULL,"
    " brackets TEXT NOT NULL,"
    " freight_rates TEXT NOT NULL,"
    " checksum TEXT NOT NULL);"
    "CREATE INDEX orders_by_time ON orders (saved_at);",
    // The carrier's surcharge records; an order saved before had none.
    "ALTER TABLE orders ADD COLUMN surcharges TEXT NOT NULL DEFAULT '';",
};

/// The stored strings of an order, in their column order.
std::array<const std::string*, 9> strings(const OrderStore::Order& o)
{
    return {&o.name, &o.locale, &o.lookups, &o.saved.lines, &o.saved.fees, &o.saved.salesTax, &o.saved.brackets,
            &o.saved.freightRates, &o.saved.surcharges};
}
std::array<std::string*, 9> strings(OrderStore::Order& o)
{
    return {&o.name, &o.locale, &o.lookups, &o.saved.lines, &o.saved.fees, &o.saved.salesTax, &o.saved.brackets,
            &o.saved.freightRates, &o.saved.surcharges};
}

constexpr std::string_view kColumns =
    "name, locale, lookups, lines, fees, sales_tax, brackets, freight_rates, surcharges";
constexpr std::string_view kNow = "strftime('%Y-%m-%dT%H:%M:%fZ', 'now')";

/// FNV-1a over each string and its length: a torn or mixed-up write shows.
/// The surcharge records, the last string, count only when there are some:
/// a row saved before they were kept has none, and its checksum reads as it
/// was written. Each string carries its length, so an order with none and
/// one with some never hash the same bytes.
std::string checksum(const OrderStore::Order& order)
{
    std::uint64_t h = 14695981039346656037ULL;
    auto mix = [&h](unsigned char c) { h = (h ^ c) * 1099511628211ULL; };
    for (const std::string* s : strings(order)) {
        if (s == &order.saved.surcharges && s->empty()) continue;
        for (std::size_t n = s->size(), i = 0; i < 8; ++i, n >>= 8) mix(static_cast<unsigned char>(n & 0xff));
        for (char c : *s) mix(static_cast<unsigned char>(c));
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
    return hex;
}

/// Binds the order's strings to parameters 1 to 9 and its checksum to 10.
void bindOrder(SqliteStatement& statement, const OrderStore::Order& order)
{
    int index = 1;
    for (const std::string* s : strings(order)) statement.bind(index++, *s);
    statement.bind(index, checksum(order));
}

/// A write transaction, rolled back unless committed.
class Transaction {
public:
    explicit Transaction(SqliteDatabase& db) : db_(db) { db_.exec("BEGIN IMMEDIATE", "cannot start writing to the store"); }
    ~Transaction() { db_.rollback(); }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit() { db_.exec("COMMIT", "the store could not keep the changes"); }

private:
    SqliteDatabase& db_;
};

} // namespace

const int OrderStore::kSchemaVersion = static_cast<int>(kMigrations.size());

OrderStore::OrderStore(const std::string& path) : db_(path)
{
    try {
        migrate();
    } catch (const StoreError& e) {
        throw StoreError("the order store " + path + " cannot be used: " + e.what());
    }
}

void OrderStore::migrate()
{
    // The first read tells a file that is not a database.
    const std::int64_t version = db_.integer("PRAGMA user_version");
    if (version > kSchemaVersion)
        throw StoreError("it was written by a later version of the demo (schema " + std::to_string(version) +
                         "; this one knows up to " + std::to_string(kSchemaVersion) + ")");
    if (version == 0 && db_.integer("SELECT count(*) FROM sqlite_master") > 0)
        throw StoreError("it holds another application's tables");
    db_.exec("PRAGMA journal_mode=WAL");
    db_.exec("PRAGMA synchronous=FULL");
    if (version == kSchemaVersion) return;
    Transaction transaction(db_);
    // Another process may have moved it on meanwhile.
    for (auto v = db_.integer("PRAGMA user_version"); v < kSchemaVersion; ++v)
        db_.exec(kMigrations[static_cast<std::size_t>(v)]);
    db_.exec("PRAGMA user_version = " + std::to_string(kSchemaVersion));
    transaction.commit();
}

std::int64_t OrderStore::add(const Order& order)
{
    Transaction transaction(db_);
    SqliteStatement insert = db_.prepare("INSERT INTO orders (" + std::string(kColumns) +
                                         ", checksum, saved_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, " +
                                         std::string(kNow) + ")");
    bindOrder(insert, order);
    insert.step();
    const std::int64_t id = db_.lastInsertId();
    transaction.commit();
    return id;
}

void OrderStore::replace(std::int64_t id, const Order& order)
{
    Transaction transaction(db_);
    SqliteStatement update = db_.prepare(
        "UPDATE orders SET name = ?, locale = ?, lookups = ?, lines = ?, fees = ?, sales_tax = ?, brackets = ?, "
        "freight_rates = ?, surcharges = ?, checksum = ?, saved_at = " +
        std::string(kNow) + " WHERE id = ?");
    bindOrder(update, order);
    update.bind(11, id);
    update.step();
    if (db_.integer("SELECT changes()") != 1)
        throw StoreError("order " + std::to_string(id) + " is no longer in the store");
    transaction.commit();
}

std::vector<OrderStore::Entry> OrderStore::list()
{
    std::vector<Entry> out;
    SqliteStatement query = db_.prepare("SELECT id, name, saved_at, locale FROM orders ORDER BY saved_at DESC, id DESC");
    while (query.step()) out.push_back({query.integer(0), query.text(1), query.text(2), query.text(3)});
    return out;
}

OrderStore::Order OrderStore::load(std::int64_t id)
{
    SqliteStatement query = db_.prepare("SELECT " + std::string(kColumns) + ", checksum FROM orders WHERE id = ?");
    query.bind(1, id);
    if (!query.step()) throw StoreError("order " + std::to_string(id) + " is not in the store");
    Order order;
    int column = 0;
    for (std::string* s : strings(order)) *s = query.text(column++);
    if (query.text(column) != checksum(order))
        throw StoreError("order " + std::to_string(id) + " (\"" + order.name + "\") is damaged: its strings do not match "
                         "the checksum saved with them");
    return order;
}

std::string OrderStore::integrityCheck()
{
    std::string out;
    SqliteStatement query = db_.prepare("PRAGMA integrity_check");
    while (query.step()) out += (out.empty() ? "" : "\n") + query.text(0);
    return out;
}

} // namespace zelt::demo
