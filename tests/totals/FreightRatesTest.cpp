#include "support/OrderFixture.h"

#include "control/ControlAccess.h"
#include "core/ControlContext.h"

#include "support/Throws.h"
#include "zelt/InputError.h"

#include <functional>

using namespace zelt;

namespace {

const std::string kRates = "0.25$F$0.2$F$0.18$F$0.15$F$0$F$$R$";
const std::string kSurcharges = "1$F$2.5$R$";

/// An order whose vendor computes freight from rates.
class Freight : public zelt::testing::OrderFixture {
protected:
    Freight()
    {
        control->setViewMode(Mode::AddMode);
        control->LetSalesTaxesNFees("0$F$0$F$0$F$0$F$0$F$$R$0$F$0$F$0$F$0$F$1$F$0$F$0$F$0$R$");
    }
    void weigh(const char* weight)
    {
        form().txtField[19].setText(weight);
        form().txtField[18].setText("100.00");
    }
    const std::string& freight() { return form().txtFee[4].text(); }
};

} // namespace

TEST_F(Freight, TheWeightPicksItsBracketAndTheFreightStaysWhereTheRulesDoNotComputeIt)
{
    struct Case { const char* weight; const char* freight; } cases[] = {
        {"750.000", "150.00"},  {"1500.000", "270.00"}, {"2000.000", "300.00"},
        {"1999.000", "359.82"}, {"1000.000", "200.00"}, {"500.000", "125.00"},
        {"0.010", "0.00"},      {"120.000", "30.00"},   {"0.000", "0.00"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.weight);
        form().txtFee[4].setText("9.99");
        weigh(c.weight);
        control->LetFreightInfo(kRates, kSurcharges);
        EXPECT_EQ(freight(), c.freight);
    }
    // The freight stays where the rules do not compute it.
    weigh("750.000");
    struct Kept { const char* name; std::function<void()> setUp; std::string rates, surcharges; } kept[] = {
        {"no surcharges", [] {}, kRates, ""},
        {"a zero rate", [] {}, "0.25$F$0$F$0.18$F$0.15$F$0$F$$R$", kSurcharges},
        {"overridden", [this] { form().chkAppFreight.setEnabled(true); form().chkAppFreight.setValue(1); form().txtFee[4].setText("9.99"); },
         kRates, kSurcharges},
        {"not from rates", [this] { ControlAccess::context(*control).state.vendorFees.freightFromRates = false; }, kRates,
         kSurcharges},
    };
    for (const Kept& c : kept) {
        SCOPED_TRACE(c.name);
        form().txtFee[4].setText("9.99");
        c.setUp();
        control->LetFreightInfo(c.rates, c.surcharges);
        EXPECT_EQ(freight(), "9.99");
    }
    EXPECT_EQ(control->GetFreightInfo(), "0.2500$F$0.2000$F$0.1800$F$0.1500$F$0.00$F$") << "the rates are stored";
    control->LetFreightInfo("");
    EXPECT_EQ(control->GetFreightInfo(), "0.0000$F$0.0000$F$0.0000$F$0.0000$F$0.00$F$");
}

TEST_F(Freight, BadInputIsRefusedWholeAndChangesNothing)
{
    weigh("750.000");
    control->LetFreightInfo(kRates, kSurcharges);
    const std::string before = control->GetFreightInfo();
    struct Case { std::string rates, surcharges; const char* argument; std::optional<int> record, field; } cases[] = {
        {"0.25$F$0.2$F$0.18$F$0.15$F$0", kSurcharges, "ptFreightRates", 1, std::nullopt},
        {"0.3$F$0.2$F$0.18$F$0.15$F$$R$", kSurcharges, "ptFreightRates", 1, 4},
        {"0.3$F$0.2$F$x$F$0.15$F$0$F$$R$", kSurcharges, "ptFreightRates", 1, 2},
        {"0.3$F$1e300$F$0.18$F$0.15$F$0$F$$R$", kSurcharges, "ptFreightRates", 1, 1},
        {"0.3$F$0.2$F$0.18$F$0.15$F$0$F$$R$", "1$F$2$R$3$R$", "ptSurcharges", 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rates + " / " + c.surcharges);
        const auto e = zelt::testing::caught<InputError>([&] { control->LetFreightInfo(c.rates, c.surcharges); });
        ASSERT_TRUE(e) << "loaded";
        EXPECT_EQ(std::tuple(e->member(), e->record(), e->field()), std::tuple(c.argument, c.record, c.field));
        EXPECT_EQ(control->GetFreightInfo(), before);
        EXPECT_EQ(freight(), "150.00");
    }
}
