#include "totals/TotalsRecalculation.h"

#include "core/Field.h"
#include "core/ControlContext.h"
#include "core/HostInput.h"
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
    const view::Grid& grid = ctx_.grid();
    const LookupLists& lists = ctx_.lists;
    const VendorFeeRules& rules = ctx_.state.vendorFees;
    auto number = [this](std::string_view t) { return ctx_.number(t); };
    auto fee = [&f](int i) -> view::TextBox& { return f.txtFee[i]; };
    const int rows = grid.rows();

    // 1. The surcharge starts again from nothing.
    fee(Fee::Surcharge).setText("0");

    // 2-3. Total weight of the lines that ship, then merchandise and rewards.
    // One pass reads each Status once; a failure of the merchandise step waits
    // until the weight is written, as it would if the steps ran one by one.
    double weight = 0;
    double merchandise = 0;
    double rewards = 0;
    std::optional<text::RuntimeError> merchandiseFailure;
    for (int r = 1; r < rows; ++r) {
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
    f.txtField[Field::TotalWeight].setText(ctx_.fixed(weight, 3));
    if (merchandiseFailure) throw *merchandiseFailure;
    f.txtField[Field::MerchandiseTotal].setText(ctx_.fixed(merchandise, 2));

    // 4. The item total starts from the merchandise total as shown.
    double itemTotal = number(f.txtField[Field::MerchandiseTotal].text());

    // 5. Brokerage by the vendor's brackets.
    if (!f.chkDutyBrokerageFee.checked()) {
        const std::string& table = ctx_.state.dutyAndBrokerageFeeText;
        if (rules.dutyAndBrokerage && !text::trim(table).empty())
            fee(Fee::Brokerage).setText(ctx_.fixed(fGetBrokerageFee(table, number(f.txtField[Field::MerchandiseTotal].text()), "$F$", "$R$"), 2));
        else
            fee(Fee::Brokerage).setText(ctx_.fixed(0, 2));
    }

    // 6. Duty at the vendor's rate.
    if (!f.chkDutyFee.checked()) {
        if (rules.dutyAndBrokerage) fee(Fee::Duty).setText(ctx_.fixed(checked(number(f.txtField[Field::MerchandiseTotal].text()) * rules.dutyRate), 2));
        else fee(Fee::Duty).setText(ctx_.fixed(0, 2));
    }

    // 7. Brokerage, duty and home delivery, as the boxes read.
    for (int i : {Fee::Brokerage, Fee::Duty, Fee::HomeDelivery}) itemTotal = checked(itemTotal + number(fee(i).text()));

    // 8. Vendor service fee, per order or per unit, waived above the threshold.
    if (f.chkServiceFee.checked()) {
        itemTotal = checked(itemTotal + number(fee(Fee::VendorService).text()));
    } else {
        if (rules.serviceFeePerOrder) {
            if (number(f.txtField[Field::MerchandiseTotal].text()) <= 0) fee(Fee::VendorService).setText(ctx_.fixed(0, 2));
            else fee(Fee::VendorService).setText(ctx_.fixed(checked(rate() * rules.serviceFee), 2));
        } else {
            double units = 0;
            for (int r = 1; r < rows; ++r)
                if (ctx_.cellNumber(r, Col::ExtPrice) > 0) units = checked(units + ctx_.cellNumber(r, Col::Quantity));
            fee(Fee::VendorService).setText(ctx_.fixed(checked(checked(rate() * units) * rules.serviceFee), 2));
        }
        if (rules.serviceFeeWaiver > 0 && checked(rate() * rules.serviceFeeWaiver) < number(f.txtField[Field::MerchandiseTotal].text()))
            fee(Fee::VendorService).setText(ctx_.fixed(0, 2));
        itemTotal = checked(itemTotal + number(fee(Fee::VendorService).text()));
    }

    // 9. Freight as it stands.
    itemTotal = checked(itemTotal + number(fee(Fee::Freight).text()));

    // 10. Center handling fee on merchandise and service fee.
    if (!f.chkCentrHandlingFee.checked()) {
        double base = checked(number(fee(Fee::VendorService).text()) + number(f.txtField[Field::MerchandiseTotal].text()));
        fee(Fee::CenterHandling).setText(ctx_.fixed(checked(base * rules.handlingRate), 2));
    }
    itemTotal = checked(itemTotal + number(fee(Fee::CenterHandling).text()));

    // 11-12. The merchandise total shows the rewards taken off; the hidden totals.
    f.txtField[Field::MerchandiseTotal].setText(ctx_.fixed(checked(merchandise + rewards), 2));
    f.txtHiddenItemTotal.setText(ctx_.general(itemTotal));
    f.txtHiddenRewardsTotal.setText(ctx_.general(rewards));
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
