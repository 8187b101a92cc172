#include "taxes/TaxFeeExchange.h"

#include "control/ControlContext.h"
#include "lineitems/LineColumns.h"
#include "taxes/Jurisdictions.h"
#include "totals/FeeIndex.h"
#include "zelt/InputError.h"
#include "zelt/text/RuntimeError.h"
#include "zelt/text/Split.h"

#include <algorithm>
#include <cctype>

namespace zelt {

namespace {

constexpr std::string_view kMember = "LetSalesTaxesNFees";
constexpr std::string_view kClubOption = "Delivery To Club/Third Party Installer/Forwarder";

// Fields of the saved tax and fee record.
constexpr int kFirstTaxFlag = 13;
constexpr int kUpdateEhdFlag = 28;
constexpr int kViewEhdFlag = 29;

/// Flag field, override box and the fee box it unlocks, as record 2 applies them.
struct SavedOverride {
    int flagField;
    view::CheckBox view::Form::*box;
    int fee;
    int amountField;
};

constexpr SavedOverride kUpdateOverrides[] = {
    {18, &view::Form::chkDutyBrokerageFee, Fee::Brokerage, 6},
    {19, &view::Form::chkDutyFee, Fee::Duty, 7},
    {kUpdateEhdFlag, &view::Form::chkAppEHD, Fee::HomeDelivery, 8},
    {20, &view::Form::chkServiceFee, Fee::VendorService, 9},
    {21, &view::Form::chkAppFreight, Fee::Freight, 10},
    {22, &view::Form::chkCentrHandlingFee, Fee::CenterHandling, 11},
    {23, &view::Form::chkSurChargeFee, Fee::Surcharge, 12},
};

/// In View Mode the flags are read in this order, the EHD flag from field 29.
constexpr std::pair<int, view::CheckBox view::Form::*> kViewOverrides[] = {
    {18, &view::Form::chkDutyBrokerageFee}, {19, &view::Form::chkDutyFee},       {20, &view::Form::chkServiceFee},
    {21, &view::Form::chkAppFreight},       {kViewEhdFlag, &view::Form::chkAppEHD}, {22, &view::Form::chkCentrHandlingFee},
    {23, &view::Form::chkSurChargeFee},
};

bool equalsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string quoted(std::string_view value)
{
    return "\"" + std::string(value.substr(0, 40)) + (value.size() > 40 ? "...\"" : "\"");
}

} // namespace

TaxFeeExchange::Records TaxFeeExchange::split(std::string_view text) const
{
    Records records;
    std::vector<std::string_view> fields;
    text::RecordReader reader(text, ctx_.state.recordSeparator, ctx_.state.fieldSeparator);
    while (reader.next(fields)) records.push_back(fields);
    return records;
}

std::string TaxFeeExchange::timesRate(std::string_view field) const
{
    return ctx_.fixed(text::checked(ctx_.number(field) * ctx_.number(ctx_.form.txtCurrConversionRate.text())), 2);
}

bool TaxFeeExchange::flag(std::string_view field) const { return text::toBoolean(field, ctx_.locale); }

void TaxFeeExchange::validate(const Records& fees, bool feesGiven, std::string_view ptSalesTax) const
{
    const text::Locale& loc = ctx_.locale;
    auto fail = [](std::string_view argument, std::optional<int> record, std::optional<int> field, std::string reason) {
        return InputError(std::string(argument), record, field, std::move(reason));
    };
    // Each record is named from 1 as the exchange formats count them; fields from 0.
    auto needFields = [&](std::string_view argument, const Records& records, std::size_t r, std::size_t count,
                          const char* what) {
        if (r >= records.size())
            throw fail(argument, static_cast<int>(r) + 1, std::nullopt,
                       std::string("the ") + what + " record is missing");
        if (records[r].size() < count)
            throw fail(argument, static_cast<int>(r) + 1, static_cast<int>(records[r].size()),
                       std::string("the ") + what + " record has " + std::to_string(records[r].size()) +
                           " fields; " + std::to_string(count) + " are needed");
    };
    auto needNumber = [&](std::string_view argument, const Records& records, std::size_t r, std::size_t f,
                          const char* what) {
        std::string_view v = records[r][f];
        if (!text::isNumeric(v, loc))
            throw fail(argument, static_cast<int>(r) + 1, static_cast<int>(f),
                       std::string(what) + " " + quoted(v) + " is not a number");
    };
    auto needFlag = [&](std::string_view argument, const Records& records, std::size_t r, std::size_t f) {
        std::string_view v = records[r][f];
        try {
            text::toBoolean(v, loc);
        } catch (const text::RuntimeError&) {
            throw fail(argument, static_cast<int>(r) + 1, static_cast<int>(f),
                       "the flag " + quoted(v) + " is neither a number nor True or False");
        }
    };

    if (!ptSalesTax.empty()) {
        const Records rates = split(ptSalesTax);
        for (std::size_t r = 0; r < rates.size(); ++r) {
            needFields("ptSalesTax", rates, r, 1, "tax rate");
            needNumber("ptSalesTax", rates, r, 0, "the jurisdiction type");
            double type = text::toNumber(rates[r][0], loc);
            if (type >= 1 && type <= 5 && type == static_cast<int>(type)) needFields("ptSalesTax", rates, r, 2, "tax rate");
        }
    }
    if (!feesGiven) return;

    const std::string& rateBox = ctx_.form.txtCurrConversionRate.text();
    auto needRateBox = [&] {
        if (!text::isNumeric(rateBox, loc))
            throw fail(kMember, std::nullopt, std::nullopt,
                       "the conversion rate box " + quoted(rateBox) + " is not a number");
    };
    const Mode mode = ctx_.state.mode;
    if (mode == Mode::ViewMode) {
        needFields("ptFees", fees, 0, kViewEhdFlag + 1, "saved tax and fee");
        needRateBox();
        for (std::size_t f = 0; f <= 12; ++f) needNumber("ptFees", fees, 0, f, "the amount");
        for (std::size_t f = kFirstTaxFlag; f <= kViewEhdFlag; ++f)
            if (f < 24 || f == kViewEhdFlag) needFlag("ptFees", fees, 0, f);
        return;
    }

    needFields("ptFees", fees, 0, 6, "vendor fee defaults");
    for (std::size_t f = 0; f <= 4; ++f) needNumber("ptFees", fees, 0, f, "the vendor fee default");
    needFields("ptFees", fees, 1, 8, "vendor fee status");
    for (std::size_t f = 0; f < 8; ++f) needFlag("ptFees", fees, 1, f);

    const bool savedRecord = mode == Mode::UpdateMode || mode == Mode::LineCancelMode;
    if (savedRecord) {
        needFields("ptFees", fees, 2, kUpdateEhdFlag + 1, "saved tax and fee");
        needRateBox();
        for (std::size_t f = 0; f <= 12; ++f) needNumber("ptFees", fees, 2, f, "the amount");
        for (std::size_t f = kFirstTaxFlag; f <= kUpdateEhdFlag; ++f)
            if (f < 24 || f == kUpdateEhdFlag) needFlag("ptFees", fees, 2, f);
    }
    if (ctx_.state.vendorCountry == static_cast<std::int16_t>(COUNTRY::CANADA)) {
        if (ctx_.lists.vendorConversionRate == 0)
            throw fail(kMember, std::nullopt, std::nullopt,
                       "the vendor is Canadian and the vendor conversion rate is 0 (GetComboContent sets it)");
        // Without a saved record the total deposit box keeps its text and is converted as it stands.
        if (mode != Mode::UpdateMode) {
            const std::string& deposit = ctx_.form.txtFee[Fee::TotalDeposit].text();
            if (!text::isNumeric(deposit, loc))
                throw fail(kMember, std::nullopt, std::nullopt,
                           "the total deposit box " + quoted(deposit) + " is not a number");
        }
    }
}

void TaxFeeExchange::LetSalesTaxesNFees(std::string_view ptFees, std::string_view ptSalesTax,
                                        std::string_view ptDutyBrkgFee)
{
    const Records fees = split(ptFees);
    validate(fees, !ptFees.empty(), ptSalesTax);

    view::Form& f = ctx_.form;
    ControlState& st = ctx_.state;

    // 1-4. Every override off, every fee locked at "0.00", taxes locked.
    for (const FeeOverride& o : kFeeOverrides) (f.*o.box).setValue(0);
    for (const FeeOverride& o : kFeeOverrides) (f.*o.box).setEnabled(true);
    f.chkAppFreight.setEnabled(st.AllowFreightOverride);
    f.chkAppEHD.setEnabled(st.AllowEHDOverride);
    for (int i : {0, 1, 2, 3, 4, 5, 7}) {
        view::TextBox& box = f.txtFee[i];
        box.setBackColor(view::Color::buttonFace());
        box.setLocked(true);
        box.setText("0.00");
        box.setTabStop(false);
    }
    f.txtFieldTax.forEach([](int, view::TextBox& box) {
        box.setBackColor(view::Color::buttonFace());
        box.setLocked(true);
    });
    for (const FeeOverride& o : kFeeOverrides) (f.*o.box).setVisible(false);
    f.chkTaxes.forEach([](int, view::CheckBox& box) { box.setVisible(false); });
    for (int i = 8; i <= 13; ++i) f.imgBullet[i].setVisible(false);
    f.txtFee[Fee::HomeDelivery].setLocked(true);
    f.txtFee[Fee::HomeDelivery].setBackColor(view::Color::buttonFace());

    // 5. Tax rates by jurisdiction type; the later record of a type wins.
    if (!ptSalesTax.empty()) {
        for (const auto& record : split(ptSalesTax)) {
            double type = ctx_.number(record[0]);
            for (const Jurisdiction& j : kJurisdictions)
                if (type == j.salesTaxType) st.jurisdictionRateText[static_cast<std::size_t>(j.k)] = record[1];
        }
    }
    if (ptFees.empty()) return;
    if (st.mode == Mode::ViewMode) {
        applyViewRecord(fees[0]);
        return;
    }

    // 8-13. Vendor defaults, the saved fees of an order being updated, the flags.
    const auto& defaults = fees[0];
    st.vendorPriceListDate = defaults[5];
    if (st.mode == Mode::UpdateMode) {
        const auto& saved = fees[2];
        for (int i = 2; i <= 6; ++i) {
            std::string_view field = saved[static_cast<std::size_t>(i + 6)];
            f.txtFee[i].setText(i == Fee::HomeDelivery || i == Fee::Freight ? timesRate(field) : std::string(field));
        }
    }
    for (int i = 2; i <= 6; ++i) st.fdVendorFee[static_cast<std::size_t>(i)] = ctx_.number(defaults[static_cast<std::size_t>(i - 2)]);
    if (st.vendorCountry == static_cast<std::int16_t>(COUNTRY::CANADA)) {
        for (int i : {Fee::VendorService, Fee::TotalDeposit}) {
            double v = text::divide(ctx_.number(f.txtFee[i].text()), ctx_.lists.vendorConversionRate);
            f.txtFee[i].setText(ctx_.general(v));
            st.fdVendorFee[static_cast<std::size_t>(i)] = v;
        }
    }
    for (std::size_t i = 0; i < 8; ++i) st.fbVendorFeeStatus[i] = flag(fees[1][i]);
    st.dutyAndBrokerageFeeText = ptDutyBrkgFee;
    const auto& flags = st.fbVendorFeeStatus;

    // 14-17. Show what the vendor's rules offer.
    for (view::CheckBox* box : {&f.chkServiceFee, &f.chkAppFreight, &f.chkAppEHD, &f.chkCentrHandlingFee})
        box->setVisible(true);
    if (flags[0]) {
        f.chkDutyBrokerageFee.setVisible(true);
        f.chkDutyFee.setVisible(true);
        for (view::Label* label : {&f.lblDutyBrkgFee, &f.lblDuty}) {
            label->setBold(true);
            label->setForeColor(view::colors::kRed);
        }
    }
    f.chkTaxes.forEach([](int, view::CheckBox& box) { box.setVisible(true); });
    for (int i = 8; i <= 13; ++i) f.imgBullet[i].setVisible(true);
    f.imgBulletDelivery[3].setVisible(true);
    if (flags[1]) {
        f.txtFee[Fee::HomeDelivery].setLocked(false);
        f.txtFee[Fee::HomeDelivery].setBackColor(view::Color::window());
    } else {
        f.imgBullet[8].setVisible(false);
    }
    if (flags[7]) {
        f.txtFee[Fee::CenterHandling].setLocked(false);
        f.imgBullet[11].setVisible(false);
        st.fdVendorFee[5] = 0;
        f.chkCentrHandlingFee.setVisible(false);
        view::ComboBox& options = f.cboFreightOptions[0];
        for (int i = 0; i < options.listCount(); ++i)
            if (equalsNoCase(options.itemText(i), kClubOption)) {
                options.setListIndex(i);
                options.setEnabled(false);
                break;
            }
    }
    if (st.mode == Mode::UpdateMode || st.mode == Mode::LineCancelMode) applyUpdateRecord(fees[2]);
}

void TaxFeeExchange::applyUpdateRecord(const std::vector<std::string_view>& saved)
{
    view::Form& f = ctx_.form;
    ControlState& st = ctx_.state;
    auto flagAt = [&](int field) { return flag(saved[static_cast<std::size_t>(field)]); };
    for (const Jurisdiction& j : kJurisdictions) {
        std::string_view amount = saved[static_cast<std::size_t>(j.k)];
        if (flagAt(kFirstTaxFlag + j.k)) {
            view::CheckBox& box = f.chkTaxes[j.index];
            box.setEnabled(true);
            box.setVisible(true);
            box.setValue(1);
            f.txtFieldTax[j.index].setLocked(false);
            f.txtFieldTax[j.index].setBackColor(view::Color::window());
            st.jurisdictionOverrideAmount[static_cast<std::size_t>(j.k)] = ctx_.number(timesRate(amount));
        }
        f.txtFieldTax[j.index].setText(timesRate(amount));
    }
    for (const SavedOverride& o : kUpdateOverrides) {
        if (!flagAt(o.flagField)) continue;
        view::CheckBox& box = f.*o.box;
        box.setEnabled(true);
        if (o.fee != Fee::Surcharge) box.setVisible(true);
        box.setValue(1);
        if (o.fee == Fee::Freight) box.setEnabled(st.AllowFreightOverride);
        view::TextBox& fee = f.txtFee[o.fee];
        fee.setLocked(false);
        fee.setBackColor(view::Color::window());
        fee.setText(timesRate(saved[static_cast<std::size_t>(o.amountField)]));
    }
}

void TaxFeeExchange::applyViewRecord(const std::vector<std::string_view>& saved)
{
    view::Form& f = ctx_.form;
    ControlState& st = ctx_.state;
    auto flagAt = [&](int field) { return flag(saved[static_cast<std::size_t>(field)]); };
    for (const Jurisdiction& j : kJurisdictions) {
        view::TextBox& field = f.txtFieldTax[j.index];
        field.setText(timesRate(saved[static_cast<std::size_t>(j.k)]));
        st.jurisdictionOverrideAmount[static_cast<std::size_t>(j.k)] = ctx_.number(ctx_.fixed(ctx_.number(field.text()), 2));
    }
    f.txtField[18].setText(timesRate(saved[5]));
    for (int i = 0; i <= 6; ++i) f.txtFee[i].setText(timesRate(saved[static_cast<std::size_t>(6 + i)]));
    for (const Jurisdiction& j : kJurisdictions) {
        if (!flagAt(kFirstTaxFlag + j.k)) continue;
        view::CheckBox& box = f.chkTaxes[j.index];
        box.setEnabled(false);
        box.setVisible(true);
        box.setValue(1);
    }
    for (const auto& [field, member] : kViewOverrides) {
        if (!flagAt(field)) continue;
        view::CheckBox& box = f.*member;
        box.setEnabled(false);
        box.setVisible(true);
        box.setValue(1);
    }
    double taxes = 0;
    for (const Jurisdiction& j : kJurisdictions) taxes = text::checked(taxes + ctx_.number(f.txtFieldTax[j.index].text()));
    f.txtField[17].setText(ctx_.fixed(taxes, 2));
}

std::string TaxFeeExchange::GetSalesTaxesNFees() const
{
    const view::Form& f = ctx_.form;
    const view::Grid& grid = ctx_.grid();
    const std::string& sep = ctx_.state.fieldSeparator;
    std::string out;
    std::string what;
    int field = 0;
    try {
        auto put = [&](const std::string& value) {
            out += value;
            out += sep;
            ++field;
        };
        what = "the conversion rate box";
        const std::string& rateText = f.txtCurrConversionRate.text();
        auto divided = [&](const std::string& boxText, const std::string& name, bool fixedFirst) {
            what = name + " \"" + boxText + "\"";
            double v = ctx_.number(boxText);
            if (fixedFirst) v = ctx_.number(ctx_.fixed(v, 2));
            what = "the conversion rate box \"" + rateText + "\"";
            double rate = ctx_.number(rateText);
            if (rate == 0) throw text::RuntimeError::divisionByZero();
            return ctx_.general(text::divide(v, rate));
        };
        put(ctx_.general(text::leadingNumber(grid.text(grid.rows() - 1, Col::LineItem))));
        put(rateText);
        for (const Jurisdiction& j : kJurisdictions)
            put(divided(f.txtFieldTax[j.index].text(), "the tax box txtFieldTax(" + std::to_string(j.index) + ")", false));
        put(divided(f.txtField[18].text(), "the merchandise total", true));
        for (int i = 0; i <= 6; ++i)
            put(divided(f.txtFee[i].text(), "the fee box txtFee(" + std::to_string(i) + ")", true));
        for (const Jurisdiction& j : kJurisdictions) put(std::to_string(f.chkTaxes[j.index].value()));
        for (const view::CheckBox* box : {&f.chkDutyBrokerageFee, &f.chkDutyFee, &f.chkServiceFee, &f.chkAppFreight,
                                          &f.chkCentrHandlingFee, &f.chkAppEHD})
            put(std::to_string(box->value()));
        std::string issue;
        for (int r = 1; r < grid.rows(); ++r) {
            what = "the Status of line " + std::to_string(r);
            double status = ctx_.number(grid.text(r, Col::Status));
            if (status != 1 && status != 6) continue;
            what = "the DirectionOrder of line " + std::to_string(r);
            if (text::toInt32(ctx_.number(grid.text(r, Col::DirectionOrder))) != 0) {
                issue = grid.text(r, Col::DirectionIssue);
                break;
            }
        }
        put(issue);
        put(divided(f.txtFee[Fee::TotalDeposit].text(), "the total deposit", true));
    } catch (const text::RuntimeError& e) {
        throw InputError("GetSalesTaxesNFees", std::nullopt, field, what + ": " + e.description());
    }
    return out;
}

} // namespace zelt
