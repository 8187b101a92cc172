#include "AvaTaxStandIn.h"

#include "zelt/platform/AvaTaxRestService.h"
#include "zelt/platform/CurlHttpClient.h"
#include "zelt/Version.h"

#include <gtest/gtest.h>

using namespace zelt;
using namespace std::chrono_literals;
using Fault = standins::AvaTaxStandIn::Fault;

namespace {

constexpr const char* kAccount = "1100012345";
constexpr const char* kKey = "A1B2C3D4E5F6SECRET";

class AvaTaxRest : public ::testing::Test {
protected:
    AvaTaxRest()
    {
        service.setUrl(standIn.url() + "/");
        service.setAccount(kAccount);
        service.setLicenseKey(kKey);
        service.setTimeouts(500ms, 1s);
    }

    /// An order of 100.00 and 50.00 to 5 Broadway, New York.
    static platform::AvaTaxRequest order()
    {
        platform::AvaTaxRequest r;
        r.companyCode = "ZELT";
        r.customerCode = "V100";
        r.docCode = "PO-4711";
        r.docDate = "2024-05-01";
        r.origin = {"1 Main St", "", "", "Albany", "NY", "12207", "US"};
        r.destination = {"5 Broadway", "", "", "Somewhere", "NY", "10001", "US"};
        r.lines = {{"1", "WIDGET", 4, text::Currency::fromUnits(10000 * 100), "P0000000"},
                   {"2", "GADGET", 1, text::Currency::fromUnits(5000 * 100), "P0000000"}};
        return r;
    }

    standins::AvaTaxStandIn standIn{kAccount, kKey};
    platform::AvaTaxRestService service{std::make_shared<platform::CurlHttpClient>()};
};

} // namespace

TEST_F(AvaTaxRest, TaxesComeBackPerLineAndJurisdictionAndTheClientHeaderHasItsFiveParts)
{
    const auto result = service.getTax(order());
    ASSERT_EQ(result.resultCode, 0) << service.lastFailure();
    EXPECT_EQ(result.docCode, "PO-4711");
    ASSERT_EQ(result.lines.size(), 2u);
    EXPECT_EQ(result.lines[0].no, "1");
    // State, City and Special district of New York, in that order.
    std::vector<int> types;
    for (const auto& d : result.lines[0].details) types.push_back(d.jurisType);
    ASSERT_EQ(types, (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(result.lines[0].details[0].tax, text::Currency::fromUnits(400 * 100));
    EXPECT_EQ(result.lines[1].details[1].tax, text::Currency::fromUnits(225 * 100));
    // 8.875% of 150.00
    EXPECT_NEAR(result.totalTax.toDouble(), 13.3125, 1e-9);
    EXPECT_EQ(result.totalAmount, text::Currency::fromUnits(15000 * 100));

    // The request went out as AvaTax's JSON with the document values.
    const std::string sent = standIn.lastBody();
    EXPECT_NE(sent.find("\"PO-4711\""), std::string::npos);
    EXPECT_NE(sent.find("\"shipTo\""), std::string::npos);
    EXPECT_EQ(sent.find(kKey), std::string::npos);
    // The client header has its documented five parts.
    const std::string library = std::string("; ZeltOrderedItems AvaTax REST; ") + kVersionString + "; ";
    for (auto [client, starts] : std::vector<std::pair<const char*, std::string>>{
             {"OrderDesk, 4.2", "OrderDesk; 4.2"},
             {"OrderDesk;4.2;x", "OrderDesk; 4.2"},
             {"OrderDesk", std::string("OrderDesk; ") + kVersionString},
             {"", std::string("ZeltOrderedItems; ") + kVersionString}}) {
        service.setProfileClient(client);
        const std::string header = service.clientHeader();
        EXPECT_EQ(header.rfind(starts + library, 0), 0u) << header;
        EXPECT_GT(header.size(), starts.size() + library.size()) << "ends with the machine's name";
    }
}

TEST_F(AvaTaxRest, PingSucceedsOnlyForAKnownAccountAndFailuresAreResultsWithAReason)
{
    EXPECT_EQ(service.ping("hello"), 0);
    EXPECT_TRUE(service.lastFailure().empty());
    service.setLicenseKey("WRONG");
    EXPECT_EQ(service.ping("hello"), 2);
    EXPECT_NE(service.lastFailure().find("not authenticated"), std::string::npos);
    struct Case { const char* name; Fault fault; std::string key; int resultCode; const char* summaryPart; } cases[] = {
        {"address not found", Fault::ErrorAnswer, kKey, 2, "address number"},
        {"wrong licence key", Fault::None, "WRONG", 2, "Authentication"},
        {"silence past the time-out", Fault::Silence, kKey, 3, "could not be reached"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        standIn.setFault(c.fault);
        service.setLicenseKey(c.key);
        const auto started = std::chrono::steady_clock::now();
        const auto result = service.getTax(order());
        EXPECT_LT(std::chrono::steady_clock::now() - started, 1900ms);
        EXPECT_EQ(result.resultCode, c.resultCode);
        ASSERT_FALSE(result.messages.empty());
        EXPECT_NE(result.messages[0].summary.find(c.summaryPart), std::string::npos) << result.messages[0].summary;
        EXPECT_TRUE(result.lines.empty());
        // Nothing the service says about a failure carries the licence key.
        EXPECT_EQ(service.lastFailure().find(kKey), std::string::npos);
        for (const auto& m : result.messages) EXPECT_EQ((m.summary + m.details).find(kKey), std::string::npos);
    }
}

TEST_F(AvaTaxRest, CredentialsGoOnlyOverHttpsOrToThisMachineAndNoHeaderCarriesALineBreak)
{
    // A client name with a header of its own is refused before anything is sent.
    service.setProfileClient("Prof\r\nX-Evil: 1");
    EXPECT_EQ(service.ping(""), 2);
    EXPECT_NE(service.lastFailure().find("refused: the header \"X-Avalara-Client\""), std::string::npos)
        << service.lastFailure();
    EXPECT_EQ(service.getTax(order()).resultCode, 3);
    EXPECT_EQ(standIn.transactions(), 0);
    service.setProfileClient("OrderDesk");
    // Plain http only to this machine: anywhere else the licence key would travel in clear.
    for (const char* url : {"sandbox-rest.avatax.com", "http://avatax.example.com", "http://10.0.0.5:8080/", "HTTP://192.168.1.2"}) {
        SCOPED_TRACE(url);
        service.setUrl(url);
        EXPECT_EQ(service.ping(""), 2);
        EXPECT_NE(service.lastFailure().find("AvaTax ping: "), std::string::npos);
        EXPECT_EQ(service.lastFailure().find(kKey), std::string::npos);
        const platform::AvaTaxResult result = service.getTax(order());
        EXPECT_EQ(result.resultCode, 3);
        EXPECT_NE(service.lastFailure().find("get tax: "), std::string::npos);
    }
    EXPECT_NE(service.lastFailure().find("only over https"), std::string::npos) << service.lastFailure();
    for (std::string url : {standIn.url(), "http://localhost:" + standIn.url().substr(standIn.url().rfind(':') + 1)}) {
        service.setUrl(url);
        EXPECT_EQ(service.ping(""), 0) << url;
    }
}
