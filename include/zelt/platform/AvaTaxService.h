#pragma once

#include "zelt/platform/AvaTaxRequest.h"
#include "zelt/platform/AvaTaxResult.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace zelt::platform {

/// The AvaTax adapter's tax service object: the profile's client name, the
/// service address and the account credentials the control configures, and
/// the two calls of the tax command. Failures are results, never exceptions:
/// ping answers a result code (0 when the service can be used), getTax a
/// result whose code and messages say what went wrong.
class AvaTaxService {
public:
    /// Destroys the service.
    virtual ~AvaTaxService() = default;
    /// The client name the profile gives (application and version).
    virtual void setProfileClient(const std::string& client) = 0;
    /// The service's address.
    virtual void setUrl(const std::string& url) = 0;
    /// The account the requests are made for.
    virtual void setAccount(const std::string& account) = 0;
    /// The account's license key.
    virtual void setLicenseKey(const std::string& licenseKey) = 0;
    /// Checks that the service can be used: 0 when it can, another result code
    /// when not (why in lastFailure()).
    virtual int ping(std::string_view message) = 0;
    /// Taxes a document; the result's code and messages tell a refusal.
    virtual AvaTaxResult getTax(const AvaTaxRequest& request) = 0;
    /// Bounds of every exchange the service makes: time to connect, time in
    /// all, bytes of answer. A service that makes no exchange ignores them.
    virtual void setLimits(std::chrono::milliseconds /*connect*/, std::chrono::milliseconds /*total*/,
                           std::size_t /*maxAnswerBytes*/)
    {
    }
    /// Why the last call failed, when it failed; never holds the credentials.
    virtual std::string lastFailure() const { return {}; }
};

} // namespace zelt::platform
