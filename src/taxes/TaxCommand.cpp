#include "taxes/TaxCommand.h"

#include "core/CommandRollback.h"
#include "core/ControlContext.h"
#include "core/Field.h"
#include "core/LineColumns.h"
#include "services/OrderEventRules.h"
#include "core/Jurisdictions.h"
#include "taxes/TaxFields.h"
#include "taxes/VendorFreight.h"
#include "taxservices/TaxResultXml.h"
#include "totals/FeeIndex.h"
#include "totals/TotalsRecalculation.h"
#include "zelt/text/Currency.h"
#include "zelt/text/Date.h"

namespace zelt {

namespace {

using text::Currency;

constexpr int kFactoryPickupCarrier = 22;
constexpr const char* kTitle = "Calculate Taxes & Fees";

/// A merchandise line as the tax steps read it.
struct MerchLine {
    int row;
    Currency extended;
    bool exempt;
};

/// The merchandise lines in grid order; nothing when an Ext.Price does not read.
std::optional<std::vector<MerchLine>> merchandiseLines(const ControlContext& ctx, std::string& why)
{
    const view::Grid& grid = ctx.grid();
    std::vector<MerchLine> lines;
    lines.reserve(static_cast<std::size_t>(std::max(grid.rows() - grid.fixedRows(), 0)));
    for (int r = grid.fixedRows(); r < grid.rows(); ++r) {
        if (!ctx.isMerchandiseRow(r)) continue;
        const std::string_view ext = grid.text(r, Col::ExtPrice);
        const auto value = ctx.tryCellNumber(r, Col::ExtPrice);
        if (!value) {
            why = "the Ext.Price \"" + std::string(ext) + "\" of line " + std::to_string(r) + " is not a number";
            return std::nullopt;
        }
        lines.push_back({r, Currency::fromDouble(*value), grid.text(r, Col::Exempt) == kExemptMark});
    }
    return lines;
}

/// Rewards (a negative amount) used up on a taxable line: the line's amount
/// after the rewards it absorbed.
Currency useRewards(Currency extended, Currency& rewards)
{
    if (rewards == Currency{}) return extended;
    if (-rewards > extended) {
        rewards += extended;
        return Currency{};
    }
    const Currency amount = extended + rewards;
    rewards = Currency{};
    return amount;
}

/// A fee box's amount: an empty box is no fee.
std::optional<Currency> feeAmount(const ControlContext& ctx, int fee, std::string& why)
{
    const std::string& t = ctx.form.txtFee[fee].text();
    if (t.empty()) return Currency{};
    if (!text::tryToNumber(t, ctx.locale)) {
        why = "the fee \"" + t + "\" in " + ctx.form.txtFee[fee].name() + "(" + std::to_string(fee) + ") is not a number";
        return std::nullopt;
    }
    return Currency::fromText(t, ctx.locale);
}

std::optional<Currency> rewardsTotal(const ControlContext& ctx, std::string& why)
{
    const std::string& t = ctx.form.txtHiddenRewardsTotal.text();
    if (t.empty()) return Currency{};
    auto v = text::tryToNumber(t, ctx.locale);
    if (!v) {
        why = "the rewards total \"" + t + "\" is not a number";
        return std::nullopt;
    }
    return Currency::fromText(ctx.numberForm(*v, 2), ctx.locale);
}

} // namespace

void TaxCommand::configure(const ControlState& st, platform::AvaTaxService& svc)
{
    if (!st.ProfileClient.empty()) svc.setProfileClient(st.ProfileClient);
    if (!st.Url.empty()) svc.setUrl(st.Url);
    if (!st.Account.empty()) svc.setAccount(st.Account);
    if (!st.LicenseKey.empty()) svc.setLicenseKey(st.LicenseKey);
    svc.setLimits(st.serviceConnectTimeout, st.serviceTotalTimeout, st.serviceMaxAnswerBytes);
}

void TaxCommand::fail(const std::string& why)
{
    ctx_.message("The taxes and fees could not be calculated: " + why + ".", kTitle, view::MessageBoxButtons::Ok,
                 view::MessageBoxIcon::Information);
}

void TaxCommand::run()
{
    // One guard around the whole command: a step that cannot run, whether it
    // says why or fails at run time, is told to the clerk by name, and
    // whatever the command had changed is put back.
    CommandRollback rollback(ctx_);
    // The steps move the focus (the price currency option takes it): the
    // clerk goes on from where the command was started, or from the lines
    // when that cannot take it any more (the command's own button).
    struct FocusBack {
        view::Form& form;
        view::Widget* widget = form.focusedWidget();
        ~FocusBack()
        {
            if (!widget) return;
            if (widget->canInteract()) widget->setFocus();
            else if (form.grdOrdItems.canInteract()) form.grdOrdItems.setFocus();
        }
    } focusBack{ctx_.form};
    std::optional<std::string> failure;
    step_ = "the totals recalculation";
    try {
        failure = runSteps();
    } catch (const Error& e) {
        failure = step_ + " failed (" + e.what() + ")";
    }
    if (!failure) return rollback.commit();
    rollback.restore();
    fail(*failure);
}

bool TaxCommand::orderCanBeCalculated()
{
    view::Form& f = ctx_.form;
    ControlState& st = ctx_.state;
    if (f.cmdAdd.caption() == "Add to Grid") {
        ctx_.message("Please add the line add to P.O by clicking the Add to Grid button", "", view::MessageBoxButtons::Ok,
                     view::MessageBoxIcon::Information);
        return false;
    }
    if (ctx_.grid().rows() < 2) {
        if (st.mode == Mode::AddMode)
            ctx_.message("Please add a line item to this order before calculating fees.", "", view::MessageBoxButtons::Ok,
                         view::MessageBoxIcon::Information);
        st.IsFirstInit = false;
        return false;
    }
    return true;
}

bool TaxCommand::factoryPickup()
{
    // Every merchandise line goes the same way or none does.
    view::Grid& grid = ctx_.grid();
    ControlState& st = ctx_.state;
    std::vector<int> merchRows;
    bool pickup = false;
    for (int r = grid.fixedRows(); r < grid.rows(); ++r) {
        if (!ctx_.isMerchandiseRow(r)) continue;
        merchRows.push_back(r);
        if (ctx_.tryCellNumber(r, Col::CarrierID) == kFactoryPickupCarrier) pickup = true;
    }
    if (!pickup) return true;
    const auto answer = ctx_.message(
        "  Item(s) on this order have been selected as Member Factory Pickup.  In order to proceed, all lines must be "
        "updated to this option.\r\nClick Yes to update the lines or No to return to the line items to update the "
        "applicable line(s).",
        "Information Validation", view::MessageBoxButtons::YesNo, view::MessageBoxIcon::Question);
    if (answer != view::MessageBoxAnswer::Yes) {
        st.factoryPickup = false;
        return false;
    }
    for (int r : merchRows) grid.setText(r, Col::CarrierID, std::to_string(kFactoryPickupCarrier));
    ctx_.form.txtFee[Fee::Freight].setText(ctx_.fixed(0, 2));
    st.factoryPickup = true;
    return true;
}

bool TaxCommand::rewardsAndEventAllow()
{
    view::Form& f = ctx_.form;
    const auto number = [&](const view::TextBox& box) { return text::tryToNumber(box.text(), ctx_.locale); };
    if (auto rewards = number(f.txtHiddenRewardsTotal), items = number(f.txtHiddenItemTotal);
        rewards && items && *rewards > *items) {
        ctx_.message("The total of the redeemed rewards:" + f.txtHiddenRewardsTotal.text() +
                         " can not be more than the Merchandise total of " + f.txtHiddenItemTotal.text() +
                         ". Please modify or remove the rewards line",
                     "Rewards Validation", view::MessageBoxButtons::Ok, view::MessageBoxIcon::Information);
        return false;
    }
    if (!OrderEventRules::OrderEventAllowsTaxes(ctx_.state.ZeltEvent)) {
        ctx_.state.IsFirstInit = false;
        return false;
    }
    return true;
}

TaxCommand::Rates TaxCommand::clearRates()
{
    // The rates the order has now are what the fallback computes from, should
    // AvaTax not answer: the fields themselves are cleared for AvaTax's rates.
    view::Form& f = ctx_.form;
    Rates before;
    for (const Jurisdiction& j : kJurisdictions) before[static_cast<std::size_t>(j.k)] = (f.*j.rateField).text();
    // Zero as this locale writes it: the rates are read back in the locale.
    const std::string zero = ctx_.fixed(0, 2);
    f.txtHiddenCityTaxRate.setText(zero);
    f.txtHiddenCountryTaxRate.setText(zero);
    f.txtHiddenCountyTaxRate.setText(zero);
    f.txtHiddenLocalTaxRate.setText(zero);
    f.txtHiddenStateTaxRate.setText("");
    return before;
}

std::optional<std::string> TaxCommand::runSteps()
{
    if (!orderCanBeCalculated()) return std::nullopt;
    totals_.fupdate();
    step_ = "the factory pickup step";
    if (!factoryPickup() || !rewardsAndEventAllow()) return std::nullopt;
    const Rates before = clearRates();
    ControlState& st = ctx_.state;
    taxes_.applyCountryLabels(isCanadianShipCountry(st.ShipCountry));

    step_ = "the freight step";
    VendorFreight freight(ctx_);
    if (auto failure = freight.CalculateVendorFreight()) return failure;
    step_ = "the tax step";
    if (auto failure = calculateTaxesFromAvalara(before)) return failure;
    st.IsDirty = false;
    ctx_.form.cmdUpdateTaxes.setEnabled(false);
    st.IsFirstInit = false;
    st.taxesCurrentAt = ctx_.form.clerkRevision();
    return std::nullopt;
}

std::optional<platform::AvaTaxRequest> TaxCommand::buildRequest(std::string& why) const
{
    const ControlState& st = ctx_.state;
    const view::Grid& grid = ctx_.grid();
    platform::AvaTaxRequest request;
    auto rewards = rewardsTotal(ctx_, why);
    if (!rewards) return std::nullopt;
    request.companyCode = !st.CenterID.empty() ? st.CenterID : st.CompanyCode;
    request.customerCode = st.CustomerCode;
    request.customerUsageType = st.ShipState;
    request.docType = 3;
    request.docCode = st.DocCode;
    if (auto date = text::Date::parse(st.CustomerOrderedDate, ctx_.locale)) {
        request.docDate = date->toIso();
    } else {
        why = "the order date \"" + st.CustomerOrderedDate + "\" is not a date";
        return std::nullopt;
    }

    auto lines = merchandiseLines(ctx_, why);
    if (!lines) return std::nullopt;
    request.lines.reserve(lines->size() + 6);
    for (const MerchLine& line : *lines) {
        const Currency amount = line.exempt ? line.extended : useRewards(line.extended, *rewards);
        auto quantity = ctx_.tryCellNumber(line.row, Col::Quantity);
        if (!quantity) {
            why = "the quantity of line " + std::to_string(line.row) + " is not a number";
            return std::nullopt;
        }
        request.lines.push_back({"Merch" + std::to_string(line.row), std::string(grid.text(line.row, Col::ModelNo)), *quantity,
                                 amount, line.exempt ? st.TaxLineExemptedCode : std::string()});
    }

    struct FeeLine {
        const char* number;
        int fee;
        std::string code;
    };
    const FeeLine fees[] = {
        {"Freight", Fee::Freight,
         st.NonCenterDelivery || st.ThirdPartyDelivery ? st.NonCenterDeliveryFrieghtCode : st.CenterDeliveryFrieghtCode},
        {"EHDFREIGHT", Fee::HomeDelivery, st.HomeDeliveryEHDFrieghtCode},
        {"BrokFee", Fee::Brokerage, st.BrokageFeeCode},
        {"DutyFee", Fee::Duty, st.DutyFeeCode},
        {"VendFee", Fee::VendorService, st.VendorServiceFeeCode},
        {"HandFee", Fee::CenterHandling, st.HandlingFeeCode},
    };
    for (const FeeLine& fee : fees) {
        auto amount = feeAmount(ctx_, fee.fee, why);
        if (!amount) return std::nullopt;
        request.lines.push_back({fee.number, "", 1, *amount, fee.code});
    }

    request.origin = {st.FromStreet1, st.FromStreet2, st.FromStreet3, st.FromCity, st.FromState, st.FromZip, st.FromCountry};
    request.destination = {st.ShipStreet1, st.ShipStreet2, st.ShipStreet3, st.ShipCity, st.ShipState, st.ShipZip,
                           st.ShipCountry};
    return request;
}

std::optional<std::string> TaxCommand::calculateTaxesFromAvalara(const Rates& before)
{
    ControlState& st = ctx_.state;
    std::shared_ptr<platform::AvaTaxService> service = ctx_.services.avaTax();
    if (!service) return std::string("there is no AvaTax service");
    configure(st, *service);
    const auto ask = [&](auto call) { return ctx_.services.activity->run("AvaTax", call); };
    // AvaTax cannot be used, or rejected the order: the rates the order had.
    const auto fallBack = [&]() -> std::optional<std::string> {
        if (auto failure = calculateTaxesFromRates(before)) return failure;
        return writeTotals();
    };
    // The clerk gets the taxes of the stored rates; the host can see why.
    const auto recordFailure = [&](std::string fallbackReason) {
        std::string why = service->lastFailure();
        ctx_.recordServiceFailure(why.empty() ? std::move(fallbackReason) : std::move(why));
    };
    if (const int code = ask([&] { return service->ping(""); }); code != 0) {
        recordFailure("AvaTax ping: the service answered code " + std::to_string(code));
        return fallBack();
    }

    std::string why;
    auto request = buildRequest(why);
    if (!request) return why;
    platform::AvaTaxResult result = ask([&] { return service->getTax(*request); });
    if (result.resultCode != 0) {
        // Once more with the city, region, postal code and country only.
        for (platform::AvaTaxAddress* address : {&request->origin, &request->destination}) {
            address->line1.clear();
            address->line2.clear();
            address->line3.clear();
        }
        result = ask([&] { return service->getTax(*request); });
    }
    // Why the order was refused or, on a taxed order, the service's warnings.
    st.AvalavaErrorMessage.clear();
    for (const auto& m : result.messages)
        st.AvalavaErrorMessage += m.summary + "\r\n" + m.details + "\r\n" + m.source + "\r\n";
    if (result.resultCode != 0) {
        recordFailure("AvaTax GetTax: " + (result.messages.empty() ? std::string("the order was not taxed")
                                                                    : result.messages.front().summary));
        return fallBack();
    }

    st.jurisdictionTaxTotal = {};
    st.TaxDataXML = TaxResultXml(ctx_).GetTaxResultToXML(result);
    if (auto failure = writeTaxFields(st.jurisdictionTaxTotal, ctx_.form.txtHiddenLocalTaxRate.text())) return failure;
    return writeTotals();
}

std::optional<std::string> TaxCommand::calculateTaxesFromRates(const Rates& rates)
{
    view::Form& f = ctx_.form;
    ControlState& st = ctx_.state;
    std::string why;
    auto rewards = rewardsTotal(ctx_, why);
    if (!rewards) return why;
    auto lines = merchandiseLines(ctx_, why);
    if (!lines) return why;
    Currency taxable;
    for (const MerchLine& line : *lines)
        if (!line.exempt && line.extended != Currency{}) taxable += useRewards(line.extended, *rewards);

    Currency base = taxable;
    for (int fee : {Fee::Brokerage, Fee::Duty, Fee::VendorService, Fee::Freight, Fee::CenterHandling}) {
        auto amount = feeAmount(ctx_, fee, why);
        if (!amount) return why;
        base += *amount;
    }
    if (base < Currency{}) base = Currency{};

    std::array<double, 5> totals{};
    for (int index : kAmountPathOrder) {
        const Jurisdiction& j = jurisdiction(index);
        const std::string& rate = rates[static_cast<std::size_t>(j.k)];
        auto value = text::tryToNumber(rate, ctx_.locale);
        if (!value)
            return std::string("the ") + jurisdiction(index).name + " tax rate \"" + rate + "\" is " +
                   (rate.empty() ? "missing" : "not a number");
        totals[static_cast<std::size_t>(j.k)] = index == TXT_LOCALTAX ? base.toDouble() : base.toDouble() * *value;
    }
    if (auto failure = writeTaxFields(totals, rates[4])) return failure;
    st.jurisdictionTaxTotal = totals;
    for (const Jurisdiction& j : kJurisdictions) {
        st.jurisdictionRateText[static_cast<std::size_t>(j.k)] = rates[static_cast<std::size_t>(j.k)];
        (f.*j.rateField).setText(rates[static_cast<std::size_t>(j.k)]);
    }
    return std::nullopt;
}

std::optional<std::string> TaxCommand::writeTaxFields(const std::array<double, 5>& totals, const std::string& localRate)
{
    view::Form& f = ctx_.form;
    auto rate = text::tryToNumber(localRate, ctx_.locale);
    if (!rate) return "the local tax rate \"" + localRate + "\" is not a number";
    for (int index : kAmountPathOrder) {
        if (f.chkTaxes[index].checked()) continue;
        const double total = totals[static_cast<std::size_t>(jurisdiction(index).k)];
        f.txtFieldTax[index].setText(ctx_.numberForm(index == TXT_LOCALTAX ? *rate * total : total, 2));
    }
    return std::nullopt;
}

std::optional<std::string> TaxCommand::writeTotals()
{
    view::Form& f = ctx_.form;
    Currency salesTax;
    for (const Jurisdiction& j : kJurisdictions) {
        const std::string& t = f.txtFieldTax[j.index].text();
        if (t.empty()) continue;
        if (!text::tryToNumber(t, ctx_.locale))
            return std::string("the ") + j.name + " tax \"" + t + "\" is not a number";
        salesTax += Currency::fromText(t, ctx_.locale);
    }
    const std::string& merchText = f.txtField[Field::MerchandiseTotal].text();
    auto merchandise = merchText.empty() ? std::optional<double>(0) : text::tryToNumber(merchText, ctx_.locale);
    if (!merchandise) return "the merchandise total \"" + merchText + "\" is not a number";
    Currency deposit = Currency::fromDouble(*merchandise) + salesTax;
    std::string why;
    for (int fee = Fee::Brokerage; fee <= Fee::CenterHandling; ++fee) {
        auto amount = feeAmount(ctx_, fee, why);
        if (!amount) return why;
        deposit += *amount;
    }
    f.txtField[Field::TotalSalesTax].setText(ctx_.fixed(salesTax.toDouble(), 2));
    f.txtFee[Fee::TotalDeposit].setText(ctx_.fixed(deposit.toDouble(), 2));
    ctx_.state.IsDirty = false;
    double total = deposit.toDouble();
    if (ctx_.events) ctx_.events->GetTotalAmount(total);
    return std::nullopt;
}

} // namespace zelt
