#pragma once

#include "LoopbackServer.h"

#include <map>
#include <string>

namespace zelt::standins {

/// A carrier surcharge service on loopback that answers as the real one
/// does: a SOAP envelope whose result holds an escaped DiffGram data set with
/// the carrier's surcharge percentage, from a table by carrier.
class SurchargeStandIn {
public:
    /// Percentages by carrier; a carrier not in the table answers an empty data set.
    explicit SurchargeStandIn(std::map<int, double> percentages);

    /// The server name to hand to PutServerName ("http://127.0.0.1:port/").
    std::string serverName() const;
    /// The last request body and SOAPAction header the service received.
    std::string lastEnvelope() const;
    std::string lastAction() const;
    int requests() const;

private:
    LoopbackServer server_;
    std::map<int, double> percentages_;
    RequestLog received_;
};

} // namespace zelt::standins
