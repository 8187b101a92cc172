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
    /// Over TLS, with a certificate and its key in PEM files.
    AvaTaxStandIn(std::string account, std::string licenseKey, const std::string& certificate, const std::string& key);

    std::string url() const;
    void setFault(Fault fault) { fault_ = fault; }
    int transactions() const { return transactions_; }
    std::string lastBody() const { return received_.body(); }
    /// The size of the last transaction's answer before any compression.
    std::size_t lastAnswerBytes() const { return lastAnswerBytes_; }
    /// How many connections the exchanges so far came on.
    std::size_t connections() const { return server_.connections(); }

private:
    void route();

    LoopbackServer server_;
    std::string authorization_;
    std::atomic<Fault> fault_{Fault::None};
    std::atomic<int> transactions_{0};
    std::atomic<std::size_t> lastAnswerBytes_{0};
    RequestLog received_;
};

} // namespace zelt::standins
