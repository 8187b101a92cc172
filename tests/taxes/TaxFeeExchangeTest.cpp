#include "support/OrderFixture.h"

#include "control/ControlAccess.h"

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
    EXPECT_EQ(ControlAccess::state(*control).jurisdictionRateText[1], "6.5");
    control->LetSalesTaxesNFees("", "3$F$4.5");
    EXPECT_EQ(ControlAccess::state(*control).jurisdictionRateText[2], "") << "no record without its separator";
    control->LetSalesTaxesNFees("", "7$F$1$R$1$F$5$R$1$F$6$R$");
    EXPECT_EQ(ControlAccess::state(*control).jurisdictionRateText[0], "6");
    EXPECT_EQ(ControlAccess::state(*control).jurisdictionRateText[1], "6.5") << "rates survive a call that lacks them";
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
    const ControlState& st = ControlAccess::state(*control);
    EXPECT_DOUBLE_EQ(st.vendorFees.dutyRate, 0.1);
    EXPECT_DOUBLE_EQ(st.vendorFees.serviceFee, 2);
    EXPECT_DOUBLE_EQ(st.vendorFees.freightRate, 0.03);
    EXPECT_DOUBLE_EQ(st.vendorFees.handlingRate, 0) << "flag 7: no center handling fee";
    EXPECT_DOUBLE_EQ(st.vendorFees.serviceFeeWaiver, 500);
    EXPECT_EQ(st.vendorPriceListDate, "2024-02-01");
    EXPECT_EQ(st.dutyAndBrokerageFeeText, "0$F$100$F$5$R$");
    EXPECT_TRUE(st.vendorFees.dutyAndBrokerage);
    EXPECT_TRUE(st.vendorFees.homeDeliveryTyped);
    EXPECT_FALSE(st.vendorFees.serviceFeePerOrder);
    EXPECT_TRUE(st.vendorFees.noCenterHandling);
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
    EXPECT_DOUBLE_EQ(ControlAccess::state(*control).jurisdictionOverrideAmount[1], 4);
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
    EXPECT_DOUBLE_EQ(ControlAccess::state(*control).vendorFees.serviceFee, 5);
    EXPECT_EQ(fee(6).text(), "8");

    control->setViewMode(Mode::AddMode);
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags()));
    EXPECT_EQ(fee(3).text(), "0");
    EXPECT_DOUBLE_EQ(ControlAccess::state(*control).vendorFees.serviceFee, 0) << "whatever record 0 field 1 says";
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
    control->setReadData("");
    EXPECT_FALSE(form().chkSurChargeFee.enabled()) << "loading the lines keeps the summary's boxes disabled";
    EXPECT_EQ(form().txtField[17].text(), "15.00");
    EXPECT_DOUBLE_EQ(ControlAccess::state(*control).jurisdictionOverrideAmount[4], 5);
}

TEST_F(Exchange, MalformedInputRaisesAClearErrorAndChangesNothing)
{
    control->setViewMode(Mode::UpdateMode);
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags({0})) + record(savedRecord({19})), "2$F$6$R$");
    const ControlState before = ControlAccess::state(*control);
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
        EXPECT_EQ(ControlAccess::state(*control).vendorFees.serviceFee, before.vendorFees.serviceFee);
        EXPECT_EQ(ControlAccess::state(*control).vendorFees.dutyAndBrokerage, before.vendorFees.dutyAndBrokerage);
        EXPECT_EQ(ControlAccess::state(*control).jurisdictionRateText, before.jurisdictionRateText);
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

TEST_F(Exchange, TheSavedRecordIsCheckedOnlyWhereItIsReadAsANumber)
{
    // Fields read only under a flag that is off, or not read at all, may be
    // empty; a fee copied as it stands must still be a number, since the
    // summary reads its box as one.
    struct Case {
        Mode mode;
        std::vector<int> blank;
        std::vector<int> flagsOn;
        bool taken;
        int refusedField;
    } cases[] = {
        {Mode::UpdateMode, {5, 6, 7, 24, 25, 26, 27}, {}, true, 0},
        {Mode::UpdateMode, {9}, {}, false, 9},
        {Mode::UpdateMode, {12}, {}, false, 12},
        {Mode::LineCancelMode, {5, 6, 7, 8, 9, 10, 11, 12}, {}, true, 0},
        {Mode::UpdateMode, {7}, {19}, false, 7},   // the duty override reads its amount
        {Mode::UpdateMode, {8}, {}, false, 8},     // the EHD fee is converted by the rate
        {Mode::LineCancelMode, {12}, {23}, false, 12},
        {Mode::UpdateMode, {2}, {}, false, 2},     // every tax amount is converted
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        control->setViewMode(c.mode);
        auto saved = savedRecord(c.flagsOn);
        for (int f : c.blank) saved[static_cast<std::size_t>(f)] = "";
        const std::string fees = record(kDefaults) + record(flags()) + record(saved);
        if (c.taken) {
            EXPECT_NO_THROW(control->LetSalesTaxesNFees(fees));
            EXPECT_EQ(form().txtFieldTax[13].text(), "2.00");
            continue;
        }
        try {
            control->LetSalesTaxesNFees(fees);
            ADD_FAILURE() << "loaded";
        } catch (const InputError& e) {
            EXPECT_EQ(e.record(), 3) << e.what();
            EXPECT_EQ(e.field(), c.refusedField) << e.what();
        }
    }
    // Update Mode copies the service fee and the deposit as they stand.
    control->setViewMode(Mode::UpdateMode);
    auto saved = savedRecord();
    saved[9] = "12.5";
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags()) + record(saved));
    EXPECT_EQ(fee(2).text(), "12.00");
    EXPECT_EQ(fee(3).text(), "12.5");
    EXPECT_NO_THROW(control->GetSalesTaxesNFees());
}

TEST_F(Exchange, AmountsBeyondTheCurrencyRangeAreRefusedAndNothingChanges)
{
    // GIVEN an updated order with its overrides and rates loaded
    control->setViewMode(Mode::UpdateMode);
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags({0})) + record(savedRecord({14, 19})), "2$F$6$R$");
    auto snapshot = [this] {
        std::ostringstream out;
        for (int i = 0; i <= 7; ++i) out << fee(i).text() << fee(i).locked() << "|";
        form().txtFieldTax.forEach([&](int, view::TextBox& b) { out << b.text() << b.locked() << "|"; });
        form().chkTaxes.forEach([&](int, view::CheckBox& b) { out << b.value() << b.visible() << "|"; });
        for (view::CheckBox* b : {&form().chkDutyBrokerageFee, &form().chkDutyFee, &form().chkAppEHD,
                                  &form().chkServiceFee, &form().chkAppFreight, &form().chkCentrHandlingFee,
                                  &form().chkSurChargeFee})
            out << b->value() << b->visible() << b->enabled() << "|";
        const ControlState& st = ControlAccess::state(*control);
        for (auto amount : kVendorFeeAmounts) out << st.vendorFees.*amount << ",";
        for (auto flag : kVendorFeeFlags) out << st.vendorFees.*flag;
        for (double d : st.jurisdictionOverrideAmount) out << d << ",";
        for (const auto& t : st.jurisdictionRateText) out << t << ",";
        out << st.vendorPriceListDate << st.dutyAndBrokerageFeeText << form().txtField[17].text()
            << form().txtField[18].text();
        return out.str();
    };
    const std::string before = snapshot();

    auto with = [](std::vector<std::string> fields, int at, const char* value) {
        fields[static_cast<std::size_t>(at)] = value;
        return fields;
    };
    struct Case {
        Mode mode;
        std::string fees;
        int record;
        int field;
    } cases[] = {
        {Mode::UpdateMode, record(kDefaults) + record(flags()) + record(with(savedRecord(), 8, "1.7e308")), 3, 8},
        {Mode::UpdateMode, record(kDefaults) + record(flags()) + record(with(savedRecord(), 10, "1e15")), 3, 10},
        {Mode::UpdateMode, record(kDefaults) + record(flags()) + record(with(savedRecord(), 0, "1.7e308")), 3, 0},
        {Mode::UpdateMode, record(kDefaults) + record(flags()) + record(with(savedRecord(), 9, "1e300")), 3, 9},
        {Mode::UpdateMode, record(kDefaults) + record(flags()) + record(with(savedRecord({23}), 12, "1e16")), 3, 12},
        {Mode::UpdateMode, record(with(kDefaults, 1, "1e300")) + record(flags()) + record(savedRecord()), 1, 1},
        {Mode::ViewMode, record(with(savedRecord({}, 30), 10, "1.7e308")), 1, 10},
        {Mode::ViewMode, record(with(savedRecord({}, 30), 8, "1e308")), 1, 8},
        {Mode::ViewMode, record(with(savedRecord({}, 30), 4, "900000000000000")), 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fees);
        control->setViewMode(c.mode);
        form().txtCurrConversionRate.setText(c.mode == Mode::ViewMode ? "2" : "1");
        try {
            control->LetSalesTaxesNFees(c.fees, "1$F$9$R$");
            ADD_FAILURE() << "loaded";
        } catch (const InputError& e) {
            EXPECT_EQ(e.member(), "ptFees") << e.what();
            EXPECT_EQ(e.record(), c.record) << e.what();
            EXPECT_EQ(e.field(), c.field) << e.what();
            EXPECT_NE(std::string(e.what()).find("currency range"), std::string::npos) << e.what();
        }
        form().txtCurrConversionRate.setText("1");
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(Exchange, ErrorMessagesClipAndEscapeWhatTheBoxesHold)
{
    fee(6).setText(std::string("12\n") + std::string(1, '\0') + std::string(5000, '9'));
    for (auto read : {+[](OrderedItems& c) { c.GetTotalAmount(); }, +[](OrderedItems& c) { c.GetSalesTaxesNFees(); }}) {
        try {
            read(*control);
            ADD_FAILURE() << "read";
        } catch (const InputError& e) {
            const std::string message = e.what();
            EXPECT_LT(message.size(), 200u) << message;
            EXPECT_NE(message.find("\"12\\n\\x00999"), std::string::npos) << message;
            EXPECT_NE(message.find("...\""), std::string::npos) << message;
        }
    }
}
