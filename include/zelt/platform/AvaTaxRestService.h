#pragma once

#include "zelt/platform/AvaTaxRequest.h"
#include "zelt/platform/AvaTaxResult.h"
#include "zelt/platform/AvaTaxService.h"
#include "zelt/platform/HttpClient.h"

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace zelt::platform {

/// Avalara AvaTax through its REST API v2: ping is GET
/// /api/v2/utilities/ping (it succeeds only when the answer says
/// "authenticated": true), get tax is POST /api/v2/transactions/create with
/// HTTP Basic authentication (account id and licence key). The address is the
/// sandbox unless setUrl says otherwise. Credentials go only into the
/// Authorization header: never into a message or a result.
class AvaTaxRestService : public AvaTaxService {
public:
    /// The sandbox address, used until setUrl gives another.
    static constexpr std::string_view kSandbox = "https://sandbox-rest.avatax.com";

    /// A client that makes its exchanges through `http`.
    explicit AvaTaxRestService(std::shared_ptr<HttpClient> http);

    /// The application and version of the X-Avalara-Client header.
    void setProfileClient(const std::string& client) override { client_ = client; }
    /// The service's address (scheme, host and port; the paths are added).
    void setUrl(const std::string& url) override { url_ = url; }
    /// The account id of the HTTP Basic authentication.
    void setAccount(const std::string& account) override { account_ = account; }
    /// The license key of the HTTP Basic authentication.
    void setLicenseKey(const std::string& licenseKey) override { licenseKey_ = licenseKey; }
    /// The time to connect and the time in all of each exchange (10 s and 30 s
    /// by default).
    void setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds total);

    /// 0 when the service answers and knows the account; otherwise 2 (Error),
    /// with the reason in lastFailure().
    int ping(std::string_view message) override;
    /// The result of a tax request; a failed exchange is an Exception result
    /// whose message says why.
    AvaTaxResult getTax(const AvaTaxRequest& request) override;
    /// Why the last ping or getTax failed; empty after a success.
    std::string lastFailure() const override { return lastFailure_; }
    /// Sets the time-outs and the answer cap (8 MiB by default).
    void setLimits(std::chrono::milliseconds connect, std::chrono::milliseconds total, std::size_t maxAnswerBytes) override;

    /// The X-Avalara-Client header, in its documented form "application;
    /// version; library; version; machine": the profile's client gives the
    /// application and its version ("OrderDesk,4.2"; this library's version
    /// when it gives none).
    std::string clientHeader() const;
    /// The answer cap of a tax request of `lines` lines: the set cap, or a
    /// kilobyte allowance per line where that is more (an answer carries each
    /// line with its jurisdiction details), up to 512 MiB.
    std::size_t answerCap(std::size_t lines) const noexcept;

private:
    HttpRequest request(std::string method, std::string path) const;

    std::shared_ptr<HttpClient> http_;
    std::string client_ = "ZeltOrderedItems";
    std::string url_{kSandbox};
    std::string account_;
    std::string licenseKey_;
    std::chrono::milliseconds connect_{10'000};
    std::chrono::milliseconds total_{30'000};
    std::size_t maxAnswerBytes_ = 8u << 20;
    std::string lastFailure_;
};

} // namespace zelt::platform
