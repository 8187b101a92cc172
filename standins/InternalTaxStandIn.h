#pragma once

#include "LoopbackServer.h"

#include <array>
#include <string>

namespace zelt::standins {

/// The internal tax service on loopback: sums the taxable extended prices
/// and fees of the request and answers the five taxes at fixed rates
/// (country, state, county, city, local), the result document escaped inside
/// a SOAP envelope as the real service writes it.
class InternalTaxStandIn {
public:
    explicit InternalTaxStandIn(std::array<double, 5> rates = {0.05, 0.07, 0.01, 0.005, 0.0});

    /// The address to give InternalTaxServiceURL.
    std::string url() const;
    std::string lastRequest() const;
    std::string lastAction() const;

private:
    LoopbackServer server_;
    std::array<double, 5> rates_;
    RequestLog received_;
};

} // namespace zelt::standins
