#pragma once

#include "zelt/platform/AvaTaxResult.h"

#include <string>

namespace zelt {

struct ControlContext;

/// Turns an AvaTax result into the TaxDataXML text, filling on the way the
/// per-jurisdiction tax totals and the hidden rate fields the tax command
/// reads. Canadian orders have their jurisdictions remapped by the tax pattern
/// of each line.
///
/// Text forms, the same whatever the locale: amounts in their shortest
/// decimal form with "." ("10.5", "0"), rates in the general form with "."
/// ("0.0725"), dates as the result gives them (ISO). Codes and names outside
/// CDATA are escaped as XML text; a "]]>" inside a CDATA value is split so
/// that the document stays well-formed.
class TaxResultXml {
public:
    explicit TaxResultXml(ControlContext& ctx) : ctx_(ctx) {}

    std::string GetTaxResultToXML(const platform::AvaTaxResult& result);
    void BuildTaxPattern(const platform::AvaTaxResult& result);

private:
    ControlContext& ctx_;
};

} // namespace zelt
