#include "SurchargeStandIn.h"

#include "zelt/OrderedItems.h"
#include "zelt/StandIns.h"

#include <gtest/gtest.h>

using namespace zelt;
using namespace std::chrono_literals;

namespace {

class Surcharge : public ::testing::Test {
protected:
    Surcharge()
    {
        Services services;
        services.eventLog = log;
        control = std::make_unique<OrderedItems>(services);
        control->setServiceTimeouts(500ms, 2s);
        control->setUsesZeltD(true);
        control->setViewMode(Mode::UpdateMode);
        control->PutServerName(service.serverName());
        control->form().txtFee[4].setText("200.00");
    }
    const std::string& fee(int i) { return control->form().txtFee[i].text(); }

    std::shared_ptr<platform::MemoryEventLog> log = std::make_shared<platform::MemoryEventLog>();
    standins::SurchargeStandIn service{{{12, 0.125}, {3, 0.05}}};
    std::unique_ptr<OrderedItems> control;
};

} // namespace

TEST_F(Surcharge, TheCarriersPercentageIsAddedToTheFreight)
{
    control->GetSurCharges(12, "2024-05-01");
    EXPECT_EQ(fee(7), "25.00");
    EXPECT_EQ(fee(4), "225.00");
    EXPECT_EQ(service.lastAction(), "http://tempuri.org/SurchargeInformation/GetSurCharges");
    EXPECT_EQ(service.lastEnvelope(),
              "<?xml version=\"1.0\"?><soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
              "<soap:Body><GetSurCharges xmlns=\"http://tempuri.org/SurchargeInformation/\">"
              "<EffectiveDate>2024-05-01</EffectiveDate><CarrierID>12</CarrierID></GetSurCharges></soap:Body></soap:Envelope>");
    // A carrier the service does not know has no surcharge: the freight keeps its value.
    control->GetSurCharges(99, "2024-05-01");
    EXPECT_EQ(fee(7), "0.00");
    EXPECT_EQ(fee(4), "225.00");
    // The service's invariant percentage (0.125, as a DataSet writes it) reads for a clerk in fr-CA.
    control->setLocale(text::Locale::frCA());
    control->form().txtFee[4].setText("200,00");
    control->GetSurCharges(12, "2024-05-01");
    EXPECT_EQ(fee(7), "25,00");
    EXPECT_EQ(fee(4), "225,00");
    EXPECT_TRUE(control->LastServiceFailure().empty()) << control->LastServiceFailure();
}

TEST_F(Surcharge, NoRequestWhereTheOrderTakesNoSurcharge)
{
    struct Case { const char* name; std::function<void(OrderedItems&)> setUp; } cases[] = {
        {"not UsesZeltD", [](OrderedItems& c) { c.setUsesZeltD(false); }},
        {"View Mode", [](OrderedItems& c) { c.setViewMode(Mode::ViewMode); }},
        {"freight overridden",
         [](OrderedItems& c) {
             c.setAllowFreightOverride(true);
             c.form().chkAppFreight.setValue(1);
             c.form().txtFee[4].setText("200.00");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.setUp(*control);
        control->GetSurCharges(12, "2024-05-01");
        EXPECT_EQ(fee(4), "200.00");
        EXPECT_EQ(service.requests(), 0);
    }
}

TEST_F(Surcharge, ValuesGoIntoTheEnvelopeEscapedAndAFailureIsSeen)
{
    control->GetSurCharges(3, "R&D <5>");
    EXPECT_NE(service.lastEnvelope().find("<EffectiveDate>R&amp;D &lt;5&gt;</EffectiveDate>"), std::string::npos)
        << "the envelope still parses and goes out whole";
    EXPECT_EQ(fee(4), "210.00");
    // An unreachable service is not a carrier without surcharge: the surcharge
    // and the freight stay as they were, the failure is in the log.
    control->PutServerName("http://127.0.0.1:1/");
    control->GetSurCharges(3, "2024-05-01");
    EXPECT_EQ(fee(7), "10.00");
    EXPECT_EQ(fee(4), "210.00");
    EXPECT_NE(control->LastServiceFailure().find("http://127.0.0.1:1/WebServices/SurchargeInformation/Service.asmx"), std::string::npos)
        << control->LastServiceFailure();
    EXPECT_FALSE(log->entries().empty());
}
