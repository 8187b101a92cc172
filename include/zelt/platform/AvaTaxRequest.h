#pragma once

#include "zelt/text/Currency.h"

#include <string>
#include <vector>

namespace zelt::platform {

/// An address of a tax request: three street lines, city, region (state or
/// province), postal code and country. A second request after a refused one
/// leaves the street lines empty.
struct AvaTaxAddress {
    ///@{
    /// The address fields, as the host set them.
    std::string line1, line2, line3, city, region, postalCode, country;
    ///@}
};

/// One line of a tax request: number, item code, quantity, amount, tax code.
struct AvaTaxRequestLine {
    /// The line number ("Merch<row>" for merchandise, "Freight", "EHDFREIGHT",
    /// "BrokFee", "DutyFee", "VendFee", "HandFee" for the fees).
    std::string number;
    /// The model number; empty for a fee line.
    std::string itemCode;
    /// The quantity (1 for a fee line).
    double quantity = 0;
    /// The line's amount: extended price less the rewards it takes, or the fee.
    text::Currency amount;
    /// The tax code: the exempt code for an exempt line, the fee's code for a fee.
    std::string taxCode;
};

/// What the tax command asks AvaTax: the document values, the two addresses
/// and the lines.
struct AvaTaxRequest {
    ///@{
    /// Company (the centre, else the company code), customer, customer usage
    /// type (the ship-to state) and document code.
    std::string companyCode, customerCode, customerUsageType, docCode;
    ///@}
    int docType = 3; ///< 3 PurchaseInvoice
    std::string docDate; ///< ISO yyyy-mm-dd
    /// The document discount (none is sent today).
    text::Currency discount;
    ///@{
    /// The ship-from and ship-to addresses.
    AvaTaxAddress origin, destination;
    ///@}
    /// The merchandise lines, then the six fee lines.
    std::vector<AvaTaxRequestLine> lines;
};

} // namespace zelt::platform
