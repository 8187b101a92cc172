#pragma once

#include "SampleOrder.h"

#include <zelt/OrderedItems.h>

#include <string>

namespace zelt::demo {

/// What a host keeps of an order to open it again: the control's exchange
/// strings, mapped where the control's read-back and load layouts differ.
///
/// - `lines`: readData as it stands (its records load again as they are).
/// - `fees`: the vendor's fee defaults and status flags (as the host handed
///   them over) and the saved tax and fee record, built from the tax and fee
///   summary: the summary's 28 fields laid out as the record's 30, every
///   amount in the vendor's currency as the summary gives it.
/// - `freightRates`: GetFreightInfo as one record.
/// - `surcharges`: the carrier's surcharge records as the host handed them
///   over (the control gives them no read-back).
struct SavedOrder {
    std::string lines;
    std::string fees;
    std::string salesTax;
    std::string brackets;
    std::string freightRates;
    std::string surcharges;

    /// Reads the order back from the control. Raises what the control raises
    /// (a line still open gives no lines: the host closes it first).
    static SavedOrder from(OrderedItems& control, const std::string& vendorFees, const std::string& salesTax,
                           const std::string& brackets, const std::string& surcharges);
    /// Opens it in `mode`: the fees (in View Mode the saved record alone),
    /// the lines, the freight rates with the surcharge records and, when there
    /// are some and `services` names a surcharge service, the carrier's
    /// surcharge on the freight (View Mode keeps the saved freight: the rates
    /// alone, nothing asked); then the taxes shown become the
    /// order's amounts and the deposit is worked out from the boxes. The
    /// control's lookups, addresses and delivery options stay as they are.
    void openIn(OrderedItems& control, Mode mode, const ServiceAddresses& services = {}) const;
};

/// The summary's 28 fields as the saved tax and fee record of 30 fields (one
/// record, followed by "$R$").
std::string savedRecordFromSummary(const std::string& summary);

} // namespace zelt::demo
