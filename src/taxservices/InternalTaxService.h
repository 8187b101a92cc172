#pragma once

#include "zelt/text/Currency.h"

#include <string>
#include <string_view>

namespace zelt {

struct ControlContext;
class SoapClient;

/// The organisation's own tax service: the order's lines and fees go out,
/// the five tax amounts come back into the tax fields.
class InternalTaxService {
public:
    InternalTaxService(ControlContext& ctx, SoapClient& soap) : ctx_(ctx), soap_(soap) {}

    static constexpr std::string_view kNamespace = "http://tempuri.org/InternalTaxService/";

    /// Posts the order and, when every amount came back, writes the taxes,
    /// the total sales tax, the item total and the deposit and raises
    /// GetTotalAmount. An exchange that fails, an error status, a SOAP fault
    /// or an answer without the five amounts raise a ServiceError and change
    /// nothing.
    void CalculateTaxesFromVardonInternalService(std::string_view orderID, text::Currency totalMerchCostTax);

    /// The request, every value escaped as XML text.
    std::string request(std::string_view orderID) const;

private:
    ControlContext& ctx_;
    SoapClient& soap_;
};

} // namespace zelt
