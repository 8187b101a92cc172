#include "totals/TotalsRecalculation.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/Field.h"
#include "core/ControlContext.h"
#include "core/HostInput.h"
#include "core/KeptRowNumbers.h"
#include "core/LineColumns.h"
#include "totals/FeeIndex.h"
#include "zelt/text/RuntimeError.h"
#include "zelt/text/Split.h"

#include <optional>

namespace zelt {

using text::checked;

double TotalsRecalculation::rate() const { return ctx_.number(ctx_.form.txtCurrConversionRate.text()); }

void TotalsRecalculation::fupdate()
{
    try {
        run();
    } catch (const Error&) {
        // Ends where it failed; the boxes written so far keep their texts.
    }
}

void TotalsRecalculation::run()
{
    view::Form& f = ctx_.form;
    // 1. The surcharge starts again from nothing.
    f.txtFee[Fee::Surcharge].setText("0");
    // 2-3. Weight, merchandise and rewards.
    const auto [merchandise, rewards] = weighAndTotalLines();
    // 4. The item total starts from the merchandise total as shown.
    double itemTotal = ctx_.number(f.txtField[Field::MerchandiseTotal].text());
    // 5-7. Brokerage and duty; with home delivery, as the boxes read.
    itemTotal = brokerageAndDuty(itemTotal);
    // 8. The vendor service fee.
    itemTotal = checked(itemTotal + vendorServiceFee());
    // 9. Freight as it stands.
    itemTotal = checked(itemTotal + ctx_.number(f.txtFee[Fee::Freight].text()));
    // 10. Center handling fee on merchandise and service fee.
    if (!f.chkCentrHandlingFee.checked()) {
        double base = checked(ctx_.number(f.txtFee[Fee::VendorService].text()) +
                              ctx_.number(f.txtField[Field::MerchandiseTotal].text()));
        f.txtFee[Fee::CenterHandling].setText(ctx_.fixed(checked(base * ctx_.state.vendorFees.handlingRate), 2));
    }
    itemTotal = checked(itemTotal + ctx_.number(f.txtFee[Fee::CenterHandling].text()));
    // 11-12. The merchandise total shows the rewards taken off; the hidden totals.
    f.txtField[Field::MerchandiseTotal].setText(ctx_.fixed(checked(merchandise + rewards), 2));
    f.txtHiddenItemTotal.setText(ctx_.general(itemTotal));
    f.txtHiddenRewardsTotal.setText(ctx_.general(rewards));
}

std::pair<double, double> TotalsRecalculation::weighAndTotalLines()
{
    // One pass reads each Status once; a failure of the merchandise step waits
    // until the weight is written, as it would if the steps ran one by one.
    view::Form& f = ctx_.form;
    const view::Grid& grid = ctx_.grid();
    const LookupLists& lists = ctx_.lists;
    if (const LineSums::Totals* sums = ctx_.lineSums.totals(ctx_);
        sums && std::isfinite(sums->weight) && std::isfinite(sums->merchandise)) {
        // A sum beyond the numbers fails at its line: the pass below finds it.
        if (std::isfinite(sums->units)) units_ = sums->units;
        else units_.reset();
        f.txtField[Field::TotalWeight].setText(ctx_.fixed(sums->weight, 3));
        f.txtField[Field::MerchandiseTotal].setText(ctx_.fixed(sums->merchandise, 2));
        return {sums->merchandise, sums->lastRewards};
    }
    double weight = 0;
    double merchandise = 0;
    double rewards = 0;
    std::optional<text::RuntimeError> merchandiseFailure;
    // The kept numbers of the four columns read straight, with selects in
    // place of branches on the status; a row with a cell not read yet or not
    // a number takes the step by step way below.
    const KeptRowNumbers<4> kept(grid, ctx_.locale, {Col::Status, Col::UnitWeight, Col::Quantity, Col::ExtPrice});
    std::array<double, 4> v;
    // The service fee's units, in the order its own pass would add them.
    double units = 0;
    bool unitsRead = true;
    units_.reset();
    for (int r = 1; r < grid.rows(); ++r) {
        if (kept.read(r, v)) {
            const auto [s, unitWeight, quantity, amount] = v;
            units += amount > 0 ? quantity : 0.0;
            const bool isMerchandise = lists.isMerchandiseStatus(s);
            const bool isRewards = lists.isRewardsStatus(s);
            weight = checked(weight + (isMerchandise || s == 1 ? unitWeight * quantity : 0.0));
            if (merchandiseFailure) continue;
            const double next = merchandise + (isMerchandise ? amount : 0.0);
            if (!std::isfinite(next)) {
                merchandiseFailure = text::RuntimeError::overflow();
                continue;
            }
            merchandise = next;
            rewards = isRewards ? amount : rewards;
            continue;
        }
        // Reading every number of the row keeps them all, so that the next
        // run takes this row the quick way (a row that does not weigh would
        // otherwise never have its weight read). A line just written is read
        // here once: its units count as on any other line.
        for (int col : {Col::UnitWeight, Col::Quantity, Col::ExtPrice}) (void)ctx_.tryCellNumber(r, col);
        if (const auto amount = ctx_.tryCellNumber(r, Col::ExtPrice); !amount) {
            unitsRead = false; // the fee's own pass fails on it
        } else if (*amount > 0) {
            const auto quantity = ctx_.tryCellNumber(r, Col::Quantity);
            if (quantity) units += *quantity;
            else unitsRead = false;
        }
        double s = ctx_.cellNumber(r, Col::Status);
        const bool isMerchandise = lists.isMerchandiseStatus(s);
        const bool isRewards = lists.isRewardsStatus(s);
        if (isMerchandise || s == 1)
            weight = checked(weight + ctx_.cellNumber(r, Col::UnitWeight) * ctx_.cellNumber(r, Col::Quantity));
        if (merchandiseFailure || (!isMerchandise && !isRewards)) continue;
        try {
            double amount = ctx_.cellNumber(r, Col::ExtPrice);
            if (isMerchandise) merchandise = checked(merchandise + amount);
            if (isRewards) rewards = amount;
        } catch (const text::RuntimeError& e) {
            merchandiseFailure = e;
        }
    }
    // A sum that left the finite numbers is left to the fee's own pass,
    // which fails where it does.
    if (unitsRead && std::isfinite(units)) units_ = units;
    f.txtField[Field::TotalWeight].setText(ctx_.fixed(weight, 3));
    if (merchandiseFailure) throw *merchandiseFailure;
    f.txtField[Field::MerchandiseTotal].setText(ctx_.fixed(merchandise, 2));
    return {merchandise, rewards};
}

double TotalsRecalculation::brokerageAndDuty(double itemTotal)
{
    view::Form& f = ctx_.form;
    const VendorFeeRules& rules = ctx_.state.vendorFees;
    auto merchandise = [&] { return ctx_.number(f.txtField[Field::MerchandiseTotal].text()); };
    // Brokerage by the vendor's brackets.
    if (!f.chkDutyBrokerageFee.checked()) {
        const std::string& table = ctx_.state.dutyAndBrokerageFeeText;
        const bool charged = rules.dutyAndBrokerage && !text::trim(table).empty();
        f.txtFee[Fee::Brokerage].setText(ctx_.fixed(charged ? fGetBrokerageFee(table, merchandise(), "$F$", "$R$") : 0, 2));
    }
    // Duty at the vendor's rate.
    if (!f.chkDutyFee.checked())
        f.txtFee[Fee::Duty].setText(ctx_.fixed(rules.dutyAndBrokerage ? checked(merchandise() * rules.dutyRate) : 0, 2));
    for (int i : {Fee::Brokerage, Fee::Duty, Fee::HomeDelivery}) itemTotal = checked(itemTotal + ctx_.number(f.txtFee[i].text()));
    return itemTotal;
}

double TotalsRecalculation::vendorServiceFee()
{
    // Per order or per unit, waived above the threshold; as typed when overridden.
    view::Form& f = ctx_.form;
    view::TextBox& fee = f.txtFee[Fee::VendorService];
    if (f.chkServiceFee.checked()) return ctx_.number(fee.text());
    const VendorFeeRules& rules = ctx_.state.vendorFees;
    const view::Grid& grid = ctx_.grid();
    auto merchandise = [&] { return ctx_.number(f.txtField[Field::MerchandiseTotal].text()); };
    if (rules.serviceFeePerOrder) {
        if (merchandise() <= 0) fee.setText(ctx_.fixed(0, 2));
        else fee.setText(ctx_.fixed(checked(rate() * rules.serviceFee), 2));
    } else {
        double units = 0;
        if (units_) units = *units_;
        else
            for (int r = 1; r < grid.rows(); ++r)
                if (ctx_.cellNumber(r, Col::ExtPrice) > 0) units = checked(units + ctx_.cellNumber(r, Col::Quantity));
        fee.setText(ctx_.fixed(checked(checked(rate() * units) * rules.serviceFee), 2));
    }
    if (rules.serviceFeeWaiver > 0 && checked(rate() * rules.serviceFeeWaiver) < merchandise()) fee.setText(ctx_.fixed(0, 2));
    return ctx_.number(fee.text());
}

double TotalsRecalculation::fGetBrokerageFee(std::string_view table, double amount, std::string_view fieldSeparator,
                                              std::string_view recordSeparator) const
{
    try {
        auto records = text::splitRecords(table, recordSeparator);
        if (records.empty()) return 0;
        const std::size_t fieldCount = text::split(records[0], fieldSeparator).size();
        if (fieldCount < 3) return 0; // a bracket needs its bounds and its fee
        // Every record is cut before any is matched: a short record anywhere
        // makes the whole table malformed.
        std::vector<std::vector<std::string_view>> brackets(records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            text::splitInto(records[i], fieldSeparator, brackets[i]);
            if (brackets[i].size() < fieldCount) return 0;
        }
        for (const auto& fields : brackets) {
            const double r = rate();
            const double x = text::divide(amount, r);
            if (ctx_.number(fields[0]) <= x && x <= ctx_.number(fields[1])) {
                // A fee no currency value holds could never be totalled: a failure like the others.
                const double fee = checked(r * ctx_.number(fields[2]));
                if (!isAmountInRange(fee)) throw text::RuntimeError::overflow();
                return fee;
            }
        }
    } catch (const Error&) {
        // A malformed table or rate gives no fee.
    }
    return 0;
}

} // namespace zelt
