#pragma once

#include "zelt/platform/AvaTaxRequest.h"
#include "zelt/platform/AvaTaxResult.h"

#include <string>
#include <string_view>

namespace zelt {

/// The AvaTax REST v2 body of a tax request (transactions/create): document
/// type PurchaseInvoice, company and customer codes, the customer usage type as
/// the entity use code, document code and date, discount, shipFrom / shipTo
/// addresses and the lines.
std::string avaTaxRequestJson(const platform::AvaTaxRequest& request);

/// A transaction answer (or an error answer) of AvaTax REST v2 as the tax
/// result the control reads: document values, lines and details (the
/// jurisdiction from `jurisdictionType`, or from the short `jurisType` code
/// CNT / STA / CTY / CIT / STJ), statuses and types by name, an error's
/// messages as three texts each (result code Error). Fields the control does
/// not read are ignored. An answer that is not JSON is an Exception result
/// with one message saying so.
platform::AvaTaxResult avaTaxResultFromJson(std::string_view body);

} // namespace zelt
