#pragma once

#include "zelt/Error.h"

#include <string>

namespace zelt {

/// A web service the host asked for could not give its answer: unreachable,
/// too slow, an error status, a SOAP fault, or an answer without what the
/// control reads. The control changed nothing.
class ServiceError : public Error {
public:
    /// The failure of `service`; what() reads "service: reason".
    ServiceError(std::string service, std::string reason)
        : Error(service + ": " + reason), service_(std::move(service)), reason_(std::move(reason))
    {
    }
    /// The service that failed ("RecalculateTaxes" for the internal tax service).
    const std::string& service() const noexcept { return service_; }
    /// Why: the address without credentials, then what went wrong.
    const std::string& reason() const noexcept { return reason_; }

private:
    std::string service_;
    std::string reason_;
};

} // namespace zelt
