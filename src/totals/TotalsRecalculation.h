#pragma once

#include <optional>
#include <string_view>
#include <utility>

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
    // The units the vendor service fee counts (the quantities of the lines
    // with an extended price above 0), summed by the weighing pass when every
    // line's numbers could be read there and the sum stayed finite: the fee
    // then needs no pass of its own.
    std::optional<double> units_;
};

} // namespace zelt
