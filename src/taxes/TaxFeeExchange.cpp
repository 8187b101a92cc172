#include "taxes/TaxFeeExchange.h"

#include "text/TextRules.h"

#include "core/Field.h"
#include "core/ControlContext.h"
#include "core/LineColumns.h"
#include "core/HostInput.h"
#include "core/Jurisdictions.h"
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
constexpr int kMerchandiseField = 5;
constexpr int kFirstFeeField = 6;
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

constexpr std::array<SavedOverride, 7> kUpdateOverrides = {{
    {18, &view::Form::chkDutyBrokerageFee, Fee::Brokerage, 6},
    {19, &view::Form::chkDutyFee, Fee::Duty, 7},
    {kUpdateEhdFlag, &view::Form::chkAppEHD, Fee::HomeDelivery, 8},
    {20, &view::Form::chkServiceFee, Fee::VendorService, 9},
    {21, &view::Form::chkAppFreight, Fee::Freight, 10},
    {22, &view::Form::chkCentrHandlingFee, Fee::CenterHandling, 11},
    {23, &view::Form::chkSurChargeFee, Fee::Surcharge, 12},
}};

/// In View Mode the flags are read in this order, the EHD flag from field 29.
constexpr std::array<std::pair<int, view::CheckBox view::Form::*>, 7> kViewOverrides = {{
    {18, &view::Form::chkDutyBrokerageFee},
    {19, &view::Form::chkDutyFee},
    {20, &view::Form::chkServiceFee},
    {21, &view::Form::chkAppFreight},
    {kViewEhdFlag, &view::Form::chkAppEHD},
    {22, &view::Form::chkCentrHandlingFee},
    {23, &view::Form::chkSurChargeFee},
}};

std::size_t at(int i) { return static_cast<std::size_t>(i); }

} // namespace

TaxFeeExchange::Records TaxFeeExchange::split(std::string_view text) const
{
    Records records;
    std::vector<std::string_view> fields;
    text::RecordReader reader(text, ctx_.state.recordSeparator, ctx_.state.fieldSeparator);
    while (reader.next(fields)) records.push_back(fields);
    return records;
}

void TaxFeeExchange::stageSalesTax(std::string_view ptSalesTax, Staged& s) const
{
    const HostInput rates("ptSalesTax", ctx_.locale);
    const Records records = split(ptSalesTax);
    for (std::size_t r = 0; r < records.size(); ++r) {
        const int recordNo = static_cast<int>(r) + 1;
        if (records[r].empty()) rates.fail(recordNo, 0, "the tax rate record has no jurisdiction type");
        const double type = rates.number(records[r][0], recordNo, 0, "the jurisdiction type");
        for (const Jurisdiction& j : kJurisdictions) {
            if (type != j.salesTaxType) continue;
            if (records[r].size() < 2) rates.fail(recordNo, 1, "the tax rate record has no rate");
            s.rateText[at(j.k)] = std::string(records[r][1]);
        }
    }
}

void TaxFeeExchange::stageUpdateFees(const Record& saved, const HostInput& in, Staged& s) const
{
    // The home delivery fee and the freight are converted by the rate; the
    // other saved fees are copied as they stand, but must be amounts: the
    // summary reads every fee box as a number.
    const HostInput rateBox(std::string(kMember), ctx_.locale);
    const double rate =
        rateBox.number(ctx_.form.txtCurrConversionRate.text(), std::nullopt, std::nullopt, "the conversion rate box");
    for (int i = Fee::HomeDelivery; i <= Fee::TotalDeposit; ++i) {
        std::string_view field = saved[at(i + kFirstFeeField)];
        if (i == Fee::HomeDelivery || i == Fee::Freight) {
            double v = in.inRange(in.amount(field, 3, i + kFirstFeeField, "the amount") * rate, 3, i + kFirstFeeField,
                                  "the amount times the conversion rate");
            s.savedFeeText[at(i)] = ctx_.fixed(v, 2);
        } else {
            (void)in.amount(field, 3, i + kFirstFeeField, "the amount");
            s.savedFeeText[at(i)] = std::string(field);
        }
    }
}

void TaxFeeExchange::stageCanadianFees(const HostInput& in, Staged& s) const
{
    const HostInput rateBox(std::string(kMember), ctx_.locale);
    const double vendorRate = ctx_.lists.vendorConversionRate;
    if (vendorRate == 0)
        rateBox.fail(std::nullopt, std::nullopt,
                     "the vendor is Canadian and the vendor conversion rate is 0 (GetComboContent sets it)");
    // The service fee and the deposit as their boxes will read them: the
    // saved record's texts in Update Mode; otherwise the service fee was
    // just reset and the deposit keeps the text it has.
    double service = 0;
    double deposit = 0;
    if (ctx_.state.mode == Mode::UpdateMode) {
        service = in.amount(*s.savedFeeText[Fee::VendorService], 3, Fee::VendorService + kFirstFeeField,
                            "the vendor service fee");
        deposit = in.amount(*s.savedFeeText[Fee::TotalDeposit], 3, Fee::TotalDeposit + kFirstFeeField, "the total deposit");
    } else {
        deposit = rateBox.amount(ctx_.form.txtFee[Fee::TotalDeposit].text(), std::nullopt, std::nullopt,
                                 "the total deposit box");
    }
    s.canadianFees = std::array<double, 2>{
        rateBox.inRange(service / vendorRate, std::nullopt, std::nullopt, "the converted vendor service fee"),
        rateBox.inRange(deposit / vendorRate, std::nullopt, std::nullopt, "the converted total deposit")};
}

TaxFeeExchange::Staged TaxFeeExchange::stage(const Records& fees, bool feesGiven, std::string_view ptSalesTax) const
{
    const HostInput in("ptFees", ctx_.locale);
    Staged s;
    if (!ptSalesTax.empty()) stageSalesTax(ptSalesTax, s);
    s.feesGiven = feesGiven;
    if (!feesGiven) return s;

    auto need = [&](std::size_t r, std::size_t count, const char* what) {
        const int recordNo = static_cast<int>(r) + 1;
        if (r >= fees.size()) in.fail(recordNo, std::nullopt, std::string("the ") + what + " record is missing");
        if (fees[r].size() < count)
            in.fail(recordNo, static_cast<int>(fees[r].size()),
                    std::string("the ") + what + " record has " + std::to_string(fees[r].size()) + " fields; " +
                        std::to_string(count) + " are needed");
    };
    const Mode mode = ctx_.state.mode;
    if (mode == Mode::ViewMode) {
        need(0, kViewEhdFlag + 1, "saved tax and fee");
        s.saved = stageSavedRecord(fees[0], 1, true, in);
        return s;
    }
    need(0, 6, "vendor fee defaults");
    const Record& defaults = fees[0];
    for (std::size_t i = 0; i < kVendorFeeAmounts.size(); ++i)
        s.vendorFees.*kVendorFeeAmounts[i] = in.amount(defaults[i], 1, static_cast<int>(i), "the vendor fee default");
    s.priceListDate = defaults[5];
    need(1, 8, "vendor fee status");
    for (std::size_t i = 0; i < kVendorFeeFlags.size(); ++i)
        s.vendorFees.*kVendorFeeFlags[i] = in.flag(fees[1][i], 2, static_cast<int>(i));

    const bool savedRecord = mode == Mode::UpdateMode || mode == Mode::LineCancelMode;
    if (savedRecord) need(2, kUpdateEhdFlag + 1, "saved tax and fee");
    if (mode == Mode::UpdateMode) stageUpdateFees(fees[2], in, s);
    if (ctx_.state.vendorCountry == static_cast<std::int16_t>(COUNTRY::CANADA)) stageCanadianFees(in, s);
    if (savedRecord) s.saved = stageSavedRecord(fees[2], 3, false, in);
    return s;
}

TaxFeeExchange::SavedRecord TaxFeeExchange::stageSavedRecord(const Record& saved, int recordNo, bool viewMode,
                                                             const HostInput& in) const
{
    const HostInput rateBox(std::string(kMember), ctx_.locale);
    const double rate =
        rateBox.number(ctx_.form.txtCurrConversionRate.text(), std::nullopt, std::nullopt, "the conversion rate box");
    auto timesRate = [&](int field, std::string_view what) {
        double v = in.inRange(in.amount(saved[at(field)], recordNo, field, what) * rate, recordNo, field,
                              std::string(what) + " times the conversion rate");
        return ctx_.fixed(v, 2);
    };
    auto flagAt = [&](int field) { return in.flag(saved[at(field)], recordNo, field); };

    SavedRecord out;
    double taxes = 0;
    for (const Jurisdiction& j : kJurisdictions) {
        const std::size_t k = at(j.k);
        out.taxText[k] = timesRate(j.k, "the tax amount");
        taxes += ctx_.number(out.taxText[k]);
    }
    if (viewMode) {
        out.merchandiseText = timesRate(kMerchandiseField, "the merchandise total");
        for (int i = 0; i <= Fee::TotalDeposit; ++i) out.viewFeeText[at(i)] = timesRate(kFirstFeeField + i, "the amount");
        // Every tax keeps its saved amount, flagged or not.
        for (const Jurisdiction& j : kJurisdictions) out.overrideAmount[at(j.k)] = ctx_.number(out.taxText[at(j.k)]);
        out.totalSalesTaxText = ctx_.fixed(in.inRange(taxes, recordNo, std::nullopt, "the total sales tax"), 2);
    }
    for (const Jurisdiction& j : kJurisdictions) {
        const std::size_t k = at(j.k);
        out.taxOverridden[k] = flagAt(kFirstTaxFlag + j.k);
        if (!viewMode && out.taxOverridden[k]) out.overrideAmount[k] = ctx_.number(out.taxText[k]);
    }
    for (std::size_t n = 0; n < out.feeOverridden.size(); ++n) {
        if (viewMode) {
            out.feeOverridden[n] = flagAt(kViewOverrides[n].first);
        } else {
            const SavedOverride& o = kUpdateOverrides[n];
            out.feeOverridden[n] = flagAt(o.flagField);
            if (out.feeOverridden[n]) out.overrideFeeText[n] = timesRate(o.amountField, "the amount");
        }
    }
    return out;
}

void TaxFeeExchange::LetSalesTaxesNFees(std::string_view ptFees, std::string_view ptSalesTax,
                                        std::string_view ptDutyBrkgFee)
{
    const Staged staged = stage(split(ptFees), !ptFees.empty(), ptSalesTax); // may throw: nothing has changed yet

    resetFields();
    for (std::size_t k = 0; k < staged.rateText.size(); ++k)
        if (staged.rateText[k]) ctx_.state.jurisdictionRateText[k] = *staged.rateText[k];
    if (!staged.feesGiven) return;
    if (ctx_.state.mode == Mode::ViewMode) {
        applyViewRecord(*staged.saved);
        return;
    }
    applyVendorRules(staged, ptDutyBrkgFee);
    if (staged.saved) applyUpdateRecord(*staged.saved);
}

void TaxFeeExchange::resetFields()
{
    view::Form& f = ctx_.form;
    const ControlState& st = ctx_.state;
    // Every override off, every fee locked at zero, taxes locked, the override
    // boxes and bullets hidden.
    for (const FeeOverride& o : kFeeOverrides) (f.*o.box).setValue(0);
    for (const FeeOverride& o : kFeeOverrides) (f.*o.box).setEnabled(true);
    f.chkAppFreight.setEnabled(st.AllowFreightOverride);
    f.chkAppEHD.setEnabled(st.AllowEHDOverride);
    for (int i : {0, 1, 2, 3, 4, 5, 7}) {
        view::TextBox& box = f.txtFee[i];
        box.setBackColor(view::Color::buttonFace());
        box.setLocked(true);
        box.setText(ctx_.fixed(0, 2));
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
}

void TaxFeeExchange::applyVendorRules(const Staged& s, std::string_view ptDutyBrkgFee)
{
    view::Form& f = ctx_.form;
    ControlState& st = ctx_.state;
    st.vendorPriceListDate = s.priceListDate;
    for (int i = Fee::HomeDelivery; i <= Fee::TotalDeposit; ++i)
        if (s.savedFeeText[at(i)]) f.txtFee[i].setText(*s.savedFeeText[at(i)]);
    VendorFeeRules& rules = st.vendorFees;
    for (auto amount : kVendorFeeAmounts) rules.*amount = s.vendorFees.*amount;
    if (s.canadianFees) {
        // The service fee and the deposit in the vendor's currency; the deposit
        // also replaces the waiver threshold, as the vendor's rules store it.
        const auto [service, deposit] = *s.canadianFees;
        f.txtFee[Fee::VendorService].setText(ctx_.general(service));
        rules.serviceFee = service;
        f.txtFee[Fee::TotalDeposit].setText(ctx_.general(deposit));
        rules.serviceFeeWaiver = deposit;
    }
    for (auto flag : kVendorFeeFlags) rules.*flag = s.vendorFees.*flag;
    st.dutyAndBrokerageFeeText = ptDutyBrkgFee;

    // Show what the vendor's rules offer.
    for (view::CheckBox* box : {&f.chkServiceFee, &f.chkAppFreight, &f.chkAppEHD, &f.chkCentrHandlingFee})
        box->setVisible(true);
    if (rules.dutyAndBrokerage) {
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
    if (rules.homeDeliveryTyped) {
        f.txtFee[Fee::HomeDelivery].setLocked(false);
        f.txtFee[Fee::HomeDelivery].setBackColor(view::Color::window());
    } else {
        f.imgBullet[8].setVisible(false);
    }
    if (rules.noCenterHandling) {
        f.txtFee[Fee::CenterHandling].setLocked(false);
        f.imgBullet[11].setVisible(false);
        rules.handlingRate = 0;
        f.chkCentrHandlingFee.setVisible(false);
        view::ComboBox& options = f.cboFreightOptions[0];
        for (int i = 0; i < options.listCount(); ++i)
            if (text::equalsNoCase(options.itemText(i), kClubOption)) {
                options.setListIndex(i);
                options.setEnabled(false);
                break;
            }
    }
}

void TaxFeeExchange::applyUpdateRecord(const SavedRecord& saved)
{
    view::Form& f = ctx_.form;
    ControlState& st = ctx_.state;
    for (const Jurisdiction& j : kJurisdictions) {
        const std::size_t k = at(j.k);
        if (saved.taxOverridden[k]) {
            view::CheckBox& box = f.chkTaxes[j.index];
            box.setEnabled(true);
            box.setVisible(true);
            box.setValue(1);
            f.txtFieldTax[j.index].setLocked(false);
            f.txtFieldTax[j.index].setBackColor(view::Color::window());
            st.jurisdictionOverrideAmount[k] = saved.overrideAmount[k];
        }
        f.txtFieldTax[j.index].setText(saved.taxText[k]);
    }
    for (std::size_t n = 0; n < kUpdateOverrides.size(); ++n) {
        if (!saved.feeOverridden[n]) continue;
        const SavedOverride& o = kUpdateOverrides[n];
        view::CheckBox& box = f.*o.box;
        box.setEnabled(true);
        if (o.fee != Fee::Surcharge) box.setVisible(true);
        box.setValue(1);
        if (o.fee == Fee::Freight) box.setEnabled(st.AllowFreightOverride);
        view::TextBox& fee = f.txtFee[o.fee];
        fee.setLocked(false);
        fee.setBackColor(view::Color::window());
        fee.setText(saved.overrideFeeText[n]);
    }
}

void TaxFeeExchange::applyViewRecord(const SavedRecord& saved)
{
    view::Form& f = ctx_.form;
    ControlState& st = ctx_.state;
    for (const Jurisdiction& j : kJurisdictions) {
        f.txtFieldTax[j.index].setText(saved.taxText[at(j.k)]);
        st.jurisdictionOverrideAmount[at(j.k)] = saved.overrideAmount[at(j.k)];
    }
    f.txtField[Field::MerchandiseTotal].setText(saved.merchandiseText);
    for (int i = 0; i <= Fee::TotalDeposit; ++i) f.txtFee[i].setText(saved.viewFeeText[at(i)]);
    for (const Jurisdiction& j : kJurisdictions) {
        if (!saved.taxOverridden[at(j.k)]) continue;
        view::CheckBox& box = f.chkTaxes[j.index];
        box.setEnabled(false);
        box.setVisible(true);
        box.setValue(1);
    }
    for (std::size_t n = 0; n < kViewOverrides.size(); ++n) {
        if (!saved.feeOverridden[n]) continue;
        view::CheckBox& box = f.*kViewOverrides[n].second;
        box.setEnabled(false);
        box.setVisible(true);
        box.setValue(1);
    }
    f.txtField[Field::TotalSalesTax].setText(saved.totalSalesTaxText);
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
        const std::string& rateText = f.txtCurrConversionRate.text();
        auto divided = [&](const std::string& boxText, const std::string& name, bool fixedFirst) {
            what = name + " " + quoteInput(boxText);
            double v = ctx_.number(boxText);
            if (fixedFirst) v = ctx_.number(ctx_.fixed(v, 2));
            what = "the conversion rate box " + quoteInput(rateText);
            double rate = ctx_.number(rateText);
            if (rate == 0) throw text::RuntimeError::divisionByZero();
            return ctx_.general(text::divide(v, rate));
        };
        put(ctx_.general(text::leadingNumber(grid.text(grid.rows() - 1, Col::LineItem))));
        put(rateText);
        for (const Jurisdiction& j : kJurisdictions)
            put(divided(f.txtFieldTax[j.index].text(), "the tax box txtFieldTax(" + std::to_string(j.index) + ")", false));
        put(divided(f.txtField[Field::MerchandiseTotal].text(), "the merchandise total", true));
        for (int i = 0; i <= 6; ++i)
            put(divided(f.txtFee[i].text(), "the fee box txtFee(" + std::to_string(i) + ")", true));
        for (const Jurisdiction& j : kJurisdictions) put(std::to_string(f.chkTaxes[j.index].value()));
        for (const view::CheckBox* box : {&f.chkDutyBrokerageFee, &f.chkDutyFee, &f.chkServiceFee, &f.chkAppFreight,
                                          &f.chkCentrHandlingFee, &f.chkAppEHD})
            put(std::to_string(box->value()));
        std::string issue;
        for (int r = 1; r < grid.rows(); ++r) {
            what = "the Status of line " + std::to_string(r);
            double status = ctx_.cellNumber(r, Col::Status);
            if (status != 1 && status != 6) continue;
            what = "the DirectionOrder of line " + std::to_string(r);
            if (text::toInt32(ctx_.cellNumber(r, Col::DirectionOrder)) != 0) {
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
