#include "support/OrderFixture.h"

#include "zelt/InputError.h"

#include <sstream>

using namespace zelt;
using zelt::testing::LineSpec;

namespace {

std::string record(const std::vector<std::string>& fields)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? "$F$" : "") + fields[i];
    return out + "$R$";
}

/// A saved tax and fee record: taxes 1..5, merchandise 100, fees 6..12 as
/// 10, 11, ... 16, the flags given, 29 or 30 fields.
std::vector<std::string> savedRecord(std::vector<int> flagsOn = {}, int fields = 29)
{
    std::vector<std::string> f(static_cast<std::size_t>(fields), "0");
    for (int k = 0; k < 5; ++k) f[static_cast<std::size_t>(k)] = std::to_string(k + 1);
    f[5] = "100";
    for (int i = 6; i <= 12; ++i) f[static_cast<std::size_t>(i)] = std::to_string(i + 4);
    for (int flag : flagsOn) f[static_cast<std::size_t>(flag)] = "True";
    return f;
}

const std::vector<std::string> kDefaults = {"0.1", "2", "0.03", "0.05", "500", "2024-02-01"};
std::vector<std::string> flags(std::vector<int> on = {})
{
    std::vector<std::string> f(8, "False");
    for (int i : on) f[static_cast<std::size_t>(i)] = "1";
    return f;
}

class Exchange : public zelt::testing::OrderFixture {
protected:
    Exchange() { control->GetComboContent(zelt::testing::lookupTables("2")); }
    view::TextBox& fee(int i) { return form().txtFee[i]; }
    std::vector<std::string> summaryFields()
    {
        std::string text = control->GetSalesTaxesNFees();
        std::vector<std::string> out;
        std::size_t start = 0, at;
        while ((at = text.find("$F$", start)) != std::string::npos) {
            out.push_back(text.substr(start, at - start));
            start = at + 3;
        }
        EXPECT_EQ(start, text.size()) << "the summary ends with the field separator";
        return out;
    }
};

} // namespace

TEST_F(Exchange, SalesTaxRatesByJurisdictionType)
{
    control->LetSalesTaxesNFees("", "2$F$6.5$R$");
    EXPECT_EQ(control->state().jurisdictionRateText[1], "6.5");
    control->LetSalesTaxesNFees("", "3$F$4.5");
    EXPECT_EQ(control->state().jurisdictionRateText[2], "") << "no record without its separator";
    control->LetSalesTaxesNFees("", "7$F$1$R$1$F$5$R$1$F$6$R$");
    EXPECT_EQ(control->state().jurisdictionRateText[0], "6");
    EXPECT_EQ(control->state().jurisdictionRateText[1], "6.5") << "rates survive a call that lacks them";
}

TEST_F(Exchange, EmptyFeesResetEverythingButTheDeposit)
{
    fee(6).setText("99.00");
    fee(3).setText("5.00");
    control->LetSalesTaxesNFees("");
    for (int i : {0, 1, 2, 3, 4, 5, 7}) {
        EXPECT_EQ(fee(i).text(), "0.00") << i;
        EXPECT_TRUE(fee(i).locked()) << i;
        EXPECT_EQ(fee(i).backColor(), view::Color::buttonFace()) << i;
    }
    EXPECT_EQ(fee(6).text(), "99.00");
    for (view::CheckBox* b : {&form().chkDutyBrokerageFee, &form().chkDutyFee, &form().chkAppEHD, &form().chkServiceFee,
                              &form().chkAppFreight, &form().chkCentrHandlingFee, &form().chkSurChargeFee})
        EXPECT_FALSE(b->visible()) << b->name();
    form().chkTaxes.forEach([](int, view::CheckBox& b) { EXPECT_FALSE(b.visible()); });
}

TEST_F(Exchange, AddModeReadsDefaultsAndFlagsButNotTheSavedRecord)
{
    control->setViewMode(Mode::AddMode);
    fee(6).setText("42.00");
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags({0, 1, 7})) + record(savedRecord({18, 19})),
                                "", "0$F$100$F$5$R$");
    const ControlState& st = control->state();
    EXPECT_DOUBLE_EQ(st.fdVendorFee[2], 0.1);
    EXPECT_DOUBLE_EQ(st.fdVendorFee[3], 2);
    EXPECT_DOUBLE_EQ(st.fdVendorFee[4], 0.03);
    EXPECT_DOUBLE_EQ(st.fdVendorFee[5], 0) << "flag 7: no center handling fee";
    EXPECT_DOUBLE_EQ(st.fdVendorFee[6], 500);
    EXPECT_EQ(st.vendorPriceListDate, "2024-02-01");
    EXPECT_EQ(st.dutyAndBrokerageFeeText, "0$F$100$F$5$R$");
    EXPECT_TRUE(st.fbVendorFeeStatus[0]);
    EXPECT_TRUE(st.fbVendorFeeStatus[1]);
    EXPECT_FALSE(st.fbVendorFeeStatus[2]);
    EXPECT_TRUE(st.fbVendorFeeStatus[7]);
    for (int i = 2; i <= 5; ++i) EXPECT_EQ(fee(i).text(), "0.00") << i;
    EXPECT_EQ(fee(6).text(), "42.00");
    EXPECT_FALSE(form().chkDutyFee.checked()) << "record 2 is not read in Add Mode";
    // What the flags show.
    EXPECT_TRUE(form().chkDutyBrokerageFee.visible());
    EXPECT_TRUE(form().lblDuty.bold());
    EXPECT_EQ(form().lblDuty.foreColor(), view::colors::kRed);
    EXPECT_FALSE(fee(2).locked()) << "flag 1: EHD typed freely";
    EXPECT_FALSE(fee(5).locked()) << "flag 7 unlocks the handling fee box";
    EXPECT_FALSE(form().chkCentrHandlingFee.visible());
    EXPECT_FALSE(form().imgBullet[11].visible());
    EXPECT_TRUE(form().imgBullet[8].visible());
}

TEST_F(Exchange, FlagSevenForcesTheClubOption)
{
    view::ComboBox& options = form().cboFreightOptions[0];
    options.addItem("Home Delivery", 7);
    options.addItem("delivery to club/third party installer/forwarder", 3);
    control->setViewMode(Mode::AddMode);
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags({7})));
    EXPECT_EQ(options.listIndex(), 1);
    EXPECT_FALSE(options.enabled());
}

TEST_F(Exchange, UpdateModeAppliesEveryFieldOfTheSavedRecord)
{
    // GIVEN an order being updated at a conversion rate of 2
    control->CountryID(COUNTRY::CANADA, static_cast<std::int16_t>(COUNTRY::USA));
    control->GetComboContent(zelt::testing::lookupTables("2"));
    control->setViewMode(Mode::UpdateMode);
    control->setAllowFreightOverride(false);
    // WHEN the saved record flags the state tax, duty, freight, EHD and the surcharge
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags({0})) + record(savedRecord({14, 19, 21, 23, 28})));
    // THEN the taxes read field k x rate, the flagged one open for typing
    for (int k = 0; k < 5; ++k) EXPECT_EQ(form().txtFieldTax[12 + k].text(), std::to_string(2 * (k + 1)) + ".00") << k;
    EXPECT_TRUE(form().chkTaxes[13].checked());
    EXPECT_FALSE(form().txtFieldTax[13].locked());
    EXPECT_TRUE(form().txtFieldTax[12].locked());
    EXPECT_DOUBLE_EQ(control->state().jurisdictionOverrideAmount[1], 4);
    // AND the overridden fees read their saved amounts x rate
    EXPECT_TRUE(form().chkDutyFee.checked());
    EXPECT_EQ(fee(1).text(), "22.00");
    EXPECT_FALSE(fee(1).locked());
    EXPECT_TRUE(form().chkAppEHD.checked());
    EXPECT_EQ(fee(2).text(), "24.00");
    EXPECT_TRUE(form().chkAppFreight.checked());
    EXPECT_FALSE(form().chkAppFreight.enabled()) << "freight override follows AllowFreightOverride";
    EXPECT_EQ(fee(4).text(), "28.00");
    EXPECT_TRUE(form().chkSurChargeFee.checked());
    EXPECT_FALSE(form().chkSurChargeFee.visible()) << "the surcharge override is checked but not shown";
    EXPECT_EQ(fee(7).text(), "32.00");
    // AND checking the overrides ran the recalculation, which rewrote the fees it derives
    EXPECT_EQ(fee(3).text(), "0.00");
    EXPECT_EQ(fee(6).text(), "16");
    EXPECT_FALSE(form().chkDutyBrokerageFee.checked());
}

TEST_F(Exchange, UpdateModeWithoutOverridesTakesTheSavedFeesAsTheyStand)
{
    control->CountryID(COUNTRY::CANADA, static_cast<std::int16_t>(COUNTRY::USA));
    control->GetComboContent(zelt::testing::lookupTables("2"));
    control->setViewMode(Mode::UpdateMode);
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags()) + record(savedRecord()));
    EXPECT_EQ(fee(0).text(), "0.00");
    EXPECT_EQ(fee(1).text(), "0.00");
    EXPECT_EQ(fee(2).text(), "24.00") << "EHD x rate";
    EXPECT_EQ(fee(3).text(), "13");
    EXPECT_EQ(fee(4).text(), "28.00") << "freight x rate";
    EXPECT_EQ(fee(5).text(), "15");
    EXPECT_EQ(fee(6).text(), "16");
    EXPECT_EQ(fee(7).text(), "0.00");

    // LineCancel Mode applies the overrides but not these amounts.
    control->setViewMode(Mode::LineCancelMode);
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags()) + record(savedRecord()));
    EXPECT_EQ(fee(3).text(), "0.00");
    EXPECT_EQ(fee(6).text(), "16") << "the deposit keeps its text";
}

TEST_F(Exchange, ACanadianVendorsFeesAreConvertedToTheBaseCurrency)
{
    control->CountryID(COUNTRY::USA, static_cast<std::int16_t>(COUNTRY::CANADA));
    control->GetComboContent(zelt::testing::lookupTables("2")); // vendor conversion rate 2
    control->setViewMode(Mode::UpdateMode);
    form().txtCurrConversionRate.setText("1");
    auto saved = savedRecord();
    saved[9] = "10.00";
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags()) + record(saved));
    EXPECT_EQ(fee(3).text(), "5");
    EXPECT_DOUBLE_EQ(control->state().fdVendorFee[3], 5);
    EXPECT_EQ(fee(6).text(), "8");

    control->setViewMode(Mode::AddMode);
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags()));
    EXPECT_EQ(fee(3).text(), "0");
    EXPECT_DOUBLE_EQ(control->state().fdVendorFee[3], 0) << "whatever record 0 field 1 says";
}

TEST_F(Exchange, ViewModeShowsTheSummaryWithDisabledOverrides)
{
    control->setViewMode(Mode::ViewMode);
    form().txtCurrConversionRate.setText("1");
    control->LetSalesTaxesNFees(record(savedRecord({13, 23, 29}, 30)));
    EXPECT_EQ(form().txtFieldTax[12].text(), "1.00");
    EXPECT_EQ(form().txtField[18].text(), "100.00");
    for (int i = 0; i <= 6; ++i) EXPECT_EQ(fee(i).text(), std::to_string(10 + i) + ".00") << i;
    EXPECT_TRUE(form().chkTaxes[12].checked());
    EXPECT_FALSE(form().chkTaxes[12].enabled());
    EXPECT_TRUE(form().chkSurChargeFee.checked());
    EXPECT_FALSE(form().chkSurChargeFee.enabled());
    EXPECT_TRUE(form().chkSurChargeFee.visible());
    EXPECT_TRUE(form().chkAppEHD.checked()) << "field 29 in View Mode";
    EXPECT_EQ(form().txtField[17].text(), "15.00");
    EXPECT_DOUBLE_EQ(control->state().jurisdictionOverrideAmount[4], 5);
}

TEST_F(Exchange, MalformedInputRaisesAClearErrorAndChangesNothing)
{
    control->setViewMode(Mode::UpdateMode);
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags({0})) + record(savedRecord({19})), "2$F$6$R$");
    const ControlState before = control->state();
    std::vector<std::string> feeTexts;
    for (int i = 0; i <= 7; ++i) feeTexts.push_back(fee(i).text());

    auto badDefault = kDefaults;
    badDefault[1] = "two";
    auto badFlags = flags();
    badFlags[3] = "maybe";
    auto badAmount = savedRecord();
    badAmount[10] = "";
    auto shortSaved = savedRecord();
    shortSaved.resize(20);
    struct Case {
        std::string fees;
        std::string salesTax;
        const char* argument;
        std::optional<int> recordNo;
        std::optional<int> fieldNo;
    } cases[] = {
        {record(badDefault) + record(flags()) + record(savedRecord()), "", "ptFees", 1, 1},
        {record(kDefaults) + record(badFlags) + record(savedRecord()), "", "ptFees", 2, 3},
        {record(kDefaults) + record(flags()) + record(badAmount), "", "ptFees", 3, 10},
        {record(kDefaults) + record(flags()) + record(shortSaved), "", "ptFees", 3, 20},
        {record(kDefaults) + record(flags()), "", "ptFees", 3, std::nullopt},
        {record(kDefaults), "", "ptFees", 2, std::nullopt},
        {record(kDefaults) + record(flags()) + record(savedRecord()), "x$F$1$R$", "ptSalesTax", 1, 0},
        {record(kDefaults) + record(flags()) + record(savedRecord()), "2$R$", "ptSalesTax", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fees + " / " + c.salesTax);
        try {
            control->LetSalesTaxesNFees(c.fees, c.salesTax);
            ADD_FAILURE() << "loaded";
        } catch (const InputError& e) {
            EXPECT_EQ(e.member(), c.argument) << e.what();
            EXPECT_EQ(e.record(), c.recordNo) << e.what();
            EXPECT_EQ(e.field(), c.fieldNo) << e.what();
        }
        for (int i = 0; i <= 7; ++i) EXPECT_EQ(fee(i).text(), feeTexts[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(control->state().fdVendorFee, before.fdVendorFee);
        EXPECT_EQ(control->state().fbVendorFeeStatus, before.fbVendorFeeStatus);
        EXPECT_EQ(control->state().jurisdictionRateText, before.jurisdictionRateText);
        EXPECT_TRUE(form().chkDutyFee.checked());
    }

    // A Canadian vendor with no conversion rate yet.
    OrderedItems fresh;
    fresh.CountryID(COUNTRY::USA, static_cast<std::int16_t>(COUNTRY::CANADA));
    fresh.setViewMode(Mode::AddMode);
    EXPECT_THROW(fresh.LetSalesTaxesNFees(record(kDefaults) + record(flags())), InputError);
}

TEST_F(Exchange, TheSummaryHasItsTwentyEightFields)
{
    // GIVEN an updated order with lines, at a conversion rate of 2
    control->CountryID(COUNTRY::CANADA, static_cast<std::int16_t>(COUNTRY::USA));
    control->GetComboContent(zelt::testing::lookupTables("2"));
    control->setViewMode(Mode::UpdateMode);
    LineSpec cancelled;
    cancelled.status = "3";
    cancelled.directionOrder = "1";
    cancelled.directionIssue = "Spring 2024";
    LineSpec open = cancelled;
    open.lineItem = "7N";
    open.status = "1";
    open.directionIssue = "Fall 2024";
    control->setReadData(zelt::testing::lines({cancelled, open}));
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags()) + record(savedRecord({13, 19})));
    form().txtFieldTax[13].setText("10.00");
    // WHEN the host reads the summary
    auto f = summaryFields();
    // THEN every field is where the host stores it
    ASSERT_EQ(f.size(), 28u);
    EXPECT_EQ(f[0], "7");
    EXPECT_EQ(f[1], "2");
    EXPECT_EQ(f[2], "1") << "country tax 2.00 / 2";
    EXPECT_EQ(f[3], "5") << "state tax 10.00 / 2";
    EXPECT_EQ(form().txtFee[1].text(), "22.00");
    EXPECT_EQ(f[9], "11") << "duty 22.00 / 2";
    EXPECT_EQ(f[15], "1") << "country override";
    EXPECT_EQ(f[16], "0");
    EXPECT_EQ(f[21], "1") << "duty override";
    EXPECT_EQ(f[20], "0");
    EXPECT_EQ(f[26], "Fall 2024") << "the first open line ordered from Direction";
    EXPECT_EQ(f[27], f[14]);
}

TEST_F(Exchange, TheSummaryOfAnEmptyOrderAndItsFailures)
{
    auto f = summaryFields();
    ASSERT_EQ(f.size(), 28u);
    EXPECT_EQ(f[0], "0") << "the header text has no leading number";
    EXPECT_EQ(f[26], "");
    form().txtCurrConversionRate.setText("");
    EXPECT_THROW(control->GetSalesTaxesNFees(), InputError);
    form().txtCurrConversionRate.setText("0");
    EXPECT_THROW(control->GetSalesTaxesNFees(), InputError);
    form().txtCurrConversionRate.setText("1");
    form().txtFee[4].setText("abc");
    try {
        control->GetSalesTaxesNFees();
        ADD_FAILURE();
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find("txtFee(4)"), std::string::npos) << e.what();
    }
}
