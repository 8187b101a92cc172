#pragma once

#include "zelt/Error.h"
#include "zelt/platform/FreightCalculator.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::platform {

/// A rules file that cannot be used: where and why.
class FreightRulesError : public Error {
public:
    using Error::Error;
};

/// Freight from a table of rules per vendor freight method: weight brackets
/// with a rate per pound, a minimum charge and an EHD fee. The rules come as
/// JSON:
///
///     {"methods": [{"vendorFreightMethodID": 7,
///                   "brackets": [{"upToPounds": 500, "ratePerPound": 0.25},
///                                {"upToPounds": null, "ratePerPound": 0.15}],
///                   "minimumCharge": 25.0, "ehdFee": 45.0}]}
///
/// Brackets are tried in order; the first whose "upToPounds" is at least the
/// total weight (null: no limit) gives the rate. A method without a rule, or a
/// weight beyond every bracket, answers the empty text (no rule).
class RuleTableFreightCalculator : public FreightCalculator {
public:
    /// A weight bracket: up to a weight (none: no limit), a rate per pound.
    struct Bracket {
        /// The heaviest total weight the bracket takes; none for no limit.
        std::optional<double> upToPounds;
        /// The freight per pound of total weight.
        double ratePerPound = 0;
    };
    /// The rule of one vendor freight method.
    struct Rule {
        /// The brackets, tried in order.
        std::vector<Bracket> brackets;
        /// The least freight charged.
        double minimumCharge = 0;
        /// The home delivery (EHD) fee.
        double ehdFee = 0;
    };

    /// A calculator with these rules, by vendor freight method.
    explicit RuleTableFreightCalculator(std::map<std::int32_t, Rule> rules) : rules_(std::move(rules)) {}
    /// Reads rules; FreightRulesError names what is wrong (the JSON, a
    /// method, a bracket, a field).
    /// Identifiers are 32-bit integers; amounts and rates lie from 0 to the
    /// currency range.
    static RuleTableFreightCalculator fromJson(std::string_view json);
    /// The largest rules file read: 16 MiB.
    static constexpr std::uintmax_t kMaxFileBytes = 16u << 20;
    /// Reads the rules from a regular file of at most kMaxFileBytes.
    static RuleTableFreightCalculator fromFile(const std::string& path);

    /// The freight (the bracket's rate times the total weight, at least the
    /// minimum charge) and the EHD fee, with two decimals and "." as the point;
    /// empty when the method has no rule or the weight is beyond every bracket.
    /// Only the method and the total weight are read.
    std::string calculate(const FreightRequest& request, std::string_view shipState, std::int32_t centerID,
                          std::string_view shipZip, std::int32_t vendorFreightMethodID) override;

private:
    std::map<std::int32_t, Rule> rules_;
};

} // namespace zelt::platform
