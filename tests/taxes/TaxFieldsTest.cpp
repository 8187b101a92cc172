#include "support/OrderFixture.h"
#include "support/TaxTestSupport.h"

#include <cmath>

#include "control/ControlAccess.h"

using namespace zelt;
using zelt::testing::LineSpec;

namespace {

class TaxFields : public zelt::testing::OrderFixture {
protected:
    zelt::testing::TotalsRecorder events;
    TaxFields() { control->setEventSink(&events); }
    view::TextBox& tax(int i) { return form().txtFieldTax[i]; }
};

} // namespace

TEST_F(TaxFields, CountryRulesSwitchTheLabelsTheRateBoxAndThePriceCurrency)
{
    view::Form& f = form();
    control->setShipCountry("canada");
    EXPECT_EQ(f.lblField[13].caption() + " " + f.lblField[10].caption(), "Province Colour");
    EXPECT_TRUE(f.OptVndrCntryID[1].value());
    EXPECT_TRUE(f.frmCurrencyConversion.visible());
    control->setShipCountry("CA");
    EXPECT_EQ(f.lblField[13].caption() + " " + f.lblField[10].caption(), "State Color");
    EXPECT_TRUE(f.OptVndrCntryID[0].value());
    EXPECT_FALSE(f.txtCurrConversionRate.visible());
    EXPECT_FALSE(f.lblCurConvRate.visible());
    // The order's country shows the rate box even for a vendor that is not Canadian.
    control->CountryID(COUNTRY::CANADA, static_cast<std::int16_t>(COUNTRY::USA));
    EXPECT_TRUE(f.txtCurrConversionRate.visible());
    EXPECT_EQ(f.lblField[13].caption(), "Province");
    // The price currency option converts the entry prices.
    control->CountryID(COUNTRY::USA, static_cast<std::int16_t>(COUNTRY::CANADA));
    control->GetComboContent(zelt::testing::lookupTables("1.25"));
    form().txtField[4].setText("10.00");
    form().txtField[12].setText("8.00");
    form().OptVndrCntryID[1].userClick();
    EXPECT_EQ(form().txtField[4].text(), "12.50");
    EXPECT_EQ(form().txtField[12].text(), "10.00");
    form().OptVndrCntryID[0].userClick();
    EXPECT_EQ(form().txtField[4].text(), "10.00");
    EXPECT_FALSE(control->IsFirstInit());
    // Prices that are not numbers are left alone.
    form().txtField[4].setText("");
    form().OptVndrCntryID[1].userClick();
    EXPECT_EQ(form().txtField[12].text(), "8.00");
}

TEST_F(TaxFields, TheHostsAmountsAndRatesShowTaxableAmountsAndNoTotalBeyondRange)
{
    control->setUseNormalTaxes("true"); // not exactly "True": the amount path
    control->setCountryTaxableAmount("1234.5");
    control->setStateTaxableAmount("2");
    control->setCountyTaxableAmount("");
    control->setCityTaxableAmount("3");
    for (const char* bad : {"1e308", "abc", "NaN", "-1e300"})
        EXPECT_THROW(control->setStateTaxableAmount(bad), InputError) << bad;
    for (double bad : {std::nan(""), 1e300}) EXPECT_THROW(control->setRewardsAmount(bad), InputError) << bad;
    control->SetTaxNFees();
    // The state amount is the one set before the refusals.
    EXPECT_EQ(tax(12).text() + " " + tax(13).text() + " " + tax(14).text() + " " + tax(15).text(), "1,234.50 2.00 0.00 3.00");
    EXPECT_EQ(form().txtField[17].text(), "1239.50");
    EXPECT_NO_THROW(control->GetSalesTaxesNFees());
    // The rate path shows taxable amounts where the rate is positive.
    control->setUseNormalTaxes("True");
    // Rates arrive with the saved fees and taxes: country 5 %, city 0, state 7 %.
    control->LetSalesTaxesNFees("", "1$F$0.05$R$4$F$0$R$2$F$0.07$R$");
    control->setCountryTaxableAmount("40");
    control->setStateTaxableAmount("60");
    tax(15).setText("9.99"); // the city field keeps its text
    form().txtHiddenCityTaxRate.setText("0.01");
    control->SetTaxNFees();
    EXPECT_EQ(form().txtHiddenCityTaxRate.text(), "");
    EXPECT_EQ(tax(15).text(), "9.99");
    EXPECT_EQ(control->CountryTaxRate() + " " + control->StateTaxRate(), "0.05 0.07");
    EXPECT_EQ(tax(12).text() + " " + tax(13).text(), "40.00 60.00");
}

TEST_F(TaxFields, SetTaxNFeesRefreshesTheDepositAndAnOverriddenTaxIsTyped)
{
    load(Mode::UpdateMode, {LineSpec{}});
    form().txtCurrConversionRate.setText("1");
    control->setStateTaxableAmount("1.25");
    form().txtFee[7].setText("2.00"); // the surcharge counts in this deposit
    form().txtFee[4].setText("10.00");
    control->SetTaxNFees();
    // merchandise 7.50 + tax 1.25 + freight 10.00 + surcharge 2.00
    EXPECT_EQ(form().txtFee[6].text(), "20.75");
    EXPECT_EQ(events.raised, std::vector<double>{20.75});
    EXPECT_EQ(form().txtHiddenItemTotal.text(), "7.5");
    // View Mode turns the tax command off.
    control->setViewMode(Mode::ViewMode);
    form().cmdUpdateTaxes.setEnabled(true);
    control->SetTaxNFees();
    EXPECT_FALSE(form().cmdUpdateTaxes.enabled());
    // An overridden tax is typed and keeps the clerk's amount.
    // The clerk overrides the state tax and types 1 . 2 . 3: the second point is dropped and the amount stands.
    control->setViewMode(Mode::UpdateMode);
    control->LetSalesTaxesNFees("0$F$0$F$0$F$0$F$0$F$$R$0$F$0$F$0$F$0$F$0$F$0$F$0$F$0$R$" + zelt::testing::zeroSavedRecord());
    view::CheckBox& box = form().chkTaxes[13];
    ASSERT_TRUE(box.visible());
    box.userClick();
    EXPECT_FALSE(tax(13).locked());
    EXPECT_EQ(tax(13).text(), "0.00");
    tax(13).selectAll();
    tax(13).typeText("1.2.3");
    EXPECT_EQ(tax(13).text(), "1.23");
    EXPECT_EQ(form().txtField[17].text(), "1.23");
    EXPECT_DOUBLE_EQ(ControlAccess::state(*control).jurisdictionOverrideAmount[1], 1.23);
    // Deleting everything leaves 0; leaving the field formats it.
    tax(13).selectAll();
    tax(13).typeKey(view::TextBox::kBackspace);
    EXPECT_EQ(tax(13).text(), "0");
    form().txtFieldTax[12].setFocus();
    EXPECT_EQ(tax(13).text(), "0.00");
    EXPECT_TRUE(control->IsDirty());
}
