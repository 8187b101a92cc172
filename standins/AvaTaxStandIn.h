#pragma once

#include "LoopbackServer.h"

#include <atomic>
#include <string>

namespace zelt::standins {

/// Avalara AvaTax REST v2 on loopback: ping and transactions/create, with
/// Basic authentication checked against one account, taxes from a small
/// jurisdiction table by ship-to region (New York: state, city and a special
/// district; Ontario: GST at the state level and PST at the county level, the
/// shape the control's Canadian remap expects; anything else: state
/// only), and fault modes. A line with Avalara's non-taxable code "NT" is
/// exempt, as the service treats it.
class AvaTaxStandIn {
public:
    static constexpr const char* kNonTaxableCode = "NT";

    enum class Fault { None, AddressErrorFirst, ErrorAnswer, Silence, Garbage };

    AvaTaxStandIn(std::string account, std::string licenseKey);

    std::string url() const;
    void setFault(Fault fault) { fault_ = fault; }
    int transactions() const { return transactions_; }
    std::string lastBody() const { return received_.body(); }

private:
    LoopbackServer server_;
    std::string authorization_;
    std::atomic<Fault> fault_{Fault::None};
    std::atomic<int> transactions_{0};
    RequestLog received_;
};

} // namespace zelt::standins
