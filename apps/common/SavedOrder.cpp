#include "SavedOrder.h"

#include "SampleOrder.h"

#include <zelt/text/NumberText.h>
#include <zelt/text/Split.h>

#include <array>
#include <stdexcept>
#include <vector>

namespace zelt::demo {

namespace {

constexpr std::string_view kField = "$F$";
constexpr std::string_view kRecord = "$R$";

std::string join(const std::vector<std::string>& fields)
{
    std::string out;
    for (const std::string& f : fields) out += f + std::string(kField);
    return out + std::string(kRecord);
}

} // namespace

std::string savedRecordFromSummary(const std::string& summary)
{
    std::vector<std::string> s;
    for (std::string_view f : text::split(summary, kField)) s.emplace_back(f);
    if (s.size() < 28) throw std::runtime_error("the tax and fee summary has " + std::to_string(s.size()) + " fields, not 28");
    std::vector<std::string> r(30);
    for (int k = 0; k < 5; ++k) r[static_cast<std::size_t>(k)] = s[static_cast<std::size_t>(2 + k)]; // taxes
    r[5] = s[7];                                                                                        // merchandise
    for (int i = 0; i <= 6; ++i) r[static_cast<std::size_t>(6 + i)] = s[static_cast<std::size_t>(8 + i)]; // fees 0..6
    for (int k = 0; k < 5; ++k) r[static_cast<std::size_t>(13 + k)] = s[static_cast<std::size_t>(15 + k)]; // tax overrides
    r[18] = s[20]; // brokerage
    r[19] = s[21]; // duty
    r[20] = s[22]; // vendor service fee
    r[21] = s[23]; // freight
    r[22] = s[24]; // centre handling fee
    r[23] = "0";   // the surcharge override is not in the summary
    r[28] = s[25]; // EHD, as Update Mode reads it
    r[29] = s[25]; // EHD, as View Mode reads it
    return join(r);
}

SavedOrder SavedOrder::from(OrderedItems& control, const std::string& vendorFees, const std::string& salesTax,
                            const std::string& brackets, const std::string& surcharges)
{
    SavedOrder out;
    out.lines = control.readData();
    if (out.lines.empty() && control.IsLineOpen()) throw std::runtime_error("a line is still open");
    // The vendor's records as the host handed them over, then the saved record.
    const auto records = text::splitRecords(vendorFees, kRecord);
    if (records.size() < 2) throw std::runtime_error("the vendor's fee records are missing");
    out.fees = std::string(records[0]) + std::string(kRecord) + std::string(records[1]) + std::string(kRecord) +
               savedRecordFromSummary(control.GetSalesTaxesNFees());
    out.salesTax = salesTax;
    out.brackets = brackets;
    out.freightRates = control.GetFreightInfo() + std::string(kRecord);
    out.surcharges = surcharges;
    return out;
}

void SavedOrder::openIn(OrderedItems& control, Mode mode, const ServiceAddresses& services) const
{
    control.setViewMode(mode);
    // View Mode reads the saved record alone.
    std::string opened = fees;
    if (mode == Mode::ViewMode) {
        const auto records = text::splitRecords(fees, kRecord);
        opened = records.size() > 2 ? std::string(records[2]) + std::string(kRecord) : std::string();
    }
    control.LetSalesTaxesNFees(opened, salesTax, brackets);
    control.setReadData(lines);
    // With surcharge records the freight goes back to the rates' amount and
    // the carrier's surcharge on it is asked again, as when the order was
    // loaded. The saved freight already holds the surcharge: without records
    // it stands as saved and nothing is asked. View Mode shows the saved
    // record as it is (the control asks no surcharge there): the rates alone.
    const bool surcharged = !surcharges.empty() && mode != Mode::ViewMode;
    control.LetFreightInfo(freightRates, surcharged ? surcharges : std::string());
    if (surcharged) askSurcharge(control, services);
    // The load copies some saved amounts as they stand and converts others
    // by the rates: the deposit is worked out again from the taxes and fees
    // the boxes now show, the taxes kept as the order's amounts.
    keepShownTaxes(control);
    control.SetTaxNFees();
}

} // namespace zelt::demo
