#include "support/OrderFixture.h"
#include "support/Throws.h"

#include "control/ControlAccess.h"

#include "zelt/InputError.h"

#include <functional>
#include <vector>

using namespace zelt;
using zelt::testing::LineSpec;

namespace {

class Control : public zelt::testing::OrderFixture {};

struct RecordingSite : HostSite {
    std::vector<std::string> changed;
    void PropertyChanged(std::string_view name) override { changed.emplace_back(name); }
};

struct RecordingService : platform::AvaTaxService {
    std::vector<std::string> calls;
    void setProfileClient(const std::string& v) override { calls.push_back("profile:" + v); }
    void setUrl(const std::string& v) override { calls.push_back("url:" + v); }
    void setAccount(const std::string& v) override { calls.push_back("account:" + v); }
    void setLicenseKey(const std::string& v) override { calls.push_back("key:" + v); }
    int ping(std::string_view) override { return 2; }
    platform::AvaTaxResult getTax(const platform::AvaTaxRequest&) override { return {}; }
};

} // namespace

TEST_F(Control, StoresPropertiesAsTheHostGivesThemAndSignalsTheModeAndCountry)
{
    for (auto [center, kept] : {std::pair{"12", "012"}, {"1234", "1234"}, {"ABC", "ABC"}}) {
        control->setCenterID(center);
        EXPECT_EQ(ControlAccess::state(*control).CenterID, kept);
    }
    for (auto [agent, expected] : {std::pair{"", "0"}, {"X1", "0"}, {"15", "15"}}) {
        control->setDeliveryAgentID(agent);
        EXPECT_EQ(control->DeliveryAgentID(), agent);
        EXPECT_EQ(control->VendorDeliveryAgentID(), expected);
    }
    control->setDeliveryCheckBoxChecked(false);
    EXPECT_TRUE(ControlAccess::state(*control).deliveryCheckBoxChecked);
    EXPECT_FALSE(control->HomeDeliveryAvailable());
    control->setAllowFreightOverride(true);
    control->setAllowEHDOverride(false);
    EXPECT_TRUE(form().chkAppFreight.enabled());
    EXPECT_FALSE(form().chkAppEHD.enabled());
    // The mode and the country signal the host's store.
    RecordingSite site;
    control->setHostSite(&site);
    control->setViewMode(Mode::UpdateMode);
    control->CountryID(COUNTRY::CANADA, 2);
    EXPECT_EQ(site.changed, (std::vector<std::string>{"Mode", "Country"}));
    EXPECT_EQ(control->ViewMode(), Mode::UpdateMode);
}

TEST_F(Control, DirtyMarkingFollowsThePersonType)
{
    EXPECT_TRUE(control->IsFirstInit());
    EXPECT_FALSE(control->IsDirty());
    control->GetComboContent(zelt::testing::lookupTables());
    view::Form& f = form();
    f.cboFld[1].setText("Open");
    EXPECT_TRUE(control->IsDirty());

    control->setIsDirty(false);
    control->setPersonType("5");
    f.cboFld[2].setText("Box");
    EXPECT_FALSE(control->IsDirty());
    control->setIsDirty(true);
    f.chkDirection.setValue(1);
    EXPECT_FALSE(control->IsDirty()) << "person type 5 clears the flag";

    control->setPersonType("");
    f.DTPckrPriceListDate.setValue(text::Date{2024, 1, 1});
    EXPECT_TRUE(control->IsDirty());
    EXPECT_FALSE(control->IsFirstInit());
    // Typing marks it too; the description takes no Enter.
    control->setIsDirty(false);
    f.txtField[1].setLocked(false);
    f.txtField[1].typeText("Desk\nChair");
    EXPECT_EQ(f.txtField[1].text(), "DeskChair");
    EXPECT_TRUE(control->IsDirty());
}

TEST_F(Control, CommandGroupsSwitchTogetherAndEndWithTheTaxCommandOff)
{
    view::Form& f = form();
    EXPECT_FALSE(f.cmdUpdateTaxes.enabled()) << "no order event allows taxes yet";
    f.cmdUpdateTaxes.setEnabled(true);
    control->setDisableControls(true);
    EXPECT_FALSE(f.cmdAdd.enabled());
    EXPECT_FALSE(f.cboFreightOptions[0].enabled());
    EXPECT_FALSE(f.cmdUpdateTaxes.enabled());
    f.cmdUpdateTaxes.setEnabled(true);
    control->setEnableControls(false);
    EXPECT_TRUE(f.cmdAdd.enabled());
    EXPECT_TRUE(f.cboFreightOptions[0].enabled());
    EXPECT_FALSE(f.cmdUpdateTaxes.enabled());
    control->EnableUpdateTaxes(true);
    EXPECT_TRUE(f.cmdUpdateTaxes.enabled());
}

TEST_F(Control, FreightDeliveryOptionsSelectTheVendorMethod)
{
    view::ComboBox& options = form().cboFreightOptions[0];
    options.addItem("Delivery To Club/Third Party Installer/Forwarder", 3);
    options.addItem("Home Delivery", 7);
    EXPECT_TRUE(control->AllowHomeDelivery());
    control->setVendorFreightMethodID("7");
    EXPECT_EQ(control->VendorFreightMethodID(), "7");
    control->setEnableFreightDeliveryOptions(false);
    EXPECT_EQ(options.listIndex(), 1);
    EXPECT_FALSE(options.enabled());
    EXPECT_THROW(control->setVendorFreightMethodID("seven"), InputError);
    EXPECT_EQ(control->VendorFreightMethodID(), "7") << "a refused value changes nothing";
}

TEST_F(Control, GetTotalAmountReadsTheDepositOrFailsClearly)
{
    form().txtFee[6].setText("250.00");
    EXPECT_DOUBLE_EQ(control->GetTotalAmount(), 250);
    for (const std::string bad : {"", "abc"}) {
        form().txtFee[6].setText(bad);
        EXPECT_TRUE(zelt::testing::throwsWith<InputError>([&] { control->GetTotalAmount(); }, "\"" + bad + "\"")) << bad;
    }
}

TEST_F(Control, SetConfigCopiesOnlyTheSettingsGiven)
{
    RecordingService none, urlOnly, all;
    control->SetConfig(none);
    EXPECT_TRUE(none.calls.empty());
    control->setUrl("https://avatax.example/");
    control->SetConfig(urlOnly);
    EXPECT_EQ(urlOnly.calls, (std::vector<std::string>{"url:https://avatax.example/"}));
    control->setProfileClient("Zelt");
    control->setAccount("1100");
    control->setLicenseKey("secret");
    control->SetConfig(all);
    EXPECT_EQ(all.calls, (std::vector<std::string>{"profile:Zelt", "url:https://avatax.example/", "account:1100",
                                                   "key:secret"}));
}

