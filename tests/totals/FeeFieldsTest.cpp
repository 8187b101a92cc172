#include "support/OrderFixture.h"
#include "support/TaxTestSupport.h"

using namespace zelt;
using zelt::testing::LineSpec;

namespace {

/// An order in Update Mode with two lines and the vendor's fee rules loaded.
class FeeFields : public zelt::testing::OrderFixture {
protected:
    FeeFields()
    {
        using L = LineSpec;
        const LineSpec a = zelt::testing::lineWith({{&L::quantity, "2"}, {&L::unitPrice, "50"}}); // 100.00
        const LineSpec b = zelt::testing::lineWith({{&L::lineItem, "2"}, {&L::quantity, "3"}, {&L::unitPrice, "10"}}); // 30.00
        load(Mode::UpdateMode, {a, b});
        form().txtCurrConversionRate.setText("1");
        // Duty 10 %, service fee 2 per unit, handling 5 %; duty and brokerage apply.
        control->LetSalesTaxesNFees("0.1$F$2$F$0$F$0.05$F$0$F$2024-01-05$R$True$F$False$F$False$F$False$F$False$F$"
                                    "False$F$False$F$False$R$" + zelt::testing::zeroSavedRecord());
        // Loading the fees recalculates nothing; loading the lines again does.
        control->setReadData(zelt::testing::lines({a, b}));
        control->setIsDirty(false);
    }
    view::TextBox& fee(int i) { return form().txtFee[i]; }
};

} // namespace

TEST_F(FeeFields, AnEmptiedAmountBoxTakesTheNextAmountWholeAndTypingAcceptsDigitsAndOnePoint)
{
    form().chkDutyBrokerageFee.userClick();
    EXPECT_EQ(fee(0).selLength(), 4) << "the opened zero is selected for the first key";
    EXPECT_TRUE(fee(0).tabStop());
    form().chkTaxes[13].userClick();
    for (view::TextBox* box : {&fee(0), &form().txtFieldTax[13]}) {
        SCOPED_TRACE(box->name());
        box->setFocus();
        box->typeText("12");
        // Everything selected and deleted: the refilled zero is selected and the next keys replace it.
        box->selectAll();
        box->userEdit("", 0);
        EXPECT_EQ(box->text(), "0");
        EXPECT_EQ(box->selLength(), 1);
        box->typeText("75");
        EXPECT_EQ(box->text(), "75");
    }
    // Typing accepts digits and one point.
    // A fee typed with the keypad's "." in fr-CA, or with "," in en-US, is not a thousandfold fee.
    for (bool french : {true, false}) {
        control->setLocale(french ? text::Locale::frCA() : text::Locale::enUS());
        form().chkDutyBrokerageFee.setValue(0);
        form().chkDutyBrokerageFee.userClick();
        fee(0).typeText(french ? "12.50" : "12,50");
        EXPECT_EQ(fee(0).text(), french ? "12,50" : "12.50");
    }
    // The conversion rate box: focus selects the whole rate, and only a plain number is typed.
    view::TextBox& rate = form().txtCurrConversionRate;
    rate.setText("1");
    form().txtField[18].setFocus();
    rate.setFocus();
    EXPECT_EQ(rate.selLength(), 1);
    rate.typeText("1.25abc.5-");
    EXPECT_EQ(rate.text(), "1.255");
    // A fee box: no second point, no minus sign and no letter.
    fee(0).selectAll();
    fee(0).typeText("12.5.0-x");
    EXPECT_EQ(fee(0).text(), "12.50");
}

TEST_F(FeeFields, AnOverrideUnlocksTheFeeAndStopsItsRecalculation)
{
    // The computed service fee overridden: the box is open at "0.00", the handling fee follows, the control is dirty.
    EXPECT_EQ(fee(3).text(), "10.00");
    EXPECT_EQ(fee(5).text(), "7.00");
    form().chkServiceFee.userClick();
    EXPECT_FALSE(fee(3).locked());
    EXPECT_EQ(fee(3).text(), "0.00");
    EXPECT_TRUE(fee(3).hasFocus());
    EXPECT_EQ(fee(5).text(), "6.50");
    EXPECT_TRUE(control->IsDirty());
    EXPECT_TRUE(form().cmdUpdateTaxes.enabled());
    // A typed fee: the key release recalculates at once.
    fee(3).selectAll();
    fee(3).typeText("7");
    EXPECT_EQ(fee(3).text(), "7");
    EXPECT_EQ(fee(5).text(), "6.85");
    // The override taken off: the box locks and the fee is computed again.
    form().chkServiceFee.userClick();
    EXPECT_TRUE(fee(3).locked());
    EXPECT_EQ(fee(3).text(), "10.00");
}

TEST_F(FeeFields, FreightOverrideNeedsThePermissionAndPersonTypeFiveOverridesButStaysClean)
{
    control->setPersonType("5");
    form().cmdUpdateTaxes.setEnabled(false);
    form().chkAppFreight.userClick();
    EXPECT_EQ(form().chkAppFreight.value(), 0) << "disabled while AllowFreightOverride is False";
    control->setAllowFreightOverride(true);
    form().chkAppFreight.userClick();
    EXPECT_FALSE(fee(4).locked());
    form().chkDutyBrokerageFee.userClick();
    EXPECT_FALSE(fee(0).locked());
    EXPECT_FALSE(control->IsDirty());
    EXPECT_FALSE(form().cmdUpdateTaxes.enabled());
}

TEST_F(FeeFields, AFeeOfOnlyAPointIsZeroAndLeavingItRecalculatesNothing)
{
    form().chkDutyBrokerageFee.userClick();
    fee(0).userEdit(".", 1);
    EXPECT_EQ(fee(0).text(), "0");
    form().txtField[18].setText("stale");
    fee(0).userEdit(" ", 1); // becomes "0" again through the change handling
    form().txtFee[2].setFocus(); // leaving a box holding a number recalculates nothing
    EXPECT_EQ(form().txtField[18].text(), "stale");
}

TEST_F(FeeFields, AnAmountBoxTakesOnlyAnAmountTheOrderCanCarryAndNewLinesAreRecalculated)
{
    form().chkAppFreight.setEnabled(true);
    form().chkAppFreight.userClick();
    view::TextBox& freight = fee(4);
    // Typed: the keys that would go beyond the currency range are not taken.
    for (auto [typed, kept] : std::vector<std::pair<const char*, const char*>>{
             {"1234567890123456789012345", "123456789012345"}, {"999999999999999", "99999999999999"}}) {
        freight.selectAll();
        freight.typeText(typed);
        EXPECT_EQ(freight.text(), kept);
    }
    // Pasted: a text that is no amount in range leaves the box as it was.
    for (const char* pasted : {"abc", "1e308", "-5", "NaN", "1234567890123456789012345"}) {
        freight.userEdit(pasted, 0);
        EXPECT_EQ(freight.text(), "99999999999999") << pasted;
    }
    freight.userEdit("12.5", 4);
    EXPECT_EQ(freight.text(), "12.5");
    // The order's summary reads back and its deposit adds up.
    control->SetTaxNFees();
    const std::string summary = control->GetSalesTaxesNFees();
    EXPECT_NE(summary.find("$F$12.5$F$"), std::string::npos) << summary;
    EXPECT_EQ(form().txtFee[6].text(), "172.50") << "130.00 + 13.00 + 10.00 + 7.00 + 12.50";
    // Loading other lines recalculates the fees.
    control->setReadData(zelt::testing::lines({LineSpec{}}));
    EXPECT_EQ(form().txtField[18].text(), "7.50");
    EXPECT_EQ(fee(1).text(), "0.75");
    EXPECT_EQ(fee(3).text(), "6.00");
}
