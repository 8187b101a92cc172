#include "support/OrderFixture.h"

#include "control/ControlAccess.h"
#include "core/ControlContext.h"
#include "support/TaxTestSupport.h"
#include "support/Throws.h"
#include "taxes/VendorFreight.h"

#include "zelt/platform/RuleTableFreightCalculator.h"

#include <filesystem>
#include <fstream>

using namespace zelt;
using platform::RuleTableFreightCalculator;
using zelt::testing::throwsWith;

namespace {

const char* kRules = R"({"methods": [
    {"vendorFreightMethodID": 7, "minimumCharge": 25, "ehdFee": 45,
     "brackets": [{"upToPounds": 500, "ratePerPound": 0.25}, {"upToPounds": null, "ratePerPound": 0.15}]},
    {"vendorFreightMethodID": 3, "brackets": [{"upToPounds": 100, "ratePerPound": 1}]}]})";

class VendorFreightStep : public zelt::testing::OrderFixture {
protected:
    VendorFreightStep()
    {
        ControlAccess::context(*control).services.freight = component;
        control->setCenterID("12");
        load(Mode::UpdateMode, {zelt::testing::LineSpec{}, zelt::testing::LineSpec{}});
        form().cboFreightOptions[0].addItem("Home Delivery", 7);
        form().cboFreightOptions[0].setListIndex(0);
        form().txtFee[4].setText("99.00");
        form().txtFee[2].setText("99.00");
    }
    std::optional<std::string> run() { return VendorFreight(ControlAccess::context(*control)).CalculateVendorFreight(); }

    std::shared_ptr<zelt::testing::ScriptedFreight> component = std::make_shared<zelt::testing::ScriptedFreight>();
};

} // namespace

TEST_F(VendorFreightStep, TheAnswerSetsFreightAndHomeDeliveryAndTheRuleTableAnswersOrSaysWhatIsWrong)
{
    component->answer = "12.5|3";
    EXPECT_FALSE(run());
    EXPECT_EQ(form().txtFee[4].text(), "12.50");
    EXPECT_EQ(form().txtFee[2].text(), "3.00");
    EXPECT_EQ(component->method, 7);
    EXPECT_EQ(component->asked.lines.size(), 2u);
    EXPECT_DOUBLE_EQ(component->asked.totalWeight, 15);
    // An overridden home delivery fee stays; a factory pickup has no freight.
    form().chkAppEHD.setEnabled(true);
    form().chkAppEHD.setVisible(true);
    form().chkAppEHD.setValue(1);
    form().txtFee[2].setText("7.00");
    ControlAccess::context(*control).state.factoryPickup = true;
    EXPECT_FALSE(run());
    EXPECT_EQ(form().txtFee[2].text(), "7.00");
    EXPECT_EQ(form().txtFee[4].text(), "0.00");
    // The rule table component: brackets, minimum and fees, and what is wrong with a bad rules file.
    auto calculator = RuleTableFreightCalculator::fromJson(kRules);
    platform::FreightRequest weighing;
    struct Case { double pounds; std::int32_t method; const char* answer; } cases[] = {
        {120, 7, "30.00|45.00"}, {10, 7, "25.00|45.00"}, {600, 7, "90.00|45.00"}, {500, 7, "125.00|45.00"},
        {50, 3, "50.00|0.00"},   {150, 3, ""},           {50, 9, ""}};
    for (const Case& c : cases) {
        weighing.totalWeight = c.pounds;
        EXPECT_EQ(calculator.calculate(weighing, "NY", 7, "10001", c.method), c.answer) << c.pounds;
    }
    // A bad rules file says what is wrong.
    struct Bad { const char* json; const char* reason; } bad[] = {
        {"{", "not JSON"},
        {R"({"rules": []})", "\"methods\" array"},
        {R"({"methods": 1e99999})", "not JSON"}, // a number no double holds
        {R"({"methods": [{"brackets": [{"ratePerPound": 1}]}]})", "method 0: \"vendorFreightMethodID\""},
        {R"({"methods": [{"vendorFreightMethodID": 1, "brackets": []}]})", "\"brackets\" must be a non-empty array"},
        {R"({"methods": [{"vendorFreightMethodID": 1, "brackets": [{"ratePerPound": -1}]}]})",
         "bracket 0: \"ratePerPound\" must be a number of 0 or more"},
        {R"({"methods": [{"vendorFreightMethodID": 1, "brackets": [{"ratePerPound": 1}]},
                         {"vendorFreightMethodID": 1, "brackets": [{"ratePerPound": 2}]}]})", "given twice"},
        // Beyond 32 bits an identifier would serve another method (4294967303 is 7 once wrapped).
        {R"({"methods": [{"vendorFreightMethodID": 4294967303, "brackets": [{"ratePerPound": 1}]}]})",
         "method 0: \"vendorFreightMethodID\" 4294967303 is beyond 32 bits"},
        {R"({"methods": [{"vendorFreightMethodID": 7, "ehdFee": 1e308, "brackets": [{"ratePerPound": 1}]}]})",
         "method 0: \"ehdFee\" is beyond the currency range"},
        {R"({"methods": [{"vendorFreightMethodID": 7, "brackets": [{"ratePerPound": 1e16}]}]})",
         "bracket 0: \"ratePerPound\" is beyond the currency range"},
    };
    for (const Bad& c : bad)
        EXPECT_TRUE(throwsWith<platform::FreightRulesError>([&] { RuleTableFreightCalculator::fromJson(c.json); }, c.reason))
            << c.json;
    // Files: none, one that never ends, one too large to read.
    const std::string large = (std::filesystem::temp_directory_path() / "zelt-large-rules.json").string();
    std::ofstream(large).put('{');
    std::filesystem::resize_file(large, RuleTableFreightCalculator::kMaxFileBytes + 1);
    for (auto [path, reason] : std::vector<std::pair<std::string, const char*>>{
             {"/nonexistent/rules.json", "is not a regular file"},
             {"/dev/zero", "is not a regular file"},
             {large, "at most 16777216 are read"}})
        EXPECT_TRUE(throwsWith<platform::FreightRulesError>([&] { RuleTableFreightCalculator::fromFile(path); }, reason))
            << path;
    std::filesystem::remove(large);
}

TEST_F(VendorFreightStep, NoRuleOrNoAnswerChangesNoFee)
{
    component->answer = "ab";
    EXPECT_FALSE(run());
    EXPECT_EQ(boxes->shown().back().text,
              "Vendor does not have a freight rule defined. Please refer to the freight program in the vendor catalog");
    component->answer = "12.5";
    EXPECT_NE(run().value_or("").find("has no \"|\""), std::string::npos);
    // A freight no currency value holds (a heavy order at a huge rate) is refused.
    component->answer = "7500000000000000.00|0.00";
    EXPECT_NE(run().value_or("").find("beyond the currency range"), std::string::npos);
    form().cboFreightOptions[0].setListIndex(-1);
    EXPECT_EQ(run().value_or(""), "no delivery option is chosen");
    EXPECT_EQ(form().txtFee[4].text(), "99.00");
    EXPECT_EQ(form().txtFee[2].text(), "99.00");
}
