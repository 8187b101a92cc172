#include "core/ControlContext.h"
#include "core/LineColumns.h"
#include "services/ComboContent.h"
#include "support/OrderFixture.h"
#include "totals/TotalsRecalculation.h"

#include <gtest/gtest.h>

using namespace zelt;

namespace {

/// The recalculation on its own: lines written straight into the grid, the
/// vendor's fee rules set on the state.
class Totals : public ::testing::Test {
protected:
    Totals() : ctx(Services{}), combos(ctx), totals(ctx)
    {
        combos.GetComboContent(zelt::testing::lookupTables("1"), "$F$", "$R$", "$T$");
        ctx.grid().setCols(Col::kCount);
        ctx.grid().setRows(1);
    }
    void addLine(const char* status, const char* quantity, const char* weight, const char* ext)
    {
        ctx.grid().addRow();
        for (auto [col, text] :
             {std::pair{Col::Status, status}, {Col::Quantity, quantity}, {Col::UnitWeight, weight}, {Col::ExtPrice, ext}})
            ctx.grid().setText(ctx.grid().rows() - 1, col, text);
    }
    const std::string& fee(int i) { return ctx.form.txtFee[i].text(); }
    const std::string& box(int i) { return ctx.form.txtField[i].text(); }

    ControlContext ctx;
    ComboContent combos;
    TotalsRecalculation totals;
};

} // namespace

TEST_F(Totals, AnOrderWithoutLinesTotalsTheFeeBoxesAndStatusOneWeighsEvenWhereCodeOneSitsElsewhere)
{
    ctx.form.txtFee[2].setText("4.00");
    ctx.form.txtFee[4].setText("10.50");
    ctx.form.txtFee[7].setText("12.00");
    totals.fupdate();
    EXPECT_EQ(fee(7), "0");
    EXPECT_EQ(box(19), "0.000");
    EXPECT_EQ(box(18), "0.00");
    EXPECT_EQ(ctx.form.txtHiddenItemTotal.text(), "14.5");
    EXPECT_EQ(ctx.form.txtHiddenRewardsTotal.text(), "0");
    // Code 1 at position 2: Status 3 is the open line; Status 1 is a plain 1 that still weighs.
    combos.GetComboContent("A$F$5$R$B$F$6$R$Open$F$1$R$$T$$T$$T$$T$1$R$$T$", "$F$", "$R$", "$T$");
    addLine("1", "2.00", "3.000", "40.00");
    addLine("3", "1.00", "1.000", "10.00");
    totals.fupdate();
    EXPECT_EQ(box(19), "7.000");
    EXPECT_EQ(box(18), "10.00");
}

TEST_F(Totals, MerchandiseRewardsWeightTheItemTotalAndAnEmptyFreightBoxEndingTheRun)
{
    addLine("1", "2.00", "1.500", "100.00");
    addLine("6", "1.00", "2.000", "50.25");
    addLine("7", "1.00", "0", "-20.00");
    addLine("3", "5.00", "9.000", "0.00"); // cancelled: neither weight nor merchandise
    // The first run reads the cells, the second the numbers kept from them.
    for (int run = 1; run <= 2; ++run) {
        totals.fupdate();
        EXPECT_EQ(box(19), "5.000") << run;
        EXPECT_EQ(box(18), "130.25") << "the merchandise total shows the rewards taken off";
        EXPECT_EQ(ctx.form.txtHiddenItemTotal.text(), "150.25") << "the item total does not include the rewards";
        EXPECT_EQ(ctx.form.txtHiddenRewardsTotal.text(), "-20") << run;
    }
    // An empty freight box ends the run after the service fee.
    ctx.grid().setRows(1);
    addLine("1", "2.00", "0", "100.00");
    addLine("7", "1.00", "0", "-10.00");
    ctx.state.vendorFees.serviceFee = 1;
    ctx.state.vendorFees.handlingRate = 0.5;
    ctx.form.txtFee[5].setText("old");
    ctx.form.txtHiddenItemTotal.setText("old");
    ctx.form.txtFee[4].setText("");
    totals.fupdate();
    EXPECT_EQ(fee(3), "2.00");
    EXPECT_EQ(fee(5), "old");
    EXPECT_EQ(ctx.form.txtHiddenItemTotal.text(), "old");
    EXPECT_EQ(box(18), "100.00");
}

TEST_F(Totals, BrokerageDutyAndTheVendorServiceFeePerUnitPerOrderAndWaived)
{
    ctx.state.vendorFees.dutyAndBrokerage = true;
    ctx.state.dutyAndBrokerageFeeText = "0$F$1000$F$25$R$1000.01$F$5000$F$60$R$";
    struct Case { const char* rate; const char* merchandise; const char* expected; } cases[] = {
        {"1", "1000.00", "25.00"}, {"1", "1200.00", "60.00"}, {"1", "6000.00", "0.00"},
        {"2", "2400.00", "120.00"}, {"0", "1200.00", "0.00"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.rate) + " " + c.merchandise);
        ctx.grid().setRows(1);
        addLine("1", "1.00", "0", c.merchandise);
        ctx.form.txtCurrConversionRate.setText(c.rate);
        totals.fupdate();
        EXPECT_EQ(fee(0), c.expected);
    }
    // A table whose last record lacks its separator loses that record.
    ctx.form.txtCurrConversionRate.setText("1");
    ctx.state.dutyAndBrokerageFeeText = "0$F$1000$F$25$R$1000.01$F$5000$F$60";
    totals.fupdate();
    EXPECT_EQ(fee(0), "0.00");
    EXPECT_DOUBLE_EQ(totals.fGetBrokerageFee("0$F$10$R$", 5, "$F$", "$R$"), 0) << "a bracket without a fee";
    EXPECT_DOUBLE_EQ(totals.fGetBrokerageFee("a$F$10$F$1$R$", 5, "$F$", "$R$"), 0);
    EXPECT_DOUBLE_EQ(totals.fGetBrokerageFee("0$F$10$F$999902E275$R$", 5, "$F$", "$R$"), 0) << "a fee beyond the currency range";
    // A short record anywhere makes the whole table malformed, even after the matching bracket.
    EXPECT_DOUBLE_EQ(totals.fGetBrokerageFee("0$F$1000$F$25$R$1000.01$F$5000$R$", 500, "$F$", "$R$"), 0);
    EXPECT_DOUBLE_EQ(totals.fGetBrokerageFee("0$F$1000$F$25$R$1000.01$F$5000$F$60$R$", 500, "$F$", "$R$"), 25);
    // Duty and brokerage only when the vendor charges them or they are overridden.
    ctx.grid().setRows(1);
    addLine("1", "1.00", "0", "200.00");
    ctx.state.vendorFees.dutyRate = 0.05;
    ctx.state.vendorFees.dutyAndBrokerage = true;
    totals.fupdate();
    EXPECT_EQ(fee(1), "10.00");
    ctx.state.vendorFees.dutyAndBrokerage = false;
    totals.fupdate();
    EXPECT_EQ(fee(0), "0.00");
    EXPECT_EQ(fee(1), "0.00");
    ctx.form.chkDutyFee.setValue(1);
    ctx.form.txtFee[1].setText("7.77");
    totals.fupdate();
    EXPECT_EQ(fee(1), "7.77");
    // The vendor service fee per unit, per order and waived.
    ctx.grid().setRows(1);
    addLine("1", "3.00", "0", "30.00");
    addLine("3", "2.00", "0", "20.00"); // any status with a positive amount counts its units
    addLine("1", "4.00", "0", "0.00");
    ctx.state.vendorFees.serviceFee = 1.5;
    for (int run = 1; run <= 2; ++run) {
        totals.fupdate();
        EXPECT_EQ(fee(3), "7.50") << run;
    }

    ctx.state.vendorFees.serviceFeePerOrder = true; // once per order, in the display currency
    ctx.form.txtCurrConversionRate.setText("2");
    totals.fupdate();
    EXPECT_EQ(fee(3), "3.00");

    ctx.form.txtCurrConversionRate.setText("1");
    ctx.state.vendorFees.serviceFeeWaiver = 500;
    ctx.grid().setText(1, Col::ExtPrice, "600.00");
    totals.fupdate();
    EXPECT_EQ(fee(3), "0.00") << "waived above the threshold";
    ctx.grid().setText(1, Col::ExtPrice, "500.00");
    totals.fupdate();
    EXPECT_EQ(fee(3), "1.50") << "at the threshold the fee stands";
}

TEST_F(Totals, CenterHandlingFollowsServiceFeeAndMerchandise)
{
    addLine("1", "1.00", "0", "100.00");
    ctx.state.vendorFees.handlingRate = 0.02;
    ctx.form.chkServiceFee.setValue(1);
    ctx.form.txtFee[3].setText("5.00");
    totals.fupdate();
    EXPECT_EQ(fee(5), "2.10");
    EXPECT_EQ(ctx.form.txtHiddenItemTotal.text(), "107.1");
}
