#pragma once

#include "zelt/platform/AvaTaxRequest.h"
#include "zelt/platform/AvaTaxService.h"

#include <array>
#include <optional>
#include <string>

namespace zelt {

struct ControlContext;
class TotalsRecalculation;
class TaxFields;

/// "Calculate Taxes && Fees": checks that the order can be calculated,
/// refreshes the totals, switches factory-pickup lines on request, takes the
/// freight and home delivery fees from the freight rate component and the
/// taxes from AvaTax, or from the rates the order had before the command when
/// AvaTax cannot be used, and writes the totals.
///
/// A step that cannot run (no delivery option, an amount that is not a
/// number, a rate that is missing, a run-time failure such as an overflow)
/// is reported to the clerk by name, and the command then leaves the control
/// as it found it.
class TaxCommand {
public:
    TaxCommand(ControlContext& ctx, TotalsRecalculation& totals, TaxFields& taxes)
        : ctx_(ctx), totals_(totals), taxes_(taxes)
    {
    }

    void run();

    /// Copies the account settings that are set into a tax service object.
    static void configure(const struct ControlState& state, platform::AvaTaxService& service);

    /// The tax request of the order as it stands: document values, lines with
    /// rewards used up, fee lines and the two addresses.
    /// Nothing when an amount does not read; the reason in `why`.
    std::optional<platform::AvaTaxRequest> buildRequest(std::string& why) const;

private:
    using Rates = std::array<std::string, 5>; // country, state, county, city, local

    /// The command's steps; why it stopped when a step could not run.
    std::optional<std::string> runSteps();
    /// No line open and a line to calculate; tells the clerk otherwise.
    bool orderCanBeCalculated();
    /// Switches the merchandise lines to factory pickup when the clerk lets
    /// them; false when the clerk does not.
    bool factoryPickup();
    /// The rewards stay within the merchandise and the order's event allows taxes.
    bool rewardsAndEventAllow();
    /// Empties the hidden rate fields for AvaTax's rates; returns the rates
    /// they held.
    Rates clearRates();
    std::optional<std::string> calculateTaxesFromAvalara(const Rates& before);
    std::optional<std::string> calculateTaxesFromRates(const Rates& rates);
    std::optional<std::string> writeTotals();
    /// Writes the jurisdiction totals into the tax fields that are not
    /// overridden, local as its rate times its total.
    std::optional<std::string> writeTaxFields(const std::array<double, 5>& totals, const std::string& localRate);
    void fail(const std::string& why);

    ControlContext& ctx_;
    TotalsRecalculation& totals_;
    TaxFields& taxes_;
    /// The step running, named in the message of a run-time failure.
    std::string step_;
};

} // namespace zelt
