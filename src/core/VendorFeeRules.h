#pragma once

#include <array>

namespace zelt {

/// The vendor's fee rules, loaded with the saved taxes and fees: the amounts
/// and rates of record 0 and the status flags of record 1.
struct VendorFeeRules {
    // Amounts and rates, fields 0 to 4 of the vendor fee defaults.
    double dutyRate = 0;         ///< duty = merchandise x this
    double serviceFee = 0;       ///< vendor service fee, per order or per unit
    double freightRate = 0;      ///< freight on merchandise
    double handlingRate = 0;     ///< center handling = (service fee + merchandise) x this
    double serviceFeeWaiver = 0; ///< above this merchandise total no service fee (0: never waived)

    // Status flags, fields 0 to 7 of the vendor fee status.
    bool dutyAndBrokerage = false;   ///< duty and brokerage are charged
    bool homeDeliveryTyped = false;  ///< the EHD fee box is typed freely
    bool serviceFeePerOrder = false; ///< the service fee is per order, else per unit
    bool freightFlag = false;        ///< no behaviour depends on it
    bool freightFromRates = false;   ///< freight is computed from the freight rates (B_USERSZeltD)
    bool directionRequired = false;  ///< a new line has its Direction box ticked and locked
    bool entryBoxesLeftAlone = false; ///< a new line leaves the Direction and exempt boxes as they are
    bool noCenterHandling = false;   ///< no center handling fee; delivery forced to club
};

/// The amounts in the order of the vendor fee defaults record.
inline constexpr std::array<double VendorFeeRules::*, 5> kVendorFeeAmounts = {
    &VendorFeeRules::dutyRate, &VendorFeeRules::serviceFee, &VendorFeeRules::freightRate,
    &VendorFeeRules::handlingRate, &VendorFeeRules::serviceFeeWaiver};

/// The flags in the order of the vendor fee status record.
inline constexpr std::array<bool VendorFeeRules::*, 8> kVendorFeeFlags = {
    &VendorFeeRules::dutyAndBrokerage,   &VendorFeeRules::homeDeliveryTyped, &VendorFeeRules::serviceFeePerOrder,
    &VendorFeeRules::freightFlag,        &VendorFeeRules::freightFromRates,  &VendorFeeRules::directionRequired,
    &VendorFeeRules::entryBoxesLeftAlone, &VendorFeeRules::noCenterHandling};

} // namespace zelt
