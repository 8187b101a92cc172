#include "zelt/OrderedItems.h"
#include "zelt/StandIns.h"

#include <gtest/gtest.h>

using namespace zelt;

namespace {

/// An error record as a host keeps it.
struct HostError : ErrorRecord {
    std::int32_t number = 0;
    std::string description, source;
    std::int32_t Number() const override { return number; }
    std::string Description() const override { return description; }
    std::string Source() const override { return source; }
    void Clear() override { number = 0; description.clear(); source.clear(); }
};

/// A log that cannot be written.
struct BrokenLog : platform::EventLog {
    void write(std::string_view) override { throw Error("the event log is full"); }
};

} // namespace

TEST(ErrorHandlerCenter, WritesTheFixedEntryAndClearsTheRecordOnceWritten)
{
    auto log = std::make_shared<platform::MemoryEventLog>();
    Services services;
    services.eventLog = log;
    OrderedItems control(services);
    HostError err;
    err.number = 13;
    err.description = "Type mismatch";
    err.source = "Order";

    control.ErrorHandlerCenter(err, "Save", "while saving PO 7", 1042, 3, 12);
    control.ErrorHandlerCenter(err, "Save", "", 0);

    ASSERT_EQ(log->entries().size(), 2u);
    EXPECT_EQ(log->entries()[0], "\r\n\r\nEmployeeID = 1042, SecurityType = 3,CenterID = 12\r\n"
                                 "Error Number - 13\r\nError Description - Type mismatch\r\n"
                                 "Error Source - OrderSave\r\nAdditional Error Info - while saving PO 7");
    EXPECT_EQ(log->entries()[1], "\r\n\r\nEmployeeID = 0, SecurityType = 0,CenterID = 0\r\n"
                                 "Error Number - 0\r\nError Description - \r\n"
                                 "Error Source - Save\r\nAdditional Error Info - ")
        << "the record was cleared after the first entry";
    EXPECT_EQ(std::pair(err.number, err.description), std::pair(0, std::string()));
    // A log that cannot be written leaves the record.
    services.eventLog = std::make_shared<BrokenLog>();
    OrderedItems broken(services);
    err.number = 5;
    EXPECT_THROW(broken.ErrorHandlerCenter(err, "p", "i"), Error);
    EXPECT_EQ(err.number, 5) << "not cleared";
}
