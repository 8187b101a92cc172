#include "support/OrderFixture.h"

#include "control/ControlAccess.h"
#include "support/Throws.h"

#include "zelt/InputError.h"
#include "zelt/text/Split.h"

#include <sstream>

using namespace zelt;
using zelt::testing::LineSpec;
using zelt::testing::lineWith;
using zelt::testing::caught;
using zelt::testing::throwsWith;

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

/// The three records of Add, Update and LineCancel Mode: defaults, flags, the saved record.
std::string threeRecords(const std::vector<std::string>& saved = savedRecord(), std::vector<int> flagsOn = {})
{
    return record(kDefaults) + record(flags(std::move(flagsOn))) + record(saved);
}

class Exchange : public zelt::testing::OrderFixture {
protected:
    Exchange() { control->GetComboContent(zelt::testing::lookupTables("2")); }
    view::TextBox& fee(int i) { return form().txtFee[i]; }
    std::vector<std::string> fees()
    {
        return {fee(0).text(), fee(1).text(), fee(2).text(), fee(3).text(), fee(4).text(), fee(5).text(), fee(6).text(), fee(7).text()};
    }
    /// A Canadian order of a US vendor being updated at a conversion rate of 2.
    void canadianUpdate()
    {
        control->CountryID(COUNTRY::CANADA, static_cast<std::int16_t>(COUNTRY::USA));
        control->GetComboContent(zelt::testing::lookupTables("2"));
        control->setViewMode(Mode::UpdateMode);
    }
    std::vector<std::string> summaryFields()
    {
        const std::string text = control->GetSalesTaxesNFees();
        EXPECT_TRUE(text.ends_with("$F$")) << "the summary ends with the field separator";
        const auto pieces = text::split(std::string_view(text).substr(0, text.size() - 3), "$F$");
        return {pieces.begin(), pieces.end()};
    }
};

} // namespace

TEST_F(Exchange, SalesTaxRatesByJurisdictionTypeAndEmptyFeesResetEverythingButTheDeposit)
{
    const auto& rates = ControlAccess::state(*control).jurisdictionRateText;
    control->LetSalesTaxesNFees("", "2$F$6.5$R$");
    EXPECT_EQ(rates[1], "6.5");
    control->LetSalesTaxesNFees("", "3$F$4.5");
    EXPECT_EQ(rates[2], "") << "no record without its separator";
    control->LetSalesTaxesNFees("", "7$F$1$R$1$F$5$R$1$F$6$R$");
    EXPECT_EQ(rates[0] + " " + rates[1], "6 6.5") << "the last of a type wins; rates survive a call that lacks them";
    // Empty fees reset everything but the deposit.
    fee(6).setText("99.00");
    fee(3).setText("5.00");
    control->LetSalesTaxesNFees("");
    for (int i : {0, 1, 2, 3, 4, 5, 7}) EXPECT_EQ(std::pair(fee(i).text(), fee(i).locked()), std::pair(std::string("0.00"), true)) << i;
    EXPECT_EQ(fee(6).text(), "99.00");
    for (view::CheckBox* b : {&form().chkDutyBrokerageFee, &form().chkDutyFee, &form().chkAppEHD, &form().chkServiceFee,
                              &form().chkAppFreight, &form().chkCentrHandlingFee, &form().chkSurChargeFee})
        EXPECT_FALSE(b->visible()) << b->name();
    form().chkTaxes.forEach([](int, view::CheckBox& b) { EXPECT_FALSE(b.visible()); });
}

TEST_F(Exchange, AddModeReadsDefaultsAndFlagsAndViewModeShowsTheSummaryWithDisabledOverrides)
{
    control->setViewMode(Mode::AddMode);
    fee(6).setText("42.00");
    view::ComboBox& options = form().cboFreightOptions[0];
    options.addItem("Home Delivery", 7);
    options.addItem("delivery to club/third party installer/forwarder", 3);
    control->LetSalesTaxesNFees(threeRecords(savedRecord({18, 19}), {0, 1, 7}), "", "0$F$100$F$5$R$");
    const ControlState& st = ControlAccess::state(*control);
    const VendorFeeRules& v = st.vendorFees;
    // Flag 7: no center handling fee.
    EXPECT_EQ((std::vector<double>{v.dutyRate, v.serviceFee, v.freightRate, v.handlingRate, v.serviceFeeWaiver}),
              (std::vector<double>{0.1, 2, 0.03, 0, 500}));
    EXPECT_EQ((std::vector<bool>{v.dutyAndBrokerage, v.homeDeliveryTyped, v.serviceFeePerOrder, v.noCenterHandling}),
              (std::vector<bool>{true, true, false, true}));
    EXPECT_EQ(std::pair(st.vendorPriceListDate, st.dutyAndBrokerageFeeText), std::pair(std::string("2024-02-01"), std::string("0$F$100$F$5$R$")));
    EXPECT_EQ(fees(), (std::vector<std::string>{"0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "42.00", "0.00"}));
    EXPECT_FALSE(form().chkDutyFee.checked()) << "record 2 is not read in Add Mode";
    EXPECT_EQ(std::tuple(form().chkDutyBrokerageFee.visible(), fee(2).locked(), fee(5).locked(), form().chkCentrHandlingFee.visible(), options.listIndex(), options.enabled()),
              std::tuple(true, false, false, false, 1, false)) << "flag 1: EHD typed freely; flag 7: the handling fee box open, the club option forced";
    // View Mode shows the summary with disabled overrides.
    control->setViewMode(Mode::ViewMode);
    form().txtCurrConversionRate.setText("1");
    control->LetSalesTaxesNFees(record(savedRecord({13, 23, 29}, 30)));
    EXPECT_EQ(form().txtFieldTax[12].text() + " " + form().txtField[18].text(), "1.00 100.00");
    std::vector<std::string> shown = fees();
    shown.pop_back();
    EXPECT_EQ(shown, (std::vector<std::string>{"10.00", "11.00", "12.00", "13.00", "14.00", "15.00", "16.00"}));
    for (view::CheckBox* b : {&form().chkTaxes[12], &form().chkSurChargeFee}) EXPECT_EQ(std::pair(b->checked(), b->enabled()), std::pair(true, false)) << b->name();
    EXPECT_EQ(std::pair(form().chkSurChargeFee.visible(), form().chkAppEHD.checked()), std::pair(true, true)) << "field 29 in View Mode";
    control->setReadData("");
    EXPECT_FALSE(form().chkSurChargeFee.enabled()) << "loading the lines keeps the summary's boxes disabled";
    EXPECT_EQ(form().txtField[17].text(), "15.00");
    EXPECT_DOUBLE_EQ(ControlAccess::state(*control).jurisdictionOverrideAmount[4], 5);
}

TEST_F(Exchange, UpdateModeAppliesEveryFieldOfTheSavedRecordAndACanadianVendorsFeesAreConverted)
{
    canadianUpdate(); // at a conversion rate of 2
    control->setAllowFreightOverride(false);
    // Without overrides: EHD and freight x rate; service, handling fee and deposit as they stand.
    control->LetSalesTaxesNFees(threeRecords());
    EXPECT_EQ(fees(), (std::vector<std::string>{"0.00", "0.00", "24.00", "13", "28.00", "15", "16", "0.00"}));
    // LineCancel Mode applies the overrides but not these amounts; the deposit keeps its text.
    control->setViewMode(Mode::LineCancelMode);
    control->LetSalesTaxesNFees(threeRecords());
    EXPECT_EQ(fee(3).text() + " " + fee(6).text(), "0.00 16");
    control->setViewMode(Mode::UpdateMode);
    // The saved record flags the state tax, duty, freight, EHD and the surcharge: the taxes read field k x
    // rate, the flagged one open for typing.
    control->LetSalesTaxesNFees(threeRecords(savedRecord({14, 19, 21, 23, 28}), {0}));
    for (int k = 0; k < 5; ++k) EXPECT_EQ(form().txtFieldTax[12 + k].text(), std::to_string(2 * (k + 1)) + ".00") << k;
    EXPECT_EQ(std::tuple(form().chkTaxes[13].checked(), form().txtFieldTax[13].locked(), form().txtFieldTax[12].locked()), std::tuple(true, false, true));
    EXPECT_DOUBLE_EQ(ControlAccess::state(*control).jurisdictionOverrideAmount[1], 4);
    // The overridden fees (duty, EHD, freight, surcharge) read their saved amounts x rate; checking
    // the overrides ran the recalculation, which rewrote the service fee it derives
    EXPECT_EQ(fees(), (std::vector<std::string>{"0.00", "22.00", "24.00", "0.00", "28.00", "0.00", "16", "32.00"}));
    for (view::CheckBox* b : {&form().chkDutyFee, &form().chkAppEHD, &form().chkAppFreight, &form().chkSurChargeFee})
        EXPECT_TRUE(b->checked()) << b->name();
    EXPECT_EQ(std::tuple(fee(1).locked(), form().chkAppFreight.enabled(), form().chkSurChargeFee.visible(), form().chkDutyBrokerageFee.checked()),
              std::tuple(false, false, false, false)) << "freight override follows AllowFreightOverride; the surcharge override is checked but not shown";
    // A Canadian vendor's fees are converted to the base currency.
    control->CountryID(COUNTRY::USA, static_cast<std::int16_t>(COUNTRY::CANADA));
    control->GetComboContent(zelt::testing::lookupTables("2")); // vendor conversion rate 2
    control->setViewMode(Mode::UpdateMode);
    form().txtCurrConversionRate.setText("1");
    auto saved = savedRecord();
    saved[9] = "10.00";
    control->LetSalesTaxesNFees(threeRecords(saved));
    EXPECT_EQ(fee(3).text() + " " + fee(6).text(), "5 8");
    EXPECT_DOUBLE_EQ(ControlAccess::state(*control).vendorFees.serviceFee, 5);
    control->setViewMode(Mode::AddMode);
    control->LetSalesTaxesNFees(record(kDefaults) + record(flags()));
    EXPECT_EQ(fee(3).text(), "0");
    EXPECT_DOUBLE_EQ(ControlAccess::state(*control).vendorFees.serviceFee, 0) << "whatever record 0 field 1 says";
}

TEST_F(Exchange, TheSummaryHasItsTwentyEightFields)
{
    canadianUpdate();
    control->setReadData(zelt::testing::lines(
        {lineWith({{&LineSpec::status, "3"}, {&LineSpec::directionOrder, "1"}, {&LineSpec::directionIssue, "Spring 2024"}}),
         lineWith({{&LineSpec::lineItem, "7N"}, {&LineSpec::directionOrder, "1"}, {&LineSpec::directionIssue, "Fall 2024"}})}));
    control->LetSalesTaxesNFees(threeRecords(savedRecord({13, 19})));
    form().txtFieldTax[13].setText("10.00");
    auto f = summaryFields();
    ASSERT_EQ(f.size(), 28u);
    EXPECT_EQ((std::vector<std::string>{f[0], f[1], f[2], f[3], f[9]}), (std::vector<std::string>{"7", "2", "1", "5", "11"}))
        << "country tax 2.00 / 2, state tax 10.00 / 2, duty 22.00 / 2";
    EXPECT_EQ(f[15] + f[16] + f[20] + f[21], "1001") << "the country and duty overrides";
    EXPECT_EQ(f[26], "Fall 2024") << "the first open line ordered from Direction";
    EXPECT_EQ(f[27], f[14]);
}

TEST_F(Exchange, TheSummaryOfAnEmptyOrderItsFailuresAndTheirClippedMessagesAndTheFieldsReadAsNumbers)
{
    auto f = summaryFields();
    ASSERT_EQ(f.size(), 28u);
    EXPECT_EQ(f[0] + "|" + f[26], "0|") << "the header text has no leading number";
    for (const char* rate : {"", "0"}) {
        form().txtCurrConversionRate.setText(rate);
        EXPECT_THROW(control->GetSalesTaxesNFees(), InputError) << rate;
    }
    form().txtCurrConversionRate.setText("1");
    form().txtFee[4].setText("abc");
    EXPECT_TRUE(throwsWith<InputError>([this] { control->GetSalesTaxesNFees(); }, "txtFee(4)"));
    // Error messages clip and escape what the boxes hold.
    form().txtFee[4].setText("0");
    fee(6).setText(std::string("12\n") + std::string(1, '\0') + std::string(5000, '9'));
    for (auto read : {+[](OrderedItems& c) { c.GetTotalAmount(); }, +[](OrderedItems& c) { c.GetSalesTaxesNFees(); }}) {
        const auto e = caught<InputError>([&] { read(*control); });
        ASSERT_TRUE(e) << "read";
        const std::string message = e->what();
        EXPECT_LT(message.size(), 200u) << message;
        EXPECT_NE(message.find("\"12\\n\\x00999"), std::string::npos) << message;
        EXPECT_NE(message.find("...\""), std::string::npos) << message;
    }
    // The saved record is checked only where it is read as a number: fields read only under a flag that is
    // off, or not read at all, may be empty (the refusals are in the next test).
    for (auto [mode, blank] : {std::pair{Mode::UpdateMode, std::vector<int>{5, 6, 7, 24, 25, 26, 27}},
                               {Mode::LineCancelMode, std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12}}}) {
        control->setViewMode(mode);
        auto saved = savedRecord();
        for (int i : blank) saved[static_cast<std::size_t>(i)] = "";
        EXPECT_NO_THROW(control->LetSalesTaxesNFees(threeRecords(saved)));
        EXPECT_EQ(form().txtFieldTax[13].text(), "2.00");
    }
}

TEST_F(Exchange, MalformedOrOutOfRangeInputRaisesAClearErrorAndChangesNothing)
{
    control->setViewMode(Mode::UpdateMode);
    control->LetSalesTaxesNFees(threeRecords(savedRecord({14, 19}), {0}), "2$F$6$R$");
    auto snapshot = [this] {
        std::ostringstream out;
        for (int i = 0; i <= 7; ++i) out << fee(i).text() << fee(i).locked() << "|";
        form().txtFieldTax.forEach([&](int, view::TextBox& b) { out << b.text() << b.locked() << "|"; });
        form().chkTaxes.forEach([&](int, view::CheckBox& b) { out << b.value() << b.visible() << "|"; });
        for (view::CheckBox* b : {&form().chkDutyBrokerageFee, &form().chkDutyFee, &form().chkAppEHD, &form().chkServiceFee,
                                  &form().chkAppFreight, &form().chkCentrHandlingFee, &form().chkSurChargeFee})
            out << b->value() << b->visible() << b->enabled() << "|";
        const ControlState& st = ControlAccess::state(*control);
        for (auto amount : kVendorFeeAmounts) out << st.vendorFees.*amount << ",";
        for (auto flag : kVendorFeeFlags) out << st.vendorFees.*flag;
        for (double d : st.jurisdictionOverrideAmount) out << d << ",";
        for (const auto& t : st.jurisdictionRateText) out << t << ",";
        out << st.vendorPriceListDate << st.dutyAndBrokerageFeeText << form().txtField[17].text() << form().txtField[18].text();
        return out.str();
    };
    const std::string before = snapshot();
    auto with = [](std::vector<std::string> fields, int at, const char* value) {
        fields[static_cast<std::size_t>(at)] = value;
        return fields;
    };
    auto shortSaved = savedRecord();
    shortSaved.resize(20);
    const Mode update = Mode::UpdateMode;
    const std::string rates = "1$F$9$R$"; // good rates must not be taken either
    struct Case { Mode mode; std::string fees, salesTax; const char* argument; std::optional<int> record, field; const char* says; }
    cases[] = {
        {update, record(with(kDefaults, 1, "two")) + record(flags()) + record(savedRecord()), rates, "ptFees", 1, 1, ""},
        {update, record(kDefaults) + record(with(flags(), 3, "maybe")) + record(savedRecord()), rates, "ptFees", 2, 3, ""},
        {update, threeRecords(with(savedRecord(), 10, "")), rates, "ptFees", 3, 10, ""},
        {update, threeRecords(shortSaved), rates, "ptFees", 3, 20, ""},
        {update, record(kDefaults) + record(flags()), rates, "ptFees", 3, std::nullopt, ""},
        {update, record(kDefaults), rates, "ptFees", 2, std::nullopt, ""},
        {update, threeRecords(), "x$F$1$R$", "ptSalesTax", 1, 0, ""},
        {update, threeRecords(), "2$R$", "ptSalesTax", 1, 1, ""},
        // A fee copied as it stands must still be a number, since the summary reads its box as one.
        {update, threeRecords(with(savedRecord(), 9, "")), rates, "ptFees", 3, 9, ""},
        {update, threeRecords(with(savedRecord(), 12, "")), rates, "ptFees", 3, 12, ""},
        {update, threeRecords(with(savedRecord({19}), 7, "")), rates, "ptFees", 3, 7, ""}, // the duty override's amount
        {update, threeRecords(with(savedRecord(), 8, "")), rates, "ptFees", 3, 8, ""},     // the EHD fee is converted
        {Mode::LineCancelMode, threeRecords(with(savedRecord({23}), 12, "")), rates, "ptFees", 3, 12, ""},
        {update, threeRecords(with(savedRecord(), 2, "")), rates, "ptFees", 3, 2, ""},     // every tax is converted
        // Amounts no currency value holds.
        {update, threeRecords(with(savedRecord(), 8, "1.7e308")), rates, "ptFees", 3, 8, "currency range"},
        {update, threeRecords(with(savedRecord(), 10, "1e15")), rates, "ptFees", 3, 10, "currency range"},
        {update, threeRecords(with(savedRecord(), 0, "1.7e308")), rates, "ptFees", 3, 0, "currency range"},
        {update, threeRecords(with(savedRecord(), 9, "1e300")), rates, "ptFees", 3, 9, "currency range"},
        {update, threeRecords(with(savedRecord({23}), 12, "1e16")), rates, "ptFees", 3, 12, "currency range"},
        {update, record(with(kDefaults, 1, "1e300")) + record(flags()) + record(savedRecord()), rates, "ptFees", 1, 1, "currency range"},
        {Mode::ViewMode, record(with(savedRecord({}, 30), 10, "1.7e308")), rates, "ptFees", 1, 10, "currency range"},
        {Mode::ViewMode, record(with(savedRecord({}, 30), 8, "1e308")), rates, "ptFees", 1, 8, "currency range"},
        {Mode::ViewMode, record(with(savedRecord({}, 30), 4, "900000000000000")), rates, "ptFees", 1, 4, "currency range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fees + " / " + c.salesTax);
        control->setViewMode(c.mode);
        form().txtCurrConversionRate.setText(c.mode == Mode::ViewMode ? "2" : "1");
        const auto e = caught<InputError>([&] { control->LetSalesTaxesNFees(c.fees, c.salesTax); });
        ASSERT_TRUE(e) << "loaded";
        EXPECT_EQ(std::tuple(e->member(), e->record(), e->field()), std::tuple(c.argument, c.record, c.field)) << e->what();
        EXPECT_NE(std::string(e->what()).find(c.says), std::string::npos) << e->what();
        form().txtCurrConversionRate.setText("1");
        EXPECT_EQ(snapshot(), before);
    }
    // A Canadian vendor with no conversion rate yet.
    OrderedItems fresh;
    fresh.CountryID(COUNTRY::USA, static_cast<std::int16_t>(COUNTRY::CANADA));
    fresh.setViewMode(Mode::AddMode);
    EXPECT_THROW(fresh.LetSalesTaxesNFees(record(kDefaults) + record(flags())), InputError);
}
