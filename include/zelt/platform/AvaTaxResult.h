#pragma once

#include "zelt/text/Currency.h"

#include <string>
#include <vector>

namespace zelt::platform {

/// One tax detail of a result line: a jurisdiction's share.
struct AvaTaxDetail {
    ///@{
    /// The jurisdiction's base, exempt, non-taxable, tax and taxable amounts.
    text::Currency base, exemption, nonTaxable, tax, taxable;
    ///@}
    ///@{
    /// The jurisdiction's code and name.
    std::string jurisCode, jurisName;
    ///@}
    int jurisType = 0; ///< 0 Country, 1 State, 2 County, 3 City, 4 Special
    /// The jurisdiction's rate (0.06 for 6 %).
    double rate = 0;
    int taxType = 0; ///< 1 Sales, 2 Use; 0 for any other
    /// A tax type beyond Sales and Use ("ConsumerUse", "Excise", "Lodging",
    /// ...) by its name; empty for Sales, Use or none.
    std::string taxTypeName;
};

/// One line of a tax result.
struct AvaTaxLine {
    int boundaryLevel = 0; ///< 0 Address, 1 Zip9, 2 Zip5
    ///@{
    /// The line's discount, exempt, tax and taxable amounts.
    text::Currency discount, exemption, tax, taxable;
    ///@}
    ///@{
    /// The line number as requested, and the tax code applied.
    std::string no, taxCode;
    ///@}
    /// The line's total rate.
    double rate = 0;
    /// True when the line is taxable.
    bool taxability = false;
    /// The line's share per jurisdiction.
    std::vector<AvaTaxDetail> details;
};

/// A message of a result: three texts.
struct AvaTaxMessage {
    ///@{
    /// What went wrong or what to note, the details, and where it came from.
    std::string summary, details, source;
    ///@}
};

/// What the AvaTax service answered for a tax request: the document values,
/// the lines with their details, and the result code with its messages.
/// Dates are kept as ISO texts (yyyy-mm-dd; the time stamp yyyy-mm-ddThh:mm:ss).
struct AvaTaxResult {
    ///@{
    /// The document code, date and the service's document id.
    std::string docCode, docDate, docId;
    ///@}
    int docStatus = 0; ///< 0 Any, 1 Temporary, 2 Saved, 3 Posted, 4 Committed, 5 Cancelled; -1 any other
    int docType = 0;   ///< 0 SalesOrder ... 3 PurchaseInvoice ... 5 ReturnInvoice
    /// Whether the document is reconciled.
    bool reconciled = false;
    int resultCode = 0; ///< 0 Success, 1 Warning, 2 Error, 3 Exception
    /// When the service made the document.
    std::string timestamp;
    ///@{
    /// The document's totals.
    text::Currency totalAmount, totalExemption, totalTax, totalTaxable;
    ///@}
    /// The service's transaction id.
    std::string transactionId;
    /// The taxed lines, with their details.
    std::vector<AvaTaxLine> lines;
    /// Why a request was refused; on a taxed result, the service's warnings.
    std::vector<AvaTaxMessage> messages;
};

} // namespace zelt::platform
