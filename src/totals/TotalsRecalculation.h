#pragma once

#include <utility>

#include <string_view>

namespace zelt {

struct ControlContext;

/// The totals recalculation: total weight, merchandise total, the fees the
/// control derives (brokerage by brackets, duty, vendor service fee, center
/// handling fee) and the item total, from the grid and the fee boxes.
class TotalsRecalculation {
public:
    explicit TotalsRecalculation(ControlContext& ctx) : ctx_(ctx) {}

    /// Runs every step in order; the first conversion failure ends it
    /// silently, keeping what the earlier steps wrote.
    void fupdate();

    /// The fee of the first bracket holding amount / rate, times the rate; 0
    /// when no bracket holds it or the table or the rate cannot be read.
    double fGetBrokerageFee(std::string_view table, double amount, std::string_view fieldSeparator,
                            std::string_view recordSeparator) const;

private:
    void run();
    double rate() const;
    /// Writes the total weight and the merchandise total; returns the
    /// merchandise and the rewards line's amount.
    std::pair<double, double> weighAndTotalLines();
    /// Writes the brokerage and duty that are not overridden; returns the item
    /// total with them and the home delivery fee added.
    double brokerageAndDuty(double itemTotal);
    /// Writes the vendor service fee that is not overridden; returns the fee.
    double vendorServiceFee();

    ControlContext& ctx_;
};

} // namespace zelt
