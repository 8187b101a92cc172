#pragma once

#include "core/VendorFeeRules.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelt {

struct ControlContext;
class HostInput;

/// The saved taxes and fees, the vendor's fee rules and the tax rates between
/// the host and the control.
class TaxFeeExchange {
public:
    explicit TaxFeeExchange(ControlContext& ctx) : ctx_(ctx) {}

    /// Reads and converts everything the call will use, for the mode and the
    /// flags given, into a staged load; input that cannot be used (a missing
    /// record or field, a number or flag that does not read, an amount beyond
    /// the currency range, a vendor conversion rate of 0) raises an InputError
    /// naming the argument, record and field, and nothing has changed. Then
    /// resets the fee and tax fields and applies the staged load.
    void LetSalesTaxesNFees(std::string_view ptFees, std::string_view ptSalesTax, std::string_view ptDutyBrkgFee);

    /// The tax and fee summary: 28 fields, each followed by the field
    /// separator. A box that does not read as a number, or a conversion rate
    /// that is empty or 0, raises an InputError instead of an empty summary.
    std::string GetSalesTaxesNFees() const;

private:
    using Record = std::vector<std::string_view>;
    using Records = std::vector<Record>;

    /// The saved tax and fee record as one load applies it.
    struct SavedRecord {
        std::array<std::string, 5> taxText;             // per jurisdiction, x rate
        std::array<bool, 5> taxOverridden{};
        std::array<double, 5> overrideAmount{};
        std::array<bool, 7> feeOverridden{};            // per row of the saved-override table
        std::array<std::string, 7> overrideFeeText;     // x rate, where overridden
        std::string merchandiseText;                    // View Mode
        std::array<std::string, 7> viewFeeText;         // View Mode, txtFee 0 to 6
        std::string totalSalesTaxText;                  // View Mode
    };

    /// Everything a load writes, computed before anything is written.
    struct Staged {
        std::array<std::optional<std::string>, 5> rateText;
        bool feesGiven = false;
        std::string priceListDate;
        /// Update Mode: the texts of txtFee 2 to 6 from the saved record.
        std::array<std::optional<std::string>, 7> savedFeeText;
        VendorFeeRules vendorFees;
        /// A Canadian vendor: txtFee 3 and 6 in the vendor's currency.
        std::optional<std::array<double, 2>> canadianFees;
        std::optional<SavedRecord> saved;
    };

    Records split(std::string_view text) const;
    Staged stage(const Records& fees, bool feesGiven, std::string_view ptSalesTax) const;
    /// The tax rate records into the jurisdiction rate texts.
    void stageSalesTax(std::string_view ptSalesTax, Staged& s) const;
    /// Update Mode: the saved fees the boxes 2 to 6 take.
    void stageUpdateFees(const Record& saved, const HostInput& in, Staged& s) const;
    /// A Canadian vendor: the service fee and the deposit in the vendor's currency.
    void stageCanadianFees(const HostInput& in, Staged& s) const;
    SavedRecord stageSavedRecord(const Record& saved, int recordNo, bool viewMode, const HostInput& in) const;
    void resetFields();
    void applyVendorRules(const Staged& staged, std::string_view ptDutyBrkgFee);
    void applyUpdateRecord(const SavedRecord& saved);
    void applyViewRecord(const SavedRecord& saved);

    ControlContext& ctx_;
};

} // namespace zelt
