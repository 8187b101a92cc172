#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelt {

struct ControlContext;

/// The saved taxes and fees, the vendor's fee rules and the tax rates between
/// the host and the control.
class TaxFeeExchange {
public:
    explicit TaxFeeExchange(ControlContext& ctx) : ctx_(ctx) {}

    /// Checks the whole input first: a record or field that is missing, a
    /// number or flag that does not read, a vendor conversion rate of 0, raise
    /// an InputError naming the argument, record and field, and nothing
    /// changes. Then resets and fills the fee and tax fields for the mode.
    void LetSalesTaxesNFees(std::string_view ptFees, std::string_view ptSalesTax, std::string_view ptDutyBrkgFee);

    /// The tax and fee summary: 28 fields, each followed by the field
    /// separator. A box that does not read as a number, or a conversion rate
    /// that is empty or 0, raises an InputError instead of an empty summary.
    std::string GetSalesTaxesNFees() const;

private:
    using Records = std::vector<std::vector<std::string_view>>;
    Records split(std::string_view text) const;
    void validate(const Records& fees, bool feesGiven, std::string_view ptSalesTax) const;
    void applyUpdateRecord(const std::vector<std::string_view>& saved);
    void applyViewRecord(const std::vector<std::string_view>& saved);
    std::string timesRate(std::string_view field) const;
    /// A flag field: "True"/"False" in any case or a number (non-zero is set).
    bool flag(std::string_view field) const;

    ControlContext& ctx_;
};

} // namespace zelt
