#include "lineitems/EntryChecks.h"
#include "core/KeptRowNumbers.h"

#include "core/ControlContext.h"
#include "core/HostInput.h"
#include "core/LineColumns.h"

#include <cmath>

namespace zelt {

namespace {

constexpr const char* kRequired = "Information Required";
constexpr const char* kValidation = "Information Validation";

/// What one check step sees: the draft being checked and the control.
struct CheckScope {
    LineDraft& d;
    const ControlContext& ctx;
    int updatingRow;

    static std::string trimmed(const std::string& s) { return std::string(text::trim(s)); }
    bool numeric(const std::string& s) const { return ctx.isNumeric(s); }
    double number(const std::string& s) const { return ctx.number(s); }
    bool acknowledging() const { return ctx.isAcknowledgingSelectedLine(); }
    std::optional<text::Date> date(const std::string& s) const { return text::Date::parse(s, ctx.locale); }
    text::Date today() const { return ctx.services.clock->today(); }
};

/// One step: a check (condition, title, message, focus) or, where `reformat`
/// is set, a step that rewrites a field between checks. `applies` gates the
/// rewards and acknowledgement groups.
struct EntryStep {
    const char* id;
    bool (*applies)(const CheckScope&);
    bool (*fails)(const CheckScope&);
    const char* title;
    const char* message;
    EntryFocus focus;
    const char* fieldName;
    void (*reformat)(CheckScope&) = nullptr;
    /// A check whose message is built from the amounts it compares.
    std::string (*messageOf)(const CheckScope&) = nullptr;
};

bool always(const CheckScope&) { return true; }
bool rewards(const CheckScope& s) { return s.d.isRewards(); }
bool acknowledging(const CheckScope& s) { return s.acknowledging(); }

bool emptyText(const std::string& s) { return text::trim(s).empty(); }
bool beyondRange(const CheckScope& s, const std::string& t) { return s.numeric(t) && !isAmountInRange(s.number(t)); }

std::string currency(const CheckScope& s, double v) { return text::formatCurrency(v, s.ctx.locale); }

bool anotherRewardsLine(const CheckScope& s)
{
    const view::Grid& grid = s.ctx.grid();
    for (int r = 1; r < grid.rows(); ++r) {
        if (r == s.updatingRow) continue;
        auto status = s.ctx.tryCellNumber(r, Col::Status);
        if (status && s.ctx.lists.isRewardsStatus(*status)) return true;
    }
    return false;
}

// clang-format off
const EntryStep kSteps[] = {
    {"1", always, [](const CheckScope& s) { return !s.d.statusSelected; }, kRequired,
     "The status of the line item is required.", EntryFocus::StatusCombo, "Status"},
    {"2", always, [](const CheckScope& s) { return emptyText(s.d.description); }, kRequired,
     "The description of the line item is required.", EntryFocus::Description, "Description"},
    {"3", always, [](const CheckScope& s) { return emptyText(s.d.unitWeight); }, kRequired,
     "The unit weight of the line item is required.", EntryFocus::UnitWeight, "Unit Weight"},
    {"4", always, [](const CheckScope& s) { return !s.numeric(s.d.unitWeight); }, kValidation,
     "The unit weight of the line item can contain only numerical characters.", EntryFocus::UnitWeight, "Unit Weight"},
    {"5", always, [](const CheckScope& s) { return s.number(s.d.unitWeight) < 0; }, kValidation,
     "The unit weight of the line item can contain only positive numerical characters", EntryFocus::UnitWeight, "Unit Weight"},
    {"5+", always, [](const CheckScope& s) { return beyondRange(s, s.d.unitWeight); }, kValidation,
     "The unit weight of the line item is too large.", EntryFocus::UnitWeight, "Unit Weight"},
    {"5f", always, nullptr, nullptr, nullptr, EntryFocus::UnitWeight, nullptr,
     [](CheckScope& s) { s.d.unitWeight = s.ctx.numberForm(s.number(s.d.unitWeight), 3); }},
    {"6", always, [](const CheckScope& s) { return !s.d.unitSelected; }, kRequired,
     "The unit measure of the line item is required.", EntryFocus::UnitCombo, "Unit of Measure"},
    {"7", always, [](const CheckScope& s) { return emptyText(s.d.quantity); }, kRequired,
     "The quantity of the line item is required.", EntryFocus::Quantity, "Quantity"},
    {"8", always, [](const CheckScope& s) { return !s.numeric(s.d.quantity); }, kValidation,
     "The quantity of the line item can contain only numerical characters.", EntryFocus::Quantity, "Quantity"},
    {"8+", always, [](const CheckScope& s) { return s.numeric(s.d.quantity) && !isInt32InRange(s.number(s.d.quantity)); },
     kValidation,
     "The quantity of the line item is too large.", EntryFocus::Quantity, "Quantity"},
    {"8f", always, nullptr, nullptr, nullptr, EntryFocus::Quantity, nullptr,
     [](CheckScope& s) {
         s.d.quantity = s.d.isRewards() ? "1" : s.ctx.numberForm(s.number(s.d.quantity), s.ctx.locale.defaultDecimals);
     }},
    {"9", always, [](const CheckScope& s) { return s.number(s.d.quantity) < 0; }, kValidation,
     "The quantity of the line item can contain only positive numerical characters.", EntryFocus::Quantity, "Quantity"},
    {"10", always, [](const CheckScope& s) { return emptyText(s.d.unitPrice); }, kRequired,
     "The unit price of the line item is required.", EntryFocus::UnitPrice, "Unit Price"},
    {"11", always, [](const CheckScope& s) { return !s.numeric(s.d.unitPrice); }, kValidation,
     "The unit price of the line item can contain only numerical characters.", EntryFocus::UnitPrice, "Unit Price"},
    {"12", always, [](const CheckScope& s) { return s.number(s.d.unitPrice) < 0 && !s.d.isRewards(); }, kValidation,
     "The unit price of the line item can contain only positive numerical characters.", EntryFocus::UnitPrice, "Unit Price"},
    {"12+", always, [](const CheckScope& s) { return beyondRange(s, s.d.unitPrice); }, kValidation,
     "The unit price of the line item is too large.", EntryFocus::UnitPrice, "Unit Price"},
    {"12x", always,
     [](const CheckScope& s) { return !isAmountInRange(s.number(s.d.unitPrice) * s.number(s.d.quantity)); }, kValidation,
     "The extended price of the line item is too large: lower the quantity.", EntryFocus::Quantity, "Quantity"},
    // Rewards: the price is taken off the order, once, within what the member has.
    {"Rn", rewards, nullptr, nullptr, nullptr, EntryFocus::UnitPrice, nullptr,
     [](CheckScope& s) { s.d.unitPrice = s.ctx.general(0 - std::fabs(s.number(s.d.unitPrice))); }},
    {"R0", rewards, anotherRewardsLine, kRequired,
     "There is already one lineitem with rewards. If you want to add or reduce rewards modify that line item",
     EntryFocus::StatusCombo, "Status"},
    {"R1", rewards, [](const CheckScope& s) { return std::fabs(s.number(s.d.unitPrice)) > s.ctx.state.RewardsAmount; },
     kValidation, "The rewards amount can not exceed the available rewards amount to member.", EntryFocus::UnitPrice,
     "Unit Price"},
    {"R2", rewards,
     [](const CheckScope& s) { return EntryChecks::merchandiseTotal(s.ctx) < std::fabs(s.number(s.d.unitPrice)); },
     nullptr, nullptr, EntryFocus::UnitPrice, "Unit Price", nullptr,
     [](const CheckScope& s) {
         return "Rewards Dollars (" + currency(s, std::fabs(s.number(s.d.unitPrice))) +
                ") used must not exceed the total of entered merchandise (" +
                currency(s, EntryChecks::merchandiseTotal(s.ctx)) + ") ";
     }},
    {"12f", always, nullptr, nullptr, nullptr, EntryFocus::UnitPrice, nullptr,
     [](CheckScope& s) { s.d.unitPrice = s.ctx.numberForm(s.number(s.d.unitPrice), s.ctx.locale.defaultDecimals); }},
    // The vendor's acknowledgement of an open or received line.
    {"A1", acknowledging, [](const CheckScope& s) { return emptyText(s.d.ackPrice); }, kRequired,
     "The Acknowledgement price of the line item is required.", EntryFocus::AckPrice, "Aklwdgmnt Price"},
    {"A2", acknowledging, [](const CheckScope& s) { return !s.numeric(s.d.ackPrice); }, kValidation,
     "The Acknowledgement price of the line item can contain only numerical characters.", EntryFocus::AckPrice,
     "Aklwdgmnt Price"},
    {"A3", acknowledging, [](const CheckScope& s) { return s.number(s.d.ackPrice) < 0; }, kValidation,
     "The Acknowledgement price of the line item can contain only positive numerical characters.",
     EntryFocus::AckPrice, "Aklwdgmnt Price"},
    // Whatever the order's acknowledgement state, a price given (a pasted
    // row's) must be one the line can carry.
    {"A3+", always, [](const CheckScope& s) { return beyondRange(s, s.d.ackPrice); }, kValidation,
     "The Acknowledgement price of the line item is too large.", EntryFocus::AckPrice, "Aklwdgmnt Price"},
    {"A4", acknowledging,
     [](const CheckScope& s) { return s.number(s.d.ackPrice) == 0 && s.number(s.d.unitPrice) != 0; }, kValidation,
     "The Acknowledgement price of the line item cannot be ZERO.", EntryFocus::AckPrice, "Aklwdgmnt Price"},
    {"A4f", acknowledging, nullptr, nullptr, nullptr, EntryFocus::AckPrice, nullptr,
     [](CheckScope& s) { s.d.ackPrice = s.ctx.numberForm(s.number(s.d.ackPrice), s.ctx.locale.defaultDecimals); }},
    {"A5", acknowledging, [](const CheckScope& s) { return emptyText(s.d.ackNumber); }, kRequired,
     "The Acknowledgement Number of the line item is required.", EntryFocus::AckNumber, "Aklwdgmnt No."},
    // A shown acknowledgement picker gives the date its line is written with.
    {"A6f", always, nullptr, nullptr, nullptr, EntryFocus::AckPicker, nullptr,
     [](CheckScope& s) {
         if (s.d.ackPicker) s.d.ackDate = *s.d.ackPicker ? (*s.d.ackPicker)->toMMMddyyyy() : std::string();
     }},
    {"A6", acknowledging,
     [](const CheckScope& s) {
         auto d = s.date(s.d.ackDate);
         return d && *d > s.today();
     },
     kValidation, "The Acknowledgement date of the line item must be less than or equal to today's date.",
     EntryFocus::AckPicker, "Aklwdgmnt Date"},
    {"19", always, [](const CheckScope& s) { return s.d.direction && !s.d.issueSelected; }, kRequired,
     "The Direction magazine issue for the line item is required.", EntryFocus::IssueCombo, "Direction Issue"},
    {"20f", always, nullptr, nullptr, nullptr, EntryFocus::PriceListPicker, nullptr,
     [](CheckScope& s) {
         if (s.d.priceListPicker) s.d.priceListDate = *s.d.priceListPicker ? (*s.d.priceListPicker)->toMMMddyyyy() : "";
     }},
    {"20", always, [](const CheckScope& s) { return emptyText(s.d.priceListDate); }, kValidation,
     "The price list date of the line item is required.", EntryFocus::PriceListPicker, "Price List Date"},
    {"21", always,
     [](const CheckScope& s) {
         auto d = s.date(CheckScope::trimmed(s.d.priceListDate));
         return d && *d > s.today();
     },
     kValidation, "The price list date of the line item must be less than or equal to today's date.",
     EntryFocus::PriceListPicker, "Price List Date"},
    {"22", always, [](const CheckScope& s) { return !s.d.carrierSelected; }, kRequired,
     "The Carrier of the line item is required.", EntryFocus::CarrierCombo, "Carrier"},
};
// clang-format on

} // namespace

double EntryChecks::merchandiseTotal(const ControlContext& ctx)
{
    if (const LineSums::Totals* sums = ctx.lineSums.totals(ctx); sums && std::isfinite(sums->merchandise))
        return sums->merchandise;
    const view::Grid& grid = ctx.grid();
    const KeptRowNumbers<2> kept(grid, ctx.locale, {Col::Status, Col::ExtPrice});
    std::array<double, 2> v;
    double total = 0;
    for (int r = 1; r < grid.rows(); ++r) {
        if (kept.read(r, v)) {
            total += ctx.lists.isMerchandiseStatus(v[0]) ? v[1] : 0.0;
            continue;
        }
        if (!ctx.isMerchandiseRow(r)) continue;
        total += ctx.cellNumber(r, Col::ExtPrice);
    }
    return total;
}

std::optional<EntryFailure> EntryChecks::check(LineDraft& draft) const
{
    CheckScope scope{draft, ctx_, updatingRow_};
    for (const EntryStep& step : kSteps) {
        if (!step.applies(scope)) continue;
        if (step.reformat) {
            step.reformat(scope);
            continue;
        }
        if (!step.fails(scope)) continue;
        EntryFailure failure{step.id, step.title ? step.title : "",
                             step.messageOf ? step.messageOf(scope) : step.message,
                             step.messageOf == nullptr, step.focus, step.fieldName};
        return failure;
    }
    return std::nullopt;
}

} // namespace zelt
