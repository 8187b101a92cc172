#include "support/OrderFixture.h"

#include "control/ControlAccess.h"
#include "core/ControlContext.h"

using namespace zelt;

namespace {

/// The catalogue system's page around its escaped freight rules document.
std::string page(const std::string& rules)
{
    std::string escaped;
    for (char c : rules) escaped += c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return "<head><script>var x;</script>" + escaped + "</div><html xmlns=\"http://www.w3.org/1999/xhtml\">";
}

std::string option(const char* id, const char* description, const char* agent = nullptr)
{
    std::string out = "<DeliveryOption>";
    if (id) out += std::string("<VendorFreightMethodID>") + id + "</VendorFreightMethodID>";
    if (description) out += std::string("<VendorDeliveryTypeDescription>") + description + "</VendorDeliveryTypeDescription>";
    if (agent) out += std::string("<VendorDeliveryAgentID>") + agent + "</VendorDeliveryAgentID>";
    return out + "</DeliveryOption>";
}

const std::string kTwoOptions =
    page("<FreightRules>" + option("3", "Delivery To Club", "41") + option("7", "Home Delivery", "42") + "</FreightRules>");

struct Events : OrderedItemsEvents {
    std::vector<std::string> raised;
    void ChangeToClubDelivery(std::int16_t& id) override { raised.push_back("club " + std::to_string(id)); }
    void ChangeToHomeDelivery(std::int16_t& id) override { raised.push_back("home " + std::to_string(id)); }
};

class Delivery : public zelt::testing::OrderFixture {
protected:
    Delivery() { control->setEventSink(&events); }
    ~Delivery() override { control->setEventSink(nullptr); }
    view::ComboBox& options() { return form().cboFreightOptions[0]; }
    Events events;
};

} // namespace

TEST_F(Delivery, TheRulesPageFillsTheOptionsClubFirst)
{
    control->SetFreightOptionsFromMorrow(kTwoOptions);
    ASSERT_EQ(options().listCount(), 2);
    EXPECT_EQ(options().itemText(0) + " " + std::to_string(options().itemData(0)), "Delivery To Club/Third Party Installer/Forwarder 3");
    EXPECT_EQ(options().itemText(1) + " " + std::to_string(options().itemData(1)), "Home Delivery 7");
    EXPECT_EQ(options().listIndex(), 0);
    EXPECT_EQ(control->DeliveryAgentID(), "42") << "the last option read wins";
    EXPECT_TRUE(control->AllowHomeDelivery());
    EXPECT_TRUE(events.raised.empty()) << "no event before the clerk's first change";
    // An option lacking its identifier carries the previous one over.
    control->SetFreightOptionsFromMorrow(page("<FreightRules>" + option("5", "Ground") + option(nullptr, "Air") + "</FreightRules>"));
    EXPECT_EQ(options().itemData(1), 5);
    // A vendor without center handling offers the club option only.
    ControlAccess::context(*control).state.vendorFees.noCenterHandling = true;
    control->SetFreightOptionsFromMorrow(kTwoOptions);
    EXPECT_EQ(options().listCount(), 1);
}

TEST_F(Delivery, AChosenOptionTellsTheHostClubOrHomeAndABadPageKeepsTheOptions)
{
    control->SetFreightOptionsFromMorrow(kTwoOptions);
    ControlAccess::context(*control).state.IsFirstInit = false;
    options().userSelect(1);
    EXPECT_TRUE(form().txtFee[2].enabled());
    options().userSelect(0);
    EXPECT_FALSE(form().txtFee[2].enabled());
    EXPECT_FALSE(form().chkAppEHD.enabled());
    EXPECT_EQ(events.raised, (std::vector<std::string>{"home 0", "club 0"}));
    // The delivery check box silences the next selection only.
    control->setDeliveryCheckBoxChecked(true);
    control->UpdateFreightComboBox(true);
    control->UpdateFreightComboBox(false);
    EXPECT_EQ(events.raised, (std::vector<std::string>{"home 0", "club 0", "club 0"}));
    EXPECT_EQ(options().listIndex(), 0);
    // A page that cannot be read keeps the options and says why.
    for (const std::string& bad : {std::string("<head><script></script>no document here"),
                                   page("<FreightRules></FreightRules>"),
                                   page("<FreightRules>" + option("seven", "Home") + "</FreightRules>"),
                                   // Cut off after a whole option, and followed by stray text.
                                   page("<FreightRules>" + option("5", "Ground") + "<DeliveryOption><VendorFreightMethodID>5"),
                                   page("<FreightRules>" + option("5", "Ground") + "</FreightRules><Junk>")}) {
        SCOPED_TRACE(bad);
        boxes->clearShown();
        control->SetFreightOptionsFromMorrow(bad);
        ASSERT_EQ(boxes->shown().size(), 1u);
        EXPECT_EQ(boxes->shown()[0].text.rfind("SetFreightOptions from Morrow Method ", 0), 0u) << boxes->shown()[0].text;
        EXPECT_EQ(options().listCount(), 2) << "the options stay as they were";
    }
}

TEST_F(Delivery, HostSettingsChooseAndLockTheOption)
{
    // With no options there is no first one to select: the host is told.
    EXPECT_THROW(control->UpdateFreightComboBox(false), InputError);
    EXPECT_NO_THROW(control->UpdateFreightComboBox(true));
    control->SetFreightOptionsFromMorrow(kTwoOptions);
    control->setVendorFreightMethodID("7");
    EXPECT_EQ(options().listIndex(), 1);
    EXPECT_TRUE(form().txtFee[2].enabled());
    EXPECT_FALSE(options().enabled());
    control->setVendorFreightMethodID("9");
    EXPECT_EQ(options().listIndex(), 1) << "no such option: the selection stays";
    // The option is found by the text given: "003" is method 3 but no option's "3".
    control->setVendorFreightMethodID("003");
    EXPECT_EQ(control->VendorFreightMethodID(), "3");
    EXPECT_EQ(options().listIndex(), 1);
    control->setEnableFreightDeliveryOptions(true);
    control->setTransshipOrder(true);
    EXPECT_EQ(options().listIndex(), 0);
    EXPECT_FALSE(options().enabled());
    EXPECT_FALSE(form().txtFee[2].enabled());
    control->setNonCenterDelivery(true);
    control->setThirdPartyDelivery(false);
    EXPECT_TRUE(form().txtFee[2].enabled());
    control->setThirdPartyDelivery(true);
    EXPECT_FALSE(form().txtFee[2].enabled());
}
