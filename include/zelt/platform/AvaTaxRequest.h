#pragma once

#include "zelt/text/Currency.h"

#include <string>
#include <vector>

namespace zelt::platform {

struct AvaTaxAddress {
    std::string line1, line2, line3, city, region, postalCode, country;
};

/// One line of a tax request: number, item code, quantity, amount, tax code.
struct AvaTaxRequestLine {
    std::string number;
    std::string itemCode;
    double quantity = 0;
    text::Currency amount;
    std::string taxCode;
};

/// What the tax command asks AvaTax: the document values, the two addresses
/// and the lines.
struct AvaTaxRequest {
    std::string companyCode, customerCode, customerUsageType, docCode;
    int docType = 3; ///< 3 PurchaseInvoice
    std::string docDate; ///< ISO yyyy-mm-dd
    text::Currency discount;
    AvaTaxAddress origin, destination;
    std::vector<AvaTaxRequestLine> lines;
};

} // namespace zelt::platform
