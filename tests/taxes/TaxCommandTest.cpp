#include "support/OrderFixture.h"
#include "support/TaxTestSupport.h"

#include "control/ControlAccess.h"
#include "core/ControlContext.h"

#include <functional>

using namespace zelt;
using zelt::testing::LineSpec;
using zelt::testing::lineWith;
using L = LineSpec;

namespace {

/// An AvaTax service that answers from a script and keeps what it was asked.
struct ScriptedAvaTax : platform::AvaTaxService {
    int pingCode = 0;
    std::vector<platform::AvaTaxResult> results; // one per getTax, the last repeats
    std::vector<platform::AvaTaxRequest> asked;
    std::string account, key;

    void setProfileClient(const std::string&) override {}
    void setUrl(const std::string&) override {}
    void setAccount(const std::string& v) override { account = v; }
    void setLicenseKey(const std::string& v) override { key = v; }
    int ping(std::string_view) override { return pingCode; }
    platform::AvaTaxResult getTax(const platform::AvaTaxRequest& request) override
    {
        asked.push_back(request);
        return results.at(std::min(asked.size(), results.size()) - 1);
    }
};

/// A result taxing the order at a state rate of 4% and a city rate of 4.5%.
platform::AvaTaxResult taxed(double taxable)
{
    platform::AvaTaxResult r;
    r.docCode = "PO-1";
    platform::AvaTaxLine line;
    line.no = "Merch1";
    line.taxable = text::Currency::fromDouble(taxable);
    line.tax = text::Currency::fromDouble(taxable * 0.085);
    for (auto [type, rate, name] : {std::tuple{1, 0.04, "NEW YORK"}, {3, 0.045, "NEW YORK CITY"}}) {
        platform::AvaTaxDetail d;
        d.jurisType = type;
        d.jurisName = name;
        d.rate = rate;
        d.taxable = line.taxable;
        d.tax = text::Currency::fromDouble(taxable * rate);
        line.details.push_back(d);
    }
    r.lines = {line};
    return r;
}

platform::AvaTaxResult rejected(std::string summary)
{
    platform::AvaTaxResult r;
    r.resultCode = 2;
    r.messages.push_back({std::move(summary), "The address could not be found", "Addresses[1]"});
    return r;
}

LineSpec line(const char* quantity, const char* price, const char* status = "1")
{
    return lineWith({{&L::quantity, quantity}, {&L::unitPrice, price}, {&L::status, status}});
}

class TaxCommand : public zelt::testing::OrderFixture {
protected:
    TaxCommand()
    {
        ControlContext& ctx = ControlAccess::context(*control);
        ctx.services.avaTax = [s = avaTax] { return s; };
        ctx.services.freight = freight;
        control->setZeltEvent("PurchaseOrder");
        control->setAccount("1100012345");
        control->setLicenseKey("TOPSECRETKEY");
        control->setCustomerOrderedDate("2024-05-01");
        control->setShipStreet1("5 Broadway");
        control->setShipState("NY");
        control->setTaxLineExemptedCode("NT");
        control->setCenterDeliveryFrieghtCode("FR020100");
        control->setBrokageFeeCode("BROK");
        control->setCenterID("12");
        avaTax->results = {taxed(100)};
    }

    void loadOrder(const std::vector<LineSpec>& specs, Mode mode = Mode::UpdateMode)
    {
        load(mode, specs);
        form().cboFreightOptions[0].addItem("Curbside", 7);
        form().cboFreightOptions[0].setListIndex(0);
        for (auto [box, rate] : {std::pair{&form().txtHiddenCountryTaxRate, "0"}, {&form().txtHiddenStateTaxRate, "0.05"},
                                 {&form().txtHiddenCountyTaxRate, "0"}, {&form().txtHiddenCityTaxRate, "0.01"},
                                 {&form().txtHiddenLocalTaxRate, "0"}})
            box->setText(rate);
        boxes->clearShown();
    }
    const std::string& tax(int i) { return form().txtFieldTax[i].text(); }
    /// The country, state, county, city and local taxes.
    std::vector<std::string> taxes() { return {tax(12), tax(13), tax(14), tax(15), tax(16)}; }
    const std::string& fee(int i) { return form().txtFee[i].text(); }
    const ControlState& state() { return ControlAccess::state(*control); }
    std::vector<std::string> amounts(const platform::AvaTaxRequest& r)
    {
        std::vector<std::string> out;
        for (const auto& l : r.lines) out.push_back(l.number + "=" + text::formatFixed(l.amount.toDouble(), 2, text::Locale::enUS()));
        return out;
    }

    std::shared_ptr<ScriptedAvaTax> avaTax = std::make_shared<ScriptedAvaTax>();
    std::shared_ptr<zelt::testing::ScriptedFreight> freight = std::make_shared<zelt::testing::ScriptedFreight>();
};

} // namespace

TEST_F(TaxCommand, EndsEarlyWhenTheOrderCannotBeCalculatedAndAFrenchCanadianClerkGetsTheSameTaxes)
{
    loadOrder({line("4", "25")});
    form().cmdAdd.setCaption("Add to Grid");
    control->UpdateTaxes();
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, "Please add the line add to P.O by clicking the Add to Grid button");
    EXPECT_TRUE(avaTax->asked.empty());
    // An order without lines is told so only in Add Mode.
    for (Mode mode : {Mode::AddMode, Mode::UpdateMode}) {
        loadOrder({}, mode);
        ControlAccess::context(*control).state.IsFirstInit = true;
        control->UpdateTaxes();
        EXPECT_EQ(std::tuple(boxes->shown().size(), state().IsFirstInit, avaTax->asked.empty()), std::tuple(mode == Mode::AddMode ? 1u : 0u, false, true));
    }
    // A clerk in fr-CA gets the same taxes; a factory pickup: the zeros the command writes read back in that locale.
    control->setLocale(text::Locale::frCA());
    const LineSpec pickup = lineWith({{&L::carrier, "22"}, {&L::unitWeight, "2,5"}}, line("4", "25"));
    control->GetComboContent(zelt::testing::lookupTables("1,25"));
    control->setViewMode(Mode::UpdateMode);
    control->setReadData(zelt::testing::lines({pickup}));
    form().cboFreightOptions[0].addItem("Curbside", 7);
    form().cboFreightOptions[0].setListIndex(0);
    boxes->clearShown();
    boxes->answerNext(view::MessageBoxAnswer::Yes);
    control->UpdateTaxes();
    ASSERT_EQ(boxes->shown().size(), 1u) << boxes->shown().back().text;
    EXPECT_EQ(fee(4), "0,00");
    EXPECT_EQ(taxes(), (std::vector<std::string>{"0,00", "4,00", "0,00", "4,50", "0,00"}));
}

TEST_F(TaxCommand, AvaTaxTaxesTheOrderTheTotalsFollowAndAnOverriddenTaxKeepsTheClerksAmount)
{
    // An order of 4 x 25.00 and fees, freight from the component, started from its button.
    loadOrder({line("4", "25")});
    form().chkDutyBrokerageFee.setChecked(true);
    form().txtFee[0].setText("10.00");
    form().txtFee[7].setText("99.00"); // the surcharge is not part of the deposit
    zelt::testing::TotalsRecorder sink;
    control->setEventSink(&sink);
    form().cmdUpdateTaxes.setEnabled(true);
    form().cmdUpdateTaxes.setFocus();
    control->UpdateTaxes();
    EXPECT_TRUE(boxes->shown().empty()) << boxes->shown()[0].text;
    EXPECT_EQ(taxes(), (std::vector<std::string>{"0.00", "4.00", "0.00", "4.50", "0.00"}));
    EXPECT_EQ((std::vector<std::string>{fee(4), fee(2), form().txtField[17].text(), fee(6)}), (std::vector<std::string>{"12.50", "3.00", "8.50", "134.00"}))
        << "the deposit: merchandise 100 + tax 8.50 + fees 10 + 3 + 12.50";
    EXPECT_EQ(sink.raised, std::vector<double>{134.0});
    EXPECT_EQ(std::pair(form().cmdUpdateTaxes.enabled(), state().IsDirty), std::pair(false, false));
    EXPECT_EQ(form().focusedWidget(), &grid()) << "the button went grey: the clerk goes on from the lines";
    EXPECT_NE(state().TaxDataXML.find("NEW YORK CITY"), std::string::npos);

    // The request: one merchandise line and the six fee lines with their codes.
    ASSERT_EQ(avaTax->asked.size(), 1u);
    const auto& r = avaTax->asked[0];
    EXPECT_EQ(amounts(r), (std::vector<std::string>{"Merch1=100.00", "Freight=12.50", "EHDFREIGHT=3.00", "BrokFee=10.00",
                                                    "DutyFee=0.00", "VendFee=0.00", "HandFee=0.00"}));
    EXPECT_EQ(r.lines[1].taxCode + " " + r.lines[3].taxCode, "FR020100 BROK");
    EXPECT_EQ(r.docDate + " " + r.customerUsageType + " " + avaTax->key, "2024-05-01 NY TOPSECRETKEY");
    control->setEventSink(nullptr);
    // An overridden tax keeps the clerk's amount.
    loadOrder({line("4", "25")});
    form().chkTaxes[13].setChecked(true);
    form().txtFieldTax[13].setText("1.11");
    control->UpdateTaxes();
    EXPECT_EQ(taxes(), (std::vector<std::string>{"0.00", "1.11", "0.00", "4.50", "0.00"}));
    EXPECT_EQ(form().txtField[17].text(), "5.61");
}

TEST_F(TaxCommand, RewardsAndExemptLinesInTheRequestAndAFactoryPickupOnlyWhenTheClerkAgrees)
{
    // Rewards of -30 against lines of 20 and 50, and an exempt line of 7.50.
    loadOrder({line("1", "20"), lineWith({{&L::exempt, "-1"}}, line("3", "2.5")), line("1", "50"), line("1", "-30", "7")});
    control->UpdateTaxes();
    ASSERT_EQ(avaTax->asked.size(), 1u) << (boxes->shown().empty() ? "" : boxes->shown()[0].text);
    const auto merchandise = amounts(avaTax->asked[0]);
    EXPECT_EQ(std::vector(merchandise.begin(), merchandise.begin() + 3),
              (std::vector<std::string>{"Merch1=0.00", "Merch2=7.50", "Merch3=40.00"}));
    EXPECT_EQ(avaTax->asked[0].lines[1].taxCode, "NT");
    // The rewards check compares numbers.
    struct Case { const char* rewards; const char* item; bool stops; } cases[] = {
        {"-50", "100", false}, {"9", "10", false}, {"500", "10", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rewards);
        loadOrder({line("1", c.item), line("1", c.rewards, "7")});
        avaTax->asked.clear();
        control->UpdateTaxes();
        EXPECT_EQ(avaTax->asked.empty(), c.stops);
        EXPECT_EQ(!boxes->shown().empty() && boxes->shown()[0].title == "Rewards Validation", c.stops) << "the clerk is told";
    }
    // A factory pickup switches every line only when the clerk agrees.
    const LineSpec pickup = lineWith({{&L::carrier, "22"}}, line("1", "10"));
    for (auto answer : {view::MessageBoxAnswer::No, view::MessageBoxAnswer::Yes}) {
        SCOPED_TRACE(answer == view::MessageBoxAnswer::Yes ? "Yes" : "No");
        loadOrder({pickup, line("1", "20")});
        form().txtFee[4].setText("40.00");
        boxes->answerNext(answer);
        control->UpdateTaxes();
        ASSERT_FALSE(boxes->shown().empty());
        const bool yes = answer == view::MessageBoxAnswer::Yes;
        EXPECT_EQ(std::tuple(cell(2, 3), fee(4), state().factoryPickup), std::tuple(std::string(yes ? "22" : "3"), std::string(yes ? "0.00" : "40.00"), yes))
            << "a factory pickup carries no freight, whatever the component says";
    }
}

TEST_F(TaxCommand, AnAddressErrorIsRetriedWithoutStreets)
{
    loadOrder({line("4", "25")});
    avaTax->results = {rejected("Address not found"), taxed(100)};
    const auto loaded = control->Revision();
    control->UpdateTaxes();
    // The command clears IsDirty, as described; the order has still changed.
    EXPECT_FALSE(control->IsDirty());
    EXPECT_NE(control->Revision(), loaded);
    ASSERT_EQ(avaTax->asked.size(), 2u);
    EXPECT_EQ(avaTax->asked[0].destination.line1 + "|" + avaTax->asked[1].destination.line1 + "|" + avaTax->asked[1].destination.region, "5 Broadway||NY");
    EXPECT_EQ(tax(13) + "|" + state().AvalavaErrorMessage, "4.00|");
    // A taxed order's warnings reach the host as a refusal's messages do.
    platform::AvaTaxResult warned = taxed(100);
    warned.messages.push_back({"Address not geocoded", "The street could not be found.", "Addresses[1]"});
    avaTax->results = {warned};
    control->UpdateTaxes();
    EXPECT_EQ(state().AvalavaErrorMessage, "Address not geocoded\r\nThe street could not be found.\r\nAddresses[1]\r\n");
    EXPECT_EQ(tax(13), "4.00");
}

TEST_F(TaxCommand, WhenAvaTaxCannotBeUsedTheRatesTheOrderHadAreUsed)
{
    // The order's rates (state 5%, city 1%) with AvaTax rejecting twice or not answering.
    for (bool reachable : {false, true}) {
        SCOPED_TRACE(reachable ? "rejected twice" : "ping fails");
        loadOrder({line("4", "25")});
        avaTax->pingCode = reachable ? 0 : 2;
        avaTax->asked.clear();
        avaTax->results = {rejected("Address not found")};
        control->UpdateTaxes();
        // The taxes come from those rates on merchandise and fees 0, 1, 3, 4, 5 (100 + 12.50)
        EXPECT_TRUE(boxes->shown().empty()) << boxes->shown()[0].text;
        EXPECT_EQ(avaTax->asked.size(), reachable ? 2u : 0u);
        EXPECT_EQ(taxes(), (std::vector<std::string>{"0.00", "5.63", "0.00", "1.13", "0.00"}));
        EXPECT_EQ(form().txtField[17].text() + " " + form().txtHiddenStateTaxRate.text(), "6.76 0.05");
        EXPECT_EQ(state().AvalavaErrorMessage,
                  reachable ? "Address not found\r\nThe address could not be found\r\nAddresses[1]\r\n" : "");
    }
}

TEST_F(TaxCommand, RunTimeFailuresAreToldAndWriteNothing)
{
    struct Case { const char* name; std::function<void()> setUp; const char* says; } cases[] = {
        // The state tax is worked out before the city's: no tax is half written.
        {"a missing rate, AvaTax unreachable", [this] { form().txtHiddenCityTaxRate.setText(""); avaTax->pingCode = 2; },
         "The taxes and fees could not be calculated: the city tax rate \"\" is missing."},
        {"no delivery option", [this] { form().cboFreightOptions[0].setListIndex(-1); }, "no delivery option"},
        {"freight answer without a bar", [this] { freight->answer = "12.50"; }, "has no \"|\""},
        {"a fee that is not a number", [this] { form().chkDutyBrokerageFee.setChecked(true); form().txtFee[0].setText("abc"); }, "\"abc\""},
        {"a run-time failure in the freight component", [this] { freight->fails = true; }, "the freight step failed (Overflow)"},
        {"a quantity beyond 32 bits", [this] { grid().setText(1, 6, "9999999999.00"); }, "largest quantity"},
        {"a CenterID that is not a number", [this] { control->setCenterID(""); }, "CenterID \"\" is not"},
        {"factory pickup, then a failure", [this] {
             grid().setText(1, 3, "22");
             boxes->answerNext(view::MessageBoxAnswer::Yes);
             form().cboFreightOptions[0].setListIndex(-1);
         }, "no delivery option"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loadOrder({line("4", "25"), line("2", "10")});
        freight->answer = "12.5|3";
        freight->fails = false;
        avaTax->pingCode = 0;
        form().txtFieldTax[13].setText("2.22");
        form().txtFee[4].setText("7.00");
        c.setUp();
        const std::vector<std::string> carriers = {cell(1, 3), cell(2, 3)};
        const std::string deposit = form().txtFee[6].text();
        control->UpdateTaxes();
        ASSERT_FALSE(boxes->shown().empty());
        EXPECT_NE(boxes->shown().back().text.find(c.says), std::string::npos) << boxes->shown().back().text;
        // Nothing the command had written stays: taxes, fees, rates, lines.
        EXPECT_EQ((std::vector<std::string>{tax(13), fee(4), fee(6), form().txtHiddenStateTaxRate.text(), cell(1, 3), cell(2, 3)}),
                  (std::vector<std::string>{"2.22", "7.00", deposit, "0.05", carriers[0], carriers[1]}));
        EXPECT_TRUE(form().cmdUpdateTaxes.enabled());
        // Credentials appear nowhere the clerk or the host can read.
        EXPECT_EQ(boxes->shown().back().text.find("TOPSECRETKEY"), std::string::npos);
        boxes->clearShown();
    }
}
