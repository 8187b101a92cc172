// The demo host's order store: orders come back as they were saved, files it
// cannot use are refused untouched, and a process killed while saving loses
// nothing it had saved.
#include "OrderStore.h"
#include "SampleOrder.h"
#include "SurchargeStandIn.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

using zelt::demo::OrderStore;
using zelt::demo::StoreError;

namespace {

struct TempFolder {
    std::string path;
    TempFolder()
    {
        char name[] = "/tmp/zelt-store-XXXXXX";
        path = mkdtemp(name);
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
};

/// Order number n: every string depends on n; `bulk` bytes make a save span many pages.
OrderStore::Order orderNumber(int n, std::size_t bulk = 100)
{
    const auto sample = zelt::demo::SampleOrder::embedded();
    const std::string tag = std::to_string(n);
    return {"Order " + tag, n % 2 ? "fr-CA" : "en-US", sample.lookups + tag,
            {sample.lines + std::string(bulk, static_cast<char>('a' + n % 26)), sample.fees + tag, sample.salesTax + tag,
             sample.brackets + tag, "freight " + tag, "1$F$" + tag + "$R$"}};
}

auto strings(const OrderStore::Order& o)
{
    return std::tie(o.name, o.locale, o.lookups, o.saved.lines, o.saved.fees, o.saved.salesTax, o.saved.brackets,
                    o.saved.freightRates);
}

std::string contents(const std::string& path)
{
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

} // namespace

TEST(OrderStore, KeepsOrdersAcrossReopeningAndListsThemNewestFirst)
{
    TempFolder dir;
    const std::string path = dir.path + "/orders.sqlite";
    std::int64_t first = 0, second = 0;
    {
        OrderStore store(path);
        EXPECT_TRUE(store.list().empty());
        first = store.add(orderNumber(1));
        second = store.add(orderNumber(2));
        const auto entries = store.list();
        ASSERT_EQ(entries.size(), 2U);
        EXPECT_EQ(entries[0].id, second);
        EXPECT_EQ(entries[1].name, "Order 1");
        EXPECT_EQ(entries[1].locale, "fr-CA");
        EXPECT_EQ(entries[1].savedAt.size(), 24U) << entries[1].savedAt;
        store.replace(first, orderNumber(3));
        EXPECT_THROW(store.replace(99, orderNumber(4)), StoreError);
    }
    OrderStore store(path);
    EXPECT_EQ(store.list().size(), 2U);
    EXPECT_EQ(strings(store.load(first)), strings(orderNumber(3)));
    EXPECT_EQ(strings(store.load(second)), strings(orderNumber(2)));
    EXPECT_THROW(store.load(99), StoreError);
    EXPECT_EQ(store.integrityCheck(), "ok");
    zelt::standins::SurchargeStandIn service{{{3, 0.05}}};
    zelt::OrderedItems control;
    const auto sample = zelt::demo::SampleOrder::embedded();
    zelt::demo::loadSampleOrder(control, sample, zelt::Mode::UpdateMode, {service.serverName(), {}, {}, {}, {}});
    const auto shown = [&control] { const auto s = zelt::demo::orderSummary(control); return s.substr(0, s.find("Buttons:")); }; // buttons aside
    const std::string before = shown();
    for (zelt::Mode mode : {zelt::Mode::ViewMode, zelt::Mode::UpdateMode}) // saved in one mode, opened in the next
        store.load(store.add({"s", "en-US", sample.lookups, zelt::demo::SavedOrder::from(control, sample.fees, sample.salesTax,
                   sample.brackets, sample.surcharges)})).saved.openIn(control, mode, {service.serverName(), {}, {}, {}, {}});
    EXPECT_EQ(shown(), before);
    // A version-1 store, with a row and its checksum as version 1 wrote them, opens and is moved on.
    OrderStore{dir.path + "/v1"};
    zelt::demo::SqliteDatabase(dir.path + "/v1").exec("ALTER TABLE orders DROP COLUMN surcharges; PRAGMA user_version = 1; INSERT INTO orders VALUES (1, 'v1', 't', 'en-US', 'k', 'l', 'f', 's', 'b', 'r', 'bf29d976e302a5d5')");
    EXPECT_EQ(OrderStore(dir.path + "/v1").load(1).name, "v1");
}

TEST(OrderStore, RefusesFilesItCannotUseAndLeavesThemAsTheyWere)
{
    TempFolder dir;
    const std::string garbage = dir.path + "/garbage", later = dir.path + "/later", other = dir.path + "/other";
    std::ofstream(garbage) << std::string(5000, 'x');
    zelt::demo::SqliteDatabase(later).exec("PRAGMA user_version = 99");
    zelt::demo::SqliteDatabase(other).exec("CREATE TABLE accounts (id INTEGER)");
    for (const auto& [path, reason] : {std::pair{garbage, "file is not a database"},
                                       {later, "later version of the demo (schema 99"},
                                       {other, "another application's tables"}}) {
        const std::string before = contents(path);
        try {
            OrderStore store(path);
            ADD_FAILURE() << path << " opened";
        } catch (const StoreError& e) {
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
        EXPECT_EQ(contents(path), before) << path;
    }
}

TEST(OrderStore, AProcessKilledWhileSavingLosesNothingItSaved)
{
    TempFolder dir;
    const std::string path = dir.path + "/orders.sqlite";
    OrderStore(path).add(orderNumber(0));
    std::mt19937 random(20261208);
    std::size_t committed = 1;
    for (int round = 1; round <= 4; ++round) {
        int pipe_[2];
        ASSERT_EQ(pipe(pipe_), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves 256 KiB orders until killed; a byte down the pipe after each commit.
            close(pipe_[0]);
            try {
                OrderStore store(path);
                for (int n = round * 1000;; ++n)
                    if (store.add(orderNumber(n, 256 * 1024)) && write(pipe_[1], "s", 1) != 1) break;
            } catch (...) {
            }
            _exit(1);
        }
        close(pipe_[1]);
        char byte = 0;
        ASSERT_EQ(read(pipe_[0], &byte, 1), 1);
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 40000)(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status)) << "round " << round;
        for (++committed; read(pipe_[0], &byte, 1) == 1;) ++committed;
        close(pipe_[0]);

        OrderStore store(path);
        EXPECT_EQ(store.integrityCheck(), "ok");
        const auto entries = store.list();
        EXPECT_GE(entries.size(), committed) << "round " << round;
        for (const auto& entry : entries) {
            const int n = std::stoi(entry.name.substr(6));
            EXPECT_EQ(strings(store.load(entry.id)), strings(orderNumber(n, n ? 256 * 1024 : 100))) << entry.name;
        }
    }
}
